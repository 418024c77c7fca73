#include "catalog/CommonNameDlg.h"

#include "catalog/NGC2000Indexes.h"
#include "catalog/NamedObjects.h"
#include "framework/gui/ListBox.h"
#include "framework/gui/MessageBox.h"
#include "globals/Globals.h"

#include <QGroupBox>
#include <QVBoxLayout>

CommonNameDlg::CommonNameDlg(QWidget* parent, int /*resourceId*/) : fw::Dialog(parent, "Objects with Common Names")
{
    auto* group = new QGroupBox("Select Object to find", this);
    auto* column = new QVBoxLayout(group);
    list_ = AddControl(kList, new fw::ListBox(group, true));
    list_->setMinimumSize(340, 320);
    column->addWidget(list_);
    Body()->addWidget(group, 0, 0);
    AddStandardButtons(kHelpContext);
}

void CommonNameDlg::SetupWindow()
{
    list_->ClearList();
    const NamedObjects* names = AppGlobals.database ? AppGlobals.database->Names() : nullptr;
    if (!names)
        return;
    for (int i = 0; i < names->CommonNameCount(); ++i) {
        const std::string item = names->EntryCommonName(i) + " (" + names->EntryObjectName(i) + ")";
        list_->SetItemData(list_->AddString(item), long(names->EntryObject(i).Value()));
    }
}

void CommonNameDlg::CmOk()
{
    const int index = list_->GetSelIndex();
    if (index == fw::LB_ERR) {
        resultText.clear();
        return;
    }
    const ObjectId id(std::uint32_t(list_->GetItemData(index)));
    number = id.Number();
    resultText = number > ObjectId::kIcOffset ? "IC " + std::to_string(number - ObjectId::kIcOffset)
                                              : "NGC " + std::to_string(number);
    const NamedObjects* names = AppGlobals.database ? AppGlobals.database->Names() : nullptr;
    if (names)
        resultText += " = " + names->CommonName(ObjectId::FromCatalogue(ObjectId::kNgcCatalogue, number));
    CloseWindow(fw::IDOK);
}
