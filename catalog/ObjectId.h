// ObjectId: one celestial object as a 32-bit value, catalogue code in the top 7 bits and
// number in the low 25 bits. Catalogue 1 is NGC 2000.0 (NGC n as n, IC n as 7840 + n),
// catalogue 3 the solar system; 0 means no object. Copied and compared by value, stored as
// four raw bytes.
#pragma once

#include <cstdint>
#include <string>

namespace fw { class ipstream; }
namespace fw { class opstream; }

class ObjectId {
public:
    static constexpr std::uint32_t kNgcCatalogue = 1;
    static constexpr std::uint32_t kSolarSystemCatalogue = 3;
    static constexpr std::uint32_t kIcOffset = 7840;  // IC n has the number 7840 + n

    // The solar-system bodies.
    static constexpr std::uint32_t kSun = 0x6000000;
    static constexpr std::uint32_t kMercury = 0x6000100;
    static constexpr std::uint32_t kVenus = 0x6000200;
    static constexpr std::uint32_t kEarth = 0x6000300;
    static constexpr std::uint32_t kMoon = 0x6000301;
    static constexpr std::uint32_t kMars = 0x6000400;
    static constexpr std::uint32_t kJupiter = 0x6000500;
    static constexpr std::uint32_t kSaturn = 0x6000600;
    static constexpr std::uint32_t kUranus = 0x6000700;
    static constexpr std::uint32_t kNeptune = 0x6000800;
    static constexpr std::uint32_t kPluto = 0x6000900;

    constexpr ObjectId(std::uint32_t value = 0) : value_(value) {}
    static constexpr ObjectId FromCatalogue(std::uint32_t catalogue, std::uint32_t number)
    {
        return ObjectId((catalogue << 25) + number);
    }

    constexpr std::uint32_t Value() const { return value_; }
    constexpr std::uint32_t Catalogue() const { return value_ >> 25; }
    constexpr std::uint32_t Number() const { return value_ & 0x1FFFFFFu; }
    // Short display name: "NGC 7331", "IC 434", "The Moon"; "" for anything unnamed.
    std::string Name() const;

    constexpr bool operator==(ObjectId o) const { return value_ == o.value_; }
    constexpr bool operator!=(ObjectId o) const { return value_ != o.value_; }
    constexpr bool operator<(ObjectId o) const { return value_ < o.value_; }
    constexpr bool operator<=(ObjectId o) const { return value_ <= o.value_; }
    constexpr bool operator>(ObjectId o) const { return value_ > o.value_; }
    constexpr bool operator>=(ObjectId o) const { return value_ >= o.value_; }

private:
    std::uint32_t value_;
};

// The four bytes of the value, little-endian.
void WriteObjectId(fw::opstream& os, ObjectId id);
// Four bytes; a value of another catalogue than 1 or 3 reads as 0.
ObjectId ReadObjectId(fw::ipstream& is);
