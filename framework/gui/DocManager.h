// The document manager: keeps the templates and the open documents, creates a document
// from a template and a path (with its view), finds the template of a path, and carries the
// File commands New, Open, Save, Save As and Close with the save prompt before a document
// with changes closes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/gui/ControlHost.h"

class QWidget;

namespace fw {

class Document;
class DocTemplate;
class View;

// File command ids.
constexpr int CM_FILENEW = 24331;
constexpr int CM_FILEOPEN = 24332;
constexpr int CM_FILESAVE = 24333;
constexpr int CM_FILESAVEAS = 24334;
constexpr int CM_FILECLOSE = 24339;

// Manager modes.
constexpr int dmSDI = 1;
constexpr int dmMDI = 2;

class DocManager {
public:
    // Told of what the manager does; the application frames new views and keeps the
    // recent-files list through it.
    class Listener {
    public:
        virtual ~Listener() = default;
        virtual void EvNewView(View&) {}
        // A document was created (opened or new) or given a new path.
        virtual void EvDocCreated(Document&) {}
        virtual void EvDocRenamed(Document&) {}
    };

    explicit DocManager(int mode = dmMDI);
    // Deletes the documents still open, without asking.
    virtual ~DocManager();
    DocManager(const DocManager&) = delete;
    DocManager& operator=(const DocManager&) = delete;

    int GetMode() const { return mode_; }
    void SetListener(Listener* listener) { listener_ = listener; }
    // The window dialogs and messages belong to.
    void SetOwnerWindow(QWidget* owner) { owner_ = owner; }
    QWidget* GetOwnerWindow() const { return owner_; }

    // --- templates ---------------------------------------------------------------------
    // Templates are not owned; they must outlive the documents made from them.
    void AttachTemplate(DocTemplate& tpl);
    void DetachTemplate(DocTemplate& tpl);
    const std::vector<DocTemplate*>& GetTemplates() const { return templates_; }
    // The first template whose filter matches the path's file name; null when none.
    DocTemplate* MatchTemplate(const std::string& path) const;

    // --- documents ---------------------------------------------------------------------
    const std::vector<Document*>& GetDocuments() const { return documents_; }
    // Creates a document from the template: CreatingDoc, InitDoc, the path, Open (unless
    // flags has dtNewDoc or the template lacks dtAutoOpen), then its view. Null when any
    // step refused (the document is then deleted; a failed open is reported).
    Document* CreateDoc(DocTemplate* tpl, const std::string& path, std::uint32_t flags = 0);
    // A new view of the document from its template.
    View* CreateView(Document& doc);
    // Closes nothing: removes the document from the manager and deletes it (and its views).
    void DeleteDoc(Document* doc);
    // The document whose view is active (see SetActiveView) or holds the focus; null when
    // none.
    Document* GetCurrentDoc() const;
    // The main window tells the manager which view is active (null: none).
    void SetActiveView(View* view) { activeView_ = view; }
    // The first open document whose property "name" reads value; null when none.
    Document* FindDocument(const std::string& property, const std::string& value) const;
    // Asks every document whether it may close (the application's close test).
    bool CanCloseAll();

    // --- hooks the program's manager overrides -----------------------------------------
    // Before a document is created from a template; false stops the creation.
    virtual bool CreatingDoc(DocTemplate* tpl);
    // The save prompt before a document closes; true lets the close go on.
    virtual bool FlushDoc(Document& doc);
    // File New and File Open: chooses the template (and for Open the file) and creates the
    // document. flags: dtNewDoc for New.
    virtual Document* CreateAnyDoc(const std::string& path, std::uint32_t flags);
    // Save As selection: shows the save dialog for the templates of the document's kind;
    // on OK gives the chosen template and sets path. Null when cancelled.
    virtual DocTemplate* SelectSave(Document& doc, std::string& path);

    // --- File commands -----------------------------------------------------------------
    virtual void CmFileNew();
    virtual void CmFileOpen();
    virtual void CmFileSave();
    virtual void CmFileSaveAs();
    virtual void CmFileClose();
    // Runs a File command; false for any other id.
    bool EvCommand(int id);
    bool HandlesCommand(int id) const;
    // Enabler of the File commands.
    void CommandEnable(CommandEnabler& ce) const;
    // Whether File Save applies to a document: it has no file yet or holds changes.
    static bool SaveEnabled(Document& doc);

    // Saves under a newly chosen template and path, reporting a failure; when it fails the
    // document keeps its old ones (a file that was not written is not its file).
    bool SaveDocAs(Document& doc, DocTemplate* tpl, const std::string& path);

    // Shows a framework message about a document.
    virtual void PostDocError(Document& doc, int messageId);

private:
    friend class Document;
    // A document leaves the manager (its destructor, or DeleteDoc).
    void RemoveDocument(Document* doc);
    // A document's last view went: close and delete it (auto-delete templates).
    void LastViewClosed(Document* doc);
    // Commit under the document's (new) path, reporting a failure.
    bool SaveDoc(Document& doc);

    int mode_;
    Listener* listener_ = nullptr;
    QWidget* owner_ = nullptr;
    std::vector<DocTemplate*> templates_;
    std::vector<Document*> documents_;
    View* activeView_ = nullptr;
};

} // namespace fw
