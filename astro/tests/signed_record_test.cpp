#include "astro/Coord.h"
#include "astro/ObsSite.h"
#include "astro/RectCoord.h"
#include "astro/SignedStreamRecord.h"
#include "astro/TimeZone.h"
#include "framework/stream/PStream.h"
#include "framework/testsupport/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace {

const std::string kSignature = "Quillon Software - Stellum - ObsSite";

template <class T>
std::string Bytes(const T& record)
{
    fw::omstream os;
    record.WriteTo(os);
    return os.str();
}

// Writes a record to a file, reads it back into a fresh object and checks that writing that
// object again gives the same bytes.
template <class T>
T ThroughFile(const T& record, const testsupport::TempDir& dir)
{
    const std::string path = dir.file("record.rsx");
    {
        fw::ofpstream out(path);
        record.WriteTo(out);
        EXPECT_TRUE(out.close());
    }
    T back;
    fw::ifpstream in(path);
    back.ReadFrom(in);
    EXPECT_TRUE(in.good());
    EXPECT_EQ(in.remaining(), 0);
    EXPECT_EQ(Bytes(back), testsupport::ReadFileBytes(path));
    return back;
}

std::uint32_t WordAt(const std::string& bytes, std::size_t pos)
{
    std::uint32_t w = 0;
    for (int i = 3; i >= 0; --i) w = (w << 8) | static_cast<unsigned char>(bytes[pos + i]);
    return w;
}

void PutWord(std::string& bytes, std::size_t pos, std::uint32_t w)
{
    for (int i = 0; i < 4; ++i) bytes[pos + i] = static_cast<char>((w >> (8 * i)) & 0xff);
}

TimeZone MarchZone()
{
    TimeZone z;
    z.SetUtcOffset(480);
    z.SetZoneNumber(4);
    z.SetName("Pacific");
    z.SetDstStartRule(1, 0, 3, 2, 0); // second Sunday of March
    z.SetDstEndRule(0, 0, 11, 2, 0);  // first Sunday of November
    return z;
}

ObsSite SampleSite()
{
    ObsSite s(Angle(118.06, Angle::kDegrees), Angle(34.22, Angle::kDegrees), "Mount Wilson", -8, Distance(1742));
    s.SetTimeZone(MarchZone());
    s.reserved[0] = 7;
    s.reserved[1] = 0xdeadbeef;
    s.reserved[2] = 0x80000000u;
    return s;
}

TEST(SignedRecord, CoordinateRecordsRoundTripExactly)
{
    testsupport::TempDir dir;
    const Coord c(Angle(-0.25), Angle(1.2345678901234567), Distance(3.5e11), JulianDate(2460310.123456789, JulianDate::kJulianDay),
                  0x267);
    const std::string bytes = Bytes(c);
    ASSERT_EQ(bytes.size(), 4u + 4 * 8 + 4);
    EXPECT_EQ(WordAt(bytes, 0), 5u);
    const Coord back = ThroughFile(c, dir);
    EXPECT_EQ(back, c);
    EXPECT_EQ(back.RawLongitude().Radians(), -0.25); // stored, not wrapped
    EXPECT_EQ(back.Epoch(), c.Epoch());
    EXPECT_EQ(back.Epoch().Calendar(), c.Epoch().Calendar());

    const RectCoord r(Distance(1.5e11), Distance(-2.25e10), Distance(7.0), JulianDate(2415020.5, JulianDate::kJulianDay), 0x4);
    ASSERT_EQ(Bytes(r).size(), 4u + 4 * 8 + 4);
    EXPECT_EQ(ThroughFile(r, dir), r);
}

TEST(SignedRecord, TimeZoneRecordKeepsItsRules)
{
    testsupport::TempDir dir;
    const TimeZone z = MarchZone();
    const std::string bytes = Bytes(z);
    EXPECT_EQ(WordAt(bytes, 0), kSignature.size());
    EXPECT_EQ(bytes.substr(4, kSignature.size()), kSignature);
    EXPECT_EQ(WordAt(bytes, 4 + kSignature.size()), 5u);
    EXPECT_EQ(bytes.substr(bytes.size() - kSignature.size()), kSignature);

    const TimeZone back = ThroughFile(z, dir);
    EXPECT_EQ(back, z);
    EXPECT_EQ(back.StartOrdinal(), 1);
    EXPECT_EQ(back.DstStart(2024), TimeDate(2024, 3, 10, 2, 0, 0));
    EXPECT_EQ(back.DstEnd(2024), TimeDate(2024, 11, 3, 2, 0, 0));
}

TEST(SignedRecord, SiteRecordRoundTripsAndIgnoresVersions)
{
    testsupport::TempDir dir;
    const ObsSite s = SampleSite();
    const ObsSite back = ThroughFile(s, dir);
    EXPECT_EQ(back, s);
    EXPECT_EQ(back.Position(), s.Position());
    EXPECT_EQ(back.reserved[1], 0xdeadbeefu);
    EXPECT_EQ(back.reserved[2], 0x80000000u);

    // Version words other than 5 read the same: the zone's, the site's and the position's.
    std::string bytes = Bytes(s);
    const std::size_t zoneSize = Bytes(s.Zone()).size();
    const std::size_t header = 4 + kSignature.size();
    const std::size_t versions[] = {header, zoneSize + header, zoneSize + header + 4};
    for (std::size_t pos : versions) {
        ASSERT_EQ(WordAt(bytes, pos), 5u) << pos;
        PutWord(bytes, pos, 0xfffffff0u + static_cast<std::uint32_t>(pos % 7));
    }
    fw::imstream in(bytes);
    ObsSite patched;
    patched.ReadFrom(in);
    EXPECT_TRUE(in.good());
    EXPECT_EQ(patched, s);
    EXPECT_EQ(Bytes(patched), Bytes(s));
}

