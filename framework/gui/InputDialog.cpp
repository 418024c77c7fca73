#include "framework/gui/InputDialog.h"

#include "framework/gui/Edit.h"
#include "framework/gui/MessageBox.h"

#include <QLabel>

namespace fw {

InputDialog::InputDialog(QWidget* parent, const std::string& title, const std::string& prompt,
                         const std::string& text, int textLimit)
    : Dialog(parent, title), text_(text)
{
    Place(kPromptId, new QLabel(QString::fromStdString(prompt), this), 0, 0);
    Place(kEditId, new Edit(this, textLimit), 1, 0);
    AddStandardButtons();
}

void InputDialog::SetupWindow()
{
    SetControlText(kEditId, text_);
    if (auto* e = ControlAs<Edit>(kEditId)) e->selectAll();
    FocusControl(kEditId);
}

void InputDialog::CmOk()
{
    if (!CanClose()) return;
    text_ = ControlText(kEditId);
    CloseWindow(IDOK);
}

int InputBox(QWidget* parent, const std::string& title, const std::string& prompt, std::string& text,
             int textLimit)
{
    InputDialog dlg(parent, title, prompt, text, textLimit);
    if (dlg.Execute() != IDOK) return IDCANCEL;
    text = dlg.Text();
    return IDOK;
}

}  // namespace fw
