// The planner view's object data pane: 27 data windows laid out in 19 rows, of which it shows
// the ones that suit the current object (a catalogue object, the Sun, the Moon or a planet),
// filled with values computed for the observing site and the current time. It also gives the
// texts of single fields and the lines of the observing-list exports.
#pragma once

#include "astro/Coord.h"
#include "astro/JulianDate.h"
#include "astro/ObsSite.h"
#include "astro/RiseSetTransit.h"
#include "catalog/ObjectId.h"
#include "ui/DropWindowPane.h"

#include <array>
#include <cstdint>
#include <string>

class LabelWindow;
namespace fw { class ResourceModule; }
class TextLabelWindow;
class DreyerBrightLabelWindow;
class DreyerSizeLabelWindow;
class DreyerShapeLabelWindow;
class TypeLabelWindow;
class AngleLabelWindow;
class MagLabelWindow;
class SkyAtlasLabelWindow;
class UranoLabelWindow;
class ConstelLabelWindow;
class CoordLabelWindow;
class DistanceLabelWindow;
class TimeDateLabelWindow;

class TextPane : public DropWindowPane {
public:
    // The data windows by number: window k answers command 11500 + k.
    struct W {
        enum : int {
            Name = 0, Database = 1, Bright = 2, Size = 3, Shape = 4, Type = 5, Phase = 6, PositAngle = 7,
            PercentIllum = 8, Diam = 11, Mag = 12, SkyAt = 13, Urano = 14, DreyerDesc = 15, Constel = 16,
            CCORD = 17, ThetaWin = 18, PhiWin = 19, Distance = 20, HCORD = 21, HTheta = 22, HPhi = 23,
            RISE = 25, SET = 26, TRANSIT = 27, ETWIL = 28, MTWIL = 29
        };
    };
    static constexpr int kSlots = 30;
    static constexpr int kFirstCommand = 11500;
    static constexpr int kRows = 19;
    // Windows shown for each kind of object: bit k shows window k.
    static constexpr std::uint32_t kCatalogueMask = 0x0FEFF83F;
    static constexpr std::uint32_t kSunMask = 0x3FFF7823;
    static constexpr std::uint32_t kMoonMask = 0x0FFF69E3;
    static constexpr std::uint32_t kPlanetMask = 0x0FFF79E3;
    // The stored object before the first fill: no object at all.
    static constexpr std::uint32_t kNoObject = 0x1000001;

    // Without a string module the pane shows "Could Not Load String Resource" at set-up and
    // creates no data windows.
    TextPane(QWidget* parent, const std::string& name = "TextWin", const fw::ResourceModule* module = nullptr);
    ~TextPane() override;

    // Fills the windows for an object at the program's site and time; repaint redraws what
    // changed, recompute makes the coordinate windows work out their positions afresh.
    void ShowObject(ObjectId id, bool repaint = true, bool recompute = true);
    // Idle-time refresh of the stored object (run whenever the program goes idle), with the
    // coordinate windows worked out afresh unless the idle count is 20; never wants more.
    bool IdleAction(int count);
    // Frame, caption and the shown data windows into a rectangle of a printer page.
    void PrintPane(fw::DC& dc, const fw::Rect& rect);

    // Row height for a client area: a nineteenth of the height, at most 6% of the width.
    static int RowHeight(int width, int height);
    // The rectangle of window k in an area (empty for a window without a row).
    static fw::Rect WindowRect(int k, const fw::Rect& area);
    static std::uint32_t MaskOf(ObjectId id);
    // The Moon's phase in a word, from the lit fraction of its disc.
    static std::string MoonPhaseWord(double fraction);
    // A lit fraction as the illumination window shows it ("50.0%").
    static std::string IlluminationText(double fraction);

