// The installer's dialogs on a fresh emulated machine with the English language package: the
// prompt for a string in its three kinds, the user-name dialog with its bound fields, the
// component selection with its option tree, the drive classes and free-space lines, the file
// dialog, the repeat after Cancel, and pictures of the dialogs for a person to look at.
#include "installer/engine/ComponentDialog.h"
#include "installer/engine/EngineStrings.h"
#include "installer/engine/InstallDialogs.h"
#include "installer/engine/InstallFileDialog.h"
#include "installer/engine/OptionTree.h"
#include "installer/engine/PromptDialog.h"
#include "installer/engine/ScriptEvent.h"
#include "installer/engine/UserNameDialog.h"
#include "installer/engine/tests/InstallerDialogFixture.h"

#include "framework/gui/DocTemplate.h"
#include "framework/gui/FileDialog.h"
#include "framework/gui/MessageBox.h"
#include "framework/gui/RecordingDC.h"
#include "framework/sys/ProgmanStore.h"
#include "framework/sys/WinFileSystem.h"
#include "framework/testsupport/RootFixture.h"
#include "framework/testsupport/Snapshot.h"
#include "installer/support/DialogBox.h"
#include "installer/support/FilePath.h"
#include "installer/support/InstallerGauge.h"
#include "installer/support/LanguageLibrary.h"
#include "installer/support/MessageBoxDialog.h"
#include "installer/support/PathBuffer.h"
#include "installer/support/ResString.h"

#include <QApplication>
#include <QComboBox>
#include <QScrollBar>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

using namespace kw;

namespace {

class InstallDialogs : public InstallerDialogFixture {
protected:
    // Each showing of a dialog runs the next step (the last one again when they run out); the
    // step ends the dialog through its commands, as the user's clicks would.
    void Drive(std::vector<std::function<void(Dialog&)>> steps)
    {
        steps_ = std::move(steps);
        shown.clear();
    }

    std::vector<std::string> shown;

private:
    std::vector<std::function<void(Dialog&)>> steps_;
    fw::Responder<DialogSeam> dialogs_{[this](Dialog& d, const std::string& name) {
        shown.push_back(name);
        if (!steps_.empty()) steps_[std::min(shown.size(), steps_.size()) - 1](d);
        return -1;
    }};
};

// ---- drive classes and free space ----------------------------------------------------------

TEST_F(InstallDialogs, DriveClassesAndFreeSpaceLines)
{
    const struct {
        char letter;
        fw::DriveType type;
        long long units; // of 10 KB free
        int cls;
    } drives[] = {
        {'C', fw::DriveType::Fixed, 1234, 1},     {'A', fw::DriveType::Removable, 4095, 0},
        {'B', fw::DriveType::Removable, 4096, 2}, {'F', fw::DriveType::Remote, 50, 3},
        {'G', fw::DriveType::CdRom, 0, 4},
    };
    for (const auto& d : drives) {
        if (d.letter != 'C') {
            ASSERT_TRUE(root.AddDrive(d.letter, d.type));
        }
        root.SetForcedFreeSpace(d.letter, d.units * 10240);
    }
    for (const auto& d : drives) {
        SCOPED_TRACE(d.letter);
        EXPECT_EQ(DriveClass(d.letter), d.cls);
        EXPECT_EQ(DriveClass(static_cast<char>(d.letter + 'a' - 'A')), d.cls) << "either letter case";
    }
    EXPECT_EQ(DriveClass('q'), 0) << "no such drive";

    const struct {
        long long units;
        const char* line;
    } lines[] = {
        {1234, "C:    12Mb +   52Kb"}, // 12,340 KB
        {0, "C:     0Mb +    0Kb"},
        {4096, "C:    40Mb +    0Kb"},
        {1000000, "C:  9765Mb +  640Kb"},
    };
    for (const auto& l : lines) EXPECT_EQ(FreeSpaceLine('c', l.units), l.line);
}

// ---- prompt for a string -------------------------------------------------------------------

TEST_F(InstallDialogs, PromptForTextShowsItsTextsAndTakesTheField)
{
    PromptRequest request;
    request.initial = "Stellum";
    request.body = "Please enter a text string\r\nrequired by this program";
    request.caption = "Query";
    Drive({[&](Dialog& d) {
        EXPECT_EQ(d.Window()->windowTitle().toStdString(), "Query");
        EXPECT_EQ(d.ItemText(101), "Please enter a text string\nrequired by this program");
        EXPECT_EQ(d.ItemText(102), "Stellum");
        EXPECT_TRUE(d.Item(104)->isHidden()) << "no browse button for a plain text";
        EXPECT_FALSE(qobject_cast<QLabel*>(d.Item(105))->pixmap().isNull()) << "the installer's icon";
        d.Command(kCmdHelpContext);
        EXPECT_EQ(d.WindowWord0(), 0) << "the help context query answers the kind";
        d.Command(103);
        d.SetItemText(102, "Planner");
        d.Command(kCmdOk);
    }});
    ASSERT_TRUE(PromptForString(host, request));
    EXPECT_EQ(request.result, "Planner");
    EXPECT_EQ(shown, std::vector<std::string>{"DLGPROMPTSTR"});
    EXPECT_EQ(host.help, std::vector<int>{0});
    EXPECT_EQ(host.abortQuestions, 0);
}

TEST_F(InstallDialogs, CancelAsksToAbortAndARefusalShowsTheDialogAgainWithItsText)
{
    PromptRequest request;
    request.initial = "first";
    host.abortAnswers = {false, true};
    Drive({[&](Dialog& d) {
               d.SetItemText(102, "half typed");
               d.Command(kCmdCancel);
           },
           [&](Dialog& d) {
               EXPECT_EQ(d.ItemText(102), "half typed") << "the dialog comes back as it was";
               d.Command(kCmdCancel);
           }});
    EXPECT_FALSE(PromptForString(host, request));
    EXPECT_EQ(host.abortQuestions, 2);
    EXPECT_EQ(shown.size(), 2u);
    EXPECT_EQ(request.result, "");

    // Closing the window is a Cancel too; refusing to abort, then OK.
    host.abortAnswers = {false};
    Drive({[&](Dialog& d) { d.DialogProc(kMsgSysCommand, kScClose, 0); }, [&](Dialog& d) { d.Command(kCmdOk); }});
    EXPECT_TRUE(PromptForString(host, request));
    EXPECT_EQ(request.result, "first");
}

TEST_F(InstallDialogs, DirectoryPromptAsksOnlyWhenTheFullPathIsAnotherText)
{
    const struct {
        const char* typed;
        bool asks;
        const char* result;
    } cases[] = {
        {"c:\\stellum", false, "C:\\stellum"},  // letter case only
        {"C:", false, "C:\\"},                  // one character more: the drive's root
        {"C:\\Stellum\\", false, "C:\\Stellum"}, // a trailing backslash
        {"Stellum", true, "C:\\Stellum"},        // relative to the current directory
        {"C:\\A\\..\\Stellum", true, "C:\\Stellum"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        boxes.clear();
        PromptRequest request;
        request.kind = PromptRequest::kDirectory;
        Drive({[&](Dialog& d) {
            EXPECT_FALSE(d.Item(104)->isHidden()) << "the browse button";
            d.SetItemText(102, c.typed);
            boxAnswers = {1}; // No: the dialog stays
            d.Command(kCmdOk);
            EXPECT_EQ(d.Ended(), !c.asks);
            if (!c.asks) return;
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0].caption, ResText(139));
            EXPECT_EQ(boxes[0].icon, MessageBoxDialog::kIconQuestion);
            EXPECT_NE(boxes[0].text.find(c.result), std::string::npos) << boxes[0].text;
            EXPECT_NE(boxes[0].text.find(std::string("(you typed ") + c.typed + ")"), std::string::npos);
            boxAnswers = {0}; // Yes
            d.Command(kCmdOk);
        }});
        ASSERT_TRUE(PromptForString(host, request));
        EXPECT_EQ(boxes.size(), c.asks ? 2u : 0u);
        EXPECT_EQ(request.result, c.result);
    }
}

