#include "ui/Locate.h"

#include "astro/SignedDMS.h"
#include "framework/gui/ComboBox.h"
#include "framework/gui/MessageBox.h"
#include "framework/stream/AtomicFile.h"
#include "framework/stream/PStream.h"
#include "framework/stream/StringUtil.h"
#include "ui/CountryDlg.h"
#include "ui/Spinner.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

const char* const Locate::kSignature = "Quillon Software - Stellum - Preferred Location File";
const char* const Locate::kFullListMessage =
    "At maximum location Limit. Unable to store modifications.  Please delete an entry.";

namespace {

// Characters the name box takes; the longest names of the shipped site list fit in it, so a
// chosen site is never stored again under a cut name.
constexpr int kNameLength = 64;
const char* const kCaption = "OBSERVATION LOCATION";

} // namespace

Locate::Locate(QWidget* parent, const std::string& preferredFile, const std::string& siteListFile)
    : fw::Dialog(parent, kCaption), preferredFile_(preferredFile), siteListFile_(siteListFile)
{
    auto* nameRow = new QHBoxLayout();
    nameRow->addWidget(new QLabel("Location:", this));
    combo_ = AddControl(kSiteCombo, new fw::ComboBox(this, true, kNameLength));
    combo_->setMinimumWidth(260);
    nameRow->addWidget(combo_, 1);
    Body()->addLayout(nameRow, 0, 0, 1, 2);

    // One group per coordinate: degrees, minutes and seconds, then the two hemispheres.
    struct Group {
        const char* title;
        int ids[3];
        int maxDegrees;
        int radios[2];
        const char* radioTexts[2];
    };
    const Group groups[2] = {
        {"Latitude", {kLatDegrees, kLatMinutes, kLatSeconds}, 90, {kNorth, kSouth}, {"North", "South"}},
        {"Longitude", {kLonDegrees, kLonMinutes, kLonSeconds}, 180, {kEast, kWest}, {"East", "West"}},
    };
    for (int g = 0; g < 2; ++g) {
        auto* box = new QGroupBox(groups[g].title, this);
        auto* row = new QHBoxLayout(box);
        const char* units[3] = {"\xC2\xB0", "'", "\""};
        for (int k = 0; k < 3; ++k) {
            auto* s = new spinner(this, groups[g].ids[k], 0, k == 0 ? groups[g].maxDegrees : 59, 4, spinner::Number, box);
            s->setFixedWidth(62);
            spinners_[g * 3 + k] = s;
            row->addWidget(s);
            row->addWidget(new QLabel(units[k], box));
            row->addSpacing(6);
        }
        row->addStretch(1);
        for (int k = 0; k < 2; ++k)
            row->addWidget(AddControl(groups[g].radios[k], new QRadioButton(groups[g].radioTexts[k], box)));
        Body()->addWidget(box, 1 + g, 0, 1, 2);
    }

    auto* actions = new QHBoxLayout();
    actions->addWidget(AddControl(kDelete, new QPushButton("Delete From Preferred Locations", this)));
    actions->addWidget(AddControl(kChooseDefault, new QPushButton("Choose From Default Locations", this)));
    Body()->addLayout(actions, 3, 0, 1, 2);
    for (int id : {kDelete, kChooseDefault})
        ControlAs<QPushButton>(id)->setAutoDefault(false);
    AddStandardButtons(kHelpContext);

    GroupRadioButtons({kNorth, kSouth});
    GroupRadioButtons({kEast, kWest});
    OnNotify(kSiteCombo, fw::CBN_EDITCHANGE, [this] { typedName_ = combo_->GetText(); });
    OnNotify(kSiteCombo, fw::CBN_SELCHANGE, [this] { SelectionChanged(combo_->GetSelIndex()); });
}

int Locate::FindEntry(const std::string& name) const
{
    const std::string wanted = fw::Trim(name);
    if (wanted.empty())
        return -1;
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (fw::EqualsIgnoreCase(entries_[i].GetName(), wanted))
            return static_cast<int>(i);
    return -1;
}

void Locate::AddComboEntry(int index)
{
    combo_->SetItemData(combo_->AddString(entries_[static_cast<std::size_t>(index)].GetName()), index);
}

void Locate::RefillCombo()
{
    combo_->ClearList();
    for (int i = 0; i < Count(); ++i)
        AddComboEntry(i);
}

