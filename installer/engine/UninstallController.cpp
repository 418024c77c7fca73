#include "installer/engine/UninstallController.h"

#include "framework/sys/DesktopAssociation.h"
#include "framework/sys/WinFileSystem.h"
#include "framework/sys/WinRoot.h"
#include "framework/sys/WinProfile.h"
#include "installer/engine/InstallOperations.h"
#include "installer/engine/MoveRequest.h"
#include "installer/engine/UndoDialog.h"
#include "installer/support/CheckFailed.h"
#include "installer/support/FilePath.h"
#include "installer/support/IniFile.h"
#include "installer/support/LanguageLibrary.h"
#include "installer/support/LanguageTable.h"
#include "installer/support/MessageBoxDialog.h"
#include "installer/support/PathBuffer.h"
#include "installer/support/RegKey.h"
#include "installer/support/OsInfo.h"
#include "installer/support/ResString.h"
#include "installer/support/TickTimer.h"

#include <algorithm>
#include <cstdio>
#include <sys/stat.h>

namespace kw {

namespace {
const char kWinIni[] = "win.ini";
const char kHandOverSection[] = "KWMAIN";
// A step time beyond this is a damaged header, not a wish to wait: each record would hold
// the uninstaller for hours.
constexpr uint32_t kMaxStepMilliseconds = 5000;



std::string ModuleFile()
{
    PathBuffer path;
    return ModuleFileName(path) ? path.Text() : std::string();
}

// The installer's operations as the uninstaller uses them: nothing is logged, and the
// questions of a record's undo are put to the user in the installer's own message box.
class UndoingOperations : public InstallOperations {
public:
    UndoingOperations() { AttachLog(NullLogSink()); }
    int Ask(const char* text, const char* caption, const char* first, const char* second,
            int defaultAnswer) override
    {
        MessageBoxDialog box;
        box.SetText("%s", text ? text : "");
        box.SetStandardIcon(MessageBoxDialog::kIconQuestion);
        if (first && second) box.SetButtons2(first, second);
        else box.SetButtons(MessageBoxDialog::kYesNo);
        box.SetDefaultButton(defaultAnswer == 1 ? 0 : 1);
        return box.Run(caption) == 0 ? 1 : 2;
    }
    bool DeleteFile(const char* path) override
    {
        // The file type and desktop entry that an installed program registers for itself
        // would point at nothing: they go with the program.
        std::string host;
        struct stat st {};
        const fw::WinRoot* root = fw::WinRoot::Current();
        const bool program = root && root->ToHost(path, host) && ::lstat(host.c_str(), &st) == 0 &&
                             S_ISREG(st.st_mode) && (st.st_mode & S_IXUSR);
        if (!InstallOperations::DeleteFile(path)) return false;
        if (program) fw::DesktopAssociation::UnregisterProgram(host);
        return true;
    }
};
} // namespace

UninstallController::UninstallController(const char* programDirectory)
    : programDirectory_(programDirectory ? programDirectory : "")
{
    // "X:\" names the drive root as "X:" does.
    if (programDirectory_.size() == 3 && programDirectory_[1] == ':' &&
        (programDirectory_[2] == '\\' || programDirectory_[2] == '/'))
        programDirectory_.resize(2);
}

UninstallController::~UninstallController() { Finish(); }

void UninstallController::Finish() { contents_.records.clear(); }

bool UninstallController::HasPendingUndo() const
{
    return std::any_of(contents_.records.begin(), contents_.records.end(),
                       [](const OpLogRecordPtr& r) { return r->Choice() == kChoiceUndo; });
}

int UninstallController::DoneCount() const
{
    return static_cast<int>(std::count_if(contents_.records.begin(), contents_.records.end(), [](const OpLogRecordPtr& r) {
        return r->Choice() == kChoiceUndone || r->Choice() == kChoiceFailed || r->Choice() == kChoiceKept;
    }));
}

std::vector<std::string> UninstallController::CompanionNames() const
{
    const char* code = LanguageCode(contents_.header.languageIndex);
    return {NumberedLogName(logNumber_), std::string("kw") + code + ".dll", "kuuser.dll"};
}

// ---- Init ------------------------------------------------------------------------------------

bool UninstallController::Init()
{
    stage_ = IsBareDrive(programDirectory_.c_str()) ? 2 : 1;
    if (stage_ == 2) {
        char back[kProfileTextSize] = {};
        if (!GetProfileText(kWinIni, kHandOverSection, "b", back, "") || !back[0]) {
            Report("Back dir is undefined");
            return false;
        }
        backDirectory_ = back;
        DeleteProfileSection(kWinIni, kHandOverSection);
        logNumber_ = 0;
        // Stage 1 moved the log to this drive root with the other companions; a log still in
        // the back directory is read from there.
        logPath_ = JoinedPath(programDirectory_, NumberedLogName(0));
        if (!fw::WinFileSystem::Exists(logPath_)) logPath_ = JoinedPath(backDirectory_, NumberedLogName(0));
    } else {
        backDirectory_ = programDirectory_;
        int count = 0;
        while (count < kMaxLogs && fw::WinFileSystem::Exists(JoinedPath(programDirectory_, NumberedLogName(count)))) ++count;
        if (count == 0) {
            Report("No log file");
            return false;
        }
        logNumber_ = count - 1;
        logPath_ = JoinedPath(programDirectory_, NumberedLogName(logNumber_));
    }
    if (!ReadLog()) return false;
    if (stage_ == 2 || logNumber_ > 0) return true;
    HandOver();
    return false; // this instance ends; the copy at the drive root goes on
}

bool UninstallController::ReadLog()
{
    if (!LoadOpLog(logPath_.c_str(), contents_)) return false;
    // The language names a package; an index outside the table is damage, not a language.
    if (contents_.header.languageIndex < 0 || contents_.header.languageIndex >= kLanguageCount) {
        contents_.records.clear();
        Report("Log file contains bad data");
        return false;
    }
    productName_ = contents_.header.productName.Text();
    uint32_t& step = contents_.header.stepMilliseconds;
    step = std::min(step, kMaxStepMilliseconds);
    return true;
}

bool UninstallController::MoveCompanions(const std::string& from, const std::string& to, bool reportMissing)
{
    std::vector<std::string> moved;
    const std::vector<std::string> names = CompanionNames();
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string source = JoinedPath(from, names[i]);
        const bool optional = i == 2; // "kuuser.dll" is moved when it is there
        if (!fw::WinFileSystem::Exists(source)) {
            if (optional || !reportMissing) continue;
            Report("%s not found", source.c_str());
        } else if (fw::WinFileSystem::MoveFileEx(source, JoinedPath(to, names[i]), fw::kMoveReplaceExisting)) {
            moved.push_back(names[i]);
            continue;
        } else {
            Report("Unable to move %s", source.c_str());
        }
        for (const std::string& name : moved) fw::WinFileSystem::MoveFile(JoinedPath(to, name), JoinedPath(from, name));
        return false;
    }
    return true;
}

