// The install side of kwmain: reads its parameters from "kwmain.ini" beside it, loads the
// script, and runs it: the auxiliary files, the language package, the operation log, the
// install screen and help, the script's events, and at the end the log's numbered copy for
// the uninstaller. It is also the service provider of the event executors (files, Program
// Manager items, INI entries, programs, end modes, questions, the uninstaller ...).
#pragma once

#include "installer/engine/Controller.h"
#include "installer/engine/EventExecutors.h"
#include "installer/engine/InstallOperations.h"
#include "installer/engine/InstallerHost.h"
#include "installer/engine/OpLog.h"
#include "installer/engine/ScriptInstaller.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QWidget;

namespace kw {

class ProgressDialog;
class InstallScreen;
struct IniEntryRequest;
struct FileEntry;

// One file to install: where it comes from in the package and where it goes.
struct FileInstallRequest {
    std::string source;        // the packaged file (Windows path); a compressed one ends in "_"
    std::string target;        // the installed file
    bool compressed = false;
    long sizeBytes = 0;        // installed size, for the gauge
    int disk = 1;
    int policy = 0;            // 0 always, 1 only when the target exists, 2 only when it does
                               // not, 3 version block, 4 version stamp, 5 file time, 6 size
    int outcome = 0;           // 0-5: which answers of the policy copy
    int inUse = 0;             // 0 ask (replace at restart), 1 replace at restart, 2 ask, give up
    bool deferred = false;     // the policy judges the expanded file beside the target
    int bufferKb = 0;          // copy buffer in KB (0 or more than 31: 2)
    int retry = 1;
    int attributes = 0;        // 1 read-only, 2 hidden, 4 system
    int flags = 0;             // FileEntry::Flags
    uint16_t time[8] = {};     // the packaged file's time (UTC)
    uint32_t versionHigh = 0, versionLow = 0;
    bool logged = true;        // false: the install is not recorded in the operation log
};

class InstallController : public Controller, public InstallerHost {
public:
    // Media modes.
    enum { kSinglePlace = 0, kRemovableDisks = 1, kDiskDirectories = 2 };

    // programDirectory: the Windows directory holding this program and "kwmain.ini".
    explicit InstallController(std::string programDirectory);
    ~InstallController() override;

    bool Init() override;
    int Run() override;
    void Finish() override;

    int RunSequence();
    bool WrapUp(bool joinAllowed);
    bool LoadLanguageDll();
    int ShowCompletion(int kind);
    bool PromptForDisk(int index, bool force);
    bool RegisterUninstaller(ScriptEvent& event);
    bool InstallFile(const FileInstallRequest& request);
    bool InstallFileWithRetry(const FileInstallRequest& request);
    // A file group event (code 3): each selected file of the group, or its one transfer.
    bool InstallFileGroup(ScriptEvent& event, bool logged = true);
    // The same group into another target directory (the back directory, or one the user chose).
    bool InstallFileGroupInto(ScriptEvent& event, const std::string& directory, bool logged);
    // The end-mode service (code 8): kind 0-4, stop, show now; the loop's result.
    bool EndMode(int kind, bool stop, bool showNow, int& result);
    // The INI service (code 5): writes or deletes an entry as the request's mode asks.
    bool WriteIniEntry(const IniEntryRequest& request);
    bool ReadIniEntryExists(const IniEntryRequest& request);
    // The text-request service (code 0): 0 go on, 2 fail, 1 stop and install elsewhere.
    int Pause(const char* text, bool offerElsewhere);
    // The text-block service (code 11): a message box with the text, the style's buttons
    // (its low four bits) and icon (16, 32, 48 or 64), titled with the product name; the
    // pressed button, -1 when the box cannot be shown.
    int ShowTextBlock(const std::string& text, int style);
    // "DLGINSTSF": chosen file groups into a directory, not logged.
    bool InstallGroupsElsewhere();
    int SelectedSize();

    // InstallerHost.
    bool QueryAbort() override;
    std::string ProductName() const override;
    QWidget* DialogParent() override;
    void ShowHelp(int context) override;
    InstallOperations& Operations() override { return operations_; }
    ScriptInstaller& Script() override { return script_; }
    std::string TemporaryDirectory() const override;
    void SetStartFilesChanged() override { startFilesChanged_ = true; }

    // State, for the program's exit and for tests.
    int MediaMode() const { return mediaMode_; }
    const std::string& SourcePath() const { return sourcePath_; }
    const std::string& ProgramDirectory() const { return programDirectory_; }
    const std::string& BackDirectory() const { return backDirectory_; }
    const std::string& CommandLine() const { return commandLine_; }
    bool FileDeferred() const { return fileDeferred_; }
    bool StartFilesChanged() const { return startFilesChanged_; }
    bool SystemIniChanged() const { return systemIniChanged_; }
    int EndCode() const { return script_.EndCode(); }
    void SetDosRestart(bool on) { dosRestart_ = on; }
    // The path of the last numbered log that WrapUp kept or joined (empty: none).
    const std::string& KeptLog() const { return keptLog_; }

    // The status texts (strings 57, 43, 44, 201) and the message window of the screen.
    void ShowStatus(int which);
    void HideStatus();
    // The message window at a point (thousandths of the screen), shown at least minimumMs.
    void ShowMessage(const std::string& title, const std::string& text, int x = 500, int y = 500,
                     uint32_t minimumMs = 0);
    void HideMessage();

private:
    bool CreateScreen();
    void DestroyScreen();
    void AdvanceGauge(int kb);
    // The "Copying files" box closes once a file group is done: no later box stands over it.
    void CloseCopyingBox();
    bool InstallAuxiliaryFiles();
    std::string PackagedPath(int disk, const std::string& relative) const;
    void RegisterServiceExecutors();

    std::string programDirectory_;
    std::string sourcePath_;
    std::string commandLine_;
    int sizeFigure_ = 0;
    int mediaMode_ = kSinglePlace;
    int currentDisk_ = 0;
    bool fileDeferred_ = false;
    bool startFilesChanged_ = false;
    bool dosRestart_ = false;
    bool systemIniChanged_ = false;
    bool cancelled_ = false;
    bool joinLogs_ = false;
    long sizeToDo_ = 0;
    long sizeDone_ = 0;
    long fileSize_ = 0, fileDone_ = 0; // the file being copied, KB
    std::string backDirectory_;
    std::string keptLog_;

    InstallOperations operations_;
    OpLog log_;
    ScriptInstaller script_;
    ExecutorContext context_;
    std::unique_ptr<InstallScreen> screen_;
    std::unique_ptr<ProgressDialog> gauge_;
};

// The answer code of a copy policy (CopyPolicy::Code) that a file record's outcome 0-5 selects:
// 2, 3, 4, 5, 0, 1 in that order; anything else counts as 0.
int PolicyAnswerCode(int outcome);

// The packaged name of a compressed file: the last character of a three-letter (or longer)
// extension becomes "_", a shorter extension gets "_" appended, no extension gets "._".
std::string CompressedFileName(const std::string& name);

// Each part of a command that stands in double quotation marks becomes its short 8.3 form,
// the marks dropped, so that no path of the command holds a blank.
std::string ShortenQuotedParts(const std::string& command);

} // namespace kw
