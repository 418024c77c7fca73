// The object finder and the common-name dialog on the delivered catalogue: which texts name
// an object and which are refused with which message, the keypad, the upper-case field, the
// pick by common name, and a found object that is on no list becoming the temporary object.
#include "CatalogueDatabaseFixture.h"

#include "catalog/CommonNameDlg.h"
#include "catalog/NamedObjects.h"
#include "catalog/TFind.h"
#include "framework/gui/Edit.h"
#include "framework/gui/Help.h"
#include "framework/gui/ListBox.h"
#include "framework/testsupport/Snapshot.h"

#include <cctype>
#include <string>
#include <vector>

class ObjectFinder : public CatalogueDatabase {};

namespace {
std::string Upper(std::string text)
{
    for (char& c : text)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

const char* const kPrecede = "NGC, IC or M must precede value";
const char* const kNgcRange = "NGC value must be between 1 and 7840";
const char* const kIcRange = "IC value must be between 1 and 5386";
const char* const kNoMessier = "No NGC or IC value exists for this Messier Number";
} // namespace

TEST_F(ObjectFinder, TextsThatNameAnObjectAndTextsThatAreRefused)
{
    const struct {
        const char* text;
        std::int32_t result;      // 0: refused
        const char* message;
    } cases[] = {
        {"M 31", 224, nullptr},
        {"M31", 224, nullptr},
        {"NGC 224", 224, nullptr},
        {"ngc224", 224, nullptr},
        {"IC 434", 10434, nullptr},
        {"NGC 7840", 7840, nullptr},
        {"NGC1", 1, nullptr},
        {"IC 5386", 15386, nullptr},
        {"NGC 224 = Great Nebula in Andromeda", 224, nullptr},
        {"M24", 0, kNoMessier},
        {"M 111", 0, kNoMessier},
        {"M 0", 0, kNoMessier},
        {"NGC 7841", 0, kNgcRange},
        {"NGC 0", 0, kNgcRange},
        {"NGC 99999999999999999999", 0, kNgcRange},
        {"IC5387", 0, kIcRange},
        {" NGC 224", 0, kPrecede},
        {"", 0, kPrecede},
        {"Great Nebula in Andromeda", 0, kPrecede},
        {"Messier 31", 0, kPrecede},
        {"NGC", 0, kPrecede},
    };
    for (const auto& c : cases) {
        fw::ScriptedMessageBoxes boxes;
        TFind dlg(nullptr);
        dlg.EnsureSetUp();
        dlg.SetControlText(TFind::kText, c.text);
        dlg.PressButton(fw::IDOK);
        if (c.message == nullptr) {
            EXPECT_EQ(dlg.Result(), fw::IDOK) << c.text;
            EXPECT_EQ(dlg.result, c.result) << c.text;
            EXPECT_EQ(dlg.text, Upper(c.text));
            EXPECT_EQ(NGC2000Indexes::ParseObjectName(dlg.text).Number(), ObjectNumberOfCatalogueNumber(c.result));
            EXPECT_EQ(boxes.Count(), 0) << c.text;
        } else {
            EXPECT_NE(dlg.Result(), fw::IDOK) << c.text;
            ASSERT_EQ(boxes.Count(), 1) << c.text;
            EXPECT_EQ(boxes.Last().text, c.message) << c.text;
            EXPECT_EQ(boxes.Last().title, "ERROR");
            EXPECT_EQ(boxes.Last().style & 0xF0, fw::MB_ICONEXCLAMATION);
            EXPECT_EQ(dlg.ControlText(TFind::kText), Upper(c.text)) << "the text stays for correction";
            EXPECT_EQ(dlg.result, 0);
            EXPECT_EQ(dlg.text, "");
        }
    }
}

TEST_F(ObjectFinder, FieldKeepsCapitalsAndTheButtonsBuildTheText)
{
    TFind dlg(nullptr);
    dlg.EnsureSetUp();
    auto* edit = dlg.ControlAs<fw::Edit>(TFind::kText);
    edit->insert("ngc 224");
    EXPECT_EQ(dlg.ControlText(TFind::kText), "NGC 224");

    dlg.PressButton(TFind::kIc);
    EXPECT_EQ(dlg.ControlText(TFind::kText), "IC ");
    dlg.PressButton(TFind::kNgc);
    for (int digit : {2, 2, 4})
        dlg.PressButton(TFind::kDigitButtons[digit]);
    EXPECT_EQ(dlg.ControlText(TFind::kText), "NGC 224");
    dlg.PressButton(TFind::kMessier);
    for (int digit : {1, 0})
        dlg.PressButton(TFind::kDigitButtons[digit]);
    EXPECT_EQ(dlg.ControlText(TFind::kText), "M 10");
    // Each digit button writes its own digit.
    for (int digit = 0; digit <= 9; ++digit) {
        dlg.SetControlText(TFind::kText, "NGC ");
        dlg.PressButton(TFind::kDigitButtons[digit]);
        EXPECT_EQ(dlg.ControlText(TFind::kText), "NGC " + std::to_string(digit));
        EXPECT_EQ(dlg.ControlText(TFind::kDigitButtons[digit]), std::to_string(digit));
    }
}

TEST_F(ObjectFinder, CommonNamePickGivesTheDesignationText)
{
    const NamedObjects* names = db_->Names();
    ASSERT_NE(names, nullptr);
    const std::string horsehead = names->CommonName(Ic(434));
    ASSERT_FALSE(horsehead.empty());

    TFind dlg(nullptr);
    dlg.EnsureSetUp();
    dlg.SetControlText(TFind::kText, "NGC 1");
    {
        fw::ScriptedDialogs answers(std::vector<fw::DialogResponder>{[&](fw::Dialog& d) {
            EXPECT_EQ(d.GetCaption(), "Objects with Common Names");
            auto* list = d.ControlAs<fw::ListBox>(CommonNameDlg::kList);
            EXPECT_EQ(list->GetCount(), names->CommonNameCount());
            for (int i = 1; i < list->GetCount(); ++i)
                EXPECT_LE(QString::fromStdString(list->GetString(i - 1))
                              .compare(QString::fromStdString(list->GetString(i)), Qt::CaseInsensitive),
                          0);
            const int item = list->FindExactString(horsehead + " (IC 434)");
            EXPECT_EQ(list->GetItemData(item), long(Ic(434).Value()));
            list->SetSelIndex(item);
            d.PressButton(fw::IDOK);
            return fw::IDCANCEL;
        }});
        dlg.PressButton(TFind::kCommonName);
    }
    EXPECT_EQ(dlg.ControlText(TFind::kText), "IC 434 = " + Upper(horsehead));
    dlg.PressButton(fw::IDOK);
    EXPECT_EQ(dlg.result, 10434);
    EXPECT_EQ(NGC2000Indexes::ParseObjectName(dlg.text), Ic(434));

    // A cancelled pick leaves the field empty, and nothing is found.
    fw::ScriptedMessageBoxes boxes;
    TFind other(nullptr);
    other.EnsureSetUp();
    other.SetControlText(TFind::kText, "M 31");
    {
        fw::ScriptedDialogs answers(std::vector<fw::DialogResponder>{[](fw::Dialog& d) {
            d.PressButton(fw::IDCANCEL);
            return fw::IDCANCEL;
        }});
        other.PressButton(TFind::kCommonName);
    }
    EXPECT_EQ(other.ControlText(TFind::kText), "");
    other.PressButton(fw::IDOK);
    EXPECT_EQ(boxes.Last().text, kPrecede);
}

TEST_F(ObjectFinder, CommonNameDialogNeedsAChoice)
{
    CommonNameDlg dlg(nullptr);
    dlg.EnsureSetUp();
    dlg.PressButton(fw::IDOK);
    EXPECT_NE(dlg.Result(), fw::IDOK);
    EXPECT_EQ(dlg.resultText, "");

    auto* list = dlg.ControlAs<fw::ListBox>(CommonNameDlg::kList);
    const int item = list->FindString("Great Nebula in Andromeda");
    ASSERT_NE(item, fw::LB_ERR);
    list->SetSelIndex(item);
    dlg.PressButton(fw::IDOK);
    EXPECT_EQ(dlg.Result(), fw::IDOK);
    EXPECT_EQ(dlg.number, 224u);
    EXPECT_EQ(dlg.resultText.rfind("NGC 224 = ", 0), 0u) << dlg.resultText;
}

// What the planner does with a confirmed text: an object on neither list is shown as the
// temporary object; a refused text leaves the database as it was.
TEST_F(ObjectFinder, FoundObjectOnNoListBecomesTheTemporaryObject)
{
    FilterSettings galaxies = db_->GetFilterSettings();
    galaxies.SetEnabledCriteria(0x200);
    galaxies.typeMask = 0x1;
    db_->SetFilterSettings(galaxies, true);
    const ObjectId current = db_->CurrentObject();

    {
        fw::ScriptedMessageBoxes boxes;
        TFind refused(nullptr);
        refused.EnsureSetUp();
        refused.SetControlText(TFind::kText, "NGC 9000");
        refused.PressButton(fw::IDOK);
        EXPECT_EQ(boxes.Last().text, kNgcRange);
        EXPECT_EQ(refused.Result(), 0);
        EXPECT_EQ(db_->CurrentObject(), current);
        EXPECT_EQ(db_->TemporaryObject(), ObjectId());
    }

    TFind dlg(nullptr);
    dlg.EnsureSetUp();
    dlg.SetControlText(TFind::kText, "M 42");  // the Orion Nebula, no galaxy
    dlg.PressButton(fw::IDOK);
    ASSERT_EQ(dlg.Result(), fw::IDOK);
    const ObjectId found = NGC2000Indexes::ParseObjectName(dlg.text);
    EXPECT_EQ(found, Ngc(std::uint32_t(dlg.result)));
    EXPECT_FALSE(db_->IsOnFilteredList(found));
    EXPECT_FALSE(db_->IsOnObservingList(found));
    EXPECT_FALSE(db_->GoToObject(found));
    db_->SetTemporaryObject(found);
    EXPECT_EQ(db_->CurrentObject(), found);
    EXPECT_EQ(db_->ListPositionText(), "Temporary Object");
    db_->FirstObject();
    EXPECT_EQ(db_->TemporaryObject(), ObjectId());
}

TEST_F(ObjectFinder, HelpAndSnapshots)
{
    fw::RecordedHelp help;
    TFind find(nullptr);
    find.EnsureSetUp();
    find.SetControlText(TFind::kText, "NGC 224");
    find.PressButton(fw::IDHELP);
    CommonNameDlg names(nullptr);
    names.EnsureSetUp();
    names.PressButton(fw::IDHELP);
    EXPECT_EQ(help.Contexts(), (std::vector<int>{81, 68}));
    EXPECT_EQ(find.GetCaption(), "Object Finder");
    testsupport::SaveDialogSnapshot(find, "object-finder.png");
    testsupport::SaveDialogSnapshot(names, "common-names.png");
}
