// Message boxes, all through one function, so that tests can answer them without a window.
#pragma once

#include <string>
#include <vector>

#include "framework/gui/Responder.h"

class QWidget;

namespace fw {

// Buttons of a message box (low four bits of the style).
constexpr unsigned MB_OK = 0x00;
constexpr unsigned MB_OKCANCEL = 0x01;
constexpr unsigned MB_ABORTRETRYIGNORE = 0x02;
constexpr unsigned MB_YESNOCANCEL = 0x03;
constexpr unsigned MB_YESNO = 0x04;
constexpr unsigned MB_RETRYCANCEL = 0x05;
// Icon (next four bits).
constexpr unsigned MB_ICONHAND = 0x10;
constexpr unsigned MB_ICONSTOP = MB_ICONHAND;
constexpr unsigned MB_ICONERROR = MB_ICONHAND;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONEXCLAMATION = 0x30;
constexpr unsigned MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr unsigned MB_ICONINFORMATION = 0x40;
constexpr unsigned MB_ICONASTERISK = MB_ICONINFORMATION;
// Default button (which of the buttons the Enter key presses).
constexpr unsigned MB_DEFBUTTON1 = 0x000;
constexpr unsigned MB_DEFBUTTON2 = 0x100;
constexpr unsigned MB_DEFBUTTON3 = 0x200;
// Modality: accepted and ignored (every box is application-modal here).
constexpr unsigned MB_APPLMODAL = 0x0000;
constexpr unsigned MB_SYSTEMMODAL = 0x1000;
constexpr unsigned MB_TASKMODAL = 0x2000;

// Answers of a message box; the same numbers as the dialog command ids OK (1) and Cancel (2).
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;
constexpr int IDHELP = 9;

// One call of MessageBox as a responder sees it.
struct MessageBoxCall {
    std::string title;
    std::string text;
    unsigned style = MB_OK;
};

// Shows a message box with the text, the title (empty: "Error", as the platform does) and the
// style, and returns the id of the button that closed it. With a responder installed, the
// responder answers instead and no window appears.
int MessageBox(QWidget* parent, const std::string& text, const std::string& title,
               unsigned style = MB_OK);

// The seam MessageBox asks first; its responder returns the id of the button pressed.
using MessageBoxSeam = ModalSeam<struct MessageBoxTag, int(const MessageBoxCall&)>;

// For tests: while it lives, every message box is recorded and answered from a script of
// answers (in order); when the script runs out, the default button's id is returned
// (OK for MB_OK and MB_OKCANCEL, Yes for MB_YESNO...).
class ScriptedMessageBoxes {
public:
    explicit ScriptedMessageBoxes(std::vector<int> answers = {});
    ScriptedMessageBoxes(const ScriptedMessageBoxes&) = delete;
    ScriptedMessageBoxes& operator=(const ScriptedMessageBoxes&) = delete;

    void Answer(int id) { answers_.push_back(id); }
    const std::vector<MessageBoxCall>& Calls() const { return calls_; }
    int Count() const { return static_cast<int>(calls_.size()); }
    const MessageBoxCall& Last() const { return calls_.back(); }
    void Clear() { calls_.clear(); }

private:
    std::vector<int> answers_;
    std::size_t next_ = 0;
    std::vector<MessageBoxCall> calls_;
    Responder<MessageBoxSeam> responder_;
};

// The id that the default button of a style gives.
int DefaultMessageBoxAnswer(unsigned style);

}  // namespace fw
