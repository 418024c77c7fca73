// An MDI child: the window that frames one view in the MDI client. It carries the view's
// own menu, which the main window merges into its menu bar while the child is active, and
// asks the view before it closes. When the view goes (its document closed), the child goes.
#pragma once

#include <QMdiSubWindow>
#include <QPointer>

#include "framework/gui/ControlHost.h"
#include "framework/gui/MenuDescr.h"

namespace fw {

class MDIClient;
class View;

class MDIChild : public QMdiSubWindow, public ControlHost {
public:
    // Frames the view's window in the client; the child is shown by Create.
    MDIChild(MDIClient& client, View& view, MenuDescr menu = {});
    ~MDIChild() override;

    // Shows the child (minimised or maximised as asked) and makes it active.
    void Create(bool minimized = false, bool maximized = false);
    // The framed view; null once it has gone.
    View* GetView() const { return view_; }
    const MenuDescr& GetMenuDescr() const { return menu_; }
    void SetMenuDescr(MenuDescr menu) { menu_ = std::move(menu); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    View* view_;
    QPointer<QWidget> window_;
    QMetaObject::Connection windowGone_;
    MenuDescr menu_;
};

} // namespace fw
