// The shell's own windows: the tool bar's observing-list button pair, the status bar's
// toggle with its time gadgets, the accelerator table and the About box.
#include "app/MainToolbar.h"
#include "app/StellumMenus.h"
#include "app/StellumStatusBar.h"
#include "app/TStellumAboutDlg.h"
#include "framework/gui/MDIFrame.h"
#include "framework/testsupport/Snapshot.h"

#include <QPixmap>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(MainToolbarPair, SwapsInPlaceAfterTheFirstSeparatorAndOnlyOnAChange)
{
    MainToolbar bar;
    bar.AddButtons();
    const std::vector<int> withAdd = bar.Layout();
    ASSERT_EQ(withAdd[4], 0);
    EXPECT_EQ(withAdd[5], CM_ADDTOOBSLIST);
    EXPECT_EQ(bar.GetPairState(), MainToolbar::kAddShown);

    EXPECT_TRUE(bar.ShowRemoveButton());
    std::vector<int> withRemove = withAdd;
    withRemove[5] = CM_REMOVEFROMOBSLIST;
    EXPECT_EQ(bar.Layout(), withRemove);
    EXPECT_FALSE(bar.ShowRemoveButton()) << "the same state again does nothing";
    EXPECT_EQ(bar.Layout(), withRemove);

    EXPECT_TRUE(bar.ShowAddButton());
    EXPECT_EQ(bar.Layout(), withAdd);
    EXPECT_FALSE(bar.ShowAddButton());
}

TEST(StellumStatusBarToggle, HidingAndShowingKeepsBothTimeGadgets)
{
    fw::MDIFrame frame("t", MainMenu());
    auto* bar = new StellumStatusBar(&frame);
    frame.InsertStatusBar(bar);
    bar->SetGadgetText(StellumStatusBar::kSiderealGadget, " LST  01:02");
    bar->SetGadgetText(StellumStatusBar::kLocalTimeGadget, "09:30pm");
    bar->ToggleVisible();
    EXPECT_FALSE(bar->IsVisible());
    bar->ToggleVisible();
    EXPECT_TRUE(bar->IsVisible());
    EXPECT_EQ(bar->GadgetIds(), (std::vector<int>{StellumStatusBar::kSiderealGadget,
                                                  StellumStatusBar::kLocalTimeGadget}));
    EXPECT_EQ(bar->GadgetText(StellumStatusBar::kSiderealGadget), " LST  01:02");
    EXPECT_EQ(bar->GadgetText(StellumStatusBar::kLocalTimeGadget), "09:30pm");
}

TEST(MainAccelerators, KeysReachTheirCommands)
{
    fw::MDIFrame frame("t", MainMenu());
    frame.SetAccelerators(MainAccelerators());
    struct Case {
        QKeySequence key;
        int id;
    } cases[] = {
        {QKeySequence(Qt::Key_F10), CM_CLOCKS},
        {QKeySequence(Qt::SHIFT | Qt::Key_F), CM_FILTEREDLIST},
        {QKeySequence(Qt::Key_O), CM_OBSERVINGLIST},
        {QKeySequence(Qt::CTRL | Qt::Key_Delete), CM_CLEAROBSLIST},
        {QKeySequence(Qt::ALT | Qt::Key_Backspace), CM_EDITUNDO},
        {QKeySequence(Qt::Key_PageUp), CM_PREVIOUS},
        {QKeySequence(Qt::Key_F9), 142},
    };
    for (const Case& c : cases) EXPECT_EQ(frame.AcceleratorCommand(c.key), c.id) << c.key.toString().toStdString();
    // Every menu item with a key shows the key after a tab.
    EXPECT_EQ(MainMenu().FindItem(CM_CLOCKS)->text, "&Clocks\tF10");
}

TEST(AboutBox, VersionBlockCompletesTheTexts)
{
    VersionBlock block({{"ProductName", "Stellum"}, {"ProductVersion", "4.4"}, {"LegalCopyright", "(c) Q"}});
    // Made twice: the version is added once to the resource's word each time.
    for (int round = 0; round < 2; ++round) {
        TStellumAboutDlg about(nullptr, block);
        about.EnsureSetUp();
        EXPECT_EQ(about.GetCaption(), "About Stellum");
        EXPECT_EQ(about.ControlText(TStellumAboutDlg::kVersionId), "Version 4.4");
        EXPECT_EQ(about.ControlText(TStellumAboutDlg::kLegalId), "(c) Q");
        EXPECT_EQ(about.ControlText(TStellumAboutDlg::kSpecialBuildId), "") << "no special build";
    }
    // Without a version block the resource's texts stay.
    TStellumAboutDlg bare(nullptr, VersionBlock());
    bare.EnsureSetUp();
    EXPECT_EQ(bare.ControlText(TStellumAboutDlg::kVersionId), "Version");
    EXPECT_EQ(bare.ControlText(TStellumAboutDlg::kLegalId), "Copyright Quillon Software");

    // The program's own block names its version and carries a special build's note.
    TStellumAboutDlg program(nullptr);
    program.EnsureSetUp();
    std::string version;
    ASSERT_TRUE(VersionBlock::Program().Query("ProductVersion", version));
    EXPECT_EQ(program.ControlText(TStellumAboutDlg::kVersionId), "Version " + version);
    TStellumAboutDlg special(nullptr, VersionBlock(std::vector<VersionBlock::Entry>{{"SpecialBuild", "Test build"}}));
    special.EnsureSetUp();
    EXPECT_EQ(special.ControlText(TStellumAboutDlg::kSpecialBuildId), "Test build");
    EXPECT_EQ(special.ControlText(TStellumAboutDlg::kVersionId), "Version") << "no product, no version";

    testsupport::SaveDialogSnapshot(program, "about_box.png");
}

} // namespace
