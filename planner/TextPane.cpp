#include "planner/TextPane.h"

#include "astro/Moon.h"
#include "astro/Planets.h"
#include "astro/TextFormat.h"
#include "catalog/NGC2000Indexes.h"
#include "catalog/SessionTime.h"
#include "framework/gui/DC.h"
#include "framework/gui/Idle.h"
#include "framework/gui/MessageBox.h"
#include "framework/gui/PopupMenu.h"
#include "framework/gui/ResourceModule.h"
#include "globals/Globals.h"
#include "planner/AngleLabelWindow.h"
#include "planner/ConstelLabelWindow.h"
#include "planner/CoordLabelWindow.h"
#include "planner/DistanceLabelWindow.h"
#include "planner/DreyerBrightLabelWindow.h"
#include "planner/DreyerShapeLabelWindow.h"
#include "planner/DreyerSizeLabelWindow.h"
#include "planner/MagLabelWindow.h"
#include "planner/STLM4viewCommands.h"
#include "planner/SkyAtlasLabelWindow.h"
#include "planner/TextLabelWindow.h"
#include "planner/TimeDateLabelWindow.h"
#include "planner/TypeLabelWindow.h"
#include "planner/UranoLabelWindow.h"
#include "ui/LabelConfig.h"
#include "ui/RScolor.h"
#include "ui/RectLabel.h"
#include "ui/TheSkyLabelFile.h"

#include <cmath>

namespace {

enum Side { kFull = 0, kLeft = 1, kRight = 2 };

// Place, label width and colour group of each data window (by window number); row -1: none.
struct Placement {
    int row;
    int side;
    int labelWidth;
    int colorGroup;
};
constexpr Placement kPlacement[TextPane::kSlots] = {
    {0, kFull, 20, 123},   // Name
    {2, kFull, 100, 129},  // Database
    {3, kFull, 32, 105},   // Bright
    {4, kFull, 32, 93},    // Size
    {5, kFull, 32, 99},    // Shape
    {1, kFull, 20, 111},   // Type
    {3, kFull, 32, 189},   // Phase
    {4, kFull, 32, 177},   // PositAngle
    {5, kFull, 32, 183},   // PercentIllum
    {-1, kFull, 0, 0},     // (Alt: no window)
    {-1, kFull, 0, 0},     // (Az: no window)
    {7, kRight, 33, 63},   // Diam
    {8, kRight, 33, 57},   // Mag
    {7, kLeft, 54, 75},    // SkyAt
    {8, kLeft, 54, 69},    // Urano
    {6, kFull, 32, 135},   // DreyerDesc
    {10, kFull, 40, 117},  // Constel
    {9, kFull, 100, 141},  // CCORD
    {11, kFull, 40, 45},   // ThetaWin
    {12, kFull, 40, 51},   // PhiWin
    {13, kFull, 40, 171},  // Distance
    {14, kFull, 100, 147}, // HCORD
    {15, kRight, 25, 87},  // HTheta
    {15, kLeft, 25, 81},   // HPhi
    {-1, kFull, 0, 0},     // (Refraction: no window)
    {16, kFull, 32, 165},  // RISE
    {18, kFull, 32, 153},  // SET
    {17, kFull, 32, 159},  // TRANSIT
    {4, kFull, 32, 195},   // ETWIL
    {3, kFull, 32, 201},   // MTWIL
};

// Object type codes the planner gives the solar-system bodies.
constexpr int kTypeStar = 10;
constexpr int kTypePlanet = 29;
constexpr int kTypeSatellite = 30;

// The Sun's apparent place at an instant, from the day's Sun values or else the series.
Coord SunApparent(const JulianDate& t)
{
    if (AppGlobals.sunRst && AppGlobals.sunRst->Status() != RiseSetTransit::kNotComputed)
        return AppGlobals.sunRst->PositionAt(t);
    if (AppGlobals.planets && AppGlobals.planets->IsAvailable(0)) return AppGlobals.planets->ApparentPosition(t, 0);
    return Coord();
}

} // namespace

bool TextPane::highResolution = false;

// "Full Moon" above 0.9 of the disc lit, "Gibbous Moon" above 0.6, "Quarter Moon" above 0.4,
// "Crescent Moon" above 0.1, "New Moon" at 0.1 and below.
std::string TextPane::IlluminationText(double fraction)
{
    return FormatText("%2.1f%%", fraction * 100.0);
}

