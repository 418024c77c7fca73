// Window base for the program's own windows (panes, the chart): controls and commands by id,
// timers, painting through a DC, mouse handlers with the button and key state, and an
// overlay of marks over the painted picture.
#pragma once

#include <string>

#include <QEvent>
#include <QWidget>

#include "framework/gui/ControlHost.h"
#include "framework/gui/Geometry.h"
#include "framework/gui/Overlay.h"

namespace fw {

class Bitmap;
class DC;

// Mouse key state passed to the mouse handlers.
constexpr unsigned MK_LBUTTON = 0x01;
constexpr unsigned MK_RBUTTON = 0x02;
constexpr unsigned MK_SHIFT = 0x04;
constexpr unsigned MK_CONTROL = 0x08;
constexpr unsigned MK_MBUTTON = 0x10;

class Window : public QWidget, public ControlHost {
public:
    explicit Window(QWidget* parent = nullptr, const std::string& caption = {});
    ~Window() override;

    // Runs the set-up step once (it also runs by itself before the window is first shown).
    void EnsureSetUp();
    bool IsSetUp() const { return setUp_; }

    void SetCaption(const std::string& caption);
    std::string GetCaption() const;
    Rect GetClientRect() const { return Rect(0, 0, width(), height()); }
    void Invalidate(bool erase = true);
    void InvalidateRect(const Rect& r, bool erase = true);
    void SetBkgndColor(const QColor& color);
    QColor GetBkgndColor() const { return background_; }
    Point MapToParent(const Point& p) const;
    // The window's rectangle in its parent's client coordinates, and moving it there.
    Rect GetRectInParent() const { return Rect::FromQt(geometry()); }
    void SetRectInParent(const Rect& r) { setGeometry(r.Normalized().ToQt()); }

    Overlay& GetOverlay() { return overlay_; }

    // Paints the window (background, Paint, overlay) into a bitmap of its size, as the
    // screen would show it; tests and snapshots use it.
    void RenderTo(Bitmap& bitmap);

    // Sends mouse events to the handlers as the user would cause them (tests).
    void SimulateMouse(QEvent::Type type, Qt::MouseButton button, const Point& p,
                       Qt::KeyboardModifiers modifiers = Qt::NoModifier);

protected:
    virtual void SetupWindow() {}
    // Draws the window; rect is the part to repaint, erase says whether the background was
    // filled first.
    virtual void Paint(DC& dc, bool erase, const Rect& rect);
    virtual void EvSize(const Size& size);
    virtual void EvLButtonDown(unsigned keys, const Point& p);
    virtual void EvLButtonUp(unsigned keys, const Point& p);
    virtual void EvLButtonDblClk(unsigned keys, const Point& p);
    virtual void EvRButtonDown(unsigned keys, const Point& p);
    virtual void EvRButtonUp(unsigned keys, const Point& p);
    virtual void EvMouseMove(unsigned keys, const Point& p);
    // Asked before the window closes; false keeps it open.
    virtual bool CanClose() { return true; }

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void PaintAll(DC& dc, const Rect& rect, bool erase);

    Overlay overlay_;
    QColor background_;
    bool setUp_ = false;
    bool eraseNext_ = true;
};

// The key state of a mouse event.
unsigned MouseKeys(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);

}  // namespace fw
