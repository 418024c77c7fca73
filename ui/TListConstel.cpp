#include "ui/TListConstel.h"

#include "astro/ConstellationTable.h"

#include <regex>

TListConstel::TListConstel(QWidget* parent, bool sorted) : fw::ListBox(parent, sorted, Selection::Extended)
{
    static const std::regex name("[a-z,A-Z, ,(,)]+$");
    for (int code = 0; code <= ConstellationNoComment; ++code) {
        const std::string text = ConstellationString(code);
        std::smatch match;
        if (std::regex_search(text, match, name) && !match.str().empty())
            SetItemData(AddString(match.str()), code);
    }
}

int TListConstel::IndexOfCode(long code) const
{
    for (int i = 0; i < GetCount() && i <= ConstellationNoComment; ++i)
        if (GetItemData(i) == code)
            return i;
    return fw::LB_ERR;
}
