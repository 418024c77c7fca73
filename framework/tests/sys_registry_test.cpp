// The emulated registry: roots, case-insensitive keys, typed values, stable enumeration,
// pre-seeded keys and a file that a crash never leaves half-written.
#include "framework/stream/AtomicFile.h"
#include "framework/sys/RegistryStore.h"
#include "framework/sys/WinRoot.h"
#include "framework/testsupport/TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

TEST(RegistryStore, KeysValuesAndEnumerationSurviveReopening)
{
    testsupport::TempDir tmp;
    const std::string file = tmp.file("reg.dat");
    {
        fw::RegistryStore reg(file);
        ASSERT_TRUE(reg.CreateKey(2, "Software\\Quillon\\Stellum"));
        EXPECT_TRUE(reg.KeyExists(2, "SOFTWARE\\quillon\\STELLUM"));
        EXPECT_FALSE(reg.KeyExists(0, "Software\\Quillon"));
        EXPECT_FALSE(reg.CreateKey(5, "x"));
        ASSERT_TRUE(reg.CreateKey(2, "software\\quillon\\Beta"));
        ASSERT_TRUE(reg.CreateKey(2, "software\\quillon\\alpha"));
        ASSERT_TRUE(reg.SetString(2, "Software\\Quillon", "Zed", "last"));
        ASSERT_TRUE(reg.SetValue(2, "Software\\Quillon", "Count", fw::kRegDword, std::string("\x07\0\0\0", 4)));
        ASSERT_TRUE(reg.SetString(2, "Software\\Quillon", "zed", "again")); // same value, new data
        EXPECT_FALSE(reg.SetString(2, "Software\\Missing", "v", "x"));
        EXPECT_FALSE(reg.DeleteKey(2, "Software\\Quillon")); // has subkeys
    }
    fw::RegistryStore reg(file);
    std::vector<std::string> keys;
    std::string name;
    for (int i = 0; reg.SubkeyName(2, "Software\\Quillon", i, name); ++i) keys.push_back(name);
    EXPECT_EQ(keys, (std::vector<std::string>{"alpha", "Beta", "Stellum"}));
    ASSERT_EQ(reg.CountValues(2, "Software\\Quillon"), 2);
    fw::RegistryValue v;
    ASSERT_TRUE(reg.ValueAt(2, "Software\\Quillon", 0, v));
    EXPECT_EQ(v.name, "Zed");
    EXPECT_EQ(v.type, fw::kRegSz);
    EXPECT_EQ(v.data, std::string("again\0", 6));
    ASSERT_TRUE(reg.QueryValue(2, "software\\QUILLON", "COUNT", v));
    EXPECT_EQ(v.type, fw::kRegDword);
    EXPECT_EQ(v.data.size(), 4u);
    EXPECT_TRUE(reg.DeleteValue(2, "Software\\Quillon", "count"));
    EXPECT_FALSE(reg.QueryValue(2, "Software\\Quillon", "Count", v));
    EXPECT_TRUE(reg.DeleteKey(2, "Software\\Quillon\\Beta"));
    EXPECT_EQ(reg.CountSubkeys(2, "Software\\Quillon"), 2);
    EXPECT_EQ(reg.CountSubkeys(2, "Software\\Nothing"), -1);
}

TEST(RegistryStore, DamagedFileIsNotTrusted)
{
    testsupport::TempDir tmp;
    const std::string file = tmp.file("reg.dat");
    {
        fw::RegistryStore reg(file);
        ASSERT_TRUE(reg.CreateKey(0, "A\\B"));
    }
    std::string bytes = testsupport::ReadFileBytes(file);
    ASSERT_TRUE(testsupport::WriteFileBytes(file, bytes.substr(0, bytes.size() - 7)));
    fw::RegistryStore reg(file);
    EXPECT_FALSE(reg.KeyExists(0, "A"));
}

// The loader refuses a file deeper than its limit; a key beyond it is never created, so what
// is saved always loads again.
TEST(RegistryStore, KeysDeeperThanTheLoaderTakesAreRefused)
{
    testsupport::TempDir tmp;
    const std::string file = tmp.file("reg.dat");
    std::string deepest = "K";
    for (int i = 1; i < 512; ++i) deepest += "\\K";
    {
        fw::RegistryStore reg(file);
        ASSERT_TRUE(reg.CreateKey(0, "Kept"));
        ASSERT_TRUE(reg.CreateKey(0, deepest));
        EXPECT_FALSE(reg.CreateKey(0, deepest + "\\K"));
        EXPECT_FALSE(reg.CreateKey(0, deepest + "\\K\\K\\K\\K\\K\\K\\K\\K\\K\\K"));
    }
    fw::RegistryStore again(file);
    EXPECT_TRUE(again.KeyExists(0, "Kept"));
    EXPECT_TRUE(again.KeyExists(0, deepest));
}

