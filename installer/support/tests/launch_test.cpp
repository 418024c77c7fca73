// Starting programs through the machine's drive map and waiting for them or their windows.
#include "framework/gui/MessageBox.h"
#include "framework/sys/Process.h"
#include "framework/sys/WinFileSystem.h"
#include "framework/testsupport/RootFixture.h"
#include "framework/testsupport/TestSupport.h"
#include "installer/support/Launch.h"

#include <sys/stat.h>

#include <cstdlib>
#include <string>
#include <vector>

using namespace kw;

namespace {

class Launching : public RootFixture {
protected:
    // A helper program on drive C: (a shell script).
    void Helper(const char* name, const std::string& body)
    {
        std::string rel = std::string("TOOLS/") + name;
        fw::WinFileSystem::CreateDirectory("C:\\TOOLS");
        ASSERT_TRUE(Write(rel, "#!/bin/sh\n" + body + "\n"));
        ::chmod(C(rel).c_str(), 0755);
    }
    LaunchRequest Request(const char* command)
    {
        LaunchRequest r;
        EXPECT_TRUE(r.SetCommand(command));
        return r;
    }
};

TEST_F(Launching, ExitCodeComesBackAndThePriorityIsRestored)
{
    Helper("EXIT3.EXE", "exit 3");
    Helper("ARGS.EXE", "[ \"$1\" = \"two words\" ] && [ \"$2\" = x ] && [ \"$(pwd)\" = \"" + C("TOOLS") +
                           "\" ] && exit 7; exit 1");
    int before = ThreadPriority();
    int code = -1;
    EXPECT_TRUE(LaunchAndWait(Request("c:\\tools\\exit3.exe"), &code));
    EXPECT_EQ(code, 3);
    EXPECT_EQ(ThreadPriority(), before);
    ASSERT_TRUE(fw::WinFileSystem::SetCurrentDirectory("C:\\TOOLS"));
    EXPECT_TRUE(LaunchAndWait(Request("C:\\TOOLS\\ARGS.EXE \"two words\" x"), &code));
    EXPECT_EQ(code, 7);
    EXPECT_FALSE(LaunchAndWait(Request("C:\\TOOLS\\MISSING.EXE"), &code));
    EXPECT_EQ(ThreadPriority(), before);
    EXPECT_TRUE(LaunchProgram(Request("C:\\TOOLS\\EXIT3.EXE")));
}

TEST_F(Launching, AProgramOfTheMachineIsToldItsRoot)
{
    // Whatever the installer's own environment says, a program it starts works on its machine.
    const testsupport::ScopedEnv winRoot("STELLUM_WINROOT", "/elsewhere");
    Helper("ROOT.EXE", "[ \"$STELLUM_WINROOT\" = \"" + root.HostRoot() + "\" ] && exit 5; exit 1");
    int code = -1;
    EXPECT_TRUE(LaunchAndWait(Request("C:\\TOOLS\\ROOT.EXE"), &code));
    EXPECT_EQ(code, 5);
}

TEST_F(Launching, DocumentsOpenThroughTheShell)
{
    std::vector<std::string> opened;
    fw::Responder<fw::ShellOpenSeam> shell([&](const std::string& doc, int) {
        opened.push_back(doc);
        return 0;
    });
    LaunchRequest r = Request("C:\\STELLUM\\README.TXT");
    r.shellOpen = true;
    int code = -1;
    EXPECT_TRUE(LaunchAndWait(r, &code));
    EXPECT_EQ(opened, std::vector<std::string>{"C:\\STELLUM\\README.TXT"});
    EXPECT_EQ(code, 0);
}

TEST_F(Launching, WindowWaitEndsWhenTheWindowCameAndWentOrTheProgramEnded)
{
    Helper("SLEEP.EXE", "sleep 0.3");
    Helper("FOREVER.EXE", "exec sleep 3");
    // The window shows on the third look and is gone on the sixth; the program lives on.
    int looks = 0;
    fw::Responder<WindowFinderSeam> windows([&](const std::string& cls, const std::string&) {
        EXPECT_EQ(cls, "SetupWindow");
        ++looks;
        return looks >= 3 && looks < 6;
    });
    EXPECT_TRUE(LaunchAndWaitForWindow(Request("C:\\TOOLS\\FOREVER.EXE"), "SetupWindow", ""));
    EXPECT_EQ(looks, 6);

    // A program that never shows the window does not keep the installer waiting.
    fw::Responder<WindowFinderSeam> never([](const std::string&, const std::string&) { return false; });
    EXPECT_TRUE(LaunchAndWaitForWindow(Request("C:\\TOOLS\\SLEEP.EXE"), "SetupWindow", ""));

    // Nor does one that lives on without showing it, once the time-out has passed.
    uint32_t tick = 0;
    root.SetTickSource([&] { return tick += 50; });
    EXPECT_TRUE(LaunchAndWaitForWindow(Request("C:\\TOOLS\\FOREVER.EXE"), "SetupWindow", "", 2000));
}

TEST(LaunchRequest, LongCommandLinesAreRefused)
{
    fw::ScriptedMessageBoxes boxes;
    LaunchRequest r;
    EXPECT_TRUE(r.SetCommand(std::string(1023, 'a').c_str()));
    EXPECT_FALSE(r.SetCommand(std::string(1024, 'a').c_str()));
    EXPECT_EQ(boxes.Count(), 1);
    EXPECT_EQ(fw::Process::SplitCommandLine("\"C:\\a b\\x.exe\"  -q \"\" z"),
              (std::vector<std::string>{"C:\\a b\\x.exe", "-q", "", "z"}));
}

} // namespace
