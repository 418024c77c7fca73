// The visible region of the chart and the user's chart labels with their file.
#include "chart/ChartLabels.h"
#include "chart/VisibleRegion.h"
#include "astro/Coord.h"
#include "astro/Distance.h"
#include "astro/JulianDate.h"
#include "framework/gui/MessageBox.h"
#include "framework/stream/AtomicFile.h"
#include "framework/stream/PStream.h"
#include "framework/testsupport/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

VisibleRegion Region(double raLeft, double raRight, double decTop, double decBottom, bool north = false,
                     bool south = false)
{
    const SkyPoint tl{raLeft, decTop}, tr{raRight, decTop}, bl{raLeft, decBottom}, br{raRight, decBottom};
    const SkyPoint bm{(raLeft + raRight) / 2, decBottom}, tm{(raLeft + raRight) / 2, decTop};
    return VisibleRegion(tl, tr, bl, br, bm, tm, north, south);
}

TEST(VisibleRegion, BoxWithMarginsAndTheWrapAtZeroHours)
{
    const VisibleRegion plain = Region(10, 8, 30, 10);
    EXPECT_FALSE(plain.wraps);
    EXPECT_TRUE(plain.Contains(9, 20));
    EXPECT_TRUE(plain.Contains(9, 34.9));  // within the 5-degree margin
    EXPECT_FALSE(plain.Contains(9, 35.1));
    EXPECT_FALSE(plain.Contains(9, 4.9));
    EXPECT_FALSE(plain.Contains(8, 20));   // exactly on the lower RA limit: outside
    EXPECT_FALSE(plain.Contains(10, 20));
    EXPECT_FALSE(plain.Contains(12, 20));

    const VisibleRegion wrap = Region(1, 23, 20, 0);
    EXPECT_TRUE(wrap.wraps);
    EXPECT_TRUE(wrap.Contains(0.5, 10));
    // A position triple is taken as its right ascension in hours and declination in degrees;
    // -0.5 h wraps to 23.5 h.
    const JulianDate j2000;
    EXPECT_TRUE(wrap.Contains(Coord::Equatorial(Angle(-0.5, Angle::kHours), Angle(10, Angle::kDegrees), Distance(), j2000, 0)));
    EXPECT_FALSE(wrap.Contains(Coord::Equatorial(Angle(12, Angle::kHours), Angle(10, Angle::kDegrees), Distance(), j2000, 0)));
    EXPECT_TRUE(wrap.Contains(23.5, 10));
    EXPECT_FALSE(wrap.Contains(12, 10));

    // South of the equator the bottom corners give the RA range, widened by half an hour.
    const VisibleRegion south = Region(10, 8, -30, -50);
    EXPECT_TRUE(south.Contains(10.4, -40));
    EXPECT_FALSE(south.Contains(10.6, -40));

    // South of the equator, a box whose widened limits cross 0 h or 24 h wraps there: the
    // objects just past the crossing stay in.
    struct Case { double left, right, ra; bool inside; } cases[] = {
        {2, 0.2, 23.9, true},   // right edge just past 0 h: 23.9 h lies within the widening
        {2, 0.2, 1.0, true},
        {2, 0.2, 12, false},
        {23.8, 22, 0.1, true},  // left edge just before 24 h: 0.1 h lies within the widening
        {23.8, 22, 23, true},
        {23.8, 22, 12, false},
    };
    for (const Case& c : cases) {
        const VisibleRegion r = Region(c.left, c.right, -30, -50);
        EXPECT_EQ(r.Contains(c.ra, -40), c.inside) << c.left << " " << c.right << " " << c.ra;
    }
}

TEST(VisibleRegion, PolesAndTheWholeSky)
{
    // North pole on the chart: everything above the top-right corner's declination passes.
    const VisibleRegion north = Region(6, 18, 70, 50, true, false);
    EXPECT_TRUE(north.Contains(12, 75));
    EXPECT_TRUE(north.Contains(3, 75));
    EXPECT_FALSE(north.Contains(12, 60)); // below the cap, outside the RA range
    EXPECT_TRUE(north.Contains(2, 60));
    EXPECT_FALSE(north.Contains(2, 40));

    const VisibleRegion south = Region(6, 18, -50, -70, false, true);
    EXPECT_TRUE(south.Contains(12, -75));
    EXPECT_FALSE(south.Contains(2, -40));

    const VisibleRegion both = Region(6, 18, 10, -10, true, true);
    EXPECT_TRUE(both.Contains(12, 0));
    EXPECT_TRUE(VisibleRegion().Contains(12, 0));
    VisibleRegion marked = Region(10, 8, 30, 10);
    marked.SetAllSky();
    EXPECT_TRUE(marked.Contains(20, -80));
}

