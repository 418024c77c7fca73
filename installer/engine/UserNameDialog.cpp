#include "installer/engine/UserNameDialog.h"

#include "installer/engine/BoundControls.h"
#include "installer/engine/InstallDialogs.h"
#include "installer/engine/InstallerHost.h"
#include "installer/support/DialogBox.h"
#include "installer/support/ResString.h"
#include "installer/support/WindowOps.h"
#include "installer/support/WindowStack.h"

#include <QLineEdit>

#include <cstring>
#include <memory>
#include <string>

namespace kw {

namespace {

enum : int { kPrompt = 101, kName = 102, kCompany = 103, kHelp = 104, kIcon = 105 };
enum { kHelpContextUserName = 3 };

class UserNameDialog : public Dialog {
public:
    UserNameDialog(InstallerHost& host, UserNameRecord& work) : host_(host), work_(work)
    {
        shownName_ = work.name;
        shownCompany_ = work.company;
    }
    ~UserNameDialog() override { DestroyWindow(); }

    intptr_t DialogProc(unsigned message, uintptr_t wparam, intptr_t lparam) override
    {
        switch (message) {
        case kMsgInitDialog: Init(); return 0;
        case kMsgCommand:
            if ((wparam >> 16) == 0) {
                switch (static_cast<int>(wparam & 0xFFFF)) {
                case kCmdOk:
                    if (work_.readOnly || ValidateAll(list_)) EndDialog(0);
                    return 1;
                case kCmdCancel: Cancel(); return 1;
                case kHelp: host_.ShowHelp(kHelpContextUserName); return 1;
                case kCmdHelpContext: SetWindowWord0(kHelpContextUserName); return 1;
                default: break;
                }
            }
            break;
        case kMsgSysCommand:
            if (wparam == kScClose) {
                Cancel();
                return 1;
            }
            break;
        case kMsgDestroy:
            if (pushed_) WindowStack::Instance().Pop();
            pushed_ = false;
            break;
        default: break;
        }
        return DispatchToControls(&list_, message, wparam, lparam) ? 1 : 0;
    }

private:
    void Init()
    {
        auto name = std::make_unique<RangeValidator>();
        char message[kResStringSize];
        LoadResString(message, 15);
        name->SetTextLength(message, 4, 20);
        auto company = std::make_unique<RangeValidator>();
        company->SetTextLength("", 0, 2147483647);
        nameEdit_.Attach(*this, kName, std::move(name));
        companyEdit_.Attach(*this, kCompany, std::move(company));
        ClearControls(list_);
        AddControl(list_, &nameEdit_);
        AddControl(list_, &companyEdit_);
        nameEdit_.BindCharBuffer(work_.name, sizeof work_.name);
        companyEdit_.BindCharBuffer(work_.company, sizeof work_.company);
        // Texts kept over a Cancel come back; a field whose text is not its variable's counts
        // as entered, so that OK reads what it shows.
        Restore(nameEdit_, shownName_, work_.name);
        Restore(companyEdit_, shownCompany_, work_.company);

        char prompt[kResStringSize];
        LoadResString(prompt, work_.readOnly ? 13 : 14);
        SetItemText(kPrompt, prompt);
        ShowInstallerIcon(*this, kIcon);
        for (int id : {kName, kCompany})
            if (auto* edit = qobject_cast<QLineEdit*>(Item(id))) edit->setReadOnly(work_.readOnly);
        WindowStack::Instance().Push(Window());
        pushed_ = true;
        if (QWidget* focus = Item(work_.readOnly ? static_cast<int>(kCmdOk) : static_cast<int>(kName))) focus->setFocus();
    }

    void Restore(BoundEdit& field, const std::string& shown, const char* variable)
    {
        if (shown == variable || !field.Window()) return;
        SetWindowText(field.Window(), shown);
        DialogProc(kMsgCommand,
                   static_cast<uintptr_t>(field.Id()) | (static_cast<uintptr_t>(BoundControl::kNotifySetFocusEdit) << 16),
                   reinterpret_cast<intptr_t>(field.Window()));
    }

    void Cancel()
    {
        shownName_ = WindowText(Item(kName));
        shownCompany_ = WindowText(Item(kCompany));
        EndDialog(1);
    }

    InstallerHost& host_;
    UserNameRecord& work_;
    BoundEdit nameEdit_, companyEdit_;
    ControlList list_ = {};
    std::string shownName_, shownCompany_;
    bool pushed_ = false;
};

} // namespace

bool AskUserName(InstallerHost& host, UserNameRecord& record)
{
    UserNameRecord work = record;
    // The caller's texts, each ended within its buffer whatever the caller left in it.
    work.name[UserNameRecord::kNameSize - 1] = 0;
    work.company[UserNameRecord::kCompanySize - 1] = 0;
    UserNameDialog dialog(host, work);
    if (!RunUntilConfirmed(host, dialog, "DLGASKUI")) return false;
    std::memcpy(record.name, work.name, sizeof record.name);
    std::memcpy(record.company, work.company, sizeof record.company);
    return true;
}

} // namespace kw
