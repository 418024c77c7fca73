#include "planner/AltitudePlotWindow.h"

#include "astro/AstroConstants.h"

#include "astro/Coord.h"
#include "astro/Moon.h"
#include "astro/ObsSite.h"
#include "astro/Planets.h"
#include "catalog/NGC2000Indexes.h"
#include "catalog/SessionTime.h"
#include "chart/BodySymbols.h"
#include "framework/gui/DC.h"
#include "framework/gui/PopupMenu.h"
#include "globals/Globals.h"
#include "planner/CoordLabelWindow.h"
#include "ui/DropWindowPane.h"
#include "ui/RScolor.h"
#include "ui/TStatusDlg.h"

#include <algorithm>
#include <cmath>

namespace {

// Sidereal turns per hour of solar time (1.00273790935 / 24).
constexpr double kSiderealTurnsPerHour = 0.0417807462229;

double LocalHours(const JulianDate& t)
{
    const TimeDate local = SessionTime::Site().ToLocal(t);
    return local.hour + local.minute / 60.0;
}

QColor SlotColor(int slot)
{
    return fw::ColorFromRef(RScolor::Instance().GetColor(slot));
}

int StatusOf(const RiseSetTransit* r)
{
    return r ? r->Status() : RiseSetTransit::kNotComputed;
}

} // namespace

AltitudePlotWindow::AltitudePlotWindow(QWidget* parent, const std::string& name)
    : fw::Window(parent), GraphConfig(name)
{
    InitSession();
    AltitudePlotWindow::Load();
    SetBkgndColor(SlotColor(BackgroundSlot));
    const int colorCommands[12][2] = {
        {CM_TEXTCOLOR, TextSlot},           {CM_BACKGROUNDCOLOR, BackgroundSlot},
        {CM_ALTITUDELINECOLOR, AltitudeLineSlot}, {CM_HOURLINECOLOR, HourLineSlot},
        {CM_DAYLIGHTCOLOR, DaylightSlot},   {CM_TWILIGHTCOLOR, TwilightSlot},
        {CM_NIGHTCOLOR, NightSlot},         {CM_PLOTCOLOR, PlotSlot},
        {CM_MOONLIMBCOLOR, MoonLimbSlot},   {CM_MOONSHADOWCOLOR, MoonShadowSlot},
        {CM_ILLUMINATIONCOLOR, IlluminationSlot}, {CM_MOONALTITUDECOLOR, MoonAltitudeSlot}};
    for (const auto& c : colorCommands) {
        const int slot = c[1];
        OnCommand(c[0], [this, slot] { ColorCommand(slot); });
    }
    OnCommand(CM_DRAWMOONGRAPHIC, [this] { FlipOption(kDrawMoonGraphic); });
    OnCommand(CM_MOONILLUMINATION, [this] { FlipOption(kMoonPercentIllumination); });
    OnCommand(CM_PLOTMOONALTITUDE, [this] { FlipOption(kPlotMoonAltitude); });
}

AltitudePlotWindow::~AltitudePlotWindow()
{
    AltitudePlotWindow::Store(false);
}

int AltitudePlotWindow::Load()
{
    const int result = GraphConfig::Load();
    RScolor& rs = RScolor::Instance();
    for (int s = 0; s < RScolor::kSchemeCount; ++s)
        for (int k = 0; k < kSlotCount; ++k) rs.SetSchemeColor(kFirstSlot + k, s, SchemeColor(s, k));
    rs.BuildPalette();
    return result;
}

int AltitudePlotWindow::Store(bool immediate)
{
    const RScolor& rs = RScolor::Instance();
    for (int s = 0; s < RScolor::kSchemeCount; ++s)
        for (int k = 0; k < kSlotCount; ++k) SetSchemeColor(s, k, rs.GetSchemeColor(kFirstSlot + k, s));
    return GraphConfig::Store(immediate);
}

