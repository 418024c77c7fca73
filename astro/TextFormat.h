// printf-style formatting into a std::string, for the text forms of the astronomy values.
#pragma once

#include <string>

std::string FormatText(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// The number format "%.<precision><conversion>" as the text forms build it; a negative
// precision is left out (printf's default of 6), a huge one is capped at 40.
std::string NumberFormat(int precision, char conversion);
