// "Astronomical Clocks and Data": the sidereal, civil and universal times and dates of the
// current instant at the site, its Julian day and the site's name. While the planner follows
// the computer's clock the dialog keeps the current instant running, once a second.
#pragma once

#include "framework/gui/Dialog.h"

#include <ctime>

class Clocks : public fw::Dialog {
public:
    static constexpr int kTemplate = 12;
    static constexpr int kHelpContext = 78;
    static constexpr int kTimer = 100;
    enum : int {
        kLocalSidereal = 25000,
        kLocalTime = 25001,
        kGreenwichSidereal = 25002,
        kUniversalTime = 25003,
        kLocalDate = 25004,
        kJulianDay = 25005,
        kUniversalDate = 25006,
        kSiteName = 3009,
    };

    explicit Clocks(QWidget* parent = nullptr);
    ~Clocks() override;

    // Writes the eight fields from the current instant and the site.
    void Refresh();
    bool IsOpen() const { return open_; }

protected:
    void SetupWindow() override;
    void EvTimer(int id) override;
    void closeEvent(QCloseEvent* event) override;

private:
    std::time_t lastRefresh_ = 0;
    bool open_ = false;
};
