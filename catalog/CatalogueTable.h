// The catalogue table: the NGC 2000.0 objects held in memory as parallel columns, one entry
// per database row, filled from "ngc2k.rsx" by NGC2000Indexes::ReadDatabase. One table for
// the whole program, shared by the filters, the sort, the object lists, the chart and the
// planner and log windows.
//
// Three numberings meet here: the database row (0 to 13225, in the catalogue's order), the
// catalogue number (NGC n as n, IC n as 10000 + n) and the ObjectId number (NGC n as n,
// IC n as 7840 + n).
#pragma once

#include <cstdint>

// Rows the table can hold; no column is ever read or written past it.
constexpr int CatalogueCapacity = 13500;
// Rows of the NGC 2000.0 catalogue (7840 NGC and 5386 IC objects): the row count every
// operation of the database works with, whatever count a file states.
constexpr int CatalogueRowCount = 13226;
// Bit of the shape byte with which the observing log marks an observed object.
constexpr std::uint8_t ObservedMark = 0x80;
// Length of one record of the description file "dreyer.rsx".
constexpr int DreyerRecordLength = 54;
// Signature at both ends of "ngc2k.rsx".
extern const char* const CatalogueSignature;
// Version word written into "ngc2k.rsx" (the reader does not check it).
constexpr std::uint32_t CatalogueFileVersion = 1;

struct CatalogueTable {
    std::int16_t catalogueNumber[CatalogueCapacity];  // NGC n as n, IC n as 10000 + n
    std::int16_t rowOfNumber[CatalogueCapacity];      // indexed by ObjectId number - 1
    std::uint8_t shape[CatalogueCapacity];            // Dreyer shape 1-14 (0 none) | ObservedMark
    std::uint8_t size[CatalogueCapacity];             // Dreyer size 1-12 (0 none)
    std::uint8_t type[CatalogueCapacity];             // object type code
    std::uint8_t brightness[CatalogueCapacity];       // Dreyer brightness 1-12 (0 none)
    std::uint8_t constellation[CatalogueCapacity];    // constellation code 0-87
    float ra[CatalogueCapacity];                      // hours
    float dec[CatalogueCapacity];                     // degrees
    float magnitude[CatalogueCapacity];               // 0 none; > 500: photographic + 1000
    float diameter[CatalogueCapacity];                // largest size, arcminutes; 0 none

    // Every entry of every column to zero.
    void Clear();
};

// The program's one catalogue table.
extern CatalogueTable NGCTable;

// The magnitude an entry of the magnitude column stands for: a photographic one without its
// +1000 mark; 0 (no magnitude) stays 0.
inline double MagnitudeValue(double stored)
{
    return stored > 500 ? stored - 1000 : stored;
}

// ObjectId number of a catalogue number: k for NGC numbers up to 7840, k - 2160 for IC
// numbers from 10001 on; 0 for anything that is neither.
std::uint32_t ObjectNumberOfCatalogueNumber(int catalogueNumber);