std::string TextPane::MoonPhaseWord(double f)
{
    if (f > 0.9) return "Full Moon";
    if (f > 0.6) return "Gibbous Moon";
    if (f > 0.4) return "Quarter Moon";
    if (f > 0.1) return "Crescent Moon";
    return "New Moon";
}

TextPane::TextPane(QWidget* parent, const std::string& name, const fw::ResourceModule* module)
    : DropWindowPane(parent, name), module_(module)
{
    settingsText = "Data Windows' Settings...";
    for (int k = 0; k < kSlots; ++k)
        OnCommand(kFirstCommand + k, [this, k] {
            if (windows_[k]) windows_[k]->ShowMenu(fw::Point(-1, -1));
        });
    OnCommand(CM_PARTNERCHOICECHANGED, [this] {
        if (ccord_) ccord_->TakePartnerChoices();
        if (hcord_) hcord_->TakePartnerChoices();
    });
}

TextPane::~TextPane()
{
    for (LabelWindow* w : windows_) {
        if (!w) continue;
        w->StoreColors();
        if (LabelConfig* record = w->Settings()) record->Store(false);
    }
    for (LabelWindow*& w : windows_) {
        delete w;
        w = nullptr;
    }
}

void TextPane::SetupWindow()
{
    DropWindowPane::SetupWindow();
    if (!module_) {
        fw::MessageBox(this, "Could Not Load String Resource", "");
        return;
    }
    CreateWindows();
    Layout();
    // The data windows are refilled whenever the program goes idle.
    fw::OnIdle(this, [this] { IdleAction(0); });
}

void TextPane::CreateWindows()
{
    windows_[W::Bright] = bright_ = new DreyerBrightLabelWindow(this, "Bright");
    windows_[W::Size] = size_ = new DreyerSizeLabelWindow(this, "Size");
    windows_[W::Shape] = shape_ = new DreyerShapeLabelWindow(this, "Shape");
    windows_[W::Type] = type_ = new TypeLabelWindow(this, "Type");
    windows_[W::Constel] = constel_ = new ConstelLabelWindow(this, "Constel");
    windows_[W::Mag] = mag_ = new MagLabelWindow(this, "Mag");
    windows_[W::SkyAt] = skyAtlas_ = new SkyAtlasLabelWindow(this, "SkyAt");
    windows_[W::Urano] = urano_ = new UranoLabelWindow(this, "Urano");
    windows_[W::DreyerDesc] = dreyer_ = new TextLabelWindow(this, "DreyerDesc");
    windows_[W::PercentIllum] = illumination_ = new TextLabelWindow(this, "PercentIllum");
    windows_[W::Diam] = diam_ = new AngleLabelWindow(this, "Diam", {}, 0x3F0079B);
    windows_[W::Phase] = phase_ = new TextLabelWindow(this, "Phase");
    windows_[W::Name] = name_ = new TextLabelWindow(this, "Name");
    windows_[W::Database] = database_ = new TextLabelWindow(this, "Database");
    windows_[W::PositAngle] = positAngle_ = new AngleLabelWindow(this, "PositAngle", {}, 0x3F0079B);
    windows_[W::ThetaWin] = theta_ = new AngleLabelWindow(this, "ThetaWin", {}, 0x3F0079F);
    windows_[W::PhiWin] = phi_ = new AngleLabelWindow(this, "PhiWin", {}, 0x3F0079B);
    windows_[W::Distance] = distance_ = new DistanceLabelWindow(this, "Distance");
    windows_[W::HTheta] = hTheta_ = new AngleLabelWindow(this, "HTheta", {}, 0x3F0E7BB);
    windows_[W::HPhi] = hPhi_ = new AngleLabelWindow(this, "HPhi", {}, 0x3F007DB);
    windows_[W::RISE] = rise_ = new TimeDateLabelWindow(this, "RISE", {}, 0x3FFFFF, 124);
    windows_[W::TRANSIT] = transit_ = new TimeDateLabelWindow(this, "TRANSIT", {}, 0x3FFFFF, 124);
    windows_[W::SET] = set_ = new TimeDateLabelWindow(this, "SET", {}, 0x3FFFFF, 124);
    windows_[W::ETWIL] = eveningTwilight_ = new TimeDateLabelWindow(this, "ETWIL", {}, 0x3FFFFF, 124);
    windows_[W::MTWIL] = morningTwilight_ = new TimeDateLabelWindow(this, "MTWIL", {}, 0x3FFFFF, 124);
    windows_[W::CCORD] = ccord_ = new CoordLabelWindow(this, "CCORD");
    windows_[W::HCORD] = hcord_ = new CoordLabelWindow(this, "HCORD");

    // Choices before the stored ones: right ascension in hours, the horizon window in the
    // horizon frame; both coordinate windows of date and apparent.
    theta_->units = AngleLabelWindow::Hours;
    ccord_->settings[CoordLabelWindow::kFrame] = CoordLabelWindow::Equatorial;
    hcord_->settings[CoordLabelWindow::kFrame] = CoordLabelWindow::Horizon;
    for (CoordLabelWindow* c : {ccord_, hcord_}) {
        c->settings[CoordLabelWindow::kEpoch] = CoordLabelWindow::CurrentEpoch;
        c->settings[CoordLabelWindow::kReduction] = CoordLabelWindow::Apparent;
    }
    ccord_->SetPartners(theta_, phi_, distance_);
    hcord_->SetPartners(hTheta_, hPhi_, nullptr);
    hcord_->SetTimePartners(rise_, transit_, set_, eveningTwilight_, morningTwilight_);

    for (int k = 0; k < kSlots; ++k) {
        LabelWindow* w = windows_[k];
        if (!w) continue;
        w->SetModule(module_);
        w->SetLabelWidth(kPlacement[k].labelWidth, false);
        w->SetColorGroup(kPlacement[k].colorGroup);
        if (LabelConfig* record = w->Settings()) record->Load();
        w->LoadColors();
        w->SetTitle(module_->LoadString(kFirstCommand + k), false);
        w->hide();
    }
    RScolor::Instance().BuildPalette();
}