// A registry file that does not load is kept beside the new one before the first change
// replaces it, whether damaged or not a file at all (a directory at its name).
TEST(RegistryStore, AFileThatDoesNotLoadIsKeptAsideBeforeItIsReplaced)
{
    testsupport::TempDir tmp;
    const std::string file = tmp.file("reg.dat");
    {
        fw::RegistryStore reg(file);
        ASSERT_TRUE(reg.CreateKey(0, "Lost\\Keys"));
    }
    const std::string damaged = testsupport::ReadFileBytes(file).substr(0, 30);
    ASSERT_TRUE(testsupport::WriteFileBytes(file, damaged));
    {
        fw::RegistryStore reg(file);
        EXPECT_FALSE(reg.KeyExists(0, "Lost"));
        ASSERT_TRUE(reg.CreateKey(0, "New"));
        ASSERT_TRUE(reg.CreateKey(0, "Newer"));
    }
    EXPECT_EQ(testsupport::ReadFileBytes(file + ".bad"), damaged);
    EXPECT_TRUE(fw::RegistryStore(file).KeyExists(0, "Newer"));

    const std::string blocked = tmp.file("blocked.dat");
    ASSERT_EQ(mkdir(blocked.c_str(), 0755), 0);
    fw::RegistryStore reg(blocked);
    ASSERT_TRUE(reg.CreateKey(0, "New"));
    struct stat st;
    ASSERT_EQ(stat((blocked + ".bad").c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_TRUE(fw::RegistryStore(blocked).KeyExists(0, "New"));
}

// A save killed mid-write leaves its temporary; the next start removes it.
TEST(RegistryStore, OpeningRemovesATemporaryLeftByAKilledSave)
{
    testsupport::TempDir tmp;
    const std::string file = tmp.file("reg.dat");
    {
        fw::RegistryStore reg(file);
        ASSERT_TRUE(reg.CreateKey(0, "A"));
    }
    const pid_t child = fork();
    if (child == 0) _exit(0);
    waitpid(child, nullptr, 0);
    const std::string left = file + ".tmp" + std::to_string(child) + "-Qx81zk";
    ASSERT_TRUE(testsupport::WriteFileBytes(left, "STELLUM REGISTRY 1\n"));
    fw::RegistryStore reg(file);
    EXPECT_TRUE(reg.KeyExists(0, "A"));
    struct stat st;
    EXPECT_NE(stat(left.c_str(), &st), 0) << "the temporary is still there";
}

TEST(RegistryStore, AChangeThatCannotBeWrittenIsTakenBack)
{
    testsupport::TempDir tmp;
    const std::string file = tmp.file("reg.dat");
    fw::RegistryStore reg(file);
    ASSERT_TRUE(reg.CreateKey(0, "A"));
    ASSERT_TRUE(reg.SetString(0, "A", "v", "old"));
    // The file cannot be replaced, as on a full disk.
    fw::FailReplacementsForTest(3);
    EXPECT_FALSE(reg.SetString(0, "A", "v", "new"));
    EXPECT_FALSE(reg.CreateKey(0, "A\\B"));
    EXPECT_FALSE(reg.DeleteValue(0, "A", "v"));
    fw::RegistryValue v;
    ASSERT_TRUE(reg.QueryValue(0, "A", "v", v));
    EXPECT_EQ(v.data, std::string("old\0", 4));
    EXPECT_FALSE(reg.KeyExists(0, "A\\B"));
    // Nor does the refused change reach the file with a later one.
    ASSERT_TRUE(reg.SetString(0, "A", "w", "x"));
    fw::RegistryStore again(file);
    ASSERT_TRUE(again.QueryValue(0, "A", "v", v));
    EXPECT_EQ(v.data, std::string("old\0", 4));
    EXPECT_FALSE(again.KeyExists(0, "A\\B"));
}

// A writer killed at random moments leaves a file that is always whole: one of the states it
// wrote, never a mixture or a truncated file.
TEST(RegistryStore, CrashBetweenWritesLeavesTheOldOrTheNewFile)
{
    testsupport::TempDir tmp;
    const std::string file = tmp.file("reg.dat");
    {
        fw::RegistryStore reg(file);
        ASSERT_TRUE(reg.CreateKey(0, "Counter"));
        ASSERT_TRUE(reg.SetString(0, "Counter", "n", "0"));
    }
    long last = 0;
    for (int round = 0; round < 6; ++round) {
        // The writer says when its first state is written, so that however slowly a busy
        // machine runs it, every round kills it after some writes, at a moment of its own.
        int written[2];
        ASSERT_EQ(pipe(written), 0);
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(written[0]);
            fw::RegistryStore reg(file);
            fw::RegistryValue v;
            long n = reg.QueryValue(0, "Counter", "n", v) ? std::atol(v.data.c_str()) : -1000000;
            for (;;) {
                ++n;
                // Two values per state, so a mixture of states would show.
                std::string text = std::to_string(n) + std::string(1000 + n % 500, 'x');
                reg.SetString(0, "Counter", "pad", text);
                reg.SetString(0, "Counter", "n", std::to_string(n));
                if (written[1] >= 0) {
                    (void)!write(written[1], "w", 1);
                    close(written[1]);
                    written[1] = -1;
                }
            }
        }
        close(written[1]);
        char byte = 0;
        EXPECT_EQ(read(written[0], &byte, 1), 1) << "round " << round;
        close(written[0]);
        usleep(round * 7000);
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        fw::RegistryStore reg(file);
        fw::RegistryValue n, pad;
        ASSERT_TRUE(reg.QueryValue(0, "Counter", "n", n)) << "round " << round;
        long value = std::atol(n.data.c_str());
        EXPECT_GE(value, last);
        last = value;
        if (value > 0) {
            ASSERT_TRUE(reg.QueryValue(0, "Counter", "pad", pad));
            long padN = std::atol(pad.data.c_str());
            EXPECT_TRUE(padN == value || padN == value + 1) << padN << " vs " << value;
        }
    }
    EXPECT_GT(last, 0);
}

TEST(RegistryStore, NewMachineIsPreSeeded)
{
    testsupport::TempDir tmp;
    fw::WinRoot root(tmp.file("root"));
    fw::RegistryValue v;
    ASSERT_TRUE(root.Registry().QueryValue(0, "Software\\Microsoft\\Windows\\CurrentVersion",
                                           "CommonFilesDir", v));
    EXPECT_EQ(v.data, std::string("C:\\Program Files\\Common Files\0", 30));
    ASSERT_TRUE(root.Registry().QueryValue(
        2, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Programs", v));
    EXPECT_EQ(v.type, fw::kRegSz);
}

} // namespace
