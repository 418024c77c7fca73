#include "installer/support/ProgressDialog.h"

#include "installer/support/LanguageLibrary.h"
#include "installer/support/MessageBoxDialog.h"
#include "installer/support/TickTimer.h"
#include "installer/support/WindowStack.h"

#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QStyle>

#include <cstdarg>
#include <cstdio>

namespace kw {

namespace {
std::string Formatted(const char* format, va_list args)
{
    char text[1024];
    if (format)
        std::vsnprintf(text, sizeof text, format, args);
    else
        text[0] = 0;
    return text;
}

QPixmap IconPixmap(int standard, const std::string& picture)
{
    QPixmap pm;
    if (!picture.empty()) {
        if (const std::string* bytes = FindPicture(picture.c_str()))
            pm.loadFromData(reinterpret_cast<const uchar*>(bytes->data()), static_cast<uint>(bytes->size()));
        return pm;
    }
    QStyle::StandardPixmap sp;
    switch (standard) {
    case MessageBoxDialog::kIconHand: sp = QStyle::SP_MessageBoxCritical; break;
    case MessageBoxDialog::kIconQuestion: sp = QStyle::SP_MessageBoxQuestion; break;
    case MessageBoxDialog::kIconExclamation: sp = QStyle::SP_MessageBoxWarning; break;
    case MessageBoxDialog::kIconAsterisk: sp = QStyle::SP_MessageBoxInformation; break;
    default: return pm;
    }
    return QApplication::style()->standardIcon(sp).pixmap(32, 32);
}

void Centre(QWidget* w)
{
    QWidget* over = w->parentWidget();
    QRect area = over ? over->frameGeometry()
                      : (QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry()
                                                          : QRect(0, 0, 1024, 768));
    w->move(area.center() - QPoint(w->width() / 2, w->height() / 2));
}
} // namespace

// ---- progress dialog

bool ProgressDialog::Create()
{
    QWidget* owner = owner_ ? owner_ : WindowStack::Instance().Top();
    if (!CreateModelessDialog(*this, owner, "DLGPROG")) return false;
    if (QWidget* bar = Item(104)) gauge_.Attach(bar);
    if (auto* icon = qobject_cast<QLabel*>(Item(105))) {
        QPixmap pm = icon_.empty() ? QPixmap() : IconPixmap(0, icon_);
        icon->setPixmap(pm);
        icon->setVisible(!pm.isNull());
        if (pm.isNull()) {
            // Without an icon the lines and the gauge take its place on the left.
            int shift = Item(101) ? Item(101)->x() - icon->x() : 0;
            for (int id : {101, 102, 103, 104})
                if (QWidget* w = Item(id)) w->setGeometry(w->x() - shift, w->y(), w->width() + shift, w->height());
        }
    }
    Centre(Window());
    Window()->show();
    return true;
}

void ProgressDialog::SetLine(int id, const char* text)
{
    SetItemText(id, text);
    if (QWidget* w = Item(id)) w->repaint();
}

void ProgressDialog::SetTitle(const char* format, ...)
{
    va_list a;
    va_start(a, format);
    std::string t = Formatted(format, a);
    va_end(a);
    if (Window()) Window()->setWindowTitle(QString::fromStdString(t));
}

#define KW_LINE(name, id)                                   \
    void ProgressDialog::name(const char* format, ...)      \
    {                                                       \
        va_list a;                                          \
        va_start(a, format);                                \
        std::string t = Formatted(format, a);               \
        va_end(a);                                          \
        SetLine(id, t.c_str());                             \
    }
KW_LINE(SetLine1, 101)
KW_LINE(SetLine2, 102)
KW_LINE(SetLine3, 103)
#undef KW_LINE

intptr_t ProgressDialog::DialogProc(unsigned message, uintptr_t wparam, intptr_t)
{
    switch (message) {
    case kMsgInitDialog: return 1;
    case kMsgCommand:
        if (wparam == kCmdOk || wparam == kCmdCancel) {
            if (cancel_) *cancel_ = true;
            return 1;
        }
        return 0;
    case kMsgSysCommand:
        if (wparam == kScClose) {
            if (cancel_) *cancel_ = true;
            return 1;
        }
        return 0;
    case kMsgDestroy: gauge_.Detach(); return 0;
    default: return 0;
    }
}

// ---- modeless message

bool ModelessMessage::Show()
{
    QWidget* owner = owner_ ? owner_ : WindowStack::Instance().Top();
    closedByUser_ = false;
    if (!CreateModelessDialog(*this, owner, "DLGMSGDLG")) return false;
    if (minimumMs_) shownAt_ = TickCount();
    QWidget* w = Window();
    if (!caption_.empty()) w->setWindowTitle(QString::fromStdString(caption_));
    ShowItem(kCmdOk, showOk_);
    if (auto* icon = qobject_cast<QLabel*>(Item(102))) {
        QPixmap pm = IconPixmap(icon_, "");
        icon->setPixmap(pm);
        icon->setVisible(!pm.isNull());
    }
    SetItemText(101, text_);
    if (centred_) {
        Centre(w);
    } else {
        w->move(x_ - w->width() / 2, y_ - w->height() / 2);
    }
    w->show();
    return true;
}

void ModelessMessage::SetText(const char* format, ...)
{
    va_list a;
    va_start(a, format);
    text_ = Formatted(format, a);
    va_end(a);
    SetItemText(101, text_);
    if (QWidget* w = Item(101)) w->repaint();
}

void ModelessMessage::Close()
{
    if (minimumMs_ && Window()) {
        uint32_t elapsed = TickCount() - shownAt_;
        if (elapsed < minimumMs_) TickTimer().WaitFor(minimumMs_ - elapsed);
    }
    DestroyWindow();
}

intptr_t ModelessMessage::DialogProc(unsigned message, uintptr_t wparam, intptr_t)
{
    if (message == kMsgInitDialog) return 1;
    if (message == kMsgCommand && (wparam == kCmdOk || wparam == kCmdCancel)) {
        closedByUser_ = true;
        return 1;
    }
    return 0;
}

} // namespace kw
