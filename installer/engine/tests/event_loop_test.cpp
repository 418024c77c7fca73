// Running the script's events: log state, selection, condition, build style, dispatch by code
// and the sequence result.
#include "installer/engine/EventFactory.h"
#include "installer/engine/ScriptInstaller.h"

#include "framework/gui/MessageBox.h"
#include "framework/testsupport/RootFixture.h"

#include <filesystem>

#include <gtest/gtest.h>

using namespace kw;

namespace {

struct StateSink : LogSink {
    std::vector<int> states;
    void SetState(int s) override { states.push_back(s); }
};

struct EventLoop : ::testing::Test {
    fw::ScriptedMessageBoxes boxes;
    ScriptInstaller installer;
    StateSink sink;
    std::vector<int> ran;    // codes of the events that reached their executor
    std::vector<int> gauge;

    void SetUp() override
    {
        RegisterEventFactories();
        installer.SetProject(std::make_unique<ScriptProject>());
        installer.SetLogSink(&sink);
        installer.SetGaugeHook([this](int size) { gauge.push_back(size); });
        for (int code = 0; code < kEventCodeCount; ++code)
            installer.SetExecutor(code, [this](ScriptEvent& e, ScriptInstaller&, int&) {
                ran.push_back(e.TypeCode());
                return true;
            });
    }
    ScriptEvent& Add(int code, const char* condition = "1", int logState = 0, int selection = 0)
    {
        auto e = FindEventFactory(code)->Create();
        e->condition.Assign(condition);
        e->logState = logState;
        e->selection = selection;
        installer.Project()->events.push_back(std::move(e));
        installer.Selection().push_back(1);
        return *installer.Project()->events.back();
    }
};

TEST_F(EventLoop, ConditionsSelectionAndLogStates)
{
    *installer.IntVariable("yes", true) = 1;
    Add(19, "1", 1);
    Add(20, "nope == 1", 0, 1);   // deselected: its condition is never looked at
    Add(25, "yes && 0", 2);
    Add(26, "yes", 0, 1);         // selected
    installer.Selection()[1] = 0;
    installer.SetEndCode(4);
    EXPECT_EQ(installer.RunEvents(), 4);
    EXPECT_EQ(ran, (std::vector<int>{19, 26}));
    EXPECT_EQ(sink.states, (std::vector<int>{1, 0, 2, 0}));
    EXPECT_EQ(boxes.Count(), 0);
}

TEST_F(EventLoop, ConditionErrorsAndFailedEventsEndTheSequence)
{
    struct Case { const char* condition; int result; const char* message; } cases[] = {
        {"", 1, "Syntax error in expression "},
        {"a/0", 1, "Unknown variable in expression a/0"},
        {"missing", 1, "Unknown variable in expression missing"},
    };
    for (const Case& c : cases) {
        installer.Project()->events.clear();
        installer.Selection().clear();
        ran.clear();
        boxes.Clear();
        *installer.IntVariable("a", true) = 1;
        Add(19);
        Add(20, c.condition);
        Add(25);
        EXPECT_EQ(installer.RunEvents(), c.result) << c.condition;
        EXPECT_EQ(ran, std::vector<int>{19}) << c.condition;
        ASSERT_EQ(boxes.Count(), 1) << c.condition;
        EXPECT_EQ(boxes.Last().text, c.message);
    }
    // An executor's failure ends the run with the result it set.
    installer.Project()->events.clear();
    installer.Selection().clear();
    ran.clear();
    Add(8);
    Add(19);
    installer.SetExecutor(8, [](ScriptEvent&, ScriptInstaller&, int& result) {
        result = 2;
        return false;
    });
    EXPECT_EQ(installer.RunEvents(), 2);
    EXPECT_TRUE(ran.empty());
}

TEST_F(EventLoop, SkippedFileGroupsStillMoveTheGauge)
{
    ScriptEvent& group = Add(3, "0");
    group.Files().resize(2);
    for (FileEntry& f : group.Files()) {
        f.installedSize = 3 * 1024 + 1000;
        f.flags = FileEntry::kInstalledSize;
    }
    ScriptEvent& transfer = Add(3, "0");
    transfer.Int(0) = 2; // one transfer counts 0
    Add(3, "1");
    // A group that the component selection left out moves the gauge as well.
    ScriptEvent& deselected = Add(3, "1");
    deselected.selection = 1;
    deselected.Files().push_back(group.Files()[0]);
    installer.Selection().assign(installer.Project()->events.size(), 1);
    installer.Selection().back() = 0;
    EXPECT_EQ(installer.RunEvents(), 0);
    EXPECT_EQ(gauge, (std::vector<int>{6, 0, 3}));
    EXPECT_EQ(ran, std::vector<int>{3});
}

TEST_F(EventLoop, BuildStylesDecideWhereBuildEventsGo)
{
    Add(9);
    Add(10);
    Add(19);
    // Building mode 0: the build step is not interpretable and is skipped with a notice; the
    // code-10 event is dispatched and, without an executor of its own (the start-up file
    // merge registers one), has no service on the install side.
    installer.SetExecutor(10, nullptr);
    EXPECT_EQ(installer.RunEvents(), 0);
    EXPECT_EQ(ran, std::vector<int>{19});
    ASSERT_EQ(boxes.Count(), 2);
    EXPECT_EQ(boxes.Calls()[0].text, "An uninterpretible event is being skipped");
    EXPECT_EQ(boxes.Calls()[1].text.rfind("Check failed", 0), 0u);
    installer.SetExecutor(10, [this](ScriptEvent& e, ScriptInstaller&, int&) {
        ran.push_back(e.TypeCode());
        return true;
    });
    ran.clear();
    boxes.Clear();
    EXPECT_EQ(installer.RunEvents(), 0);
    EXPECT_EQ(ran, (std::vector<int>{10, 19})) << "with an executor code 10 reaches it";
    boxes.Clear();

    // A non-zero building mode hands build events to the build tool: none reach an executor.
    ran.clear();
    boxes.Clear();
    installer.Project()->build.styles.resize(1);
    installer.Project()->build.styles[0].values[7] = 1;
    installer.Project()->build.currentStyle = 0;
    EXPECT_EQ(installer.RunEvents(), 0);
    EXPECT_EQ(ran, std::vector<int>{19});
    EXPECT_EQ(boxes.Count(), 0);
}

TEST_F(EventLoop, CodesWithoutACaseCountAsDone)
{
    // Code 2 has a case only while an executor serves it; 19 here has none either.
    for (int code : {2, 19}) {
        Add(code);
        installer.SetExecutor(code, nullptr);
    }
    EXPECT_EQ(installer.RunEvents(), 0);
    EXPECT_TRUE(ran.empty());
    EXPECT_EQ(boxes.Count(), 2); // one check failure each
}

} // namespace

