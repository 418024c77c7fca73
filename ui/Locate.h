// "OBSERVATION LOCATION": the user's own list of up to 50 sites, kept in the preferred-location
// file, with the latitude and longitude of the shown site as degrees, minutes and seconds and
// a way to pick a site from the shipped site list.
//
// Preferred-location file, in the persistent streams: the signature, the version word 4, the
// count of entries (at most 50), the entries (latitude and longitude as doubles, name), and
// the signature again.
#pragma once

#include "framework/gui/Dialog.h"
#include "ui/LLposit.h"

#include <string>
#include <vector>

namespace fw { class ComboBox; }
class spinner;

class Locate : public fw::Dialog {
public:
    enum ControlId {
        kSiteCombo = 101,
        kLatDegrees = 102, kLatMinutes = 107, kLatSeconds = 108,
        kLonDegrees = 109, kLonMinutes = 110, kLonSeconds = 111,
        kNorth = 103, kSouth = 104, kEast = 105, kWest = 106,
        kChooseDefault = 112, kDelete = 113,
    };
    static constexpr int kMaxEntries = 50;
    static constexpr int kHelpContext = 82;
    static constexpr std::int32_t kVersion = 4;
    static const char* const kSignature;
    static const char* const kFullListMessage;

    // The paths of the preferred-location file and of the shipped site list; either may be
    // empty. The current site starts as the default site; the caller then sets its own.
    Locate(QWidget* parent, const std::string& preferredFile, const std::string& siteListFile);

    // The current site: set before running the dialog, read after OK.
    const LLposit& Site() const { return site_; }
    void SetSite(const LLposit& site) { site_ = site; }

    int Count() const { return static_cast<int>(entries_.size()); }
    const LLposit& Entry(int index) const { return entries_.at(static_cast<std::size_t>(index)); }
    // True when the preferred file exists but could not be read whole.
    bool PreferredFileDamaged() const { return damaged_; }

protected:
    void SetupWindow() override;
    void CmOk() override;
    bool EvCommand(int id) override;

private:
    void ShowSite();
    // Takes the position and the typed name into the current site and stores it in the list.
    void ReadDialog(const std::string& typedName);
    // False, with a message, when the fields give more than 90 degrees of latitude or 180 of
    // longitude.
    bool PositionWithinLimits();
    void StoreCurrentSite();
    void AddComboEntry(int index);
    void RefillCombo();
    int FindEntry(const std::string& name) const;
    void EnableDelete();
    void SelectionChanged(int item);
    void DeleteEntry();
    void ChooseFromDefaults();
    void ReadPreferredFile();
    void WritePreferredFile();

    std::string preferredFile_;
    std::string siteListFile_;
    LLposit site_;
    std::vector<LLposit> entries_;
    bool damaged_ = false;
    std::string typedName_;
    fw::ComboBox* combo_;
    spinner* spinners_[6];
};
