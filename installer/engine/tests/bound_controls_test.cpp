// Bound dialog controls in a dialog of edit fields: what the user touched is read back on OK
// through its validator, what was never focused is left alone, nullable fields carry a
// presence box, and the control list keeps its limit.
#include "installer/engine/BoundControls.h"
#include "installer/engine/EngineStrings.h"

#include "framework/gui/MessageBox.h"
#include "installer/support/DialogBox.h"
#include "installer/support/HeapString.h"
#include "installer/support/MessageBoxDialog.h"
#include "installer/support/PathBuffer.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace kw;

namespace {

// A dialog of edit fields 101, 102 ... whose procedure answers OK only when the list agrees
// and hands everything else to its controls.
class EditDialog : public Dialog {
public:
    explicit EditDialog(int fields)
    {
        ClearControls(list);
        for (int i = 0; i < fields; ++i) {
            auto* edit = new QLineEdit(&window);
            edit->setGeometry(10, 10 + 30 * i, 200, 24);
            AddItem(101 + i, edit);
            edits.push_back(std::make_unique<BoundEdit>());
        }
    }
    ~EditDialog() override { edits.clear(); }
    intptr_t DialogProc(unsigned message, uintptr_t wparam, intptr_t lparam) override
    {
        if (message == kMsgCommand && wparam == kCmdOk) {
            if (ValidateAll(list)) EndDialog(kCmdOk);
            return 1;
        }
        return DispatchToControls(&list, message, wparam, lparam) ? 1 : 0;
    }
    BoundEdit& Field(int i) { return *edits[static_cast<std::size_t>(i)]; }
    QLineEdit* Edit(int i) { return static_cast<QLineEdit*>(Item(101 + i)); }
    // Attaches field i with a validator made by the caller and lists it.
    void Add(int i, std::unique_ptr<RangeValidator> validator)
    {
        Field(i).Attach(*this, 101 + i, std::move(validator));
        AddControl(list, &Field(i));
    }
    // The user enters a field: it takes the focus, then gets the text.
    void Type(int i, const std::string& text)
    {
        DialogProc(kMsgCommand, static_cast<uintptr_t>(101 + i) | (BoundControl::kNotifySetFocusEdit << 16),
                   reinterpret_cast<intptr_t>(Edit(i)));
        Edit(i)->setText(QString::fromStdString(text));
    }

