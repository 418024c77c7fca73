// A single-line edit control with a text limit and a hook for losing the focus, which the
// program's validated fields use to rewrite their text.
#pragma once

#include <functional>
#include <string>

#include <QLineEdit>

namespace fw {

class Edit : public QLineEdit {
public:
    explicit Edit(QWidget* parent = nullptr, int textLimit = 0);

    void SetTextLimit(int limit); // 0: no limit
    int GetTextLimit() const { return textLimit_; }
    std::string GetText() const { return text().toStdString(); }
    void SetText(const std::string& t) { setText(QString::fromStdString(t)); }
    // Integer in the text, or 'fallback' when the text is no integer.
    int GetInt(int fallback = 0, bool* ok = nullptr) const;
    void SetInt(int value) { setText(QString::number(value)); }

    // Runs the focus-leaving step as the user leaving the field would (tests, dialogs).
    void LoseFocus();
    // Called after the focus-leaving step (the window's EN_KILLFOCUS notification).
    void SetKillFocusNotify(std::function<void()> notify) { killFocusNotify_ = std::move(notify); }

protected:
    // Called after the control has lost the keyboard focus.
    virtual void EvKillFocus() {}
    void focusOutEvent(QFocusEvent* event) override;

private:
    int textLimit_ = 0;
    std::function<void()> killFocusNotify_;
};

}  // namespace fw
