#include "framework/gui/MDIChild.h"

#include "framework/gui/MDIClient.h"
#include "framework/gui/View.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QTimer>

namespace fw {

namespace {
// A child opened maximised has this share of the client's size when it is restored.
constexpr double kRestoredShare = 0.75;
} // namespace

MDIChild::MDIChild(MDIClient& client, View& view, MenuDescr menu)
    : QMdiSubWindow(nullptr), ControlHost(this), view_(&view), window_(view.GetWindow()),
      menu_(std::move(menu))
{
    setAttribute(Qt::WA_DeleteOnClose);
    if (window_) {
        setWidget(window_);
        setWindowTitle(window_->windowTitle());
        // The document closed and deleted the view: the frame goes with it.
        windowGone_ = connect(window_, &QObject::destroyed, this, [this] {
            view_ = nullptr;
            QTimer::singleShot(0, this, [this] { close(); });
        });
    }
    client.addSubWindow(this);
}

MDIChild::~MDIChild()
{
    // The view's window is deleted with the child; the view then detaches from its document.
    disconnect(windowGone_);
    view_ = nullptr;
}

void MDIChild::Create(bool minimized, bool maximized)
{
    if (minimized) {
        showMinimized();
    } else if (maximized) {
        // Restored later, the child comes back at a size of its own, not as a bar.
        if (QMdiArea* area = mdiArea()) resize(sizeHint().expandedTo(area->viewport()->size() * kRestoredShare));
        showMaximized();
    } else {
        show();
    }
    if (auto* client = dynamic_cast<MDIClient*>(mdiArea())) client->ActivateChild(this);
}

void MDIChild::closeEvent(QCloseEvent* event)
{
    if (view_ && !view_->CanClose()) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}

} // namespace fw
