// Language codes and the user's choice, the language table of the install script, the
// language package with its strings and dialog descriptions, and the resource package reader.
#include "framework/gui/MessageBox.h"
#include "framework/sys/ResourcePackage.h"
#include "framework/sys/WinFileSystem.h"
#include "framework/sys/WinProfile.h"
#include "installer/support/tests/InstallerRootFixture.h"
#include "installer/support/FilePath.h"
#include "installer/support/LanguageLibrary.h"
#include "installer/support/LanguageTable.h"
#include "installer/support/PortableStream.h"
#include "installer/support/ResString.h"

#include <cstdlib>
#include <filesystem>
#include <string>

using namespace kw;

namespace {

class Language : public InstallerRootFixture {
protected:
    void SetUserLanguage(const char* code) { fw::WinProfile::WriteString("win.ini", "Intl", "sLanguage", code); }
};

TEST_F(Language, CodesAliasesAndTheUsersLanguage)
{
    struct Case {
        const char* setting;
        int index;
    } cases[] = {{"ENC", 3}, {"esm", 4}, {"deu", 1}, {"FRS", 5}, {"non", 8}, {"zzz", 3}, {"xxx", 3}, {nullptr, 3}};
    for (const Case& c : cases) {
        if (c.setting) SetUserLanguage(c.setting);
        else fw::WinProfile::WriteString("win.ini", "Intl", "sLanguage", nullptr);
        EXPECT_EQ(UserLanguage(), c.index) << (c.setting ? c.setting : "unset");
    }
    EXPECT_EQ(FindLanguage("xxx"), -1);
    EXPECT_STREQ(LanguageCode(13), "rus");
    EXPECT_STREQ(LanguageName(11), "Finish");
    fw::ScriptedMessageBoxes boxes;
    EXPECT_STREQ(LanguageCode(14), "");
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_NE(boxes.Last().text.find("LANGSET"), std::string::npos);
}

TEST_F(Language, ChoiceFallsBackToThePackageDefault)
{
    LanguageTable table;
    table.defaultIndex = 1;
    table.provided[1] = table.provided[5] = 1;
    SetUserLanguage("ita");
    EXPECT_EQ(table.Choose(), 1);
    SetUserLanguage("fra");
    EXPECT_EQ(table.Choose(), 5);
}

TEST_F(Language, ScriptsBefore302CarryElevenFlags)
{
    for (int version : {301, 302}) {
        MemorySink sink;
        PortableWriter w(sink, false);
        w.WriteInt(2);
        int flags = version < 302 ? 11 : 20;
        for (int i = 0; i < flags; ++i) w.WriteInt(i == 10 ? 1 : 0);
        w.WriteInt(777); // what follows the table
        MemorySource source(sink.Bytes());
        PortableReader r(source, false);
        r.SetScriptVersion(version);
        LanguageTable table;
        ASSERT_TRUE(table.Read(r)) << version;
        EXPECT_EQ(table.defaultIndex, 2);
        EXPECT_EQ(table.provided[10], 1);
        int next = 0;
        ASSERT_TRUE(r.ReadInt(next));
        EXPECT_EQ(next, 777) << version;
    }
    fw::ScriptedMessageBoxes boxes;
    MemorySink sink;
    PortableWriter w(sink, false);
    LanguageTable table;
    EXPECT_FALSE(table.Write(w));
    EXPECT_EQ(boxes.Count(), 1);
}

TEST_F(Language, PackageSuppliesStringsAndDescriptionsUntilFreed)
{
    DeliverLanguagePackage("kwenu.dll");
    SetUserLanguage("enc");
    LanguageTable table;
    table.provided[3] = 1;
    LanguageLibrary& lib = LanguageLibrary::Instance();
    ASSERT_TRUE(lib.Load(table, "kw%s.dll")) << lib.Error();
    EXPECT_TRUE(lib.IsLoaded());
    EXPECT_EQ(ResText(78), "&Yes");
    EXPECT_EQ(ResText(23), "Windows NT");
    EXPECT_EQ(ResText(4242), "NO SUCH STRING!!!");
    const fw::DialogDescription* prog = FindDialogDescription("dlgprog");
    ASSERT_TRUE(prog);
    for (int id : {101, 102, 103, 104, 105}) {
        bool found = false;
        for (const auto& c : prog->controls) found = found || c.id == id;
        EXPECT_TRUE(found) << id;
    }
    ASSERT_TRUE(FindDialogDescription("DLGAOW"));
    EXPECT_TRUE(FindDialogDescription("DLGMSGBOX3")); // the installer's own

    lib.Free();
    EXPECT_FALSE(lib.IsLoaded());
    EXPECT_EQ(ResText(81), "Error"); // the installer's own table
    EXPECT_EQ(ResText(23), "NO SUCH STRING!!!");
    EXPECT_FALSE(FindDialogDescription("DLGAOW"));

    SetUserLanguage("deu"); // not provided: the default, which is not delivered
    table.defaultIndex = 1;
    EXPECT_FALSE(lib.Load(table, "kw%s.dll"));
    EXPECT_FALSE(lib.IsLoaded());
}

// A package at the library's name that is a link (here to one outside the machine) is not
// read through it.
TEST_F(Language, APackageBehindALinkIsNotRead)
{
    const char* dir = std::getenv("STELLUM_PROGRAM_DIR");
    ASSERT_TRUE(dir) << "STELLUM_PROGRAM_DIR not set";
    const std::string outside = tmp.file("kwenu.dll");
    ASSERT_TRUE(testsupport::WriteFileBytes(outside, testsupport::ReadFileBytes(std::string(dir) + "/kwenu.dll")));
    std::filesystem::create_symlink(outside, C("SETUP/kwenu.dll"));
    LanguageTable table;
    table.provided[3] = 1;
    SetUserLanguage("enu");
    LanguageLibrary& lib = LanguageLibrary::Instance();
    EXPECT_FALSE(lib.Load(table, "kw%s.dll"));
    EXPECT_FALSE(lib.IsLoaded());
    EXPECT_EQ(ResText(23), "NO SUCH STRING!!!");
}

TEST_F(Language, DamagedPackageIsRefusedAndTheOwnResourcesStay)
{
    ASSERT_TRUE(Write("SETUP/kwenu.dll", "[strings]\n76=Fine\n[dialog X]\ncontrol=1,BUTTON,0,0\n"));
    LanguageTable table;
    table.provided[3] = 1;
    SetUserLanguage("enu");
    LanguageLibrary& lib = LanguageLibrary::Instance();
    EXPECT_FALSE(lib.Load(table, "kw%s.dll"));
    EXPECT_NE(lib.Error().find("line 4"), std::string::npos) << lib.Error();
    EXPECT_EQ(ResText(76), "&OK");
}

TEST(ResourcePackage, ReadsEntriesAndRefusesDamage)
{
    fw::ResourcePackage p;
    ASSERT_TRUE(p.LoadText("; note\n[strings]\n 5 = a\\nb, c \n[dialog d1]\ncaption=Hi\nsize=100,50\n"
                           "control=7,button,1,2,30,14,default|tabstop,A, B\n[picture P]\ndata=aGVs\ndata=bG8=\n"))
        << p.Error();
    EXPECT_EQ(*p.String(5), " a\nb, c ");
    const fw::DialogDescription* d = p.Dialog("D1");
    ASSERT_TRUE(d);
    ASSERT_EQ(d->controls.size(), 1u);
    EXPECT_EQ(d->controls[0].className, "BUTTON");
    EXPECT_TRUE(d->controls[0].HasStyle("tabstop"));
    EXPECT_EQ(d->controls[0].text, "A, B");
    EXPECT_EQ(*p.Picture("p"), "hello");

    const char* damaged[] = {
        "76=outside\n",
        "[strings]\nabc=x\n",
        "[strings]\n70000=x\n",
        "[strings]\n1=bad \\q escape\n",
        "[dialog]\n",
        "[dialog A]\nsize=10\n",
        "[dialog A]\ncontrol=1,STATIC,0,0,10\n",
        "[dialog A]\n[dialog a]\n",
        "[picture A]\ndata=***\n",
        "[strings\n",
        "[other]\n",
    };
    for (const char* text : damaged) {
        EXPECT_FALSE(p.LoadText(text)) << text;
        EXPECT_FALSE(p.HasString(76));
    }
}

} // namespace
