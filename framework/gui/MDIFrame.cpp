#include "framework/gui/MDIFrame.h"

#include "framework/gui/DocManager.h"
#include "framework/gui/Document.h"
#include "framework/gui/MDIChild.h"
#include "framework/gui/MDIClient.h"
#include "framework/gui/RecentFiles.h"
#include "framework/gui/StatusBar.h"
#include "framework/gui/ToolBar.h"
#include "framework/gui/View.h"

#include "framework/gui/MenuDescr.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QString>
#include <QTimer>
#include <QUrl>

namespace fw {

std::vector<std::string> LocalFilesOf(const QMimeData* data)
{
    std::vector<std::string> paths;
    if (!data || !data->hasUrls()) return paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) paths.push_back(url.toLocalFile().toStdString());
    return paths;
}

MDIFrame::MDIFrame(const std::string& title, MenuDescr menu, MDIClient* client, QWidget* parent)
    : QMainWindow(parent), ControlHost(this), menu_(std::move(menu)),
      client_(client ? client : new MDIClient())
{
    setWindowTitle(QString::fromStdString(title));
    title_ = title;
    setCentralWidget(client_);
    setAcceptDrops(true);
    // Files dropped on the client (its viewport takes the drop) come here too.
    client_->viewport()->setAcceptDrops(true);
    client_->viewport()->installEventFilter(this);
    connect(client_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow*) { ChildActivated(); });
    OnCommand(CM_EXIT, [this] { close(); });
    RebuildMenuBar();
}

MDIFrame::~MDIFrame()
{
    // The children go before the frame's own parts: their views tell the document manager.
    disconnect(client_, nullptr, this, nullptr);
    for (MDIChild* child : client_->Children()) delete child;
}

void MDIFrame::SetDocManager(DocManager* manager)
{
    docManager_ = manager;
    if (docManager_) docManager_->SetOwnerWindow(this);
}

// --- menus ---------------------------------------------------------------------------

void MDIFrame::SetMenuDescr(MenuDescr menu)
{
    menu_ = std::move(menu);
    RebuildMenuBar();
}

MDIChild* MDIFrame::GetActiveChild() const
{
    return client_->GetActiveChild();
}

View* MDIFrame::GetActiveView() const
{
    MDIChild* child = GetActiveChild();
    return child ? child->GetView() : nullptr;
}

MenuDescr MDIFrame::CurrentMenu() const
{
    MDIChild* child = GetActiveChild();
    if (!child || child->GetMenuDescr().IsEmpty()) return menu_;
    return MenuDescr::Merge(menu_, child->GetMenuDescr());
}

void MDIFrame::RebuildMenuBar()
{
    QMenuBar* bar = menuBar();
    bar->clear();
    const MenuDescr shown = CurrentMenu();
    for (const MenuItem& popup : shown.Popups()) {
        QMenu* menu = bar->addMenu(MenuItemLabel(popup.text));
        FillMenu(menu, popup.items);
    }
}

void MDIFrame::FillMenu(QMenu* menu, const std::vector<MenuItem>& items)
{
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { PrepareMenu(menu); });
    for (const MenuItem& item : items) {
        if (item.IsSeparator()) {
            menu->addSeparator();
            continue;
        }
        if (item.IsPopup()) {
            FillMenu(menu->addMenu(MenuItemLabel(item.text)), item.items);
            continue;
        }
        // The recent files stand before Exit, after a separator of their own.
        if (item.id == CM_EXIT && recent_ && !recent_->Files().empty()) {
            for (int i = 0; i < static_cast<int>(recent_->Files().size()); ++i) {
                QAction* entry = menu->addAction(QString::fromStdString(recent_->MenuText(i)));
                int id = CM_MRU_FIRST + i;
                entry->setData(id);
                connect(entry, &QAction::triggered, this, [this, id] { RouteCommand(id); });
            }
            menu->addSeparator();
        }
        QAction* action = menu->addAction(MenuItemLabel(item.text));
        int id = item.id;
        action->setData(id);
        connect(action, &QAction::triggered, this, [this, id] {
            // The menu was prepared when it opened; the state may have changed since.
            if (QueryRoute(id).enabled) RouteCommand(id);
        });
    }
}

