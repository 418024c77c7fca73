// Validated edit field of a right ascension in hours.
#pragma once

#include "ui/TEditValue.h"

class TEditRA : public TEditValue {
public:
    explicit TEditRA(QWidget* parent = nullptr, int textLimit = 0)
        : TEditValue(parent, textLimit, vkRightAscension, "RA Input Error")
    {
    }
};
