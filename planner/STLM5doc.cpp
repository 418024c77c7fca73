#include "planner/STLM5doc.h"

#include "astro/Angle.h"
#include "astro/Distance.h"
#include "catalog/CatalogueTable.h"
#include "catalog/NGC2000Indexes.h"
#include "catalog/ObjectFlags.h"
#include "framework/gui/MessageBox.h"
#include "framework/stream/AtomicFile.h"
#include "framework/stream/PStream.h"
#include "framework/stream/StateReset.h"
#include "globals/Globals.h"
#include "ui/LLposit.h"

#include <cmath>
#include <fstream>
#include <iterator>
#include <vector>

// The planner file, version 5, as Commit writes it. Every item is little-endian; a string is a
// 32-bit length n and its n bytes; a word is 32 bits:
//   signature     string  "Quillon Software - Stellum - Main Document"
//   version       word    5
//   flags         word    bit 0: the clock followed the computer's clock at saving
//   text          string  the document's text (empty)
//   date and time double  Julian day (UT) of the application's current date and time
//   site          the observing site's record (ObsSite::WriteTo)
//   database      the catalogue database's state block (NGC2000Indexes::Write)
//   signature     string  the signature again
// Version 4, written by the program's earlier generation, is read only (ReadVersion4).

const char* const STLM5doc::kSignature = "Quillon Software - Stellum - Main Document";
const char* const STLM5doc::kDocumentName = "STLM4 Document";
bool STLM5doc::documentOpen_ = false;

namespace {
const fw::StateReset resetDocumentFlag{STLM5doc::ResetPlannerDocumentFlag};
} // namespace

namespace {

constexpr const char* kOpenErrorCaption = "Error Opening Planner file";
constexpr std::uint32_t kMaxTextLength = 1u << 16;
constexpr std::uint32_t kMaxNameLength = 1024;
// Observing-list entries a version-4 file may name (rows beyond the capacity are skipped).
constexpr std::uint32_t kMaxVersion4Rows = 1u << 16;
// The position-criteria bit that every version-4 file sets; no filter stage reads it.
constexpr std::int32_t kVersion4PositionBit = 0x2;

void ReportDamaged()
{
    fw::MessageBox(nullptr, "File is damaged or incomplete", kOpenErrorCaption, fw::MB_OK | fw::MB_ICONSTOP);
}

bool Finite(double v) { return std::isfinite(v); }

// A Julian day that the program can show: years -4712 to about 9999.
bool PlausibleJulianDay(double jd) { return Finite(jd) && jd >= 0.0 && jd < 5373484.5; }

bool PlausibleSite(const ObsSite& site)
{
    const double lat = site.Latitude().Degrees();
    const double lon = site.Longitude().Degrees();
    return Finite(lat) && Finite(lon) && std::fabs(lat) <= 90.0 && std::fabs(lon) <= 360.0 &&
           Finite(site.Elevation().Meters()) && std::abs(site.UtcOffset()) <= 24 * 60 &&
           std::abs(site.DstShift()) <= 24 * 60;
}

// Filter settings compared as criteria: the pass counts are results of the last filtering,
// not settings, and change with the time of an elevation filter; the set of criteria
// switched on is a setting and counts.
bool SameCriteria(const FilterSettings& a, const FilterSettings& b)
{
    FilterSettings x(a), y(b);
    for (int i = 0; i < FilterSettings::kEnabledCriteria; ++i)
        x.passCounts[i] = y.passCounts[i] = 0;
    return x == y;
}

// A session time in hours (0 up to 24) as whole hours and minutes; false for anything else.
bool SplitHours(double hours, std::int16_t& h, std::int16_t& m)
{
    if (!Finite(hours) || hours < 0.0 || hours >= 24.0) return false;
    const double whole = std::floor(hours);
    h = static_cast<std::int16_t>(whole);
    m = static_cast<std::int16_t>((hours - whole) * 60.0);
    return true;
}

bool ReadWholeFile(const std::string& path, std::string& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0 || std::size_t(size) > STLM5doc::kMaxFileSize) return false;
    in.seekg(0);
    bytes.assign(std::size_t(size), '\0');
    in.read(bytes.data(), size);
    return bool(in);
}

} // namespace

