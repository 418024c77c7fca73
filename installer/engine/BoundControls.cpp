#include "installer/engine/BoundControls.h"

#include "installer/support/CheckFailed.h"
#include "installer/support/DialogBox.h"
#include "installer/support/HeapString.h"
#include "installer/support/PathName.h"
#include "installer/support/ResString.h"
#include "installer/support/WindowOps.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QObject>
#include <QWidget>

#include <algorithm>
#include <cctype>
#include <cstring>

namespace kw {

namespace {

// Reports a control's focus to its dialog as the command the dialog procedure expects.
class FocusWatch : public QObject {
public:
    FocusWatch(BoundControl& control, QObject* parent) : QObject(parent), control_(control) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn && control_.Owner()) {
            const unsigned code =
                control_.Kind() == 1 ? BoundControl::kNotifySetFocusCombo : BoundControl::kNotifySetFocusEdit;
            const std::uintptr_t wparam = static_cast<std::uintptr_t>(control_.Id() & 0xFFFF) |
                                          (static_cast<std::uintptr_t>(code) << 16);
            control_.Owner()->DialogProc(kMsgCommand, wparam, reinterpret_cast<std::intptr_t>(control_.Window()));
        }
        return QObject::eventFilter(watched, event);
    }

private:
    BoundControl& control_;
};

bool IsBlank(const std::string& text)
{
    for (char c : text)
        if (!std::isspace(static_cast<unsigned char>(c))) return false;
    return true;
}

} // namespace

// ---- validator -----------------------------------------------------------------------------

void RangeValidator::SetIntRange(const char* message, int minimum, int maximum)
{
    message_ = message ? message : "";
    intMin_ = minimum;
    intMax_ = maximum;
}

void RangeValidator::SetUnsignedRange(const char* message, unsigned minimum, unsigned maximum)
{
    message_ = message ? message : "";
    uMin_ = minimum;
    uMax_ = maximum;
}

void RangeValidator::SetULongRange(const char* message, unsigned long minimum, unsigned long maximum)
{
    message_ = message ? message : "";
    ulMin_ = minimum;
    ulMax_ = maximum;
}

void RangeValidator::SetTextLength(const char* message, int minimum, int maximum)
{
    message_ = message ? message : "";
    lengthMin_ = minimum;
    lengthMax_ = maximum;
}

bool RangeValidator::Complain(BoundControl& control) const
{
    std::string text = message_;
    if (IsBlank(text)) {
        char buffer[kResStringSize];
        LoadResString(buffer, 1);
        text = buffer;
    }
    ComplainAt(control.Window(), "%s", text.c_str());
    return false;
}

bool RangeValidator::Read(BoundControl& control, ValueHolder& holder)
{
    QWidget* w = control.Window();
    if (!w || !holder.variable) return Complain(control);
    char rest[2];
    const bool number = holder.Kind() == ValueHolder::kInt || holder.Kind() == ValueHolder::kUnsigned ||
                        holder.Kind() == ValueHolder::kULong;
    if (control.Kind() == 0) {
        switch (holder.Kind()) {
        case ValueHolder::kInt: {
            int v = 0;
            if (ScanText(w, "%d%1s", &v, rest) != 1 || v < intMin_ || v > intMax_) return Complain(control);
            *static_cast<int*>(holder.variable) = v;
            return true;
        }
        case ValueHolder::kUnsigned: {
            unsigned v = 0;
            if (ScanText(w, "%u%1s", &v, rest) != 1 || v < uMin_ || v > uMax_) return Complain(control);
            *static_cast<unsigned*>(holder.variable) = v;
            return true;
        }
        case ValueHolder::kULong: {
            unsigned long v = 0;
            if (ScanText(w, "%lu%1s", &v, rest) != 1 || v < ulMin_ || v > ulMax_) return Complain(control);
            *static_cast<unsigned long*>(holder.variable) = v;
            return true;
        }
        default: {
            const std::string text = WindowText(w);
            const long length = static_cast<long>(text.size());
            if (length < lengthMin_ || length > lengthMax_) return Complain(control);
            if (holder.Kind() == ValueHolder::kString)
                return static_cast<HeapString*>(holder.variable)->Assign(text.c_str()) || Complain(control);
            if (holder.Kind() == ValueHolder::kPath)
                return static_cast<PathName*>(holder.variable)->SetText(text.c_str()) || Complain(control);
            // A text that does not fit its buffer is refused, whatever the range allows, and
            // said at the control with the number of characters that fit.
            if (text.size() + 1 > holder.capacity) {
                ComplainAt(w, "This text is too long: at most %d characters fit here.",
                           holder.capacity > 0 ? static_cast<int>(holder.capacity - 1) : 0);
                return false;
            }
            std::memcpy(holder.variable, text.c_str(), text.size() + 1);
            return true;
        }
        }
    }
    if (!number) return Complain(control);
    long value = 0;
    if (control.Kind() == 1) {
        auto* combo = dynamic_cast<QComboBox*>(w);
        if (!combo || combo->currentIndex() < 0) return Complain(control);
        value = combo->currentIndex();
    } else {
        auto* box = dynamic_cast<QAbstractButton*>(w);
        if (!box) return Complain(control);
        value = box->isChecked() ? 1 : 0;
    }
    if (holder.Kind() == ValueHolder::kInt) *static_cast<int*>(holder.variable) = static_cast<int>(value);
    else if (holder.Kind() == ValueHolder::kUnsigned) *static_cast<unsigned*>(holder.variable) = static_cast<unsigned>(value);
    else *static_cast<unsigned long*>(holder.variable) = static_cast<unsigned long>(value);
    return true;
}

