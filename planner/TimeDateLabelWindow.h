// A data window that shows an instant in the time scale, time style, date style and
// composition the user chose from its menu, or a message in place of the instant (an object
// that never rises, a night without twilight).
#pragma once

#include "astro/JulianDate.h"
#include "planner/LabelWindow.h"
#include "ui/TimeDateLabelConfig.h"

#include <cstdint>

class TimeDateLabelWindow : public LabelWindow, public TimeDateLabelConfig {
public:
    // Time scales.
    enum Scale { TAI = 0, UTC = 1, LMT = 2, UT1 = 3, GMST = 4, LAST = 5, TT = 6, TDB = 7 };
    // Where the choices sit in the settings record.
    enum Setting { kScale = 0, kTimeStyle = 1, kDateStyle = 2, kComposition = 3 };
    // Commands: composition 0-3 (time, date, time date, date time), date styles 0-3 and 4-12,
    // time styles 0-3 and the time scales 0-7.
    static constexpr int kFirstCompositionCommand = 17600;
    static constexpr int kFirstDateStyleCommand = 17614;   // styles 0-3
    static constexpr int kMoreDateStylesCommand = 17605;   // styles 4-12
    static constexpr int kFirstTimeStyleCommand = 17618;
    static constexpr int kFirstScaleCommand = 17622;

    // offered: bits 0-3 compositions, 4-16 date styles, 17-20 time styles; scales: bit k
    // offers time scale k (124: local civil, UT1, both sidereal times and TT).
    TimeDateLabelWindow(QWidget* parent, const std::string& name, const std::string& caption = {},
                        std::uint32_t offered = 0x3FFFFF, std::uint32_t scales = 124);
    LabelConfig* Settings() override { return this; }

    void SetDate(const JulianDate& date, bool repaint = true);
    // A text in place of an instant; the choices no longer apply to it.
    void SetMessage(const std::string& text, bool repaint = true);
    // Takes a choice as the menu does and shows the instant again.
    void Choose(int command);
    // The instant in the chosen scale and form.
    std::string Formatted(const JulianDate& date) const;
    static std::string ScaleAbbreviation(int scale);
    // Adds the time-choice pop-ups of the menu (also used by the coordinate window).
    void AppendTimeMenus(fw::PopupMenu& menu) const;
    // Whether a command is one of the time choices.
    static bool IsTimeCommand(int command);

protected:
    void ShowRightButtonMenu(const fw::Point& p) override;

private:
    JulianDate date_;
    bool hasDate_ = false;
    std::uint32_t offered_;
    std::uint32_t scales_;
};