TEST_F(InstallDialogs, DirectoryPromptChecksSpaceAndMakesTheDirectory)
{
    root.SetForcedFreeSpace('C', 100 * 10240);
    PromptRequest request;
    request.kind = PromptRequest::kDirectory;
    request.checkSpace = 1;
    request.makeDirectory = 1;
    request.neededSpace = 101;
    request.initial = "C:\\Stellum\\Planner";
    host.abortAnswers = {false};
    Drive({[&](Dialog& d) {
               d.Command(kCmdOk);
               EXPECT_FALSE(d.Ended()) << "short of space: the dialog stays";
               ASSERT_EQ(reports.size(), 1u);
               EXPECT_NE(reports[0].find("1010 KB"), std::string::npos) << reports[0];
               EXPECT_FALSE(fw::WinFileSystem::Exists("C:\\Stellum"));
               d.Command(kCmdCancel);
           },
           [&](Dialog& d) {
               request.neededSpace = 100;
               d.Command(kCmdOk);
           }});
    ASSERT_TRUE(PromptForString(host, request));
    EXPECT_TRUE(fw::WinFileSystem::IsDirectory("C:\\Stellum\\Planner"));
    EXPECT_EQ(host.sink.changes, (std::vector<std::string>{"dir+ C:\\Stellum", "dir+ C:\\Stellum\\Planner"}))
        << "made through the operations, so logged";

    // An empty text is no directory.
    PromptRequest empty;
    empty.kind = PromptRequest::kDirectory;
    host.abortAnswers = {true};
    boxes.clear();
    Drive({[&](Dialog& d) {
        d.Command(kCmdOk);
        EXPECT_FALSE(d.Ended());
        d.Command(kCmdCancel);
    }});
    EXPECT_FALSE(PromptForString(host, empty));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, ResText(1));
}

TEST_F(InstallDialogs, DirectoryPromptBrowsesTheMachine)
{
    fw::WinFileSystem::CreateDirectory("C:\\Astro");
    PromptRequest request;
    request.kind = PromptRequest::kDirectory;
    request.caption = "Install into";
    request.initial = "C:\\Astro";
    fw::ScriptedFileDialogs files({C("Astro/Data/readme.txt"), C("Astro"), "/elsewhere/x.txt"});
    Drive({[&](Dialog& d) {
        d.Command(104);
        EXPECT_EQ(d.ItemText(102), "C:\\Astro\\Data") << "the directory of the chosen name";
        d.Command(104);
        EXPECT_EQ(d.ItemText(102), "C:\\Astro") << "a directory chosen whole";
        d.Command(104);
        EXPECT_EQ(d.ItemText(102), "C:\\Astro") << "a choice off the machine changes nothing";
        d.Command(kCmdCancel);
    }});
    EXPECT_FALSE(PromptForString(host, request));
    ASSERT_EQ(files.Count(), 3);
    EXPECT_EQ(files.Requests()[0].title, "Install into");
    EXPECT_EQ(files.Requests()[0].directory, C("Astro")) << "the machine's directory as the host has it";
    ASSERT_EQ(files.Requests()[0].filters.size(), 1u);
    EXPECT_EQ(files.Requests()[0].filters[0].description, "All File");
    EXPECT_EQ(files.Requests()[0].filters[0].patterns, "*.*");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find("/elsewhere/x.txt"), std::string::npos);
}

