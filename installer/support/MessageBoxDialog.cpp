#include "installer/support/MessageBoxDialog.h"

#include "installer/support/HelpFile.h"
#include "installer/support/LanguageLibrary.h"
#include "installer/support/MessageLoop.h"
#include "installer/support/ResString.h"
#include "installer/support/WindowStack.h"

#include <QApplication>
#include <QEventLoop>
#include <QFontMetrics>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace kw {

namespace {
std::string Cut(const char* text)
{
    std::string s = text ? text : "";
    if (s.size() >= MessageBoxDialog::kCaptionSize) s.resize(MessageBoxDialog::kCaptionSize - 1);
    return s;
}
} // namespace

void MessageBoxDialog::SetText(const char* format, ...)
{
    char text[1024];
    va_list args;
    va_start(args, format);
    if (format)
        std::vsnprintf(text, sizeof text, format, args);
    else
        text[0] = 0;
    va_end(args);
    text_ = text;
}

void MessageBoxDialog::SetStandardIcon(int flag)
{
    icon_ = flag;
    iconName_.clear();
}

void MessageBoxDialog::SetIcon(const char* name)
{
    icon_ = 0;
    iconName_ = name ? name : "";
}

void MessageBoxDialog::SetButtons(int type)
{
    switch (type) {
    case kOk:
        buttons_ = {Cut(ResText(76).c_str())};
        default_ = 0;
        break;
    case kOkCancel: buttons_ = {Cut(ResText(76).c_str()), Cut(ResText(77).c_str())}; default_ = 1; break;
    case kYesNo: buttons_ = {Cut(ResText(78).c_str()), Cut(ResText(79).c_str())}; default_ = 1; break;
    case kRetryCancel: buttons_ = {Cut(ResText(80).c_str()), Cut(ResText(77).c_str())}; default_ = 1; break;
    default: break;
    }
}

void MessageBoxDialog::SetButtons1(const char* a) { buttons_ = {Cut(a)}; }
void MessageBoxDialog::SetButtons2(const char* a, const char* b) { buttons_ = {Cut(a), Cut(b)}; }
void MessageBoxDialog::SetButtons3(const char* a, const char* b, const char* c) { buttons_ = {Cut(a), Cut(b), Cut(c)}; }

void MessageBoxDialog::SetHelpButton(int context)
{
    help_ = true;
    helpContext_ = context;
}

std::string MessageBoxDialog::TemplateName() const
{
    return "DLGMSGBOX" + std::to_string(buttons_.size() + (help_ ? 1 : 0));
}

MessageBoxRequest MessageBoxDialog::Request() const
{
    MessageBoxRequest r;
    r.caption = caption_;
    r.text = text_;
    r.buttons = buttons_;
    r.defaultButton = default_;
    r.help = help_;
    r.icon = icon_;
    r.templateName = TemplateName();
    return r;
}

int MessageBoxDialog::Run(const char* caption, bool centred, bool modal)
{
    return RunWithOwner(WindowStack::Instance().Top(), caption, centred, modal);
}

int MessageBoxDialog::RunWithOwner(QWidget* owner, const char* caption, bool centred, bool modal)
{
    caption_ = caption && *caption ? caption : ResText(81);
    centred_ = centred;
    if (buttons_.empty()) SetButtons(kOk);
    if (auto& answer = MessageBoxSeam::Current()) return answer(Request());
    std::string name = TemplateName();
    if (modal || DialogSeam::Current()) return RunDialogWithOwner(*this, owner, name.c_str());
    if (!CreateModelessDialog(*this, owner, name.c_str())) return -1;
    Window()->show();
    QEventLoop loop;
    while (!Ended() && Window()) loop.processEvents(QEventLoop::WaitForMoreEvents);
    int result = Result();
    DestroyWindow();
    return result;
}

static QPixmap StandardIcon(int flag)
{
    QStyle::StandardPixmap sp;
    switch (flag) {
    case MessageBoxDialog::kIconHand: sp = QStyle::SP_MessageBoxCritical; break;
    case MessageBoxDialog::kIconQuestion: sp = QStyle::SP_MessageBoxQuestion; break;
    case MessageBoxDialog::kIconExclamation: sp = QStyle::SP_MessageBoxWarning; break;
    case MessageBoxDialog::kIconAsterisk: sp = QStyle::SP_MessageBoxInformation; break;
    default: return {};
    }
    return QApplication::style()->standardIcon(sp).pixmap(32, 32);
}

