#include "installer/support/UserWindow.h"

#include "installer/support/MessageBoxDialog.h"

#include <QEvent>
#include <QWidget>

#include <new>

namespace kw {

class UserWindowWidget : public QWidget {
public:
    UserWindowWidget(userwnd* owner, QWidget* parent) : QWidget(parent), owner_(owner) {}
    userwnd* owner_;

protected:
    bool event(QEvent* e) override
    {
        if (owner_ && owner_->Event(e)) return true;
        return QWidget::event(e);
    }
};

userwnd::~userwnd()
{
    if (!window_) return;
    MessageBoxDialog box;
    box.SetText("del() must be called before userwnd::~userwnd()");
    box.SetStandardIcon(MessageBoxDialog::kIconHand);
    box.SetButtons(MessageBoxDialog::kOk);
    box.RunWithOwner(nullptr, "Error");
    static_cast<UserWindowWidget*>(window_)->owner_ = nullptr;
    window_->hide();
    window_->deleteLater();
}

bool userwnd::Create(const WindowParams& p)
{
    del();
    auto* w = new UserWindowWidget(this, p.parent);
    w->setObjectName(QString::fromStdString(p.className));
    QSize size = w->sizeHint().isValid() ? w->sizeHint() : QSize(320, 240);
    w->resize(p.width == WindowParams::kDefault ? size.width() : p.width,
              p.height == WindowParams::kDefault ? size.height() : p.height);
    if (p.x != WindowParams::kDefault && p.y != WindowParams::kDefault) w->move(p.x, p.y);
    window_ = w;
    return true;
}

void userwnd::del()
{
    if (!window_) return;
    static_cast<UserWindowWidget*>(window_)->owner_ = nullptr;
    delete window_;
    window_ = nullptr;
}

bool IntArray::Resize(int n)
{
    if (n < 0) return false;
    int* fresh = new (std::nothrow) int[n > 0 ? n : 1]();
    if (!fresh) return false;
    for (int i = 0; i < n && i < count; ++i) fresh[i] = items[i];
    delete[] items;
    items = fresh;
    count = n;
    return true;
}

} // namespace kw
