#include "framework/gui/ResourceModule.h"

namespace fw {

ResourceModule::ResourceModule(std::string name,
                               std::initializer_list<std::pair<const int, std::string>> strings)
    : name_(std::move(name)), strings_(strings)
{
}

void ResourceModule::AddStrings(std::initializer_list<std::pair<const int, std::string>> strings)
{
    for (const auto& s : strings) strings_[s.first] = s.second;
}

std::string ResourceModule::LoadString(int id) const
{
    auto it = strings_.find(id);
    return it == strings_.end() ? std::string() : it->second;
}

bool ResourceModule::LoadString(int id, std::string& text, std::size_t maxLength) const
{
    auto it = strings_.find(id);
    if (it == strings_.end()) {
        text.clear();
        return false;
    }
    text = it->second.substr(0, maxLength);
    return true;
}

}  // namespace fw
