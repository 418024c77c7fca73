#include "obslog/FindDialog.h"

#include "obslog/ObsRecordHeader.h"
#include "ui/ListChooser.h"
#include "ui/TEditDEC.h"
#include "ui/TEditDate.h"
#include "ui/TEditFloat.h"
#include "ui/TEditRA.h"
#include "ui/TEditSize.h"
#include "ui/TEditString.h"
#include "ui/TEditTime.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

#include <tuple>
#include <utility>

using R = RuravAvaviv;

const FindDialog::ListCriterion FindDialog::kLists[9] = {
    {kObjectType, R::ByObjectType, R::ObjectTypes, ObsRecordHeader::ObjectTypes, "Object Type Chooser"},
    {kConstellation, R::ByConstellation, R::Constellations, 0, "Constellation Chooser"},
    {kLocation, R::ByLocation, R::Locations, ObsRecordHeader::Locations, "Location Chooser"},
    {kTelescope, R::ByTelescope, R::Telescopes, ObsRecordHeader::Telescopes, "Telescope Chooser"},
    {kEyepiece, R::ByEyepiece, R::Eyepieces, ObsRecordHeader::Eyepieces, "Eyepiece Chooser"},
    {kFilter, R::ByFilter, R::Filters, ObsRecordHeader::Filters, "Eyepiece Filter Chooser"},
    {kDarkness, R::BySkyDarkness, R::SkyDarkness, ObsRecordHeader::SkyDarkness, "Sky Darkness Chooser"},
    {kTransparency, R::BySkyTransparency, R::SkyTransparency, ObsRecordHeader::SkyTransparency,
     "Sky Transparency Chooser"},
    {kTurbulence, R::BySkyTurbulence, R::SkyTurbulence, ObsRecordHeader::SkyTurbulence, "Sky Turbulence Chooser"},
};

const FindDialog::RangeCriterion FindDialog::kRanges[8] = {
    {kRa, R::ByRightAscension}, {kDec, R::ByDeclination}, {kTime, R::ByTimeOfDay}, {kDate, R::ByDate},
    {kMagnitude, R::ByMagnitude}, {kSize, R::BySize},      {kName, R::ByName},     {kNotes, R::ByNotes},
};

FindDialog::FindDialog(QWidget* parent, ObsRecordHeader* header)
    : fw::Dialog(parent, "Filter Observing Log Records"), header_(header)
{
    const auto check = [this](QWidget* owner, int id, const char* text) {
        return AddControl(id, new QCheckBox(text, owner));
    };
    Place(kActivate, new QCheckBox("Activate Filter", this), 0, 0, 1, 2);

    auto* lists = new QGroupBox("Match Lists", this);
    auto* listGrid = new QGridLayout(lists);
    const struct {
        int id;
        const char* text;
    } listBoxes[] = {{kObjectType, "Obj Type"}, {kConstellation, "Constel"},   {kLocation, "Location"},
                     {kTelescope, "Telescope"}, {kEyepiece, "Eyepiece"},       {kFilter, "Filter"},
                     {kDarkness, "Darkness"},   {kTransparency, "Transparency"}, {kTurbulence, "Turbulence"}};
    int n = 0;
    for (const auto& b : listBoxes) {
        listGrid->addWidget(check(lists, b.id, b.text), n / 3, n % 3);
        ++n;
    }
    listGrid->setRowStretch(3, 1);  // the boxes at the top, not spread down the group
    Body()->addWidget(lists, 1, 0);

    auto* ranges = new QGroupBox("Match Values", this);
    auto* rangeGrid = new QGridLayout(ranges);
    rangeGrid->addWidget(new QLabel("MIN", ranges), 0, 1, Qt::AlignHCenter);
    rangeGrid->addWidget(new QLabel("MAX", ranges), 0, 2, Qt::AlignHCenter);
    int row = 1;
    const auto range = [&](int id, const char* text, int minId, auto* min, int maxId, auto* max) {
        rangeGrid->addWidget(check(ranges, id, text), row, 0);
        rangeGrid->addWidget(AddControl(minId, min), row, 1);
        rangeGrid->addWidget(AddControl(maxId, max), row, 2);
        ++row;
        return std::make_pair(min, max);
    };
    std::tie(raMin_, raMax_) = range(kRa, "RA", kRaMin, new TEditRA(ranges, 20), kRaMax, new TEditRA(ranges, 20));
    std::tie(decMin_, decMax_) =
        range(kDec, "DEC", kDecMin, new TEditDEC(ranges, 20), kDecMax, new TEditDEC(ranges, 20));
    std::tie(timeMin_, timeMax_) =
        range(kTime, "Time", kTimeMin, new TEditTime(ranges, 20), kTimeMax, new TEditTime(ranges, 20));
    std::tie(dateMin_, dateMax_) =
        range(kDate, "Date", kDateMin, new TEditDate(ranges, 20), kDateMax, new TEditDate(ranges, 20));
    std::tie(magnitudeMin_, magnitudeMax_) = range(kMagnitude, "Mag", kMagnitudeMin, new TEditFloat(ranges, 20),
                                                   kMagnitudeMax, new TEditFloat(ranges, 20));
    std::tie(sizeMin_, sizeMax_) =
        range(kSize, "Size", kSizeMin, new TEditSize(ranges, 20), kSizeMax, new TEditSize(ranges, 20));
    const auto text = [&](int id, const char* label, int textId) {
        rangeGrid->addWidget(check(ranges, id, label), row, 0);
        auto* edit = AddControl(textId, new TEditString(ranges, kTextLimit));
        rangeGrid->addWidget(edit, row, 1, 1, 2);
        ++row;
        return edit;
    };
    name_ = text(kName, "Name", kNameText);
    notes_ = text(kNotes, "Notes", kNotesText);
    rangeGrid->setColumnMinimumWidth(1, 130);
    rangeGrid->setColumnMinimumWidth(2, 130);
    Body()->addWidget(ranges, 1, 1);
    AddStandardButtons(kHelpContext);

    for (const ListCriterion& c : kLists)
        OnCommand(c.id, [this, c] { ChooseEntries(c); });
}

