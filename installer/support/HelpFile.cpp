#include "installer/support/HelpFile.h"

#include "framework/gui/Help.h"
#include "framework/sys/WinRoot.h"
#include "installer/support/DialogBox.h"
#include "installer/support/FilePath.h"
#include "installer/support/MessageBoxDialog.h"
#include "installer/support/ResString.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace kw {

namespace {

// Sees every key of the program before its windows do; F1 released (not repeated) becomes
// help for the window it was pressed in.
class HelpKeyWatch : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() != QEvent::KeyRelease || !widget) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        return HelpFile::Instance().OnKey(key->key(), key->isAutoRepeat() ? 2 : 1, true, widget->window());
    }
};

HelpKeyWatch*& Watch()
{
    static HelpKeyWatch* watch = nullptr;
    return watch;
}

} // namespace

void HelpFile::WatchHelpKey(bool on)
{
    if (on && !Watch() && qApp) {
        Watch() = new HelpKeyWatch;
        qApp->installEventFilter(Watch());
    } else if (!on && Watch()) {
        if (qApp) qApp->removeEventFilter(Watch());
        delete Watch();
        Watch() = nullptr;
    }
}

HelpFile& HelpFile::Instance()
{
    static HelpFile help;
    return help;
}

void HelpFile::Set(QWidget* owner, const char* path, int defaultContext)
{
    owner_ = owner;
    path_ = path ? path : "";
    defaultContext_ = defaultContext;
}

void HelpFile::Quit() { Show(kHelpQuit, 0); }

bool HelpFile::Show(unsigned command, intptr_t context, const char* key)
{
    bool exists = !path_.empty() && PathExists(path_.c_str());
    if (exists && !(command == kHelpContext && context == -1)) {
        HelpRequest r{path_, command, context, key ? key : ""};
        if (auto& answer = HelpSeam::Current()) return answer(r);
        if (command == kHelpQuit) return true;
        std::string host;
        fw::WinRoot* root = fw::WinRoot::Current();
        bool link = false;
        if (root && root->ToHost(path_, host, &link) && !link) fw::SetHelpFile(host);
        return fw::ShowHelp(command == kHelpContext ? static_cast<int>(context) : 0);
    }
    if (command == kHelpQuit) return true;
    char text[kResStringSize], caption[kResStringSize];
    LoadResString(text, 11);
    LoadResString(caption, 12);
    MessageBoxDialog box;
    box.SetText("%s", text);
    box.SetStandardIcon(MessageBoxDialog::kIconAsterisk);
    box.SetButtons(MessageBoxDialog::kOk);
    box.RunWithOwner(owner_, caption);
    return false;
}

bool HelpFile::ShowForWindow(QWidget* window)
{
    int context = 0;
    if (Dialog* d = DialogOf(window)) {
        d->SetWindowWord0(0);
        d->Command(kCmdHelpContext);
        context = d->WindowWord0();
    }
    return ShowContext(context ? context : defaultContext_);
}

bool HelpFile::ShowForActiveWindow() { return ShowForWindow(QApplication::activeWindow()); }

bool HelpFile::OnKey(int key, int repeatCount, bool released, QWidget* window)
{
    if (key != Qt::Key_F1 || repeatCount != 1 || !released) return false;
    if (!window) window = QApplication::activeWindow();
    if (!window) return false;
    ShowForWindow(window);
    return true;
}

} // namespace kw
