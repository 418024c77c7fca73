// Drawing the chart: background, grid with its edge labels, constellation lines, Telrad rings,
// user labels and observing-list marks, stars, and the Sun, Moon and planets, in that order.
#include "chart/ChartWindow.h"

#include <cmath>
#include <exception>
#include <string>

#include <QPointer>

#include "catalog/Browser.h"
#include "catalog/CatalogueTable.h"
#include "catalog/NGC2000Indexes.h"
#include "catalog/ObjectFlags.h"
#include "astro/AstroConstants.h"
#include "chart/BodySymbols.h"
#include "chart/ChartLabels.h"
#include "chart/ConstelLines.h"
#include "chart/LineEquation.h"
#include "chart/RaDecLabels.h"
#include "chart/SAOdata.h"
#include "chart/ChartVisibleRegion.h"
#include "framework/gui/ControlHost.h"
#include "framework/gui/DC.h"
#include "framework/gui/MessageBox.h"
#include "globals/Globals.h"
#include "ui/RScolor.h"

namespace {

// Label font: at most this share of the device's vertical resolution and of the chart's
// height, and never below the minimum.
constexpr double kFontShareOfResolution = 0.12;
constexpr double kFontShareOfHeight = 0.05;
constexpr int kFontMinimum = 14;
// Sample text that sets the widths and heights of the edge-label margins.
const char* const kMarginSample = "+88h";
constexpr double kGridRaStep = 0.5;  // hours
constexpr double kGridDecStep = 5.0; // degrees
constexpr int kPumpInterval = 501;   // star records between message pumps

QColor SlotColor(int slot)
{
    return fw::ColorFromRef(RScolor::Instance().GetDrawColor(slot));
}

bool IsMultipleOf(double ra, double step)
{
    return std::fmod(ra, step) == 0.0;
}

// Whether the right-ascension line starting at dec is drawn at ra: near the poles the lines
// thin out to whole hours, then every 3 h, then every 6 h.
bool RaLineDrawn(double ra, double dec)
{
    if (dec >= -79 && dec <= 74) return true;
    if (dec >= -84 && dec <= 79) return IsMultipleOf(ra, 1.0);
    if (dec >= -89 && dec <= 84) return IsMultipleOf(ra, 3.0);
    return IsMultipleOf(ra, 6.0);
}

// Holds the chart, its pane and every window above them open while the chart draws: a close
// asked for meanwhile (messages are let through) is carried out when the drawing is done.
class DrawingGuard {
public:
    explicit DrawingGuard(QWidget* w)
    {
        for (; w; w = w->parentWidget())
            if (auto* host = dynamic_cast<fw::ControlHost*>(w)) ops_.emplace_back(std::make_unique<fw::ControlHost::Operation>(*host));
    }
    ~DrawingGuard()
    {
        // Innermost first: the chart's own close before its pane's.
        while (!ops_.empty()) ops_.erase(ops_.begin());
    }

private:
    std::vector<std::unique_ptr<fw::ControlHost::Operation>> ops_;
};

} // namespace

// Measured as a distance on the screen, not as a difference of rows: a meridian need not run
// up the chart (the polar chart's meridians run out from the pole in every direction).
bool ChartWindow::ScreenDistance(double ra, double dec1, double dec2, int& pixels) const
{
    fw::Point a, b;
    if (SkyToScreen(ra, dec1, a, chartRect) == MapOffChart || SkyToScreen(ra, dec2, b, chartRect) == MapOffChart)
        return false;
    pixels = static_cast<int>(std::hypot(double(a.x - b.x), double(a.y - b.y)));
    return true;
}

void ChartWindow::ComputeScale(const fw::Rect& inner)
{
    const int W = chartRect.Width();
    const int iw = inner.Width(), ih = inner.Height();
    if (W <= 0 || iw <= 0 || ih <= 0) {
        scale = 0.2;
        return;
    }
    double sx = 2.0 * iw / W;
    double sy = ih * sx / iw;
    const FieldExtent extent = FieldOfView(fieldWidth, fieldHeight);
    double rx = extent.rx, ry = extent.ry;
    double limit = 32000.0 / W;
    if (limit > 4) limit = 4;
    if (rx > limit) rx = limit;
    if (ry > limit) ry = limit;
    if (rx != 0 && ry != 0) {
        sx /= rx;
        sy /= ry;
    } else {
        sx = sy = 0.2;
    }
    scale = extent.halfScale ? 0.5 : std::min(sx, sy);
}

