#include "ui/TEditTime.h"

TEditTime::TEditTime(QWidget* parent, int textLimit)
    : TEditParsed<TTime>(parent, textLimit, vkTime, "Time Input Error")
{
}
