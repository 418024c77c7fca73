#include "app/PrintPreviewFrame.h"

#include "framework/gui/MessageBox.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPalette>

namespace {

// The layout window: the application's workspace colour with the page laid out in it.
class PreviewPage : public QWidget {
public:
    PreviewPage(QWidget* parent, const QImage& page, fw::Size pageSize)
        : QWidget(parent), page_(page), pageSize_(pageSize)
    {
        setMinimumSize(320, 320);
        setAutoFillBackground(true);
        QPalette p = palette();
        p.setBrush(QPalette::Window, p.brush(QPalette::Dark));
        setPalette(p);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        const fw::Rect r = PrintPreviewFrame::PageRect(fw::Size(width(), height()), pageSize_);
        painter.fillRect(r.left + 4, r.top + 4, r.Width(), r.Height(), QColor(0, 0, 0, 90)); // shadow
        painter.drawImage(r.ToQt(), page_);
        painter.setPen(QColor(0, 0, 0));
        painter.drawRect(r.ToQt().adjusted(0, 0, -1, -1));
    }

private:
    const QImage& page_;
    fw::Size pageSize_;
};

} // namespace

PrintPreviewFrame::PrintPreviewFrame(QWidget* parent, QImage page, fw::Size pageSize)
    : fw::Dialog(parent, "Print Preview"), page_(std::move(page)), pageSize_(pageSize)
{
    setWindowFlag(Qt::WindowMinMaxButtonsHint);
    Place(kPageId, new PreviewPage(this, page_, pageSize_), 0, 0);
    AddButton(fw::IDCANCEL, "Close", true);
}

fw::Rect PrintPreviewFrame::PageRect(fw::Size client, fw::Size page)
{
    if (page.cx <= 0 || page.cy <= 0) return fw::Rect(kMargin, kMargin, kMargin, kMargin);
    const int availableWidth = std::max(1, client.cx - 2 * kMargin);
    const int availableHeight = std::max(1, client.cy - 2 * kMargin);
    int w = 0, h = 0;
    // The span, then the other side in per cent of it; a page that would reach past the
    // other side is fitted to that side instead, so that the whole page is always seen.
    const auto widthFor = [&](int height) {
        return static_cast<int>(static_cast<long long>(height) * (page.cx * 100LL / page.cy) / 100);
    };
    const auto heightFor = [&](int width) {
        return static_cast<int>(static_cast<long long>(width) * (page.cy * 100LL / page.cx) / 100);
    };
    if (page.cx > page.cy) {
        w = availableWidth;
        h = heightFor(w);
        if (h > availableHeight) {
            h = availableHeight;
            w = std::min(availableWidth, static_cast<int>(static_cast<long long>(h) * page.cx / page.cy));
        }
    } else {
        h = availableHeight;
        w = widthFor(h);
        if (w > availableWidth) {
            w = availableWidth;
            h = std::min(availableHeight, static_cast<int>(static_cast<long long>(w) * page.cy / page.cx));
        }
    }
    return fw::Rect(kMargin, kMargin, kMargin + w, kMargin + h);
}
