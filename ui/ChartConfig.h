// Settings record of the star chart window (instance "ChartWindow"): its switches, the star
// magnitude limit and the colours of its eleven colour slots in every scheme.
#pragma once

#include "ui/ConfigInfo.h"

#include <array>

class ChartConfig : public ConfigInfo {
public:
    static constexpr std::int32_t kCurrentVersion = 5;
    static constexpr int kColorCount = 70;
    static constexpr int kWrittenColors = 60;  // indexes 1-60 go to the file
    static constexpr int kSlotCount = 11;      // colour slots 28-38
    static constexpr int kFirstSlot = 28;
    static constexpr double kDefaultMagLimit = 7.2;

    explicit ChartConfig(const std::string& instanceName = "ChartWindow");
    explicit ChartConfig(const ConfigInfo& header);

    int Read(fw::ipstream& is) override;
    int Write(fw::opstream& os) override;
    int SetDefaults() override;
    bool CopyTo(ConfigInfo& target) const override { return CopyRecord(*this, target); }
    bool CopyFrom(const ConfigInfo& source) override { return CopyRecordFrom(*this, source); }

    // Colour of the k-th slot (0-10, slot 28 + k) in a scheme (0-4).
    RGBColor SchemeColor(int scheme, int k) const { return colors[Index(scheme, k)]; }
    void SetSchemeColor(int scheme, int k, RGBColor c) { colors[Index(scheme, k)] = c; }
    static int Index(int scheme, int k) { return SchemeColorIndex(kSlotCount, scheme, k); }

    std::array<RGBColor, kColorCount> colors{};
    bool grid = true;
    bool starsShown = true;
    bool telrad = true;
    bool constellationLines = true;
    bool labels = true;
    bool solarSystem = true;
    double starMagLimit = kDefaultMagLimit;
};
