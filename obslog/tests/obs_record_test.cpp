#include "obslog/ObsRecord.h"
#include "obslog/ObsRecordHeader.h"
#include "obslog/tests/LogFixtures.h"

#include "framework/stream/DateStream.h"
#include "framework/stream/PStream.h"
#include "ui/TextConvert.h"

#include <gtest/gtest.h>

#include <sstream>

using logtest::Bytes;
using logtest::Record;

namespace {

void PutWord(std::string& bytes, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>(v >> (8 * i));
}

} // namespace

TEST(ObsRecord, BinaryFormKeepsEveryStoredField)
{
    const ObsRecord original = Record(17);
    fw::imstream in(Bytes(original));
    ObsRecord read;
    read.Read(in);
    ASSERT_TRUE(read.IsValid());
    read.date = read.time.Date();
    EXPECT_TRUE(read.SameContents(original));
    EXPECT_EQ(in.remaining(), 0);
}

TEST(ObsRecord, BadVersionWordsMakeTheRecordInvalid)
{
    // Leading word 3: only that word is consumed.
    std::string bytes = Bytes(Record(1));
    PutWord(bytes, 0, 3);
    fw::imstream lead(bytes);
    ObsRecord r;
    r.Read(lead);
    EXPECT_FALSE(r.IsValid());
    EXPECT_EQ(lead.tellg(), 4);

    // Trailing word 5: invalid although every field was read.
    bytes = Bytes(Record(1));
    PutWord(bytes, bytes.size() - 4, 5);
    fw::imstream trail(bytes);
    ObsRecord t;
    t.Read(trail);
    EXPECT_FALSE(t.IsValid());
    EXPECT_EQ(t.name, "NGC 253");

    // Every truncation is invalid.
    const std::string whole = Bytes(Record(1));
    for (std::size_t n = 0; n < whole.size(); ++n) {
        fw::imstream cut(whole.substr(0, n));
        ObsRecord c;
        c.Read(cut);
        EXPECT_FALSE(c.IsValid()) << n;
    }
}

TEST(ObsRecord, DeletionMarkIsNeverStored)
{
    ObsRecord marked = Record(4);
    marked.SetDeletionMark(true);
    ASSERT_TRUE(marked.IsMarkedForDeletion());
    fw::imstream in(Bytes(marked));
    ObsRecord read;
    read.Read(in);
    EXPECT_TRUE(read.IsValid());
    EXPECT_FALSE(read.IsMarkedForDeletion());
    EXPECT_EQ(read.version, ObsRecord::kBinaryVersion);
}

TEST(ObsRecord, IdentityAndContents)
{
    const ObsRecord a = Record(8, "M 31");
    struct Case {
        const char* what;
        void (*change)(ObsRecord&);
        bool same;
    };
    const Case cases[] = {
        {"other name", [](ObsRecord& r) { r.name = "M 32"; }, false},
        {"ra within 0.00001", [](ObsRecord& r) { r.rightAscension += 0.000008; }, true},
        {"ra beyond", [](ObsRecord& r) { r.rightAscension += 0.00002; }, false},
        {"magnitude within", [](ObsRecord& r) { r.magnitude -= 0.000009; }, true},
        {"notes", [](ObsRecord& r) { r.notes += "."; }, false},
        {"cross-reference", [](ObsRecord& r) { r.crossRef = -1; }, false},
        {"deletion mark", [](ObsRecord& r) { r.SetDeletionMark(true); }, false},
        {"sky turbulence", [](ObsRecord& r) { r.skyTurbulence = 1; }, false},
    };
    for (const auto& c : cases) {
        ObsRecord b = a;
        c.change(b);
        EXPECT_TRUE(a == b) << c.what;  // same number: the same record
        EXPECT_EQ(a.SameContents(b), c.same) << c.what;
    }
    ObsRecord ra1 = a, ra2 = a;
    ra1.rightAscension = 10.000001;
    ra2.rightAscension = 10.000009;
    EXPECT_TRUE(ra1.SameContents(ra2));
    ObsRecord later = a;
    later.number = 9;
    EXPECT_TRUE(a < later);
    EXPECT_FALSE(a == later);
}

