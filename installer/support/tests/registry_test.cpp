// Registry keys, OS detection and replace-at-restart through the emulated machine.
#include "framework/gui/MessageBox.h"
#include "framework/sys/RegistryStore.h"
#include "framework/sys/WinFileSystem.h"
#include "framework/sys/WinProfile.h"
#include "framework/testsupport/RootFixture.h"
#include "installer/support/OsInfo.h"
#include "installer/support/PortableStream.h"
#include "installer/support/RegKey.h"

#include <cstring>
#include <string>
#include <vector>

using namespace kw;

namespace {

using RegKeyInRoot = RootFixture;

TEST(RegKeyNames, FormatsAndRootHandles)
{
    struct Case { int root; const char* shortForm; const char* longForm; long handle; } cases[] = {
        {0, "HKLM\\Software\\A", "HKEY_LOCAL_MACHINE\\Software\\A", 0x80000002L},
        {2, "HKCU\\Software\\A", "HKEY_CURRENT_USER\\Software\\A", 0x80000001L},
        {3, "HKUS\\Software\\A", "HKEY_USERS\\Software\\A", 0x80000003L},
        {4, "HKCF\\Software\\A", "HKEY_CURRENT_CONFIG\\Software\\A", 0x80000005L},
        {7, "Unknown\\Software\\A", "Unknown\\Software\\A", -1},
    };
    for (const Case& c : cases) {
        RegKey k(c.root, "Software\\A");
        char buf[64];
        ASSERT_TRUE(k.FormatShort(buf, sizeof buf));
        EXPECT_STREQ(buf, c.shortForm);
        ASSERT_TRUE(k.FormatLong(buf, sizeof buf));
        EXPECT_STREQ(buf, c.longForm);
        EXPECT_EQ(k.RootHandle(), c.handle);
    }
}

TEST_F(RegKeyInRoot, ValuesSubkeysAndTreeWalking)
{
    RegKey k(2, "Software\\Quillon\\Stellum");
    EXPECT_FALSE(k.Exists());
    EXPECT_FALSE(k.SetValue("x", fw::kRegSz, 2, "x"));
    ASSERT_TRUE(k.Create());
    ASSERT_TRUE(k.SetValue("Path", fw::kRegSz, 12, "C:\\STELLUM\0"));
    uint32_t seven = 7;
    ASSERT_TRUE(k.SetValue("Count", fw::kRegDword, 4, &seven));
    char buf[32] = "unchanged";
    EXPECT_FALSE(k.QueryString("Count", buf, sizeof buf));
    EXPECT_STREQ(buf, "unchanged");
    ASSERT_TRUE(k.QueryString("path", buf, sizeof buf));
    EXPECT_STREQ(buf, "C:\\STELLUM");
    {
        fw::ScriptedMessageBoxes boxes;
        char small[4];
        EXPECT_FALSE(k.QueryString("Path", small, sizeof small));
        EXPECT_EQ(boxes.Count(), 1);
    }
    uint32_t type = 0, size = 0;
    unsigned char* data = k.QueryValue("Count", type, size);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(type, fw::kRegDword);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(data[0], 7);
    delete[] data;
    EXPECT_EQ(k.CountValues(), 2);
    ASSERT_TRUE(k.ValueNameAt(1, buf, sizeof buf));
    EXPECT_STREQ(buf, "Count");
    EXPECT_TRUE(k.DeleteValue("count"));
    EXPECT_EQ(k.CountValues(), 1);

    RegKey parent(2, "Software\\Quillon");
    ASSERT_TRUE(RegKey(2, "Software\\Quillon\\Atlas").Create());
    EXPECT_EQ(parent.CountSubkeys(), 2);
    RegKey sub;
    ASSERT_TRUE(parent.SubkeyAt(1, sub));
    EXPECT_STREQ(sub.Path(), "Software\\Quillon\\Stellum");
    EXPECT_FALSE(parent.SubkeyAt(2, sub));
    EXPECT_FALSE(parent.Delete()); // has subkeys

    int cut = 0;
    ASSERT_TRUE(sub.CutLastComponent(cut));
    EXPECT_STREQ(sub.Path(), "Software\\Quillon");
    sub.RestoreBackslash(cut);
    EXPECT_STREQ(sub.Path(), "Software\\Quillon\\Stellum");
    int end = sub.AppendSubkey("Sub");
    EXPECT_STREQ(sub.Path(), "Software\\Quillon\\Stellum\\Sub");
    sub.TruncateAt(end);
    EXPECT_STREQ(sub.Path(), "Software\\Quillon\\Stellum");
    fw::ScriptedMessageBoxes boxes;
    EXPECT_EQ(sub.AppendSubkey(std::string(300, 'n').c_str()), -1);
    EXPECT_STREQ(sub.Path(), "Software\\Quillon\\Stellum");
    // A refused path leaves root and path as they were.
    EXPECT_FALSE(sub.Set(0, std::string(300, 'n').c_str()));
    EXPECT_EQ(sub.Root(), 2);
    EXPECT_STREQ(sub.Path(), "Software\\Quillon\\Stellum");

    // The key survives the operation log's stream.
    MemorySink sink;
    PortableWriter w(sink, false);
    ASSERT_TRUE(w.WriteObject(sub));
    RegKey back;
    MemorySource src(sink.Bytes());
    PortableReader r(src, false);
    ASSERT_TRUE(r.ReadObject(back));
    EXPECT_EQ(back.Root(), 2);
    EXPECT_STREQ(back.Path(), "Software\\Quillon\\Stellum");
}

TEST_F(RegKeyInRoot, OsDetection)
{
    struct Case { int platform, major, minor; const char* shell; int kind; bool look, newShell; } cases[] = {
        {fw::kPlatformWin32s, 3, 10, nullptr, OsInfo::Win32s, false, false},
        {fw::kPlatformWin32Windows, 4, 0, nullptr, OsInfo::Windows95, true, true},
        {fw::kPlatformWin32NT, 4, 0, nullptr, OsInfo::WindowsNT, true, true},
        {fw::kPlatformWin32NT, 3, 51, "progman.exe", OsInfo::WindowsNT, true, false},
        {fw::kPlatformWin32NT, 3, 51, "EXPLORER.EXE", OsInfo::WindowsNT, true, true},
        {fw::kPlatformWin32NT, 3, 50, nullptr, OsInfo::WindowsNT, false, false},
    };
    for (const Case& c : cases) {
        root.Os().platform = c.platform;
        root.Os().major = c.major;
        root.Os().minor = c.minor;
        RegKey winlogon(0, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\WinLogon");
        if (c.shell) {
            ASSERT_TRUE(winlogon.Create());
            ASSERT_TRUE(winlogon.SetValue("", fw::kRegSz, static_cast<uint32_t>(std::strlen(c.shell) + 1), c.shell));
        } else {
            winlogon.Delete();
        }
        OsInfo info;
        info.Detect();
        EXPECT_EQ(info.kind, c.kind) << c.major << "." << c.minor;
        EXPECT_EQ(info.newLook, c.look) << c.major << "." << c.minor;
        EXPECT_EQ(info.newShell, c.newShell) << c.major << "." << c.minor << " " << (c.shell ? c.shell : "");
        EXPECT_EQ(info.CurrentVersionKey() == nullptr, c.kind == OsInfo::Win32s);
    }
}

TEST_F(RegKeyInRoot, ReplaceAtRestart)
{
    ASSERT_TRUE(fw::WinFileSystem::CreateDirectory("C:\\Program Files\\Shared Stuff"));
    // The NT family schedules the move itself.
    ASSERT_TRUE(Write("Program Files/Shared Stuff/ctl.dll", "old"));
    ASSERT_TRUE(Write("Program Files/Shared Stuff/ctl.new", "new"));
    root.SetInUse("C:\\Program Files\\Shared Stuff\\ctl.dll");
    ASSERT_TRUE(RenameFileAtReboot("C:\\Program Files\\Shared Stuff\\ctl.new",
                                   "C:\\Program Files\\Shared Stuff\\ctl.dll"));
    EXPECT_EQ(root.PendingRenames().size(), 1u);
    root.Restart();
    EXPECT_EQ(Read("Program Files/Shared Stuff/ctl.dll"), "new");

    // The Windows 95 family writes wininit.ini with short names.
    root.Os().platform = fw::kPlatformWin32Windows;
    ASSERT_TRUE(Write("Program Files/Shared Stuff/ctl.new", "newer"));
    ASSERT_TRUE(RenameFileAtReboot("C:\\Program Files\\Shared Stuff\\ctl.new",
                                   "C:\\Program Files\\Shared Stuff\\ctl.dll"));
    EXPECT_EQ(Read("WINDOWS/wininit.ini"),
              "[rename]\nC:\\PROGRA~1\\SHARED~1\\ctl.dll=C:\\PROGRA~1\\SHARED~1\\ctl.new\n");
    root.Restart();
    EXPECT_EQ(Read("Program Files/Shared Stuff/ctl.dll"), "newer");
    EXPECT_FALSE(fw::WinFileSystem::Exists("C:\\WINDOWS\\wininit.ini"));

    // Names longer than a path buffer are scheduled whole, in their short form.
    const std::string deep = std::string(130, 'd');
    ASSERT_TRUE(fw::WinFileSystem::CreateDirectory("C:\\Program Files\\" + deep));
    ASSERT_TRUE(Write("Program Files/" + deep + "/ctl.dll", "old"));
    ASSERT_TRUE(Write("Program Files/" + deep + "/ctl.new", "new"));
    const std::string dir = "C:\\Program Files\\" + deep + "\\";
    ASSERT_TRUE(RenameFileAtReboot((dir + "ctl.new").c_str(), (dir + "ctl.dll").c_str()));
    root.Restart();
    EXPECT_EQ(Read("Program Files/" + deep + "/ctl.dll"), "new");
}

} // namespace
