// SignedStreamRecord: the record scheme of the planner's own binary files. A record is a
// signature string naming maker, product and kind of record, a 32-bit version word, the
// fields, and in many records the signature again as a trailer. Files carry no stream
// header; a file starts with its first record.
//
// The helpers here write and read the pieces of that scheme; each file decides what its
// reader verifies. Strings use the persistent-string form of framework/stream (32-bit length
// and bytes); a signature read from a file is capped so that a foreign file cannot make a
// reader allocate without bound.
#pragma once

#include <cstdint>
#include <string>

namespace fw { class ipstream; }
namespace fw { class opstream; }

class SignedStreamRecord {
public:
    // The version every writer of the astronomy records writes.
    static constexpr std::uint32_t CurrentVersion = 5;
    // Longest signature or short text (names) a reader accepts; longer lengths fail the stream.
    static constexpr std::uint32_t MaxSignatureLength = 256;
    static constexpr std::uint32_t MaxNameLength = 4096;

    // Signatures of the system, one per kind of record; compared as whole texts.
    static constexpr const char* ObsSite = "Quillon Software - Stellum - ObsSite";
    static constexpr const char* PlanetData = "Quillon Software - Stellum - Planet Data";
    static constexpr const char* MoonData = "Quillon Software - Stellum - Moon Data";
    static constexpr const char* Pluto = "Quillon Software - Stellum - Pluto";
    static constexpr const char* ConfigurationFile = "Quillon Software - Stellum - Configuration File";
    static constexpr const char* PreferredLocationFile =
        "Quillon Software - Stellum - Preferred Location File";
    static constexpr const char* FilterSettings = "Quillon Software - Stellum - FilterSettings";
    static constexpr const char* SortCriteria = "Quillon Software - Stellum - Sort Criteria";
    static constexpr const char* BrowserClass = "Quillon Software - Stellum - Browser Class";
    static constexpr const char* NGC2000Database = "Quillon Software - Stellum 4.4 - NGC2000 Database";
    static constexpr const char* MainDocument = "Quillon Software - Stellum - Main Document";
    static constexpr const char* LogFilter = "Quillon Software - Stellum - Log Filter";

    // What a reader found at the head of a record.
    struct Header {
        std::string signature;
        std::uint32_t version = 0;
        // Signature equal to the expected text and version equal to the expected number.
        bool Matches(const std::string& expectedSignature, std::uint32_t expectedVersion) const
        {
            return signature == expectedSignature && version == expectedVersion;
        }
    };

    // Signature then version word.
    static void WriteHeader(fw::opstream& os, const std::string& signature,
                            std::uint32_t version = CurrentVersion);
    static Header ReadHeader(fw::ipstream& is);
    // A signature string alone (the trailer of many records).
    static void WriteSignature(fw::opstream& os, const std::string& signature);
    static std::string ReadSignature(fw::ipstream& is);
    // A name or other short text field.
    static std::string ReadName(fw::ipstream& is);

    // Raw values as held in memory: 8-byte doubles and 4-byte words, little-endian.
    static void WriteRawDouble(fw::opstream& os, double v);
    static double ReadRawDouble(fw::ipstream& is);
    static void WriteRaw32(fw::opstream& os, std::uint32_t v);
    static std::uint32_t ReadRaw32(fw::ipstream& is);

    // A Julian day read from a record. A value that is not a finite number or lies beyond
    // any calendar the planner handles (a foreign or damaged file) gives J2000.0, so that the
    // calendar conversion never sees it.
    static double ReadJulianDay(fw::ipstream& is);
};
