#include "installer/support/MessageLoop.h"

#include "framework/stream/StateReset.h"

#include <QCoreApplication>
#include <QObject>

namespace kw {

namespace {
// Counts the events delivered while it is installed on the application.
class EventCounter : public QObject {
public:
    int count = 0;
    bool eventFilter(QObject*, QEvent*) override
    {
        ++count;
        return false;
    }
};
} // namespace

MessageLoop& MessageLoop::Instance()
{
    static MessageLoop loop;
    return loop;
}

namespace {
const fw::StateReset resetLoop{[] { MessageLoop::Instance() = MessageLoop(); }};
} // namespace

void MessageLoop::AddModeless(QWidget* window)
{
    if (modelessCount_ < kMaxModeless) modeless_[modelessCount_++] = window;
}

void MessageLoop::RemoveModeless(QWidget* window)
{
    for (int i = 0; i < modelessCount_; ++i) {
        if (modeless_[i] != window) continue;
        for (int k = i; k + 1 < modelessCount_; ++k) modeless_[k] = modeless_[k + 1];
        modeless_[--modelessCount_] = nullptr;
        return;
    }
}

QWidget* MessageLoop::ModelessAt(int i) const
{
    return i >= 0 && i < modelessCount_ ? modeless_[i] : nullptr;
}

void MessageLoop::SetAccelerators(QWidget* window, const std::string& tableName)
{
    accelWindow_ = window;
    accelTable_ = tableName;
}

int MessageLoop::Run()
{
    return QCoreApplication::instance() ? QCoreApplication::exec() : 0;
}

bool MessageLoop::Pump(bool /*all*/)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return false;
    EventCounter counter;
    app->installEventFilter(&counter);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    app->removeEventFilter(&counter);
    return counter.count > 0;
}

}  // namespace kw
