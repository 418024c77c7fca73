// The installer's dialogs, message boxes, progress and message windows, help, the tick timer,
// window subclassing and the growable array.
#include "framework/gui/MessageBox.h"
#include "framework/sys/WinFileSystem.h"
#include "framework/testsupport/RootFixture.h"
#include "installer/support/DialogBox.h"
#include "installer/support/HelpFile.h"
#include "installer/support/InstallerGauge.h"
#include "installer/support/MessageBoxDialog.h"
#include "installer/support/ProgressDialog.h"
#include "installer/support/TickTimer.h"
#include "installer/support/VArray.h"
#include "installer/support/WindowSubclass.h"

#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QWidget>

#include <cstdlib>
#include <string>

using namespace kw;

namespace {

void Snapshot(QWidget* w, const char* name)
{
    if (const char* dir = std::getenv("STELLUM_SNAPSHOT_DIR")) w->grab().save(QString(dir) + "/" + name);
}

TEST(MessageBoxDialog, TemplateFollowsTheButtonsAndHelp)
{
    struct Case {
        int buttons;
        bool help;
        const char* name;
    } cases[] = {{1, false, "DLGMSGBOX1"}, {2, false, "DLGMSGBOX2"}, {3, false, "DLGMSGBOX3"},
                 {2, true, "DLGMSGBOX3"},  {3, true, "DLGMSGBOX4"},  {1, true, "DLGMSGBOX2"}};
    for (const Case& c : cases) {
        MessageBoxDialog box;
        if (c.buttons == 1) box.SetButtons1("a");
        if (c.buttons == 2) box.SetButtons2("a", "b");
        if (c.buttons == 3) box.SetButtons3("a", "b", "c");
        if (c.help) box.SetHelpButton(5);
        EXPECT_EQ(box.TemplateName(), c.name);
    }
}

TEST(MessageBoxDialog, ButtonSetsCaptionsAndTheSeamAnswer)
{
    struct Case {
        int type;
        std::vector<std::string> captions;
        int defaultButton;
    } cases[] = {
        {MessageBoxDialog::kOk, {"&OK"}, 0},
        {MessageBoxDialog::kOkCancel, {"&OK", "&Cancel"}, 1},
        {MessageBoxDialog::kYesNo, {"&Yes", "&No"}, 1},
        {MessageBoxDialog::kRetryCancel, {"&Retry", "&Cancel"}, 1},
    };
    for (const Case& c : cases) {
        MessageBoxRequest seen;
        fw::Responder<MessageBoxSeam> answer([&](const MessageBoxRequest& r) {
            seen = r;
            return 1;
        });
        MessageBoxDialog box;
        box.SetButtons(c.type);
        box.SetText("%d files", 3);
        EXPECT_EQ(box.Run(nullptr), 1);
        EXPECT_EQ(seen.buttons, c.captions);
        EXPECT_EQ(seen.defaultButton, c.defaultButton);
        EXPECT_EQ(seen.caption, "Error");
        EXPECT_EQ(seen.text, "3 files");
    }
    // Captions hold at most 19 characters.
    MessageBoxDialog box;
    box.SetButtons1("a caption longer than twenty");
    EXPECT_EQ(box.Request().buttons[0], "a caption longer th");
}

TEST(MessageBoxDialog, EnterPressesTheFirstButtonAndEscapeOnlyADefaultOne)
{
    struct Case {
        bool okSet; // SetButtons(0), else SetButtons1 without a default
        int command;
        bool ends;
        int result;
    } cases[] = {{true, kCmdCancel, true, 0}, {false, kCmdCancel, false, 0}, {false, kCmdOk, true, 0}, {false, 103, true, 0}};
    for (const Case& c : cases) {
        MessageBoxDialog box;
        if (c.okSet) box.SetButtons(MessageBoxDialog::kOk);
        else box.SetButtons1("Go");
        bool ended = false;
        fw::Responder<DialogSeam> drive([&](Dialog& d, const std::string& name) {
            EXPECT_EQ(name, "DLGMSGBOX1");
            EXPECT_EQ(d.ItemText(101), "Text");
            d.Command(c.command);
            ended = d.Ended();
            return 42;
        });
        box.SetText("Text");
        int r = box.Run("Caption");
        EXPECT_EQ(ended, c.ends) << c.command;
        EXPECT_EQ(r, c.ends ? c.result : 42);
    }
}

TEST(MessageBoxDialog, ShownWithItsTextAndButtons)
{
    MessageBoxDialog box;
    box.SetButtons(MessageBoxDialog::kYesNo);
    box.SetHelpButton(7);
    box.SetStandardIcon(MessageBoxDialog::kIconQuestion);
    box.SetText("The file C:\\STELLUM\\STLM32.EXE is newer than the one you are installing. "
                "Do you want to keep the newer file?");
    int context = 0;
    fw::Responder<DialogSeam> look([&](Dialog& d, const std::string& name) {
        EXPECT_EQ(name, "DLGMSGBOX3");
        QWidget* w = d.Window();
        w->show();
        Snapshot(w, "kw_message_box.png");
        auto* text = d.Item(101);
        auto* yes = d.Item(103);
        auto* help = qobject_cast<QPushButton*>(d.Item(105));
        EXPECT_TRUE(text && yes && help);
        if (!text || !yes || !help) return -1;
        EXPECT_EQ(help->text(), "&Help");
        // The text fits above the buttons, and the buttons lie inside the window.
        EXPECT_LE(text->geometry().bottom(), yes->geometry().top());
        EXPECT_LE(help->geometry().right(), w->width());
        EXPECT_LE(yes->geometry().bottom(), w->height());
        d.Command(kCmdHelpContext);
        context = d.WindowWord0();
        d.Command(104);
        return -1;
    });
    EXPECT_EQ(box.Run("Question"), 1);
    EXPECT_EQ(context, 7);
}

class Windows : public RootFixture {};

TEST_F(Windows, ProgressDialogShowsLinesAndGaugeAndCancels)
{
    bool cancel = false;
    ProgressDialog progress(&cancel);
    ASSERT_TRUE(progress.Create());
    progress.SetTitle("Installing %s", "Stellum");
    progress.SetLine1("Copying files");
    progress.SetLine2("C:\\STELLUM\\%s", "NGC2K.RSX");
    progress.SetLine3("%d of %d", 12, 40);
    progress.SetPercent(30);
    EXPECT_EQ(progress.ItemText(102), "C:\\STELLUM\\NGC2K.RSX");
    QWidget* bar = progress.Item(104);
    ASSERT_TRUE(bar);
    QImage image = bar->grab().toImage();
    EXPECT_EQ(image.pixelColor(3, bar->height() / 2), QColor(128, 128, 128));
    EXPECT_EQ(image.pixelColor(bar->width() - 3, bar->height() / 2), QColor(255, 255, 255));
    Snapshot(progress.Window(), "kw_progress.png");
    EXPECT_FALSE(cancel);
    progress.Command(kCmdCancel);
    EXPECT_TRUE(cancel);
    cancel = false;
    progress.DialogProc(kMsgSysCommand, kScClose, 0);
    EXPECT_TRUE(cancel);
    progress.DestroyWindow();
    EXPECT_FALSE(progress.Window());
}

TEST_F(Windows, GaugeTakesOnlyPercentages)
{
    QWidget control;
    control.resize(40, 200); // taller than wide: grows from the bottom
    Gauge gauge(0x000000FF);
    gauge.Attach(&control);
    gauge.SetPercent(50);
    for (int bad : {101, -1}) {
        gauge.SetPercent(bad);
        EXPECT_EQ(gauge.Percent(), 50);
    }
    QImage image = control.grab().toImage();
    EXPECT_EQ(image.pixelColor(3, 190), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(3, 10), QColor(255, 255, 255));
}

TEST_F(Windows, ModelessMessageStaysForItsMinimumTime)
{
    uint32_t tick = 1000;
    root.SetTickSource([&] { return tick += 10; });
    ModelessMessage message;
    message.SetMinimumTime(500);
    message.SetStandardIcon(MessageBoxDialog::kIconAsterisk);
    ASSERT_TRUE(message.Show());
    message.SetText("Updating %s", "win.ini");
    EXPECT_EQ(message.ItemText(101), "Updating win.ini");
    EXPECT_FALSE(message.Item(kCmdOk)->isVisible());
    uint32_t before = tick;
    message.Close();
    EXPECT_GE(tick - before, 490u);
    EXPECT_FALSE(message.Window());
}

TEST_F(Windows, HelpGoesToTheWindowsContextOrSaysItIsMissing)
{
    HelpFile& help = HelpFile::Instance();
    help.Set(nullptr, "C:\\SETUP\\KWMAIN.HLP", 3);
    MessageBoxRequest said;
    {
        fw::Responder<MessageBoxSeam> box([&](const MessageBoxRequest& r) {
            said = r;
            return 0;
        });
        EXPECT_FALSE(help.ShowContext(10));
    }
    EXPECT_EQ(said.caption, "Help");
    EXPECT_EQ(said.icon, MessageBoxDialog::kIconAsterisk);

    WinFileSystem::CreateDirectory("C:\\SETUP");
    ASSERT_TRUE(Write("SETUP/KWMAIN.HLP", "help"));
    std::vector<intptr_t> contexts;
    fw::Responder<HelpSeam> viewer([&](const HelpRequest& r) {
        contexts.push_back(r.context);
        return true;
    });
    MessageBoxDialog box;
    box.SetButtons1("OK");
    box.SetHelpButton(21);
    fw::Responder<DialogSeam> drive([&](Dialog& d, const std::string&) {
        help.ShowForWindow(d.Window());
        return 0;
    });
    box.Run("x");
    help.ShowForWindow(nullptr);
    EXPECT_EQ(contexts, (std::vector<intptr_t>{21, 3}));
    help.Set(nullptr, "", 0);
}

TEST_F(Windows, TickTimerAcrossTheWrap)
{
    uint32_t tick = 0xFFFFFFFFu - 99; // 100 ms before the count wraps
    root.SetTickSource([&] { return tick; });
    TickTimer timer;
    timer.Start(100);
    struct Step {
        uint32_t tick;
        bool expired;
    } steps[] = {{0xFFFFFFFFu - 99, false}, {0xFFFFFFFFu, false}, {0, true}, {50, true}, {0x7FFFFFFF, true}};
    for (const Step& s : steps) {
        tick = s.tick;
        EXPECT_EQ(timer.Expired(), s.expired) << s.tick;
    }
}

// Records the events it sees and passes them on.
struct Recorder : WindowSubclass {
    int seen = 0;
    bool Message(QWidget*, QEvent* e) override
    {
        if (e->type() == QEvent::User) ++seen;
        return false;
    }
};

TEST_F(Windows, DetachingTheSecondSubclassLeavesTheFirstWorking)
{
    QWidget w;
    Recorder first, second;
    first.Attach(&w);
    second.Attach(&w);
    EXPECT_EQ(WindowSubclass::Of(&w), &second);
    QEvent e(QEvent::User);
    QCoreApplication::sendEvent(&w, &e);
    second.Detach();
    EXPECT_EQ(WindowSubclass::Of(&w), &first);
    QCoreApplication::sendEvent(&w, &e);
    EXPECT_EQ(first.seen, 2);
    EXPECT_EQ(second.seen, 1);
    first.Detach();
    EXPECT_EQ(WindowSubclass::Of(&w), nullptr);
}

TEST(VArray, GapsKeepTheItemsAndMoveToTheHeap)
{
    VArray a(sizeof(int), 50);
    auto at = [&](int i) { return reinterpret_cast<int*>(a.At(i)); };
    for (int i = 0; i < 16; ++i) {
        ASSERT_TRUE(a.InsertGap(i, 1));
        *at(i) = i;
    }
    EXPECT_FALSE(a.OnHeap()); // 64 bytes hold 16 ints
    ASSERT_TRUE(a.InsertGap(4, 2));
    EXPECT_TRUE(a.OnHeap());
    EXPECT_GE(a.Capacity(), 24);
    EXPECT_EQ(*at(3), 3);
    EXPECT_EQ(*at(4), 0);
    EXPECT_EQ(*at(6), 4);
    EXPECT_EQ(*at(17), 15);
    ScriptedMessageBoxes boxes;
    EXPECT_FALSE(a.InsertGap(19, 1));
    EXPECT_EQ(boxes.Count(), 1);
    a.Clear(true);
    EXPECT_FALSE(a.OnHeap());
    EXPECT_EQ(a.Count(), 0);
}

} // namespace
