// Settings record of a data window that shows a magnitude: its precision.
#pragma once

#include "ui/LabelConfig.h"

class MagLabelConfig : public LabelConfig {
public:
    explicit MagLabelConfig(const std::string& instanceName);
    explicit MagLabelConfig(const ConfigInfo& header);

    // The data window's colours and then its own settings.
    int Read(fw::ipstream& is) override;
    int Write(fw::opstream& os) override;
    // Resets only this class's own settings; the colours keep their values.
    int SetDefaults() override;
    bool CopyTo(ConfigInfo& target) const override { return CopyRecord(*this, target); }
    bool CopyFrom(const ConfigInfo& source) override { return CopyRecordFrom(*this, source); }

    std::int32_t precision = 1;
};
