#include "astro/SolarReport.h"

#include "framework/stream/StateReset.h"

SolarReporter SolarReport;

namespace {
const fw::StateReset resetSolarReport{[] { SolarReport = SolarReporter(); }};
} // namespace

void SolarStatusMessage(const std::string& line)
{
    if (SolarReport.message)
        SolarReport.message(line);
}

void SolarStatusProgress(int percent)
{
    if (SolarReport.progress)
        SolarReport.progress(percent);
}

void SolarDebugLine(const std::string& line)
{
    if (SolarReport.debugLine)
        SolarReport.debugLine(line);
}

void SolarReportProblem(const std::string& line)
{
    SolarStatusMessage(line);
    SolarDebugLine(line);
}
