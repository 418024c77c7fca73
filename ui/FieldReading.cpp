#include "ui/FieldReading.h"

#include "framework/gui/MessageBox.h"
#include "ui/TEditTime.h"
#include "ui/TEditValue.h"

#include <cstdlib>
#include <string>

namespace {

bool IsReservedWord(const std::string& text)
{
    return text == "MIN" || text == "MAX" || text == "NO ENTRY";
}

// The first run of digits of the text as a number, -1 when there is none.
long FirstNumber(const std::string& text)
{
    const std::size_t start = text.find_first_of("0123456789");
    if (start == std::string::npos)
        return -1;
    const std::size_t end = text.find_first_not_of("0123456789", start);
    const std::string digits = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    return digits.size() > 6 ? 1000000 : std::strtol(digits.c_str(), nullptr, 10);
}

const char* MissingNumberText(ValueKind kind)
{
    switch (kind) {
    case vkRightAscension: return "Enter a Right Ascension such as 12h 30m, or MIN or MAX";
    case vkDeclination: return "Enter an Angle in Degrees such as -12\xC2\xB0 30', or MIN or MAX";
    case vkMagnitude: return "Enter a Magnitude such as 10.5, or MIN or MAX";
    case vkSize: return "Enter a Size such as 5 min or 1.5 deg, or MIN or MAX";
    default: return "Enter a Time such as 9:30 pm";
    }
}

void Refuse(fw::Edit& field, const std::string& text, const char* title)
{
    fw::MessageBox(&field, text, title, fw::MB_OK | fw::MB_ICONEXCLAMATION);
    field.setFocus(Qt::OtherFocusReason);
}

} // namespace

bool ReadValueField(TEditValue& field, double& value)
{
    const double read = field.GetValue();
    if (!field.ErrorText().empty()) {
        field.setFocus(Qt::OtherFocusReason);
        return false;
    }
    const std::string& text = field.CurrentText();
    if (!IsReservedWord(text) && FirstNumber(text) < 0) {
        Refuse(field, MissingNumberText(field.Kind()), field.ErrorTitle());
        return false;
    }
    value = read;
    return true;
}

bool ReadTimeField(TEditTime& field, fw::TTime& value)
{
    const fw::TTime read = field.GetValue();
    const std::string& text = field.CurrentText();
    if (!IsReservedWord(text)) {
        // The time reader falls back to the clock for an hour past 24 and to midnight for a
        // text without digits, silently; both are entries the user did not mean.
        const long hour = FirstNumber(text);
        if (hour < 0 || hour > 24) {
            Refuse(field, MissingNumberText(vkTime), field.ErrorTitle());
            return false;
        }
    }
    value = read;
    return true;
}
