#include "installer/support/UserDialogBox.h"

#include "framework/sys/WinFileSystem.h"
#include "framework/sys/WinRoot.h"
#include "installer/support/FilePath.h"
#include "installer/support/HelpFile.h"
#include "installer/support/MessageLoop.h"
#include "installer/support/ResString.h"
#include "installer/support/WindowOps.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include <cstdio>

namespace kw {

bool FileEditControl::Load(QWidget* edit, const char* path)
{
    auto* e = qobject_cast<QPlainTextEdit*>(edit);
    FILE* f = e && path ? fw::WinFileSystem::Open(path, "rb") : nullptr;
    if (!f) return false;
    std::string text(kMaxBytes, '\0');
    size_t n = std::fread(&text[0], 1, kMaxBytes, f);
    std::fclose(f);
    text.resize(n);
    e->setPlainText(QString::fromLocal8Bit(text.data(), static_cast<int>(text.size())));
    return true;
}

bool FileEditControl::Save(QWidget* edit, const char* path)
{
    auto* e = qobject_cast<QPlainTextEdit*>(edit);
    FILE* f = e && path ? fw::WinFileSystem::Open(path, "wb") : nullptr;
    if (!f) return false;
    QByteArray bytes = e->toPlainText().toLocal8Bit();
    bool ok = std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), f) == static_cast<size_t>(bytes.size());
    return std::fclose(f) == 0 && ok;
}

int UserDialogBox::Run() { return RunDialogWithOwner(*this, parent_, TemplateName().c_str()); }

bool UserDialogBox::CreateModeless()
{
    if (!CreateModelessDialog(*this, parent_, TemplateName().c_str())) return false;
    Window()->show();
    return true;
}

void UserDialogBox::MakeControls()
{
    QWidget* w = Window();
    QRect parent = parent_ ? parent_->geometry()
                           : (QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry()
                                                               : QRect(0, 0, 1024, 768));
    int width = parent.width() * spec_.width / 200, height = parent.height() * spec_.height / 100;
    w->setFixedSize(width > 0 ? width : 1, height > 0 ? height : 1);
    QPoint centre = parent_ ? PermilleToScreen(parent_, spec_.centreX, spec_.centreY)
                            : QPoint(parent.x() + parent.width() * spec_.centreX / 1000,
                                     parent.y() + parent.height() * spec_.centreY / 1000);
    w->move(centre - QPoint(w->width() / 2, w->height() / 2));
    w->setWindowTitle(QString::fromStdString(spec_.title));
    w->setWindowFlag(Qt::WindowCloseButtonHint, false);

    size_t count = spec_.items.size() < size_t(UserDialogSpec::kMaxItems) ? spec_.items.size() : size_t(UserDialogSpec::kMaxItems);
    for (size_t i = 0; i < count; ++i) {
        const UserDialogItemSpec& item = spec_.items[i];
        int id = 100 + static_cast<int>(i);
        QString text = QString::fromStdString(item.text);
        QWidget* control = nullptr;
        switch (item.kind) {
        case UserDialogItemSpec::kText: {
            auto* l = new QLabel(text, w);
            l->setWordWrap(true);
            l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            control = l;
            break;
        }
        case UserDialogItemSpec::kPicture: {
            auto* l = new QLabel(w);
            l->setScaledContents(true);
            l->setFrameShape(QFrame::Box);
            PathBuffer resolved, dir, full;
            std::string host;
            bool link = false;  // a picture is never read through a link
            if (item.picture.ResolvePath(resolved) && ModuleDirectory(dir) && JoinPath(full, dir.Text(), resolved.Text()))
                if (fw::WinRoot* root = fw::WinRoot::Current(); root && root->ToHost(full.Text(), host, &link) && !link)
                    l->setPixmap(QPixmap(QString::fromStdString(host)));
            control = l;
            break;
        }
        case UserDialogItemSpec::kEdit: {
            auto* e = new QLineEdit(text.left(255), w);
            e->setMaxLength(255);
            control = e;
            break;
        }
        case UserDialogItemSpec::kList: {
            auto* c = new QComboBox(w);
            for (const QString& choice : text.split("\r\n", Qt::SkipEmptyParts)) c->addItem(choice);
            c->setCurrentIndex(item.index >= 0 && item.index < c->count() ? item.index : -1);
            control = c;
            break;
        }
        case UserDialogItemSpec::kHelp:
        case UserDialogItemSpec::kButton: {
            std::string caption = item.text;
            if (item.kind == UserDialogItemSpec::kHelp) {
                char buffer[kResStringSize];
                LoadResString(buffer, 12);
                caption = buffer;
            }
            auto* b = new QPushButton(QString::fromStdString(caption), w);
            b->setAutoDefault(false);
            QObject::connect(b, &QPushButton::clicked, w, [this, id] { Command(id); });
            control = b;
            break;
        }
        case UserDialogItemSpec::kFileEdit: {
            auto* p = new QPlainTextEdit(w);
            p->setReadOnly(item.readOnly);
            FileEditControl::Load(p, item.file.c_str());
            control = p;
            break;
        }
        default: continue;
        }
        control->setGeometry(DialogUnitsToPixelsX(item.x), DialogUnitsToPixelsY(item.y),
                             DialogUnitsToPixelsX(item.width), DialogUnitsToPixelsY(item.height));
        control->show();
        AddItem(id, control);
    }
}

void UserDialogBox::Collect()
{
    for (size_t i = 0; i < spec_.items.size(); ++i) {
        UserDialogItemSpec& item = spec_.items[i];
        QWidget* control = Item(100 + static_cast<int>(i));
        if (!control) continue;
        if (item.kind == UserDialogItemSpec::kEdit) item.text = WindowText(control);
        if (item.kind == UserDialogItemSpec::kList)
            if (auto* c = qobject_cast<QComboBox*>(control)) item.index = c->currentIndex();
        if (item.kind == UserDialogItemSpec::kFileEdit && !item.readOnly) FileEditControl::Save(control, item.file.c_str());
    }
}

intptr_t UserDialogBox::DialogProc(unsigned message, uintptr_t wparam, intptr_t)
{
    if (message == kMsgInitDialog) {
        MakeControls();
        return 1;
    }
    if (message != kMsgCommand) return 0;
    int id = static_cast<int>(wparam);
    if (id == kCmdHelpContext) {
        SetWindowWord0(spec_.helpContext);
        return 1;
    }
    int index = id - 100;
    if (index < 0 || index >= static_cast<int>(spec_.items.size())) return 0;
    const UserDialogItemSpec& item = spec_.items[static_cast<size_t>(index)];
    if (item.kind == UserDialogItemSpec::kHelp) {
        HelpFile::Instance().ShowForWindow(Window());
        return 1;
    }
    if (item.kind == UserDialogItemSpec::kButton) {
        if (item.value % 2 == 0) Collect();
        EndDialog(item.value);
        return 1;
    }
    return 0;
}

} // namespace kw
