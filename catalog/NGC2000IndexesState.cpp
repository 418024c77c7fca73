// The catalogue database's object lists (filtered, observing, log) and the saved state of
// filters and lists in "indexes.rsx" and planner documents.
#include "catalog/NGC2000Indexes.h"

#include "framework/stream/AtomicFile.h"
#include "astro/ObsSite.h"
#include "astro/SignedStreamRecord.h"
#include "catalog/ElevationMap.h"
#include "catalog/NamedObjects.h"
#include "catalog/ObjectFlags.h"
#include "catalog/SessionTime.h"
#include "catalog/StatusReport.h"
#include "framework/gui/MessageBox.h"
#include "framework/stream/PStream.h"
#include "ui/UserFile.h"

#include <cstdio>
#include <vector>


namespace {

constexpr std::uint32_t kStateVersion = 5;

void ReadError(const char* text)
{
    fw::MessageBox(nullptr, text, "ERROR", fw::MB_OK | fw::MB_ICONEXCLAMATION);
}

ObjectId ObjectOfRow(int row)
{
    if (row < 0 || row >= CatalogueCapacity)
        return ObjectId();
    return ObjectId::FromCatalogue(ObjectId::kNgcCatalogue,
                                   ObjectNumberOfCatalogueNumber(NGCTable.catalogueNumber[row]));
}

} // namespace

// ---- Moving through the lists ----

ObjectId NGC2000Indexes::CurrentObject() const
{
    if (temporary_ != ObjectId())
        return temporary_;
    const int i = Index();
    int row = 0;
    if (i >= 0 && i < CatalogueCapacity) {
        if (Selected() == kFilteredList)
            row = FilteredList[i];
        else if (Selected() == kObservingList)
            row = ObservingList[i];
    }
    return ObjectOfRow(row);
}

ObjectId NGC2000Indexes::FirstObject()
{
    First();
    ClearTemporaryObject();
    return CurrentObject();
}

ObjectId NGC2000Indexes::LastObject()
{
    Last();
    ClearTemporaryObject();
    return CurrentObject();
}

ObjectId NGC2000Indexes::NextObject()
{
    Next();
    ClearTemporaryObject();
    return CurrentObject();
}

ObjectId NGC2000Indexes::PreviousObject()
{
    Previous();
    ClearTemporaryObject();
    return CurrentObject();
}

bool NGC2000Indexes::GoToObject(ObjectId id, int list)
{
    const int row = RowIndex(id);
    if (row < 0)
        return false;
    if (list == -1)
        list = Selected();
    if (list != kFilteredList && list != kObservingList)
        return false;
    if (!(list == kFilteredList ? IsOnFilteredList(id) : IsOnObservingList(id)))
        return false;
    const std::int32_t* entries = list == kFilteredList ? FilteredList : ObservingList;
    const int n = CountOf(list);
    for (int p = 0; p < n && p < CatalogueCapacity; ++p)
        if (entries[p] == row) {
            GoTo(p);
            return true;
        }
    return false;
}

// ---- The observing list ----

void NGC2000Indexes::SetCountOf(int list, int count)
{
    const int previous = Selected();
    SelectList(list);
    SetCount(count);
    SelectList(previous);
}

bool NGC2000Indexes::IsOnObservingList(ObjectId id) const
{
    const int row = RowIndex(id);
    return row >= 0 && (ObjectFlags[row] & ObjectFlag::kObservingList) != 0;
}

int NGC2000Indexes::AddToObservingList(ObjectId id)
{
    if (id.Catalogue() != ObjectId::kNgcCatalogue)
        return 0;
    return AddRowToObservingList(RowIndex(id));
}

int NGC2000Indexes::RemoveFromObservingList(ObjectId id)
{
    if (id.Catalogue() != ObjectId::kNgcCatalogue)
        return 0;
    return RemoveRowFromObservingList(RowIndex(id));
}

int NGC2000Indexes::AddRowToObservingList(int row)
{
    if (row < 0 || row >= CatalogueCapacity || (ObjectFlags[row] & ObjectFlag::kObservingList))
        return 0;
    const int n = CountOf(kObservingList);
    if (n >= CatalogueCapacity)
        return 0;
    ObservingList[n] = row;
    ObjectFlags[row] |= ObjectFlag::kObservingList;
    SetCountOf(kObservingList, n + 1);
    observingListChanged_ = true;
    return n + 1;
}

