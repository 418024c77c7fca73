// The installer's own message box (module MSGBOX): text, caption, an icon, one to three
// buttons with captions and an optional help button, made from the descriptions
// "DLGMSGBOX0"-"DLGMSGBOX4" (text 101, icon 102, buttons from 103). It answers the index of
// the pressed button.
//
// Headless runs: a responder on MessageBoxSeam answers the button index in place of the box.
#pragma once

#include "installer/support/DialogBox.h"

#include <string>
#include <vector>

class QWidget;

namespace kw {

struct MessageBoxRequest {
    std::string caption;
    std::string text;
    std::vector<std::string> buttons; // captions, help button not included
    int defaultButton = -1;
    bool help = false;
    int icon = 0; // the standard icon flag (16, 32, 48, 64), 0 for none or a named icon
    std::string templateName;
};
using MessageBoxSeam = fw::ModalSeam<struct KwMessageBoxTag, int(const MessageBoxRequest&)>;

class MessageBoxDialog : public Dialog {
public:
    enum { kMaxButtons = 3, kCaptionSize = 20 };
    enum ButtonSet { kOk = 0, kOkCancel = 1, kYesNo = 4, kRetryCancel = 5 };
    enum { kIconHand = 16, kIconQuestion = 32, kIconExclamation = 48, kIconAsterisk = 64 };

    void SetText(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;
    void SetStandardIcon(int flag);
    void SetIcon(const char* name); // a picture of the language package
    void SetButtons(int type);      // captions from language strings 76-80
    void SetButtons1(const char* a);
    void SetButtons2(const char* a, const char* b);
    void SetButtons3(const char* a, const char* b, const char* c);
    void SetDefaultButton(int index) { default_ = index; }
    void SetHelpButton(int context);

    // Modal or modeless over the top of the window stack; the pressed button's index, -1 when
    // the box cannot be made. An empty caption is language string 81.
    int Run(const char* caption, bool centred = true, bool modal = true);
    int RunWithOwner(QWidget* owner, const char* caption, bool centred = true, bool modal = true);

    std::string TemplateName() const;
    MessageBoxRequest Request() const;
    intptr_t DialogProc(unsigned message, uintptr_t wparam, intptr_t lparam) override;

private:
    void Layout();
    std::string text_;
    std::string caption_;
    int icon_ = 0;
    std::string iconName_;
    std::vector<std::string> buttons_;
    int default_ = -1;
    bool help_ = false;
    int helpContext_ = 0;
    bool centred_ = true;
};

} // namespace kw
