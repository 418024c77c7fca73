#include "ui/LogErrors.h"

#include "framework/stream/StateReset.h"

#include <cstdio>

LogErrors::LogErrors(std::string path) : path_(std::move(path)) {}

LogErrors::~LogErrors() = default;

void LogErrors::Reset(std::string path)
{
    out_.reset();
    failed_ = false;
    path_ = std::move(path);
}

void LogErrors::WriteDebugLine(const std::string& text)
{
    if (failed_) return;
    if (!out_) {
        auto out = std::make_unique<std::ofstream>(path_, std::ios::out | std::ios::trunc);
        if (!out->is_open()) {
            failed_ = true; // the run goes on without its log
            return;
        }
        out_ = std::move(out);
    }
    *out_ << text << '\n';
    out_->flush();
}

LogErrors& DebugLog()
{
    // Made on first use, so that lines written during start-up already have their log.
    static LogErrors log;
    return log;
}

namespace {
const fw::StateReset resetDebugLog{[] { DebugLog().Reset(); }};
} // namespace

void WriteDebugLine(const std::string& text)
{
    DebugLog().WriteDebugLine(text);
}

std::string DoubleToString(double value)
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
}

std::string IntToString(std::int32_t value)
{
    return std::to_string(value);
}

std::string StringPlusInt(const std::string& text, std::int32_t value)
{
    return text + IntToString(value);
}
