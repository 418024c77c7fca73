// Settings record of a data window that shows a coordinate: 29 format settings. The file
// holds settings 4-7 first, then 1-3, then 8-29 (numbered from 1 in memory order).
#pragma once

#include "ui/LabelConfig.h"

#include <array>

class CoordLabelConfig : public LabelConfig {
public:
    explicit CoordLabelConfig(const std::string& instanceName);
    explicit CoordLabelConfig(const ConfigInfo& header);

    // The data window's colours and then its own settings.
    int Read(fw::ipstream& is) override;
    int Write(fw::opstream& os) override;
    // Resets only this class's own settings; the colours keep their values.
    int SetDefaults() override;
    bool CopyTo(ConfigInfo& target) const override { return CopyRecord(*this, target); }
    bool CopyFrom(const ConfigInfo& source) override { return CopyRecordFrom(*this, source); }

    static constexpr int kSettingCount = 29;
    std::array<std::int32_t, kSettingCount> settings{};

private:
    // Memory index of the n-th setting in the file.
    static int FileOrder(int n);
};