int TextPane::RowHeight(int width, int height)
{
    if (width <= 0 || height <= 0) return 0;
    const int row = height / kRows;
    if (double(row) / width > 0.06) return static_cast<int>(width * 0.06);
    return row;
}

fw::Rect TextPane::WindowRect(int k, const fw::Rect& area)
{
    if (k < 0 || k >= kSlots || kPlacement[k].row < 0) return fw::Rect();
    const int W = area.Width();
    const int rowHeight = RowHeight(W, area.Height());
    const int top = area.top + kPlacement[k].row * rowHeight;
    const int split = area.left + static_cast<int>(W * 0.6);
    switch (kPlacement[k].side) {
    case kLeft: return fw::Rect(area.left, top, split, top + rowHeight);
    case kRight: return fw::Rect(split + 1, top, area.right, top + rowHeight);
    default: return fw::Rect(area.left, top, area.right, top + rowHeight);
    }
}

void TextPane::Layout()
{
    const fw::Rect area = InnerRect();
    if (area.Width() <= 0 || area.Height() <= 0) return;
    area_ = area;
    for (int k = 0; k < kSlots; ++k) {
        LabelWindow* w = windows_[k];
        if (!w) continue;
        w->SetRectInParent(WindowRect(k, area));
        w->setVisible((mask_ >> k) & 1u);
    }
    Invalidate(true);
}

void TextPane::EvSize(const fw::Size& size)
{
    DropWindowPane::EvSize(size);
    Layout();
}

void TextPane::Paint(fw::DC& dc, bool erase, const fw::Rect& rect)
{
    if (printing_ || PrintingCount != 0) return;
    DropWindowPane::Paint(dc, erase, rect);
}

std::uint32_t TextPane::MaskOf(ObjectId id)
{
    if (id.Value() == ObjectId::kMoon) return kMoonMask;
    if (id.Value() == ObjectId::kSun) return kSunMask;
    if (id.Value() >= ObjectId::kMercury && id.Value() <= ObjectId::kPluto && (id.Value() & 0xFF) == 0)
        return kPlanetMask;
    return kCatalogueMask;
}

