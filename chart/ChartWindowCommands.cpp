// The chart window's commands and their enablers, and its pop-up menu. Each handler changes
// the chart's state and then redraws the chart.
#include "chart/ChartWindow.h"

#include "catalog/CatalogueTable.h"
#include "catalog/NGC2000Indexes.h"
#include "chart/ConstelLines.h"
#include "chart/CoordEntryDlg.h"
#include "chart/LabelDlg.h"
#include "chart/StarPlotDlg.h"
#include "framework/gui/MessageBox.h"
#include "framework/gui/PopupMenu.h"
#include "globals/EditCommands.h"
#include "ui/RScolor.h"

namespace {

struct ProjectionCommand {
    int id;
    int type;
    bool lockedWhileEditingLines; // greyed while the constellation lines are edited
};
constexpr ProjectionCommand kProjectionCommands[] = {
    {CM_PROJSTEREOGRAPHIC, ProjectionStereographic, true}, {CM_PROJGNOMONIC, ProjectionGnomonic, true},
    {CM_PROJLAMBERT, ProjectionLambertAzimuthal, true},    {CM_PROJORTHOGRAPHIC, ProjectionOrthographic, true},
    {CM_PROJCYLINDRICAL, ProjectionCylindrical, false},    {CM_PROJPOLAR, ProjectionPolar, false},
    {CM_PROJAREACONIC, ProjectionAreaConic, true},         {CM_PROJCONFORMAL1, ProjectionConformalConic1, true},
    {CM_PROJCONFORMAL2, ProjectionConformalConic2, true},
};

struct ColorCommand {
    int id;
    int slot;
    const char* text;
};
// In the order of the menu.
constexpr ColorCommand kColorCommands[] = {
    {CM_COLORBACKGROUND, SlotSkyBackground, "Sky &Background"},
    {CM_COLORSTARFILL, SlotStarFill, "&Star Fill"},
    {CM_COLORSTAROUTLINE, SlotStarOutline, "Star &Outline"},
    {CM_COLORTELRAD, SlotTelrad, "&Telrad"},
    {CM_COLORCONSTLINES, SlotConstelLines, "&Constel Lines"},
    {CM_COLORLABELS, SlotChartLabels, "Chart &Labels"},
    {CM_COLORRALINES, SlotRaLines, "&RA Lines"},
    {CM_COLORDECLINES, SlotDecLines, "&Dec Lines"},
    {CM_COLORSUN, SlotSun, "&S&un"},
    {CM_COLORLIMB, SlotLimb, "&Moon + Planet Limb"},
    {CM_COLORSHADOW, SlotShadow, "&Moon + Planet S&hadow"},
};

int Check(bool on)
{
    return on ? fw::BF_CHECKED : fw::BF_UNCHECKED;
}

} // namespace

