#include "catalog/ObjectId.h"

#include "framework/stream/PStream.h"

std::string ObjectId::Name() const
{
    if (Catalogue() == kNgcCatalogue) {
        const std::uint32_t n = Number();
        if (n <= kIcOffset)
            return "NGC " + std::to_string(n);
        return "IC " + std::to_string(n - kIcOffset);
    }
    if (Catalogue() == kSolarSystemCatalogue) {
        static const struct { std::uint32_t value; const char* name; } kBodies[] = {
            {kSun, "The Sun"}, {kMercury, "Mercury"}, {kVenus, "Venus"}, {kEarth, "Earth"},
            {kMoon, "The Moon"}, {kMars, "Mars"}, {kJupiter, "Jupiter"}, {kSaturn, "Saturn"},
            {kUranus, "Uranus"}, {kNeptune, "Neptune"}, {kPluto, "Pluto"},
        };
        for (const auto& b : kBodies)
            if (b.value == value_)
                return b.name;
    }
    return "";
}

void WriteObjectId(fw::opstream& os, ObjectId id)
{
    os.writeWord32(id.Value());
}

ObjectId ReadObjectId(fw::ipstream& is)
{
    const ObjectId id(is.readWord32());
    if (id.Catalogue() == ObjectId::kNgcCatalogue || id.Catalogue() == ObjectId::kSolarSystemCatalogue)
        return id;
    return ObjectId(0);
}
