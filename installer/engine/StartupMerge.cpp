#include "installer/engine/StartupMerge.h"

#include "framework/sys/WinFileSystem.h"
#include "installer/engine/InstallDialogs.h"
#include "installer/engine/InstallOperations.h"
#include "installer/engine/InstallerHost.h"
#include "installer/support/DialogBox.h"
#include "installer/support/FilePath.h"
#include "installer/support/PathBuffer.h"
#include "installer/support/ResString.h"
#include "installer/support/StdioFile.h"
#include "installer/support/WindowOps.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QString>

#include <cctype>
#include <cstdio>
#include <strings.h>
#include <vector>

namespace kw {

namespace {

using Lines = std::vector<std::string>;

bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

bool SameText(const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) == 0; }

bool IsBlank(const std::string& s)
{
    for (char c : s)
        if (!IsSpace(c)) return false;
    return true;
}

// The lines of a text, each without its "\n" or "\r\n"; no line after a final line end.
Lines SplitLines(const std::string& text)
{
    Lines lines;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        at = end + 1;
    }
    return lines;
}

bool ReadLines(const std::string& path, Lines& lines)
{
    std::string bytes;
    if (ReadWholeFile(path.c_str(), bytes) != WholeFileRead::kOk) return false;
    lines = SplitLines(bytes);
    return true;
}

// Writes the lines, each ended by the line end, replacing the file.
bool WriteLines(const std::string& path, const Lines& lines, const char* eol)
{
    FILE* f = fw::WinFileSystem::Open(path, "wb");
    if (!f) return false;
    bool ok = true;
    for (const std::string& line : lines) ok = ok && std::fputs(line.c_str(), f) >= 0 && std::fputs(eol, f) >= 0;
    return std::fclose(f) == 0 && ok;
}

// A PATH line: "path" first, or "set", "path" and "=" first, the tokens split at "=" (a token
// of its own) or white space, ignoring case. value: the rest of the line after those tokens
// and white space, and after the "=" of the form "path=..." (so that "=" never becomes part
// of a directory).
bool ParsePathLine(const std::string& line, std::string& value)
{
    std::vector<std::string> tokens;
    std::size_t at = 0, end = 0;
    std::vector<std::size_t> ends;
    while (tokens.size() < 3) {
        while (at < line.size() && IsSpace(line[at])) ++at;
        if (at >= line.size()) break;
        if (line[at] == '=') {
            end = at + 1;
        } else {
            end = at;
            while (end < line.size() && line[end] != '=' && !IsSpace(line[end])) ++end;
        }
        tokens.push_back(line.substr(at, end - at));
        ends.push_back(end);
        at = end;
    }
    std::size_t rest;
    if (!tokens.empty() && SameText(tokens[0], "path")) {
        rest = ends[0];
        if (tokens.size() > 1 && tokens[1] == "=") rest = ends[1];
    } else if (tokens.size() == 3 && SameText(tokens[0], "set") && SameText(tokens[1], "path") && tokens[2] == "=") {
        rest = ends[2];
    } else {
        return false;
    }
    while (rest < line.size() && IsSpace(line[rest])) ++rest;
    value = line.substr(rest);
    return true;
}

// The directories of a PATH value, split at ";" or white space.
Lines Directories(const std::string& value)
{
    Lines dirs;
    std::string dir;
    for (char c : value) {
        if (c == ';' || IsSpace(c)) {
            if (!dir.empty()) dirs.push_back(dir);
            dir.clear();
        } else {
            dir += c;
        }
    }
    if (!dir.empty()) dirs.push_back(dir);
    return dirs;
}

int MulDiv(int a, int b, int c) { return c == 0 ? 0 : static_cast<int>((static_cast<long long>(a) * b + c / 2) / c); }

// The review dialog "DLGDOSINFORM": the present file and the new one side by side, scrolled
// together by one scroll bar; the new one and the back-up name can be changed.
class StartupFileDialog : public InstallerDialog {
public:
    enum : int { kPresent = 101, kNew = 102, kScroll = 103, kBackup = 104, kHelp = 105, kPresentLabel = 106 };

    StartupFileDialog(InstallerHost& host, std::string target, bool hasTarget, std::string present, std::string& text,
                      std::string& backup)
        : host_(host), target_(std::move(target)), hasTarget_(hasTarget), present_(std::move(present)), text_(text),
          backup_(backup)
    {
    }
    ~StartupFileDialog() override { DestroyWindow(); }

private:
    bool Command(int id) override
    {
        if (id != kHelp) return false;
        host_.ShowHelp(0);
        return true;
    }
    void Cancel() override { EndDialog(1); }

    QPlainTextEdit* Edit(int id) const { return qobject_cast<QPlainTextEdit*>(Item(id)); }