TEST_F(InstallDialogs, FileDialogTranslatesBetweenTheMachineAndTheHost)
{
    ASSERT_TRUE(root.AddDrive('D', fw::DriveType::Fixed));
    EXPECT_EQ(InstallFileDialog::ToMachinePath(C("A/b.txt")), "C:\\A\\b.txt");
    EXPECT_EQ(InstallFileDialog::ToMachinePath(rootDir + "/drive_d"), "D:\\");
    EXPECT_EQ(InstallFileDialog::ToMachinePath(C("A/../../drive_d/x")), "D:\\x") << "cleaned before it is placed";
    EXPECT_EQ(InstallFileDialog::ToMachinePath(rootDir + "/drive_c_other/x"), "");
    EXPECT_EQ(InstallFileDialog::ToMachinePath("/etc/passwd"), "");
    EXPECT_EQ(InstallFileDialog::ToMachinePath("c:/a/b"), "C:\\a\\b");

    InstallFileDialog save;
    save.AddFilter("Planner files", "*.sl4");
    save.SetDefaultExtension("sl4");
    save.SetFileName("plan.sl4");
    fw::ScriptedFileDialogs files({C("plan.sl4"), C(std::string(130, 'x'))});
    PathBuffer out;
    ASSERT_TRUE(save.Run(nullptr, InstallFileDialog::kSave, out));
    EXPECT_STREQ(out.Text(), "C:\\plan.sl4");
    EXPECT_EQ(files.Requests()[0].kind, fw::FileDialogRequest::Save);
    EXPECT_NE(files.Requests()[0].flags & fw::dtOverwritePrompt, 0u);
    EXPECT_EQ(files.Requests()[0].filters[0].patterns, "*.sl4");
    EXPECT_EQ(files.Requests()[0].defaultExt, "sl4");
    EXPECT_FALSE(save.Run(nullptr, InstallFileDialog::kSave, out)) << "a name of 128 characters or more";
    EXPECT_STREQ(out.Text(), "C:\\plan.sl4");
    ASSERT_EQ(boxes.size(), 1u);
}

TEST_F(InstallDialogs, GroupPromptListsTheProgramGroups)
{
    fw::ProgmanStore::SetRunning(true);
    for (const char* g : {"Zeta", "alpha", "Beta"})
        ASSERT_TRUE(fw::ProgmanStore::Execute(std::string("[CreateGroup(\"") + g + "\")]"));
    PromptRequest request;
    request.kind = PromptRequest::kGroup;
    request.initial = "Astronomy";
    Drive({[&](Dialog& d) {
        EXPECT_TRUE(d.Item(102)->isHidden()) << "the list takes the edit's role";
        EXPECT_EQ(d.Item(106), nullptr) << "the placeholder is gone";
        auto* list = qobject_cast<QComboBox*>(d.Item(601));
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->count(), 3);
        EXPECT_EQ(list->itemText(0).toStdString(), "alpha") << "sorted ignoring case";
        EXPECT_EQ(list->itemText(1).toStdString(), "Beta");
        EXPECT_EQ(list->itemText(2).toStdString(), "Zeta");
        EXPECT_EQ(d.ItemText(601), "Astronomy");
        EXPECT_TRUE(d.Item(104)->isHidden());
        list->setCurrentIndex(1);
        d.Command(kCmdOk);
    }});
    ASSERT_TRUE(PromptForString(host, request));
    EXPECT_EQ(request.result, "Beta");
}

// ---- user name -----------------------------------------------------------------------------

TEST_F(InstallDialogs, UserNameIsCheckedAndCopiedBackOnOk)
{
    UserNameRecord record;
    std::strcpy(record.name, "Anne");
    std::strcpy(record.company, "Acme");
    Drive({[&](Dialog& d) {
        EXPECT_EQ(d.ItemText(101), ResText(14));
        EXPECT_EQ(d.ItemText(102), "Anne");
        EXPECT_EQ(d.ItemText(103), "Acme");
        EXPECT_FALSE(qobject_cast<QLineEdit*>(d.Item(102))->isReadOnly());
        Type(d, 102, "Ann");
        d.Command(kCmdOk);
        EXPECT_FALSE(d.Ended()) << "a name of three characters";
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, ResText(15));
        Type(d, 102, std::string(21, 'n'));
        d.Command(kCmdOk);
        EXPECT_FALSE(d.Ended()) << "a name of 21 characters";
        Type(d, 102, "Anne Smith");
        Type(d, 103, "");
        d.Command(kCmdHelpContext);
        EXPECT_EQ(d.WindowWord0(), 3);
        d.Command(104);
        d.Command(kCmdOk);
    }});
    ASSERT_TRUE(AskUserName(host, record));
    EXPECT_STREQ(record.name, "Anne Smith");
    EXPECT_STREQ(record.company, "") << "an empty company is allowed";
    EXPECT_EQ(host.help, std::vector<int>{3});
}

