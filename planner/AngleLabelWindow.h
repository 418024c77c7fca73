// A data window that shows an angle in the unit, format and precision the user chose from
// its menu; a mask given at construction says which units, formats and precisions it offers.
#pragma once

#include "astro/Angle.h"
#include "planner/LabelWindow.h"
#include "ui/AngleLabelConfig.h"

#include <cstdint>

class AngleLabelWindow : public LabelWindow, public AngleLabelConfig {
public:
    // Angle units and their commands.
    enum Unit {
        Radians = Angle::kRadians,
        Degrees = Angle::kDegrees,
        Hours = Angle::kHours,
        Arcminutes = Angle::kArcMinutes,
        Arcseconds = Angle::kArcSeconds,
        Sector = Angle::kCompass,
        Elevation = Angle::kAltitudeWord,
    };
    static constexpr int kFirstUnitCommand = 17400;  // + unit
    static constexpr int kFirstPrecisionCommand = 17415;  // + precision 0-5
    // Offered items: bits 0-6 the units (bit 0 radians, 1 degrees, 2 hours, 3-6 the rest),
    // bits 7-10 formats 0-3, bits 12-15 formats 4-7, bits 20-25 precision 0-5.
    static constexpr std::uint32_t kOfferEverything = 0x3F0F7FF;

    AngleLabelWindow(QWidget* parent, const std::string& name, const std::string& caption = {},
                     std::uint32_t offered = kOfferEverything);
    LabelConfig* Settings() override { return this; }

    void SetAngle(const Angle& angle, bool repaint = true);
    const Angle& Value() const { return angle_; }
    // Takes a unit, format or precision as the menu does, then shows the value again.
    void Choose(int command);
    // The command that sets a format (0-7), and the reverse (-1 for no format command).
    static int FormatCommand(int format);
    static int FormatOfCommand(int command);
    std::uint32_t Offered() const { return offered_; }

protected:
    void ShowRightButtonMenu(const fw::Point& p) override;

private:
    bool Offers(int bit) const { return (offered_ >> bit) & 1u; }
    std::string Formatted() const;

    Angle angle_;
    std::uint32_t offered_;
};
