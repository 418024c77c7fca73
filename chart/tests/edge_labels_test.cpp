// The grid's edge labels: weights, texts, the boxes and the overlap removal of the iteration.
#include "chart/MapLabel.h"
#include "chart/RaDecLabels.h"
#include "framework/gui/DC.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t kRA = MapLabel::RightAscension;
constexpr std::uint32_t kDec = MapLabel::Declination;

TEST(MapLabel, WeightTextAndAlignment)
{
    struct Case {
        double value;
        std::uint32_t flags;
        int weight;
        const char* text;
        unsigned align;
    } cases[] = {
        {0, kRA | MapLabel::TopEdge, 8, "0h", fw::TA_CENTER | fw::TA_BOTTOM},
        {3, kRA | MapLabel::TopEdge, 3, "3h", fw::TA_CENTER | fw::TA_BOTTOM},
        {0.5, kRA | MapLabel::BottomEdge, 2, "0\u00B3\u00BA", fw::TA_CENTER | fw::TA_TOP},
        {12.5, kRA | MapLabel::LeftEdge, 0, "12\u00B3\u00BA", fw::TA_RIGHT | fw::TA_BOTTOM},
        {13, kRA | MapLabel::TopEdge, 3, "13h", fw::TA_CENTER | fw::TA_BOTTOM},
        {12, kRA | MapLabel::TopEdge, 2 + 4 + 2, "12h", fw::TA_CENTER | fw::TA_BOTTOM},
        {30, kDec | MapLabel::LeftEdge, 4, "+30\u00B0", fw::TA_RIGHT | fw::TA_BOTTOM},
        {5, kDec | MapLabel::RightEdge, 2, "+5\u00B0", fw::TA_LEFT | fw::TA_BOTTOM},
        {-10, kDec | MapLabel::TopEdge, 1, "-10\u00B0", fw::TA_CENTER | fw::TA_BOTTOM},
        {0, kDec | MapLabel::RightEdge, 2 + 3 + 4, "+0\u00B0", fw::TA_LEFT | fw::TA_BOTTOM},
        {7, MapLabel::TopEdge, 2, "", fw::TA_CENTER | fw::TA_BOTTOM},
    };
    for (const auto& c : cases) {
        const MapLabel l(c.value, fw::Point(100, 50), fw::Size(20, 10), c.flags);
        EXPECT_EQ(l.Weight(), c.weight) << c.value << " " << c.flags;
        EXPECT_EQ(l.Text(), c.text) << c.value << " " << c.flags;
        EXPECT_EQ(l.Alignment(), c.align) << c.value << " " << c.flags;
        EXPECT_TRUE(l.IsVisible());
    }
}

TEST(MapLabel, BoxBesideTheAnchorByEdge)
{
    const fw::Point a(100, 50);
    const fw::Size s(21, 10);
    EXPECT_EQ(MapLabel(1, a, s, kRA | MapLabel::LeftEdge).box, fw::Rect(79, 40, 100, 50));
    EXPECT_EQ(MapLabel(1, a, s, kRA | MapLabel::RightEdge).box, fw::Rect(100, 40, 121, 50));
    EXPECT_EQ(MapLabel(1, a, s, kRA | MapLabel::TopEdge).box, fw::Rect(90, 40, 111, 50));
    EXPECT_EQ(MapLabel(1, a, s, kRA | MapLabel::BottomEdge).box, fw::Rect(90, 50, 111, 60));
}

struct Drawn {
    std::string text;
    fw::Point anchor;
};

std::vector<Drawn> Walk(RaDecLabels& labels)
{
    std::vector<Drawn> out;
    std::string text;
    fw::Point anchor;
    unsigned align;
    std::uint32_t flags;
    for (bool first = true; labels.Next(text, anchor, align, flags, first); first = false)
        out.push_back({text, anchor});
    return out;
}

TEST(RaDecLabels, ImportantLabelsWinOverlapsAndHiddenOnesStepAside)
{
    RaDecLabels labels;
    const std::uint32_t top = kRA | MapLabel::TopEdge;
    // 1 h and 0 h overlap; 5 h overlaps 1 h only; 2 h stands apart.
    ASSERT_EQ(labels.Add(1, fw::Point(110, 20), fw::Size(20, 10), top), 1);
    ASSERT_EQ(labels.Add(0, fw::Point(100, 20), fw::Size(20, 10), top), 1);
    ASSERT_EQ(labels.Add(5, fw::Point(125, 20), fw::Size(20, 10), top), 1);
    ASSERT_EQ(labels.Add(2, fw::Point(300, 20), fw::Size(20, 10), top), 1);
    const auto drawn = Walk(labels);
    ASSERT_EQ(drawn.size(), 4u);
    // Order: 0 h (8), 2 h (4), 1 h (3), 5 h (3, the larger value).
    EXPECT_EQ(drawn[0].text, "0h");
    EXPECT_EQ(drawn[1].text, "2h");
    EXPECT_EQ(drawn[2].text, ""); // 1 h hidden behind 0 h
    EXPECT_EQ(drawn[2].anchor, fw::Point(110, 20));
    // 5 h overlapped only the hidden 1 h, so it stays.
    EXPECT_EQ(drawn[3].text, "5h");
    EXPECT_FALSE(labels.At(2).IsVisible());

    // Equal weights: the smaller value wins.
    RaDecLabels equal;
    equal.Add(5, fw::Point(105, 20), fw::Size(20, 10), top);
    equal.Add(1, fw::Point(100, 20), fw::Size(20, 10), top);
    const auto e = Walk(equal);
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[0].text, "1h");
    EXPECT_EQ(e[1].text, "");
}

TEST(RaDecLabels, ClippingRectangleAcceptsTouchingBoxesOnly)
{
    RaDecLabels labels;
    labels.SetClip(fw::Rect(0, 0, 200, 100));
    EXPECT_EQ(labels.Add(3, fw::Point(200, 50), fw::Size(20, 10), kRA | MapLabel::LeftEdge), 1);   // right edge touches
    EXPECT_EQ(labels.Add(4, fw::Point(190, 50), fw::Size(20, 10), kRA | MapLabel::RightEdge), 0);  // crosses the right
    EXPECT_EQ(labels.Add(5, fw::Point(50, 9), fw::Size(20, 10), kRA | MapLabel::TopEdge), 0);      // crosses the top
    EXPECT_EQ(labels.Add(6, fw::Point(50, 10), fw::Size(20, 10), kRA | MapLabel::TopEdge), 1);     // touches the top
    EXPECT_EQ(labels.Count(), 2u);
    labels.Flush();
    EXPECT_EQ(labels.Count(), 0u);
    EXPECT_EQ(labels.Add(4, fw::Point(190, 50), fw::Size(20, 10), kRA | MapLabel::RightEdge), 0); // clip stays
}

} // namespace
