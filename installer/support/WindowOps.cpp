#include "installer/support/WindowOps.h"

#include "framework/stream/StateReset.h"
#include "installer/support/CheckFailed.h"
#include "installer/support/DialogBox.h"
#include "installer/support/HeapString.h"
#include "installer/support/MessageBoxDialog.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QMetaObject>
#include <QPointer>
#include <QPlainTextEdit>
#include <QPoint>
#include <QScreen>
#include <QVariant>
#include <QWidget>

#include <strings.h>

#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdlib>
#include <cstdio>

namespace kw {

namespace {
std::string Formatted(size_t size, const char* format, va_list args)
{
    std::string text(size, '\0');
    if (format) std::vsnprintf(&text[0], size, format, args);
    text.resize(std::char_traits<char>::length(text.c_str()));
    return text;
}

QRect ScreenArea()
{
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
}

void ShowError(QWidget* owner, const std::string& text)
{
    MessageBoxDialog box;
    box.SetText("%s", text.c_str());
    box.SetStandardIcon(MessageBoxDialog::kIconExclamation);
    box.SetButtons(MessageBoxDialog::kOk);
    box.RunWithOwner(owner, "Error");
}
} // namespace

std::string WindowText(QWidget* w)
{
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text().toStdString();
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text().toStdString();
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text().toStdString();
    if (auto* p = qobject_cast<QPlainTextEdit*>(w)) return p->toPlainText().toStdString();
    if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentText().toStdString();
    if (w && w->isWindow()) return w->windowTitle().toStdString();
    return {};
}

void SetWindowText(QWidget* w, const std::string& text)
{
    QString t = QString::fromStdString(text);
    if (auto* l = qobject_cast<QLabel*>(w)) l->setText(t);
    else if (auto* b = qobject_cast<QAbstractButton*>(w)) b->setText(t);
    else if (auto* e = qobject_cast<QLineEdit*>(w)) e->setText(t);
    else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) p->setPlainText(t);
    else if (auto* c = qobject_cast<QComboBox*>(w)) c->setEditText(t);
    else if (w && w->isWindow()) w->setWindowTitle(t);
}

void SetTextF(QWidget* window, const char* format, ...)
{
    va_list a;
    va_start(a, format);
    std::string t = Formatted(512, format, a);
    va_end(a);
    SetWindowText(window, t);
}

bool GetText(QWidget* window, HeapString& text, const char* blankMessage)
{
    std::string t = WindowText(window);
    if (t.size() > 255) t.resize(255);
    if (!text.Assign(t.c_str())) {
        OutOfMemory();
        return false;
    }
    if (blankMessage && text.IsBlank()) {
        ComplainAt(window, "%s", blankMessage);
        return false;
    }
    return true;
}

namespace {
// Exactly one decimal number, blanks around it allowed, nothing else; false when the number
// is outside the range (sscanf would store a cut-off value).
bool OneNumber(const std::string& text, long long lo, long long hi, long long& out)
{
    const char* p = text.c_str();
    while (*p == ' ' || *p == '\t') ++p;
    if (!*p) return false;
    errno = 0;
    char* end = nullptr;
    long long v = std::strtoll(p, &end, 10);
    if (end == p || errno == ERANGE || v < lo || v > hi) return false;
    while (*end == ' ' || *end == '\t' || *end == '\n' || *end == '\r') ++end;
    if (*end) return false;
    out = v;
    return true;
}
} // namespace

bool GetInt(QWidget* window, int& value)
{
    long long v;
    if (!OneNumber(WindowText(window), INT_MIN, INT_MAX, v)) return false;
    value = static_cast<int>(v);
    return true;
}

bool GetLong(QWidget* window, long& value)
{
    long long v;
    if (!OneNumber(WindowText(window), LONG_MIN, LONG_MAX, v)) return false;
    value = static_cast<long>(v);
    return true;
}

bool GetUInt(QWidget* window, unsigned& value)
{
    long long v;
    if (!OneNumber(WindowText(window), 0, UINT_MAX, v)) return false;
    value = static_cast<unsigned>(v);
    return true;
}

