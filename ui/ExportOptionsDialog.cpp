#include "ui/ExportOptionsDialog.h"

#include <QGridLayout>
#include <QRadioButton>

ExportOptionsDialog::ExportOptionsDialog(QWidget* parent, int) : fw::Dialog(parent, "Export Options")
{
    Place(ID_THESKY, new QRadioButton("Export to TheSky IV", this), 0, 0);
    Place(ID_TABDELIMITED, new QRadioButton("Export as Tab delimited List", this), 1, 0);
    Place(ID_PARAGRAPH, new QRadioButton("Export Paragraph Text", this), 2, 0);
    GroupRadioButtons({ID_THESKY, ID_TABDELIMITED, ID_PARAGRAPH});
    AddStandardButtons();
}

void ExportOptionsDialog::SetupWindow()
{
    const struct {
        int id;
        Form form;
    } buttons[] = {{ID_PARAGRAPH, ParagraphText}, {ID_THESKY, TheSky}, {ID_TABDELIMITED, TabDelimited}};
    for (const auto& b : buttons) CheckButton(b.id, fw::BF_UNCHECKED);
    for (const auto& b : buttons) {
        const bool allowedForm = (allowed & b.form) != 0;
        EnableControl(b.id, allowedForm);
        if (allowedForm && (choice & b.form)) CheckButton(b.id, fw::BF_CHECKED);
    }
}

bool ExportOptionsDialog::CanClose()
{
    if (!fw::Dialog::CanClose()) return false;
    if (IsButtonChecked(ID_THESKY) == fw::BF_CHECKED) choice = TheSky;
    else if (IsButtonChecked(ID_PARAGRAPH) == fw::BF_CHECKED) choice = ParagraphText;
    else choice = TabDelimited;
    return true;
}
