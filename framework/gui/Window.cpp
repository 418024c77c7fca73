#include "framework/gui/Window.h"

#include "framework/gui/Bitmap.h"
#include "framework/gui/PainterDC.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QPaintEvent>

namespace fw {

unsigned MouseKeys(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    unsigned keys = 0;
    if (buttons & Qt::LeftButton) keys |= MK_LBUTTON;
    if (buttons & Qt::RightButton) keys |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton) keys |= MK_MBUTTON;
    if (modifiers & Qt::ShiftModifier) keys |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier) keys |= MK_CONTROL;
    return keys;
}

Window::Window(QWidget* parent, const std::string& caption)
    : QWidget(parent), ControlHost(this), background_(palette().color(QPalette::Window))
{
    SetCaption(caption);
    setMouseTracking(true);
    overlay_.SetChanged([this] { update(); });
}

Window::~Window() = default;

void Window::EnsureSetUp()
{
    if (setUp_) return;
    setUp_ = true;
    SetupWindow();
}

void Window::SetCaption(const std::string& caption)
{
    setWindowTitle(QString::fromStdString(caption));
}

std::string Window::GetCaption() const
{
    return windowTitle().toStdString();
}

void Window::Invalidate(bool erase)
{
    eraseNext_ = eraseNext_ || erase;
    update();
}

void Window::InvalidateRect(const Rect& r, bool erase)
{
    eraseNext_ = eraseNext_ || erase;
    update(r.Normalized().ToQt());
}

void Window::SetBkgndColor(const QColor& color)
{
    background_ = color;
}

Point Window::MapToParent(const Point& p) const
{
    return Point::FromQt(mapToParent(p.ToQt()));
}

void Window::PaintAll(DC& dc, const Rect& rect, bool erase)
{
    if (erase) dc.FillRect(rect, Brush(background_));
    Paint(dc, erase, rect);
    overlay_.Draw(dc);
}

void Window::RenderTo(Bitmap& bitmap)
{
    EnsureSetUp();
    PainterDC dc(bitmap);
    PaintAll(dc, Rect(0, 0, bitmap.Width(), bitmap.Height()), true);
}

void Window::paintEvent(QPaintEvent* event)
{
    PainterDC dc(this);
    bool erase = eraseNext_;
    eraseNext_ = false;
    PaintAll(dc, Rect::FromQt(event->rect()), erase);
}

void Window::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    EvSize(Size(width(), height()));
}

void Window::showEvent(QShowEvent* event)
{
    EnsureSetUp();
    QWidget::showEvent(event);
}

void Window::closeEvent(QCloseEvent* event)
{
    if (!CloseAllowedNow() || !CanClose()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void Window::Paint(DC&, bool, const Rect&) {}
void Window::EvSize(const Size&) {}
void Window::EvLButtonDown(unsigned, const Point&) {}
void Window::EvLButtonUp(unsigned, const Point&) {}
void Window::EvLButtonDblClk(unsigned, const Point&) {}
void Window::EvRButtonDown(unsigned, const Point&) {}
void Window::EvRButtonUp(unsigned, const Point&) {}
void Window::EvMouseMove(unsigned, const Point&) {}

void Window::mousePressEvent(QMouseEvent* e)
{
    Point p = Point::FromQt(e->position().toPoint());
    unsigned keys = MouseKeys(e->buttons(), e->modifiers());
    if (e->button() == Qt::LeftButton) EvLButtonDown(keys, p);
    else if (e->button() == Qt::RightButton) EvRButtonDown(keys, p);
}

void Window::mouseReleaseEvent(QMouseEvent* e)
{
    Point p = Point::FromQt(e->position().toPoint());
    unsigned keys = MouseKeys(e->buttons(), e->modifiers());
    if (e->button() == Qt::LeftButton) EvLButtonUp(keys, p);
    else if (e->button() == Qt::RightButton) EvRButtonUp(keys, p);
}

void Window::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        EvLButtonDblClk(MouseKeys(e->buttons(), e->modifiers()), Point::FromQt(e->position().toPoint()));
}

void Window::mouseMoveEvent(QMouseEvent* e)
{
    EvMouseMove(MouseKeys(e->buttons(), e->modifiers()), Point::FromQt(e->position().toPoint()));
}

void Window::SimulateMouse(QEvent::Type type, Qt::MouseButton button, const Point& p,
                           Qt::KeyboardModifiers modifiers)
{
    QPointF local(p.x, p.y);
    Qt::MouseButtons buttons = (type == QEvent::MouseButtonRelease || type == QEvent::MouseMove)
                                   ? Qt::MouseButtons(type == QEvent::MouseMove ? button : Qt::NoButton)
                                   : Qt::MouseButtons(button);
    QMouseEvent e(type, local, mapToGlobal(local), type == QEvent::MouseMove ? Qt::NoButton : button,
                  buttons, modifiers);
    QApplication::sendEvent(this, &e);
}

}  // namespace fw
