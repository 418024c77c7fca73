// Validated edit field of a calendar date; a bad entry gives the current date.
#pragma once

#include "ui/TEditParsed.h"

class TEditDate : public TEditParsed<fw::TDate> {
public:
    explicit TEditDate(QWidget* parent = nullptr, int textLimit = 0);

protected:
    fw::TDate Parse(const std::string& text) override { return converter_.ParseDate(text); }
    std::string Format(const fw::TDate& date) override { return converter_.FormatDate(date, 0); }
    fw::TDate Fallback() const override { return fw::TDate::Today(); }
};
