// Validated edit field of a declination in degrees.
#pragma once

#include "ui/TEditValue.h"

class TEditDEC : public TEditValue {
public:
    explicit TEditDEC(QWidget* parent = nullptr, int textLimit = 0)
        : TEditValue(parent, textLimit, vkDeclination, "Declination Input Error")
    {
    }
};
