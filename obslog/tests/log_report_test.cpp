// The log's report, table and label file: wrapping and paging of the report, the blocks'
// sentences, deleted records left out of the report only, and unwritable files said.
#include "obslog/LogReport.h"
#include "obslog/tests/LogTestSupport.h"

#include "astro/ConstellationTable.h"
#include "catalog/CatalogueTable.h"
#include "framework/gui/MessageBox.h"
#include "framework/stream/AtomicFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>

namespace {

using logtest::LogDirs;
using logtest::Record;

std::string Wrapped(const std::string& text, int width, int indent, int linesPerPage = 0, int* pages = nullptr)
{
    std::ostringstream out;
    int lines = 0, page = 1;
    LogReport::WrapReportText(text, out, width, linesPerPage, lines, page, indent);
    if (pages) *pages = page;
    return out.str();
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(LogReportWrap, WordsLinesFeedsAndPads)
{
    const struct {
        const char* text;
        int width, indent;
        const char* expected;
    } cases[] = {
        {"aaa bbb ccc", 8, 0, "aaa bbb \nccc\n"},
        {"aaa bbb ccc", 20, 3, "   aaa bbb ccc\n"},
        {"one\ntwo", 20, 0, "one\ntwo\n"},
        // A feed that ends a wrapped line ends the kept word's line too: no "bbbbbbbbbbccc".
        {"aaaaaaaaaa bbbbbbbbbb\nccc", 15, 0, "aaaaaaaaaa \nbbbbbbbbbb\nccc\n"},
        // The last word is measured like the others.
        {"aaaa bbbb", 6, 0, "aaaa \nbbbb\n"},
        {"", 10, 0, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(Wrapped(c.text, c.width, c.indent), c.expected) << c.text;

    // A word longer than the room is cut to it.
    const std::string lines = Wrapped(std::string(70, 'x') + " end", 60, 3);
    EXPECT_EQ(Lines(lines)[0], "   " + std::string(57, 'x'));

    // Every second line a page ends with a form feed line.
    int pages = 0;
    EXPECT_EQ(Wrapped("a\nb\nc", 10, 0, 2, &pages), "a\nb\n\f\nc\n");
    EXPECT_EQ(pages, 2);
}

class LogReports : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc_ = std::make_unique<LogDocument>(dirs_.program, dirs_.user);
        ObsRecord first = Record(1, "NGC 253");
        first.notes = "Dust lanes\tat 150x\nsecond line";
        ObsRecord second = Record(2, "IC 434");
        second.crossRef = -1;
        ObsRecord third = Record(3, "Gone");
        for (ObsRecord* r : {&first, &second, &third}) ASSERT_TRUE(doc_->ApplyRecord(*r, false));
        ASSERT_TRUE(doc_->SetDeletionMark(2, true));
    }

    LogDirs dirs_;
    std::unique_ptr<LogDocument> doc_;
};

TEST_F(LogReports, ReportAtWidthZeroAndSixty)
{
    LogReport report(*doc_);
    int stored = 0;
    report.storeForm = [&] { ++stored; };
    ASSERT_EQ(report.PrintLogToTextFile(0, 0, dirs_.File("OBSLOG.TXT"), false), 1);
    EXPECT_EQ(stored, 1);
    const std::string plain = testsupport::ReadFileBytes(dirs_.File("OBSLOG.TXT"));
    EXPECT_EQ(plain.substr(0, 3), "\n \n") << "a bare separator, then string 1";
    EXPECT_NE(plain.find("NGC 253"), std::string::npos);
    EXPECT_NE(plain.find("IC 434"), std::string::npos);
    EXPECT_EQ(plain.find("Gone"), std::string::npos) << "a record marked for deletion is not reported";
    EXPECT_EQ(plain.substr(plain.size() - 2), "\f\n");
    EXPECT_NE(plain.find("    It was observed"), std::string::npos);
    EXPECT_NE(plain.find(" on Oct 14, 2023 at 09:45:10 pm using the "), std::string::npos);

    const int pages = report.PrintLogToTextFile(60, 10, dirs_.File("OBSLOG.TXT"), false);
    const std::vector<std::string> lines = Lines(testsupport::ReadFileBytes(dirs_.File("OBSLOG.TXT")));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], std::string(58, '-'));
    int feeds = 0;
    for (const std::string& l : lines) {
        EXPECT_LE(l.size(), 60u) << l;
        feeds += l == "\f";
    }
    EXPECT_EQ(feeds, pages) << "one per full page and the last";
    EXPECT_GT(pages, 1);
}

