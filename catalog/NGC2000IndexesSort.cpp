// Sorting the filtered and the observing list: each entry gets one composite key made of up
// to four sort keys, and the list is heap-sorted by it.
#include "catalog/NGC2000Indexes.h"

#include "astro/ObsSite.h"
#include "catalog/ElevationMap.h"
#include "catalog/ObjectFlags.h"
#include "catalog/SessionTime.h"
#include "catalog/SortKeys.h"
#include "catalog/StatusReport.h"
#include "framework/gui/MessageBox.h"
#include "globals/Globals.h"
#include "ui/TStatusDlg.h"

#include <cmath>

namespace {

// One key per position of the list being sorted.
float SortKeyArray[CatalogueCapacity];

std::int32_t* ListRows(int list)
{
    return list == Browser::kFilteredList ? FilteredList : list == Browser::kObservingList ? ObservingList : nullptr;
}

// Heap sort of n keys ascending, carrying the rows along. Positions run from 1 to n as in
// the classic formulation; a sift moves to the larger child and stops at a child that is not
// larger than the sifted key.
void HeapSort(float* keyArray, std::int32_t* rowArray, int n)
{
    if (n < 2)
        return;
    auto key = [keyArray](int i) -> float& { return keyArray[i - 1]; };
    auto row = [rowArray](int i) -> std::int32_t& { return rowArray[i - 1]; };
    int l = (n >> 1) + 1;
    int ir = n;
    TStatusDlg* status = StatusWindow;
    for (int step = 0;; ++step) {
        float k;
        std::int32_t r;
        if (l > 1) {
            --l;
            k = key(l);
            r = row(l);
        } else {
            k = key(ir);
            r = row(ir);
            key(ir) = key(1);
            row(ir) = row(1);
            if (--ir == 1) {
                key(1) = k;
                row(1) = r;
                break;
            }
        }
        int i = l;
        int j = l + l;
        while (j <= ir) {
            if (j < ir && key(j) < key(j + 1))
                ++j;
            if (k < key(j)) {
                key(i) = key(j);
                row(i) = row(j);
                i = j;
                j <<= 1;
            } else {
                break;
            }
        }
        key(i) = k;
        row(i) = r;
        if (status)
            status->StepProgress(std::uint32_t(step), std::uint32_t(n + n / 2), 10);
    }
}

} // namespace

const float* NGC2000Indexes::SortKeyValues() const
{
    return SortKeyArray;
}

void NGC2000Indexes::MakeSortKeys()
{
    sortApplied_.SelectList(Selected());
    StatusLine("Creating Sort Index");
    const std::int32_t* rows = ListRows(Selected());
    const int n = Count();
    if (!rows || n <= 0)
        return;

    int codes[4], directions[4], ranges[4];
    bool timeKeys = false;
    for (int k = 0; k < 4; ++k) {
        codes[k] = sortApplied_.Key(k + 1);
        directions[k] = sortApplied_.Direction(k + 1);
        ranges[k] = ::SortKeys::Range(codes[k]);
        timeKeys = timeKeys || (codes[k] == kSortObservationOrder ||
                                (codes[k] >= kSortRiseLST && codes[k] <= kSortTransitLMT));
    }

    // The sidereal times of the night, needed by the time keys only.
    const ObsSite& site = SessionTime::Site();
    ::SortKeys::Context c;
    if (timeKeys) {
        const JulianDate midnight = site.MidnightOfNight(SessionTime::Now());
        c.midnightSiderealDegrees = SessionTime::SiderealHours(midnight) * 15.0;
        c.sessionSiderealHours = SessionTime::SessionMiddleSiderealHours(
            applied_.sessionStartHour, applied_.sessionStartMinute, applied_.sessionEndHour,
            applied_.sessionEndMinute);
    }
    c.latitudeDegrees = site.Latitude().Degrees();
    // The elevation keys read the elevation table: one made for another site's latitude is
    // made again for this one first.
    if (TheElevationMap.Window().latitude != c.latitudeDegrees)
        TheElevationMap.Generate(applied_.WindowAt(c.latitudeDegrees));
    c.sinLatitude = std::sin(site.Latitude().Radians());
    c.cosLatitude = std::cos(site.Latitude().Radians());
    c.map = &TheElevationMap;
    c.names = names_.get();

    TStatusDlg* status = StatusWindow;
    const int limit = n < CatalogueCapacity ? n : CatalogueCapacity;
    for (int p = 0; p < limit; ++p) {
        const int row = rows[p];
        double key = 0, scale = 1;
        if (row >= 0 && row < CatalogueCapacity) {
            // Key 4 is the least significant.
            for (int k = 3; k >= 0; --k) {
                if (ranges[k] == 1)
                    continue;  // "Ignore": no value, no range
                const int v = ::SortKeys::Directed(codes[k], directions[k], ::SortKeys::Value(codes[k], row, c));
                key += v * scale;
                scale *= ranges[k];
            }
        }
        SortKeyArray[p] = float(key);
        if (status)
            status->StepProgress(std::uint32_t(p), std::uint32_t(limit), 10);
    }
}

int NGC2000Indexes::Sort()
{
    ClearTemporaryObject();
    const int list = Selected();
    if (list != kFilteredList && list != kObservingList)
        return 0;
    sortApplied_.SelectList(list);
    if (Count() > 500) {
        for (int k = 1; k <= 4; ++k) {
            const int code = sortApplied_.Key(k);
            if (code != kSortRiseLMT && code != kSortSetLMT)
                continue;
            const int answer = fw::MessageBox(nullptr,
                                          "Sorting many objects by LMT rise/set may take some time. Do you "
                                          "wish to continue?",
                                          "Excessive Processing Time Possible", fw::MB_YESNO | fw::MB_ICONQUESTION);
            if (answer == fw::IDNO) {
                fw::MessageBox(nullptr, "Reduce the number of objects by refiltering or select faster sort options",
                           "Recommendation...", fw::MB_OK);
                return 0;
            }
        }
    }
    if (list == kObservingList) {
        StatusLine("Sorting Observing List Records");
        observingListChanged_ = true;
    } else {
        StatusLine("Sorting Filtered Records");
    }
    // The keys and the sort each move the bar from 0, whatever an earlier operation left.
    StatusLine("Creating Hash Table...");
    if (StatusWindow) StatusWindow->SetProgress(0);
    MakeSortKeys();
    StatusLine("Sorting Records...");
    const int n = Count();
    if (n < 2)
        return 0;
    std::int32_t* rows = ListRows(list);
    if (StatusWindow) StatusWindow->SetProgress(0);
    HeapSort(SortKeyArray, rows, n < CatalogueCapacity ? n : CatalogueCapacity);
    StatusLine("Sorting Records Complete");
    // A finished sort shows a full bar, not an empty one that looks as if nothing was done.
    if (StatusWindow) {
        StatusWindow->SetProgress(100);
        StatusWindow->HideUnlessPinned();
    }
    First();
    return 1;
}

bool NGC2000Indexes::SetSortCriteria(const SortCriteria& criteria, bool sortNow)
{
    SortCriteria copy = criteria;
    sortApplied_.Assign(copy);
    sortRequested_.Assign(sortApplied_);
    if (sortNow)
        Sort();
    return true;
}
