#include "framework/stream/AtomicFile.h"
#include "framework/stream/PStream.h"
#include "framework/stream/StringUtil.h"
#include "framework/testsupport/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <cstring>
#include <limits>
#include <map>
#include <sys/wait.h>
#include <unistd.h>

TEST(PStream, PrimitivesAreLittleEndianFieldByField)
{
    fw::omstream out;
    out.writeWord32(0x11223344u);
    out.writeWord16(0xA1B2);
    out.writeByte(0x7F);
    out.writeString("abc");
    out.writeDouble(1.0);
    ASSERT_TRUE(out.good());
    const std::string expected = std::string("\x44\x33\x22\x11\xB2\xA1\x7F", 7) + std::string("\x03\0\0\0abc", 7) +
                                 std::string("\0\0\0\0\0\0\xF0\x3F", 8);
    EXPECT_EQ(out.str(), expected);
}

TEST(PStream, RoundTripsEveryKind)
{
    fw::omstream out;
    out << std::uint32_t(4000000000u) << std::int32_t(-5) << std::int16_t(-2) << std::uint8_t(200) << true
        << 3.25 << 1.5f << std::string("") << std::string("Quillon Software - Stellum - ObsSite");
    const double values[] = {0.0, -0.0, std::numeric_limits<double>::infinity(), 1e-300, M_PI};
    out.writeBytes(values, sizeof values);
    fw::imstream in(out.str());
    std::uint32_t u; std::int32_t i; std::int16_t s; std::uint8_t b; bool f; double d; float fl;
    std::string e, sig;
    in >> u >> i >> s >> b >> f >> d >> fl >> e >> sig;
    double back[5];
    in.readBytes(back, sizeof back);
    ASSERT_TRUE(in.good());
    EXPECT_EQ(u, 4000000000u);
    EXPECT_EQ(i, -5);
    EXPECT_EQ(s, -2);
    EXPECT_EQ(b, 200);
    EXPECT_TRUE(f);
    EXPECT_EQ(d, 3.25);
    EXPECT_EQ(fl, 1.5f);
    EXPECT_EQ(e, "");
    EXPECT_EQ(sig, "Quillon Software - Stellum - ObsSite");
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(std::memcmp(&back[k], &values[k], 8), 0) << k;
    EXPECT_EQ(in.remaining(), 0);
}

TEST(PStream, ReadPastEndFailsAndYieldsZeros)
{
    fw::imstream in(std::string("\x01\x02", 2));
    EXPECT_EQ(in.readWord32(), 0x0201u);  // the two bytes that exist, zeros for the rest
    EXPECT_TRUE(in.fail());
    EXPECT_TRUE(in.eof());
    EXPECT_EQ(in.readWord16(), 0u);
    EXPECT_EQ(in.readDouble(), 0.0);
    EXPECT_EQ(in.readString(), "");
}

TEST(PStream, StringLengthsAreBounded)
{
    struct Case {
        const char* what;
        std::string bytes;
        std::uint32_t cap;
    } cases[] = {
        {"length above the cap", std::string("\x05\0\0\0hello", 9), 4},
        {"length past the end", std::string("\xFF\xFF\xFF\x7Fxyz", 7), fw::pstream::kMaxStringLength * 4096u},
        {"huge length", std::string("\xFF\xFF\xFF\xFF", 4), fw::pstream::kMaxStringLength},
        {"truncated length", std::string("\x05\0", 2), fw::pstream::kMaxStringLength},
    };
    for (const auto& c : cases) {
        fw::imstream in(c.bytes);
        EXPECT_EQ(in.readString(c.cap), "") << c.what;
        EXPECT_TRUE(in.fail()) << c.what;
    }
}

