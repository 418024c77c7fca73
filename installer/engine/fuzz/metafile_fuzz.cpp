// Feeds arbitrary bytes to the metafile reader. A metafile that loads is played into a small
// image, at two sizes, and must leave the drawing context as it found it.
#include "installer/engine/Metafile.h"

#include "framework/gui/Bitmap.h"

#include <QGuiApplication>

#include <cstdlib>
#include <string>

using namespace kw;

// The font library keeps what it reads of the system's fonts until the process ends and never
// gives it back: that is not a leak of the code under test.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig\n"; }

// The application and the font machinery are set up once, before the first input, so that
// what they keep for the whole run is not taken for a leak of one input.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static int argc = 1;
    static char name[] = "metafile_fuzz";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
    fw::Bitmap warm(8, 8);
    fw::PainterDC dc(warm);
    for (const char* face : {"Arial", "MS Sans Serif", "Times New Roman", "", "x"}) {
        dc.SelectFont(fw::Font(face, 12, 700, true));
        dc.TextOut({0, 0}, "Ab");
        (void)dc.GetTextExtent("Ab");
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{

    const std::string bytes(reinterpret_cast<const char*>(data), size);
    Metafile m;
    if (!m.LoadBytes(bytes)) {
        if (m.IsLoaded()) std::abort();
        return 0;
    }
    fw::Bitmap target(32, 32);
    {
        fw::PainterDC pdc(target);
        DrawContext dc(pdc, 32, 32);
        const fw::Pen pen = pdc.GetPen();
        const int mode = pdc.GetMapMode();
        m.Play(dc, 2, 3, 28, 20);
        m.Play(dc, 0, 0, 1, 1);
        if (pdc.GetMapMode() != mode || !(pdc.GetPen() == pen) || pdc.GetWindowExt() != fw::Size(1, 1)) std::abort();
    }
    return 0;
}
