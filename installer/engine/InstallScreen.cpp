#include "installer/engine/InstallScreen.h"

#include "framework/gui/PainterDC.h"
#include "installer/support/FilePath.h"
#include "installer/support/LanguageLibrary.h"
#include "installer/support/PathBuffer.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cstring>

namespace kw {

// ---- picture buttons

// A button drawn with two pictures ("UP" and "DN"): pressed while the mouse button is down over
// it, up again when the mouse leaves it; the command goes out when it is released over it.
// Without its pictures it draws a plain raised button with a sign.
class PictureButton : public QWidget {
public:
    PictureButton(InstallScreen* screen, int command, const char* up, const char* down)
        : QWidget(screen), screen_(screen), command_(command)
    {
        setObjectName(QString("kwgadbtn%1").arg(command));
        up_.LoadResource(up);
        down_.LoadResource(down);
        setCursor(Qt::ArrowCursor);
    }
    int State() const { return state_; }
    bool HasPictures() const { return up_.HasBits() && down_.HasBits(); }

protected:
    void mousePressEvent(QMouseEvent* e) override
    {
        if (e->button() != Qt::LeftButton) return;
        SetState(1);
    }
    void mouseMoveEvent(QMouseEvent* e) override
    {
        if (state_ == 0) return;
        SetState(rect().contains(e->position().toPoint()) ? 1 : 2);
    }
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        if (e->button() != Qt::LeftButton || state_ == 0) return;
        const bool inside = rect().contains(e->position().toPoint());
        SetState(0);
        if (inside) screen_->Command(command_);
    }
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        fw::PainterDC pdc(painter, fw::Size(width(), height()), logicalDpiX(), logicalDpiY());
        DrawContext dc(pdc, width(), height());
        const Rect all(0, 0, width() - 1, height() - 1);
        const DibPicture& picture = state_ == 1 ? down_ : up_;
        if (picture.HasBits()) {
            picture.DrawInto(dc, all);
            return;
        }
        DrawPlain(dc, all);
    }

private:
    void SetState(int state)
    {
        if (state == state_) return;
        state_ = state;
        update();
    }

    // A grey button with a bevel, sunk while pressed, and the sign of its command.
    void DrawPlain(DrawContext& dc, const Rect& r)
    {
        fw::DC& d = dc.Dc();
        const bool pressed = state_ == 1;
        dc.FillRectColour(r, Rgb(192, 192, 192));
        const QColor light(255, 255, 255), dark(128, 128, 128);
        d.SelectPen(fw::Pen(pressed ? dark : light));
        d.Line({r.left, r.bottom}, {r.left, r.top});
        d.LineTo({r.right, r.top});
        d.SelectPen(fw::Pen(pressed ? light : dark));
        d.Line({r.right, r.top}, {r.right, r.bottom});
        d.LineTo({r.left, r.bottom});
        const int shift = pressed ? 1 : 0;
        const int cx = (r.left + r.right) / 2 + shift, cy = (r.top + r.bottom) / 2 + shift;
        const int s = Min(r.Width(), r.Height()) / 4;
        d.SelectPen(fw::Pen(QColor(0, 0, 0), 2));
        switch (command_) {
        case InstallScreen::kCmdExit:
            d.Line({cx - s, cy - s}, {cx + s, cy + s});
            d.Line({cx - s, cy + s}, {cx + s, cy - s});
            break;
        case InstallScreen::kCmdMinimise: d.Line({cx - s, cy + s}, {cx + s, cy + s}); break;
        default: {
            d.SelectFont(fw::Font("Arial", 2 * s + 4, 700));
            d.SetBkMode(fw::TRANSPARENT);
            d.SetTextColor(QColor(0, 0, 0));
            d.SetTextAlign(fw::TA_CENTER | fw::TA_TOP);
            d.TextOut({cx, cy - d.GetTextExtent("?").cy / 2}, "?");
            break;
        }
        }
    }

    InstallScreen* screen_;
    int command_;
    DibPicture up_, down_;
    int state_ = 0; // 0 up, 1 pressed, 2 pressed with the mouse outside
};

// ---- gauge dialog

void ScreenGaugeDialog::SetColours(uint32_t first, uint32_t second)
{
    first_.SetColour(first);
    second_.SetColour(second);
}

