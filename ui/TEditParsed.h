// Base of the validated edit fields: the field reads its text through its own converter,
// reports a bad entry in a message box titled by its kind and then holds the kind's fallback
// value, and rewrites its text in the standard form of its kind when it loses the focus, so
// that 12 30, 12h30m and 12.5 all end up as the same text.
#pragma once

#include "framework/gui/Edit.h"
#include "framework/gui/MessageBox.h"
#include "ui/TextConvert.h"

#include <string>

// Reads at most this many characters of a validated field's text.
constexpr int kValueFieldTextLength = 39;

template <typename T>
class TEditParsed : public fw::Edit {
public:
    // Reads and parses the text (at most 39 characters). A bad entry shows the converter's
    // error text and gives the fallback value.
    T GetValue()
    {
        text_ = GetText().substr(0, kValueFieldTextLength);
        const T value = Parse(text_);
        if (converter_.GetError(error_)) {
            fw::MessageBox(this, error_, title_, fw::MB_OK | fw::MB_ICONEXCLAMATION);
            value_ = Fallback();
        } else {
            value_ = value;
        }
        return value_;
    }
    // Shows the standard text of the value.
    void SetValue(const T& value)
    {
        value_ = value;
        text_ = Format(value);
        SetText(text_);
    }

    const std::string& CurrentText() const { return text_; }
    // The error of the last reading ("" when it was good).
    const std::string& ErrorText() const { return error_; }
    // The title of the field's error box ("RA Input Error" ...).
    const char* ErrorTitle() const { return title_; }

protected:
    TEditParsed(QWidget* parent, int textLimit, ValueKind kind, const char* errorTitle)
        : fw::Edit(parent, textLimit), converter_(kind), title_(errorTitle)
    {
    }

    void EvKillFocus() override { SetValue(GetValue()); }

    // The kind's reading and standard text of a value, and the value a bad entry gives.
    virtual T Parse(const std::string& text) = 0;
    virtual std::string Format(const T& value) = 0;
    virtual T Fallback() const = 0;

    TextConvert converter_;
    std::string text_;
    T value_{};
    std::string error_;

private:
    const char* title_;
};