void ChartWindow::DrawChart(fw::DC& dc)
{
    painting = true;
    // The screen's drawing takes the chart as it now stands. Whatever changes it while waiting
    // messages are let through (a command, a dialog's result, a moved mark, new positions of
    // the bodies) sets needsRedraw again, and the end of the drawing then draws once more. A
    // print leaves the screen's flag alone.
    const bool staleBefore = needsRedraw;
    if (!printing) needsRedraw = false;
    QPointer<ChartWindow> alive(this);
    DrawingGuard guard(this);
    bool finished = true;
    try {
        if (screenMode) {
            ShowProgress("Recalculating Star Chart");
            if (!alive) return;
        }
        int F = static_cast<int>(kFontShareOfResolution * dc.LogPixelsY());
        SetBkgndColor(SlotColor(SlotSkyBackground));
        if (printing) {
            chartRect = printRect;
            // Device units per logical unit in y; a logical unit smaller than a device unit
            // leaves the font as it is.
            const fw::Point a = dc.LPtoDP(fw::Point(0, 0));
            const fw::Point b = dc.LPtoDP(fw::Point(dc.LogPixelsX(), dc.LogPixelsY()));
            double n = std::abs(b.y - a.y) / double(dc.LogPixelsY());
            if (!(n >= 1.0)) n = 1.0;
            F = static_cast<int>(F / n);
        } else {
            chartRect = fw::Rect(0, 0, width(), height());
        }
        if (chartRect.Width() <= 0 || chartRect.Height() <= 0) {
            painting = false;
            needsRedraw = needsRedraw || staleBefore;
            return;
        }
        const int heightShare = static_cast<int>(kFontShareOfHeight * chartRect.Height());
        if (F > heightShare) F = heightShare;
        if (F < kFontMinimum) F = kFontMinimum;
        finished = DrawLayers(dc, F);
    } catch (const std::exception& e) {
        fw::MessageBox(this, e.what(), "SAOWINDOW ERROR", fw::MB_OK);
    } catch (...) {
        fw::MessageBox(this, "UNKNOWN ERROR", "SAOWINDOW ERROR", fw::MB_OK);
    }
    if (!finished || !alive) return;
    EndDrawing();
}

void ChartWindow::EndDrawing()
{
    if (screenMode) ShowProgress("Chart View - " + ProjectionName());
    painting = false;
    if (printing) return;
    if (needsRedraw) Invalidate(true);
}

bool ChartWindow::DrawLayers(fw::DC& dc, int F)
{
    QPointer<ChartWindow> alive(this);
    RScolor& rs = RScolor::Instance();
    dc.SaveDC();
    rs.SetFont(2, "Arial", F, 400, false);
    dc.SelectFont(rs.GetFont(2));
    const fw::Size margin = dc.GetTextExtent(kMarginSample);
    const fw::Rect inner(chartRect.left + margin.cx + 2, chartRect.top + margin.cy, chartRect.right - margin.cx - 2,
                     chartRect.bottom - margin.cy);

    ComputeScale(inner);
    ComputeVisibleRegion(chartRect);

    dc.IntersectClipRect(chartRect);
    if (screenMode) dc.FillRect(chartRect, fw::Brush(SlotColor(SlotSkyBackground)));

    dc.SaveDC(); // the grid's clipping, given back for the edge labels
    if (grid) dc.IntersectClipRect(inner);

    RaDecLabels edgeLabels;
    edgeLabels.SetClip(chartRect);

    if (grid && !DrawGrid(dc, inner, edgeLabels)) return false;

    if (constellationLines) {
        if (screenMode) {
            ShowProgress("Drawing Constellation Lines");
            if (!alive) return false;
        }
        DrawConstellationLines(dc);
    }

    const fw::Rect avoid = DrawTelrad(dc);

    if (labels) {
        if (screenMode) {
            ShowProgress("Drawing Chart Labels...");
            if (!alive) return false;
        }
        DrawLabelsLayer(dc, F, avoid);
    }

    if (starsShown && !DrawStars(dc)) return false;

    if (solarSystem && SolarSystemReady) DrawBodies(dc, F, avoid);

    if (grid) {
        dc.RestoreDC(); // back to the chart's rectangle
        dc.SaveDC();
        rs.SetFont(2, "Arial", F, 400, false);
        dc.SelectFont(rs.GetFont(2));
        dc.SetBkMode(fw::TRANSPARENT);
        std::string text;
        fw::Point anchor;
        unsigned alignment = 0;
        std::uint32_t flags = 0;
        for (int more = edgeLabels.Next(text, anchor, alignment, flags, true); more;
             more = edgeLabels.Next(text, anchor, alignment, flags, false)) {
            if (text.empty()) continue;
            dc.SetTextAlign(alignment);
            dc.SetTextColor(SlotColor((flags & MapLabel::RightAscension) ? SlotRaLines : SlotDecLines));
            dc.TextOut(anchor, text);
        }
    }
    dc.RestoreDC();
    dc.RestoreDC();
    return true;
}

