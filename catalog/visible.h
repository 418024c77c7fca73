// The time and altitude window of the elevation filter: an object passes when it is inside
// the altitude window at the current time (elevationMode 1) or enters it at some moment of
// the observing session (elevationMode 2).
#pragma once

#include "astro/Angle.h"
#include "catalog/FilterSettings.h"
#include "framework/gui/Dialog.h"
#include "framework/stream/Date.h"

#include <cstdint>

class TEditDEC;
class TEditTime;

class visible : public fw::Dialog {
public:
    static constexpr int kTemplate = 13;
    static constexpr int kHelpContext = 8;
    enum : int {
        kSession = 101,
        kCurrentTime = 102,
        kAltitudeGroup = 103,
        kMinAltitude = 104,
        kMaxAltitude = 105,
        kTimeGroup = 109,
        kSessionStart = 111,
        kSessionEnd = 112,
    };
    enum : std::int32_t {
        kAtCurrentTime = FilterSettings::kElevationAtCurrentTime,
        kDuringSession = FilterSettings::kElevationDuringSession,
    };

    explicit visible(QWidget* parent);

    fw::TTime sessionStart;
    fw::TTime sessionEnd;
    Angle minAltitude;
    Angle maxAltitude;
    std::int32_t elevationMode = kDuringSession;

protected:
    void SetupWindow() override;
    void CmOk() override;

private:
    TEditTime* start_;
    TEditTime* end_;
    TEditDEC* minimum_;
    TEditDEC* maximum_;
};
