// AtlasReference: the chart of Sky Atlas 2000.0 and the volume and page of Uranometria 2000.0
// on which a position (right ascension in hours, declination in degrees, equinox 2000) lies,
// and their texts in the user's chosen styles.
#pragma once

#include <cstdint>
#include <string>

class AtlasReference {
public:
    double ra = 0;                        // hours, of the last position given
    double dec = 0;                       // degrees
    std::int32_t volume = 0;              // the last computed Uranometria volume
    std::int32_t uranometriaStyle = 0;
    std::int32_t skyAtlasStyle = 0;

    // Sky Atlas 2000.0 chart 1 to 26; stores the position.
    int SkyAtlasChart(double raHours, double decDegrees);
    // Uranometria 2000.0 volume: 2 for the southern sky from 6 degrees on, else 1; stored.
    int UranometriaVolume(double raHours, double decDegrees);
    // Uranometria 2000.0 page 1 to 473.
    int UranometriaPage(double raHours, double decDegrees) const;

    void SetSkyAtlasStyle(int style) { skyAtlasStyle = style; }
    void SetUranometriaStyle(int style) { uranometriaStyle = style; }

    // The chart / volume and page as text. A negative right ascension means the stored
    // position; style 0 means the stored style, any other style is stored first.
    std::string SkyAtlasText(double raHours, double decDegrees, int style);
    std::string UranometriaText(double raHours, double decDegrees, int style);
};
