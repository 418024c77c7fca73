// Constellation lines: the set's rules, the file and its damage, the RA span and the pick of
// the line nearest a screen point; the default figures installed for the user.
#include "chart/ConstelLines.h"
#include "framework/stream/PStream.h"
#include "framework/testsupport/TestSupport.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

std::vector<ConstelLine>& Lines() { return ConstelLineArray::Instance().Lines(); }

class ConstelLinesFile : public ::testing::Test {
protected:
    testsupport::TempDir dir;
    std::string File() const { return dir.file("conlines.rsx"); }
};

std::string LinesBytes(std::uint16_t count, const std::vector<ConstelLine>& lines)
{
    fw::omstream os;
    os.writeWord16(count);
    for (const auto& l : lines) {
        os.writeDouble(l.ra1);
        os.writeDouble(l.dec1);
        os.writeDouble(l.ra2);
        os.writeDouble(l.dec2);
    }
    return os.str();
}

TEST_F(ConstelLinesFile, AddRemoveReplaceAndRoundTrip)
{
    {
        ConstelLines lines(File());
        EXPECT_TRUE(Lines().empty());
        bool modified = false;
        EXPECT_EQ(lines.AddIfAbsent(modified, 5.9, 7.4, 5.4, 6.3), 1);
        EXPECT_TRUE(modified);
        modified = false;
        EXPECT_EQ(lines.AddIfAbsent(modified, 5.9, 7.4, 5.4, 6.3), 0);
        EXPECT_FALSE(modified);
        lines.AddIfAbsent(1, 2, 3, 4);
        lines.AddIfAbsent(9, 9, 9, 9);
        EXPECT_EQ(lines.Remove(modified, ConstelLine(9, 9, 9, 9)), 1);
        EXPECT_EQ(lines.Remove(modified, ConstelLine(9, 9, 9, 9)), 0);

        ConstelLine drawn(1, 2, 3, 4);
        drawn.screen = ScreenLine(fw::Point(10, 10), fw::Point(50, 10));
        EXPECT_EQ(lines.Replace(drawn), 1);
        EXPECT_EQ(Lines().at(1).screen, drawn.screen);
        EXPECT_EQ(lines.Replace(ConstelLine(7, 7, 7, 7)), 0);
    }
    ConstelLineArray::Instance().Reset();
    ConstelLines again(File());
    ASSERT_EQ(Lines().size(), 2u);
    ConstelLine l;
    ASSERT_EQ(again.Next(l, true), 1);
    EXPECT_EQ(l, ConstelLine(5.9, 7.4, 5.4, 6.3));
    ASSERT_EQ(again.Next(l, false), 1);
    EXPECT_EQ(l, ConstelLine(1, 2, 3, 4));
    EXPECT_TRUE(l.screen.IsEmpty()); // screen segments are not stored
    EXPECT_EQ(again.Next(l, false), 0);
    EXPECT_FALSE(again.Modified());
}

TEST_F(ConstelLinesFile, DamagedFilesKeepOnlyWholeLines)
{
    const ConstelLine a(1, 2, 3, 4), b(5, 6, 7, 8);
    const std::string two = LinesBytes(2, {a, b});
    struct Case {
        const char* what;
        std::string bytes;
        std::size_t lines;
        int read;
    } cases[] = {
        {"two identical lines", LinesBytes(2, {a, a}), 1, 1},
        {"count above what follows", LinesBytes(65535, {a, b}), 2, 1},
        {"last line cut short", two.substr(0, two.size() - 5), 1, 1},
        {"count only", LinesBytes(40, {}), 0, 1},
        {"half a count", std::string(1, '\x05'), 0, 0},
        {"empty file", std::string(), 0, 0},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(testsupport::WriteFileBytes(File(), c.bytes));
        ConstelLines lines(File());
        EXPECT_EQ(Lines().size(), c.lines) << c.what;
        EXPECT_EQ(lines.Read(), c.read) << c.what;
        EXPECT_FALSE(lines.Modified()) << c.what;
    }
    ConstelLines none(dir.file("missing.rsx"));
    EXPECT_EQ(none.Read(), 0);
    EXPECT_TRUE(Lines().empty());
}

// A line file that could not be read whole, or is there but cannot be read (a directory at
// its name), is kept beside the new one when the lines are saved.
TEST_F(ConstelLinesFile, ADamagedFileIsKeptAsideBeforeItIsReplaced)
{
    const ConstelLine a(1, 2, 3, 4), b(5, 6, 7, 8);
    const std::string two = LinesBytes(2, {a, b});
    for (const std::string& bytes : {LinesBytes(3, {a, b}), two + "x", two.substr(0, 40), std::string(1, '\x05')}) {
        ASSERT_TRUE(testsupport::WriteFileBytes(File(), bytes));
        {
            ConstelLines lines(File());
            EXPECT_TRUE(lines.Damaged());
            lines.Remove(a);
        }
        EXPECT_EQ(testsupport::ReadFileBytes(File() + ".bad"), bytes);
        std::filesystem::remove(File() + ".bad");
        ConstelLines again(File());
        EXPECT_FALSE(again.Damaged());
    }
    std::filesystem::remove(File());
    std::filesystem::create_directory(File());
    {
        ConstelLines lines(File());
        EXPECT_TRUE(lines.Damaged());
        lines.Remove(a);
    }
    EXPECT_TRUE(std::filesystem::is_directory(File() + ".bad"));
    ConstelLines again(File());
    EXPECT_FALSE(again.Damaged());
}

