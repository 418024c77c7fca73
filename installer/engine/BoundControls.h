// Bound dialog controls: an edited control of an installer dialog wrapped with the variable it
// edits and a validator. The dialog lists its bound controls, hands them every message it does
// not handle itself (so that the list notes which controls the user touched), and on OK asks
// the list to read the touched controls back, each through its validator, which parses,
// checks and stores the value or complains at the control. A control the user never touched
// is neither read nor checked. A nullable variable shows a small presence box beside its
// control that says whether the variable has a value.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class QCheckBox;
class QObject;
class QWidget;

namespace kw {

class Dialog;
class HeapString;
class PathName;

// One bound variable: its kind, whether it may have no value and whether it has none.
class ValueHolder {
public:
    enum Kind : int { kInt = 0, kUnsigned = 1, kULong = 2, kString = 3, kCharBuffer = 4, kPath = 5 };
    explicit ValueHolder(Kind kind) : kind_(kind) {}
    int Kind() const { return kind_; }

    int isNull = 0;
    int nullable = 0;
    void* variable = nullptr;
    std::size_t capacity = 0;  // of a character buffer, with its ending zero

private:
    enum Kind kind_;
};

class BoundControl;

// Reads a control's value into its variable (true when it passed and was stored), and shows
// the variable in the control.
class FieldValidator {
public:
    virtual ~FieldValidator() = default;
    virtual bool Read(BoundControl& control, ValueHolder& holder) = 0;
    virtual void Show(BoundControl& control, ValueHolder& holder) = 0;
};

// Ranges of numbers and of text lengths; a value outside gets the message (the language
// library's string 1 when the message is blank).
class RangeValidator : public FieldValidator {
public:
    RangeValidator() = default;
    void SetIntRange(const char* message, int minimum, int maximum);
    void SetUnsignedRange(const char* message, unsigned minimum, unsigned maximum);
    void SetULongRange(const char* message, unsigned long minimum, unsigned long maximum);
    void SetTextLength(const char* message, int minimum, int maximum);

    bool Read(BoundControl& control, ValueHolder& holder) override;
    void Show(BoundControl& control, ValueHolder& holder) override;

private:
    bool Complain(BoundControl& control) const;

    int intMin_ = -2147483647 - 1, intMax_ = 2147483647;
    unsigned uMin_ = 0, uMax_ = 4294967295u;
    unsigned long ulMin_ = 0, ulMax_ = 4294967295ul;
    int lengthMin_ = 0, lengthMax_ = 512;
    std::string message_;
};

class BoundControl {
public:
    // Message of a touched control: a command from the control or its presence box.
    enum : unsigned { kNotifySetFocusEdit = 0x100, kNotifySetFocusCombo = 3, kPresenceOffset = 3000 };

    BoundControl();
    virtual ~BoundControl();
    BoundControl(const BoundControl&) = delete;
    BoundControl& operator=(const BoundControl&) = delete;

    // 0 edit, 1 combo box, 2 check box.
    virtual int Kind() const = 0;
    // Whether the control shows that the variable has no value.
    virtual bool IsNull() = 0;
    virtual bool IsChangeMessage(unsigned message, std::uintptr_t wparam, std::intptr_t lparam) = 0;
    virtual void Clear() = 0;
    virtual void AddPresenceBox() = 0;
    virtual void RemovePresenceBox() = 0;
    virtual void SetPresence(bool checked) = 0;
    virtual void PresenceTicked() = 0;

    // The dialog's item id becomes this control; the validator is taken over. From then on the
    // control's receiving the focus reaches the dialog's procedure as the command of its id
    // with the notification kNotifySetFocusEdit (an edit) or kNotifySetFocusCombo (a combo
    // box), as a Windows control notifies its dialog.
    void Attach(Dialog& dialog, int id, std::unique_ptr<FieldValidator> validator);
    void BindInt(int* variable, bool nullable = false);
    void BindUnsigned(unsigned* variable, bool nullable = false);
    void BindULong(unsigned long* variable, bool nullable = false);
    void BindString(HeapString* variable, bool nullable = false);
    // A buffer of capacity characters with its ending zero. A one-line edit then holds at most
    // capacity characters, one more than fit, so that a text too long for the buffer is
    // refused with a message on OK rather than cut silently as it is typed.
    void BindCharBuffer(char* variable, std::size_t capacity, bool nullable = false);
    void BindPath(PathName* variable, bool nullable = false);
    void Bind(ValueHolder* holder);

    bool Validate();
    void Show();
    // Stores a touched control's value; false when its validator refused it.
    bool Commit();
    bool OnMessage(unsigned message, std::uintptr_t wparam, std::intptr_t lparam);
    void Enable(bool on);

    QWidget* Window() const { return control_; }
    Dialog* Owner() const { return dialog_; }
    int Id() const { return id_; }
    bool Changed() const { return changed_ != 0; }
    ValueHolder* Bound() const { return bound_; }

protected:
    // Binds a holder; the presence box follows the change of its nullable flag from the
    // flag of the holder bound before (taken before the setter changed it).
    void BindHolder(ValueHolder* holder, int oldNullable);
    void BindVariable(ValueHolder& holder, void* variable, bool nullable, std::size_t capacity = 0);

    ValueHolder intHolder_{ValueHolder::kInt}, unsignedHolder_{ValueHolder::kUnsigned},
        ulongHolder_{ValueHolder::kULong}, bufferHolder_{ValueHolder::kCharBuffer},
        stringHolder_{ValueHolder::kString}, pathHolder_{ValueHolder::kPath};
    int changed_ = 0;
    QWidget* control_ = nullptr;
    QObject* focusWatch_ = nullptr;
    Dialog* dialog_ = nullptr;
    int id_ = 0;
    std::unique_ptr<FieldValidator> validator_;
    ValueHolder* bound_ = nullptr;
};

// A control with a presence box for a nullable variable: a small check box at the control's
// right end.
class OptionalValueControl : public BoundControl {
public:
    bool IsNull() override;
    bool IsChangeMessage(unsigned message, std::uintptr_t wparam, std::intptr_t lparam) override;
    void AddPresenceBox() override;
    void RemovePresenceBox() override;
    void SetPresence(bool checked) override;

    QCheckBox* PresenceBox() const { return presence_; }

private:
    QCheckBox* presence_ = nullptr;
    int savedWidth_ = 0, savedHeight_ = 0;
};

class BoundEdit : public OptionalValueControl {
public:
    int Kind() const override { return 0; }
    void Clear() override;
    void PresenceTicked() override {}
};

// The control list of a dialog: at most 59 controls, ended by a null entry.
enum { kControlListSize = 60 };
using ControlList = BoundControl* [kControlListSize];
void ClearControls(ControlList& list);
void AddControl(ControlList& list, BoundControl* control);
bool AnyChanged(const ControlList& list);
bool CommitAll(ControlList& list);
bool ValidateAll(ControlList& list);
bool DispatchToControls(ControlList* list, unsigned message, std::uintptr_t wparam, std::intptr_t lparam);

} // namespace kw
