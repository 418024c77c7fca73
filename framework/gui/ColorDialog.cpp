#include "framework/gui/ColorDialog.h"

#include <QColorDialog>

namespace {
ColorDialogResponder& Responder()
{
    static ColorDialogResponder responder;
    return responder;
}
} // namespace

ColorDialogResponder SetColorDialogResponder(ColorDialogResponder responder)
{
    ColorDialogResponder previous = std::move(Responder());
    Responder() = std::move(responder);
    return previous;
}

bool RunColorDialog(QWidget* owner, QColor& color, ColorDialogCustomRow* custom)
{
    if (Responder()) {
        QColor chosen = color;
        if (!Responder()(chosen)) return false;
        color = chosen;
        return true;
    }
    if (custom)
        for (int i = 0; i < 16 && i < QColorDialog::customCount(); ++i)
            QColorDialog::setCustomColor(i, (*custom)[std::size_t(i)]);
    QColorDialog dialog(color, owner);
    dialog.setOption(QColorDialog::DontUseNativeDialog, false);
    bool ok = dialog.exec() == QDialog::Accepted;
    if (custom)
        for (int i = 0; i < 16 && i < QColorDialog::customCount(); ++i)
            (*custom)[std::size_t(i)] = QColorDialog::customColor(i);
    if (ok) color = dialog.selectedColor();
    return ok;
}
