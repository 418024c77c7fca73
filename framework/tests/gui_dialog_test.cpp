// Dialogs driven by control id: commands, validators, modal execution through a responder,
// help, message boxes answered by a script, closing deferred while an operation runs.
#include "framework/gui/ComboBox.h"
#include "framework/gui/Dialog.h"
#include "framework/gui/Edit.h"
#include "framework/gui/Help.h"
#include "framework/gui/ListBox.h"
#include "framework/gui/MessageBox.h"
#include "framework/gui/Validator.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// A small dialog: an edit (101) with a range validator, a check box (102), a static (103),
// a command button (104) that counts, and the standard buttons with help context 63.
class SampleDialog : public fw::Dialog {
public:
    explicit SampleDialog(QWidget* parent = nullptr) : fw::Dialog(parent, "Sample")
    {
        Place(101, new fw::Edit(this, 5), 0, 0);
        Place(102, new QCheckBox("Flag", this), 1, 0);
        Place(103, new QLabel("x", this), 2, 0);
        AddButton(104, "Count");
        AddStandardButtons(63);
        SetValidator(101, std::make_unique<fw::RangeValidator>(1, 59));
        OnCommand(104, [this] { ++counted; });
    }
    int setups = 0;
    int counted = 0;
    bool refuse = false;

protected:
    void SetupWindow() override
    {
        ++setups;
        SetControlText(101, "30");
        CheckButton(102, fw::BF_CHECKED);
    }
    bool CanClose() override { return fw::Dialog::CanClose() && !refuse; }
};

TEST(GuiDialog, ExecuteThroughResponderDrivesControlsById)
{
    SampleDialog dlg;
    fw::ScriptedDialogs script([](fw::Dialog& d) {
        EXPECT_EQ(d.ControlText(101), "30"); // set-up ran before the responder
        d.SetControlText(101, "45");
        d.CheckButton(102, fw::BF_UNCHECKED);
        d.PressButton(fw::IDOK);
        return fw::IDCANCEL; // ignored: the dialog closed itself
    });
    EXPECT_EQ(dlg.Execute(), fw::IDOK);
    EXPECT_EQ(script.Count(), 1);
    EXPECT_EQ(script.Captions()[0], "Sample");
    EXPECT_EQ(dlg.setups, 1);
    EXPECT_EQ(dlg.ControlText(101), "45");
    EXPECT_EQ(dlg.IsButtonChecked(102), fw::BF_UNCHECKED);

    // A second execution does not run the set-up again; the responder's answer stands when
    // it leaves the dialog open.
    fw::ScriptedDialogs cancel([](fw::Dialog&) { return fw::IDCANCEL; });
    EXPECT_EQ(dlg.Execute(), fw::IDCANCEL);
    EXPECT_EQ(dlg.setups, 1);
}

TEST(GuiDialog, OkRunsValidatorsThenCanClose)
{
    SampleDialog dlg;
    dlg.Create(false);
    fw::ScriptedMessageBoxes boxes;

    dlg.SetControlText(101, "60"); // out of range: refused with a message, stays open
    dlg.PressButton(fw::IDOK);
    EXPECT_EQ(dlg.Result(), 0);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Last().text, "Value is not in the range 1 to 59.");

    dlg.SetControlText(101, "59");
    dlg.refuse = true; // the derived can-close step refuses without a message
    dlg.PressButton(fw::IDOK);
    EXPECT_EQ(dlg.Result(), 0);
    EXPECT_EQ(boxes.Count(), 1);

    dlg.refuse = false;
    dlg.PressButton(fw::IDOK);
    EXPECT_EQ(dlg.Result(), fw::IDOK);

    // Cancel never validates.
    dlg.SetControlText(101, "abc");
    dlg.PressButton(fw::IDCANCEL);
    EXPECT_EQ(dlg.Result(), fw::IDCANCEL);
    EXPECT_EQ(boxes.Count(), 1);
}

TEST(GuiDialog, ButtonsSendTheirIdsAndHelpOpensTheContext)
{
    SampleDialog dlg;
    dlg.Create(false);
    fw::RecordedHelp help;
    dlg.PressButton(104);
    dlg.PressButton(104);
    EXPECT_EQ(dlg.counted, 2);
    dlg.PressButton(fw::IDHELP);
    EXPECT_EQ(help.Contexts(), std::vector<int>{63});

    // A disabled button sends nothing; a hidden control reads as not shown.
    dlg.EnableControl(104, false);
    dlg.PressButton(104);
    EXPECT_EQ(dlg.counted, 2);
    dlg.ShowControl(103, false);
    EXPECT_FALSE(dlg.IsControlShown(103));
    EXPECT_TRUE(dlg.IsControlShown(101));
    EXPECT_EQ(dlg.Control(999), nullptr);
    EXPECT_EQ(dlg.ControlText(999), "");
}

