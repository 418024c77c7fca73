#include "framework/gui/ColorChooser.h"
#include "framework/gui/Headless.h"

#include <QColorDialog>

#include <utility>

namespace fw {

bool ChooseColor(QWidget* owner, QColor& color, CustomColors* custom)
{
    if (auto& answer = ColorChooserSeam::Current()) {
        QColor chosen = color;
        CustomColors row{};
        if (custom) row = *custom;
        if (!answer(chosen, row)) return false;
        color = chosen;
        if (custom) *custom = row;
        return true;
    }
    if (IsHeadless()) {
        ReportHeadlessModal("colour chooser");
        return false;
    }
    if (custom)
        for (int i = 0; i < 16 && i < QColorDialog::customCount(); ++i)
            QColorDialog::setCustomColor(i, (*custom)[std::size_t(i)]);
    QColorDialog dialog(color, owner);
    dialog.setOption(QColorDialog::DontUseNativeDialog, false);
    bool ok = dialog.exec() == QDialog::Accepted;
    if (custom && ok)
        for (int i = 0; i < 16 && i < QColorDialog::customCount(); ++i)
            (*custom)[std::size_t(i)] = QColorDialog::customColor(i);
    if (ok) color = dialog.selectedColor();
    return ok;
}

}  // namespace fw
