#include "framework/gui/Dialog.h"

#include "framework/gui/Help.h"
#include "framework/gui/MessageBox.h"
#include "framework/gui/Headless.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

namespace fw {

ScriptedDialogs::ScriptedDialogs(DialogResponder responder)
    : responder_(Answering([responder](std::size_t) { return responder; }))
{
}

ScriptedDialogs::ScriptedDialogs(std::vector<DialogResponder> inOrder)
    : responder_(Answering(
          [inOrder](std::size_t n) { return n < inOrder.size() ? inOrder[n] : DialogResponder(); }))
{
}

DialogResponder ScriptedDialogs::Answering(std::function<DialogResponder(std::size_t)> pick)
{
    return [this, pick](Dialog& d) {
        DialogResponder responder = pick(std::size_t(count_));
        ++count_;
        captions_.push_back(d.GetCaption());
        return responder ? responder(d) : IDCANCEL;
    };
}

Dialog::Dialog(QWidget* parent, const std::string& caption) : QDialog(parent), ControlHost(this)
{
    auto* outer = new QVBoxLayout(this);
    body_ = new QGridLayout();
    buttons_ = new QHBoxLayout();
    buttons_->addStretch(1);
    outer->addLayout(body_, 1);
    outer->addLayout(buttons_);
    SetCaption(caption);
}

Dialog::~Dialog() = default;

void Dialog::SetCaption(const std::string& caption)
{
    setWindowTitle(QString::fromStdString(caption));
}

std::string Dialog::GetCaption() const
{
    return windowTitle().toStdString();
}

QPushButton* Dialog::AddButton(int id, const std::string& text, bool isDefault)
{
    auto* b = new QPushButton(QString::fromStdString(text), this);
    b->setAutoDefault(false);
    b->setDefault(isDefault);
    buttons_->addWidget(b);
    return AddControl(id, b);
}

void Dialog::AddStandardButtons(int helpContext)
{
    AddButton(IDOK, "OK", true);
    AddButton(IDCANCEL, "Cancel");
    if (helpContext != 0) {
        helpContext_ = helpContext;
        AddButton(IDHELP, "Help");
    }
}

void Dialog::PlaceWidget(QWidget* w, int row, int column, int rowSpan, int columnSpan)
{
    body_->addWidget(w, row, column, rowSpan, columnSpan);
}

void Dialog::EnsureSetUp()
{
    if (setUp_) return;
    setUp_ = true;
    SetupWindow();
}

void Dialog::Create(bool show)
{
    modal_ = false;
    EnsureSetUp();
    if (show) QDialog::show();
}

int Dialog::Execute()
{
    modal_ = true;
    result_ = 0;
    EnsureSetUp();
    if (DialogSeam::Current()) {
        // A copy: the responder may be replaced while it answers.
        DialogResponder responder = DialogSeam::Current();
        int answer = responder(*this);
        if (result_ == 0) result_ = answer;
        modal_ = false;
        return result_;
    }
    if (IsHeadless()) {
        ReportHeadlessModal("dialog \"" + GetCaption() + "\"");
        modal_ = false;
        result_ = IDCANCEL;
        return result_;
    }
    setModal(true);
    QDialog::exec();
    modal_ = false;
    return result_;
}

void Dialog::CloseWindow(int id)
{
    result_ = id;
    if (isVisible() && modal_) done(id);
    else hide();
}

void Dialog::CmOk()
{
    if (CanClose()) CloseWindow(IDOK);
}

void Dialog::CmCancel()
{
    CloseWindow(IDCANCEL);
}

void Dialog::CmHelp()
{
    ShowHelp(helpContext_);
}

bool Dialog::EvCommand(int id)
{
    switch (id) {
    case IDOK: CmOk(); return true;
    case IDCANCEL: CmCancel(); return true;
    case IDHELP: CmHelp(); return true;
    default: return false;
    }
}

void Dialog::reject()
{
    SendCommand(IDCANCEL);
}

void Dialog::closeEvent(QCloseEvent* event)
{
    if (!CloseAllowedNow()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

}  // namespace fw