intptr_t MessageBoxDialog::DialogProc(unsigned message, uintptr_t wparam, intptr_t)
{
    int count = static_cast<int>(buttons_.size());
    if (message == kMsgInitDialog) {
        QWidget* w = Window();
        w->setWindowTitle(QString::fromStdString(caption_));
        SetItemText(101, text_);
        if (auto* icon = qobject_cast<QLabel*>(Item(102))) {
            QPixmap pm = StandardIcon(icon_);
            if (!iconName_.empty())
                if (const std::string* bytes = FindPicture(iconName_.c_str()))
                    pm.loadFromData(reinterpret_cast<const uchar*>(bytes->data()), static_cast<uint>(bytes->size()));
            icon->setPixmap(pm);
            icon->setVisible(!pm.isNull());
        }
        for (int i = 0; i < count; ++i) {
            SetItemText(103 + i, buttons_[static_cast<size_t>(i)]);
            if (auto* b = qobject_cast<QPushButton*>(Item(103 + i))) b->setDefault(i == default_);
        }
        if (help_) SetItemText(103 + count, ResText(82));
        Layout();
        return 1;
    }
    if (message != kMsgCommand) return 0;
    int id = static_cast<int>(wparam);
    if (id == kCmdHelpContext) {
        SetWindowWord0(helpContext_);
        return 1;
    }
    if (help_ && id == 103 + count) {
        HelpFile::Instance().ShowForActiveWindow();
        return 1;
    }
    if (id >= 103 && id < 103 + count) {
        EndDialog(id - 103);
    } else if (id == kCmdOk) {
        EndDialog(0);
    } else if (id == kCmdCancel && default_ >= 0 && default_ < count) {
        EndDialog(default_);
    }
    return 1;
}

// Fits the box to its text: the text keeps its width and takes the lines it needs, the
// buttons stand in one centred row below it.
void MessageBoxDialog::Layout()
{
    QWidget* w = Window();
    auto* text = qobject_cast<QLabel*>(Item(101));
    if (!w || !text) return;
    const int margin = DialogUnitsToPixelsX(8);
    const int gap = DialogUnitsToPixelsX(6);
    QRect screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry()
                                                    : QRect(0, 0, 1024, 768);
    QFontMetrics fm(text->font());
    QRect natural = fm.boundingRect(QRect(0, 0, screen.width() / 2, 10000), Qt::TextWordWrap,
                                    text->text());
    int textWidth = std::max(text->width(), natural.width() + 4);
    QRect wrapped = fm.boundingRect(QRect(0, 0, textWidth, 10000), Qt::TextWordWrap, text->text());
    int textHeight = std::max(text->height(), wrapped.height() + 2);
    text->resize(textWidth, textHeight);
    int contentBottom = text->y() + textHeight;
    if (QWidget* icon = Item(102); icon && icon->isVisible())
        contentBottom = std::max(contentBottom, icon->y() + icon->height());

    std::vector<QWidget*> row;
    for (int id = 103; Item(id); ++id) row.push_back(Item(id));
    int rowWidth = 0, rowHeight = 0;
    for (QWidget* b : row) {
        int bw = std::max(b->width(), b->fontMetrics().horizontalAdvance(
                                          static_cast<QPushButton*>(b)->text()) + margin);
        b->resize(bw, b->height());
        rowWidth += bw;
        rowHeight = std::max(rowHeight, b->height());
    }
    if (!row.empty()) rowWidth += gap * static_cast<int>(row.size() - 1);
    int width = std::max({w->width(), text->x() + textWidth + margin, rowWidth + 2 * margin});
    int rowTop = contentBottom + margin;
    int x = (width - rowWidth) / 2;
    for (QWidget* b : row) {
        b->move(x, rowTop);
        x += b->width() + gap;
    }
    int height = std::max(w->height(), rowTop + rowHeight + margin);
    w->setFixedSize(width, height);
    if (centred_) {
        QWidget* over = w->parentWidget();
        QRect area = over ? over->frameGeometry() : screen;
        w->move(area.center() - QPoint(width / 2, height / 2));
    }
}

} // namespace kw
