// The chart's mouse: recentring on a double click, zooming to a dragged rectangle, drawing and
// deleting constellation lines, placing, moving, editing and deleting chart labels, and
// snapping a gesture's start to the nearest star. Marks that follow the mouse go into the
// window's overlay, so the cached chart is never drawn over.
#include "chart/ChartWindow.h"

#include <cmath>

#include "astro/AstroConstants.h"
#include "chart/ChartLabels.h"
#include "chart/ConstelLines.h"
#include "chart/EnterLabelDialog.h"
#include "chart/SAOdata.h"
#include "framework/gui/Bitmap.h"
#include "framework/gui/MessageBox.h"
#include "framework/gui/PainterDC.h"
#include "framework/gui/StatusBar.h"
#include "globals/Globals.h"
#include "ui/RScolor.h"

namespace {

const QColor kLightRed(255, 128, 128);

fw::Rect Spanned(const fw::Point& a, const fw::Point& b)
{
    return fw::Rect(a.x, a.y, b.x, b.y).Normalized();
}

QColor SlotQColor(int slot)
{
    return fw::ColorFromRef(RScolor::Instance().GetColor(slot));
}

} // namespace

// Nearest star by (dRA x 15 cos dec)^2 + dDec^2, in square degrees, dRA in hours taken the
// short way round, within (-12, 12], so that stars either side of 0 h are near each other; the
// first of equals wins.
bool ChartWindow::PickStar(double ra, double dec, bool brightOnly, double& starRA, double& starDec) const
{
    const double c = 15.0 * std::cos(dec * astro::kRadiansPerDegree);
    const double w = c * c;
    double best = 576.0 * 32400.0 * w;
    bool found = false;
    SAOdata sao(ProgramDirectory + "rssao.cat");
    for (long records = 0; records < SAOdata::kPickPassLimit && sao.ReadNext(sao); ++records) {
        if (brightOnly && !(sao.Magnitude() < starMagLimit)) continue;
        const double dr = ShortHours(sao.RA() - ra);
        const double dd = sao.Dec() - dec;
        const double measure = dr * dr * w + dd * dd;
        if (measure < best) {
            best = measure;
            starRA = sao.RA();
            starDec = sao.Dec();
            found = true;
        }
    }
    sao.Close();
    return found;
}

double ChartWindow::SkyAngle(double ra1, double dec1, double ra2, double dec2)
{
    const double d1 = dec1 * astro::kRadiansPerDegree, d2 = dec2 * astro::kRadiansPerDegree;
    const double c = std::cos((ra1 - ra2) * astro::kRadiansPerHour) * std::cos(d1) * std::cos(d2) + std::sin(d1) * std::sin(d2);
    if (c <= -1.0) return 180.0;
    if (c >= 1.0) return 0.0;
    return std::acos(c) * astro::kDegreesPerRadian;
}

// The text's box as the drawing puts it: centred above the text location, in "Arial" of the
// label's height.
bool ChartWindow::LabelHitBox(const ChartLabel& label, fw::Rect& box) const
{
    fw::Point at;
    if (SkyToScreen(label.ra2, label.dec2, at, chartRect) == MapOffChart) return false;
    fw::Bitmap scratch(1, 1);
    fw::PainterDC dc(scratch);
    dc.SelectFont(fw::Font("Arial", static_cast<int>(pixelsPerDegree * label.sizeFactor), 400));
    const fw::Size extent = dc.GetTextExtent(label.text);
    const int left = static_cast<int>(at.x - extent.cx / 2.0);
    box = fw::Rect(left, at.y - extent.cy, left + extent.cx, at.y);
    return true;
}

void ChartWindow::ShowStatus(const std::string& text)
{
    if (AppGlobals.statusBar) AppGlobals.statusBar->SetText(text);
}

void ChartWindow::ClearSelections()
{
    lineSelected = false;
    labelSelected = false;
    GetOverlay().Remove(MarkSelectedLine);
    GetOverlay().Remove(MarkSelectedLabel);
    GetOverlay().Remove(MarkMovingLabel);
}