void MDIFrame::PrepareMenu(QMenu* menu)
{
    for (QAction* action : menu->actions()) {
        if (action->isSeparator()) continue;
        if (action->menu()) {
            PrepareMenu(action->menu());
            continue;
        }
        int id = CommandIdOf(action);
        if (id == 0) continue;
        CommandEnabler ce = QueryRoute(id);
        action->setEnabled(ce.enabled);
        action->setCheckable(ce.check != BF_UNCHECKED);
        action->setChecked(ce.check == BF_CHECKED);
    }
}

void MDIFrame::PrepareMenus()
{
    for (QAction* top : menuBar()->actions())
        if (top->menu()) PrepareMenu(top->menu());
}

QAction* MDIFrame::MenuAction(int id) const
{
    std::function<QAction*(QMenu*)> find = [&](QMenu* menu) -> QAction* {
        for (QAction* a : menu->actions()) {
            if (a->menu()) {
                if (QAction* found = find(a->menu())) return found;
            } else if (!a->isSeparator() && CommandIdOf(a) == id) {
                return a;
            }
        }
        return nullptr;
    };
    for (QAction* top : menuBar()->actions())
        if (top->menu())
            if (QAction* found = find(top->menu())) return found;
    return nullptr;
}

void MDIFrame::SetAccelerators(std::vector<Accelerator> table)
{
    for (QAction* a : acceleratorActions_) delete a;
    acceleratorActions_.clear();
    accelerators_ = std::move(table);
    for (const Accelerator& accel : accelerators_) {
        auto* action = new QAction(this);
        action->setShortcut(accel.key);
        action->setShortcutContext(Qt::WindowShortcut);
        QKeySequence key = accel.key;
        connect(action, &QAction::triggered, this, [this, key] { PressAccelerator(key); });
        addAction(action);
        acceleratorActions_.push_back(action);
    }
}

int MDIFrame::AcceleratorCommand(const QKeySequence& key) const
{
    for (const Accelerator& accel : accelerators_)
        if (accel.key == key) return accel.id;
    return 0;
}

bool MDIFrame::PressAccelerator(const QKeySequence& key)
{
    int id = AcceleratorCommand(key);
    // As with a menu, a disabled command's key does nothing.
    if (id == 0 || !QueryRoute(id).enabled) return false;
    return RouteCommand(id);
}

void MDIFrame::SetRecentFiles(RecentFiles* recent)
{
    recent_ = recent;
    RebuildMenuBar();
}

// --- commands ------------------------------------------------------------------------

std::vector<ControlHost*> MDIFrame::Chain() const
{
    std::vector<ControlHost*> chain;
    if (MDIChild* child = GetActiveChild()) {
        if (View* view = child->GetView())
            if (auto* host = dynamic_cast<ControlHost*>(view->GetWindow())) chain.push_back(host);
        chain.push_back(child);
    }
    chain.push_back(client_);
    chain.push_back(const_cast<MDIFrame*>(this));
    return chain;
}

bool MDIFrame::RouteCommand(int id)
{
    if (commandFilter_ && commandFilter_(id)) return true;
    bool handled = false;
    for (ControlHost* host : Chain())
        if (host->SendCommand(id)) {
            handled = true;
            break;
        }
    if (!handled && docManager_) handled = docManager_->EvCommand(id);
    // The command may have changed what the tool bar should show.
    QTimer::singleShot(0, this, [this] { UpdateCommandStates(); });
    return handled;
}

