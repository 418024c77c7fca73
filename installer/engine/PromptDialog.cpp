#include "installer/engine/PromptDialog.h"

#include "installer/engine/InstallDialogs.h"
#include "installer/engine/InstallFileDialog.h"
#include "installer/engine/InstallOperations.h"
#include "installer/engine/InstallerHost.h"
#include "installer/support/DialogBox.h"
#include "installer/support/FilePath.h"
#include "installer/support/GroupLink.h"
#include "installer/support/MessageBoxDialog.h"
#include "installer/support/PathBuffer.h"
#include "installer/support/ResString.h"
#include "installer/support/WindowOps.h"

#include <QComboBox>
#include <QLineEdit>
#include <QString>

#include <algorithm>
#include <memory>
#include <strings.h>
#include <vector>

namespace kw {

namespace {

enum : int {
    kBody = 101,
    kEdit = 102,
    kHelp = 103,
    kBrowse = 104,
    kIcon = 105,
    kGroupPlace = 106, // where the group list goes
    kGroupList = 601,
};

std::string WithoutCarriageReturns(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

// The names of the Program Manager groups, sorted as a sorted combo box sorts (ignoring case).
std::vector<std::string> GroupNames()
{
    std::vector<std::string> names;
    ProgmanClient& client = ProgmanClient::Instance();
    const bool connected = client.Connect();
    if (connected && client.Link()) {
        std::unique_ptr<char[]> list(client.Link()->GroupList());
        const std::string text = list ? list.get() : "";
        std::size_t at = 0;
        while (at <= text.size()) {
            std::size_t end = text.find_first_of("\r\n", at);
            if (end == std::string::npos) end = text.size();
            if (end > at) names.push_back(text.substr(at, end - at));
            at = end + 1;
        }
    }
    if (connected) client.Disconnect(false);
    std::stable_sort(names.begin(), names.end(),
                     [](const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) < 0; });
    return names;
}

class PromptDialog : public InstallerDialog {
public:
    PromptDialog(InstallerHost& host, PromptRequest& request) : host_(host), request_(request), shown_(request.initial)
    {
        if (shown_.size() >= PromptRequest::kTextSize) shown_.resize(PromptRequest::kTextSize - 1);
    }
    ~PromptDialog() override { DestroyWindow(); }

private:
    bool Command(int id) override
    {
        switch (id) {
        case kHelp: host_.ShowHelp(request_.kind); return true;
        case kBrowse: Browse(); return true;
        case kCmdHelpContext: SetWindowWord0(request_.kind); return true;
        default: return false;
        }
    }

    void Init() override
    {
        QWidget* w = Window();
        w->setWindowTitle(QString::fromStdString(request_.caption));
        SetItemText(kBody, WithoutCarriageReturns(request_.body));
        ShowInstallerIcon(*this, kIcon);
        ShowItem(kBrowse, request_.kind == PromptRequest::kDirectory);
        if (auto* edit = qobject_cast<QLineEdit*>(Item(kEdit))) {
            edit->setMaxLength(PromptRequest::kTextSize - 1);
            edit->setText(QString::fromStdString(shown_));
        }
        if (request_.kind == PromptRequest::kGroup) {
            // The field becomes a list of the present groups in which a new name can be typed.
            ShowItem(kEdit, false);
            auto* combo = new QComboBox;
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            for (const std::string& name : GroupNames()) combo->addItem(QString::fromStdString(name));
            combo->lineEdit()->setMaxLength(PromptRequest::kTextSize - 1);
            combo->setEditText(QString::fromStdString(shown_));
            QWidget* place = Item(kGroupPlace);
            ReplacePlaceholder(*this, kGroupPlace, combo);
            AddItem(kGroupList, combo);
            AddItem(kGroupPlace, nullptr);
            delete place;
        }
        PushWindow();
        if (QWidget* field = Field()) field->setFocus();
    }

    QWidget* Field() const { return Item(request_.kind == PromptRequest::kGroup ? kGroupList : kEdit); }

    void Cancel() override
    {
        shown_ = WindowText(Field());
        EndDialog(1);
    }

    void Ok() override
    {
        std::string text = WindowText(Field());
        if (text.size() >= PromptRequest::kTextSize) text.resize(PromptRequest::kTextSize - 1);
        shown_ = text;
        if (request_.kind == PromptRequest::kDirectory && !AcceptDirectory(text)) return;
        request_.result = text;
        EndDialog(0);
    }

    // The checks of a target directory; the text becomes its full path.
    bool AcceptDirectory(std::string& text)
    {
        PathBuffer full;
        if (text.empty() || !FullPath(text.c_str(), full)) {
            char message[kResStringSize];
            LoadResString(message, 1);
            ComplainAt(Field(), "%s", message);
            return false;
        }
        const std::string f = full.Text();
        // Letter case, a drive's root ("C:" is "C:\") and a trailing "\" are no change.
        const bool same = strcasecmp(f.c_str(), text.c_str()) == 0 ||
                          (f.size() == text.size() + 1 && strncasecmp(f.c_str(), text.c_str(), text.size()) == 0) ||
                          (text.size() == f.size() + 1 && text.back() == '\\' &&
                           strncasecmp(f.c_str(), text.c_str(), f.size()) == 0);
        if (!same) {
            MessageBoxDialog box;
            box.SetText("%s", FillIn(138, {f, text}).c_str());
            box.SetStandardIcon(MessageBoxDialog::kIconQuestion);
            box.SetButtons(MessageBoxDialog::kYesNo);
            char caption[kResStringSize];
            LoadResString(caption, 139);
            if (box.RunWithOwner(Window(), caption) != 0) return false;
        }
        InstallOperations& ops = host_.Operations();
        if (request_.checkSpace && ops.CheckFreeSpace(f.c_str(), request_.neededSpace) != 0) return false;
        if (request_.makeDirectory && ops.CreateDirectoryPath(f.c_str()) == InstallOperations::kFailed) return false;
        text = f;
        return true;
    }

    void Browse()
    {
        InstallFileDialog files;
        files.SetTitle(request_.caption);
        files.SetInitialDirectory(WindowText(Field()));
        files.SetFileName("*.*");
        PathBuffer chosen;
        if (!files.Run(Window(), InstallFileDialog::kOpen, chosen)) return;
        // The directory of the chosen name; a name that is itself a directory is taken whole.
        PathBuffer directory;
        if (DirectoryExists(chosen.Text()))
            directory.SetText(chosen.Text());
        else
            DirectoryOf(chosen.Text(), directory);
        SetWindowText(Field(), directory.Text());
    }

    InstallerHost& host_;
    PromptRequest& request_;
    std::string shown_; // the field's text, kept over a Cancel that is not confirmed
};

} // namespace

bool PromptForString(InstallerHost& host, PromptRequest& request)
{
    PromptDialog dialog(host, request);
    return RunUntilConfirmed(host, dialog, "DLGPROMPTSTR");
}

} // namespace kw