bool ChartWindow::DrawGrid(fw::DC& dc, const fw::Rect& inner, RaDecLabels& edgeLabels)
{
    QPointer<ChartWindow> alive(this);
    if (screenMode) {
        ShowProgress("Drawing RA and DEC grid");
        if (!alive) return false;
    }
    const fw::Pen decPen(SlotColor(SlotDecLines), 1);
    const fw::Pen raPen(SlotColor(SlotRaLines), 1);
    const VisibleRegion& region = ChartVisibleRegion::Instance().Region();
    for (int i = 0; i < 48; ++i) {
        const double ra = i * kGridRaStep;
        for (int j = 0; j < 36; ++j) {
            const double dec = -90.0 + j * kGridDecStep;
            if (!region.Contains(ra, dec) && !region.Contains(ra + kGridRaStep, dec)) continue;
            dc.SelectPen(decPen);
            AddGridSegment(dc, inner, edgeLabels, ra, dec, ra + kGridRaStep, dec, true, dec, true);
            if (RaLineDrawn(ra, dec)) {
                dc.SelectPen(raPen);
                AddGridSegment(dc, inner, edgeLabels, ra, dec, ra, dec + kGridDecStep, false, ra, false);
            }
        }
    }
    return true;
}

// One grid segment: drawn whole when both ends lie inside the grid's rectangle, up to the
// border with an edge label there when one end lies outside.
void ChartWindow::AddGridSegment(fw::DC& dc, const fw::Rect& inner, RaDecLabels& edgeLabels, double ra1, double dec1,
                                 double ra2, double dec2, bool decLine, double value, bool checkCut)
{
    fw::Point a, b;
    const int ca = SkyToScreen(ra1, dec1, a, chartRect, inner);
    const int cb = SkyToScreen(ra2, dec2, b, chartRect, inner);
    const bool cut = checkCut && CrossesCut(ra1, dec1, ra2);
    if (ca == MapInside && cb == MapInside) {
        if (!cut) dc.Line(a, b);
        return;
    }
    if (ca == MapOffChart || cb == MapOffChart || (ca != MapInside && cb != MapInside)) return;
    const fw::Point inside = ca == MapInside ? a : b;
    const fw::Point outside = ca == MapInside ? b : a;
    fw::Point crossing;
    const int edge = BorderCrossing(LineEquation(inside.x, inside.y, outside.x, outside.y), inner, crossing);
    if (edge == EdgeNone) return;
    if (!cut) dc.Line(inside, crossing);
    std::uint32_t flags = decLine ? MapLabel::Declination : MapLabel::RightAscension;
    fw::Point anchor = crossing;
    switch (edge) {
    case EdgeLeft: flags |= MapLabel::LeftEdge; break;
    case EdgeTop: flags |= MapLabel::TopEdge; break;
    case EdgeRight:
        flags |= MapLabel::RightEdge;
        anchor.x += 2;
        break;
    default: flags |= MapLabel::BottomEdge; break;
    }
    const std::string text = MapLabel(value, anchor, fw::Size(), flags).Text();
    edgeLabels.Add(value, anchor, dc.GetTextExtent(text), flags);
}