    void Init() override
    {
        Window()->setWindowTitle(Window()->windowTitle() + " - " + QString::fromStdString(target_));
        for (int id : {kPresent, kNew}) {
            if (QPlainTextEdit* e = Edit(id)) {
                e->setLineWrapMode(QPlainTextEdit::NoWrap);
                e->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
                QFont fixed("Courier New");
                fixed.setStyleHint(QFont::TypeWriter);
                fixed.setPixelSize(QFontInfo(e->font()).pixelSize());
                e->setFont(fixed);
            }
        }
        SetItemText(kPresent, present_);
        SetItemText(kNew, text_);
        SetItemText(kBackup, backup_);
        if (QWidget* b = Item(kBackup)) b->setEnabled(hasTarget_);
        auto* bar = new QScrollBar(Qt::Vertical);
        bar->setRange(0, 100);
        bar->setPageStep(10);
        ReplacePlaceholder(*this, kScroll, bar);
        QObject::connect(bar, &QScrollBar::actionTriggered, bar, [this, bar](int action) { Scrolled(bar, action); });
        QObject::connect(bar, &QScrollBar::sliderReleased, bar, [this, bar] { bar->setValue(Mean()); });
        PushWindow();
        if (QWidget* ok = Item(kCmdOk)) ok->setFocus();
    }

    // Thumb moves put each edit's first line at the same share of its lines; any other action
    // goes to both edits, and the bar then shows where they stand together.
    void Scrolled(QScrollBar* bar, int action)
    {
        if (action == QAbstractSlider::SliderMove) {
            const int position = bar->sliderPosition();
            for (int id : {kPresent, kNew})
                if (QPlainTextEdit* e = Edit(id))
                    e->verticalScrollBar()->setValue(MulDiv(position, e->document()->blockCount() - 1, 100));
            return;
        }
        for (int id : {kPresent, kNew})
            if (QPlainTextEdit* e = Edit(id)) e->verticalScrollBar()->triggerAction(static_cast<QAbstractSlider::SliderAction>(action));
        bar->setSliderPosition(Mean());
    }

    int Mean() const
    {
        int sum = 0;
        for (int id : {kPresent, kNew})
            if (QPlainTextEdit* e = Edit(id))
                sum += MulDiv(e->verticalScrollBar()->value(), 100, e->document()->blockCount() - 1);
        return sum / 2;
    }

    void Ok() override
    {
        std::string name = WindowText(Item(kBackup));
        while (!name.empty() && IsSpace(name.back())) name.pop_back();
        while (!name.empty() && IsSpace(name.front())) name.erase(0, 1);
        if (hasTarget_) {
            if (name.empty()) {
                char message[kResStringSize];
                LoadResString(message, 10);
                ErrorAtItem(Window(), kBackup, "%s", message);
                return;
            }
            // A bare name stays beside the file; anything else is a path of its own.
            PathBuffer path, directory;
            const bool bare = name.find_first_of(":\\/") == std::string::npos;
            const bool made = bare ? DirectoryOf(target_.c_str(), directory) && JoinPath(path, directory.Text(), name.c_str())
                                   : FullPath(name.c_str(), path);
            if (!made) {
                char message[kResStringSize];
                LoadResString(message, 1);
                ErrorAtItem(Window(), kBackup, "%s", message);
                return;
            }
            if (PathExists(path.Text())) {
                ErrorAtItem(Window(), kBackup, "The file %s already exists. Please choose another name for the back-up copy.",
                            path.Text());
                return;
            }
            backup_ = path.Text();
        }
        text_ = WindowText(Item(kNew));
        EndDialog(0);
    }

    InstallerHost& host_;
    std::string target_;
    bool hasTarget_;
    std::string present_;
    std::string& text_;
    std::string& backup_;
};

std::string Joined(const Lines& lines)
{
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

// Removes the work files that are still there; answers false for the caller's convenience.
bool Fail(std::initializer_list<const PathBuffer*> files)
{
    for (const PathBuffer* f : files)
        if (f && *f->Text() && fw::WinFileSystem::Exists(f->Text())) fw::WinFileSystem::DeleteFile(f->Text());
    return false;
}

} // namespace

bool LinesMerge(bool configSys, const std::string& existing, const std::string& added)
{
    if (configSys) return false;
    std::string a, b;
    return ParsePathLine(existing, a) && ParsePathLine(added, b);
}

std::string MergePathLines(const std::string& existing, const std::string& added)
{
    std::string oldValue, newValue;
    if (!ParsePathLine(existing, oldValue) || !ParsePathLine(added, newValue)) return existing;
    std::string line = existing;
    while (!line.empty() && IsSpace(line.back())) line.pop_back();
    if (!line.empty() && line.back() == ';') line.pop_back();
    Lines have = Directories(oldValue);
    for (const std::string& dir : Directories(newValue)) {
        bool present = false;
        for (const std::string& h : have) present = present || SameText(h, dir);
        if (present) continue;
        // The first directory of an empty PATH follows the keyword (or its "=") directly.
        const bool first = have.empty();
        line += first ? (line.back() == '=' ? "" : " ") : ";";
        line += dir;
        have.push_back(dir);
    }
    return line;
}

