// Programs of the installer's machine: a program named by a Windows command line is started
// from its host file through the drive map (posix_spawn, in the machine's current directory);
// a document is opened through the shell handler (xdg-open, or a responder in tests).
#pragma once

#include "framework/gui/Responder.h"

#include <string>
#include <vector>

namespace fw {

// The shell's "open" for a document or a program that is not started directly: the process
// id, 0 when it was opened without a process to wait for, -1 when it could not be opened.
using ShellOpenSeam = ModalSeam<struct ShellOpenTag, int(const std::string& document, int showCommand)>;

class Process {
public:
    // Words of a command line; double quotes group words and are dropped.
    static std::vector<std::string> SplitCommandLine(const std::string& commandLine);
    // Starts the program; its process id, or -1 (with the reason in error) when it cannot start.
    static int Start(const std::string& commandLine, std::string* error = nullptr);
    // Opens a document or program through the shell; as ShellOpenSeam answers.
    static int ShellOpen(const std::string& document, int showCommand);
    // 1 while the process runs; 0 once it ended, with its exit code (128 + signal when killed);
    // -1 for an unknown process. A process is reaped by the Poll that sees it end.
    static int Poll(int pid, int& exitCode);
    // Forgets a process still running (it is reaped later, never left a zombie by us).
    static void Release(int pid);
};

} // namespace fw
