// main() of every test program: a home and a working directory of its own, one QApplication on
// the offscreen platform, then GoogleTest, with the program-wide state brought back to its start
// after every test. A test that leaves anything in the working directory (a program's settings
// written beside it, say) fails the run: tests write only into their own temporary directories.
#include "framework/stream/StateReset.h"
#include "framework/testsupport/TestSupport.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <set>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::set<std::string> Entries(const std::string& dir)
{
    std::set<std::string> names;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(dir, ec)) names.insert(e.path().filename().string());
    return names;
}

// Names the first test after which each stray entry turned up in the working directory.
class StrayFileWatch : public ::testing::EmptyTestEventListener {
public:
    explicit StrayFileWatch(std::string dir) : dir_(std::move(dir)) {}
    void OnTestEnd(const ::testing::TestInfo& test) override
    {
        for (const std::string& name : Entries(dir_)) {
            if (reported_.insert(name).second)
                std::cerr << test.test_suite_name() << "." << test.name() << " left \"" << name
                          << "\" in the working directory\n";
        }
    }
    bool Clean() const { return reported_.empty() && Entries(dir_).empty(); }

private:
    std::string dir_;
    std::set<std::string> reported_;
};

} // namespace

namespace {
// Runs after the fixture is gone, so a test's state never reaches the next one, whatever order
// the tests run in.
class ResetAfterEachTest : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override { fw::StateReset::RunAll(); }
};
} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Whatever a test writes under the user's home or the desktop's data directories lands in
    // a directory removed at the end, never in the real ones. Tests that need a particular
    // home set their own.
    testsupport::TempDir home;
    const std::string base = home.path();
    setenv("HOME", base.c_str(), 1);
    setenv("XDG_DATA_HOME", (base + ".local/share").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (base + ".config").c_str(), 1);
    setenv("XDG_CACHE_HOME", (base + ".cache").c_str(), 1);
    ::chmod(base.c_str(), 0700); // the runtime directory must be private
    setenv("XDG_RUNTIME_DIR", base.c_str(), 1);
    // The working directory: empty, and expected to stay so.
    testsupport::TempDir work;
    if (::chdir(work.path().c_str()) != 0) {
        std::cerr << "cannot enter " << work.path() << "\n";
        return 1;
    }
    int result = 0;
    {
        QApplication app(argc, argv);
        ::testing::InitGoogleTest(&argc, argv);
        ::testing::UnitTest::GetInstance()->listeners().Append(new ResetAfterEachTest);
        auto* watch = new StrayFileWatch(work.path());
        ::testing::UnitTest::GetInstance()->listeners().Append(watch);
        result = RUN_ALL_TESTS();
        if (!watch->Clean()) result = 1;
    }
    return result;
}