bool UninstallController::HandOver()
{
    const std::string root = programDirectory_.substr(0, 2); // "X:"
    if (!fw::WinProfile::WriteString(kWinIni, kHandOverSection, "b", programDirectory_.c_str())) {
        Report("Unable to write %s", kWinIni);
        return false;
    }
    if (!MoveCompanions(programDirectory_, root, true)) {
        DeleteProfileSection(kWinIni, kHandOverSection);
        return false;
    }
    MoveRequest request;
    request.file = ModuleFile();
    request.target = root;
    request.execute = 1;
    if (!LaunchMover(request)) {
        Report("Unable to launch movexe");
        MoveCompanions(root, programDirectory_, false);
        DeleteProfileSection(kWinIni, kHandOverSection);
        return false;
    }
    return true;
}

// ---- Run -------------------------------------------------------------------------------------

int UninstallController::Run()
{
    int result = kCancelled;
    const std::string library = JoinedPath(programDirectory_, CompanionNames()[1]);
    if (!LanguageLibrary::Instance().LoadFile(library.c_str())) {
        Report("Unable to load language DLL");
    } else {
        result = ShowDialogs();
        LanguageLibrary::Instance().Free();
    }
    if (result == kFinished) EndSucceeded();
    else EndFailed();
    return result == kFinished ? 1 : 0;
}

int UninstallController::ShowDialogs()
{
    int mode = contents_.header.dialogMode;
    if (mode < UndoDialog::kSimple || mode > UndoDialog::kUnattended) mode = UndoDialog::kSimple;
    for (;;) {
        UndoDialog dialog(*this, mode);
        int result = dialog.Show();
        if (result != UndoDialog::kSwitch) return result;
        mode = mode == UndoDialog::kSimple ? UndoDialog::kAdvanced : UndoDialog::kSimple;
    }
}

