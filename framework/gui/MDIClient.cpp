#include "framework/gui/MDIClient.h"

#include "framework/gui/MDIChild.h"

namespace fw {

MDIClient::MDIClient(QWidget* parent) : QMdiArea(parent), ControlHost(this)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    OnCommand(CM_CASCADECHILDREN, [this] { CmCascade(); });
    OnCommand(CM_TILECHILDREN, [this] { CmTile(); });
    OnCommand(CM_ARRANGEICONS, [this] { CmArrangeIcons(); });
    auto anyChild = [this](CommandEnabler& ce) { ce.Enable(!subWindowList().isEmpty()); };
    OnCommandEnable(CM_CASCADECHILDREN, anyChild);
    OnCommandEnable(CM_TILECHILDREN, anyChild);
    OnCommandEnable(CM_ARRANGEICONS, anyChild);
}

MDIChild* MDIClient::GetActiveChild() const
{
    return dynamic_cast<MDIChild*>(currentSubWindow());
}

std::vector<MDIChild*> MDIClient::Children() const
{
    std::vector<MDIChild*> children;
    for (QMdiSubWindow* w : subWindowList(QMdiArea::CreationOrder))
        if (auto* child = dynamic_cast<MDIChild*>(w)) children.push_back(child);
    return children;
}

void MDIClient::ActivateChild(MDIChild* child)
{
    if (child) setActiveSubWindow(child);
}

void MDIClient::CmCascade()
{
    cascadeSubWindows();
}

void MDIClient::CmTile()
{
    tileSubWindows();
}

void MDIClient::CmArrangeIcons()
{
    int x = 0;
    const int bottom = viewport()->height();
    for (QMdiSubWindow* w : subWindowList(QMdiArea::CreationOrder)) {
        if (!w->isMinimized()) continue;
        QSize size = w->size();
        w->move(x, bottom - size.height());
        x += size.width();
    }
}

} // namespace fw
