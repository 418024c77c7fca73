// The installer's language package ("kw<code>" beside the installer, a resource package of
// strings, dialog descriptions and pictures). While one is loaded it is the source of every
// resource string, dialog description and picture; while none is, the installer's own
// resources are.
#pragma once

#include "framework/sys/ResourcePackage.h"

#include <string>

namespace kw {

class LanguageTable;

class LanguageLibrary {
public:
    // The one library of the process.
    static LanguageLibrary& Instance();
    ~LanguageLibrary();

    // Formats the pattern ("kw%s.dll") with the chosen language's code, joins it to the
    // installer's directory and loads it; false (the installer's own resources stay in use,
    // the reason in Error()) when it cannot be read.
    bool Load(const LanguageTable& table, const char* pattern);
    bool LoadFile(const char* path); // a package named by its Windows path
    void Free();
    bool IsLoaded() const { return loaded_; }
    const std::string& Error() const { return error_; }
    const fw::ResourcePackage& Package() const { return package_; }

private:
    LanguageLibrary() = default;
    fw::ResourcePackage package_;
    bool loaded_ = false;
    std::string error_;
};

// The installer's own resources: the message box descriptions "DLGMSGBOX0"-"DLGMSGBOX4"
// and what stands in for the language package while none is loaded.
const fw::ResourcePackage& OwnResources();
// A dialog description: from the language package when loaded (message boxes always from the
// installer's own resources), else from the installer's own; null when neither has it.
const fw::DialogDescription* FindDialogDescription(const char* name);
// A picture's image file bytes, from the language package or the installer's own; null if none.
const std::string* FindPicture(const char* name);

} // namespace kw
