#include "framework/gui/ListBox.h"

#include <QSignalBlocker>

namespace fw {

bool TextStartsWithNoCase(const QString& text, const QString& prefix)
{
    return text.startsWith(prefix, Qt::CaseInsensitive);
}

int SortedItemIndex(int n, const std::function<QString(int)>& textAt, const QString& text)
{
    // After every item that does not sort above it, so equal texts keep their order.
    int index = 0;
    while (index < n && QString::compare(textAt(index), text, Qt::CaseInsensitive) <= 0)
        ++index;
    return index;
}

int FindItemText(int n, const std::function<QString(int)>& textAt, const std::string& text, int start, bool exact)
{
    if (n == 0) return -1;
    if (start < -1 || start >= n) start = -1;
    QString t = QString::fromStdString(text);
    for (int k = 1; k <= n; ++k) {
        int i = (start + k) % n;
        QString s = textAt(i);
        bool hit = exact ? QString::compare(s, t, Qt::CaseInsensitive) == 0
                         : TextStartsWithNoCase(s, t);
        if (hit) return i;
    }
    return -1;
}

ListBox::ListBox(QWidget* parent, bool sorted, Selection selection)
    : QListWidget(parent), sorted_(sorted)
{
    SetSelectionKind(selection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void ListBox::SetSelectionKind(Selection selection)
{
    switch (selection) {
    case Selection::Single: setSelectionMode(QAbstractItemView::SingleSelection); break;
    case Selection::Multiple: setSelectionMode(QAbstractItemView::MultiSelection); break;
    case Selection::Extended: setSelectionMode(QAbstractItemView::ExtendedSelection); break;
    }
}

bool ListBox::IsMultipleSelection() const
{
    return selectionMode() == QAbstractItemView::MultiSelection ||
           selectionMode() == QAbstractItemView::ExtendedSelection;
}

int ListBox::AddString(const std::string& text)
{
    QSignalBlocker quiet(this); // the program's own changes notify no one
    QString t = QString::fromStdString(text);
    const int index = sorted_ ? SortedItemIndex(count(), [this](int i) { return item(i)->text(); }, t) : count();
    insertItem(index, t);
    return index;
}

int ListBox::InsertString(const std::string& text, int index)
{
    QSignalBlocker quiet(this); // the program's own changes notify no one
    if (index < -1 || index > count()) return LB_ERR;
    if (index == -1) index = count();
    insertItem(index, QString::fromStdString(text));
    return index;
}

int ListBox::DeleteString(int index)
{
    QSignalBlocker quiet(this); // the program's own changes notify no one
    if (index < 0 || index >= count()) return LB_ERR;
    delete takeItem(index);
    return count();
}

void ListBox::ClearList()
{
    QSignalBlocker quiet(this); // the program's own changes notify no one
    clear();
}

std::string ListBox::GetString(int index) const
{
    const QListWidgetItem* it = item(index);
    return it ? it->text().toStdString() : std::string();
}

bool ListBox::SetItemData(int index, long value)
{
    QListWidgetItem* it = item(index);
    if (!it) return false;
    it->setData(Qt::UserRole, QVariant::fromValue<qlonglong>(value));
    return true;
}

long ListBox::GetItemData(int index) const
{
    const QListWidgetItem* it = item(index);
    if (!it) return LB_ERR;
    return static_cast<long>(it->data(Qt::UserRole).toLongLong());
}

int ListBox::FindFrom(const std::string& text, int start, bool exact) const
{
    return FindItemText(count(), [this](int i) { return item(i)->text(); }, text, start, exact);
}

int ListBox::FindString(const std::string& prefix, int start) const
{
    return FindFrom(prefix, start, false);
}

int ListBox::FindExactString(const std::string& text, int start) const
{
    return FindFrom(text, start, true);
}

int ListBox::FindItemData(long value) const
{
    for (int i = 0; i < count(); ++i)
        if (GetItemData(i) == value) return i;
    return LB_ERR;
}

int ListBox::GetSelIndex() const
{
    if (IsMultipleSelection()) {
        auto sel = GetSelIndexes();
        return sel.empty() ? LB_ERR : sel.front();
    }
    auto items = selectedItems();
    return items.isEmpty() ? LB_ERR : row(items.front());
}

int ListBox::SetSelIndex(int index)
{
    QSignalBlocker quiet(this); // the program's own changes notify no one
    if (index < 0 || index >= count()) {
        clearSelection();
        return index == -1 ? 0 : LB_ERR;
    }
    setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    scrollToItem(item(index));
    return index;
}

std::string ListBox::GetSelString() const
{
    return GetString(GetSelIndex());
}

int ListBox::SetSelString(const std::string& prefix, int start)
{
    int i = FindString(prefix, start);
    if (i != LB_ERR) SetSelIndex(i);
    return i;
}

int ListBox::GetSelCount() const
{
    return static_cast<int>(selectedItems().size());
}

std::vector<int> ListBox::GetSelIndexes() const
{
    std::vector<int> out;
    for (int i = 0; i < count(); ++i)
        if (item(i)->isSelected()) out.push_back(i);
    return out;
}

bool ListBox::GetSel(int index) const
{
    const QListWidgetItem* it = item(index);
    return it && it->isSelected();
}

void ListBox::SetSel(int index, bool select)
{
    QSignalBlocker quiet(this); // the program's own changes notify no one
    if (index == -1) {
        for (int i = 0; i < count(); ++i) item(i)->setSelected(select);
        return;
    }
    if (QListWidgetItem* it = item(index)) it->setSelected(select);
}

void ListBox::SetSelIndexes(const std::vector<int>& indexes, bool select)
{
    QSignalBlocker quiet(this); // the program's own changes notify no one
    for (int i : indexes) SetSel(i, select);
}

int ListBox::GetCaretIndex() const
{
    return currentRow();
}

void ListBox::SetCaretIndex(int index)
{
    QSignalBlocker quiet(this); // the program's own changes notify no one
    if (index < 0 || index >= count()) return;
    if (IsMultipleSelection())
        selectionModel()->setCurrentIndex(model()->index(index, 0), QItemSelectionModel::NoUpdate);
    else
        setCurrentRow(index);
    scrollToItem(item(index), QAbstractItemView::EnsureVisible);
}

int ListBox::GetTopIndex() const
{
    QListWidgetItem* it = itemAt(2, 2);
    return it ? row(it) : (count() ? 0 : LB_ERR);
}

void ListBox::SetHorizontalExtent(int pixels)
{
    // The view already scrolls horizontally over its widest item; the extent is kept so that
    // callers can read it back.
    horizontalExtent_ = pixels;
}

}  // namespace fw
