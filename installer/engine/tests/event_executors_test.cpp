// The events that work on variables, files, INI files and the registry, run through the
// script's event loop on a fresh emulated root: what each stores, and when each fails.
#include "installer/engine/EngineStrings.h"
#include "installer/engine/EventExecutors.h"
#include "installer/engine/EventFactory.h"
#include "installer/engine/InstallOperations.h"
#include "installer/engine/ScriptInstaller.h"
#include "installer/engine/tests/ScriptEvents.h"

#include "framework/gui/MessageBox.h"
#include "framework/testsupport/RootFixture.h"
#include "installer/support/OsInfo.h"
#include "installer/support/RegKey.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace kw;

namespace {

class Executors : public RootFixture {
protected:
    void SetUp() override
    {
        RootFixture::SetUp();
        RegisterEngineStrings();
        RegisterEventFactories();
        GetOsInfo().Detect();
        InstallOperations::SetReportHook([this](const std::string& text) { reports.push_back(text); });
        context.operations = &ops;
        context.programDirectory = "C:\\SETUP";
        context.commandLine = "  /quiet  C:\\Target ";
        installer.SetProject(std::make_unique<ScriptProject>());
        RegisterDirectExecutors(installer, context);
    }
    // Runs one event with its texts and ints; its success.
    bool Run(int code, std::vector<std::string> texts, std::vector<int> ints = {})
    {
        return RunEvent(installer, code, texts, ints);
    }
    std::string Text(const char* name) { return StringVariable(installer, name); }
    int Int(const char* name) { return IntVariable(installer, name); }
    bool Put(const std::string& rel, const std::string& bytes)
    {
        std::filesystem::create_directories(std::filesystem::path(C(rel)).parent_path());
        return Write(rel, bytes);
    }

