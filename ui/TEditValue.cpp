#include "ui/TEditValue.h"

#include "framework/gui/MessageBox.h"

TEditValue::TEditValue(QWidget* parent, int textLimit, ValueKind kind, const char* errorTitle)
    : Edit(parent, textLimit), converter_(kind), kind_(kind), title_(errorTitle)
{
}

double TEditValue::GetValue()
{
    text_ = GetText().substr(0, kValueFieldTextLength);
    const double v = converter_.ParseValue(text_, kind_);
    if (converter_.GetError(error_)) {
        MessageBox(this, error_, title_, MB_OK | MB_ICONEXCLAMATION);
        value_ = 0.0;
    } else {
        value_ = v;
    }
    return value_;
}

void TEditValue::SetValue(double value)
{
    value_ = value;
    text_ = converter_.FormatValue(value, kind_);
    SetText(text_);
}

void TEditValue::EvKillFocus()
{
    SetValue(GetValue());
}
