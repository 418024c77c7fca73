// Idle time: actions that run each time the event loop has handled what was waiting and is
// about to wait for more, the way a window's idle action runs when its message queue empties.
#pragma once

#include <functional>

class QObject;

namespace fw {

// Runs `action` at every idle time of the main thread's event loop until `owner` is destroyed.
// An action that pumps events itself is not entered again meanwhile; other actions still run
// at the idle times of its pump.
void OnIdle(QObject* owner, std::function<void()> action);

} // namespace fw
