// Windows on a real screen: a window opened under the X platform with a window manager fits a
// 1024 x 768 screen, frame included, with every button it shows inside it and on the screen,
// and it keeps its size (within a few pixels) each time it opens. The RealDisplay test runs the programs' screen
// tests this way; on another platform they are skipped.
#pragma once

#include "framework/testsupport/Snapshot.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QThread>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <sstream>
#include <string>

// Skips the calling test unless it runs on the X platform.
#define STELLUM_REQUIRE_REAL_DISPLAY()                                                           \
    do {                                                                                         \
        if (QGuiApplication::platformName() != QLatin1String("xcb"))                             \
            GTEST_SKIP() << "needs the X platform with a window manager (the RealDisplay test)"; \
    } while (0)

namespace testsupport {

// The screen every window must fit.
constexpr int kFitWidth = 1024;
constexpr int kFitHeight = 768;

// A window of a program by its resource id (0: none), its class and how the program makes it.
template <class W>
struct ScreenEntry {
    int resource = 0;
    std::string className;
    std::function<std::unique_ptr<W>()> make;
    std::string Name() const
    {
        return (resource ? std::to_string(resource) + " " : std::string()) + className;
    }
};

// Lets the window manager frame and place the shown window, and the window's layout settle:
// until its size has stayed the same for a while (at most four seconds).
inline void WaitForWindowManager(QWidget& window)
{
    // Steady: the same size for a third of a second (a busy machine is slow to settle).
    constexpr qint64 kSteadyMs = 330;
    constexpr qint64 kLongestMs = 4000;
    QElapsedTimer clock, steady;
    clock.start();
    steady.start();
    QSize last(-1, -1);
    while (clock.elapsed() < kLongestMs) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(20);
        const bool framed = window.windowHandle() && window.windowHandle()->isExposed();
        const QSize now = window.frameGeometry().size();
        if (!framed || now != last) steady.restart();
        last = now;
        if (steady.elapsed() >= kSteadyMs) return;
    }
}

inline std::string Describe(const QRect& r)
{
    std::ostringstream out;
    out << r.width() << "x" << r.height() << " at " << r.x() << "," << r.y();
    return out.str();
}

// What keeps a shown window from fitting the screen: its frame larger than the screen or
// reaching past it, a visible button outside the window or off the screen.
inline std::vector<std::string> FitProblems(QWidget& window)
{
    std::vector<std::string> problems;
    QRect screen(0, 0, kFitWidth, kFitHeight);
    // A maximised window fills whatever screen it is on; any other must fit the small one.
    if (QScreen* s = window.screen()) screen = window.isMaximized() ? s->geometry() : screen.intersected(s->geometry());
    const QRect frame = window.frameGeometry();
    if (frame.width() > screen.width() || frame.height() > screen.height())
        problems.push_back("window " + Describe(frame) + " is larger than the screen");
    else if (!screen.contains(frame))
        problems.push_back("window " + Describe(frame) + " reaches past the screen " + Describe(screen));
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (!button->isVisibleTo(&window) || button->window() != &window) continue;
        const QRect inWindow(button->mapTo(&window, QPoint(0, 0)), button->size());
        const QRect onScreen(button->mapToGlobal(QPoint(0, 0)), button->size());
        const std::string name = "button \"" + button->text().toStdString() + "\" ";
        if (!window.rect().contains(inWindow))
            problems.push_back(name + Describe(inWindow) + " lies outside the window");
        else if (!screen.contains(onScreen))
            problems.push_back(name + Describe(onScreen) + " lies off the screen");
    }
    return problems;
}

// Fails the calling test for each problem of a shown window.
inline void CheckFits(QWidget& window)
{
    WaitForWindowManager(window);
    for (const std::string& problem : FitProblems(window)) ADD_FAILURE() << problem;
}

// Saves the whole screen, window manager's frames included, for a person to look at.
inline void SaveScreenSnapshot(const std::string& name)
{
    if (SnapshotPath(name).empty()) return;
    // Whatever was just shown has painted.
    for (int i = 0; i < 10; ++i) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(20);
    }
    if (QScreen* screen = QGuiApplication::primaryScreen()) SaveSnapshot(screen->grabWindow(0).toImage(), name);
}

// The same size within a few pixels: a window that keeps its size may still round its fonts'
// metrics a pixel or two apart from one opening to the next; what must never happen is that it
// grows from one opening to the next.
inline ::testing::AssertionResult KeepsItsSize(const QSize& now, const QSize& first)
{
    constexpr int kSlack = 8;
    if (std::abs(now.width() - first.width()) <= kSlack && std::abs(now.height() - first.height()) <= kSlack)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << now.width() << "x" << now.height() << " where it first was "
                                         << first.width() << "x" << first.height();
}

// The window of a program's window object: the object itself when it is a widget. A program
// whose window objects hold their window elsewhere overloads this beside its own class (found
// by argument-dependent lookup).
inline QWidget& WidgetOf(QWidget& window) { return window; }

// Opens the entry's window three times (shown, hidden and shown again, then a new one) with
// setUp run on each new one; it must fit each time and keep the size it first had. A make
// that answers null fails the calling test.
template <class W>
void CheckFitsAndKeepsItsSize(const ScreenEntry<W>& entry, const std::function<void(W&)>& setUp)
{
    std::unique_ptr<W> first = entry.make();
    ASSERT_TRUE(first) << entry.Name();
    setUp(*first);
    QWidget& window = WidgetOf(*first);
    window.show();
    CheckFits(window);
    const QSize size = window.size();
    std::string picture = "screen-" + entry.Name() + ".png";
    for (char& c : picture)
        if (c == ' ') c = '-';
    SaveScreenSnapshot(picture);
    window.hide();
    QApplication::processEvents();
    window.show();
    CheckFits(window);
    EXPECT_TRUE(KeepsItsSize(window.size(), size)) << "shown again";
    first.reset();
    std::unique_ptr<W> second = entry.make();
    ASSERT_TRUE(second) << entry.Name() << " made again";
    setUp(*second);
    QWidget& again = WidgetOf(*second);
    again.show();
    CheckFits(again);
    EXPECT_TRUE(KeepsItsSize(again.size(), size)) << "made again";
    second.reset();
    QApplication::processEvents();
}

} // namespace testsupport
