// Validated edit field of a time of day.
#pragma once

#include "framework/gui/Edit.h"
#include "ui/TextConvert.h"

class TEditTime : public Edit {
public:
    explicit TEditTime(QWidget* parent = nullptr, int textLimit = 0);

    // Reads and parses the text; a bad entry shows the error and gives the null time.
    TTime GetValue();
    void SetValue(const TTime& time);
    const std::string& CurrentText() const { return text_; }

protected:
    void EvKillFocus() override { SetValue(GetValue()); }

private:
    TextConvert converter_;
    std::string text_;
    TTime value_;
    std::string error_;
};
