// A stand-in for the install controller in tests of the installer's dialogs and of the
// executors that use them: it answers the abort question from a script (then yes), names the
// product, records help requests and the start-files flag, and owns the operations (with a
// sink that records what they report) and the script.
#pragma once

#include "installer/engine/InstallOperations.h"
#include "installer/engine/InstallerHost.h"
#include "installer/engine/ScriptInstaller.h"

#include <deque>
#include <string>
#include <vector>

namespace kw {

// Records the changes that the operations report, as short texts.
class RecordingSink : public LogSink {
public:
    std::vector<std::string> changes;
    void DirectoryCreated(const char* p) override { changes.push_back(std::string("dir+ ") + p); }
    void FileDeleted(const char* p) override { changes.push_back(std::string("del ") + p); }
    void FileMoved(const char* a, const char* b) override { changes.push_back(std::string("move ") + a + " > " + b); }
    void FileCreated(const char* p) override { changes.push_back(std::string("new ") + p); }
};

class FakeInstallerHost : public InstallerHost {
public:
    FakeInstallerHost() { ops.AttachLog(sink); }
    ~FakeInstallerHost() override { ops.DetachLog(); }

    bool QueryAbort() override
    {
        ++abortQuestions;
        if (abortAnswers.empty()) return true;
        const bool answer = abortAnswers.front();
        abortAnswers.pop_front();
        return answer;
    }
    std::string ProductName() const override { return "Stellum"; }
    QWidget* DialogParent() override { return nullptr; }
    void ShowHelp(int context) override { help.push_back(context); }
    InstallOperations& Operations() override { return ops; }
    ScriptInstaller& Script() override { return script; }
    std::string TemporaryDirectory() const override { return temporaryDirectory; }
    void SetStartFilesChanged() override { ++startFilesChanged; }

    std::deque<bool> abortAnswers; // true: the user confirms the abort
    int abortQuestions = 0;
    std::vector<int> help;
    int startFilesChanged = 0;
    std::string temporaryDirectory = "C:\\TEMP";
    RecordingSink sink;
    InstallOperations ops;
    ScriptInstaller script;
};

} // namespace kw
