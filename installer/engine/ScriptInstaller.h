// The install side's script runner: loads "install.inf" (or "setup.inf"), keeps the script's
// variables, and runs the events in order under their log state, selection, condition and
// the build style, handing each to the executor registered for its code.
#pragma once

#include "installer/engine/Expression.h"
#include "installer/engine/LogSink.h"
#include "installer/engine/ScriptProject.h"
#include "installer/engine/ScriptVariables.h"

#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace kw {

class ScriptInstaller;

// Runs one event; false fails it (and ends the sequence with result, 1 unless it set another).
using EventExecutor = std::function<bool(ScriptEvent& event, ScriptInstaller& installer, int& result)>;

class ScriptInstaller : public VariableLookup {
public:
    ScriptInstaller();

    // Reads "install.inf" from the program directory, or "setup.inf" when there is none.
    // Reports "install.inf or setup.inf not found" or "Unable to load %s" and answers false;
    // a damaged script is never partly kept.
    bool LoadScript(const char* programDirectory);
    // Takes a project already in memory (for tests and the packer's checks).
    void SetProject(std::unique_ptr<ScriptProject> project);
    ScriptProject* Project() { return project_.get(); }
    const std::string& ScriptPath() const { return scriptPath_; }

    // The selection array: one entry per event, all 1 after loading.
    std::vector<int>& Selection() { return selection_; }

    void SetSourcePath(const std::string& path) { sourcePath_ = path; }
    const std::string& SourcePath() const { return sourcePath_; }
    void SetLogSink(LogSink* sink) { sink_ = sink ? sink : &NullLogSink(); }
    void SetExecutor(int code, EventExecutor executor);
    // A skipped file group moves the gauge over its size through this hook.
    void SetGaugeHook(std::function<void(int)> hook) { gauge_ = std::move(hook); }
    void SetEndCode(int code) { endCode_ = code; }
    int EndCode() const { return endCode_; }

    // The events in order; the sequence result.
    int RunEvents();
    bool ExecuteEvent(ScriptEvent& event, int position, int& result);
    bool DispatchEvent(ScriptEvent& event, int& result);

    // Shows the script's user dialog of that name and answers the pressed button's value, or
    // -1 ("User dialog %s not found", "Error evaluting user dialog %s"). Edit fields show and
    // set the text variable their second text names, lists the int variable (their choices
    // come from the third text); texts, buttons and file editors expand their texts.
    int ShowUserDialog(const char* name, QWidget* parent = nullptr);

    // Variables interface of the executors.
    int* IntVariable(const char* name, bool create = false);
    char* StringVariable(const char* name, bool create = false);
    // Sets a text variable (made when missing); a text beyond 255 characters is refused with
    // "Text too long for variable %s" and the variable keeps its value.
    bool SetStringVariable(const char* name, const char* text);
    // Both report their errors ("Syntax error in expression %s" ...) and answer false.
    bool EvaluateCondition(const char* text, int& out);
    bool ExpandText(const char* text, char* out, size_t capacity);
    // Writes "strs" in the directory: one line per ";"-separated item, each expanded.
    bool OpenStringsFile(const char* listText, const char* directory, std::string& pathOut);

    const int* FindInt(const char* name) const override { return variables_.FindInt(name); }
    const char* FindString(const char* name) const override;
    VariableList& Variables() { return variables_; }

private:
    std::unique_ptr<ScriptProject> project_;
    std::string scriptPath_;
    std::string sourcePath_;
    VariableList variables_;
    std::vector<int> selection_;
    LogSink* sink_;
    std::vector<EventExecutor> executors_;
    std::function<void(int)> gauge_;
    int endCode_ = 0;
};

// An event's text through the installer's "$" expansion, at most capacity characters; false
// (already reported) when it does not expand or fit.
bool Expand(ScriptInstaller& in, const HeapString& text, std::string& out, size_t capacity = 256);
// An optional int variable: an empty name is simply not set; false when the name is not one.
bool SetOptionalInt(ScriptInstaller& in, const HeapString& name, int value);

} // namespace kw
