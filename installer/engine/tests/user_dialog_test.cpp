// The script's user dialogs at run time: found by name, texts expanded, edit fields and lists
// showing and setting the variables they name, and the errors that give -1.
#include "installer/engine/ScriptInstaller.h"

#include "framework/gui/MessageBox.h"
#include "framework/sys/WinFileSystem.h"
#include "installer/support/tests/InstallerRootFixture.h"
#include "installer/support/DialogBox.h"
#include "installer/support/FilePath.h"
#include "installer/support/LanguageLibrary.h"
#include "installer/support/UserDialogBox.h"
#include "framework/testsupport/Snapshot.h"

#include <QComboBox>
#include <QWidget>


using namespace kw;

namespace {

class ScriptUserDialogs : public InstallerRootFixture {
protected:
    void SetUp() override
    {
        InstallerRootFixture::SetUp();
        ASSERT_NO_FATAL_FAILURE(LoadLanguagePackage());

        auto project = std::make_unique<ScriptProject>();
        UserDialog d;
        d.name.Assign("Options");
        d.title.Assign("$product options");
        int frame[6] = {0, 500, 500, 80, 40, 0};
        std::copy(frame, frame + 6, d.values);
        auto add = [&](int kind, int y, const char* first, const char* second, const char* third, int value = 0) {
            DialogItem i;
            int v[7] = {kind, 8, y, 140, 12, value, 0};
            std::copy(v, v + 7, i.values);
            i.first.Assign(first);
            i.second.Assign(second);
            i.third.Assign(third);
            d.items.push_back(std::move(i));
        };
        add(UserDialogItemSpec::kText, 6, "", "Install $product into:", "");
        add(UserDialogItemSpec::kEdit, 20, "", "target", "");
        add(UserDialogItemSpec::kList, 36, "", "size", "Small\r\nLarge\r\n");
        add(UserDialogItemSpec::kButton, 60, "", "Next", "", 2);
        add(UserDialogItemSpec::kButton, 76, "", "Back", "", 1);
        project->dialogs.push_back(d);
        installer.SetProject(std::move(project));
        installer.SetStringVariable("product", "Stellum");
        installer.SetStringVariable("target", "C:\\STELLUM");
    }
    ScriptInstaller installer;
};

TEST_F(ScriptUserDialogs, FieldsShowAndSetTheirVariables)
{
    struct Case { int button, result; const char* target; int size; } cases[] = {
        {103, 2, "D:\\PLANNER", 1},  // an even value collects the fields
        {104, 1, "C:\\STELLUM", 0},  // an odd one leaves the variables
    };
    for (const Case& c : cases) {
        installer.SetStringVariable("target", "C:\\STELLUM");
        *installer.IntVariable("size", true) = 0;
        fw::Responder<DialogSeam> drive([&](Dialog& d, const std::string&) {
            EXPECT_EQ(d.Window()->windowTitle().toStdString(), "Stellum options");
            EXPECT_EQ(d.ItemText(100), "Install Stellum into:");
            EXPECT_EQ(d.ItemText(101), "C:\\STELLUM");
            d.SetItemText(101, "D:\\PLANNER");
            static_cast<QComboBox*>(d.Item(102))->setCurrentIndex(1);
            if (c.button == 103) testsupport::SaveDialogSnapshot(*d.Window(), "kw_script_user_dialog.png");
            d.Command(c.button);
            return -7;
        });
        EXPECT_EQ(installer.ShowUserDialog("Options"), c.result);
        EXPECT_STREQ(installer.StringVariable("target"), c.target);
        EXPECT_EQ(*installer.IntVariable("size"), c.size);
    }
}

TEST_F(ScriptUserDialogs, MissingDialogsAndBadTextsGiveMinusOne)
{
    fw::ScriptedMessageBoxes boxes;
    EXPECT_EQ(installer.ShowUserDialog("Nothing"), -1);
    installer.Project()->dialogs[0].title.Assign("$unknown");
    EXPECT_EQ(installer.ShowUserDialog("Options"), -1);
    installer.Project()->dialogs[0].title.Assign("fine");
    installer.Project()->dialogs[0].items[1].second.Assign("bad name");
    EXPECT_EQ(installer.ShowUserDialog("Options"), -1);
    ASSERT_EQ(boxes.Count(), 3);
    EXPECT_EQ(boxes.Calls()[0].text, "User dialog Nothing not found");
    EXPECT_EQ(boxes.Calls()[1].text, "Error evaluting user dialog Options");
    EXPECT_EQ(boxes.Calls()[2].text, "Error evaluting user dialog Options");
}

} // namespace
