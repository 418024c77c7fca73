#include "framework/gui/Edit.h"

namespace fw {

Edit::Edit(QWidget* parent, int textLimit) : QLineEdit(parent)
{
    SetTextLimit(textLimit);
}

void Edit::SetTextLimit(int limit)
{
    textLimit_ = limit > 0 ? limit : 0;
    setMaxLength(textLimit_ ? textLimit_ : 32767);
}

int Edit::GetInt(int fallback, bool* ok) const
{
    bool good = false;
    int v = text().trimmed().toInt(&good);
    if (ok) *ok = good;
    return good ? v : fallback;
}

void Edit::LoseFocus()
{
    EvKillFocus();
    if (killFocusNotify_) killFocusNotify_();
}

void Edit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    LoseFocus();
}

}  // namespace fw