int ScanText(QWidget* window, const char* format, ...)
{
    std::string t = WindowText(window);
    if (t.size() > 255) t.resize(255);
    va_list a;
    va_start(a, format);
    int n = std::vsscanf(t.c_str(), format, a);
    va_end(a);
    return n;
}

void ComplainAt(QWidget* control, const char* format, ...)
{
    va_list a;
    va_start(a, format);
    std::string t = Formatted(512, format, a);
    va_end(a);
    ShowError(control ? control->window() : nullptr, t);
    if (control) control->setFocus();
}

void ErrorAtItem(QWidget* dialog, int id, const char* format, ...)
{
    va_list a;
    va_start(a, format);
    std::string t = Formatted(512, format, a);
    va_end(a);
    ShowError(dialog, t);
    if (Dialog* d = DialogOf(dialog))
        if (QWidget* item = d->Item(id)) item->setFocus();
}

void ErrorBox(QWidget* owner, const char* format, ...)
{
    va_list a;
    va_start(a, format);
    std::string t = Formatted(512, format, a);
    va_end(a);
    ShowError(owner, t);
}

void OutOfMemory()
{
    MessageBoxDialog box;
    box.SetText("Fatal error: Out of memory");
    box.SetStandardIcon(MessageBoxDialog::kIconHand);
    box.SetButtons(MessageBoxDialog::kOk);
    box.RunWithOwner(nullptr, "Error");
}

void Centre(QWidget* window, QWidget* over)
{
    if (!window) return;
    if (!over) over = window->parentWidget();
    QRect area = over ? over->frameGeometry() : ScreenArea();
    window->move(area.center() - QPoint(window->width() / 2, window->height() / 2));
}

void MoveTo(QWidget* window, int x, int y)
{
    if (!window) return;
    QRect screen = ScreenArea();
    int left = x - window->width() / 2, top = y - window->height() / 2;
    // Right and bottom edges first, then left and top, so a window larger than the screen
    // keeps its top-left corner visible.
    if (left + window->width() > screen.right() + 1) left = screen.right() + 1 - window->width();
    if (top + window->height() > screen.bottom() + 1) top = screen.bottom() + 1 - window->height();
    if (left < screen.left()) left = screen.left();
    if (top < screen.top()) top = screen.top();
    window->move(left, top);
}

void ResizeCentred(QWidget* window, int width, int height)
{
    if (!window || width <= 0 || height <= 0) return;
    if (width == window->width() && height == window->height()) return;
    QPoint centre = window->geometry().center();
    window->setGeometry(centre.x() - width / 2, centre.y() - height / 2, width, height);
}

QPoint PermilleToScreen(QWidget* window, int x, int y)
{
    if (!window) return {};
    return window->mapToGlobal(QPoint(window->width() * x / 1000, window->height() * y / 1000));
}

bool IsClass(QWidget* window, const char* name)
{
    if (!window || !name) return false;
    return strcasecmp(window->metaObject()->className(), name) == 0 ||
           strcasecmp(window->objectName().toStdString().c_str(), name) == 0 ||
           strcasecmp(window->property("kwClass").toString().toStdString().c_str(), name) == 0;
}

bool SendCommand(QWidget* window, int id)
{
    Dialog* d = DialogOf(window);
    if (!d) return false;
    d->Command(id);
    return true;
}

bool PostCommand(QWidget* window, int id)
{
    if (!DialogOf(window)) return false;
    QPointer<QWidget> target(window);
    QMetaObject::invokeMethod(
        window, [target, id] { if (target) SendCommand(target, id); }, Qt::QueuedConnection);
    return true;
}

bool NotifyParent(QWidget* control, int code)
{
    if (!control) return false;
    Dialog* d = DialogOf(control->window());
    if (!d) return false;
    d->DialogProc(kMsgCommand, static_cast<uintptr_t>(control->property("kwControlId").toInt()), code);
    return true;
}

bool PostNotifyParent(QWidget* control, int code)
{
    if (!control || !DialogOf(control->window())) return false;
    QPointer<QWidget> target(control);
    QMetaObject::invokeMethod(
        control, [target, code] { if (target) NotifyParent(target, code); }, Qt::QueuedConnection);
    return true;
}