TEST(PStream, FileModes)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("Data.RSX");
    {
        fw::ofpstream out(path);
        out.writeWord32(1);
        out.writeWord32(2);
        ASSERT_TRUE(out.close());
    }
    {
        // Update mode: overwrite the second word in place, keep the length.
        fw::fpstream io(path);
        ASSERT_TRUE(io.is_open());
        EXPECT_EQ(io.readWord32(), 1u);
        io.seekp(4);
        io.writeWord32(7);
        ASSERT_TRUE(io.close());
    }
    EXPECT_EQ(testsupport::ReadFileBytes(path), std::string("\x01\0\0\0\x07\0\0\0", 8));
    {
        // Opening for input falls back to a case-insensitive match of the name.
        fw::ifpstream in(dir.file("data.rsx"));
        ASSERT_TRUE(in.is_open());
        EXPECT_EQ(in.readWord32(), 1u);
        EXPECT_EQ(in.readWord32(), 7u);
        EXPECT_TRUE(in.good());
    }
    {
        fw::ofpstream out(path);  // output truncates
        ASSERT_TRUE(out.close());
    }
    EXPECT_EQ(testsupport::ReadFileBytes(path), "");
    fw::ifpstream missing(dir.file("nothing.rsx"));
    EXPECT_FALSE(missing.is_open());
    EXPECT_TRUE(missing.fail());
    EXPECT_EQ(missing.readWord32(), 0u);
}

TEST(StringUtil, CaseInsensitiveHelpers)
{
    EXPECT_TRUE(fw::EqualsIgnoreCase("STLMCNFG.RSX", "stlmcnfg.rsx"));
    EXPECT_FALSE(fw::EqualsIgnoreCase("abc", "abd"));
    EXPECT_LT(fw::CompareIgnoreCase("abc", "ABD"), 0);
    EXPECT_LT(fw::CompareIgnoreCase("ab", "ABC"), 0);
    EXPECT_TRUE(fw::StartsWithIgnoreCase("San Diego", "sAN"));
    EXPECT_EQ(fw::Trim(" \t x y \r\n"), "x y");
    EXPECT_EQ(fw::Trim("   "), "");
}

TEST(StringUtil, ParseIntegerTakesWholeNumbersOnly)
{
    struct Case {
        const char* text;
        int base;
        bool ok;
        long long value;
    } cases[] = {
        {" 42 ", 10, true, 42},        {"-7", 10, true, -7},    {"0x1F", 0, true, 31},
        {"0x1F", 10, false, 0},        {"12 a", 10, false, 0},  {"", 10, false, 0},
        {"  ", 10, false, 0},          {"99999999999999999999", 10, false, 0},
    };
    for (const Case& c : cases) {
        long long v = 0;
        EXPECT_EQ(fw::ParseInteger(c.text, v, c.base), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }
}

TEST(AtomicFile, ReplacesWholeOrLeavesTheOldFile)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("indexes.rsx");
    ASSERT_TRUE(fw::WriteFileReplacing(path, "old"));
    ASSERT_TRUE(fw::WriteFileReplacing(path, "new bytes"));
    EXPECT_EQ(testsupport::ReadFileBytes(path), "new bytes");
    // A target that cannot be replaced (a directory) leaves it and no temporary behind.
    const std::string blocked = dir.file("blocked");
    std::filesystem::create_directory(blocked);
    EXPECT_FALSE(fw::WriteFileReplacing(blocked, "x"));
    EXPECT_TRUE(std::filesystem::is_directory(blocked));
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 2);
    EXPECT_FALSE(fw::WriteFileReplacing(dir.file("missing/x.rsx"), "x"));
}

namespace {

// The pid of a process that has ended, for temporaries a killed save would have left.
long EndedPid()
{
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    waitpid(child, nullptr, 0);
    return static_cast<long>(child);
}

} // namespace