void ChartWindow::InstallCommands()
{
    OnCommand(CM_ZOOMIN, [this] { Zoom(2.0 / 3.0); });
    OnCommand(CM_ZOOMOUT, [this] { Zoom(1.5); });
    OnCommand(CM_MAXFIELD, [this] { MaxField(); });
    OnCommand(CM_CHARTCENTER, [this] { CenterAndFrame(); });
    for (const ProjectionCommand& c : kProjectionCommands) {
        OnCommand(c.id, [this, type = c.type] {
            SetProjection(type);
            Redraw();
        });
        OnCommandEnable(c.id, [this, c](fw::CommandEnabler& ce) {
            ce.SetCheck(Check(projection == c.type));
            if (c.lockedWhileEditingLines) ce.Enable(!lineEditing);
        });
    }
    OnCommand(CM_CHARTSTARS, [this] { ChooseStars(); });
    OnCommandEnable(CM_CHARTSTARS, [this](fw::CommandEnabler& ce) { ce.SetCheck(Check(starsShown)); });
    OnCommand(CM_CHARTLABELS, [this] { ChooseLabels(); });
    OnCommandEnable(CM_CHARTLABELS, [this](fw::CommandEnabler& ce) { ce.SetCheck(Check(labels)); });

    // The layers switched on and off from the menu.
    const std::pair<int, bool ChartConfig::*> toggles[] = {{CM_CHARTSOLARSYSTEM, &ChartConfig::solarSystem},
                                                            {CM_CHARTGRID, &ChartConfig::grid},
                                                            {CM_CHARTCONSTLINES, &ChartConfig::constellationLines},
                                                            {CM_CHARTTELRAD, &ChartConfig::telrad}};
    for (const auto& [id, flag] : toggles) {
        OnCommand(id, [this, flag = flag] {
            this->*flag = !(this->*flag);
            Redraw();
        });
        OnCommandEnable(id, [this, flag = flag](fw::CommandEnabler& ce) { ce.SetCheck(Check(this->*flag)); });
    }

    OnCommand(CM_MODIFYLINES, [this] { SetLineEditing(!lineEditing); });
    OnCommandEnable(CM_MODIFYLINES, [this](fw::CommandEnabler& ce) { ce.SetCheck(Check(lineEditing)); });
    OnCommand(CM_MODIFYLABELS, [this] { SetLabelEditing(!labelEditing); });
    OnCommandEnable(CM_MODIFYLABELS, [this](fw::CommandEnabler& ce) { ce.SetCheck(Check(labelEditing)); });
    OnCommand(CM_EDITDELETE, [this] { DeleteSelectedLine(); });
    OnCommandEnable(CM_EDITDELETE, [this](fw::CommandEnabler& ce) { ce.Enable(lineSelected); });
    OnCommand(CM_CHARTARMRECENTER, [this] { recentreArmed = true; });
    OnCommandEnable(CM_CHARTARMRECENTER, [this](fw::CommandEnabler& ce) { ce.Enable(lineEditing); });
    for (int id : {CM_CHARTIDLE1, CM_CHARTIDLE2, CM_CHARTIDLE3}) OnCommand(id, [] {});

    for (const ColorCommand& c : kColorCommands) OnCommand(c.id, [this, slot = c.slot] { EditChartColor(slot); });
}

void ChartWindow::Redraw()
{
    needsRedraw = true;
    Invalidate(true);
}

void ChartWindow::Zoom(double factor)
{
    if (width() == 0) return;
    fieldWidth *= factor;
    fieldHeight *= factor;
    saveFramePending = true;
    SetChart(centerRA, centerDec, parallel1, parallel2, projection);
    Redraw();
}

void ChartWindow::MaxField()
{
    if (width() == 0) return;
    fieldWidth = 180.0;
    fieldHeight = 180.0 * height() / width();
    scale = 1.0;
    // The frame is stored now, for the object it was set on: a pending store would go to
    // whichever object the chart shows next, with this field.
    saveFramePending = true;
    SetChart(centerRA, centerDec, parallel1, parallel2, projection);
    Redraw();
}

void ChartWindow::CenterAndFrame()
{
    CoordEntryDlg dialog(this);
    dialog.centerRA = centerRA;
    dialog.centerDec = centerDec;
    dialog.fieldWidth = fieldWidth;
    dialog.fieldHeight = fieldHeight;
    const int row = NGC2000Indexes::RowIndex(currentObject);
    if (row >= 0) {
        dialog.objectRA = NGCTable.ra[row];
        dialog.objectDec = NGCTable.dec[row];
    } else if (currentObject.Catalogue() == ObjectId::kSolarSystemCatalogue &&
               currentObject.Number() / 256 < BodyCount && bodies[currentObject.Number() / 256].HasPosition()) {
        const ChartBody& body = bodies[currentObject.Number() / 256];
        dialog.objectRA = body.position.RA().Hours();
        dialog.objectDec = body.position.Dec().Degrees();
    } else {
        dialog.objectKnown = false;
    }
    if (dialog.Execute() == fw::IDOK) {
        fieldWidth = dialog.fieldWidth;
        fieldHeight = dialog.fieldHeight;
        saveFramePending = true;
        SetChart(dialog.centerRA, dialog.centerDec, parallel1, parallel2, projection);
    }
    Redraw();
}

