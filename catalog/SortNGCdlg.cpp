#include "catalog/SortNGCdlg.h"

#include "catalog/CatalogueStrings.h"
#include "framework/gui/ComboBox.h"
#include "framework/gui/MessageBox.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>

namespace {
constexpr int kTextLimit = 40;
constexpr int kComboWidth = 220;
const char* const kKeyTitles[SortNGCdlg::kKeyCount] = {"First Sort Key", "Second Sort Key", "Third Sort Key",
                                                       "Fourth Sort Key"};
} // namespace

SortNGCdlg::SortNGCdlg(QWidget* parent, int /*resourceId*/) : fw::Dialog(parent, "Sort Order Selection")
{
    for (int n = 1; n <= kKeyCount; ++n) {
        auto* group = new QGroupBox(kKeyTitles[n - 1], this);
        auto* row = new QHBoxLayout(group);
        keys_[n - 1] = AddControl(KeyCombo(n), new fw::ComboBox(group, false, kTextLimit));
        keys_[n - 1]->setMinimumWidth(kComboWidth);
        row->addWidget(keys_[n - 1], 1);
        row->addSpacing(12);
        row->addWidget(AddControl(AscendingButton(n), new QRadioButton("Ascending", group)));
        row->addWidget(AddControl(DescendingButton(n), new QRadioButton("Descending", group)));
        Body()->addWidget(group, n - 1, 0);
        GroupRadioButtons({AscendingButton(n), DescendingButton(n)});
    }
    AddStandardButtons(kHelpContext);
}

void SortNGCdlg::SetupWindow()
{
    for (int n = 1; n <= kKeyCount; ++n) {
        const bool ascending = criteria.Direction(n) == SortCriteria::kAscending;
        CheckButton(ascending ? AscendingButton(n) : DescendingButton(n), fw::BF_CHECKED);
        fw::ComboBox* combo = keys_[n - 1];
        combo->ClearList();
        // The sort-key string resources; item data is the key code, the items stay in code order.
        for (int code = kSortIgnore; code < kSortEndOfOptions; ++code)
            combo->SetItemData(combo->AddString(CatalogueString(code)), code);
        combo->SetSelIndex(combo->FindItemData(criteria.Key(n)));
    }
}

void SortNGCdlg::CmOk()
{
    for (int n = 1; n <= kKeyCount; ++n) {
        const int index = keys_[n - 1]->GetSelIndex();
        if (index != fw::CB_ERR)
            criteria.SetKey(n, int(keys_[n - 1]->GetItemData(index)));
    }
    for (int n = 1; n <= kKeyCount; ++n)
        criteria.SetDirection(n, SortCriteria::kDescending);
    for (int n = 1; n <= kKeyCount; ++n)
        if (IsButtonChecked(AscendingButton(n)) == fw::BF_CHECKED)
            criteria.SetDirection(n, SortCriteria::kAscending);
    CloseWindow(fw::IDOK);
}
