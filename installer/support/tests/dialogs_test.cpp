// The installer's dialogs, message boxes, progress and message windows, help, the tick timer,
// window subclassing and the growable array.
#include "framework/gui/MessageBox.h"
#include "framework/sys/WinFileSystem.h"
#include "installer/support/tests/InstallerRootFixture.h"
#include "framework/testsupport/Snapshot.h"
#include "installer/support/FilePath.h"
#include "installer/support/DialogBox.h"
#include "installer/support/HelpFile.h"
#include "installer/support/InstallerGauge.h"
#include "installer/support/MessageBoxDialog.h"
#include "installer/support/ProgressDialog.h"
#include "installer/support/TickTimer.h"
#include "installer/support/UserWindow.h"
#include "installer/support/VArray.h"
#include "installer/support/WindowSubclass.h"

#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <string>

using namespace kw;

namespace {

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
        testsupport::SaveSnapshot(*w, "kw_message_box.png");
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
    testsupport::SaveSnapshot(*progress.Window(), "kw_progress.png");
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

    fw::WinFileSystem::CreateDirectory("C:\\SETUP");
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
        // F1 released in the box, while the key is watched: help at the box's context; a
        // repeated key and any other key are left to the window.
        help.WatchHelpKey(true);
        QWidget* target = d.Window()->focusWidget() ? d.Window()->focusWidget() : d.Window();
        QKeyEvent repeated(QEvent::KeyRelease, Qt::Key_F1, Qt::NoModifier, QString(), true);
        QKeyEvent other(QEvent::KeyRelease, Qt::Key_F2, Qt::NoModifier);
        QKeyEvent f1(QEvent::KeyRelease, Qt::Key_F1, Qt::NoModifier);
        QApplication::sendEvent(target, &repeated);
        QApplication::sendEvent(target, &other);
        QApplication::sendEvent(target, &f1);
        help.WatchHelpKey(false);
        QKeyEvent unwatched(QEvent::KeyRelease, Qt::Key_F1, Qt::NoModifier);
        QApplication::sendEvent(target, &unwatched);
        return 0;
    });
    box.Run("x");
    help.ShowForWindow(nullptr);
    EXPECT_EQ(contexts, (std::vector<intptr_t>{21, 21, 3}));
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
    fw::ScriptedMessageBoxes boxes;
    EXPECT_FALSE(a.InsertGap(19, 1));
    EXPECT_EQ(boxes.Count(), 1);
    a.Clear(true);
    EXPECT_FALSE(a.OnHeap());
    EXPECT_EQ(a.Count(), 0);
}

} // namespace

#include "installer/support/HeapString.h"
#include "installer/support/LanguageLibrary.h"
#include "installer/support/UserDialogBox.h"
#include "installer/support/WindowOps.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QGuiApplication>
#include <QScreen>