class ChartLabelsFile : public ::testing::Test {
protected:
    static std::vector<ChartLabel>& Labels() { return ChartLabelArray::Instance().Labels(); }
    testsupport::TempDir dir;
    std::string File() const { return dir.file("chtlabel.rsx"); }
};

TEST_F(ChartLabelsFile, AddRemoveAndTheSameAnchorRule)
{
    ChartLabels labels(File()); // no file yet: no labels
    EXPECT_TRUE(Labels().empty());
    EXPECT_FALSE(labels.Modified());
    bool modified = false;
    EXPECT_EQ(labels.AddLabel(modified, ChartLabel(5, 10, 5.2, 11, "M 42")), 1);
    EXPECT_TRUE(modified);
    modified = false;
    EXPECT_EQ(labels.AddLabel(modified, ChartLabel(5, 10, 7, 7, "other text")), 0); // same anchor
    EXPECT_FALSE(modified);
    EXPECT_EQ(Labels().at(0).text, "M 42");
    EXPECT_EQ(labels.AddLabel(modified, ChartLabel(5, 10, 0, 0, "")), 0); // empty text deletes
    EXPECT_TRUE(modified);
    EXPECT_TRUE(Labels().empty());

    ChartLabel found;
    EXPECT_EQ(labels.Nearest(5, 10, found), 0);
    labels.AddLabel(ChartLabel(1, 0, 1, 2, "A"));
    labels.AddLabel(ChartLabel(3, 0, 3, 2, "B"));
    labels.AddLabel(ChartLabel(23.5, 0, 0.5, 0, "C")); // crosses 0 h: centre at 0 h
    EXPECT_EQ(labels.Nearest(2.9, 1, found), 1);
    EXPECT_EQ(found.text, "B");
    EXPECT_EQ(labels.Nearest(0.1, 0, found), 1);
    EXPECT_EQ(found.text, "C");
    EXPECT_EQ(labels.RemoveAt(modified, 1, 0, 9, 9), 1);
    EXPECT_EQ(labels.RemoveAt(modified, 1, 0, 9, 9), 0);
    EXPECT_EQ(Labels().size(), 2u);

    // Texts longer than the file holds are cut, never in the middle of a character.
    const std::string longText = std::string(86, 'x') + "\u00B0";
    labels.AddLabel(ChartLabel(7, 7, 7, 8, longText));
    EXPECT_EQ(Labels().back().text, std::string(86, 'x'));
}

TEST_F(ChartLabelsFile, RoundTripThroughTheFile)
{
    {
        ChartLabels labels(File());
        labels.AddLabel(ChartLabel(5.5, -5.4, 5.6, -5.0, "Orion Nebula \u00B0", 1.5));
        labels.AddLabel(ChartLabel(0.7, 41.3, 0.8, 42, "M 31"));
    } // the destructor writes the changed set
    ChartLabelArray::Instance().Reset();
    ChartLabels again(File());
    ASSERT_EQ(Labels().size(), 2u);
    ChartLabel l;
    ASSERT_EQ(again.Next(l, true), 1);
    EXPECT_EQ(l.text, "Orion Nebula \u00B0");
    EXPECT_DOUBLE_EQ(l.ra2, 5.6);
    EXPECT_DOUBLE_EQ(l.dec2, -5.0);
    EXPECT_DOUBLE_EQ(l.sizeFactor, 1.5);
    ASSERT_EQ(again.Next(l, false), 1);
    EXPECT_EQ(l.text, "M 31");
    EXPECT_EQ(again.Next(l, false), 0);
    EXPECT_FALSE(again.Modified());
}

std::string LabelBytes(double ra1, const std::string& text, std::uint32_t statedLength)
{
    fw::omstream os;
    os.writeDouble(ra1);
    os.writeDouble(1);
    os.writeDouble(ra1);
    os.writeDouble(2);
    os.writeWord32(statedLength);
    os.writeBytes(text.data(), text.size());
    os.writeDouble(1.0);
    return os.str();
}

