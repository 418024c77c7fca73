#include "installer/engine/GroupsElsewhereDialog.h"

#include "installer/engine/InstallerHost.h"
#include "installer/support/DialogBox.h"

#include <QListWidget>

namespace kw {

namespace {

enum : int { kList = 101, kHelp = 104 };
enum { kHelpContextElsewhere = 15 };

class GroupsElsewhereDialog : public Dialog {
public:
    GroupsElsewhereDialog(InstallerHost& host, const std::vector<std::string>& names, std::vector<int>& chosen)
        : host_(host), names_(names), chosen_(chosen) {}
    ~GroupsElsewhereDialog() override { DestroyWindow(); }

    intptr_t DialogProc(unsigned message, uintptr_t wparam, intptr_t) override
    {
        if (message == kMsgInitDialog) {
            if (auto* list = List()) {
                list->setSelectionMode(QAbstractItemView::MultiSelection);
                for (const std::string& name : names_) list->addItem(QString::fromStdString(name));
            }
            return 0;
        }
        if (message != kMsgCommand || (wparam >> 16) != 0) return 0;
        switch (static_cast<int>(wparam & 0xFFFF)) {
        case kCmdOk:
            chosen_.clear();
            if (auto* list = List())
                for (int i = 0; i < list->count(); ++i)
                    if (list->item(i)->isSelected()) chosen_.push_back(i);
            EndDialog(0);
            return 1;
        case kCmdCancel: EndDialog(1); return 1;
        case kHelp: host_.ShowHelp(kHelpContextElsewhere); return 1;
        default: return 0;
        }
    }

private:
    QListWidget* List() const { return qobject_cast<QListWidget*>(Item(kList)); }
    InstallerHost& host_;
    const std::vector<std::string>& names_;
    std::vector<int>& chosen_;
};

} // namespace

bool ChooseGroups(InstallerHost& host, const std::vector<std::string>& names, std::vector<int>& chosen)
{
    GroupsElsewhereDialog dialog(host, names, chosen);
    return RunDialogWithOwner(dialog, host.DialogParent(), "DLGINSTSF") == 0;
}

} // namespace kw