CommandEnabler MDIFrame::QueryRoute(int id) const
{
    CommandEnabler ce;
    ce.id = id;
    for (ControlHost* host : Chain()) {
        if (host->HasEnabler(id)) return host->QueryCommand(id);
        if (host->HandlesCommand(id)) return ce;
    }
    if (docManager_ && docManager_->HandlesCommand(id)) {
        docManager_->CommandEnable(ce);
        return ce;
    }
    ce.Enable(false);
    return ce;
}

void MDIFrame::UpdateCommandStates()
{
    if (toolBar_) toolBar_->UpdateStates();
}

// --- decorations ---------------------------------------------------------------------

void MDIFrame::InsertToolBar(ToolBar* bar)
{
    toolBar_ = bar;
    bar->SetRouting([this](int id) { if (QueryRoute(id).enabled) RouteCommand(id); },
                    [this](int id) { return QueryRoute(id); });
    addToolBar(Qt::TopToolBarArea, bar);
    bar->show();
    bar->UpdateStates();
}

void MDIFrame::RemoveToolBar(ToolBar* bar)
{
    removeToolBar(bar);
    bar->hide();
}

void MDIFrame::InsertStatusBar(StatusBar* bar)
{
    setStatusBar(bar);
}

// --- children ------------------------------------------------------------------------

MDIChild* MDIFrame::FrameView(View& view, MenuDescr menu, bool minimized, bool maximized)
{
    auto* child = new MDIChild(*client_, view, std::move(menu));
    ShowChild(child, minimized, maximized);
    return child;
}

void MDIFrame::ShowChild(MDIChild* child, bool minimized, bool maximized)
{
    child->Create(minimized, maximized);
    ChildActivated();
}

void MDIFrame::ChildActivated()
{
    if (docManager_) docManager_->SetActiveView(GetActiveView());
    RebuildMenuBar();
    UpdateCommandStates();
    // The frame's title follows the active document's title as its children show it.
    for (MDIChild* child : client_->Children()) child->installEventFilter(this);
    UpdateTitle();
}

std::string MDIFrame::TitleFor(const std::string& programTitle, const std::string& documentTitle)
{
    return documentTitle.empty() ? programTitle : programTitle + " - [" + documentTitle + "]";
}

void MDIFrame::UpdateTitle()
{
    const View* view = GetActiveView();
    shownTitle_ = QString::fromStdString(TitleFor(title_, view ? view->GetDocument().GetTitle() : std::string()));
    if (windowTitle() != shownTitle_) setWindowTitle(shownTitle_);
}

void MDIFrame::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    // The client merges a maximised child's title into the frame's: the frame's own comes back.
    if (event->type() == QEvent::WindowTitleChange && !shownTitle_.isEmpty() && windowTitle() != shownTitle_)
        setWindowTitle(shownTitle_);
}

// --- closing, timers, drops ----------------------------------------------------------

void MDIFrame::EvTimer(int id)
{
    if (timerHandler_) timerHandler_(id);
}

void MDIFrame::closeEvent(QCloseEvent* event)
{
    if (canClose_ && !canClose_()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void MDIFrame::DropFiles(const std::vector<std::string>& paths)
{
    if (dropHandler_ && !paths.empty()) dropHandler_(paths);
}

void MDIFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (!LocalFilesOf(event->mimeData()).empty()) event->acceptProposedAction();
}

void MDIFrame::dropEvent(QDropEvent* event)
{
    auto paths = LocalFilesOf(event->mimeData());
    if (paths.empty()) return;
    event->acceptProposedAction();
    DropFiles(paths);
}

bool MDIFrame::eventFilter(QObject* watched, QEvent* event)
{
    if ((event->type() == QEvent::WindowTitleChange || event->type() == QEvent::WindowStateChange) &&
        dynamic_cast<MDIChild*>(watched))
        UpdateTitle();
    if (watched == client_->viewport()) {
        if (event->type() == QEvent::DragEnter) {
            dragEnterEvent(static_cast<QDragEnterEvent*>(event));
            return true;
        }
        if (event->type() == QEvent::Drop) {
            dropEvent(static_cast<QDropEvent*>(event));
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace fw
