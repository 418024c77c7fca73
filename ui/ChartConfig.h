// Settings record of the star chart window (instance "ChartWindow"): its switches, the star
// magnitude limit and the colours of its eleven colour slots in every scheme.
#pragma once

#include "ui/SchemeColorConfig.h"

class ChartConfig : public SchemeColorConfig<11, 70, 60> {
public:
    static constexpr std::int32_t kCurrentVersion = 5;
    static constexpr int kFirstSlot = 28;  // colour slots 28-38
    static constexpr double kDefaultMagLimit = 7.2;

    explicit ChartConfig(const std::string& instanceName = "ChartWindow");
    explicit ChartConfig(const ConfigInfo& header);

    bool CopyTo(ConfigInfo& target) const override { return CopyRecord(*this, target); }
    bool CopyFrom(const ConfigInfo& source) override { return CopyRecordFrom(*this, source); }

    bool grid = true;
    bool starsShown = true;
    bool telrad = true;
    bool constellationLines = true;
    bool labels = true;
    bool solarSystem = true;
    double starMagLimit = kDefaultMagLimit;

protected:
    // The switches stand before the colours in the file, the magnitude limit after them (from
    // version 5).
    void ReadBeforeColors(fw::ipstream& is) override;
    void ReadAfterColors(fw::ipstream& is) override;
    void WriteBeforeColors(fw::opstream& os) override;
    void WriteAfterColors(fw::opstream& os) override;
    void SetOwnDefaults() override;
};
