// A program and user directory of a test's own for the observing-log document, a status
// window that records its lines, and a child process for what must survive a crash.
#pragma once

#include "obslog/LogDocument.h"
#include "obslog/LogFile.h"
#include "obslog/tests/LogFixtures.h"

#include "framework/testsupport/TestSupport.h"
#include "globals/Globals.h"
#include "ui/LogErrors.h"
#include "ui/TStatusDlg.h"

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace logtest {

// A directory of the test's own with the program directory's crash files, "User/" and the
// log "Nights.log". In memory (/dev/shm, where there is one) for the tests that store
// thousands of records or kill hundreds of processes: a killed process leaves the same files
// there as on a disk, without waiting for the disk at every flush.
struct LogDirs {
    std::string program, user, log;
    explicit LogDirs(bool inMemory = false)
    {
        namespace fs = std::filesystem;
        std::error_code ec;
        const std::string base = inMemory && fs::is_directory("/dev/shm", ec) ? std::string("/dev/shm")
                                                                                : fs::temp_directory_path().string();
        std::string pattern = base + "/stellum-test-XXXXXX";
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary directory");
        program = pattern + "/";
        user = program + "User/";
        log = program + "Nights.log";
        ::mkdir(user.c_str(), 0755);
        // The form's trace lines go into this directory, not the working directory; the
        // reset after each test points the log back at its default.
        DebugLog().Reset(program + "debug.txt");
    }
    ~LogDirs()
    {
        std::error_code ec;
        ::chmod(program.c_str(), 0755);
        std::filesystem::remove_all(program, ec);
    }
    LogDirs(const LogDirs&) = delete;
    LogDirs& operator=(const LogDirs&) = delete;
    std::string File(const std::string& name) const { return program + name; }
};

// The status window while it lives, logging into its own directory.
struct StatusLines {
    testsupport::TempDir dir;
    TStatusDlg window{nullptr, dir.file("status.txt")};
    TStatusDlg* previous = StatusWindow;
    StatusLines() { StatusWindow = &window; }
    ~StatusLines() { StatusWindow = previous; }
    bool Has(const std::string& line) const
    {
        for (int i = 0; i < window.LineCount(); ++i)
            if (window.Line(i) == line)
                return true;
        return false;
    }
    std::string All() const
    {
        std::string all;
        for (int i = 0; i < window.LineCount(); ++i)
            all += window.Line(i) + "\n";
        return all;
    }
};

inline std::vector<ObsRecord> Records(int count, int firstNumber = 1)
{
    std::vector<ObsRecord> records;
    for (int i = 0; i < count; ++i)
        records.push_back(Record(firstNumber + i, "NGC " + std::to_string(100 + i)));
    return records;
}

inline std::string LogBytes(const std::vector<ObsRecord>& records)
{
    return LogFile::Encode(ObsRecordHeader(), RuravAvaviv(), records, false);
}

// Runs body in a child process (without the status window) and answers its exit status (body's result); a body that must
// end as a crash would calls _exit itself, before its locals are destroyed.
inline int InChild(const std::function<int()>& body)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        StatusWindow = nullptr;  // the window's painting threads are not in the child
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
}

} // namespace logtest
