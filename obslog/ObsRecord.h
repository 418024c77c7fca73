// One observation of the observing log: what was seen, when, with which equipment and under
// which sky, as a plain value. Records are identified and ordered by their record number.
//
// Binary form (the log file and the crash journal): version word 4, number, cross-reference,
// name, object type, constellation, time, location, telescope, eyepiece, filter, sky darkness,
// sky turbulence, sky transparency, right ascension, declination, magnitude, size (raw
// doubles), notes, version word 4 again. The older tagged-text form (versions 1-3) is read.
#pragma once

#include "framework/stream/Date.h"

#include <cstdint>
#include <istream>
#include <string>

namespace fw { class ipstream; }
namespace fw { class opstream; }

class ObsRecord {
public:
    static constexpr std::uint32_t kBinaryVersion = 4;
    // Set in the version word while the record is marked for deletion (in memory only).
    static constexpr std::uint32_t kDeletionMark = 0x100;
    // The "no value" markers of the position, brightness and size fields.
    static constexpr double kNoRightAscension = -5.0;
    static constexpr double kNoDeclination = -500.0;
    static constexpr double kNoMagnitude = 500.0;
    static constexpr double kNoSize = 0.0;
    // Fewest bytes a record takes in the binary form (both strings empty).
    static constexpr std::size_t kMinBinarySize = 4 * 15 + 8 * 4 + 4 * 2;
    // Longest tag, value and notes value the tagged reader takes.
    static constexpr std::size_t kMaxTaggedToken = 99;
    static constexpr std::size_t kMaxTaggedNotes = 1999;

    ObsRecord();
    // Copies every field but the valid flag, which is not part of a copy.
    ObsRecord(const ObsRecord& other);
    ObsRecord& operator=(const ObsRecord& other);

    // Identity and order: the record number alone.
    friend bool operator==(const ObsRecord& a, const ObsRecord& b) { return a.number == b.number; }
    friend bool operator<(const ObsRecord& a, const ObsRecord& b) { return a.number < b.number; }
    // Every stored field equal, the four doubles each within 0.00001.
    bool SameContents(const ObsRecord& other) const;

    bool IsValid() const { return valid_; }
    bool IsMarkedForDeletion() const { return (version & kDeletionMark) != 0; }
    void SetDeletionMark(bool marked);

    void Write(fw::opstream& out) const;
    // Reads the binary form; the record is invalid when a version word is not 4 (a bad
    // leading word consumes only that word) or the stream ends early.
    void Read(fw::ipstream& in);
    // Reads one tagged-text record; on failure the record is invalid and the input is rewound
    // to its start.
    void ReadTagged(std::istream& in);

    std::int32_t number = 0;
    std::int32_t crossRef = -1;  // catalogue row of the object, -1 for none
    std::string name = "New Entry";
    std::string notes;
    fw::TDate date;  // used only while reading the old tagged versions, and by the filter
    fw::TTime time;
    std::int32_t objectType = 0;
    std::int32_t telescope = 0;
    std::int32_t eyepiece = 0;
    std::int32_t filter = 0;
    std::int32_t location = 0;
    std::int32_t skyDarkness = 0;
    std::int32_t skyTransparency = 0;
    std::int32_t skyTurbulence = 0;
    std::int32_t constellation = 0;
    double rightAscension = kNoRightAscension;  // hours
    double declination = kNoDeclination;        // degrees
    double magnitude = kNoMagnitude;
    double size = kNoSize;
    // Format the record was read with in the low byte; kDeletionMark while marked.
    std::uint32_t version = 0;

private:
    void CopyFrom(const ObsRecord& other);
    void TaggedFailed(std::istream& in);

    bool valid_ = true;
};
