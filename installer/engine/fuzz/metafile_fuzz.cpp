// Feeds arbitrary bytes to the metafile reader. A metafile that loads is played into a small
// image, at two sizes, and must leave the drawing context as it found it.
#include "installer/engine/Metafile.h"

#include "framework/gui/Bitmap.h"
#include "installer/engine/fuzz/FuzzPainting.h"

#include <cstdlib>
#include <string>

using namespace kw;

extern "C" const char* __lsan_default_suppressions() { return fuzzsupport::kFontLeakSuppressions; }

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzsupport::StartPainting("metafile_fuzz");
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
