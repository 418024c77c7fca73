#include "obslog/ObsRecord.h"
#include "obslog/RuravAvaviv.h"
#include "obslog/tests/LogFixtures.h"

#include "framework/stream/DateStream.h"
#include "framework/stream/PStream.h"
#include "ui/TextConvert.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

using logtest::Record;

namespace {

fw::TTime At(int h, int m, int s) { return fw::TTime(fw::TDate(3u, 3u, 2024), h, m, s); }

RuravAvaviv Active(std::uint32_t criteria)
{
    RuravAvaviv f;
    f.active = 1;
    f.criteria = criteria;
    return f;
}

} // namespace

TEST(RuravAvaviv, InactiveFilterMatchesEveryRecord)
{
    RuravAvaviv f = Active(0x3FFFE);
    f.active = 0;
    f.nameText = "nothing like it";
    ObsRecord r = Record(1);
    EXPECT_TRUE(f.Match(r));
}

TEST(RuravAvaviv, MatchTable)
{
    struct Case {
        const char* what;
        std::function<void(RuravAvaviv&)> set;
        std::function<void(ObsRecord&)> record;
        bool matches;
    };
    const auto mag = [](RuravAvaviv& f) {
        f.criteria = RuravAvaviv::ByMagnitude;
        f.magFaint = 12.0;
        f.magBright = 6.0;
    };
    const auto timeRange = [](fw::TTime from, fw::TTime to) {
        return [from, to](RuravAvaviv& f) {
            f.criteria = RuravAvaviv::ByTimeOfDay;
            f.timeFrom = from;
            f.timeTo = to;
        };
    };
    const auto time = [](fw::TTime t) { return [t](ObsRecord& r) { r.time = t; }; };
    const Case cases[] = {
        {"magnitude bright edge", mag, [](ObsRecord& r) { r.magnitude = 6.0; }, true},
        {"magnitude faint edge", mag, [](ObsRecord& r) { r.magnitude = 12.0; }, true},
        {"magnitude too faint", mag, [](ObsRecord& r) { r.magnitude = 12.1; }, false},
        {"magnitude too bright", mag, [](ObsRecord& r) { r.magnitude = 5.9; }, false},
        {"magnitude no value", mag, [](ObsRecord& r) { r.magnitude = ObsRecord::kNoMagnitude; }, true},
        {"time inside", timeRange(At(20, 0, 0), At(23, 59, 59)), time(At(21, 15, 30)), true},
        {"time before", timeRange(At(20, 0, 0), At(23, 59, 59)), time(At(19, 59, 0)), false},
        // Minutes and seconds are compared as part of the whole time of day.
        {"minutes below the start's", timeRange(At(20, 30, 0), At(22, 15, 0)), time(At(21, 45, 0)), true},
        {"range end edge", timeRange(At(20, 30, 0), At(22, 15, 0)), time(At(22, 15, 0)), true},
        {"past range end", timeRange(At(20, 30, 0), At(22, 15, 0)), time(At(22, 15, 1)), false},
        // A range across midnight is the usual night.
        {"night before midnight", timeRange(At(22, 0, 0), At(2, 0, 0)), time(At(23, 10, 0)), true},
        {"night after midnight", timeRange(At(22, 0, 0), At(2, 0, 0)), time(At(1, 30, 0)), true},
        {"night's afternoon", timeRange(At(22, 0, 0), At(2, 0, 0)), time(At(14, 0, 0)), false},
        {"no time", timeRange(At(22, 0, 0), At(2, 0, 0)), time(TextConvert::NoEntryTime()), true},
        {"type 260 tested as 4",
         [](RuravAvaviv& f) { f.criteria = RuravAvaviv::ByObjectType; f.sets[RuravAvaviv::ObjectTypes].set(4); },
         [](ObsRecord& r) { r.objectType = 260; }, true},
        {"type not in set",
         [](RuravAvaviv& f) { f.criteria = RuravAvaviv::ByObjectType; f.sets[RuravAvaviv::ObjectTypes].set(4); },
         [](ObsRecord& r) { r.objectType = 5; }, false},
        {"name ignores case",
         [](RuravAvaviv& f) { f.criteria = RuravAvaviv::ByName; f.nameText = "ngc"; },
         [](ObsRecord& r) { r.name = "NGC 253"; }, true},
        {"notes text missing",
         [](RuravAvaviv& f) { f.criteria = RuravAvaviv::ByNotes; f.notesText = "spiral"; },
         [](ObsRecord& r) { r.notes = "Faint glow"; }, false},
        {"ra no value passes",
         [](RuravAvaviv& f) { f.criteria = RuravAvaviv::ByRightAscension; f.raFrom = 1; f.raTo = 2; },
         [](ObsRecord& r) { r.rightAscension = ObsRecord::kNoRightAscension; }, true},
        {"declination outside",
         [](RuravAvaviv& f) { f.criteria = RuravAvaviv::ByDeclination; f.decFrom = 0; f.decTo = 90; },
         [](ObsRecord& r) { r.declination = -25.3; }, false},
        {"date outside",
         [](RuravAvaviv& f) { f.criteria = RuravAvaviv::ByDate; f.dateFrom = fw::TDate(1u, 1u, 2024); },
         [](ObsRecord& r) { r.time = fw::TTime(fw::TDate(31u, 12u, 2023), 22, 0, 0); }, false},
        {"first failing criterion decides",
         [](RuravAvaviv& f) { f.criteria = RuravAvaviv::ByName | RuravAvaviv::ByConstellation; f.nameText = "NGC"; },
         [](ObsRecord&) {}, false},
    };
    for (const auto& c : cases) {
        RuravAvaviv f = Active(0);
        c.set(f);
        ObsRecord r = Record(1);
        c.record(r);
        EXPECT_EQ(f.Match(r), c.matches) << c.what;
    }
}

