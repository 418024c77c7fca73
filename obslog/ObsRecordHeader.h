// The observing log's header: the number of records in a log file and the eight choice lists
// (object types, telescopes, eyepieces, filters, locations and the three sky conditions) whose
// entry ids the records hold.
//
// Binary form: word 4, record count, the eight lists in their binary form, word 4. The older
// tagged-text form (start tag, "<TOTAL RECORDS=n>", the eight lists as text, end tag) is read.
#pragma once

#include "ui/CBdata.h"

#include <cstdint>
#include <istream>
#include <string>

namespace fw { class ipstream; }
namespace fw { class opstream; }

class ObsRecordHeader {
public:
    static constexpr std::int32_t kVersion = 4;
    static constexpr int kListCount = 8;
    static constexpr int kMaxLists = 20;
    static constexpr std::size_t kMaxLine = 99;

    // Choice list ids, in list order.
    enum ListId : std::int32_t {
        ObjectTypes = 10,
        Telescopes = 20,
        Eyepieces = 30,
        Filters = 40,
        Locations = 50,
        SkyDarkness = 60,
        SkyTransparency = 70,
        SkyTurbulence = 80,
    };

    static const char* const kStartTag;
    static const char* const kEndTag;

    ObsRecordHeader();
    // The copy the list set-up dialog edits: count, lists, current list and list count; the
    // list-id table rebuilt as 10, 20, 30 ...; valid 0.
    ObsRecordHeader(const ObsRecordHeader& other);
    // Copies these and valid; the list-id table only while the list count is below 20.
    ObsRecordHeader& operator=(const ObsRecordHeader& other);

    std::int32_t Count() const { return count_; }
    void SetCount(std::int32_t count) { count_ = count; }
    // -1 after construction, 0 after a failed read, 1 after a tagged read.
    std::int32_t Valid() const { return valid_; }
    // 4, or -1 after a failed binary read.
    std::int32_t Version() const { return version_; }
    std::int32_t CurrentIndex() const { return current_; }
    std::int32_t ListCount() const { return listCount_; }

    CBdata& List(int index) { return lists_[index]; }
    const CBdata& List(int index) const { return lists_[index]; }
    CBdata& CurrentList() { return ListById(CurrentListId()); }
    std::string CurrentListName() const;
    std::int32_t CurrentListId() const;
    // Advances the current list; past the last one it stays on the last and answers -1.
    std::int32_t NextList();
    // Makes the list with the id current (the last of several; id 0: the first list) and
    // answers the current index; -1 and no change with a list count of 20 or more.
    std::int32_t SelectList(std::int32_t id);
    // The first list with the id; the object types when none has it.
    CBdata& ListById(std::int32_t id);
    const CBdata& ListById(std::int32_t id) const;

    void Write(fw::opstream& out) const;
    // Binary form. A bad version word, a damaged list or an early end makes the version -1
    // and valid 0; a good read leaves valid as it was.
    void Read(fw::ipstream& in);
    // Tagged-text form; valid 1 on success, else valid 0 and the input rewound to its start.
    void ReadTagged(std::istream& in);
    // The tagged-text form as the reader takes it.
    void WriteTagged(std::ostream& out) const;

private:
    void BuildListIds();
    void ReadFailed();

    std::int32_t count_ = 0;
    CBdata lists_[kListCount];
    std::int32_t valid_ = -1;
    std::int32_t current_ = 0;
    std::int32_t listCount_ = kListCount;
    std::int32_t listIds_[kMaxLists] = {};
    std::int32_t version_ = kVersion;
};