namespace {

struct InstallerVariables : RootFixture {};

TEST_F(InstallerVariables, TextsAreBoundedAndReportedOnce)
{
    fw::ScriptedMessageBoxes boxes;
    ScriptInstaller installer;
    installer.SetSourcePath("D:\\disk001");
    EXPECT_TRUE(installer.SetStringVariable("x", std::string(255, 'x').c_str()));
    EXPECT_FALSE(installer.SetStringVariable("x", std::string(256, 'y').c_str()));
    EXPECT_EQ(std::string(installer.StringVariable("x")), std::string(255, 'x'));
    EXPECT_FALSE(installer.SetStringVariable("bad name", "v"));
    ASSERT_EQ(boxes.Count(), 2);
    EXPECT_EQ(boxes.Calls()[0].text, "Text too long for variable x");

    installer.SetStringVariable("x", "mid");
    char out[16];
    EXPECT_TRUE(installer.ExpandText("$s\\$x", out, sizeof out));
    EXPECT_STREQ(out, "D:\\disk001\\mid");
    EXPECT_FALSE(installer.ExpandText("$s\\$x\\more", out, sizeof out));
    EXPECT_EQ(boxes.Last().text, "Text too long in expression $s\\$x\\more");

    std::filesystem::create_directories(C("prog"));
    std::string path;
    ASSERT_TRUE(installer.OpenStringsFile("first;$x;;last", "C:\\prog", path));
    EXPECT_EQ(path, "C:\\prog\\strs");
    EXPECT_EQ(Read("prog/strs"), "first\nmid\n\nlast\n");
}

} // namespace