void AltitudePlotWindow::ColorCommand(int slot)
{
    RScolor::Instance().EditColor(slot, this);
    SetBkgndColor(SlotColor(BackgroundSlot));
    Invalidate(true);
}

void AltitudePlotWindow::FlipOption(std::uint32_t bit)
{
    moonOptions ^= bit;
    Invalidate(true);
}

// 1-2. Status line and the pane's caption.
// 3. The night: the local midnight of the noon-to-noon night that holds the program's time.
// 4. Sun, twilight and Moon events of the day's values as local hours.
// 5. The Moon's phase for the program's time, lit by the Sun of the day's values.
void AltitudePlotWindow::InitSession()
{
    if (StatusWindow) StatusWindow->AddLine("Initializing Altitude Plot Information");
    const ObsSite& site = SessionTime::Site();
    if (auto* pane = dynamic_cast<DropWindowPane*>(parentWidget())) pane->SetPaneCaption("Altitude - " + site.Name());
    const JulianDate now = SessionTime::Now();
    sessionNight_ = site.MidnightOfNight(now);
    if (const RiseSetTransit* sun = AppGlobals.sunRst) {
        sunrise = LocalHours(sun->Rise());
        sunset = LocalHours(sun->Set());
    }
    if (const RiseSetTransit* twilight = AppGlobals.twilightRst) {
        morningTwilight = LocalHours(twilight->Rise());
        eveningTwilight = LocalHours(twilight->Set());
    }
    if (const RiseSetTransit* moon = AppGlobals.moonRst) {
        moonrise = LocalHours(moon->Rise());
        moonset = LocalHours(moon->Set());
        const double t = LocalHours(moon->Transit());
        moonTransit = t >= 12 ? t - 12 : t + 12;
    }
    if (AppGlobals.moon && AppGlobals.moon->IsAvailable() && AppGlobals.sunRst) {
        const Coord sun = AppGlobals.sunRst->PositionAt(now);
        moonBrightLimb = AppGlobals.moon->BrightLimbAngle(now, sun);
        moonPhaseAngle = AppGlobals.moon->PhaseAngle(now, sun);
        moonFraction = AppGlobals.moon->IlluminatedFraction(now, sun);
    }
    if (StatusWindow) StatusWindow->AddLine("Altitude Plot Information Initialized");
}

void AltitudePlotWindow::SetObject(ObjectId id, bool redraw)
{
    const std::uint32_t v = id.Value();
    fixed_ = false;
    if (v == ObjectId::kSun) {
        if (AppGlobals.sunRst) riseSet_ = *AppGlobals.sunRst;
    } else if (v == ObjectId::kMoon) {
        if (AppGlobals.moonRst) riseSet_ = *AppGlobals.moonRst;
    } else if (v >= ObjectId::kMercury && v <= ObjectId::kPluto && (v & 0xFF) == 0) {
        if (Planets* planets = AppGlobals.planets)
            if (RiseSetTransit* r = planets->GetRiseSetTransit(static_cast<int>(id.Number() / 256), SessionTime::Now(),
                                                               SessionTime::Site(), Planets::kLightLevel))
                riseSet_ = *r;
    } else if (NGC2000Indexes* db = AppGlobals.database) {
        const JulianDate now = SessionTime::Now();
        const Coord position = db->GetObjectData(id).position;
        const Coord apparent = Coord::AsEquatorial(Coord::Reduce(position, now, Coord::MaskApparentPlace,
                                                                 CoordLabelWindow::SunLongitude(now), Angle(), Angle()));
        const ObsSite& site = SessionTime::Site();
        riseSet_ = RiseSetTransit::FromFixedPosition(apparent, site.MidnightOfNight(now), site,
                                                     Angle(RiseSetTransit::kStarStandardAltitudeDegrees, Angle::kDegrees));
        fixed_ = true;
    }
    if (redraw) Invalidate(true);
}

