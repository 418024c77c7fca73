#include "ui/StellumConfig.h"

#include "astro/Angle.h"
#include "astro/Distance.h"
#include "framework/stream/PStream.h"

namespace {
// Longest file name taken from the file.
constexpr std::uint32_t kMaxPathLength = 4096;
} // namespace

StellumConfig::StellumConfig(const std::string& name) : ConfigInfo(name, "StellumConfig", kCurrentVersion)
{
    StellumConfig::SetDefaults();
}

StellumConfig::StellumConfig(const ConfigInfo& header)
{
    TakeHeader(header);
    StellumConfig::SetDefaults();
}

ObsSite StellumConfig::DefaultSite()
{
    ObsSite site(Angle(78.42, Angle::kDegrees), Angle(38.0, Angle::kDegrees), "Charlottesville", -5.0, Distance(0.0));
    site.SetUtcOffset(300);
    site.SetDstShift(-60);
    site.TimeZone::SetName("EASTERN");
    site.SetZoneNumber(4);
    site.SetFlags(TimeZone::DstObserved | TimeZone::StartIsRule | TimeZone::EndIsRule);
    return site;
}

int StellumConfig::SetDefaults()
{
    colorScheme = 4;
    lastPlannerFile.clear();
    lastLogFile.clear();
    logWindowState = plannerWindowState = mainWindowState = 9;
    site = DefaultSite();
    now = site.NowAsUT();
    useClock = true;
    return 1;
}

int StellumConfig::Read(fw::ipstream& is)
{
    colorScheme = is.readInt32();
    lastPlannerFile = is.readString(kMaxPathLength);
    lastLogFile = is.readString(kMaxPathLength);
    logWindowState = is.readInt32();
    plannerWindowState = is.readInt32();
    if (version >= 5) mainWindowState = is.readInt32();
    if (version >= 6) {
        now.ReadFrom(is);
        site.ReadFrom(is);
        useClock = ReadFlag(is);
    }
    version = kCurrentVersion;
    return 1;
}

int StellumConfig::Write(fw::opstream& os)
{
    os.writeWord32(static_cast<std::uint32_t>(colorScheme));
    os.writeString(lastPlannerFile);
    os.writeString(lastLogFile);
    os.writeWord32(static_cast<std::uint32_t>(logWindowState));
    os.writeWord32(static_cast<std::uint32_t>(plannerWindowState));
    os.writeWord32(static_cast<std::uint32_t>(mainWindowState));
    now.WriteTo(os);
    site.WriteTo(os);
    WriteFlag(os, useClock);
    return 1;
}
