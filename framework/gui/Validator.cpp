#include "framework/gui/Validator.h"

#include "framework/gui/MessageBox.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

namespace fw {

void Validator::Error(QWidget* owner) const
{
    MessageBox(owner, ErrorText(), "Validator", MB_OK | MB_ICONEXCLAMATION);
}

bool RangeValidator::IsValid(const std::string& text) const
{
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    long value = std::strtol(begin, &end, 10);
    if (end == begin || errno == ERANGE) return false;
    while (*end && std::isspace(static_cast<unsigned char>(*end))) ++end;
    if (*end) return false;
    return value >= min_ && value <= max_;
}

std::string RangeValidator::ErrorText() const
{
    return "Value is not in the range " + std::to_string(min_) + " to " + std::to_string(max_) + ".";
}

bool StringLookupValidator::IsValid(const std::string& text) const
{
    for (const auto& s : strings_) {
        if (s.size() != text.size()) continue;
        bool same = true;
        for (std::size_t i = 0; i < s.size() && same; ++i)
            same = std::tolower(static_cast<unsigned char>(s[i])) ==
                   std::tolower(static_cast<unsigned char>(text[i]));
        if (same) return true;
    }
    return false;
}

std::string StringLookupValidator::ErrorText() const
{
    return "Input is not in the list of valid strings.";
}

}  // namespace fw