TEST(GuiDialog, PostedCommandRunsFromTheEventLoopAndNotAfterDestruction)
{
    auto* dlg = new SampleDialog;
    dlg->PostCommand(104);
    EXPECT_EQ(dlg->counted, 0);
    fw::PumpWaitingMessages();
    EXPECT_EQ(dlg->counted, 1);

    dlg->PostCommand(104);
    delete dlg;
    fw::PumpWaitingMessages(); // must not touch the deleted dialog
}

TEST(GuiMessageBox, ScriptAnswersInOrderThenTheDefaultButton)
{
    fw::ScriptedMessageBoxes boxes({fw::IDNO});
    EXPECT_EQ(fw::MessageBox(nullptr, "Apply?", "", fw::MB_YESNOCANCEL | fw::MB_ICONQUESTION), fw::IDNO);
    EXPECT_EQ(fw::MessageBox(nullptr, "Apply?", "Q", fw::MB_YESNOCANCEL), fw::IDYES);
    EXPECT_EQ(fw::MessageBox(nullptr, "Apply?", "Q", fw::MB_YESNOCANCEL | fw::MB_DEFBUTTON2), fw::IDNO);
    EXPECT_EQ(fw::MessageBox(nullptr, "Sure?", "Q", fw::MB_OKCANCEL), fw::IDOK);
    ASSERT_EQ(boxes.Count(), 4);
    EXPECT_EQ(boxes.Calls()[0].title, "Error"); // an empty title reads "Error"
    EXPECT_EQ(boxes.Calls()[0].text, "Apply?");
    EXPECT_EQ(boxes.Calls()[0].style & 0xF0, fw::MB_ICONQUESTION);
}

TEST(GuiMessageBox, ResponderIsRestoredWhenTheScriptEnds)
{
    fw::ScriptedMessageBoxes outer({fw::IDRETRY});
    {
        fw::ScriptedMessageBoxes inner({fw::IDABORT});
        EXPECT_EQ(fw::MessageBox(nullptr, "a", "t", fw::MB_ABORTRETRYIGNORE), fw::IDABORT);
    }
    EXPECT_EQ(fw::MessageBox(nullptr, "b", "t", fw::MB_ABORTRETRYIGNORE), fw::IDRETRY);
    EXPECT_EQ(outer.Count(), 1);
}

TEST(GuiValidator, RangeAndLookup)
{
    fw::RangeValidator range(1, 59);
    struct Case { const char* text; bool ok; } cases[] = {
        {"1", true}, {"59", true}, {" 7 ", true}, {"0", false}, {"60", false},
        {"", false}, {"5x", false}, {"99999999999999999999", false}};
    for (const auto& c : cases) EXPECT_EQ(range.IsValid(c.text), c.ok) << c.text;

    fw::StringLookupValidator months({"January", "February"});
    EXPECT_TRUE(months.IsValid("january"));
    EXPECT_FALSE(months.IsValid("Jan"));
}

TEST(GuiDialog, NotificationsComeFromTheUserNotFromTheProgram)
{
    fw::Dialog dlg;
    auto* list = dlg.Place(105, new fw::ListBox(&dlg, true), 0, 0);
    auto* combo = dlg.Place(101, new fw::ComboBox(&dlg, true, 20), 0, 1);
    auto* edit = dlg.Place(104, new fw::Edit(&dlg), 0, 2);
    std::vector<std::string> seen;
    dlg.OnNotify(105, fw::LBN_SELCHANGE, [&] { seen.push_back("sel"); });
    dlg.OnNotify(105, fw::LBN_DBLCLK, [&] { seen.push_back("dbl " + list->GetSelString()); });
    dlg.OnNotify(101, fw::CBN_SELCHANGE, [&] { seen.push_back("combo " + std::to_string(combo->GetSelIndex())); });
    dlg.OnNotify(104, fw::EN_KILLFOCUS, [&] { seen.push_back("left " + edit->GetText()); });
    list->AddString("Orion");
    list->AddString("Andromeda");
    list->SetSelIndex(1); // the program's own change: no notification
    combo->AddString("Dob");
    combo->SetSelIndex(0);
    EXPECT_TRUE(seen.empty());

    // The user clicks and double-clicks a list item, picks a combo item, leaves the edit.
    list->setCurrentRow(0);
    emit list->itemDoubleClicked(list->item(0));
    emit combo->activated(0);
    edit->setText("12 30");
    edit->LoseFocus();
    EXPECT_EQ(seen, (std::vector<std::string>{"sel", "dbl Andromeda", "combo 0", "left 12 30"}));
}