namespace {
RuravAvaviv Filled()
{
    RuravAvaviv f = Active(RuravAvaviv::ByName | RuravAvaviv::ByEyepiece | RuravAvaviv::ByTimeOfDay | RuravAvaviv::ByMagnitude);
    f.nameText = "NGC";
    f.notesText = "dust";
    f.sets[RuravAvaviv::Eyepieces].set(3).set(255);
    f.sets[RuravAvaviv::Constellations].set(88);
    f.sets[RuravAvaviv::ObjectTypes].set(1);
    f.raFrom = 1.5;
    f.raTo = 3.25;
    f.decFrom = -30;
    f.decTo = 10;
    f.sizeFrom = 2;
    f.sizeTo = 60;
    f.magFaint = 11;
    f.magBright = 4;
    f.timeFrom = At(21, 0, 0);
    f.timeTo = At(3, 30, 0);
    f.dateFrom = fw::TDate(1u, 6u, 2020);
    f.dateTo = fw::TDate(1u, 6u, 2024);
    return f;
}

void ExpectSameFields(const RuravAvaviv& a, const RuravAvaviv& b)
{
    EXPECT_EQ(a.criteria, b.criteria);
    for (int i = 0; i < RuravAvaviv::kSetCount; ++i)
        EXPECT_EQ(a.sets[i], b.sets[i]) << i;
    EXPECT_EQ(a.nameText, b.nameText);
    EXPECT_EQ(a.notesText, b.notesText);
    EXPECT_DOUBLE_EQ(a.raFrom, b.raFrom);
    EXPECT_DOUBLE_EQ(a.raTo, b.raTo);
    EXPECT_DOUBLE_EQ(a.decFrom, b.decFrom);
    EXPECT_DOUBLE_EQ(a.decTo, b.decTo);
    EXPECT_DOUBLE_EQ(a.sizeFrom, b.sizeFrom);
    EXPECT_DOUBLE_EQ(a.sizeTo, b.sizeTo);
    EXPECT_DOUBLE_EQ(a.magFaint, b.magFaint);
    EXPECT_DOUBLE_EQ(a.magBright, b.magBright);
    EXPECT_EQ(a.timeFrom.Hour(), b.timeFrom.Hour());
    EXPECT_EQ(a.timeFrom.Minute(), b.timeFrom.Minute());
    EXPECT_EQ(a.timeTo.Hour(), b.timeTo.Hour());
    EXPECT_EQ(a.timeTo.Minute(), b.timeTo.Minute());
    EXPECT_EQ(a.dateFrom, b.dateFrom);
    EXPECT_EQ(a.dateTo, b.dateTo);
}
} // namespace

TEST(RuravAvaviv, BinaryFormKeepsEverythingButTheActiveFlag)
{
    const RuravAvaviv f = Filled();
    fw::omstream out;
    f.Write(out);
    fw::imstream in(out.str());
    RuravAvaviv read;
    read.active = 1;
    read.Read(in);
    EXPECT_EQ(read.valid, 1);
    EXPECT_EQ(read.version, 5);
    EXPECT_EQ(read.active, 0);
    ExpectSameFields(f, read);
    EXPECT_EQ(read.timeFrom, f.timeFrom);
    EXPECT_EQ(in.remaining(), 0);
}

