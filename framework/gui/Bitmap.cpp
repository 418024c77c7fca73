#include "framework/gui/Bitmap.h"

namespace fw {

Bitmap::Bitmap(int width, int height)
{
    if (width > 0 && height > 0) image_ = QImage(width, height, QImage::Format_RGB32);
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
