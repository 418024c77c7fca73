#include "ui/TEditTime.h"

TEditTime::TEditTime(QWidget* parent, int textLimit)
    : TEditParsed<fw::TTime>(parent, textLimit, vkTime, "Time Input Error")
{
}
