// The request to the move-executable program "movexe": moves and deletions that a running
// instance of the installer cannot do to its own program file. The request is section "x" of
// "movexe.ini" in the Windows directory: "f" the file, "t" the directory to move it into (empty
// for none), "x" "1" to start the moved copy, and "p" the requesting process, which the mover
// waits for before it touches the file.
#pragma once

#include "framework/gui/Responder.h"

#include <cstdint>
#include <functional>
#include <string>

namespace kw {

struct MoveRequest {
    std::string file;
    std::string target;  // empty: the file is deleted
    int execute = 0;     // nonzero: the moved copy is started
};

// The mover's program file in the Windows directory; the machine's programs carry no
// extension ("kwmain", "stlm32").
extern const char kMoverProgram[];
// The request file in the Windows directory.
extern const char kMoveRequestFile[];

// Writes the request (file and target in their short 8.3 forms where they exist, else as
// given) and the requesting process's id; false when the profile cannot be written.
bool WriteMoveRequest(const MoveRequest& request);

// Starts a program that a move request names (the mover, or the copy that a request moved and
// starts), by its Windows path, in place of a process: tests run it in-process.
using MoverStartSeam = fw::ModalSeam<struct KwMoverStartTag, bool(const std::string& program)>;
// WriteMoveRequest, then starts the mover of the Windows directory; true when it started. A
// request whose mover does not start is taken back. A machine without the mover has the
// request carried out here and now (this machine lets a running program move and delete its
// own file): true when it was done.
bool LaunchMover(const MoveRequest& request);

// The mover's side. The request read back: false when there is none (no "f").
bool ReadMoveRequest(MoveRequest& request, long& requester);

struct MoveRunOptions {
    // How long to wait for the requester to end before giving up (milliseconds).
    uint32_t waitMilliseconds = 60000;
    // Whether the requesting process still runs (default: the host's process table).
    std::function<bool(long pid)> requesterRunning;
    // Starts the moved copy, named by its Windows path (default: the machine's process start).
    std::function<bool(const std::string& program)> start;
};

enum MoveRunResult : int {
    kMoveDone = 0,
    kMoveNoRequest = 1,
    kMoveRequesterRunning = 2,  // the request is left for a later run
    kMoveFailed = 3,
};

// Carries out the request of "movexe.ini" on the current machine: waits until the requester
// has ended, moves "f" into "t" (replacing a file of that name there), or deletes "f" when "t"
// is empty, and starts the moved copy when "x" is 1. A request to start with nothing moved
// (the install controller's, "x" 1 and no target) deletes the file and starts nothing: there
// is no copy to start. Only a plain file is moved or deleted, only into an existing directory.
// The request is removed once it was carried out.
MoveRunResult RunMoveRequest(const MoveRunOptions& options = {});

// Whether a host process still runs (a process that has ended but was not yet reaped counts
// as ended).
bool HostProcessRunning(long pid);

} // namespace kw
