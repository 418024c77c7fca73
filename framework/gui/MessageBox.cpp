#include "framework/gui/MessageBox.h"
#include "framework/gui/Headless.h"

#include <QMessageBox>
#include <QPushButton>
#include <QString>

#include <utility>

namespace fw {

namespace {

struct ButtonDef {
    QMessageBox::StandardButton button;
    int id;
};

std::vector<ButtonDef> ButtonsOf(unsigned style)
{
    switch (style & 0x0F) {
    case MB_OKCANCEL: return {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_ABORTRETRYIGNORE:
        return {{QMessageBox::Abort, IDABORT}, {QMessageBox::Retry, IDRETRY},
                {QMessageBox::Ignore, IDIGNORE}};
    case MB_YESNOCANCEL:
        return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO},
                {QMessageBox::Cancel, IDCANCEL}};
    case MB_YESNO: return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
    case MB_RETRYCANCEL: return {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
    default: return {{QMessageBox::Ok, IDOK}};
    }
}

std::size_t DefaultIndex(unsigned style, std::size_t count)
{
    std::size_t index = (style >> 8) & 0x0F;
    return index < count ? index : 0;
}

} // namespace

int DefaultMessageBoxAnswer(unsigned style)
{
    auto buttons = ButtonsOf(style);
    return buttons[DefaultIndex(style, buttons.size())].id;
}

int MessageBox(QWidget* parent, const std::string& text, const std::string& title, unsigned style)
{
    MessageBoxCall call{title.empty() ? std::string("Error") : title, text, style};
    if (auto& answer = MessageBoxSeam::Current())
        return answer(call);
    if (IsHeadless()) {
        ReportHeadlessModal("message box \"" + call.title + "\": " + call.text);
        for (const auto& b : ButtonsOf(style))
            if (b.id == IDCANCEL || b.id == IDNO) return b.id;
        return DefaultMessageBoxAnswer(style);
    }

    QMessageBox box(parent);
    box.setWindowTitle(QString::fromStdString(call.title));
    box.setText(QString::fromStdString(call.text));
    switch (style & 0xF0) {
    case MB_ICONHAND: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONEXCLAMATION: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    auto buttons = ButtonsOf(style);
    QMessageBox::StandardButtons set;
    for (const auto& b : buttons) set |= b.button;
    box.setStandardButtons(set);
    box.setDefaultButton(buttons[DefaultIndex(style, buttons.size())].button);
    int pressed = box.exec();
    for (const auto& b : buttons)
        if (pressed == b.button) return b.id;
    // Closed without a button (Escape on a box without Cancel): the box's escape answer.
    for (const auto& b : buttons)
        if (b.id == IDCANCEL || b.id == IDNO) return b.id;
    return buttons.front().id;
}

ScriptedMessageBoxes::ScriptedMessageBoxes(std::vector<int> answers)
    : answers_(std::move(answers)),
      responder_([this](const MessageBoxCall& call) {
          calls_.push_back(call);
          if (next_ < answers_.size()) return answers_[next_++];
          return DefaultMessageBoxAnswer(call.style);
      })
{
}

}  // namespace fw
