// Validated edit field of a calendar date; a bad entry gives the current date.
#pragma once

#include "ui/TEditParsed.h"

class TEditDate : public TEditParsed<TDate> {
public:
    explicit TEditDate(QWidget* parent = nullptr, int textLimit = 0);

protected:
    TDate Parse(const std::string& text) override { return converter_.ParseDate(text); }
    std::string Format(const TDate& date) override { return converter_.FormatDate(date, 0); }
    TDate Fallback() const override { return TDate::Today(); }
};
