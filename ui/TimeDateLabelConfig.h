// Settings record of a data window that shows a time or date: four format settings that
// the file keeps, and a fifth that lives only in memory (the store copies it, the file does not).
#pragma once

#include "ui/LabelConfig.h"

#include <array>

class TimeDateLabelConfig : public LabelConfig {
public:
    explicit TimeDateLabelConfig(const std::string& instanceName);
    explicit TimeDateLabelConfig(const ConfigInfo& header);

    // The data window's colours and then its own settings.
    int Read(fw::ipstream& is) override;
    int Write(fw::opstream& os) override;
    // Resets only this class's own settings; the colours keep their values.
    int SetDefaults() override;
    bool CopyTo(ConfigInfo& target) const override { return CopyRecord(*this, target); }
    bool CopyFrom(const ConfigInfo& source) override { return CopyRecordFrom(*this, source); }

    std::array<std::int32_t, 5> settings{{2, 0, 9, 3, 0}};
};
