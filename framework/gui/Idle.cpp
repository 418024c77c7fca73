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
    QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, owner, [action = std::move(action)] {
        static bool running = false;
        if (running) return;
        running = true;
        action();
        running = false;
    });
}

} // namespace fw
