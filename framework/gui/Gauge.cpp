#include "framework/gui/Gauge.h"

#include <QPainter>

namespace fw {

Gauge::Gauge(QWidget* parent, const std::string& format, bool horizontal)
    : QWidget(parent), format_(format), horizontal_(horizontal)
{
}

void Gauge::SetRange(int minimum, int maximum)
{
    min_ = minimum;
    max_ = maximum > minimum ? maximum : minimum + 1;
    SetValue(value_);
}

void Gauge::SetValue(int value)
{
    if (value < min_) value = min_;
    if (value > max_) value = max_;
    if (value == value_) return;
    value_ = value;
    update();
}

void Gauge::SetCaption(const std::string& format)
{
    format_ = format;
    update();
}

void Gauge::SetMargin(int pixels)
{
    margin_ = pixels < 0 ? 0 : pixels;
    update();
}

std::string Gauge::Text() const
{
    // Only "%d" and "%%" are understood; other characters are copied.
    std::string out;
    for (std::size_t i = 0; i < format_.size(); ++i) {
        if (format_[i] == '%' && i + 1 < format_.size()) {
            if (format_[i + 1] == 'd') {
                out += std::to_string(value_);
                ++i;
                continue;
            }
            if (format_[i + 1] == '%') {
                out += '%';
                ++i;
                continue;
            }
        }
        out += format_[i];
    }
    return out;
}

void Gauge::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QRect frame = rect().adjusted(0, 0, -1, -1);
    p.fillRect(rect(), palette().color(QPalette::Base));
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(frame);
    QRect inner = rect().adjusted(1 + margin_, 1 + margin_, -1 - margin_, -1 - margin_);
    double fraction = double(value_ - min_) / double(max_ - min_);
    QRect filled = inner;
    if (horizontal_)
        filled.setWidth(int(inner.width() * fraction + 0.5));
    else
        filled.setTop(inner.bottom() - int(inner.height() * fraction + 0.5) + 1);
    p.fillRect(filled, fill_);
    QString text = QString::fromStdString(Text());
    if (text.isEmpty()) return;
    // The caption in the text colour over the empty part and in white over the filled part.
    p.setPen(palette().color(QPalette::Text));
    p.drawText(inner, Qt::AlignCenter, text);
    p.setClipRect(filled);
    p.setPen(Qt::white);
    p.drawText(inner, Qt::AlignCenter, text);
}

}  // namespace fw
