// The chart frame file: rebuilt from the catalogue when missing or damaged, one record
// written at a time without touching the others, reads past the end refused.
#include "catalog/CatalogueTable.h"
#include "chart/ChartFormat.h"
#include "framework/testsupport/TestSupport.h"

#include <gtest/gtest.h>

namespace {

class ChartFrames : public ::testing::Test {
protected:
    void SetUp() override
    {
        NGCTable.Clear();
        for (int i = 0; i < CatalogueRowCount; ++i) {
            NGCTable.ra[i] = static_cast<float>(i % 24) + 0.25f;
            NGCTable.dec[i] = static_cast<float>(i % 90) - 45.0f;
        }
    }
    testsupport::TempDir dir;
    std::string File() const { return dir.file("chrtfrmt.rsx"); }
    std::size_t FileSize() const { return testsupport::ReadFileBytes(File()).size(); }
};

TEST_F(ChartFrames, MissingFileIsRebuiltFromTheCatalogue)
{
    ChartFormat frames(File());
    double ra = -1, dec = -1, s1 = -1, s2 = -1;
    ASSERT_EQ(frames.ReadFrame(100, ra, dec, s1, s2), 1);
    EXPECT_EQ(FileSize(), 213377u);
    EXPECT_EQ(testsupport::ReadFileBytes(File())[0], '\x04');
    EXPECT_DOUBLE_EQ(ra, NGCTable.ra[100]);
    EXPECT_DOUBLE_EQ(dec, NGCTable.dec[100]);
    EXPECT_DOUBLE_EQ(s1, 20);
    EXPECT_DOUBLE_EQ(s2, 20);
    EXPECT_EQ(frames.GetMode(), ChartFormat::Reading);
    // Rows past the catalogue's end hold zeros; past the file's end there is nothing.
    ASSERT_EQ(frames.ReadFrame(13335, ra, dec, s1, s2), 1);
    EXPECT_DOUBLE_EQ(ra, 0);
    ra = -7;
    EXPECT_EQ(frames.ReadFrame(13336, ra, dec, s1, s2), 0);
    EXPECT_EQ(ra, -7);
    // A failed read does not spoil the ones after it.
    EXPECT_EQ(frames.ReadFrame(5, ra, dec, s1, s2), 1);
    EXPECT_DOUBLE_EQ(ra, NGCTable.ra[5]);
}

TEST_F(ChartFrames, WritingOneRecordKeepsTheOthers)
{
    ChartFormat frames(File());
    double ra, dec, s1, s2;
    ASSERT_EQ(frames.ReadFrame(99, ra, dec, s1, s2), 1);
    ASSERT_EQ(frames.WriteFrame(100, 5.5, -12.25, 1.5, 0.75), 1);
    EXPECT_EQ(frames.GetMode(), ChartFormat::Writing);
    ASSERT_EQ(frames.ReadFrame(99, ra, dec, s1, s2), 1);
    EXPECT_DOUBLE_EQ(ra, NGCTable.ra[99]);
    EXPECT_DOUBLE_EQ(s1, 20);
    ASSERT_EQ(frames.ReadFrame(100, ra, dec, s1, s2), 1);
    EXPECT_DOUBLE_EQ(ra, 5.5);
    EXPECT_DOUBLE_EQ(dec, -12.25);
    EXPECT_DOUBLE_EQ(s1, 1.5);
    EXPECT_DOUBLE_EQ(s2, 0.75);
    frames.Close();
    EXPECT_EQ(FileSize(), 213377u);

    // The frame survives a new ChartFormat (the file is not rebuilt when its marker is good).
    ChartFormat later(File());
    ASSERT_EQ(later.ReadFrame(100, ra, dec, s1, s2), 1);
    EXPECT_DOUBLE_EQ(ra, 5.5);
    // Rows outside the file are refused, for writing as for reading.
    EXPECT_EQ(later.WriteFrame(13336, 1, 1, 1, 1), 0);
    EXPECT_EQ(later.WriteFrame(-1, 1, 1, 1, 1), 0);
    EXPECT_EQ(later.ReadFrame(-1, ra, dec, s1, s2), 0);
    later.Close();
    EXPECT_EQ(FileSize(), 213377u);
}

TEST_F(ChartFrames, FirstWriteToAMissingFileBuildsTheOtherRowsToo)
{
    {
        ChartFormat frames(File());
        ASSERT_EQ(frames.WriteFrame(7, 1.25, 2.5, 3, 4), 1);
    }
    EXPECT_EQ(FileSize(), 213377u);
    ChartFormat frames(File());
    double ra, dec, s1, s2;
    ASSERT_EQ(frames.ReadFrame(7, ra, dec, s1, s2), 1);
    EXPECT_DOUBLE_EQ(ra, 1.25);
    EXPECT_DOUBLE_EQ(s2, 4);
    ASSERT_EQ(frames.ReadFrame(8, ra, dec, s1, s2), 1);
    EXPECT_DOUBLE_EQ(ra, NGCTable.ra[8]);
    EXPECT_DOUBLE_EQ(s1, 20);
}

TEST_F(ChartFrames, WrongMarkerOrShortFile)
{
    // A file whose first byte is 3 is rebuilt.
    ASSERT_TRUE(testsupport::WriteFileBytes(File(), std::string(1, '\x03') + std::string(64, '\x01')));
    {
        ChartFormat frames(File());
        double ra, dec, s1, s2;
        ASSERT_EQ(frames.ReadFrame(2, ra, dec, s1, s2), 1);
        EXPECT_DOUBLE_EQ(ra, NGCTable.ra[2]);
    }
    EXPECT_EQ(FileSize(), 213377u);

}

// A file with a good marker but cut short keeps its whole records and gets the rest from the
// catalogue, whether it is first read or first written: no row past its end reads as zeros.
TEST_F(ChartFrames, ShortFileIsCompletedFromTheCatalogue)
{
    fw::omstream os;
    os.writeByte(4);
    for (float v : {1.5f, 2.5f, 3.5f, 4.5f, 6.0f, 7.0f, 8.0f, 9.0f})
        os.writeFloat(v);
    const std::string shortFile = os.str() + std::string(5, '\x01');  // two records and a piece
    for (bool readFirst : {true, false}) {
        ASSERT_TRUE(testsupport::WriteFileBytes(File(), shortFile));
        {
            ChartFormat frames(File());
            double ra = 9, dec, s1, s2;
            if (readFirst) {
                ASSERT_EQ(frames.ReadFrame(1, ra, dec, s1, s2), 1);
                EXPECT_DOUBLE_EQ(ra, 6.0);
                EXPECT_DOUBLE_EQ(s2, 9.0);
            } else {
                ASSERT_EQ(frames.WriteFrame(500, 1, 2, 3, 4), 1);
            }
        }
        EXPECT_EQ(FileSize(), 213377u) << readFirst;
        ChartFormat frames(File());
        double ra, dec, s1, s2;
        ASSERT_EQ(frames.ReadFrame(0, ra, dec, s1, s2), 1);
        EXPECT_DOUBLE_EQ(ra, 1.5);
        EXPECT_DOUBLE_EQ(s1, 3.5);
        for (int row : {2, 3, 499, 501, 13225}) {
            ASSERT_EQ(frames.ReadFrame(row, ra, dec, s1, s2), 1) << row;
            EXPECT_DOUBLE_EQ(ra, NGCTable.ra[row]) << row;
            EXPECT_DOUBLE_EQ(dec, NGCTable.dec[row]) << row;
            EXPECT_DOUBLE_EQ(s1, 20) << row;
        }
        ASSERT_EQ(frames.ReadFrame(500, ra, dec, s1, s2), 1);
        EXPECT_DOUBLE_EQ(ra, readFirst ? NGCTable.ra[500] : 1.0);
    }
}

TEST_F(ChartFrames, UnwritableFileFailsWithoutHarm)
{
    ChartFormat frames(dir.file("no-such-dir/chrtfrmt.rsx"));
    double ra = 3, dec, s1, s2;
    EXPECT_EQ(frames.ReadFrame(1, ra, dec, s1, s2), 0);
    EXPECT_EQ(ra, 3);
    EXPECT_EQ(frames.WriteFrame(1, 1, 1, 1, 1), 0);
    EXPECT_EQ(frames.GetMode(), ChartFormat::Closed);
}

} // namespace
