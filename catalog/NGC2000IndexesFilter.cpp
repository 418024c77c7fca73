// The filter pipeline of the catalogue database: every criterion marks, for every row, its
// bit in the row's flag word; a stage reruns only when its parameters changed since it last
// ran; the criteria switched on decide which bits a row needs to be on the filtered list.
#include "catalog/NGC2000Indexes.h"

#include "astro/ObsSite.h"
#include "catalog/ElevationMap.h"
#include "catalog/NamedObjects.h"
#include "catalog/ObjectFlags.h"
#include "catalog/SAC110.h"
#include "catalog/SessionTime.h"
#include "globals/Globals.h"
#include "ui/TStatusDlg.h"

namespace {

// Rows between two steps of the status gauge.
constexpr int kGaugeRows = 51;

// Bit n of a mask; bits past 31 are never set.
inline bool MaskBit(std::int32_t mask, unsigned n)
{
    return n < 32 && ((std::uint32_t(mask) >> n) & 1u);
}

// Dreyer-code test shared by brightness, size and shape: code c from 1 passes with bit c-1,
// code 0 passes unless the mask's no-code bit is set.
inline bool DreyerCodePasses(unsigned code, std::int32_t mask, std::int32_t noCodeBit)
{
    return code != 0 ? MaskBit(mask, code - 1) : (mask & noCodeBit) == 0;
}

// One pass over the rows: clears the stage's bit, sets it where the test passes, counts the
// passing rows. The status line is shown and the gauge moved every 51 rows.
template <typename Test>
int RunStage(std::uint16_t bit, const char* statusLine, int rows, Test test)
{
    TStatusDlg* status = StatusWindow;
    if (status)
        status->Message(statusLine, true);
    const std::uint16_t keep = std::uint16_t(~bit);
    int count = 0;
    for (int start = 0; start < rows; start += kGaugeRows) {
        const int end = start + kGaugeRows < rows ? start + kGaugeRows : rows;
        for (int r = start; r < end; ++r) {
            const bool pass = test(r);
            ObjectFlags[r] = std::uint16_t((ObjectFlags[r] & keep) | (pass ? bit : 0));
            count += pass;
        }
        if (status && end < rows)
            status->SetProgress(std::uint32_t(end * 100 / rows));
    }
    return count;
}

const SAC110& SacList()
{
    static const SAC110 list;
    return list;
}

} // namespace

int NGC2000Indexes::CountRowsWith(std::uint16_t bits) const
{
    int count = 0;
    for (int r = 0; r < rowCount_; ++r)
        count += (ObjectFlags[r] & bits) == bits;
    return count;
}

void NGC2000Indexes::TakeEnabledCriteria()
{
    applied_.SetEnabledCriteria(requested_.EnabledCriteria());
}

std::uint16_t NGC2000Indexes::ActiveFilterMask() const
{
    const std::int32_t enabled = requested_.EnabledCriteria();
    std::uint16_t mask = std::uint16_t(enabled & ObjectFlag::kAllCriteria);
    if (!ObservingLogOpen)
        mask &= std::uint16_t(~ObjectFlag::kHistory);
    if (mask & ObjectFlag::kPositionGroup)
        mask = std::uint16_t((mask & ~ObjectFlag::kPositionGroup) |
                             (requested_.positionCriteria & ObjectFlag::kPositionGroup));
    if (mask & ObjectFlag::kBrightnessGroup)
        mask = std::uint16_t((mask & ~ObjectFlag::kBrightnessGroup) |
                             (requested_.brightnessCriteria & ObjectFlag::kBrightnessGroup));
    if (mask & ObjectFlag::kSizeGroup)
        mask = std::uint16_t((mask & ~ObjectFlag::kSizeGroup) |
                             (requested_.sizeCriteria & ObjectFlag::kSizeGroup));
    return mask;
}

int NGC2000Indexes::BuildFilteredList(bool fill)
{
    TakeEnabledCriteria();
    const std::uint16_t mask = ActiveFilterMask();
    if (fill)
        for (int r = 0; r < rowCount_; ++r)
            FilteredList[r] = 0;
    int count = 0;
    for (int r = 0; r < rowCount_; ++r) {
        if ((ObjectFlags[r] & mask) == mask) {
            if (fill)
                FilteredList[count] = r;
            ++count;
        }
    }
    SetCountOf(kFilteredList, count);
    return count;
}