TEST(ObsRecord, CopyLeavesTheValidFlag)
{
    std::string bytes = Bytes(Record(1));
    PutWord(bytes, 0, 3);
    fw::imstream in(bytes);
    ObsRecord bad;
    bad.Read(in);
    ASSERT_FALSE(bad.IsValid());
    ObsRecord copy(bad);
    EXPECT_TRUE(copy.IsValid());
    ObsRecord assigned = Record(2);
    assigned = bad;
    EXPECT_TRUE(assigned.IsValid());
}

TEST(ObsRecord, TaggedVersionThreeReadsEveryItem)
{
    std::istringstream in(logtest::TaggedV3(12, "NGC 253"));
    ObsRecord r;
    r.ReadTagged(in);
    ASSERT_TRUE(r.IsValid());
    ObsRecord expected = Record(12);
    expected.notes = "Dust lanes";
    expected.version = 3;
    r.date = r.time.Date();
    EXPECT_TRUE(r.SameContents(expected));
}

TEST(ObsRecord, TaggedOldVersionsTakeDateAndTimeFromTwoItems)
{
    const std::string v1 =
        "<BEGIN OBSLOG V1 RECORD=3>\n<NAME=M 42>\n<TYPE=1>\n<CONSTEL=60>\n<TIME=21:30:15>\n"
        "<DATE=12/24/1995>\n<LOCATION=1>\n<TELE=1>\n<EYEPIECE=1>\n<FILTER=0>\n<SKY_DARK=2>\n"
        "<SKY_TURB=2>\n<SKY_TRAN=2>\n<RA=5h 35m 24s>\n<DEC=-5d 27m>\n<MAG=4.0>\n<SIZE=1.0>\n"
        "<NOTES=Trapezium>\n<END OBSLOG V1 RECORD=3>\n";
    std::istringstream in(v1);
    ObsRecord r;
    r.ReadTagged(in);
    ASSERT_TRUE(r.IsValid());
    EXPECT_EQ(r.version, 1u);
    EXPECT_EQ(r.time, fw::TTime(fw::TDate(24u, 12u, 1995), 21, 30, 15));
    EXPECT_EQ(r.date, fw::TDate(24u, 12u, 1995));
    EXPECT_EQ(r.crossRef, -1);  // version 1 has no cross-reference item
    EXPECT_NEAR(r.rightAscension, 5.59, 0.001);
    EXPECT_EQ(r.notes, "Trapezium");
}

TEST(ObsRecord, TaggedFailuresRewindTheInput)
{
    const struct { const char* what; std::string text; } cases[] = {
        {"end tag of another version", logtest::TaggedV3(5, "M 1", "<END OBSLOG V2 RECORD")},
        {"other begin tag", "<BEGIN OBSLOG V4 RECORD=5>\n"},
        {"cut short", logtest::TaggedV3(5, "M 1").substr(0, 120)},
        {"end number differs", logtest::TaggedV3(5, "M 1").substr(0, logtest::TaggedV3(5, "M 1").size() - 3) + "6>\n"},
        {"overlong value", "<BEGIN OBSLOG V3 RECORD=" + std::string(200, '1') + ">\n"},
    };
    for (const auto& c : cases) {
        std::istringstream in("junk" + c.text);
        in.seekg(4);
        ObsRecord r;
        r.ReadTagged(in);
        EXPECT_FALSE(r.IsValid()) << c.what;
        EXPECT_EQ(in.tellg(), 0) << c.what;
    }
}

TEST(ObsRecordTime, ReservedInstantsSurviveThePersistentForm)
{
    const fw::TTime cases[] = {TextConvert::MinTime(), TextConvert::MaxTime(), TextConvert::NoEntryTime(),
                           fw::TTime(fw::TDate(1u, 1u, 1901), 0, 0, 1), fw::TTime(fw::TDate(31u, 12u, 2030), 23, 59, 59)};
    for (const auto& t : cases) {
        fw::omstream out;
        fw::WriteTime(out, t);
        fw::imstream in(out.str());
        EXPECT_EQ(fw::ReadTime(in), t) << t.Seconds();
    }
}

