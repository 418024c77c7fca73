#include "ui/CBdata.h"

#include "framework/stream/PStream.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

CBdata TwoTypes()
{
    CBdata list(10, "OBJECT TYPES");
    list.AddEntry("Galaxy", 1);
    list.AddEntry("Open Cluster", 2);
    return list;
}

std::string TextLine(int entries, int listId = 10)
{
    std::ostringstream line;
    line << "<CBidV1=" << listId << "|NAME=MANY|";
    for (int i = 1; i <= entries; ++i)
        line << i << "=Entry " << i << "|";
    line << "EndCBidV1=" << listId << ">\n";
    return line.str();
}

TEST(CBdata, AddEntryPicksIdsAndRefusesDuplicates)
{
    CBdata list;
    EXPECT_EQ(list.AddEntry("Dobson", 0), 0);
    EXPECT_EQ(list.IdAt(0), 2) << "the first new id on an empty list is 2";
    EXPECT_EQ(list.AddEntry("Refractor", 7), 1);
    EXPECT_EQ(list.AddEntry("Binoculars", 0), 2);
    EXPECT_EQ(list.IdAt(2), 8);
    EXPECT_EQ(list.AddEntry("Dobson", 99), 0);
    EXPECT_EQ(list.AddEntry("Other", 7), 0);
    EXPECT_EQ(list.AddEntry("", 50), 0);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.TextAt(-1), "error reading combobox data");
    EXPECT_EQ(list.TextAt(3), "error reading combobox data");
    EXPECT_EQ(list.IdAt(3), 0);
    EXPECT_EQ(list.IndexOfId(8), 2);
    EXPECT_EQ(list.TextForId(7), "Refractor");
    EXPECT_EQ(list.TextForId(5), "");
    // Ids compare unsigned: a negative id is the largest, and the one after the top is refused.
    CBdata full;
    full.AddEntry("Top", -1);
    EXPECT_EQ(full.AddEntry("Next", 0), 0);
    EXPECT_EQ(full.Count(), 1);
}

TEST(CBdata, AddOrReplaceAndRemove)
{
    CBdata list = TwoTypes();
    EXPECT_EQ(list.AddOrReplace(CBentry("Globular", 3)), "Adding Globular");
    EXPECT_EQ(list.AddOrReplace(CBentry("Spiral Galaxy", 1)), "Replacing Galaxy with Spiral Galaxy");
    EXPECT_EQ(list.TextForId(1), "Spiral Galaxy");
    EXPECT_EQ(list.AddOrReplace(CBentry("Spiral Galaxy", 1)), "");
    EXPECT_EQ(list.AddOrReplace(CBentry("", 4)), "Invalid data sent to CBdata");
    EXPECT_EQ(list.AddOrReplace(CBentry("Nebula", 0)), "Invalid data sent to CBdata");
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.RemoveId(2), 1);
    EXPECT_EQ(list.RemoveId(2), 0);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.TextAt(1), "Globular");
}

// A rename or an addition to a text another entry holds is refused: both would be written,
// and on reading back the second would be refused and lost with its id.
TEST(CBdata, AddOrReplaceRefusesAnotherEntrysText)
{
    CBdata list = TwoTypes();
    EXPECT_EQ(list.AddOrReplace(CBentry("Open Cluster", 1)),
              "Unable to rename Galaxy to Open Cluster: another entry has that name");
    EXPECT_EQ(list.AddOrReplace(CBentry("Galaxy", 5)), "Unable to add Galaxy: another entry has that name");
    EXPECT_EQ(list.Entries(), TwoTypes().Entries());
    // What is written reads back whole.
    fw::omstream out;
    list.Write(out);
    fw::imstream in(out.str());
    CBdata back;
    back.Read(in);
    EXPECT_EQ(back.Entries(), TwoTypes().Entries());
}

// The readers take each entry with the same rules as AddEntry, up to the binary record's cap of
// 100,000 entries: duplicates of an earlier text or id are refused, id 0 takes the largest + 1.
TEST(CBdata, ReadersKeepTheAddRulesOverALongList)
{
    const int n = 100000;
    fw::omstream out;
    out.writeWord32(4);
    out.writeWord32(7);
    out.writeString("LONG");
    out.writeWord32(n);
    for (int i = 1; i <= n - 3; ++i) {
        out.writeWord32(static_cast<std::uint32_t>(i));
        out.writeString("Entry " + std::to_string(i));
    }
    out.writeWord32(12);                   // an id already taken
    out.writeString("Another");
    out.writeWord32(200000);               // a text already taken
    out.writeString("Entry 5");
    out.writeWord32(0);                    // a new id: the largest + 1
    out.writeString("Fresh");
    out.writeWord32(4);
    CBdata list;
    list.AddEntry("Before", 500000);       // entries already held take part too
    fw::imstream in(out.str());
    list.Read(in);
    EXPECT_EQ(list.Version(), 4);
    ASSERT_EQ(list.Count(), 1 + (n - 3) + 1);
    EXPECT_EQ(list.TextForId(12), "Entry 12");
    EXPECT_EQ(list.IndexOfId(200000), -1);
    EXPECT_EQ(list.TextForId(500001), "Fresh");
    EXPECT_EQ(list.TextAt(n - 3), "Entry 99997");

    std::istringstream text("<CBidV1=3|NAME=T|4=A|5=B|4=C|6=A|0=D|EndCBidV1=3>\n");
    CBdata fromText;
    fromText.ReadText(text);
    EXPECT_EQ(fromText.TextReadState(), 1);
    EXPECT_EQ(fromText.Entries(), (std::vector<CBentry>{{"A", 4}, {"B", 5}, {"D", 6}}));
}

