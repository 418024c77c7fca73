// The installer's progress bar: takes over a control's painting and shows a percentage, as a
// bar growing from the left when the control is at least as wide as high, else from the
// bottom, with the figure "n%" centred on it.
#pragma once

#include "installer/support/WindowSubclass.h"

#include <cstdint>

namespace kw {

class Gauge : public WindowSubclass {
public:
    explicit Gauge(uint32_t barColour = 0x00C0C0C0) : colour_(barColour) {}
    // Accepted only for 0-100; a change repaints the control at once.
    void SetPercent(int n);
    int Percent() const { return percent_; }
    void SetColour(uint32_t colour) { colour_ = colour; }
    uint32_t Colour() const { return colour_; }

protected:
    bool Message(QWidget* window, QEvent* event) override;

private:
    int percent_ = 0;
    uint32_t colour_;
};

} // namespace kw