bool UninstallController::Undo(UndoDialog& dialog, bool confirm)
{
    std::vector<OpLogRecordPtr>& records = contents_.records;
    int last = static_cast<int>(records.size()) - 1;
    while (last >= 0 && records[static_cast<size_t>(last)]->Choice() != kChoiceUndo) --last;
    if (last < 0) return false;
    if (confirm && !restart_) {
        MessageBoxDialog box;
        box.SetText("%s", FormatWithValues(ResText(154).c_str(), {productName_}).c_str());
        box.SetStandardIcon(MessageBoxDialog::kIconQuestion);
        box.SetButtons(MessageBoxDialog::kYesNo);
        if (box.Run(ResText(155).c_str()) != 0) return false;
    }
    restart_ = true;
    runState_ = kRunning;
    cancelRequested_ = false;
    dialog.UndoStarted();
    UndoingOperations operations;
    for (int i = last; i >= 0; --i) {
        OpLogRecord& record = *records[static_cast<size_t>(i)];
        if (record.Choice() != kChoiceUndo) continue;
        TickTimer step;
        step.Start(contents_.header.stepMilliseconds);
        dialog.Announce(i);
        switch (record.Undo(operations)) {
        case UndoResult::kUndone: record.SetChoice(kChoiceUndone); break;
        case UndoResult::kKept: record.SetChoice(kChoiceKept); break;
        case UndoResult::kFailed: record.SetChoice(kChoiceFailed); break;
        }
        dialog.Progress(i);
        step.WaitPumping();
        if (cancelRequested_) break;
    }
    runState_ = cancelRequested_ && HasPendingUndo() ? kCancelled : kFinished;
    cancelRequested_ = false;
    dialog.UndoEnded();
    return true;
}

// ---- the ends ------------------------------------------------------------------------------

void UninstallController::EndSucceeded()
{
    if (stage_ == 1) {
        fw::WinFileSystem::DeleteFile(logPath_);
        return;
    }
    // The product's uninstall entry: the one that starts this uninstaller, under whichever
    // name the installer gave it (the product's, or the script's own), and never another's.
    const std::string uninstaller = fw::WinFileSystem::FullPath(JoinedPath(backDirectory_, "kwmain"));
    const RegKey list(RegKey::kLocalMachine, UninstallListKeyPath().c_str());
    for (int n = list.CountSubkeys() - 1; n >= 0; --n) {
        RegKey entry;
        char command[kPathSize * 2] = {};
        if (list.SubkeyAt(n, entry) && entry.QueryString("UninstallString", command, sizeof command) &&
            SamePath(fw::WinFileSystem::FullPath(command).c_str(), uninstaller.c_str())) {
            UndoingOperations operations;
            operations.DeleteRegKey(entry);
        }
    }
    for (const std::string& name : CompanionNames()) {
        const std::string path = JoinedPath(programDirectory_, name);
        if (fw::WinFileSystem::Exists(path)) fw::WinFileSystem::DeleteFile(path);
    }
    if (fw::WinFileSystem::Exists(logPath_)) fw::WinFileSystem::DeleteFile(logPath_);
    MoveRequest request;
    request.file = ModuleFile();
    if (!LaunchMover(request)) Report("Unable to launch movexe");
}

void UninstallController::EndFailed()
{
    KeepRemainingRecords();
    if (stage_ == 1) return;
    MoveCompanions(programDirectory_, backDirectory_, false);
    MoveRequest request;
    request.file = ModuleFile();
    request.target = backDirectory_;
    if (!LaunchMover(request)) Report("Unable to launch movexe");
}

bool UninstallController::KeepRemainingRecords()
{
    // The log is written again without the records settled in this run (undone, or kept at
    // the user's word), so that the next run neither repeats them (a deleted INI entry
    // inserted twice, a question answered twice) nor misses the rest.
    const std::vector<OpLogRecordPtr>& records = contents_.records;
    auto settled = [](const OpLogRecordPtr& r) { return r->Choice() == kChoiceUndone || r->Choice() == kChoiceKept; };
    if (std::none_of(records.begin(), records.end(), settled)) return true;
    if (std::all_of(records.begin(), records.end(), settled)) return fw::WinFileSystem::DeleteFile(logPath_);
    MemorySink sink;
    PortableWriter writer(sink, false);
    bool ok = contents_.header.Write(writer);
    for (const OpLogRecordPtr& r : records)
        if (ok && !settled(r)) ok = r->Write(writer);
    // Replaced whole: the old log stays intact when the new one cannot be written.
    return ok && fw::WinFileSystem::ReplaceFile(logPath_, sink.Bytes());
}

} // namespace kw
