// Identifiers of NGC and IC objects for the catalogue tests, written out in the stored form
// (catalogue 1; IC n as 7840 + n) rather than through the constants under test.
#pragma once

#include "catalog/ObjectId.h"

#include <cstdint>

inline ObjectId Ngc(std::uint32_t n) { return ObjectId::FromCatalogue(1, n); }
inline ObjectId Ic(std::uint32_t n) { return ObjectId::FromCatalogue(1, 7840 + n); }
