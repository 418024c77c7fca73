#include "ui/StellumConfig.h"

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

int StellumConfig::SetDefaults()
{
    colorScheme = 4;
    lastPlannerFile.clear();
    lastLogFile.clear();
    logWindowState = plannerWindowState = mainWindowState = 9;
    useClock = true;
    return 1;
}

int StellumConfig::Read(ipstream& is)
{
    colorScheme = is.readInt32();
    lastPlannerFile = is.readString(kMaxPathLength);
    lastLogFile = is.readString(kMaxPathLength);
    logWindowState = is.readInt32();
    plannerWindowState = is.readInt32();
    if (version >= 5) mainWindowState = is.readInt32();
    if (version >= 6) {
        useClock = ReadFlag(is);
    }
    version = kCurrentVersion;
    return 1;
}

int StellumConfig::Write(opstream& os)
{
    os.writeWord32(static_cast<std::uint32_t>(colorScheme));
    os.writeString(lastPlannerFile);
    os.writeString(lastLogFile);
    os.writeWord32(static_cast<std::uint32_t>(logWindowState));
    os.writeWord32(static_cast<std::uint32_t>(plannerWindowState));
    os.writeWord32(static_cast<std::uint32_t>(mainWindowState));
    WriteFlag(os, useClock);
    return 1;
}