TEST_F(LogReports, TableAndLabelFile)
{
    LogReport report(*doc_);
    ASSERT_TRUE(report.ExportText(dirs_.File("log.txt")));
    const std::vector<std::string> table = Lines(testsupport::ReadFileBytes(dirs_.File("log.txt")));
    ASSERT_EQ(table.size(), 4u) << "heading and every record, the marked one too";
    EXPECT_EQ(table[0], "Name\tType\tConstel\tLocation\tTelescope\tEyepiece\tFilter\tDarkness\tTransparency\t"
                        "Turbulence\tRA\tDEC\tMAG\tSize\tDate\tTime\tNotes");
    EXPECT_EQ(table[1].substr(table[1].rfind('\t') + 1), "Dust lanes at 150x second line");
    EXPECT_NE(table[1].find("\t" + ConstellationName(72) + "\t"), std::string::npos) << table[1];
    EXPECT_NE(table[1].find("\t10/14/2023\t21:45:10\t"), std::string::npos);

    ASSERT_TRUE(report.ExportTheSky(dirs_.File("log.sky")));
    const std::vector<std::string> sky = Lines(testsupport::ReadFileBytes(dirs_.File("log.sky")));
    ASSERT_GE(sky.size(), 3u);
    EXPECT_EQ(sky[0][0], ';');
    const std::string& second = sky[sky.size() - 2];
    EXPECT_EQ(second.substr(0, 2), "L2");
    EXPECT_EQ(second.substr(31, 13), std::string(13, ' ')) << "no catalogue row, no alias";

    ObsRecord ic = Record(9);
    ic.crossRef = 0;
    const std::int16_t kept = NGCTable.catalogueNumber[0];
    NGCTable.catalogueNumber[0] = 10434;
    EXPECT_EQ(report.TheSkyLine(ic).substr(31, 6), "IC 434");
    NGCTable.catalogueNumber[0] = kept;
}

// A full disk: every writer says so and leaves under the chosen name what was there before
// (or nothing), never a partial file.
TEST_F(LogReports, FullDiskIsSaidAndLeavesNoPartialFile)
{
    const struct {
        const char* name;
        std::function<bool(LogReport&, const std::string&)> write;
    } writers[] = {
        {"report", [](LogReport& r, const std::string& p) { return r.PrintLogToTextFile(0, 0, p, false) != 0; }},
        {"table", [](LogReport& r, const std::string& p) { return r.ExportText(p); }},
        {"label file", [](LogReport& r, const std::string& p) { return r.ExportTheSky(p); }},
    };
    for (const auto& w : writers) {
        LogReport report(*doc_);
        fw::ScriptedMessageBoxes boxes;
        const std::string existing = dirs_.File(std::string(w.name) + ".txt");
        ASSERT_TRUE(testsupport::WriteFileBytes(existing, "the previous export\n"));
        fw::FailReplacementsForTest(1);
        EXPECT_FALSE(w.write(report, existing)) << w.name;
        fw::FailReplacementsForTest(1);
        EXPECT_FALSE(w.write(report, dirs_.File(std::string(w.name) + ".new"))) << w.name;
        fw::FailReplacementsForTest(0);
        ASSERT_EQ(boxes.Count(), 2) << w.name;
        EXPECT_EQ(boxes.Last().text.rfind("Could not write ", 0), 0u) << boxes.Last().text;
        EXPECT_EQ(testsupport::ReadFileBytes(existing), "the previous export\n") << w.name;
        EXPECT_FALSE(std::filesystem::exists(dirs_.File(std::string(w.name) + ".new"))) << w.name;
        EXPECT_TRUE(w.write(report, existing)) << w.name;
    }
}

TEST_F(LogReports, UnwritableFileIsSaidAndGivesNoPages)
{
    fw::ScriptedMessageBoxes boxes;
    LogReport report(*doc_);
    EXPECT_EQ(report.PrintLogToTextFile(60, 50, dirs_.File("missing/OBSLOG.TXT"), false), 0);
    EXPECT_FALSE(report.ExportText(dirs_.File("missing/a.txt")));
    ASSERT_EQ(boxes.Count(), 2);
    EXPECT_EQ(boxes.Last().text, "Could Not Open Report File");
}

} // namespace
