#include "installer/engine/Metafile.h"

#include "framework/sys/WinFileSystem.h"

#include <QString>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <vector>

namespace kw {

namespace {

enum { kPlaceableHeader = 22, kMetaHeader = 18 };

// Record functions of a Windows metafile.
enum : unsigned {
    kEof = 0x0000,
    kSaveDc = 0x001E,
    kCreatePalette = 0x00F7,
    kSetBkMode = 0x0102,
    kSetTextAlign = 0x012E,
    kRestoreDc = 0x0127,
    kSelectObject = 0x012D,
    kDibCreatePatternBrush = 0x0142,
    kDeleteObject = 0x01F0,
    kCreatePatternBrush = 0x01F9,
    kSetBkColor = 0x0201,
    kSetTextColor = 0x0209,
    kSetWindowOrg = 0x020B,
    kSetWindowExt = 0x020C,
    kLineTo = 0x0213,
    kMoveTo = 0x0214,
    kCreatePenIndirect = 0x02FA,
    kCreateFontIndirect = 0x02FB,
    kCreateBrushIndirect = 0x02FC,
    kPolygon = 0x0324,
    kPolyline = 0x0325,
    kExcludeClipRect = 0x0415,
    kIntersectClipRect = 0x0416,
    kEllipse = 0x0418,
    kRectangle = 0x041B,
    kSetPixel = 0x041F,
    kTextOut = 0x0521,
    kPolyPolygon = 0x0538,
    kRoundRect = 0x061C,
    kCreateRegion = 0x06FF,
    kArc = 0x0817,
    kExtTextOut = 0x0A32,
};

// What a metafile may ask of the context, so that a damaged one cannot make drawing
// arbitrarily slow: nested saves, clipping changes, and the device size of pens and fonts.
enum { kMaxSaves = 64, kMaxClipChanges = 256, kMaxPenPixels = 256, kMaxFontPixels = 2048 };

uint32_t U16(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }
uint32_t U32(const uint8_t* p) { return U16(p) | U16(p + 2) << 16; }

// The parameters of one record: 16-bit words after its six-byte head.
struct Params {
    const uint8_t* p;
    size_t words;
    bool Has(size_t n) const { return n <= words; }
    int S(size_t i) const { return static_cast<int16_t>(U16(p + 2 * i)); }
    unsigned U(size_t i) const { return U16(p + 2 * i); }
    uint32_t Colour(size_t i) const { return U32(p + 2 * i) & 0x00FFFFFF; }
    const uint8_t* Bytes(size_t i) const { return p + 2 * i; }
};

struct Object {
    enum Kind { kFree, kPen, kBrush, kFont, kOther } kind = kFree;
    fw::Pen pen;
    fw::Brush brush;
    fw::Font font;
};

fw::PenStyle PenStyleOf(unsigned style)
{
    switch (style & 0x0F) {
    case 1: return fw::PenStyle::Dash;
    case 2: return fw::PenStyle::Dot;
    case 3:
    case 4: return fw::PenStyle::DashDot;
    case 5: return fw::PenStyle::Null;
    default: return fw::PenStyle::Solid;
    }
}

class Player {
public:
    Player(fw::DC& dc, int objects) : dc_(dc), objects_(objects) {}

