// The readable description of an install that the packer turns into "install.inf" and the
// packaged files. Line-based: "# comment", "[kind label]" opens a section, "key = value" sets
// a field; "key+ = value" appends a new line (CR LF) to a text. "@{NAME}" is replaced by a
// definition given on the packer's command line. SCRIPT_FORMAT.md describes the keys.
#pragma once

#include "installer/engine/ScriptProject.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace kw {

// A file to package: the host file and where it lands.
struct PackedFile {
    std::string hostPath;
    std::string packedName; // relative to the package directory, "/" separated
    int eventIndex = -1;    // its file group (-1: an auxiliary file)
    int fileIndex = -1;     // its entry in the group
    bool compressed = true;
};

class PackDescription {
public:
    // Parses the description; false with Error() set ("line N: ..."). Host files are looked up
    // (sizes, times) while parsing; the packed files are only named here.
    bool Parse(const std::string& text, const std::map<std::string, std::string>& defines);
    const std::string& Error() const { return error_; }

    std::unique_ptr<ScriptProject> TakeProject() { return std::move(project_); }
    ScriptProject& Project() { return *project_; }
    const std::vector<PackedFile>& Files() const { return files_; }
    int Width() const { return width_; }
    int Version() const { return version_; }

    // The name a compressed file is stored under: the last character of a three-letter
    // extension becomes "_", a shorter extension (or none) gets "_" appended.
    static std::string CompressedName(const std::string& name);

private:
    struct Section;
    bool Fail(int line, const std::string& message);
    bool Finish();
    bool ApplyPackage(const std::string& key, const std::string& value, int line);
    bool ApplyEvent(Section& s, const std::string& key, const std::string& value, bool append,
                    int line);
    bool ApplyComponent(const std::string& key, const std::string& value, int line);
    bool ApplyDialog(const std::string& key, const std::string& value, int line);
    bool AddFiles(Section& s, const std::string& value, bool required, int line);
    bool AddAuxiliary(const std::string& value, bool required, int line);

    std::unique_ptr<ScriptProject> project_ = std::make_unique<ScriptProject>();
    std::vector<PackedFile> files_;
    std::map<std::string, int> labels_; // event labels to positions
    std::vector<std::pair<std::vector<std::string>, int>> componentEvents_; // labels, line
    std::string error_;
    int width_ = 32;
    int version_ = 302;
};

} // namespace kw
