#include "app/SLdocManager.h"

#include "framework/gui/DocTemplate.h"
#include "framework/gui/Document.h"
#include "framework/gui/MessageBox.h"

fw::Document* SLdocManager::CreateAnyDoc(const std::string& path, std::uint32_t flags)
{
    return fw::DocManager::CreateAnyDoc(path, flags);
}

bool SLdocManager::CreatingDoc(fw::DocTemplate* tpl)
{
    if (!fw::DocManager::CreatingDoc(tpl)) return false;
    fw::Document* open = nullptr;
    for (fw::Document* doc : GetDocuments())
        if (doc->GetTemplate() && doc->GetTemplate()->GetDescription() == tpl->GetDescription()) {
            open = doc;
            break;
        }
    if (!open) {
        fw::PumpWaitingMessages();
        return true;
    }
    if (!open->CanClose()) return false;
    if (!open->Close()) {
        open->PostError(fw::IDS_UNABLECLOSE);
        return false;
    }
    DeleteDoc(open);
    fw::PumpWaitingMessages();
    return true;
}

bool SLdocManager::FlushDoc(fw::Document& doc)
{
    while (doc.IsDirty()) {
        int answer = doc.IsEmbedded()
                         ? fw::IDYES
                         : fw::MessageBox(GetOwnerWindow(), fw::DocumentMessageText(fw::IDS_DOCCHANGED),
                                      doc.GetTitle().empty() && doc.GetTemplate()
                                          ? doc.GetTemplate()->GetDescription()
                                          : doc.GetTitle(),
                                      fw::MB_YESNOCANCEL | fw::MB_ICONQUESTION);
        if (answer == fw::IDCANCEL) return false;
        if (answer == fw::IDNO) return doc.Revert(true);
        // Yes: a document never saved first gets a place; cancelling that, or a save that
        // fails (said, and the document left where it was), asks again.
        if (!doc.IsEmbedded() && doc.GetDocPath().empty()) {
            std::string path;
            if (fw::DocTemplate* tpl = SelectSave(doc, path); tpl && SaveDocAs(doc, tpl, path)) return true;
            continue;
        }
        if (doc.Commit(false)) return true;
        doc.PostError(fw::IDS_UNABLESAVE);
    }
    return true;
}

void SLdocManager::CmFileClose()
{
    fw::Document* doc = GetCurrentDoc();
    if (!doc || !doc->CanClose()) return;
    if (doc->Close()) DeleteDoc(doc);
    else doc->PostError(fw::IDS_UNABLECLOSE);
}
