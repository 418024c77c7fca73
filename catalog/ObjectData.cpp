#include "catalog/ObjectData.h"

#include "astro/Distance.h"
#include "astro/JulianDate.h"
#include "catalog/AtlasReference.h"
#include "catalog/CatalogueTable.h"
#include "catalog/NGC2000Indexes.h"

ObjectData::ObjectData(ObjectId objectId) : id(objectId), name(objectId.Name())
{
    row = NGC2000Indexes::RowIndex(objectId);
    if (row < 0)
        return;
    const CatalogueTable& t = NGCTable;
    type = t.type[row];
    shape = t.shape[row];
    size = t.size[row];
    brightness = t.brightness[row];
    constellation = t.constellation[row];

    const double mag = t.magnitude[row];
    if (mag == 0)
        magnitude = Magnitude(Magnitude::kNoValue, Magnitude::kNoValue);
    else if (mag > 500)
        magnitude = Magnitude(Magnitude::kNoValue, mag - 1000.0);
    else
        magnitude = Magnitude(mag, Magnitude::kNoValue);

    diameter = Angle(t.diameter[row], Angle::kArcMinutes);
    const double ra = t.ra[row];
    const double dec = t.dec[row];
    // A mean catalogue position of J2000.0.
    position = Coord::Equatorial(Angle(ra, Angle::kHours), Angle(dec, Angle::kDegrees), Distance(), JulianDate(),
                                 Coord::MaskMeanPlace);
    AtlasReference atlas;
    skyAtlasChart = atlas.SkyAtlasChart(ra, dec);
    uranometriaVolume = atlas.UranometriaVolume(ra, dec);
    uranometriaPage = atlas.UranometriaPage(ra, dec);
}
