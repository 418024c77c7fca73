// What the fuzz targets that draw need: the application and the font machinery set up once,
// before the first input, and the leak checker told about what the font library keeps.
#pragma once

#include "framework/gui/Bitmap.h"
#include "framework/gui/DC.h"
#include "framework/gui/PainterDC.h"

#include <QGuiApplication>

#include <string>

namespace fuzzsupport {

// The font library keeps what it reads of the system's fonts until the process ends and never
// gives it back: that is not a leak of the code under test. A target returns this from its
// __lsan_default_suppressions().
constexpr char kFontLeakSuppressions[] = "leak:libfontconfig\n";

// Makes the application (named after the target) and draws text in a few faces into a small
// bitmap, so that what the application and the fonts keep for the whole run is in place before
// the first input and is not taken for a leak of one input. Called from LLVMFuzzerInitialize.
inline void StartPainting(const char* name)
{
    static int argc = 1;
    static std::string program = name;
    static char* argv[] = {program.data(), nullptr};
    new QGuiApplication(argc, argv);
    fw::Bitmap warm(8, 8);
    fw::PainterDC dc(warm);
    for (const char* face : {"Arial", "MS Sans Serif", "Times New Roman", "", "x"}) {
        dc.SelectFont(fw::Font(face, 12, 700, true));
        dc.TextOut({0, 0}, "Ab");
        (void)dc.GetTextExtent("Ab");
    }
}

} // namespace fuzzsupport
