// The planner's help: the help page opened at a context, the help commands, and the help
// cursor with its keys (Shift+F1 on, Escape off, F1 on a highlighted menu item).
#include "app/TStellumApp.h"

#include "app/StellumMenus.h"
#include "framework/gui/Help.h"
#include "framework/gui/MDIFrame.h"
#include "framework/gui/MessageBox.h"
#include "globals/Globals.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>

namespace {

// Sees every key press of the program first, for the help's keys.
class HelpKeys : public QObject {
public:
    explicit HelpKeys(TStellumApp& app) : app_(app) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (app_.HelpKey(key->key(), key->modifiers())) return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    TStellumApp& app_;
};

} // namespace

void TStellumApp::Help(int context)
{
    helpOpen = fw::ShowHelp(context);
    if (helpOpen) return;
    // Nothing on the desktop shows the page (no web browser), or it is not there: the user is
    // told where it is, or that it is missing.
    const std::string& page = fw::HelpFile();
    const bool present = !page.empty() && QFileInfo::exists(QString::fromStdString(page));
    const std::string text = present ? "No web browser could be started to show the help.\n\nThe help is the page " +
                                           page + ": open it in a web browser."
                                     : "The help page " + (page.empty() ? std::string("stellum.html") : page) +
                                           " is missing. Install Stellum again to get it back.";
    fw::MessageBox(GetMainWindow(), text, "Stellum Help", fw::MB_OK | fw::MB_ICONINFORMATION);
}

void TStellumApp::SetHelpCursor(bool on)
{
    if (on == helpCursor_) return;
    helpCursor_ = on;
    if (on) QApplication::setOverrideCursor(Qt::WhatsThisCursor);
    else QApplication::restoreOverrideCursor();
}

bool TStellumApp::HelpKey(int key, Qt::KeyboardModifiers modifiers)
{
    if (key == Qt::Key_F1 && (modifiers & Qt::ShiftModifier)) {
        SetHelpCursor(true);
        return true;
    }
    if (key == Qt::Key_Escape && helpCursor_) {
        SetHelpCursor(false);
        return true;
    }
    if (key == Qt::Key_F1) {
        // F1 on a highlighted menu item shows the item's help; the menu closes.
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return false;  // the accelerator opens the contents
        const QAction* action = menu->activeAction();
        const int id = action ? action->data().toInt() : 0;
        while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
        Help(id);
        return true;
    }
    return false;
}

void TStellumApp::InstallHelp(fw::MDIFrame& frame)
{
    fw::SetHelpFile(AppHelpPath);
    const std::pair<int, int> topics[] = {{CM_HELPCONTENTS, 0}, {CM_HELPHINTS, 2003}, {CM_HELPUSING, 2002},
                                          {CM_HELPTOPIC7, 7},   {CM_CUSTOMERSERVICE, 58}};
    for (const auto& [command, context] : topics) frame.OnCommand(command, [this, context = context] { Help(context); });
    frame.OnCommand(CM_HELPCURSOR, [this] { SetHelpCursor(!helpCursor_); });
    frame.OnCommandEnable(CM_HELPCURSOR, [this](fw::CommandEnabler& ce) {
        ce.SetCheck(helpCursor_ ? fw::BF_CHECKED : fw::BF_UNCHECKED);
    });
    // With the help cursor on, a command shows its help instead of running.
    frame.SetCommandFilter([this](int id) {
        if (!helpCursor_ || id == CM_HELPCURSOR) return false;
        SetHelpCursor(false);
        Help(id);
        return true;
    });
    helpKeys_ = std::make_unique<HelpKeys>(*this);
    qApp->installEventFilter(helpKeys_.get());
}
