// The observing site's stream record with its time zone (kept in the settings, the saved
// catalogue state and the planner file), from any bytes. A record that reads whole holds
// values in their ranges: its offsets, daylight-saving dates and local times compute without
// overflow, and written again it reads back to the same record.
#include "astro/ObsSite.h"
#include "astro/TimeDate.h"
#include "framework/stream/PStream.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    fw::imstream in(bytes);
    ObsSite site;
    site.ReadFrom(in);
    // Whatever was read, the zone's sums and rules stay defined.
    for (int year : {1996, 2026}) {
        site.DstStart(year);
        site.DstEnd(year);
        site.OffsetMinutes(TimeDate(year, 7, 1, 12, 0, 0));
    }
    if (in.fail()) return 0;
    if (std::abs(site.UtcOffset()) > TimeZone::kMaxOffsetMinutes ||
        std::abs(site.DstShift()) > TimeZone::kMaxOffsetMinutes || site.StartWeekday() < 0 ||
        site.StartWeekday() > 6 || site.EndWeekday() < 0 || site.EndWeekday() > 6)
        std::abort();
    site.ToLocal(site.LocalToUT(TimeDate(2026, 3, 8, 2, 30, 0)));
    fw::omstream out;
    site.WriteTo(out);
    fw::imstream back(out.str());
    ObsSite again;
    again.ReadFrom(back);
    fw::omstream out2;
    again.WriteTo(out2);
    if (back.fail() || out2.str() != out.str()) std::abort();
    return 0;
}