bool NGC2000Indexes::IsOnFilteredList(ObjectId id)
{
    const int row = RowIndex(id);
    if (row < 0)
        return false;
    TakeEnabledCriteria();
    const std::uint16_t mask = ActiveFilterMask();
    return (ObjectFlags[row] & mask) == mask;
}

bool NGC2000Indexes::SetFilterSettings(const FilterSettings& settings, bool force)
{
    requested_.Assign(settings);
    if (force)
        stageCache_ = 0;
    if (requested_ != applied_ || force)
        Refilter();
    return true;
}

int NGC2000Indexes::Refilter()
{
    using FS = FilterSettings;
    ClearTemporaryObject();

    stagesRun_ = 0;
    // A group's count is made again when one of its stages ran or its members changed.
    auto groupCount = [&](int entry, std::uint16_t group, std::int32_t requestedBits, std::int32_t appliedBits) {
        const std::uint16_t bits = std::uint16_t(requestedBits & group);
        if (recountGroups_ || (stagesRun_ & group) || bits != (appliedBits & group))
            StoreCount(entry, CountRowsWith(bits));
        else
            CachedCount(entry);
    };

    // Position.
    ConstellationStage();
    RaDecStage();
    ElevationStage();
    groupCount(FS::kPassPosition, ObjectFlag::kPositionGroup, requested_.positionCriteria,
               applied_.positionCriteria);
    applied_.positionCriteria = requested_.positionCriteria;

    // Brightness.
    DreyerBrightnessStage();
    MagnitudeStage();
    groupCount(FS::kPassBrightness, ObjectFlag::kBrightnessGroup, requested_.brightnessCriteria,
               applied_.brightnessCriteria);
    applied_.brightnessCriteria = requested_.brightnessCriteria;

    // Size: with no member in force every row passes.
    DreyerSizeStage();
    DiameterStage();
    if ((requested_.sizeCriteria & ObjectFlag::kSizeGroup) == 0)
        StoreCount(FS::kPassSize, rowCount_);
    else
        groupCount(FS::kPassSize, ObjectFlag::kSizeGroup, requested_.sizeCriteria, applied_.sizeCriteria);
    applied_.sizeCriteria = requested_.sizeCriteria;
    recountGroups_ = false;

    ShapeStage();
    TypeStage();
    NameStage();
    if (ObservingLogOpen) {
        HistoryStage();
    } else {
        // The count shown without a log is 0; the stage runs afresh once a log is open again,
        // so that its count is not taken from that 0.
        StoreCount(FS::kPassHistory, 0);
        stageCache_ &= ~std::uint32_t(ObjectFlag::kHistory);
    }

    const int previous = Selected();
    SelectList(kFilteredList);
    StoreCount(FS::kPassAll, BuildFilteredList(true));
    Sort();
    First();
    SelectList(previous);
    return applied_.passCounts[FS::kPassAll];
}

// ---- The stages ----

namespace {
// Cache hit: the stage's bit is set and its parameters did not change.
inline bool CacheHit(std::uint32_t cache, std::uint16_t bit, bool sameParameters)
{
    return (cache & bit) != 0 && sameParameters;
}
} // namespace

int NGC2000Indexes::StoreCount(int entry, int count)
{
    requested_.passCounts[entry] = applied_.passCounts[entry] = count;
    return count;
}

int NGC2000Indexes::CachedCount(int entry)
{
    return StoreCount(entry, applied_.passCounts[entry]);
}

int NGC2000Indexes::StageRan(int entry, std::uint16_t bit, int count)
{
    stageCache_ |= bit;
    stagesRun_ |= bit;
    return StoreCount(entry, count);
}