STLM5doc::STLM5doc() : dateTime_(0.0, JulianDate::kJulianDay)
{
    site_.SetPosition(Angle(0.0, Angle::kDegrees), Angle(0.0, Angle::kDegrees), Distance());
}

STLM5doc::~STLM5doc()
{
    // A document that goes without being closed still lets the next one in.
    if (holdsFlag_) documentOpen_ = false;
}

bool STLM5doc::InitDoc()
{
    if (documentOpen_) return false;
    documentOpen_ = holdsFlag_ = true;
    return true;
}

bool STLM5doc::Close()
{
    const bool closed = fw::FileDocument::Close();
    if (holdsFlag_) documentOpen_ = holdsFlag_ = false;
    return closed;
}

// ---- properties ----

int STLM5doc::FindProperty(const std::string& name)
{
    return name == "Document Name" ? kDocumentNameProperty : fw::FileDocument::FindProperty(name);
}

int STLM5doc::PropertyFlags(int index)
{
    if (index <= PropertyCount()) return fw::FileDocument::PropertyFlags(index);
    return index == kDocumentNameProperty ? fw::pfGetText | fw::pfConstant : 0;
}

std::string STLM5doc::PropertyName(int index)
{
    if (index <= PropertyCount()) return fw::FileDocument::PropertyName(index);
    return index == kDocumentNameProperty ? "Document Name" : "";
}

int STLM5doc::GetProperty(int index, char* buffer, int size)
{
    if (index <= PropertyCount()) return fw::FileDocument::GetProperty(index, buffer, size);
    if (index != kDocumentNameProperty) return 0;
    return CopyPropertyText(kDocumentName, buffer, size);
}

// ---- writing ----

std::string STLM5doc::StateBytes(std::uint32_t flags, const std::string& text)
{
    if (!AppGlobals.database || !AppGlobals.site || !AppGlobals.now) return {};
    fw::omstream os;
    os.writeString(kSignature);
    os.writeWord32(std::uint32_t(kVersion));
    os.writeWord32(flags);
    os.writeString(text);
    os.writeDouble(AppGlobals.now->JD());
    AppGlobals.site->WriteTo(os);
    if (!AppGlobals.database->Write(os)) return {};
    os.writeString(kSignature);
    if (os.fail()) return {};
    return os.str();
}

bool STLM5doc::Commit(bool force)
{
    if (!AppGlobals.database || !AppGlobals.site || !AppGlobals.now || GetDocPath().empty()) return false;
    const std::uint32_t flags = FollowSystemClock ? flags_ | kSystemTimeFlag : flags_ & ~kSystemTimeFlag;
    const std::string bytes = StateBytes(flags, text_);
    // The whole file goes to a temporary beside the old one and replaces it only when it was
    // written and flushed in full: a full disk leaves the old file as it was.
    if (bytes.empty() || !fw::WriteFileReplacing(GetDocPath(), bytes)) return false;
    flags_ = flags;
    dateTime_ = *AppGlobals.now;
    site_ = *AppGlobals.site;
    RememberDatabaseState();
    AppGlobals.database->SetObservingListChanged(false);
    return fw::FileDocument::Commit(force);
}

void STLM5doc::RememberDatabaseState()
{
    filter_ = AppGlobals.database->GetFilterSettings();
    sort_ = AppGlobals.database->GetSortCriteria();
}

bool STLM5doc::IsDirty()
{
    if (!AppGlobals.database || !AppGlobals.site || !AppGlobals.now) return fw::FileDocument::IsDirty();
    if ((FollowSystemClock ? 1u : 0u) != (flags_ & kSystemTimeFlag)) return true;
    if (!FollowSystemClock && AppGlobals.now->JD() != dateTime_.JD()) return true;
    if (*AppGlobals.site != site_) return true;
    if (AppGlobals.database->GetSortCriteria() != sort_) return true;
    if (!SameCriteria(AppGlobals.database->GetFilterSettings(), filter_)) return true;
    return AppGlobals.database->ObservingListChanged();
}

// ---- reading ----

bool STLM5doc::Open(int, const std::string&)
{
    // A save killed mid-write left its temporary beside the document; it goes now.
    if (!GetDocPath().empty()) fw::RemoveStaleTemporaries(GetDocPath());
    std::string bytes;
    return ReadWholeFile(GetDocPath(), bytes) && Read(bytes);
}