    fw::ScriptedMessageBoxes boxes;
    std::vector<std::string> reports;
    InstallOperations ops;
    ExecutorContext context;
    ScriptInstaller installer;
};

TEST_F(Executors, VariablesTextsAndNumbers)
{
    ASSERT_TRUE(Run(19, {"d", "C:\\Stellum"}));
    ASSERT_TRUE(Run(19, {"user", "$d\\User"}));
    EXPECT_EQ(Text("user"), "C:\\Stellum\\User") << "texts are expanded";
    ASSERT_TRUE(Run(20, {"n", "6 * 7"}));
    EXPECT_EQ(Int("n"), 42);
    ASSERT_TRUE(Run(25, {"t", "n + 1"}));
    EXPECT_EQ(Text("t"), "43");

    const struct {
        const char* text;
        bool ok;
        int value;
    } numbers[] = {{"12", true, 12}, {" -7 ", true, -7}, {"12x", false, 0}, {"", false, 0}, {"1 2", false, 0}};
    for (const auto& c : numbers) {
        SCOPED_TRACE(c.text);
        *installer.IntVariable("v", true) = 0;
        EXPECT_EQ(Run(26, {"v", c.text}), c.ok);
        EXPECT_EQ(Int("v"), c.value);
    }
    ASSERT_GE(boxes.Count(), 1);
    EXPECT_EQ(boxes.Calls()[0].text, "Unable to convert 12x to integer");

    ASSERT_TRUE(Run(21, {"Stellum", "STELLUM", "same"}, {0}));
    EXPECT_EQ(Int("same"), 0) << "without letter case";
    ASSERT_TRUE(Run(21, {"Stellum", "STELLUM", "same"}, {1}));
    EXPECT_NE(Int("same"), 0) << "with letter case";
    ASSERT_TRUE(Run(21, {"a", "B", "same"}, {0}));
    EXPECT_EQ(Int("same"), -1);

    ASSERT_TRUE(Run(27, {"C:\\Stellum\\User\\Sample.log", "dpart", "fpart"}));
    EXPECT_EQ(Text("dpart"), "C:\\Stellum\\User");
    EXPECT_EQ(Text("fpart"), "Sample.log");

    ASSERT_TRUE(Run(51, {"argc"}));
    EXPECT_EQ(Int("argc"), 2);
    ASSERT_TRUE(Run(52, {"arg", "1"}));
    EXPECT_EQ(Text("arg"), "C:\\Target");
    EXPECT_FALSE(Run(52, {"arg", "2"}));
    EXPECT_EQ(boxes.Last().text, "No argument at 2");
    // A word longer than a text variable holds is refused, not cut; the variable keeps its text.
    context.commandLine = "/quiet " + std::string(300, 'w');
    EXPECT_FALSE(Run(52, {"arg", "1"}));
    EXPECT_EQ(boxes.Last().text, "Text too long for variable arg");
    EXPECT_EQ(Text("arg"), "C:\\Target");
    context.commandLine = "  /quiet  C:\\Target ";
    ASSERT_TRUE(Run(16, {"prog"}));
    EXPECT_EQ(Text("prog"), "C:\\SETUP");
}

TEST_F(Executors, FilesAndDirectories)
{
    ASSERT_TRUE(Put("A/f.txt", "f"));
    EXPECT_TRUE(Run(42, {"C:\\A\\missing.txt", "C:\\B\\x.txt"})) << "a missing source is no work";
    EXPECT_FALSE(std::filesystem::exists(C("B")));
    EXPECT_TRUE(Run(47, {"C:\\B\\C\\D"}));
    EXPECT_TRUE(std::filesystem::is_directory(C("B/C/D")));
    EXPECT_TRUE(Run(42, {"C:\\A\\f.txt", "C:\\B\\f.txt"}));
    EXPECT_EQ(Read("B/f.txt"), "f");
    EXPECT_TRUE(Run(44, {"C:\\B\\f.txt"}));
    EXPECT_TRUE(Run(44, {"C:\\B\\none.txt"})) << "nothing to back up";
    int copies = 0;
    for (auto& entry : std::filesystem::directory_iterator(C("B")))
        copies += entry.is_regular_file() && testsupport::ReadFileBytes(entry.path().string()) == "f";
    EXPECT_EQ(copies, 2) << "the file and its back-up";
    EXPECT_TRUE(Run(43, {"C:\\B\\f.txt"}));
    EXPECT_FALSE(std::filesystem::exists(C("B/f.txt")));
    EXPECT_TRUE(reports.empty()) << reports.front();
}

TEST_F(Executors, RegistryValuesOfEveryKindAndIniReads)
{
    const RegKey key(1, "Software\\Stellum");
    ASSERT_TRUE(Put("data.bin", std::string("\x01\x02\x03", 3)));
    const struct {
        int kind;
        const char* data;
        bool ok;
        std::uint32_t type;
        std::string bytes;
    } cases[] = {
        {0, "C:\\Stellum", true, 1, std::string("C:\\Stellum\0", 11)},
        {2, "40 + 2", true, 4, std::string("\x2a\0\0\0", 4)},
        {3, "0a,FF", true, 3, std::string("\x0a\xff", 2)},
        {3, "0a,FG", false, 0, ""},
        {4, "C:\\data.bin", true, 3, std::string("\x01\x02\x03", 3)},
        {4, "C:\\missing.bin", false, 0, ""},
        {5, "one", true, 7, std::string("one\0\0", 5)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.data);
        EXPECT_EQ(Run(6, {"Software\\Stellum", "v", c.data}, {1, c.kind}), c.ok);
        if (!c.ok) continue;
        RegKey k(key);
        std::uint32_t type = 0, size = 0;
        std::unique_ptr<unsigned char[]> data(k.QueryValue("v", type, size));
        ASSERT_TRUE(data);
        EXPECT_EQ(type, c.type);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(data.get()), size), c.bytes);
    }

    ASSERT_TRUE(Run(6, {"Software\\Stellum", "Path", "C:\\Stellum"}, {1, 0}));
    ASSERT_TRUE(Run(24, {"Software\\Stellum", "Path", "found", "value"}, {1}));
    EXPECT_EQ(Int("found"), 1);
    EXPECT_EQ(Text("value"), "C:\\Stellum");
    ASSERT_TRUE(Run(6, {"Software\\Stellum", "Count", "7"}, {1, 2}));
    ASSERT_TRUE(Run(24, {"Software\\Stellum", "Count", "found", "value"}, {1}));
    EXPECT_EQ(Text("value"), "7") << "a number read as text";
    ASSERT_TRUE(Run(24, {"Software\\Stellum", "Nothing", "found", "value"}, {1}));
    EXPECT_EQ(Int("found"), 0);

    ASSERT_TRUE(Put("WINDOWS/app.ini", "[Start]\nmode=2\n"));
    ASSERT_TRUE(Run(23, {"C:\\WINDOWS", "app.ini", "Start", "mode", "exist", "value"}));
    EXPECT_EQ(Int("exist"), 1);
    EXPECT_EQ(Text("value"), "2");
    ASSERT_TRUE(Run(23, {"C:\\WINDOWS", "app.ini", "Start", "none", "exist", "value"}));
    EXPECT_EQ(Int("exist"), 0);
}

} // namespace
