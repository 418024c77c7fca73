#include "ui/TEditDate.h"

#include "framework/gui/MessageBox.h"
#include "ui/TEditValue.h"

TEditDate::TEditDate(QWidget* parent, int textLimit) : Edit(parent, textLimit), converter_(vkDate) {}

TDate TEditDate::GetValue()
{
    text_ = GetText().substr(0, kValueFieldTextLength);
    const TDate d = converter_.ParseDate(text_);
    if (converter_.GetError(error_)) {
        MessageBox(this, error_, "Date Input Error", MB_OK | MB_ICONEXCLAMATION);
        value_ = TDate::Today();
    } else {
        value_ = d;
    }
    return value_;
}

void TEditDate::SetValue(const TDate& date)
{
    value_ = date;
    text_ = converter_.FormatDate(date, 0);
    SetText(text_);
}
