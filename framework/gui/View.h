// Views: what shows a document. A view is attached to its document for its whole life, is
// known by its view name, receives the document's numbered notifications with an argument,
// and (usually) is a window that the main window frames in an MDI child.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "framework/gui/Window.h"

class QWidget;

namespace fw {

class Document;

class View {
public:
    // Attaches itself to the document.
    explicit View(Document& document);
    // Detaches from the document; when it was the last view of a document whose template
    // deletes documents with their last view, the document is closed and deleted.
    virtual ~View();
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    Document& GetDocument() const { return *document_; }
    // The name that tells the program which kind of view this is.
    virtual std::string GetViewName() const = 0;
    // The view's window, or null for a view without one.
    virtual QWidget* GetWindow() { return nullptr; }
    // The frame's title for this view: the document title and, when the document has more
    // than one view, ":index". The base sets the caption of the view's window.
    virtual bool SetDocTitle(const std::string& title, int index);
    // May the view close? When it is its document's last view the document decides
    // (Document::CanClose, with its save prompt).
    virtual bool CanClose();

    // A notification from the document: handlers installed with OnNotify first, then
    // EvViewNotify. Returns whether it was handled.
    bool Notify(int event, std::intptr_t arg);
    void OnNotify(int event, std::function<bool(std::intptr_t)> handler);

protected:
    // Notifications without a handler; false when not handled.
    virtual bool EvViewNotify(int event, std::intptr_t arg);

private:
    friend class Document;
    Document* document_;
    std::map<int, std::function<bool(std::intptr_t)>> handlers_;
    bool detached_ = false;
};

// A view that is a window of the program (panes, controls and commands by id).
class WindowView : public Window, public View {
public:
    explicit WindowView(Document& document, QWidget* parent = nullptr);
    QWidget* GetWindow() override { return this; }
    bool CanClose() override { return View::CanClose(); }
};

} // namespace fw