TEST(RuravAvaviv, VersionFourLayout)
{
    const RuravAvaviv f = Filled();
    fw::omstream out;
    out.writeWord32(4);
    out.writeWord32(1);  // name active
    out.writeString(f.nameText);
    const RuravAvaviv::SetIndex order[] = {
        RuravAvaviv::ObjectTypes, RuravAvaviv::Constellations, RuravAvaviv::Locations,
        RuravAvaviv::Telescopes, RuravAvaviv::Filters, RuravAvaviv::Eyepieces,
        RuravAvaviv::SkyDarkness, RuravAvaviv::SkyTurbulence, RuravAvaviv::SkyTransparency};
    for (auto set : order) {
        out.writeWord32(set == RuravAvaviv::Eyepieces ? 1 : 0);
        fw::WriteBitSet(out, f.sets[set]);
    }
    const double pairs[4][2] = {{f.raFrom, f.raTo}, {f.decFrom, f.decTo}, {f.sizeFrom, f.sizeTo}, {f.magFaint, f.magBright}};
    for (int i = 0; i < 4; ++i) {
        out.writeWord32(i == 3 ? 1 : 0);
        out.writeDouble(pairs[i][0]);
        out.writeDouble(pairs[i][1]);
    }
    out.writeWord32(1);
    fw::WriteTime(out, f.timeFrom);
    fw::WriteTime(out, f.timeTo);
    out.writeWord32(0);
    fw::WriteDate(out, f.dateFrom);
    fw::WriteDate(out, f.dateTo);
    out.writeWord32(0);
    out.writeString(f.notesText);
    const std::string good = out.str();
    out.writeWord32(4);

    fw::imstream in(out.str());
    RuravAvaviv read;
    read.Read(in);
    EXPECT_EQ(read.valid, 1);
    EXPECT_EQ(read.version, 4);
    ExpectSameFields(f, read);

    fw::omstream badTrail;
    badTrail.writeBytes(good.data(), good.size());
    badTrail.writeWord32(7);
    fw::imstream bad(badTrail.str());
    RuravAvaviv r;
    r.Read(bad);
    EXPECT_EQ(r.valid, 0);
    EXPECT_EQ(r.version, -1);
}

TEST(RuravAvaviv, DamagedBinaryForms)
{
    fw::omstream out;
    Filled().Write(out);
    std::string damaged = out.str();
    damaged[damaged.size() - 3] ^= 0x20;  // inside the trailing signature
    fw::imstream in(damaged);
    RuravAvaviv r;
    r.Read(in);
    EXPECT_EQ(r.valid, 0);

    fw::imstream six(std::string("\x06\0\0\0\x05\0\0\0", 8));
    RuravAvaviv s;
    s.Read(six);
    EXPECT_EQ(s.valid, 0);
    EXPECT_EQ(s.version, -1);
    EXPECT_EQ(six.tellg(), 4);

    const std::string whole = out.str();
    for (std::size_t n = 0; n < whole.size(); n += 7) {
        fw::imstream cut(whole.substr(0, n));
        RuravAvaviv c;
        c.Read(cut);
        EXPECT_EQ(c.valid, 0) << n;
    }
}

TEST(RuravAvaviv, TextForm)
{
    RuravAvaviv f = Filled();
    f.timeFrom = fw::TTime(fw::TDate::Today(), 21, 0, 0);
    f.timeTo = fw::TTime(fw::TDate::Today(), 3, 30, 0);
    std::ostringstream text;
    f.WriteText(text);
    {
        std::istringstream in(text.str());
        RuravAvaviv read;
        read.ReadText(in);
        ASSERT_EQ(read.valid, 1) << text.str();
        ExpectSameFields(f, read);
    }
    std::string wrongTag = text.str();
    wrongTag.replace(wrongTag.find("<FILTER IS"), 10, "<FILTRE IS");
    for (const std::string& bad : {wrongTag, text.str().substr(0, text.str().size() / 2)}) {
        std::istringstream in(bad);
        RuravAvaviv read;
        read.ReadText(in);
        EXPECT_EQ(read.valid, 0);
        EXPECT_EQ(in.tellg(), 0);
    }
}
