#include "installer/engine/OpLog.h"

#include "framework/sys/WinFileSystem.h"
#include "installer/support/StdioFile.h"
#include "installer/support/CheckFailed.h"
#include "installer/support/FilePath.h"
#include "installer/support/PathBuffer.h"

#include <cstring>

namespace kw {

LogSink& NullLogSink()
{
    static LogSink sink;
    return sink;
}

bool OpLogHeader::Write(PortableWriter& w) const
{
    return w.WriteInt(dialogMode) && w.WriteInt(languageIndex) && w.WriteRaw4(scriptWord1) &&
           w.WriteRaw4(scriptWord2) && w.WriteRaw4(stepMilliseconds) && w.WriteString(productName);
}

bool OpLogHeader::Read(PortableReader& r)
{
    return r.ReadInt(dialogMode) && r.ReadInt(languageIndex) && r.ReadRaw4(scriptWord1) &&
           r.ReadRaw4(scriptWord2) && r.ReadRaw4(stepMilliseconds) && r.ReadString(productName);
}

OpLog::~OpLog() { Close(); }

bool OpLog::Create(const OpLogHeader& header, const char* directory)
{
    Close();
    PathBuffer dir, path;
    if (directory) {
        if (!dir.SetText(directory)) return false;
    } else if (!ModuleDirectory(dir)) {
        return false;
    }
    if (!JoinPath(path, dir.Text(), "kwlog3.nnn")) return false;
    file_ = fw::WinFileSystem::Open(path.Text(), "wb");
    if (!file_) return false;
    path_ = path.Text();
    StdioSink sink(file_);
    PortableWriter w(sink, false);
    if (!header.Write(w) || std::fflush(file_) != 0) {
        Close();
        return false;
    }
    return true;
}

void OpLog::Close()
{
    if (file_) std::fclose(file_);
    file_ = nullptr;
}

void OpLog::SetState(int state)
{
    if (state >= 0 && state <= 2) state_ = state;
}

void OpLog::Append(OpLogRecord& record)
{
    // A failed write is not reported: the change itself has already happened.
    if (!file_) return;
    record.SetState(state_);
    StdioSink sink(file_);
    PortableWriter w(sink, false);
    record.Write(w);
    std::fflush(file_);
}

void OpLog::Strings(int type, const char* a, const char* b)
{
    OpLogRecordPtr r = CreateOpLogRecord(type);
    auto* s = static_cast<StringsRecord*>(r.get());
    if (!s) return;
    s->Text(0).Assign(a);
    if (b) s->Text(1).Assign(b);
    Append(*s);
}

void OpLog::DirectoryCreated(const char* p) { Strings(0, p); }
void OpLog::DirectoryRemoved(const char* p) { Strings(1, p); }
void OpLog::FileMoved(const char* from, const char* to) { Strings(2, from, to); }
void OpLog::FileDeleted(const char* p) { Strings(3, p); }
void OpLog::FileCreated(const char* p) { Strings(4, p); }
void OpLog::IniSectionCreated(const char* f, const char* s) { Strings(10, f, s); }
void OpLog::IniSectionDeleted(const char* f, const char* s) { Strings(11, f, s); }
void OpLog::GroupCreated(const char* g) { Strings(12, g); }
void OpLog::ItemCreated(const char* g, const char* i) { Strings(13, g, i); }
void OpLog::GroupDeleted(const char* g) { Strings(14, g); }
void OpLog::FontInstalled(const char* p) { Strings(21, p); }

void OpLog::FileExtended(const char* path, uint32_t formerLength)
{
    FileExtendedRecord r;
    r.Text(0).Assign(path);
    r.length = formerLength;
    Append(r);
}

void OpLog::AttributesChanged(const char* path, uint32_t former, uint32_t current)
{
    AttributesChangedRecord r;
    r.Text(0).Assign(path);
    r.former = former;
    r.current = current;
    Append(r);
}

namespace {
void FillIni(IniEntryRecord& r, const char* f, const char* s, const char* e, const char* v, int i)
{
    r.file.Assign(f);
    r.section.Assign(s);
    r.entry.Assign(e);
    if (v) r.value.Assign(v);
    r.index = i;
}
} // namespace

void OpLog::IniEntryCreated(const char* f, const char* s, const char* e, int i)
{
    IniEntryRecord r(OpType::kIniEntryCreated, false);
    FillIni(r, f, s, e, nullptr, i);
    Append(r);
}

void OpLog::IniEntryDeleted(const char* f, const char* s, const char* e, const char* v, int i)
{
    IniEntryRecord r(OpType::kIniEntryDeleted, true);
    FillIni(r, f, s, e, v, i);
    Append(r);
}

void OpLog::IniEntryChanged(const char* f, const char* s, const char* e, const char* v, int i)
{
    IniEntryRecord r(OpType::kIniEntryChanged, true);
    FillIni(r, f, s, e, v, i);
    Append(r);
}

void OpLog::ItemDeleted(const char* group, const unsigned char* record)
{
    ItemDeletedRecord r;
    r.group.Assign(group);
    std::memcpy(r.item, record, sizeof r.item);
    Append(r);
}

void OpLog::RegKeyCreated(const RegKey& key)
{
    RegistryRecord r(OpType::kRegKeyCreated);
    r.key = key;
    Append(r);
}

void OpLog::RegKeyDeleted(const RegKey& key)
{
    RegistryRecord r(OpType::kRegKeyDeleted);
    r.key = key;
    Append(r);
}

void OpLog::RegValueCreated(const RegKey& key, const char* name)
{
    RegistryRecord r(OpType::kRegValueCreated);
    r.key = key;
    r.name.Assign(name);
    Append(r);
}

void OpLog::Value(int type, const RegKey& key, const char* name, uint32_t valueType,
                  uint32_t size, const void* data)
{
    RegistryRecord r(static_cast<OpType>(type));
    r.key = key;
    r.name.Assign(name);
    r.valueType = valueType;
    const auto* bytes = static_cast<const unsigned char*>(data);
    if (bytes) r.data.assign(bytes, bytes + size);
    Append(r);
}

void OpLog::RegValueChanged(const RegKey& k, const char* n, uint32_t t, uint32_t s, const void* d)
{
    Value(19, k, n, t, s, d);
}

void OpLog::RegValueDeleted(const RegKey& k, const char* n, uint32_t t, uint32_t s, const void* d)
{
    Value(20, k, n, t, s, d);
}

void OpLog::DataBlock(int value, int size, const void* data)
{
    DataBlockRecord r;
    r.value = value;
    const auto* bytes = static_cast<const unsigned char*>(data);
    if (bytes && size > 0) r.data.assign(bytes, bytes + size);
    Append(r);
}

// --- reading -------------------------------------------------------------------------------

OpLogReadResult ReadOpLog(const std::string& bytes, OpLogContents& out)
{
    out.records.clear();
    MemorySource source(bytes);
    PortableReader r(source, false);
    if (!out.header.Read(r)) return OpLogReadResult::kBadData;
    std::vector<OpLogRecordPtr> records;
    while (source.Position() < bytes.size()) {
        int type;
        if (!r.ReadInt(type)) return OpLogReadResult::kBadData;
        OpLogRecordPtr record = CreateOpLogRecord(type);
        if (!record || !record->Read(r, bytes.size() - source.Position()))
            return OpLogReadResult::kBadData;
        if (record->State() != 2) records.push_back(std::move(record));
    }
    out.records = std::move(records);
    return OpLogReadResult::kOk;
}

OpLogReadResult ReadOpLogFile(const char* path, OpLogContents& out)
{
    std::string bytes;
    switch (ReadWholeFile(path, bytes)) {
    case WholeFileRead::kCannotOpen: return OpLogReadResult::kCannotOpen;
    case WholeFileRead::kReadError: return OpLogReadResult::kBadData;
    case WholeFileRead::kOk: break;
    }
    return ReadOpLog(bytes, out);
}

bool LoadOpLog(const char* path, OpLogContents& out)
{
    switch (ReadOpLogFile(path, out)) {
    case OpLogReadResult::kOk: return true;
    case OpLogReadResult::kCannotOpen: Report("Unable to open %s", path); return false;
    case OpLogReadResult::kBadData: Report("Log file contains bad data"); return false;
    }
    return false;
}

std::string NumberedLogName(int number)
{
    char name[24];
    std::snprintf(name, sizeof name, "kwlog3.%03d", number);
    return name;
}

} // namespace kw