std::string Count(std::int32_t n)
{
    fw::omstream os;
    os.writeWord32(static_cast<std::uint32_t>(n));
    return os.str();
}

TEST_F(ChartLabelsFile, DamagedFilesKeepOnlyWholeLabels)
{
    const std::string a = LabelBytes(1, "A", 1), b = LabelBytes(2, "B", 1), c = LabelBytes(3, "C", 1);
    struct Case {
        const char* what;
        std::string bytes;
        std::vector<std::string> texts;
    } cases[] = {
        {"count above what follows", Count(1000000000) + a + b, {"A", "B"}},
        {"count below what follows", Count(1) + a + b, {"A"}},
        {"negative count", Count(-5) + a, {}},
        {"last label cut short", Count(3) + a + b + c.substr(0, c.size() - 3), {"A", "B"}},
        {"text longer than a label holds: cut, and the reading goes on",
         Count(3) + a + LabelBytes(2, std::string(100, 'x'), 100) + c, {"A", std::string(87, 'x'), "C"}},
        {"text length beyond the file", Count(2) + a + LabelBytes(2, "B", 0x7FFFFFF0), {"A"}},
        {"repeated anchor and an empty text", Count(4) + a + b + LabelBytes(1, "Z", 1) + LabelBytes(2, "", 0), {"A"}},
        {"only part of the count", Count(7).substr(0, 2), {}},
    };
    for (const auto& cs : cases) {
        ASSERT_TRUE(testsupport::WriteFileBytes(File(), cs.bytes));
        ChartLabels labels(File());
        std::vector<std::string> texts;
        for (const auto& l : Labels())
            texts.push_back(l.text);
        EXPECT_EQ(texts, cs.texts) << cs.what;
        EXPECT_FALSE(labels.Modified()) << cs.what;
    }
}

// A label file that could not be read whole is kept beside the new one before it is replaced;
// a file that is there but cannot be read (here a directory stands at its name) is no first
// start either. A save that fails says so and leaves the old file.
TEST_F(ChartLabelsFile, ADamagedFileIsKeptAsideAndAFailedSaveIsSaid)
{
    const std::string a = LabelBytes(1, "A", 1), b = LabelBytes(2, "B", 1);
    const std::string damaged[] = {Count(3) + a + b, Count(1) + a + b, Count(2) + a + b.substr(0, 9)};
    for (const std::string& bytes : damaged) {
        ASSERT_TRUE(testsupport::WriteFileBytes(File(), bytes));
        {
            ChartLabels labels(File());
            EXPECT_TRUE(labels.Damaged());
            EXPECT_FALSE(labels.Modified()) << "nothing is written unless a label changes";
            labels.AddLabel(ChartLabel(5, 5, 6, 6, "New", 1.0));
            ASSERT_EQ(labels.Write(), 1);
            EXPECT_EQ(testsupport::ReadFileBytes(File() + ".bad"), bytes);
            std::filesystem::remove(File() + ".bad");
            labels.AddLabel(ChartLabel(9, 9, 9, 9, "Later", 1.0));
            ASSERT_EQ(labels.Write(), 1);
            EXPECT_FALSE(std::filesystem::exists(File() + ".bad")) << "the file is whole since it was saved";
        }
        ChartLabels again(File());
        EXPECT_FALSE(again.Damaged());
        EXPECT_EQ(Labels().back().text, "Later");
    }

    std::filesystem::remove(File());
    std::filesystem::create_directory(File());
    {
        ChartLabels labels(File());
        EXPECT_TRUE(labels.Damaged());
        labels.AddLabel(ChartLabel(5, 5, 6, 6, "New", 1.0));
    }
    EXPECT_TRUE(std::filesystem::is_directory(File() + ".bad"));
    EXPECT_TRUE(std::filesystem::is_regular_file(File()));

    ChartLabels labels(File());
    EXPECT_FALSE(labels.Damaged());
    const std::string before = testsupport::ReadFileBytes(File());
    fw::ScriptedMessageBoxes boxes;
    fw::FailReplacementsForTest(1);
    labels.AddLabel(ChartLabel(7, 7, 8, 8, "Lost", 1.0));
    EXPECT_EQ(labels.Write(), 0);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Last().text, "Unable to save the chart label file " + File());
    EXPECT_EQ(testsupport::ReadFileBytes(File()), before);
    EXPECT_TRUE(labels.Modified());
}

} // namespace
