#include "ui/TEditDate.h"

TEditDate::TEditDate(QWidget* parent, int textLimit)
    : TEditParsed<fw::TDate>(parent, textLimit, vkDate, "Date Input Error")
{
}
