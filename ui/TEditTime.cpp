#include "ui/TEditTime.h"

#include "framework/gui/MessageBox.h"
#include "ui/TEditValue.h"

TEditTime::TEditTime(QWidget* parent, int textLimit) : Edit(parent, textLimit), converter_(vkTime) {}

TTime TEditTime::GetValue()
{
    text_ = GetText().substr(0, kValueFieldTextLength);
    const TTime t = converter_.ParseTime(text_);
    if (converter_.GetError(error_)) {
        MessageBox(this, error_, "Time Input Error", MB_OK | MB_ICONEXCLAMATION);
        value_ = TTime();
    } else {
        value_ = t;
    }
    return value_;
}

void TEditTime::SetValue(const TTime& time)
{
    value_ = time;
    text_ = converter_.FormatTime(time);
    SetText(text_);
}
