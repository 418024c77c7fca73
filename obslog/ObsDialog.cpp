#include "obslog/ObsDialog.h"

#include "catalog/CatalogueStrings.h"
#include "catalog/NGC2000Indexes.h"
#include "catalog/ObjectData.h"
#include "astro/ConstellationLookup.h"
#include "astro/ConstellationTable.h"
#include "astro/Coord.h"
#include "catalog/CatalogueTable.h"
#include "framework/gui/Edit.h"
#include "framework/gui/DocTemplate.h"
#include "framework/gui/FileDialog.h"
#include "framework/gui/MessageBox.h"
#include "framework/gui/StatusBar.h"
#include "framework/stream/StringUtil.h"
#include "globals/Globals.h"
#include "obslog/FindDialog.h"
#include "obslog/HdrDialog.h"
#include "obslog/LogDocument.h"
#include "obslog/LogImport.h"
#include "obslog/NotesEdit.h"
#include "obslog/ObsField.h"
#include "obslog/ObsRecordHeader.h"
#include "ui/TEditDEC.h"
#include "ui/TEditDate.h"
#include "ui/TEditFloat.h"
#include "ui/TEditRA.h"
#include "ui/TEditSize.h"
#include "ui/TEditTime.h"
#include "ui/TEditValue.h"
#include "ui/LogErrors.h"
#include "ui/TextConvert.h"
#include "ui/TurboCBconstel.h"
#include "ui/TurboComboBox.h"

#include <QGridLayout>
#include <QLabel>

#include <algorithm>
#include <fstream>
#include <vector>

bool ObsDialog::importing = false;

namespace {

constexpr int kConstellationNone = 88;  // "(no comment)" in the constellation list
constexpr double kNoMagnitudeAbove = 10000;
// Characters the darkness field shows at least: "Suburban (limiting magnitude 5.0)".
constexpr int kDarknessChars = 34;

std::string Replaced(std::string text, char from, char to)
{
    std::replace(text.begin(), text.end(), from, to);
    return text;
}


// The constellation a text names, by its name or its abbreviation; -1 when none.
int ConstellationOfText(const std::string& text)
{
    const std::string wanted = fw::Trim(text);
    if (wanted.empty()) return -1;
    for (int code = 0; code < ConstellationCount; ++code)
        if (fw::EqualsIgnoreCase(ConstellationName(code), wanted)) return code;
    return ConstellationCodeOf(wanted);
}

} // namespace

