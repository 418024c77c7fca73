// The prompt for a string ("DLGPROMPTSTR"), which the prompt event (code 12)
// runs: a body text and one field, a plain text, a directory (with a browse button and the
// checks of a target directory) or a Program Manager group chosen from the present ones or
// typed.
#pragma once

#include <string>

namespace kw {

class InstallerHost;

struct PromptRequest {
    enum Kind : int { kText = 0, kDirectory = 1, kGroup = 2 };
    enum { kTextSize = 256, kBodySize = 1024 };

    int kind = kText;
    long long neededSpace = 0; // in units of 10 KB, checked on the directory's drive
    int makeDirectory = 0;     // a directory is made (with its parents, logged) before OK ends
    int checkSpace = 0;        // a directory's drive must have neededSpace free
    std::string result;        // after OK: the text (a directory as its full path)
    std::string initial;       // what the field shows first
    std::string body;          // lines separated by "\r\n" or "\n"
    std::string caption;
};

// Runs "DLGPROMPTSTR" until OK (true, with request.result set), or until Cancel is confirmed
// by the abort question (false). After a Cancel that the user does not confirm, the dialog
// comes back with the text it had.
//
// For a directory, OK takes the full path of the typed text; when that differs from the text
// other than in letter case or by one more character (a typed "C:" is "C:\"), the user is
// asked (strings 138 and 139) whether it is meant, and No keeps the dialog open. Then, as the
// request asks, the drive's free space is checked and the directory is made through the
// host's operations; a shortage or a failure (each already said) keeps the dialog open.
bool PromptForString(InstallerHost& host, PromptRequest& request);

} // namespace kw
