// The executors of the events that the install controller serves itself: file groups,
// Program Manager items, INI entries, programs, the end mode, the pause, queries about the
// machine, the screen's windows, the uninstaller and the script's user dialogs.
#include "installer/engine/InstallController.h"

#include "framework/sys/WinFileSystem.h"
#include "framework/sys/WinRoot.h"
#include "installer/engine/ComponentDialog.h"
#include "installer/engine/ScriptEvent.h"
#include "installer/support/CheckFailed.h"
#include "installer/support/FilePath.h"
#include "installer/support/GroupLink.h"
#include "installer/support/IniFile.h"
#include "installer/support/Launch.h"
#include "installer/support/OsInfo.h"
#include "installer/support/PathBuffer.h"

#include <cstring>
#include <string>
#include <vector>

namespace kw {

void InstallController::RegisterServiceExecutors()
{
    using Event = ScriptEvent;
    ScriptInstaller& s = script_;

    // 0: pause with the event's text; the third button installs groups elsewhere and stops.
    s.SetExecutor(kEventPause, [this](Event& e, ScriptInstaller& in, int&) {
        std::string text;
        if (!Expand(in, e.Text(0), text)) return false;
        switch (Pause(text.c_str(), e.Int(0) != 0)) {
        case 0: return true;
        case 1: InstallGroupsElsewhere(); return false;
        default: return false;
        }
    });
    // 2: the component selection; Cancel confirmed by the abort question fails the event.
    s.SetExecutor(kEventSelectComponents, [this](Event&, ScriptInstaller&, int&) { return SelectComponents(*this); });
    // 3: a file group.
    s.SetExecutor(kEventFileGroup, [this](Event& e, ScriptInstaller&, int&) {
        const bool ok = InstallFileGroup(e);
        CloseCopyingBox();
        return ok;
    });
    // 4: a Program Manager item, its command's quoted paths in their short form.
    s.SetExecutor(kEventProgmanItem, [this](Event& e, ScriptInstaller& in, int&) {
        std::string group, name, command, icon, directory;
        if (!Expand(in, e.Text(0), group) || !Expand(in, e.Text(1), name) ||
            !Expand(in, e.Text(2), command, 512) || !Expand(in, e.Text(3), icon) ||
            !Expand(in, e.Text(4), directory))
            return false;
        ProgmanItem item;
        item.iconIndex = e.Int(0);
        item.minimised = e.Int(1);
        if (!ProgmanItem::SetField(item.name, sizeof item.name, name.c_str()) ||
            !ProgmanItem::SetField(item.commandLine, sizeof item.commandLine, ShortenQuotedParts(command).c_str()) ||
            !ProgmanItem::SetField(item.iconPath, sizeof item.iconPath, icon.c_str()) ||
            !ProgmanItem::SetField(item.workingDirectory, sizeof item.workingDirectory, directory.c_str()))
            return false;
        return operations_.CreateGroup(group.c_str()) && operations_.AddProgmanItem(group.c_str(), item, false);
    });
    // 5: an INI entry; the mode says add, add if missing, add beside duplicates or delete.
    s.SetExecutor(kEventIniEntry, [this](Event& e, ScriptInstaller& in, int&) {
        std::string file, section, entry, value;
        if (!Expand(in, e.Text(0), file) || !Expand(in, e.Text(1), section) ||
            !Expand(in, e.Text(2), entry) || !Expand(in, e.Text(3), value, 512))
            return false;
        IniEntryRequest request;
        request.modeFlags = e.Int(0) >= 0 && e.Int(0) <= 3 ? e.Int(0) : 0;
        request.file.Assign(file.c_str());
        request.section.Assign(section.c_str());
        request.entry.Assign(entry.c_str());
        request.value.Assign(value.c_str());
        return WriteIniEntry(request);
    });
    // 7: runs a program: 0 start, 1 start and wait, 2 start in a working directory.
    s.SetExecutor(kEventRunProgram, [](Event& e, ScriptInstaller& in, int&) {
        std::string program, arguments, third, directory;
        if (!Expand(in, e.Text(0), program, 128) || !Expand(in, e.Text(1), arguments, 128) ||
            !Expand(in, e.Text(2), third, 128) || !Expand(in, e.Text(3), directory))
            return false;
        std::string command = program;
        for (const std::string* part : {&arguments, &third})
            if (!part->empty()) command += " " + *part;
        LaunchRequest request;
        if (!request.SetCommand(command.c_str())) return false;
        fw::WinRoot* root = fw::WinRoot::Current();
        const std::string previous = root ? root->CurrentDirectory() : std::string();
        if (e.Int(2) == 2 && root && !directory.empty()) root->SetCurrentDirectory(directory);
        int exitCode = 0;
        const bool ok = e.Int(2) == 1 ? LaunchAndWait(request, &exitCode) : LaunchProgram(request);
        if (root && !previous.empty()) root->SetCurrentDirectory(previous);
        if (!ok) {
            Report("Unable to execute %s", command.c_str());
            return false;
        }
        return SetOptionalInt(in, e.Text(4), exitCode);
    });
    // 8: how the installation ends.
    s.SetExecutor(kEventEndMode, [this](Event& e, ScriptInstaller&, int& result) {
        return EndMode(e.Int(0), e.Int(1) != 0, e.Int(2) != 0, result);
    });
    // 11: a block of text, shown in a message box titled with the product name; the event's
    // int is the box's style (its button set and icon).
    s.SetExecutor(kEventTextBlock, [this](Event& e, ScriptInstaller& in, int&) {
        std::string text;
        if (!Expand(in, e.Text(0), text, 512)) return false;
        return ShowTextBlock(text, e.Int(0)) >= 0;
    });
    // 17: the first CD-ROM drive.
    s.SetExecutor(kEventCdromQuery, [this](Event& e, ScriptInstaller& in, int&) {
        const int drive = operations_.FirstCdromDrive();
        std::string rootText;
        if (drive >= 0) rootText = std::string(1, static_cast<char>('a' + drive)) + ":\\";
        return SetOptionalInt(in, e.Text(0), drive >= 0 ? 1 : 0) &&
               (e.Text(1).IsEmpty() || in.SetStringVariable(e.Text(1).Text(), rootText.c_str()));
    });
    // 18: the size of the selected events, in units of 10 KB.
    s.SetExecutor(kEventSelectedSize, [this](Event& e, ScriptInstaller& in, int&) {
        int* v = in.IntVariable(e.Text(0).Text(), true);
        if (!v) return false;
        *v = SelectedSize();
        return true;
    });
    // 29: the system's version, major and minor.
    s.SetExecutor(kEventVersionQuery, [](Event& e, ScriptInstaller& in, int&) {
        const OsInfo& os = GetOsInfo();
        return SetOptionalInt(in, e.Text(0), os.major) && SetOptionalInt(in, e.Text(1), os.minor);
    });
    // 30: the processor; 31, 32: two tests that always pass.
    s.SetExecutor(kEventProcessorQuery, [](Event& e, ScriptInstaller& in, int&) {
        fw::WinRoot* root = fw::WinRoot::Current();
        const int p = root ? root->Os().processor : 0;
        return SetOptionalInt(in, e.Text(0), p == 386 || p == 486 || p == 586 ? p : 0);
    });
    for (int code : {kEventFirstConstantTest, kEventSecondConstantTest})
        s.SetExecutor(code, [](Event& e, ScriptInstaller& in, int&) { return SetOptionalInt(in, e.Text(0), 1); });
    // 33, 34: the icon window; the screen's own minimise stands for it here.
    for (int code : {kEventShowIconWindow, kEventHideIconWindow}) s.SetExecutor(code, [](Event&, ScriptInstaller&, int&) { return true; });
    // 35-40: the three status texts, shown and hidden.
    for (int which = 0; which < 3; ++which) {
        s.SetExecutor(kEventShowFirstStatus + 2 * which, [this, which](Event&, ScriptInstaller&, int&) {
            ShowStatus(which);
            return true;
        });
        s.SetExecutor(kEventShowFirstStatus + 1 + 2 * which, [this](Event&, ScriptInstaller&, int&) {
            HideStatus();
            return true;
        });
    }
    // 41: the uninstaller.
    s.SetExecutor(kEventUninstaller, [this](Event& e, ScriptInstaller&, int&) { return RegisterUninstaller(e); });
    // 46: the language index of the package in use.
    s.SetExecutor(kEventLanguageIndex, [this](Event& e, ScriptInstaller& in, int&) {
        return SetOptionalInt(in, e.Text(0), script_.Project()->languages.Choose());
    });
    // 48: a user dialog of the script.
    s.SetExecutor(kEventUserDialog, [this](Event& e, ScriptInstaller& in, int&) {
        std::string name;
        if (!Expand(in, e.Text(0), name, 80)) return false;
        const int pressed = in.ShowUserDialog(name.c_str(), DialogParent());
        return pressed >= 0 && SetOptionalInt(in, e.Text(1), pressed);
    });
    // 49, 50: the message window.
    s.SetExecutor(kEventShowMessage, [this](Event& e, ScriptInstaller& in, int&) {
        std::string title, text;
        if (!Expand(in, e.Text(0), title) || !Expand(in, e.Text(1), text, 512)) return false;
        ShowMessage(title, text, e.Int(0), e.Int(1), e.Word(0));
        return true;
    });
    s.SetExecutor(kEventHideMessage, [this](Event&, ScriptInstaller&, int&) {
        HideMessage();
        return true;
    });
}

} // namespace kw
