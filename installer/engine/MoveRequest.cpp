#include "installer/engine/MoveRequest.h"

#include "installer/support/FilePath.h"
#include "installer/support/IniFile.h"
#include "installer/support/PathBuffer.h"

namespace kw {

bool WriteMoveRequest(const MoveRequest& request)
{
    PathBuffer windows, ini;
    if (!WindowsDirectory(windows) || !JoinPath(ini, windows.Text(), "movexe.ini")) return false;
    return PutProfileString(ini.Text(), "x", "f", request.file.c_str()) &&
           PutProfileString(ini.Text(), "x", "t", request.target.c_str()) &&
           PutProfileString(ini.Text(), "x", "x", request.execute ? "1" : "0");
}

} // namespace kw
