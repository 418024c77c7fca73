#include "installer/engine/InstallDialogs.h"

#include "installer/engine/InstallOperations.h"
#include "installer/engine/InstallerHost.h"
#include "installer/support/DialogBox.h"
#include "installer/support/LanguageLibrary.h"
#include "installer/support/ResString.h"
#include "installer/support/WindowStack.h"

#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QStyle>
#include <QWidget>

#include <cctype>
#include <cstdio>

namespace kw {

intptr_t InstallerDialog::DialogProc(unsigned message, uintptr_t wparam, intptr_t)
{
    switch (message) {
    case kMsgInitDialog: Init(); return 0;
    case kMsgCommand:
        if ((wparam >> 16) != 0) return 0;
        switch (static_cast<int>(wparam & 0xFFFF)) {
        case kCmdOk: Ok(); return 1;
        case kCmdCancel: Cancel(); return 1;
        default: return Command(static_cast<int>(wparam & 0xFFFF)) ? 1 : 0;
        }
    case kMsgSysCommand:
        if (wparam == kScClose) {
            Cancel();
            return 1;
        }
        return 0;
    case kMsgDestroy:
        Destroyed();
        if (pushed_) WindowStack::Instance().Pop();
        pushed_ = false;
        return 0;
    default: return 0;
    }
}

bool InstallerDialog::Command(int) { return false; }

void InstallerDialog::PushWindow()
{
    WindowStack::Instance().Push(Window());
    pushed_ = true;
}

bool RunUntilConfirmed(InstallerHost& host, Dialog& dialog, const char* templateName)
{
    for (;;) {
        const int result = RunDialogWithOwner(dialog, DialogOwner(host), templateName);
        if (result == 0) return true;
        if (result < 0) return false; // the dialog could not be made (a check failure said so)
        if (host.QueryAbort()) return false;
    }
}

QWidget* DialogOwner(InstallerHost& host)
{
    QWidget* owner = host.DialogParent();
    return owner ? owner : WindowStack::Instance().Top();
}

void ShowInstallerIcon(Dialog& dialog, int id)
{
    auto* label = qobject_cast<QLabel*>(dialog.Item(id));
    if (!label) return;
    QPixmap pm;
    if (const std::string* bytes = FindPicture("ICONSETUP"))
        pm.loadFromData(reinterpret_cast<const uchar*>(bytes->data()), static_cast<uint>(bytes->size()));
    if (pm.isNull() && !QApplication::windowIcon().isNull()) pm = QApplication::windowIcon().pixmap(32, 32);
    if (pm.isNull()) pm = QApplication::style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(32, 32);
    label->setPixmap(pm);
}

void ReplacePlaceholder(Dialog& dialog, int id, QWidget* control)
{
    if (!control || !dialog.Window()) return;
    control->setParent(dialog.Window());
    if (QWidget* old = dialog.Item(id)) {
        control->setGeometry(old->geometry());
        control->setFont(old->font());
        old->hide();
        control->stackUnder(old);
        QWidget::setTabOrder(old, control); // the placeholder's place in the tab order
    }
    dialog.AddItem(id, control);
    control->show();
}

std::string FillIn(int stringId, std::initializer_list<std::string> texts)
{
    char format[kResStringSize];
    LoadResString(format, stringId);
    std::string out;
    auto next = texts.begin();
    for (const char* p = format; *p; ++p) {
        if (p[0] == '%' && p[1] == 's') {
            if (next != texts.end()) out += *next++;
            ++p;
        } else if (p[0] == '%' && p[1] == '%') {
            out += '%';
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}

int DriveClass(char drive)
{
    const char root[4] = {static_cast<char>(std::tolower(static_cast<unsigned char>(drive))), ':', '\\', 0};
    InstallOperations ops;
    ops.SetQuiet(true);
    switch (ops.DriveKind(root)) {
    case 1: return 1; // fixed
    case 0: {         // removable: only with room for an installation
        long long units = 0;
        return ops.FreeDiskSpace(root, units) && units > 4095 ? 2 : 0;
    }
    case 2: return 3; // remote
    case 3: return 4; // CD-ROM
    default: return 0;
    }
}

std::string FreeSpaceLine(char drive, long long units)
{
    const unsigned long long kb = units > 0 ? static_cast<unsigned long long>(units) * 10 : 0;
    char line[64];
    std::snprintf(line, sizeof line, "%c: %5lluMb + %4lluKb", std::toupper(static_cast<unsigned char>(drive)),
                  kb / 1024, kb % 1024);
    return line;
}

} // namespace kw
