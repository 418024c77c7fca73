#include "installer/engine/DibPicture.h"

#include "framework/gui/Bitmap.h"
#include "framework/sys/WinFileSystem.h"
#include "installer/support/LanguageLibrary.h"
#include "installer/support/PathBuffer.h"

#include <QBrush>
#include <QPainter>
#include <QTransform>

#include <cstdio>
#include <cstring>

namespace kw {

// Where the bytes of a picture come from: a whole file in memory or an open file, read at
// offsets that are checked against its size first.
struct DibPicture::Reader {
    virtual ~Reader() = default;
    virtual int64_t Size() const = 0;
    // n bytes at the offset; false when they do not all lie in the source or cannot be read.
    virtual bool ReadAt(int64_t offset, void* out, size_t n) = 0;
};

namespace {

class BytesReader : public DibPicture::Reader {
public:
    explicit BytesReader(const std::string& bytes) : bytes_(bytes) {}
    int64_t Size() const override { return static_cast<int64_t>(bytes_.size()); }
    bool ReadAt(int64_t offset, void* out, size_t n) override
    {
        if (offset < 0 || offset > Size() || int64_t(n) > Size() - offset) return false;
        if (n) std::memcpy(out, bytes_.data() + offset, n);
        return true;
    }

private:
    const std::string& bytes_;
};

class FileReader : public DibPicture::Reader {
public:
    explicit FileReader(FILE* file) : file_(file)
    {
        if (file_ && std::fseek(file_, 0, SEEK_END) == 0) size_ = std::ftell(file_);
    }
    ~FileReader() override
    {
        if (file_) std::fclose(file_);
    }
    int64_t Size() const override { return size_ < 0 ? 0 : size_; }
    bool ReadAt(int64_t offset, void* out, size_t n) override
    {
        if (!file_ || offset < 0 || offset > Size() || int64_t(n) > Size() - offset) return false;
        if (std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0) return false;
        return std::fread(out, 1, n, file_) == n;
    }

private:
    FILE* file_;
    long size_ = -1;
};

uint32_t U16(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }
uint32_t U32(const uint8_t* p) { return U16(p) | U16(p + 2) << 16; }
int32_t I32(const uint8_t* p) { return static_cast<int32_t>(U32(p)); }

enum { kFileHeader = 14, kInfoHeader = 40 };
} // namespace

int DibPicture::StrideFor(int width, int bits)
{
    if (width <= 0 || bits <= 0) return 0;
    return static_cast<int>(((int64_t(width) * bits - 1) / 32 + 1) * 4);
}

void DibPicture::Clear()
{
    width_ = height_ = stride_ = bits_ = colours_ = 0;
    table_.clear();
    rows_.clear();
    image_ = QImage();
    imageMade_ = false;
}

bool DibPicture::LoadBytes(const std::string& bytes, bool withBits)
{
    BytesReader in(bytes);
    return Parse(in, withBits);
}

bool DibPicture::LoadFile(const char* path, bool withBits)
{
    Clear();
    if (!path || !*path) return false;
    FileReader in(fw::WinFileSystem::Open(path, "rb"));
    return Parse(in, withBits);
}

bool DibPicture::LoadResource(const char* name, bool withBits)
{
    Clear();
    const std::string* bytes = FindPicture(name);
    return bytes && LoadBytes(*bytes, withBits);
}

bool DibPicture::Load(const PictureSource& source, bool withBits)
{
    if (source.kind == PictureSource::kFile) return LoadFile(source.file.Text(), withBits);
    return LoadResource(source.resourceName.c_str(), withBits);
}

bool DibPicture::Load(const BitmapRef& reference, bool withBits)
{
    PathBuffer path;
    if (!reference.ResolvePath(path)) {
        Clear();
        return false;
    }
    return LoadFile(path.Text(), withBits);
}

bool DibPicture::Parse(Reader& in, bool withBits)
{
    Clear();
    const int64_t size = in.Size();
    uint8_t head[kFileHeader + kInfoHeader];
    if (!in.ReadAt(0, head, sizeof head)) return false;
    if (U16(head) != 0x4D42) return false; // "BM"
    const uint32_t offBits = U32(head + 10);
    const uint8_t* info = head + kFileHeader;
    const uint32_t infoSize = U32(info);
    const int32_t width = I32(info + 4);
    const int32_t height = I32(info + 8);
    const uint32_t bits = U16(info + 14);
    const uint32_t compression = U32(info + 16);
    const uint32_t used = U32(info + 32);

    // Only plain pictures of 1, 4, 8 or 24 bits, of a sensible size, whose every part lies in
    // the file.
    if (infoSize < kInfoHeader || infoSize > size - kFileHeader) return false;
    if (compression != 0) return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24) return false;
    if (width <= 0 || width > kMaxSide || height == 0 || height < -kMaxSide || height > kMaxSide) return false;
    const int rowsCount = height < 0 ? -height : height;
    if (int64_t(width) * rowsCount > kMaxPixels) return false;

    const int64_t tableStart = int64_t(kFileHeader) + infoSize;
    int64_t tableEntries = 0;
    if (bits < 24) {
        const uint32_t most = 1u << bits;
        if (used > most) return false;
        tableEntries = used ? used : most;
    } else {
        tableEntries = used; // an optional table that a 24-bit picture does not use
    }
    const int64_t tableEnd = tableStart + tableEntries * 4;
    if (tableEnd > size) return false;
    const int stride = StrideFor(width, static_cast<int>(bits));
    const int64_t imageBytes = int64_t(stride) * rowsCount;
    // The pixels begin where the file header says, unless that points into the headers.
    const int64_t pixels = offBits >= tableEnd ? int64_t(offBits) : tableEnd;
    if (pixels > size || imageBytes > size - pixels) return false;

