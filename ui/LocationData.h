// One site of the shipped site list "defloc.rsx": country and region numbers, name, position.
//
// The site list file, in the persistent streams:
//   header text (string), a word, country count and per country name (string) and number
//   (word), region-map count M and M pairs of country number (byte) and region number (word),
//   region count and per region name (string) and number (word), site count and the sites.
#pragma once

#include <cstdint>
#include <string>

namespace fw { class ipstream; }
namespace fw { class opstream; }

struct LocationData {
    static constexpr std::uint8_t kNoRegion = 255;

    std::uint8_t country = 0;
    std::uint8_t region = kNoRegion;
    std::string name;
    float latitude = 0.0f;   // degrees, north positive
    float longitude = 0.0f;  // degrees, east positive
    std::uint32_t spare = 0; // not used by the planner

    // Record: country (byte), region (byte), name (string), latitude and longitude (floats),
    // the spare word.
    void Read(fw::ipstream& in);
    void Write(fw::opstream& out) const;
};
