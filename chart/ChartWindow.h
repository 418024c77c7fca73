// The star chart: a child window of the chart pane that keeps the chart's frame (centre,
// field of view, projection), owns the user's chart labels, constellation lines and
// per-object frames, caches the drawn chart in a memory bitmap and maps sky positions to
// window points and back. Right ascension in hours, declination in degrees, J2000.0; north up,
// east to the left.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "catalog/ObjectId.h"
#include "chart/ChartBody.h"
#include "chart/ChartLabel.h"
#include "chart/ChartProjection.h"
#include "chart/ConstelLine.h"
#include "framework/gui/Window.h"
#include "ui/ChartConfig.h"
#include "ui/RaDecPosition.h"

namespace fw { class Bitmap; }
class ChartFormat;
class ChartLabels;
class ConstelLines;
namespace fw { class DC; }

// Command the chart sends to its pane: a catalogue object's frame was stored.
constexpr int CM_CHARTFRAMESAVED = 19301;

// Commands of the chart window (its pop-up menu; the frame's Edit menu sends CM_EDITDELETE).
enum ChartCommand : int {
    CM_CHARTSTARS = 16101,
    CM_CHARTCENTER = 16102,
    CM_PROJCONFORMAL1 = 16103,
    CM_PROJCYLINDRICAL = 16104,
    CM_PROJSTEREOGRAPHIC = 16106,
    CM_PROJGNOMONIC = 16107,
    CM_PROJLAMBERT = 16108,
    CM_PROJORTHOGRAPHIC = 16109,
    CM_PROJAREACONIC = 16110,
    CM_CHARTARMRECENTER = 16113,
    CM_CHARTIDLE1 = 16114, // the three idle ids are answered and do nothing
    CM_CHARTGRID = 16115,
    CM_CHARTIDLE2 = 16116,
    CM_MODIFYLINES = 16117,
    CM_MODIFYLABELS = 16118,
    CM_ZOOMIN = 16119,
    CM_ZOOMOUT = 16120,
    CM_CHARTIDLE3 = 16121,
    CM_CHARTTELRAD = 16122,
    CM_CHARTCONSTLINES = 16123,
    CM_MAXFIELD = 16124,
    CM_CHARTLABELS = 16125,
    CM_CHARTSOLARSYSTEM = 16127,
    CM_PROJPOLAR = 16141,
    CM_PROJCONFORMAL2 = 16151,
    CM_COLORRALINES = 16172,
    CM_COLORDECLINES = 16173,
    CM_COLORTELRAD = 16174,
    CM_COLORSTARFILL = 16175,
    CM_COLORSTAROUTLINE = 16176,
    CM_COLORBACKGROUND = 16177,
    CM_COLORCONSTLINES = 16178,
    CM_COLORLABELS = 16179,
    CM_COLORSUN = 16180,
    CM_COLORLIMB = 16181,
    CM_COLORSHADOW = 16182,
};

// Set by the first solar-system update; no bodies are drawn before it.
extern bool SolarSystemReady;
// The labels dialog's options, all on at start: draw the user's chart labels; label the
// observing-list objects with their catalogue number; and with their list position.
extern bool ShowChartLabels;
extern bool LabelListNumbers;
extern bool LabelListPositions;

// The chart's colour slots.
enum ChartColorSlot : int {
    SlotRaLines = 28,
    SlotDecLines = 29,
    SlotStarFill = 30,
    SlotStarOutline = 31,
    SlotTelrad = 32,
    SlotConstelLines = 33,
    SlotChartLabels = 34,
    SlotSkyBackground = 35,
    SlotSun = 36,
    SlotLimb = 37,
    SlotShadow = 38,
};

class ChartWindow : public ChartConfig, public fw::Window, public ChartProjection {
public:
    ChartWindow(QWidget* parent, const std::string& title = {}, const std::string& instance = "ChartWindow");
    ~ChartWindow() override;

    // The record with the chart's colours: Load gives the stored colours to the colour
    // schemes, Store takes them back first.
    int Store(bool writeFileNow = false) override;
    int Load() override;

    // Centre, standard parallels and projection; stores the frame of the shown object when a
    // frame change asked for it. False when the projection's constants cannot be formed.
    bool SetChart(double ra, double dec, double p1, double p2, int type);
    // A new projection at the same centre; the pane's caption names it.
    bool SetProjection(int type);
    bool SetCenter(double ra, double dec);
    void SetField(double width, double height);
    void SetMark(double ra, double dec);
    RaDecPosition GetCenter() const { return RaDecPosition(centerRA, centerDec); }

    // Fills the chart's visible region from the rectangle's corners.
    void ComputeVisibleRegion(const fw::Rect& rect);
    // Shows the text in the pane's caption and lets waiting messages through.
    void ShowProgress(const std::string& text);

    // Draws the whole chart into the DC (layer by layer, grid to bodies).
    void DrawChart(fw::DC& dc);
    // One user label; false when it is not on the chart.
    bool DrawChartLabel(fw::DC& dc, const ChartLabel& label, bool outlineOnly, const fw::Rect& avoid);
    // A cross with a text beside it; the mapped point, (-1, -1) when it cannot be mapped.
    fw::Point DrawObjectMark(fw::DC& dc, double ra, double dec, const std::string& text, int size, const fw::Point& offset,
                         const fw::Rect& avoid);

    // Draws the chart into a printer DC inside rect (logical units of the DC).
    void PrintTo(fw::DC& dc, const fw::Rect& rect);
    // Draws a stale chart into a fresh bitmap now (waiting messages are let through while it
    // draws) and repaints the window; false when nothing was drawn.
    bool RedrawBitmap();