bool STLM5doc::Read(const std::string& bytes)
{
    if (!AppGlobals.database || !AppGlobals.site || !AppGlobals.now) return false;
    fw::iviewstream is(bytes);
    if (is.readString(256) != kSignature || is.fail()) return false;
    const std::int32_t version = is.readInt32();
    if (is.fail()) {
        ReportDamaged();
        return false;
    }
    if (version == kVersion) return ReadVersion5(is);
    if (version == 4) return ReadVersion4(is);
    if (version > kVersion)
        fw::MessageBox(nullptr, "File version is newer than software version", kOpenErrorCaption,
                       fw::MB_OK | fw::MB_ICONSTOP);
    return false;
}

void STLM5doc::ApplyDateAndSite()
{
    if (!FollowSystemClock) *AppGlobals.now = dateTime_;
    *AppGlobals.site = site_;
    if (FollowSystemClock) *AppGlobals.now = site_.NowAsUT();
}

bool STLM5doc::ReadVersion5(fw::ipstream& is)
{
    // Everything is read and checked first; only a whole file is taken.
    const std::uint32_t flags = is.readWord32();
    std::string text = is.readString(kMaxTextLength);
    const double jd = is.readDouble();
    ObsSite site;
    site.ReadFrom(is);
    NGC2000Indexes& db = *AppGlobals.database;
    NGC2000Indexes::StateBlock block;
    const bool stateWhole = !is.fail() && db.ParseState(is, block, nullptr);
    const bool whole = stateWhole && is.readString(256) == kSignature && !is.fail();
    if (!whole || !PlausibleJulianDay(jd) || !PlausibleSite(site)) {
        ReportDamaged();
        return false;
    }

    UpdateInProgress = 1;
    flags_ = flags;
    text_ = std::move(text);
    dateTime_ = JulianDate(jd, JulianDate::kJulianDay);
    site_ = site;
    ApplyDateAndSite();
    db.TakeState(block);
    if (NightCheck) NightCheck();
    UpdateInProgress = 0;
    RememberDatabaseState();
    return true;
}

