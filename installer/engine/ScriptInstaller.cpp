#include "installer/engine/ScriptInstaller.h"

#include "installer/engine/EngineStrings.h"
#include "installer/engine/EventFactory.h"
#include "installer/support/CheckFailed.h"
#include "installer/support/FilePath.h"
#include "installer/support/PathBuffer.h"
#include "installer/support/UserDialogBox.h"
#include "framework/sys/WinFileSystem.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace kw {

ScriptInstaller::ScriptInstaller() : sink_(&NullLogSink()), executors_(kEventCodeCount)
{
    RegisterEngineStrings();
}

bool ScriptInstaller::LoadScript(const char* programDirectory)
{
    RegisterEventFactories();
    PathBuffer path;
    bool found = false;
    for (const char* name : {"install.inf", "setup.inf"}) {
        if (JoinPath(path, programDirectory, name) && PathExists(path.Text())) {
            found = true;
            break;
        }
    }
    if (!found) {
        Report("install.inf or setup.inf not found");
        return false;
    }
    auto project = std::make_unique<ScriptProject>();
    if (ReadScriptFile(*project, path.Text()) != ScriptReadResult::kOk) {
        Report("Unable to load %s", path.Text());
        return false;
    }
    scriptPath_ = path.Text();
    SetProject(std::move(project));
    return true;
}

void ScriptInstaller::SetProject(std::unique_ptr<ScriptProject> project)
{
    project_ = std::move(project);
    selection_.assign(project_ ? project_->events.size() : 0, 1);
}

void ScriptInstaller::SetExecutor(int code, EventExecutor executor)
{
    if (code >= 0 && code < kEventCodeCount) executors_[code] = std::move(executor);
}

int ScriptInstaller::RunEvents()
{
    if (!project_) return 1;
    auto& events = project_->events;
    for (size_t i = 0; i < events.size(); ++i) {
        int result = 0;
        if (!ExecuteEvent(*events[i], static_cast<int>(i), result)) return result;
    }
    return endCode_;
}

bool ScriptInstaller::ExecuteEvent(ScriptEvent& event, int position, int& result)
{
    result = 1;
    if (event.logState >= 0 && event.logState <= 2) sink_->SetState(event.logState);
    // A file group left out (deselected, or its condition false) passes its share of the gauge.
    auto skip = [&] {
        if (event.TypeCode() == kEventFileGroup && gauge_) gauge_(event.Size());
        return true;
    };
    if (event.selection && position >= 0 && position < static_cast<int>(selection_.size()) &&
        selection_[position] == 0)
        return skip();
    int value;
    if (!EvaluateCondition(event.condition.Text(), value)) return false;
    if (value == 0) return skip();
    const BuildStyle* style = project_ ? project_->build.Current() : nullptr;
    if (style && style->BuildingMode() != 0) {
        if (event.BuildEvent()) return true; // the build tool's business: nothing to do here
        return DispatchEvent(event, result);
    }
    if (event.Interpretable()) return DispatchEvent(event, result);
    Report("An uninterpretible event is being skipped");
    return true;
}

bool ScriptInstaller::DispatchEvent(ScriptEvent& event, int& result)
{
    int code = event.TypeCode();
    // Codes 9 and 13 have no case at all. Codes 2 and 10 serve the installer's own purposes
    // (the component selection and the start-up file merge) when their executors are
    // registered; without one they are reported like a code without a case.
    bool hasCase = code >= 0 && code < kEventCodeCount && code != 9 && code != 13;
    if (!hasCase || !executors_[code]) {
        CheckFailed("KWTEST", __LINE__, false);
        return true;
    }
    return executors_[code](event, *this, result);
}

