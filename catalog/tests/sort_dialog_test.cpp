// "Sort Order Selection", driven by control id: the keys and directions it shows for the
// selected list, what OK stores, and that the other list and Cancel are left alone.

#include "catalog/CatalogueStrings.h"
#include "catalog/SortNGCdlg.h"
#include "framework/gui/ComboBox.h"
#include "framework/gui/Help.h"
#include "framework/gui/MessageBox.h"
#include "framework/testsupport/Snapshot.h"

#include <gtest/gtest.h>

#include <vector>

TEST(SortNGCdlg, ShowsTheSelectedListsKeysAndDirections)
{
    SortCriteria criteria;
    criteria.SelectList(0);
    criteria.SetKey(1, kSortMagnitude);
    criteria.SetKey(2, kSortConstellation);
    criteria.SetDirection(1, SortCriteria::kDescending);
    criteria.SetDirection(2, SortCriteria::kAscending);
    SortNGCdlg dlg(nullptr);
    dlg.criteria = criteria;
    dlg.EnsureSetUp();

    EXPECT_EQ(dlg.GetCaption(), "Sort Order Selection");
    for (int n = 1; n <= 4; ++n) {
        EXPECT_EQ(dlg.IsButtonChecked(SortNGCdlg::AscendingButton(n)), n == 2 ? fw::BF_CHECKED : fw::BF_UNCHECKED) << n;
        EXPECT_EQ(dlg.IsButtonChecked(SortNGCdlg::DescendingButton(n)), n == 2 ? fw::BF_UNCHECKED : fw::BF_CHECKED) << n;
        auto* combo = dlg.ControlAs<fw::ComboBox>(SortNGCdlg::KeyCombo(n));
        ASSERT_NE(combo, nullptr);
        // The 23 keys from "Ignore" to "Uranometria Page", in code order.
        ASSERT_EQ(combo->GetCount(), 23);
        for (int i = 0; i < 23; ++i) {
            EXPECT_EQ(combo->GetItemData(i), 13001 + i);
            EXPECT_EQ(combo->GetString(i), CatalogueString(13001 + i));
        }
        EXPECT_EQ(combo->GetString(0), "Ignore");
        EXPECT_EQ(combo->GetString(22), "Uranometria Page");
    }
    EXPECT_EQ(dlg.ControlText(SortNGCdlg::KeyCombo(1)), "Magnitude");
    EXPECT_EQ(dlg.ControlText(SortNGCdlg::KeyCombo(2)), "Constellation");
    EXPECT_EQ(dlg.ControlText(SortNGCdlg::KeyCombo(3)), "Ignore");

    dlg.PressButton(fw::IDOK);
    EXPECT_EQ(dlg.Result(), fw::IDOK);
    EXPECT_EQ(dlg.criteria, criteria) << "OK with the controls unchanged";
}

TEST(SortNGCdlg, OkStoresTheSelectedListOnly)
{
    SortCriteria criteria;  // list 0: Dreyer brightness; list 1: observation order
    criteria.SelectList(1);
    criteria.SetKey(2, kSortMagnitude);
    SortNGCdlg dlg(nullptr);
    dlg.criteria = criteria;
    dlg.EnsureSetUp();
    EXPECT_EQ(dlg.ControlText(SortNGCdlg::KeyCombo(1)), "Observation Order");
    EXPECT_EQ(dlg.IsButtonChecked(SortNGCdlg::AscendingButton(1)), fw::BF_CHECKED);

    auto* third = dlg.ControlAs<fw::ComboBox>(SortNGCdlg::KeyCombo(3));
    third->SetSelIndex(third->FindItemData(kSortRightAscension));
    dlg.PressButton(SortNGCdlg::AscendingButton(3));
    dlg.PressButton(SortNGCdlg::DescendingButton(1));
    // A key without a selection keeps its code.
    dlg.ControlAs<fw::ComboBox>(SortNGCdlg::KeyCombo(2))->SetSelIndex(-1);
    dlg.PressButton(fw::IDOK);

    SortCriteria& out = dlg.criteria;
    EXPECT_EQ(out.list, 1);
    EXPECT_EQ(out.Key(1), kSortObservationOrder);
    EXPECT_EQ(out.Key(2), kSortMagnitude);
    EXPECT_EQ(out.Key(3), kSortRightAscension);
    EXPECT_EQ(out.Direction(1), SortCriteria::kDescending);
    EXPECT_EQ(out.Direction(3), SortCriteria::kAscending);
    EXPECT_EQ(out.Direction(4), SortCriteria::kDescending);
    out.SelectList(0);
    criteria.SelectList(0);
    EXPECT_EQ(out, criteria) << "the filtered list's keys changed";
}

TEST(SortNGCdlg, CancelStoresNothing)
{
    SortCriteria criteria;
    criteria.SelectList(0);
    SortNGCdlg dlg(nullptr);
    dlg.criteria = criteria;
    dlg.EnsureSetUp();
    auto* first = dlg.ControlAs<fw::ComboBox>(SortNGCdlg::KeyCombo(1));
    first->SetSelIndex(first->FindItemData(kSortCommonName));
    dlg.PressButton(SortNGCdlg::AscendingButton(4));
    dlg.PressButton(fw::IDCANCEL);
    EXPECT_EQ(dlg.Result(), fw::IDCANCEL);
    EXPECT_EQ(dlg.criteria, criteria);
}

TEST(SortNGCdlg, HelpAndSnapshot)
{
    fw::RecordedHelp help;
    SortNGCdlg again(nullptr);
    again.EnsureSetUp();
    again.PressButton(fw::IDHELP);
    EXPECT_EQ(help.Contexts(), std::vector<int>{79});
    testsupport::SaveDialogSnapshot(again, "sort-order.png");
}
