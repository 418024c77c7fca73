// "Time Zone Dialog": one of four preset zones or a custom one, and whether daylight-saving
// time follows the zone's rules (automatic) or is set by hand.
#pragma once

#include "astro/TimeZone.h"
#include "framework/gui/Dialog.h"

#include <cstdint>
#include <string>

class tZoneDlg : public fw::Dialog {
public:
    static constexpr int kTemplate = 11;
    static constexpr int kHelpContext = 76;
    enum : int {
        kPacific = 101,
        kMountain = 102,
        kCentral = 103,
        kAutomatic = 104,
        kManual = 105,
        kSavingsTime = 106,
        kStandardTime = 107,
        kCustom = 108,
        kEastern = 204,
        kDstBegins = 201,
        kDstEnds = 202,
        kSummary = 203,
    };

    explicit tZoneDlg(QWidget* parent = nullptr);

    // The edited zone: the caller copies the site's zone in before running the dialog and
    // takes it back after OK.
    TimeZone zone;

    std::string zoneName;
    bool dstNow = false;
    bool automatic = true;
    double shownOffset = 0;
    double standardOffset = 0;  // hours east of Greenwich
    std::string summary;
    std::int32_t zoneNumber = 0;

    // The summary line for a zone name, offset and daylight-saving state.
    static std::string Summary(const std::string& name, double standardOffset, bool dst);

protected:
    void SetupWindow() override;
    void CmOk() override;

private:
    void Refresh();
    void Preset(double offset, const char* name, int number);
    void CmCustom();
};