void Locate::EnableDelete()
{
    EnableControl(kDelete, combo_->GetCount() > 1);
}

void Locate::ShowSite()
{
    const SignedDMS lat(site_.Latitude());
    const SignedDMS lon(site_.Longitude());
    const std::int32_t parts[6] = {lat.whole, lat.minutes, lat.roundedSeconds, lon.whole, lon.minutes, lon.roundedSeconds};
    for (int k = 0; k < 6; ++k)
        spinners_[k]->SetText(std::to_string(parts[k]));
    combo_->SetText(site_.GetName());
    typedName_ = site_.GetName();
    CheckButton(lat.sign > 0 ? kNorth : kSouth, fw::BF_CHECKED);
    CheckButton(lat.sign > 0 ? kSouth : kNorth, fw::BF_UNCHECKED);
    CheckButton(lon.sign > 0 ? kEast : kWest, fw::BF_CHECKED);
    CheckButton(lon.sign > 0 ? kWest : kEast, fw::BF_UNCHECKED);
}

void Locate::ReadDialog(const std::string& typedName)
{
    const int latSign = IsButtonChecked(kNorth) == fw::BF_CHECKED ? 1 : -1;
    const int lonSign = IsButtonChecked(kEast) == fw::BF_CHECKED ? 1 : -1;
    site_.SetLatitude(ControlText(kLatDegrees), ControlText(kLatMinutes), ControlText(kLatSeconds), latSign);
    site_.SetLongitude(ControlText(kLonDegrees), ControlText(kLonMinutes), ControlText(kLonSeconds), lonSign);
    // An empty name is no name: the site keeps the one it had.
    // The box already holds the text to its limit in characters; a cut in bytes here could
    // split a letter.
    const std::string name = fw::Trim(typedName);
    if (!name.empty())
        site_.SetName(name);
    StoreCurrentSite();
}

void Locate::StoreCurrentSite()
{
    if (site_.GetName().empty())
        return;
    const int found = FindEntry(site_.GetName());
    if (found >= 0) {
        entries_[static_cast<std::size_t>(found)] = site_;
        // A change of letter case renames the entry in the box as well.
        const int item = combo_->FindItemData(found);
        if (item != fw::CB_ERR && combo_->GetString(item) != site_.GetName())
            combo_->setItemText(item, QString::fromStdString(site_.GetName()));
        return;
    }
    if (Count() >= kMaxEntries) {
        fw::MessageBox(this, kFullListMessage, kCaption, fw::MB_OK | fw::MB_ICONEXCLAMATION);
        return;
    }
    entries_.push_back(site_);
    AddComboEntry(Count() - 1);
    EnableDelete();
}

void Locate::SetupWindow()
{
    RefillCombo();
    entries_.clear();
    damaged_ = false;
    if (!preferredFile_.empty())
        ReadPreferredFile();

    // Entries without a name cannot be chosen: drop them.
    std::vector<LLposit> named;
    for (const auto& e : entries_)
        if (!e.GetName().empty())
            named.push_back(e);
    entries_ = named;
    RefillCombo();

    if (site_.GetName().empty()) {
        if (Count() > 0)
            site_ = entries_.front();
    } else if (FindEntry(site_.GetName()) < 0) {
        if (Count() < kMaxEntries) {
            entries_.push_back(site_);
            AddComboEntry(Count() - 1);
        } else {
            site_ = entries_.front();
        }
    }
    ShowSite();
    EnableDelete();
    EnableControl(kChooseDefault, !siteListFile_.empty());
}

void Locate::ReadPreferredFile()
{
    fw::RemoveStaleTemporaries(fw::ResolvePathIgnoringCase(preferredFile_));
    fw::ifpstream in(preferredFile_);
    if (!in.is_open()) {
        // A missing file is the normal first run; a file that exists but cannot be opened
        // must not be replaced without asking.
        damaged_ = std::filesystem::exists(fw::ResolvePathIgnoringCase(preferredFile_));
        return;
    }
    const std::string signature = in.readString(256);
    const std::int32_t version = in.readInt32();
    if (in.fail() || signature != kSignature || version != kVersion) {
        damaged_ = true;
        return;
    }
    std::uint32_t count = in.readWord32();
    const bool tooMany = count > static_cast<std::uint32_t>(kMaxEntries);
    if (tooMany)
        count = kMaxEntries;
    for (std::uint32_t i = 0; i < count; ++i) {
        LLposit entry;
        entry.Read(in);
        if (in.fail()) {
            damaged_ = true;  // the entries read before the damage are kept
            return;
        }
        entries_.push_back(entry);
    }
    const std::string trailer = in.readString(256);
    if (tooMany || in.fail() || trailer != kSignature)
        damaged_ = true;
}

