#include "installer/support/CheckFailed.h"

#include "framework/gui/MessageBox.h"
#include "framework/stream/StateReset.h"
#include "framework/sys/WinFileSystem.h"

#include <cstdarg>
#include <cstdio>
#include <string>

namespace kw {

namespace {
std::string gTraceFile;
bool gTraceSet = false;
const fw::StateReset resetTrace{[] {
    gTraceFile.clear();
    gTraceSet = false;
}};
} // namespace

void CheckFailed(const char* moduleFile, int line, bool condition)
{
    if (condition) return;
    Report("Check failed at line %d in file %s", line, moduleFile ? moduleFile : "");
}

void Report(const char* format, ...)
{
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (!gTraceSet) {
        fw::MessageBox(nullptr, text, "", fw::MB_ICONERROR);
        return;
    }
    if (FILE* f = fw::WinFileSystem::Open(gTraceFile, "a+t")) {
        std::fprintf(f, "%s\n", text);
        std::fclose(f);
    }
}

void SetTraceFile(const char* name)
{
    gTraceSet = name != nullptr;
    gTraceFile = name ? name : "";
}

const char* TraceFile() { return gTraceSet ? gTraceFile.c_str() : nullptr; }

}  // namespace kw
