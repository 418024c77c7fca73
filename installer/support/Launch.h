// Starting the programs an installation names: at once, waiting until the program ends, or
// waiting until a window it shows has come and gone. Waits keep the installer's windows alive.
#pragma once

#include "framework/gui/Responder.h"

#include <cstdint>
#include <string>

namespace kw {

// Whether a window of the class and title (an empty text matches any) exists now; without a
// responder the installer's own top-level windows are searched (by object or class name).
using WindowFinderSeam = fw::ModalSeam<struct KwWindowFinderTag, bool(const std::string& className, const std::string& title)>;
bool FindWindow(const char* className, const char* title);

struct LaunchRequest {
    enum { kCommandSize = 1024 };
    char commandLine[kCommandSize] = {};
    bool shellOpen = false; // documents and other files opened through the shell
    int showCommand = 1;
    // Copies the command line; one that does not fit is refused (false, check failure).
    bool SetCommand(const char* text);
};

// How a launch waits: Begin before the start (false: no start), Poll after every pump of
// the windows (clears running when the wait is over), End after the wait.
class LaunchStrategy {
public:
    virtual ~LaunchStrategy() = default;
    virtual bool Begin() { return true; }
    virtual void End() {}
    virtual void Poll() { running = false; }
    bool Run(const LaunchRequest& request);
    bool running = false;
    int process = -1; // process id, -1 when the launch has none to wait for
};

// The installer thread's priority as launches leave it (0 normal, -2 lowest while waiting).
int ThreadPriority();

bool LaunchProgram(const LaunchRequest& request);
// Waits until the program ends; its exit code into exitCode when given.
bool LaunchAndWait(const LaunchRequest& request, int* exitCode = nullptr);
// Waits until a matching window has appeared and disappeared (each text at most 80
// characters; empty matches any), or until the program has ended, or (timeoutMs > 0) until
// the time-out has passed.
bool LaunchAndWaitForWindow(const LaunchRequest& request, const char* className, const char* title,
                            uint32_t timeoutMs = 0);

} // namespace kw
