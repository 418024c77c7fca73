// Program groups and items through the Program Manager emulation and through shell links,
// the choice between them, and the desktop entries exported for shell links.
#include "framework/gui/MessageBox.h"
#include "framework/sys/ProgmanStore.h"
#include "framework/sys/ShellLink.h"
#include "framework/sys/WinFileSystem.h"
#include "framework/testsupport/RootFixture.h"
#include "framework/testsupport/TestSupport.h"
#include "installer/support/FilePath.h"
#include "installer/support/GroupLink.h"
#include "installer/support/OsInfo.h"
#include "installer/support/ProgmanDdeLink.h"
#include "installer/support/ShellFolderLink.h"

#include <QProcess>
#include <QStandardPaths>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

using namespace kw;

namespace {

class Progman : public RootFixture {
protected:
    void SetUp() override
    {
        RootFixture::SetUp();
        fw::ProgmanStore::SetRunning(false);
        fw::WinFileSystem::CreateDirectory("C:\\STELLUM");
        Write("STELLUM/STLM32.EXE", "program");
    }
    void TearDown() override
    {
        while (ProgmanClient::Instance().Connections() > 0) ProgmanClient::Instance().Disconnect(false);
        RootFixture::TearDown();
    }
    void SetPlatform(int platform)
    {
        root.Os().platform = platform;
        GetOsInfo().Detect();
    }
    std::string Groups(GroupLink& link)
    {
        std::unique_ptr<char[]> list(link.GroupList());
        return list ? list.get() : "(null)";
    }
};

TEST(ProgmanCommands, StringsAsProgramManagerReadsThem)
{
    struct Case {
        std::string command, expected;
    } cases[] = {
        {ProgmanDdeLink::ShowGroupCommand("G", 9), "[CreateGroup(\"G\")]"},
        {ProgmanDdeLink::ShowGroupCommand("G", 1), "[ShowGroup(\"G\", 1)]"},
        {ProgmanDdeLink::CreateGroupCommand("Stellum"), "[CreateGroup(\"Stellum\")]"},
        {ProgmanDdeLink::DeleteGroupCommand("Stellum"), "[DeleteGroup(\"Stellum\")]"},
        {ProgmanDdeLink::DeleteItemCommand("Read Me"), "[DeleteItem(\"Read Me\")]"},
        {ProgmanDdeLink::AddItemCommand("Planner", "C:\\S\\STLM32.EXE /x", "", 2, ""),
         "[AddItem(C:\\S\\STLM32.EXE /x, \"Planner\", , 2)]"},
        {ProgmanDdeLink::AddItemCommand("Planner", "C:\\S\\STLM32.EXE", "C:\\S\\A.ICO", 0, "C:\\S"),
         "[AddItem(C:\\S\\STLM32.EXE, \"Planner\", C:\\S\\A.ICO, 0, , , C:\\S)]"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.command, c.expected);

    ProgmanItem item;
    ProgmanItem::SetField(item.name, sizeof item.name, "Log");
    ProgmanItem::SetField(item.commandLine, sizeof item.commandLine, "C:\\S\\STLM32.EXE log.log");
    item.x = 10, item.y = 20, item.iconIndex = 1, item.hotKey = 3, item.minimised = 1;
    EXPECT_EQ(ProgmanDdeLink::AddItemCommand(item), "[AddItem(C:\\S\\STLM32.EXE log.log, \"Log\", , 1, 10, 20, , 3, 1)]");
}

TEST(ProgmanCommands, TextsThatCannotBeCarriedAreRefused)
{
    fw::ScriptedMessageBoxes boxes;
    EXPECT_EQ(ProgmanDdeLink::CreateGroupCommand("a\"b"), "");
    EXPECT_EQ(ProgmanDdeLink::AddItemCommand("n", "C:\\A.EXE x,y", "", 0, ""), "");
    ProgmanItem item;
    std::string longLine(600, 'x');
    EXPECT_FALSE(ProgmanItem::SetField(item.commandLine, sizeof item.commandLine, longLine.c_str()));
    EXPECT_STREQ(item.commandLine, "");
    EXPECT_TRUE(ProgmanItem::SetField(item.commandLine, sizeof item.commandLine, std::string(511, 'y').c_str()));
    EXPECT_EQ(boxes.Count(), 3);
}

TEST(ProgmanCommands, ItemLinesKeepQuotedCommas)
{
    ProgmanItem item;
    ASSERT_TRUE(ProgmanDdeLink::ParseItemLine("\"Read, me\",\"C:\\X.EXE /a\",C:\\DIR,C:\\X.ICO,1,2,3,4,1", item));
    EXPECT_STREQ(item.name, "Read, me");
    EXPECT_STREQ(item.commandLine, "C:\\X.EXE /a");
    EXPECT_STREQ(item.workingDirectory, "C:\\DIR");
    EXPECT_STREQ(item.iconPath, "C:\\X.ICO");
    EXPECT_EQ(item.x, 1);
    EXPECT_EQ(item.y, 2);
    EXPECT_EQ(item.iconIndex, 3);
    EXPECT_EQ(item.hotKey, 4);
    EXPECT_EQ(item.minimised, 1);
    ASSERT_TRUE(ProgmanDdeLink::ParseItemLine("\"Short\"", item));
    EXPECT_EQ(item.x, 0);
    fw::ScriptedMessageBoxes boxes;
    std::string tooLong = "\"" + std::string(70, 'n') + "\",\"c\"";
    EXPECT_FALSE(ProgmanDdeLink::ParseItemLine(tooLong, item));
    EXPECT_STREQ(item.name, "");
}

TEST_F(Progman, GroupsAndItemsAreReadBackAndLeaveTheStoreAsBefore)
{
    fw::ProgmanStore::SetRunning(true);
    ProgmanDdeLink link;
    ASSERT_TRUE(link.Connect(false));
    ASSERT_TRUE(link.CreateGroup("Accessories"));
    const std::string before = Groups(link);

    ASSERT_TRUE(link.CreateGroup("Stellum"));
    ASSERT_TRUE(link.AddItem("Planner", "C:\\STELLUM\\STLM32.EXE", "C:\\STELLUM\\STLM32.EXE", 0, "C:\\STELLUM"));
    ProgmanItem log;
    ProgmanItem::SetField(log.name, sizeof log.name, "Log, old");
    ProgmanItem::SetField(log.commandLine, sizeof log.commandLine, "C:\\STELLUM\\STLM32.EXE a.log");
    log.x = 5, log.y = 6, log.hotKey = 7, log.minimised = 1;
    ASSERT_TRUE(link.AddItem(log));
    EXPECT_TRUE(link.GroupExists("STELLUM"));
    EXPECT_EQ(Groups(link), "Accessories\r\nStellum");

    ProgmanGroupItems items;
    ASSERT_TRUE(link.GetGroupItems("Stellum", items));
    std::unique_ptr<ProgmanItem[]> own(items.items);
    EXPECT_STREQ(items.group, "Stellum");
    ASSERT_EQ(items.count, 2);
    EXPECT_STREQ(items.items[0].name, "Planner");
    EXPECT_STREQ(items.items[0].workingDirectory, "C:\\STELLUM");
    ProgmanItem back;
    ASSERT_TRUE(link.GetItem("stellum", "log, OLD", back));
    EXPECT_STREQ(back.commandLine, "C:\\STELLUM\\STLM32.EXE a.log");
    EXPECT_EQ(back.hotKey, 7);
    EXPECT_EQ(back.minimised, 1);
    EXPECT_FALSE(link.ItemExists("Stellum", "Nothing"));

    EXPECT_TRUE(link.ShowGroup("Stellum", 1));
    EXPECT_TRUE(link.DeleteItem("Planner"));
    EXPECT_FALSE(link.ItemExists("Stellum", "Planner"));
    EXPECT_TRUE(link.DeleteGroup("Stellum"));
    EXPECT_EQ(Groups(link), before);
    EXPECT_FALSE(link.DeleteGroup("Stellum"));
    link.Disconnect(false);
    EXPECT_FALSE(link.CreateGroup("After")) << "no conversation";
}

TEST_F(Progman, ClientChoosesTheLink)
{
    ProgmanClient& client = ProgmanClient::Instance();
    // Windows 95 family without Program Manager: shell links, nothing started.
    SetPlatform(fw::kPlatformWin32Windows);
    ASSERT_TRUE(client.Connect());
    EXPECT_TRUE(dynamic_cast<ShellFolderLink*>(client.Link()));
    EXPECT_FALSE(fw::ProgmanStore::Running());
    client.Disconnect(true);

    // NT without Program Manager: started, and closed again at the last disconnection.
    SetPlatform(fw::kPlatformWin32NT);
    ASSERT_TRUE(client.Connect());
    ASSERT_TRUE(client.Connect());
    EXPECT_TRUE(dynamic_cast<ProgmanDdeLink*>(client.Link()));
    EXPECT_TRUE(client.StartedShell());
    EXPECT_TRUE(fw::ProgmanStore::Running());
    client.Disconnect(true);
    EXPECT_TRUE(fw::ProgmanStore::Running());
    client.Disconnect(true);
    EXPECT_FALSE(fw::ProgmanStore::Running());
    EXPECT_EQ(client.Link(), nullptr);

    // Program Manager already running: used, and left running.
    fw::ProgmanStore::SetRunning(true);
    ASSERT_TRUE(client.Connect());
    EXPECT_FALSE(client.StartedShell());
    client.Disconnect(true);
    EXPECT_TRUE(fw::ProgmanStore::Running());
}

TEST_F(Progman, ShellLinksAreReadBackAndExportedAsValidDesktopEntries)
{
    testsupport::TempDir data;
    const testsupport::ScopedEnv dataHome("XDG_DATA_HOME", data.path());
    fw::ShellLink::SetDesktopExport(true);

    ShellFolderLink link;
    ASSERT_TRUE(link.Connect(false));
    const std::string before = Groups(link);
    ASSERT_TRUE(link.CreateGroup("Stellum 4"));
    ASSERT_TRUE(link.AddItem("Stellum Planner", "C:\\STELLUM\\STLM32.EXE Sample.sl4", "", 0, "C:\\STELLUM"));
    ProgmanItem item;
    ASSERT_TRUE(link.GetItem("Stellum 4", "Stellum Planner", item));
    EXPECT_STREQ(item.commandLine, "C:\\STELLUM\\STLM32.EXE Sample.sl4");
    EXPECT_STREQ(item.name, "Stellum Planner");
    EXPECT_TRUE(link.ItemExists("Stellum 4", "Stellum Planner"));

    std::string programs = ShellFolderLink::ProgramsFolder();
    std::string entry = fw::ShellLink::DesktopEntryPath(programs + "\\Stellum 4\\Stellum Planner.lnk");
    std::string text = testsupport::ReadFileBytes(entry);
    ASSERT_FALSE(text.empty()) << entry;
    EXPECT_NE(text.find("Name=Stellum Planner\n"), std::string::npos) << text;
    EXPECT_NE(text.find("/drive_c/"), std::string::npos) << text;

    QString validate = QStandardPaths::findExecutable("desktop-file-validate");
    if (validate.isEmpty()) {
        if (testsupport::InCi()) ADD_FAILURE() << "desktop-file-validate missing (desktop-file-utils)";
    } else {
        QProcess p;
        p.start(validate, {QString::fromStdString(entry)});
        ASSERT_TRUE(p.waitForFinished(20000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardOutput().toStdString() << text;
        EXPECT_EQ(p.readAllStandardOutput().toStdString(), "");
    }

    EXPECT_TRUE(link.DeleteItem("Stellum Planner"));
    EXPECT_TRUE(testsupport::ReadFileBytes(entry).empty());
    EXPECT_TRUE(link.DeleteGroup("Stellum 4"));
    EXPECT_EQ(Groups(link), before);
}

} // namespace
