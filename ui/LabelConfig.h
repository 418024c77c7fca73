// Settings record of a data window: the colours of its five colour slots (label background,
// label text, data background, data text, outline) in every scheme. The data windows that
// show angles, magnitudes, coordinates, times and distances add their format settings in the
// subclasses.
#pragma once

#include "ui/SchemeColorConfig.h"

class LabelConfig : public SchemeColorConfig<5, 26, 25> {
public:
    static constexpr std::int32_t kCurrentVersion = 4;

    explicit LabelConfig(const std::string& instanceName);
    explicit LabelConfig(const ConfigInfo& header);

    bool CopyTo(ConfigInfo& target) const override { return CopyRecord(*this, target); }
    bool CopyFrom(const ConfigInfo& source) override { return CopyRecordFrom(*this, source); }

protected:
    // For the subclasses: their own class name, the common version and colour defaults.
    LabelConfig(const std::string& instanceName, const std::string& className);
};