    // One record; false when it was stepped over.
    bool Record(unsigned function, const Params& a)
    {
        switch (function) {
        case kSetBkColor:
            if (!a.Has(2)) return false;
            dc_.SetBkColor(ToQColor(a.Colour(0)));
            return true;
        case kSetBkMode:
            if (!a.Has(1) || (a.U(0) != fw::TRANSPARENT && a.U(0) != fw::OPAQUE)) return false;
            dc_.SetBkMode(static_cast<int>(a.U(0)));
            return true;
        case kSetTextColor:
            if (!a.Has(2)) return false;
            dc_.SetTextColor(ToQColor(a.Colour(0)));
            return true;
        case kSetTextAlign:
            if (!a.Has(1)) return false;
            dc_.SetTextAlign(a.U(0) & (fw::TA_CENTER | fw::TA_BASELINE));
            return true;
        case kSetWindowOrg:
            if (!a.Has(2)) return false;
            dc_.SetWindowOrg({a.S(1), a.S(0)});
            return true;
        case kSetWindowExt:
            if (!a.Has(2)) return false;
            dc_.SetWindowExt({a.S(1), a.S(0)});
            return true;
        case kMoveTo:
            if (!a.Has(2)) return false;
            dc_.MoveTo({a.S(1), a.S(0)});
            return true;
        case kLineTo:
            if (!a.Has(2)) return false;
            dc_.LineTo({a.S(1), a.S(0)});
            return true;
        case kPolyline:
        case kPolygon: {
            std::vector<fw::Point> points;
            if (!a.Has(1) || !Points(a, 1, a.U(0), points)) return false;
            if (function == kPolyline) dc_.Polyline(points);
            else dc_.Polygon(points);
            return true;
        }
        case kPolyPolygon: {
            if (!a.Has(1)) return false;
            const size_t polygons = a.U(0);
            if (!a.Has(1 + polygons)) return false;
            size_t at = 1 + polygons;
            for (size_t i = 0; i < polygons; ++i) {
                std::vector<fw::Point> points;
                const size_t n = a.U(1 + i);
                if (!Points(a, at, n, points)) return false;
                dc_.Polygon(points);
                at += 2 * n;
            }
            return true;
        }
        case kRectangle:
        case kEllipse:
            if (!a.Has(4)) return false;
            if (function == kRectangle) dc_.Rectangle(Box(a, 0));
            else dc_.Ellipse(Box(a, 0));
            return true;
        case kRoundRect:
            if (!a.Has(6)) return false;
            dc_.RoundRect(Box(a, 2), {a.S(1), a.S(0)});
            return true;
        case kArc:
            if (!a.Has(8)) return false;
            dc_.Arc(Box(a, 4), {a.S(3), a.S(2)}, {a.S(1), a.S(0)});
            return true;
        case kSetPixel:
            if (!a.Has(4)) return false;
            dc_.SetPixel({a.S(3), a.S(2)}, ToQColor(a.Colour(0)));
            return true;
        case kTextOut: {
            if (!a.Has(1)) return false;
            const size_t n = a.U(0);
            const size_t textWords = (n + 1) / 2;
            if (!a.Has(1 + textWords + 2)) return false;
            dc_.TextOut({a.S(2 + textWords), a.S(1 + textWords)}, Text(a.Bytes(1), n));
            return true;
        }
        case kExtTextOut: {
            if (!a.Has(4)) return false;
            const size_t n = a.U(2);
            const unsigned options = a.U(3);
            const size_t textAt = 4 + ((options & 0x0006) ? 4 : 0); // the opaque or clip rectangle
            if (!a.Has(textAt + (n + 1) / 2)) return false;
            dc_.TextOut({a.S(1), a.S(0)}, Text(a.Bytes(textAt), n));
            return true;
        }
        case kCreatePenIndirect: {
            if (!a.Has(5)) return Create(Object{});
            Object o;
            o.kind = Object::kPen;
            o.pen = fw::Pen(ToQColor(a.Colour(3)), a.S(1) < 0 ? -a.S(1) : a.S(1), PenStyleOf(a.U(0)));
            return Create(o);
        }
        case kCreateBrushIndirect: {
            if (!a.Has(3)) return Create(Object{});
            Object o;
            o.kind = Object::kBrush;
            o.brush = a.U(0) == 1 ? fw::Brush::Hollow() : fw::Brush(ToQColor(a.Colour(1)));
            return Create(o);
        }
        case kCreateFontIndirect: {
            if (!a.Has(9)) return Create(Object{});
            Object o;
            o.kind = Object::kFont;
            const uint8_t* face = a.Bytes(9);
            const size_t room = (a.words - 9) * 2 < 32 ? (a.words - 9) * 2 : 32;
            size_t len = 0;
            while (len < room && face[len]) ++len;
            std::string name = Text(face, len);
            o.font = fw::Font(name.empty() ? "Arial" : name, a.S(0), static_cast<int>(a.U(4)), a.Bytes(5)[0] != 0);
            return Create(o);
        }
        case kCreatePalette:
        case kCreatePatternBrush:
        case kDibCreatePatternBrush:
        case kCreateRegion: {
            // Not drawn here, but each takes its place in the object table.
            Object o;
            o.kind = Object::kOther;
            Create(o);
            return false;
        }
        case kSelectObject: {
            if (!a.Has(1)) return false;
            const size_t i = a.U(0);
            if (i >= table_.size()) return false;
            const Object& o = table_[i];
            switch (o.kind) {
            case Object::kPen: dc_.SelectPen(LimitedPen(o.pen)); return true;
            case Object::kBrush: dc_.SelectBrush(o.brush); return true;
            case Object::kFont: dc_.SelectFont(LimitedFont(o.font)); return true;
            default: return false;
            }
        }
        case kDeleteObject: {
            if (!a.Has(1)) return false;
            const size_t i = a.U(0);
            if (i >= table_.size() || table_[i].kind == Object::kFree) return false;
            table_[i] = Object{};
            free_.insert(static_cast<int>(i));
            return true;
        }
        case kSaveDc:
            if (saves_ >= kMaxSaves) return false;
            dc_.SaveDC();
            ++saves_;
            return true;
        case kRestoreDc: {
            if (!a.Has(1)) return false;
            int n = a.S(0) < 0 ? -a.S(0) : 1; // relative to the newest save, or the newest one
            bool any = false;
            for (; n > 0 && saves_ > 0; --n, --saves_) {
                dc_.RestoreDC();
                any = true;
            }
            return any;
        }
        case kIntersectClipRect:
        case kExcludeClipRect:
            if (!a.Has(4) || clipChanges_ >= kMaxClipChanges) return false;
            ++clipChanges_;
            if (function == kIntersectClipRect) dc_.IntersectClipRect(Box(a, 0));
            else dc_.ExcludeClipRect(Box(a, 0));
            return true;
        default: return false;
        }
    }

