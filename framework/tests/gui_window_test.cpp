// Windows: closing during a pumped operation, timers by id, pop-up menus with enablers,
// painting with an overlay, input box, colour dialog and string tables.
#include "framework/gui/Bitmap.h"
#include "framework/gui/ColorChooser.h"
#include "framework/gui/Dialog.h"
#include "framework/gui/Idle.h"
#include "framework/gui/InputDialog.h"
#include "framework/gui/MessageBox.h"
#include "framework/gui/PopupMenu.h"
#include "framework/gui/RecordingDC.h"
#include "framework/gui/ResourceModule.h"
#include "framework/gui/Window.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class Worker : public fw::Window {
public:
    int steps = 0;
    bool aliveThroughout = true;
    bool sawPendingClose = false;
    // A long operation that pumps messages between its steps.
    void Run(int n)
    {
        Operation op(*this);
        for (int i = 0; i < n; ++i) {
            fw::PumpWaitingMessages();
            sawPendingClose = sawPendingClose || IsClosePending();
            ++steps; // touches the window after every pump
        }
    }
    int ticks = 0;

protected:
    void EvTimer(int id) override
    {
        if (id == 100) ++ticks;
    }
};

TEST(GuiWindow, CloseDuringPumpedOperationWaitsForItsEnd)
{
    auto* w = new Worker;
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->show();
    QPointer<Worker> alive(w);
    // The user closes the window while the operation pumps messages.
    QTimer::singleShot(0, w, [w] { w->close(); });
    w->Run(5);
    // The operation ran to its end on a live window; the close happened after it.
    EXPECT_EQ(w->steps, 5);
    EXPECT_TRUE(w->sawPendingClose);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());
}

TEST(GuiWindow, CloseWithoutOperationIsImmediateAndNestedOperationsWaitForTheOutermost)
{
    Worker w;
    w.show();
    {
        fw::ControlHost::Operation outer(w);
        {
            fw::ControlHost::Operation inner(w);
            w.close();
        }
        EXPECT_TRUE(w.isVisible()); // still inside the outer operation
        EXPECT_TRUE(w.IsClosePending());
    }
    EXPECT_FALSE(w.isVisible());
    w.show();
    w.close();
    EXPECT_FALSE(w.isVisible());
}

TEST(GuiWindow, ModelessDialogClosedDuringPumpSurvivesTheOperation)
{
    auto* d = new fw::Dialog(nullptr, "Busy");
    d->setAttribute(Qt::WA_DeleteOnClose);
    d->Create();
    QPointer<fw::Dialog> alive(d);
    d->PostCommand(fw::IDCANCEL); // hides only
    QTimer::singleShot(0, d, [d] { d->close(); });
    {
        fw::ControlHost::Operation op(*d);
        fw::PumpWaitingMessages();
        fw::PumpWaitingMessages();
        EXPECT_FALSE(alive.isNull());
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());
}

TEST(GuiWindow, TimersAreKeyedById)
{
    Worker w;
    w.SetTimer(100, 1);
    EXPECT_TRUE(w.HasTimer(100));
    QElapsedTimer clock;
    clock.start();
    while (w.ticks < 2 && clock.elapsed() < 5000) {
        QThread::msleep(2);
        QCoreApplication::processEvents();
    }
    EXPECT_GE(w.ticks, 2);
    w.KillTimer(100);
    EXPECT_FALSE(w.HasTimer(100));
    w.FireTimer(7); // other ids are not counted
    EXPECT_GE(w.ticks, 2);
}

class MenuOwner : public fw::Window {
public:
    MenuOwner()
    {
        OnCommand(16119, [this] { ++zoomIn; });
        OnCommand(16106, [this] { ++stereo; });
        OnCommandEnable(16106, [this](fw::CommandEnabler& ce) {
            ce.SetCheck(projection == 1 ? fw::BF_CHECKED : fw::BF_UNCHECKED);
            ce.Enable(!editing);
        });
    }
    int zoomIn = 0, stereo = 0, projection = 1;
    bool editing = false;
};

