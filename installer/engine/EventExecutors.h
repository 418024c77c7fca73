// The executors of the script events that work on variables, files, directories, INI files,
// the registry and Program Manager items directly through the installer's operations: each
// reads its event's fields, expands its texts, resolves the variables it names and stores its
// results back. An executor answers false when a variable does not resolve, an expansion or
// evaluation fails, or the operation says so.
#pragma once

#include <string>

namespace kw {

class InstallOperations;
class ScriptInstaller;

// What the executors need of the running installer besides its variables.
struct ExecutorContext {
    InstallOperations* operations = nullptr;
    std::string programDirectory;  // the directory of the installer and its parameter file
    std::string commandLine;       // the script's command line ("cmdl")
};

// Registers the executors on the installer; the context must outlive it.
void RegisterDirectExecutors(ScriptInstaller& installer, ExecutorContext& context);

// The bytes of a binary registry value written as two-digit hexadecimal numbers separated by
// one character each ("0a,FF"); false for a digit that is not hexadecimal.
bool ParseHexBytes(const std::string& text, std::string& bytes);

} // namespace kw
