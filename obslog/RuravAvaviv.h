// The log filter: which observation records the log shows, by name and notes text, by the
// choice-list entries a record names, by position, size and magnitude ranges and by time of
// day and date. It is stored in every log file and in "DEFAULT.FLT".
//
// Binary form version 5 is written; versions 4 and 5 are read; the older text form is read
// and written.
#pragma once

#include "framework/stream/Date.h"
#include "framework/stream/DateStream.h"

#include <cstdint>
#include <istream>
#include <ostream>
#include <string>

namespace fw { class ipstream; }
namespace fw { class opstream; }
class ObsRecord;

class RuravAvaviv {
public:
    // Criterion bits of the criteria mask.
    enum Criterion : std::uint32_t {
        ByConstellation = 0x2,
        ByObjectType = 0x4,
        ByLocation = 0x8,
        ByTelescope = 0x10,
        ByFilter = 0x20,
        ByEyepiece = 0x40,
        BySkyDarkness = 0x80,
        BySkyTurbulence = 0x100,
        BySkyTransparency = 0x200,
        ByRightAscension = 0x400,
        ByDeclination = 0x800,
        ByMagnitude = 0x1000,
        BySize = 0x2000,
        ByTimeOfDay = 0x4000,
        ByDate = 0x8000,
        ByName = 0x10000,
        ByNotes = 0x20000,
    };
    // The nine choice sets, in memory order.
    enum SetIndex {
        Constellations, ObjectTypes, Locations, Telescopes, Filters, Eyepieces,
        SkyDarkness, SkyTurbulence, SkyTransparency, kSetCount
    };

    static const char* const kSignature;
    static constexpr std::int32_t kVersion = 5;
    static constexpr std::size_t kMaxText = 1999;

    RuravAvaviv();

    // True when the record passes every enabled criterion (every record while the filter is
    // off). Sets the record's date from its time.
    bool Match(ObsRecord& record) const;

    void Write(fw::opstream& out) const;
    // Versions 4 and 5; valid 1 on success, 0 otherwise; version -1 for an unknown version
    // word or a bad version-4 trailing word. The active flag is never read: a filter read
    // from a file is off.
    void Read(fw::ipstream& in);
    // Text form; valid 1 on success, else 0 with the input rewound to its start.
    void ReadText(std::istream& in);
    void WriteText(std::ostream& out) const;

    bool Has(Criterion c) const { return (criteria & c) != 0; }
    void Enable(Criterion c, bool on);

    std::uint32_t criteria = 0;
    std::int32_t active = 0;
    fw::BitSet256 sets[kSetCount];
    double raFrom = 0.0, raTo = 24.0;
    double decFrom = -90.0, decTo = 90.0;
    double sizeFrom = 0.0, sizeTo = 360.0;
    double magFaint = 30.0, magBright = -10.0;
    fw::TTime timeFrom, timeTo;  // only the time of day is used
    fw::TDate dateFrom, dateTo;
    std::string nameText;
    std::string notesText;
    std::int32_t valid = -1;
    std::int32_t version = kVersion;

private:
    void ReadVersion5(fw::ipstream& in);
    void ReadVersion4(fw::ipstream& in);
};