void FindDialog::SetupWindow()
{
    CheckButton(kActivate, filter_.active != 0 ? fw::BF_CHECKED : fw::BF_UNCHECKED);
    for (const ListCriterion& c : kLists) CheckButton(c.id, filter_.Has(c.bit) ? fw::BF_CHECKED : fw::BF_UNCHECKED);
    for (const RangeCriterion& c : kRanges) CheckButton(c.id, filter_.Has(c.bit) ? fw::BF_CHECKED : fw::BF_UNCHECKED);
    raMin_->SetValue(filter_.raFrom);
    raMax_->SetValue(filter_.raTo);
    decMin_->SetValue(filter_.decFrom);
    decMax_->SetValue(filter_.decTo);
    timeMin_->SetValue(filter_.timeFrom);
    timeMax_->SetValue(filter_.timeTo);
    dateMin_->SetValue(filter_.dateFrom);
    dateMax_->SetValue(filter_.dateTo);
    magnitudeMin_->SetValue(filter_.magBright);
    magnitudeMax_->SetValue(filter_.magFaint);
    sizeMin_->SetValue(filter_.sizeFrom);
    sizeMax_->SetValue(filter_.sizeTo);
    name_->SetText(filter_.nameText);
    notes_->SetText(filter_.notesText);
}

void FindDialog::ChooseEntries(const ListCriterion& criterion)
{
    // Clearing a box opens nothing; the chosen entries stay for the next time it is checked.
    if (IsButtonChecked(criterion.id) != fw::BF_CHECKED || !header_) return;
    const bool constellations = criterion.list == 0;
    ListChooser chooser(this, constellations ? ListChooser::Constellations : ListChooser::Choices);
    chooser.SetCaption(criterion.caption);
    if (!constellations) chooser.SetChoices(header_->ListById(criterion.list));
    chooser.SetChosenIds(filter_.sets[criterion.set]);
    if (chooser.Execute() == fw::IDOK) filter_.sets[criterion.set] = chooser.GetChosenIds();
}

void FindDialog::CmOk()
{
    filter_.active = IsButtonChecked(kActivate) == fw::BF_CHECKED ? 1 : 0;
    filter_.criteria = 0;
    for (const ListCriterion& c : kLists) filter_.Enable(c.bit, IsButtonChecked(c.id) == fw::BF_CHECKED);
    for (const RangeCriterion& c : kRanges) filter_.Enable(c.bit, IsButtonChecked(c.id) == fw::BF_CHECKED);
    filter_.raFrom = raMin_->GetValue();
    filter_.raTo = raMax_->GetValue();
    filter_.decFrom = decMin_->GetValue();
    filter_.decTo = decMax_->GetValue();
    filter_.sizeFrom = sizeMin_->GetValue();
    filter_.sizeTo = sizeMax_->GetValue();
    filter_.magBright = magnitudeMin_->GetValue();
    filter_.magFaint = magnitudeMax_->GetValue();
    filter_.timeFrom = timeMin_->GetValue();
    filter_.timeTo = timeMax_->GetValue();
    filter_.dateFrom = dateMin_->GetValue();
    filter_.dateTo = dateMax_->GetValue();
    filter_.nameText = name_->GetText();
    filter_.notesText = notes_->GetText();
    CloseWindow(fw::IDOK);
}