namespace {

TEST(WindowOps, NumbersAreReadOnlyWhenTheTextIsExactlyOne)
{
    QLineEdit edit;
    struct Case {
        const char* text;
        bool isInt;
        bool isUInt;
    } cases[] = {{"12", true, true}, {" 7 ", true, true}, {"12x", false, false}, {"", false, false},
                 {"-3", true, false}, {"1 2", false, false}, {"4000000000", false, true},
                 {"99999999999", false, false}, {"+5", true, true}};
    for (const Case& c : cases) {
        edit.setText(c.text);
        int i = -1;
        unsigned u = 0;
        EXPECT_EQ(GetInt(&edit, i), c.isInt) << c.text;
        EXPECT_EQ(GetUInt(&edit, u), c.isUInt) << c.text;
    }
    SetTextF(&edit, "%d-%s", 5, "x");
    EXPECT_EQ(WindowText(&edit), "5-x");
    int a = 0, b = 0;
    EXPECT_EQ(ScanText(&edit, "%d-%d", &a, &b), 1);
}

TEST(WindowOps, BlankTextIsSaidAtTheControlAndWindowsStayOnTheScreen)
{
    QWidget dialog;
    QLineEdit edit(&dialog);
    edit.setText("  ");
    MessageBoxRequest said;
    fw::Responder<MessageBoxSeam> box([&](const MessageBoxRequest& r) {
        said = r;
        return 0;
    });
    HeapString text;
    EXPECT_FALSE(GetText(&edit, text, "Please enter your name."));
    EXPECT_EQ(said.caption, "Error");
    EXPECT_EQ(said.text, "Please enter your name.");
    EXPECT_EQ(said.icon, MessageBoxDialog::kIconExclamation);
    edit.setText("Ann");
    EXPECT_TRUE(GetText(&edit, text, "Please enter your name."));
    EXPECT_STREQ(text.Text(), "Ann");

    QWidget w;
    w.resize(200, 100);
    QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    MoveTo(&w, screen.right() + 500, screen.bottom() + 500);
    EXPECT_EQ(w.x() + w.width() - 1, screen.right());
    EXPECT_EQ(w.y() + w.height() - 1, screen.bottom());
    MoveTo(&w, screen.center().x(), screen.center().y());
    EXPECT_NEAR(w.geometry().center().x(), screen.center().x(), 1);
    EXPECT_NEAR(w.geometry().center().y(), screen.center().y(), 1);
    ResizeCentred(&w, 0, 50);
    EXPECT_EQ(w.width(), 200);
}

class UserDialogs : public InstallerRootFixture {
protected:
    void SetUp() override
    {
        InstallerRootFixture::SetUp();
        ASSERT_NO_FATAL_FAILURE(LoadLanguagePackage());
        ASSERT_TRUE(Write("SETUP/README.TXT", "first"));
    }
    UserDialogSpec Spec()
    {
        UserDialogSpec s;
        s.title = "Options";
        s.helpContext = 31;
        auto add = [&](int kind, const char* text, int y, int value = 0) {
            UserDialogItemSpec i;
            i.kind = kind;
            i.text = text;
            i.x = 8, i.y = y, i.width = 120, i.height = kind == UserDialogItemSpec::kFileEdit ? 40 : 12;
            i.value = value;
            s.items.push_back(i);
        };
        add(UserDialogItemSpec::kText, "Where shall the planner go?", 6);
        add(UserDialogItemSpec::kEdit, "C:\\STELLUM", 20);
        add(UserDialogItemSpec::kList, "Small\r\nLarge\r\n", 36);
        s.items.back().index = 0;
        add(UserDialogItemSpec::kFileEdit, "", 52);
        s.items.back().file = "C:\\SETUP\\README.TXT";
        add(UserDialogItemSpec::kButton, "Next", 96, 2);
        add(UserDialogItemSpec::kButton, "Back", 96, 1);
        s.items[4].x = 72, s.items[4].width = 56;
        s.items[5].width = 56;
        s.width = 70;
        s.height = 40;
        return s;
    }
};

TEST_F(UserDialogs, EvenButtonsCollectTheFieldsOddOnesDoNot)
{
    struct Case {
        int button; // control id
        int result;
        bool collected;
    } cases[] = {{104, 2, true}, {105, 1, false}};
    for (const Case& c : cases) {
        Write("SETUP/README.TXT", "first");
        UserDialogSpec spec = Spec();
        UserDialogBox box(spec, nullptr);
        fw::Responder<DialogSeam> drive([&](Dialog& d, const std::string& name) {
            EXPECT_EQ(name, "DLGUSRDLG");
            EXPECT_EQ(d.Window()->windowTitle().toStdString(), "Options");
            EXPECT_EQ(d.ItemText(100), "Where shall the planner go?");
            EXPECT_EQ(d.ItemText(103), "first");
            d.SetItemText(101, "D:\\PLANNER");
            static_cast<QComboBox*>(d.Item(102))->setCurrentIndex(1);
            static_cast<QPlainTextEdit*>(d.Item(103))->setPlainText("changed");
            d.Command(kCmdHelpContext);
            EXPECT_EQ(d.WindowWord0(), 31);
            if (c.collected) testsupport::SaveDialogSnapshot(*d.Window(), "kw_user_dialog.png");
            d.Command(c.button);
            return -7;
        });
        EXPECT_EQ(box.Run(), c.result);
        EXPECT_EQ(spec.items[1].text, c.collected ? "D:\\PLANNER" : "C:\\STELLUM");
        EXPECT_EQ(spec.items[2].index, c.collected ? 1 : 0);
        EXPECT_EQ(Read("SETUP/README.TXT"), c.collected ? "changed" : "first");
    }
    UserDialogSpec untitled = Spec();
    untitled.title.clear();
    EXPECT_EQ(UserDialogBox(untitled, nullptr).TemplateName(), "DLGUSRDLGNOTITLE");
}

} // namespace

namespace {

TEST(WindowOps, UpdateLockNestsOnOneWindowOnly)
{
    fw::ScriptedMessageBoxes boxes;
    QWidget a, b;
    LockUpdate(&a, true);
    LockUpdate(&a, true);
    LockUpdate(&b, true);
    EXPECT_EQ(boxes.Count(), 1);
    EXPECT_NE(boxes.Last().text.find("AWNDOBJ"), std::string::npos);
    LockUpdate(&a, false);
    EXPECT_FALSE(a.updatesEnabled());
    LockUpdate(&a, false);
    EXPECT_TRUE(a.updatesEnabled());
    EXPECT_TRUE(b.updatesEnabled());
}

TEST(UserWindow, MustBeDeletedBeforeItsObject)
{
    MessageBoxRequest said;
    fw::Responder<MessageBoxSeam> box([&](const MessageBoxRequest& r) {
        said = r;
        return 0;
    });
    {
        userwnd owned;
        WindowParams p;
        p.className = "KWBACKGROUND";
        p.width = 300;
        ASSERT_TRUE(owned.Create(p));
        EXPECT_EQ(owned.GetHwnd()->width(), 300);
        EXPECT_TRUE(IsClass(owned.GetHwnd(), "kwbackground"));
        owned.del();
        EXPECT_EQ(owned.GetHwnd(), nullptr);
    }
    EXPECT_EQ(said.text, "");
    {
        userwnd forgotten;
        forgotten.Create(WindowParams());
    }
    EXPECT_EQ(said.text, "del() must be called before userwnd::~userwnd()");
}

} // namespace
