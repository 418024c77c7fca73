// Settings record of the altitude plot: its Moon options and the colours of its twelve colour
// slots in every scheme.
#pragma once

#include "ui/ConfigInfo.h"

#include <array>

class GraphConfig : public ConfigInfo {
public:
    static constexpr std::int32_t kCurrentVersion = 4;
    static constexpr int kColorCount = 70;
    static constexpr int kWrittenColors = 60;
    static constexpr int kSlotCount = 12;  // colour slots 16-27
    static constexpr int kFirstSlot = 16;

    // Moon option bits.
    static constexpr std::uint32_t kMoonPercentIllumination = 1;
    static constexpr std::uint32_t kDrawMoonGraphic = 2;
    static constexpr std::uint32_t kPlotMoonAltitude = 4;

    explicit GraphConfig(const std::string& instanceName);
    explicit GraphConfig(const ConfigInfo& header);

    int Read(fw::ipstream& is) override;
    int Write(fw::opstream& os) override;
    int SetDefaults() override;
    bool CopyTo(ConfigInfo& target) const override { return CopyRecord(*this, target); }
    bool CopyFrom(const ConfigInfo& source) override { return CopyRecordFrom(*this, source); }

    RGBColor SchemeColor(int scheme, int k) const { return colors[Index(scheme, k)]; }
    void SetSchemeColor(int scheme, int k, RGBColor c) { colors[Index(scheme, k)] = c; }
    static int Index(int scheme, int k) { return SchemeColorIndex(kSlotCount, scheme, k); }

    std::uint32_t moonOptions = 7;
    std::array<RGBColor, kColorCount> colors{};
};
