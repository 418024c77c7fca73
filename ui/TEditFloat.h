// Validated edit field of a magnitude, with arrows that step it between limits. A stored
// magnitude keeps its kind through the text: 212.3 shows as 12.3 (visual) and reads back
// as 212.3.
#pragma once

#include "ui/TEditValue.h"

class QScrollBar;

class TEditFloat : public TEditValue {
public:
    explicit TEditFloat(QWidget* parent = nullptr, int textLimit = 0);

    // Limits and step of the arrows (defaults -100.0, 100.0, 0.1).
    void SetLimits(double minimum, double maximum, double step);
    double Minimum() const { return minimum_; }
    double Maximum() const { return maximum_; }
    double Step() const { return step_; }

    // The arrows: up adds the step while the sum stays at or below the maximum, down
    // subtracts it while the result stays at or above the minimum. A visual or photographic
    // magnitude is stepped within its kind, the limits holding for the magnitude itself.
    void LineUp();
    void LineDown();

private:
    double minimum_ = -100.0;
    double maximum_ = 100.0;
    double step_ = 0.1;
    QScrollBar* arrows_;
};
