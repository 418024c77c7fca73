// Settings record of a pane of the planner view: the colours of the pane's five colour slots
// (exterior, caption label, interior, caption text, outline) in every scheme.
#pragma once

#include "ui/ConfigInfo.h"

#include <array>

class DropConfig : public ConfigInfo {
public:
    static constexpr std::int32_t kCurrentVersion = 4;
    static constexpr int kColorCount = 35;
    static constexpr int kWrittenColors = 25;
    static constexpr int kSlotCount = 5;

    explicit DropConfig(const std::string& instanceName);
    explicit DropConfig(const ConfigInfo& header);

    int Read(fw::ipstream& is) override;
    int Write(fw::opstream& os) override;
    int SetDefaults() override;
    bool CopyTo(ConfigInfo& target) const override { return CopyRecord(*this, target); }
    bool CopyFrom(const ConfigInfo& source) override { return CopyRecordFrom(*this, source); }

    // Colour of role k (0 exterior, 1 label, 2 interior, 3 text, 4 outline) in a scheme.
    RGBColor SchemeColor(int scheme, int k) const { return colors[Index(scheme, k)]; }
    void SetSchemeColor(int scheme, int k, RGBColor c) { colors[Index(scheme, k)] = c; }
    static int Index(int scheme, int k) { return SchemeColorIndex(kSlotCount, scheme, k); }

    std::array<RGBColor, kColorCount> colors{};
};