void ChartWindow::RefreshSelectionMarks()
{
    fw::Overlay& overlay = GetOverlay();
    fw::Point a, b;
    if (lineSelected && SkyToScreen(selectedLine.ra1, selectedLine.dec1, a, chartRect) != MapOffChart &&
        SkyToScreen(selectedLine.ra2, selectedLine.dec2, b, chartRect) != MapOffChart)
        overlay.SetLine(MarkSelectedLine, a, b, fw::Pen(fw::InvertedColor(SlotQColor(SlotConstelLines)), 1));
    else
        overlay.Remove(MarkSelectedLine);
    fw::Rect box;
    if (labelSelected && LabelHitBox(selectedLabelFound, box))
        overlay.SetRect(MarkSelectedLabel, box, fw::Pen(kLightRed, 1));
    else
        overlay.Remove(MarkSelectedLabel);
}

void ChartWindow::ClearDrag()
{
    dragStart = dragCurrent = fw::Point(-1, -1);
    rubberBand = false;
    GetOverlay().Remove(MarkRubberBand);
    GetOverlay().Remove(MarkRubberLine);
    GetOverlay().Remove(MarkMovingLabel);
}

void ChartWindow::EvSize(const fw::Size& size)
{
    fw::Window::EvSize(size);
    chartRect = fw::Rect(0, 0, size.cx, size.cy);
    Redraw();
}

void ChartWindow::EvRButtonDown(unsigned keys, const fw::Point& point)
{
    fw::Window::EvRButtonDown(keys, point);
    ShowPopupMenu(point);
}

void ChartWindow::EvLButtonDblClk(unsigned keys, const fw::Point& point)
{
    fw::Window::EvLButtonDblClk(keys, point);
    double ra = 0, dec = 0;
    if (!ScreenToSky(ra, dec, point.x, point.y, chartRect)) return;
    saveFramePending = true;
    SetChart(ra, dec, parallel1, parallel2, projection);
    recentreArmed = false;
    setCursor(Qt::ArrowCursor);
    Redraw();
}

void ChartWindow::EvLButtonDown(unsigned keys, const fw::Point& point)
{
    fw::Window::EvLButtonDown(keys, point);
    ClearDrag();
    newLine = ConstelLine();
    double ra = 0, dec = 0;
    if (!ScreenToSky(ra, dec, point.x, point.y, chartRect)) return;
    const bool shift = (keys & fw::MK_SHIFT) != 0, ctrl = (keys & fw::MK_CONTROL) != 0;
    fw::Overlay& overlay = GetOverlay();

    if (labelEditing && shift) {
        labelSelected = false;
        overlay.Remove(MarkSelectedLabel);
        ChartLabel nearest;
        fw::Rect box;
        if (chartLabels->Nearest(ra, dec, nearest) && LabelHitBox(nearest, box) && box.Contains(point)) {
            selectedLabel = selectedLabelFound = nearest;
            labelSelected = true;
            overlay.SetRect(MarkSelectedLabel, box, fw::Pen(kLightRed, 1));
            dragStart = dragCurrent = point;
        }
        return;
    }
    if (lineEditing && shift) {
        lineSelected = false;
        overlay.Remove(MarkSelectedLine);
        ConstelLine nearest;
        fw::Point a, b;
        if (constelLines->NearestOnScreen(point, nearest) &&
            SkyToScreen(nearest.ra1, nearest.dec1, a, chartRect) != MapOffChart &&
            SkyToScreen(nearest.ra2, nearest.dec2, b, chartRect) != MapOffChart) {
            selectedLine = nearest;
            lineSelected = true;
            overlay.SetLine(MarkSelectedLine, a, b, fw::Pen(fw::InvertedColor(SlotQColor(SlotConstelLines)), 1));
        }
        dragStart = dragCurrent = point;
        return;
    }
    fw::Point start = point;
    if (ctrl) {
        // Ctrl snaps the start to the nearest star. Without a star found the start would be
        // 0 h, 0 degrees: a new constellation line is refused, any other gesture starts at
        // the pointer's own sky position.
        double starRA = ra, starDec = dec;
        if (PickStar(ra, dec, true, starRA, starDec)) {
            fw::Point p;
            if (SkyToScreen(starRA, starDec, p, chartRect) != MapOffChart) start = p;
        } else if (lineEditing) {
            ShowStatus("No Star Found Near the Pointer: No Line Added");
            return;
        } else {
            ShowStatus("No Star Found Near the Pointer");
        }
        newLine.ra1 = starRA;
        newLine.dec1 = starDec;
    }
    dragStart = dragCurrent = start;
}

