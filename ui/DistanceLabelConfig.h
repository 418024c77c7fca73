// Settings record of a data window that shows a distance: its two unit settings, the unit (a
// Distance unit code) and the number of significant digits.
#pragma once

#include "astro/Distance.h"
#include "ui/LabelConfig.h"

class DistanceLabelConfig : public LabelConfig {
public:
    explicit DistanceLabelConfig(const std::string& instanceName);
    explicit DistanceLabelConfig(const ConfigInfo& header);

    // The data window's colours and then its own settings.
    int Read(fw::ipstream& is) override;
    int Write(fw::opstream& os) override;
    // Resets only this class's own settings; the colours keep their values.
    int SetDefaults() override;
    bool CopyTo(ConfigInfo& target) const override { return CopyRecord(*this, target); }
    bool CopyFrom(const ConfigInfo& source) override { return CopyRecordFrom(*this, source); }

    std::int32_t units1 = Distance::kAutomatic;
    std::int32_t units2 = 8;
};