fw::Rect AltitudePlotWindow::HourToX(double a, double b, const fw::Rect& plot)
{
    const double perHour = plot.Width() / 24.0;
    auto x = [&](double h) {
        double shifted = h + 12;
        if (shifted > 24) shifted -= 24;
        return plot.left + static_cast<int>(perHour * shifted);
    };
    return fw::Rect(x(a), plot.top, x(b), plot.bottom);
}

std::vector<AltitudePlotWindow::Band> AltitudePlotWindow::ComputeBands(const fw::Rect& plot) const
{
    std::vector<Band> bands;
    auto band = [&](double a, double b, int slot) {
        fw::Rect r = HourToX(a, b, plot);
        if (r.right < r.left) {
            bands.push_back({fw::Rect(r.left, r.top, plot.right, r.bottom), slot});
            bands.push_back({fw::Rect(plot.left, r.top, r.right, r.bottom), slot});
        } else {
            bands.push_back({r, slot});
        }
    };
    auto whole = [&](int slot) { bands.push_back({plot, slot}); };
    const int sun = StatusOf(AppGlobals.sunRst);
    const int twilight = StatusOf(AppGlobals.twilightRst);
    using R = RiseSetTransit;
    if (sun == R::kAlwaysAbove) {
        whole(DaylightSlot);
    } else if (sun == R::kAlwaysBelow && twilight == R::kAlwaysBelow) {
        whole(NightSlot);
    } else if (sun == R::kAlwaysBelow && twilight == R::kRisesAndSets) {
        whole(TwilightSlot);
        band(eveningTwilight, morningTwilight, NightSlot);
    } else if (twilight == R::kAlwaysAbove && sun == R::kRisesAndSets) {
        band(sunrise, sunset, DaylightSlot);
        band(sunset, sunrise, TwilightSlot);
    } else if (twilight == R::kAlwaysAbove && sun == R::kAlwaysBelow) {
        whole(TwilightSlot);
    } else {
        band(sunrise, sunset, DaylightSlot);
        band(sunset, eveningTwilight, TwilightSlot);
        band(eveningTwilight, morningTwilight, NightSlot);
        band(morningTwilight, sunrise, TwilightSlot);
    }
    if (moonOptions & kMoonPercentIllumination) {
        const int moon = StatusOf(AppGlobals.moonRst);
        const int top = plot.bottom - static_cast<int>(plot.Height() * moonFraction);
        const std::size_t first = bands.size();
        if (moon == R::kAlwaysAbove) whole(IlluminationSlot);
        else if (moon == R::kRisesAndSets) band(moonrise, moonset, IlluminationSlot);
        for (std::size_t i = first; i < bands.size(); ++i) bands[i].rect.top = top;
    }
    return bands;
}

JulianDate AltitudePlotWindow::SampleTime(int i) const
{
    return sessionNight_ + (i / 4.0 - 12.0) / 24.0;
}

// A fixed position in closed form from the hour angle at each sample (the sidereal time of
// the session midnight advanced at the sidereal rate); moving bodies from their day's values.
std::vector<double> AltitudePlotWindow::SampleAltitudes()
{
    std::vector<double> altitudes(kSamples);
    if (riseSet_.Status() == RiseSetTransit::kNotComputed) return {};
    const ObsSite& site = riseSet_.Site();
    if (fixed_) {
        const Coord p = riseSet_.PositionAt(sessionNight_);
        const double lat = site.Latitude().Radians();
        const double dec = p.Dec().Radians();
        const double gast = sessionNight_.GreenwichApparentSiderealTime().Radians();
        for (int i = 0; i < kSamples; ++i) {
            const double hours = i / 4.0 - 12.0;
            const double H = gast + hours * kSiderealTurnsPerHour * astro::kTwoPi - site.Longitude().Radians() - p.RA().Radians();
            const double s = std::sin(lat) * std::sin(dec) + std::cos(lat) * std::cos(dec) * std::cos(H);
            altitudes[i] = std::asin(std::clamp(s, -1.0, 1.0)) * astro::kDegreesPerRadian;
        }
    } else {
        for (int i = 0; i < kSamples; ++i) altitudes[i] = riseSet_.AltitudeAt(SampleTime(i)).Degrees();
    }
    return altitudes;
}

