// The position section of the filter: which of the elevation, constellation and right
// ascension/declination criteria are in force, and a button for each that opens its own
// dialog on a copy. What those dialogs change comes back only with this dialog's OK.
#pragma once

#include "astro/Angle.h"
#include "catalog/ConstellationSet.h"
#include "framework/gui/Dialog.h"

#include <cstdint>

class PositFltDlg : public fw::Dialog {
public:
    static constexpr int kTemplate = 4;
    static constexpr int kHelpContext = 27;
    enum : int {
        kElevationActive = 101,
        kConstellationActive = 102,
        kModifyConstellations = 103,
        kModifyElevation = 104,
        kRaDecActive = 105,
        kModifyRaDec = 106,
    };

    explicit PositFltDlg(QWidget* parent);

    std::int32_t positionCriteria = 0;
    double raMin = 0;
    double raMax = 24;
    double decMin = -90;
    double decMax = 90;
    ConstellationSet constellations;
    std::int32_t elevationMode = 2;
    std::int32_t sessionStartHour = 21;
    std::int32_t sessionStartMinute = 0;
    std::int32_t sessionEndHour = 23;
    std::int32_t sessionEndMinute = 30;
    Angle minAltitude;
    Angle maxAltitude;

protected:
    void SetupWindow() override;
    void CmOk() override;

private:
    void CmElevation();
    void CmConstellations();
    void CmRaDec();
};
