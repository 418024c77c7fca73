#include "framework/gui/ToolBar.h"

#include <QAction>
#include <QString>

namespace fw {

int CommandIdOf(const QAction* action)
{
    if (!action) return 0;
    bool ok = false;
    int id = action->data().toInt(&ok);
    return ok ? id : 0;
}

ToolBar::ToolBar(const std::string& caption, QWidget* parent)
    : QToolBar(QString::fromStdString(caption), parent)
{
    setMovable(true);
    setFloatable(true);
    setObjectName(QString::fromStdString(caption));
}

QAction* ToolBar::MakeButton(int id, const QIcon& icon, const std::string& tip)
{
    auto* action = new QAction(icon, QString::fromStdString(tip), this);
    action->setData(id);
    action->setToolTip(QString::fromStdString(tip));
    connect(action, &QAction::triggered, this, [this, id] {
        if (command_) command_(id);
    });
    return action;
}

QAction* ToolBar::AddButton(int id, const QIcon& icon, const std::string& tip, QAction* before)
{
    QAction* action = MakeButton(id, icon, tip);
    if (before) insertAction(before, action);
    else addAction(action);
    return action;
}

QAction* ToolBar::AddSeparator(QAction* before)
{
    auto* action = new QAction(this);
    action->setSeparator(true);
    if (before) insertAction(before, action);
    else addAction(action);
    return action;
}

void ToolBar::InsertAfter(QAction* anchor, QAction* action)
{
    const auto list = actions();
    int at = static_cast<int>(list.indexOf(anchor));
    if (at < 0 || at + 1 >= list.size()) addAction(action);
    else insertAction(list[at + 1], action);
}

void ToolBar::RemoveAction(QAction* action)
{
    removeAction(action);
}

bool ToolBar::Contains(const QAction* action) const
{
    return actions().contains(const_cast<QAction*>(action));
}

QAction* ToolBar::Button(int id) const
{
    for (QAction* a : actions())
        if (!a->isSeparator() && CommandIdOf(a) == id) return a;
    return nullptr;
}

std::vector<int> ToolBar::Layout() const
{
    std::vector<int> ids;
    for (QAction* a : actions()) ids.push_back(a->isSeparator() ? 0 : CommandIdOf(a));
    return ids;
}

void ToolBar::SetRouting(std::function<void(int)> command, std::function<CommandEnabler(int)> query)
{
    command_ = std::move(command);
    query_ = std::move(query);
}

void ToolBar::UpdateStates()
{
    if (!query_) return;
    for (QAction* a : actions()) {
        int id = CommandIdOf(a);
        if (a->isSeparator() || id == 0) continue;
        CommandEnabler ce = query_(id);
        a->setEnabled(ce.enabled);
        a->setCheckable(ce.check != BF_UNCHECKED || a->isChecked());
        a->setChecked(ce.check == BF_CHECKED);
    }
}

} // namespace fw
