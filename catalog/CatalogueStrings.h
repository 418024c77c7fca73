// The texts of the catalogue's codes, kept as string resources under the program's own
// numbers: the sort keys 13000 to 13024 (the sort key codes themselves, 13000 heading the
// sort dialog's list and 13024 ending it), object type 18601 + code, Dreyer size 18700 + code,
// Dreyer shape 18800 + code and Dreyer brightness 18900 + code.
#pragma once

#include <string>

// The string resource of a number in the ranges above; "" for any other number.
std::string CatalogueString(int id);

// Texts by code. A Dreyer code outside its range (0 included, which means none) gives
// "No Dreyer Description"; the shape text ignores the observed mark of the shape byte.
std::string ObjectTypeText(int type);
std::string DreyerSizeText(int size);
std::string DreyerShapeText(int shapeByte);
std::string DreyerBrightnessText(int brightness);
