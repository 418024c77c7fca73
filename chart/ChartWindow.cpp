#include "chart/ChartWindow.h"

#include <QPointer>
#include <QTimer>

#include "chart/ChartFormat.h"
#include "chart/ChartLabels.h"
#include "chart/ConstelLines.h"
#include "chart/ChartVisibleRegion.h"
#include "framework/gui/Bitmap.h"
#include "framework/gui/ControlHost.h"
#include "framework/gui/DC.h"
#include "framework/gui/MessageBox.h"
#include "framework/gui/PainterDC.h"
#include "framework/stream/StateReset.h"
#include "globals/Globals.h"
#include "ui/DropWindowPane.h"
#include "ui/RScolor.h"
#include "ui/TStatusDlg.h"

bool SolarSystemReady = false;
bool ShowChartLabels = true;
bool LabelListNumbers = true;
bool LabelListPositions = true;

namespace {
const fw::StateReset resetChartSwitches{[] {
    SolarSystemReady = false;
    ShowChartLabels = true;
    LabelListNumbers = true;
    LabelListPositions = true;
}};
} // namespace

namespace {
constexpr double kStartRA = 18.0;
constexpr double kStartDec = -35.0;
constexpr double kStartParallel1 = -25.0;
constexpr double kStartParallel2 = -47.0;
} // namespace

ChartWindow::ChartWindow(QWidget* parent, const std::string& title, const std::string& instance)
    : ChartConfig(instance), fw::Window(parent, title)
{
    chartLabels = std::make_unique<ChartLabels>(UserDirectory + "chtlabel.rsx");
    if (StatusWindow) StatusWindow->AddLine("Initializing Chart ");
    constelLines = std::make_unique<ConstelLines>(UserDirectory + "conlines.rsx");
    chartFrames = std::make_unique<ChartFormat>(UserDirectory + "chrtfrmt.rsx");
    SetBkgndColor(fw::ColorFromRef(RScolor::Instance().GetColor(SlotSkyBackground)));
    SetChart(kStartRA, kStartDec, kStartParallel1, kStartParallel2, ProjectionStereographic);
    InstallCommands();
}

ChartWindow::~ChartWindow()
{
    Store(false);
    // The label and line sets write their files, when changed, as they go.
}

int ChartWindow::Load()
{
    const int result = ChartConfig::Load();
    RScolor& rs = RScolor::Instance();
    for (int s = 0; s < RScolor::kSchemeCount; ++s)
        for (int k = 0; k < kSlotCount; ++k) rs.SetSchemeColor(kFirstSlot + k, s, SchemeColor(s, k));
    rs.BuildPalette();
    return result;
}

int ChartWindow::Store(bool writeFileNow)
{
    RScolor& rs = RScolor::Instance();
    for (int s = 0; s < RScolor::kSchemeCount; ++s)
        for (int k = 0; k < kSlotCount; ++k) SetSchemeColor(s, k, rs.GetSchemeColor(kFirstSlot + k, s));
    return ChartConfig::Store(writeFileNow);
}

void ChartWindow::SetupWindow()
{
    fw::Window::SetupWindow();
    chartRect = GetClientRect();
    Load();
    UpdateSolarSystem();
}

bool ChartWindow::SetChart(double ra, double dec, double p1, double p2, int type)
{
    const bool formed = SetGeometry(ra, dec, p1, p2, type);
    needsRedraw = true;
    if (saveFramePending) {
        if (currentObject.Catalogue() == ObjectId::kNgcCatalogue && frameIndex >= 0) {
            chartFrames->WriteFrame(frameIndex, centerRA, centerDec, fieldWidth, fieldHeight);
            fw::PostCommandTo(dynamic_cast<fw::ControlHost*>(parentWidget()), CM_CHARTFRAMESAVED);
        } else if (currentObject.Catalogue() == ObjectId::kSolarSystemCatalogue &&
                   currentObject.Number() / 256 < BodyCount) {
            ChartBody& body = bodies[currentObject.Number() / 256];
            body.frameCenter = Coord::Equatorial(Angle(centerRA, Angle::kHours), Angle(centerDec, Angle::kDegrees), Distance(), JulianDate(),
                                                 Coord::EquatorialFrame);
            body.frameWidth = fieldWidth;
            body.frameHeight = fieldHeight;
        }
        saveFramePending = false;
    }
    return formed;
}

bool ChartWindow::SetProjection(int type)
{
    needsRedraw = true;
    const bool formed = SetChart(centerRA, centerDec, parallel1, parallel2, type);
    if (formed)
        if (auto* pane = dynamic_cast<DropWindowPane*>(parentWidget()))
            pane->SetPaneCaption("Chart View - " + ProjectionName());
    return formed;
}

bool ChartWindow::SetCenter(double ra, double dec)
{
    needsRedraw = true;
    return SetChart(ra, dec, parallel1, parallel2, projection);
}

void ChartWindow::SetField(double width, double height)
{
    fieldWidth = width;
    fieldHeight = height;
    needsRedraw = true;
}

void ChartWindow::SetMark(double ra, double dec)
{
    markRA = ra;
    markDec = dec;
    needsRedraw = true;
}

