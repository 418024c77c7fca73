// The data builder refuses raw series that are incomplete or damaged, and writes nothing then.
#include "RunBuilder.h"

#include "framework/testsupport/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

using tooltest::RunBuilder;

// Replaces the first occurrence of from by to in a file.
void Edit(const std::string& path, const std::string& from, const std::string& to)
{
    std::string bytes = testsupport::ReadFileBytes(path);
    const size_t at = bytes.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    bytes.replace(at, from.size(), to);
    ASSERT_TRUE(testsupport::WriteFileBytes(path, bytes));
}

// Removes line n (0 the first) of a file.
void DropLine(const std::string& path, int n)
{
    std::string bytes = testsupport::ReadFileBytes(path);
    size_t begin = 0;
    for (int i = 0; i < n; ++i)
        begin = bytes.find('\n', begin) + 1;
    bytes.erase(begin, bytes.find('\n', begin) + 1 - begin);
    ASSERT_TRUE(testsupport::WriteFileBytes(path, bytes));
}

TEST(SeriesBuilder, RefusesIncompleteOrDamagedSeries)
{
    const std::string program = testsupport::ProgramDataDir("9.rsx");
    STELLUM_REQUIRE_DATA(program);
    const std::string rawDir = testsupport::RawDataDir();
    STELLUM_REQUIRE_DATA(rawDir);
    const std::string builder = program + "../tools/stellum-databuild";
    ASSERT_TRUE(fs::exists(builder)) << builder;

    struct Case {
        const char* what;
        const char* folder;
        const char* only;
        const char* output;
        std::function<void(const std::string&)> damage;
    } cases[] = {
        {"a Venus term missing", "vsop87a", "planet-series", "2.rsx",
         [](const std::string& d) { DropLine(d + "VSOP87A.ven", 2); }},
        {"an Earth amplitude damaged", "vsop87a", "planet-series", "3.rsx",
         [](const std::string& d) { Edit(d + "VSOP87A.ear", "0.99982928844", "0.99982928944"); }},
        {"a Moon series short of a term", "elp2000-82b", "moon-series", "elphires.rsx",
         [](const std::string& d) { DropLine(d + "ELP5", 1); }},
        {"a Moon coefficient damaged", "elp2000-82b", "moon-series", "elphires.rsx",
         [](const std::string& d) { Edit(d + "ELP1", "-411.60287", "-411.61287"); }},
        {"a Pluto term damaged", "pluto95", "pluto-series", "9.rsx",
         [](const std::string& d) { Edit(d + "pluto95.dat", "-16338582222", "-16338582322"); }},
        {"a Pluto term missing", "pluto95", "pluto-series", "9.rsx",
         [](const std::string& d) { Edit(d + "pluto95.dat", "TERM 106", "# TERM 106"); }},
    };
    for (const auto& c : cases) {
        testsupport::TempDir raw, out;
        const std::string folder = raw.path() + c.folder + "/";
        fs::copy(rawDir + c.folder, folder, fs::copy_options::recursive);
        for (const auto& e : fs::directory_iterator(folder))
            fs::permissions(e.path(), fs::perms::owner_write, fs::perm_options::add);
        c.damage(folder);
        EXPECT_NE(RunBuilder(builder, raw.path(), out.path(), c.only), 0) << c.what;
        EXPECT_FALSE(fs::exists(out.file(c.output))) << c.what;
    }
}

} // namespace
