#include "framework/gui/ComboBox.h"

#include <QAbstractItemView>
#include <QApplication>

#include <QLineEdit>

namespace fw {

ComboBox::ComboBox(QWidget* parent, bool editable, int textLimit, bool sorted)
    : QComboBox(parent), sorted_(sorted), textLimit_(0)
{
    setEditable(editable);
    if (editable) {
        // Typing must not add items by itself: the program decides what is new.
        setInsertPolicy(QComboBox::NoInsert);
        setCompleter(nullptr);
    }
    SetTextLimit(textLimit);
}

void ComboBox::SetTextLimit(int limit)
{
    textLimit_ = limit > 0 ? limit : 0;
    if (QLineEdit* e = lineEdit()) e->setMaxLength(textLimit_ ? textLimit_ : 32767);
}

int ComboBox::AddString(const std::string& text)
{
    QString t = QString::fromStdString(text);
    const int index = sorted_ ? SortedItemIndex(count(), [this](int i) { return itemText(i); }, t) : count();
    InsertQuietly(index, t);
    return index;
}

int ComboBox::InsertString(const std::string& text, int index)
{
    if (index < -1 || index > count()) return CB_ERR;
    if (index == -1) index = count();
    InsertQuietly(index, QString::fromStdString(text));
    return index;
}

void ComboBox::InsertQuietly(int index, const QString& text)
{
    // Inserting must not change the edit text or the selection.
    QString edit = isEditable() ? currentText() : QString();
    int sel = currentIndex();
    insertItem(index, text);
    if (sel == -1) setCurrentIndex(-1);
    if (isEditable()) setEditText(edit);
}

int ComboBox::DeleteString(int index)
{
    if (index < 0 || index >= count()) return CB_ERR;
    removeItem(index);
    return count();
}

void ComboBox::ClearList()
{
    clear();
}

std::string ComboBox::GetString(int index) const
{
    if (index < 0 || index >= count()) return {};
    return itemText(index).toStdString();
}

bool ComboBox::SetItemData(int index, long value)
{
    if (index < 0 || index >= count()) return false;
    setItemData(index, QVariant::fromValue<qlonglong>(value));
    return true;
}

long ComboBox::GetItemData(int index) const
{
    if (index < 0 || index >= count()) return CB_ERR;
    return static_cast<long>(itemData(index).toLongLong());
}

int ComboBox::FindFrom(const std::string& text, int start, bool exact) const
{
    return FindItemText(count(), [this](int i) { return itemText(i); }, text, start, exact);
}

int ComboBox::FindString(const std::string& prefix, int start) const
{
    return FindFrom(prefix, start, false);
}

int ComboBox::FindExactString(const std::string& text, int start) const
{
    return FindFrom(text, start, true);
}

int ComboBox::FindItemData(long value) const
{
    for (int i = 0; i < count(); ++i)
        if (GetItemData(i) == value) return i;
    return CB_ERR;
}

int ComboBox::GetSelIndex() const
{
    return currentIndex() < 0 ? CB_ERR : currentIndex();
}

int ComboBox::SetSelIndex(int index)
{
    if (index < 0 || index >= count()) {
        setCurrentIndex(-1);
        if (isEditable()) setEditText(QString());
        return index == -1 ? 0 : CB_ERR;
    }
    setCurrentIndex(index);
    return index;
}

std::string ComboBox::GetSelString() const
{
    return GetString(GetSelIndex());
}

int ComboBox::SetSelString(const std::string& prefix, int start)
{
    int i = FindString(prefix, start);
    if (i != CB_ERR) SetSelIndex(i);
    return i;
}

std::string ComboBox::GetText() const
{
    return currentText().toStdString();
}

void ComboBox::SetText(const std::string& text)
{
    if (isEditable()) setEditText(QString::fromStdString(text));
    else SetSelIndex(FindExactString(text));
}

void ComboBox::ClearText()
{
    if (isEditable()) setEditText(QString());
    else setCurrentIndex(-1);
}

void ComboBox::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    // A drop-down list taking the focus from its own box is no leaving.
    if (killFocusNotify_ && !isAncestorOf(QApplication::focusWidget()) && !view()->isVisible()) killFocusNotify_();
}

}  // namespace fw
