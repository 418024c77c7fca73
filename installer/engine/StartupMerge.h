// The start-up file merge: lines from a text file are added to "c:\config.sys"
// or "c:\autoexec.bat"; the merged copy is shown for review and editing in "DLGDOSINFORM",
// then put in place with a back-up of the old file through the installer's operations, so
// that the change is logged and the uninstaller can undo it.
//
// All work files lie on the installer's machine: the new file beside the target ("confg" or
// "autox" with a unique number), the lists of lines to merge ("mrg") and to add ("pnd") in the
// host's temporary directory.
#pragma once

#include <string>

namespace kw {

class InstallerHost;

struct StartupMergeRequest {
    bool configSys = false;  // true: "c:\config.sys"; false: "c:\autoexec.bat"
    bool quiet = false;      // no review dialog
    bool append = false;     // new lines after the existing ones instead of before them
    std::string linesFile;   // a text file of lines to add, one a line; deleted once read
};

// Whether two lines merge. CONFIG.SYS lines never do; in AUTOEXEC.BAT two PATH lines do
// ("PATH ...", "PATH=...", "SET PATH = ...", in any letter case).
bool LinesMerge(bool configSys, const std::string& existing, const std::string& added);
// The PATH line "existing" with every directory of "added" that it lacks appended (";" each;
// a trailing ";" of the old line dropped): "PATH C:\DOS;C:\WIN" and "SET PATH = C:\WIN;C:\NEW"
// give "PATH C:\DOS;C:\WIN;C:\NEW". Directories compare ignoring case.
std::string MergePathLines(const std::string& existing, const std::string& added);

// Merges the request's lines into the start-up file. True when the file was replaced (then
// host.SetStartFilesChanged() was called) and also when the user cancelled the review (the
// file is left as it was). False when a file cannot be read, written or moved; the caller
// reports "Unable to modify AUTOEXEC.BAT or CONFIG.SYS".
//
// A line already in the file (in any letter case) is not added; a PATH line merges into the
// file's PATH line; other lines go before the file's lines, or after them with append.
bool MergeStartupFile(InstallerHost& host, const StartupMergeRequest& request);

} // namespace kw
