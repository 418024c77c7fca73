// ObjectData: one object's values gathered for display. Built from the catalogue table for
// NGC/IC objects; for any other object only the short name is filled.
#pragma once

#include "astro/Angle.h"
#include "astro/Coord.h"
#include "astro/Magnitude.h"
#include "catalog/ObjectId.h"

#include <cstdint>
#include <string>

struct ObjectData {
    explicit ObjectData(ObjectId id = ObjectId());

    ObjectId id;
    int row = -1;                // catalogue row, -1 for objects not in the table
    int type = -1;               // object type code (text: string 18601 + code); -1 none
    std::uint8_t shape = 0;      // Dreyer shape byte, with the observed mark
    int size = 0;                // Dreyer size code, 0 none
    int brightness = 0;          // Dreyer brightness code, 0 none
    int constellation = -1;      // constellation code 0-87, -1 none
    Magnitude magnitude;         // visual or photographic; 20000 where there is none
    Angle diameter;              // largest size; 0 none
    Coord position;              // equatorial, J2000.0
    int skyAtlasChart = 0;       // Sky Atlas 2000.0 chart
    int uranometriaVolume = 0;   // Uranometria 2000.0 volume and page
    int uranometriaPage = 0;

    std::string name;            // short name (ObjectId::Name)
    std::string fullName;        // with common name, Messier and Herschel designations
    std::string dreyer;          // Dreyer description
    std::string listPosition;    // position in the current list
};
