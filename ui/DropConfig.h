// Settings record of a pane of the planner view: the colours of the pane's five colour slots
// (exterior, caption label, interior, caption text, outline) in every scheme.
#pragma once

#include "ui/SchemeColorConfig.h"

// Slots: 0 exterior, 1 label, 2 interior, 3 text, 4 outline.
class DropConfig : public SchemeColorConfig<5, 35, 25> {
public:
    static constexpr std::int32_t kCurrentVersion = 4;

    explicit DropConfig(const std::string& instanceName);
    explicit DropConfig(const ConfigInfo& header);

    bool CopyTo(ConfigInfo& target) const override { return CopyRecord(*this, target); }
    bool CopyFrom(const ConfigInfo& source) override { return CopyRecordFrom(*this, source); }
};
