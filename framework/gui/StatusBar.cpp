#include "framework/gui/StatusBar.h"

#include <QFontMetrics>
#include <QLabel>
#include <QString>

namespace fw {

StatusBar::StatusBar(QWidget* parent) : QStatusBar(parent), message_(new QLabel(this))
{
    setSizeGripEnabled(true);
    message_->setTextFormat(Qt::PlainText);
    addWidget(message_, 1);
}

void StatusBar::SetText(const std::string& text)
{
    message_->setText(QString::fromStdString(text));
}

std::string StatusBar::GetText() const
{
    return message_->text().toStdString();
}

void StatusBar::AddTextGadget(int id, int widthChars)
{
    if (HasGadget(id)) return;
    auto* label = new QLabel(this);
    label->setTextFormat(Qt::PlainText);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // At least the width asked for; a longer text widens the gadget rather than being cut.
    QFontMetrics metrics(label->font());
    label->setMinimumWidth(metrics.horizontalAdvance(QString(widthChars, QChar('0'))) + 8);
    addPermanentWidget(label);
    gadgets_[id] = label;
    order_.push_back(id);
}

void StatusBar::SetGadgetText(int id, const std::string& text)
{
    auto it = gadgets_.find(id);
    if (it != gadgets_.end()) it->second->setText(QString::fromStdString(text));
}

std::string StatusBar::GadgetText(int id) const
{
    auto it = gadgets_.find(id);
    return it == gadgets_.end() ? std::string() : it->second->text().toStdString();
}

std::vector<int> StatusBar::GadgetIds() const
{
    return order_;
}

} // namespace fw