int ScriptInstaller::ShowUserDialog(const char* name, QWidget* parent)
{
    const UserDialog* d = project_ ? project_->FindDialog(name) : nullptr;
    if (!d) {
        Report("User dialog %s not found", name);
        return -1;
    }
    // The description, with the variables that its fields show and set.
    UserDialogSpec spec;
    std::vector<std::pair<size_t, char*>> texts; // item, text variable
    std::vector<std::pair<size_t, int*>> numbers; // item, int variable
    bool ok = true;
    char buffer[512];
    auto expand = [&](const HeapString& text, std::string& out) {
        ok = ok && ExpandVariables(*this, text.Text(), buffer, sizeof buffer, sourcePath_.c_str()) ==
                       ExprError::kNone;
        if (ok) out = buffer;
    };
    expand(d->title, spec.title);
    spec.centreX = d->values[1];
    spec.centreY = d->values[2];
    spec.width = d->values[3];
    spec.height = d->values[4];
    spec.helpContext = d->values[5];
    size_t count = std::min<size_t>(d->items.size(), UserDialogSpec::kMaxItems);
    for (size_t i = 0; ok && i < count; ++i) {
        const DialogItem& item = d->items[i];
        UserDialogItemSpec s;
        s.kind = item.values[0];
        s.x = item.values[1];
        s.y = item.values[2];
        s.width = item.values[3];
        s.height = item.values[4];
        s.value = item.values[5];
        s.readOnly = item.values[6] != 0;
        switch (s.kind) {
        case UserDialogItemSpec::kText:
        case UserDialogItemSpec::kButton: expand(item.second, s.text); break;
        case UserDialogItemSpec::kPicture: ok = s.picture.path.SetText(item.first.Text()); break;
        case UserDialogItemSpec::kEdit: {
            char* v = variables_.StringVariable(item.second.Text(), true);
            ok = v != nullptr;
            if (ok) {
                s.text = v;
                texts.push_back({i, v});
            }
            break;
        }
        case UserDialogItemSpec::kList: {
            int* v = variables_.IntVariable(item.second.Text(), true);
            ok = v != nullptr;
            expand(item.third, s.text);
            if (ok) {
                s.index = *v;
                numbers.push_back({i, v});
            }
            break;
        }
        case UserDialogItemSpec::kFileEdit: expand(item.first, s.file); break;
        default: break;
        }
        spec.items.push_back(std::move(s));
    }
    if (!ok) {
        Report("Error evaluting user dialog %s", name);
        return -1;
    }
    UserDialogBox box(spec, parent);
    int result = box.Run();
    // What the dialog collected goes back into the variables; an edit text longer than a
    // variable holds is cut at its 255 characters.
    for (auto& [i, v] : texts) {
        std::string t = spec.items[i].text.substr(0, kVariableTextSize - 1);
        std::memcpy(v, t.c_str(), t.size() + 1);
    }
    for (auto& [i, v] : numbers) *v = spec.items[i].index;
    return result;
}

int* ScriptInstaller::IntVariable(const char* name, bool create)
{
    return variables_.IntVariable(name, create);
}

char* ScriptInstaller::StringVariable(const char* name, bool create)
{
    return variables_.StringVariable(name, create);
}

bool ScriptInstaller::SetStringVariable(const char* name, const char* text)
{
    char* buffer = variables_.StringVariable(name, true);
    if (!buffer) {
        Report("Bad variable name in expression %s", name);
        return false;
    }
    if (SetVariableText(buffer, text)) return true;
    Report("Text too long for variable %s", name);
    return false;
}

const char* ScriptInstaller::FindString(const char* name) const
{
    if (std::strcmp(name, "s") == 0) return sourcePath_.c_str();
    return variables_.FindString(name);
}

bool ScriptInstaller::EvaluateCondition(const char* text, int& out)
{
    ExprError e = EvaluateExpression(*this, text, out);
    if (e == ExprError::kNone) return true;
    Report(ExprErrorFormat(e), text);
    return false;
}

bool ScriptInstaller::ExpandText(const char* text, char* out, size_t capacity)
{
    ExprError e = ExpandVariables(*this, text, out, capacity, sourcePath_.c_str());
    if (e == ExprError::kNone) return true;
    Report(ExprErrorFormat(e), text);
    return false;
}

bool ScriptInstaller::OpenStringsFile(const char* listText, const char* directory,
                                      std::string& pathOut)
{
    PathBuffer path;
    if (!JoinPath(path, directory, "strs")) return false;
    FILE* f = fw::WinFileSystem::Open(path.Text(), "wt");
    if (!f) {
        Report("Unable to open %s", path.Text());
        return false;
    }
    bool ok = true;
    std::string list = listText ? listText : "";
    size_t start = 0;
    while (ok && start <= list.size()) {
        size_t end = list.find(';', start);
        if (end == std::string::npos) end = list.size();
        std::string item = list.substr(start, end - start);
        char line[512];
        ok = ExpandText(item.c_str(), line, sizeof line) && std::fprintf(f, "%s\n", line) >= 0;
        start = end + 1;
    }
    ok = std::fclose(f) == 0 && ok;
    pathOut = path.Text();
    return ok;
}

bool Expand(ScriptInstaller& in, const HeapString& text, std::string& out, size_t capacity)
{
    std::vector<char> buffer(capacity + 1, 0);
    if (!in.ExpandText(text.Text(), buffer.data(), buffer.size())) return false;
    out = buffer.data();
    return true;
}

bool SetOptionalInt(ScriptInstaller& in, const HeapString& name, int value)
{
    if (name.IsEmpty()) return true;
    int* v = in.IntVariable(name.Text(), true);
    if (!v) return false;
    *v = value;
    return true;
}

} // namespace kw
