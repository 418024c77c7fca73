#include "framework/gui/Application.h"

#include "framework/gui/Document.h"
#include "framework/gui/MDIFrame.h"

#include <QApplication>

namespace fw {

Application::Application(std::string name, std::vector<std::string> args)
    : name_(std::move(name)), args_(std::move(args))
{
}

Application::~Application()
{
    Application::TermInstance();
}

std::string Application::CommandLine() const
{
    std::string line;
    for (std::size_t i = 1; i < args_.size(); ++i) {
        if (i > 1) line += ' ';
        line += args_[i];
    }
    return line;
}

void Application::SetDocManager(std::unique_ptr<DocManager> manager)
{
    docManager_ = std::move(manager);
    if (docManager_) {
        docManager_->SetListener(this);
        if (mainWindow_) mainWindow_->SetDocManager(docManager_.get());
    }
}

void Application::SetMainWindow(MDIFrame* frame)
{
    mainWindow_ = frame;
    if (!frame) return;
    frame->SetDocManager(docManager_.get());
    frame->SetCanClose([this] { return CanClose(); });
}

bool Application::InitInstance()
{
    InitMainWindow();
    if (!mainWindow_) return false;
    switch (cmdShow_) {
    case SW_HIDE: break;
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE: mainWindow_->showMinimized(); break;
    case SW_SHOWMAXIMIZED: mainWindow_->showMaximized(); break;
    default: mainWindow_->show(); break;
    }
    return true;
}

void Application::TermInstance()
{
    // Documents first (closed, then deleted): their views' windows live in the main window.
    if (docManager_)
        while (!docManager_->GetDocuments().empty()) {
            Document* doc = docManager_->GetDocuments().back();
            doc->Close();
            docManager_->DeleteDoc(doc);
        }
    delete mainWindow_;
    mainWindow_ = nullptr;
}

bool Application::CanClose()
{
    return !docManager_ || docManager_->CanCloseAll();
}

int Application::Run()
{
    if (!InitInstance()) {
        TermInstance();
        return 1;
    }
    QApplication::setQuitOnLastWindowClosed(true);
    int result = QApplication::exec();
    TermInstance();
    return result;
}

} // namespace fw
