#include "installer/support/BitmapRef.h"

#include "framework/stream/StateReset.h"
#include "installer/support/CheckFailed.h"
#include "installer/support/FilePath.h"
#include "installer/support/PortableStream.h"

#include <QGuiApplication>
#include <QScreen>

namespace kw {

namespace {
bool gScreenSet = false;
ScreenInfo gScreen;
const fw::StateReset resetScreen{[] {
    gScreenSet = false;
    gScreen = ScreenInfo();
}};

bool Variant(const PathName& base, const char* suffix, PathName& out)
{
    PathBuffer candidate(base.Text());
    return AppendToName(candidate, suffix) && PathExists(candidate.Text()) && out.SetText(candidate.Text());
}
} // namespace

ScreenInfo ScreenInfo::Current()
{
    if (gScreenSet) return gScreen;
    ScreenInfo s;
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        s.width = screen->geometry().width();
        s.height = screen->geometry().height();
        s.depth = screen->depth();
    }
    return s;
}

void ScreenInfo::SetForTest(const ScreenInfo* info)
{
    gScreenSet = info != nullptr;
    if (info) gScreen = *info;
}

bool BitmapRef::ResolvePath(PathName& out) const
{
    int depth = ScreenInfo::Current().depth;
    if (kind == kWith256And64k && depth >= 24 && Variant(path, "64k", out)) return true;
    if ((kind == kWith256 || kind == kWith256And64k) && depth > 7 && Variant(path, "256", out)) return true;
    return out.SetText(path.Text());
}

void BitmapRef::Assign(const BitmapRef& other)
{
    kind = other.kind;
    path = other.path;
}

bool BitmapRef::Read(PortableReader& reader)
{
    int k;
    if (!reader.ReadInt(k) || k < kPlain || k > kWith256And64k) return false;
    PathBuffer p;
    if (!reader.ReadNamedObject(p)) return false;
    kind = k;
    path = p;
    return true;
}

bool BitmapRef::Write(PortableWriter&)
{
    CheckFailed("BMPSRC", 45, false);
    return false;
}

StreamField* const* BitmapRef::FieldList()
{
    static StreamField* const none[] = {nullptr};
    return none;
}

} // namespace kw