TEST(GuiWindow, PopupMenuAppliesEnablersAndSendsTheChoice)
{
    MenuOwner owner;
    fw::PopupMenu menu;
    menu.AppendItem(16119, "Zoom In");
    menu.AppendSeparator();
    fw::PopupMenu& sub = menu.AppendPopup("Projection");
    sub.AppendItem(16106, "&Stereographic");
    EXPECT_EQ(menu.Describe(), "Zoom In|-|>Projection");

    fw::ScriptedMenus script({16106, 16119, 0});
    EXPECT_EQ(menu.Track(owner, fw::Point(0, 0)), 16106);
    EXPECT_TRUE(script.Shown()[0].FindItem(16106)->checked);
    EXPECT_EQ(owner.stereo, 1);
    EXPECT_EQ(menu.Track(owner, fw::Point(0, 0)), 16119);
    EXPECT_EQ(owner.zoomIn, 1);
    EXPECT_EQ(menu.Track(owner, fw::Point(0, 0)), 0); // dismissed

    // A disabled item is not sent even when picked.
    owner.editing = true;
    owner.projection = 2;
    fw::ScriptedMenus pick({16106});
    EXPECT_EQ(menu.Track(owner, fw::Point(0, 0)), 0);
    EXPECT_FALSE(pick.Shown()[0].FindItem(16106)->enabled);
    EXPECT_FALSE(pick.Shown()[0].FindItem(16106)->checked);
    EXPECT_EQ(owner.stereo, 1);
}

class Canvas : public fw::Window {
protected:
    void Paint(fw::DC& dc, bool, const fw::Rect&) override
    {
        dc.SelectPen(fw::Pen(QColor(255, 255, 255)));
        dc.Line(fw::Point(0, 10), fw::Point(40, 10));
    }
};

TEST(GuiWindow, OverlayIsDrawnOverThePictureAndErasedWithoutRedrawingIt)
{
    Canvas w;
    w.resize(40, 40);
    w.SetBkgndColor(QColor(0, 0, 0));
    w.GetOverlay().SetRect(1, fw::Rect(5, 5, 30, 30), fw::Pen(fw::InvertedColor(QColor(0, 0, 0)), 1, fw::PenStyle::Solid));
    fw::Bitmap with(40, 40);
    w.RenderTo(with);
    EXPECT_EQ(with.PixelAt(5, 20), QColor(255, 255, 255)); // the rectangle's left edge
    EXPECT_EQ(with.PixelAt(20, 10), QColor(255, 255, 255)); // the picture
    w.GetOverlay().Remove(1);
    fw::Bitmap without(40, 40);
    w.RenderTo(without);
    EXPECT_EQ(without.PixelAt(5, 20), QColor(0, 0, 0));
    EXPECT_EQ(without.PixelAt(20, 10), QColor(255, 255, 255));

    fw::RecordingDC dc;
    fw::Overlay o;
    o.SetLine(2, fw::Point(1, 2), fw::Point(3, 4), fw::Pen(QColor(255, 0, 0)));
    o.SetLine(2, fw::Point(1, 2), fw::Point(5, 6), fw::Pen(QColor(255, 0, 0))); // moved, not added
    o.Draw(dc);
    EXPECT_EQ(dc.Log(), std::vector<std::string>{"Line 1,2 5,6"});
}

std::vector<std::string> qtMessages;
void CollectQtMessage(QtMsgType, const QMessageLogContext&, const QString& text)
{
    qtMessages.push_back(text.toStdString());
}

TEST(GuiWindow, PaintingOnTheScreenKnowsItsColoursWithoutAWarning)
{
    struct Colours : Canvas {
        int colors = 0;
        void Paint(fw::DC& dc, bool erase, const fw::Rect& rect) override
        {
            colors = dc.DeviceColors();
            Canvas::Paint(dc, erase, rect);
        }
    } w;
    w.resize(40, 40);
    w.SetBkgndColor(QColor(0, 0, 0));
    qtMessages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(CollectQtMessage);
    const QImage shown = w.grab().toImage();
    qInstallMessageHandler(previous);
    EXPECT_EQ(qtMessages, std::vector<std::string>{});
    EXPECT_EQ(w.colors, 1 << 24);
    EXPECT_EQ(shown.pixelColor(20, 10), QColor(255, 255, 255));
}

TEST(GuiWindow, MouseHandlersGetKeysAndPoints)
{
    struct Clicks : fw::Window {
        std::vector<std::string> seen;
        void EvLButtonDown(unsigned k, const fw::Point& p) override
        {
            seen.push_back("down " + std::to_string(k) + " " + std::to_string(p.x) + "," + std::to_string(p.y));
        }
        void EvRButtonDown(unsigned k, const fw::Point&) override { seen.push_back("right " + std::to_string(k)); }
    } w;
    w.resize(50, 50);
    w.SimulateMouse(QEvent::MouseButtonPress, Qt::LeftButton, fw::Point(3, 4), Qt::ControlModifier);
    w.SimulateMouse(QEvent::MouseButtonPress, Qt::RightButton, fw::Point(1, 1));
    EXPECT_EQ(w.seen, (std::vector<std::string>{"down 9 3,4", "right 2"}));
}

