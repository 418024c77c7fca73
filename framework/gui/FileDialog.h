// File dialogs (Open and Save As), through one modal seam: the program fills a request and
// gets back whether the user chose a file, and which. Tests answer with a responder on
// FileDialogSeam, or with ScriptedFileDialogs, and no window appears.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/gui/Responder.h"

class QWidget;

namespace fw {

struct FileFilter {
    std::string description; // "Planning Files"
    std::string patterns;    // "*.sl4" (several separated by ';')
};

struct FileDialogRequest {
    enum Kind { Open, Save };
    Kind kind = Open;
    std::string title;
    std::vector<FileFilter> filters;
    // In: the filter shown first; out: the filter of the chosen file.
    int filterIndex = 0;
    std::string directory;
    std::string defaultExt; // added to a name typed without an extension
    std::uint32_t flags = 0; // the template flags dtOverwritePrompt, dtFileMustExist ...
    // In: the name proposed; out: the chosen path.
    std::string path;
};

using FileDialogSeam = ModalSeam<struct FileDialogTag, bool(FileDialogRequest&)>;

// Shows the dialog (or asks the responder); true when a file was chosen, then request.path
// and request.filterIndex say which.
bool RunFileDialog(QWidget* owner, FileDialogRequest& request);

// For tests: answers file dialogs in order from a list of paths ("" is Cancel; an answer
// may also pick the filter with "index|path"); when the list runs out, Cancel. Records
// every request.
class ScriptedFileDialogs {
public:
    explicit ScriptedFileDialogs(std::vector<std::string> answers = {});
    void Answer(const std::string& path) { answers_.push_back(path); }
    const std::vector<FileDialogRequest>& Requests() const { return requests_; }
    int Count() const { return static_cast<int>(requests_.size()); }

private:
    std::vector<std::string> answers_;
    std::size_t next_ = 0;
    std::vector<FileDialogRequest> requests_;
    Responder<FileDialogSeam> responder_;
};

// Chooses one of several items (the document kind of File New); the index, -1 for Cancel.
struct ChoiceRequest {
    std::string title;
    std::string prompt;
    std::vector<std::string> items;
};
using ChoiceSeam = ModalSeam<struct ChoiceTag, int(const ChoiceRequest&)>;
int RunChoiceDialog(QWidget* owner, const ChoiceRequest& request);

} // namespace fw
