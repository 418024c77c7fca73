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

void TEditFloat::LineUp()
{
    const double v = GetValue();
    if (v + step_ <= maximum_)
        SetValue(v + step_);
}

void TEditFloat::LineDown()
{
    const double v = GetValue();
    if (v - step_ >= minimum_)
        SetValue(v - step_);
}