ObsDialog::ObsDialog(QWidget* parent, LogDocument& document)
    : fw::Dialog(parent, "Notes"), doc_(document)
{
    WriteDebugLine("Constructing ObsDialog - ");
    for (const ObsField& f : ObsFields())
        if (f.kind == ObsField::ChoiceKind) choices_.push_back({&f, nullptr});
    QGridLayout* grid = Body();
    int row = 0;
    const auto label = [&](const char* text, int r, int c) { grid->addWidget(new QLabel(text, this), r, c); };
    const auto choice = [this](int id) {
        for (Choice& c : choices_)
            if (c.field->control == id) {
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
    // The darkness texts name the limiting magnitude ("Suburban (limiting magnitude 5.0)"):
    // the field spans the form's width so that they are seen whole.
    label("Darkness", row, 0);
    TurboComboBox* darkness = choice(kDarkness);
    darkness->setMinimumContentsLength(kDarknessChars);
    grid->addWidget(darkness, row, 1, 1, 3);
    ++row;
    label("Turbulence", row, 0);
    grid->addWidget(choice(kTurbulence), row, 1);
    label("Transparency", row, 2);
    grid->addWidget(choice(kTransparency), row, 3);
    ++row;
    auto* record = Place(kCaption, new QLabel(this), row, 0, 1, 4);
    record->setWordWrap(true);
    auto* hidden = AddControl(kRecordCaption, new fw::Edit(this, 100));
    hidden->setReadOnly(true);
    hidden->hide();
    ++row;
    notes_ = Place(kNotes, new NotesEdit(this, kNotesLimit), row, 0, 1, 4);
    notes_->setMinimumHeight(140);
    for (int column : {1, 3}) grid->setColumnMinimumWidth(column, 170);

    for (const Choice& c : choices_) OnNotify(c.field->control, fw::CBN_KILLFOCUS, [this, c] { OptionKillFocus(c); });
    OnNotify(kName, fw::EN_KILLFOCUS, [this] { NameKillFocus(); });
    WriteDebugLine("ObsDialog - Constructed");
}

ObsDialog::~ObsDialog()
{
    WriteDebugLine("Destructing ObsDialog - ");
    ObservingLogOpen = false;
    WriteDebugLine("ObsDialog - Destructed");
}

void ObsDialog::SetupWindow()
{
    LoadOptionLists();
    if (doc_.IsNewLog()) {
        if (std::optional<ObsRecord> added = doc_.AddRecord(true)) working_ = *added;
    } else {
        working_ = doc_.FirstRecord();
    }
    find_ = std::make_unique<FindDialog>(this, &doc_.Header());
    if (doc_.IsNewLog()) CmLogConfig();
    RecordToControls(working_);
    ObservingLogOpen = true;
}

void ObsDialog::LoadOptionLists()
{
    for (Choice& c : choices_) {
        c.box->ClearList();
        c.box->LoadChoices(doc_.Header().ListById(c.field->list));
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
    for (const Choice& c : choices_) c.box->SelectId(record.*c.field->number);
    date_->SetValue(record.time.Date());
    time_->SetValue(record.time);
    for (const ObsField& f : ObsFields())
        if (f.kind == ObsField::NumberKind) ControlAs<TEditValue>(f.control)->SetValue(record.*f.value);
    constellation_->SelectIndex(record.constellation);
    name_->SetText(record.name);
    // The log keeps a ">" as "`" (its text form uses ">" itself).
    SetNotesText(Replaced(record.notes, '`', '>'));
    RememberShownTexts();
    stored_ = record;
    RecordShown();
}

void ObsDialog::RememberShownTexts()
{
    shownTexts_.clear();
    for (const ObsField& f : ObsFields())
        if (f.kind == ObsField::NumberKind || f.kind == ObsField::TimeKind || f.kind == ObsField::DateKind)
            shownTexts_[f.control] = ControlAs<fw::Edit>(f.control)->GetText();
    shownNotes_ = NotesText();
}

void ObsDialog::ShowRecord(const ObsRecord& record)
{
    working_ = record;
    RecordToControls(working_);
}

std::string ObsDialog::NotesText() const
{
    return notes_->toPlainText().toStdString();
}

void ObsDialog::SetNotesText(const std::string& text)
{
    notes_->SetText(QString::fromStdString(text));
}

ObsRecord ObsDialog::ControlsToRecord()
{
    ObsRecord r;
    for (const Choice& c : choices_) r.*c.field->number = static_cast<std::int32_t>(c.box->GetSelectedId());
    const fw::TDate day = date_->GetValue();
    const fw::TTime clock = time_->GetValue();
    r.time = fw::TTime(day, clock.Hour(), clock.Minute(), clock.Second());
    r.date = working_.date;
    // A value field the user left as it was shown keeps the record's exact value.
    for (const ObsField& f : ObsFields()) {
        if (f.kind != ObsField::NumberKind) continue;
        TEditValue* edit = ControlAs<TEditValue>(f.control);
        r.*f.value = edit->GetText() == shownTexts_[f.control] ? working_.*f.value : edit->GetValue();
    }
    r.constellation = static_cast<std::int32_t>(constellation_->GetSelectedIndex());
    r.name = name_->GetText().substr(0, kNameLimit);
    // The field holds at most the notes' limit; notes longer than that (from an older log) are
    // kept whole while the field is left as it was shown.
    if (NotesText() == shownNotes_) {
        r.notes = stored_.notes;
    } else {
        std::string notes = NotesText();
        notes.erase(std::remove(notes.begin(), notes.end(), '\r'), notes.end());
        r.notes = Replaced(notes, '>', '`');
    }
    r.number = working_.number;
    r.version = working_.version;
    r.crossRef = working_.crossRef;
    doc_.UpdateCrossRef(r);
    // Stored when anything the user can see differs from what the document holds (leaving
    // the name field has already put the name into the working copy).
    if (!r.SameContents(stored_)) {
        doc_.UpdateRecord(r);
        stored_ = r;
    }
    working_ = r;
    // The controls now show what the document holds.
    RememberShownTexts();
    return working_;
}

bool ObsDialog::FormDiffers() const
{
    for (const Choice& c : choices_) {
        const TurboComboBox* box = c.box;
        if (box->GetSelIndex() < 0 ? !box->GetText().empty() : box->GetSelectedId() != stored_.*c.field->number)
            return true;
    }
    for (const auto& [control, shown] : shownTexts_)
        if (ControlAs<fw::Edit>(control)->GetText() != shown) return true;
    return name_->GetText().substr(0, kNameLimit) != stored_.name ||
           constellation_->GetSelectedIndex() != stored_.constellation || NotesText() != shownNotes_;
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
    const ObjectData object = db.GetObjectData(id);
    // The catalogue's type is the object's own: it goes on the record, and into the type list
    // when the list lacks it, without the question about a typed text (whose No would leave
    // the record without its type).
    if (object.type >= 0) AddOptionEntry(ObsField::Type, fw::ToLowerAscii(ObjectTypeText(object.type)));
    dec_->SetValue(object.position.RawLatitude().Degrees());
    ra_->SetValue(object.position.RawLongitude().Hours());
    const double magnitude = object.magnitude.Value(0);  // the best available
    if (magnitude > kNoMagnitudeAbove) magnitude_->SetText("NO ENTRY");
    else magnitude_->SetValue(magnitude);
    size_->SetValue(object.diameter.Degrees());
    constellation_->SelectIndex(object.constellation >= 0 ? object.constellation : kConstellationNone);
    name_->SetText(object.fullName.empty() ? object.name : object.fullName);
    working_.name = name_->GetText();
    if (withNotes) {
        std::string notes = object.name + " can be found on SkyAtlas Chart " + std::to_string(object.skyAtlasChart) +
                            " or Uranometria Volume " + std::to_string(object.uranometriaVolume) + ", page " +
                            std::to_string(object.uranometriaPage) + ".  ";
        if (!object.dreyer.empty()) notes += "Dreyer described this object as " + object.dreyer + ".  ";
        SetNotesText(notes);
    }
}

ObsDialog::Choice* ObsDialog::ChoiceFor(int code)
{
    for (Choice& c : choices_)
        if (c.field->code == code) return &c;
    return nullptr;
}

int ObsDialog::AddOptionEntry(int code, const std::string& text)
{
    const ObsField* field = FindObsField(code);
    if (!field) return 0;
    if (Choice* choice = ChoiceFor(code)) {
        Choice& c = *choice;
        c.box->setFocus(Qt::OtherFocusReason);
        // The entry of that very text ("Planet" is not "Planetary Nebula"), or a new one; an
        // empty text is no comment, as when the user leaves the box empty.
        std::string entry = text.empty() ? std::string(kNoComment) : text;
        if (c.box->GetTextLimit() > 0) entry = entry.substr(0, static_cast<std::size_t>(c.box->GetTextLimit()));
        int found = c.box->FindExactString(entry, 0);
        if (found == fw::CB_ERR) {
            c.box->AddText(entry, c.box->NextFreeId());
            found = c.box->FindExactString(entry, 0);
            c.box->StoreChoices(doc_.Header().ListById(c.field->list));
            doc_.ChoiceListChanged();
        }
        c.box->SetSelIndex(found);
        return 1;
    }
    if (field->kind == ObsField::ConstellationKind) {
        // A text that names a constellation (an imported table's column) selects it.
        const int constellation = ConstellationOfText(text);
        ControlAs<TurboCBconstel>(field->control)->SelectIndex(constellation >= 0 ? constellation : kConstellationNone);
    } else if (ControlAs<NotesEdit>(field->control)) {
        SetNotesText(text);
    } else {
        ControlAs<fw::Edit>(field->control)->SetText(text);
    }
    return 1;
}

void ObsDialog::OptionKillFocus(const Choice& choice)
{
    if (choice.box->GetSelIndex() >= 0) return;
    const std::string text = choice.box->GetText().substr(0, 59);
    if (text.empty()) {
        AddOptionEntry(choice.field->code, kNoComment);
        return;
    }
    // A text the log's lists cannot keep is refused, and the record takes no comment, as when
    // the user declines to add it.
    if (!TurboComboBox::AcceptTypedEntry(this, text, choice.field->newEntryCaption)) {
        AddOptionEntry(choice.field->code, kNoComment);
        return;
    }
    const int answer =
        fw::MessageBox(this, "Add " + text + " to Options?", choice.field->newEntryCaption, fw::MB_YESNO | fw::MB_ICONQUESTION);
    AddOptionEntry(choice.field->code, answer == fw::IDYES ? text : std::string(kNoComment));
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

void ObsDialog::CmLogConfig()
{
    // What the form shows becomes each list's current entry, and stays shown afterwards.
    std::vector<long> shown(choices_.size());
    for (std::size_t i = 0; i < choices_.size(); ++i) {
        shown[i] = choices_[i].box->GetSelectedId();
        if (shown[i] != fw::CB_ERR)
            doc_.Header().ListById(choices_[i].field->list).SetCurrentId(static_cast<std::int32_t>(shown[i]));
    }
    HdrDialog dialog(this, doc_.Header(), doc_.DefaultHeader());
    if (dialog.Execute() != fw::IDOK) return;
    doc_.Header() = dialog.Current();
    // The log's lists are part of the log: they reach the recovery header and a save is due.
    doc_.ChoiceListChanged();
    doc_.DefaultHeader() = dialog.Default();
    doc_.WriteDefaultHeader();
    LoadOptionLists();
    for (std::size_t i = 0; i < choices_.size(); ++i) {
        if (shown[i] == fw::CB_ERR) choices_[i].box->SetSelIndex(-1);
        else choices_[i].box->SelectId(shown[i]);
    }
}

void ObsDialog::CmFilterLog()
{
    ControlsToRecord();
    if (!find_) find_ = std::make_unique<FindDialog>(this, &doc_.Header());
    find_->SetFilter(doc_.Filter());
    if (find_->Execute() != fw::IDOK) return;
    doc_.Filter() = find_->GetFilter();
    doc_.ApplyFilter();
    if (doc_.Filter().active) doc_.FirstRecord();
    ShowRecord(doc_.GetCurrentRecord());
}

void ObsDialog::CmImport()
{
    fw::FileDialogRequest request;
    request.kind = fw::FileDialogRequest::Open;
    request.title = "Select a Log Import File";
    request.filters = {{"Text Files (*.txt)", "*.txt"}};
    request.defaultExt = "TXT";
    request.flags = fw::dtPathMustExist | fw::dtFileMustExist;
    if (!fw::RunFileDialog(this, request) || request.path.empty()) return;
    ImportFile(request.path);
}

bool ObsDialog::ImportFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        fw::MessageBox(this, "Could not open " + path, "", fw::MB_OK | fw::MB_ICONEXCLAMATION);
        return false;
    }
    return ImportStream(in);
}

bool ObsDialog::ImportStream(std::istream& in)
{
    LogImportHeader header;
    std::string message;
    if (!header.Read(in, message)) {
        fw::MessageBox(this, message, "", fw::MB_OK);
        return false;
    }
    // Defaults as the form takes them: no constellation, no value.
    const auto defaultFor = [&header](int code) {
        const std::string& text = header.defaults[static_cast<std::size_t>(code)];
        if (!text.empty()) return text;
        if (code == LogImportHeader::Constellation) return std::string(kNoComment);
        if (code >= LogImportHeader::RightAscension && code <= LogImportHeader::Size) return std::string("NO ENTRY");
        return text;
    };

    LogImportEntries entries(in, header);
    importing = true;
    std::string field, stopMessage;
    std::vector<std::string> fields;
    for (int count = 0; count < kMaxImportEntries; ++count) {
        ControlsToRecord();
        RecordToControls(working_);
        if (!entries.BeginEntry()) break;
        // The whole entry is read first: one with too few fields stops the import before it
        // takes a record.
        fields.clear();
        for (int j = 1; j <= header.fieldsPerEntry; ++j) {
            if (!entries.ReadField(field, j == header.fieldsPerEntry)) break;
            fields.push_back(field);
        }
        if (static_cast<int>(fields.size()) < header.fieldsPerEntry) {
            stopMessage = "Import stopped at line " + std::to_string(entries.LineNumber()) + ": it has fewer than " +
                          std::to_string(header.fieldsPerEntry) + " fields";
            break;
        }
        // The record the entry fills: a new one, unless the form shows a fresh empty entry.
        if (!fw::EqualsIgnoreCase(working_.name, "New Entry...")) {
            std::optional<ObsRecord> added = doc_.AddRecord(true);
            if (!added) break;  // the log is full, and has said so
            ShowRecord(*added);
        }
        int row = -1;
        for (int j = 1; j <= header.fieldsPerEntry; ++j) {
            const int code = header.CodeOfColumn(j);
            if (code < 0) continue;
            const std::string& text = fields[static_cast<std::size_t>(j - 1)];
            AddOptionEntry(code, text);
            if (code == LogImportHeader::Name) {
                const int found = NGC2000Indexes::RowIndex(NGC2000Indexes::ParseObjectName(text));
                if (found >= 0) working_.crossRef = row = found;
            }
        }
        for (int code = LogImportHeader::kFirstField; code <= LogImportHeader::kLastField; ++code) {
            if (header.column[static_cast<std::size_t>(code)] != LogImportHeader::kNoColumn) continue;
            // Without a default, the time and date stay as the new record has them: an empty
            // text would be refused, with a message for every entry.
            const std::string text = defaultFor(code);
            if (text.empty() && (code == LogImportHeader::Time || code == LogImportHeader::Date)) continue;
            AddOptionEntry(code, text);
        }
        ImportCatalogueValues(header, row);
    }
    importing = false;
    Move(3);
    if (!stopMessage.empty()) fw::MessageBox(this, stopMessage, "Import", fw::MB_OK | fw::MB_ICONEXCLAMATION);
    return true;
}

void ObsDialog::ImportCatalogueValues(const LogImportHeader& header, int row)
{
    const CatalogueTable& t = NGCTable;
    const bool hasRow = row >= 0 && row < CatalogueCapacity;
    const auto r = static_cast<std::size_t>(hasRow ? row : 0);
    const auto fromCatalogue = [&header](int code) { return header.column[static_cast<std::size_t>(code)] == 0; };
    const auto number = [](double value) {
        char text[48];
        std::snprintf(text, sizeof text, "%.15g", value);
        return std::string(text);
    };
    if (fromCatalogue(LogImportHeader::Type)) AddOptionEntry(LogImportHeader::Type, fw::ToLowerAscii(fw::Trim(ObjectTypeText(t.type[r]))));
    if (fromCatalogue(LogImportHeader::Constellation))
        constellation_->SelectIndex(hasRow ? t.constellation[r] : kConstellationNone);
    if (fromCatalogue(LogImportHeader::RightAscension))
        AddOptionEntry(LogImportHeader::RightAscension, hasRow ? number(t.ra[r]) : "NO ENTRY");
    if (fromCatalogue(LogImportHeader::Declination))
        AddOptionEntry(LogImportHeader::Declination, hasRow ? number(t.dec[r]) : "NO ENTRY");
    if (fromCatalogue(LogImportHeader::Magnitude)) {
        const double m = t.magnitude[r] > 500 ? t.magnitude[r] - 1000 : t.magnitude[r];
        AddOptionEntry(LogImportHeader::Magnitude, hasRow ? number(m) : "NO ENTRY");
    }
    if (fromCatalogue(LogImportHeader::Size))
        AddOptionEntry(LogImportHeader::Size, hasRow ? number(t.diameter[r] / 60.0) : "NO ENTRY");

    // An entry without a constellation or object takes the constellation of its position.
    const std::uint8_t constellationColumn = header.column[LogImportHeader::Constellation];
    if ((constellationColumn == 0 || constellationColumn == LogImportHeader::kNoColumn) && !hasRow) {
        // Read quietly: a bad text is said once, when the form is stored.
        TextConvert reader;
        const double ra = reader.ParseValue(ra_->GetText(), vkRightAscension);
        const bool raRead = reader.ErrorText().empty();
        const double dec = reader.ParseValue(dec_->GetText(), vkDeclination);
        const bool decRead = reader.ErrorText().empty();
        if (raRead && decRead && ra > 0 && ra < 24 && dec >= -90 && dec <= 90) {
            const Coord position = Coord::Equatorial(Angle(ra, Angle::kHours), Angle(dec, Angle::kDegrees), Distance(), JulianDate(),
                                                     Coord::MaskMeanPlace);
            constellation_->SelectIndex(ConstellationIndex(position));
        } else {
            constellation_->SelectIndex(kConstellationNone);
        }
    }
}
