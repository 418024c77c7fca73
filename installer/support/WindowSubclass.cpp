#include "installer/support/WindowSubclass.h"

#include <QVariant>
#include <QWidget>

namespace kw {

namespace {
const char kProperty[] = "kwSubclass";
}

WindowSubclass* WindowSubclass::Of(QWidget* window)
{
    if (!window) return nullptr;
    QVariant v = window->property(kProperty);
    return v.isValid() ? static_cast<WindowSubclass*>(v.value<void*>()) : nullptr;
}

bool WindowSubclass::Attach(QWidget* window)
{
    Detach();
    if (!window) return false;
    previous_ = Of(window);
    window_ = window;
    window->installEventFilter(this); // the newest filter sees the events first
    window->setProperty(kProperty, QVariant::fromValue<void*>(this));
    return true;
}

void WindowSubclass::Detach()
{
    if (!window_) return;
    window_->removeEventFilter(this);
    if (Of(window_) == this)
        window_->setProperty(kProperty, previous_ ? QVariant::fromValue<void*>(previous_) : QVariant());
    window_ = nullptr;
    previous_ = nullptr;
}

bool WindowSubclass::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window_) return Message(window_, event);
    return false;
}

} // namespace kw
