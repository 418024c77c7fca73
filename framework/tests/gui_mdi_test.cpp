// The MDI main window: menu merging with the active child, command routing through view,
// child, client, frame and document manager with enablers, accelerators, the tool bar, the
// status bar's gadgets, dropped files, the recent-files list, and documents and their child
// windows closing together.
#include "framework/gui/Application.h"
#include "framework/gui/DocManager.h"
#include "framework/gui/DocTemplate.h"
#include "framework/gui/Document.h"
#include "framework/gui/MDIChild.h"
#include "framework/gui/MDIClient.h"
#include "framework/gui/MDIFrame.h"
#include "framework/gui/MessageBox.h"
#include "framework/gui/RecentFiles.h"
#include "framework/gui/StatusBar.h"
#include "framework/gui/ToolBar.h"
#include "framework/gui/View.h"
#include "framework/testsupport/TestSupport.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QUrl>
#include <gtest/gtest.h>

#include <fstream>

using namespace fw;

namespace {

constexpr int kViewCommand = 500;
constexpr int kViewDisabled = 501;
constexpr int kFrameCommand = 600;
constexpr int kNobody = 700;

class PlainDoc : public fw::Document {};

// A window view that carries two commands of its own.
class CommandView : public fw::WindowView {
public:
    explicit CommandView(PlainDoc& doc) : fw::WindowView(doc)
    {
        OnCommand(kViewCommand, [this] { ++ran; });
        OnCommand(kViewDisabled, [this] { ++ran; });
        OnCommandEnable(kViewDisabled, [](fw::CommandEnabler& ce) {
            ce.Enable(false);
            ce.SetCheck(fw::BF_CHECKED);
        });
    }
    std::string GetViewName() const override { return "COMMANDVIEW"; }
    int ran = 0;
};

fw::MenuDescr FrameMenu()
{
    return fw::MenuDescr({
        fw::MenuItem::Popup("&File", {fw::MenuItem::Command(fw::CM_FILEOPEN, "&Open..."),
                                  fw::MenuItem::Command(fw::CM_FILECLOSE, "&Close"), fw::MenuItem::Separator(),
                                  fw::MenuItem::Command(fw::CM_EXIT, "E&xit")}),
        fw::MenuItem::Popup("&Search", {fw::MenuItem::Command(24351, "&Find...")}),
        fw::MenuItem::Popup("&View", {fw::MenuItem::Command(kFrameCommand, "&Frame\tF10"),
                                  fw::MenuItem::Command(kNobody, "&Nobody")}),
        fw::MenuItem::Popup("&Window", {fw::MenuItem::Command(fw::CM_CASCADECHILDREN, "&Cascade")}),
        fw::MenuItem::Popup("&Help", {}),
    });
}

fw::MenuDescr ChildMenu()
{
    return fw::MenuDescr({
        fw::MenuItem::Popup("&Search", {fw::MenuItem::Command(24354, "&First")}),
        fw::MenuItem::Popup("Pla&nner", {fw::MenuItem::Command(kViewCommand, "&Run"),
                                     fw::MenuItem::Command(kViewDisabled, "&Off")}),
    });
}

// An application whose documents' views are framed in MDI children with the child menu.
class TestApp : public fw::Application {
public:
    TestApp() : fw::Application("Test", {"/x/test"})
    {
        SetDocManager(std::make_unique<fw::DocManager>(fw::dmMDI));
        GetDocManager()->AttachTemplate(*tpl);
        SetCmdShow(fw::SW_HIDE);
    }
    ~TestApp() override { TermInstance(); }
    void EvNewView(fw::View& view) override { GetMainWindow()->FrameView(view, ChildMenu()); }
    std::unique_ptr<fw::DocTemplate> tpl = fw::DocTemplate::Make<PlainDoc, CommandView>(
        "Plain Files", "*.pln", "", "pln", fw::dtAutoDelete | fw::dtSingleView);
    int frameRan = 0;

protected:
    void InitMainWindow() override
    {
        auto* frame = new fw::MDIFrame("Test", FrameMenu());
        frame->OnCommand(kFrameCommand, [this] { ++frameRan; });
        frame->SetAccelerators({{QKeySequence(Qt::Key_F10), kFrameCommand},
                                {QKeySequence(Qt::Key_Insert), kViewCommand},
                                {QKeySequence(Qt::Key_Delete), kViewDisabled}});
        SetMainWindow(frame);
    }
};

class Mdi : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(app.InitInstance()); }
    fw::MDIFrame& Frame() { return *app.GetMainWindow(); }
    PlainDoc* NewDoc() { return static_cast<PlainDoc*>(app.GetDocManager()->CreateDoc(app.tpl.get(), {}, fw::dtNewDoc)); }
    static void Settle()
    {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    TestApp app;
};

