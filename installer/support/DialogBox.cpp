#include "installer/support/DialogBox.h"

#include "installer/support/CheckFailed.h"
#include "installer/support/LanguageLibrary.h"
#include "installer/support/MessageLoop.h"
#include "installer/support/WindowOps.h"
#include "installer/support/WindowStack.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFontMetrics>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVariant>

namespace kw {

namespace {
const char kDialogProperty[] = "kwDialog";

// The dialog window: routes closing and the Enter and Escape keys to the procedure as the
// commands 1 and 2, and its activation to kMsgActivate.
class DialogWindow : public QDialog {
public:
    DialogWindow(Dialog* owner, QWidget* parent) : QDialog(parent), dialog_(owner) {}
    Dialog* dialog_;

protected:
    void reject() override
    {
        if (dialog_) dialog_->Command(kCmdCancel);
    }
    void keyPressEvent(QKeyEvent* e) override
    {
        if (dialog_ && (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)) {
            dialog_->Command(kCmdOk);
            return;
        }
        QDialog::keyPressEvent(e);
    }
    void closeEvent(QCloseEvent* e) override
    {
        if (dialog_ && !dialog_->Ended()) {
            dialog_->DialogProc(kMsgSysCommand, kScClose, 0);
            e->ignore();
            return;
        }
        QDialog::closeEvent(e);
    }
    void changeEvent(QEvent* e) override
    {
        if (dialog_ && e->type() == QEvent::ActivationChange)
            dialog_->DialogProc(kMsgActivate, isActiveWindow() ? 1 : 0, 0);
        QDialog::changeEvent(e);
    }
};

struct BaseUnits {
    int x, y;
};

BaseUnits UnitsOf(const QFont& font)
{
    QFontMetrics fm(font);
    int avg = (fm.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 26 + 1) / 2;
    return {avg > 0 ? avg : 6, fm.height() > 0 ? fm.height() : 13};
}

QFont DialogFont(const fw::DialogDescription& d)
{
    QFont f = QApplication::font();
    f.setPointSize(d.fontPoints + 1); // the Windows dialog font's cell is a point larger
    return f;
}
} // namespace

Dialog* DialogOf(QWidget* window)
{
    if (!window) return nullptr;
    QVariant v = window->property(kDialogProperty);
    return v.isValid() ? static_cast<Dialog*>(v.value<void*>()) : nullptr;
}

int DialogUnitsToPixelsX(int n)
{
    fw::DialogDescription d;
    return n * UnitsOf(DialogFont(d)).x / 4;
}

int DialogUnitsToPixelsY(int n)
{
    fw::DialogDescription d;
    return n * UnitsOf(DialogFont(d)).y / 8;
}

static double PixelsPerMm(bool x)
{
    QScreen* s = QGuiApplication::primaryScreen();
    if (!s) return 96.0 / 25.4;
    return (x ? s->physicalDotsPerInchX() : s->physicalDotsPerInchY()) / 25.4;
}

int PointsToPixelsX(int n) { return static_cast<int>(n * 254.0 / 720.0 * PixelsPerMm(true) + 0.5); }
int PointsToPixelsY(int n) { return static_cast<int>(n * 254.0 / 720.0 * PixelsPerMm(false) + 0.5); }

Dialog::~Dialog()
{
    CheckFailed("DLGBOX", 33, window_ == nullptr);
    DestroyWindow();
}

QWidget* Dialog::Window() const { return window_; }

intptr_t Dialog::DialogProc(unsigned message, uintptr_t wparam, intptr_t)
{
    if (message == kMsgInitDialog) return 1;
    if (message == kMsgCommand && (wparam == kCmdOk || wparam == kCmdCancel)) {
        EndDialog(static_cast<int>(wparam));
        return 1;
    }
    return 0;
}

QWidget* Dialog::Item(int id) const
{
    auto it = items_.find(id);
    return it == items_.end() ? nullptr : it->second;
}

std::string Dialog::ItemText(int id) const { return WindowText(Item(id)); }

void Dialog::SetItemText(int id, const std::string& text) { SetWindowText(Item(id), text); }

void Dialog::ShowItem(int id, bool show)
{
    if (QWidget* w = Item(id)) w->setVisible(show);
}

intptr_t Dialog::Command(int id) { return DialogProc(kMsgCommand, static_cast<uintptr_t>(id), 0); }

void Dialog::EndDialog(int result)
{
    ended_ = true;
    result_ = result;
    if (window_ && window_->isModal()) window_->done(result);
}

void Dialog::DestroyWindow()
{
    if (!window_) return;
    DialogProc(kMsgDestroy, 0, 0);
    MessageLoop::Instance().RemoveModeless(window_);
    QDialog* w = window_;
    window_ = nullptr;
    items_.clear();
    static_cast<DialogWindow*>(w)->dialog_ = nullptr;
    w->setProperty(kDialogProperty, QVariant());
    if (QWidget* owner = w->parentWidget()) owner->setEnabled(true);
    w->hide();
    w->deleteLater();
}

bool Dialog::Build(const std::string& templateName, QWidget* owner)
{
    const fw::DialogDescription* d = FindDialogDescription(templateName.c_str());
    if (!d) return false;
    DestroyWindow();
    ended_ = false;
    result_ = 0;
    auto* w = new DialogWindow(this, owner);
    w->setObjectName(QString::fromStdString(d->name));
    w->setProperty(kDialogProperty, QVariant::fromValue<void*>(this));
    QFont font = DialogFont(*d);
    w->setFont(font);
    BaseUnits u = UnitsOf(font);
    auto px = [&](int n) { return n * u.x / 4; };
    auto py = [&](int n) { return n * u.y / 8; };
    w->setFixedSize(px(d->width), py(d->height));
    w->setWindowTitle(QString::fromStdString(d->caption));
    bool noTitle = false;
    for (const fw::ControlDescription& c : d->controls) {
        QWidget* control = nullptr;
        QString text = QString::fromStdString(c.text);
        if (c.className == "STATIC") {
            auto* l = new QLabel(text, w);
            l->setWordWrap(true);
            l->setAlignment((c.HasStyle("center") ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
            control = l;
        } else if (c.className == "BUTTON" && c.HasStyle("radio")) {
            // A radio button: pressing it sends its command; buttons made one after the
            // other form one group.
            auto* r = new QRadioButton(text, w);
            int id = c.id;
            QObject::connect(r, &QRadioButton::clicked, w, [this, id] { Command(id); });
            control = r;
        } else if (c.className == "BUTTON") {
            auto* b = new QPushButton(text, w);
            b->setAutoDefault(false);
            b->setDefault(c.HasStyle("default"));
            int id = c.id;
            QObject::connect(b, &QPushButton::clicked, w, [this, id] { Command(id); });
            control = b;
        } else if (c.className == "EDIT") {
            if (c.HasStyle("multiline")) {
                auto* p = new QPlainTextEdit(text, w);
                p->setReadOnly(c.HasStyle("readonly"));
                control = p;
            } else {
                auto* e = new QLineEdit(text, w);
                e->setReadOnly(c.HasStyle("readonly"));
                control = e;
            }
        } else if (c.className == "COMBOBOX") {
            control = new QComboBox(w);
        } else if (c.className == "LISTBOX") {
            control = new QListWidget(w);
        } else if (c.className == "ICON") {
            auto* l = new QLabel(w);
            l->setAlignment(Qt::AlignCenter);
            control = l;
        } else {
            auto* f = new QFrame(w);
            if (c.HasStyle("notitle")) noTitle = true;
            control = f;
        }
        control->setGeometry(px(c.x), py(c.y), px(c.width), py(c.height));
        control->setProperty("kwControlId", c.id);
        control->setProperty("kwClass", QString::fromStdString(c.className));
        if (c.HasStyle("hidden")) control->hide();
        if (c.HasStyle("disabled")) control->setEnabled(false);
        if (c.id >= 0) items_[c.id] = control;
    }
    if (noTitle) w->setWindowFlag(Qt::FramelessWindowHint);
    window_ = w;
    DialogProc(kMsgInitDialog, 0, 0);
    return true;
}

int Dialog::RunModal()
{
    if (!window_) return -1;
    if (!ended_) {
        window_->setModal(true);
        window_->exec();
    }
    int result = result_;
    DestroyWindow();
    return result;
}

int RunDialog(Dialog& dialog, const char* templateName)
{
    return RunDialogWithOwner(dialog, WindowStack::Instance().Top(), templateName);
}

int RunDialogWithOwner(Dialog& dialog, QWidget* owner, const char* templateName)
{
    std::string name = templateName ? templateName : "";
    if (!FindDialogDescription(name.c_str())) {
        CheckFailed("DLGBOX", 94, false);
        return -1;
    }
    if (!dialog.Build(name, owner)) {
        CheckFailed("DLGBOX", 118, false);
        return -1;
    }
    if (auto& answer = DialogSeam::Current()) {
        int r = answer(dialog, name);
        if (dialog.Ended()) r = dialog.Result();
        dialog.DestroyWindow();
        return r;
    }
    return dialog.RunModal();
}

bool CreateModelessDialog(Dialog& dialog, QWidget* owner, const char* templateName)
{
    std::string name = templateName ? templateName : "";
    if (!FindDialogDescription(name.c_str())) {
        CheckFailed("DLGBOX", 142, false);
        return false;
    }
    if (!dialog.Build(name, owner)) {
        CheckFailed("DLGBOX", 156, false);
        return false;
    }
    MessageLoop::Instance().AddModeless(dialog.Window());
    return true;
}

} // namespace kw
