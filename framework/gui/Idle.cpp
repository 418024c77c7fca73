#include "framework/gui/Idle.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QObject>
#include <QThread>

namespace fw {

void OnIdle(QObject* owner, std::function<void()> action)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!owner || !app || !action) return;
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(app->thread());
    if (!dispatcher) return;
    // Each registration keeps its own flag: an action that pumps is not entered again, while
    // the other actions still run at the idle times of its pump.
    auto idle = [action = std::move(action), running = false]() mutable {
        if (running) return;
        running = true;
        action();
        running = false;
    };
    QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, owner, std::move(idle));
}

} // namespace fw