int NGC2000Indexes::ConstellationStage()
{
    constexpr int entry = FilterSettings::kPassConstellation;
    if (CacheHit(stageCache_, ObjectFlag::kConstellation, requested_.constellations == applied_.constellations))
        return CachedCount(entry);
    const ConstellationSet set = requested_.constellations;
    const std::uint8_t* code = NGCTable.constellation;
    const int n = RunStage(ObjectFlag::kConstellation, "Filtering By Constellation..", rowCount_,
                           [&](int r) { return set.Contains(code[r]); });
    applied_.constellations = requested_.constellations;
    return StageRan(entry, ObjectFlag::kConstellation, n);
}

int NGC2000Indexes::RaDecStage()
{
    constexpr int entry = FilterSettings::kPassRaDec;
    const FilterSettings& q = requested_;
    if (CacheHit(stageCache_, ObjectFlag::kRaDec,
                 q.raMin == applied_.raMin && q.raMax == applied_.raMax && q.decMin == applied_.decMin &&
                     q.decMax == applied_.decMax))
        return CachedCount(entry);
    const double lo = q.raMin;
    const bool wraps = q.raMin > q.raMax;
    const double hi = wraps ? q.raMax + 24.0 : q.raMax;
    const double decMin = q.decMin, decMax = q.decMax;
    const float* ra = NGCTable.ra;
    const float* dec = NGCTable.dec;
    const int n = RunStage(ObjectFlag::kRaDec, "Filtering By RA & DEC..", rowCount_, [&](int r) {
        double a = ra[r];
        if (wraps && a < lo)
            a += 24.0;
        const double d = dec[r];
        return decMin <= d && d <= decMax && lo <= a && a <= hi;
    });
    applied_.raMin = q.raMin;
    applied_.raMax = q.raMax;
    applied_.decMin = q.decMin;
    applied_.decMax = q.decMax;
    return StageRan(entry, ObjectFlag::kRaDec, n);
}

int NGC2000Indexes::ElevationStage()
{
    constexpr int entry = FilterSettings::kPassElevation;
    FilterSettings& q = requested_;
    const ObsSite& site = SessionTime::Site();
    q.elevationWindow = q.WindowAt(site.Latitude().Degrees());
    TheElevationMap.Generate(q.elevationWindow);

    // The moment the objects are looked up at: now, or the middle of tonight's session.
    const double reference =
        (q.elevationMode & FilterSettings::kElevationAtCurrentTime)
            ? SessionTime::SiderealHours(SessionTime::Now())
            : SessionTime::SessionMiddleSiderealHours(q.sessionStartHour, q.sessionStartMinute,
                                                      q.sessionEndHour, q.sessionEndMinute);
    const double longitude = site.Longitude().Degrees();

    const bool same = q.elevationMode == applied_.elevationMode &&
                      q.sessionStartHour == applied_.sessionStartHour &&
                      q.sessionStartMinute == applied_.sessionStartMinute &&
                      q.sessionEndHour == applied_.sessionEndHour &&
                      q.sessionEndMinute == applied_.sessionEndMinute &&
                      q.elevationWindow == applied_.elevationWindow && reference == elevationReference_ &&
                      longitude == elevationLongitude_;
    if (CacheHit(stageCache_, ObjectFlag::kElevation, same))
        return CachedCount(entry);

    const std::uint8_t testMask = (q.elevationMode & FilterSettings::kElevationDuringSession)
                                       ? ElevationMap::kWithinLimits | ElevationMap::kCrossedInSession
                                       : ElevationMap::kWithinLimits;
    const float* ra = NGCTable.ra;
    const float* dec = NGCTable.dec;
    const ElevationMap& map = TheElevationMap;
    const int n = RunStage(ObjectFlag::kElevation, "Filtering By Elevation...", rowCount_, [&](int r) {
        return (map.Lookup(ra[r], dec[r], reference) & testMask) != 0;
    });
    applied_.elevationMode = q.elevationMode;
    applied_.sessionStartHour = q.sessionStartHour;
    applied_.sessionStartMinute = q.sessionStartMinute;
    applied_.sessionEndHour = q.sessionEndHour;
    applied_.sessionEndMinute = q.sessionEndMinute;
    applied_.elevationWindow = q.elevationWindow;
    applied_.minAltitude = q.minAltitude;
    applied_.maxAltitude = q.maxAltitude;
    elevationReference_ = reference;
    elevationLongitude_ = longitude;
    return StageRan(entry, ObjectFlag::kElevation, n);
}

