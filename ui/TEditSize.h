// Validated edit field of a object size in degrees; 0.0 means no entry.
#pragma once

#include "ui/TEditValue.h"

class TEditSize : public TEditValue {
public:
    explicit TEditSize(QWidget* parent = nullptr, int textLimit = 0)
        : TEditValue(parent, textLimit, vkSize, "Size Input Error")
    {
    }
};