int NGC2000Indexes::RemoveRowFromObservingList(int row)
{
    if (row < 0 || row >= CatalogueCapacity)
        return 0;
    ObjectFlags[row] &= std::uint16_t(~ObjectFlag::kObservingList);
    const int n = CountOf(kObservingList);
    for (int p = 0; p < n; ++p) {
        if (ObservingList[p] != row)
            continue;
        for (int q = p; q + 1 < n; ++q)
            ObservingList[q] = ObservingList[q + 1];
        ObservingList[n - 1] = 0;
        SetCountOf(kObservingList, n - 1);
        observingListChanged_ = true;
        return n - 1;
    }
    return 0;
}

void NGC2000Indexes::ClearObservingList()
{
    for (int r = 0; r < CatalogueCapacity; ++r) {
        ObservingList[r] = 0;
        ObjectFlags[r] &= std::uint16_t(~ObjectFlag::kObservingList);
    }
    SelectList(kObservingList);
    SetCount(0);
    observingListChanged_ = true;
    SelectList(kFilteredList);
    UpdateState();
}

void NGC2000Indexes::AddFilteredToObservingList()
{
    const int n = CountOf(kFilteredList);
    for (int p = 0; p < n && p < CatalogueCapacity; ++p)
        AddRowToObservingList(FilteredList[p]);
}

// ---- Texts ----

std::string NGC2000Indexes::ListPositionText()
{
    if (temporary_ != ObjectId()) {
        positionText_ = "Temporary Object";
        return positionText_;
    }
    const std::string position = std::to_string(Index() + 1) + " of " + std::to_string(Count()) + " ";
    const ObjectId current = CurrentObject();
    switch (Selected()) {
    case kFilteredList:
        positionText_ = IsOnFilteredList(current) ? position + "Filtered List Objects" : "Object Not on Filtered List";
        break;
    case kObservingList:
        positionText_ =
            IsOnObservingList(current) ? position + "Observing List Objects" : "Object Not on Observing List";
        break;
    default:
        positionText_ = position + "Observing Log Objects";
        break;
    }
    return positionText_;
}

std::string NGC2000Indexes::FullName(ObjectId id) const
{
    if (id.Catalogue() == ObjectId::kNgcCatalogue) {
        const int row = RowIndex(id);
        if (row < 0)
            return "";
        const std::int32_t k = NGCTable.catalogueNumber[row];
        std::string text = k > 10000 ? "IC " + std::to_string(k - 10000) : "NGC " + std::to_string(k);
        if (names_) {
            const std::string common = names_->CommonName(id);
            if (!common.empty())
                text += " = " + common;
        }
        const std::string messier = NamedObjects::MessierDesignation(k);
        if (!messier.empty())
            text += " = " + messier;
        const std::string herschel = NamedObjects::HerschelDesignation(k);
        if (!herschel.empty())
            text += " = " + herschel;
        return text;
    }
    if (id.Catalogue() == ObjectId::kSolarSystemCatalogue) {
        static const char* const bodies[] = {"Sun",    "Mercury", "Venus",   "Moon",    "Mars",
                                             "Jupiter", "Saturn", "Uranus", "Neptune", "Pluto"};
        const std::uint32_t number = id.Number();
        if (number >= 0x300 && number <= 0x3FF)
            return "Moon";
        const std::uint32_t body = number / 256;
        return body < 10 ? bodies[body] : "";
    }
    return "";
}

// ---- Saved state ----

bool NGC2000Indexes::Write(fw::opstream& os)
{
    using R = SignedStreamRecord;
    R::WriteHeader(os, R::NGC2000Database, kStateVersion);
    Browser::Write(os);
    applied_.Write(os);
    sortApplied_.Write(os);
    for (int r = 0; r < CatalogueRowCount; ++r)
        os.writeWord16(ObjectFlags[r]);
    const int n = CountOf(kObservingList);
    for (int p = 0; p < n && p < CatalogueCapacity; ++p)
        WriteObjectId(os, ObjectOfRow(ObservingList[p]));
    R::WriteSignature(os, R::NGC2000Database);
    return !os.fail();
}

