// Settings record of a data window that shows an angle: units (an Angle unit or text unit),
// format (an Angle style) and precision (0-5) of the shown value.
#pragma once

#include "astro/Angle.h"
#include "ui/LabelConfig.h"

class AngleLabelConfig : public LabelConfig {
public:
    explicit AngleLabelConfig(const std::string& instanceName);
    explicit AngleLabelConfig(const ConfigInfo& header);

    // The data window's colours and then its own settings.
    int Read(fw::ipstream& is) override;
    int Write(fw::opstream& os) override;
    // Resets only this class's own settings; the colours keep their values.
    int SetDefaults() override;
    bool CopyTo(ConfigInfo& target) const override { return CopyRecord(*this, target); }
    bool CopyFrom(const ConfigInfo& source) override { return CopyRecordFrom(*this, source); }

    std::int32_t units = Angle::kDegrees;
    std::int32_t format = Angle::kAutomaticStyle;
    std::int32_t precision = 2;
};
