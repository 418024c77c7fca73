#include "framework/gui/Document.h"

#include "framework/gui/DocManager.h"
#include "framework/gui/DocTemplate.h"
#include "framework/gui/MessageBox.h"
#include "framework/gui/View.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <sys/stat.h>

namespace fw {

std::string DocumentMessageText(int id)
{
    switch (id) {
    case IDS_UNABLEOPEN: return "Unable to open document.";
    case IDS_UNABLECLOSE: return "Unable to close document.";
    case IDS_UNABLESAVE: return "Unable to save document.";
    case IDS_DOCCHANGED: return "The document has been changed.\n\nDo you want to save the changes?";
    default: return {};
    }
}

namespace {

std::string FileNameOf(const std::string& path)
{
    auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

const char* const kDocumentPropertyNames[] = {"DocumentClass", "TemplateName", "ViewCount",
                                              "StoragePath", "DocTitle"};
const char* const kFilePropertyNames[] = {"CreateTime", "ModifyTime", "AccessTime",
                                          "StorageSize", "FileHandle"};

} // namespace

Document::Document() = default;

Document::~Document()
{
    destroying_ = true;
    if (manager_)
        for (View* view : views_)
            if (manager_->activeView_ == view) manager_->activeView_ = nullptr;
    // Views delete their windows; each detaches itself without touching this document again.
    while (!views_.empty()) {
        View* view = views_.back();
        views_.pop_back();
        view->detached_ = true;
        delete view;
    }
    if (manager_) manager_->RemoveDocument(this);
}

bool Document::Open(int, const std::string&)
{
    return true;
}

bool Document::Close()
{
    NotifyViews(vnDocClosed);
    open_ = false;
    return true;
}

bool Document::Commit(bool)
{
    NotifyViews(vnCommit, 1);
    dirty_ = false;
    return true;
}

bool Document::Revert(bool clear)
{
    NotifyViews(vnRevert, clear ? 1 : 0);
    dirty_ = false;
    return true;
}

bool Document::IsDirty()
{
    return dirty_ || QueryViews(vnIsDirty);
}

bool Document::CanClose()
{
    return manager_ ? manager_->FlushDoc(*this) : true;
}

bool Document::SetDocPath(const std::string& path)
{
    path_ = path;
    SetTitle(FileNameOf(path));
    return true;
}

void Document::SetTitle(const std::string& title)
{
    title_ = title;
    int index = 0;
    bool numbered = views_.size() > 1;
    for (View* view : views_) view->SetDocTitle(title_, numbered ? ++index : 0);
}

bool Document::SetTemplate(DocTemplate* tpl)
{
    template_ = tpl;
    return true;
}

bool Document::NotifyViews(int event, std::intptr_t arg, View* exclude)
{
    bool all = true;
    // A handler may close views: walk a copy and skip the ones that went.
    std::vector<View*> views = views_;
    for (View* view : views) {
        if (view == exclude) continue;
        if (std::find(views_.begin(), views_.end(), view) == views_.end()) continue;
        if (!view->Notify(event, arg)) all = false;
    }
    return all;
}

bool Document::QueryViews(int event, std::intptr_t arg, View* exclude)
{
    std::vector<View*> views = views_;
    for (View* view : views) {
        if (view == exclude) continue;
        if (std::find(views_.begin(), views_.end(), view) == views_.end()) continue;
        if (view->Notify(event, arg)) return true;
    }
    return false;
}

int Document::FindProperty(const std::string& name)
{
    for (int i = 0; i < NextProperty - 1; ++i)
        if (name == kDocumentPropertyNames[i]) return i + 1;
    return 0;
}

int Document::PropertyFlags(int index)
{
    switch (index) {
    case DocumentClass:
    case TemplateName: return pfGetText | pfConstant;
    case ViewCount: return pfGetBinary | pfGetText;
    case StoragePath: return pfGetText | pfSettable;
    case DocTitle: return pfGetText | pfSettable;
    default: return 0;
    }
}

std::string Document::PropertyName(int index)
{
    if (index >= 1 && index < NextProperty) return kDocumentPropertyNames[index - 1];
    return {};
}

std::string Document::PropertyValue(int index)
{
    switch (index) {
    case DocumentClass: return "Document";
    case TemplateName: return template_ ? template_->GetDescription() : std::string();
    case ViewCount: return std::to_string(views_.size());
    case StoragePath: return path_;
    case DocTitle: return title_;
    default: return {};
    }
}

int Document::CopyPropertyText(const std::string& text, char* buffer, int size)
{
    int length = static_cast<int>(text.size());
    if (size <= 0 || !buffer) return length + 1;
    int n = std::min(length, size - 1);
    std::memcpy(buffer, text.data(), static_cast<std::size_t>(n));
    buffer[n] = '\0';
    return n;
}

int Document::GetProperty(int index, char* buffer, int size)
{
    if (!(PropertyFlags(index) & pfGetText)) return 0;
    return CopyPropertyText(PropertyValue(index), buffer, size);
}

bool Document::SetProperty(int index, const std::string& value)
{
    switch (index) {
    case StoragePath: return SetDocPath(value);
    case DocTitle: SetTitle(value); return true;
    default: return false;
    }
}

std::string Document::PropertyText(const std::string& name)
{
    int index = FindProperty(name);
    if (index == 0) return {};
    int needed = GetProperty(index, nullptr, 0);
    if (needed <= 0) return {};
    std::string text(static_cast<std::size_t>(needed) + 1, '\0');
    int written = GetProperty(index, text.data(), needed + 1);
    text.resize(static_cast<std::size_t>(std::max(written, 0)));
    return text;
}

void Document::PostError(int messageId)
{
    if (manager_) {
        manager_->PostDocError(*this, messageId);
        return;
    }
    MessageBox(nullptr, DocumentMessageText(messageId), title_, MB_OK | MB_ICONEXCLAMATION);
}

void Document::AttachView(View* view)
{
    views_.push_back(view);
    if (!title_.empty()) SetTitle(title_);
}

void Document::DetachView(View* view)
{
    auto it = std::find(views_.begin(), views_.end(), view);
    if (it == views_.end()) return;
    views_.erase(it);
    if (manager_ && manager_->activeView_ == view) manager_->activeView_ = nullptr;
    if (destroying_) return;
    if (views_.empty() && template_ && template_->IsFlagSet(dtAutoDelete) && manager_)
        manager_->LastViewClosed(this);
}

// --- FileDocument ---------------------------------------------------------------------

int FileDocument::FindProperty(const std::string& name)
{
    for (int i = 0; i < 5; ++i)
        if (name == kFilePropertyNames[i]) return CreateTime + i;
    return Document::FindProperty(name);
}

int FileDocument::PropertyFlags(int index)
{
    if (index >= CreateTime && index < NextProperty)
        return index == FileHandle ? pfGetBinary : (pfGetText | pfGetBinary);
    return Document::PropertyFlags(index);
}

std::string FileDocument::PropertyName(int index)
{
    if (index >= CreateTime && index < NextProperty) return kFilePropertyNames[index - CreateTime];
    return Document::PropertyName(index);
}

std::string FileDocument::PropertyValue(int index)
{
    if (index < CreateTime || index >= NextProperty) return Document::PropertyValue(index);
    struct stat st {};
    if (GetDocPath().empty() || ::stat(GetDocPath().c_str(), &st) != 0) return {};
    auto timeText = [](std::time_t t) {
        char text[32] = {};
        std::tm tm {};
        localtime_r(&t, &tm);
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &tm);
        return std::string(text);
    };
    switch (index) {
    case CreateTime: return timeText(st.st_ctime);
    case ModifyTime: return timeText(st.st_mtime);
    case AccessTime: return timeText(st.st_atime);
    case StorageSize: return std::to_string(static_cast<long long>(st.st_size));
    default: return {};
    }
}

} // namespace fw