    QWidget window;
    ControlList list;
    std::vector<std::unique_ptr<BoundEdit>> edits;
};

std::unique_ptr<RangeValidator> IntRange(int lo, int hi, const char* message = "")
{
    auto v = std::make_unique<RangeValidator>();
    v->SetIntRange(message, lo, hi);
    return v;
}

class BoundControls : public ::testing::Test {
protected:
    void SetUp() override { RegisterEngineStrings(); }
    fw::ScriptedMessageBoxes boxes;  // check failures
    std::vector<std::string> errors;  // the error boxes at a control
    fw::Responder<MessageBoxSeam> answer{[this](const MessageBoxRequest& r) {
        errors.push_back(r.text);
        return 1;
    }};
};

TEST_F(BoundControls, NumbersAreReadExactlyAndWithinTheirRange)
{
    const struct {
        const char* text;
        bool ok;
    } cases[] = {{" 12", true}, {"12 a", false}, {"12a", false}, {"", false}, {"100", true}, {"101", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        errors.clear();
        EditDialog d(1);
        int value = 7;
        d.Add(0, IntRange(0, 100, "   "));
        d.Field(0).BindInt(&value);
        EXPECT_EQ(d.Edit(0)->text().toStdString(), "7") << "binding shows the value";
        d.Type(0, c.text);
        d.Command(kCmdOk);
        EXPECT_EQ(d.Ended(), c.ok);
        EXPECT_EQ(value, c.ok ? std::stoi(c.text) : 7) << "a refused value leaves the variable";
        ASSERT_EQ(errors.size(), c.ok ? 0u : 1u);
        if (!c.ok) {
            EXPECT_EQ(errors.back(), "The value entered is not valid.") << "a blank message: string 1";
        }
    }
}

TEST_F(BoundControls, UntouchedFieldsAreNeitherReadNorChecked)
{
    EditDialog d(2);
    int a = 1, b = 2;
    d.Add(0, IntRange(0, 9, "A from 0 to 9"));
    d.Add(1, IntRange(0, 9, "B from 0 to 9"));
    d.Field(0).BindInt(&a);
    d.Field(1).BindInt(&b);
    d.Edit(0)->setText("not a number");  // changed by the program, never focused by the user
    d.Command(kCmdOk);
    EXPECT_TRUE(d.Ended());
    EXPECT_EQ(a, 1);
    EXPECT_TRUE(errors.empty());

    EditDialog e(2);
    e.Add(0, IntRange(0, 9, "A from 0 to 9"));
    e.Add(1, IntRange(0, 9, "B from 0 to 9"));
    e.Field(0).BindInt(&a);
    e.Field(1).BindInt(&b);
    e.Type(0, "5");
    e.Type(1, "50");
    e.Command(kCmdOk);
    EXPECT_FALSE(e.Ended());
    EXPECT_EQ(a, 5) << "the fields before the refused one are stored";
    EXPECT_EQ(b, 2);
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors.back(), "B from 0 to 9");
    EXPECT_TRUE(e.Field(1).Changed()) << "a refused field stays touched";
}

TEST_F(BoundControls, TextsToTheirLimitsIntoEveryKindOfVariable)
{
    EditDialog d(3);
    auto length = [](int hi) {
        auto v = std::make_unique<RangeValidator>();
        v->SetTextLength("Too long", 1, hi);
        return v;
    };
    HeapString name("old");
    char company[8] = "old";
    PathBuffer path("C:\\old");
    d.Add(0, length(5));
    d.Add(1, length(2147483647));  // the buffer, not the range, limits this one
    d.Add(2, length(127));
    d.Field(0).BindString(&name);
    d.Field(1).BindCharBuffer(company, sizeof company);
    d.Field(2).BindPath(&path);
    EXPECT_EQ(d.Edit(1)->text().toStdString(), "old");
    d.Type(0, "12345");
    d.Type(1, "1234567");
    d.Type(2, "C:\\Stellum");
    d.Command(kCmdOk);
    EXPECT_TRUE(d.Ended());
    EXPECT_STREQ(name.Text(), "12345") << "exactly the maximum length passes";
    EXPECT_STREQ(company, "1234567");
    EXPECT_STREQ(path.Text(), "C:\\Stellum");

    EditDialog e(2);
    e.Add(0, length(5));
    e.Add(1, length(2147483647));
    e.Field(0).BindString(&name);
    e.Field(1).BindCharBuffer(company, sizeof company);
    e.Type(0, "123456");
    e.Command(kCmdOk);
    EXPECT_STREQ(name.Text(), "12345") << "one character more fails";
    e.Type(0, "ok");
    e.Type(1, "12345678");
    e.Command(kCmdOk);
    EXPECT_FALSE(e.Ended());
    EXPECT_STREQ(company, "1234567") << "a text longer than its buffer is refused";
}

TEST_F(BoundControls, ABufferBoundsItsFieldAndRefusesWhatDoesNotFit)
{
    // A one-line field holds one character more than its buffer takes, however wide the
    // range: the one too many is refused with a message, never cut off unseen.
    EditDialog d(1);
    struct {
        char buffer[8] = "old";
        char guard[8] = "guard";
    } g;
    auto wide = std::make_unique<RangeValidator>();
    wide->SetTextLength("", 0, 2147483647);
    d.Add(0, std::move(wide));
    d.Field(0).BindCharBuffer(g.buffer, sizeof g.buffer);
    EXPECT_EQ(d.Edit(0)->maxLength(), 8);
    d.Type(0, "123456789012");
    EXPECT_EQ(d.Edit(0)->text().toStdString(), "12345678");
    d.Command(kCmdOk);
    EXPECT_FALSE(d.Ended());
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "This text is too long: at most 7 characters fit here.");
    EXPECT_STREQ(g.buffer, "old");
    EXPECT_STREQ(g.guard, "guard");

