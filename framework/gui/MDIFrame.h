// The main window of an MDI program: a menu bar built from a menu description with the
// active child's menu merged in, an accelerator table, the MDI client, a tool bar and a
// status bar. Commands from menus, accelerators and tool bar buttons are routed by id through
// the active view, its MDI child, the client, the frame itself (where the application
// installs its handlers) and the document manager; their enablers run before a menu or the
// tool bar shows them, and a command without a handler anywhere is disabled. The frame
// accepts dropped files and hands them to the program.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QKeySequence>
#include <QMainWindow>

#include "framework/gui/ControlHost.h"
#include "framework/gui/MenuDescr.h"

class QAction;
class QMenu;
class QMimeData;

namespace fw {

class DocManager;
class MDIChild;
class MDIClient;
class RecentFiles;
class StatusBar;
class ToolBar;
class View;

constexpr int CM_EXIT = 24310;

// The local files a drop carries (other addresses are left out).
std::vector<std::string> LocalFilesOf(const QMimeData* data);

struct Accelerator {
    QKeySequence key;
    int id = 0;
};

class MDIFrame : public QMainWindow, public ControlHost {
public:
    // The frame takes the client (a plain MDIClient when none is given).
    MDIFrame(const std::string& title, MenuDescr menu, MDIClient* client = nullptr,
             QWidget* parent = nullptr);
    ~MDIFrame() override;

    MDIClient* GetClient() const { return client_; }
    void SetDocManager(DocManager* manager);
    DocManager* GetDocManager() const { return docManager_; }

    // --- menus and accelerators --------------------------------------------------------
    void SetMenuDescr(MenuDescr menu);
    const MenuDescr& GetMenuDescr() const { return menu_; }
    // The menu as shown now: the frame's with the active child's merged in.
    MenuDescr CurrentMenu() const;
    // Builds the menu bar again (after the active child or the recent files changed).
    void RebuildMenuBar();
    // The menu bar's action of a command; null when the menu shows none.
    QAction* MenuAction(int id) const;
    // Runs the enablers over every item of the menu bar, as before a menu is shown.
    void PrepareMenus();
    void SetAccelerators(std::vector<Accelerator> table);
    const std::vector<Accelerator>& Accelerators() const { return accelerators_; }
    // The command of a key in the table, 0 when none; PressAccelerator routes it as the key
    // would (only when its command is enabled).
    int AcceleratorCommand(const QKeySequence& key) const;
    bool PressAccelerator(const QKeySequence& key);
    void SetRecentFiles(RecentFiles* recent);

    // --- commands ---------------------------------------------------------------------
    // Sends the command to the first target of the chain that carries it; false when none.
    // A command filter, when set, sees every command first and may take it (true).
    bool RouteCommand(int id);
    void SetCommandFilter(std::function<bool(int)> filter) { commandFilter_ = std::move(filter); }
    // What the chain says of a command: the first target with an enabler decides, a target
    // with a handler enables it, and without either it is disabled.
    CommandEnabler QueryRoute(int id) const;
    // Runs the tool bar's enablers.
    void UpdateCommandStates();

    // --- decorations ------------------------------------------------------------------
    void InsertToolBar(ToolBar* bar);
    void RemoveToolBar(ToolBar* bar);
    ToolBar* GetToolBar() const { return toolBar_; }
    void InsertStatusBar(StatusBar* bar);

    // --- children ---------------------------------------------------------------------
    // Frames the view in a new MDI child with the child's menu and shows it.
    MDIChild* FrameView(View& view, MenuDescr menu, bool minimized = false, bool maximized = false);
    // Shows a child made by the program (a class of its own) and makes it the active one.
    void ShowChild(MDIChild* child, bool minimized = false, bool maximized = false);
    MDIChild* GetActiveChild() const;
    // The active child's view; null when none.
    View* GetActiveView() const;
    // The frame's title names the active document: the program's title, then the document's
    // in brackets ("Stellum - [Sample.sl4]"); the program's alone while no document is active.
    static std::string TitleFor(const std::string& programTitle, const std::string& documentTitle);

    // --- hooks the application installs -------------------------------------------------
    // Asked before the frame closes; false keeps it open.
    void SetCanClose(std::function<bool()> canClose) { canClose_ = std::move(canClose); }
    // Files dropped on the frame or the client.
    void SetDropHandler(std::function<void(const std::vector<std::string>&)> handler)
    {
        dropHandler_ = std::move(handler);
    }
    // Hands dropped files to the drop handler, as a drop would.
    void DropFiles(const std::vector<std::string>& paths);
    // Ticks of the frame's timers (SetTimer).
    void SetTimerHandler(std::function<void(int)> handler) { timerHandler_ = std::move(handler); }

protected:
    void EvTimer(int id) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<ControlHost*> Chain() const;
    void FillMenu(QMenu* menu, const std::vector<MenuItem>& items);
    void PrepareMenu(QMenu* menu);
    void ChildActivated();
    // Sets the title for the active document.
    void UpdateTitle();

    MenuDescr menu_;
    std::string title_; // the program's own
    QString shownTitle_; // the program's with the active document's
    MDIClient* client_;
    DocManager* docManager_ = nullptr;
    ToolBar* toolBar_ = nullptr;
    RecentFiles* recent_ = nullptr;
    std::vector<Accelerator> accelerators_;
    std::vector<QAction*> acceleratorActions_;
    std::function<bool()> canClose_;
    std::function<void(const std::vector<std::string>&)> dropHandler_;
    std::function<void(int)> timerHandler_;
    std::function<bool(int)> commandFilter_;
};

} // namespace fw
