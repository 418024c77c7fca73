#include "ui/TEditFloat.h"

#include "ui/Spinner.h"

TEditFloat::TEditFloat(QWidget* parent, int textLimit)
    : TEditValue(parent, textLimit, vkMagnitude, "Magnitude Input Error")
{
    arrows_ = AttachArrows(this, [this] { LineUp(); }, [this] { LineDown(); });
}

void TEditFloat::SetLimits(double minimum, double maximum, double step)
{
    minimum_ = minimum;
    maximum_ = maximum;
    step_ = step;
}

namespace {

// The offset that marks a stored magnitude's kind. 100 itself, the top the arrows reach from
// a plain magnitude, counts as plain so that it steps back down.
double KindOffset(double stored)
{
    if (stored > 100.0 && stored < 300.0)
        return TextConvert::kVisualOffset;
    if (stored >= 300.0 && stored < 500.0)
        return TextConvert::kPhotoOffset;
    return 0.0;
}

} // namespace

// The limits hold for the magnitude itself, and a step never changes the kind.
void TEditFloat::LineUp()
{
    const double v = GetValue();
    if (v - KindOffset(v) + step_ <= maximum_ && KindOffset(v + step_) == KindOffset(v))
        SetValue(v + step_);
}

void TEditFloat::LineDown()
{
    const double v = GetValue();
    if (v - KindOffset(v) - step_ >= minimum_ && KindOffset(v - step_) == KindOffset(v))
        SetValue(v - step_);
}