void AltitudePlotWindow::Paint(fw::DC& dc, bool, const fw::Rect&)
{
    if (PrintingCount != 0 || printing_) return;
    DrawPlot(dc, GetClientRect());
}

int AltitudePlotWindow::PaintToDC(fw::DC& dc, const fw::Rect& rect)
{
    dc.SaveDC();
    dc.IntersectClipRect(rect);
    // On a device whose resolution differs by axis the plot is drawn in square units.
    printRect_ = dc.MapSquareUnits(rect);
    printing_ = true;
    DrawPlot(dc, printRect_);
    printing_ = false;
    dc.RestoreDC();
    return 1;
}

// 1-3. One drawing at a time; background; a new night recomputes the session.
// 4. Text height 15% of the height (less for a squat plot), curves 1% of it plus 2; margins
//    for the degree labels at the sides, the hour numbers and date titles below.
// 5. Bands. 6-7. The object's curve, the Moon's before it. 8. The Moon's phase.
// 9. Altitude lines every 10 degrees, labelled at 30, 60 and 90, and hour lines.
// 10. Hour ticks and numbers every k hours as room allows. 11. Date titles as room allows.
void AltitudePlotWindow::DrawPlot(fw::DC& dc, const fw::Rect& area)
{
    if (busy_) return;
    busy_ = true;
    RScolor& rs = RScolor::Instance();
    const fw::Rect rect = printing_ ? printRect_ : area;
    dc.FillRect(rect, fw::Brush(SlotColor(BackgroundSlot)));
    rs.SelectPalette(dc);
    const JulianDate now = SessionTime::Now();
    if (SessionTime::Site().MidnightOfNight(now) != sessionNight_) InitSession();

    const int H = rect.Height();
    const int W = rect.Width();
    if (H <= 0 || W <= 0) {
        busy_ = false;
        return;
    }
    fontHeight_ = static_cast<int>(0.15 * H);
    const double ratio = double(W) / H;
    if (ratio < 4 && fontHeight_ > 10) fontHeight_ = static_cast<int>(ratio * fontHeight_ / 4);
    fontHeight_ = std::max(1, fontHeight_);
    penWidth_ = static_cast<int>(0.01 * H + 2);
    const fw::Font oldFont = dc.SelectFont(fw::Font("Arial", fontHeight_, 400));
    const int oldMode = dc.SetBkMode(fw::TRANSPARENT);
    const unsigned oldAlign = dc.GetTextAlign();
    const QColor oldText = dc.SetTextColor(SlotColor(TextSlot));
    const int lineHeight = dc.GetTextExtent("90\xC2\xB0").cy;
    const int labelWidth = dc.GetTextExtent("90\xC2\xB0 ").cx;
    const int margin = fontHeight_ < 13 ? labelWidth + lineHeight / 2 + 2
                                        : static_cast<int>(1.15 * labelWidth + lineHeight / 2.0);
    const int tick = std::max(2, lineHeight / 3);
    plot_ = fw::Rect(rect.left + margin, rect.top + lineHeight / 2 + 1, rect.right - margin,
                 rect.bottom - tick - 2 * lineHeight - 2);
    if (plot_.IsEmpty()) {
        dc.SelectFont(oldFont);
        dc.SetBkMode(oldMode);
        dc.SetTextColor(oldText);
        busy_ = false;
        return;
    }
    const int width = plot_.Width();
    const int height = plot_.Height();

    for (const Band& b : ComputeBands(plot_)) dc.FillRect(b.rect, fw::Brush(SlotColor(b.slot)));

    dc.SaveDC();
    dc.IntersectClipRect(plot_);
    auto curve = [&](const std::vector<double>& altitudes, int slot, int penWidth) {
        if (altitudes.empty()) return;
        std::vector<fw::Point> points;
        for (int i = 0; i < kSamples; ++i)
            points.emplace_back(plot_.left + static_cast<int>(i / 4.0 * width / 24.0),
                                plot_.bottom - static_cast<int>(height * altitudes[i] / 90.0));
        const fw::Pen old = dc.SelectPen(fw::Pen(SlotColor(slot), penWidth));
        dc.Polyline(points);
        dc.SelectPen(old);
    };
    if ((moonOptions & kPlotMoonAltitude) && AppGlobals.moonRst) {
        std::vector<double> moon(kSamples);
        for (int i = 0; i < kSamples; ++i) moon[i] = AppGlobals.moonRst->AltitudeAt(SampleTime(i)).Degrees();
        curve(moon, MoonAltitudeSlot, std::max(1, penWidth_ / 2));
    }
    curve(SampleAltitudes(), PlotSlot, penWidth_);
    dc.RestoreDC();

    if (moonOptions & kDrawMoonGraphic)
        DrawBodyPhase(dc, rect.left + margin / 2, plot_.top + height / 2, std::max(2, std::min(height / 10, margin / 2 - 1)),
                      moonPhaseAngle, moonBrightLimb, rs.GetColor(MoonLimbSlot), rs.GetColor(MoonShadowSlot));

    const fw::Pen oldPen = dc.SelectPen(fw::Pen(SlotColor(AltitudeLineSlot), 1));
    for (int j = 0; j <= 9; ++j) {
        const int y = plot_.bottom - j * height / 9;
        dc.Line(fw::Point(plot_.left, y), fw::Point(plot_.right, y));
        if (j == 3 || j == 6 || j == 9) {
            const std::string degrees = std::to_string(j * 10) + "\xC2\xB0";
            dc.SetTextAlign(fw::TA_RIGHT | fw::TA_TOP);
            dc.TextOut(fw::Point(plot_.left, y - lineHeight / 2), degrees + " ");
            dc.SetTextAlign(fw::TA_LEFT | fw::TA_TOP);
            dc.TextOut(fw::Point(plot_.right, y - lineHeight / 2), " " + degrees);
        }
    }
    dc.SelectPen(fw::Pen(SlotColor(HourLineSlot), 1));
    for (int h = 0; h <= 24; ++h) {
        const int x = plot_.left + h * width / 24;
        dc.Line(fw::Point(x, plot_.top), fw::Point(x, plot_.bottom));
    }

    if (dc.GetTextExtent("1 1").cx < width / 24.0) hourStep_ = 1;
    else if (dc.GetTextExtent("0 1").cx < width / 12.0) hourStep_ = 2;
    else if (dc.GetTextExtent("0 1").cx < width / 6.0) hourStep_ = 4;
    else hourStep_ = 6;
    dc.SelectPen(fw::Pen(SlotColor(TextSlot), 1));
    dc.SetTextAlign(fw::TA_CENTER | fw::TA_TOP);
    for (int h = 0; h <= 24; h += hourStep_) {
        const int x = plot_.left + h * width / 24;
        dc.Line(fw::Point(x, plot_.bottom), fw::Point(x, plot_.bottom + tick));
        const int clock = h == 0 || h == 12 || h == 24 ? 12 : (h < 12 ? h : h - 12);
        dc.TextOut(fw::Point(x, plot_.bottom + tick), std::to_string(clock));
    }

    // Titles along the time axis: the two noons' dates at the ends, with "Noon" and
    // "Midnight" where there is room, on the line below the hour numbers.
    const TimeDate firstNoon = SessionTime::Site().ToLocal(sessionNight_ - 0.5);
    const TimeDate secondNoon = SessionTime::Site().ToLocal(sessionNight_ + 0.5);
    struct Title {
        std::string left, middle, right;
    };
    const std::string d3a = firstNoon.Format(0, 3, 1), d3b = secondNoon.Format(0, 3, 1);
    const std::string d4a = firstNoon.Format(0, 4, 1), d4b = secondNoon.Format(0, 4, 1);
    const Title titles[4] = {{"Noon " + d3a, "Midnight", d3b + " Noon"},
                             {d3a, "Midnight", d3b},
                             {d4a, "Midnight", d4b},
                             {d4a, "", d4b}};
    // A choice fits when the left and right titles each stay clear of the centred middle one
    // by a blank's width.
    titleKind_ = -1;
    const int blank = dc.GetTextExtent(" ").cx;
    for (int k = 0; k < 4 && titleKind_ < 0; ++k) {
        const Title& t = titles[k];
        const int side = std::max(dc.GetTextExtent(t.left).cx, dc.GetTextExtent(t.right).cx);
        const int middle = t.middle.empty() ? 0 : dc.GetTextExtent(t.middle).cx / 2 + blank;
        if (side + middle < width / 2) titleKind_ = k;
    }
    if (titleKind_ >= 0) {
        const Title& t = titles[titleKind_];
        const int y = plot_.bottom + tick + lineHeight;
        dc.SetTextAlign(fw::TA_LEFT | fw::TA_TOP);
        dc.TextOut(fw::Point(plot_.left, y), t.left);
        dc.SetTextAlign(fw::TA_CENTER | fw::TA_TOP);
        dc.TextOut(fw::Point(plot_.left + width / 2, y), t.middle);
        dc.SetTextAlign(fw::TA_RIGHT | fw::TA_TOP);
        dc.TextOut(fw::Point(plot_.right, y), t.right);
    }

    dc.SelectPen(oldPen);
    dc.SetTextAlign(oldAlign);
    dc.SetTextColor(oldText);
    dc.SetBkMode(oldMode);
    dc.SelectFont(oldFont);
    rs.RestorePalette(dc);
    busy_ = false;
}