TEST_F(InstallDialogs, ReadOnlyUserNameEndsOnOkWithoutChecking)
{
    UserNameRecord record;
    std::strcpy(record.name, "ab");
    record.readOnly = true;
    Drive({[&](Dialog& d) {
        EXPECT_EQ(d.ItemText(101), ResText(13));
        EXPECT_TRUE(qobject_cast<QLineEdit*>(d.Item(102))->isReadOnly());
        EXPECT_TRUE(qobject_cast<QLineEdit*>(d.Item(103))->isReadOnly());
        Type(d, 102, "x"); // even a field that was entered is not read
        d.Command(kCmdOk);
    }});
    ASSERT_TRUE(AskUserName(host, record));
    EXPECT_TRUE(boxes.empty());
    EXPECT_STREQ(record.name, "ab");
}

TEST_F(InstallDialogs, TheNameFieldFocusedAtTheStartIsCheckedOnOk)
{
    // On the screen the name field has the focus from the start, which counts as entering it.
    UserNameRecord record;
    std::strcpy(record.name, "Anne Smith");
    host.abortAnswers = {true};
    Drive({[&](Dialog& d) {
        d.Window()->show();
        d.Window()->activateWindow();
        QApplication::processEvents();
        ASSERT_EQ(QApplication::focusWidget(), d.Item(102));
        qobject_cast<QLineEdit*>(d.Item(102))->setText("ab");
        d.Command(kCmdOk);
        EXPECT_FALSE(d.Ended()) << "the name was read and refused";
        d.Command(kCmdCancel);
    }});
    EXPECT_FALSE(AskUserName(host, record));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, ResText(15));
}

TEST_F(InstallDialogs, UserNameFieldsNeverPassTheirBuffers)
{
    struct Guarded {
        UserNameRecord record;
        char guard[16];
    } g;
    std::memset(g.guard, 0x5A, sizeof g.guard);
    std::strcpy(g.record.name, "Anne Smith");
    std::strcpy(g.record.company, "Acme");
    Drive({[&](Dialog& d) {
        auto* name = qobject_cast<QLineEdit*>(d.Item(102));
        auto* company = qobject_cast<QLineEdit*>(d.Item(103));
        EXPECT_EQ(name->maxLength(), UserNameRecord::kNameSize);
        EXPECT_EQ(company->maxLength(), UserNameRecord::kCompanySize)
            << "the range 0-2147483647 does not reach past the buffer";
        Type(d, 103, std::string(200, 'c'));
        EXPECT_EQ(company->text().size(), 80) << "the field holds one character more than fits";
        d.Command(kCmdOk);
        EXPECT_FALSE(d.Ended()) << "a text longer than its buffer is refused, not cut";
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, "This text is too long: at most 79 characters fit here.");
        EXPECT_EQ(boxes[0].caption, "Error");
        Type(d, 103, std::string(79, 'c'));
        d.Command(kCmdOk);
    }});
    ASSERT_TRUE(AskUserName(host, g.record));
    EXPECT_EQ(std::string(g.record.company), std::string(79, 'c'));
    for (char c : g.guard) EXPECT_EQ(c, 0x5A);
}

TEST_F(InstallDialogs, UserNameComesBackAfterACancelWithWhatWasTyped)
{
    UserNameRecord record;
    std::strcpy(record.name, "Anne Smith");
    host.abortAnswers = {false};
    Drive({[&](Dialog& d) {
               Type(d, 103, "Observatory");
               d.Command(kCmdCancel);
           },
           [&](Dialog& d) {
               EXPECT_EQ(d.ItemText(102), "Anne Smith");
               EXPECT_EQ(d.ItemText(103), "Observatory");
               d.Command(kCmdOk); // the company field was not entered this time, yet it is read
           }});
    ASSERT_TRUE(AskUserName(host, record));
    EXPECT_STREQ(record.company, "Observatory");
    EXPECT_EQ(host.abortQuestions, 1);

    host.abortAnswers = {true};
    Drive({[&](Dialog& d) {
        Type(d, 102, "Somebody Else");
        d.Command(kCmdCancel);
    }});
    EXPECT_FALSE(AskUserName(host, record));
    EXPECT_STREQ(record.name, "Anne Smith") << "a confirmed abort changes nothing";
}

// ---- components ----------------------------------------------------------------------------

