// The program's diagnostic log "debug.txt" (trace and warning lines the user never sees) and
// the number-to-text helpers used across the planner.
#pragma once

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>

class LogErrors {
public:
    // The log writes to the file at path (relative names are in the current directory).
    explicit LogErrors(std::string path = "debug.txt");
    ~LogErrors();
    LogErrors(const LogErrors&) = delete;
    LogErrors& operator=(const LogErrors&) = delete;

    // Writes the text and a newline and flushes, so the line is on disk when the call
    // returns. The first line of the run creates or truncates the file; a file that cannot
    // be created drops the line, silently.
    void WriteDebugLine(const std::string& text);
    const std::string& Path() const { return path_; }
    // Back to the state before the first line of a run, logging to path: an open file is
    // closed and the next line creates or truncates path. Tests point the run's log into their
    // own directory with it, and back to the default afterwards.
    void Reset(std::string path = "debug.txt");

private:
    std::string path_;
    std::unique_ptr<std::ofstream> out_; // absent until the first line
    bool failed_ = false;
};

// The one log of the run, "debug.txt" in the current directory.
LogErrors& DebugLog();
// Writes a line to that log.
void WriteDebugLine(const std::string& text);

// The double with 15 significant digits: fixed notation while the exponent allows it,
// exponential otherwise, trailing zeros dropped ("0.1", "1e+20").
std::string DoubleToString(double value);
// The integer in decimal, with a leading minus sign when negative.
std::string IntToString(std::int32_t value);
// The text followed by IntToString of the value.
std::string StringPlusInt(const std::string& text, std::int32_t value);