    // Back to the state the context had before the picture's own saves.
    void Finish()
    {
        for (; saves_ > 0; --saves_) dc_.RestoreDC();
    }

private:
    // bottom, right, top, left from word i on.
    static fw::Rect Box(const Params& a, size_t i) { return fw::Rect(a.S(i + 3), a.S(i + 2), a.S(i + 1), a.S(i)); }

    static std::string Text(const uint8_t* bytes, size_t n)
    {
        return QString::fromLatin1(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(n)).toStdString();
    }

    static bool Points(const Params& a, size_t at, size_t n, std::vector<fw::Point>& out)
    {
        if (at > a.words || 2 * n > a.words - at) return false;
        out.reserve(n);
        for (size_t k = 0; k < n; ++k) out.push_back({a.S(at + 2 * k), a.S(at + 2 * k + 1)});
        return true;
    }

    bool Create(const Object& o)
    {
        int slot;
        if (!free_.empty()) {
            slot = *free_.begin();
            free_.erase(free_.begin());
        } else if (static_cast<int>(table_.size()) < objects_) {
            slot = static_cast<int>(table_.size());
            table_.emplace_back();
        } else {
            return false; // the table the header announced is full
        }
        table_[static_cast<size_t>(slot)] = o;
        return o.kind != Object::kFree;
    }

    // The device length of a logical one (the larger of across and down).
    int DeviceLength(int logical) const
    {
        const fw::Point o = dc_.LPtoDP(fw::Point(0, 0));
        const fw::Point x = dc_.LPtoDP(fw::Point(logical, 0));
        const fw::Point y = dc_.LPtoDP(fw::Point(0, logical));
        const int dx = std::abs(x.x - o.x), dy = std::abs(y.y - o.y);
        return dx > dy ? dx : dy;
    }

    // A logical length cut down so that it spans at most the given device pixels.
    int Limited(int logical, int maxPixels) const
    {
        const int sign = logical < 0 ? -1 : 1;
        int v = logical * sign;
        const int device = DeviceLength(v);
        if (device > maxPixels && v > 0) v = static_cast<int>(int64_t(v) * maxPixels / device);
        return v * sign;
    }

