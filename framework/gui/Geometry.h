// Points, sizes and rectangles as the drawing code counts them: a rectangle's right and
// bottom edges lie just outside it (width = right - left), unlike QRect.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace fw {

// A computed position as a device coordinate: truncated towards zero and held within the range
// of int (a value that is not a number gives 0).
inline int TruncToInt(double v)
{
    if (!(v == v))
        return 0;
    constexpr double lo = std::numeric_limits<int>::min();
    constexpr double hi = std::numeric_limits<int>::max();
    return static_cast<int>(std::trunc(std::clamp(v, lo, hi)));
}

struct Point {
    int x = 0;
    int y = 0;
    Point() = default;
    Point(int x_, int y_) : x(x_), y(y_) {}
    bool operator==(const Point& o) const { return x == o.x && y == o.y; }
    bool operator!=(const Point& o) const { return !(*this == o); }
    Point operator+(const Point& o) const { return {x + o.x, y + o.y}; }
    Point operator-(const Point& o) const { return {x - o.x, y - o.y}; }
    QPoint ToQt() const { return {x, y}; }
    static Point FromQt(const QPoint& p) { return {p.x(), p.y()}; }
};

struct Size {
    int cx = 0;
    int cy = 0;
    Size() = default;
    Size(int cx_, int cy_) : cx(cx_), cy(cy_) {}
    bool operator==(const Size& o) const { return cx == o.cx && cy == o.cy; }
    bool operator!=(const Size& o) const { return !(*this == o); }
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    Rect() = default;
    Rect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
    Rect(const Point& topLeft, const Size& size)
        : left(topLeft.x), top(topLeft.y), right(topLeft.x + size.cx), bottom(topLeft.y + size.cy) {}
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    Size GetSize() const { return {Width(), Height()}; }
    Point TopLeft() const { return {left, top}; }
    Point BottomRight() const { return {right, bottom}; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(const Point& p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    // True when the two rectangles share at least one point (empty ones never do).
    bool Touches(const Rect& o) const
    {
        return !IsEmpty() && !o.IsEmpty() && left < o.right && o.left < right && top < o.bottom &&
               o.top < bottom;
    }
    Rect Intersection(const Rect& o) const
    {
        Rect r(std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
               std::min(bottom, o.bottom));
        return r.IsEmpty() ? Rect() : r;
    }
    Rect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    Rect Inflated(int dx, int dy) const { return {left - dx, top - dy, right + dx, bottom + dy}; }
    // The same rectangle with left <= right and top <= bottom.
    Rect Normalized() const
    {
        return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
    }
    bool operator==(const Rect& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const Rect& o) const { return !(*this == o); }
    QRect ToQt() const { return QRect(left, top, Width(), Height()); }
    static Rect FromQt(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }
};

// Colours as 0x00BBGGRR numbers, the form colour tables and settings records store.
inline QColor ColorFromRef(std::uint32_t ref)
{
    return QColor(int(ref & 0xFF), int((ref >> 8) & 0xFF), int((ref >> 16) & 0xFF));
}
inline std::uint32_t ColorToRef(const QColor& c)
{
    return std::uint32_t(c.red()) | (std::uint32_t(c.green()) << 8) | (std::uint32_t(c.blue()) << 16);
}

}  // namespace fw