void ChartWindow::EvMouseMove(unsigned keys, const fw::Point& point)
{
    fw::Window::EvMouseMove(keys, point);
    static bool moving = false;
    if (dragStart.x < 0 || moving) return;
    moving = true;
    const bool shift = (keys & fw::MK_SHIFT) != 0, ctrl = (keys & fw::MK_CONTROL) != 0;
    const bool left = (keys & fw::MK_LBUTTON) != 0;
    fw::Overlay& overlay = GetOverlay();
    const QColor inverted = fw::InvertedColor(SlotQColor(SlotSkyBackground));
    double ra = 0, dec = 0;
    const bool onSky = ScreenToSky(ra, dec, point.x, point.y, chartRect);
    if (labelEditing && (shift || ctrl) && left) {
        if (labelSelected) {
            if (onSky) {
                selectedLabel.ra2 = ra;
                selectedLabel.dec2 = dec;
            }
            fw::Rect box;
            if (LabelHitBox(selectedLabel, box)) overlay.SetRect(MarkMovingLabel, box, fw::Pen(inverted, 1));
        } else {
            overlay.SetLine(MarkRubberLine, dragStart, point, fw::Pen(inverted, 1));
        }
        drawingLine = true;
    } else if (left && ctrl) {
        overlay.SetLine(MarkRubberLine, dragStart, point, fw::Pen(inverted, 1));
        // A redraw during the drag shows the line as far as the pointer.
        if (onSky) {
            newLine.ra2 = ra;
            newLine.dec2 = dec;
        }
        drawingLine = true;
    } else if (left && !shift) {
        overlay.SetRect(MarkRubberBand, Spanned(dragStart, point), fw::Pen(inverted, 1, fw::PenStyle::Dot));
        rubberBand = true;
    }
    dragCurrent = point;
    moving = false;
}

void ChartWindow::EvLButtonUp(unsigned keys, const fw::Point& point)
{
    fw::Window::EvLButtonUp(keys, point);
    if (dragStart.x < 0) return;
    double ra = 0, dec = 0;
    if (!ScreenToSky(ra, dec, point.x, point.y, chartRect)) {
        drawingLine = false;
        ClearDrag();
        return;
    }
    const bool shift = (keys & fw::MK_SHIFT) != 0, ctrl = (keys & fw::MK_CONTROL) != 0;
    if (labelEditing && (shift || ctrl))
        LabelGestureEnds(keys, ra, dec);
    else if (lineEditing && shift && lineSelected)
        SelectedLineGestureEnds(keys);
    else if (lineEditing && drawingLine)
        NewLineGestureEnds(ra, dec);
    if (rubberBand) RubberBandEnds(point);
    drawingLine = false;
    ClearDrag();
}

