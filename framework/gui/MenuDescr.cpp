#include "framework/gui/MenuDescr.h"

#include <algorithm>

namespace fw {

namespace {

const MenuItem* Find(const std::vector<MenuItem>& items, int id)
{
    for (const auto& item : items) {
        if (item.id == id && id != 0) return &item;
        if (const MenuItem* found = Find(item.items, id)) return found;
    }
    return nullptr;
}

} // namespace

const MenuItem* MenuDescr::FindItem(int id) const
{
    return Find(popups_, id);
}

std::string MenuDescr::Describe() const
{
    std::string text;
    for (const auto& popup : popups_) {
        if (!text.empty()) text += '|';
        text += popup.text;
    }
    return text;
}

MenuDescr MenuDescr::Merge(const MenuDescr& frame, const MenuDescr& child,
                           const std::string& windowPopup)
{
    std::vector<MenuItem> merged = frame.popups_;
    for (const auto& popup : child.popups_) {
        auto same = std::find_if(merged.begin(), merged.end(),
                                 [&](const MenuItem& m) { return m.text == popup.text; });
        if (same != merged.end()) {
            *same = popup;
            continue;
        }
        auto window = std::find_if(merged.begin(), merged.end(),
                                   [&](const MenuItem& m) { return m.text == windowPopup; });
        // Several new pop-ups keep their own order before the window pop-up.
        merged.insert(window, popup);
    }
    return MenuDescr(std::move(merged));
}

QString MenuItemLabel(const std::string& text)
{
    QString label = QString::fromStdString(text);
    label.replace(QStringLiteral("& "), QStringLiteral("&& "));
    return label;
}

} // namespace fw