// A script of six file groups (sizes 2000, 1000, 3000, 500, 1500 and 700 KB) and components:
//  0 Planner (event 0)           1 Catalogues: 2, 3           2 NGC (1)        3 Stars (2)
//  4 Charts, exclusive: 5, 6     5 Small charts (3)           6 Large charts (4), selected-when 0
//  7 Hidden (5), visible-when 0  8 Favourites: 2
class ComponentDialogs : public InstallDialogs {
protected:
    void SetUp() override
    {
        InstallDialogs::SetUp();
        auto project = std::make_unique<ScriptProject>();
        for (int kb : {2000, 1000, 3000, 500, 1500, 700}) {
            auto e = std::make_unique<FileGroupEvent>();
            FileEntry f;
            f.flags = FileEntry::kInstalledSize;
            f.installedSize = static_cast<uint32_t>(kb) << 10;
            e->Files().push_back(f);
            project->events.push_back(std::move(e));
        }
        auto add = [&](const char* caption, int kind, std::vector<uint32_t> events, std::vector<uint32_t> members) {
            Component c;
            c.kind = kind;
            c.caption.Assign(caption);
            c.description.Assign((std::string("About ") + caption).c_str());
            c.events = std::move(events);
            c.components = std::move(members);
            project->components.push_back(c);
            return &project->components.back();
        };
        add("$product planner", 1, {0}, {});
        add("Catalogues", 0, {}, {2, 3});
        add("NGC", 1, {1}, {});
        add("Stars", 1, {2}, {});
        add("Charts", 0, {}, {5, 6})->flags = Component::kExclusive;
        add("Small charts", 1, {3}, {});
        add("Large charts", 1, {4}, {})->selectedWhen.Assign("0");
        add("Hidden", 1, {5}, {})->visibleWhen.Assign("0");
        add("Favourites", 0, {}, {2});
        host.script.SetProject(std::move(project));
        host.script.SetStringVariable("product", "Stellum");
        host.script.Selection().assign(6, 1);
    }
    static std::vector<std::string> Texts(const OptionNodes& nodes)
    {
        std::vector<std::string> out;
        for (int n : nodes.Rows()) out.push_back(std::string(static_cast<std::size_t>(nodes.At(n).depth) * 2, ' ') + nodes.At(n).text);
        return out;
    }
    static int Find(const OptionNodes& nodes, const std::string& text, int which = 0)
    {
        for (int n = 0; n < nodes.Count(); ++n)
            if (nodes.At(n).text == text && which-- == 0) return n;
        return -1;
    }
};

TEST_F(ComponentDialogs, TheTreeFollowsTheComponentList)
{
    OptionNodes nodes = BuildComponentTree(host.script);
    EXPECT_EQ(Texts(nodes), (std::vector<std::string>{"Stellum planner", "Catalogues", "  NGC", "  Stars", "Charts",
                                                      "  Small charts", "  Large charts", "Favourites", "  NGC"}))
        << "groups follow their members; a member of two groups is in both; the hidden one is not";
    EXPECT_EQ(nodes.At(Find(nodes, "Stellum planner")).state, OptionNodes::kChecked);
    EXPECT_EQ(nodes.At(Find(nodes, "Large charts")).state, OptionNodes::kClear) << "selected-when 0";
    EXPECT_EQ(nodes.At(Find(nodes, "Charts")).state, OptionNodes::kPartly);
    EXPECT_TRUE(nodes.At(Find(nodes, "Charts")).exclusive);
    EXPECT_EQ(nodes.At(Find(nodes, "Catalogues")).state, OptionNodes::kChecked);

    // The selection array decides where no condition does.
    host.script.Selection()[2] = 0;
    nodes = BuildComponentTree(host.script);
    EXPECT_EQ(nodes.At(Find(nodes, "Stars")).state, OptionNodes::kClear);
    EXPECT_EQ(nodes.At(Find(nodes, "Catalogues")).state, OptionNodes::kPartly);

    EXPECT_EQ(ComponentSize(*host.script.Project(), 0), 2000);
    EXPECT_EQ(ComponentSize(*host.script.Project(), 1), 0) << "a group of components has no events";
}

TEST_F(ComponentDialogs, TogglingPartlyCheckedGroupsCopiesAndAlternatives)
{
    OptionNodes nodes = BuildComponentTree(host.script);
    const int catalogues = Find(nodes, "Catalogues"), ngc = Find(nodes, "NGC"), ngcCopy = Find(nodes, "NGC", 1);
    const int favourites = Find(nodes, "Favourites"), stars = Find(nodes, "Stars");

    // A member toggled: its copy follows and both groups are recomputed.
    ASSERT_TRUE(nodes.Toggle(ngc));
    EXPECT_EQ(nodes.At(ngc).state, OptionNodes::kClear);
    EXPECT_EQ(nodes.At(ngcCopy).state, OptionNodes::kClear);
    EXPECT_EQ(nodes.At(catalogues).state, OptionNodes::kPartly);
    EXPECT_EQ(nodes.At(favourites).state, OptionNodes::kClear);

    // A partly checked group does not toggle; a clear one ticks all its members.
    EXPECT_FALSE(nodes.Toggle(catalogues));
    ASSERT_TRUE(nodes.Toggle(favourites));
    EXPECT_EQ(nodes.At(ngc).state, OptionNodes::kChecked);
    EXPECT_EQ(nodes.At(catalogues).state, OptionNodes::kChecked);
    ASSERT_TRUE(nodes.Toggle(catalogues));
    EXPECT_EQ(nodes.At(stars).state, OptionNodes::kClear);
    EXPECT_EQ(nodes.At(ngcCopy).state, OptionNodes::kClear);

    // Alternatives: ticking one clears the other.
    const int small = Find(nodes, "Small charts"), large = Find(nodes, "Large charts"), charts = Find(nodes, "Charts");
    ASSERT_TRUE(nodes.Toggle(large));
    EXPECT_EQ(nodes.At(large).state, OptionNodes::kChecked);
    EXPECT_EQ(nodes.At(small).state, OptionNodes::kClear);
    EXPECT_EQ(nodes.At(charts).state, OptionNodes::kPartly);
    ASSERT_TRUE(nodes.Toggle(large));
    EXPECT_EQ(nodes.At(charts).state, OptionNodes::kClear) << "clearing the ticked one leaves none";

    // Into the selection array: events of cleared components off, the hidden one's kept.
    host.script.Selection()[5] = 0;
    WriteSelection(host.script, nodes);
    EXPECT_EQ(host.script.Selection(), (std::vector<int>{1, 0, 0, 0, 0, 0}));
}

