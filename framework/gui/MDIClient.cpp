#include "framework/gui/MDIClient.h"

#include "framework/gui/MDIChild.h"

namespace fw {

MDIClient::MDIClient(QWidget* parent) : QMdiArea(parent), ControlHost(this)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Another document opening or activated leaves the children as they are: a maximised one
    // does not hand its state on (a form of fixed size would lose its title bar, and the
    // maximised child would be put back at a size it never had).
    setOption(QMdiArea::DontMaximizeSubWindowOnActivation);
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