    // Builds the pop-up menu of the chart's commands and shows it at the client point.
    void ShowPopupMenu(const fw::Point& point);

    // The star of "rssao.cat" nearest to the sky position (at most the pick pass's records;
    // with brightOnly, stars at or fainter than the limiting magnitude do not count). False
    // when no star was found: the position is then left as it was.
    bool PickStar(double ra, double dec, bool brightOnly, double& starRA, double& starDec) const;
    // Angle in degrees between two sky positions (hours, degrees).
    static double SkyAngle(double ra1, double dec1, double ra2, double dec2);
    // The box a user label's text covers on the chart; false when its text location does not
    // map to the chart.
    bool LabelHitBox(const ChartLabel& label, fw::Rect& box) const;

    // The Sun, Moon and planets at the application's current time.
    void UpdateSolarSystem();
    // Frames the chart on an object; false for an object that is not in the catalogue.
    bool ShowObject(ObjectId id, bool redraw);

    const ChartBody& Body(int i) const { return bodies[i]; }
    const fw::Bitmap* ChartBitmap() const { return chartBitmap.get(); }
    ChartLabels& Labels() { return *chartLabels; }
    ConstelLines& Lines() { return *constelLines; }
    ChartFormat& Frames() { return *chartFrames; }

    ObjectId currentObject = ObjectId(0x1000001);
    double fieldWidth = 90.0;
    double fieldHeight = 90.0;
    double markRA = 18.0;
    double markDec = -35.0;
    std::array<ChartBody, BodyCount> bodies{};
    std::string progressText;
    int pixelsPerDegree = 1;
    // The faintest magnitude plotted at the last drawing (the field's limit, within the
    // record's star magnitude limit).
    double plottedMagLimit = 7.0;
    fw::Rect chartRect;
    fw::Rect printRect;
    bool screenMode = true;
    bool printing = false;
    bool painting = false;
    bool needsRedraw = true;
    bool saveFramePending = false;
    int frameIndex = -1; // catalogue row of the shown object, -1 for none
    bool drawingLine = false;
    ConstelLine newLine;

    // Editing with the mouse: at most one of the two modes is on.
    bool lineEditing = false;
    bool labelEditing = false;
    bool lineSelected = false;
    ConstelLine selectedLine;
    bool labelSelected = false;
    ChartLabel selectedLabel;      // as it moves under the mouse
    ChartLabel selectedLabelFound; // as it is stored
    fw::Point dragStart{-1, -1};
    fw::Point dragCurrent{-1, -1};
    bool rubberBand = false;
    bool recentreArmed = false;

    // Keys of the chart's marks in the window's overlay.
    enum OverlayMark : int { MarkRubberBand = 1, MarkRubberLine, MarkSelectedLine, MarkSelectedLabel, MarkMovingLabel };

protected:
    void Paint(fw::DC& dc, bool erase, const fw::Rect& rect) override;
    void SetupWindow() override;
    void EvSize(const fw::Size& size) override;
    void EvLButtonDown(unsigned keys, const fw::Point& point) override;
    void EvMouseMove(unsigned keys, const fw::Point& point) override;
    void EvLButtonUp(unsigned keys, const fw::Point& point) override;
    void EvLButtonDblClk(unsigned keys, const fw::Point& point) override;
    void EvRButtonDown(unsigned keys, const fw::Point& point) override;

private:
    void DrawBitmapOrChart(fw::DC& dc);
    void ScheduleRedraw();
    // Steps of DrawChart; false when the window went away while messages were let through.
    bool DrawLayers(fw::DC& dc, int fontHeight);
    void ComputeScale(const fw::Rect& inner);
    bool DrawGrid(fw::DC& dc, const fw::Rect& inner, class RaDecLabels& edgeLabels);
    void AddGridSegment(fw::DC& dc, const fw::Rect& inner, RaDecLabels& edgeLabels, double ra1, double dec1, double ra2,
                        double dec2, bool dec, double value, bool checkCut);
    void DrawConstellationLines(fw::DC& dc);
    fw::Rect DrawTelrad(fw::DC& dc);
    void DrawLabelsLayer(fw::DC& dc, int fontHeight, const fw::Rect& avoid);
    bool DrawStars(fw::DC& dc);
    void DrawBodies(fw::DC& dc, int fontHeight, const fw::Rect& avoid);
    // Pixels between two positions on one meridian; false when either cannot be mapped.
    bool ScreenDistance(double ra, double dec1, double dec2, int& pixels) const;
    void EndDrawing();

    // Commands (ChartWindowCommands.cpp).
    void InstallCommands();
    void Redraw();
    void Zoom(double factor);
    void MaxField();
    void CenterAndFrame();
    void ChooseStars();
    void ChooseLabels();
    void EditChartColor(int slot);
    void SetLineEditing(bool on);
    void SetLabelEditing(bool on);
    void DeleteSelectedLine();
    // Mouse gestures (ChartWindowMouse.cpp).
    void ClearSelections();
    // Puts the marks of the selected line and label where the chart now shows them.
    void RefreshSelectionMarks();
    void ClearDrag();
    void ShowStatus(const std::string& text);
    void LabelGestureEnds(unsigned keys, double ra, double dec);
    void SelectedLineGestureEnds(unsigned keys);
    void NewLineGestureEnds(double ra, double dec);
    void RubberBandEnds(const fw::Point& point);

    std::unique_ptr<ChartLabels> chartLabels;
    std::unique_ptr<ConstelLines> constelLines;
    std::unique_ptr<ChartFormat> chartFrames;
    std::unique_ptr<fw::Bitmap> chartBitmap;
    bool redrawScheduled_ = false;
};
