#include "ui/TurboComboBox.h"

#include "framework/gui/MessageBox.h"

TurboComboBox::TurboComboBox(QWidget* parent, int textLimit, bool sorted) : fw::ComboBox(parent, true, textLimit, sorted)
{
}

std::int32_t TurboComboBox::LoadChoices(const CBdata& list)
{
    listName_ = list.Name();
    listId_ = list.ListId();
    for (const auto& e : list.Entries()) {
        if (e.text.empty() || e.id == 0)
            continue;
        SetItemData(AddString(e.text), e.id);
    }
    if (list.CurrentId() != 0)
        SelectId(list.CurrentId());
    return list.Count();
}

std::int32_t TurboComboBox::StoreChoices(CBdata& list) const
{
    for (int i = 0; i < GetCount(); ++i) {
        const std::string text = GetString(i);
        const long id = GetItemData(i);
        if (!text.empty() && id != 0)
            list.AddOrReplace(CBentry(text, static_cast<std::int32_t>(id)));
    }
    list.SetCurrentId(static_cast<std::int32_t>(GetSelectedId()));
    return 1;
}

long TurboComboBox::GetSelectedId() const
{
    const int i = GetSelIndex();
    return i < 0 ? fw::CB_ERR : GetItemData(i);
}

int TurboComboBox::SelectId(long id)
{
    const int i = FindItemData(id);
    if (i == fw::CB_ERR)
        return 0;
    SetSelIndex(i);
    return 1;
}

std::string TurboComboBox::GetSelectedText() const
{
    return GetSelString();
}

bool TurboComboBox::IsNewText(const std::string& text) const
{
    if (text.empty())
        return false;
    for (int i = 0; i < GetCount(); ++i)
        if (GetString(i) == text)
            return false;
    return true;
}

int TurboComboBox::AddText(const std::string& text, long id)
{
    if (!IsNewText(text))
        return 0;
    if (id == 0)
        return -1;
    const int index = AddString(text);
    SetItemData(index, id);
    return index;
}

long TurboComboBox::NextFreeId() const
{
    std::uint32_t largest = 0;
    for (int i = 0; i < GetCount(); ++i)
        largest = std::max(largest, static_cast<std::uint32_t>(GetItemData(i)));
    return static_cast<std::int32_t>(largest + 1u) == 0 ? 1 : static_cast<std::int32_t>(largest + 1u);
}

int TurboComboBox::CommitEditText()
{
    std::string text = GetText();
    if (GetTextLimit() > 0 && static_cast<int>(text.size()) > GetTextLimit())
        text.resize(static_cast<std::size_t>(GetTextLimit()));
    const int found = FindString(text, 0);
    if (found != fw::CB_ERR) {
        SetSelIndex(found);
        return 0;
    }
    if (!text.empty() && !AcceptTypedEntry(this, text, kInvalidEntryCaption)) {
        const int selected = GetSelIndex();
        if (selected >= 0)
            SetText(GetString(selected));
        else
            ClearText();
        return -1;
    }
    const int index = AddText(text, NextFreeId());
    if (index >= 0 && GetString(index) == text)
        SetSelIndex(index);
    return 1;
}

bool TurboComboBox::AcceptTypedEntry(QWidget* parent, const std::string& text, const std::string& caption)
{
    if (CBdata::FitsTextForm(text))
        return true;
    fw::MessageBox(parent, kEntryRule, caption, fw::MB_OK | fw::MB_ICONEXCLAMATION);
    return false;
}