TEST(MenuMerge, ChildPopupsReplaceTheirNamesakesAndNewOnesGoBeforeWindow)
{
    fw::MenuDescr merged = fw::MenuDescr::Merge(FrameMenu(), ChildMenu());
    EXPECT_EQ(merged.Describe(), "&File|&Search|&View|Pla&nner|&Window|&Help");
    EXPECT_NE(merged.FindItem(24354), nullptr);
    EXPECT_EQ(merged.FindItem(24351), nullptr) << "the frame's Search is replaced whole";
    EXPECT_EQ(fw::MenuDescr::Merge(FrameMenu(), fw::MenuDescr()).Describe(), FrameMenu().Describe());
}

TEST_F(Mdi, ActiveChildMergesItsMenuAndClosingItRestoresTheFrames)
{
    EXPECT_EQ(Frame().MenuAction(kViewCommand), nullptr);
    PlainDoc* doc = NewDoc();
    ASSERT_NE(doc, nullptr);
    ASSERT_EQ(Frame().GetClient()->Children().size(), 1u);
    EXPECT_EQ(Frame().CurrentMenu().Describe(), "&File|&Search|&View|Pla&nner|&Window|&Help");
    EXPECT_NE(Frame().MenuAction(kViewCommand), nullptr);
    EXPECT_EQ(app.GetDocManager()->GetCurrentDoc(), doc);

    // Closing the document takes its child window (and the child's menu) with it.
    app.GetDocManager()->EvCommand(fw::CM_FILECLOSE);
    Settle();
    EXPECT_TRUE(Frame().GetClient()->Children().empty());
    EXPECT_EQ(Frame().MenuAction(kViewCommand), nullptr);
    EXPECT_EQ(Frame().MenuAction(24351)->text().toStdString(), "&Find...");
}

TEST_F(Mdi, CommandsRouteToTheFirstCarrierAndEnablersDecideTheMenu)
{
    // Without a child: the view's commands and the nobody's command are disabled.
    EXPECT_FALSE(Frame().QueryRoute(kViewCommand).enabled);
    EXPECT_TRUE(Frame().QueryRoute(kFrameCommand).enabled);
    EXPECT_FALSE(Frame().QueryRoute(fw::CM_FILECLOSE).enabled) << "no current document";
    EXPECT_TRUE(Frame().QueryRoute(fw::CM_FILEOPEN).enabled);
    EXPECT_FALSE(Frame().QueryRoute(fw::CM_CASCADECHILDREN).enabled);

    PlainDoc* doc = NewDoc();
    auto* view = static_cast<CommandView*>(doc->FirstView());
    Frame().PrepareMenus();
    EXPECT_TRUE(Frame().MenuAction(kViewCommand)->isEnabled());
    QAction* off = Frame().MenuAction(kViewDisabled);
    EXPECT_FALSE(off->isEnabled());
    EXPECT_TRUE(off->isChecked());
    EXPECT_FALSE(Frame().MenuAction(kNobody)->isEnabled());
    EXPECT_TRUE(Frame().MenuAction(fw::CM_FILECLOSE)->isEnabled());
    EXPECT_TRUE(Frame().MenuAction(fw::CM_CASCADECHILDREN)->isEnabled());

    Frame().MenuAction(kViewCommand)->trigger();
    EXPECT_EQ(view->ran, 1);
    EXPECT_TRUE(Frame().RouteCommand(kFrameCommand));
    EXPECT_EQ(app.frameRan, 1);
    EXPECT_FALSE(Frame().RouteCommand(kNobody));

    // Accelerators: a disabled command's key does nothing.
    EXPECT_EQ(Frame().AcceleratorCommand(QKeySequence(Qt::Key_Insert)), kViewCommand);
    EXPECT_TRUE(Frame().PressAccelerator(QKeySequence(Qt::Key_Insert)));
    EXPECT_FALSE(Frame().PressAccelerator(QKeySequence(Qt::Key_Delete)));
    EXPECT_FALSE(Frame().PressAccelerator(QKeySequence(Qt::Key_F1)));
    EXPECT_EQ(view->ran, 2);
}

