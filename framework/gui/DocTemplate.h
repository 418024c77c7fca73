// Document templates: tie a kind of file (description, filter, default extension) to the
// document class that holds it and the view class that shows it, with flags for how the
// document manager and the file dialogs treat it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <typeindex>
#include <vector>

namespace fw {

class Document;
class View;

// Template flags. The low half is the file dialog's, the high half the manager's.
constexpr std::uint32_t dtOverwritePrompt = 0x00000002; // Save As asks before replacing a file
constexpr std::uint32_t dtPathMustExist = 0x00000800;   // the chosen directory must exist
constexpr std::uint32_t dtFileMustExist = 0x00001000;   // Open accepts existing files only
constexpr std::uint32_t dtCreatePrompt = 0x00002000;    // Open asks before naming a new file
constexpr std::uint32_t dtSingleUse = 0x00400000;
constexpr std::uint32_t dtUpdateDir = 0x04000000;       // the dialog's directory follows the user
constexpr std::uint32_t dtAutoOpen = 0x08000000;        // open the document when it is created
constexpr std::uint32_t dtAutoDelete = 0x10000000;      // delete the document with its last view
constexpr std::uint32_t dtNoAutoView = 0x20000000;      // create no view with the document
constexpr std::uint32_t dtSingleView = 0x40000000;      // one view per document
// Flag of CreateDoc (not of a template): a new document, not read from a file.
constexpr std::uint32_t dtNewDoc = 0x80000000;

class DocTemplate {
public:
    using DocFactory = std::function<Document*(DocTemplate&)>;
    using ViewFactory = std::function<View*(Document&)>;

    // docType is the class the factory makes (IsMyKindOfDoc compares with it).
    DocTemplate(std::string description, std::string filter, std::string directory,
                std::string defaultExt, std::uint32_t flags, std::type_index docType,
                DocFactory makeDoc, ViewFactory makeView);

    // A template for document class D and view class V (built from the document).
    template <class D, class V>
    static std::unique_ptr<DocTemplate> Make(std::string description, std::string filter,
                                             std::string directory, std::string defaultExt,
                                             std::uint32_t flags)
    {
        return std::make_unique<DocTemplate>(
            std::move(description), std::move(filter), std::move(directory),
            std::move(defaultExt), flags, std::type_index(typeid(D)),
            [](DocTemplate&) -> Document* { return new D(); },
            [](Document& doc) -> View* { return new V(static_cast<D&>(doc)); });
    }

    const std::string& GetDescription() const { return description_; }
    // One or more patterns separated by ';' ("*.sl4", "*.txt;*.log").
    const std::string& GetFileFilter() const { return filter_; }
    const std::string& GetDirectory() const { return directory_; }
    void SetDirectory(const std::string& directory) { directory_ = directory; }
    const std::string& GetDefaultExt() const { return defaultExt_; }
    std::uint32_t GetFlags() const { return flags_; }
    bool IsFlagSet(std::uint32_t flag) const { return (flags_ & flag) != 0; }
    void SetFlag(std::uint32_t flag) { flags_ |= flag; }
    void ClearFlag(std::uint32_t flag) { flags_ &= ~flag; }

    // Does the file name match one of the filter's patterns ('*' and '?', letter case
    // ignored, the directory part not looked at)?
    bool MatchesPath(const std::string& path) const;
    // Is the document of the class this template makes?
    bool IsMyKindOfDoc(const Document& doc) const;

    // New document and view (the manager attaches and opens them).
    Document* ConstructDoc();
    View* ConstructView(Document& doc);

private:
    std::string description_;
    std::string filter_;
    std::string directory_;
    std::string defaultExt_;
    std::uint32_t flags_;
    std::type_index docType_;
    DocFactory makeDoc_;
    ViewFactory makeView_;
};

// Does a file name match a wildcard pattern ('*', '?'), letter case ignored?
bool WildcardMatch(const std::string& pattern, const std::string& name);

} // namespace fw