TEST_F(ComponentDialogs, DisabledAndBoxlessNodesKeepTheirState)
{
    OptionNodes nodes;
    const int group = nodes.Add(-1, "Group", 0, OptionNodes::kEnabled);
    const int a = nodes.Add(group, "a", OptionNodes::kClear, OptionNodes::kEnabled);
    const int b = nodes.Add(group, "b", OptionNodes::kChecked, OptionNodes::kDisabled);
    const int note = nodes.Add(group, "note", OptionNodes::kClear, OptionNodes::kNoBox);
    nodes.Recompute();
    EXPECT_EQ(nodes.At(group).state, OptionNodes::kPartly) << "the note has no box and does not count";
    EXPECT_FALSE(nodes.Toggle(b)) << "a disabled node does not toggle";
    EXPECT_FALSE(nodes.Toggle(note));
    ASSERT_TRUE(nodes.Toggle(a));
    EXPECT_EQ(nodes.At(group).state, OptionNodes::kChecked);
    ASSERT_TRUE(nodes.Toggle(group));
    EXPECT_EQ(nodes.At(a).state, OptionNodes::kClear);
    EXPECT_EQ(nodes.At(b).state, OptionNodes::kChecked) << "the disabled member keeps its state";
    EXPECT_EQ(nodes.At(group).state, OptionNodes::kPartly);

    OptionNodes disabled;
    const int g = disabled.Add(-1, "g", 0, OptionNodes::kEnabled);
    disabled.Add(g, "x", OptionNodes::kClear, OptionNodes::kDisabled);
    disabled.Recompute();
    EXPECT_EQ(disabled.At(g).availability, OptionNodes::kDisabled) << "as its first member when none is enabled";
}

TEST_F(ComponentDialogs, AGroupCaughtInALoopIsLeftOut)
{
    fw::ScriptedMessageBoxes reportsShown;
    ScriptProject* p = host.script.Project();
    p->components.resize(2);
    p->components[0].kind = 0;
    p->components[0].components = {1};
    p->components[1].kind = 0;
    p->components[1].components = {0};
    p->components[0].caption.Assign("Loop A");
    OptionNodes nodes = BuildComponentTree(host.script);
    EXPECT_TRUE(nodes.Empty());
    EXPECT_EQ(reportsShown.Count(), 1) << "a check failure";
}

TEST_F(ComponentDialogs, TheDialogShowsSizesFreeSpaceAndWritesTheChoice)
{
    root.SetForcedFreeSpace('C', 1234 * 10240);
    ASSERT_TRUE(root.AddDrive('A', fw::DriveType::Removable));
    root.SetForcedFreeSpace('A', 4095 * 10240);
    ASSERT_TRUE(root.AddDrive('B', fw::DriveType::Removable));
    root.SetForcedFreeSpace('B', 4096 * 10240);
    ASSERT_TRUE(root.AddDrive('N', fw::DriveType::Remote));
    root.SetForcedFreeSpace('N', 100 * 10240);
    ASSERT_TRUE(root.AddDrive('R', fw::DriveType::CdRom));
    Drive({[&](Dialog& d) {
        EXPECT_EQ(d.ItemText(103), ResText(3));
        // All: 2000 + 1000 + 3000 + 500 + 1500 + 700; selected: all but the large charts.
        EXPECT_EQ(d.ItemText(106), "8700 K");
        EXPECT_EQ(d.ItemText(104), "7200 K");
        auto* gauge = dynamic_cast<Gauge*>(WindowSubclass::Of(d.Item(105)));
        ASSERT_NE(gauge, nullptr);
        EXPECT_EQ(gauge->Percent(), 82);
        EXPECT_EQ(d.ItemText(108), "B:    40Mb +    0Kb\nC:    12Mb +   52Kb\nN:     0Mb + 1000Kb")
            << "fixed, roomy removable and remote drives; 4095 units on a removable one are not listed";
        EXPECT_TRUE(d.Item(108)->font().family().contains("Courier") ||
                    d.Item(108)->font().styleHint() == QFont::TypeWriter);

        auto* tree = dynamic_cast<OptionTree*>(d.Item(101));
        ASSERT_NE(tree, nullptr);
        const std::vector<int> rows = tree->Nodes().Rows();
        // Row 0 is the planner: clicking its text shows its description, its box clears it.
        const fw::Rect box = tree->BoxRect(0);
        tree->Click(QPoint(tree->TextLeft(0) + 2, (box.top + box.bottom) / 2));
        EXPECT_EQ(d.ItemText(103), "About Stellum planner") << "the description, expanded";
        tree->Click(QPoint((box.left + box.right) / 2, (box.top + box.bottom) / 2));
        EXPECT_EQ(d.ItemText(104), "5200 K");
        EXPECT_EQ(gauge->Percent(), 59);
        d.Command(kCmdHelpContext);
        EXPECT_EQ(d.WindowWord0(), 12);
        d.Command(109);
        d.Command(kCmdOk);
    }});
    ASSERT_TRUE(SelectComponents(host));
    EXPECT_EQ(host.script.Selection(), (std::vector<int>{0, 1, 1, 1, 0, 1}));
    EXPECT_EQ(host.help, std::vector<int>{12});
}

