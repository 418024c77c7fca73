// The altitude of the current object through one observing night, from noon to the next noon
// in local time on a 0-90 degree scale, over bands for daylight, twilight and night, with the
// Moon's altitude, its lit fraction and its phase as options. The plot is also the settings
// record of its options and colours.
#pragma once

#include "astro/JulianDate.h"
#include "astro/RiseSetTransit.h"
#include "catalog/ObjectId.h"
#include "framework/gui/Window.h"
#include "ui/GraphConfig.h"

#include <vector>

class AltitudePlotWindow : public fw::Window, public GraphConfig {
public:
    // Colour slots of the plot.
    enum Slot {
        TextSlot = 16, BackgroundSlot = 17, AltitudeLineSlot = 18, HourLineSlot = 19, DaylightSlot = 20,
        TwilightSlot = 21, NightSlot = 22, PlotSlot = 23, MoonLimbSlot = 24, MoonShadowSlot = 25,
        IlluminationSlot = 26, MoonAltitudeSlot = 27
    };
    // Commands of the settings pop-up: 17500 + the colour's menu number, and the options.
    static constexpr int CM_TEXTCOLOR = 17501;
    static constexpr int CM_ALTITUDELINECOLOR = 17502;
    static constexpr int CM_PLOTCOLOR = 17503;
    static constexpr int CM_HOURLINECOLOR = 17504;
    static constexpr int CM_DAYLIGHTCOLOR = 17505;
    static constexpr int CM_NIGHTCOLOR = 17506;
    static constexpr int CM_TWILIGHTCOLOR = 17507;
    static constexpr int CM_BACKGROUNDCOLOR = 17508;
    static constexpr int CM_MOONLIMBCOLOR = 17509;
    static constexpr int CM_MOONSHADOWCOLOR = 17510;
    static constexpr int CM_ILLUMINATIONCOLOR = 17511;
    static constexpr int CM_MOONALTITUDECOLOR = 17512;
    static constexpr int CM_DRAWMOONGRAPHIC = 17513;
    static constexpr int CM_MOONILLUMINATION = 17514;
    static constexpr int CM_PLOTMOONALTITUDE = 17515;
    static constexpr int kSamples = 97;

    // One filled band of the plot.
    struct Band {
        fw::Rect rect;
        int slot;
    };

    AltitudePlotWindow(QWidget* parent, const std::string& name = "AltitudePlot");
    ~AltitudePlotWindow() override;

    // The night's Sun, twilight and Moon times from the program's daily values.
    void InitSession();
    // The object whose altitude is plotted.
    void SetObject(ObjectId id, bool redraw = true);
    // Draws into a rectangle of a printer page; returns 1.
    int PaintToDC(fw::DC& dc, const fw::Rect& rect);
    void DrawPlot(fw::DC& dc, const fw::Rect& rect);

    // The band from local hour a to local hour b across the plot area (noon at the left edge,
    // midnight in the middle, the next noon at the right edge).
    static fw::Rect HourToX(double a, double b, const fw::Rect& plot);
    // The day, twilight, night and Moon bands of the session in a plot area.
    std::vector<Band> ComputeBands(const fw::Rect& plot) const;
    // The object's altitude in degrees at the 97 sample times, noon to noon every 15 minutes.
    std::vector<double> SampleAltitudes();
    // Instant of sample i.
    JulianDate SampleTime(int i) const;

    void ShowSettingsMenu(const fw::Point& p);
    int Load() override;
    int Store(bool immediate = false) override;

    const JulianDate& SessionNight() const { return sessionNight_; }
    const RiseSetTransit& ObjectRiseSet() const { return riseSet_; }
    bool FixedPosition() const { return fixed_; }
    // What the last drawing used.
    int FontHeight() const { return fontHeight_; }
    int PenWidth() const { return penWidth_; }
    const fw::Rect& PlotArea() const { return plot_; }
    int HourStep() const { return hourStep_; }
    int TitleKind() const { return titleKind_; }

    // Local hours of the night's events (the Moon's transit shifted by 12 hours).
    double sunrise = 6, sunset = 18, morningTwilight = 5, eveningTwilight = 19;
    double moonrise = 0, moonset = 0, moonTransit = 0;
    double moonFraction = 0;
    Angle moonPhaseAngle, moonBrightLimb;

protected:
    void Paint(fw::DC& dc, bool erase, const fw::Rect& rect) override;
    void EvRButtonDown(unsigned keys, const fw::Point& p) override;

private:
    void ColorCommand(int slot);
    void FlipOption(std::uint32_t bit);

    RiseSetTransit riseSet_;
    bool fixed_ = false;
    JulianDate sessionNight_ = JulianDate(0.0, JulianDate::kJulianDay);
    bool printing_ = false;
    bool busy_ = false;
    fw::Rect printRect_;
    fw::Rect plot_;
    int fontHeight_ = 0;
    int penWidth_ = 0;
    int hourStep_ = 0;
    int titleKind_ = -1;
};