void RangeValidator::Show(BoundControl& control, ValueHolder& holder)
{
    QWidget* w = control.Window();
    if (!w || !holder.variable) return;
    long number = 0;
    switch (holder.Kind()) {
    case ValueHolder::kInt: number = *static_cast<int*>(holder.variable); break;
    case ValueHolder::kUnsigned: number = static_cast<long>(*static_cast<unsigned*>(holder.variable)); break;
    case ValueHolder::kULong: number = static_cast<long>(*static_cast<unsigned long*>(holder.variable)); break;
    default:
        if (control.Kind() != 0) return;  // a text shows nothing in a combo box or check box
        if (holder.Kind() == ValueHolder::kString) SetWindowText(w, static_cast<HeapString*>(holder.variable)->Text());
        else if (holder.Kind() == ValueHolder::kPath) SetWindowText(w, static_cast<PathName*>(holder.variable)->Text());
        else SetWindowText(w, static_cast<const char*>(holder.variable));
        return;
    }
    if (control.Kind() == 0) {
        if (holder.Kind() == ValueHolder::kInt) SetTextF(w, "%d", *static_cast<int*>(holder.variable));
        else if (holder.Kind() == ValueHolder::kUnsigned) SetTextF(w, "%u", *static_cast<unsigned*>(holder.variable));
        else SetTextF(w, "%lu", *static_cast<unsigned long*>(holder.variable));
    } else if (auto* combo = dynamic_cast<QComboBox*>(w)) {
        combo->setCurrentIndex(static_cast<int>(number));
    } else if (auto* box = dynamic_cast<QAbstractButton*>(w)) {
        box->setChecked(number != 0);
    }
}

// ---- bound control -------------------------------------------------------------------------

BoundControl::BoundControl() = default;

BoundControl::~BoundControl()
{
    delete focusWatch_;
}

void BoundControl::Attach(Dialog& dialog, int id, std::unique_ptr<FieldValidator> validator)
{
    dialog_ = &dialog;
    id_ = id;
    delete focusWatch_;
    focusWatch_ = nullptr;
    control_ = dialog.Item(id);
    if (control_) {
        focusWatch_ = new FocusWatch(*this, nullptr);
        control_->installEventFilter(focusWatch_);
    }
    changed_ = 0;
    validator_ = std::move(validator);
    bound_ = nullptr;
}

void BoundControl::BindVariable(ValueHolder& holder, void* variable, bool nullable, std::size_t capacity)
{
    const int oldNullable = bound_ ? bound_->nullable : 0;
    holder.variable = variable;
    holder.capacity = capacity;
    holder.nullable = nullable ? 1 : 0;
    BindHolder(&holder, oldNullable);
}

void BoundControl::BindInt(int* v, bool nullable) { BindVariable(intHolder_, v, nullable); }
void BoundControl::BindUnsigned(unsigned* v, bool nullable) { BindVariable(unsignedHolder_, v, nullable); }
void BoundControl::BindULong(unsigned long* v, bool nullable) { BindVariable(ulongHolder_, v, nullable); }
void BoundControl::BindString(HeapString* v, bool nullable) { BindVariable(stringHolder_, v, nullable); }
void BoundControl::BindPath(PathName* v, bool nullable) { BindVariable(pathHolder_, v, nullable); }

void BoundControl::BindCharBuffer(char* v, std::size_t capacity, bool nullable)
{
    // The edit holds one character more than the buffer takes, never an unbounded text: a
    // range as wide as 0-2147483647 then still cannot reach past the buffer, and the one
    // character too many is refused on OK with a message.
    if (auto* edit = qobject_cast<QLineEdit*>(control_))
        edit->setMaxLength(static_cast<int>(std::min<std::size_t>(capacity, 32767)));
    BindVariable(bufferHolder_, v, nullable, capacity);
}

void BoundControl::Bind(ValueHolder* holder)
{
    BindHolder(holder, bound_ ? bound_->nullable : 0);
}

void BoundControl::BindHolder(ValueHolder* holder, int oldNullable)
{
    changed_ = 0;
    const int newNullable = holder ? holder->nullable : 0;
    bound_ = holder;
    if (!oldNullable && newNullable) AddPresenceBox();
    else if (oldNullable && !newNullable) RemovePresenceBox();
    if (!holder) {
        Enable(false);
        Clear();
        return;
    }
    Enable(true);
    if (!holder->nullable) {
        Show();
    } else if (holder->isNull) {
        Clear();
        SetPresence(false);
    } else {
        Show();
        SetPresence(true);
    }
}