// A link planted where the temporary used to be named (the file's name, ".tmp" and the pid)
// is neither written through nor renamed over the file.
TEST(AtomicFile, TheTemporaryIsNeverOpenedThroughALink)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("STLMCNFG.RSX");
    const std::string victim = dir.file("victim");
    ASSERT_TRUE(testsupport::WriteFileBytes(victim, "victim"));
    ASSERT_TRUE(fw::WriteFileReplacing(path, "old"));
    std::filesystem::create_symlink(victim, path + ".tmp" + std::to_string(getpid()));
    std::filesystem::create_symlink(dir.file("created"), path + ".tmp" + std::to_string(getpid()) + "-XXXXXX");
    ASSERT_TRUE(fw::WriteFileReplacing(path, "new"));
    std::vector<fw::FileReplacement> batch{{path, "batch"}};
    ASSERT_TRUE(fw::ReplaceFiles(batch));
    EXPECT_EQ(testsupport::ReadFileBytes(victim), "victim");
    EXPECT_FALSE(std::filesystem::exists(dir.file("created")));
    EXPECT_FALSE(std::filesystem::is_symlink(path));
    EXPECT_EQ(testsupport::ReadFileBytes(path), "batch");
}

// What a killed save left is removed at the next start: the temporaries of the named file
// whose program has ended, in the present form and the earlier one; never a temporary of a
// running program, another file's, or anything a link points at.
TEST(AtomicFile, StaleTemporariesOfAKilledSaveAreRemoved)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("indexes.rsx");
    const std::string dead = std::to_string(EndedPid());
    const std::string mine = std::to_string(getpid());
    ASSERT_TRUE(testsupport::WriteFileBytes(path, "kept"));
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.file("victim"), "victim"));
    const std::map<std::string, bool> names = {
        {"indexes.rsx.tmp" + dead + "-a1B2c3", true},
        {"indexes.rsx.tmp" + dead, true},
        {"indexes.rsx.tmp" + mine + "-a1B2c3", false},
        {"indexes.rsx.tmp1-a1B2c3", false},
        {"indexes.rsx.tmp" + dead + "-toolong", false},
        {"indexes.rsx.tmpzz", false},
        {"chtlabel.rsx.tmp" + dead + "-a1B2c3", false},
    };
    for (const auto& [name, removed] : names)
        ASSERT_TRUE(testsupport::WriteFileBytes(dir.file(name), "partial"));
    const std::string link = dir.file("indexes.rsx.tmp" + dead + "-linked");
    std::filesystem::create_symlink(dir.file("victim"), link);
    EXPECT_EQ(fw::RemoveStaleTemporaries(path), 3);
    for (const auto& [name, removed] : names)
        EXPECT_EQ(std::filesystem::exists(dir.file(name)), !removed) << name;
    EXPECT_FALSE(std::filesystem::is_symlink(link));
    EXPECT_EQ(testsupport::ReadFileBytes(dir.file("victim")), "victim");
    EXPECT_EQ(testsupport::ReadFileBytes(path), "kept");
}

// A damaged file is kept beside itself: copied while it can be read, the same backup used
// again for the same bytes, a numbered one when the name is taken, and moved aside when it
// cannot be read (a directory standing at its name).
TEST(AtomicFile, ADamagedFileIsKeptUnderABackupName)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("chtlabel.rsx");
    ASSERT_TRUE(testsupport::WriteFileBytes(path, "first"));
    EXPECT_EQ(fw::KeepDamagedFile(path), path + ".bad");
    EXPECT_EQ(fw::KeepDamagedFile(path), path + ".bad");
    EXPECT_EQ(testsupport::ReadFileBytes(path), "first");
    ASSERT_TRUE(testsupport::WriteFileBytes(path, "second"));
    EXPECT_EQ(fw::KeepDamagedFile(path), path + ".bad2");
    EXPECT_EQ(testsupport::ReadFileBytes(path + ".bad"), "first");
    EXPECT_EQ(testsupport::ReadFileBytes(path + ".bad2"), "second");

    const std::string blocked = dir.file("conlines.rsx");
    std::filesystem::create_directory(blocked);
    EXPECT_EQ(fw::KeepDamagedFile(blocked), blocked + ".bad");
    EXPECT_TRUE(std::filesystem::is_directory(blocked + ".bad"));
    EXPECT_FALSE(std::filesystem::exists(blocked));
    EXPECT_EQ(fw::KeepDamagedFile(dir.file("missing")), "");
}