TEST_F(ConstelLinesFile, SetStopsAtTheFilesCountLimit)
{
    ConstelLines lines(File());
    for (int i = 0; i < 65535; ++i)
        Lines().emplace_back(i, 0, i, 1);
    EXPECT_EQ(lines.AddIfAbsent(-1, 0, -1, 1), 0);
    EXPECT_EQ(Lines().size(), 65535u);
    ASSERT_EQ(lines.Write(), 1);
    EXPECT_EQ(testsupport::ReadFileBytes(File()).size(), 2u + 65535u * 32u);
    EXPECT_EQ(lines.Read(), 1);
    EXPECT_EQ(Lines().size(), 65535u);
}

TEST(ConstelLines, SpansRA)
{
    const ConstelLine across(23, 10, 1, 12);
    EXPECT_TRUE(ConstelLines::SpansRA(across, 0.5));
    EXPECT_TRUE(ConstelLines::SpansRA(across, 23.5));
    EXPECT_FALSE(ConstelLines::SpansRA(across, 12));
    const ConstelLine plain(5, 0, 7, 0);
    EXPECT_TRUE(ConstelLines::SpansRA(plain, 6));
    EXPECT_FALSE(ConstelLines::SpansRA(plain, 5)); // open at RA1 when ra lies above it...
    EXPECT_FALSE(ConstelLines::SpansRA(plain, 8));
    const ConstelLine backwards(7, 0, 5, 0);
    EXPECT_TRUE(ConstelLines::SpansRA(backwards, 7)); // ...closed at RA1 from below
    EXPECT_FALSE(ConstelLines::SpansRA(backwards, 5));
    EXPECT_FALSE(ConstelLines::SpansRA(ConstelLine(5, 86, 7, 0), 6));
    EXPECT_TRUE(ConstelLines::SpansRA(ConstelLine(5, 85.9, 7, 0), 6));
}

TEST_F(ConstelLinesFile, NearestOnScreenUsesDrawnSegmentsOnly)
{
    ConstelLines lines(File());
    lines.AddIfAbsent(1, 1, 2, 2);
    lines.AddIfAbsent(3, 3, 4, 4);
    lines.AddIfAbsent(5, 5, 6, 6);
    ConstelLine found;
    EXPECT_EQ(lines.NearestOnScreen(fw::Point(10, 10), found), 0); // nothing drawn yet

    ConstelLine a(1, 1, 2, 2), b(3, 3, 4, 4), c(5, 5, 6, 6);
    a.screen = ScreenLine(fw::Point(0, 100), fw::Point(200, 100)); // 90 below the point
    b.screen = ScreenLine(fw::Point(0, 40), fw::Point(200, 40));   // 30 below
    c.screen = ScreenLine(fw::Point(300, 10), fw::Point(400, 10)); // nearest, but the point is not beside it
    lines.Replace(a);
    lines.Replace(b);
    lines.Replace(c);
    ASSERT_EQ(lines.NearestOnScreen(fw::Point(100, 10), found), 1);
    EXPECT_EQ(found, b);
    EXPECT_EQ(found.screen, b.screen);
}

TEST(ConstelLines, DefaultFiguresForTheUser)
{
    const std::string dir = testsupport::ProgramDataDir("rssao.cat");
    STELLUM_REQUIRE_DATA(dir);
    ConstelLineArray::Instance().Reset();
    ConstelLines lines(dir + "User/conlines.rsx");
    EXPECT_EQ(Lines().size(), 659u);
    // Ursa Major: Alkaid to Mizar.
    const ConstelLine alkaidMizar(13.792333, 49.313333, 13.398750, 54.925278);
    EXPECT_NE(std::find(Lines().begin(), Lines().end(), alkaidMizar), Lines().end());
    for (const auto& l : Lines()) {
        EXPECT_TRUE(l.ra1 >= 0 && l.ra1 < 24 && l.ra2 >= 0 && l.ra2 < 24);
        EXPECT_TRUE(l.dec1 >= -90 && l.dec1 <= 90 && l.dec2 >= -90 && l.dec2 <= 90);
    }
    EXPECT_FALSE(lines.Modified());
    ConstelLineArray::Instance().Reset();
}

} // namespace
