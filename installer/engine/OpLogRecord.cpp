#include "installer/engine/OpLogRecord.h"

#include "installer/support/CheckFailed.h"
#include "installer/support/ResString.h"

#include <cctype>
#include <cstring>
#include <new>

namespace kw {

namespace {

std::string Number(long long v) { return std::to_string(v); }

bool ReadBoundedBlock(PortableReader& r, uint32_t size, size_t available,
                      std::vector<unsigned char>& data)
{
    // The stored size is only believed when the file still holds that many bytes.
    if (size > available) return false;
    try {
        data.assign(size, 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return size == 0 || r.ReadBlock(data.data(), static_cast<long>(size));
}

// A record of one or two strings whose undo is one call.
class SimpleRecord : public StringsRecord {
public:
    using UndoFn = UndoResult (*)(UndoOperations&, const SimpleRecord&);
    SimpleRecord(OpType type, int count, int summary, int detail, UndoFn undo)
        : StringsRecord(count), type_(type), summary_(summary), detail_(detail), undo_(undo) {}
    OpType TypeCode() const override { return type_; }
    UndoResult Undo(UndoOperations& ops) override { return undo_ ? undo_(ops, *this) : UndoResult::kFailed; }
    bool IsUndoable() const override { return type_ != OpType::kFileDeleted; }
    const char* S(int i) const { return Text(i).Text(); }

protected:
    int SummaryId() const override { return summary_; }
    int DetailId() const override { return detail_; }
    std::vector<std::string> SummaryArgs() const override
    {
        // The moved file and the created item are named by their first / second string.
        if (type_ == OpType::kItemCreated) return {S(1)};
        return {S(0)};
    }

private:
    OpType type_;
    int summary_, detail_;
    UndoFn undo_;
};

UndoResult Done(bool ok) { return ok ? UndoResult::kUndone : UndoResult::kFailed; }

// Asks whether to remove a container that still holds something; No, the default, keeps it.
bool AskKeep(UndoOperations& ops, int textId, const char* value, int captionId)
{
    std::string text = FormatWithValues(ResText(textId).c_str(), {value});
    return ops.Ask(text.c_str(), ResText(captionId).c_str(), nullptr, nullptr, 2) != 1;
}

UndoResult UndoDirectoryCreated(UndoOperations& ops, const SimpleRecord& r)
{
    // The newer records have taken out what the install put inside. Whatever is left is a
    // file or directory that the log keeps, or one that the user (or the installed program
    // for the user) made: the directory stays with it, without a question.
    if (ops.DirectoryNotEmpty(r.S(0))) return UndoResult::kKept;
    return Done(ops.RemoveDirectoryTree(r.S(0)));
}

UndoResult UndoFileCreated(UndoOperations& ops, const SimpleRecord& r)
{
    if (ops.FileKept(r.S(0))) return UndoResult::kKept;
    int count = ops.SharedDllCount(r.S(0));
    if (count <= 0) return Done(ops.DeleteFile(r.S(0)));
    if (count == 1) {
        std::string text = FormatWithValues(ResText(4).c_str(), {r.S(0)});
        std::string first = ResText(68), second = ResText(67);
        if (ops.Ask(text.c_str(), ResText(70).c_str(), first.c_str(), second.c_str(), 1) == 1) {
            ops.SettleSharedCount(r.S(0), true);
            return UndoResult::kKept;
        }
        ops.DeleteSharedDllValue(r.S(0));
        ops.SettleSharedCount(r.S(0), false);
        return Done(ops.DeleteFile(r.S(0)));
    }
    ops.ReleaseSharedDllRef(r.S(0));
    ops.SettleSharedCount(r.S(0), false);
    return UndoResult::kUndone;
}

UndoResult UndoSectionCreated(UndoOperations& ops, const SimpleRecord& r)
{
    if (ops.IniSectionHasEntries(r.S(0), r.S(1)) && AskKeep(ops, 145, r.S(1), 146)) {
        ops.KeepFile(r.S(0)); // the file that the install made for the section stays with it
        return UndoResult::kKept;
    }
    return Done(ops.DeleteIniSection(r.S(0), r.S(1)));
}

UndoResult UndoGroupCreated(UndoOperations& ops, const SimpleRecord& r)
{
    if (ops.GroupHasItems(r.S(0)) && AskKeep(ops, 147, r.S(0), 148)) return UndoResult::kKept;
    return Done(ops.DeleteGroup(r.S(0)));
}

OpLogRecordPtr Simple(OpType type, int count, int summary, int detail, SimpleRecord::UndoFn fn)
{
    return OpLogRecordPtr(new (std::nothrow) SimpleRecord(type, count, summary, detail, fn));
}

template <class T, class... A>
OpLogRecordPtr Make(A... args)
{
    return OpLogRecordPtr(new (std::nothrow) T(args...));
}

} // namespace

std::string FormatWithValues(const char* format, const std::vector<std::string>& values)
{
    std::string out;
    size_t next = 0;
    for (const char* p = format; *p; ++p) {
        if (*p != '%') {
            out += *p;
            continue;
        }
        if (p[1] == '%') {
            out += '%';
            ++p;
            continue;
        }
        const char* q = p + 1;
        while (*q && std::strchr("-+ #0123456789.lhz", *q)) ++q;
        if (!*q) break;
        if (next < values.size()) out += values[next];
        ++next;
        p = q;
    }
    return out;
}

std::string OpLogRecord::Summary() const
{
    return FormatWithValues(ResText(SummaryId()).c_str(), SummaryArgs());
}

std::string OpLogRecord::Detail() const
{
    return FormatWithValues(ResText(DetailId()).c_str(), DetailArgs());
}

std::string OpLogRecord::TypeName() const { return ResText(156 + static_cast<int>(TypeCode())); }

bool OpLogRecord::CanSwitchTo(int choice) const
{
    return (choice_ == kChoiceUndo && choice == kChoiceKeep) ||
           (choice_ == kChoiceKeep && choice == kChoiceUndo);
}

bool OpLogRecord::Write(PortableWriter& writer) const
{
    return writer.WriteInt(static_cast<int>(TypeCode())) && writer.WriteInt(state_) &&
           WriteFields(writer);
}

bool OpLogRecord::Read(PortableReader& reader, size_t available)
{
    if (!reader.ReadInt(state_)) return false;
    if (state_ < 0 || state_ > 2) return false; // a damaged log is refused, never guessed at
    if (!ReadFields(reader, available)) return false;
    choice_ = !IsUndoable() ? kChoiceNever : state_ == 0 ? kChoiceUndo : kChoiceKeep;
    return true;
}

// --- strings records -----------------------------------------------------------------------

bool StringsRecord::WriteFields(PortableWriter& w) const
{
    for (int i = 0; i < count_; ++i)
        if (!w.WriteString(text_[i])) return false;
    return true;
}

bool StringsRecord::ReadFields(PortableReader& r, size_t)
{
    for (int i = 0; i < count_; ++i)
        if (!r.ReadString(text_[i])) return false;
    return true;
}

std::vector<std::string> StringsRecord::SummaryArgs() const { return {text_[0].Text()}; }

std::vector<std::string> StringsRecord::DetailArgs() const
{
    std::vector<std::string> v;
    for (int i = 0; i < count_; ++i) v.push_back(text_[i].Text());
    return v;
}

bool FileExtendedRecord::WriteFields(PortableWriter& w) const
{
    return StringsRecord::WriteFields(w) && w.WriteRaw4(length);
}

bool FileExtendedRecord::ReadFields(PortableReader& r, size_t available)
{
    return StringsRecord::ReadFields(r, available) && r.ReadRaw4(length);
}

UndoResult FileExtendedRecord::Undo(UndoOperations& ops) { return Done(ops.SetFileLength(Text(0).Text(), length)); }

std::vector<std::string> FileExtendedRecord::DetailArgs() const
{
    return {Text(0).Text(), Number(length)};
}

bool AttributesChangedRecord::WriteFields(PortableWriter& w) const
{
    return StringsRecord::WriteFields(w) && w.WriteRaw4(former) && w.WriteRaw4(current);
}

bool AttributesChangedRecord::ReadFields(PortableReader& r, size_t available)
{
    return StringsRecord::ReadFields(r, available) && r.ReadRaw4(former) && r.ReadRaw4(current);
}

UndoResult AttributesChangedRecord::Undo(UndoOperations& ops)
{
    return Done(ops.SetFileAttributes(Text(0).Text(), former));
}

// --- INI records ---------------------------------------------------------------------------

bool IniEntryRecord::WriteFields(PortableWriter& w) const
{
    return w.WriteString(file) && w.WriteString(section) && w.WriteString(entry) &&
           (!withValue_ || w.WriteString(value)) && w.WriteInt(index);
}

bool IniEntryRecord::ReadFields(PortableReader& r, size_t)
{
    return r.ReadString(file) && r.ReadString(section) && r.ReadString(entry) &&
           (!withValue_ || r.ReadString(value)) && r.ReadInt(index);
}

UndoResult IniEntryRecord::Undo(UndoOperations& ops)
{
    switch (type_) {
    case OpType::kIniEntryCreated:
        return Done(ops.DeleteIniEntry(file.Text(), section.Text(), entry.Text(), index));
    case OpType::kIniEntryDeleted:
        return Done(ops.InsertIniEntry(file.Text(), section.Text(), entry.Text(), value.Text(), index));
    default:
        return Done(ops.ReplaceIniEntry(file.Text(), section.Text(), entry.Text(), value.Text(), index));
    }
}

int IniEntryRecord::SummaryId() const
{
    return type_ == OpType::kIniEntryCreated ? 172 : type_ == OpType::kIniEntryDeleted ? 174 : 175;
}

std::vector<std::string> IniEntryRecord::DetailArgs() const
{
    std::vector<std::string> v{file.Text(), section.Text(), entry.Text(), Number(index)};
    if (withValue_) v.push_back(value.Text());
    return v;
}

// --- Program Manager item ------------------------------------------------------------------

namespace {
// Fields of the item record: five 4-byte ints, then name (60), command (512), icon (260),
// working directory (260).
std::string ItemText(const unsigned char* item, size_t offset, size_t size)
{
    const char* p = reinterpret_cast<const char*>(item + offset);
    return std::string(p, strnlen(p, size));
}
} // namespace

std::string ItemDeletedRecord::ItemName() const { return ItemText(item, 20, 60); }

bool ItemDeletedRecord::WriteFields(PortableWriter& w) const
{
    return w.WriteString(group) && w.WriteRaw(item, sizeof item);
}

bool ItemDeletedRecord::ReadFields(PortableReader& r, size_t)
{
    return r.ReadString(group) && r.ReadRaw(item, sizeof item);
}

UndoResult ItemDeletedRecord::Undo(UndoOperations& ops) { return Done(ops.AddProgmanItem(group.Text(), item)); }

std::vector<std::string> ItemDeletedRecord::DetailArgs() const
{
    return {group.Text(), ItemName(), ItemText(item, 80, 512), ItemText(item, 592, 260),
            ItemText(item, 852, 260)};
}

// --- registry ------------------------------------------------------------------------------

bool RegistryRecord::WriteFields(PortableWriter& w) const
{
    if (!w.WriteObject(const_cast<RegKey&>(key))) return false;
    if (HasName() && !w.WriteString(name)) return false;
    if (!HasData()) return true;
    return w.WriteRaw4(valueType) && w.WriteRaw4(static_cast<uint32_t>(data.size())) &&
           w.WriteRaw(data.data(), static_cast<int>(data.size()));
}

bool RegistryRecord::ReadFields(PortableReader& r, size_t available)
{
    if (!r.ReadObject(key)) return false;
    if (HasName() && !r.ReadString(name)) return false;
    if (!HasData()) return true;
    uint32_t size;
    return r.ReadRaw4(valueType) && r.ReadRaw4(size) && ReadBoundedBlock(r, size, available, data);
}

UndoResult RegistryRecord::Undo(UndoOperations& ops)
{
    switch (type_) {
    case OpType::kRegKeyCreated: {
        // The values that the install set were taken out by their own records; a value still
        // there is kept (a shared file's count) or another's, and the key stays with it.
        if (ops.RegKeyHasValues(key)) return UndoResult::kKept;
        char text[600];
        key.FormatShort(text, sizeof text);
        if (ops.RegKeyHasSubkeys(key) && AskKeep(ops, 149, text, 150)) return UndoResult::kKept;
        return Done(ops.DeleteRegKey(key));
    }
    case OpType::kRegKeyDeleted: return Done(ops.CreateRegKey(key));
    default: break;
    }
    // A shared file's count that the file's own record has settled stays as that left it.
    bool kept = false;
    if (ops.SharedCountSettled(key, name.Text(), kept)) return kept ? UndoResult::kKept : UndoResult::kUndone;
    if (type_ == OpType::kRegValueCreated) return Done(ops.DeleteRegValue(key, name.Text()));
    return Done(ops.SetRegValue(key, name.Text(), valueType, static_cast<uint32_t>(data.size()), data.data()));
}

int RegistryRecord::SummaryId() const
{
    switch (type_) {
    case OpType::kRegKeyCreated: return 188;
    case OpType::kRegKeyDeleted: return 191;
    case OpType::kRegValueCreated: return 193;
    case OpType::kRegValueChanged: return 196;
    default: return 195;
    }
}

int RegistryRecord::DetailId() const { return HasName() ? 194 : 189; }

std::vector<std::string> RegistryRecord::SummaryArgs() const
{
    char text[600];
    key.FormatShort(text, sizeof text);
    if (HasName()) return {text, name.Text()};
    return {text};
}

std::vector<std::string> RegistryRecord::DetailArgs() const
{
    char text[600];
    key.FormatLong(text, sizeof text);
    if (HasName()) return {text, name.Text()};
    return {text};
}

// --- data block ----------------------------------------------------------------------------

bool DataBlockRecord::WriteFields(PortableWriter& w) const
{
    return w.WriteInt(value) && w.WriteInt(static_cast<int>(data.size())) &&
           w.WriteRaw(data.data(), static_cast<int>(data.size()));
}

bool DataBlockRecord::ReadFields(PortableReader& r, size_t available)
{
    int size;
    if (!r.ReadInt(value) || !r.ReadInt(size) || size < 0) return false;
    return ReadBoundedBlock(r, static_cast<uint32_t>(size), available, data);
}

std::vector<std::string> DataBlockRecord::SummaryArgs() const { return {Number(value)}; }

std::vector<std::string> DataBlockRecord::DetailArgs() const
{
    return {Number(value), Number(static_cast<long long>(data.size()))};
}

// --- factory -------------------------------------------------------------------------------

OpLogRecordPtr CreateOpLogRecord(int type)
{
    using T = OpType;
    switch (type) {
    case 0: return Simple(T::kDirectoryCreated, 1, 161, 162, UndoDirectoryCreated);
    case 1:
        return Simple(T::kDirectoryRemoved, 1, 163, 162,
                      [](UndoOperations& o, const SimpleRecord& r) { return Done(o.MakeDirectory(r.S(0))); });
    case 2:
        return Simple(T::kFileMoved, 2, 164, 165, [](UndoOperations& o, const SimpleRecord& r) {
            return Done(o.MoveFile(r.S(1), r.S(0)));
        });
    case 3: return Simple(T::kFileDeleted, 1, 166, 167, nullptr);
    case 4: return Simple(T::kFileCreated, 1, 168, 167, UndoFileCreated);
    case 5: return Make<FileExtendedRecord>();
    case 6: return Make<AttributesChangedRecord>();
    case 7: return Make<IniEntryRecord>(T::kIniEntryCreated, false);
    case 8: return Make<IniEntryRecord>(T::kIniEntryDeleted, true);
    case 9: return Make<IniEntryRecord>(T::kIniEntryChanged, true);
    case 10: return Simple(T::kIniSectionCreated, 2, 177, 179, UndoSectionCreated);
    case 11:
        return Simple(T::kIniSectionDeleted, 2, 178, 179, [](UndoOperations& o, const SimpleRecord& r) {
            return Done(o.AddIniSection(r.S(0), r.S(1)));
        });
    case 12: return Simple(T::kGroupCreated, 1, 182, 180, UndoGroupCreated);
    case 13:
        return Simple(T::kItemCreated, 2, 184, 185, [](UndoOperations& o, const SimpleRecord& r) {
            return Done(o.DeleteProgmanItem(r.S(0), r.S(1)));
        });
    case 14:
        return Simple(T::kGroupDeleted, 1, 183, 180,
                      [](UndoOperations& o, const SimpleRecord& r) { return Done(o.CreateGroup(r.S(0))); });
    case 15: return Make<ItemDeletedRecord>();
    case 16: return Make<RegistryRecord>(T::kRegKeyCreated);
    case 17: return Make<RegistryRecord>(T::kRegKeyDeleted);
    case 18: return Make<RegistryRecord>(T::kRegValueCreated);
    case 19: return Make<RegistryRecord>(T::kRegValueChanged);
    case 20: return Make<RegistryRecord>(T::kRegValueDeleted);
    case 21:
        return Simple(T::kFontInstalled, 1, 197, 167,
                      [](UndoOperations& o, const SimpleRecord& r) { return Done(o.RemoveFont(r.S(0))); });
    case 22: return Make<DataBlockRecord>();
    default: return nullptr;
    }
}

} // namespace kw