void ChartWindow::ChooseStars()
{
    StarPlotDlg dialog(this);
    dialog.magnitudeLimit = starMagLimit;
    dialog.displayStars = starsShown ? 1 : 0;
    if (dialog.Execute() == fw::IDOK) {
        starMagLimit = dialog.magnitudeLimit;
        starsShown = dialog.displayStars != 0;
    }
    Redraw();
}

void ChartWindow::ChooseLabels()
{
    LabelDlg dialog(this);
    dialog.userLabels = ShowChartLabels ? 1 : 0;
    dialog.listObjects = LabelListNumbers ? 1 : 0;
    dialog.listOrder = LabelListPositions ? 1 : 0;
    if (dialog.Execute() == fw::IDOK) {
        ShowChartLabels = dialog.userLabels != 0;
        LabelListNumbers = dialog.listObjects != 0;
        LabelListPositions = dialog.listOrder != 0;
        if (ShowChartLabels || LabelListNumbers || LabelListPositions) labels = true;
    }
    Redraw();
}

void ChartWindow::EditChartColor(int slot)
{
    RScolor& rs = RScolor::Instance();
    rs.EditColor(slot, this);
    if (slot == SlotSkyBackground) SetBkgndColor(fw::ColorFromRef(rs.GetColor(SlotSkyBackground)));
    Redraw();
}

void ChartWindow::SetLineEditing(bool on)
{
    ClearSelections();
    lineEditing = on;
    if (on) labelEditing = false;
}

void ChartWindow::SetLabelEditing(bool on)
{
    ClearSelections();
    labelEditing = on;
    if (on) lineEditing = false;
}

void ChartWindow::DeleteSelectedLine()
{
    if (!lineSelected) return;
    constelLines->Remove(selectedLine);
    ClearSelections();
    Redraw();
}

void ChartWindow::ShowPopupMenu(const fw::Point& point)
{
    fw::PopupMenu menu;
    menu.AppendItem(CM_ZOOMIN, "Zoom In");
    menu.AppendItem(CM_ZOOMOUT, "Zoom Out");
    menu.AppendItem(CM_MAXFIELD, "Max Field of View");
    menu.AppendItem(CM_CHARTCENTER, "Center + Frame...");
    menu.AppendSeparator();
    fw::PopupMenu& projections = menu.AppendPopup("&Projection");
    projections.AppendItem(CM_PROJSTEREOGRAPHIC, "&Stereographic");
    projections.AppendItem(CM_PROJORTHOGRAPHIC, "&Orthographic");
    projections.AppendItem(CM_PROJGNOMONIC, "&Gnomonic");
    projections.AppendItem(CM_PROJLAMBERT, "&Lambert Equal Area");
    fw::PopupMenu& colorMenu = menu.AppendPopup("&Color");
    for (const ColorCommand& c : kColorCommands) colorMenu.AppendItem(c.id, c.text);
    menu.AppendSeparator();
    menu.AppendItem(CM_CHARTSTARS, "Stars...");
    menu.AppendItem(CM_CHARTSOLARSYSTEM, "Solar System Objects");
    menu.AppendItem(CM_CHARTGRID, "RA & DEC grid");
    menu.AppendItem(CM_CHARTCONSTLINES, "Constellation Lines");
    menu.AppendItem(CM_CHARTLABELS, "Labels...");
    menu.AppendItem(CM_CHARTTELRAD, "Telrad");
    menu.AppendSeparator();
    menu.AppendItem(CM_MODIFYLINES, "Modify Constel Lines");
    menu.AppendItem(CM_MODIFYLABELS, "Modify Labels");
    menu.Track(*this, point);
}
