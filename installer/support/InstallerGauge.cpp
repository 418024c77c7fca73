#include "installer/support/InstallerGauge.h"

#include "installer/support/Drawing.h"

#include <QEvent>
#include <QFont>
#include <QPainter>
#include <QWidget>

namespace kw {

void Gauge::SetPercent(int n)
{
    if (n < 0 || n > 100 || n == percent_) return;
    percent_ = n;
    if (QWidget* w = Subclassed()) w->repaint();
}

bool Gauge::Message(QWidget* window, QEvent* event)
{
    if (event->type() != QEvent::Paint) return false;
    QPainter p(window);
    int w = window->width(), h = window->height();
    QColor bar = ToQColor(colour_);
    p.fillRect(0, 0, w, h, Qt::white);
    QFont font = window->font();
    font.setPointSize(9);
    if (w >= h) {
        p.fillRect(0, 0, w * percent_ / 100, h, bar);
        font.setFamily("MS Sans Serif");
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(QRect(0, 0, w, h), Qt::AlignCenter, QString("%1%").arg(percent_));
    } else {
        int filled = h * percent_ / 100;
        p.fillRect(0, h - filled, w, filled, bar);
        font.setFamily("Arial");
        p.setFont(font);
        p.setPen(Qt::black);
        p.translate(w / 2.0, h / 2.0);
        p.rotate(-90); // escapement 900: text running upwards
        p.drawText(QRect(-h / 2, -w / 2, h, w), Qt::AlignCenter, QString("%1%").arg(percent_));
    }
    p.setPen(Qt::gray);
    p.resetTransform();
    p.drawRect(0, 0, w - 1, h - 1);
    return true;
}

} // namespace kw
