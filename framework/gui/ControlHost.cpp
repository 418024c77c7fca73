#include "framework/gui/ControlHost.h"

#include "framework/gui/ComboBox.h"
#include "framework/gui/Edit.h"
#include "framework/gui/Gauge.h"
#include "framework/gui/ListBox.h"
#include "framework/gui/Validator.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTimer>
#include <QWidget>

namespace fw {

ControlHost::ControlHost(QWidget* self) : self_(self) {}

ControlHost::~ControlHost()
{
    for (auto& c : connections_) QObject::disconnect(c);
    for (auto& c : controls_)
        if (auto* edit = dynamic_cast<Edit*>(c.second.data())) edit->SetKillFocusNotify(nullptr);
        else if (auto* combo = dynamic_cast<ComboBox*>(c.second.data())) combo->SetKillFocusNotify(nullptr);
    for (auto& t : timers_) delete t.second;
}

void ControlHost::RegisterControl(int id, QWidget* control)
{
    controls_[id] = control;
    if (!control) return;
    auto keep = [this](QMetaObject::Connection c) { connections_.push_back(c); };
    if (auto* button = dynamic_cast<QAbstractButton*>(control)) {
        keep(QObject::connect(button, &QAbstractButton::clicked, self_, [this, id, button]() {
            // A button registered again under another id must not send the old one.
            if (Control(id) == button) SendCommand(id);
        }));
    }
    // Notifications reach the window only while the control is still registered under the id.
    auto notify = [this, id, control](int code) {
        if (Control(id) == control) SendNotify(id, code);
    };
    if (auto* list = dynamic_cast<ListBox*>(control)) {
        keep(QObject::connect(list, &QListWidget::itemSelectionChanged, self_,
                              [notify] { notify(LBN_SELCHANGE); }));
        keep(QObject::connect(list, &QListWidget::itemDoubleClicked, self_,
                              [notify] { notify(LBN_DBLCLK); }));
    } else if (auto* combo = dynamic_cast<QComboBox*>(control)) {
        keep(QObject::connect(combo, QOverload<int>::of(&QComboBox::activated), self_,
                              [notify] { notify(CBN_SELCHANGE); }));
        if (combo->lineEdit())
            keep(QObject::connect(combo->lineEdit(), &QLineEdit::textEdited, self_,
                                  [notify] { notify(CBN_EDITCHANGE); }));
        if (auto* own = dynamic_cast<ComboBox*>(combo)) own->SetKillFocusNotify([notify] { notify(CBN_KILLFOCUS); });
    } else if (auto* edit = dynamic_cast<QLineEdit*>(control)) {
        keep(QObject::connect(edit, &QLineEdit::textChanged, self_, [notify] { notify(EN_CHANGE); }));
        if (auto* own = dynamic_cast<Edit*>(edit)) own->SetKillFocusNotify([notify] { notify(EN_KILLFOCUS); });
    }
}

void ControlHost::GroupRadioButtons(const std::vector<int>& ids)
{
    auto* group = new QButtonGroup(self_);
    group->setExclusive(true);
    for (int id : ids)
        if (auto* b = ControlAs<QAbstractButton>(id)) {
            b->setAutoExclusive(false);
            group->addButton(b);
        }
}

void ControlHost::OnNotify(int id, int code, std::function<void()> handler)
{
    if (handler) notifyHandlers_[{id, code}] = std::move(handler);
    else notifyHandlers_.erase({id, code});
}

bool ControlHost::SendNotify(int id, int code)
{
    auto it = notifyHandlers_.find({id, code});
    if (it != notifyHandlers_.end()) {
        auto handler = it->second;
        handler();
        return true;
    }
    return EvNotify(id, code);
}

bool ControlHost::EvNotify(int, int)
{
    return false;
}

QWidget* ControlHost::Control(int id) const
{
    auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second.data();
}

std::vector<int> ControlHost::ControlIds() const
{
    std::vector<int> ids;
    for (const auto& c : controls_)
        if (c.second) ids.push_back(c.first);
    return ids;
}

void ControlHost::EnableControl(int id, bool enable)
{
    if (QWidget* w = Control(id)) w->setEnabled(enable);
}

bool ControlHost::IsControlEnabled(int id) const
{
    QWidget* w = Control(id);
    return w && w->isEnabled();
}

void ControlHost::ShowControl(int id, bool show)
{
    if (QWidget* w = Control(id)) w->setHidden(!show);
}

bool ControlHost::IsControlShown(int id) const
{
    QWidget* w = Control(id);
    return w && !w->isHidden();
}

void ControlHost::CheckButton(int id, int state)
{
    if (auto* c = ControlAs<QCheckBox>(id)) {
        if (state == BF_GRAYED) {
            c->setTristate(true);
            c->setCheckState(Qt::PartiallyChecked);
        } else {
            c->setCheckState(state == BF_CHECKED ? Qt::Checked : Qt::Unchecked);
        }
    } else if (auto* b = ControlAs<QAbstractButton>(id)) {
        if (auto* r = dynamic_cast<QRadioButton*>(b)) {
            // Unchecking one radio button of an exclusive group needs the group switched off.
            bool exclusive = r->autoExclusive();
            QButtonGroup* group = r->group();
            bool groupExclusive = group && group->exclusive();
            r->setAutoExclusive(false);
            if (group) group->setExclusive(false);
            if (state == BF_CHECKED && group)
                for (QAbstractButton* other : group->buttons())
                    if (other != r) other->setChecked(false);
            r->setChecked(state == BF_CHECKED);
            if (group) group->setExclusive(groupExclusive);
            r->setAutoExclusive(exclusive);
        } else {
            b->setCheckable(true);
            b->setChecked(state == BF_CHECKED);
        }
    }
}

int ControlHost::IsButtonChecked(int id) const
{
    if (auto* c = ControlAs<QCheckBox>(id)) {
        switch (c->checkState()) {
        case Qt::Checked: return BF_CHECKED;
        case Qt::PartiallyChecked: return BF_GRAYED;
        default: return BF_UNCHECKED;
        }
    }
    if (auto* b = ControlAs<QAbstractButton>(id)) return b->isChecked() ? BF_CHECKED : BF_UNCHECKED;
    return BF_UNCHECKED;
}

void ControlHost::SetControlText(int id, const std::string& text)
{
    QString t = QString::fromStdString(text);
    QWidget* w = Control(id);
    if (!w) return;
    if (auto* e = dynamic_cast<QLineEdit*>(w)) e->setText(t);
    else if (auto* p = dynamic_cast<QPlainTextEdit*>(w)) p->setPlainText(t);
    else if (auto* l = dynamic_cast<QLabel*>(w)) l->setText(t);
    else if (auto* b = dynamic_cast<QAbstractButton*>(w)) b->setText(t);
    else if (auto* g = dynamic_cast<QGroupBox*>(w)) g->setTitle(t);
    else if (auto* c = dynamic_cast<QComboBox*>(w)) {
        if (c->isEditable()) c->setEditText(t);
        else c->setCurrentIndex(c->findText(t));
    } else if (auto* gauge = dynamic_cast<Gauge*>(w)) gauge->SetCaption(text);
    else w->setWindowTitle(t);
}

std::string ControlHost::ControlText(int id) const
{
    QWidget* w = Control(id);
    if (!w) return {};
    QString t;
    if (auto* e = dynamic_cast<QLineEdit*>(w)) t = e->text();
    else if (auto* p = dynamic_cast<QPlainTextEdit*>(w)) t = p->toPlainText();
    else if (auto* l = dynamic_cast<QLabel*>(w)) t = l->text();
    else if (auto* b = dynamic_cast<QAbstractButton*>(w)) t = b->text();
    else if (auto* g = dynamic_cast<QGroupBox*>(w)) t = g->title();
    else if (auto* c = dynamic_cast<QComboBox*>(w)) t = c->currentText();
    else if (auto* gauge = dynamic_cast<Gauge*>(w)) return gauge->GetCaption();
    else t = w->windowTitle();
    return t.toStdString();
}

void ControlHost::FocusControl(int id)
{
    if (QWidget* w = Control(id)) w->setFocus(Qt::OtherFocusReason);
}

void ControlHost::PressButton(int id)
{
    if (auto* b = ControlAs<QAbstractButton>(id)) {
        if (b->isEnabled()) b->click();
    } else {
        SendCommand(id);
    }
}

void ControlHost::SetValidator(int id, std::unique_ptr<Validator> validator)
{
    if (validator) validators_[id] = std::move(validator);
    else validators_.erase(id);
}

const Validator* ControlHost::ValidatorOf(int id) const
{
    auto it = validators_.find(id);
    return it == validators_.end() ? nullptr : it->second.get();
}

bool ControlHost::ValidateControls()
{
    for (const auto& v : validators_) {
        if (!Control(v.first)) continue;
        if (!v.second->IsValid(ControlText(v.first))) {
            v.second->Error(self_);
            FocusControl(v.first);
            return false;
        }
    }
    return true;
}

bool ControlHost::SendCommand(int id)
{
    auto it = handlers_.find(id);
    if (it != handlers_.end()) {
        auto handler = it->second; // a handler may replace itself
        handler();
        return true;
    }
    return EvCommand(id);
}

void ControlHost::PostCommand(int id)
{
    PostCommandTo(this, id);
}

void PostCommandTo(ControlHost* target, int id)
{
    if (!target) return;
    QPointer<QWidget> guard(target->Self());
    QMetaObject::invokeMethod(
        target->Self(),
        [guard, target, id]() {
            if (guard) target->SendCommand(id);
        },
        Qt::QueuedConnection);
}

void ControlHost::OnCommand(int id, std::function<void()> handler)
{
    if (handler) handlers_[id] = std::move(handler);
    else handlers_.erase(id);
}

void ControlHost::OnCommandEnable(int id, std::function<void(CommandEnabler&)> enabler)
{
    if (enabler) enablers_[id] = std::move(enabler);
    else enablers_.erase(id);
}

CommandEnabler ControlHost::QueryCommand(int id) const
{
    CommandEnabler ce;
    ce.id = id;
    auto it = enablers_.find(id);
    if (it != enablers_.end()) it->second(ce);
    return ce;
}

bool ControlHost::EvCommand(int)
{
    return false;
}

void ControlHost::EvTimer(int) {}

void ControlHost::SetTimer(int id, int milliseconds)
{
    QTimer*& timer = timers_[id];
    if (!timer) {
        timer = new QTimer();
        QObject::connect(timer, &QTimer::timeout, self_, [this, id]() { EvTimer(id); });
    }
    timer->start(milliseconds);
}

void ControlHost::KillTimer(int id)
{
    auto it = timers_.find(id);
    if (it == timers_.end()) return;
    delete it->second;
    timers_.erase(it);
}

bool ControlHost::HasTimer(int id) const
{
    return timers_.count(id) != 0;
}

int ControlHost::TimerInterval(int id) const
{
    auto it = timers_.find(id);
    return it != timers_.end() && it->second->isActive() ? it->second->interval() : 0;
}

bool ControlHost::CloseAllowedNow()
{
    if (busy_ > 0) {
        closePending_ = true;
        return false;
    }
    return true;
}

ControlHost::Operation::Operation(ControlHost& host) : widget_(host.Self()), host_(&host)
{
    ++host_->busy_;
}

ControlHost::Operation::~Operation()
{
    if (!widget_) return; // destroyed by other means; nothing left to do
    if (--host_->busy_ == 0 && host_->closePending_) {
        host_->closePending_ = false;
        widget_->close();
    }
}

void PumpWaitingMessages()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace fw