TEST_F(ComponentDialogs, CancelThenRefusingTheAbortKeepsTheChoice)
{
    host.abortAnswers = {false, true};
    Drive({[&](Dialog& d) {
               auto* tree = dynamic_cast<OptionTree*>(d.Item(101));
               ASSERT_NE(tree, nullptr);
               const fw::Rect box = tree->BoxRect(0);
               tree->Click(QPoint(box.left + 6, box.top + 6));
               d.Command(kCmdCancel);
           },
           [&](Dialog& d) {
               auto* tree = dynamic_cast<OptionTree*>(d.Item(101));
               ASSERT_NE(tree, nullptr);
               EXPECT_EQ(tree->Nodes().At(tree->Nodes().Rows()[0]).state, OptionNodes::kClear);
               EXPECT_EQ(d.ItemText(104), "5200 K");
               d.Command(kCmdCancel);
           }});
    EXPECT_FALSE(SelectComponents(host));
    EXPECT_EQ(host.script.Selection(), std::vector<int>(6, 1)) << "nothing written after an abort";
}

// ---- the option tree's drawing and clicks --------------------------------------------------

TEST_F(InstallDialogs, OptionTreeDrawsBoxesCrossesGlyphsAndText)
{
    OptionNodes nodes;
    const int group = nodes.Add(-1, "Group", 0, OptionNodes::kEnabled);
    nodes.SetExpanded(group, true);
    nodes.Add(group, "checked", OptionNodes::kChecked, OptionNodes::kEnabled);
    nodes.Add(group, "disabled", OptionNodes::kClear, OptionNodes::kDisabled);
    const int closed = nodes.Add(-1, "Closed", 0, OptionNodes::kEnabled);
    nodes.Add(closed, "inner", OptionNodes::kChecked, OptionNodes::kEnabled);
    nodes.Add(-1, "note", OptionNodes::kClear, OptionNodes::kNoBox);
    nodes.Recompute();

    OptionTree tree;
    tree.resize(300, 200);
    tree.SetNodes(nodes);
    int focused = -2;
    tree.onFocus = [&](int n) { focused = n; };
    tree.SetFocused(1);
    EXPECT_EQ(focused, 1);
    ASSERT_EQ(tree.Nodes().Rows().size(), 5u) << "the closed group's member does not show";

    fw::RecordingDC dc(fw::Size(300, 200));
    tree.Draw(dc);
    const int h = tree.RowHeight();
    EXPECT_GE(h, 16);
    // Geometry of row 1 (depth 1): box 13 wide from 25 + 3, 6 above to 7 below the middle.
    const fw::Rect b = tree.BoxRect(1);
    EXPECT_EQ(b.left, 28);
    EXPECT_EQ(b.right, 41);
    EXPECT_EQ(b.top, h + h / 2 - 6);
    EXPECT_EQ(b.bottom, h + h / 2 + 7);
    EXPECT_EQ(tree.GlyphRect(1).left, 44);
    EXPECT_EQ(tree.TextLeft(1), 57);

    const auto rects = dc.CallsOf("Rectangle");
    ASSERT_EQ(rects.size(), 4u) << "every row with a box";
    EXPECT_EQ(rects[0].args, (std::vector<int>{3, h / 2 - 6, 16, h / 2 + 7}));
    EXPECT_EQ(rects[1].pen.color, QColor(0, 0, 0));
    EXPECT_EQ(rects[2].pen.color, QColor(128, 128, 128)) << "a disabled node's box is grey";
    // A cross: two diagonals inside the checked member's box.
    int crosses = 0;
    for (const auto& l : dc.CallsOf("Line"))
        if (l.pen.color == QColor(0, 0, 0) && l.args[0] >= b.left && l.args[2] < b.right && l.args[1] > b.top) ++crosses;
    EXPECT_EQ(crosses, 2);
    // Glyphs: the open group a five-point square with two cyan segments, the closed one a
    // thirteen-point box with four.
    const auto polys = dc.CallsOf("Polyline");
    ASSERT_EQ(polys.size(), 2u);
    EXPECT_EQ(polys[0].args.size(), 10u);
    EXPECT_EQ(polys[1].args.size(), 26u);
    int cyan = 0;
    for (const auto& l : dc.CallsOf("Line")) cyan += l.pen.color == QColor(0, 255, 255) ? 1 : 0;
    EXPECT_EQ(cyan, 6);
    // The focused node's text is inverted.
    const auto texts = dc.CallsOf("TextOut");
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(texts[1].text, "checked");
    EXPECT_EQ(texts[1].textColor, tree.palette().color(QPalette::Base));
    EXPECT_EQ(texts[0].textColor, tree.palette().color(QPalette::Text));
    EXPECT_EQ(texts[1].args[0], 57);

    // Glyphs beside members too: a diamond with two dots.
    tree.SetLeafGlyphs(true);
    dc.Clear();
    tree.Draw(dc);
    EXPECT_EQ(dc.CallsOf("Polyline").size(), 5u);

    // A partly checked group fills its box grey.
    nodes.Add(closed, "inner clear", OptionNodes::kClear, OptionNodes::kEnabled);
    nodes.Recompute();
    tree.SetNodes(nodes);
    dc.Clear();
    tree.Draw(dc);
    bool grey = false;
    for (const auto& f : dc.CallsOf("FillRect")) grey = grey || f.brush.color == QColor(192, 192, 192);
    EXPECT_TRUE(grey);
}