    LabelWindow* DataWindow(int k) const { return k >= 0 && k < kSlots ? windows_[k] : nullptr; }
    std::uint32_t VisibilityMask() const { return mask_; }
    ObjectId StoredObject() const { return object_; }
    const Coord& Position() const { return position_; }
    const RiseSetTransit& ObjectRiseSet() const { return riseSet_; }
    // How many rise/set computations catalogue objects have needed (tests see redundant ones).
    int RiseSetComputations() const { return riseSetRuns_; }
    bool IsPrinting() const { return printing_; }

    // One field as the list columns and the paragraph export write it (codes 3-18; any other
    // code gives an empty text).
    std::string FieldText(int code) const;
    // Type, constellation, right ascension, declination and full name, tab-separated.
    std::string FormatTabLine() const;
    // The TheSky label line for the shown object (the pane's caption is its alias).
    std::string FormatTheSkyLine(const std::string& label) const;
    std::string WriteTheSkyHeader() const;

    // The planets' series are loaded in full (slower, closer) rather than light.
    static bool highResolution;

    void ShowSettings() override;
    void ToggleFullPane() override;

protected:
    void SetupWindow() override;
    void Paint(fw::DC& dc, bool erase, const fw::Rect& rect) override;
    void EvSize(const fw::Size& size) override;

private:
    void CreateWindows();
    void Layout();
    std::string Caption(int k) const;
    std::string Value(int k) const;
    // The Moon's, the Sun's and a planet's fills; valuesHold keeps the values of the last
    // complete fill and works out only the coordinate windows. True for a complete fill.
    bool ShowMoon(bool changed, bool valuesHold, bool repaint);
    bool ShowSun(bool changed, bool valuesHold, bool repaint);
    bool ShowPlanet(ObjectId id, bool changed, bool valuesHold, bool repaint);
    void ShowCatalogueObject(ObjectId id, bool changed, bool siteOrTimeChanged, bool recompute, bool repaint);

    const fw::ResourceModule* module_;
    std::array<LabelWindow*, kSlots> windows_{};
    TextLabelWindow* name_ = nullptr;
    TextLabelWindow* database_ = nullptr;
    DreyerBrightLabelWindow* bright_ = nullptr;
    DreyerSizeLabelWindow* size_ = nullptr;
    DreyerShapeLabelWindow* shape_ = nullptr;
    TypeLabelWindow* type_ = nullptr;
    TextLabelWindow* phase_ = nullptr;
    AngleLabelWindow* positAngle_ = nullptr;
    TextLabelWindow* illumination_ = nullptr;
    AngleLabelWindow* diam_ = nullptr;
    MagLabelWindow* mag_ = nullptr;
    SkyAtlasLabelWindow* skyAtlas_ = nullptr;
    UranoLabelWindow* urano_ = nullptr;
    TextLabelWindow* dreyer_ = nullptr;
    ConstelLabelWindow* constel_ = nullptr;
    CoordLabelWindow* ccord_ = nullptr;
    AngleLabelWindow* theta_ = nullptr;
    AngleLabelWindow* phi_ = nullptr;
    DistanceLabelWindow* distance_ = nullptr;
    CoordLabelWindow* hcord_ = nullptr;
    AngleLabelWindow* hTheta_ = nullptr;
    AngleLabelWindow* hPhi_ = nullptr;
    TimeDateLabelWindow* rise_ = nullptr;
    TimeDateLabelWindow* transit_ = nullptr;
    TimeDateLabelWindow* set_ = nullptr;
    TimeDateLabelWindow* eveningTwilight_ = nullptr;
    TimeDateLabelWindow* morningTwilight_ = nullptr;

    ObjectId object_ = ObjectId(kNoObject);
    ObsSite site_;
    JulianDate now_ = JulianDate(0.0, JulianDate::kJulianDay);
    Coord position_;
    RiseSetTransit riseSet_;
    std::uint32_t mask_ = 0;
    fw::Rect area_;
    int riseSetRuns_ = 0;
    // The last fill was a complete one of the Moon, the Sun or a planet, at this resolution.
    bool bodyValuesShown_ = false;
    bool bodyHighResolution_ = false;
    bool printing_ = false;
};
