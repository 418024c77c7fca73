// Feeds arbitrary bytes to the bitmap reader. A picture that loads must describe itself
// consistently (its rows within what was read, its colours within its table) and draw at its
// size, stretched, tiled and with a transparent colour into a small image.
#include "installer/engine/DibPicture.h"

#include "framework/gui/Bitmap.h"
#include "installer/engine/fuzz/FuzzPainting.h"

#include <cstdlib>
#include <string>

using namespace kw;

extern "C" const char* __lsan_default_suppressions() { return fuzzsupport::kFontLeakSuppressions; }

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzsupport::StartPainting("dib_picture_fuzz");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{

    const std::string bytes(reinterpret_cast<const char*>(data), size);
    DibPicture p;
    if (!p.LoadBytes(bytes)) {
        if (p.IsLoaded() || p.HasBits()) std::abort();
        return 0;
    }
    if (p.Width() <= 0 || p.Height() <= 0 || int64_t(p.Stride()) * p.Height() > int64_t(size)) std::abort();
    if (p.Stride() != DibPicture::StrideFor(p.Width(), p.BitCount())) std::abort();
    if (p.BitCount() < 24 && p.ColourTable().size() != size_t(1) << p.BitCount()) std::abort();
    if (p.BitCount() == 24 && !p.ColourTable().empty()) std::abort();
    DibPalette palette;
    if (!p.BuildPalette(palette)) std::abort();
    if (p.BitCount() != 8 && !palette.IsEmpty()) std::abort();

    // Drawing is only worth the time for pictures of a modest size.
    if (int64_t(p.Width()) * p.Height() > 256 * 256) return 0;
    fw::Bitmap target(24, 24);
    {
        fw::PainterDC pdc(target);
        DrawContext dc(pdc, 24, 24);
        p.Draw(dc, -3, 2);
        p.DrawInto(dc, Rect(1, 1, 20, 9));
        p.DrawTiled(dc, Rect(-5, -5, 30, 30), Rect(2, 2, 21, 21));
        p.SetTransparentPixel(p.Width() / 2, p.Height() / 2);
        p.Draw(dc, 0, 0);
        palette.Realize(pdc);
        palette.Restore();
    }
    return 0;
}
