#include "installer/engine/EventExecutors.h"

#include "installer/engine/InstallOperations.h"
#include "installer/engine/ScriptEvent.h"
#include "installer/engine/ScriptInstaller.h"
#include "installer/support/CheckFailed.h"
#include "installer/support/FilePath.h"
#include "installer/support/IniFile.h"
#include "installer/support/PathBuffer.h"
#include "installer/support/RegKey.h"
#include "installer/support/StdioFile.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <strings.h>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <sstream>
#include <vector>

namespace kw {

namespace {

constexpr std::uint32_t kRegNone = 0, kRegSz = 1, kRegExpandSz = 2, kRegBinary = 3, kRegDword = 4,
                        kRegMultiSz = 7;

int* IntVar(ScriptInstaller& in, const HeapString& name)
{
    return in.IntVariable(name.Text(), true);
}

bool SetText(ScriptInstaller& in, const HeapString& name, const std::string& text)
{
    return in.SetStringVariable(name.Text(), text.c_str());
}

bool SetOptionalText(ScriptInstaller& in, const HeapString& name, const std::string& value)
{
    return name.IsEmpty() || SetText(in, name, value);
}

std::vector<std::string> Words(const std::string& line)
{
    std::istringstream in(line);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

using Executor = bool (*)(ScriptEvent&, ScriptInstaller&, ExecutorContext&);

// 14-16: a directory into a text variable.
bool WindowsDirectoryQuery(ScriptEvent& e, ScriptInstaller& in, ExecutorContext&)
{
    PathBuffer dir;
    return WindowsDirectory(dir) && SetText(in, e.Text(0), dir.Text());
}

bool SharedDirectoryQuery(ScriptEvent& e, ScriptInstaller& in, ExecutorContext&)
{
    PathBuffer dir;
    return SharedFilesDirectory(dir) && SetText(in, e.Text(0), dir.Text());
}

bool ProgramDirectoryQuery(ScriptEvent& e, ScriptInstaller& in, ExecutorContext& c)
{
    return SetText(in, e.Text(0), c.programDirectory);
}

// 19: text variable := expanded text.
bool SetTextEvent(ScriptEvent& e, ScriptInstaller& in, ExecutorContext&)
{
    std::string text;
    return Expand(in, e.Text(1), text) && SetText(in, e.Text(0), text);
}

// 20: int variable := evaluated expression.
bool SetNumberEvent(ScriptEvent& e, ScriptInstaller& in, ExecutorContext&)
{
    int value = 0;
    int* v = IntVar(in, e.Text(0));
    if (!v || !in.EvaluateCondition(e.Text(1).Text(), value)) return false;
    *v = value;
    return true;
}

// 21: compares two expanded texts, with letter case (mode non-zero) or without.
bool CompareEvent(ScriptEvent& e, ScriptInstaller& in, ExecutorContext&)
{
    std::string a, b;
    int* v = IntVar(in, e.Text(2));
    if (!v || !Expand(in, e.Text(0), a, 512) || !Expand(in, e.Text(1), b, 512)) return false;
    const int order = e.Int(0) != 0 ? std::strcmp(a.c_str(), b.c_str()) : strcasecmp(a.c_str(), b.c_str());
    *v = order < 0 ? -1 : order > 0 ? 1 : 0;
    return true;
}

// 23: reads an INI entry; the int variable says whether it exists, the text variable its value.
bool IniReadEvent(ScriptEvent& e, ScriptInstaller& in, ExecutorContext&)
{
    std::string directory, file, section, entry;
    if (!Expand(in, e.Text(0), directory) || !Expand(in, e.Text(1), file) || !Expand(in, e.Text(2), section) ||
        !Expand(in, e.Text(3), entry))
        return false;
    PathBuffer path;
    if (!JoinPath(path, directory.c_str(), file.c_str())) return false;
    char value[kIniTextSize] = {};
    const bool exists = PathExists(path.Text()) && GetIniEntry(path.Text(), section.c_str(), entry.c_str(), 0, value);
    return SetOptionalInt(in, e.Text(4), exists ? 1 : 0) && (!exists || SetOptionalText(in, e.Text(5), value));
}

// 24: reads a registry value: a text, failing that a 4-byte number as "%u".
bool RegistryReadEvent(ScriptEvent& e, ScriptInstaller& in, ExecutorContext&)
{
    std::string key, name;
    if (!Expand(in, e.Text(0), key) || !Expand(in, e.Text(1), name)) return false;
    RegKey k(e.Int(0), key.c_str());
    std::uint32_t type = 0, size = 0;
    std::unique_ptr<unsigned char[]> data(k.QueryValue(name.c_str(), type, size));
    std::string value;
    bool found = false;
    if (data && (type == kRegSz || type == kRegExpandSz)) {
        value.assign(reinterpret_cast<const char*>(data.get()), strnlen(reinterpret_cast<const char*>(data.get()), size));
        found = true;
    } else if (data && type == kRegDword && size == 4) {
        std::uint32_t n = 0;
        std::memcpy(&n, data.get(), 4);
        value = std::to_string(n);
        found = true;
    }
    return SetOptionalInt(in, e.Text(2), found ? 1 : 0) && (!found || SetOptionalText(in, e.Text(3), value));
}

// 6: writes a registry value of the event's kind.
bool RegistryValueEvent(ScriptEvent& e, ScriptInstaller& in, ExecutorContext& c)
{
    std::string key, name, data;
    if (!Expand(in, e.Text(0), key) || !Expand(in, e.Text(1), name)) return false;
    const RegKey k(e.Int(0), key.c_str());
    std::uint32_t type = kRegSz;
    std::string bytes;
    switch (e.Int(1)) {
    case 0:
    case 1:
        if (!Expand(in, e.Text(2), data, 512)) return false;
        type = e.Int(1) == 0 ? kRegSz : kRegExpandSz;
        bytes = data + '\0';
        break;
    case 2: {
        int value = 0;
        if (!in.EvaluateCondition(e.Text(2).Text(), value)) return false;
        const auto u = static_cast<std::uint32_t>(value);
        type = kRegDword;
        bytes.assign(reinterpret_cast<const char*>(&u), 4);
        break;
    }
    case 3:
        type = kRegBinary;
        if (!Expand(in, e.Text(2), data, 512) || !ParseHexBytes(data, bytes)) return false;
        break;
    case 4: {
        type = kRegBinary;
        if (!Expand(in, e.Text(2), data)) return false;
        // The whole content of the named file; a file that cannot be read fails the event.
        if (ReadWholeFile(data.c_str(), bytes) != WholeFileRead::kOk) return false;
        break;
    }
    case 5:
        if (!Expand(in, e.Text(2), data, 512)) return false;
        type = kRegMultiSz;
        bytes = data + '\0' + '\0';
        break;
    case 6:
        type = kRegNone;
        return c.operations->CreateRegKey(k);
    default:
        return false;
    }
    return c.operations->SetRegValue(k, name.c_str(), type, static_cast<std::uint32_t>(bytes.size()), bytes.data());
}

// 25: text variable := the evaluated expression as "%d".
bool NumberToTextEvent(ScriptEvent& e, ScriptInstaller& in, ExecutorContext&)
{
    int value = 0;
    return in.EvaluateCondition(e.Text(1).Text(), value) && SetText(in, e.Text(0), std::to_string(value));
}

// 26: int variable := the expanded text when it is exactly one integer.
bool TextToNumberEvent(ScriptEvent& e, ScriptInstaller& in, ExecutorContext&)
{
    std::string text;
    int* v = IntVar(in, e.Text(0));
    if (!v || !Expand(in, e.Text(1), text)) return false;
    int value = 0;
    char rest[2];
    if (std::sscanf(text.c_str(), "%d%1s", &value, rest) != 1) {
        Report("Unable to convert %s to integer", text.c_str());
        return false;
    }
    *v = value;
    return true;
}

// 27: splits a path into its drive and directory and its name and extension.
bool SplitPathEvent(ScriptEvent& e, ScriptInstaller& in, ExecutorContext&)
{
    std::string path;
    if (!Expand(in, e.Text(0), path)) return false;
    PathBuffer directory, name;
    DirectoryOf(path.c_str(), directory);
    FileNameOf(path.c_str(), name);
    return SetOptionalText(in, e.Text(1), directory.Text()) && SetOptionalText(in, e.Text(2), name.Text());
}

// 42: moves a file; a missing source is no work.
bool MoveFileEvent(ScriptEvent& e, ScriptInstaller& in, ExecutorContext& c)
{
    std::string from, to;
    if (!Expand(in, e.Text(0), from) || !Expand(in, e.Text(1), to)) return false;
    if (!PathExists(from.c_str())) return true;
    return c.operations->MoveFile(from.c_str(), to.c_str());
}

bool DeleteFileEvent(ScriptEvent& e, ScriptInstaller& in, ExecutorContext& c)
{
    std::string path;
    return Expand(in, e.Text(0), path) && c.operations->DeleteFile(path.c_str());
}

// 44: copies a file to its first free back-up name; a missing file is no work.
bool BackUpFileEvent(ScriptEvent& e, ScriptInstaller& in, ExecutorContext& c)
{
    std::string path;
    if (!Expand(in, e.Text(0), path)) return false;
    if (!PathExists(path.c_str())) return true;
    PathBuffer backup;
    return MakeBackupName(backup, path.c_str()) && c.operations->CopyFile(path.c_str(), backup.Text());
}

bool DeleteItemEvent(ScriptEvent& e, ScriptInstaller& in, ExecutorContext& c)
{
    std::string group, item;
    return Expand(in, e.Text(0), group) && Expand(in, e.Text(1), item) &&
           c.operations->DeleteProgmanItem(group.c_str(), item.c_str());
}

bool MakeDirectoryEvent(ScriptEvent& e, ScriptInstaller& in, ExecutorContext& c)
{
    std::string path;
    return Expand(in, e.Text(0), path) &&
           c.operations->CreateDirectoryPath(path.c_str()) != InstallOperations::kFailed;
}

// 51, 52: the words of the script's command line.
bool ArgumentCountEvent(ScriptEvent& e, ScriptInstaller& in, ExecutorContext& c)
{
    int* v = IntVar(in, e.Text(0));
    if (!v) return false;
    *v = static_cast<int>(Words(c.commandLine).size());
    return true;
}

bool ArgumentEvent(ScriptEvent& e, ScriptInstaller& in, ExecutorContext& c)
{
    int n = 0;
    if (!in.StringVariable(e.Text(0).Text(), true) || !in.EvaluateCondition(e.Text(1).Text(), n)) return false;
    const std::vector<std::string> words = Words(c.commandLine);
    if (n < 0 || n >= static_cast<int>(words.size())) {
        Report("No argument at %d", n);
        return false;
    }
    return SetText(in, e.Text(0), words[static_cast<std::size_t>(n)]);
}

bool DeleteGroupEvent(ScriptEvent& e, ScriptInstaller& in, ExecutorContext& c)
{
    std::string group;
    return Expand(in, e.Text(0), group) && c.operations->DeleteGroup(group.c_str());
}

} // namespace

bool ParseHexBytes(const std::string& text, std::string& bytes)
{
    static const char kDigits[] = "0123456789abcdef";
    bytes.clear();
    const std::size_t count = static_cast<std::size_t>(std::count(text.begin(), text.end(), ',')) + 1;
    std::size_t at = 0;
    for (std::size_t b = 0; b < count; ++b) {
        int value = 0;
        for (int d = 0; d < 2; ++d) {
            if (at >= text.size()) return false;
            const char* hit = std::strchr(kDigits, std::tolower(static_cast<unsigned char>(text[at++])));
            if (!hit || !*hit) return false;
            value = value * 16 + static_cast<int>(hit - kDigits);
        }
        bytes.push_back(static_cast<char>(value));
        ++at;  // the separator
    }
    return true;
}

void RegisterDirectExecutors(ScriptInstaller& installer, ExecutorContext& context)
{
    const struct {
        int code;
        Executor run;
    } table[] = {
        {6, RegistryValueEvent},     {14, WindowsDirectoryQuery}, {15, SharedDirectoryQuery},
        {16, ProgramDirectoryQuery}, {19, SetTextEvent},          {20, SetNumberEvent},
        {21, CompareEvent},          {23, IniReadEvent},          {24, RegistryReadEvent},
        {25, NumberToTextEvent},     {26, TextToNumberEvent},     {27, SplitPathEvent},
        {42, MoveFileEvent},         {43, DeleteFileEvent},       {44, BackUpFileEvent},
        {45, DeleteItemEvent},       {47, MakeDirectoryEvent},    {51, ArgumentCountEvent},
        {52, ArgumentEvent},         {53, DeleteGroupEvent},
    };
    for (const auto& entry : table) {
        const Executor run = entry.run;
        installer.SetExecutor(entry.code, [run, &context](ScriptEvent& e, ScriptInstaller& in, int&) {
            return run(e, in, context);
        });
    }
}

} // namespace kw
