#include "obslog/ObsDialog.h"

#include "catalog/CatalogueStrings.h"
#include "catalog/NGC2000Indexes.h"
#include "catalog/ObjectData.h"
#include "framework/gui/Edit.h"
#include "framework/gui/MessageBox.h"
#include "framework/gui/StatusBar.h"
#include "globals/Globals.h"
#include "obslog/LogDocument.h"
#include "obslog/ObsRecordHeader.h"
#include "ui/TEditDEC.h"
#include "ui/TEditDate.h"
#include "ui/TEditFloat.h"
#include "ui/TEditRA.h"
#include "ui/TEditSize.h"
#include "ui/TEditTime.h"
#include "ui/TurboCBconstel.h"
#include "ui/TurboComboBox.h"

#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>

#include <algorithm>
#include <cctype>

bool ObsDialog::importing = false;

namespace {

constexpr int kConstellationNone = 88;  // "(no comment)" in the constellation list
constexpr double kNoMagnitudeAbove = 10000;

std::string Replaced(std::string text, char from, char to)
{
    std::replace(text.begin(), text.end(), from, to);
    return text;
}

std::string Lower(std::string text)
{
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

ObsDialog::ObsDialog(QWidget* parent, LogDocument& document)
    : fw::Dialog(parent, "Notes"), doc_(document),
      choices_{{{kType, ObsRecordHeader::ObjectTypes, "New Object Type Entry", 3, nullptr},
                {kLocation, ObsRecordHeader::Locations, "New Location Entry", 7, nullptr},
                {kTelescope, ObsRecordHeader::Telescopes, "New Telescope Entry", 8, nullptr},
                {kEyepiece, ObsRecordHeader::Eyepieces, "New Eyepiece Entry", 9, nullptr},
                {kFilter, ObsRecordHeader::Filters, "New Eyepiece Filter Entry", 10, nullptr},
                {kDarkness, ObsRecordHeader::SkyDarkness, "New Sky Darkness Entry", 15, nullptr},
                {kTurbulence, ObsRecordHeader::SkyTurbulence, "New Sky Turbulence Entry", 16, nullptr},
                {kTransparency, ObsRecordHeader::SkyTransparency, "New Sky Transparency Entry", 17, nullptr}}}
{
    QGridLayout* grid = Body();
    int row = 0;
    const auto label = [&](const char* text, int r, int c) { grid->addWidget(new QLabel(text, this), r, c); };
    const auto choice = [this](int id) {
        for (Choice& c : choices_)
            if (c.id == id) {
                c.box = AddControl(id, new TurboComboBox(this, 59));
                // Long entries ("10-inch f/4.7 Dobsonian") do not widen the form.
                c.box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
                c.box->setMinimumContentsLength(14);
                return c.box;
            }
        return static_cast<TurboComboBox*>(nullptr);
    };

    label("Name", row, 0);
    name_ = Place(kName, new fw::Edit(this, 80), row, 1, 1, 3);
    ++row;
    label("Type", row, 0);
    grid->addWidget(choice(kType), row, 1);
    label("Constel", row, 2);
    constellation_ = Place(kConstellation, new TurboCBconstel(this), row, 3);
    constellation_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    constellation_->setMinimumContentsLength(14);
    ++row;
    label("Time", row, 0);
    time_ = Place(kTime, new TEditTime(this, 20), row, 1);
    label("Date", row, 2);
    date_ = Place(kDate, new TEditDate(this, 20), row, 3);
    ++row;
    label("Location", row, 0);
    grid->addWidget(choice(kLocation), row, 1);
    label("Telescope", row, 2);
    grid->addWidget(choice(kTelescope), row, 3);
    ++row;
    label("Eyepiece", row, 0);
    grid->addWidget(choice(kEyepiece), row, 1);
    label("Filter", row, 2);
    grid->addWidget(choice(kFilter), row, 3);
    ++row;
    label("RA", row, 0);
    ra_ = Place(kRightAscension, new TEditRA(this, 20), row, 1);
    label("DEC", row, 2);
    dec_ = Place(kDeclination, new TEditDEC(this, 20), row, 3);
    ++row;
    label("Mag", row, 0);
    magnitude_ = Place(kMagnitude, new TEditFloat(this, 20), row, 1);
    label("Size", row, 2);
    size_ = Place(kSize, new TEditSize(this, 20), row, 3);
    ++row;
    label("Darkness", row, 0);
    grid->addWidget(choice(kDarkness), row, 1);
    label("Turbulence", row, 2);
    grid->addWidget(choice(kTurbulence), row, 3);
    ++row;
    label("Transparency", row, 0);
    grid->addWidget(choice(kTransparency), row, 1);
    ++row;
    auto* record = Place(kCaption, new QLabel(this), row, 0, 1, 4);
    record->setWordWrap(true);
    auto* hidden = AddControl(kRecordCaption, new fw::Edit(this, 100));
    hidden->setReadOnly(true);
    hidden->hide();
    ++row;
    notes_ = Place(kNotes, new QPlainTextEdit(this), row, 0, 1, 4);
    notes_->setMinimumHeight(140);
    for (int column : {1, 3}) grid->setColumnMinimumWidth(column, 170);

    for (const Choice& c : choices_) OnNotify(c.id, fw::CBN_KILLFOCUS, [this, c] { OptionKillFocus(c); });
    OnNotify(kName, fw::EN_KILLFOCUS, [this] { NameKillFocus(); });
}

ObsDialog::~ObsDialog()
{
    ObservingLogOpen = false;
}

void ObsDialog::SetupWindow()
{
    LoadOptionLists();
    if (doc_.IsNewLog()) {
        if (std::optional<ObsRecord> added = doc_.AddRecord(true)) working_ = *added;
    } else {
        working_ = doc_.FirstRecord();
    }
    RecordToControls(working_);
    ObservingLogOpen = true;
}

void ObsDialog::LoadOptionLists()
{
    for (Choice& c : choices_) {
        c.box->ClearList();
        c.box->LoadChoices(doc_.Header().ListById(c.list));
    }
}

std::string ObsDialog::Caption(const ObsRecord& record)
{
    std::string text = "Notes - Record " + std::to_string(record.number) + " - (";
    if (doc_.Filter().active) {
        const std::int32_t count = doc_.ApplyFilter();
        text += std::to_string(doc_.FilteredPosition()) + " of " + std::to_string(count) + " Filtered Records)";
    } else {
        text += std::to_string(doc_.CurrentIndex() + 1) + " of " + std::to_string(doc_.RecordCount()) +
                " Total Records)";
    }
    return text;
}

void ObsDialog::RecordToControls(const ObsRecord& record)
{
    const std::string caption = Caption(record);
    SetControlText(kRecordCaption, caption);
    SetControlText(kCaption, record.IsMarkedForDeletion() ? caption + " (Delete On Save)" : caption);
    setWindowTitle(QString::fromStdString(caption));
    const std::int32_t ids[8] = {record.objectType, record.location,    record.telescope,     record.eyepiece,
                                 record.filter,     record.skyDarkness, record.skyTurbulence, record.skyTransparency};
    for (std::size_t i = 0; i < choices_.size(); ++i) choices_[i].box->SelectId(ids[i]);
    date_->SetValue(record.time.Date());
    time_->SetValue(record.time);
    dec_->SetValue(record.declination);
    ra_->SetValue(record.rightAscension);
    magnitude_->SetValue(record.magnitude);
    size_->SetValue(record.size);
    shownRa_ = ra_->GetText();
    shownDec_ = dec_->GetText();
    shownMagnitude_ = magnitude_->GetText();
    shownSize_ = size_->GetText();
    constellation_->SelectIndex(record.constellation);
    name_->SetText(record.name);
    // The log keeps a ">" as "`" (its text form uses ">" itself).
    SetNotesText(Replaced(record.notes, '`', '>').substr(0, kNotesLimit));
}

std::string ObsDialog::NotesText() const
{
    return notes_->toPlainText().toStdString();
}

void ObsDialog::SetNotesText(const std::string& text)
{
    notes_->setPlainText(QString::fromStdString(text));
}

ObsRecord ObsDialog::ControlsToRecord()
{
    ObsRecord r;
    std::int32_t* const ids[8] = {&r.objectType, &r.location,    &r.telescope,     &r.eyepiece,
                                  &r.filter,     &r.skyDarkness, &r.skyTurbulence, &r.skyTransparency};
    for (std::size_t i = 0; i < choices_.size(); ++i) *ids[i] = static_cast<std::int32_t>(choices_[i].box->GetSelectedId());
    const fw::TDate day = date_->GetValue();
    const fw::TTime clock = time_->GetValue();
    r.time = fw::TTime(day, clock.Hour(), clock.Minute(), clock.Second());
    r.date = working_.date;
    // A value field the user left as it was shown keeps the record's exact value.
    r.rightAscension = ra_->GetText() == shownRa_ ? working_.rightAscension : ra_->GetValue();
    r.declination = dec_->GetText() == shownDec_ ? working_.declination : dec_->GetValue();
    r.magnitude = magnitude_->GetText() == shownMagnitude_ ? working_.magnitude : magnitude_->GetValue();
    r.size = size_->GetText() == shownSize_ ? working_.size : size_->GetValue();
    r.constellation = static_cast<std::int32_t>(constellation_->GetSelectedIndex());
    r.name = name_->GetText().substr(0, kNameLimit);
    std::string notes = NotesText().substr(0, 2099);
    notes.erase(std::remove(notes.begin(), notes.end(), '\r'), notes.end());
    r.notes = Replaced(notes, '>', '`');
    r.number = working_.number;
    r.version = working_.version;
    r.crossRef = working_.crossRef;
    doc_.UpdateCrossRef(r);
    // Stored when anything the user can see differs (not merely when the numbers differ).
    if (!r.SameContents(working_)) {
        doc_.UpdateRecord(r);
        working_ = r;
    }
    return working_;
}

void ObsDialog::Move(int where)
{
    ControlsToRecord();
    switch (where) {
    case 0: working_ = doc_.FirstRecord(); break;
    case 1: working_ = doc_.PreviousRecord(); break;
    case 2: working_ = doc_.NextRecord(); break;
    default: working_ = doc_.LastRecord(); break;
    }
    RecordToControls(working_);
}

void ObsDialog::NewEntry(bool transfer)
{
    ControlsToRecord();
    std::optional<ObsRecord> added = doc_.AddRecord(true);
    // A full log has said so; the record shown stays as it was.
    if (!added) return;
    working_ = *added;
    RecordToControls(working_);
    if (transfer && AppGlobals.database) TransferObjectInfo(AppGlobals.database->CurrentObject(), true);
    Move(3);
}

void ObsDialog::TransferObjectInfo(ObjectId id, bool withNotes)
{
    if (id == ObjectId() || !AppGlobals.database) return;
    NGC2000Indexes& db = *AppGlobals.database;
    const int row = NGC2000Indexes::RowIndex(id);
    if (row >= 0) working_.crossRef = row;
    const ObjectData data = db.GetObjectData(id);
    if (data.type >= 0) {
        TurboComboBox* type = choices_[0].box;
        type->SetSelIndex(-1);
        type->SetText(Lower(ObjectTypeText(data.type)));
        OptionKillFocus(choices_[0]);
    }
    dec_->SetValue(data.position.RawLatitude().Degrees());
    ra_->SetValue(data.position.RawLongitude().Hours());
    const double magnitude = data.magnitude.Value(0);  // the best available
    if (magnitude > kNoMagnitudeAbove) magnitude_->SetText("NO ENTRY");
    else magnitude_->SetValue(magnitude);
    size_->SetValue(data.diameter.Degrees());
    constellation_->SelectIndex(data.constellation >= 0 ? data.constellation : kConstellationNone);
    name_->SetText(data.fullName.empty() ? data.name : data.fullName);
    working_.name = name_->GetText();
    if (withNotes) {
        std::string notes = data.name + " can be found on SkyAtlas Chart " + std::to_string(data.skyAtlasChart) +
                            " or Uranometria Volume " + std::to_string(data.uranometriaVolume) + ", page " +
                            std::to_string(data.uranometriaPage) + ".  ";
        if (!data.dreyer.empty()) notes += "Dreyer described this object as " + data.dreyer + ".  ";
        SetNotesText(notes);
    }
}

int ObsDialog::AddOptionEntry(int code, const std::string& text)
{
    for (Choice& c : choices_) {
        if (c.code != code) continue;
        c.box->setFocus(Qt::OtherFocusReason);
        c.box->SetText(text);
        if (c.box->CommitEditText() == 1) c.box->StoreChoices(doc_.Header().ListById(c.list));
        return 1;
    }
    switch (code) {
    case 4: constellation_->SelectIndex(kConstellationNone); return 1;
    case 2: name_->SetText(text); return 1;
    case 5: time_->SetText(text); return 1;
    case 6: date_->SetText(text); return 1;
    case 11: ra_->SetText(text); return 1;
    case 12: dec_->SetText(text); return 1;
    case 13: magnitude_->SetText(text); return 1;
    case 14: size_->SetText(text); return 1;
    case 18: SetNotesText(text); return 1;
    default: return 0;
    }
}

void ObsDialog::OptionKillFocus(const Choice& choice)
{
    if (choice.box->GetSelIndex() >= 0) return;
    const std::string text = choice.box->GetText().substr(0, 59);
    if (text.empty()) {
        AddOptionEntry(choice.code, kNoComment);
        return;
    }
    const int answer =
        fw::MessageBox(this, "Add " + text + " to Options?", choice.caption, fw::MB_YESNO | fw::MB_ICONQUESTION);
    AddOptionEntry(choice.code, answer == fw::IDYES ? text : std::string(kNoComment));
}

void ObsDialog::NameKillFocus()
{
    const std::string text = name_->GetText();
    if (importing || text.empty() || text == working_.name) return;
    working_.name = text;
    const ObjectId id = NGC2000Indexes::ParseObjectName(text);
    if (NGC2000Indexes::RowIndex(id) < 0) return;
    working_.crossRef = NGC2000Indexes::RowIndex(id);
    if (fw::MessageBox(this, "Automatically Transfer Object Information for  " + text + "?", "AUTO TRANSFER",
                       fw::MB_OKCANCEL | fw::MB_ICONQUESTION) == fw::IDOK)
        TransferObjectInfo(id, false);
}

void ObsDialog::CmDeleteEntry()
{
    ObsRecord record = ControlsToRecord();
    record.SetDeletionMark(!record.IsMarkedForDeletion());
    if (record.IsMarkedForDeletion())
        fw::MessageBox(this,
                       "Deleted Records will not be printed, but will remain in database until closed\nRecords can "
                       "be undeleted at any time prior to closing the log",
                       "RECORD MARKED FOR DELETION", fw::MB_OK | fw::MB_ICONEXCLAMATION);
    doc_.UpdateRecord(record);
    working_ = record;
    RecordToControls(working_);
}

void ObsDialog::CmCancel()
{
    fw::MessageBox(this, "Choose the option File | Close to close the Log", "", fw::MB_OK);
}

bool ObsDialog::CanClose()
{
    ControlsToRecord();
    return true;
}