int NGC2000Indexes::DreyerBrightnessStage()
{
    constexpr int entry = FilterSettings::kPassDreyerBrightness;
    if (CacheHit(stageCache_, ObjectFlag::kDreyerBrightness,
                 requested_.dreyerBrightnessMask == applied_.dreyerBrightnessMask))
        return CachedCount(entry);
    const std::int32_t mask = requested_.dreyerBrightnessMask;
    const std::uint8_t* code = NGCTable.brightness;
    const int n = RunStage(ObjectFlag::kDreyerBrightness, "Filtering By Dreyer Brightness..", rowCount_,
                           [&](int r) { return DreyerCodePasses(code[r], mask, FilterSettings::kDreyerNoCodeFails); });
    applied_.dreyerBrightnessMask = mask;
    return StageRan(entry, ObjectFlag::kDreyerBrightness, n);
}

int NGC2000Indexes::MagnitudeStage()
{
    constexpr int entry = FilterSettings::kPassMagnitude;
    const FilterSettings& q = requested_;
    const std::int32_t noValueFails = q.brightnessCriteria & FilterSettings::kNoMagnitudeFails;
    if (CacheHit(stageCache_, ObjectFlag::kMagnitude,
                 noValueFails == (applied_.brightnessCriteria & FilterSettings::kNoMagnitudeFails) && q.magnitudeMin == applied_.magnitudeMin &&
                     q.magnitudeMax == applied_.magnitudeMax))
        return CachedCount(entry);
    const double lo = q.magnitudeMin, hi = q.magnitudeMax;
    const float* mag = NGCTable.magnitude;
    const int n = RunStage(ObjectFlag::kMagnitude, "Filtering By Magnitude..", rowCount_, [&](int r) {
        const double m = MagnitudeValue(mag[r]);
        if (m != 0)
            return lo < m && m < hi;
        return noValueFails == 0;
    });
    applied_.brightnessCriteria = (applied_.brightnessCriteria & ~FilterSettings::kNoMagnitudeFails) | noValueFails;
    applied_.magnitudeMin = lo;
    applied_.magnitudeMax = hi;
    return StageRan(entry, ObjectFlag::kMagnitude, n);
}

int NGC2000Indexes::DreyerSizeStage()
{
    constexpr int entry = FilterSettings::kPassDreyerSize;
    if (CacheHit(stageCache_, ObjectFlag::kDreyerSize, requested_.dreyerSizeMask == applied_.dreyerSizeMask))
        return CachedCount(entry);
    const std::int32_t mask = requested_.dreyerSizeMask;
    const std::uint8_t* code = NGCTable.size;
    const int n = RunStage(ObjectFlag::kDreyerSize, "Filtering By Dreyer Size...", rowCount_,
                           [&](int r) { return DreyerCodePasses(code[r], mask, FilterSettings::kDreyerNoCodeFails); });
    applied_.dreyerSizeMask = mask;
    return StageRan(entry, ObjectFlag::kDreyerSize, n);
}

int NGC2000Indexes::DiameterStage()
{
    constexpr int entry = FilterSettings::kPassDiameter;
    const FilterSettings& q = requested_;
    const std::int32_t noValueFails = q.sizeCriteria & FilterSettings::kNoDiameterFails;
    if (CacheHit(stageCache_, ObjectFlag::kDiameter,
                 noValueFails == (applied_.sizeCriteria & FilterSettings::kNoDiameterFails) && q.diameterMin == applied_.diameterMin &&
                     q.diameterMax == applied_.diameterMax))
        return CachedCount(entry);
    const double lo = q.diameterMin * 60.0, hi = q.diameterMax * 60.0;
    const float* diameter = NGCTable.diameter;
    const int n = RunStage(ObjectFlag::kDiameter, "Filtering By Diameter...", rowCount_, [&](int r) {
        const double d = diameter[r];
        if (d != 0)
            return lo < d && d < hi;
        return noValueFails == 0;
    });
    applied_.sizeCriteria = (applied_.sizeCriteria & ~FilterSettings::kNoDiameterFails) | noValueFails;
    applied_.diameterMin = q.diameterMin;
    applied_.diameterMax = q.diameterMax;
    return StageRan(entry, ObjectFlag::kDiameter, n);
}

