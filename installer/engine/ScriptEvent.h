// Script events: every step of an install script is one event, a type code (0-53, no 13)
// with the shared base fields (log state, selection flag, condition, a kept text) and the
// fields of its class. The classes differ only in their stored fields, which each class
// describes as a layout: "i" int, "w" 4-byte word, "t" text, "p" path, "F" a list of file
// entries, "D" a list of directory entries.
#pragma once

#include "installer/engine/ScriptIO.h"
#include "installer/support/HeapString.h"
#include "installer/support/PathBuffer.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kw {

// One file of a file group, as the packer stored it.
struct FileEntry {
    enum Flags {
        kCompressed = 1,       // stored as a compressed member ("_" name, gzip stream)
        kInstalledSize = 2,    // installedSize is recorded
        kShared = 4,           // counted in the shared-DLL counts
        kFont = 8,             // installed as a font
        kSelfRegister = 16,    // registered as an OLE server
    };
    HeapString name;           // name within the group's source directory, and the target name
    HeapString targetName;     // empty: the same as name
    uint32_t storedSize = 0;   // bytes in the package
    uint32_t installedSize = 0;
    int flags = 0;
    uint16_t time[8] = {};     // year, month, day of week, day, hour, minute, second, ms
    uint32_t versionHigh = 0, versionLow = 0;
    int disk = 1;

    template <class IO>
    bool Serialize(IO& io)
    {
        if (!io.Str(name) || !io.Str(targetName) || !io.Word(storedSize) ||
            !io.Word(installedSize) || !io.Int(flags))
            return false;
        for (uint16_t& t : time) {
            uint32_t v = t;
            if (!io.Word(v)) return false;
            t = static_cast<uint16_t>(v);
        }
        return io.Word(versionHigh) && io.Word(versionLow) && io.Int(disk);
    }
};

// A directory that a file group makes even when no file goes into it.
struct DirectoryEntry {
    HeapString path; // relative to the group's target directory
    template <class IO>
    bool Serialize(IO& io) { return io.Str(path); }
};

class ScriptEvent {
public:
    explicit ScriptEvent(int code);
    virtual ~ScriptEvent() = default;

    // Base fields, then the class's fields. A log state outside 0-2 makes the event unreadable.
    virtual bool Read(ScriptIn& in);
    // The installer never writes events: a check failure, false.
    virtual bool Write(ScriptOut& out);
    int TypeCode() const { return code_; }
    // The event's share of the gauge (file groups: their installed size in KB).
    virtual int Size() const { return 0; }
    virtual int SecondQuery() const { return 0; }
    virtual bool Interpretable() const { return code_ != 9; }
    virtual bool BuildEvent() const { return code_ == 9 || code_ == 10; }
    virtual bool ReadFields(ScriptIn& in);

    // The authoring side's writer (the packer): type code, base fields, class fields.
    bool Store(ScriptOut& out);

    // Base fields.
    int logState = 0;
    int selection = 0;
    HeapString condition{"1"};
    HeapString note;

    // Class fields, each kind numbered from 0 in stored order.
    const char* Layout() const { return layout_; }
    int IntCount() const { return static_cast<int>(ints_.size()); }
    int TextCount() const { return static_cast<int>(texts_.size()); }
    int& Int(int i) { return ints_.at(i); }
    int Int(int i) const { return ints_.at(i); }
    uint32_t& Word(int i) { return words_.at(i); }
    HeapString& Text(int i) { return texts_.at(i); }
    const HeapString& Text(int i) const { return texts_.at(i); }
    PathBuffer& Path(int i) { return paths_.at(i); }
    std::vector<FileEntry>& Files() { return files_; }
    const std::vector<FileEntry>& Files() const { return files_; }
    std::vector<DirectoryEntry>& Directories() { return directories_; }

protected:
    template <class IO>
    bool Fields(IO& io);
    bool WriteFields(ScriptOut& out);

    int code_;
    const char* layout_;
    std::vector<int> ints_;
    std::vector<uint32_t> words_;
    std::vector<HeapString> texts_;
    std::vector<PathBuffer> paths_;
    std::vector<FileEntry> files_;
    std::vector<DirectoryEntry> directories_;
};

// The file-group event (code 3). Its ints: 0 group mode (0 compressed files, 1 plain files,
// 2 one transfer), 1 target through a DOS handle, 2 deferred comparison, 3 copy policy 0-6,
// 4 in-use policy 0-2, 5 policy outcome 0-5, 6 retry allowed, 7 attributes, 8 flags,
// 9 buffer KB, 10-12 kept. Texts: 0 group name, 1 source, 2 target directory, 3 description,
// 4 source name and 5 target name of a one-transfer group.
class FileGroupEvent : public ScriptEvent {
public:
    FileGroupEvent() : ScriptEvent(3) {}
    int Size() const override;
};

enum { kEventCodeCount = 54 };

// The type codes of the script's events (there is no code 13).
enum EventCode : int {
    kEventPause = 0,
    kEventUserName = 1,
    kEventSelectComponents = 2,
    kEventFileGroup = 3,
    kEventProgmanItem = 4,
    kEventIniEntry = 5,
    kEventRegistryValue = 6,
    kEventRunProgram = 7,
    kEventEndMode = 8,
    kEventBuildStep = 9,
    kEventStartupMerge = 10,
    kEventTextBlock = 11,
    kEventPrompt = 12,
    kEventWindowsDirectory = 14,
    kEventSharedDirectory = 15,
    kEventProgramDirectory = 16,
    kEventCdromQuery = 17,
    kEventSelectedSize = 18,
    kEventSetText = 19,
    kEventSetNumber = 20,
    kEventCompare = 21,
    kEventFileSearch = 22,
    kEventIniRead = 23,
    kEventRegistryRead = 24,
    kEventNumberToText = 25,
    kEventTextToNumber = 26,
    kEventSplitPath = 27,
    kEventQuestion = 28,
    kEventVersionQuery = 29,
    kEventProcessorQuery = 30,
    kEventFirstConstantTest = 31,
    kEventSecondConstantTest = 32,
    kEventShowIconWindow = 33,
    kEventHideIconWindow = 34,
    kEventShowFirstStatus = 35, // 35-40: three status texts, each shown, then hidden
    kEventHideLastStatus = 40,
    kEventUninstaller = 41,
    kEventMoveFile = 42,
    kEventDeleteFile = 43,
    kEventBackUpFile = 44,
    kEventDeleteProgmanItem = 45,
    kEventLanguageIndex = 46,
    kEventMakeDirectory = 47,
    kEventUserDialog = 48,
    kEventShowMessage = 49,
    kEventHideMessage = 50,
    kEventArgumentCount = 51,
    kEventArgument = 52,
    kEventDeleteProgmanGroup = 53,
};

// The stored layout of a code ("" for a class without fields), null for a code with no class.
// Codes 6 and 24 have a shorter layout in 16-bit scripts.
const char* EventLayout(int code, bool narrow = false);

} // namespace kw
