// Choice lists: named, persistent lists of short texts with numeric ids (telescopes, eyepieces,
// filters, locations, sky conditions, object types). Records refer to entries by id.
//
// A list has a binary record (version 4) in the persistent streams and a one-line text form:
//   <CBidV1=10|NAME=OBJECT TYPES|1=Galaxy|2=Open Cluster|EndCBidV1=10>
// in which no token is longer than 49 characters and a line carries at most 499 entries.
#pragma once

#include <cstdint>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace fw { class ipstream; }
namespace fw { class opstream; }

// One choice. A valid entry has a non-empty text and an id other than 0.
struct CBentry {
    std::string text;
    std::int32_t id = 0;

    CBentry() = default;
    CBentry(std::string t, std::int32_t i) : text(std::move(t)), id(i) {}
    friend bool operator==(const CBentry& a, const CBentry& b) { return a.text == b.text && a.id == b.id; }
    friend bool operator!=(const CBentry& a, const CBentry& b) { return !(a == b); }
};

class CBdata {
public:
    static constexpr std::int32_t kVersion = 4;
    // Longest token of the text form, and the most passes its reader makes (entries + end).
    static constexpr std::size_t kMaxToken = 49;
    static constexpr int kMaxTextPasses = 500;

    CBdata();
    CBdata(std::int32_t listId, const std::string& name);
    CBdata(const CBdata& other);
    // Copies count, list id, name, current id and the entries; version and text-read state stay.
    CBdata& operator=(const CBdata& other);
    virtual ~CBdata() = default;

    std::int32_t Count() const { return count_; }
    std::int32_t ListId() const { return listId_; }
    const std::string& Name() const { return name_; }
    std::int32_t CurrentId() const { return currentId_; }
    void SetCurrentId(std::int32_t id) { currentId_ = id; }
    std::int32_t Version() const { return version_; }
    // -1 never read from text, 1 the last text read succeeded, 0 it failed.
    std::int32_t TextReadState() const { return textReadState_; }
    const std::vector<CBentry>& Entries() const { return entries_; }

    // "error reading combobox data" when the index is out of range.
    std::string TextAt(std::int32_t index) const;
    // 0 when the index is out of range.
    std::int32_t IdAt(std::int32_t index) const;
    std::int32_t IndexOfId(std::int32_t id) const;
    std::string TextForId(std::int32_t id) const;

    // Removes every entry and the current id; list id, name and version stay.
    void Clear();
    // Appends an entry; id 0 takes the largest id + 1 (at least 2). Refuses (result 0) an
    // empty text, a text or an id already present. Result: the new entry's index.
    std::int32_t AddEntry(const std::string& text, std::int32_t id);
    // Adds a new id, or renames the entry of an existing one; the result says what happened.
    // A text that another entry holds is refused (nothing changes) with a message saying so.
    std::string AddOrReplace(const CBentry& entry);
    // 1 when an entry with the id was removed, 0 when none had it.
    std::int32_t RemoveId(std::int32_t id);

    void Read(fw::ipstream& in);
    void Write(fw::opstream& out) const;
    // Reads one text line; on failure the text-read state is 0 and the stream is rewound to 0.
    void ReadText(std::istream& in);
    // Writes the list as one text line; entries whose text would not read back (longer than
    // a token, or holding "|") are left out.
    void WriteText(std::ostream& out) const;
    // Whether a text reads back from the text form: not empty, at most a token long, and
    // without "|" or a line break. What the user types is held to it.
    static bool FitsTextForm(const std::string& text);

private:
    struct Seen;
    std::int32_t AddEntry(const std::string& text, std::int32_t id, Seen& seen);
    void ReadTextFailed(std::istream& in);

    std::int32_t currentId_ = 0;
    std::int32_t version_ = kVersion;
    std::int32_t listId_ = 0;
    std::string name_ = "NO INIT YET";
    std::int32_t count_ = 0;
    std::vector<CBentry> entries_;
    std::int32_t textReadState_ = -1;
};