int NGC2000Indexes::NameStage()
{
    constexpr int entry = FilterSettings::kPassName;
    if (CacheHit(stageCache_, ObjectFlag::kName, requested_.nameCriteria == applied_.nameCriteria))
        return CachedCount(entry);
    const std::int32_t criteria = requested_.nameCriteria;
    const std::int16_t* number = NGCTable.catalogueNumber;
    const NamedObjects* names = names_.get();
    const SAC110& sac = SacList();
    const int n = RunStage(ObjectFlag::kName, "Filtering By Object Name...", rowCount_, [&](int r) {
        const std::int32_t k = number[r];
        if (criteria & FilterSettings::kNameCommon) {
            const ObjectId id = ObjectId::FromCatalogue(ObjectId::kNgcCatalogue,
                                                        ObjectNumberOfCatalogueNumber(k));
            if (!names || !names->HasCommonName(id))
                return false;
        }
        if ((criteria & FilterSettings::kNameMessier) && !NamedObjects::IsMessier(k))
            return false;
        if ((criteria & FilterSettings::kNameSac110) && !sac.Contains(k))
            return false;
        if ((criteria & FilterSettings::kNameHerschel400) && !NamedObjects::IsHerschel(k))
            return false;
        if ((criteria & FilterSettings::kNameIcOnly) && k < 10000)
            return false;
        if ((criteria & FilterSettings::kNameNgcOnly) && k >= 10000)
            return false;
        return true;
    });
    applied_.nameCriteria = criteria;
    return StageRan(entry, ObjectFlag::kName, n);
}

int NGC2000Indexes::HistoryStage()
{
    constexpr int entry = FilterSettings::kPassHistory;
    if (CacheHit(stageCache_, ObjectFlag::kHistory, requested_.historyCriteria == applied_.historyCriteria))
        return CachedCount(entry);
    const bool neverRecorded = (requested_.historyCriteria & FilterSettings::kHistoryRejectLogged) != 0;
    const std::uint8_t* shape = NGCTable.shape;
    const int n = RunStage(ObjectFlag::kHistory, "Filtering By Observing History...", rowCount_, [&](int r) {
        const bool marked = (shape[r] & ObservedMark) != 0;
        return marked != neverRecorded;
    });
    applied_.historyCriteria = requested_.historyCriteria;
    return StageRan(entry, ObjectFlag::kHistory, n);
}

int NGC2000Indexes::ShapeStage()
{
    constexpr int entry = FilterSettings::kPassShape;
    if (CacheHit(stageCache_, ObjectFlag::kShape, requested_.shapeMask == applied_.shapeMask))
        return CachedCount(entry);
    const std::int32_t mask = requested_.shapeMask;
    const std::uint8_t* shape = NGCTable.shape;
    // The shape code without the observing log's mark.
    const int n = RunStage(ObjectFlag::kShape, "Filtering By Dreyer Shape...", rowCount_, [&](int r) {
        return DreyerCodePasses(shape[r] & std::uint8_t(~ObservedMark), mask, FilterSettings::kShapeNoCodeFails);
    });
    applied_.shapeMask = mask;
    return StageRan(entry, ObjectFlag::kShape, n);
}

int NGC2000Indexes::TypeStage()
{
    constexpr int entry = FilterSettings::kPassType;
    if (CacheHit(stageCache_, ObjectFlag::kType, requested_.typeMask == applied_.typeMask))
        return CachedCount(entry);
    const std::int32_t mask = requested_.typeMask;
    const std::uint8_t* type = NGCTable.type;
    const int n = RunStage(ObjectFlag::kType, "Filtering By Type...", rowCount_,
                           [&](int r) { return MaskBit(mask, type[r] & 31u); });
    applied_.typeMask = mask;
    return StageRan(entry, ObjectFlag::kType, n);
}
