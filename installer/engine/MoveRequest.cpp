#include "installer/support/IniFile.h"
#include "installer/engine/MoveRequest.h"

#include "framework/sys/Process.h"
#include "framework/sys/WinFileSystem.h"
#include "framework/sys/WinProfile.h"
#include "framework/sys/WinRoot.h"
#include "installer/support/FilePath.h"
#include "installer/support/PathBuffer.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <fstream>
#include <string>
#include <thread>

namespace kw {

const char kMoverProgram[] = "movexe";
const char kMoveRequestFile[] = "movexe.ini";

namespace {
const char kSection[] = "x";

// The 8.3 form of a path; a path that does not exist, and a bare drive ("C:"), are kept as
// they are.
std::string ShortForm(const std::string& path)
{
    std::string out;
    if (path.empty() || IsBareDrive(path.c_str())) return path;
    return fw::WinFileSystem::ShortPath(path, out) ? out : path;
}

std::string WindowsPath(const char* name)
{
    fw::WinRoot* root = fw::WinRoot::Current();
    if (!root) return {};
    std::string dir = root->WindowsDirectory();
    if (!dir.empty() && dir.back() != '\\' && dir.back() != '/') dir += '\\';
    return dir + name;
}

std::string NameOf(const std::string& path)
{
    size_t at = path.find_last_of("\\/:");
    return at == std::string::npos ? path : path.substr(at + 1);
}
} // namespace

bool WriteMoveRequest(const MoveRequest& request)
{
    const std::string file = ShortForm(request.file);
    const std::string target = ShortForm(request.target);
    const std::string pid = std::to_string(static_cast<long>(getpid()));
    return fw::WinProfile::WriteString(kMoveRequestFile, kSection, "f", file.c_str()) &&
           fw::WinProfile::WriteString(kMoveRequestFile, kSection, "t", target.c_str()) &&
           fw::WinProfile::WriteString(kMoveRequestFile, kSection, "x", request.execute ? "1" : "0") &&
           fw::WinProfile::WriteString(kMoveRequestFile, kSection, "p", pid.c_str());
}

namespace {

// Starts a program of the machine that outlives this instance: it is never waited for.
bool StartDetached(const std::string& program)
{
    const int pid = fw::Process::Start("\"" + program + "\"");
    if (pid < 0) return false;
    fw::Process::Release(pid);
    return true;
}

// Moves the request's file into its target directory (and starts the moved copy when asked)
// or deletes it when there is no target.
MoveRunResult CarryOut(const MoveRequest& request, const std::function<bool(const std::string&)>& start)
{
    // Only a plain file of the machine is moved or deleted, never a directory.
    const std::string& file = request.file;
    if (!fw::WinFileSystem::Exists(file) || fw::WinFileSystem::IsDirectory(file)) return kMoveFailed;
    // The file keeps its own (long) name where it goes: the request names it by its 8.3 form,
    // which the machine's file on the host spells out.
    std::string host;
    const std::string name = fw::WinRoot::Current()->ToHost(file, host) ? NameOf(host) : NameOf(file);
    if (request.target.empty()) return fw::WinFileSystem::DeleteFile(file) ? kMoveDone : kMoveFailed;
    // "X:" names the drive's root directory.
    std::string directory = request.target;
    if (directory.back() != '\\' && directory.back() != '/') directory += '\\';
    const std::string moved = directory + name;
    if (!fw::WinFileSystem::IsDirectory(directory) || !fw::WinFileSystem::MoveFileEx(file, moved, fw::kMoveReplaceExisting))
        return kMoveFailed;
    return !request.execute || start(moved) ? kMoveDone : kMoveFailed;
}

} // namespace

bool LaunchMover(const MoveRequest& request)
{
    const std::string program = WindowsPath(kMoverProgram);
    if (program.empty()) return false;
    const std::function<bool(const std::string&)> start =
        MoverStartSeam::Current() ? MoverStartSeam::Current() : std::function<bool(const std::string&)>(StartDetached);
    if (!fw::WinFileSystem::Exists(program)) {
        // A machine without the mover: here a running program may move and delete its own
        // file, so the uninstaller carries the request out itself, at once.
        return fw::WinRoot::Current() && CarryOut(request, start) == kMoveDone;
    }
    if (!WriteMoveRequest(request)) return false;
    if (start(program)) return true;
    DeleteProfileSection(kMoveRequestFile, kSection); // no request left for a mover that never ran
    return false;
}

bool ReadMoveRequest(MoveRequest& request, long& requester)
{
    request = MoveRequest();
    request.file = fw::WinProfile::GetString(kMoveRequestFile, kSection, "f", "");
    request.target = fw::WinProfile::GetString(kMoveRequestFile, kSection, "t", "");
    request.execute = fw::WinProfile::GetInt(kMoveRequestFile, kSection, "x", 0) == 1 ? 1 : 0;
    requester = fw::WinProfile::GetInt(kMoveRequestFile, kSection, "p", 0);
    return !request.file.empty();
}

bool HostProcessRunning(long pid)
{
    if (pid <= 0 || pid == static_cast<long>(getpid())) return false;
    if (kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) return false;
    // An ended process that its parent has not reaped yet still answers kill(): its state in
    // /proc tells ("Z" zombie, "X" dead).
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) return false;
    size_t close = line.rfind(')');
    if (close == std::string::npos || close + 2 >= line.size()) return false;
    char state = line[close + 2];
    return state != 'Z' && state != 'X';
}

MoveRunResult RunMoveRequest(const MoveRunOptions& options)
{
    MoveRequest request;
    long requester = 0;
    if (!fw::WinRoot::Current() || !ReadMoveRequest(request, requester)) return kMoveNoRequest;

    // The requester's program file may be the one to move: nothing happens while it runs.
    auto running = options.requesterRunning ? options.requesterRunning : HostProcessRunning;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(options.waitMilliseconds);
    while (running(requester)) {
        if (std::chrono::steady_clock::now() >= deadline) return kMoveRequesterRunning;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }

    const MoveRunResult result =
        CarryOut(request, options.start ? options.start : std::function<bool(const std::string&)>(StartDetached));
    // The request is done with (a failed one too: repeating it would fail again).
    DeleteProfileSection(kMoveRequestFile, kSection);
    return result;
}

} // namespace kw