    if (bits < 24) {
        std::vector<uint8_t> raw(static_cast<size_t>(tableEntries) * 4);
        if (!in.ReadAt(tableStart, raw.data(), raw.size())) return false;
        table_.assign(size_t(1) << bits, 0);
        for (int64_t i = 0; i < tableEntries; ++i) {
            const uint8_t* q = raw.data() + i * 4; // blue, green, red, reserved
            table_[static_cast<size_t>(i)] = uint32_t(q[2]) << 16 | uint32_t(q[1]) << 8 | q[0];
        }
    }
    if (withBits) {
        rows_.resize(static_cast<size_t>(imageBytes));
        if (!in.ReadAt(pixels, rows_.data(), rows_.size())) {
            Clear();
            return false;
        }
        if (height < 0) {
            // Rows stored from the top: kept from the bottom like every other picture.
            for (int a = 0, b = rowsCount - 1; a < b; ++a, --b)
                std::swap_ranges(rows_.begin() + int64_t(a) * stride, rows_.begin() + int64_t(a + 1) * stride,
                                 rows_.begin() + int64_t(b) * stride);
        }
    }
    width_ = width;
    height_ = rowsCount;
    stride_ = stride;
    bits_ = static_cast<int>(bits);
    colours_ = bits < 24 ? static_cast<int>(tableEntries) : 0;
    return true;
}

uint32_t DibPicture::PixelAt(int x, int y) const
{
    if (rows_.empty() || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    const uint8_t* row = rows_.data() + int64_t(height_ - 1 - y) * stride_;
    unsigned index;
    switch (bits_) {
    case 1: index = (row[x >> 3] >> (7 - (x & 7))) & 1; break;
    case 4: index = (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15; break;
    case 8: index = row[x]; break;
    default: {
        const uint8_t* p = row + int64_t(x) * 3; // blue, green, red
        return uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
    }
    }
    return table_[index];
}

void DibPicture::SetTransparentPixel(int x, int y)
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        ClearTransparentPixel();
        return;
    }
    keyX_ = x;
    keyY_ = y;
    imageMade_ = false;
}

void DibPicture::ClearTransparentPixel()
{
    keyX_ = keyY_ = -1;
    imageMade_ = false;
}

const QImage& DibPicture::Image() const
{
    if (imageMade_) return image_;
    imageMade_ = true;
    image_ = QImage();
    if (rows_.empty()) return image_;
    const bool keyed = HasTransparentPixel();
    const uint32_t key = keyed ? PixelAt(keyX_, keyY_) : 0;
    image_ = QImage(width_, height_, keyed ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (image_.isNull()) return image_;
    for (int y = 0; y < height_; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
        for (int x = 0; x < width_; ++x) {
            const uint32_t c = PixelAt(x, y);
            line[x] = keyed && c == key ? 0u : (0xFF000000u | c);
        }
    }
    return image_;
}

void DibPicture::Draw(DrawContext& dc, int x, int y) const
{
    if (Image().isNull()) return;
    fw::Bitmap b;
    b.Image() = Image();
    dc.Dc().DrawBitmap(fw::Point(x, y), b, fw::Rect(0, 0, width_, height_));
}

void DibPicture::DrawInto(DrawContext& dc, const Rect& rect) const
{
    const int w = rect.Width(), h = rect.Height();
    if (Image().isNull() || w <= 0 || h <= 0) return;
    fw::Bitmap b;
    b.Image() = (w == width_ && h == height_) ? Image()
                                              : Image().scaled(w, h, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (b.Image().isNull()) return;
    dc.Dc().DrawBitmap(fw::Point(rect.left, rect.top), b, fw::Rect(0, 0, w, h));
}

void DibPicture::DrawTiled(DrawContext& dc, const Rect& area, const Rect& clip) const
{
    Rect part;
    if (Image().isNull() || !Rect::Intersect(area, clip, part)) return;
    // The tiles that meet the clip are laid into one image of the clipped part, so that a small
    // picture over a large window is one copy, not thousands.
    fw::Bitmap tiles;
    tiles.Image() = QImage(part.Width(), part.Height(), QImage::Format_ARGB32_Premultiplied);
    if (tiles.Image().isNull()) return;
    tiles.Image().fill(Qt::transparent);
    {
        QPainter p(&tiles.Image());
        QBrush brush(Image());
        brush.setTransform(QTransform::fromTranslate(area.left - part.left, area.top - part.top));
        p.fillRect(tiles.Image().rect(), brush);
    }
    dc.Dc().DrawBitmap(fw::Point(part.left, part.top), tiles, fw::Rect(0, 0, part.Width(), part.Height()));
}

bool DibPicture::BuildPalette(DibPalette& palette) const
{
    std::vector<DibPalette::Entry> entries;
    if (bits_ == 8) {
        entries.resize(static_cast<size_t>(colours_));
        for (int i = 0; i < colours_; ++i) {
            const uint32_t c = table_[static_cast<size_t>(i)];
            entries[static_cast<size_t>(i)] = {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c), 0};
        }
    }
    palette.SetEntries(std::move(entries));
    return true;
}

void DibPalette::Realize(fw::DC&) {}

void DibPalette::Restore() {}

} // namespace kw