void ChartWindow::ComputeVisibleRegion(const fw::Rect& rect)
{
    const int mid = rect.left + rect.Width() / 2;
    const fw::Point corners[6] = {{rect.left, rect.top},    {rect.right, rect.top}, {rect.left, rect.bottom},
                              {rect.right, rect.bottom}, {mid, rect.bottom},     {mid, rect.top}};
    VisibleRegion& region = ChartVisibleRegion::Instance().Region();
    SkyPoint sky[6];
    for (int i = 0; i < 6; ++i) {
        if (!ScreenToSky(sky[i].ra, sky[i].dec, corners[i].x, corners[i].y, rect)) {
            region = VisibleRegion();
            region.SetAllSky();
            return;
        }
    }
    fw::Point p;
    const bool north = SkyToScreen(0.0, 89.9, p, rect) == MapInside;
    const bool south = SkyToScreen(0.0, -89.9, p, rect) == MapInside;
    region = VisibleRegion(sky[0], sky[1], sky[2], sky[3], sky[4], sky[5], north, south);
}

void ChartWindow::ShowProgress(const std::string& text)
{
    progressText = text;
    if (!text.empty() && !printing)
        if (auto* pane = dynamic_cast<DropWindowPane*>(parentWidget())) pane->SetPaneCaption(text);
    fw::PumpWaitingMessages();
}

void ChartWindow::Paint(fw::DC& dc, bool, const fw::Rect&)
{
    if (PrintingCount != 0) return;
    DrawBitmapOrChart(dc);
}

// The screen shows the cached bitmap; a stale one is redrawn from the event loop rather than
// inside the paint, because the drawing lets waiting messages through (which may repaint).
void ChartWindow::DrawBitmapOrChart(fw::DC& dc)
{
    if (!screenMode) {
        RScolor& rs = RScolor::Instance();
        rs.SelectPalette(dc);
        DrawChart(dc);
        rs.RestorePalette(dc);
        return;
    }
    if (chartBitmap) {
        dc.DrawBitmap(fw::Point(0, 0), *chartBitmap, fw::Rect(0, 0, chartBitmap->Width(), chartBitmap->Height()));
        // While a drawing runs, the size it draws at is the window's own: a resize meanwhile
        // marks the chart stale by itself.
        if (!painting && chartBitmap->GetSize() != fw::Size(width(), height())) needsRedraw = true;
    }
    if (needsRedraw && !painting) ScheduleRedraw();
}

void ChartWindow::ScheduleRedraw()
{
    if (redrawScheduled_) return;
    redrawScheduled_ = true;
    QTimer::singleShot(0, this, [this] {
        redrawScheduled_ = false;
        RedrawBitmap();
    });
}

bool ChartWindow::RedrawBitmap()
{
    if (painting || !screenMode || !needsRedraw) return false;
    if (width() <= 0 || height() <= 0) return false;
    auto bitmap = std::make_unique<fw::Bitmap>(width(), height());
    if (!bitmap->IsValid()) {
        chartBitmap.reset();
        screenMode = false;
        fw::MessageBox(this, "", "Insufficient Memory for Background Painting", fw::MB_OK);
        Invalidate(true);
        return false;
    }
    bitmap->Fill(QColor(0, 0, 0));
    bitmap->Fill(fw::ColorFromRef(RScolor::Instance().GetColor(SlotSkyBackground)));
    QPointer<ChartWindow> alive(this);
    {
        fw::PainterDC mdc(*bitmap);
        DrawChart(mdc);
    }
    if (!alive) return false;
    chartBitmap = std::move(bitmap);
    RefreshSelectionMarks();
    Invalidate(false);
    return true;
}

void ChartWindow::PrintTo(fw::DC& dc, const fw::Rect& rect)
{
    dc.SaveDC();
    // The rectangle on the device; logical units of the drawing are square on the paper.
    const fw::Rect device = dc.LPtoDP(rect).Normalized();
    int w = device.Width(), h = device.Height();
    const int lpx = dc.LogPixelsX(), lpy = dc.LogPixelsY();
    if (lpy < lpx) w = static_cast<int>(static_cast<long long>(w) * lpy / lpx);
    if (lpx < lpy) h = static_cast<int>(static_cast<long long>(h) * lpx / lpy);
    if (w > 0 && h > 0) {
        dc.SetMapMode(fw::MM_ANISOTROPIC);
        dc.SetWindowOrg(fw::Point(0, 0));
        dc.SetWindowExt(fw::Size(w, h));
        dc.SetViewportOrg(device.TopLeft());
        dc.SetViewportExt(fw::Size(device.Width(), device.Height()));
        printRect = fw::Rect(0, 0, w, h);
        dc.IntersectClipRect(printRect);
        // The screen's geometry comes back after the print, so that the mouse keeps working
        // on the chart the window shows.
        const fw::Rect screenRect = chartRect;
        const double screenScale = scale;
        const int screenPixelsPerDegree = pixelsPerDegree;
        const VisibleRegion screenRegion = ChartVisibleRegion::Instance().Region();
        const bool wasScreen = screenMode;
        printing = true;
        screenMode = false;
        DrawBitmapOrChart(dc);
        screenMode = wasScreen;
        printing = false;
        chartRect = screenRect;
        scale = screenScale;
        pixelsPerDegree = screenPixelsPerDegree;
        ChartVisibleRegion::Instance().Region() = screenRegion;
    }
    dc.RestoreDC();
}
