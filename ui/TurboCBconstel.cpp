#include "ui/TurboCBconstel.h"

#include "astro/ConstellationTable.h"

#include <regex>

TurboCBconstel::TurboCBconstel(QWidget* parent, int textLimit) : fw::ComboBox(parent, false, textLimit)
{
    // Each constellation string is abbreviation "|" name; the box shows the name.
    static const std::regex name("[^|]+$");
    for (int code = 0; code <= ConstellationNoComment; ++code) {
        const std::string text = ConstellationString(code);
        std::smatch match;
        if (std::regex_search(text, match, name))
            SetItemData(AddString(match.str()), code);
    }
}

long TurboCBconstel::GetSelectedIndex() const
{
    const int i = GetSelIndex();
    return i < 0 ? fw::CB_ERR : GetItemData(i);
}

void TurboCBconstel::SelectIndex(long code)
{
    SetSelIndex(FindItemData(code));
}