// 1. What changed since the last fill: the object, the site, the time.
// 2. The fill by kind of object (below). The Moon's, the Sun's and a planet's values rest on
//    series that only a new object, site, time or series resolution moves: when none of them
//    changed since a complete fill, the pane keeps those values and works out only the
//    coordinate windows again (the night's rise, set and twilight may have moved).
// 3. A new set of shown windows lays the pane out again.
void TextPane::ShowObject(ObjectId id, bool repaint, bool recompute)
{
    if (!name_) return;
    const bool objectChanged = id != object_;
    object_ = id;
    const ObsSite& site = SessionTime::Site();
    const bool siteChanged = site != site_;
    if (siteChanged) site_ = site;
    const JulianDate now = SessionTime::Now();
    const bool timeChanged = now != now_;
    if (timeChanged) now_ = now;
    const bool bodyValuesHold =
        bodyValuesShown_ && !objectChanged && !siteChanged && !timeChanged && bodyHighResolution_ == highResolution;

    const std::uint32_t before = mask_;
    mask_ = MaskOf(id);
    bool bodyValuesShown = false;
    if (mask_ == kMoonMask) bodyValuesShown = ShowMoon(objectChanged, bodyValuesHold, repaint);
    else if (mask_ == kSunMask) bodyValuesShown = ShowSun(objectChanged, bodyValuesHold, repaint);
    else if (mask_ == kPlanetMask) bodyValuesShown = ShowPlanet(id, objectChanged, bodyValuesHold, repaint);
    else ShowCatalogueObject(id, objectChanged, siteChanged || timeChanged, recompute, repaint);
    bodyValuesShown_ = bodyValuesShown;
    bodyHighResolution_ = highResolution;
    if (mask_ != before) Layout();
}

bool TextPane::ShowMoon(bool changed, bool valuesHold, bool repaint)
{
    Moon* moon = AppGlobals.moon;
    type_->SetType(kTypeSatellite, repaint);
    if (changed) SetPaneCaption("Moon");
    name_->SetText("The Moon", repaint);
    if (!moon || !moon->IsAvailable()) return false;
    if (!valuesHold) {
        const JulianDate now = SessionTime::Now();
        position_ = moon->EquatorialPosition(now);
        diam_->SetAngle(moon->SemiDiameter(now) * 2.0, repaint);
        database_->SetTitle("ELP-2000/82 truncated at " + Angle::Format(moon->TruncationError(), 1, 3, 6), repaint);
        constel_->SetPosition(position_, repaint);
        skyAtlas_->SetPosition(position_, repaint);
        urano_->SetPosition(position_, repaint);
        const Coord sun = SunApparent(now);
        const double f = moon->IlluminatedFraction(now, sun);
        illumination_->SetText(IlluminationText(f), repaint);
        positAngle_->SetAngle(moon->BrightLimbAngle(now, sun).Wrapped(), repaint);
        phase_->SetTitle("Phase", repaint);
        phase_->SetText(MoonPhaseWord(f), repaint);
    }
    ccord_->Compute(position_, AppGlobals.moonRst, repaint);
    hcord_->Compute(position_, AppGlobals.moonRst, repaint);
    return true;
}

bool TextPane::ShowSun(bool changed, bool valuesHold, bool repaint)
{
    Planets* planets = AppGlobals.planets;
    type_->SetType(kTypeStar, repaint);
    if (changed) SetPaneCaption("Sun");
    name_->SetText("The Sun", repaint);
    if (!planets || !planets->IsAvailable(0)) return false;
    if (!valuesHold) {
        position_ = planets->GeocentricPosition(SessionTime::Now(), 0);
        diam_->SetAngle(planets->SemiDiameter(position_, 0) * 2.0, repaint);
        database_->SetTitle("VSOP87 truncated at " + planets->TruncationError(0).Format(Distance::kAutomatic, 3), repaint);
        constel_->SetPosition(position_, repaint);
        skyAtlas_->SetPosition(position_, repaint);
        urano_->SetPosition(position_, repaint);
        mag_->SetMagnitude(Planets::VisualMagnitude(position_, position_, 0), repaint);
    }
    ccord_->Compute(position_, AppGlobals.sunRst, repaint);
    hcord_->Compute(position_, AppGlobals.sunRst, repaint);
    return true;
}