TEST(GuiDialog, RadioGroupsAreIndependent)
{
    fw::Dialog dlg;
    for (int id : {103, 104, 105, 106}) dlg.Place(id, new QRadioButton(&dlg), 0, id - 103);
    dlg.GroupRadioButtons({103, 104}); // North, South
    dlg.GroupRadioButtons({105, 106}); // East, West
    dlg.CheckButton(103, fw::BF_CHECKED);
    dlg.CheckButton(106, fw::BF_CHECKED);
    dlg.PressButton(104); // the user picks South
    EXPECT_EQ(dlg.IsButtonChecked(103), fw::BF_UNCHECKED);
    EXPECT_EQ(dlg.IsButtonChecked(104), fw::BF_CHECKED);
    EXPECT_EQ(dlg.IsButtonChecked(106), fw::BF_CHECKED);
    dlg.CheckButton(105, fw::BF_CHECKED); // the program checks East
    EXPECT_EQ(dlg.IsButtonChecked(106), fw::BF_UNCHECKED);
    dlg.CheckButton(105, fw::BF_UNCHECKED);
    EXPECT_EQ(dlg.IsButtonChecked(105), fw::BF_UNCHECKED);
}

// A dialog whose button runs a nested modal dialog, as section buttons of a filter dialog do.
class OuterDialog : public fw::Dialog {
public:
    OuterDialog() : fw::Dialog(nullptr, "Filter Selection")
    {
        AddButton(101, "Position...");
        AddStandardButtons();
        OnCommand(101, [this] {
            SampleDialog inner(this);
            lastInner = inner.Execute();
            innerText = inner.ControlText(101);
        });
    }
    int lastInner = 0;
    std::string innerText;
};

TEST(GuiDialog, NestedDialogsAreAnsweredInOrder)
{
    OuterDialog outer;
    fw::ScriptedDialogs script({
        [](fw::Dialog& d) {
            d.PressButton(101); // opens the nested dialog, answered by the next responder
            d.PressButton(fw::IDOK);
            return 0;
        },
        [](fw::Dialog& d) {
            d.SetControlText(101, "12");
            d.PressButton(fw::IDOK);
            return 0;
        },
    });
    EXPECT_EQ(outer.Execute(), fw::IDOK);
    EXPECT_EQ(outer.lastInner, fw::IDOK);
    EXPECT_EQ(outer.innerText, "12");
    EXPECT_EQ(script.Captions(), (std::vector<std::string>{"Filter Selection", "Sample"}));
    // A dialog beyond the script is cancelled.
    OuterDialog again;
    EXPECT_EQ(again.Execute(), fw::IDCANCEL);
}

TEST(GuiDialog, WithoutAResponderNothingWaitsOffscreen)
{
    // A forgotten responder must fail a test, never hang it.
    SampleDialog dlg;
    EXPECT_EQ(dlg.Execute(), fw::IDCANCEL);
    EXPECT_EQ(fw::MessageBox(nullptr, "Refilter Database?", "Position Filter Changed", fw::MB_YESNO), fw::IDNO);
    EXPECT_EQ(fw::MessageBox(nullptr, "Done", "Note", fw::MB_OK), fw::IDOK);
}

TEST(GuiDialog, DestroyingADialogWithLiveControlsSendsNothingToIt)
{
    auto* dlg = new fw::Dialog;
    auto* list = dlg->Place(105, new fw::ListBox(dlg), 0, 0);
    auto* edit = dlg->Place(104, new fw::Edit(dlg), 1, 0);
    int notes = 0;
    dlg->OnNotify(105, fw::LBN_SELCHANGE, [&] { ++notes; });
    dlg->OnNotify(104, fw::EN_KILLFOCUS, [&] { ++notes; });
    list->AddString("a");
    list->setCurrentRow(0);
    dlg->Create();
    edit->setFocus();
    notes = 0;
    delete dlg; // its list and edit go after the dialog's own part
    EXPECT_EQ(notes, 0);
}

} // namespace
