#include "installer/engine/InstallController.h"

#include "framework/sys/WinFileSystem.h"
#include "framework/sys/WinProfile.h"
#include "framework/sys/WinRoot.h"
#include "installer/engine/ComponentDialog.h"
#include "installer/engine/DialogExecutors.h"
#include "installer/engine/EngineStrings.h"
#include "installer/engine/GroupsElsewhereDialog.h"
#include "installer/engine/InstallScreen.h"
#include "installer/engine/ScriptEvent.h"
#include "installer/support/CheckFailed.h"
#include "installer/support/CopyPolicies.h"
#include "installer/support/CopyStreams.h"
#include "installer/support/FileCopyJob.h"
#include "installer/support/FilePath.h"
#include "installer/support/GroupLink.h"
#include "installer/support/HelpFile.h"
#include "installer/support/IniFile.h"
#include "installer/support/LanguageLibrary.h"
#include "installer/support/MessageBoxDialog.h"
#include "installer/engine/MoveRequest.h"
#include "framework/gui/FileDialog.h"
#include "installer/support/PortableStream.h"
#include "installer/support/MessageLoop.h"
#include "installer/support/OsInfo.h"
#include "installer/support/PathBuffer.h"
#include "installer/support/ProgressDialog.h"
#include "installer/support/RegKey.h"
#include "installer/support/ResString.h"
#include "installer/support/StdioFile.h"
#include "installer/engine/OpLogRecord.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <strings.h>
#include <vector>

