// The installer's progress window ("DLGPROG", modeless): a title, three text lines (101-103),
// a gauge (104) and an optional icon (105). Cancel, OK and closing the window set the
// caller's cancel flag.
#pragma once

#include "installer/support/DialogBox.h"
#include "installer/support/InstallerGauge.h"

class QWidget;

namespace kw {

class ProgressDialog : public Dialog {
public:
    explicit ProgressDialog(bool* cancelFlag = nullptr, QWidget* owner = nullptr)
        : cancel_(cancelFlag), owner_(owner) {}
    ~ProgressDialog() override { DestroyWindow(); }

    void SetIcon(const char* pictureName) { icon_ = pictureName ? pictureName : ""; }
    void SetBarColour(uint32_t colour) { gauge_.SetColour(colour); }
    bool Create();
    void SetTitle(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void SetLine1(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void SetLine2(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void SetLine3(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void SetPercent(int n) { gauge_.SetPercent(n); }
    const Gauge& GaugeControl() const { return gauge_; }
    intptr_t DialogProc(unsigned message, uintptr_t wparam, intptr_t lparam) override;

private:
    void SetLine(int id, const char* text);
    bool* cancel_;
    QWidget* owner_;
    std::string icon_;
    Gauge gauge_{0x00808080};
};

// A message window that stays while work goes on ("DLGMSGDLG": text 101, icon 102, OK 1),
// shown at least for a minimum time once asked.
class ModelessMessage : public Dialog {
public:
    ~ModelessMessage() override { DestroyWindow(); }
    void SetOwner(QWidget* owner) { owner_ = owner; }
    void SetPosition(int x, int y) { x_ = x, y_ = y, centred_ = false; }
    void SetCaption(const char* caption) { caption_ = caption ? caption : ""; }
    void SetStandardIcon(int flag) { icon_ = flag; }
    void ShowOkButton(bool show) { showOk_ = show; }
    void SetMinimumTime(uint32_t ms) { minimumMs_ = ms; }
    bool Show();
    void SetText(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // Waits, keeping the windows alive, until the minimum time has passed; then destroys it.
    void Close();
    bool ClosedByUser() const { return closedByUser_; }
    intptr_t DialogProc(unsigned message, uintptr_t wparam, intptr_t lparam) override;

private:
    QWidget* owner_ = nullptr;
    bool centred_ = true;
    int x_ = 0, y_ = 0;
    std::string caption_;
    std::string text_;
    int icon_ = 0;
    bool showOk_ = false;
    uint32_t minimumMs_ = 0;
    uint32_t shownAt_ = 0;
    bool closedByUser_ = false;
};

} // namespace kw
