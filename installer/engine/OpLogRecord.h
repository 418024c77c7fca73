// One change in the operation log "kwlog3.nnn": its type (0-22), the state it was written with,
// the uninstaller's choice for it, and its own fields; each type knows how to undo itself.
#pragma once

#include "installer/engine/UndoOperations.h"
#include "installer/support/HeapString.h"
#include "installer/support/LinkedList.h"
#include "installer/support/PortableStream.h"
#include "installer/support/RegKey.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kw {

enum class OpType {
    kDirectoryCreated = 0, kDirectoryRemoved, kFileMoved, kFileDeleted, kFileCreated,
    kFileExtended, kAttributesChanged, kIniEntryCreated, kIniEntryDeleted, kIniEntryChanged,
    kIniSectionCreated, kIniSectionDeleted, kGroupCreated, kItemCreated, kGroupDeleted,
    kItemDeleted, kRegKeyCreated, kRegKeyDeleted, kRegValueCreated, kRegValueChanged,
    kRegValueDeleted, kFontInstalled, kDataBlock
};
enum { kOpTypeCount = 23 };

// The uninstaller's choice for a record; after the undo, what became of it (kept: the undo
// left the change in place, at the user's word or because it was not the install's alone).
enum OpChoice { kChoiceUndo = 0, kChoiceKeep = 1, kChoiceNever = 2, kChoiceUndone = 3,
                kChoiceFailed = 4, kChoiceKept = 5, kChoiceUnset = -1 };

class OpLogRecord : public ListNode {
public:
    virtual ~OpLogRecord() = default;
    virtual OpType TypeCode() const = 0;
    virtual bool WriteFields(PortableWriter& writer) const = 0;
    // available: the bytes that the file still holds, which bounds every stored size.
    virtual bool ReadFields(PortableReader& reader, size_t available) = 0;
    virtual UndoResult Undo(UndoOperations& operations) = 0;
    virtual bool IsUndoable() const { return true; }
    std::string Summary() const;
    std::string Detail() const;
    std::string TypeName() const;

    int State() const { return state_; }
    void SetState(int state) { state_ = state; }
    int Choice() const { return choice_; }
    void SetChoice(int choice) { choice_ = choice; }
    bool CanSwitchTo(int choice) const;

    // Type code, state, fields.
    bool Write(PortableWriter& writer) const;
    // State and fields (the caller read the type code). A state other than 0-2 fails the read.
    // Then the choice: 0 for state 0, 1 for states 1 and 2; 2 for a record never undoable.
    bool Read(PortableReader& reader, size_t available);

protected:
    // Language string ids of the summary and detail texts, and the values they format.
    virtual int SummaryId() const = 0;
    virtual int DetailId() const = 0;
    virtual std::vector<std::string> SummaryArgs() const = 0;
    virtual std::vector<std::string> DetailArgs() const = 0;

private:
    int state_ = 0;
    int choice_ = kChoiceUnset;
};

using OpLogRecordPtr = std::unique_ptr<OpLogRecord>;

// A new, empty record of the type; null for a type outside 0-22.
OpLogRecordPtr CreateOpLogRecord(int type);

// Fills a language-library text: each printf conversion ("%s", "%d", "%lu" ...) takes the next
// value as text, so a text with unexpected conversions can never read a wrong argument.
std::string FormatWithValues(const char* format, const std::vector<std::string>& values);

// --- record classes ----------------------------------------------------------------------

// Records of one or two strings.
class StringsRecord : public OpLogRecord {
public:
    explicit StringsRecord(int count) : count_(count) {}
    bool WriteFields(PortableWriter& writer) const override;
    bool ReadFields(PortableReader& reader, size_t available) override;
    HeapString& Text(int i) { return text_[i]; }
    const HeapString& Text(int i) const { return text_[i]; }

protected:
    std::vector<std::string> SummaryArgs() const override;
    std::vector<std::string> DetailArgs() const override;
    int count_;
    HeapString text_[2];
};