TEST(SignedRecord, SiteReadKeepsItsOwnAltitudeCache)
{
    const ObsSite written = SampleSite();
    ObsSite reader(Angle(0.0), Angle(-60, Angle::kDegrees), "South", 0, Distance());
    const JulianDate j(2460000.5, JulianDate::kJulianDay);
    const Coord c = Coord::Equatorial(Angle(2.0), Angle(0.2), Distance(), j, 0x24);
    reader.Altitude(j, c); // fills the cache for the old site
    fw::imstream in(Bytes(written));
    reader.ReadFrom(in);
    EXPECT_NEAR(reader.Altitude(j, c).Radians(), written.ToHorizontal(j, c, 0).Latitude().Radians(), 1e-14);
}

TEST(SignedRecord, HeaderHelpersCompareWholeSignatureAndVersion)
{
    fw::omstream os;
    SignedStreamRecord::WriteHeader(os, SignedStreamRecord::PlanetData, 5);
    SignedStreamRecord::WriteHeader(os, "Quillon Software - Stellum - Planet", 5);
    fw::imstream in(os.str());
    const auto h = SignedStreamRecord::ReadHeader(in);
    EXPECT_TRUE(h.Matches(SignedStreamRecord::PlanetData, 5));
    EXPECT_FALSE(h.Matches(SignedStreamRecord::PlanetData, 4));
    EXPECT_FALSE(SignedStreamRecord::ReadHeader(in).Matches(SignedStreamRecord::PlanetData, 5));
    EXPECT_FALSE(SignedStreamRecord::ReadHeader(in).Matches("", 0) && in.good()); // past the end
    EXPECT_TRUE(in.fail());
}

// Uses a site read from a damaged file the way the planner would: nothing may crash or hang.
void Exercise(const ObsSite& s)
{
    const JulianDate j(2460000.5, JulianDate::kJulianDay);
    s.IsDst(TimeDate(2024, 7, 1, 12, 0, 0));
    s.IsDst(TimeDate(2024, 1, 1, 0, 0, 0));
    const JulianDate ut = s.LocalToUT(TimeDate(2024, 3, 10, 2, 30, 0));
    s.ToLocal(ut);
    s.MidnightOfNight(j);
    const Coord c = Coord::Equatorial(Angle(1.0), Angle(0.5), Distance(), j, 0x24);
    s.ToHorizontal(j, c, Coord::RefractionAdded);
    s.Altitude(j, c);
    s.LocalSiderealClock(j);
    Coord::Reduce(s.Position(), j, Coord::MaskApparentPlace, Angle(), Angle(1, Angle::kArcSeconds), Angle(1, Angle::kArcSeconds));
    Bytes(s);
}

TEST(SignedRecord, ShortOrForeignFilesReadWithoutHarm)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("site.rsx");
    const std::string good = Bytes(SampleSite());

    // Every truncation of a good record: the stream reports the short read.
    for (std::size_t n = 0; n < good.size(); ++n) {
        ASSERT_TRUE(testsupport::WriteFileBytes(path, good.substr(0, n)));
        fw::ifpstream in(path);
        ObsSite s;
        s.ReadFrom(in);
        EXPECT_TRUE(in.fail()) << n;
        Exercise(s);
    }

    // Foreign content: huge string lengths, NaN and infinite doubles, random bytes.
    std::string foreign[] = {
        std::string(200, '\xff'),
        std::string(200, '\0'),
        std::string("\x10\x00\x00\x00Some other file.", 20) + std::string(150, '\x7f'),
    };
    std::string nan = good;
    const double q = std::numeric_limits<double>::quiet_NaN();
    const std::size_t zoneSize = Bytes(SampleSite().Zone()).size();
    const std::size_t coordAt = zoneSize + 4 + kSignature.size() + 4;
    for (int k = 0; k < 5; ++k) std::memcpy(&nan[coordAt + 4 + 8 * k], &q, 8);
    std::string inf = nan;
    const double i = std::numeric_limits<double>::infinity();
    for (int k = 0; k < 5; ++k) std::memcpy(&inf[coordAt + 4 + 8 * k], &i, 8);
    std::mt19937 rng(1996);
    std::vector<std::string> cases(std::begin(foreign), std::end(foreign));
    cases.push_back(nan);
    cases.push_back(inf);
    for (int k = 0; k < 200; ++k) {
        std::string r(rng() % 400, '\0');
        for (char& ch : r) ch = static_cast<char>(rng() & 0xff);
        // Half of them start like a real record, so that the garbage reaches the later fields.
        if (k % 2) r = good.substr(0, rng() % good.size()) + r;
        cases.push_back(r);
    }
    for (const std::string& bytes : cases) {
        ASSERT_TRUE(testsupport::WriteFileBytes(path, bytes));
        {
            fw::ifpstream in(path);
            ObsSite s;
            s.ReadFrom(in);
            Exercise(s);
        }
        {
            fw::ifpstream in(path);
            Coord c;
            c.ReadFrom(in);
            RectCoord r;
            r.ReadFrom(in);
            EXPECT_TRUE(std::isfinite(c.Epoch().JD()) && std::isfinite(r.Epoch().JD()));
        }
    }
}

} // namespace
