// The user's saved state (instance "Stellum 4"): colour scheme, the last planner and log
// files, the window states, the time, the observing site and whether the time follows the
// computer clock. The application creates and loads it at start and stores it at close.
#pragma once

#include "astro/JulianDate.h"
#include "astro/ObsSite.h"
#include "ui/ConfigInfo.h"

class StellumConfig : public ConfigInfo {
public:
    static constexpr std::int32_t kCurrentVersion = 6;
    // Window state bits: the document or window was open, minimised, normal, maximised.
    static constexpr std::int32_t kStateOpen = 1;
    static constexpr std::int32_t kStateMinimized = 2;
    static constexpr std::int32_t kStateNormal = 4;
    static constexpr std::int32_t kStateMaximized = 8;

    explicit StellumConfig(const std::string& instanceName = "Stellum 4");
    explicit StellumConfig(const ConfigInfo& header);

    int Read(fw::ipstream& is) override;
    int Write(fw::opstream& os) override;
    int SetDefaults() override;
    bool CopyTo(ConfigInfo& target) const override { return CopyRecord(*this, target); }
    bool CopyFrom(const ConfigInfo& source) override { return CopyRecordFrom(*this, source); }

    std::int32_t colorScheme = 4;
    std::string lastPlannerFile;
    std::string lastLogFile;
    std::int32_t logWindowState = 9;
    std::int32_t plannerWindowState = 9;
    std::int32_t mainWindowState = 9;
    // The saved time, the observing site, and whether the time is taken from the computer
    // clock at start instead of the saved one.
    JulianDate now;
    ObsSite site;
    bool useClock = true;

    // The site a new user starts with: Charlottesville on Eastern time.
    static ObsSite DefaultSite();
};
