// Validated edit field of a calendar date.
#pragma once

#include "framework/gui/Edit.h"
#include "ui/TextConvert.h"

class TEditDate : public Edit {
public:
    explicit TEditDate(QWidget* parent = nullptr, int textLimit = 0);

    // Reads and parses the text; a bad entry shows the error and gives the current date.
    TDate GetValue();
    void SetValue(const TDate& date);
    const std::string& CurrentText() const { return text_; }

protected:
    void EvKillFocus() override { SetValue(GetValue()); }

private:
    TextConvert converter_;
    std::string text_;
    TDate value_;
    std::string error_;
};
