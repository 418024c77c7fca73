// Taking over a window's events: a subclass object sees the window's events first and passes
// what it does not handle on (to the object attached before it, then to the window itself).
// Several objects may be attached to one window; the newest sees the events first. The window
// carries the newest object in its property "kwSubclass".
#pragma once

#include <QObject>

class QEvent;
class QWidget;

namespace kw {

class WindowSubclass : public QObject {
public:
    ~WindowSubclass() override { Detach(); }
    bool Attach(QWidget* window);
    void Detach();
    QWidget* Subclassed() const { return window_; }
    // The newest subclass object on a window, null when none.
    static WindowSubclass* Of(QWidget* window);

protected:
    // An event of the window: true when handled here, false to pass it on.
    virtual bool Message(QWidget* window, QEvent* event) = 0;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_ = nullptr;
    WindowSubclass* previous_ = nullptr;
};

} // namespace kw
