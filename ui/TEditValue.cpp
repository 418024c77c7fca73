#include "ui/TEditValue.h"

TEditValue::TEditValue(QWidget* parent, int textLimit, ValueKind kind, const char* errorTitle)
    : TEditParsed<double>(parent, textLimit, kind, errorTitle), kind_(kind)
{
}
