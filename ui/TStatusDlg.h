// The status window: the one progress window of the planner. Long operations write message
// lines into its list and move its percentage bar; it pumps waiting messages after each line
// and bar step so that the program stays responsive, and copies the lines to "status.txt".
#pragma once

#include <cstdint>
#include <fstream>
#include <string>

#include "framework/gui/Dialog.h"

namespace fw { class Gauge; }
namespace fw { class ListBox; }
class QLabel;

class TStatusDlg : public fw::Dialog {
public:
    static constexpr int kListId = 422;
    static constexpr int kPlaceholderId = 423;
    static constexpr int kHideId = 2;
    static constexpr int kMaxLines = 1000;
    static constexpr int kResourceId = 14;

    // The window is made hidden; logPath is the file every logged line goes to, opened
    // now and emptied (a relative name is in the current directory).
    explicit TStatusDlg(QWidget* parent = nullptr, const std::string& logPath = "status.txt");
    ~TStatusDlg() override;

    // Adds a message line (shown first when show is true), logs it, keeps the list at no
    // more than kMaxLines lines and pumps waiting messages.
    void Message(const std::string& text, bool show = true);
    // Shows the window and adds the line; no logging, no line cap, no pumping.
    void AddLine(const std::string& text);
    void ShowAndActivate();
    // Shows the window, sets the bar, remembers the percentage and pumps waiting messages.
    void SetProgress(std::uint32_t percent);
    // The same without pumping.
    void SetGauge(std::uint32_t percent);
    // Progress of item i of n: moves the bar when i * 100 / n exceeds the last percentage
    // shown by more than step.
    void StepProgress(std::uint32_t i, std::uint32_t n, std::uint32_t step);
    // Hides the window unless it is pinned open.
    void HideUnlessPinned();

    void SetLogging(bool on) { logging_ = on; }
    bool IsLogging() const { return logging_; }
    void SetKeepOpen(bool on) { keepOpen_ = on; }
    bool IsKeepOpen() const { return keepOpen_; }
    std::uint32_t LastPercentage() const { return lastPercentage_; }

    fw::ListBox* List() const { return list_; }
    fw::Gauge* GetGaugeControl() const { return gauge_; }
    int LineCount() const;
    std::string Line(int index) const;

protected:
    void SetupWindow() override;
    // The HIDE button.
    void CmCancel() override;
    // A caption that an operation gave the window lasts while the window is shown: hidden, it
    // takes its own caption back for the next operation.
    void hideEvent(QHideEvent* event) override;

private:
    void Log(const std::string& text);

    fw::Gauge* gauge_ = nullptr;
    QLabel* placeholder_ = nullptr;
    fw::ListBox* list_ = nullptr;
    bool keepOpen_ = false;
    bool logging_ = false;
    std::uint32_t lastPercentage_ = 0;
    std::ofstream logFile_;
};

// The main window's set-up of the status window: deletes "status.txt" in the program
// directory, makes the window over the main window with logging on, its log in that same
// file, modeless and hidden, and keeps it in StatusWindow. The main window's destruction
// destroys it and StatusWindow becomes null again.
TStatusDlg* StartStatusWindow(QWidget* mainWindow);
// Destroys the status window now (when the main window does not) and clears StatusWindow.
void EndStatusWindow();

// The run-time library's text for its last error number.
std::string ErrnoText();
