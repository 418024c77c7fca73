// Base of every settings record: a record is named by an instance name and a class name and
// carries the version of its body layout. The configuration store keeps one copy of each
// record; a window that is a settings record copies its record out of the store when it is
// created (Load) and back when it is destroyed (Store).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace fw { class ipstream; }
namespace fw { class opstream; }

// A colour as held in memory by the settings records and the colour schemes: the colour
// number 0x00BBGGRR that the drawing layer takes (red in the low byte).
using RGBColor = std::uint32_t;

constexpr RGBColor MakeRGB(unsigned r, unsigned g, unsigned b)
{
    return (r & 0xFFu) | ((g & 0xFFu) << 8) | ((b & 0xFFu) << 16);
}
constexpr unsigned RedOf(RGBColor c) { return c & 0xFFu; }
constexpr unsigned GreenOf(RGBColor c) { return (c >> 8) & 0xFFu; }
constexpr unsigned BlueOf(RGBColor c) { return (c >> 16) & 0xFFu; }
// The colour written as red-green-blue hex digits (0xRRGGBB), as colour tables list them.
constexpr RGBColor HexRGB(std::uint32_t rrggbb)
{
    return MakeRGB((rrggbb >> 16) & 0xFFu, (rrggbb >> 8) & 0xFFu, rrggbb & 0xFFu);
}

class ConfigInfo {
public:
    // Longest class or instance name taken from a file.
    static constexpr std::uint32_t kMaxNameLength = 1024;

    // A bare record header (the store reads headers into one of these).
    ConfigInfo() = default;
    ConfigInfo(const std::string& instance, const std::string& kind, std::int32_t recordVersion)
        : instanceName(instance), className(kind), version(recordVersion) {}
    ConfigInfo(const ConfigInfo&) = default;
    ConfigInfo& operator=(const ConfigInfo&) = default;
    virtual ~ConfigInfo() = default;

    // Reads the record body; the current version selects the layout, and afterwards the
    // version is the class's current one. The base reads nothing and returns 0.
    virtual int Read(fw::ipstream& is);
    // Writes the body in the current layout. The base writes nothing and returns 0.
    virtual int Write(fw::opstream& os);
    // Copies this record into the application's store; with writeFileNow the file is
    // written at once. 0 when there is no store or the record could not be kept.
    virtual int Store(bool writeFileNow = false);
    // Copies the stored record with the same key into this record; 0 when there is no store
    // or no record of this class under the key.
    virtual int Load();
    // Gives every field its default. The base has none of its own.
    virtual int SetDefaults();

    // Copies between records of the same class (the record part only, header included):
    // CopyTo fills the target when it is of this record's class, CopyFrom fills this record
    // from a source of this record's class. False, and nothing copied, on another class.
    virtual bool CopyTo(ConfigInfo& target) const;
    virtual bool CopyFrom(const ConfigInfo& source);

    // Record header as the configuration file holds it: class name, instance name, version.
    void WriteHeader(fw::opstream& os) const;
    // False when the stream failed while reading the header.
    bool ReadHeader(fw::ipstream& is);

    const std::string& InstanceName() const { return instanceName; }
    const std::string& ClassName() const { return className; }
    std::int32_t Version() const { return version; }

protected:
    // The header of another record, for the copy constructors of the concrete classes.
    void TakeHeader(const ConfigInfo& header);

    std::string instanceName;
    std::string className;
    std::int32_t version = 0;

    // Copies that check the run-time class of the other record.
    template <class Record>
    static bool CopyRecord(const Record& from, ConfigInfo& to)
    {
        auto* target = dynamic_cast<Record*>(&to);
        if (!target) return false;
        static_cast<Record&>(*target) = from;
        return true;
    }
    template <class Record>
    static bool CopyRecordFrom(Record& to, const ConfigInfo& from)
    {
        auto* source = dynamic_cast<const Record*>(&from);
        if (!source) return false;
        to = *source;
        return true;
    }
};

// Helpers for record bodies: flags are written as words and any non-zero word reads as true;
// a colour is three bytes, red, green and blue.
void WriteFlag(fw::opstream& os, bool flag);
bool ReadFlag(fw::ipstream& is);
void WriteColor(fw::opstream& os, RGBColor c);
RGBColor ReadColor(fw::ipstream& is);

// Colour tables of the records whose colours come in five schemes: entry 1 + slotCount x scheme + k
// holds slot k of a scheme; entry 0 and the entries past the schemes are spare.
constexpr int SchemeColorIndex(int slotCount, int scheme, int k) { return 1 + slotCount * scheme + k; }
// Defaults: every entry grey, then each scheme's slots from the table (red-green-blue hex).
template <std::size_t N, std::size_t Slots>
void SetSchemeDefaults(std::array<RGBColor, N>& colors, const RGBColor (&defaults)[5][Slots])
{
    static_assert(1 + 5 * Slots <= N, "the table holds every scheme");
    colors.fill(HexRGB(0x808080));
    for (std::size_t s = 0; s < 5; ++s)
        for (std::size_t k = 0; k < Slots; ++k)
            colors[SchemeColorIndex(int(Slots), int(s), int(k))] = HexRGB(defaults[s][k]);
}
// Entries 1 to count, the part of the table that the file holds.
template <std::size_t N>
void ReadColors(fw::ipstream& is, std::array<RGBColor, N>& colors, int count)
{
    for (int i = 1; i <= count; ++i) colors[i] = ReadColor(is);
}
template <std::size_t N>
void WriteColors(fw::opstream& os, const std::array<RGBColor, N>& colors, int count)
{
    for (int i = 1; i <= count; ++i) WriteColor(os, colors[i]);
}
