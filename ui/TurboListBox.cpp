#include "ui/TurboListBox.h"

TurboListBox::TurboListBox(QWidget* parent, bool sorted) : fw::ListBox(parent, sorted, Selection::Extended) {}

int TurboListBox::LoadChoices(const CBdata& list)
{
    listName_ = list.Name();
    listId_ = list.ListId();
    int added = 0;
    for (const auto& e : list.Entries()) {
        if (e.id < 1 || e.id > 255 || e.text.empty())
            break;
        SetItemData(AddString(e.text), e.id);
        ++added;
    }
    return added;
}

void TurboListBox::ApplySelection()
{
    for (int i = 0; i < GetCount(); ++i) {
        const long id = GetItemData(i);
        if (id >= 0 && id < 256 && chosen_.test(static_cast<std::size_t>(id)))
            SetSel(i, true);
    }
}

TBitSet TurboListBox::GetChosenIds() const
{
    TBitSet ids;
    const auto selected = GetSelIndexes();
    for (std::size_t k = 0; k < selected.size() && k < 255; ++k) {
        const long id = GetItemData(selected[k]);
        if (id >= 0 && id < 256)
            ids.set(static_cast<std::size_t>(id));
    }
    return ids;
}
