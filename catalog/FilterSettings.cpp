#include "catalog/FilterSettings.h"

#include "astro/SignedStreamRecord.h"
#include "framework/stream/PStream.h"

#include <algorithm>

namespace {

using R = SignedStreamRecord;

// How a field is kept in the stream block.
enum class Stored {
    Always,        // in every block version
    WithAltitudes, // from the version that carries the altitude limits
    Never,         // worked out again from the other fields
};

// Calls visit(member, stored) for every field but valid, in the order the stream block keeps
// them; the fields that are never stored come last. ==, Write and Read all walk this one
// list, so a new field is one line here.
template <typename Visit>
void VisitFields(Visit&& visit)
{
    using F = FilterSettings;
    visit(&F::passCounts, Stored::Always);
    visit(&F::positionCriteria, Stored::Always);
    visit(&F::raMin, Stored::Always);
    visit(&F::raMax, Stored::Always);
    visit(&F::decMin, Stored::Always);
    visit(&F::decMax, Stored::Always);
    visit(&F::constellations, Stored::Always);
    visit(&F::elevationMode, Stored::Always);
    visit(&F::sessionStartHour, Stored::Always);
    visit(&F::sessionStartMinute, Stored::Always);
    visit(&F::sessionEndHour, Stored::Always);
    visit(&F::sessionEndMinute, Stored::Always);
    visit(&F::nameCriteria, Stored::Always);
    visit(&F::brightnessCriteria, Stored::Always);
    visit(&F::dreyerBrightnessMask, Stored::Always);
    visit(&F::magnitudeMin, Stored::Always);
    visit(&F::magnitudeMax, Stored::Always);
    visit(&F::sizeCriteria, Stored::Always);
    visit(&F::dreyerSizeMask, Stored::Always);
    visit(&F::diameterMin, Stored::Always);
    visit(&F::diameterMax, Stored::Always);
    visit(&F::shapeMask, Stored::Always);
    visit(&F::typeMask, Stored::Always);
    visit(&F::historyCriteria, Stored::Always);
    visit(&F::minAltitude, Stored::WithAltitudes);
    visit(&F::maxAltitude, Stored::WithAltitudes);
    visit(&F::elevationWindow, Stored::Never);
}

// One field's stream form: 32-bit words, 16-bit words, raw doubles, the constellation set's
// own block, and the pass counts word by word.
void Put(fw::opstream& os, std::int32_t v) { R::WriteRaw32(os, std::uint32_t(v)); }
void Put(fw::opstream& os, std::int16_t v) { os.writeWord16(std::uint16_t(v)); }
void Put(fw::opstream& os, double v) { R::WriteRawDouble(os, v); }
void Put(fw::opstream& os, const ConstellationSet& v) { v.Write(os); }
void Put(fw::opstream&, const ElevationWindow&) {}
template <std::size_t N>
void Put(fw::opstream& os, const std::int32_t (&v)[N])
{
    for (std::int32_t c : v)
        Put(os, c);
}

void Get(fw::ipstream& is, std::int32_t& v) { v = std::int32_t(R::ReadRaw32(is)); }
void Get(fw::ipstream& is, std::int16_t& v) { v = std::int16_t(is.readWord16()); }
void Get(fw::ipstream& is, double& v) { v = R::ReadRawDouble(is); }
void Get(fw::ipstream& is, ConstellationSet& v) { v.Read(is); }
void Get(fw::ipstream&, ElevationWindow&) {}
template <std::size_t N>
void Get(fw::ipstream& is, std::int32_t (&v)[N])
{
    for (std::int32_t& c : v)
        Get(is, c);
}

template <typename T>
bool Same(const T& a, const T& b) { return a == b; }
template <std::size_t N>
bool Same(const std::int32_t (&a)[N], const std::int32_t (&b)[N]) { return std::equal(a, a + N, b); }

} // namespace

void FilterSettings::Assign(const FilterSettings& s)
{
    const auto keep = valid;
    *this = s;
    valid = keep;
}

ElevationWindow FilterSettings::WindowAt(double latitudeDegrees) const
{
    ElevationWindow window;
    window.Set(sessionStartHour, sessionStartMinute, sessionEndHour, sessionEndMinute, minAltitude, maxAltitude,
               latitudeDegrees);
    return window;
}

bool FilterSettings::operator==(const FilterSettings& s) const
{
    bool same = true;
    VisitFields([&](auto member, Stored) { same = same && Same(this->*member, s.*member); });
    return same;
}

void FilterSettings::Write(fw::opstream& os) const
{
    R::WriteHeader(os, R::FilterSettings, kVersion);
    VisitFields([&](auto member, Stored stored) {
        if (stored != Stored::Never)
            Put(os, this->*member);
    });
    R::WriteSignature(os, R::FilterSettings);
}

void FilterSettings::Read(fw::ipstream& is)
{
    valid = 0;
    if (R::ReadSignature(is) != R::FilterSettings || is.fail())
        return;
    const std::uint32_t version = is.readWord32();
    // An older block has no altitude limits: those already held stay.
    const bool altitudes = version > kVersionWithoutAltitudes;
    VisitFields([&](auto member, Stored stored) {
        if (stored == Stored::Always || (stored == Stored::WithAltitudes && altitudes))
            Get(is, this->*member);
    });
    if (R::ReadSignature(is) == R::FilterSettings && !is.fail())
        valid = 1;
}
