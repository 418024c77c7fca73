// The user-name dialog ("DLGASKUI"), which the user-name event (code 1) runs: the
// user's name and company in two bound edit fields, or shown read-only.
#pragma once

namespace kw {

class InstallerHost;

struct UserNameRecord {
    enum { kNameSize = 60, kCompanySize = 80 }; // with the ending zero
    char name[kNameSize] = {};
    char company[kCompanySize] = {};
    bool readOnly = false;
};

// Runs "DLGASKUI" until OK (true, the name and company copied back into the record), or until
// Cancel is confirmed by the abort question (false, the record unchanged). The name must have
// 4 to 20 characters (language string 15 says so otherwise); the company any length that fits
// its buffer. A field is checked only when the user entered it; a read-only dialog ends on OK
// without checking anything. After a Cancel that the user does not confirm, the dialog comes
// back with the texts it had.
bool AskUserName(InstallerHost& host, UserNameRecord& record);

} // namespace kw
