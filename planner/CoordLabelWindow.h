// A caption-only header window that works out an object's coordinates in the frame, epoch
// and reduction the user chose and fills its partner windows: up to three position windows
// (theta, phi, distance) and up to five time windows (rise, transit, set, evening and morning
// twilight).
#pragma once

#include "astro/Coord.h"
#include "planner/LabelWindow.h"
#include "ui/CoordLabelConfig.h"

class AngleLabelWindow;
class DistanceLabelWindow;
class RiseSetTransit;
class TimeDateLabelWindow;

class CoordLabelWindow : public LabelWindow, public CoordLabelConfig {
public:
    enum Frame { Horizon = 0, Equatorial = 1, Ecliptic = 2, Galactic = 3, SuperGalactic = 4 };
    enum Epoch { J2000 = 0, CurrentEpoch = 1 };
    enum Reduction { Mean = 0, Apparent = 1, True = 2 };
    // Where the choices sit in the settings record: frame, epoch, reduction; the time choices
    // of the time windows (scale, time style, date style, composition); the theta and phi
    // windows' unit, format and precision as the partners last reported them.
    enum Setting { kFrame = 0, kEpoch = 1, kReduction = 2, kTimeChoices = 3, kThetaChoices = 7, kPhiChoices = 10 };
    // Commands of the menu.
    static constexpr int CM_EQUATORIAL = 17500;
    static constexpr int CM_ECLIPTIC = 17501;
    static constexpr int CM_GALACTIC = 17502;
    static constexpr int CM_SUPERGALACTIC = 17503;
    static constexpr int CM_HORIZON = 17504;
    static constexpr int CM_EPOCHJ2000 = 17505;
    static constexpr int CM_CURRENTEPOCH = 17506;
    static constexpr int CM_TRUE = 17507;
    static constexpr int CM_MEAN = 17508;
    static constexpr int CM_APPARENT = 17509;

    CoordLabelWindow(QWidget* parent, const std::string& name, const std::string& caption = {});
    LabelConfig* Settings() override { return this; }

    void SetPartners(AngleLabelWindow* theta, AngleLabelWindow* phi, DistanceLabelWindow* distance);
    void SetTimePartners(TimeDateLabelWindow* rise, TimeDateLabelWindow* transit, TimeDateLabelWindow* set,
                         TimeDateLabelWindow* eveningTwilight, TimeDateLabelWindow* morningTwilight);

    // Computes from an equatorial position (its own epoch and flags) for the site and time of
    // the program, with the object's rise, transit and set (null: none) and fills the
    // partners. Keeps the inputs for the choices made afterwards.
    void Compute(const Coord& position, RiseSetTransit* riseSet, bool repaint = true);
    // The position in the chosen epoch and reduction, equatorial (what the frame's angles
    // come from for the equatorial and ecliptic frames).
    const Coord& ReducedPosition() const { return reduced_; }
    // Takes a choice as the menu does and computes again.
    void Choose(int command);
    // Takes the partners' current choices into the settings (sent by a partner).
    void TakePartnerChoices();
    // The frame word, the reduction word and the composed caption.
    std::string CaptionText() const;
    // The Sun's ecliptic longitude of the program's time, for aberration.
    static Angle SunLongitude(const JulianDate& now);

protected:
    void ShowRightButtonMenu(const fw::Point& p) override;

private:
    AngleLabelWindow* theta_ = nullptr;
    AngleLabelWindow* phi_ = nullptr;
    DistanceLabelWindow* distance_ = nullptr;
    TimeDateLabelWindow* times_[5] = {};
    Coord position_;
    Coord reduced_;
    RiseSetTransit* riseSet_ = nullptr;
    bool computed_ = false;
};