// An idle action that pumps events is not entered again by its pump's idle times, while
// another action still runs at them.
TEST(GuiIdle, AnActionThatPumpsBlocksOnlyItself)
{
    QObject owner;
    int pumpingRuns = 0, reentered = 0, otherRuns = 0, otherRunsDuringPump = 0;
    bool pumping = false;
    fw::OnIdle(&owner, [&] {
        if (pumping) ++reentered;
        if (++pumpingRuns > 1) return;
        pumping = true;
        const int before = otherRuns;
        QEventLoop pump;
        QTimer::singleShot(20, &pump, &QEventLoop::quit);
        pump.exec();
        otherRunsDuringPump = otherRuns - before;
        pumping = false;
    });
    fw::OnIdle(&owner, [&] { ++otherRuns; });
    QEventLoop loop;
    QTimer::singleShot(60, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_GT(pumpingRuns, 1) << "the pumping action runs again once its pump is over";
    EXPECT_EQ(reentered, 0);
    EXPECT_GT(otherRunsDuringPump, 0) << "the other action ran while the first one pumped";
}

TEST(GuiInputBox, OkTakesTheTextCancelKeepsIt)
{
    std::string name = "Local";
    {
        fw::ScriptedDialogs script([](fw::Dialog& d) {
            EXPECT_EQ(d.GetCaption(), "Custom Time Zone");
            EXPECT_EQ(d.ControlText(fw::InputDialog::kPromptId), "Please Enter Zone Name");
            EXPECT_EQ(d.ControlText(fw::InputDialog::kEditId), "Local");
            d.SetControlText(fw::InputDialog::kEditId, "Mountain");
            d.PressButton(fw::IDOK);
            return 0;
        });
        EXPECT_EQ(fw::InputBox(nullptr, "Custom Time Zone", "Please Enter Zone Name", name, 20), fw::IDOK);
    }
    EXPECT_EQ(name, "Mountain");
    fw::ScriptedDialogs cancel([](fw::Dialog& d) {
        d.SetControlText(fw::InputDialog::kEditId, "changed");
        return fw::IDCANCEL;
    });
    EXPECT_EQ(fw::InputBox(nullptr, "T", "P", name), fw::IDCANCEL);
    EXPECT_EQ(name, "Mountain");
}

TEST(GuiColorChooser, ResponderChoosesOrCancels)
{
    QColor c(1, 2, 3);
    {
        fw::Responder<fw::ColorChooserSeam> choose([](QColor& color, fw::CustomColors&) {
            EXPECT_EQ(color, QColor(1, 2, 3));
            color = QColor(200, 100, 50);
            return true;
        });
        EXPECT_TRUE(fw::ChooseColor(nullptr, c));
        EXPECT_EQ(c, QColor(200, 100, 50));
    }
    {
        fw::Responder<fw::ColorChooserSeam> cancel([](QColor& color, fw::CustomColors& custom) {
            color = QColor(0, 0, 0);
            custom[3] = QColor(9, 9, 9);
            return false;
        });
        fw::CustomColors row{};
        row[3] = QColor(1, 1, 1);
        EXPECT_FALSE(fw::ChooseColor(nullptr, c, &row));
        EXPECT_EQ(c, QColor(200, 100, 50)); // a cancel changes nothing, the custom row neither
        EXPECT_EQ(row[3], QColor(1, 1, 1));
    }
    EXPECT_EQ(fw::ColorToRef(fw::ColorFromRef(0x00B3D6FF)), 0x00B3D6FFu);
    EXPECT_EQ(fw::ColorFromRef(0x000000FF), QColor(255, 0, 0));
}

TEST(GuiResources, StringTableByNumber)
{
    fw::ResourceModule module("ui", {{1000, "And|Andromeda"}, {1088, "nc|(no comment)"}});
    EXPECT_EQ(module.LoadString(1000), "And|Andromeda");
    EXPECT_EQ(module.LoadString(1001), "");
    std::string s;
    EXPECT_TRUE(module.LoadString(1088, s, 5));
    EXPECT_EQ(s, "nc|(n");
    EXPECT_FALSE(module.LoadString(5, s));
    EXPECT_EQ(s, "");
}

} // namespace