    // A field without a length of its own (several lines) is held to the buffer on OK.
    Dialog m;
    QWidget window;
    auto* lines = new QPlainTextEdit(&window);
    m.AddItem(101, lines);
    BoundEdit field;
    auto range = std::make_unique<RangeValidator>();
    range->SetTextLength("", 0, 2147483647);
    field.Attach(m, 101, std::move(range));
    field.BindCharBuffer(g.buffer, sizeof g.buffer);
    m.DialogProc(kMsgCommand, 101 | (BoundControl::kNotifySetFocusEdit << 16), 0);
    field.OnMessage(kMsgCommand, 101 | (BoundControl::kNotifySetFocusEdit << 16), reinterpret_cast<intptr_t>(lines));
    lines->setPlainText(QString(40, 'x'));
    EXPECT_FALSE(field.Commit());
    EXPECT_EQ(errors.back(), "This text is too long: at most 7 characters fit here.");
    EXPECT_STREQ(g.buffer, "old");
    EXPECT_STREQ(g.guard, "guard");
    lines->setPlainText("7 chars");
    EXPECT_TRUE(field.Commit());
    EXPECT_STREQ(g.buffer, "7 chars");
}

TEST_F(BoundControls, NullableFieldsCarryAPresenceBox)
{
    EditDialog d(1);
    int value = 3;
    d.Add(0, IntRange(0, 9));
    d.Field(0).BindInt(&value, true);
    QCheckBox* box = d.Field(0).PresenceBox();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isChecked()) << "a value is present";
    EXPECT_LT(d.Edit(0)->width(), 200) << "the field makes room for the box";

    // Unticking clears the field; OK then stores "no value" without reading the text.
    box->click();
    EXPECT_EQ(d.Edit(0)->text().toStdString(), "");
    d.Command(kCmdOk);
    EXPECT_TRUE(d.Ended());
    EXPECT_EQ(value, 3);

    // Entering the field ticks the box again.
    EditDialog e(1);
    int other = 4;
    e.Add(0, IntRange(0, 9));
    e.Field(0).BindInt(&other, true);
    e.Field(0).PresenceBox()->click();
    e.Type(0, "8");
    EXPECT_TRUE(e.Field(0).PresenceBox()->isChecked());
    e.Command(kCmdOk);
    EXPECT_EQ(other, 8);

    // Bound again to a variable that must have a value: the box goes.
    e.Field(0).BindInt(&other, false);
    EXPECT_EQ(e.Field(0).PresenceBox(), nullptr);
    EXPECT_EQ(e.Edit(0)->width(), 200);
}

TEST_F(BoundControls, TheListHoldsFiftyNineControls)
{
    ControlList list;
    ClearControls(list);
    std::vector<std::unique_ptr<BoundEdit>> controls;
    for (int i = 0; i < 60; ++i) {
        controls.push_back(std::make_unique<BoundEdit>());
        AddControl(list, controls.back().get());
    }
    EXPECT_EQ(boxes.Count(), 1) << "the 60th is refused with a check failure";
    EXPECT_EQ(list[58], controls[58].get());
    EXPECT_EQ(list[59], nullptr) << "the list stays ended";
    boxes.Clear();
    ClearControls(list);
    AddControl(list, controls[0].get());
    AddControl(list, controls[0].get());
    EXPECT_EQ(boxes.Count(), 1) << "a control listed twice is reported";
    EXPECT_EQ(list[1], controls[0].get());
    EXPECT_FALSE(DispatchToControls(nullptr, kMsgCommand, 1, 0));
}

} // namespace