// The planet's rise and set come from the planets' own cache on every call: a computation
// for another night replaces it, so the pane never keeps it.
bool TextPane::ShowPlanet(ObjectId id, bool changed, bool valuesHold, bool repaint)
{
    const JulianDate now = SessionTime::Now();
    Planets* planets = AppGlobals.planets;
    const int body = static_cast<int>(id.Number() / 256);
    type_->SetType(kTypePlanet, repaint);
    if (changed) SetPaneCaption(id.Name());
    name_->SetText(id.Name(), repaint);
    if (!planets) return false;
    planets->LoadPlanet(body, highResolution ? 2 : 1);
    if (!planets->IsAvailable(body)) return false;
    RiseSetTransit* rst = planets->GetRiseSetTransit(body, now, SessionTime::Site(),
                                                     highResolution ? Planets::kFullLevel : Planets::kLightLevel);
    if (!valuesHold) {
        position_ = planets->GeocentricPosition(now, body);
        diam_->SetAngle(planets->SemiDiameter(position_, body) * 2.0, repaint);
        database_->SetTitle(body == 9 ? std::string("1996 Pluto Theory approx. JPL DE200")
                                      : "VSOP-87 Xaxis error < " + planets->TruncationError(body).Format(Distance::kAutomatic, 3),
                            repaint);
        constel_->SetPosition(position_, repaint);
        skyAtlas_->SetPosition(position_, repaint);
        urano_->SetPosition(position_, repaint);
        const Coord sun = planets->GeocentricPosition(now, 0);
        phase_->SetTitle("Elongation", repaint);
        phase_->SetText(Angle::Format(Planets::Elongation(position_, sun), 1, 3, 1), repaint);
        mag_->SetMagnitude(Planets::VisualMagnitude(position_, sun, body), repaint);
        illumination_->SetText(IlluminationText(Planets::IlluminatedFraction(position_, sun)), repaint);
        positAngle_->SetAngle(Planets::BrightLimbAngle(position_, sun).Wrapped(), repaint);
    }
    if (rst) {
        ccord_->Compute(position_, rst, repaint);
        hcord_->Compute(position_, rst, repaint);
    }
    return true;
}

void TextPane::ShowCatalogueObject(ObjectId id, bool changed, bool siteOrTimeChanged, bool recompute, bool repaint)
{
    NGC2000Indexes* db = AppGlobals.database;
    if (!db) return;
    const ObjectData object = db->GetObjectData(id);
    if (database_->Title() != object.listPosition) database_->SetTitle(object.listPosition, repaint);
    if (changed) {
        name_->SetText(object.fullName, repaint);
        SetPaneCaption(object.name);
        type_->SetType(object.type, repaint);
        bright_->SetCode(object.brightness, repaint);
        size_->SetCode(object.size, repaint);
        shape_->SetCode(object.shape, repaint);
        mag_->SetMagnitude(object.magnitude, repaint);
        if (object.diameter.Radians() != 0.0) diam_->SetAngle(object.diameter, repaint);
        else diam_->SetText("No Entry", repaint);
        if (!constel_->SetConstellation(object.constellation, repaint)) constel_->SetText("", repaint);
        position_ = object.position;
        skyAtlas_->SetPosition(position_, repaint);
        urano_->SetPosition(position_, repaint);
        dreyer_->SetText(object.dreyer, repaint);
    }
    if (changed || siteOrTimeChanged) {
        const JulianDate now = SessionTime::Now();
        const ObsSite& site = SessionTime::Site();
        const Coord apparent = Coord::AsEquatorial(Coord::Reduce(position_, now, Coord::MaskApparentPlace,
                                                                 CoordLabelWindow::SunLongitude(now), Angle(), Angle()));
        riseSet_ = RiseSetTransit::FromFixedPosition(apparent, site.MidnightOfNight(now), site,
                                                     Angle(RiseSetTransit::kStarStandardAltitudeDegrees, Angle::kDegrees));
        ++riseSetRuns_;
    }
    // The coordinate windows work out their values afresh when anything changed or the caller
    // asks for it (the night's twilight, say, may have moved for the same object and time).
    if (changed || siteOrTimeChanged || recompute) {
        ccord_->Compute(position_, &riseSet_, repaint);
        hcord_->Compute(position_, &riseSet_, repaint);
    }
}

bool TextPane::IdleAction(int count)
{
    if (!printing_) ShowObject(object_, true, count != 20);
    return false;
}

