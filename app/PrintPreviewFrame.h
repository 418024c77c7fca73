// The print preview: page 1 of a printout, in a frame that takes the main window's place on
// the screen until it is closed; the main window then comes back where the frame was.
#pragma once

#include "framework/gui/Dialog.h"
#include "framework/gui/Geometry.h"

#include <QImage>

class PrintPreviewFrame : public fw::Dialog {
public:
    static constexpr int kPageId = 101;
    // Space between the window's edges and the page, in pixels.
    static constexpr int kMargin = 15;

    // page: the rendered page; pageSize: the printer page's size in device units.
    PrintPreviewFrame(QWidget* parent, QImage page, fw::Size pageSize);

    // The page's place in a client area: 15 units in from the left and top, spanning the
    // area's width (a landscape page) or height (a portrait one) less the margins, in the
    // paper's proportions; a page that would then reach past the area's other side spans
    // that side instead, so it is always seen whole.
    static fw::Rect PageRect(fw::Size client, fw::Size page);

    const QImage& Page() const { return page_; }

private:
    QImage page_;
    fw::Size pageSize_;
};