void ScreenGaugeDialog::SetValues(int a, int b)
{
    first_.SetPercent(a);
    second_.SetPercent(b);
}

intptr_t ScreenGaugeDialog::DialogProc(unsigned message, uintptr_t, intptr_t)
{
    switch (message) {
    case kMsgInitDialog:
        if (QWidget* w = Item(101)) first_.Attach(w);
        if (QWidget* w = Item(102)) second_.Attach(w);
        return 1;
    case kMsgCommand:
    case kMsgSysCommand: return 1; // the gauge is never closed by the user
    case kMsgDestroy:
        first_.Detach();
        second_.Detach();
        return 0;
    default: return 0;
    }
}

// ---- pictures by name

PictureSource PictureSourceFor(const char* name)
{
    PictureSource source;
    const char* n = name ? name : "";
    if (!std::strpbrk(n, "\\/:.")) {
        source.SetResource(n);
        return source;
    }
    PathBuffer path;
    PathBuffer dir;
    const bool absolute = n[0] == '\\' || n[0] == '/' || std::strchr(n, ':');
    if (!absolute && ModuleDirectory(dir) && JoinPath(path, dir.Text(), n)) source.SetFile(path.Text());
    else source.SetFile(n);
    return source;
}

// ---- placement

QRect InstallScreen::ScreenArea()
{
    if (QScreen* s = QGuiApplication::primaryScreen()) return s->availableGeometry();
    return QRect(0, 0, 1024, 768);
}

QRect InstallScreen::WindowGeometry(int mode, int widthPerMille, int heightPerMille, const QSize& picture,
                                    const QRect& screen)
{
    const int sw = screen.width(), sh = screen.height();
    int w = sw, h = sh;
    switch (mode) {
    case 1: return screen; // maximised at the screen's origin
    case 2:
        w = picture.width();
        h = picture.height();
        break;
    case 3:
        w = MulDiv(widthPerMille, sw, 1000);
        h = MulDiv(heightPerMille, sh, 1000);
        break;
    default: break;
    }
    w = Clamp(w, 1, Max(sw, 1));
    h = Clamp(h, 1, Max(sh, 1));
    return QRect(screen.left() + (sw - w) / 2, screen.top() + (sh - h) / 2, w, h);
}

QRect InstallScreen::ElementRect(const ScreenElement& e, const QSize& client)
{
    const int cw = client.width(), ch = client.height();
    return QRect(MulDiv(e.x, cw, 1000), MulDiv(e.y, ch, 1000), MulDiv(e.width, cw, 1000), MulDiv(e.height, ch, 1000));
}

QRect InstallScreen::ButtonRect(const ScreenElement& e, const QSize& client)
{
    const QRect r = ElementRect(e, client);
    const int w = Clamp(r.width(), 0, int(kButtonWidth)), h = Clamp(r.height(), 0, int(kButtonHeight));
    return QRect(r.left() + (r.width() - w) / 2, r.top() + (r.height() - h) / 2, w, h);
}

// ---- the window

InstallScreen::InstallScreen(const ScreenDescription& description) : d_(description)
{
    setObjectName("wndclasskwbk");
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (!(d_.style & kStyleCaption)) setWindowFlag(Qt::FramelessWindowHint);
}

InstallScreen::~InstallScreen()
{
    message_.DestroyWindow();
    gauge_.DestroyWindow();
}