bool STLM5doc::ReadVersion4(fw::ipstream& is)
{
    if (fw::MessageBox(nullptr,
                       "Once saved, this file cannot be opened using an older version of Stellum.  Do you wish to "
                       "continue?",
                       "WARNING", fw::MB_YESNOCANCEL | fw::MB_ICONWARNING) != fw::IDYES)
        return false;

    const auto skipWords = [&is](int n) {
        for (int i = 0; i < n; ++i) is.readWord32();
    };
    const auto skipBytes = [&is](int n) {
        for (int i = 0; i < n; ++i) is.readByte();
    };
    bool sound = true;  // every value lies where the program can use it

    is.readString(kMaxNameLength);
    const std::int32_t recordVersion = is.readInt32();
    is.readString(kMaxNameLength);
    skipWords(6);
    std::int32_t clock[6];  // hour, minute, second, year, month, day
    for (std::int32_t& v : clock) v = is.readInt32();
    sound = sound && clock[0] >= 0 && clock[0] < 24 && clock[1] >= 0 && clock[1] < 60 && clock[2] >= 0 &&
            clock[2] < 60 && clock[3] >= -4712 && clock[3] <= 9999 && clock[4] >= 1 && clock[4] <= 12 &&
            clock[5] >= 1 && clock[5] <= 31;
    const bool systemTime = is.readWord32() != 0;
    // The UTC offset in hours east: a float in record version 5, whole hours before it.
    double zoneHours = recordVersion == 5 ? double(is.readFloat()) : double(is.readInt32());
    sound = sound && Finite(zoneHours) && std::fabs(zoneHours) <= 24.0;
    if (!sound) zoneHours = 0;
    const std::string zoneName = is.readString(kMaxNameLength);
    const bool dstForced = is.readWord32() != 0;
    is.readWord32();
    const std::int32_t zoneNumber = is.readInt32();

    SortCriteria sort;
    for (int list = 0; list < 2; ++list) {
        std::int32_t keys[4], directions[4];
        for (std::int32_t& k : keys) k = is.readInt32();
        for (std::int32_t& d : directions) d = is.readInt32();
        for (int n = 0; n < 4; ++n) {
            sound = sound && keys[n] >= kSortIgnore && keys[n] < kSortEndOfOptions;
            sort.keys[n * 2 + list] = std::int16_t(sound ? keys[n] : kSortIgnore);
            sort.directions[n * 2 + list] =
                std::int16_t(directions[n] != 0 ? SortCriteria::kAscending : SortCriteria::kDescending);
        }
    }

    FilterSettings filter;
    std::int32_t* const pairTargets[6] = {&filter.typeMask,   &filter.sizeCriteria, &filter.brightnessCriteria,
                                          &filter.shapeMask,  &filter.nameCriteria, &filter.positionCriteria};
    for (std::int32_t* target : pairTargets) {
        *target = is.readInt32();
        is.readWord32();
    }
    skipWords(3);
    filter.raMin = is.readDouble();
    filter.raMax = is.readDouble();
    filter.decMin = is.readDouble();
    filter.decMax = is.readDouble();
    sound = sound && Finite(filter.raMin) && Finite(filter.raMax) && Finite(filter.decMin) && Finite(filter.decMax);
    skipBytes(8);
    skipWords(1);
    if (is.readWord32() != 0) filter.brightnessCriteria |= FilterSettings::kNoMagnitudeFails;
    filter.magnitudeMax = is.readDouble();
    filter.magnitudeMin = is.readDouble();
    sound = sound && Finite(filter.magnitudeMax) && Finite(filter.magnitudeMin);
    skipWords(1);
    if (is.readWord32() != 0) filter.positionCriteria |= ObjectFlag::kElevation;
    skipBytes(3);
    filter.positionCriteria |= kVersion4PositionBit;
    skipBytes(8);
    sound = sound && SplitHours(is.readDouble(), filter.sessionStartHour, filter.sessionStartMinute);
    sound = sound && SplitHours(is.readDouble(), filter.sessionEndHour, filter.sessionEndMinute);
    skipWords(1);
    if (is.readWord32() != 0) filter.sizeCriteria |= ObjectFlag::kDiameter;
    if (is.readWord32() != 0) filter.sizeCriteria |= FilterSettings::kNoDiameterFails;
    filter.diameterMin = is.readDouble();
    filter.diameterMax = is.readDouble();
    sound = sound && Finite(filter.diameterMin) && Finite(filter.diameterMax);
    skipWords(2);
    filter.historyCriteria |=
        is.readWord32() != 0 ? FilterSettings::kHistoryRejectLogged : FilterSettings::kHistoryPassLogged;
    is.readString(kMaxNameLength);
    is.readString(kMaxNameLength);
    skipWords(14);
    LLposit position;
    position.Read(is);
    filter.constellations.Read(is);
    skipWords(9);
    is.readString(kMaxNameLength);
    const std::uint32_t count = is.readWord32();
    // A count the rest of the file cannot hold is damage, not a long list.
    sound = sound && count <= kMaxVersion4Rows && std::streamoff(count) * 4 <= is.remaining();
    std::vector<std::int32_t> rows;
    if (sound) {
        rows.resize(count);
        for (std::int32_t& row : rows) row = is.readInt32();
    }
    if (!sound || is.fail()) {
        ReportDamaged();
        return false;
    }

    // The file is whole: take it.
    ObsSite site;
    site.SetPosition(Angle(-position.Longitude(), Angle::kDegrees), Angle(position.Latitude(), Angle::kDegrees),
                     Distance());
    site.SetUtcOffset(static_cast<int>(zoneHours * -60.0));
    site.SetName(position.GetName());
    static_cast<TimeZone&>(site).SetName(zoneName);
    if (dstForced) site.SetFlags(TimeZone::DstObserved);
    site.SetZoneNumber(zoneNumber);

    UpdateInProgress = 1;
    dateTime_ = JulianDate::FromCalendar(clock[3], clock[4], clock[5], clock[0], clock[1], clock[2]);
    flags_ = systemTime ? kSystemTimeFlag : 0;
    site_ = site;
    sort_ = sort;
    filter_ = filter;
    ApplyDateAndSite();
    if (NightCheck) NightCheck();
    NGC2000Indexes& db = *AppGlobals.database;
    db.ClearObservingList();
    for (std::int32_t row : rows) db.AddRowToObservingList(row);
    db.SetObservingListChanged(false);
    db.SetSortCriteria(sort_, false);
    db.SetFilterSettings(filter_, true);
    UpdateInProgress = 0;
    RememberDatabaseState();
    return true;
}
