// The uninstaller: kwmain started without "kwmain.ini" beside it. It reads the newest
// operation log of its directory ("kwlog3.000" upward) and undoes its records, newest first,
// under the user's control, then removes its traces.
//
// It runs in two stages. Stage 1 runs from the back directory where the installer left it. A
// log above 000 is undone there and deleted. Log 000 removes the back directory itself, so for
// it stage 1 moves the log and the language package to the root of its drive, notes the back
// directory in win.ini ("KWMAIN", "b") and has the mover start a copy of the program at that
// drive root; that copy (stage 2) undoes log 000, and then has the mover delete it, or move it
// back into the back directory when the uninstall did not end.
//
// A log that was only partly undone (cancelled, or closed while records were pending) is
// written again without the records that were undone or kept, so that a later run settles
// each change once; a log with nothing left is deleted.
#pragma once

#include "installer/engine/Controller.h"
#include "installer/engine/OpLog.h"

#include <string>
#include <vector>

namespace kw {

class UndoDialog;

class UninstallController : public Controller {
public:
    // Run states.
    enum { kNotStarted = 0, kFinished = 1, kCancelled = 2, kRunning = 3 };
    enum { kMaxLogs = 1000, kPathSize = 128 };

    // The program's own directory, a Windows path ("C:\Stellum\Uninstall", or "C:" for the
    // copy at a drive root).
    explicit UninstallController(const char* programDirectory);
    explicit UninstallController(const std::string& programDirectory)
        : UninstallController(programDirectory.c_str()) {}
    ~UninstallController();
    UninstallController(const UninstallController&) = delete;
    UninstallController& operator=(const UninstallController&) = delete;

    // Finds and reads the log; false ends the program (after a report, or after the handover
    // of log 000 to the copy at the drive root).
    bool Init() override;
    // Loads the language package, shows the dialogs, and ends the run: true when the uninstall
    // ran to its end.
    int Run() override;
    // Frees the records.
    void Finish() override;

    int Stage() const { return stage_; }
    const std::string& ProgramDirectory() const { return programDirectory_; }
    const std::string& BackDirectory() const { return backDirectory_; }
    const std::string& LogPath() const { return logPath_; }
    const OpLogHeader& Header() const { return contents_.header; }
    const std::string& ProductName() const { return productName_; }
    std::vector<OpLogRecordPtr>& Records() { return contents_.records; }

    // What the dialogs drive.
    int RunState() const { return runState_; }
    void RequestCancel() { cancelRequested_ = true; }
    bool CancelRequested() const { return cancelRequested_; }
    // Records still chosen for undo.
    bool HasPendingUndo() const;
    // Records undone so far, successfully or not.
    int DoneCount() const;
    // The undo from the last record chosen for undo down to the first, asking first (language
    // strings 154 and 155) unless it ran before or the dialog needs no confirmation. False
    // when nothing was started.
    bool Undo(UndoDialog& dialog, bool confirm);

private:
    bool ReadLog();
    bool HandOver();
    bool MoveCompanions(const std::string& from, const std::string& to, bool reportMissing);
    std::vector<std::string> CompanionNames() const;
    int ShowDialogs();
    void EndSucceeded();
    void EndFailed();
    bool KeepRemainingRecords();

    int stage_ = 1;
    std::string programDirectory_;
    std::string backDirectory_;
    std::string logPath_;
    int logNumber_ = 0;
    std::string productName_;
    OpLogContents contents_;
    int runState_ = kNotStarted;
    bool cancelRequested_ = false;
    bool restart_ = false;
};

} // namespace kw