TEST_F(Mdi, ToolBarButtonsRouteAndFollowTheirEnablers)
{
    auto* bar = new fw::ToolBar("Toolbar", &Frame());
    QAction* first = bar->AddButton(kFrameCommand, QIcon(), "Frame");
    QAction* s1 = bar->AddSeparator();
    QAction* run = bar->AddButton(kViewCommand, QIcon(), "Run");
    QAction* off = bar->AddButton(kViewDisabled, QIcon(), "Off");
    Frame().InsertToolBar(bar);
    EXPECT_FALSE(run->isEnabled());
    EXPECT_TRUE(first->isEnabled());

    PlainDoc* doc = NewDoc();
    Frame().UpdateCommandStates();
    EXPECT_TRUE(run->isEnabled());
    EXPECT_FALSE(off->isEnabled());
    run->trigger();
    EXPECT_EQ(static_cast<CommandView*>(doc->FirstView())->ran, 1);

    // Taking a button off and putting it back after another keeps the rest in place.
    bar->RemoveAction(run);
    EXPECT_EQ(bar->Layout(), (std::vector<int>{kFrameCommand, 0, kViewDisabled}));
    bar->InsertAfter(s1, run);
    EXPECT_EQ(bar->Layout(), (std::vector<int>{kFrameCommand, 0, kViewCommand, kViewDisabled}));
    EXPECT_EQ(bar->Button(kViewCommand), run);

    Frame().RemoveToolBar(bar);
    EXPECT_TRUE(bar->isHidden());
    Frame().InsertToolBar(bar);
    EXPECT_FALSE(bar->isHidden());
}

TEST_F(Mdi, AnotherDocumentLeavesTheChildrenAsTheyAreAndTheTitleNamesTheActiveOne)
{
    Frame().show();
    PlainDoc* first = NewDoc();
    first->SetTitle("first.pln");
    fw::MDIChild* maximised = Frame().GetActiveChild();
    ASSERT_NE(maximised, nullptr);
    maximised->showMaximized();
    Settle();
    EXPECT_EQ(Frame().windowTitle().toStdString(), "Test - [first.pln]");

    PlainDoc* second = NewDoc();
    second->SetTitle("second.pln");
    Settle();
    fw::MDIChild* opened = Frame().GetActiveChild();
    ASSERT_NE(opened, maximised);
    EXPECT_FALSE(opened->isMaximized()) << "a maximised child does not hand its state on";
    EXPECT_TRUE(maximised->isMaximized()) << "and keeps its own";
    EXPECT_EQ(Frame().windowTitle().toStdString(), "Test - [second.pln]");

    Frame().GetClient()->ActivateChild(maximised);
    Settle();
    EXPECT_EQ(Frame().windowTitle().toStdString(), "Test - [first.pln]");
    EXPECT_EQ(fw::MDIFrame::TitleFor("Test", ""), "Test");
}

TEST(StatusBarGadgets, TextsByIdInOrderAndNeverNarrowerThanAsked)
{
    fw::StatusBar bar;
    bar.AddTextGadget(1, 7);
    bar.AddTextGadget(2, 16);
    bar.AddTextGadget(1, 30); // already there: unchanged
    bar.SetText("Filtered List Objects 1 of 10");
    bar.SetGadgetText(1, " LST  12:00");
    bar.SetGadgetText(9, "nowhere");
    EXPECT_EQ(bar.GetText(), "Filtered List Objects 1 of 10");
    EXPECT_EQ(bar.GadgetText(1), " LST  12:00");
    EXPECT_EQ(bar.GadgetText(9), "");
    EXPECT_EQ(bar.GadgetIds(), (std::vector<int>{1, 2}));
    auto labels = bar.findChildren<QLabel*>();
    int widest = 0;
    for (QLabel* l : labels) widest = std::max(widest, l->minimumWidth());
    EXPECT_GE(widest, QFontMetrics(bar.font()).horizontalAdvance(QString(16, '0')));
}

