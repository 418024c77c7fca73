#include "ui/CBdata.h"

#include "framework/stream/PStream.h"
#include "framework/stream/StringUtil.h"

#include <algorithm>
#include <regex>
#include <unordered_set>

namespace {

// The most entries a binary record may announce; a larger count marks the record damaged.
constexpr std::uint32_t kMaxBinaryEntries = 100000;
// The end token is read to the end of its line, but never further than this.
constexpr std::size_t kMaxEndLine = 256;

// Reads up to `delimiter` (dropped) into `token`; false when the delimiter does not come within
// the token limit or the stream ends first.
bool ReadToken(std::istream& in, char delimiter, std::string& token)
{
    return fw::ReadUpTo(in, delimiter, CBdata::kMaxToken, token);
}

// The digits at the end of the first match of `pattern` in `text`, as an id; false when none.
bool IdFromMatch(const std::string& text, const std::regex& pattern, std::int32_t& id)
{
    static const std::regex trailingDigits("[0-9]+$");
    std::smatch match, digits;
    if (!std::regex_search(text, match, pattern))
        return false;
    const std::string found = match.str();
    if (!std::regex_search(found, digits, trailingDigits))
        return false;
    std::uint32_t value = 0;
    for (char c : digits.str())
        value = value * 10u + static_cast<std::uint32_t>(c - '0');
    id = static_cast<std::int32_t>(value);
    return true;
}

} // namespace

CBdata::CBdata() { entries_.reserve(6); }

CBdata::CBdata(std::int32_t listId, const std::string& name) : listId_(listId), name_(name) { entries_.reserve(6); }

CBdata::CBdata(const CBdata& other) : CBdata() { *this = other; }

CBdata& CBdata::operator=(const CBdata& other)
{
    if (this == &other)
        return *this;
    entries_.clear();
    count_ = other.count_;
    listId_ = other.listId_;
    name_ = other.name_;
    currentId_ = other.currentId_;
    entries_ = other.entries_;
    count_ = static_cast<std::int32_t>(entries_.size());
    return *this;
}

std::string CBdata::TextAt(std::int32_t index) const
{
    if (index < 0 || index >= count_)
        return "error reading combobox data";
    return entries_[static_cast<std::size_t>(index)].text;
}

std::int32_t CBdata::IdAt(std::int32_t index) const
{
    if (index < 0 || index >= count_)
        return 0;
    return entries_[static_cast<std::size_t>(index)].id;
}

std::int32_t CBdata::IndexOfId(std::int32_t id) const
{
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].id == id)
            return static_cast<std::int32_t>(i);
    return -1;
}

std::string CBdata::TextForId(std::int32_t id) const
{
    const std::int32_t i = IndexOfId(id);
    return i < 0 ? std::string() : entries_[static_cast<std::size_t>(i)].text;
}

void CBdata::Clear()
{
    entries_.clear();
    count_ = 0;
    currentId_ = 0;
}

// The texts and ids of a list and its largest id (compared unsigned, at least 1), so that a
// reader adds each entry without scanning the ones before it.
struct CBdata::Seen {
    std::unordered_set<std::string> texts;
    std::unordered_set<std::int32_t> ids;
    std::uint32_t largest = 1;

    explicit Seen(const std::vector<CBentry>& entries)
    {
        for (const auto& e : entries)
            Note(e);
    }
    void Note(const CBentry& e)
    {
        texts.insert(e.text);
        ids.insert(e.id);
        largest = std::max(largest, static_cast<std::uint32_t>(e.id));
    }
};

std::int32_t CBdata::AddEntry(const std::string& text, std::int32_t id)
{
    Seen seen(entries_);
    return AddEntry(text, id, seen);
}

std::int32_t CBdata::AddEntry(const std::string& text, std::int32_t id, Seen& seen)
{
    if (text.empty() || seen.texts.count(text) || seen.ids.count(id))
        return 0;
    if (id == 0) {
        id = static_cast<std::int32_t>(seen.largest + 1u);
        if (id == 0)  // every id is taken up to the top of the range
            return 0;
    }
    entries_.emplace_back(text, id);
    seen.Note(entries_.back());
    count_ = static_cast<std::int32_t>(entries_.size());
    return count_ - 1;
}

