#include "framework/gui/View.h"

#include "framework/gui/Document.h"

#include <QString>
#include <QWidget>

namespace fw {

View::View(Document& document) : document_(&document)
{
    document_->AttachView(this);
}

View::~View()
{
    // A document that deletes its views has already let go of this one.
    if (!detached_) document_->DetachView(this);
}

bool View::SetDocTitle(const std::string& title, int index)
{
    QWidget* window = GetWindow();
    if (!window) return false;
    std::string text = index > 0 ? title + ":" + std::to_string(index) : title;
    window->setWindowTitle(QString::fromStdString(text));
    return true;
}

bool View::CanClose()
{
    const auto& views = document_->GetViews();
    if (views.size() == 1 && views.front() == this) return document_->CanClose();
    return true;
}

bool View::Notify(int event, std::intptr_t arg)
{
    auto it = handlers_.find(event);
    if (it != handlers_.end()) {
        auto handler = it->second;
        return handler(arg);
    }
    return EvViewNotify(event, arg);
}

void View::OnNotify(int event, std::function<bool(std::intptr_t)> handler)
{
    if (handler) handlers_[event] = std::move(handler);
    else handlers_.erase(event);
}

bool View::EvViewNotify(int, std::intptr_t)
{
    return false;
}

WindowView::WindowView(Document& document, QWidget* parent) : Window(parent), View(document) {}

} // namespace fw
