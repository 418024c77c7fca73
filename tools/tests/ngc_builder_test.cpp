// The data builder turns the raw NGC 2000.0 catalogue into the catalogue files and refuses a
// catalogue that is not complete.
#include "RunBuilder.h"

#include "framework/testsupport/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <sys/wait.h>

namespace {

// Runs the builder on a raw directory; its exit status.
int RunBuilder(const std::string& builder, const std::string& raw, const std::string& out)
{
    return tooltest::RunBuilder(builder, raw, out, "ngc2000,comname");
}

std::vector<std::string> Lines(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::istringstream in(bytes);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string Join(const std::vector<std::string>& lines)
{
    std::string out;
    for (const auto& l : lines)
        out += l + "\n";
    return out;
}

} // namespace

TEST(NgcBuilder, BuildsTheDeliveredFilesAndRefusesAnIncompleteCatalogue)
{
    const std::string program = testsupport::ProgramDataDir("ngc2k.rsx");
    STELLUM_REQUIRE_DATA(program);
    const std::string rawDir = testsupport::RawDataDir();
    STELLUM_REQUIRE_DATA(rawDir);
    const std::string builder = program + "../tools/stellum-databuild";
    ASSERT_TRUE(std::filesystem::exists(builder)) << builder;

    const std::string catalogue = testsupport::ReadFileBytes(rawDir + "ngc2000/ngc2000.dat");
    const std::string names = testsupport::ReadFileBytes(rawDir + "ngc2000/names.dat");
    const std::vector<std::string> lines = Lines(catalogue);
    ASSERT_EQ(lines.size(), 13226u);

    auto withRecords = [&](std::vector<std::string> records) {
        testsupport::TempDir raw;
        std::filesystem::create_directories(raw.path() + "ngc2000");
        testsupport::WriteFileBytes(raw.file("ngc2000/ngc2000.dat"), Join(records));
        testsupport::WriteFileBytes(raw.file("ngc2000/names.dat"), names);
        testsupport::TempDir out;
        const int status = RunBuilder(builder, raw.path(), out.path());
        return std::make_pair(status, std::filesystem::exists(out.file("ngc2k.rsx")));
    };

    {   // The whole catalogue gives the files the build delivered, byte for byte.
        testsupport::TempDir out;
        ASSERT_EQ(RunBuilder(builder, rawDir, out.path()), 0);
        EXPECT_EQ(testsupport::ReadFileBytes(out.file("ngc2k.rsx")),
                  testsupport::ReadFileBytes(program + "ngc2k.rsx"));
        EXPECT_EQ(testsupport::ReadFileBytes(out.file("dreyer.rsx")),
                  testsupport::ReadFileBytes(program + "dreyer.rsx"));
        EXPECT_EQ(testsupport::ReadFileBytes(out.file("User/comname.txt")),
                  testsupport::ReadFileBytes(program + "User/comname.txt"));
    }

    std::vector<std::string> missing(lines.begin() + 1, lines.end());
    std::vector<std::string> repeated = lines;
    repeated[1] = lines[2];
    std::vector<std::string> extra = lines;
    extra.push_back(lines[5]);
    std::vector<std::string> badConstellation = lines;
    badConstellation[3].replace(29, 3, "Xyz");
    std::vector<std::string> badType = lines;
    badType[3].replace(6, 3, " Zz");
    std::vector<std::string> outOfRange = lines;
    outOfRange[0].replace(0, 5, "I5387");
    const struct { const char* what; std::vector<std::string> records; } cases[] = {
        {"one record missing", missing},
        {"one designation twice, another missing", repeated},
        {"one record too many", extra},
        {"unknown constellation", badConstellation},
        {"unknown type", badType},
        {"IC number out of range", outOfRange},
    };
    for (const auto& c : cases) {
        const auto [status, wrote] = withRecords(c.records);
        EXPECT_NE(status, 0) << c.what;
        EXPECT_FALSE(wrote) << c.what;
    }
}
