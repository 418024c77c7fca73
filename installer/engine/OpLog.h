// The operation log "kwlog3.nnn": a header, then one record per change that the installer
// made, written as the changes are reported. 4-byte integers, no width byte.
#pragma once

#include "installer/engine/LogSink.h"
#include "installer/engine/OpLogRecord.h"
#include "installer/support/HeapString.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace kw {

struct OpLogHeader {
    int dialogMode = 0;        // the uninstaller's dialogs: 0 simple, 1 advanced, 2 unattended
    int languageIndex = 0;
    uint32_t scriptWord1 = 0;  // the install script header's two words, kept as read
    uint32_t scriptWord2 = 0;
    uint32_t stepMilliseconds = 100;
    HeapString productName;

    bool Write(PortableWriter& writer) const;
    bool Read(PortableReader& reader);
};

class OpLog : public LogSink {
public:
    OpLog() = default;
    ~OpLog() override;
    OpLog(const OpLog&) = delete;
    OpLog& operator=(const OpLog&) = delete;

    // Creates "kwlog3.nnn" in the directory (by default the installer's own) and writes the
    // header; false when the file cannot be made or written.
    bool Create(const OpLogHeader& header, const char* directory = nullptr);
    void Close();
    const std::string& Path() const { return path_; }
    int State() const override { return state_; }

    void SetState(int state) override;
    void DirectoryCreated(const char* path) override;
    void DirectoryRemoved(const char* path) override;
    void FileDeleted(const char* path) override;
    void FileMoved(const char* from, const char* to) override;
    void FileCreated(const char* path) override;
    void FileExtended(const char* path, uint32_t formerLength) override;
    void AttributesChanged(const char* path, uint32_t former, uint32_t current) override;
    void IniSectionCreated(const char* file, const char* section) override;
    void IniSectionDeleted(const char* file, const char* section) override;
    void IniEntryCreated(const char* file, const char* section, const char* entry, int index) override;
    void IniEntryDeleted(const char* file, const char* section, const char* entry,
                         const char* former, int index) override;
    void IniEntryChanged(const char* file, const char* section, const char* entry,
                         const char* former, int index) override;
    void GroupCreated(const char* group) override;
    void GroupDeleted(const char* group) override;
    void ItemCreated(const char* group, const char* item) override;
    void ItemDeleted(const char* group, const unsigned char* record) override;
    void RegKeyCreated(const RegKey& key) override;
    void RegKeyDeleted(const RegKey& key) override;
    void RegValueCreated(const RegKey& key, const char* name) override;
    void RegValueChanged(const RegKey& key, const char* name, uint32_t type, uint32_t size,
                         const void* data) override;
    void RegValueDeleted(const RegKey& key, const char* name, uint32_t type, uint32_t size,
                         const void* data) override;
    void FontInstalled(const char* path) override;
    void DataBlock(int value, int size, const void* data) override;

private:
    void Append(OpLogRecord& record);
    void Strings(int type, const char* a, const char* b = nullptr);
    void Value(int type, const RegKey& key, const char* name, uint32_t valueType, uint32_t size,
               const void* data);
    FILE* file_ = nullptr;
    std::string path_;
    int state_ = 0;
};

// The name of numbered log n ("kwlog3.000" ... "kwlog3.999") that the uninstaller undoes.
std::string NumberedLogName(int number);

// A log read back: its header and its records in file order, state-2 records dropped.
struct OpLogContents {
    OpLogHeader header;
    std::vector<OpLogRecordPtr> records;
};

enum class OpLogReadResult { kOk, kCannotOpen, kBadData };

// Reads a whole log from bytes or a file. A log that is damaged anywhere (an unknown type, a
// state outside 0-2, a size beyond the file, a record cut short) is refused whole.
OpLogReadResult ReadOpLog(const std::string& bytes, OpLogContents& out);
OpLogReadResult ReadOpLogFile(const char* path, OpLogContents& out);
// The same, reporting "Unable to open %s" or "Log file contains bad data".
bool LoadOpLog(const char* path, OpLogContents& out);

} // namespace kw
