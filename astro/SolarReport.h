// Reporting of the solar-system bodies (series files, rise/set runs) to the status window and
// the debug log. The astronomy library sits below the user interface, so it reports through
// these functions; the user-interface layer installs them when it has made the status window
// (through the StatusWindow pointer of the program-wide globals) and the debug log. Until then,
// and in tests that install nothing, a report goes nowhere.
#pragma once

#include <string>

struct SolarReporter {
    void (*message)(const std::string& line) = nullptr; // one line in the status window
    void (*progress)(int percent) = nullptr;            // the status window's gauge
    void (*debugLine)(const std::string& line) = nullptr; // one line of the debug log
};

// The installed reporter.
extern SolarReporter SolarReport;

void SolarStatusMessage(const std::string& line);
void SolarStatusProgress(int percent);
void SolarDebugLine(const std::string& line);
// A problem the user must know about: the status window and the debug log.
void SolarReportProblem(const std::string& line);
