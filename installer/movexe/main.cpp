// movexe: finishes the move or deletion that an instance of the installer asked for in
// "movexe.ini" of the Windows directory, once that instance has ended. The machine is the
// emulated root named by STELLUM_WINROOT, as the installer's process start passes it.
#include "framework/sys/WinRoot.h"
#include "installer/engine/MoveRequest.h"

#include <cstdio>
#include <cstdlib>

int main()
{
    const char* rootDir = std::getenv("STELLUM_WINROOT");
    if (!rootDir || !*rootDir) {
        std::fprintf(stderr, "movexe: STELLUM_WINROOT names no machine\n");
        return kw::kMoveNoRequest;
    }
    fw::WinRoot root(rootDir);
    fw::WinRoot::SetCurrent(&root);
    const kw::MoveRunResult result = kw::RunMoveRequest();
    fw::WinRoot::SetCurrent(nullptr);
    return result;
}