bool BoundControl::Validate()
{
    return validator_ && bound_ ? validator_->Read(*this, *bound_) : true;
}

void BoundControl::Show()
{
    if (validator_ && bound_) validator_->Show(*this, *bound_);
}

bool BoundControl::Commit()
{
    if (!bound_ || !changed_) return true;
    if (bound_->nullable && IsNull()) {
        bound_->isNull = 1;
        changed_ = 0;
        return true;
    }
    if (!Validate()) return false;
    if (bound_->nullable) bound_->isNull = 0;
    changed_ = 0;
    return true;
}

bool BoundControl::OnMessage(unsigned message, std::uintptr_t wparam, std::intptr_t lparam)
{
    const bool touched = IsChangeMessage(message, wparam, lparam);
    if (touched) changed_ = 1;
    return touched;
}

void BoundControl::Enable(bool on)
{
    if (control_) control_->setEnabled(on);
}

// ---- presence box --------------------------------------------------------------------------

bool OptionalValueControl::IsNull()
{
    return presence_ && !presence_->isChecked();
}

bool OptionalValueControl::IsChangeMessage(unsigned message, std::uintptr_t wparam, std::intptr_t lparam)
{
    if (message != kMsgCommand) return false;
    const unsigned id = static_cast<unsigned>(wparam & 0xFFFF);
    const unsigned code = static_cast<unsigned>(wparam >> 16);
    if (presence_ && id == static_cast<unsigned>((id_ + kPresenceOffset) & 0xFFFF) && code == 0) {
        if (presence_->isChecked()) PresenceTicked();
        else Clear();
        return true;
    }
    if (control_ && lparam == reinterpret_cast<std::intptr_t>(control_) &&
        (code == kNotifySetFocusEdit || code == kNotifySetFocusCombo) && bound_) {
        if (bound_->nullable) SetPresence(true);
        return true;
    }
    return false;
}

void OptionalValueControl::AddPresenceBox()
{
    if (!control_ || presence_) return;
    const int side = DialogUnitsToPixelsY(9);
    savedWidth_ = control_->width();
    savedHeight_ = control_->height();
    const QRect r = control_->geometry();
    control_->resize(savedWidth_ - side - 2, savedHeight_);
    presence_ = new QCheckBox(control_->parentWidget());
    presence_->setGeometry(r.left() + savedWidth_ - side, r.top() + (savedHeight_ - side) / 2, side, side);
    presence_->show();
    presence_->stackUnder(control_);
    QObject::connect(presence_, &QCheckBox::clicked, presence_, [this] {
        if (dialog_)
            dialog_->DialogProc(kMsgCommand, static_cast<std::uintptr_t>((id_ + kPresenceOffset) & 0xFFFF),
                                reinterpret_cast<std::intptr_t>(presence_));
    });
}

void OptionalValueControl::RemovePresenceBox()
{
    if (!presence_) return;
    if (control_) control_->resize(savedWidth_, savedHeight_);
    delete presence_;
    presence_ = nullptr;
}

void OptionalValueControl::SetPresence(bool checked)
{
    if (presence_) presence_->setChecked(checked);
}

void BoundEdit::Clear()
{
    if (control_) SetWindowText(control_, "");
}

// ---- control list --------------------------------------------------------------------------

void ClearControls(ControlList& list)
{
    for (BoundControl*& c : list) c = nullptr;
}

void AddControl(ControlList& list, BoundControl* control)
{
    int n = 0;
    bool listed = false;
    while (n < kControlListSize - 1 && list[n]) listed = listed || list[n++] == control;
    CheckFailed("DACTRLS", 780, !listed);
    // Room for the control and the ending null; a 60th control is refused.
    const bool room = n < kControlListSize - 1;
    CheckFailed("DACTRLS", 782, room);
    if (!room) return;
    list[n] = control;
    list[n + 1] = nullptr;
}

bool AnyChanged(const ControlList& list)
{
    for (int n = 0; n < kControlListSize && list[n]; ++n)
        if (list[n]->Changed()) return true;
    return false;
}

bool CommitAll(ControlList& list)
{
    for (int n = 0; n < kControlListSize && list[n]; ++n)
        if (!list[n]->Commit()) return false;
    return true;
}

bool ValidateAll(ControlList& list)
{
    return AnyChanged(list) ? CommitAll(list) : true;
}

bool DispatchToControls(ControlList* list, unsigned message, std::uintptr_t wparam, std::intptr_t lparam)
{
    if (!list) return false;
    for (int n = 0; n < kControlListSize && (*list)[n]; ++n)
        if ((*list)[n]->OnMessage(message, wparam, lparam)) return true;
    return false;
}

} // namespace kw
