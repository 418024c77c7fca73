// The application object: its name, command line and show command, the document manager,
// and the main window. Run sets the program up (InitInstance, which builds the main window
// through InitMainWindow), runs the event loop until the main window closes, and tears the
// documents and the main window down. The main window asks CanClose before it closes.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/gui/DocManager.h"

namespace fw {

class MDIFrame;

// Show commands of the main window.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_SHOWMINNOACTIVE = 7;
constexpr int SW_RESTORE = 9;

class Application : public DocManager::Listener {
public:
    // args[0] is the program's path; a QApplication must exist.
    Application(std::string name, std::vector<std::string> args);
    ~Application() override;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    const std::string& GetName() const { return name_; }
    const std::vector<std::string>& Args() const { return args_; }
    // The arguments after the program's path, joined by blanks.
    std::string CommandLine() const;

    DocManager* GetDocManager() const { return docManager_.get(); }
    void SetDocManager(std::unique_ptr<DocManager> manager);
    MDIFrame* GetMainWindow() const { return mainWindow_; }
    // Takes the main window (deleted by TermInstance or the destructor).
    void SetMainWindow(MDIFrame* frame);

    int GetCmdShow() const { return cmdShow_; }
    void SetCmdShow(int cmdShow) { cmdShow_ = cmdShow; }

    // InitInstance, then the event loop until the main window closes, then TermInstance;
    // returns the loop's exit code (1 when set-up failed).
    int Run();
    // Builds the main window (InitMainWindow) and shows it by the show command.
    virtual bool InitInstance();
    // Deletes the documents, then the main window.
    virtual void TermInstance();
    // Asked before the main window closes: the documents may refuse.
    virtual bool CanClose();

protected:
    virtual void InitMainWindow() {}

private:
    std::string name_;
    std::vector<std::string> args_;
    std::unique_ptr<DocManager> docManager_;
    MDIFrame* mainWindow_ = nullptr;
    int cmdShow_ = SW_SHOWNORMAL;
};

} // namespace fw
