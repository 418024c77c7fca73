#include "framework/gui/Bitmap.h"

#include "framework/stream/StateReset.h"

namespace fw {

namespace {
constexpr std::int64_t kBytesPerPixel = 4;  // 32-bit RGB
constexpr std::int64_t kDefaultMaxBytes = std::int64_t(1) << 30;  // 1 GiB
std::int64_t maxBytes = kDefaultMaxBytes;
const StateReset resetMaxBytes{[] { maxBytes = kDefaultMaxBytes; }};
} // namespace

std::int64_t Bitmap::MaxBytes() { return maxBytes; }
void Bitmap::SetMaxBytes(std::int64_t bytes) { maxBytes = bytes; }

Bitmap::Bitmap(int width, int height)
{
    if (width <= 0 || height <= 0 || std::int64_t(width) * height * kBytesPerPixel > maxBytes) return;
    image_ = QImage(width, height, QImage::Format_RGB32);
}

void Bitmap::Fill(const QColor& color)
{
    if (IsValid()) image_.fill(color);
}

bool Bitmap::SavePng(const std::string& path) const
{
    return IsValid() && image_.save(QString::fromStdString(path), "PNG");
}

}  // namespace fw