bool NGC2000Indexes::ParseState(fw::ipstream& is, StateBlock& block, const char** error) const
{
    using R = SignedStreamRecord;
    const auto refuse = [error](const char* text) {
        if (error) *error = text;
        return false;
    };
    if (R::ReadSignature(is) != R::NGC2000Database || is.fail())
        return refuse("Error Reading Indexes Filte Signature");
    is.readWord32();  // version, not checked
    block.browser = Browser::ReadBlock(is);
    // A block without altitude limits keeps the ones in use.
    block.filters = FilterSettings();
    block.filters.minAltitude = applied_.minAltitude;
    block.filters.maxAltitude = applied_.maxAltitude;
    block.filters.Read(is);
    if (!block.filters.valid)
        return refuse("Error Reading Index Filter");
    block.sort = SortCriteria();
    block.sort.Read(is);
    if (!block.sort.valid)
        return refuse("Error Reading Sort Criteria");
    if (is.fail() || !block.browser.IsWhole(CatalogueRowCount))
        return refuse("Error Reading Indexes File");
    block.flags.assign(CatalogueRowCount, 0);
    for (std::uint16_t& f : block.flags)
        f = is.readWord16();
    block.observing.assign(std::size_t(block.browser.count[kObservingList]), ObjectId());
    for (ObjectId& id : block.observing) {
        id = ReadObjectId(is);
        if (id == ObjectId() || is.fail())
            return refuse("Error Reading Obslist");
    }
    const std::string closing = R::ReadSignature(is);
    if (is.fail())
        return refuse("Error Reading Indexes File");
    // A damaged closing signature after a block read whole: the block is kept (the observing
    // list above all) and the damage reported.
    if (closing != R::NGC2000Database) {
        block.closingDamaged = true;
        if (error) *error = "Error Reading Indexes File";
    }
    return true;
}

void NGC2000Indexes::TakeState(const StateBlock& block)
{
    Take(block.browser, CatalogueRowCount);
    applied_.Assign(block.filters);
    applied_.valid = 1;
    applied_.elevationWindow = applied_.WindowAt(SessionTime::Site().Latitude().Degrees());
    requested_.Assign(applied_);
    SortCriteria sort = block.sort;
    sortApplied_.Assign(sort);
    sortRequested_.Assign(sortApplied_);
    for (int r = 0; r < CatalogueRowCount; ++r)
        ObjectFlags[r] = std::uint16_t(block.flags[std::size_t(r)] & ObjectFlag::kUsedBits);
    ClearObservingList();
    for (ObjectId id : block.observing)
        AddToObservingList(id);  // objects of other catalogues have no row and are left out
    SelectList(kObservingList);
    GoTo(block.browser.index[kObservingList]);

    TheElevationMap.Generate(applied_.elevationWindow);
    stageCache_ = ObjectFlag::kAllCriteria & ~(ObjectFlag::kElevation | ObjectFlag::kHistory);
    recountGroups_ = true;
    observingListChanged_ = false;
    SelectList(kFilteredList);
    Refilter();  // reruns the elevation and history stages; sorts the filtered list
    StatusGauge(50);
    SelectList(kFilteredList);
    StatusGauge(75);
    stateRead_ = true;
}

bool NGC2000Indexes::Read(fw::ipstream& is)
{
    StatusLine("Initializing Filter State");
    StatusGauge(0);
    stateRead_ = false;
    stateDamaged_ = false;
    // Everything is read into temporaries first and taken only when the block is whole.
    StateBlock block;
    const char* error = nullptr;
    if (!ParseState(is, block, &error)) {
        ReadError(error);
        return false;
    }
    if (block.closingDamaged) {
        ReadError(error);
        stateDamaged_ = true;
    }
    StatusGauge(25);
    TakeState(block);
    return true;
}

void NGC2000Indexes::RestoreState()
{
    fw::RemoveStaleTemporaries(StateFilePath());
    fw::ifpstream is(StateFilePath());
    if (is.is_open() && Read(is))
        return;
    // No saved state (the first start) or a damaged one (already reported): the defaults,
    // an empty observing list, filtered afresh.
    ClearObservingList();
    observingListChanged_ = false;
    stageCache_ = 0;
    SelectList(kFilteredList);
    Refilter();
}

bool NGC2000Indexes::SaveState()
{
    fw::omstream os;
    if (!Write(os))
        return false;
    // Replaced in one step, so that a failed write never leaves a damaged state file; a failure
    // is said. A damaged file was kept aside when the program started.
    return UserFile::Save(StateFilePath(), os.str(), false, "catalogue state");
}
