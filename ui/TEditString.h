// Plain text member of the edit-field family.
#pragma once

#include "framework/gui/Edit.h"

#include <string>

class TEditString : public fw::Edit {
public:
    explicit TEditString(QWidget* parent = nullptr, int textLimit = 0) : fw::Edit(parent, textLimit) {}

    // The window text, at most the text limit.
    std::string GetText()
    {
        text_ = fw::Edit::GetText();
        if (GetTextLimit() > 0 && static_cast<int>(text_.size()) > GetTextLimit())
            text_.resize(static_cast<std::size_t>(GetTextLimit()));
        return text_;
    }
    void SetText(const std::string& text)
    {
        text_ = text;
        fw::Edit::SetText(text);
    }

private:
    std::string text_;
};