void ChartWindow::DrawConstellationLines(fw::DC& dc)
{
    dc.SelectPen(fw::Pen(SlotColor(SlotConstelLines), 1));
    const VisibleRegion& region = ChartVisibleRegion::Instance().Region();
    ConstelLine line;
    for (int more = constelLines->Next(line, true); more; more = constelLines->Next(line, false)) {
        if (!region.Contains(line.ra1, line.dec1) && !region.Contains(line.ra2, line.dec2)) continue;
        fw::Point a, b;
        if (SkyToScreen(line.ra1, line.dec1, a, chartRect) == MapOffChart ||
            SkyToScreen(line.ra2, line.dec2, b, chartRect) == MapOffChart)
            continue;
        if (projection == ProjectionCylindrical && ConstelLines::SpansRA(line, antiMeridianRA)) continue;
        if (IsConic() && CrossesCut(line.ra1, line.dec1, line.ra2)) continue;
        dc.Line(a, b);
        line.screen = ScreenLine(a, b);
        constelLines->Replace(line);
    }
    if (drawingLine) {
        fw::Point a, b;
        if (SkyToScreen(newLine.ra1, newLine.dec1, a, chartRect) != MapOffChart &&
            SkyToScreen(newLine.ra2, newLine.dec2, b, chartRect) != MapOffChart) {
            dc.SelectPen(fw::Pen(SlotColor(SlotConstelLines), 1, fw::PenStyle::Dash));
            dc.Line(a, b);
        }
    }
}

// The rings of 0.25, 1 and 2 degrees around the mark; the result is the square around the
// outer ring that labels keep clear of (empty without the rings).
fw::Rect ChartWindow::DrawTelrad(fw::DC& dc)
{
    const VisibleRegion& region = ChartVisibleRegion::Instance().Region();
    const bool markVisible = region.Contains(markRA, markDec);
    const double ra = markVisible ? markRA : centerRA;
    const double dec = markVisible ? markDec : centerDec;
    fw::Point c;
    if (SkyToScreen(ra, dec, c, chartRect) == MapOffChart) return fw::Rect();
    int r025 = 0, r1 = 0, r2 = 0;
    ScreenDistance(ra, dec, dec - 0.25, r025);
    ScreenDistance(ra, dec, dec - 1.0, r1);
    ScreenDistance(ra, dec, dec - 2.0, r2);
    pixelsPerDegree = r1;
    if (!telrad || !markVisible) return fw::Rect();
    dc.SelectPen(fw::Pen(SlotColor(SlotTelrad), r2 / 100 + 1));
    dc.SelectBrush(fw::Brush::Hollow());
    if (r025 >= 2) dc.Ellipse(fw::Rect(c.x - r025, c.y - r025, c.x + r025, c.y + r025));
    auto arcs = [&](int r, int first, int gap) {
        const fw::Rect box(c.x - r, c.y - r, c.x + r, c.y + r);
        for (int k = 0; k < 4; ++k) {
            const double a = first + 90.0 * k;
            const double s = (a + gap) * astro::kRadiansPerDegree, e = (a + 90.0) * astro::kRadiansPerDegree;
            dc.Arc(box, fw::Point(c.x + static_cast<int>(r * std::cos(s)), c.y + static_cast<int>(-r * std::sin(s))),
                   fw::Point(c.x + static_cast<int>(r * std::cos(e)), c.y + static_cast<int>(-r * std::sin(e))));
        }
    };
    if (r2 >= 2) arcs(r2, -5, 8);
    if (r1 >= 2) arcs(r1, -10, 16);
    return fw::Rect(c.x - r2, c.y - r2, c.x + r2, c.y + r2);
}