namespace kw {

namespace {

// A language string with values in place of its "%s": a package's text never reaches a printf.
std::string Format(int id, const std::string& value)
{
    return FormatWithValues(ResText(id).c_str(), {value});
}

std::string LastComponent(const std::string& path)
{
    std::string p = path;
    while (p.size() > 3 && (p.back() == '\\' || p.back() == '/')) p.pop_back();
    const size_t at = p.find_last_of("\\/");
    return at == std::string::npos ? p : p.substr(at + 1);
}

// A copy policy on the target's existence alone.
class ExistencePolicy : public CopyPolicy {
public:
    ExistencePolicy(bool copyWhenExists) : CopyPolicy(kCopyIfSame), whenExists_(copyWhenExists) {}
    int Compare() override
    {
        const bool exists = Job() && PathExists(Job()->target.Text());
        return exists == whenExists_ ? 0 : 1;
    }

private:
    bool whenExists_;
};


// The progress of one file on the installer's gauge: the controller's counters advance with
// every chunk, and the gauge's cancel flag stops the copy.
class GaugeSink : public DefaultProgressSink {
public:
    GaugeSink(const bool* cancel, int bufferKb, std::function<void(int)> advance)
        : DefaultProgressSink(cancel), bufferKb_(bufferKb), advance_(std::move(advance)) {}
    int BufferKb() override { return bufferKb_; }
    bool Progress(int kb) override
    {
        if (advance_) advance_(kb);
        return DefaultProgressSink::Progress(kb);
    }

private:
    int bufferKb_;
    std::function<void(int)> advance_;
};

// The completion hooks of one copy (the version stamp and the shared-file count may both
// apply), called in the order they were added.
class HookChain : public CompletionHook {
public:
    void Add(std::unique_ptr<CompletionHook> hook) { hooks_.push_back(std::move(hook)); }
    void Completed() override
    {
        for (auto& hook : hooks_) {
            hook->SetJob(Job());
            hook->Completed();
        }
    }

private:
    std::vector<std::unique_ptr<CompletionHook>> hooks_;
};

} // namespace

std::string ShortenQuotedParts(const std::string& command)
{
    std::string out;
    for (size_t at = 0; at < command.size();) {
        if (command[at] != '"') {
            out += command[at++];
            continue;
        }
        const size_t end = command.find('"', at + 1);
        if (end == std::string::npos) {
            out += command.substr(at);
            break;
        }
        PathBuffer path;
        const std::string inner = command.substr(at + 1, end - at - 1);
        if (path.SetText(inner.c_str()) && ToShortPathName(path)) out += path.Text();
        else out += inner;
        at = end + 1;
    }
    return out;
}

int PolicyAnswerCode(int outcome)
{
    static const int kCodes[6] = {CopyPolicy::kCopyIfNewer, CopyPolicy::kCopyIfNewerOrSame,
                                  CopyPolicy::kCopyIfSame, CopyPolicy::kCopyIfDifferent,
                                  CopyPolicy::kCopyIfOlder, CopyPolicy::kCopyIfOlderOrSame};
    return kCodes[outcome >= 0 && outcome < 6 ? outcome : 0];
}

std::string CompressedFileName(const std::string& name)
{
    const size_t dot = name.rfind('.');
    const size_t slash = name.find_last_of("\\/");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return name + "._";
    // "stlm32.exe" is "stlm32.ex_", "index.html" is "index.htm_": only the last letter goes.
    if (name.size() - dot - 1 >= 3) return name.substr(0, name.size() - 1) + "_";
    return name + "_";
}

InstallController::InstallController(std::string programDirectory)
    : programDirectory_(std::move(programDirectory))
{
    RegisterEngineStrings();
}

InstallController::~InstallController()
{
    DestroyScreen();
    log_.Close();
}

bool InstallController::Init()
{
    const std::string ini = JoinedPath(programDirectory_, "kwmain.ini");
    sourcePath_ = fw::WinProfile::GetString(ini, "x", "p", "");
    if (sourcePath_.size() > 128) {
        Report("The source path in kwmain.ini is longer than 128 characters");
        return false;
    }
    if (sourcePath_.empty()) {
        Report("p or sz undefined in kwmain.ini");
        return false;
    }
    const std::string driveRoot = std::string(1, sourcePath_[0]) + ":\\";
    const bool firstDiskDirectory = strcasecmp(LastComponent(sourcePath_).c_str(), "disk001") == 0;
    // Removable drives take disks that the user inserts; on any other drive the disks are
    // directories side by side, or the package is one place.
    const bool removable = operations_.DriveKind(driveRoot.c_str()) == 0;
    if (removable) {
        if (firstDiskDirectory) {
            Report("Invalid packaging-media combination");
            return false;
        }
        mediaMode_ = kRemovableDisks;
    } else {
        mediaMode_ = firstDiskDirectory ? kDiskDirectories : kSinglePlace;
    }
    // The command line for the script, bounded: a longer one is refused rather than cut.
    commandLine_ = fw::WinProfile::GetString(ini, "x", "cmdl", "");
    if (commandLine_.size() > 512) {
        Report("The command line in kwmain.ini is longer than 512 characters");
        return false;
    }
    sizeFigure_ = GetProfileInt(ini.c_str(), "x", "sz", 0);
    if (sizeFigure_ == 0) {
        Report("p or sz undefined in kwmain.ini");
        return false;
    }
    script_.SetSourcePath(sourcePath_);
    return script_.LoadScript(programDirectory_.c_str());
}

int InstallController::Run()
{
    const int result = RunSequence();
    if (result == 1) return WrapUp(false) ? 6 : 1;
    WrapUp(true);
    return result;
}

void InstallController::Finish()
{
    script_.SetProject(nullptr);
}

std::string InstallController::PackagedPath(int disk, const std::string& relative) const
{
    std::string base = sourcePath_;
    if (mediaMode_ == kDiskDirectories) {
        // The disk directories stand side by side: "...\disk001", "...\disk002".
        PathBuffer parent;
        ParentPath(sourcePath_.c_str(), parent);
        char name[24];
        std::snprintf(name, sizeof name, "disk%03d", std::max(1, disk));
        base = JoinedPath(parent.Text(), name);
    }
    return JoinedPath(base, relative);
}

bool InstallController::InstallAuxiliaryFiles()
{
    ScriptProject* project = script_.Project();
    for (const DiskMapEntry& entry : project->diskEntries) {
        if (!(entry.flags & DiskMapEntry::kAuxiliary)) continue;
        FileInstallRequest request;
        request.source = PackagedPath(entry.flags & DiskMapEntry::kDiskMask, entry.packedName.Text());
        request.compressed = !request.source.empty() && request.source.back() == '_';
        request.target = JoinedPath(programDirectory_, FileNamePart(entry.target.Text()));
        request.disk = entry.flags & DiskMapEntry::kDiskMask;
        request.logged = false;
        if (!InstallFile(request)) return false;
    }
    return true;
}

bool InstallController::LoadLanguageDll()
{
    if (LanguageLibrary::Instance().Load(script_.Project()->languages, "kw%s.dll")) return true;
    Report("Unable to load language DLL");
    return false;
}

int InstallController::RunSequence()
{
    ScriptProject* project = script_.Project();
    if (!project) return 1;
    // 1: the run starts clean.
    fileDeferred_ = startFilesChanged_ = dosRestart_ = systemIniChanged_ = false;
    sizeToDo_ = sizeDone_ = 0;
    script_.SetEndCode(0);
    SetModulePath(JoinedPath(programDirectory_, "kwmain").c_str());
    InstallOperations::SetAskHook([this](const std::string& text, const std::string& caption) {
        MessageBoxDialog box;
        box.SetText("%s", text.c_str());
        box.SetStandardIcon(MessageBoxDialog::kIconExclamation);
        box.SetButtons(MessageBoxDialog::kRetryCancel);
        return box.RunWithOwner(DialogParent(), caption.c_str()) == 0;
    });
    // 4-5: the disk map and the auxiliary files (language package, icon, help file).
    if (project->diskMap.diskCount < 1) {
        Report("Unable to get the disk map");
        return 1;
    }
    if (!InstallAuxiliaryFiles()) {
        Report("Unable to copy the aux files");
        return 1;
    }
    // 6: the language package.
    if (!LoadLanguageDll()) return 1;
    // 7: the operation log, in the program directory.
    OpLogHeader header;
    header.dialogMode = project->uninstall.dialogMode;
    header.languageIndex = project->languages.Choose();
    header.stepMilliseconds = 100;
    header.productName.Assign(project->header.productName.Text());
    header.scriptWord1 = project->header.word1;
    header.scriptWord2 = project->header.word2;
    if (!log_.Create(header, programDirectory_.c_str())) {
        Report("Unable to create the log file");
        LanguageLibrary::Instance().Free();
        return 1;
    }
    operations_.AttachLog(log_);
    script_.SetLogSink(&log_);
    // 8: the screen.
    if (!CreateScreen()) {
        Report("Unable to realize the install screen");
        operations_.DetachLog();
        log_.Close();
        LanguageLibrary::Instance().Free();
        return 1;
    }
    // 11: the help file.
    char helpName[32];
    std::snprintf(helpName, sizeof helpName, "kw%s.hlp", LanguageCode(project->languages.Choose()));
    HelpFile::Instance().Set(DialogParent(), JoinedPath(programDirectory_, helpName).c_str(), 0);
    HelpFile::Instance().WatchHelpKey(true);
    // 12: every event selected.
    std::fill(script_.Selection().begin(), script_.Selection().end(), 1);
    sizeToDo_ = SelectedSize() * 10L;
    context_.operations = &operations_;
    context_.programDirectory = programDirectory_;
    context_.commandLine = commandLine_;
    // A skipped file group moves the gauge over its size in steps of at most 2 KB, so that the
    // gauge still ends at 100 % whatever was left out.
    script_.SetGaugeHook([this](int kb) {
        for (int left = kb; left > 0; left -= 2) {
            AdvanceGauge(std::min(left, 2));
            MessageLoop::Instance().Pump(true);
        }
    });
    RegisterDirectExecutors(script_, context_);
    RegisterServiceExecutors();
    RegisterDialogExecutors(script_, *this);
    // 13: the events between the Program Manager connection.
    GetOsInfo().BeforeSequence();
    ProgmanClient::Instance().Connect();
    int result = script_.RunEvents();
    ProgmanClient::Instance().Disconnect(project->header.closeProgman != 0);
    GetOsInfo().AfterSequence();
    // 14: tear down in reverse.
    HelpFile::Instance().WatchHelpKey(false);
    HelpFile::Instance().Quit();
    InstallOperations::SetAskHook(nullptr);
    gauge_.reset();
    DestroyScreen();
    LanguageLibrary::Instance().Free();
    operations_.DetachLog();
    script_.SetLogSink(nullptr);
    log_.Close();
    // 15.
    if (result != 1 && startFilesChanged_) result = 2;
    return result;
}

namespace {
// A reinstall: the log names the same product. Its records then join that log, so that one
// uninstall undoes both installs, newest first, and removes the product.
bool SameProductLog(const std::string& path, const OpLogHeader& header)
{
    OpLogContents last;
    return ReadOpLogFile(path.c_str(), last) == OpLogReadResult::kOk &&
           std::strcmp(last.header.productName.Text(), header.productName.Text()) == 0;
}
} // namespace

bool InstallController::WrapUp(bool joinAllowed)
{
    keptLog_.clear();
    if (backDirectory_.empty()) return false;
    const std::string newLog = JoinedPath(programDirectory_, "kwlog3.nnn");
    OpLogContents contents;
    if (ReadOpLogFile(newLog.c_str(), contents) != OpLogReadResult::kOk || contents.records.empty())
        return false;
    auto numbered = [this](int n) { return JoinedPath(backDirectory_, NumberedLogName(n)); };
    int firstFree = 0;
    while (firstFree < 1000 && PathExists(numbered(firstFree).c_str())) ++firstFree;
    if (firstFree > 0 && ((joinAllowed && joinLogs_) || SameProductLog(numbered(firstFree - 1), contents.header))) {
        // The records (everything after the new log's header) join the last numbered log.
        std::string bytes;
        if (ReadWholeFile(newLog.c_str(), bytes) != WholeFileRead::kOk) return false;
        OpLogHeader parsed;
        MemorySource source(bytes);
        PortableReader reader(source, false);
        if (!parsed.Read(reader)) return false;
        const std::string records = bytes.substr(source.Position());
        std::string last;
        const std::string lastPath = numbered(firstFree - 1);
        if (ReadWholeFile(lastPath.c_str(), last) != WholeFileRead::kOk ||
            !fw::WinFileSystem::ReplaceFile(lastPath, last + records))
            return false;
        keptLog_ = lastPath;
    } else {
        if (firstFree >= 1000) return false;
        if (!fw::WinFileSystem::CopyFile(newLog, numbered(firstFree), true)) return false;
        keptLog_ = numbered(firstFree);
    }
    if (joinAllowed) return false;
    // The installer's own program file goes once it has ended.
    MoveRequest request;
    request.file = JoinedPath(programDirectory_, "kwmain");
    request.execute = 1;
    WriteMoveRequest(request);
    return true;
}

bool InstallController::EndMode(int kind, bool stop, bool showNow, int& result)
{
    int value = 0;
    switch (kind) {
    case 0:
        value = startFilesChanged_ ? 2 : dosRestart_ ? 4 : systemIniChanged_ ? 2 : 0;
        break;
    case 1: value = 0; break;
    case 2: value = 2; break;
    case 3: value = 4; break;
    case 4: value = 1; break;
    default: value = 0; break;
    }
    if (showNow) value = ShowCompletion(value);
    if (stop) {
        result = value;
        return false;
    }
    script_.SetEndCode(value);
    return true;
}

int InstallController::ShowCompletion(int kind)
{
    CloseCopyingBox();
    const std::string product = ProductName();
    MessageBoxDialog box;
    std::string caption = ResText(66);
    switch (kind) {
    case 0:
        box.SetText("%s", Format(61, product).c_str());
        box.SetButtons1(ResText(76).c_str());
        break;
    case 1:
        box.SetText("%s", ResText(85).c_str());
        caption = ResText(86);
        box.SetButtons1(ResText(76).c_str());
        break;
    case 2:
    case 5:
        box.SetText("%s", Format(62, product).c_str());
        if (kind == 5) box.SetButtons1(ResText(63).c_str());
        else box.SetButtons2(ResText(63).c_str(), ResText(64).c_str());
        break;
    case 4:
        box.SetText("%s", Format(65, product).c_str());
        box.SetButtons2(ResText(63).c_str(), ResText(64).c_str());
        break;
    default:
        CheckFailed("ICTRLLER", __LINE__, false);
        return 0;
    }
    box.SetStandardIcon(kind == 1 ? MessageBoxDialog::kIconHand : MessageBoxDialog::kIconAsterisk);
    const int pressed = box.RunWithOwner(DialogParent(), caption.c_str());
    const bool stayHere = (kind == 2 || kind == 4) && pressed == 1;
    return stayHere ? 0 : kind;
}

bool InstallController::QueryAbort()
{
    MessageBoxDialog box;
    box.SetText("%s", ResText(71).c_str());
    box.SetStandardIcon(MessageBoxDialog::kIconQuestion);
    box.SetButtons(MessageBoxDialog::kYesNo);
    box.SetDefaultButton(1);
    return box.RunWithOwner(DialogParent(), ResText(72).c_str()) == 0;
}

bool InstallController::PromptForDisk(int index, bool force)
{
    if (!force && index == currentDisk_) return true;
    switch (mediaMode_) {
    case kRemovableDisks: {
        ScriptProject* project = script_.Project();
        const std::string volume = std::string(project->diskMap.volumeName.Text()) + " " +
                                   std::to_string(index + 1);
        for (;;) {
            MessageBoxDialog box;
            box.SetText("%s", Format(74, volume).c_str());
            box.SetStandardIcon(MessageBoxDialog::kIconExclamation);
            box.SetButtons(MessageBoxDialog::kOkCancel);
            if (box.RunWithOwner(DialogParent(), ResText(75).c_str()) == 0) {
                currentDisk_ = index;
                return true;
            }
            if (QueryAbort()) return false;
        }
    }
    case kDiskDirectories: {
        PathBuffer parent;
        ParentPath(sourcePath_.c_str(), parent);
        char name[24];
        std::snprintf(name, sizeof name, "disk%03d", index + 1);
        sourcePath_ = JoinedPath(parent.Text(), name);
        script_.SetSourcePath(sourcePath_);
        currentDisk_ = index;
        return true;
    }
    default:
        CheckFailed("ICTRLLER", __LINE__, false);
        return false;
    }
}

bool InstallController::InstallFile(const FileInstallRequest& request)
{
    if (mediaMode_ != kSinglePlace && !PromptForDisk(request.disk - 1, false)) return false;
    FileCopyJob job;
    std::unique_ptr<CopySource> source = std::make_unique<FileSource>(request.source.c_str());
    if (request.compressed) source = std::make_unique<DecompressingSource>(std::move(source));
    job.AttachSource(std::move(source));
    if (!job.SetTarget(request.target.c_str())) {
        Report("Unable to copy the file %s", request.target.c_str());
        return false;
    }
    job.AttachTarget(std::make_unique<FileTarget>());
    job.SetSourceLength(request.sizeBytes);
    job.retryAllowed = request.retry;
    job.lockedTarget = request.inUse;
    job.deferredComparison = request.deferred;
    // The package's file time (universal time) and version go with the installed file.
    Timestamp& t = job.timestamp;
    t.year = request.time[0], t.month = request.time[1], t.dayOfWeek = request.time[2];
    t.day = request.time[3], t.hour = request.time[4], t.minute = request.time[5];
    t.second = request.time[6], t.milliseconds = request.time[7];
    job.timestampUtc = true;
    job.versionHigh = request.versionHigh;
    job.versionLow = request.versionLow;
    const int code = PolicyAnswerCode(request.outcome);
    auto chain = std::make_unique<HookChain>();
    HookChain* hooks = chain.get();
    job.AttachHook(std::move(chain));
    switch (request.policy) {
    case 1: job.AttachPolicy(std::make_unique<ExistencePolicy>(true)); break;
    case 2: job.AttachPolicy(std::make_unique<ExistencePolicy>(false)); break;
    case 3: job.AttachPolicy(std::make_unique<VersionPolicy>(code, request.source.c_str())); break;
    case 4: {
        PathBuffer directory, stamp;
        DirectoryOf(request.target.c_str(), directory);
        JoinPath(stamp, directory.Text(), "kwver.ini");
        const VersionPair version = VersionPair::Of(static_cast<int>(request.versionHigh >> 16),
                                                    static_cast<int>(request.versionHigh & 0xFFFF),
                                                    static_cast<int>(request.versionLow >> 16),
                                                    static_cast<int>(request.versionLow & 0xFFFF));
        job.AttachPolicy(std::make_unique<StampPolicy>(code, stamp.Text(), version));
        // The stamp is an INI entry of the install's own: logged, so that an uninstall removes it.
        hooks->Add(std::make_unique<StampWriter>(
            stamp.Text(), version, [this](const char* file, const char* section, const char* key, const char* value) {
                return operations_.SetIniEntry(file, section, key, value);
            }));
        break;
    }
    case 5: job.AttachPolicy(std::make_unique<TimePolicy>(code)); break;
    case 6: job.AttachPolicy(std::make_unique<SizePolicy>(code, request.sizeBytes)); break;
    default: break;
    }
    if (request.flags & FileEntry::kShared)
        hooks->Add(std::make_unique<SharedFileReference>(
            [this](const char* path) { return operations_.AddSharedDllRef(path) >= 0; }));
    fileSize_ = request.sizeBytes / 1024;
    fileDone_ = 0;
    job.AttachSink(std::make_unique<GaugeSink>(&cancelled_, request.bufferKb, [this](int kb) { AdvanceGauge(kb); }));
    if (gauge_ && !gauge_->Window()) gauge_->Create();
    if (gauge_) {
        gauge_->SetTitle("%s", ResText(46).c_str());
        gauge_->SetLine1("%s", Format(47, FileNamePart(request.source.c_str())).c_str());
        gauge_->SetLine2("%s", Format(48, request.target).c_str());
        gauge_->SetLine3("%s", ResText(49).c_str());
    }
    // Changes of the auxiliary files and of groups installed elsewhere are not recorded.
    if (!request.logged) operations_.AttachLog(NullLogSink());
    const int state = operations_.RunCopyJob(job);
    if (!request.logged) operations_.DetachLog();
    switch (state) {
    case InstallOperations::kCopied: {
        if (job.replacedAtRestart) fileDeferred_ = true;
        uint32_t present = 0;
        const int wanted = (request.attributes & 1) ? 1 : (request.attributes & 4) ? 4 : (request.attributes & 2) ? 2 : 0;
        if (!job.replacedAtRestart && GetAttributes(request.target.c_str(), present) == 0 &&
            (present & 7u) != static_cast<uint32_t>(wanted))
            operations_.SetFileAttributes(request.target.c_str(), (present & ~7u) | static_cast<uint32_t>(wanted));
        // A font or server that cannot be made known fails the file rather than pass unnoticed.
        if ((request.flags & FileEntry::kFont) && !operations_.InstallFont(request.target.c_str())) return false;
        if ((request.flags & FileEntry::kSelfRegister) && !operations_.RegisterOleServer(request.target.c_str(), true))
            return false;
        return true;
    }
    case InstallOperations::kNothingToDo: return true;
    default: return false;
    }
}

bool InstallController::InstallFileWithRetry(const FileInstallRequest& request)
{
    const int least = script_.Project() ? script_.Project()->header.msPerFile : 0;
    for (;;) {
        fw::WinRoot* root = fw::WinRoot::Current();
        const uint32_t began = root ? root->TickCount() : 0;
        if (InstallFile(request)) {
            if (least > 0 && root) {
                while (root->TickCount() - began < static_cast<uint32_t>(least))
                    MessageLoop::Instance().Pump(true);
            }
            return true;
        }
        if (QueryAbort()) return false;
        cancelled_ = false;
    }
}

bool InstallController::InstallFileGroup(ScriptEvent& e, bool logged)
{
    auto expand = [this](const HeapString& text, std::string& out) { return Expand(script_, text, out, 512); };
    std::string source, targetDirectory;
    if (!expand(e.Text(1), source) || !expand(e.Text(2), targetDirectory)) return false;
    auto settings = [&](FileInstallRequest& r) {
        auto inRange = [](int v, int lo, int hi) { return v >= lo && v <= hi; };
        if (inRange(e.Int(3), 0, 6)) r.policy = e.Int(3);
        if (inRange(e.Int(4), 0, 2)) r.inUse = e.Int(4);
        if (inRange(e.Int(5), 0, 5)) r.outcome = e.Int(5);
        r.deferred = e.Int(2) != 0;
        if (inRange(e.Int(9), 0, 31)) r.bufferKb = e.Int(9);
        r.retry = e.Int(6) != 0;
        r.attributes = e.Int(7) & 7;
        r.logged = logged;
    };
    if (e.Int(0) == 2) {
        // One transfer: a source and a target, each a directory and a name.
        std::string sourceName, targetName;
        if (!expand(e.Text(4), sourceName) || !expand(e.Text(5), targetName)) return false;
        FileInstallRequest r;
        settings(r);
        r.source = JoinedPath(source, sourceName);
        r.target = JoinedPath(targetDirectory, targetName);
        r.sizeBytes = FileLength(r.source.c_str());
        return InstallFileWithRetry(r);
    }
    // "+dir" / "++dir" / "-dir" / "--dir": every file comes from that directory instead.
    std::string override;
    if (!source.empty() && (source[0] == '+' || source[0] == '-')) {
        size_t at = 1;
        if (source.size() > 1 && source[1] == source[0]) at = 2;
        const size_t end = source.find_first_of("+-", at);
        override = source.substr(at, end == std::string::npos ? std::string::npos : end - at);
    }
    for (const DirectoryEntry& d : e.Directories()) {
        const std::string path = JoinedPath(targetDirectory, d.path.Text());
        if (operations_.CreateDirectoryPath(path.c_str()) == InstallOperations::kFailed) return false;
    }
    if (operations_.CreateDirectoryPath(targetDirectory.c_str()) == InstallOperations::kFailed) return false;
    // The group's installed size (KB) must fit on the target's drive (units of 10 KB).
    if (operations_.CheckFreeSpace(targetDirectory.c_str(), (e.Size() + 9) / 10) != 0) return false;
    for (const FileEntry& f : e.Files()) {
        FileInstallRequest r;
        settings(r);
        const bool compressed = (f.flags & FileEntry::kCompressed) != 0 || e.Int(0) == 0;
        const std::string packed = compressed ? CompressedFileName(f.name.Text()) : std::string(f.name.Text());
        r.source = override.empty() ? PackagedPath(f.disk, JoinedPath(source, packed)) : JoinedPath(override, packed);
        r.compressed = compressed;
        r.target = JoinedPath(targetDirectory, f.targetName.IsEmpty() ? f.name.Text() : f.targetName.Text());
        r.sizeBytes = (f.flags & FileEntry::kInstalledSize) ? f.installedSize : f.storedSize;
        r.disk = f.disk;
        r.flags = f.flags;
        std::copy(std::begin(f.time), std::end(f.time), r.time);
        r.versionHigh = f.versionHigh;
        r.versionLow = f.versionLow;
        if (!InstallFileWithRetry(r)) return false;
    }
    return true;
}

bool InstallController::InstallFileGroupInto(ScriptEvent& event, const std::string& directory, bool logged)
{
    HeapString saved;
    saved.Assign(event.Text(2).Text());
    event.Text(2).Assign(directory.c_str());
    const bool ok = InstallFileGroup(event, logged);
    event.Text(2).Assign(saved.Text());
    return ok;
}

void InstallController::AdvanceGauge(int kb)
{
    sizeDone_ += kb;
    fileDone_ += kb;
    const int overall = sizeToDo_ > 0 ? static_cast<int>(std::min<long>(100, sizeDone_ * 100 / sizeToDo_)) : 0;
    const int file = fileSize_ > 0 ? static_cast<int>(std::min<long>(100, fileDone_ * 100 / fileSize_)) : 100;
    if (gauge_ && gauge_->Window()) gauge_->SetPercent(overall);
    if (screen_) screen_->SetProgress(overall, file);
}

void InstallController::CloseCopyingBox()
{
    if (gauge_) gauge_->DestroyWindow();
}

int InstallController::SelectedSize()
{
    ScriptProject* project = script_.Project();
    if (!project) return 0;
    long long kb = 0;
    for (size_t i = 0; i < project->events.size(); ++i) {
        const ScriptEvent& e = *project->events[i];
        const bool selected = !e.selection || i >= script_.Selection().size() || script_.Selection()[i] != 0;
        if (selected) kb += e.Size();
    }
    return static_cast<int>(std::min<long long>(kb / 10, 0x7FFFFFFF));
}

bool InstallController::WriteIniEntry(const IniEntryRequest& request)
{
    const char* file = request.file.Text();
    const char* section = request.section.Text();
    const char* entry = request.entry.Text();
    const char* value = request.value.Text();
    // A file that the registry stands in for takes the entry as a value of its key.
    RegKey mapped;
    if (operations_.MapIniFile(file, section, entry, mapped)) {
        char present[kIniTextSize] = {};
        const bool exists = RegKey(mapped).QueryString(entry, present, sizeof present);
        switch (request.modeFlags) {
        case 0: return operations_.SetRegString(mapped, entry, value);
        case 1: return exists || operations_.SetRegString(mapped, entry, value);
        case 2: return (exists && strcasecmp(present, value) == 0) || operations_.SetRegString(mapped, entry, value);
        case 3: return operations_.DeleteRegValue(mapped, entry);
        default: return false;
        }
    }
    bool ok = true;
    switch (request.modeFlags) {
    case 0: // add the entry, or replace an existing one
        ok = operations_.SetIniEntry(file, section, entry, value);
        break;
    case 1: // add only when no such entry exists
    case 2: // add beside the entries of the same name, unless one holds this value
        if (ReadIniEntryExists(request)) return true;
        ok = operations_.AppendIniEntry(file, section, entry, value);
        break;
    case 3: // delete the entry
        if (!ReadIniEntryExists(request)) return true;
        ok = operations_.DeleteIniEntry(file, section, entry, 0);
        break;
    default:
        return false;
    }
    PathBuffer windows, systemIni;
    if (ok && WindowsDirectory(windows) && JoinPath(systemIni, windows.Text(), "system.ini") &&
        SamePath(systemIni.Text(), file))
        systemIniChanged_ = true;
    return ok;
}

bool InstallController::ReadIniEntryExists(const IniEntryRequest& request)
{
    // Mode 2 looks for one of the entry's duplicates holding the value; the others for the entry.
    for (int index = 0;; ++index) {
        char value[kIniTextSize] = {};
        if (!GetIniEntry(request.file.Text(), request.section.Text(), request.entry.Text(), index, value))
            return false;
        if (request.modeFlags != 2 || strcasecmp(value, request.value.Text()) == 0) return true;
        if (index > 4096) return false;
    }
}

bool InstallController::RegisterUninstaller(ScriptEvent& e)
{
    if (!backDirectory_.empty()) return true;
    std::string back, display, itemGroup, keyName;
    HeapString backText;
    backText.Assign(e.Path(0).Text());
    int join = 0;
    bool ok = Expand(script_, backText, back, 512) && Expand(script_, e.Text(0), display, 512) &&
              Expand(script_, e.Text(1), itemGroup, 512) && Expand(script_, e.Text(3), keyName, 512) &&
              (e.Text(2).IsEmpty() || script_.EvaluateCondition(e.Text(2).Text(), join));
    if (e.Int(2)) ShowStatus(3);
    const std::string language = std::string("kw") + LanguageCode(script_.Project()->languages.Choose()) + ".dll";
    ok = ok && !back.empty() && operations_.CreateDirectoryPath(back.c_str()) != InstallOperations::kFailed;
    for (const char* name : {language.c_str(), "kwmain"}) {
        if (ok) ok = operations_.CopyFile(JoinedPath(programDirectory_, name).c_str(), JoinedPath(back, name).c_str());
    }
    // The event's one or two file groups go into the back directory as well.
    ScriptProject* project = script_.Project();
    for (int n : {e.Int(0), e.Int(1)}) {
        if (!ok || n < 0) continue;
        int seen = 0;
        for (auto& event : project->events) {
            if (event->TypeCode() != 3) continue;
            if (seen++ != n) continue;
            ok = InstallFileGroupInto(*event, back, true);
            break;
        }
    }
    const std::string product = keyName.empty() ? ProductName() : keyName;
    const std::string uninstaller = JoinedPath(back, "kwmain");
    if (ok) {
        const RegKey key(0, UninstallKeyPath(product).c_str());
        ok = operations_.CreateRegKey(key) && operations_.SetRegString(key, "DisplayName", ProductName().c_str()) &&
             operations_.SetRegString(key, "UninstallString", uninstaller.c_str());
    }
    if (ok && !display.empty()) {
        ProgmanItem item;
        const std::string command = ShortenQuotedParts("\"" + uninstaller + "\"");
        const std::string group = itemGroup.empty() ? std::string(project->defaultGroup.Text()) : itemGroup;
        ok = ProgmanItem::SetField(item.name, sizeof item.name, display.c_str()) &&
             ProgmanItem::SetField(item.commandLine, sizeof item.commandLine, command.c_str()) &&
             operations_.CreateGroup(group.c_str()) && operations_.AddProgmanItem(group.c_str(), item, false);
    }
    if (e.Int(2)) HideStatus();
    if (!ok) {
        Report("Unable to install the uninstaller");
        return false;
    }
    backDirectory_ = back;
    // From now on a file that the install replaces is kept there for the uninstaller.
    operations_.SetBackupDirectory(back);
    joinLogs_ = join != 0;
    return true;
}

int InstallController::Pause(const char* text, bool offerElsewhere)
{
    for (;;) {
        MessageBoxDialog box;
        box.SetText("%s", text);
        box.SetIcon("ICONSETUP");
        if (offerElsewhere) box.SetButtons3(ResText(58).c_str(), ResText(59).c_str(), ResText(141).c_str());
        else box.SetButtons2(ResText(58).c_str(), ResText(59).c_str());
        box.SetDefaultButton(1);
        box.SetHelpButton(offerElsewhere ? 14 : 18);
        const int pressed = box.RunWithOwner(DialogParent(), ResText(60).c_str());
        if (pressed == 0) return 0;
        if (pressed != 2) return 2;
        MessageBoxDialog confirm;
        confirm.SetText("%s", ResText(142).c_str());
        confirm.SetIcon("ICONSETUP");
        confirm.SetButtons(MessageBoxDialog::kYesNo);
        confirm.SetDefaultButton(1);
        if (confirm.RunWithOwner(DialogParent(), ProductName().c_str()) == 0) return 1;
    }
}

bool InstallController::InstallGroupsElsewhere()
{
    // The script's file groups by name; the chosen ones go into the directory the user picks.
    ScriptProject* project = script_.Project();
    std::vector<ScriptEvent*> groups;
    std::vector<std::string> names;
    for (auto& event : project->events) {
        if (event->TypeCode() != 3) continue;
        groups.push_back(event.get());
        names.push_back(event->Text(0).Text());
    }
    std::vector<int> chosen;
    if (!ChooseGroups(*this, names, chosen)) return false;
    fw::FileDialogRequest request;
    request.title = ResText(140);
    request.filters.push_back({"All File (*.*)", "*.*"});
    if (!fw::RunFileDialog(DialogParent(), request)) return false;
    PathBuffer directory;
    // The chosen directory; a typed name with wildcards is dropped with the rest of the name.
    if (request.path.find_first_of("*?") != std::string::npos || !DirectoryExists(request.path.c_str()))
        DirectoryOf(request.path.c_str(), directory);
    else
        directory.SetText(request.path.c_str());
    for (int n : chosen)
        if (!InstallFileGroupInto(*groups[static_cast<size_t>(n)], directory.Text(), false)) return false;
    return true;
}

std::string InstallController::ProductName() const
{
    const ScriptProject* project = const_cast<ScriptInstaller&>(script_).Project();
    return project ? project->header.productName.Text() : "";
}

QWidget* InstallController::DialogParent()
{
    return screen_ ? screen_->Widget() : nullptr;
}

void InstallController::ShowHelp(int context)
{
    HelpFile::Instance().ShowContext(context);
}

std::string InstallController::TemporaryDirectory() const
{
    return programDirectory_;
}

void InstallController::ShowStatus(int which)
{
    static const int kStrings[4] = {57, 43, 44, 201};
    if (which < 0 || which > 3) return;
    ShowMessage(ProductName(), Format(kStrings[which], ProductName()), 500, 500, 3000);
}

void InstallController::HideStatus() { HideMessage(); }

void InstallController::ShowMessage(const std::string& title, const std::string& text, int x, int y,
                                    uint32_t minimumMs)
{
    if (screen_) screen_->ShowMessage(title, text, x, y, minimumMs);
}

void InstallController::HideMessage()
{
    if (screen_) screen_->HideMessage();
}

bool InstallController::CreateScreen()
{
    std::string error;
    screen_ = InstallScreen::Create(script_.Project()->screen, ProductName(), &error);
    if (!screen_) return false;
    screen_->onExit = [this] {
        if (QueryAbort()) cancelled_ = true;
    };
    screen_->onHelp = [this] { ShowHelp(0); };
    gauge_ = std::make_unique<ProgressDialog>(&cancelled_, DialogParent());
    gauge_->SetIcon("ICONSETUP");
    return true;
}

void InstallController::DestroyScreen()
{
    gauge_.reset();
    screen_.reset();
}

int InstallController::ShowTextBlock(const std::string& text, int style)
{
    const int buttons = style & 0xF;
    const int icon = style & 0xF0;
    MessageBoxDialog box;
    box.SetText("%s", text.c_str());
    box.SetButtons(buttons == MessageBoxDialog::kOkCancel || buttons == MessageBoxDialog::kYesNo ||
                           buttons == MessageBoxDialog::kRetryCancel
                       ? buttons
                       : MessageBoxDialog::kOk);
    if (icon == MessageBoxDialog::kIconHand || icon == MessageBoxDialog::kIconQuestion ||
        icon == MessageBoxDialog::kIconExclamation || icon == MessageBoxDialog::kIconAsterisk)
        box.SetStandardIcon(icon);
    return box.RunWithOwner(DialogParent(), ProductName().c_str());
}

} // namespace kw
