// The observing log's list set-up dialog, driven by control id: entries moved between the
// log's lists and the default lists, fields switched without losing edits, renaming with its
// refusals, and the form's List Set-up command saving both headers.
#include "LogTestSupport.h"

#include "framework/gui/InputDialog.h"
#include "framework/gui/MessageBox.h"
#include "framework/testsupport/Snapshot.h"
#include "framework/testsupport/TestSupport.h"
#include "obslog/HdrDialog.h"
#include "obslog/ObsDialogView.h"
#include "ui/TurboComboBox.h"

#include <gtest/gtest.h>

namespace {

using H = HdrDialog;
using L = ObsRecordHeader;

std::vector<std::string> Texts(const CBdata& list)
{
    std::vector<std::string> texts;
    for (const CBentry& e : list.Entries())
        if (!e.text.empty() && e.id != 0) texts.push_back(e.text);
    return texts;
}

void ShowField(fw::Dialog& d, std::int32_t listId)
{
    auto* field = d.ControlAs<fw::ComboBox>(H::kField);
    field->SetSelIndex(field->FindItemData(listId));
    d.SendNotify(H::kField, fw::CBN_SELCHANGE);
}

void Select(fw::Dialog& d, int box, const std::string& text)
{
    auto* combo = d.ControlAs<TurboComboBox>(box);
    combo->SetSelIndex(combo->FindExactString(text, 0));
}

class LogListSetup : public ::testing::Test {
protected:
    LogListSetup()
    {
        current_.ListById(L::Telescopes).AddEntry("8 inch SCT", 1);
        current_.ListById(L::Eyepieces).AddEntry("32mm Plossl", 1);
        defaults_.ListById(L::Telescopes).AddEntry("8 inch", 1);
        defaults_.ListById(L::Telescopes).AddEntry("10 inch Dob", 2);
        defaults_.ListById(L::Eyepieces).AddEntry("9mm Nagler", 1);
        defaults_.ListById(L::SkyDarkness).AddEntry("Dark", 3);
    }
    // Runs the dialog with the steps, then OK; false when it did not end with OK.
    bool Run(std::function<void(fw::Dialog&)> steps, std::vector<fw::DialogResponder> nested = {})
    {
        std::vector<fw::DialogResponder> answers{[&](fw::Dialog& d) {
            steps(d);
            d.PressButton(fw::IDOK);
            return fw::IDCANCEL;
        }};
        answers.insert(answers.end(), nested.begin(), nested.end());
        fw::ScriptedDialogs dialogs(answers);
        dialog_ = std::make_unique<HdrDialog>(nullptr, current_, defaults_);
        return dialog_->Execute() == fw::IDOK;
    }

