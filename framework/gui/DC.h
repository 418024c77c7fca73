// The device context of the drawing code: selected pen, brush and font, text colour and
// alignment, a mapping from logical to device units (for printing), clipping, and the
// drawing operations. The state lives here; an implementation only draws: PainterDC draws
// with QPainter (window, memory bitmap, printer), RecordingDC records the calls for tests.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <QColor>
#include <QRegion>

#include "framework/gui/Geometry.h"

namespace fw {

class Bitmap;

enum class PenStyle { Solid, Dash, Dot, DashDot, Null };

struct Pen {
    QColor color = QColor(0, 0, 0);
    int width = 1; // logical units; 0 is one device pixel
    PenStyle style = PenStyle::Solid;
    Pen() = default;
    Pen(const QColor& c, int w = 1, PenStyle s = PenStyle::Solid) : color(c), width(w), style(s) {}
    static Pen Null() { return Pen(QColor(0, 0, 0), 1, PenStyle::Null); }
    bool operator==(const Pen& o) const { return color == o.color && width == o.width && style == o.style; }
};

struct Brush {
    QColor color = QColor(255, 255, 255);
    bool hollow = false; // draws no interior
    Brush() = default;
    explicit Brush(const QColor& c) : color(c) {}
    static Brush Hollow()
    {
        Brush b;
        b.hollow = true;
        return b;
    }
    bool operator==(const Brush& o) const { return hollow == o.hollow && (hollow || color == o.color); }
};

struct Font {
    std::string face = "Arial";
    int height = 12; // logical units: positive the character cell, negative the character alone
    int weight = 400; // 400 normal, 700 bold
    bool italic = false;
    Font() = default;
    Font(std::string f, int h, int w = 400, bool i = false) : face(std::move(f)), height(h), weight(w), italic(i) {}
    bool operator==(const Font& o) const
    {
        return face == o.face && height == o.height && weight == o.weight && italic == o.italic;
    }
};

struct TextMetrics {
    int height = 0; // ascent + descent
    int ascent = 0;
    int descent = 0;
    int averageCharWidth = 0;
    int internalLeading = 0; // the part of the height above the character's own size
    int maxCharWidth = 0;
};

// Text alignment for TextOut: one horizontal and one vertical flag.
constexpr unsigned TA_LEFT = 0;
constexpr unsigned TA_RIGHT = 2;
constexpr unsigned TA_CENTER = 6;
constexpr unsigned TA_TOP = 0;
constexpr unsigned TA_BOTTOM = 8;
constexpr unsigned TA_BASELINE = 24;

// Background mode for text.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// DrawText formats.
constexpr unsigned DT_LEFT = 0x0;
constexpr unsigned DT_CENTER = 0x1;
constexpr unsigned DT_RIGHT = 0x2;
constexpr unsigned DT_VCENTER = 0x4;
constexpr unsigned DT_BOTTOM = 0x8;
constexpr unsigned DT_WORDBREAK = 0x10;
constexpr unsigned DT_SINGLELINE = 0x20;
constexpr unsigned DT_NOCLIP = 0x100;

// Mapping modes: device units, or logical units scaled by window and viewport extents.
constexpr int MM_TEXT = 1;
constexpr int MM_ISOTROPIC = 7;
constexpr int MM_ANISOTROPIC = 8;

class DC {
public:
    DC(Size deviceSize, int logPixelsX, int logPixelsY);
    virtual ~DC();
    DC(const DC&) = delete;
    DC& operator=(const DC&) = delete;

    // --- selected objects and text attributes (each setter returns the previous value) ----
    Pen SelectPen(const Pen& pen);
    Brush SelectBrush(const Brush& brush);
    Font SelectFont(const Font& font);
    const Pen& GetPen() const { return s_.pen; }
    const Brush& GetBrush() const { return s_.brush; }
    const Font& GetFont() const { return s_.font; }
    QColor SetTextColor(const QColor& color);
    QColor GetTextColor() const { return s_.textColor; }
    QColor SetBkColor(const QColor& color);
    QColor GetBkColor() const { return s_.bkColor; }
    int SetBkMode(int mode);
    int GetBkMode() const { return s_.bkMode; }
    unsigned SetTextAlign(unsigned align);
    unsigned GetTextAlign() const { return s_.textAlign; }

    // Saves the whole state (objects, attributes, mapping, clipping, current position);
    // RestoreDC brings back the last saved one (nothing when none is saved).
    void SaveDC();
    void RestoreDC();

    // --- mapping ---------------------------------------------------------------------
    int SetMapMode(int mode); // MM_TEXT resets both extents to 1
    int GetMapMode() const { return s_.mapMode; }
    Point SetWindowOrg(const Point& p);
    Point GetWindowOrg() const { return s_.windowOrg; }
    Size SetWindowExt(const Size& s); // ignored in MM_TEXT, as are the viewport extents
    Size GetWindowExt() const { return s_.windowExt; }
    Point SetViewportOrg(const Point& p);
    Point GetViewportOrg() const { return s_.viewportOrg; }
    Size SetViewportExt(const Size& s);
    Size GetViewportExt() const { return s_.viewportExt; }
    Point LPtoDP(const Point& p) const;
    Point DPtoLP(const Point& p) const;
    Rect LPtoDP(const Rect& r) const;
    Rect DPtoLP(const Rect& r) const;
    // For a device whose resolution differs by axis (a printer of 600 by 300 dots per inch):
    // maps a drawing area of square logical units, the finer axis counted in the coarser axis's
    // units, anisotropically onto `target` and returns that area (origin 0,0), so that what is
    // drawn keeps its shape on paper. With equal resolutions nothing changes and `target` comes
    // back. The caller saves and restores the DC around it.
    Rect MapSquareUnits(const Rect& target);