std::unique_ptr<InstallScreen> InstallScreen::Create(const ScreenDescription& description, const std::string& title,
                                                     std::string* error)
{
    auto fail = [&](const std::string& why) {
        if (error) *error = why;
        return std::unique_ptr<InstallScreen>();
    };
    std::unique_ptr<InstallScreen> s(new InstallScreen(description));
    const ScreenDescription& d = s->d_;
    if (d.backgroundMode != 0 || d.windowMode == 2) {
        if (!s->background_.Load(PictureSourceFor(d.background.Text())) && d.windowMode == 2)
            return fail(std::string("cannot read the background picture ") + d.background.Text());
    }
    if (d.logo.visible) {
        s->logo_.Load(PictureSourceFor(d.logoPicture.Text()));
        if (d.keyX >= 0 && d.keyY >= 0) s->logo_.SetTransparentPixel(d.keyX, d.keyY);
    }
    if (d.metafile.visible) s->metafile_.Load(d.metafilePath.Text());

    s->setWindowTitle(QString::fromStdString(title));
    const QRect screen = ScreenArea();
    const QRect geometry = WindowGeometry(d.windowMode, d.width, d.height,
                                          QSize(s->background_.Width(), s->background_.Height()), screen);
    s->setGeometry(geometry);
    if (d.windowMode == 1) s->setWindowState(Qt::WindowMaximized);
    s->show();
    s->activateWindow();

    static const struct {
        int command;
        const char* up;
        const char* down;
    } kButtons[3] = {{kCmdExit, "BMEXITUP", "BMEXITDN"},
                     {kCmdScreenHelp, "BMHELPUP", "BMHELPDN"},
                     {kCmdMinimise, "BMMINZUP", "BMMINZDN"}};
    for (int i = 0; i < 3; ++i) s->buttons_[i] = new PictureButton(s.get(), kButtons[i].command, kButtons[i].up, kButtons[i].down);

    if (!FindDialogDescription("DLGGAUGE")) return fail("no dialog description DLGGAUGE");
    s->gauge_.SetColours(d.bar1, d.bar2);
    if (!CreateModelessDialog(s->gauge_, s.get(), "DLGGAUGE")) return fail("cannot make the gauge dialog");
    QWidget* g = s->gauge_.Window();
    QPalette p = g->palette();
    p.setColor(QPalette::Window, ToQColor(d.gaugeColour));
    g->setPalette(p);
    g->setAutoFillBackground(true);
    s->gauge_.SetValues(s->a_, s->b_);
    s->PlaceChildren();
    for (PictureButton* b : s->buttons_) b->show();
    if (d.gauge.visible) g->show();
    return s;
}

QWidget* InstallScreen::Button(int id) const
{
    if (id < kCmdExit || id > kCmdMinimise) return nullptr;
    return buttons_[id - kCmdExit];
}

void InstallScreen::Command(int id)
{
    switch (id) {
    case kCmdExit:
        if (onExit) onExit();
        break;
    case kCmdScreenHelp:
        if (onHelp) onHelp();
        break;
    case kCmdMinimise:
        if (onMinimise) onMinimise();
        else showMinimized();
        break;
    default: break;
    }
}

void InstallScreen::PlaceChildren()
{
    const QSize client = size();
    const ScreenElement* places[3] = {&d_.exitButton, &d_.helpButton, &d_.minimiseButton};
    for (int i = 0; i < 3; ++i) {
        if (!buttons_[i]) continue;
        buttons_[i]->setGeometry(ButtonRect(*places[i], client));
        buttons_[i]->setVisible(places[i]->visible != 0);
    }
    if (QWidget* g = gauge_.Window()) {
        const QRect r = ElementRect(d_.gauge, client);
        g->move(mapToGlobal(r.topLeft()));
    }
}

void InstallScreen::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    PlaceChildren();
}

void InstallScreen::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    PlaceChildren();
}

void InstallScreen::closeEvent(QCloseEvent* event)
{
    // Closing the window is the exit button: the controller decides.
    event->ignore();
    Command(kCmdExit);
}

// ---- painting

void InstallScreen::paintEvent(QPaintEvent* event)
{
    // Over a painter of our own: the platform's device context asks a widget for facts that
    // widgets do not give.
    QPainter painter(this);
    fw::PainterDC pdc(painter, fw::Size(width(), height()), logicalDpiX(), logicalDpiY());
    DrawContext dc(pdc, width(), height());
    Paint(dc, Rect::FromDevice(fw::Rect(event->rect().left(), event->rect().top(), event->rect().right() + 1,
                                        event->rect().bottom() + 1)));
}

void InstallScreen::Paint(DrawContext& dc, const Rect& invalid)
{
    const QSize client(dc.Width(), dc.Height());
    const Rect all(0, 0, client.width() - 1, client.height() - 1);
    if (d_.backgroundMode == 1 && background_.HasBits()) {
        background_.DrawTiled(dc, all, invalid);
    } else if (d_.backgroundMode == 2 && background_.HasBits()) {
        background_.DrawInto(dc, all);
    } else {
        FillGradient(dc, all, d_.colours, 16, 16);
    }

    if (d_.logo.visible && logo_.HasBits()) {
        const QRect r = ElementRect(d_.logo, client);
        if (d_.logoPlacement == 1) {
            logo_.DrawInto(dc, Rect(r.left(), r.top(), r.left() + r.width() - 1, r.top() + r.height() - 1));
        } else {
            logo_.Draw(dc, r.left() - logo_.Width() / 2, r.top() - logo_.Height() / 2);
        }
    }

    if (d_.metafile.visible && metafile_.IsLoaded()) {
        const QRect r = ElementRect(d_.metafile, client);
        metafile_.Play(dc, r.left(), r.top(), r.width(), r.height());
    }

    for (const ScreenTextLine& line : d_.lines)
        if (line.place.visible) DrawTextLine(dc, line);
}

