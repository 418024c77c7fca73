// NGC2000Indexes: the catalogue database. This part holds the catalogue table read from
// "ngc2k.rsx", the Dreyer descriptions read on demand from "dreyer.rsx", the common names,
// the look-up of objects by identifier and by typed name, and the stage-cache word that the
// filter pipeline keeps and the observing log invalidates.
#pragma once

#include "catalog/Browser.h"
#include "catalog/CatalogueTable.h"
#include "catalog/FilterSettings.h"
#include "catalog/ObjectData.h"
#include "catalog/ObjectId.h"
#include "catalog/SortCriteria.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace fw { class ifpstream; }
namespace fw { class ipstream; }
namespace fw { class opstream; }
class NamedObjects;

class NGC2000Indexes : public Browser {
public:
    // Results of ReadDatabase.
    enum { ReadOk = 0, ReadNotOpened = 1, ReadBadSignature = 2, ReadBadClosingSignature = 3, ReadBadValues = 4 };
    // Stage-cache bit of the observing-history criterion.
    static constexpr std::uint32_t kHistoryStage = 0x400;

    // Reads "ngc2k.rsx" and opens "dreyer.rsx" in the directory (ending in '/'), reads
    // the common names from "comname.txt" in its "User/" folder, and restores the filter and
    // list state from "indexes.rsx" there (defaults and a fresh filtering when it is missing).
    // The destructor writes that state back.
    explicit NGC2000Indexes(const std::string& directory);
    virtual ~NGC2000Indexes();
    NGC2000Indexes(const NGC2000Indexes&) = delete;
    NGC2000Indexes& operator=(const NGC2000Indexes&) = delete;

    // Reads the catalogue table file into the program's table, reporting in the status
    // window; 0 read, 1 not opened, 2 wrong opening signature, 3 wrong closing signature.
    // Whatever was read stays in the table; rows not read are zero.
    static int ReadDatabase(const std::string& path);
    // The row of an NGC/IC object, -1 for anything else.
    static int RowIndex(ObjectId id);
    // The ObjectId of an object a user typed ("NGC 224", "IC434", "M 31"); 0 for none.
    static ObjectId ParseObjectName(const std::string& text);

    // Opens the description file; false (and no descriptions) when it cannot be opened.
    bool OpenDescriptions(const std::string& path);
    // The object's Dreyer description without trailing blanks; "" when there is none.
    std::string DreyerText(ObjectId id) const;
    // ObjectData with the Dreyer description, the full name and the list-position text.
    ObjectData GetObjectData(ObjectId id);

    // The common names, or null before they were read.
    NamedObjects* Names() const { return names_.get(); }
    const std::string& Directory() const { return directory_; }
    int RowCount() const { return rowCount_; }

    // One bit per filter stage whose result is up to date (0x1 magnitude ... 0x400 history).
    std::uint32_t StageCache() const { return stageCache_; }
    void SetStageCache(std::uint32_t word) { stageCache_ = word; }
    void ClearStageCacheBits(std::uint32_t bits) { stageCache_ &= ~bits; }

    // ---- Filter pipeline (NGC2000IndexesFilter.cpp) ----
    // Runs every stage whose parameters changed, rebuilds and sorts the filtered list;
    // returns its length.
    int Refilter();
    // The flag bits a row must carry to be on the filtered list: the requested criteria that
    // are switched on (the history criterion only while an observing log is open).
    std::uint16_t ActiveFilterMask() const;
    // Counts (and when fill is set, lists) the rows carrying every active bit. Takes the
    // requested switched-on criteria as applied first, as IsOnFilteredList does.
    int BuildFilteredList(bool fill);
    bool IsOnFilteredList(ObjectId id);
    FilterSettings GetFilterSettings() const { return applied_; }
    const FilterSettings& RequestedFilterSettings() const { return requested_; }
    // Takes the settings; refilters when they differ from the applied ones, or when forced
    // (which also makes every stage run again).
    bool SetFilterSettings(const FilterSettings& settings, bool force);

    // ---- Sorting (NGC2000IndexesSort.cpp) ----
    // Sorts the selected list (0 or 1) by the applied sort criteria; 1 sorted, 0 not.
    int Sort();
    // Fills the sort-key array for the selected list.
    void MakeSortKeys();
    const float* SortKeyValues() const;
    SortCriteria GetSortCriteria() const { return sortApplied_; }
    bool SetSortCriteria(const SortCriteria& criteria, bool sortNow);

