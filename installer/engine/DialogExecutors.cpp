#include "installer/engine/DialogExecutors.h"

#include "framework/sys/WinFileSystem.h"
#include "framework/sys/WinRoot.h"
#include "installer/engine/InstallDialogs.h"
#include "installer/engine/InstallerHost.h"
#include "installer/engine/PromptDialog.h"
#include "installer/engine/ScriptEvent.h"
#include "installer/engine/ScriptInstaller.h"
#include "installer/engine/StartupMerge.h"
#include "installer/engine/UserNameDialog.h"
#include "installer/support/CheckFailed.h"
#include "installer/support/FilePath.h"
#include "installer/support/FileSearch.h"
#include "installer/support/MessageBoxDialog.h"
#include "installer/support/PathBuffer.h"
#include "installer/support/ProgressDialog.h"
#include "installer/support/ResString.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <vector>

namespace kw {

namespace {

// A text shown in a label: its lines separated by "\n" alone.
std::string ForLabel(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

// Copies a text into a fixed buffer, cut to fit.
template <std::size_t N>
void CopyInto(char (&buffer)[N], const char* text)
{
    std::snprintf(buffer, N, "%s", text ? text : "");
}

// 1: the user-name dialog. Ints: read-only flag, kept. Texts: six variable names; the first
// names the name's variable, the second the company's; every one given must resolve.
bool UserNameEvent(ScriptEvent& e, ScriptInstaller& in, InstallerHost& host)
{
    for (int i = 0; i < 6; ++i)
        if (!e.Text(i).IsEmpty() && !in.StringVariable(e.Text(i).Text(), true)) return false;
    UserNameRecord record;
    record.readOnly = e.Int(0) != 0;
    if (!e.Text(0).IsEmpty()) CopyInto(record.name, in.StringVariable(e.Text(0).Text()));
    if (!e.Text(1).IsEmpty()) CopyInto(record.company, in.StringVariable(e.Text(1).Text()));
    if (!AskUserName(host, record)) return false;
    return (e.Text(0).IsEmpty() || in.SetStringVariable(e.Text(0).Text(), record.name)) &&
           (e.Text(1).IsEmpty() || in.SetStringVariable(e.Text(1).Text(), record.company));
}

// 10: the start-up file merge. Text: the file of lines to add; ints: which file, quiet, append.
bool StartupMergeEvent(ScriptEvent& e, ScriptInstaller& in, InstallerHost& host)
{
    std::string lines;
    if (!Expand(in, e.Text(0), lines)) return false;
    PathBuffer path;
    StartupMergeRequest request;
    request.linesFile = FullPath(lines.c_str(), path) ? path.Text() : lines;
    request.configSys = e.Int(0) != 0;
    request.quiet = e.Int(1) != 0;
    request.append = e.Int(2) != 0;
    if (MergeStartupFile(host, request)) return true;
    Report("Unable to modify AUTOEXEC.BAT or CONFIG.SYS");
    return false;
}

// 12: the prompt for a string. Ints: needed space, kind, make-directory, check-space. Texts:
// initial text, body, result variable, caption, needed space as a number (directory with
// its space checked).
bool PromptEvent(ScriptEvent& e, ScriptInstaller& in, InstallerHost& host)
{
    if (!in.StringVariable(e.Text(2).Text(), true)) return false;
    PromptRequest request;
    request.neededSpace = e.Int(0);
    request.kind = e.Int(1) >= PromptRequest::kText && e.Int(1) <= PromptRequest::kGroup ? e.Int(1) : PromptRequest::kText;
    request.makeDirectory = e.Int(2);
    request.checkSpace = e.Int(3);
    if (!Expand(in, e.Text(0), request.initial) || !Expand(in, e.Text(1), request.body, PromptRequest::kBodySize) ||
        !Expand(in, e.Text(3), request.caption))
        return false;
    if (e.Int(1) == PromptRequest::kDirectory && e.Int(3) != 0 && !e.Text(4).IsEmpty()) {
        std::string space;
        if (!Expand(in, e.Text(4), space)) return false;
        long long units = 0;
        char rest[2];
        if (std::sscanf(space.c_str(), "%lld%1s", &units, rest) != 1) {
            Report("Unable to convert %s to integer", space.c_str());
            return false;
        }
        request.neededSpace = units;
    }
    request.body = ForLabel(request.body);
    if (!PromptForString(host, request)) return false;
    return in.SetStringVariable(e.Text(2).Text(), request.result.c_str());
}

// 22: the file search, with its progress box unless the display mode is 0.
bool FileSearchEvent(ScriptEvent& e, ScriptInstaller& in, InstallerHost& host)
{
    int* found = nullptr;
    if (!e.Text(2).IsEmpty() && !(found = in.IntVariable(e.Text(2).Text(), true))) return false;
    if (!e.Text(3).IsEmpty() && !in.StringVariable(e.Text(3).Text(), true)) return false;
    FileSearchRequest request;
    request.mode = e.Int(1);
    request.cdromDrives = e.Int(2) != 0;
    request.fixedDrives = e.Int(3) != 0;
    request.remoteDrives = e.Int(4) != 0;
    request.recursive = e.Int(5) != 0;
    if (!Expand(in, e.Text(0), request.start) || !Expand(in, e.Text(1), request.pattern)) return false;

    bool cancel = false;
    ProgressDialog progress(&cancel, DialogOwner(host));
    if (e.Int(0) != 0 && progress.Create()) {
        progress.SetTitle("%s", host.ProductName().c_str());
        progress.SetLine1("%s", FillIn(73, {request.pattern}).c_str());
    }
    std::string path;
    const bool hit = SearchForFile(request, path, &cancel);
    progress.DestroyWindow();
    if (found) *found = hit ? 1 : 0;
    return e.Text(3).IsEmpty() || in.SetStringVariable(e.Text(3).Text(), hit ? path.c_str() : "");
}

// 28: the yes/no question, with a third button that offers to abort the installation: an
// abort the user confirms fails the event; declining it asks the question again.
bool QuestionEvent(ScriptEvent& e, ScriptInstaller& in, InstallerHost& host)
{
    int* answer = in.IntVariable(e.Text(1).Text(), true);
    std::string text;
    if (!answer || !Expand(in, e.Text(0), text, 1024)) return false;
    const int icon = e.Int(0);
    const std::string caption = host.ProductName();
    for (;;) {
        MessageBoxDialog box;
        box.SetText("%s", ForLabel(text).c_str());
        box.SetStandardIcon(icon == MessageBoxDialog::kIconHand || icon == MessageBoxDialog::kIconQuestion ||
                                    icon == MessageBoxDialog::kIconExclamation || icon == MessageBoxDialog::kIconAsterisk
                                ? icon
                                : MessageBoxDialog::kIconQuestion);
        box.SetButtons3(ResText(78).c_str(), ResText(79).c_str(), ResText(86).c_str());
        const int pressed = box.RunWithOwner(DialogOwner(host), caption.c_str());
        if (pressed < 0) return false;
        if (pressed == 2) {
            if (host.QueryAbort()) return false;
            continue;
        }
        *answer = pressed == 0 ? 1 : 0;
        return true;
    }
}

// Keeps the first file whose name matches the pattern; stops when it has one or when the
// cancel flag is set.
class FirstMatch : public FileSearchVisitor {
public:
    FirstMatch(const std::string& pattern, const bool* cancel) : pattern_(pattern), cancel_(cancel) {}
    bool Continue() override { return !(cancel_ && *cancel_); }
    bool VisitFile(const char* path) override
    {
        if (!fw::WinFileSystem::MatchPattern(pattern_, FileNamePart(path))) return true;
        found_ = path;
        return false;
    }
    bool VisitDirectory(const char*) override { return Continue(); }
    const std::string& Found() const { return found_; }

private:
    std::string pattern_;
    const bool* cancel_;
    std::string found_;
};

bool SearchIn(const std::string& directory, const FileSearchRequest& request, std::string& found, const bool* cancel)
{
    if (cancel && *cancel) return false;
    // A bare drive ("c:") is searched from its root; the path found is a full one.
    std::string dir = directory;
    if (dir.size() == 2 && dir[1] == ':') dir += '\\';
    PathBuffer full;
    if (!FullPath(dir.c_str(), full) || !DirectoryExists(full.Text())) return false;
    dir = full.Text();
    FirstMatch visitor(FileNamePart(request.pattern.c_str()), cancel);
    FileSearch search(request.recursive);
    search.Search(visitor, dir.c_str());
    if (visitor.Found().empty()) return false;
    found = visitor.Found();
    return true;
}

} // namespace

bool SearchForFile(const FileSearchRequest& request, std::string& found, const bool* cancel)
{
    found.clear();
    switch (request.mode) {
    case FileSearchRequest::kStartDirectory: return SearchIn(request.start, request, found, cancel);
    case FileSearchRequest::kPathDirectories: {
        fw::WinRoot* root = fw::WinRoot::Current();
        const std::string path = root ? root->GetEnv("PATH") : std::string();
        std::size_t at = 0;
        while (at <= path.size()) {
            std::size_t end = path.find(';', at);
            if (end == std::string::npos) end = path.size();
            std::string dir = path.substr(at, end - at);
            at = end + 1;
            const auto first = dir.find_first_not_of(" \t\r\n");
            if (first == std::string::npos) continue;
            dir = dir.substr(first, dir.find_last_not_of(" \t\r\n") - first + 1);
            if (SearchIn(dir, request, found, cancel)) return true;
            if (cancel && *cancel) return false;
        }
        return false;
    }
    case FileSearchRequest::kDriveRoots:
        for (char letter = 'a'; letter <= 'z'; ++letter) {
            const int kind = DriveClass(letter);
            const bool wanted = ((kind == 1 || kind == 2) && request.fixedDrives) || (kind == 3 && request.remoteDrives) ||
                                (kind == 4 && request.cdromDrives);
            if (!wanted) continue;
            if (SearchIn(std::string(1, letter) + ":\\", request, found, cancel)) return true;
            if (cancel && *cancel) return false;
        }
        return false;
    default: return false;
    }
}

void RegisterDialogExecutors(ScriptInstaller& installer, InstallerHost& host)
{
    using Executor = bool (*)(ScriptEvent&, ScriptInstaller&, InstallerHost&);
    const struct {
        int code;
        Executor run;
    } table[] = {
        {1, UserNameEvent}, {10, StartupMergeEvent}, {12, PromptEvent}, {22, FileSearchEvent}, {28, QuestionEvent},
    };
    for (const auto& entry : table) {
        const Executor run = entry.run;
        installer.SetExecutor(entry.code, [run, &host](ScriptEvent& e, ScriptInstaller& in, int&) { return run(e, in, host); });
    }
}

} // namespace kw
