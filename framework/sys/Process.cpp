#include "framework/sys/Process.h"

#include "framework/sys/WinRoot.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <strings.h>

extern char** environ;

namespace fw {

namespace {
std::vector<int>& Released()
{
    static std::vector<int> pids;
    return pids;
}

void ReapReleased()
{
    auto& pids = Released();
    pids.erase(std::remove_if(pids.begin(), pids.end(),
                              [](int pid) {
                                  int status;
                                  return waitpid(pid, &status, WNOHANG) != 0;
                              }),
               pids.end());
}

// The environment of a program of the machine: this process's own, with the machine's root
// in STELLUM_WINROOT so that an installer program started here works on the same machine.
std::vector<std::string> MachineEnvironment(const std::string& hostRoot)
{
    static const std::string kName = "STELLUM_WINROOT=";
    std::vector<std::string> env;
    for (char** e = environ; e && *e; ++e)
        if (std::strncmp(*e, kName.c_str(), kName.size()) != 0) env.push_back(*e);
    env.push_back(kName + hostRoot);
    return env;
}

int Spawn(const std::vector<std::string>& argv, const std::string& directory, bool searchPath, std::string* error,
          const std::vector<std::string>* environment = nullptr)
{
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    std::vector<char*> env;
    if (environment) {
        for (const std::string& e : *environment) env.push_back(const_cast<char*>(e.c_str()));
        env.push_back(nullptr);
    }
    char** envp = environment ? env.data() : environ;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!directory.empty()) posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
    pid_t pid = -1;
    int rc = searchPath ? posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), envp)
                        : posix_spawn(&pid, args[0], &actions, nullptr, args.data(), envp);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        if (error) *error = std::strerror(rc);
        return -1;
    }
    return pid;
}
} // namespace

std::vector<std::string> Process::SplitCommandLine(const std::string& line)
{
    std::vector<std::string> words;
    std::string cur;
    bool quoted = false, any = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (any) words.push_back(cur);
            cur.clear();
            any = false;
        } else {
            cur += c;
            any = true;
        }
    }
    if (any) words.push_back(cur);
    return words;
}

int Process::Start(const std::string& commandLine, std::string* error)
{
    ReapReleased();
    std::vector<std::string> words = SplitCommandLine(commandLine);
    WinRoot* root = WinRoot::Current();
    if (words.empty() || !root) {
        if (error) *error = "no program named";
        return -1;
    }
    std::string host;
    bool isLink = false;
    if (!root->ToHost(words[0], host, &isLink) || isLink || access(host.c_str(), X_OK) != 0) {
        if (error) *error = "cannot run " + words[0];
        return -1;
    }
    words[0] = host;
    std::string dir;
    root->ToHost(root->CurrentDirectory(), dir);
    const std::vector<std::string> environment = MachineEnvironment(root->HostRoot());
    return Spawn(words, dir, false, error, &environment);
}

int Process::ShellOpen(const std::string& document, int showCommand)
{
    if (auto& handler = ShellOpenSeam::Current()) return handler(document, showCommand);
    WinRoot* root = WinRoot::Current();
    std::string host = document;
    if (root && !root->ToHost(document, host)) return -1;
    return Spawn({"xdg-open", host}, "", true, nullptr);
}

int Process::Poll(int pid, int& exitCode)
{
    if (pid <= 0) return -1;
    int status = 0;
    pid_t r = waitpid(pid, &status, WNOHANG);
    if (r == 0) return 1;
    if (r < 0) return -1;
    exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : WIFSIGNALED(status) ? 128 + WTERMSIG(status) : 1;
    return 0;
}

void Process::Release(int pid)
{
    if (pid > 0) Released().push_back(pid);
    ReapReleased();
}

} // namespace fw
