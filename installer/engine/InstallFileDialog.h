// The installer's file dialog: the system's Open and Save As dialogs with a file
// name of at most 127 characters, the default filter "All File (*.*)", an initial directory
// and a default extension, Save As asking before it replaces a file. Everything the caller
// gives and gets is a Windows path of the installer's machine; the dialog itself browses the
// machine's drives through their backing directories, and a choice outside every drive is
// refused with a message.
//
// It goes through the framework's file dialog and its seam (fw::FileDialogSeam): a test
// answers it with a host path of the machine (RootFixture::C) or with a Windows path.
#pragma once

#include <string>
#include <vector>

class QWidget;

namespace kw {

class PathName;

class InstallFileDialog {
public:
    enum Mode { kOpen, kSave };
    enum { kNameSize = 128 };

    void SetTitle(const std::string& title) { title_ = title; }
    // Replaces the default filter; may be called again for further filters.
    void AddFilter(const std::string& description, const std::string& pattern);
    void SetInitialDirectory(const std::string& directory) { directory_ = directory; }
    void SetDefaultExtension(const std::string& extension) { extension_ = extension; }
    void SetFileName(const std::string& name) { name_ = name; }

    // Shows the dialog over the owner; true with the chosen path handed to out.
    bool Run(QWidget* owner, Mode mode, PathName& out);

    // The Windows path of a host path inside one of the machine's drives (or a Windows path
    // given as it is); empty when it lies outside every drive.
    static std::string ToMachinePath(const std::string& path);

private:
    std::string title_;
    std::vector<std::pair<std::string, std::string>> filters_;
    std::string directory_;
    std::string extension_;
    std::string name_;
};

} // namespace kw
