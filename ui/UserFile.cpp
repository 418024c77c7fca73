#include "ui/UserFile.h"

#include "framework/gui/MessageBox.h"
#include "framework/stream/AtomicFile.h"
#include "globals/Globals.h"
#include "ui/LogErrors.h"
#include "ui/TStatusDlg.h"

#include <sys/stat.h>

namespace UserFile {

namespace {

void SayUnableToSave(const std::string& path, const std::string& what, const std::string& why)
{
    fw::MessageBox(nullptr, "Unable to save the " + what + " file " + path + why, "Stellum",
                   fw::MB_OK | fw::MB_ICONEXCLAMATION);
}

} // namespace

void Tell(const std::string& text)
{
    if (!StatusWindow)
        return;
    StatusWindow->Message(text, true);
    WriteDebugLine(text);
}

bool ReportIfUnreadable(const std::string& path, const std::string& what)
{
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0)
        return false;
    Tell("The " + what + " file " + path + " cannot be read: it is kept until it is replaced");
    return true;
}

bool ReportDamaged(const std::string& path, const std::string& what)
{
    Tell("The " + what + " file " + path + " is damaged: what was read before the damage is kept");
    return true;
}

bool Save(const std::string& path, const std::string& bytes, bool keepOld, const std::string& what)
{
    if (keepOld) {
        const std::string backup = fw::KeepDamagedFile(path);
        if (backup.empty()) {
            SayUnableToSave(path, what, ": the damaged file there could not be kept aside");
            return false;
        }
        Tell("The damaged " + what + " file is kept as " + backup);
    }
    if (!fw::WriteFileReplacing(path, bytes)) {
        SayUnableToSave(path, what, "");
        return false;
    }
    return true;
}

} // namespace UserFile
