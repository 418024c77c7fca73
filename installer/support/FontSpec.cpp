#include "installer/support/FontSpec.h"

#include <QWidget>

#include <cmath>

namespace kw {

void FontSpec::Set(const std::string& face, int height, int escapement, bool bold, bool italic)
{
    face_ = face;
    height_ = height;
    escapement_ = escapement;
    bold_ = bold;
    italic_ = italic;
}

// A height in points as pixels of the context, keeping its sign.
int FontSpec::Scaled(int logPixelsY) const
{
    return static_cast<int>(std::lround(height_ * logPixelsY / 72.0));
}

fw::Font FontSpec::CreateFor(const fw::DC& dc) const
{
    return fw::Font(face_, Scaled(dc.LogPixelsY()), bold_ ? 700 : 400, italic_);
}

QFont FontSpec::CreateForWindow(QWidget* window) const
{
    QFont f(QString::fromStdString(face_));
    f.setPixelSize(std::abs(Scaled(window ? window->logicalDpiY() : 96)) ? std::abs(Scaled(window ? window->logicalDpiY() : 96)) : 1);
    f.setBold(bold_);
    f.setItalic(italic_);
    return f;
}

int FontSpec::FitText(const fw::DC& dc, const std::string& text, int width) const
{
    fw::Font f = CreateFor(dc);
    int w = dc.GetTextExtent(text).cx;
    fw::DC& d = const_cast<fw::DC&>(dc);
    fw::Font old = d.SelectFont(f);
    w = d.GetTextExtent(text).cx;
    d.SelectFont(old);
    if (w <= width || w <= 0) return f.height;
    return static_cast<int>(f.height * static_cast<long long>(width) / w);
}

void FontSpec::SelectInto(fw::DC& dc)
{
    Deselect();
    previousFont_ = dc.SelectFont(CreateFor(dc));
    selectedDc_ = &dc;
}

void FontSpec::ApplyToWindow(QWidget* window)
{
    Deselect();
    if (!window) return;
    previousWindowFont_ = window->font();
    window->setFont(CreateForWindow(window));
    selectedWindow_ = window;
}

void FontSpec::Deselect()
{
    if (selectedDc_) selectedDc_->SelectFont(previousFont_);
    if (selectedWindow_) selectedWindow_->setFont(previousWindowFont_);
    selectedDc_ = nullptr;
    selectedWindow_ = nullptr;
}

int FontSpec::TextWidth(fw::DC& dc, const std::string& text)
{
    fw::Font old = dc.SelectFont(CreateFor(dc));
    int w = dc.GetTextExtent(text).cx;
    dc.SelectFont(old);
    return w;
}

int FontSpec::TextHeight(fw::DC& dc, const std::string& text)
{
    fw::Font old = dc.SelectFont(CreateFor(dc));
    int h = dc.GetTextExtent(text).cy;
    dc.SelectFont(old);
    return h;
}

} // namespace kw
