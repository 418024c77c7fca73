// The input box: a caption, a prompt and one edit field with a starting text. It is a
// Dialog, so tests answer it like any other (the edit is control kEditId).
#pragma once

#include <string>

#include "framework/gui/Dialog.h"

namespace fw {

class InputDialog : public Dialog {
public:
    static constexpr int kPromptId = 4091;
    static constexpr int kEditId = 4096;

    InputDialog(QWidget* parent, const std::string& title, const std::string& prompt,
                const std::string& text, int textLimit = 0);
    // The text after OK.
    const std::string& Text() const { return text_; }

protected:
    void SetupWindow() override;
    void CmOk() override;

private:
    std::string text_;
};

// Runs an input box; on OK the text is replaced and IDOK returned, otherwise IDCANCEL and the
// text is unchanged.
int InputBox(QWidget* parent, const std::string& title, const std::string& prompt,
             std::string& text, int textLimit = 0);

}  // namespace fw
