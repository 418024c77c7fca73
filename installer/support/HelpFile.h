// The installer's help file: opened at a context, a key word or its contents, for the active
// window's help context (asked with command 1234) or a default one. A missing help file is
// said in a message box (language strings 11 and 12).
//
// Headless runs: a responder on HelpSeam receives every request in place of the help viewer.
#pragma once

#include "framework/gui/Responder.h"

#include <cstdint>
#include <string>

class QWidget;

namespace kw {

enum : unsigned {
    kHelpContext = 0x0001,
    kHelpQuit = 0x0002,
    kHelpIndex = 0x0003,
    kHelpHelpOnHelp = 0x0004,
    kHelpKey = 0x0101,
    kHelpPartialKey = 0x0105,
};

struct HelpRequest {
    std::string path;  // the help file (Windows path)
    unsigned command = 0;
    intptr_t context = 0; // for kHelpContext
    std::string key;      // for the key commands
};
using HelpSeam = fw::ModalSeam<struct KwHelpTag, bool(const HelpRequest&)>;

class HelpFile {
public:
    static HelpFile& Instance();

    void Set(QWidget* owner, const char* path, int defaultContext);
    void Quit();
    bool Show(unsigned command, intptr_t context, const char* key = nullptr);
    bool ShowContext(int n) { return Show(kHelpContext, n); }
    bool ShowKey(const char* text) { return Show(kHelpKey, 0, text); }
    bool ShowPartialKey(const char* text) { return Show(kHelpPartialKey, 0, text); }
    bool ShowHelpOnHelp() { return Show(kHelpHelpOnHelp, 0); }
    // The window's help context (command 1234 to its dialog), or the default one.
    bool ShowForWindow(QWidget* window);
    bool ShowForActiveWindow();
    // F1 released once in a window (null: the active one): help for it; true when handled.
    bool OnKey(int key, int repeatCount, bool released, QWidget* window = nullptr);
    // While on, F1 released in any window of the program shows help for that window (its
    // dialog's help context, else the default one); the installer turns it on for its run.
    void WatchHelpKey(bool on);

    const std::string& Path() const { return path_; }
    int DefaultContext() const { return defaultContext_; }

private:
    QWidget* owner_ = nullptr;
    std::string path_;
    int defaultContext_ = 0;
};

} // namespace kw