TEST(CBdata, CopyCarriesTheCurrentIdButNotTheReadState)
{
    CBdata list = TwoTypes();
    list.SetCurrentId(2);
    std::istringstream bad("garbage");
    CBdata copy;
    copy.ReadText(bad);
    ASSERT_EQ(copy.TextReadState(), 0);
    copy = list;
    EXPECT_EQ(copy.CurrentId(), 2);
    EXPECT_EQ(copy.Entries(), list.Entries());
    EXPECT_EQ(copy.ListId(), 10);
    EXPECT_EQ(copy.TextReadState(), 0);
}

TEST(CBdata, BinaryRecordRoundTripsAndChecksItsVersions)
{
    CBdata list = TwoTypes();
    fw::omstream out;
    list.Write(out);
    const std::string bytes = out.str();
    EXPECT_EQ(bytes.substr(0, 8), std::string("\x04\0\0\0\x0A\0\0\0", 8));
    EXPECT_EQ(bytes.substr(bytes.size() - 4), std::string("\x04\0\0\0", 4));

    CBdata back;
    fw::imstream in(bytes);
    back.Read(in);
    EXPECT_EQ(back.Version(), 4);
    EXPECT_EQ(back.Name(), "OBJECT TYPES");
    EXPECT_EQ(back.ListId(), 10);
    EXPECT_EQ(back.Entries(), list.Entries());

    // Another version: only that word is read.
    std::string v5 = bytes;
    v5[0] = 5;
    fw::imstream in5(v5);
    CBdata other = TwoTypes();
    other.Read(in5);
    EXPECT_EQ(other.Version(), -1);
    EXPECT_EQ(in5.tellg(), 4);
    EXPECT_EQ(other.Count(), 2);

    // A bad trailer marks the list after its entries were added; a cut record fails too.
    std::string trailer = bytes;
    trailer[trailer.size() - 4] = 9;
    fw::imstream inTrailer(trailer);
    CBdata marked;
    marked.Read(inTrailer);
    EXPECT_EQ(marked.Version(), -1);
    EXPECT_EQ(marked.Count(), 2);
    fw::imstream cut(bytes.substr(0, bytes.size() - 10));
    CBdata shortList;
    shortList.Read(cut);
    EXPECT_EQ(shortList.Version(), -1);
}

TEST(CBdata, TextLineRoundTrips)
{
    CBdata list = TwoTypes();
    std::ostringstream out;
    list.WriteText(out);
    EXPECT_EQ(out.str(), "<CBidV1=10|NAME=OBJECT TYPES|1=Galaxy|2=Open Cluster|EndCBidV1=10>\n");

    std::istringstream in(out.str() + "<CBidV1=20|NAME=SCOPES|EndCBidV1=20>\n");
    CBdata back, second;
    back.ReadText(in);
    EXPECT_EQ(back.TextReadState(), 1);
    EXPECT_EQ(back.ListId(), 10);
    EXPECT_EQ(back.Name(), "OBJECT TYPES");
    EXPECT_EQ(back.Entries(), list.Entries());
    second.ReadText(in);
    EXPECT_EQ(second.TextReadState(), 1) << "the reader stops at the end of its own line";
    EXPECT_EQ(second.ListId(), 20);
    EXPECT_EQ(second.Count(), 0);
}

TEST(CBdata, MalformedTextLinesFailAndRewind)
{
    const char* lines[] = {
        "<CBidV1=10|NAME=X|1=A|EndCBidV1=11>\n",  // end token of another list
        "<CB=10|NAME=X|EndCBidV1=10>\n",           // no list id
        "<CBidV1=10|NAME=X|=A|EndCBidV1=10>\n",    // entry without id
        "<CBidV1=10|NAME=X|3=|EndCBidV1=10>\n",    // empty text
        "<CBidV1=10|NAME=X|3=A",                   // cut short
        "<CBidV1=10|NAME=X|3=An entry text that is much longer than the fifty characters|EndCBidV1=10>\n",
    };
    for (const char* line : lines) {
        std::istringstream in(line);
        CBdata list;
        list.ReadText(in);
        EXPECT_EQ(list.TextReadState(), 0) << line;
        EXPECT_EQ(in.tellg(), 0) << line;
    }
}

TEST(CBdata, TextLineCarriesAtMost499Entries)
{
    std::istringstream ok(TextLine(499));
    CBdata list;
    list.ReadText(ok);
    EXPECT_EQ(list.TextReadState(), 1);
    EXPECT_EQ(list.Count(), 499);

    std::istringstream tooMany(TextLine(500));
    list.ReadText(tooMany);
    EXPECT_EQ(list.TextReadState(), 0);
    EXPECT_EQ(list.Count(), 500) << "the entries read before the failure stay";

    // Writing never produces a line the reader refuses.
    CBdata big(30, "BIG");
    big.AddEntry("with|bar", 1000);
    big.AddEntry(std::string(50, 'x'), 1001);
    for (int i = 1; i <= 600; ++i)
        big.AddEntry("Entry " + std::to_string(i), i);
    std::stringstream round;
    big.WriteText(round);
    CBdata back;
    back.ReadText(round);
    EXPECT_EQ(back.TextReadState(), 1);
    EXPECT_EQ(back.Count(), 499);
    EXPECT_EQ(back.TextAt(0), "Entry 1") << "texts the line cannot carry are left out";
}

} // namespace