    // ---- Lists and saved state (NGC2000IndexesState.cpp) ----
    ObjectId CurrentObject() const;
    ObjectId FirstObject();
    ObjectId LastObject();
    ObjectId NextObject();
    ObjectId PreviousObject();
    bool GoToObject(ObjectId id, int list = -1);
    ObjectId TemporaryObject() const { return temporary_; }
    void SetTemporaryObject(ObjectId id) { temporary_ = id; }
    void ClearTemporaryObject() { temporary_ = ObjectId(); }

    bool IsOnObservingList(ObjectId id) const;
    int AddToObservingList(ObjectId id);
    int RemoveFromObservingList(ObjectId id);
    int AddRowToObservingList(int row);
    int RemoveRowFromObservingList(int row);
    void ClearObservingList();
    void AddFilteredToObservingList();
    bool ObservingListChanged() const { return observingListChanged_; }
    void SetObservingListChanged(bool changed) { observingListChanged_ = changed; }

    // "2 of 12 Filtered List Objects" and the like; kept as the last position text.
    std::string ListPositionText();
    const std::string& LastListPositionText() const { return positionText_; }
    // "NGC 224 = Great Nebula in Andromeda = M 31", "Moon", "Jupiter".
    std::string FullName(ObjectId id) const;

    // The database state block of "indexes.rsx" and planner documents. Read takes a block
    // only when it is whole and reports a damaged one; false then, and nothing changed.
    bool Write(fw::opstream& os);
    bool Read(fw::ipstream& is);
    // A state block as read, before the database takes it.
    struct StateBlock {
        Browser::Block browser;
        FilterSettings filters;
        SortCriteria sort;
        std::vector<std::uint16_t> flags;
        std::vector<ObjectId> observing;
        bool closingDamaged = false;  // all read whole but the closing signature
    };
    // Reads a block without taking it; false for a damaged one, with the reader's message.
    bool ParseState(fw::ipstream& is, StateBlock& block, const char** error) const;
    // Takes a whole block: lists, filters, sort order, object flags; refilters.
    void TakeState(const StateBlock& block);
    bool StateRead() const { return stateRead_; }
    // The state was taken, but its file was damaged after it (so the file is to be kept aside
    // before it is replaced).
    bool StateDamaged() const { return stateDamaged_; }
    // What reading the catalogue table gave at construction (ReadOk when it was read whole).
    int CatalogueReadResult() const { return catalogueRead_; }
    std::string StateFilePath() const { return directory_ + "indexes.rsx"; }
    // Reads the state file, or starts from the defaults when there is none.
    void RestoreState();
    // Writes the state file in place of the old one; false when it could not be written.
    bool SaveState();

protected:
    // Filter stages; each returns its pass count.
    int ConstellationStage();
    int RaDecStage();
    int ElevationStage();
    int DreyerBrightnessStage();
    int MagnitudeStage();
    int DreyerSizeStage();
    int DiameterStage();
    int NameStage();
    int HistoryStage();
    int ShapeStage();
    int TypeStage();
    // Takes the requested switched-on criteria as the applied ones.
    void TakeEnabledCriteria();
    // A count of the filter record's table, kept alike in the requested and applied records.
    int StoreCount(int entry, int count);
    // The count of a stage whose cache held: the one it last made.
    int CachedCount(int entry);
    // The count of a stage that ran; its bit is marked cached and run in this filtering.
    int StageRan(int entry, std::uint16_t bit, int count);
    int CountRowsWith(std::uint16_t bits) const;
    // Sets the count of a list, the selected list staying selected.
    void SetCountOf(int list, int count);
    int AddRowsToObservingList(const int* rows, int n);

    std::string directory_;
    std::unique_ptr<fw::ifpstream> dreyer_;
    std::unique_ptr<NamedObjects> names_;
    std::uint32_t stageCache_ = 0;
    int rowCount_ = CatalogueRowCount;

    ObjectId temporary_;
    std::string positionText_;
    FilterSettings requested_;
    SortCriteria sortRequested_;
    FilterSettings applied_;
    SortCriteria sortApplied_;
    int rowCursor_ = 0;
    bool observingListChanged_ = false;
    bool stateRead_ = false;
    bool stateDamaged_ = false;
    // What the elevation stage last ran with besides its settings: the reference sidereal
    // time (hours) and the site's longitude (degrees).
    double elevationReference_ = 0;
    double elevationLongitude_ = 0;
    // Stages that ran in the current filtering, and whether the group counts (position,
    // brightness, size) must be made again whatever ran.
    std::uint32_t stagesRun_ = 0;
    bool recountGroups_ = true;
    int catalogueRead_ = ReadNotOpened;
};
