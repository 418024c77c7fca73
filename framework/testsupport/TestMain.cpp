// main() of every test program: a home of its own, one QApplication on the offscreen platform,
// then GoogleTest, with the program-wide state brought back to its start after every test.
#include "framework/stream/StateReset.h"
#include "framework/testsupport/TestSupport.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>
#include <string>

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
    int result = 0;
    {
        QApplication app(argc, argv);
        ::testing::InitGoogleTest(&argc, argv);
        ::testing::UnitTest::GetInstance()->listeners().Append(new ResetAfterEachTest);
        result = RUN_ALL_TESTS();
    }
    return result;
}