std::string CBdata::AddOrReplace(const CBentry& entry)
{
    if (entry.text.empty() || entry.id == 0)
        return "Invalid data sent to CBdata";
    const std::int32_t i = IndexOfId(entry.id);
    // Two entries of one text would not both read back: the second would be refused and lost.
    const auto sameText = std::find_if(entries_.begin(), entries_.end(),
                                       [&](const CBentry& e) { return e.text == entry.text; });
    if (i < 0) {
        if (sameText != entries_.end())
            return "Unable to add " + entry.text + ": another entry has that name";
        AddEntry(entry.text, entry.id);
        return "Adding " + entry.text;
    }
    CBentry& old = entries_[static_cast<std::size_t>(i)];
    if (old.text == entry.text)
        return std::string();
    if (sameText != entries_.end())
        return "Unable to rename " + old.text + " to " + entry.text + ": another entry has that name";
    const std::string message = "Replacing " + old.text + " with " + entry.text;
    old.text = entry.text;
    return message;
}

std::int32_t CBdata::RemoveId(std::int32_t id)
{
    const std::int32_t i = IndexOfId(id);
    if (i < 0)
        return 0;
    entries_.erase(entries_.begin() + i);
    count_ = static_cast<std::int32_t>(entries_.size());
    return 1;
}

void CBdata::Read(fw::ipstream& in)
{
    version_ = in.readInt32();
    if (version_ != kVersion) {
        version_ = -1;
        return;
    }
    listId_ = in.readInt32();
    name_ = in.readString();
    const std::uint32_t count = in.readWord32();
    if (count > kMaxBinaryEntries) {
        version_ = -1;
        return;
    }
    Seen seen(entries_);
    for (std::uint32_t i = 0; i < count && !in.fail(); ++i) {
        const std::int32_t id = in.readInt32();
        const std::string text = in.readString();
        if (in.fail())
            break;
        AddEntry(text, id, seen);
    }
    count_ = static_cast<std::int32_t>(entries_.size());
    if (in.readInt32() != kVersion || in.fail())
        version_ = -1;
}

void CBdata::Write(fw::opstream& out) const
{
    out.writeWord32(static_cast<std::uint32_t>(kVersion));
    out.writeWord32(static_cast<std::uint32_t>(listId_));
    out.writeString(name_);
    out.writeWord32(static_cast<std::uint32_t>(entries_.size()));
    for (const auto& e : entries_) {
        out.writeWord32(static_cast<std::uint32_t>(e.id));
        out.writeString(e.text);
    }
    out.writeWord32(static_cast<std::uint32_t>(kVersion));
}

void CBdata::ReadTextFailed(std::istream& in)
{
    count_ = static_cast<std::int32_t>(entries_.size());
    textReadState_ = 0;
    in.clear();
    in.seekg(0);
}

void CBdata::ReadText(std::istream& in)
{
    static const std::regex startToken("CBidV1=[0-9]+");
    static const std::regex endToken("EndCBidV1=[0-9]+");
    static const std::regex anyDigits("[0-9]+");

    Clear();
    std::string token;
    if (!ReadToken(in, '|', token) || !IdFromMatch(token, startToken, listId_))
        return ReadTextFailed(in);
    if (!ReadToken(in, '=', token) || !ReadToken(in, '|', token))
        return ReadTextFailed(in);
    name_ = token;

    Seen seen(entries_);
    for (int pass = 0; pass < kMaxTextPasses; ++pass) {
        if (in.peek() == 'E') {
            std::string line;
            for (int c = in.get(); c != std::char_traits<char>::eof() && c != '\n'; c = in.get())
                if (line.size() < kMaxEndLine)
                    line += static_cast<char>(c);
            std::int32_t endId = 0;
            if (!IdFromMatch(line, endToken, endId) || endId != listId_)
                return ReadTextFailed(in);
            count_ = static_cast<std::int32_t>(entries_.size());
            textReadState_ = 1;
            return;
        }
        std::int32_t id = 0;
        if (!ReadToken(in, '=', token) || !IdFromMatch(token, anyDigits, id))
            return ReadTextFailed(in);
        if (!ReadToken(in, '|', token) || token.empty())
            return ReadTextFailed(in);
        AddEntry(token, id, seen);
    }
    ReadTextFailed(in);
}

bool CBdata::FitsTextForm(const std::string& text)
{
    return !text.empty() && text.size() <= kMaxToken && text.find_first_of("|\n\r") == std::string::npos;
}

void CBdata::WriteText(std::ostream& out) const
{
    std::string name = name_.substr(0, kMaxToken);
    for (auto& c : name)
        if (c == '|' || c == '\n' || c == '\r')
            c = ' ';
    out << "<CBidV1=" << listId_ << "|NAME=" << name << "|";
    int written = 0;
    for (const auto& e : entries_) {
        if (written >= kMaxTextPasses - 1)
            break;
        if (!FitsTextForm(e.text) || e.id <= 0)
            continue;
        out << e.id << "=" << e.text << "|";
        ++written;
    }
    out << "EndCBidV1=" << listId_ << ">\n";
}