void ChartWindow::DrawLabelsLayer(fw::DC& dc, int F, const fw::Rect& avoid)
{
    int perDegree = 0;
    if (ScreenDistance(centerRA, centerDec, centerDec - 1.0, perDegree)) pixelsPerDegree = perDegree;
    dc.SetTextColor(SlotColor(SlotChartLabels));
    dc.SelectPen(fw::Pen(SlotColor(SlotChartLabels), 1));
    if (ShowChartLabels) {
        ChartLabel label;
        for (int more = chartLabels->Next(label, true); more; more = chartLabels->Next(label, false))
            DrawChartLabel(dc, label, false, avoid);
    }
    if (!(LabelListNumbers || LabelListPositions) || !AppGlobals.database) return;
    dc.SelectFont(fw::Font("Arial", F, 400));
    dc.SetTextAlign(fw::TA_LEFT | fw::TA_TOP);
    dc.SetBkMode(fw::TRANSPARENT);
    const VisibleRegion& region = ChartVisibleRegion::Instance().Region();
    const int count = AppGlobals.database->CountOf(Browser::kObservingList);
    for (int i = 0; i < count && i < CatalogueCapacity; ++i) {
        const int row = ObservingList[i];
        if (row < 0 || row >= CatalogueRowCount) continue;
        const double ra = NGCTable.ra[row], dec = NGCTable.dec[row];
        if (!region.Contains(ra, dec)) continue;
        std::string text;
        if (LabelListNumbers) {
            const int number = NGCTable.catalogueNumber[row];
            text = number <= 10000 ? "n" + std::to_string(number) : "i" + std::to_string(number - 10000);
        }
        if (LabelListPositions) text += " (" + std::to_string(i + 1) + ")";
        DrawObjectMark(dc, ra, dec, text, F, fw::Point(0, 0), avoid);
    }
}

bool ChartWindow::DrawStars(fw::DC& dc)
{
    QPointer<ChartWindow> alive(this);
    if (screenMode) {
        ShowProgress("Drawing Stars...");
        if (!alive) return false;
    }
    dc.SelectPen(fw::Pen(SlotColor(SlotStarOutline), 1));
    dc.SelectBrush(fw::Brush(SlotColor(SlotStarFill)));
    int span = 0;
    double B = 50.0 * pixelsPerDegree;
    if (ScreenDistance(centerRA, centerDec + 25, centerDec - 25, span)) B = span;
    const double ppd = 0.02 * B;
    double D = 0.05 * fieldWidth;
    if (D > 3) D = 3;
    double limit = 5 + 0.003 * B;
    if (limit > starMagLimit) limit = starMagLimit;
    plottedMagLimit = limit;
    // The size divides by the limit: a limit of 0 or less (from an older settings file) draws
    // no star rather than sizes without bound.
    if (!(limit > 0)) return true;
    const double I = ppd * D;
    const VisibleRegion& region = ChartVisibleRegion::Instance().Region();
    SAOdata sao(ProgramDirectory + "rssao.cat");
    long records = 0;
    while (records < SAOdata::kDrawPassLimit && sao.ReadNext(sao)) {
        ++records;
        if (screenMode && records % kPumpInterval == 0) {
            fw::PumpWaitingMessages();
            if (!alive) return false;
        }
        const double m = sao.Magnitude();
        if (!(m < starMagLimit && m < limit) || !region.Contains(sao.RA(), sao.Dec())) continue;
        double s = I - m * I / limit;
        if (!(s > 0)) continue;
        s += 3;
        const int q = static_cast<int>(s / 4);
        const int k = static_cast<int>(s) % 4;
        const int left = q + 1, top = k >= 1 ? q + 1 : q, right = k >= 2 ? q + 1 : q, bottom = k >= 3 ? q + 1 : q;
        fw::Point p;
        if (SkyToScreen(sao.RA(), sao.Dec(), p, chartRect) != MapInside) continue;
        dc.Ellipse(fw::Rect(p.x - left, p.y - top, p.x + right, p.y + bottom));
    }
    sao.Close();
    return true;
}

