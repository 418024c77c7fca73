// Base of the validated edit fields that hold a number (right ascension, declination, size,
// magnitude): the field reads its text through its own converter, reports a bad entry in a
// message box titled by its kind, and rewrites its text in the standard form of its kind when
// it loses the focus, so that 12 30, 12h30m and 12.5 all end up as the same text.
#pragma once

#include "framework/gui/Edit.h"
#include "ui/TextConvert.h"

#include <string>

class TEditValue : public Edit {
public:
    TEditValue(QWidget* parent, int textLimit, ValueKind kind, const char* errorTitle);

    // Reads and parses the text (at most 39 characters). A bad entry shows the converter's
    // error text and gives 0.0.
    double GetValue();
    // Shows the standard text of the value.
    void SetValue(double value);

    const std::string& CurrentText() const { return text_; }
    const std::string& ErrorText() const { return error_; }
    ValueKind Kind() const { return kind_; }

protected:
    void EvKillFocus() override;

    TextConvert converter_;
    std::string text_;
    double value_ = 0.0;
    std::string error_;

private:
    ValueKind kind_;
    const char* title_;
};

// Reads at most this many characters of a validated field's text.
constexpr int kValueFieldTextLength = 39;
