#include "chart/ChartFields.h"

#include <string>

#include "framework/gui/MessageBox.h"
#include "ui/FieldReading.h"
#include "ui/TEditValue.h"

namespace {

const char* EntryHint(ValueKind kind)
{
    switch (kind) {
    case vkRightAscension: return "Enter a Right Ascension from 0h to 24h, such as 12h 30m";
    case vkDeclination: return "Enter a Declination from -90\xC2\xB0 to +90\xC2\xB0, such as -12\xC2\xB0 30'";
    case vkSize: return "Enter a Size above 0 and up to 180 deg, such as 30 min or 1.5 deg";
    default: return "Enter a Magnitude above 0, such as 9.5";
    }
}

bool InRange(ValueKind kind, double value)
{
    switch (kind) {
    case vkRightAscension: return value >= 0.0 && value <= 24.0;
    case vkDeclination: return value >= -90.0 && value <= 90.0;
    case vkSize: return value > 0.0 && value <= 180.0;
    // The star sizes are scaled by the limiting magnitude: 0 or less draws no star.
    default: return value > 0.0 && value < 100.0;
    }
}

} // namespace

bool ReadChartField(TEditValue& field, double& value)
{
    double read = 0;
    if (!ReadValueField(field, read)) return false;
    const std::string& text = field.CurrentText();
    if (text == "MIN" || text == "MAX" || text == "NO ENTRY" || !InRange(field.Kind(), read)) {
        fw::MessageBox(&field, EntryHint(field.Kind()), field.ErrorTitle(), fw::MB_OK | fw::MB_ICONEXCLAMATION);
        field.setFocus(Qt::OtherFocusReason);
        return false;
    }
    value = read;
    return true;
}