TEST_F(Mdi, DroppedLocalFilesReachTheProgram)
{
    std::vector<std::string> dropped;
    Frame().SetDropHandler([&](const std::vector<std::string>& paths) { dropped = paths; });
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/data/a.pln"), QUrl("https://example.org/b.pln"),
                  QUrl::fromLocalFile("/data/c.pln")});
    Frame().DropFiles(fw::LocalFilesOf(&data));
    EXPECT_EQ(dropped, (std::vector<std::string>{"/data/a.pln", "/data/c.pln"}));
    EXPECT_TRUE(Frame().GetClient()->viewport()->acceptDrops()) << "drops on the client come too";
}

TEST(RecentFileList, NewestFirstOnceEachAtMostTheMaximumAndKeptInItsFile)
{
    testsupport::TempDir dir;
    std::string ini = dir.file("Stellum.ini");
    std::ofstream(ini) << "[Other]\nFile1=/no\n[Recent Files]\nFile2=/b.sl4\nFile1=/a.sl4\n"
                          "File9=/too/far\ngarbage\nFile3=\n";
    fw::RecentFiles recent(ini, 4);
    EXPECT_EQ(recent.Files(), (std::vector<std::string>{"/a.sl4", "/b.sl4"}));

    for (const char* p : {"/c.log", "/d.sl4", "/b.sl4", "/e.sl4"}) recent.SaveMenuChoice(p);
    std::vector<std::string> expected{"/e.sl4", "/b.sl4", "/d.sl4", "/c.log"};
    EXPECT_EQ(recent.Files(), expected);
    EXPECT_EQ(fw::RecentFiles(ini, 4).Files(), expected) << "written to its file";
    EXPECT_EQ(recent.GetMenuText(fw::CM_MRU_FIRST + 1), "/b.sl4");
    EXPECT_EQ(recent.GetMenuText(fw::CM_MRU_FIRST + 4), "");
    EXPECT_EQ(recent.MenuText(0), "&1 /e.sl4");
    // A name with a line break would smuggle a line into the file: it is not recorded.
    recent.SaveMenuChoice("/f.sl4\nFile1=/elsewhere.sl4");
    EXPECT_EQ(fw::RecentFiles(ini, 4).Files(), expected);

    // The menu shows them before Exit.
    fw::MDIFrame frame("t", FrameMenu());
    frame.SetRecentFiles(&recent);
    ASSERT_NE(frame.MenuAction(fw::CM_MRU_FIRST + 3), nullptr);
    EXPECT_EQ(frame.MenuAction(fw::CM_MRU_FIRST + 3)->text().toStdString(), "&4 /c.log");
}

TEST_F(Mdi, UserClosingTheLastViewAsksTheDocumentAndTheFrameAsksThemAll)
{
    fw::ScriptedMessageBoxes boxes;
    PlainDoc* doc = NewDoc();
    doc->SetDirty();
    fw::MDIChild* child = Frame().GetClient()->Children().front();

    boxes.Answer(fw::IDCANCEL);
    child->close();
    Settle();
    ASSERT_EQ(Frame().GetClient()->Children().size(), 1u) << "Cancel keeps the window";
    EXPECT_EQ(boxes.Count(), 1);

    boxes.Answer(fw::IDCANCEL);
    EXPECT_FALSE(Frame().close()) << "the application asks its documents";
    EXPECT_EQ(boxes.Count(), 2);

    boxes.Answer(fw::IDNO);
    child->close();
    Settle();
    EXPECT_TRUE(Frame().GetClient()->Children().empty());
    EXPECT_TRUE(app.GetDocManager()->GetDocuments().empty()) << "the document went with its view";
}

} // namespace
