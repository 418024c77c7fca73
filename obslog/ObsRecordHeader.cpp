#include "obslog/ObsRecordHeader.h"

#include "obslog/TaggedText.h"

#include "framework/stream/PStream.h"
#include "framework/stream/StringUtil.h"

#include <regex>

const char* const ObsRecordHeader::kStartTag = "<START STELLUM OBSERVATION LOG HEADER VER = 1.0>";
const char* const ObsRecordHeader::kEndTag = "<END STELLUM OBSERVATION LOG HEADER VER = 1.0>";

namespace {
const char* const kListNames[ObsRecordHeader::kListCount] = {
    "OBJECT TYPES", "TELESCOPES", "EYEPIECES", "FILTERS",
    "LOCATIONS", "SKY DARKNESS", "SKY TRANSPARENCY", "SKY TURBULENCE",
};
} // namespace

ObsRecordHeader::ObsRecordHeader()
{
    for (int i = 0; i < kListCount; ++i)
        lists_[i] = CBdata((i + 1) * 10, kListNames[i]);
    BuildListIds();
}

ObsRecordHeader::ObsRecordHeader(const ObsRecordHeader& other)
    : count_(other.count_), valid_(0), current_(other.current_), listCount_(other.listCount_)
{
    for (int i = 0; i < kListCount; ++i)
        lists_[i] = other.lists_[i];
    BuildListIds();
}

ObsRecordHeader& ObsRecordHeader::operator=(const ObsRecordHeader& other)
{
    if (this == &other)
        return *this;
    count_ = other.count_;
    for (int i = 0; i < kListCount; ++i)
        lists_[i] = other.lists_[i];
    current_ = other.current_;
    listCount_ = other.listCount_;
    valid_ = other.valid_;
    if (listCount_ < kMaxLists)
        for (int i = 0; i < kMaxLists; ++i)
            listIds_[i] = other.listIds_[i];
    return *this;
}

void ObsRecordHeader::BuildListIds()
{
    for (int i = 0; i < kMaxLists; ++i)
        listIds_[i] = i < listCount_ ? (i + 1) * 10 : 0;
}

std::int32_t ObsRecordHeader::CurrentListId() const
{
    if (current_ < 0 || current_ >= kMaxLists)
        return listIds_[0];
    return listIds_[current_];
}

std::string ObsRecordHeader::CurrentListName() const { return ListById(CurrentListId()).Name(); }

std::int32_t ObsRecordHeader::NextList()
{
    if (current_ + 1 >= listCount_) {
        current_ = listCount_ > 0 ? listCount_ - 1 : 0;
        return -1;
    }
    return ++current_;
}

std::int32_t ObsRecordHeader::SelectList(std::int32_t id)
{
    if (listCount_ >= kMaxLists)
        return -1;
    if (id == 0) {
        current_ = 0;
        return current_;
    }
    for (int i = 0; i < listCount_; ++i)
        if (listIds_[i] == id)
            current_ = i;
    return current_;
}

CBdata& ObsRecordHeader::ListById(std::int32_t id)
{
    for (auto& list : lists_)
        if (list.ListId() == id)
            return list;
    return lists_[0];
}

const CBdata& ObsRecordHeader::ListById(std::int32_t id) const
{
    return const_cast<ObsRecordHeader*>(this)->ListById(id);
}

void ObsRecordHeader::Write(fw::opstream& out) const
{
    out.writeWord32(static_cast<std::uint32_t>(kVersion));
    out.writeWord32(static_cast<std::uint32_t>(count_));
    for (const auto& list : lists_)
        list.Write(out);
    out.writeWord32(static_cast<std::uint32_t>(kVersion));
}

void ObsRecordHeader::ReadFailed()
{
    version_ = -1;
    valid_ = 0;
}

void ObsRecordHeader::Read(fw::ipstream& in)
{
    version_ = in.readInt32();
    if (version_ != kVersion || in.fail())
        return ReadFailed();
    count_ = in.readInt32();
    for (auto& list : lists_) {
        list.Read(in);
        if (list.Version() != CBdata::kVersion || in.fail())
            return ReadFailed();
    }
    if (in.readInt32() != version_ || in.fail())
        ReadFailed();
}

void ObsRecordHeader::ReadTagged(std::istream& in)
{
    static const std::regex digits("[0-9]+");
    const auto failed = [&] {
        valid_ = 0;
        tagged::Rewind(in);
    };
    std::string line;
    if (!tagged::ReadLine(in, kMaxLine, line) || line != kStartTag)
        return failed();
    if (!fw::ReadUpTo(in, '=', kMaxLine, line) || line != "<TOTAL RECORDS")
        return failed();
    std::smatch match;
    if (!tagged::ReadLine(in, kMaxLine, line) || !std::regex_search(line, match, digits))
        return failed();
    const std::uint32_t total = tagged::ToWord(match.str());
    if (total > static_cast<std::uint32_t>(INT32_MAX))
        return failed();
    count_ = static_cast<std::int32_t>(total);
    for (auto& list : lists_) {
        list.ReadText(in);
        if (list.TextReadState() != 1)
            return failed();
    }
    if (!tagged::ReadLine(in, kMaxLine, line) || line != kEndTag)
        return failed();
    valid_ = 1;
}

void ObsRecordHeader::WriteTagged(std::ostream& out) const
{
    out << kStartTag << "\n<TOTAL RECORDS=" << count_ << ">\n";
    for (const auto& list : lists_)
        list.WriteText(out);
    out << kEndTag << "\n";
}