    L current_, defaults_;
    std::unique_ptr<HdrDialog> dialog_;
    fw::ScriptedMessageBoxes boxes_;
};

TEST_F(LogListSetup, EntriesMoveBetweenTheListsAndSwitchingFieldsKeepsThem)
{
    ASSERT_TRUE(Run([](fw::Dialog& d) {
        auto* field = d.ControlAs<fw::ComboBox>(H::kField);
        ASSERT_EQ(field->GetCount(), 8) << "every list of the header";
        ShowField(d, L::Telescopes);
        Select(d, H::kDefault, "8 inch");
        d.PressButton(H::kAddToCurrent);
        d.PressButton(H::kAddToCurrent);  // already there: nothing more
        Select(d, H::kCurrent, "8 inch SCT");
        d.PressButton(H::kCopyToDefault);
        ShowField(d, L::Eyepieces);
        d.PressButton(H::kAddAllToCurrent);
        ShowField(d, L::Telescopes);
        EXPECT_EQ(d.ControlAs<TurboComboBox>(H::kCurrent)->GetCount(), 2) << "the first field's edit is kept";
        Select(d, H::kDefault, "10 inch Dob");
        testsupport::SaveDialogSnapshot(d, "log_list_setup.png");
        d.PressButton(H::kDeleteDefault);
    }));
    // "8 inch" is added although "8 inch SCT" begins with it.
    EXPECT_EQ(Texts(dialog_->Current().ListById(L::Telescopes)), (std::vector<std::string>{"8 inch SCT", "8 inch"}));
    EXPECT_EQ(Texts(dialog_->Default().ListById(L::Telescopes)), (std::vector<std::string>{"8 inch", "8 inch SCT"}));
    EXPECT_EQ(Texts(dialog_->Current().ListById(L::Eyepieces)),
              (std::vector<std::string>{"32mm Plossl", "9mm Nagler"}));
    const CBdata& telescopes = dialog_->Current().ListById(L::Telescopes);
    EXPECT_NE(telescopes.IdAt(0), telescopes.IdAt(1)) << "an added entry takes a free id";
}

TEST_F(LogListSetup, TransferAllGivesEveryFieldTheDefaultsBesideItsOwn)
{
    ASSERT_TRUE(Run([](fw::Dialog& d) { d.PressButton(H::kTransferAll); }));
    EXPECT_EQ(Texts(dialog_->Current().ListById(L::Telescopes)),
              (std::vector<std::string>{"8 inch SCT", "8 inch", "10 inch Dob"}));
    EXPECT_EQ(Texts(dialog_->Current().ListById(L::Eyepieces)),
              (std::vector<std::string>{"32mm Plossl", "9mm Nagler"}));
    EXPECT_EQ(Texts(dialog_->Current().ListById(L::SkyDarkness)), (std::vector<std::string>{"Dark"}));
    EXPECT_EQ(Texts(dialog_->Default().ListById(L::Telescopes)), (std::vector<std::string>{"8 inch", "10 inch Dob"}));
}

TEST_F(LogListSetup, RenamingKeepsTheIdAndRefusesBlankAndExistingNames)
{
    current_.ListById(L::Telescopes).AddEntry("10 inch Dob", 7);
    const struct {
        const char* answer;
        const char* box;  // the refusal's caption, "" when the rename is taken
        std::vector<std::string> after;
    } cases[] = {
        {"   ", "Error - Blank Entry", {"8 inch SCT", "10 inch Dob"}},
        {"10 inch Dob", "Error - Duplicate Entry", {"8 inch SCT", "10 inch Dob"}},
        {"C|8", "Error - Invalid Entry", {"8 inch SCT", "10 inch Dob"}},
        {"  C8  ", "", {"C8", "10 inch Dob"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        boxes_.Clear();
        const std::string answer = c.answer;
        ASSERT_TRUE(Run(
            [](fw::Dialog& d) {
                ShowField(d, L::Telescopes);
                Select(d, H::kCurrent, "8 inch SCT");
                d.PressButton(H::kRenameCurrent);
            },
            {[answer](fw::Dialog& input) {
                EXPECT_EQ(input.GetCaption(), "Rename Field Option");
                EXPECT_EQ(input.ControlText(fw::InputDialog::kEditId), "8 inch SCT");
                input.SetControlText(fw::InputDialog::kEditId, answer);
                input.PressButton(fw::IDOK);
                return fw::IDCANCEL;
            }}));
        EXPECT_EQ(boxes_.Count(), *c.box ? 1 : 0);
        if (*c.box) {
            EXPECT_EQ(boxes_.Last().title, c.box);
        }
        const CBdata& list = dialog_->Current().ListById(L::Telescopes);
        EXPECT_EQ(Texts(list), c.after);
        EXPECT_EQ(list.IdAt(0), 1) << "the entry keeps its id";
    }
}

// An option typed into a list is refused when the log's text form could not hold it (longer
// than 49 characters, or with "|"); the box then shows its selected option again.
TEST_F(LogListSetup, ATypedOptionTheTextFormCannotHoldIsRefused)
{
    for (const std::string& typed : {std::string(50, 'x'), std::string("8|inch")}) {
        SCOPED_TRACE(typed);
        boxes_.Clear();
        ASSERT_TRUE(Run([&](fw::Dialog& d) {
            ShowField(d, L::Telescopes);
            Select(d, H::kCurrent, "8 inch SCT");
            auto* current = d.ControlAs<TurboComboBox>(H::kCurrent);
            current->SetText(typed);
            d.SendNotify(H::kCurrent, fw::CBN_KILLFOCUS);
            EXPECT_EQ(current->GetText(), "8 inch SCT");
        }));
        ASSERT_EQ(boxes_.Count(), 1);
        EXPECT_EQ(boxes_.Last().title, "Error - Invalid Entry");
        EXPECT_EQ(boxes_.Last().text, TurboComboBox::kEntryRule);
        EXPECT_EQ(Texts(dialog_->Current().ListById(L::Telescopes)), (std::vector<std::string>{"8 inch SCT"}));
    }
}

// The form's List Set-up on a log: OK takes both edited headers, saves them and keeps the shown
// record's choices; Cancel changes nothing.
TEST(LogFormListSetup, OkSavesBothHeadersAndCancelKeepsThem)
{
    logtest::LogDirs dirs;
    LogDocument doc(dirs.program, dirs.user);  // File New
    doc.DefaultHeader().ListById(L::Telescopes).AddEntry("10 inch Dob", 1);
    fw::ScriptedMessageBoxes boxes;
    ObsDialogView* view = nullptr;
    {
        // A new log opens the list set-up at once.
        fw::ScriptedDialogs dialogs([](fw::Dialog& d) {
            EXPECT_EQ(d.GetCaption(), "Observation Log Listbox Setup");
            return fw::IDCANCEL;
        });
        view = new ObsDialogView(doc);
        EXPECT_EQ(dialogs.Count(), 1);
    }
    doc.SetDirty(false);
    const auto addDob = [](fw::Dialog& d) {
        ShowField(d, L::Telescopes);
        Select(d, H::kDefault, "10 inch Dob");
        d.PressButton(H::kAddToCurrent);
        d.ControlAs<TurboComboBox>(H::kDefault)->SetText("Binoculars");
    };
    {
        fw::ScriptedDialogs dialogs([&](fw::Dialog& d) {
            addDob(d);
            return fw::IDCANCEL;
        });
        ASSERT_TRUE(view->SendCommand(ObsDialog::CM_LOGCONFIG));
    }
    EXPECT_TRUE(Texts(doc.Header().ListById(L::Telescopes)).empty()) << "Cancel keeps the log's lists";
    EXPECT_FALSE(doc.IsDirty());
    {
        fw::ScriptedDialogs dialogs([&](fw::Dialog& d) {
            addDob(d);
            d.PressButton(fw::IDOK);
            return fw::IDCANCEL;
        });
        ASSERT_TRUE(view->SendCommand(ObsDialog::CM_LOGCONFIG));
    }
    EXPECT_EQ(Texts(doc.Header().ListById(L::Telescopes)), (std::vector<std::string>{"10 inch Dob"}));
    EXPECT_EQ(Texts(doc.DefaultHeader().ListById(L::Telescopes)),
              (std::vector<std::string>{"10 inch Dob", "Binoculars"}));
    EXPECT_TRUE(doc.IsDirty()) << "the log's lists are saved with it";
    EXPECT_NE(testsupport::ReadFileBytes(dirs.user + "DEFAULT.HDR").find("Binoculars"), std::string::npos);
    auto* telescope = view->ControlAs<TurboComboBox>(ObsDialog::kTelescope);
    EXPECT_EQ(telescope->GetCount(), 1) << "the form's list is refilled";
    EXPECT_EQ(telescope->GetSelIndex(), fw::CB_ERR) << "the shown record's choice stays as it was";
}

} // namespace
