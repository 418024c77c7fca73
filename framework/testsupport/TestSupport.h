// Helpers for tests: a temporary directory that removes itself, an environment variable set for
// a scope, the raw catalogues and the built program directory.
#pragma once
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace testsupport {

// A fresh directory under the system's temporary directory, removed with everything in it
// when the object goes out of scope. path() ends in '/'.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + name; }

private:
    std::string path_;
};

// Sets an environment variable (a null value unsets it) for the object's lifetime; the
// destructor puts back the value it had, or unsets it when it had none.
class ScopedEnv {
public:
    ScopedEnv(std::string name, const char* value);
    ScopedEnv(std::string name, const std::string& value) : ScopedEnv(std::move(name), value.c_str()) {}
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name_;
    std::optional<std::string> saved_;
};

// The raw public catalogues ($STELLUM_RAW_DATA, default ../shared/data beside the checkout),
// ending in '/'. Empty when missing; under CI=true a missing directory fails the calling test.
std::string RawDataDir();

// The program directory as the build delivers it ($STELLUM_PROGRAM_DIR, build/delivered), ending
// in '/': the programs, the data files and the samples under "User/", written by the build
// alone, never the directory that the planner runs in. Read-only for tests: a test that needs
// a file to change copies it into its own directory. Empty when probeFile is not there; under
// CI=true that fails the calling test.
std::string ProgramDataDir(const std::string& probeFile);

// Makes dir a program directory for a test: its "User" folder, and the named files of the
// delivered program directory (names may lie under "User/"); no names takes every regular file
// at its top. The program only reads the files at the top, which are linked; the user's files
// under "User/", which the program writes, are copied. A file that cannot be linked or copied
// fails the calling test.
void LinkProgramFiles(const std::string& programDir, const std::string& dir,
                      std::vector<std::string> names = {});

// Whole content of a file as bytes ("" when it cannot be read).
std::string ReadFileBytes(const std::string& path);
// Writes bytes to a file, replacing it; false on failure.
bool WriteFileBytes(const std::string& path, const std::string& bytes);

// The pid of a process that has ended (a child that exited at once), for the temporaries that
// a save killed mid-write would have left.
long EndedPid();

// The number of pages of a PDF document (its page objects).
int PdfPageCount(const std::string& bytes);

// Where a picture for a person to look at goes: $STELLUM_SNAPSHOT_DIR/<name>, or "" when that
// variable is not set (then no picture is saved anywhere).
std::string SnapshotPath(const std::string& name);

} // namespace testsupport

// Skips the test when the data is missing outside CI, fails it under CI=true.
#define STELLUM_REQUIRE_DATA(dir)                                                        \
    do {                                                                                 \
        if ((dir).empty()) {                                                             \
            if (::testsupport::InCi()) FAIL() << "data files missing under CI";          \
            GTEST_SKIP() << "data files missing";                                        \
        }                                                                                \
    } while (0)

namespace testsupport {
bool InCi();
}
