// The settings records whose colours come in slots for each of the five colour schemes (the
// panes, the data windows, the altitude plot and the star chart). A record names its slot
// count, table size, the part of the table its file holds and its default colours; this base
// reads, writes and resets them. A record with settings besides its colours adds them through
// the hooks before and after the colour table, in the order its file holds them.
#pragma once

#include "ui/ConfigInfo.h"

#include <array>

template <int Slots, int Colors, int Written>
class SchemeColorConfig : public ConfigInfo {
public:
    static constexpr int kSlotCount = Slots;
    static constexpr int kColorCount = Colors;
    static constexpr int kWrittenColors = Written;
    // Red-green-blue hex of each slot in schemes 0-4.
    using DefaultTable = RGBColor[5][Slots];

    int Read(fw::ipstream& is) override
    {
        ReadBeforeColors(is);
        ReadColors(is, colors, kWrittenColors);
        ReadAfterColors(is);
        version = currentVersion_;
        return 1;
    }
    int Write(fw::opstream& os) override
    {
        WriteBeforeColors(os);
        WriteColors(os, colors, kWrittenColors);
        WriteAfterColors(os);
        return 1;
    }
    int SetDefaults() override
    {
        SetSchemeDefaults(colors, *defaults_);
        SetOwnDefaults();
        return 1;
    }

    // Colour of slot k in a scheme.
    RGBColor SchemeColor(int scheme, int k) const { return colors[Index(scheme, k)]; }
    void SetSchemeColor(int scheme, int k, RGBColor c) { colors[Index(scheme, k)] = c; }
    static int Index(int scheme, int k) { return SchemeColorIndex(kSlotCount, scheme, k); }

    std::array<RGBColor, kColorCount> colors{};

protected:
    // Records call SetDefaults in their own constructors, once their hooks can run.
    SchemeColorConfig(const std::string& instance, const std::string& kind, std::int32_t currentVersion,
                      const DefaultTable& defaults)
        : ConfigInfo(instance, kind, currentVersion), currentVersion_(currentVersion), defaults_(&defaults)
    {
    }
    SchemeColorConfig(const ConfigInfo& header, std::int32_t currentVersion, const DefaultTable& defaults)
        : currentVersion_(currentVersion), defaults_(&defaults)
    {
        TakeHeader(header);
    }

    virtual void ReadBeforeColors(fw::ipstream&) {}
    virtual void ReadAfterColors(fw::ipstream&) {}
    virtual void WriteBeforeColors(fw::opstream&) {}
    virtual void WriteAfterColors(fw::opstream&) {}
    virtual void SetOwnDefaults() {}

private:
    std::int32_t currentVersion_;
    const DefaultTable* defaults_;
};
