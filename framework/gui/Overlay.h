// Marks drawn over a window's cached picture without touching it: rubber lines, rubber-band
// rectangles, outlines of things being dragged. Each mark has a key; setting a key again
// moves the mark, removing it erases it. The window repaints its picture and then the marks,
// so erasing a mark never depends on drawing it twice.
#pragma once

#include <functional>
#include <map>

#include "framework/gui/DC.h"

namespace fw {

class Overlay {
public:
    enum class Kind { Line, Rectangle };
    struct Mark {
        Kind kind = Kind::Line;
        Point a;
        Point b; // the other end of a line, or the opposite corner of a rectangle
        Pen pen;
    };

    // Called whenever the marks change (a window repaints itself).
    void SetChanged(std::function<void()> changed) { changed_ = std::move(changed); }

    void SetLine(int key, const Point& from, const Point& to, const Pen& pen);
    void SetRect(int key, const Rect& rect, const Pen& pen);
    void Remove(int key);
    void Clear();
    bool Has(int key) const { return marks_.count(key) != 0; }
    const Mark* Find(int key) const;
    const std::map<int, Mark>& Marks() const { return marks_; }

    // Draws every mark with its pen and a hollow brush, in key order.
    void Draw(DC& dc) const;

private:
    void Changed()
    {
        if (changed_) changed_();
    }
    std::map<int, Mark> marks_;
    std::function<void()> changed_;
};

// A colour that stands out on the background as an inverted pixel would.
inline QColor InvertedColor(const QColor& background)
{
    return QColor(255 - background.red(), 255 - background.green(), 255 - background.blue());
}

}  // namespace fw