void ChartWindow::LabelGestureEnds(unsigned keys, double ra, double dec)
{
    const bool shift = (keys & fw::MK_SHIFT) != 0, ctrl = (keys & fw::MK_CONTROL) != 0;
    if (labelSelected && shift && ctrl) {
        chartLabels->RemoveLabel(selectedLabelFound);
        ClearSelections();
        Redraw();
        return;
    }
    EnterLabelDialog dialog(this);
    if (labelSelected) {
        dialog.text = selectedLabel.text;
        dialog.textRA = selectedLabel.ra2;
        dialog.textDec = selectedLabel.dec2;
        dialog.anchorRA = selectedLabel.ra1;
        dialog.anchorDec = selectedLabel.dec1;
        ChartLabelSize = selectedLabel.sizeFactor;
    } else {
        dialog.textRA = ra;
        dialog.textDec = dec;
        dialog.anchorRA = drawingLine ? newLine.ra1 : ra;
        dialog.anchorDec = drawingLine ? newLine.dec1 : dec;
    }
    dialog.useAnchor = drawingLine || dialog.anchorRA != dialog.textRA || dialog.anchorDec != dialog.textDec;
    GetOverlay().Remove(MarkRubberLine);
    GetOverlay().Remove(MarkMovingLabel);
    if (dialog.Execute() == fw::IDOK) {
        if (!dialog.useAnchor) {
            dialog.anchorRA = dialog.textRA;
            dialog.anchorDec = dialog.textDec;
        }
        // The label as it was found goes first (labels are known by their anchor point).
        if (labelSelected) chartLabels->RemoveLabel(selectedLabelFound);
        // An empty text adds nothing: the label is gone.
        chartLabels->AddLabel(ChartLabel(dialog.anchorRA, dialog.anchorDec, dialog.textRA, dialog.textDec,
                                         dialog.text, ChartLabelSize));
    }
    ClearSelections();
    Redraw();
}

void ChartWindow::SelectedLineGestureEnds(unsigned keys)
{
    if ((keys & fw::MK_CONTROL) != 0 || fw::MessageBox(this, "Delete Selected Line?", "", fw::MB_OKCANCEL) == fw::IDOK)
        constelLines->Remove(selectedLine);
    ClearSelections();
    Redraw();
}

void ChartWindow::NewLineGestureEnds(double ra, double dec)
{
    GetOverlay().Remove(MarkRubberLine);
    double starRA = 0, starDec = 0;
    if (!PickStar(ra, dec, false, starRA, starDec)) {
        // Without a star the line would end at 0 h, 0 degrees.
        ShowStatus("No Star Found at the Line's End: No Line Added");
    } else if (starRA == newLine.ra1 && starDec == newLine.dec1) {
        ShowStatus("The Line Ends at Its Starting Star: No Line Added");
    } else {
        fw::Point end;
        if (SkyToScreen(starRA, starDec, end, chartRect) != MapOffChart)
            constelLines->AddIfAbsent(newLine.ra1, newLine.dec1, starRA, starDec);
    }
    Redraw();
}

void ChartWindow::RubberBandEnds(const fw::Point& point)
{
    GetOverlay().Remove(MarkRubberBand);
    const fw::Rect r = Spanned(dragStart, point);
    const double least = 0.1 * height();
    if (r.Width() < least || r.Height() < least) return;
    const int cx = r.left + r.Width() / 2, cy = r.top + r.Height() / 2;
    double topRA, topDec, bottomRA, bottomDec, leftRA, leftDec, rightRA, rightDec, ra, dec;
    if (!ScreenToSky(topRA, topDec, cx, r.top, chartRect) || !ScreenToSky(bottomRA, bottomDec, cx, r.bottom, chartRect) ||
        !ScreenToSky(leftRA, leftDec, r.left, cy, chartRect) || !ScreenToSky(rightRA, rightDec, r.right, cy, chartRect))
        return;
    const double vertical = SkyAngle(topRA, topDec, bottomRA, bottomDec);
    const double horizontal = SkyAngle(leftRA, leftDec, rightRA, rightDec);
    if (vertical == 0 || horizontal == 0 || !ScreenToSky(ra, dec, cx, cy, chartRect)) return;
    fieldWidth = horizontal;
    fieldHeight = vertical;
    saveFramePending = true;
    SetChart(ra, dec, parallel1, parallel2, projection);
    Redraw();
}