bool MergeStartupFile(InstallerHost& host, const StartupMergeRequest& request)
{
    const std::string target = request.configSys ? "C:\\CONFIG.SYS" : "C:\\AUTOEXEC.BAT";
    const char* prefix = request.configSys ? "confg" : "autox";

    Lines adding;
    if (!ReadLines(request.linesFile, adding)) return false;
    const bool hasTarget = PathExists(target.c_str());
    std::string present;
    if (hasTarget && ReadWholeFile(target.c_str(), present) != WholeFileRead::kOk) return false;
    const Lines existing = SplitLines(present);
    // The new file keeps the old one's line ends; a new file gets the DOS ones.
    const char* eol = !hasTarget || present.find("\r\n") != std::string::npos || present.find('\n') == std::string::npos
                          ? "\r\n"
                          : "\n";

    PathBuffer mrg, pnd, made;
    const std::string temp = host.TemporaryDirectory();
    if (!UniqueFileName(mrg, temp.c_str(), "mrg") || !UniqueFileName(pnd, temp.c_str(), "pnd")) return false;

    // 1. Each new line is dropped when the file has it, merged when a file line takes it, or
    //    added.
    Lines toMerge, toAdd;
    for (const std::string& line : adding) {
        if (IsBlank(line)) continue;
        int decision = 0; // 0 add, 1 present, 2 merge
        for (const std::string& old : existing) {
            if (SameText(old, line)) decision = 1;
            else if (LinesMerge(request.configSys, old, line)) decision = 2;
            if (decision) break;
        }
        if (decision == 2) toMerge.push_back(line);
        else if (decision == 0) toAdd.push_back(line);
    }
    if (!WriteLines(mrg.Text(), toMerge, "\n")) return Fail({&mrg});
    if (!WriteLines(pnd.Text(), toAdd, "\n")) return Fail({&mrg, &pnd});
    fw::WinFileSystem::DeleteFile(request.linesFile);

    // 2. The new file in two passes: the lines to add first (unless appending), then the
    //    file's lines, each merged with every waiting line that merges with it; then the
    //    lines to add at the end when appending.
    Lines merging, pending, result;
    if (!ReadLines(mrg.Text(), merging) || !ReadLines(pnd.Text(), pending)) return Fail({&mrg, &pnd});
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 0) {
            if (!request.append) result.insert(result.end(), pending.begin(), pending.end());
            for (std::string line : existing) {
                for (auto it = merging.begin(); it != merging.end();) {
                    if (LinesMerge(request.configSys, line, *it)) {
                        line = MergePathLines(line, *it);
                        it = merging.erase(it);
                    } else {
                        ++it;
                    }
                }
                result.push_back(line);
            }
        } else if (request.append) {
            result.insert(result.end(), pending.begin(), pending.end());
        }
    }
    if (!UniqueFileNameBeside(made, target.c_str(), prefix) || !WriteLines(made.Text(), result, eol))
        return Fail({&mrg, &pnd, &made});
    Fail({&mrg, &pnd});

    // 3. The review; Cancel leaves everything as it was.
    PathBuffer backupPath;
    std::string backup = hasTarget && MakeBackupName(backupPath, target.c_str()) ? backupPath.Text() : "";
    if (!request.quiet) {
        std::string text = Joined(result);
        StartupFileDialog dialog(host, target, hasTarget, Joined(existing), text, backup);
        const int answer = RunDialogWithOwner(dialog, DialogOwner(host), "DLGDOSINFORM");
        if (answer != 0) {
            Fail({&made});
            return answer > 0; // Cancel is no failure; a dialog that cannot be made is
        }
        if (!WriteLines(made.Text(), SplitLines(text), eol)) return Fail({&made});
    }
    if (hasTarget && backup.empty()) return Fail({&made});

    // 4. The old file goes to its back-up name and the new one takes its place, logged; a
    //    file that was not there is logged as made.
    InstallOperations& ops = host.Operations();
    if (hasTarget) {
        if (!ops.ReplaceWithBackup(target.c_str(), made.Text(), backup.c_str())) {
            // The old file must not stay away under its back-up name: it is moved back (and
            // that is logged too, so that undoing the log comes out the same).
            if (!PathExists(target.c_str()) && PathExists(backup.c_str())) ops.MoveFile(backup.c_str(), target.c_str());
            return Fail({&made});
        }
    } else {
        if (!fw::WinFileSystem::MoveFile(made.Text(), target)) return Fail({&made});
        ops.Sink().FileCreated(target.c_str());
    }
    host.SetStartFilesChanged();
    return true;
}

} // namespace kw