class FileExtendedRecord : public StringsRecord {
public:
    FileExtendedRecord() : StringsRecord(1) {}
    OpType TypeCode() const override { return OpType::kFileExtended; }
    bool WriteFields(PortableWriter& writer) const override;
    bool ReadFields(PortableReader& reader, size_t available) override;
    UndoResult Undo(UndoOperations& ops) override;
    uint32_t length = 0;

protected:
    int SummaryId() const override { return 169; }
    int DetailId() const override { return 170; }
    std::vector<std::string> DetailArgs() const override;
};

class AttributesChangedRecord : public StringsRecord {
public:
    AttributesChangedRecord() : StringsRecord(1) {}
    OpType TypeCode() const override { return OpType::kAttributesChanged; }
    bool WriteFields(PortableWriter& writer) const override;
    bool ReadFields(PortableReader& reader, size_t available) override;
    UndoResult Undo(UndoOperations& ops) override;
    uint32_t former = 0, current = 0;

protected:
    int SummaryId() const override { return 171; }
    int DetailId() const override { return 167; }
};

// INI entry records: file, section, entry, [former value,] occurrence index.
class IniEntryRecord : public OpLogRecord {
public:
    IniEntryRecord(OpType type, bool withValue) : type_(type), withValue_(withValue) {}
    OpType TypeCode() const override { return type_; }
    bool WriteFields(PortableWriter& writer) const override;
    bool ReadFields(PortableReader& reader, size_t available) override;
    UndoResult Undo(UndoOperations& ops) override;
    HeapString file, section, entry, value;
    int index = 0;

protected:
    int SummaryId() const override;
    int DetailId() const override { return withValue_ ? 176 : 173; }
    std::vector<std::string> SummaryArgs() const override { return {entry.Text()}; }
    std::vector<std::string> DetailArgs() const override;

private:
    OpType type_;
    bool withValue_;
};

class ItemDeletedRecord : public OpLogRecord {
public:
    OpType TypeCode() const override { return OpType::kItemDeleted; }
    bool WriteFields(PortableWriter& writer) const override;
    bool ReadFields(PortableReader& reader, size_t available) override;
    UndoResult Undo(UndoOperations& ops) override;
    HeapString group;
    unsigned char item[1112] = {};
    std::string ItemName() const;

protected:
    int SummaryId() const override { return 186; }
    int DetailId() const override { return 187; }
    std::vector<std::string> SummaryArgs() const override { return {ItemName()}; }
    std::vector<std::string> DetailArgs() const override;
};

// Registry records: a key, for value records a name, for changed and deleted values the former
// type, size and data.
class RegistryRecord : public OpLogRecord {
public:
    explicit RegistryRecord(OpType type) : type_(type) {}
    OpType TypeCode() const override { return type_; }
    bool WriteFields(PortableWriter& writer) const override;
    bool ReadFields(PortableReader& reader, size_t available) override;
    UndoResult Undo(UndoOperations& ops) override;
    RegKey key;
    HeapString name;
    uint32_t valueType = 0;
    std::vector<unsigned char> data;

protected:
    int SummaryId() const override;
    int DetailId() const override;
    std::vector<std::string> SummaryArgs() const override;
    std::vector<std::string> DetailArgs() const override;

private:
    bool HasName() const { return type_ >= OpType::kRegValueCreated; }
    bool HasData() const { return type_ >= OpType::kRegValueChanged; }
    OpType type_;
};

class DataBlockRecord : public OpLogRecord {
public:
    OpType TypeCode() const override { return OpType::kDataBlock; }
    bool WriteFields(PortableWriter& writer) const override;
    bool ReadFields(PortableReader& reader, size_t available) override;
    UndoResult Undo(UndoOperations&) override { return UndoResult::kUndone; }
    int value = 0;
    std::vector<unsigned char> data;

protected:
    int SummaryId() const override { return 198; }
    int DetailId() const override { return 199; }
    std::vector<std::string> SummaryArgs() const override;
    std::vector<std::string> DetailArgs() const override;
};

} // namespace kw
