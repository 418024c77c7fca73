#include "framework/gui/DocManager.h"

#include "framework/gui/DocTemplate.h"
#include "framework/gui/Document.h"
#include "framework/gui/FileDialog.h"
#include "framework/gui/MessageBox.h"
#include "framework/gui/View.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>

namespace fw {

namespace {

// The caption of a message about a document: its title, or its kind while it has none.
std::string CaptionOf(const Document& doc)
{
    if (!doc.GetTitle().empty()) return doc.GetTitle();
    if (doc.GetTemplate()) return doc.GetTemplate()->GetDescription();
    return "Document";
}

bool HasExtension(const std::string& path)
{
    auto slash = path.find_last_of('/');
    auto dot = path.find_last_of('.');
    return dot != std::string::npos && (slash == std::string::npos || dot > slash);
}

} // namespace

DocManager::DocManager(int mode) : mode_(mode) {}

DocManager::~DocManager()
{
    while (!documents_.empty()) delete documents_.back();
}

void DocManager::AttachTemplate(DocTemplate& tpl)
{
    if (std::find(templates_.begin(), templates_.end(), &tpl) == templates_.end())
        templates_.push_back(&tpl);
}

void DocManager::DetachTemplate(DocTemplate& tpl)
{
    templates_.erase(std::remove(templates_.begin(), templates_.end(), &tpl), templates_.end());
}

DocTemplate* DocManager::MatchTemplate(const std::string& path) const
{
    for (DocTemplate* tpl : templates_)
        if (tpl->MatchesPath(path)) return tpl;
    return nullptr;
}

Document* DocManager::CreateDoc(DocTemplate* tpl, const std::string& path, std::uint32_t flags)
{
    if (!tpl || !CreatingDoc(tpl)) return nullptr;
    Document* doc = tpl->ConstructDoc();
    if (!doc) return nullptr;
    doc->SetTemplate(tpl);
    doc->SetDocManager(this);
    if (!doc->InitDoc()) {
        delete doc;
        return nullptr;
    }
    documents_.push_back(doc);
    if (!path.empty()) doc->SetDocPath(path);
    if (!(flags & dtNewDoc) && tpl->IsFlagSet(dtAutoOpen)) {
        if (!doc->Open(ofRead)) {
            PostDocError(*doc, IDS_UNABLEOPEN);
            // Close releases what InitDoc took (a one-document rule, say) before it goes.
            doc->Close();
            DeleteDoc(doc);
            return nullptr;
        }
        doc->SetOpenState(true);
    }
    if (listener_) listener_->EvDocCreated(*doc);
    if (!tpl->IsFlagSet(dtNoAutoView)) CreateView(*doc);
    return doc;
}

View* DocManager::CreateView(Document& doc)
{
    DocTemplate* tpl = doc.GetTemplate();
    if (!tpl) return nullptr;
    if (tpl->IsFlagSet(dtSingleView) && !doc.GetViews().empty()) return nullptr;
    View* view = tpl->ConstructView(doc);
    if (!view) return nullptr;
    if (!doc.GetTitle().empty()) doc.SetTitle(doc.GetTitle());
    if (listener_) listener_->EvNewView(*view);
    return view;
}

void DocManager::DeleteDoc(Document* doc)
{
    if (!doc) return;
    RemoveDocument(doc);
    delete doc;
}

void DocManager::RemoveDocument(Document* doc)
{
    documents_.erase(std::remove(documents_.begin(), documents_.end(), doc), documents_.end());
}

void DocManager::LastViewClosed(Document* doc)
{
    if (!doc->Close()) doc->PostError(IDS_UNABLECLOSE);
    DeleteDoc(doc);
}

Document* DocManager::GetCurrentDoc() const
{
    if (activeView_) return &activeView_->GetDocument();
    QWidget* focus = QApplication::focusWidget();
    if (!focus) return nullptr;
    for (Document* doc : documents_)
        for (View* view : doc->GetViews()) {
            QWidget* window = view->GetWindow();
            if (window && (window == focus || window->isAncestorOf(focus))) return doc;
        }
    return nullptr;
}

Document* DocManager::FindDocument(const std::string& property, const std::string& value) const
{
    for (Document* doc : documents_)
        if (doc->PropertyText(property) == value) return doc;
    return nullptr;
}

bool DocManager::CanCloseAll()
{
    std::vector<Document*> docs = documents_;
    for (Document* doc : docs) {
        if (std::find(documents_.begin(), documents_.end(), doc) == documents_.end()) continue;
        if (!doc->CanClose()) return false;
    }
    return true;
}

bool DocManager::CreatingDoc(DocTemplate*)
{
    return true;
}

bool DocManager::FlushDoc(Document& doc)
{
    if (!doc.IsDirty()) return true;
    int answer = doc.IsEmbedded()
                     ? IDYES
                     : MessageBox(owner_, DocumentMessageText(IDS_DOCCHANGED), CaptionOf(doc),
                                  MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDCANCEL) return false;
    if (answer == IDNO) return doc.Revert(true);
    if (!doc.IsEmbedded() && doc.GetDocPath().empty()) {
        std::string path;
        DocTemplate* tpl = SelectSave(doc, path);
        return tpl && SaveDocAs(doc, tpl, path);
    }
    if (doc.Commit(false)) return true;
    if (!doc.IsEmbedded()) PostDocError(doc, IDS_UNABLESAVE);
    return false;
}

Document* DocManager::CreateAnyDoc(const std::string& path, std::uint32_t flags)
{
    if (templates_.empty()) return nullptr;
    if (flags & dtNewDoc) {
        DocTemplate* tpl = templates_.front();
        if (templates_.size() > 1) {
            ChoiceRequest request;
            request.title = "New";
            request.prompt = "Kind of document:";
            for (DocTemplate* t : templates_) request.items.push_back(t->GetDescription());
            int index = RunChoiceDialog(owner_, request);
            if (index < 0 || index >= static_cast<int>(templates_.size())) return nullptr;
            tpl = templates_[static_cast<std::size_t>(index)];
        }
        return CreateDoc(tpl, {}, flags);
    }
    if (!path.empty()) return CreateDoc(MatchTemplate(path), path, flags);

    FileDialogRequest request;
    request.kind = FileDialogRequest::Open;
    request.title = "Open";
    for (DocTemplate* t : templates_) request.filters.push_back({t->GetDescription(), t->GetFileFilter()});
    request.directory = templates_.front()->GetDirectory();
    request.defaultExt = templates_.front()->GetDefaultExt();
    request.flags = templates_.front()->GetFlags() | dtFileMustExist;
    if (!RunFileDialog(owner_, request)) return nullptr;
    DocTemplate* tpl = MatchTemplate(request.path);
    if (!tpl && request.filterIndex >= 0 && request.filterIndex < static_cast<int>(templates_.size()))
        tpl = templates_[static_cast<std::size_t>(request.filterIndex)];
    if (!tpl) return nullptr;
    if (tpl->IsFlagSet(dtUpdateDir)) tpl->SetDirectory(request.directory);
    return CreateDoc(tpl, request.path, flags);
}

DocTemplate* DocManager::SelectSave(Document& doc, std::string& path)
{
    std::vector<DocTemplate*> choices;
    for (DocTemplate* t : templates_)
        if (t->IsMyKindOfDoc(doc)) choices.push_back(t);
    if (choices.empty() && doc.GetTemplate()) choices.push_back(doc.GetTemplate());
    if (choices.empty()) return nullptr;

    DocTemplate* current = doc.GetTemplate() ? doc.GetTemplate() : choices.front();
    FileDialogRequest request;
    request.kind = FileDialogRequest::Save;
    request.title = "Save As";
    for (DocTemplate* t : choices) request.filters.push_back({t->GetDescription(), t->GetFileFilter()});
    auto at = std::find(choices.begin(), choices.end(), current);
    request.filterIndex = at == choices.end() ? 0 : static_cast<int>(at - choices.begin());
    request.directory = current->GetDirectory();
    request.defaultExt = current->GetDefaultExt();
    request.flags = current->GetFlags();
    request.path = doc.GetDocPath();
    if (!RunFileDialog(owner_, request) || request.path.empty()) return nullptr;
    int index = request.filterIndex;
    DocTemplate* chosen = index >= 0 && index < static_cast<int>(choices.size())
                              ? choices[static_cast<std::size_t>(index)]
                              : current;
    path = request.path;
    if (!HasExtension(path) && !chosen->GetDefaultExt().empty()) path += "." + chosen->GetDefaultExt();
    if (chosen->IsFlagSet(dtUpdateDir)) chosen->SetDirectory(request.directory);
    return chosen;
}

bool DocManager::SaveDoc(Document& doc)
{
    if (doc.Commit(true)) return true;
    PostDocError(doc, IDS_UNABLESAVE);
    return false;
}

bool DocManager::SaveDocAs(Document& doc, DocTemplate* tpl, const std::string& path)
{
    DocTemplate* oldTemplate = doc.GetTemplate();
    const std::string oldPath = doc.GetDocPath();
    if (tpl != oldTemplate) doc.SetTemplate(tpl);
    doc.SetDocPath(path);
    if (SaveDoc(doc)) return true;
    doc.SetTemplate(oldTemplate);
    doc.SetDocPath(oldPath);
    return false;
}

void DocManager::CmFileNew()
{
    CreateAnyDoc({}, dtNewDoc);
}

void DocManager::CmFileOpen()
{
    CreateAnyDoc({}, 0);
}

void DocManager::CmFileSave()
{
    Document* doc = GetCurrentDoc();
    if (!doc) return;
    if (doc->GetDocPath().empty()) {
        CmFileSaveAs();
        return;
    }
    SaveDoc(*doc);
}

void DocManager::CmFileSaveAs()
{
    Document* doc = GetCurrentDoc();
    if (!doc) return;
    std::string path;
    DocTemplate* tpl = SelectSave(*doc, path);
    if (!tpl || !SaveDocAs(*doc, tpl, path)) return;
    if (listener_) listener_->EvDocRenamed(*doc);
}

void DocManager::CmFileClose()
{
    Document* doc = GetCurrentDoc();
    if (!doc || !doc->CanClose()) return;
    if (doc->Close()) DeleteDoc(doc);
    else PostDocError(*doc, IDS_UNABLECLOSE);
}

bool DocManager::HandlesCommand(int id) const
{
    switch (id) {
    case CM_FILENEW:
    case CM_FILEOPEN:
    case CM_FILESAVE:
    case CM_FILESAVEAS:
    case CM_FILECLOSE: return true;
    default: return false;
    }
}

bool DocManager::EvCommand(int id)
{
    switch (id) {
    case CM_FILENEW: CmFileNew(); return true;
    case CM_FILEOPEN: CmFileOpen(); return true;
    case CM_FILESAVE: CmFileSave(); return true;
    case CM_FILESAVEAS: CmFileSaveAs(); return true;
    case CM_FILECLOSE: CmFileClose(); return true;
    default: return false;
    }
}

void DocManager::CommandEnable(CommandEnabler& ce) const
{
    Document* doc = GetCurrentDoc();
    switch (ce.id) {
    case CM_FILENEW:
    case CM_FILEOPEN: ce.Enable(!templates_.empty()); break;
    case CM_FILESAVE: ce.Enable(doc && SaveEnabled(*doc)); break;
    case CM_FILESAVEAS:
    case CM_FILECLOSE: ce.Enable(doc != nullptr); break;
    default: break;
    }
}

bool DocManager::SaveEnabled(Document& doc)
{
    return doc.GetDocPath().empty() || doc.IsDirty();
}

void DocManager::PostDocError(Document& doc, int messageId)
{
    MessageBox(owner_, DocumentMessageText(messageId), CaptionOf(doc), MB_OK | MB_ICONEXCLAMATION);
}

} // namespace fw
