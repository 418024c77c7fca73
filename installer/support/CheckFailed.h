// The installer's non-fatal assertion and its one reporting channel. A failed check reports
// "Check failed at line %d in file %s" and the program goes on.
#pragma once

namespace kw {

// When the condition is false, reports the module (its upper-case source module name, such
// as SLLIST) and line. Never stops the program.
void CheckFailed(const char* moduleFile, int line, bool condition);

// printf-style report into a 512-character buffer (a longer text is cut at 511 characters).
// With no trace file: an error message box with no owner and no caption. With a trace file:
// the text and a newline appended to that file, nothing shown.
void Report(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// Sets (or with null clears) the trace file, a path on the installer's machine.
void SetTraceFile(const char* name);
const char* TraceFile();

}  // namespace kw
