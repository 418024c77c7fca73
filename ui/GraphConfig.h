// Settings record of the altitude plot: its Moon options and the colours of its twelve colour
// slots in every scheme.
#pragma once

#include "ui/SchemeColorConfig.h"

class GraphConfig : public SchemeColorConfig<12, 70, 60> {
public:
    static constexpr std::int32_t kCurrentVersion = 4;
    static constexpr int kFirstSlot = 16;  // colour slots 16-27

    // Moon option bits.
    static constexpr std::uint32_t kMoonPercentIllumination = 1;
    static constexpr std::uint32_t kDrawMoonGraphic = 2;
    static constexpr std::uint32_t kPlotMoonAltitude = 4;

    explicit GraphConfig(const std::string& instanceName);
    explicit GraphConfig(const ConfigInfo& header);

    bool CopyTo(ConfigInfo& target) const override { return CopyRecord(*this, target); }
    bool CopyFrom(const ConfigInfo& source) override { return CopyRecordFrom(*this, source); }

    std::uint32_t moonOptions = 7;

protected:
    // The Moon options stand before the colours in the file.
    void ReadBeforeColors(fw::ipstream& is) override;
    void WriteBeforeColors(fw::opstream& os) override;
    void SetOwnDefaults() override;
};
