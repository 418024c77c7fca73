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
    // Block version written: 6 carries the altitude limits at the end; 5 does not.
    static constexpr std::uint32_t kVersion = 6;
    static constexpr std::uint32_t kVersionWithoutAltitudes = 5;

    // Entry 15 is enabledCriteria (the criteria switched on, one ObjectFlags bit each).
    std::int32_t passCounts[16] = {};
    std::int32_t typeMask = 31;
    std::int32_t positionCriteria = 0x20;  // 0x40 constellation, 0x10 RA/Dec, 0x20 elevation
    double raMin = 0;
    double raMax = 24;
    double decMin = -30;
    double decMax = 90;
    ConstellationSet constellations;
    ElevationWindow elevationWindow;
    std::int32_t elevationMode = 2;  // 0x1 at the current moment, 0x2 crossings in session pass
    std::int16_t sessionStartHour = 21;
    std::int16_t sessionStartMinute = 0;
    std::int16_t sessionEndHour = 23;
    std::int16_t sessionEndMinute = 30;
    std::int16_t minAltitude = 0;
    std::int16_t maxAltitude = 90;
    std::int32_t nameCriteria = 2;  // 0x1 common name, 0x2 H400, 0x4 IC, 0x8 M, 0x10 NGC, 0x20 SAC
    std::int32_t brightnessCriteria = 0;  // 0x1 magnitude, 0x2 Dreyer, 0x4 no magnitude fails
    std::int32_t dreyerBrightnessMask = 0x1F00;
    double magnitudeMin = 0;
    double magnitudeMax = 10;
    std::int32_t sizeCriteria = 0;  // 0x4 Dreyer size, 0x8 diameter, 0x2 no diameter fails
    std::int32_t dreyerSizeMask = 0;
    double diameterMin = 0.02;  // degrees
    double diameterMax = 3.0;
    std::int32_t shapeMask = 255;
    std::int32_t historyCriteria = 0;  // 0x1: never-recorded objects pass instead
    std::uint8_t valid = 1;

    FilterSettings() = default;

    std::int32_t EnabledCriteria() const { return passCounts[kEnabledCriteria]; }
    void SetEnabledCriteria(std::int32_t bits) { passCounts[kEnabledCriteria] = bits; }

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