void Locate::WritePreferredFile()
{
    if (preferredFile_.empty())
        return;
    if (damaged_) {
        const std::string question = "The preferred location file " + preferredFile_ +
                                     " could not be read whole.\nReplace it with the locations shown?";
        if (fw::MessageBox(this, question, kCaption, fw::MB_YESNO | fw::MB_ICONQUESTION) != fw::IDYES)
            return;
    }
    // Replaced in one step, so a failed write never damages the old file.
    fw::omstream out;
    out << std::string(kSignature);
    out.writeWord32(static_cast<std::uint32_t>(kVersion));
    out.writeWord32(static_cast<std::uint32_t>(Count()));
    for (const auto& e : entries_)
        e.Write(out);
    out << std::string(kSignature);
    // The file is found whatever the letter case of its name: the one that was read is replaced,
    // so that no second file appears beside it.
    const std::string target = fw::ResolvePathIgnoringCase(preferredFile_);
    if (out.fail() || !fw::WriteFileReplacing(target, out.str())) {
        fw::MessageBox(this, "Unable to save the preferred locations in " + preferredFile_, kCaption,
                   fw::MB_OK | fw::MB_ICONEXCLAMATION);
        return;
    }
    damaged_ = false;
}

bool Locate::PositionWithinLimits()
{
    // The degree fields reach the limits themselves (a stored site may lie on a pole or on the
    // date line); minutes or seconds past them would be cut silently.
    const struct { int ids[3]; int limit; const char* message; } parts[2] = {
        {{kLatDegrees, kLatMinutes, kLatSeconds}, 90, "The latitude cannot exceed 90\xC2\xB0."},
        {{kLonDegrees, kLonMinutes, kLonSeconds}, 180, "The longitude cannot exceed 180\xC2\xB0."},
    };
    for (const auto& p : parts) {
        const double degrees = LLposit::DmsToDecimal(std::atoi(ControlText(p.ids[0]).c_str()),
                                                     std::atoi(ControlText(p.ids[1]).c_str()),
                                                     std::atoi(ControlText(p.ids[2]).c_str()));
        if (degrees > p.limit) {
            fw::MessageBox(this, p.message, kCaption, fw::MB_OK | fw::MB_ICONEXCLAMATION);
            return false;
        }
    }
    return true;
}

void Locate::CmOk()
{
    if (!CanClose() || !PositionWithinLimits())
        return;
    ReadDialog(combo_->GetText());
    WritePreferredFile();
    CloseWindow(fw::IDOK);
}

bool Locate::EvCommand(int id)
{
    switch (id) {
    case kDelete:
        DeleteEntry();
        return true;
    case kChooseDefault:
        ChooseFromDefaults();
        return true;
    default:
        return fw::Dialog::EvCommand(id);
    }
}

void Locate::SelectionChanged(int item)
{
    // The edits belong to the site that was shown, under the name typed for it (the box has
    // already put the picked item's text into its edit field).
    ReadDialog(typedName_);
    const long index = combo_->GetItemData(item);
    if (index < 0 || index >= Count())
        return;
    site_ = entries_[static_cast<std::size_t>(index)];
    ShowSite();
}

void Locate::DeleteEntry()
{
    if (combo_->GetCount() <= 1) {
        EnableControl(kDelete, false);
        return;
    }
    const std::string typed = combo_->GetText();
    ReadDialog(typed);
    ShowSite();
    // The entry named in the box goes, and no other.
    const int index = FindEntry(typed);
    if (index < 0)
        return;
    entries_.erase(entries_.begin() + index);
    site_ = entries_.front();
    RefillCombo();
    EnableDelete();
    ShowSite();
}

void Locate::ChooseFromDefaults()
{
    ReadDialog(combo_->GetText());
    CountryDlg chooser(this, siteListFile_, kHelpContext);
    if (chooser.Execute() != fw::IDOK)
        return;
    const LocationData& chosen = chooser.Chosen();
    site_ = LLposit(static_cast<double>(chosen.latitude), static_cast<double>(chosen.longitude), chosen.name);
    ShowSite();
}
