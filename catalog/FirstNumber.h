// The number of a designation such as "NGC 224" or "M31": its first run of decimal digits.
#pragma once

#include <cctype>
#include <string>

// The first run of decimal digits in a text, 0 when there is none (capped so that a long run
// cannot overflow).
inline long FirstNumber(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && !std::isdigit(static_cast<unsigned char>(text[i])))
        ++i;
    long n = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        if (n < 100000000)
            n = n * 10 + (text[i] - '0');
    return n;
}
