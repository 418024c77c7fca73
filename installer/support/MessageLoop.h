// The installer's one message loop. Waits of the installer (launching, ticks, copying, DDE)
// keep its windows alive through Pump(true). Modeless dialogs (at most 20) and the
// accelerator table are registered here; with Qt the dialogs' keyboard handling is their own,
// so the registration records which windows are live.
#pragma once

#include <string>

class QWidget;

namespace kw {

class MessageLoop {
public:
    enum { kMaxModeless = 20 };
    static MessageLoop& Instance();

    void AddModeless(QWidget* window);    // ignored when 20 are registered
    void RemoveModeless(QWidget* window); // the first equal entry; the gap is closed
    int ModelessCount() const { return modelessCount_; }
    QWidget* ModelessAt(int i) const;

    void SetAccelerators(QWidget* window, const std::string& tableName);
    QWidget* AcceleratorWindow() const { return accelWindow_; }
    const std::string& AcceleratorTable() const { return accelTable_; }

    // Runs until the application quits; the exit code.
    int Run();
    // Handles the waiting events (Qt delivers every waiting event in one pass, so all has
    // no narrower form); true when any was handled.
    bool Pump(bool all);

private:
    QWidget* modeless_[kMaxModeless] = {};
    int modelessCount_ = 0;
    QWidget* accelWindow_ = nullptr;
    std::string accelTable_;
};

}  // namespace kw