void AltitudePlotWindow::EvRButtonDown(unsigned, const fw::Point& p)
{
    ShowSettingsMenu(p);
}

void AltitudePlotWindow::ShowSettingsMenu(const fw::Point& p)
{
    fw::PopupMenu menu;
    menu.AppendItem(CM_DRAWMOONGRAPHIC, "Draw Moon Graphic", (moonOptions & kDrawMoonGraphic) ? fw::MF_CHECKED : fw::MF_STRING);
    menu.AppendItem(CM_MOONILLUMINATION, "Moon PercentIllumination",
                    (moonOptions & kMoonPercentIllumination) ? fw::MF_CHECKED : fw::MF_STRING);
    menu.AppendItem(CM_PLOTMOONALTITUDE, "Plot Moon Altitude", (moonOptions & kPlotMoonAltitude) ? fw::MF_CHECKED : fw::MF_STRING);
    menu.AppendSeparator();
    fw::PopupMenu& colorMenu = menu.AppendPopup("&Colors...");
    colorMenu.AppendItem(CM_BACKGROUNDCOLOR, "Background Color");
    colorMenu.AppendItem(CM_TEXTCOLOR, "Text Color");
    colorMenu.AppendItem(CM_ALTITUDELINECOLOR, "Altitude Line Color");
    colorMenu.AppendItem(CM_PLOTCOLOR, "Plot Color");
    colorMenu.AppendItem(CM_HOURLINECOLOR, "Hour Line Color");
    colorMenu.AppendItem(CM_DAYLIGHTCOLOR, "Daylight Color");
    colorMenu.AppendItem(CM_NIGHTCOLOR, "Night Color");
    colorMenu.AppendItem(CM_TWILIGHTCOLOR, "Twilight Color");
    colorMenu.AppendSeparator();
    colorMenu.AppendItem(CM_MOONLIMBCOLOR, "Moon Limb Color");
    colorMenu.AppendItem(CM_MOONSHADOWCOLOR, "Moon Shadow Color");
    colorMenu.AppendItem(CM_ILLUMINATIONCOLOR, "Percent Illum Color");
    colorMenu.AppendItem(CM_MOONALTITUDECOLOR, "Moon Altitude Color");
    menu.Track(*this, p);
}