void InstallScreen::DrawTextLine(DrawContext& dc, const ScreenTextLine& line)
{
    const QRect r = ElementRect(line.place, QSize(dc.Width(), dc.Height()));
    const std::string text = line.text.Text();
    if (r.height() <= 0 || r.width() <= 0 || text.empty()) return;
    fw::DC& d = dc.Dc();
    d.SaveDC();
    // Weight value 0 normal, 1 bold, anything larger a weight of its own.
    const int weight = line.weight == 0 ? 400 : line.weight == 1 ? 700 : Clamp(line.weight, 100, 900);
    fw::Font font(*line.font.Text() ? line.font.Text() : "Arial", r.height(), weight, line.italic != 0);
    // Smaller until the text fits its width.
    for (int tries = 0; tries < 8 && font.height > 1; ++tries) {
        d.SelectFont(font);
        const int w = d.GetTextExtent(text).cx;
        if (w <= r.width()) break;
        font.height = Max(1, static_cast<int>(int64_t(font.height) * r.width() / w) - (tries ? 1 : 0));
    }
    d.SelectFont(font);
    d.SetBkMode(fw::TRANSPARENT);
    d.SetTextAlign(fw::TA_LEFT | fw::TA_TOP);
    // The shadow lies one millimetre away, across and down.
    const int dx = RoundToInt(d.LogPixelsX() / 25.4), dy = RoundToInt(d.LogPixelsY() / 25.4);
    if (line.shadow == 1) {
        d.SetTextColor(QColor(255, 255, 255));
        d.TextOut({r.left() + dx / 2, r.top() + dy / 2}, text);
    }
    if (line.shadow == 1 || line.shadow == 2) {
        d.SetTextColor(QColor(0, 0, 0));
        d.TextOut({r.left() + dx, r.top() + dy}, text);
    }
    d.SetTextColor(ToQColor(line.colour));
    d.TextOut({r.left(), r.top()}, text);
    d.RestoreDC();
}

// ---- message window

void InstallScreen::ShowMessage(const std::string& title, const std::string& text, int xPerMille, int yPerMille,
                                uint32_t minimumMs)
{
    message_.DestroyWindow();
    message_.SetOwner(this);
    message_.SetCaption(title.c_str());
    message_.SetText("%s", text.c_str());
    const QPoint at = mapToGlobal(QPoint(MulDiv(xPerMille, width(), 1000), MulDiv(yPerMille, height(), 1000)));
    message_.SetPosition(at.x(), at.y());
    message_.SetMinimumTime(minimumMs);
    if (!message_.Show()) return;
    // Without an icon and a button the text takes the icon's place and the box ends below it.
    QWidget* w = message_.Window();
    QWidget* icon = message_.Item(102);
    QWidget* label = message_.Item(101);
    QWidget* ok = message_.Item(kCmdOk);
    if (!label) return;
    if (icon && icon->isHidden())
        label->setGeometry(icon->x(), label->y(), label->x() + label->width() - icon->x(), label->height());
    if (!ok || ok->isHidden()) w->setFixedHeight(label->y() + label->height() + label->y());
    const QRect frame = w->frameGeometry();
    w->move(at.x() - frame.width() / 2, at.y() - frame.height() / 2);
}

void InstallScreen::HideMessage() { message_.Close(); }

// ---- progress

void InstallScreen::SetProgress(int overallPercent, int filePercent)
{
    a_ = std::clamp(overallPercent, 0, 100);
    b_ = std::clamp(filePercent, 0, 100);
    gauge_.SetValues(a_, b_);
}

int InstallScreen::GaugeValue(int which) const { return which == 0 ? a_ : b_; }

} // namespace kw