    fw::Pen LimitedPen(fw::Pen pen) const
    {
        pen.width = Limited(pen.width, kMaxPenPixels);
        return pen;
    }

    fw::Font LimitedFont(fw::Font font) const
    {
        font.height = Limited(font.height, kMaxFontPixels);
        return font;
    }

    fw::DC& dc_;
    const int objects_;
    std::vector<Object> table_;
    std::set<int> free_;
    int saves_ = 0;
    int clipChanges_ = 0;
};

} // namespace

void Metafile::Clear()
{
    bits_.clear();
    placeable_ = false;
    box_ = fw::Rect();
    objects_ = 0;
}

bool Metafile::Load(const char* path)
{
    Clear();
    if (!path || !*path) return false;
    FILE* f = fw::WinFileSystem::Open(path, "rb");
    if (!f) return false;
    std::string bytes;
    long size = -1;
    if (std::fseek(f, 0, SEEK_END) == 0) size = std::ftell(f);
    if (size > 0 && size <= kMaxBytes && std::fseek(f, 0, SEEK_SET) == 0) {
        bytes.resize(static_cast<size_t>(size));
        if (std::fread(bytes.data(), 1, bytes.size(), f) != bytes.size()) bytes.clear();
    }
    std::fclose(f);
    return LoadBytes(bytes);
}

bool Metafile::LoadBytes(const std::string& bytes)
{
    Clear();
    if (bytes.size() > size_t(kMaxBytes)) return false;
    const auto* b = reinterpret_cast<const uint8_t*>(bytes.data());
    size_t start = 0;
    bool placeable = false;
    fw::Rect box;
    if (bytes.size() >= 4 && U32(b) == kPlaceableKey) {
        // The placeable header, then the metafile itself: both must be there.
        if (bytes.size() < size_t(kPlaceableHeader) + kMetaHeader) return false;
        auto s16 = [&](size_t at) { return static_cast<int>(static_cast<int16_t>(U16(b + at))); };
        box = fw::Rect(s16(6), s16(8), s16(10), s16(12));
        placeable = true;
        start = kPlaceableHeader;
    }
    if (bytes.size() - start < size_t(kMetaHeader)) return false;
    const uint8_t* h = b + start;
    const unsigned type = U16(h), headerWords = U16(h + 2);
    if ((type != 1 && type != 2) || headerWords != kMetaHeader / 2) return false;
    bits_ = bytes.substr(start);
    placeable_ = placeable;
    box_ = box;
    objects_ = static_cast<int>(U16(h + 10));
    return true;
}

Metafile::PlayCount Metafile::Play(DrawContext& dc, int x, int y, int width, int height) const
{
    PlayCount count;
    if (!IsLoaded() || width <= 0 || height <= 0) return count;
    fw::DC& d = dc.Dc();
    d.SaveDC();
    d.SetMapMode(fw::MM_ANISOTROPIC);
    d.SetViewportOrg({x, y});
    d.SetViewportExt({width, height});
    if (placeable_ && box_.Width() != 0 && box_.Height() != 0) {
        d.SetWindowOrg({box_.left, box_.top});
        d.SetWindowExt({box_.Width(), box_.Height()});
    } else {
        d.SetWindowOrg({0, 0});
        d.SetWindowExt({width, height});
    }
    Player player(d, objects_);
    const auto* b = reinterpret_cast<const uint8_t*>(bits_.data());
    const size_t end = bits_.size();
    size_t at = kMetaHeader;
    while (end - at >= 6) {
        const uint32_t words = U32(b + at);
        const unsigned function = U16(b + at + 4);
        // A record shorter than its own head or running past the file ends the picture.
        if (words < 3 || words > (end - at) / 2) break;
        if (function == kEof) break;
        const Params params{b + at + 6, size_t(words) - 3};
        if (player.Record(function, params)) ++count.played;
        else ++count.skipped;
        at += size_t(words) * 2;
    }
    player.Finish();
    d.RestoreDC();
    return count;
}

} // namespace kw
