// FilterSettings: every filter criterion of the catalogue with its parameters, and how many
// objects passed each criterion at the last filtering. Held by the catalogue database, edited
// as a copy by the filter dialogs, and saved as a signed stream block in "indexes.rsx" and in
// planner documents.
#pragma once

#include "catalog/ConstellationSet.h"
#include "catalog/ElevationWindow.h"

#include <cstdint>

namespace fw { class ipstream; }
namespace fw { class opstream; }

class FilterSettings {
public:
    // Entries of passCounts.
    enum PassCount {
        kPassAll = 0,
        kPassPosition = 1,
        kPassRaDec = 2,
        kPassElevation = 3,
        kPassDreyerBrightness = 4,
        kPassMagnitude = 5,
        kPassConstellation = 6,
        kPassBrightness = 7,
        kPassSize = 8,
        kPassDreyerSize = 9,
        kPassDiameter = 10,
        kPassShape = 11,
        kPassType = 12,
        kPassName = 13,
        kPassHistory = 14,
        kEnabledCriteria = 15,
    };
    // Option bits of the criteria words besides the ObjectFlags bits of a group's members.
    // brightnessCriteria: objects without a magnitude fail the magnitude criterion.
    static constexpr std::int32_t kNoMagnitudeFails = 0x4;
    // sizeCriteria: objects without a diameter fail the diameter criterion.
    static constexpr std::int32_t kNoDiameterFails = 0x2;
    // elevationMode: within the altitude limits now, or crossing them during the session.
    static constexpr std::int32_t kElevationAtCurrentTime = 0x1;
    static constexpr std::int32_t kElevationDuringSession = 0x2;
    // nameCriteria: every bit set must hold.
    static constexpr std::int32_t kNameCommon = 0x1;       // has a common name
    static constexpr std::int32_t kNameHerschel400 = 0x2;  // in the Herschel 400
    static constexpr std::int32_t kNameIcOnly = 0x4;       // IC objects only
    static constexpr std::int32_t kNameMessier = 0x8;      // Messier objects
    static constexpr std::int32_t kNameNgcOnly = 0x10;     // NGC objects only
    static constexpr std::int32_t kNameSac110 = 0x20;      // in the SAC 110 list
    // historyCriteria: objects marked in the observing log are rejected (the never-recorded
    // ones pass); any other value passes the marked objects, and the dialog writes 2.
    static constexpr std::int32_t kHistoryRejectLogged = 0x1;
    static constexpr std::int32_t kHistoryPassLogged = 0x2;
    // The bit of a Dreyer brightness or size mask that fails objects without a code, and that
    // of the shape mask.
    static constexpr std::int32_t kDreyerNoCodeFails = 0x1000;
    static constexpr std::int32_t kShapeNoCodeFails = 0x4000;

    // Block version written: 6 carries the altitude limits at the end; 5 does not.
    static constexpr std::uint32_t kVersion = 6;
    static constexpr std::uint32_t kVersionWithoutAltitudes = 5;

    // Entry 15 is enabledCriteria (the criteria switched on, one ObjectFlags bit each).
    std::int32_t passCounts[16] = {};
    std::int32_t typeMask = 31;
    std::int32_t positionCriteria = 0x20;  // ObjectFlags: 0x40 constellation, 0x10 RA/Dec, 0x20 elevation
    double raMin = 0;
    double raMax = 24;
    double decMin = -30;
    double decMax = 90;
    ConstellationSet constellations;
    ElevationWindow elevationWindow;
    std::int32_t elevationMode = kElevationDuringSession;
    std::int16_t sessionStartHour = 21;
    std::int16_t sessionStartMinute = 0;
    std::int16_t sessionEndHour = 23;
    std::int16_t sessionEndMinute = 30;
    std::int16_t minAltitude = 0;
    std::int16_t maxAltitude = 90;
    std::int32_t nameCriteria = kNameHerschel400;
    std::int32_t brightnessCriteria = 0;  // ObjectFlags magnitude and Dreyer bits, kNoMagnitudeFails
    std::int32_t dreyerBrightnessMask = 0x1F00;
    double magnitudeMin = 0;
    double magnitudeMax = 10;
    std::int32_t sizeCriteria = 0;  // ObjectFlags Dreyer size and diameter bits, kNoDiameterFails
    std::int32_t dreyerSizeMask = 0;
    double diameterMin = 0.02;  // degrees
    double diameterMax = 3.0;
    std::int32_t shapeMask = 255;
    std::int32_t historyCriteria = 0;  // kHistoryRejectLogged or not
    std::uint8_t valid = 1;

    FilterSettings() = default;

    std::int32_t EnabledCriteria() const { return passCounts[kEnabledCriteria]; }
    void SetEnabledCriteria(std::int32_t bits) { passCounts[kEnabledCriteria] = bits; }
    // The elevation window of the session and altitude limits at a site latitude (degrees).
    ElevationWindow WindowAt(double latitudeDegrees) const;

    // Every field but valid.
    void Assign(const FilterSettings& s);
    // Every field but valid, the pass counts included.
    bool operator==(const FilterSettings& s) const;
    bool operator!=(const FilterSettings& s) const { return !(*this == s); }

    void Write(fw::opstream& os) const;
    // Clears valid; stops after a wrong opening signature; sets valid when the closing
    // signature matches. A version-5 block leaves the altitude limits as they were.
    void Read(fw::ipstream& is);
};