TEST_F(InstallDialogs, OptionTreeClicks)
{
    OptionNodes nodes;
    const int group = nodes.Add(-1, "Group", 0, OptionNodes::kEnabled);
    nodes.SetExpanded(group, true);
    const int a = nodes.Add(group, "a", OptionNodes::kChecked, OptionNodes::kEnabled);
    nodes.Add(group, "b", OptionNodes::kChecked, OptionNodes::kEnabled);
    nodes.Recompute();
    OptionTree tree;
    tree.resize(300, 200);
    tree.SetNodes(nodes);
    std::vector<int> focus, changes;
    tree.onFocus = [&](int n) { focus.push_back(n); };
    tree.onChange = [&](int n) { changes.push_back(n); };
    auto middle = [](const fw::Rect& r) { return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2); };

    tree.Click(middle(tree.BoxRect(1)));
    EXPECT_EQ(tree.Nodes().At(a).state, OptionNodes::kClear);
    EXPECT_EQ(tree.Nodes().At(group).state, OptionNodes::kPartly);
    EXPECT_EQ(changes, std::vector<int>{a});
    tree.Click(middle(tree.BoxRect(0)));
    EXPECT_EQ(changes.size(), 1u) << "a partly checked group is not toggled by a click";
    EXPECT_EQ(tree.Focused(), group);
    tree.Click(QPoint(tree.TextLeft(2) + 1, middle(tree.BoxRect(2)).y()));
    EXPECT_EQ(tree.Focused(), 2) << "a click on the text only focuses";
    EXPECT_EQ(changes.size(), 1u);
    tree.Click(middle(tree.GlyphRect(0)));
    EXPECT_EQ(tree.Nodes().Rows().size(), 1u) << "the glyph closes the group";
    tree.Click(QPoint(5, tree.RowHeight() * 3));
    EXPECT_EQ(tree.Nodes().Rows().size(), 1u) << "below the last row nothing happens";
    tree.Click(middle(tree.GlyphRect(0)));
    EXPECT_EQ(tree.Nodes().Rows().size(), 3u);
    EXPECT_EQ(focus, (std::vector<int>{a, group, 2, group}));
}

TEST_F(InstallDialogs, OptionTreeScrollsByRows)
{
    OptionNodes nodes;
    for (int i = 0; i < 30; ++i) nodes.Add(-1, "option " + std::to_string(i), 0, OptionNodes::kEnabled);
    OptionTree tree;
    tree.resize(200, 10 * tree.RowHeight() + 2 * tree.frameWidth());
    tree.SetNodes(nodes);
    tree.show(); // the client area takes its size when the control shows
    QApplication::processEvents();
    EXPECT_EQ(tree.verticalScrollBar()->pageStep(), tree.viewport()->height() / tree.RowHeight());
    EXPECT_EQ(tree.verticalScrollBar()->maximum(), 30 - tree.verticalScrollBar()->pageStep());
    ASSERT_GT(tree.verticalScrollBar()->maximum(), 0);
    tree.verticalScrollBar()->setValue(5);
    EXPECT_EQ(tree.FirstRow(), 5);
    tree.Click(QPoint(tree.TextLeft(5) + 1, tree.RowHeight() / 2));
    EXPECT_EQ(tree.Focused(), 5) << "row = y / row height + first visible row";
    EXPECT_EQ(tree.BoxRect(5).top, tree.RowHeight() / 2 - 6);
}

// ---- pictures ------------------------------------------------------------------------------

TEST_F(ComponentDialogs, Snapshots)
{
    if (testsupport::SnapshotPath("x").empty()) GTEST_SKIP() << "STELLUM_SNAPSHOT_DIR is not set";
    root.SetForcedFreeSpace('C', 123456 * 10240);
    ASSERT_TRUE(root.AddDrive('D', fw::DriveType::Fixed));
    root.SetForcedFreeSpace('D', 1234 * 10240);

    PromptRequest prompt;
    prompt.kind = PromptRequest::kDirectory;
    prompt.caption = "Destination Directory";
    prompt.body = "Setup will install Stellum into the directory below.\r\nTo install it elsewhere, type another "
                  "directory or choose Browse.";
    prompt.initial = "C:\\Program Files\\Stellum";
    Drive({[&](Dialog& d) {
        testsupport::SaveDialogSnapshot(*d.Window(), "kw_prompt_directory.png");
        d.Command(kCmdOk);
    }});
    EXPECT_TRUE(PromptForString(host, prompt));

    UserNameRecord user;
    std::strcpy(user.name, "Anne Smith");
    std::strcpy(user.company, "Northern Skies Observatory");
    Drive({[&](Dialog& d) {
        testsupport::SaveDialogSnapshot(*d.Window(), "kw_user_name.png");
        d.Command(kCmdOk);
    }});
    EXPECT_TRUE(AskUserName(host, user));

    Drive({[&](Dialog& d) {
        auto* tree = dynamic_cast<OptionTree*>(d.Item(101));
        ASSERT_NE(tree, nullptr);
        tree->SetFocused(tree->Nodes().Rows()[2]);
        testsupport::SaveDialogSnapshot(*d.Window(), "kw_select_components.png");
        // The tree four times as large, to see its boxes, crosses and glyphs.
        const QImage tree4 = tree->grab().toImage();
        testsupport::SaveSnapshot(tree4.scaled(tree4.size() * 4), "kw_option_tree_zoom.png");
        d.Command(kCmdOk);
    }});
    EXPECT_TRUE(SelectComponents(host));
}

} // namespace
