#include "installer/engine/InstallOperations.h"

#include "framework/stream/StateReset.h"
#include "framework/stream/StringUtil.h"
#include "framework/sys/WinFileSystem.h"
#include "framework/sys/WinRoot.h"
#include "installer/support/CopyStreams.h"
#include "installer/support/FileCopyJob.h"
#include "installer/support/FileFind.h"
#include "installer/support/FilePath.h"
#include "installer/support/GroupLink.h"
#include "installer/support/IniFile.h"
#include "installer/support/MessageLoop.h"
#include "installer/support/OsInfo.h"
#include "installer/support/PathBuffer.h"
#include "installer/support/RegKey.h"
#include "installer/support/ResString.h"
#include "installer/support/WindowOps.h"

#include <cstdarg>
#include <cstdio>
#include <cctype>
#include <cstring>
#include <strings.h>
#include <memory>
#include <vector>

namespace kw {

namespace {

constexpr std::uint32_t kReadOnly = 0x1, kHidden = 0x2, kSystem = 0x4, kNormal = 0x80;
constexpr std::uint32_t kRegBinary = 3, kRegDword = 4, kRegSz = 1;

std::function<void(const std::string&)>& ReportHook()
{
    static std::function<void(const std::string&)> hook;
    return hook;
}

std::function<bool(const std::string&, const std::string&)>& AskHook()
{
    static std::function<bool(const std::string&, const std::string&)> hook;
    return hook;
}

const fw::StateReset resetHooks{[] {
    ReportHook() = nullptr;
    AskHook() = nullptr;
}};

// A language-library string used as a format.
std::string ResFormat(int id, ...)
{
    char format[kResStringSize];
    LoadResString(format, id);
    char text[2048];
    va_list args;
    va_start(args, id);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

std::string ParentOf(const char* path)
{
    const std::string p = path;
    const std::size_t cut = p.find_last_of('\\');
    if (cut == std::string::npos) return std::string();
    // "C:\" stays a root; "C:\a" has the parent "C:".
    return p.substr(0, cut);
}

bool IsDriveOnly(const std::string& path)
{
    return path.size() == 2 && path[1] == ':';
}

std::string DriveRoot(const char* path)
{
    std::string root = "a:\\";
    if (path && path[0]) root[0] = path[0];
    return root;
}

// The 1112-byte record of a Program Manager item, as the operation log keeps it: five
// little-endian ints, then the name, command line, icon path and working directory fields.
void PackItem(const ProgmanItem& item, unsigned char* out)
{
    std::memset(out, 0, kProgmanItemSize);
    const int ints[5] = {item.x, item.y, item.hotKey, item.iconIndex, item.minimised};
    unsigned char* p = out;
    for (int v : ints) {
        const auto u = static_cast<std::uint32_t>(v);
        for (int b = 0; b < 4; ++b) *p++ = static_cast<unsigned char>(u >> (8 * b));
    }
    std::memcpy(p, item.name, sizeof item.name), p += sizeof item.name;
    std::memcpy(p, item.commandLine, sizeof item.commandLine), p += sizeof item.commandLine;
    std::memcpy(p, item.iconPath, sizeof item.iconPath), p += sizeof item.iconPath;
    std::memcpy(p, item.workingDirectory, sizeof item.workingDirectory);
}

void UnpackItem(const unsigned char* in, ProgmanItem& item)
{
    int* ints[5] = {&item.x, &item.y, &item.hotKey, &item.iconIndex, &item.minimised};
    const unsigned char* p = in;
    for (int* v : ints) {
        std::uint32_t u = 0;
        for (int b = 0; b < 4; ++b) u |= static_cast<std::uint32_t>(*p++) << (8 * b);
        *v = static_cast<int>(u);
    }
    const auto field = [&p](char* out, std::size_t size) {
        std::memcpy(out, p, size);
        out[size - 1] = 0;  // a stored field is always ended
        p += size;
    };
    field(item.name, sizeof item.name);
    field(item.commandLine, sizeof item.commandLine);
    field(item.iconPath, sizeof item.iconPath);
    field(item.workingDirectory, sizeof item.workingDirectory);
}

// Connects the Program Manager client for the length of one operation.
class ProgmanSession {
public:
    explicit ProgmanSession(InstallOperations& ops) : ok_(ProgmanClient::Instance().Connect())
    {
        if (!ok_) ops.Report("Unable to connect to PM");
    }
    ~ProgmanSession()
    {
        if (ok_) ProgmanClient::Instance().Disconnect(false);
    }
    GroupLink* operator->() const { return ProgmanClient::Instance().Link(); }
    explicit operator bool() const { return ok_ && ProgmanClient::Instance().Link(); }

private:
    bool ok_;
};

std::string SharedDllKeyPath()
{
    const char* version = GetOsInfo().CurrentVersionKey();
    return std::string(version ? version : "SOFTWARE\\Microsoft\\Windows\\CurrentVersion") + "\\SharedDLLs";
}

} // namespace

void InstallOperations::SetReportHook(std::function<void(const std::string&)> hook)
{
    ReportHook() = std::move(hook);
}

void InstallOperations::SetAskHook(std::function<bool(const std::string&, const std::string&)> hook)
{
    AskHook() = std::move(hook);
}

void InstallOperations::AttachLog(LogSink& sink)
{
    previous_ = sink_;
    sink_ = &sink;
}

void InstallOperations::DetachLog()
{
    sink_ = previous_ ? previous_ : &NullLogSink();
    previous_ = nullptr;
}

void InstallOperations::Report(const char* format, ...)
{
    char text[2048];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    lastError_ = kReported;
    if (quiet_) return;
    if (ReportHook()) ReportHook()(text);
    else ErrorBox(nullptr, "%s", text);
}

InstallOperations InstallOperations::Unlogged() const
{
    InstallOperations ops;
    ops.quiet_ = quiet_;
    return ops;
}

int InstallOperations::Ask(const char* text, const char* caption, const char*, const char*, int)
{
    if (AskHook()) return AskHook()(text ? text : "", caption ? caption : "") ? 1 : 2;
    return 2;
}

// ---- files and directories -----------------------------------------------------------------

int InstallOperations::CreateDirectoryPath(const char* path)
{
    if (!path || !*path) return kFailed;
    const std::string parent = ParentOf(path);
    if (!parent.empty() && !IsDriveOnly(parent) && CreateDirectoryPath(parent.c_str()) == kFailed) return kFailed;
    switch (kw::MakeDirectory(path)) {
    case 0:
        sink_->DirectoryCreated(path);
        return kCreated;
    case 1:
        return kExisted;
    default:
        Report("Unable to create dir %s", path);
        lastError_ = kMakeDirectoryFailed;
        return kFailed;
    }
}

bool InstallOperations::EnsureParentPath(const char* path)
{
    const std::string parent = ParentOf(path);
    if (parent.empty() || IsDriveOnly(parent)) return true;
    return CreateDirectoryPath(parent.c_str()) != kFailed;
}

bool InstallOperations::MakeDirectory(const char* path)
{
    return CreateDirectoryPath(path) != kFailed;
}

bool InstallOperations::DeleteFile(const char* path)
{
    std::uint32_t attributes = 0;
    if (GetAttributes(path, attributes) != 0) return true;  // missing: already deleted
    if (attributes & (kReadOnly | kHidden | kSystem)) {
        if (!SetFileAttributes(path, kNormal)) return false;
    }
    if (!ForceDeleteFile(path)) {
        Report("Unable to delete file %s", path);
        lastError_ = kDeleteFailed;
        return false;
    }
    sink_->FileDeleted(path);
    return true;
}

bool InstallOperations::MoveFile(const char* from, const char* to)
{
    if (SamePath(from, to)) return true;
    if (!PathExists(from)) {
        Report("%s not found", from);
        return false;
    }
    if (PathExists(to) && !DeleteFile(to)) return false;
    if (!EnsureParentPath(to)) return false;
    if (!MoveFilePath(from, to)) {
        // Across drives: an unlogged copy, then the logged deletion of the source.
        InstallOperations inner = Unlogged();
        if (!inner.CopyFile(from, to) || !DeleteFile(from)) {
            lastError_ = kRenameFailed;
            return false;
        }
    }
    sink_->FileMoved(from, to);
    return true;
}

bool InstallOperations::ReplaceWithBackup(const char* target, const char* replacement, const char* backup)
{
    if (!MoveFile(target, backup)) return false;
    InstallOperations inner = Unlogged();
    return inner.MoveFile(replacement, target);
}

bool InstallOperations::SetFileAttributes(const char* path, std::uint32_t attributes)
{
    std::uint32_t former = 0;
    if (GetAttributes(path, former) != 0) {
        Report("Unable to get the file attributes of %s", path);
        return false;
    }
    if (former == attributes) return true;
    if (SetAttributes(path, attributes) != 0) {
        Report("Unable to set the file attributes of %s", path);
        return false;
    }
    sink_->AttributesChanged(path, former, attributes);
    return true;
}

bool InstallOperations::DirectoryNotEmpty(const char* path)
{
    return kw::DirectoryNotEmpty(path);
}

bool InstallOperations::RemoveDirectoryTree(const char* path)
{
    if (!DirectoryExists(path)) return true;
    std::vector<std::string> names;
    {
        FileFind find;
        for (bool more = find.First((std::string(path) + "\\*.*").c_str()); more; more = find.Next())
            if (!find.IsDotEntry()) names.push_back(find.Name());
    }
    for (const std::string& name : names) {
        MessageLoop::Instance().Pump(false);
        const std::string child = std::string(path) + "\\" + name;
        const bool ok = DirectoryExists(child.c_str()) ? RemoveDirectoryTree(child.c_str()) : DeleteFile(child.c_str());
        if (!ok) return false;
    }
    ChangeDirectory(DriveRoot(path).c_str());
    if (!kw::RemoveDirectory(path)) {
        Report("Unable to delete file %s", path);
        lastError_ = kDeleteFailed;
        return false;
    }
    sink_->DirectoryRemoved(path);
    return true;
}

bool InstallOperations::CopyFile(const char* from, const char* to)
{
    FileCopyJob job;
    job.AttachSource(std::make_unique<FileSource>(from));
    job.AttachTarget(std::make_unique<FileTarget>());
    job.SetTarget(to);
    job.SetSourceLength(FileLength(from));
    job.retryAllowed = 0;
    return RunCopyJob(job) == kCopied;
}

int InstallOperations::CopyStep(FileCopyJob& job)
{
    if (!EnsureParentPath(job.target.Text())) return kCopyFailed;
    const bool existed = PathExists(job.target.Text());
    // A file appended to keeps its bytes: no copy of it is needed, the uninstaller cuts it back.
    const bool appends = job.Target() && job.Target()->Appends();
    std::string backup;
    if (existed && !appends && !KeepReplacedFile(job.target.Text(), backup)) return kCopyFailed;
    const bool done = job.Run();
    RecordReplacedFile(job.target.Text(), backup, done && job.outcome == FileCopyJob::kCopied);
    if (!done) return job.outcome == FileCopyJob::kCancelled ? kCopyCancelled : kCopyFailed;
    if (job.outcome == FileCopyJob::kKept) return kNothingToDo;
    const long formerLength = appends ? job.Target()->FormerLength() : -1;
    if (formerLength >= 0) sink_->FileExtended(job.target.Text(), static_cast<std::uint32_t>(formerLength));
    // A file that was not there before is the install's own: the uninstaller removes it.
    else if (!existed && !job.replacedAtRestart) sink_->FileCreated(job.target.Text());
    return kCopied;
}

bool InstallOperations::KeepReplacedFile(const char* target, std::string& backup)
{
    backup.clear();
    // Only a change that the uninstaller undoes needs the old file (records of states 1 and 2
    // are kept).
    if (backupDirectory_.empty() || sink_->State() != 0 || DirectoryExists(target)) return true;
    PathBuffer name;
    const bool named = UniqueFileName(name, backupDirectory_.c_str(), "kwb");
    if (!named || !fw::WinFileSystem::CopyFile(target, name.Text(), true)) {
        if (named) fw::WinFileSystem::DeleteFile(name.Text()); // a part written
        Report("Unable to keep a copy of %s", target);
        return false;
    }
    backup = name.Text();
    return true;
}

void InstallOperations::RecordReplacedFile(const char* target, const std::string& backup, bool replaced)
{
    if (backup.empty()) return;
    if (!replaced) {
        fw::WinFileSystem::SetAttributes(backup, fw::kAttrNormal); // a read-only file's copy
        fw::WinFileSystem::DeleteFile(backup);
        return;
    }
    sink_->FileMoved(target, backup.c_str());
    sink_->FileCreated(target);
}

int InstallOperations::RunCopyJob(FileCopyJob& job)
{
    for (;;) {
        const int state = CopyStep(job);
        if (state != kCopyFailed) return state;
        const std::string text = ResFormat(135, job.target.Text());
        if (!job.retryAllowed) {
            Report("%s", text.c_str());
            return state;
        }
        if (Ask(text.c_str(), "Error", "&Retry", "&Cancel", 1) != 1) return state;
    }
}

bool InstallOperations::FileInUse(const char* path)
{
    // The machine says which files running programs hold.
    const fw::WinRoot* root = fw::WinRoot::Current();
    return root && PathExists(path) && root->IsInUse(path);
}

bool InstallOperations::FreeDiskSpace(const char* path, long long& units)
{
    if (!path || !*path) return false;
    const long long bytes = fw::WinFileSystem::FreeSpace(path[0]);
    if (bytes < 0) return false;
    // 64-bit arithmetic throughout: today's disks hold far more than a 32-bit product.
    units = bytes / 10240;
    return true;
}

int InstallOperations::CheckFreeSpace(const char* path, long long neededUnits)
{
    long long free = 0;
    if (!FreeDiskSpace(path, free)) {
        Report("Unable to get the free space of drive %s", DriveRoot(path).c_str());
        return 2;
    }
    if (free >= neededUnits) return 0;
    const std::string text = ResFormat(91, neededUnits * 10, free * 10);
    Report("%s", text.c_str());
    return 1;
}

int InstallOperations::DriveKind(const char* path)
{
    if (!path || !*path) return -1;
    bool exists = false;
    const fw::DriveType type = fw::WinFileSystem::GetDriveType(path[0], &exists);
    if (!exists) return -1;
    switch (type) {
    case fw::DriveType::Removable: return 0;
    case fw::DriveType::Fixed: return 1;
    case fw::DriveType::Remote: return 2;
    case fw::DriveType::CdRom: return 3;
    }
    return -1;
}

int InstallOperations::FirstCdromDrive()
{
    for (int n = 0; n < 26; ++n) {
        const char root[4] = {static_cast<char>('a' + n), ':', '\\', 0};
        if (DriveKind(root) == 3) return n;
    }
    return -1;
}

bool InstallOperations::SetFileLength(const char* path, std::uint32_t length)
{
    return kw::SetFileLength(path, static_cast<long>(length));
}

// ---- shared-file counts --------------------------------------------------------------------

int InstallOperations::SharedDllCount(const char* path)
{
    RegKey key(RegKey::kLocalMachine, SharedDllKeyPath().c_str());
    std::uint32_t type = 0, size = 0;
    std::unique_ptr<unsigned char[]> data(key.QueryValue(path, type, size));
    if (!data) return 0;
    if (type == kRegDword || (type == kRegBinary && size == 4)) {
        std::uint32_t n = 0;
        std::memcpy(&n, data.get(), 4);
        return static_cast<int>(n);
    }
    return 0;
}

int InstallOperations::SetSharedDllCount(const char* path, int count)
{
    PathBuffer shared, common;
    const bool inside = (SharedFilesDirectory(shared) && IsInsideDirectory(path, shared.Text())) ||
                        (CommonFilesDirectory(common) && IsInsideDirectory(path, common.Text()));
    if (!inside) return -1;
    RegKey key(RegKey::kLocalMachine, SharedDllKeyPath().c_str());
    std::uint32_t type = kRegBinary, size = 0;
    std::unique_ptr<unsigned char[]> former(key.QueryValue(path, type, size));
    if (!former || !(type == kRegDword || (type == kRegBinary && size == 4))) type = kRegBinary;
    const std::uint32_t n = static_cast<std::uint32_t>(count);
    return SetRegValue(key, path, type, 4, &n) ? count : -1;
}

int InstallOperations::AddSharedDllRef(const char* path)
{
    const int count = SharedDllCount(path) + 1;
    SetSharedDllCount(path, count);
    return count;
}

int InstallOperations::ReleaseSharedDllRef(const char* path)
{
    const int count = SharedDllCount(path);
    if (count == 1) DeleteSharedDllValue(path);
    else SetSharedDllCount(path, count - 1);
    return count - 1;
}

bool InstallOperations::DeleteSharedDllValue(const char* path)
{
    return DeleteRegValue(RegKey(RegKey::kLocalMachine, SharedDllKeyPath().c_str()), path);
}

void InstallOperations::SettleSharedCount(const char* path, bool kept)
{
    settledCounts_[fw::ToUpperAscii(path)] = kept;
}

void InstallOperations::KeepFile(const char* path) { keptFiles_.insert(fw::ToUpperAscii(path)); }

bool InstallOperations::FileKept(const char* path)
{
    const std::string key = fw::ToUpperAscii(path);
    if (keptFiles_.count(key) > 0) return true;
    // An INI file the install made that the user has since written a section or line of
    // their own into: that text stays, and the file with it.
    if (iniFilesEmptied_.count(key) == 0) return false;
    FILE* file = fw::WinFileSystem::Open(path, "rb");
    if (!file) return false;
    bool holdsText = false;
    for (int c; !holdsText && (c = std::fgetc(file)) != EOF;) holdsText = !std::isspace(c);
    std::fclose(file);
    return holdsText;
}

bool InstallOperations::SharedCountSettled(const RegKey& key, const char* name, bool& kept)
{
    if (key.Root() != RegKey::kLocalMachine || !fw::EqualsIgnoreCase(key.Path(), SharedDllKeyPath()) || !name) return false;
    const auto it = settledCounts_.find(fw::ToUpperAscii(name));
    if (it == settledCounts_.end()) return false;
    kept = it->second;
    return true;
}

// ---- registry ------------------------------------------------------------------------------

bool InstallOperations::CreateRegKey(const RegKey& key)
{
    if (key.Exists()) return true;
    RegKey parent(key);
    int cut = -1;
    if (parent.CutLastComponent(cut) && !CreateRegKey(parent)) return false;
    RegKey created(key);
    if (!created.Create()) {
        char name[600];
        key.FormatLong(name, sizeof name);
        Report("Unable to create registration key %s", name);
        return false;
    }
    created.Close();
    sink_->RegKeyCreated(key);
    return true;
}

bool InstallOperations::DeleteRegKey(const RegKey& key)
{
    if (!key.Exists()) return true;
    for (int n = key.CountSubkeys() - 1; n >= 0; --n) {
        RegKey sub;
        if (key.SubkeyAt(n, sub) && !DeleteRegKey(sub)) return false;
    }
    std::vector<std::string> names;
    for (int n = 0; n < key.CountValues(); ++n) {
        char name[260];
        if (key.ValueNameAt(n, name, sizeof name)) names.push_back(name);
    }
    for (const std::string& name : names)
        if (!DeleteRegValue(key, name.c_str())) return false;
    RegKey doomed(key);
    if (!doomed.Delete()) {
        char name[600];
        key.FormatLong(name, sizeof name);
        Report("Unable to delete registration key %s", name);
        return false;
    }
    sink_->RegKeyDeleted(key);
    return true;
}

bool InstallOperations::SetRegValue(const RegKey& key, const char* name, std::uint32_t type, std::uint32_t size,
                                    const void* data)
{
    std::uint32_t formerType = 0, formerSize = 0;
    std::unique_ptr<unsigned char[]> former;
    if (key.Exists()) {
        RegKey probe(key);
        former.reset(probe.QueryValue(name, formerType, formerSize));
    } else if (!CreateRegKey(key)) {
        return false;
    }
    RegKey target(key);
    if (!target.SetValue(name, type, size, data)) {
        char text[600];
        key.FormatLong(text, sizeof text);
        Report("Unable to set or create registration key %s", text);
        return false;
    }
    if (former) sink_->RegValueChanged(key, name, formerType, formerSize, former.get());
    else sink_->RegValueCreated(key, name);
    return true;
}

bool InstallOperations::SetRegString(const RegKey& key, const char* name, const char* text)
{
    return SetRegValue(key, name, kRegSz, static_cast<std::uint32_t>(std::strlen(text) + 1), text);
}

bool InstallOperations::DeleteRegValue(const RegKey& key, const char* name)
{
    RegKey probe(key);
    std::uint32_t type = 0, size = 0;
    std::unique_ptr<unsigned char[]> former(probe.QueryValue(name, type, size));
    if (!former) return true;
    RegKey target(key);
    if (!target.DeleteValue(name)) {
        char text[600];
        key.FormatLong(text, sizeof text);
        Report("Unable to set or create registration key %s", text);
        return false;
    }
    sink_->RegValueDeleted(key, name, type, size, former.get());
    return true;
}

bool InstallOperations::RegKeyHasSubkeys(const RegKey& key)
{
    return key.CountSubkeys() > 0;
}

bool InstallOperations::RegKeyHasValues(const RegKey& key)
{
    return key.CountValues() > 0;
}

// ---- INI files -----------------------------------------------------------------------------

bool InstallOperations::SetIniEntry(const char* file, const char* section, const char* entry, const char* value)
{
    if (!EnsureParentPath(file)) return false;
    const bool fileExisted = PathExists(file);
    const bool sectionExisted = fileExisted && CountIniSectionLines(file, section) >= 0;
    char former[kIniTextSize] = {};
    const bool entryExisted = sectionExisted && GetIniEntry(file, section, entry, 0, former, sizeof former);
    if (!kw::SetIniEntry(file, section, entry, value, 0)) {
        Report("Unable to set INI entry %s in file %s", entry, file);
        return false;
    }
    if (!fileExisted) sink_->FileCreated(file);
    if (!sectionExisted) sink_->IniSectionCreated(file, section);
    if (entryExisted) sink_->IniEntryChanged(file, section, entry, former, 0);
    else sink_->IniEntryCreated(file, section, entry, 0);
    return true;
}

bool InstallOperations::AddIniSection(const char* file, const char* section)
{
    if (!EnsureParentPath(file)) return false;
    const bool fileExisted = PathExists(file);
    if (fileExisted && CountIniSectionLines(file, section) >= 0) return true;
    if (!kw::AddIniSection(file, section)) {
        Report("Unable to add INI section %s in file %s", section, file);
        return false;
    }
    if (!fileExisted) sink_->FileCreated(file);
    sink_->IniSectionCreated(file, section);
    return true;
}

bool InstallOperations::DeleteIniSection(const char* file, const char* section)
{
    if (!PathExists(file) || CountIniSectionLines(file, section) < 0) return true;
    // Every entry first, each logged with its value.
    for (;;) {
        char name[kIniTextSize] = {}, value[kIniTextSize] = {};
        if (!GetIniEntryAt(file, section, 0, name, value, sizeof value)) break;
        if (!DeleteIniEntry(file, section, name, 0)) return false;
    }
    if (!kw::DeleteIniSection(file, section)) {
        Report("Unable to del INI section %s in file %s", section, file);
        return false;
    }
    iniFilesEmptied_.insert(fw::ToUpperAscii(file));
    sink_->IniSectionDeleted(file, section);
    return true;
}

bool InstallOperations::IniSectionHasEntries(const char* file, const char* section)
{
    return CountIniSectionLines(file, section) > 0;
}

bool InstallOperations::InsertIniEntry(const char* file, const char* section, const char* entry, const char* value,
                                       int index)
{
    if (!EnsureParentPath(file)) return false;
    const bool fileExisted = PathExists(file);
    const bool sectionExisted = fileExisted && CountIniSectionLines(file, section) >= 0;
    const int count = sectionExisted ? std::max(0, CountIniEntries(file, section, entry)) : 0;
    if (index < 0 || index > count) index = count;
    if (!kw::InsertIniEntry(file, section, entry, value, index)) {
        Report("Unable to insert INI entry %s", entry);
        return false;
    }
    if (!fileExisted) sink_->FileCreated(file);
    if (!sectionExisted) sink_->IniSectionCreated(file, section);
    sink_->IniEntryCreated(file, section, entry, index);
    return true;
}

bool InstallOperations::AppendIniEntry(const char* file, const char* section, const char* entry, const char* value)
{
    return InsertIniEntry(file, section, entry, value, 1 << 30);
}

bool InstallOperations::ReplaceIniEntry(const char* file, const char* section, const char* entry, const char* value,
                                        int index)
{
    char former[kIniTextSize] = {};
    if (!PathExists(file) || !GetIniEntry(file, section, entry, index, former, sizeof former))
        return AppendIniEntry(file, section, entry, value);
    if (!kw::SetIniEntry(file, section, entry, value, index)) {
        Report("Unable to set INI entry %s", entry);
        return false;
    }
    sink_->IniEntryChanged(file, section, entry, former, index);
    return true;
}

bool InstallOperations::DeleteIniEntry(const char* file, const char* section, const char* entry, int index)
{
    char former[kIniTextSize] = {};
    if (!PathExists(file) || !GetIniEntry(file, section, entry, index, former, sizeof former)) return true;
    if (!kw::DeleteIniEntry(file, section, entry, index)) {
        Report("Unable to del INI entry %s", entry);
        return false;
    }
    sink_->IniEntryDeleted(file, section, entry, former, index);
    return true;
}

// ---- Program Manager -----------------------------------------------------------------------

bool InstallOperations::CreateGroup(const char* group)
{
    ProgmanSession pm(*this);
    if (!pm) return false;
    if (pm->GroupExists(group)) return true;
    if (!pm->CreateGroup(group)) {
        Report("Unable to create group %s", group);
        return false;
    }
    sink_->GroupCreated(group);
    return true;
}

bool InstallOperations::AddProgmanItem(const char* group, const ProgmanItem& item, bool complete)
{
    ProgmanSession pm(*this);
    if (!pm) return false;
    if (!CreateGroup(group) || !DeleteProgmanItem(group, item.name)) return false;
    if (!pm->ShowGroup(group, 9)) {
        Report("Unable to show group %s", group);
        return false;
    }
    bool added = false;
    if (complete || item.workingDirectory[0] || item.hotKey) {
        added = pm->AddItem(item);
    } else {
        added = pm->AddItem(item.name, item.commandLine, item.iconPath, item.iconIndex, "");
    }
    if (!added) {
        Report("Unable to create PM item %s", item.name);
        return false;
    }
    sink_->ItemCreated(group, item.name);
    return true;
}

bool InstallOperations::AddProgmanItem(const char* group, const unsigned char* record)
{
    ProgmanItem item;
    UnpackItem(record, item);
    return AddProgmanItem(group, item, true);
}

bool InstallOperations::DeleteProgmanItem(const char* group, const char* name)
{
    ProgmanSession pm(*this);
    if (!pm) return false;
    ProgmanItem item;
    if (!pm->ItemExists(group, name) || !pm->GetItem(group, name, item)) return true;
    if (!pm->ShowGroup(group, 9)) {
        Report("Unable to show group %s", group);
        return false;
    }
    if (!pm->DeleteItem(name)) {
        Report("Unable to delete PM item %s", name);
        return false;
    }
    unsigned char record[kProgmanItemSize];
    PackItem(item, record);
    sink_->ItemDeleted(group, record);
    return true;
}

bool InstallOperations::DeleteGroup(const char* group)
{
    ProgmanSession pm(*this);
    if (!pm) return false;
    if (!pm->GroupExists(group)) return true;
    ProgmanGroupItems items;
    pm->GetGroupItems(group, items);
    if (!pm->DeleteGroup(group)) {
        Report("Unable to delete group %s", group);
        return false;
    }
    // The items are logged last first: the uninstaller undoes the newest record first, so
    // they come back in the group's own order.
    for (int n = items.count - 1; n >= 0; --n) {
        unsigned char record[kProgmanItemSize];
        PackItem(items.items[n], record);
        sink_->ItemDeleted(group, record);
    }
    delete[] items.items;
    sink_->GroupDeleted(group);
    return true;
}

bool InstallOperations::GroupHasItems(const char* group)
{
    ProgmanSession pm(*this);
    if (!pm) return false;
    ProgmanGroupItems items;
    const bool listed = pm->GetGroupItems(group, items);
    delete[] items.items;
    return listed && items.count > 0;
}

// ---- fonts, servers and mapped INI files ---------------------------------------------------

namespace {

std::string VersionKey()
{
    const char* version = GetOsInfo().CurrentVersionKey();
    return version ? version : "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
}

// A file's name without its extension (a leading dot is part of the name).
std::string NameWithoutExtension(const char* path)
{
    std::string name = FileNamePart(path);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    return name;
}

} // namespace

bool InstallOperations::InstallFont(const char* path)
{
    if (!PathExists(path)) {
        Report("Unable to install font");
        return false;
    }
    // A font in the fonts directory is listed by its name, any other by its full path.
    PathBuffer windows, fonts;
    const char* inside = WindowsDirectory(windows) && JoinPath(fonts, windows.Text(), "FONTS")
                             ? IsInsideDirectory(path, fonts.Text())
                             : nullptr;
    const bool inFonts = inside && !std::strchr(inside, '\\');
    const RegKey list(RegKey::kLocalMachine, (VersionKey() + "\\Fonts").c_str());
    if (!SetRegString(list, (NameWithoutExtension(path) + " (TrueType)").c_str(), inFonts ? FileNamePart(path) : path)) {
        Report("Unable to install font");
        return false;
    }
    sink_->FontInstalled(path);
    return true;
}

bool InstallOperations::RemoveFont(const char*)
{
    // The font list's entry has a record of its own, which removes it.
    return true;
}

std::string InstallOperations::ServerClassId(const char* path)
{
    // Two FNV-1a hashes of the upper-cased file name give the 128 bits of the id, so that the
    // same server file has the same id on every machine.
    const std::string name = fw::ToUpperAscii(FileNamePart(path));
    std::uint64_t a = 0xcbf29ce484222325ull, b = 0x84222325cbf29ce4ull;
    for (unsigned char c : name) {
        a = (a ^ c) * 0x100000001b3ull;
        b = (b ^ (c + 0x5Bu)) * 0x100000001b3ull;
    }
    char id[40];
    std::snprintf(id, sizeof id, "{%08X-%04X-%04X-%04X-%012llX}", static_cast<unsigned>(a >> 32),
                  static_cast<unsigned>((a >> 16) & 0xFFFF), static_cast<unsigned>(a & 0xFFFF),
                  static_cast<unsigned>(b >> 48), static_cast<unsigned long long>(b & 0xFFFFFFFFFFFFull));
    return id;
}

bool InstallOperations::RegisterOleServer(const char* path, bool doRegister)
{
    const std::string id = ServerClassId(path);
    const std::string name = NameWithoutExtension(path);
    const std::string classKey = "CLSID\\" + id;
    bool ok;
    if (doRegister) {
        const char* server = HasExtension(path, ".exe") ? "\\LocalServer32" : "\\InprocServer32";
        ok = SetRegString(RegKey(RegKey::kClassesRoot, (classKey + server).c_str()), "", path) &&
             SetRegString(RegKey(RegKey::kClassesRoot, (name + "\\CLSID").c_str()), "", id.c_str());
    } else {
        ok = DeleteRegKey(RegKey(RegKey::kClassesRoot, classKey.c_str())) &&
             DeleteRegKey(RegKey(RegKey::kClassesRoot, name.c_str()));
    }
    if (!ok) Report(doRegister ? "Unable to register OLE2 server %s" : "Unable to unregister OLE2 server %s", path);
    return ok;
}

bool InstallOperations::MapIniFile(const char* path, const char* section, const char* entry, RegKey& key)
{
    PathBuffer windows, directory;
    if (!WindowsDirectory(windows) || !DirectoryOf(path, directory) || !SamePath(directory.Text(), windows.Text()))
        return false;
    RegKey file(RegKey::kLocalMachine, (VersionKey() + "\\IniFileMapping\\" + FileNamePart(path)).c_str());
    if (!file.Exists()) return false;
    // The section's own key names the entry's place, else the file's value for the section,
    // else the file's default.
    char mapping[RegKey::kPathSize] = {};
    RegKey sectionKey(RegKey::kLocalMachine, (std::string(file.Path()) + "\\" + section).c_str());
    bool found = sectionKey.Exists() && (sectionKey.QueryString(entry, mapping, sizeof mapping) ||
                                         sectionKey.QueryString("", mapping, sizeof mapping));
    if (!found) found = file.QueryString(section, mapping, sizeof mapping) || file.QueryString("", mapping, sizeof mapping);
    if (!found) return false;
    const char* text = mapping[0] == '#' ? mapping + 1 : mapping;
    int root;
    if (strncasecmp(text, "USR:", 4) == 0) root = RegKey::kCurrentUser;
    else if (strncasecmp(text, "SYS:", 4) == 0) root = RegKey::kLocalMachine;
    else return false;
    return key.Set(root, text + 4);
}

} // namespace kw
