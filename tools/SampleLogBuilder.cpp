// "Sample.log" in the user directory: the observing log a new user opens first, written by the
// log's own writer, with a few observations of bright objects on four nights and the choice
// lists that name their equipment and sky conditions. Built after the catalogue, so that the
// NGC objects carry their catalogue rows.
#include "tools/DataBuilder.h"

#include "catalog/NGC2000Indexes.h"
#include "obslog/LogFile.h"

#include <iostream>
#include <vector>

namespace {

struct Observation {
    const char* name;
    int year, month, day, hour, minute;
    int type, constellation, telescope, eyepiece, filter, location, darkness, transparency, turbulence;
    double ra, dec, magnitude;
    double size; // arcminutes, as observers give sizes
    const char* notes;
};

const Observation kObservations[] = {
    {"M 31", 2023, 10, 14, 21, 40, 1, 0, 1, 1, 1, 2, 3, 3, 3, 0.712, 41.27, 3.4, 178.0,
     "Bright elongated core filling half the field at 37x. M 32 obvious to the south, M 110 "
     "faint and diffuse to the north-west. One dust lane suspected with averted vision."},
    {"NGC 869", 2023, 10, 14, 22, 20, 2, 62, 3, 2, 1, 2, 3, 3, 3, 2.317, 57.13, 4.3, 30.0,
     "Double Cluster in one field at 20x with its companion NGC 884. Several orange giants in "
     "NGC 884; NGC 869 denser at the centre."},
    {"M 45", 2023, 12, 16, 21, 5, 2, 77, 3, 1, 1, 1, 2, 4, 2, 3.79, 24.12, 1.6, 110.0,
     "Pleiades too large for the field at 15x; the finder shows them best. No sign of the "
     "Merope nebula under a suburban sky."},
    {"M 42", 2023, 12, 16, 22, 15, 4, 59, 2, 3, 2, 1, 2, 4, 2, 5.588, -5.39, 4.0, 66.0,
     "Trapezium split into four stars at 154x; E star glimpsed in moments of good seeing. "
     "UHC filter brings out the wings and the dark Fish's Mouth."},
    {"M 13", 2024, 6, 8, 23, 30, 3, 39, 1, 4, 1, 2, 3, 3, 2, 16.695, 36.46, 5.8, 20.0,
     "Resolved to the core at 133x, with the propeller feature seen after a few minutes. "
     "NGC 6207 in the same low-power field."},
    {"M 57", 2024, 6, 8, 23, 55, 5, 51, 1, 5, 3, 2, 3, 3, 2, 18.893, 33.03, 8.8, 1.4,
     "Ring obvious at 200x, slightly oval, the inside a little brighter than the sky. OIII "
     "helps a little; no central star."},
    {"Saturn", 2024, 9, 7, 22, 40, 6, 3, 2, 5, 1, 1, 2, 3, 3, 23.25, -7.6, 0.6, 0.0,
     "Rings nearly edge-on, a thin line through the globe. Titan and Rhea in line with the "
     "rings; the shadow of the rings on the globe clear at 333x."},
};

bool BuildSampleLog(const DataBuildContext& ctx)
{
    // The catalogue rows of the NGC objects, when the catalogue has been built.
    const bool catalogue = NGC2000Indexes::ReadDatabase(ctx.outDir + "ngc2k.rsx") == NGC2000Indexes::ReadOk;

    ObsRecordHeader header;
    const auto add = [&](ObsRecordHeader::ListId list, std::vector<const char*> texts) {
        for (std::size_t i = 0; i < texts.size(); ++i)
            header.ListById(list).AddEntry(texts[i], static_cast<std::int32_t>(i + 1));
    };
    add(ObsRecordHeader::ObjectTypes, {"Galaxy", "Open Cluster", "Globular Cluster", "Diffuse Nebula",
                                       "Planetary Nebula", "Planet"});
    add(ObsRecordHeader::Telescopes, {"10-inch f/4.7 Dobsonian", "8-inch f/10 Schmidt-Cassegrain",
                                      "80 mm f/6 refractor"});
    add(ObsRecordHeader::Eyepieces, {"32 mm Ploessl", "24 mm wide field", "13 mm", "9 mm", "6 mm"});
    add(ObsRecordHeader::Filters, {"None", "UHC", "OIII"});
    add(ObsRecordHeader::Locations, {"Back garden", "Club dark site"});
    add(ObsRecordHeader::SkyDarkness, {"Urban (limiting magnitude 4.0)", "Suburban (limiting magnitude 5.0)",
                                       "Rural (limiting magnitude 6.5)"});
    add(ObsRecordHeader::SkyTransparency, {"Poor", "Fair", "Good", "Excellent"});
    add(ObsRecordHeader::SkyTurbulence, {"Poor seeing", "Average seeing", "Steady"});

    std::vector<ObsRecord> records;
    for (const Observation& o : kObservations) {
        ObsRecord r;
        r.number = static_cast<std::int32_t>(records.size() + 1);
        r.name = o.name;
        r.crossRef = catalogue ? NGC2000Indexes::RowIndex(NGC2000Indexes::ParseObjectName(o.name)) : -1;
        r.notes = o.notes;
        r.time = fw::TTime(fw::TDate(static_cast<unsigned>(o.day), static_cast<unsigned>(o.month), o.year), o.hour, o.minute, 0);
        r.date = r.time.Date();
        r.objectType = o.type;
        r.constellation = o.constellation;
        r.telescope = o.telescope;
        r.eyepiece = o.eyepiece;
        r.filter = o.filter;
        r.location = o.location;
        r.skyDarkness = o.darkness;
        r.skyTransparency = o.transparency;
        r.skyTurbulence = o.turbulence;
        r.rightAscension = o.ra;
        r.declination = o.dec;
        r.magnitude = o.magnitude;
        r.size = o.size / 60.0; // the log keeps sizes in degrees
        r.version = ObsRecord::kBinaryVersion;
        records.push_back(r);
    }
    if (!catalogue)
        std::cerr << "Sample.log: catalogue not built, its records carry no catalogue rows\n";
    return WriteFileAtomically(ctx.userDir + "Sample.log", LogFile::Encode(header, RuravAvaviv(), records, false));
}

const DataBuilderRegistration kSampleLogRegistration("samplelog", 60, BuildSampleLog);

} // namespace