// ---- header ---------------------------------------------------------------------------------

namespace {
ObsRecordHeader FilledHeader()
{
    ObsRecordHeader h;
    h.SetCount(3);
    h.ListById(ObsRecordHeader::Telescopes).AddEntry("10-inch Dobsonian", 1);
    h.ListById(ObsRecordHeader::Telescopes).AddEntry("80 mm refractor", 2);
    h.ListById(ObsRecordHeader::SkyTurbulence).AddEntry("Steady", 1);
    return h;
}
} // namespace

TEST(ObsRecordHeader, BinaryFormAndItsDamage)
{
    const ObsRecordHeader h = FilledHeader();
    fw::omstream out;
    h.Write(out);
    const std::string bytes = out.str();

    fw::imstream in(bytes);
    ObsRecordHeader read;
    read.Read(in);
    EXPECT_EQ(read.Version(), 4);
    EXPECT_EQ(read.Valid(), -1);  // a good binary read leaves valid as it was
    EXPECT_EQ(read.Count(), 3);
    EXPECT_EQ(read.ListById(ObsRecordHeader::Telescopes).TextForId(2), "80 mm refractor");
    EXPECT_EQ(read.ListById(ObsRecordHeader::SkyTurbulence).Name(), "SKY TURBULENCE");

    std::string badTrail = bytes;
    PutWord(badTrail, badTrail.size() - 4, 5);
    for (const std::string& damaged : {badTrail, bytes.substr(0, bytes.size() / 2)}) {
        fw::imstream d(damaged);
        ObsRecordHeader r;
        r.Read(d);
        EXPECT_EQ(r.Version(), -1);
        EXPECT_EQ(r.Valid(), 0);
    }
}

TEST(ObsRecordHeader, TaggedForm)
{
    std::ostringstream text;
    FilledHeader().WriteTagged(text);
    {
        std::istringstream in(text.str());
        ObsRecordHeader read;
        read.ReadTagged(in);
        EXPECT_EQ(read.Valid(), 1);
        EXPECT_EQ(read.Count(), 3);
        EXPECT_EQ(read.ListById(ObsRecordHeader::Telescopes).TextForId(1), "10-inch Dobsonian");
    }
    std::string noEnd = text.str();
    noEnd.replace(noEnd.find("<END STELLUM"), 4, "<ENE");
    std::string noCount = text.str();
    noCount.replace(noCount.find("<TOTAL RECORDS=3"), 16, "<TOTAL RECORDS=x");
    for (const std::string& bad : {noEnd, noCount, std::string("<START>\n")}) {
        std::istringstream in(bad);
        ObsRecordHeader read;
        read.ReadTagged(in);
        EXPECT_EQ(read.Valid(), 0);
        EXPECT_EQ(in.tellg(), 0);
    }
}

TEST(ObsRecordHeader, ListSelection)
{
    ObsRecordHeader h;
    EXPECT_EQ(h.SelectList(ObsRecordHeader::SkyTurbulence), 7);
    EXPECT_EQ(h.CurrentListName(), "SKY TURBULENCE");
    EXPECT_EQ(h.NextList(), -1);
    EXPECT_EQ(h.CurrentListName(), "SKY TURBULENCE");
    EXPECT_EQ(h.SelectList(0), 0);
    EXPECT_EQ(h.CurrentListName(), "OBJECT TYPES");
    EXPECT_EQ(h.NextList(), 1);
    EXPECT_EQ(h.CurrentListId(), ObsRecordHeader::Telescopes);
    EXPECT_EQ(h.ListById(99).Name(), "OBJECT TYPES");

    // The set-up dialog's copy starts with valid 0 and the same current list.
    const ObsRecordHeader copy(h);
    EXPECT_EQ(copy.Valid(), 0);
    EXPECT_EQ(copy.CurrentListId(), ObsRecordHeader::Telescopes);
}
