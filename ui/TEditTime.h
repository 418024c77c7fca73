// Validated edit field of a time of day; a bad entry gives the null time.
#pragma once

#include "ui/TEditParsed.h"

class TEditTime : public TEditParsed<fw::TTime> {
public:
    explicit TEditTime(QWidget* parent = nullptr, int textLimit = 0);

protected:
    fw::TTime Parse(const std::string& text) override { return converter_.ParseTime(text); }
    std::string Format(const fw::TTime& time) override { return converter_.FormatTime(time); }
    fw::TTime Fallback() const override { return fw::TTime(); }
};
