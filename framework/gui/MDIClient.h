// The MDI client: the area of the main window that holds the document windows, with the
// Window menu's commands Cascade, Tile and Arrange Icons.
#pragma once

#include <QMdiArea>

#include "framework/gui/ControlHost.h"

namespace fw {

class MDIChild;

constexpr int CM_CASCADECHILDREN = 24361;
constexpr int CM_TILECHILDREN = 24362;
constexpr int CM_ARRANGEICONS = 24364;

class MDIClient : public QMdiArea, public ControlHost {
public:
    explicit MDIClient(QWidget* parent = nullptr);

    // The active child (the current one even while the program is in the background);
    // null when none.
    MDIChild* GetActiveChild() const;
    std::vector<MDIChild*> Children() const;
    // Makes a child the active one.
    void ActivateChild(MDIChild* child);

    void CmCascade();
    void CmTile();
    // Lines the minimised children up along the bottom edge.
    void CmArrangeIcons();
};

} // namespace fw
