// The executors of the script events that ask the user or search the machine,
// and of the start-up file merge, which the installer wires to event code 10:
//
//  1  user-name dialog: ints (read-only flag, kept), six variable names of which the first
//     two receive the name and the company (each non-empty name must resolve as a text
//     variable); "DLGASKUI" shows the variables' texts; true after OK, which sets them.
//  10 start-up file merge (a service of our own: no other event reaches the merge): text, the
//     path (expanded) of a text file of lines to add; ints (which file: non-zero
//     "c:\config.sys", else "c:\autoexec.bat"; quiet: no review dialog; append: new lines
//     after the file's lines instead of before them). A failure is reported as "Unable to
//     modify AUTOEXEC.BAT or CONFIG.SYS" and fails the event; a cancelled review succeeds
//     without a change.
//  12 prompt for a string: ints (needed space in units of 10 KB, kind 0 text / 1 directory /
//     2 Program Manager group, make-directory flag, check-space flag); texts (initial text,
//     body, the text variable that receives the result, caption, and for a directory whose
//     space is checked a number, expanded, that replaces the needed space when given).
//  22 file search: ints (display: 0 no progress box, else the box of string 73; search mode
//     0 the start directory, 1 every directory of PATH, 2 the root of every drive whose class
//     the next three flags enable; CD-ROM drives; fixed and roomy removable drives; remote
//     drives; into subdirectories); texts (start directory, pattern, optional int variable
//     that receives 1 when found, optional text variable that receives the path of the file
//     found, empty when none).
//  28 yes/no question: int (the box's icon: 16, 32, 48 or 64; any other value the question
//     icon), text, int variable that receives 1 for Yes and 0 for No; the box has Yes and No
//     and the product name as caption.
#pragma once

#include <string>

namespace kw {

class InstallerHost;
class ScriptInstaller;

// Registers the executors of codes 1, 10, 12, 22 and 28; the host must outlive the installer.
void RegisterDialogExecutors(ScriptInstaller& installer, InstallerHost& host);

// The search of a file search event (code 22).
struct FileSearchRequest {
    enum Mode : int { kStartDirectory = 0, kPathDirectories = 1, kDriveRoots = 2 };
    int mode = kStartDirectory;
    bool cdromDrives = false;
    bool fixedDrives = true; // fixed drives and removable drives with room (classes 1 and 2)
    bool remoteDrives = false;
    bool recursive = true;
    std::string start = "c:";
    std::string pattern = "*.*";
};

// Searches the places the request names, in order, and stops at the first file whose name
// matches the pattern (true, its path in found) or when the cancel flag is set (false).
bool SearchForFile(const FileSearchRequest& request, std::string& found, const bool* cancel = nullptr);

} // namespace kw
