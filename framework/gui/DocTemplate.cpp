#include "framework/gui/DocTemplate.h"

#include "framework/gui/Document.h"

#include <cctype>

namespace fw {

DocTemplate::DocTemplate(std::string description, std::string filter, std::string directory,
                         std::string defaultExt, std::uint32_t flags, std::type_index docType,
                         DocFactory makeDoc, ViewFactory makeView)
    : description_(std::move(description)), filter_(std::move(filter)),
      directory_(std::move(directory)), defaultExt_(std::move(defaultExt)), flags_(flags),
      docType_(docType), makeDoc_(std::move(makeDoc)), makeView_(std::move(makeView))
{
}

bool WildcardMatch(const std::string& pattern, const std::string& name)
{
    // Iterative match with one backtrack point for the last '*'.
    std::size_t p = 0, n = 0, star = std::string::npos, mark = 0;
    auto same = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    };
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || (pattern[p] != '*' && same(pattern[p], name[n])))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            mark = n;
        } else if (star != std::string::npos) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

bool DocTemplate::MatchesPath(const std::string& path) const
{
    auto slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty()) return false;
    std::size_t start = 0;
    while (start <= filter_.size()) {
        std::size_t end = filter_.find(';', start);
        if (end == std::string::npos) end = filter_.size();
        std::string pattern = filter_.substr(start, end - start);
        while (!pattern.empty() && pattern.front() == ' ') pattern.erase(0, 1);
        while (!pattern.empty() && pattern.back() == ' ') pattern.pop_back();
        if (!pattern.empty() && WildcardMatch(pattern, name)) return true;
        start = end + 1;
    }
    return false;
}

bool DocTemplate::IsMyKindOfDoc(const Document& doc) const
{
    return std::type_index(typeid(doc)) == docType_;
}

Document* DocTemplate::ConstructDoc()
{
    return makeDoc_ ? makeDoc_(*this) : nullptr;
}

View* DocTemplate::ConstructView(Document& doc)
{
    return makeView_ ? makeView_(doc) : nullptr;
}

} // namespace fw
