#include "catalog/ModifyFilterDialog.h"

#include "catalog/NGC2000Indexes.h"
#include "globals/Globals.h"
#include "ui/TStatusDlg.h"

namespace {
void HideStatusWindow()
{
    if (StatusWindow)
        StatusWindow->HideUnlessPinned();
}
} // namespace

ModifyFilterDialog::ModifyFilterDialog(QWidget* parent, int resourceId) : MainFilterDialog(parent, resourceId)
{
    LogOpen = 0;
}

void ModifyFilterDialog::SetupWindow()
{
    if (NGC2000Indexes* db = AppGlobals.database)
        settings.Assign(db->GetFilterSettings());
    MainFilterDialog::SetupWindow();
    ShowPassCounts();
    HideStatusWindow();
}

void ModifyFilterDialog::Refilter()
{
    NGC2000Indexes* db = AppGlobals.database;
    if (!db)
        return;
    db->SetFilterSettings(settings, true);
    settings.Assign(db->GetFilterSettings());
    ShowPassCounts();
    HideStatusWindow();
}

bool ModifyFilterDialog::ApplyOnOk()
{
    if (!MainFilterDialog::ApplyOnOk())
        return false;
    if (NGC2000Indexes* db = AppGlobals.database)
        db->SetFilterSettings(settings, true);
    return true;
}