void TextPane::PrintPane(fw::DC& dc, const fw::Rect& rect)
{
    printing_ = true;
    PrintFrame(dc, rect);
    const fw::Rect inner = RectLabel::InnerRect(frameStyle, printStripHeight, rect.GetSize()).Offset(rect.left, rect.top);
    for (int k = 0; k < kSlots; ++k)
        if (windows_[k] && ((mask_ >> k) & 1u)) windows_[k]->PaintToDC(dc, WindowRect(k, inner));
    printing_ = false;
}

void TextPane::ShowSettings()
{
    fw::PopupMenu menu;
    for (int k = 0; k < kSlots; ++k)
        if (windows_[k]) menu.AppendItem(kFirstCommand + k, windows_[k]->Title() + "...");
    menu.Track(*this, fw::Point(0, 0));
}

void TextPane::ToggleFullPane()
{
    DropWindowPane::ToggleFullPane();
    if (IsFullPane()) fw::PostCommandTo(dynamic_cast<fw::ControlHost*>(parentWidget()), CM_TEXTFULLPANE);
}

// ---- texts of fields and export lines ----------------------------------------------------

std::string TextPane::Caption(int k) const
{
    return windows_[k] ? windows_[k]->Title() : std::string();
}

std::string TextPane::Value(int k) const
{
    return windows_[k] ? windows_[k]->Text() : std::string();
}

// The Moon and the planets show phase, illumination, position angle and distance where a
// catalogue object shows its Dreyer codes; the Sun shows its twilight instead.
std::string TextPane::FieldText(int code) const
{
    using TheSkyLabelFile::PadTo;
    const bool sun = mask_ == kSunMask;
    const bool body = mask_ == kMoonMask || mask_ == kPlanetMask;
    auto captioned = [this](const char* indent, int k, std::size_t width) {
        return PadTo(indent + Caption(k), width) + "\t" + Value(k);
    };
    switch (code) {
    case 3: return "  " + Value(W::Type) + " in " + Value(W::Constel);
    case 4: return captioned("    ", body ? W::Phase : sun ? W::ETWIL : W::Bright, 20);
    case 5: return captioned("    ", body ? W::PercentIllum : sun ? W::MTWIL : W::Size, 20);
    case 6: return sun ? std::string() : captioned("    ", body ? W::PositAngle : W::Shape, 20);
    case 7: return captioned("    ", body || sun ? W::Distance : W::DreyerDesc, 20);
    case 8: {
        std::string line = PadTo("    " + Caption(W::SkyAt), 16);
        line = PadTo(line + "\t" + Value(W::SkyAt), 28);
        line = PadTo(line + "\t" + Caption(W::Diam), 33);
        return line + "\t" + Value(W::Diam);
    }
    case 9: {
        std::string line = PadTo("    " + Caption(W::Urano), 16);
        line = PadTo(line + "\t" + Value(W::Urano), 28);
        if (mask_ != kMoonMask && !sun) line = PadTo(line + "\t" + Caption(W::Mag), 33) + "\t" + Value(W::Mag);
        return line;
    }
    case 10: return "  -----" + Caption(W::CCORD);
    case 11: return captioned("       ", W::ThetaWin, 30);
    case 12: return captioned("       ", W::PhiWin, 30);
    case 13: return "  -----" + Caption(W::HCORD);
    case 14: return captioned("       ", W::HTheta, 30);
    case 15: return captioned("       ", W::HPhi, 30);
    case 16: return captioned("  ", W::RISE, 20);
    case 17: return captioned("  ", W::TRANSIT, 20);
    case 18: return captioned("  ", W::SET, 20);
    default: return {};
    }
}

std::string TextPane::FormatTabLine() const
{
    return Value(W::Type) + "\t" + Value(W::Constel) + "\t" + Value(W::ThetaWin) + "\t" + Value(W::PhiWin) + "\t" + Value(W::Name);
}

std::string TextPane::FormatTheSkyLine(const std::string& label) const
{
    const Coord position = ccord_ ? ccord_->ReducedPosition() : position_;
    return TheSkyLabelFile::Line(label, GetCaption(), position.RA().Hours(), position.Dec().Degrees());
}

std::string TextPane::WriteTheSkyHeader() const
{
    return TheSkyLabelFile::Header("Stellum ObsList");
}