void ChartWindow::DrawBodies(fw::DC& dc, int F, const fw::Rect& avoid)
{
    const VisibleRegion& region = ChartVisibleRegion::Instance().Region();
    const int quarter = F / 4;
    for (int i = 0; i < BodyCount; ++i) {
        const ChartBody& body = bodies[i];
        if (!body.HasPosition()) continue;
        const double ra = body.position.RA().Hours(), dec = body.position.Dec().Degrees();
        if (!region.Contains(ra, dec)) continue;
        fw::Point p;
        if (SkyToScreen(ra, dec, p, chartRect) != MapInside) continue;
        int g = static_cast<int>(body.semiDiameter.Degrees() * pixelsPerDegree);
        RScolor& rs = RScolor::Instance();
        if (g >= quarter) {
            if (i == BodySun)
                DrawBodyDisc(dc, p.x, p.y, g, rs.GetDrawColor(SlotSun));
            else
                DrawBodyPhase(dc, p.x, p.y, g, body.phaseAngle, body.brightLimbAngle, rs.GetDrawColor(SlotLimb),
                              rs.GetDrawColor(SlotShadow));
        } else {
            const QColor colour = SlotColor(i == BodySun ? SlotSun : SlotLimb);
            dc.SelectPen(fw::Pen(colour, 1));
            dc.SelectBrush(fw::Brush(colour));
            dc.Ellipse(fw::Rect(p.x - quarter, p.y - quarter, p.x + quarter, p.y + quarter));
            g = quarter;
        }
        dc.SelectFont(fw::Font("Arial", F, 400));
        dc.SetTextAlign(fw::TA_LEFT | fw::TA_TOP);
        dc.SetBkMode(fw::TRANSPARENT);
        dc.SetTextColor(SlotColor(SlotChartLabels));
        dc.SelectPen(fw::Pen(SlotColor(SlotChartLabels), 1));
        DrawObjectMark(dc, ra, dec, ChartBodyName(i), F, fw::Point(g - quarter, g - quarter), avoid);
    }
}

bool ChartWindow::DrawChartLabel(fw::DC& dc, const ChartLabel& label, bool outlineOnly, const fw::Rect& avoid)
{
    if (!ChartVisibleRegion::Instance().Region().Contains(label.ra1, label.dec1)) return false;
    fw::Point A, B;
    if (SkyToScreen(label.ra2, label.dec2, A, chartRect) != MapInside) return false;
    if (SkyToScreen(label.ra1, label.dec1, B, chartRect) != MapInside) return false;
    const int height = static_cast<int>(pixelsPerDegree * label.sizeFactor);
    if (height < 9) return false;
    dc.SelectFont(fw::Font("Arial", height, 400));
    dc.SetTextAlign(fw::TA_BOTTOM | fw::TA_CENTER);
    dc.SetBkMode(fw::TRANSPARENT);
    const fw::Size extent = dc.GetTextExtent(label.text);
    const int cx = extent.cx, cy = extent.cy;
    if (cy <= 9) return true;
    fw::Point start = A;
    if (B.y < A.y - cy)
        start = fw::Point(A.x, A.y - cy);
    else if (B.y < A.y)
        start = B.x < A.x ? fw::Point(A.x - cx / 2, A.y - cy / 2) : fw::Point(A.x + cx / 2, A.y - cy / 2);
    const fw::Rect box(A.x - cx / 2, A.y - cy, A.x - cx / 2 + cx, A.y);
    if (box.Touches(avoid)) return true;
    if (outlineOnly) {
        dc.SelectBrush(fw::Brush::Hollow());
        dc.Rectangle(box);
    } else {
        dc.TextOut(A, label.text);
    }
    if (!box.Contains(B)) dc.Line(start, B);
    return true;
}

fw::Point ChartWindow::DrawObjectMark(fw::DC& dc, double ra, double dec, const std::string& text, int size,
                                  const fw::Point& offset, const fw::Rect& avoid)
{
    fw::Point p;
    const int code = SkyToScreen(ra, dec, p, chartRect);
    if (code == MapOffChart) return fw::Point(-1, -1);
    if (code != MapInside) return p;
    const int b = size / 4;
    const fw::Size extent = dc.GetTextExtent(text);
    const fw::Rect box(fw::Point(p.x + offset.x + b, p.y + offset.y + b), extent);
    if (box.Touches(avoid)) return p;
    dc.Line(fw::Point(p.x - b, p.y), fw::Point(p.x + b, p.y));
    dc.Line(fw::Point(p.x, p.y - b), fw::Point(p.x, p.y + b));
    dc.SetTextAlign(fw::TA_LEFT | fw::TA_TOP);
    dc.TextOut(box.TopLeft(), text);
    return p;
}
