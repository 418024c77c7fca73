// Settings record of a data window: the colours of its five colour slots (label background,
// label text, data background, data text, outline) in every scheme. The data windows that
// show angles, magnitudes, coordinates, times and distances add their format settings in the
// subclasses.
#pragma once

#include "ui/ConfigInfo.h"

#include <array>

class LabelConfig : public ConfigInfo {
public:
    static constexpr std::int32_t kCurrentVersion = 4;
    static constexpr int kColorCount = 26;
    static constexpr int kWrittenColors = 25;
    static constexpr int kSlotCount = 5;

    explicit LabelConfig(const std::string& instanceName);
    explicit LabelConfig(const ConfigInfo& header);

    int Read(fw::ipstream& is) override;
    int Write(fw::opstream& os) override;
    int SetDefaults() override;
    bool CopyTo(ConfigInfo& target) const override { return CopyRecord(*this, target); }
    bool CopyFrom(const ConfigInfo& source) override { return CopyRecordFrom(*this, source); }

    RGBColor SchemeColor(int scheme, int k) const { return colors[Index(scheme, k)]; }
    void SetSchemeColor(int scheme, int k, RGBColor c) { colors[Index(scheme, k)] = c; }
    static int Index(int scheme, int k) { return SchemeColorIndex(kSlotCount, scheme, k); }

    std::array<RGBColor, kColorCount> colors{};

protected:
    // For the subclasses: their own class name, the common version and colour defaults.
    LabelConfig(const std::string& instanceName, const std::string& className);
};