    // --- the device ----------------------------------------------------------------
    int LogPixelsX() const { return logPixelsX_; }
    int LogPixelsY() const { return logPixelsY_; }
    Size DeviceSize() const { return deviceSize_; }
    // Whether the device is a printer, and how many colours it shows (2 for a monochrome
    // or grey-scale printout). A printing routine that knows better states them.
    bool IsPrinter() const { return printer_; }
    int DeviceColors() const { return deviceColors_; }
    void SetDeviceFacts(bool printer, int colors)
    {
        printer_ = printer;
        deviceColors_ = colors;
    }

    // --- clipping (rectangles in logical units unless said otherwise) ------------------
    void IntersectClipRect(const Rect& r);
    void ExcludeClipRect(const Rect& r);
    // Replaces the clipping with a rectangle in device units; null: no clipping.
    void SelectClipRect(const Rect* deviceRect);
    // The smallest rectangle around the drawable area, in logical units.
    Rect GetClipBox() const;

    // --- drawing (logical units) -------------------------------------------------------
    void MoveTo(const Point& p) { s_.position = p; }
    Point GetCurrentPosition() const { return s_.position; }
    void LineTo(const Point& p); // from the current position, which moves to p
    void Line(const Point& from, const Point& to)
    {
        MoveTo(from);
        LineTo(to);
    }
    void Polyline(const std::vector<Point>& points);
    void Polygon(const std::vector<Point>& points); // outlined with the pen, filled with the brush
    void Rectangle(const Rect& r);
    void RoundRect(const Rect& r, const Size& corner); // corner: width and height of the corner ellipse
    void Ellipse(const Rect& box);
    // The part of the ellipse in box from the ray towards start counter-clockwise to the ray
    // towards end (screen orientation: y grows downwards, counter-clockwise as seen on screen).
    void Arc(const Rect& box, const Point& start, const Point& end);
    void FillRect(const Rect& r, const Brush& brush);
    void SetPixel(const Point& p, const QColor& color);
    // Text at p, placed by the text alignment; OPAQUE mode fills its box with the bk colour.
    void TextOut(const Point& p, const std::string& text);
    void DrawText(const std::string& text, const Rect& r, unsigned format);
    Size GetTextExtent(const std::string& text) const { return MeasureText(s_.font, text); }
    TextMetrics GetTextMetrics() const { return FontMetrics(s_.font); }
    // Copies src of the bitmap to dest (its top-left corner) at the bitmap's size.
    void DrawBitmap(const Point& dest, const Bitmap& bitmap, const Rect& src);

protected:
    // What an implementation provides. Coordinates are logical; an implementation maps them
    // with DeviceTransform() or records them as they are.
    virtual void DoLine(const Point& from, const Point& to) = 0;
    virtual void DoPolyline(const std::vector<Point>& points) = 0;
    virtual void DoPolygon(const std::vector<Point>& points) = 0;
    virtual void DoRectangle(const Rect& r) = 0;
    virtual void DoRoundRect(const Rect& r, const Size& corner) = 0;
    virtual void DoEllipse(const Rect& box) = 0;
    virtual void DoArc(const Rect& box, double startDegrees, double spanDegrees, const Point& start,
                       const Point& end) = 0;
    virtual void DoFillRect(const Rect& r, const Brush& brush) = 0;
    virtual void DoSetPixel(const Point& p, const QColor& color) = 0;
    // box: the text's box from the alignment; baseline: y of its baseline.
    virtual void DoTextOut(const Point& p, const std::string& text, const Rect& box, int baseline) = 0;
    virtual void DoDrawText(const std::string& text, const Rect& r, unsigned format) = 0;
    virtual void DoDrawBitmap(const Point& dest, const Bitmap& bitmap, const Rect& src) = 0;
    virtual Size MeasureText(const Font& font, const std::string& text) const = 0;
    virtual TextMetrics FontMetrics(const Font& font) const = 0;

    // Which parts of the state changed since the implementation last took them.
    enum Dirty : unsigned { kPen = 1, kBrush = 2, kFont = 4, kMapping = 8, kClip = 16, kAll = 31 };
    unsigned TakeDirty()
    {
        unsigned d = dirty_;
        dirty_ = 0;
        return d;
    }
    // The clipping in device units, or none.
    const std::optional<QRegion>& DeviceClip() const { return s_.clip; }
    // Scale and offset of the logical-to-device mapping: device = (logical - windowOrg) * scale + viewportOrg.
    double ScaleX() const;
    double ScaleY() const;

private:
    // Sets a window or viewport extent: kept only in a scaling map mode and when neither
    // dimension is 0. Returns the previous extent.
    Size SetExtent(Size& extent, const Size& s);
    // The clipping region in device units; the whole device when there is none.
    QRegion ClipArea() const;

    struct State {
        Pen pen;
        Brush brush;
        Font font;
        QColor textColor = QColor(0, 0, 0);
        QColor bkColor = QColor(255, 255, 255);
        int bkMode = OPAQUE;
        unsigned textAlign = TA_LEFT | TA_TOP;
        int mapMode = MM_TEXT;
        Point windowOrg;
        Size windowExt{1, 1};
        Point viewportOrg;
        Size viewportExt{1, 1};
        std::optional<QRegion> clip;
        Point position;
    };
    State s_;
    std::vector<State> saved_;
    Size deviceSize_;
    int logPixelsX_;
    int logPixelsY_;
    bool printer_ = false;
    int deviceColors_ = 1 << 24;
    unsigned dirty_ = kAll;
};

}  // namespace fw