QRect RectInParent(QWidget* window) { return window ? window->geometry() : QRect(); }
int Width(QWidget* window) { return window ? window->frameGeometry().width() : 0; }
int Height(QWidget* window) { return window ? window->frameGeometry().height() : 0; }
int ClientWidth(QWidget* window) { return window ? window->width() : 0; }
int ClientHeight(QWidget* window) { return window ? window->height() : 0; }

void ResizeClient(QWidget* window, int width, int height)
{
    if (window) window->resize(width, height); // Qt sizes the client area; the frame follows
}

void Minimise(QWidget* window)
{
    if (window) window->showMinimized();
}

void Maximise(QWidget* window)
{
    if (window) window->showMaximized();
}

void SetZOrder(QWidget* window, QWidget* after)
{
    if (!window) return;
    if (after) window->stackUnder(after);
    else window->raise();
}

QSize ComboDropHeight(QWidget* window)
{
    if (!window) return {};
    if (auto* c = qobject_cast<QComboBox*>(window)) {
        int rows = c->count() < c->maxVisibleItems() ? c->count() : c->maxVisibleItems();
        return QSize(c->width(), c->height() + rows * c->fontMetrics().height());
    }
    return window->size();
}

void DestroyFollowing(QWidget* dialog, int id, int n)
{
    if (!dialog) return;
    QList<QWidget*> controls = dialog->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    int at = -1;
    for (int i = 0; i < controls.size(); ++i)
        if (controls[i]->property("kwControlId").isValid() && controls[i]->property("kwControlId").toInt() == id) at = i;
    if (at < 0) return;
    for (int i = at + 1; i < controls.size() && n > 0; ++i, --n) {
        controls[i]->hide();
        controls[i]->deleteLater();
    }
}

namespace {
QPointer<QWidget> gLocked;
int gLockDepth = 0;
const fw::StateReset resetLock{[] {
    gLocked = nullptr;
    gLockDepth = 0;
}};
} // namespace

void LockUpdate(QWidget* window, bool on)
{
    if (on) {
        if (gLockDepth > 0 && gLocked != window) {
            CheckFailed("AWNDOBJ", 69, false);
            return;
        }
        if (gLockDepth++ == 0 && window) {
            gLocked = window;
            window->setUpdatesEnabled(false);
        }
        return;
    }
    if (gLockDepth == 0 || gLocked != window) return;
    if (--gLockDepth == 0) {
        if (gLocked) {
            gLocked->setUpdatesEnabled(true);
            gLocked->update();
        }
        gLocked = nullptr;
    }
}

void ListScrollIntoView(QWidget* list, int index)
{
    if (auto* l = qobject_cast<QListWidget*>(list))
        if (QListWidgetItem* item = l->item(index)) l->scrollToItem(item);
}

void ListSelect(QWidget* list, int index, bool keepTop)
{
    auto* l = qobject_cast<QListWidget*>(list);
    if (!l) return;
    int top = l->verticalScrollBar() ? l->verticalScrollBar()->value() : 0;
    if (l->selectionMode() == QAbstractItemView::SingleSelection) l->setCurrentRow(index);
    else if (QListWidgetItem* item = l->item(index)) item->setSelected(true);
    if (keepTop && l->verticalScrollBar()) l->verticalScrollBar()->setValue(top);
    else ListScrollIntoView(list, index);
}

void ListInvalidateItem(QWidget* list, int index)
{
    if (auto* l = qobject_cast<QListWidget*>(list))
        if (QListWidgetItem* item = l->item(index)) l->viewport()->update(l->visualItemRect(item));
}

int ComboAddF(QWidget* combo, const char* format, ...)
{
    auto* c = qobject_cast<QComboBox*>(combo);
    if (!c) return -1;
    va_list a;
    va_start(a, format);
    std::string t = Formatted(512, format, a);
    va_end(a);
    c->addItem(QString::fromStdString(t));
    return c->count() - 1;
}

} // namespace kw
