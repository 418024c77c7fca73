// String resources: a table of texts keyed by resource number. Each part of the program
// keeps its own table and hands it to the controls and dialogs that load strings from it.
#pragma once

#include <initializer_list>
#include <map>
#include <string>
#include <utility>

namespace fw {

class ResourceModule {
public:
    explicit ResourceModule(std::string name = {},
                            std::initializer_list<std::pair<const int, std::string>> strings = {});

    const std::string& Name() const { return name_; }
    void AddString(int id, std::string text) { strings_[id] = std::move(text); }
    void AddStrings(std::initializer_list<std::pair<const int, std::string>> strings);
    bool HasString(int id) const { return strings_.count(id) != 0; }
    // The text of the string, empty when the table has none.
    std::string LoadString(int id) const;
    // The text cut to maxLength characters (a caller's buffer size); false when missing.
    bool LoadString(int id, std::string& text, std::size_t maxLength = std::string::npos) const;
    std::size_t Count() const { return strings_.size(); }

private:
    std::string name_;
    std::map<int, std::string> strings_;
};

}  // namespace fw
