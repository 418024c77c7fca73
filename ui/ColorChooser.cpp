#include "ui/ColorChooser.h"

#include <algorithm>

#include <QColor>
#include <QColorDialog>

namespace {

ColorChooserResponder& Responder()
{
    static ColorChooserResponder responder;
    return responder;
}

QColor ToQColor(RGBColor c) { return QColor(int(RedOf(c)), int(GreenOf(c)), int(BlueOf(c))); }
RGBColor FromQColor(const QColor& c) { return MakeRGB(unsigned(c.red()), unsigned(c.green()), unsigned(c.blue())); }

} // namespace

bool ChooseColor(QWidget* parent, RGBColor& color, CustomColors& customColors)
{
    if (Responder()) return Responder()(color, customColors);

    const int n = std::min<int>(QColorDialog::customCount(), int(customColors.size()));
    for (int i = 0; i < n; ++i) QColorDialog::setCustomColor(i, ToQColor(customColors[std::size_t(i)]));
    QColorDialog dialog(ToQColor(color), parent);
    const bool ok = dialog.exec() == QDialog::Accepted;
    for (int i = 0; i < n; ++i) customColors[std::size_t(i)] = FromQColor(QColorDialog::customColor(i));
    if (!ok) return false;
    color = FromQColor(dialog.selectedColor());
    return true;
}

ColorChooserResponder SetColorChooserResponder(ColorChooserResponder responder)
{
    ColorChooserResponder previous = std::move(Responder());
    Responder() = std::move(responder);
    return previous;
}

ScriptedColorChooser::ScriptedColorChooser(RGBColor answer) : cancel_(false), answer_(answer)
{
    previous_ = SetColorChooserResponder([this](RGBColor& color, CustomColors&) {
        ++count_;
        lastStart_ = color;
        if (cancel_) return false;
        color = answer_;
        return true;
    });
}

ScriptedColorChooser::ScriptedColorChooser() : ScriptedColorChooser(0) { cancel_ = true; }

ScriptedColorChooser::~ScriptedColorChooser() { SetColorChooserResponder(std::move(previous_)); }
