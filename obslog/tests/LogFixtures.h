// Small records and tagged-text texts shared by the observing-log tests.
#pragma once

#include "obslog/ObsRecord.h"

#include "framework/stream/PStream.h"

#include <string>

namespace logtest {

// A record with every field away from its default.
inline ObsRecord Record(std::int32_t number, const std::string& name = "NGC 253")
{
    ObsRecord r;
    r.number = number;
    r.crossRef = 252;
    r.name = name;
    r.notes = "Bright, elongated; dust lanes at 150x";
    r.time = fw::TTime(fw::TDate(14u, 10u, 2023), 21, 45, 10);
    r.date = r.time.Date();
    r.objectType = 3;
    r.telescope = 2;
    r.eyepiece = 4;
    r.filter = 1;
    r.location = 5;
    r.skyDarkness = 6;
    r.skyTransparency = 7;
    r.skyTurbulence = 8;
    r.constellation = 72;
    r.rightAscension = 0.7928;
    r.declination = -25.288;
    r.magnitude = 7.1;
    r.size = 27.5;
    r.version = ObsRecord::kBinaryVersion;
    return r;
}

inline std::string Bytes(const ObsRecord& r)
{
    fw::omstream out;
    r.Write(out);
    return out.str();
}

// A version-3 tagged record as the old writer produced it.
inline std::string TaggedV3(std::int32_t number, const std::string& name, const std::string& endTag = "")
{
    const std::string n = std::to_string(number);
    return "<BEGIN OBSLOG V3 RECORD=" + n + ">\n<CROSSREF=252>\n<NAME=" + name + ">\n<TYPE=3>\n<CONSTEL=72>\n"
           "<TIME=3874772710>\n<LOCATION=5>\n<TELE=2>\n<EYEPIECE=4>\n<FILTER=1>\n<SKY_DARK=6>\n<SKY_TURB=8>\n"
           "<SKY_TRAN=7>\n<RA=0.7928>\n<DEC=-25.288>\n<MAG=7.1>\n<SIZE=27.5>\n<NOTES=Dust lanes>\n" +
           (endTag.empty() ? "<END OBSLOG V3 RECORD" : endTag) + "=" + n + ">\n";
}

} // namespace logtest
