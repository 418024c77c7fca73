#include "planner/STLM4view.h"

#include "catalog/ModifyFilterDialog.h"
#include "catalog/NGC2000Indexes.h"
#include "catalog/ObjectData.h"
#include "catalog/SortNGCdlg.h"
#include "catalog/TFind.h"
#include "chart/ChartPane.h"
#include "chart/ChartWindow.h"
#include "framework/gui/DocManager.h"
#include "framework/gui/MessageBox.h"
#include "framework/gui/PopupMenu.h"
#include "framework/gui/StatusBar.h"
#include "globals/Globals.h"
#include "globals/ViewEvents.h"
#include "planner/AltitudePlotWindow.h"
#include "planner/GraphPane.h"
#include "planner/ObservingListExport.h"
#include "planner/PlannerStrings.h"
#include "planner/STLM4viewCommands.h"
#include "planner/STLM5doc.h"
#include "planner/TextPane.h"
#include "astro/ObsSite.h"
#include "ui/RScolor.h"
#include "ui/TStatusDlg.h"

#include <QEvent>
#include <QFocusEvent>

const char* const STLM4view::kViewName = "STLM4view Window View";

namespace {

// The main window's command that runs the clock update at once (after the export moved the
// current time).
constexpr int kUpdateClockCommand = 6802;

struct PlanetCommand {
    int command;
    std::uint32_t id;
};
constexpr PlanetCommand kPlanetCommands[] = {
    {9070, ObjectId::kMercury}, {9077, ObjectId::kVenus},   {9076, ObjectId::kMars},
    {9075, ObjectId::kJupiter}, {9074, ObjectId::kSaturn},  {9073, ObjectId::kUranus},
    {9072, ObjectId::kNeptune}, {9071, ObjectId::kPluto},
};

// The file name and extension of a path.
std::string FileNameOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

STLM4view::PaneLayout STLM4view::ComputeLayout(const fw::Rect& area)
{
    const int w = area.Width(), h = area.Height();
    const int b = static_cast<int>(w < 650 ? w * 0.5 : w * 0.45);
    const int c = static_cast<int>(h * 0.3);
    PaneLayout layout;
    layout.text = fw::Rect(area.left, area.top, area.left + b, area.bottom);
    layout.altitude = fw::Rect(area.left + b, area.top, area.right, area.top + c);
    layout.chart = fw::Rect(area.left + b, area.top + c, area.right, area.bottom);
    return layout;
}

std::uint32_t STLM4view::PlanetOfCommand(int command)
{
    for (const PlanetCommand& p : kPlanetCommands)
        if (p.command == command) return p.id;
    return 0;
}

STLM4view::STLM4view(STLM5doc& document, QWidget* parent)
    : fw::WindowView(document, parent), document_(document), current_(TextPane::kNoObject),
      savedNow_(0.0, JulianDate::kJulianDay)
{
    savedScheme_ = RScolor::Instance().Scheme();
    ApplySavedColorScheme();
    SetBkgndColor(fw::ColorFromRef(RScolor::Instance().BackgroundColor()));
    setFocusPolicy(Qt::StrongFocus);
    InstallCommands();
}

STLM4view::~STLM4view()
{
    // The panes store their settings as they go.
    delete textPane_;
    delete graphPane_;
    delete chartPane_;
}

NGC2000Indexes& STLM4view::Database() const
{
    return *AppGlobals.database;
}

// ---- commands ----

void STLM4view::InstallCommands()
{
    const auto onState = [this](int command, std::function<bool(const Browser&)> enabled) {
        OnCommandEnable(command, [this, enabled](fw::CommandEnabler& ce) {
            ce.Enable(AppGlobals.database && enabled(Database()));
        });
    };
    OnCommand(CM_FIRST, [this] { CmFirst(); });
    OnCommand(CM_PREVIOUS, [this] { CmPrevious(); });
    OnCommand(CM_NEXT, [this] { CmNext(); });
    OnCommand(CM_LAST, [this] { CmLast(); });
    const auto state = [](const Browser& b) { return b.StateOf(b.Selected()); };
    onState(CM_FIRST, [state](const Browser& b) {
        const int s = state(b);
        return s != Browser::kEmpty && s != Browser::kSingle && s != Browser::kAtFirst;
    });
    onState(CM_PREVIOUS, [state](const Browser& b) {
        const int s = state(b);
        return s == Browser::kInMiddle || s == Browser::kAtLast;
    });
    const auto forward = [state](const Browser& b) {
        const int s = state(b);
        return s == Browser::kAtFirst || s == Browser::kInMiddle;
    };
    onState(CM_NEXT, forward);
    onState(CM_LAST, forward);

    OnCommand(CM_FILTEREDLIST, [this] { ShowList(Browser::kFilteredList); });
    OnCommandEnable(CM_FILTEREDLIST, [](fw::CommandEnabler& ce) {
        ce.SetCheck(AppGlobals.database && AppGlobals.database->Selected() == Browser::kFilteredList
                        ? fw::BF_CHECKED
                        : fw::BF_UNCHECKED);
    });
    OnCommand(CM_OBSERVINGLIST, [this] { ShowList(Browser::kObservingList); });
    OnCommandEnable(CM_OBSERVINGLIST, [](fw::CommandEnabler& ce) {
        const NGC2000Indexes* db = AppGlobals.database;
        const bool any = db && db->CountOf(Browser::kObservingList) > 0;
        ce.Enable(any);
        ce.SetCheck(any && db->Selected() == Browser::kObservingList ? fw::BF_CHECKED : fw::BF_UNCHECKED);
    });
    OnCommand(CM_FILTER, [this] { CmFilter(); });
    onState(CM_FILTER, [](const Browser& b) { return b.Selected() == Browser::kFilteredList; });
    OnCommand(CM_SORT, [this] { CmSort(); });
    OnCommand(CM_FIND, [this] { CmFind(); });
    OnCommand(CM_ADDTOOBSLIST, [this] { CmAddToObsList(); });
    OnCommandEnable(CM_ADDTOOBSLIST, [this](fw::CommandEnabler& ce) {
        ce.Enable(AppGlobals.database && !Database().IsOnObservingList(current_));
    });
    OnCommand(CM_REMOVEFROMOBSLIST, [this] { CmRemoveFromObsList(); });
    OnCommandEnable(CM_REMOVEFROMOBSLIST, [this](fw::CommandEnabler& ce) {
        ce.Enable(AppGlobals.database && Database().IsOnObservingList(current_));
    });
    OnCommand(CM_ADDALLTOOBSLIST, [this] { CmAddAllToObsList(); });
    OnCommand(CM_CLEAROBSLIST, [this] { CmClearObsList(); });
    onState(CM_CLEAROBSLIST, [](const Browser& b) { return b.CountOf(Browser::kObservingList) > 0; });
    OnCommand(CM_TRANSFERTOLOG, [this] { CmTransferToLog(); });
    OnCommandEnable(CM_TRANSFERTOLOG, [this](fw::CommandEnabler& ce) { ce.Enable(FindLogDocument() != nullptr); });

    OnCommand(CM_SUN, [this] { CmTemporaryObject(ObjectId(ObjectId::kSun), false); });
    OnCommand(CM_MOON, [this] { CmTemporaryObject(ObjectId(ObjectId::kMoon), false); });
    for (const PlanetCommand& p : kPlanetCommands) {
        const ObjectId id(p.id);
        OnCommand(p.command, [this, id] { CmTemporaryObject(id, true); });
    }
    OnCommand(CM_REFRESH, [this] { CmRefresh(); });
    for (int scheme = 0; scheme < 5; ++scheme) {
        const int command = CommandOfColorScheme(scheme);
        OnCommand(command, [this, command] { CmColorScheme(command); });
        OnCommandEnable(command, [scheme](fw::CommandEnabler& ce) {
            ce.SetCheck(RScolor::Instance().Scheme() == scheme ? fw::BF_CHECKED : fw::BF_UNCHECKED);
        });
    }
    OnCommand(CM_CHARTPANESETTINGS, [this] {
        if (chartPane_) chartPane_->ShowPaneMenu(fw::Point(0, 0));
    });
    OnCommand(CM_ALTITUDEPANESETTINGS, [this] {
        if (graphPane_) graphPane_->ShowPaneMenu(fw::Point(0, 0));
    });
    OnCommand(CM_TEXTPANESETTINGS, [this] {
        if (textPane_) textPane_->ShowPaneMenu(fw::Point(0, 0));
    });
    OnCommand(CM_NORMALPANES, [this] { ApplyPaneMode(kAllPanes); });
    OnCommand(CM_CHARTFULLPANE, [this] { ApplyPaneMode(kChartAlone); });
    OnCommand(CM_TEXTFULLPANE, [this] { ApplyPaneMode(kTextAlone); });
    OnCommand(CM_ALTITUDEFULLPANE, [this] { ApplyPaneMode(kAltitudeAlone); });
    OnCommand(CM_EXPORT, [this] { CmExport(); });
}

void STLM4view::SendToMainWindow(int command)
{
    QWidget* top = window();
    if (top == this) return;  // not framed (yet)
    if (auto* frame = dynamic_cast<fw::ControlHost*>(top)) frame->SendCommand(command);
}

void STLM4view::ToolbarState()
{
    SendToMainWindow(kToolbarStateCommand);
}

void STLM4view::HideStatusWindow()
{
    if (StatusWindow) StatusWindow->HideUnlessPinned();
}

void STLM4view::ShowCurrent()
{
    ShowObject(Database().CurrentObject(), true);
}

void STLM4view::CmFirst()
{
    ShowObject(Database().FirstObject(), true);
}

void STLM4view::CmPrevious()
{
    ShowObject(Database().PreviousObject(), true);
}

void STLM4view::CmNext()
{
    ShowObject(Database().NextObject(), true);
}

void STLM4view::CmLast()
{
    ShowObject(Database().LastObject(), true);
}

void STLM4view::ShowList(int list)
{
    Database().ClearTemporaryObject();
    Database().SelectList(list);
    ShowCurrent();
    ToolbarState();
}

void STLM4view::WarnWhenNothingPassed()
{
    if (Database().Count() == 0)
        fw::MessageBox(this, "No Objects Passed Filters", "Filters Too Restrictive", fw::MB_OK | fw::MB_ICONSTOP);
}

void STLM4view::CmFilter()
{
    ModifyFilterDialog dialog(this);
    dialog.settings = Database().GetFilterSettings();
    dialog.LogOpen = ObservingLogOpen ? 1 : 0;
    Database().Refilter();
    if (dialog.Execute() == fw::IDOK) {
        WarnWhenNothingPassed();
        CmFirst();
        HideStatusWindow();
    }
}

void STLM4view::CmSort()
{
    SortNGCdlg dialog(this);
    dialog.criteria = Database().GetSortCriteria();
    dialog.criteria.SelectList(Database().Selected());
    if (dialog.Execute() == fw::IDOK) {
        Database().SetSortCriteria(dialog.criteria, true);
        CmFirst();
        HideStatusWindow();
    }
}

void STLM4view::CmFind()
{
    TFind dialog(this);
    if (dialog.Execute() != fw::IDOK) return;
    NGC2000Indexes& db = Database();
    ObjectId id = NGC2000Indexes::ParseObjectName(dialog.text);
    if (id == ObjectId() && dialog.result > 0) {
        const std::uint32_t n = std::uint32_t(dialog.result);
        id = ObjectId::FromCatalogue(ObjectId::kNgcCatalogue, n > 10000 ? ObjectId::kIcOffset + n - 10000 : n);
    }
    // A text that names no object of the catalogue finds nothing, and nothing changes.
    if (id == ObjectId() || NGC2000Indexes::RowIndex(id) < 0) return;
    if (db.GoToObject(id)) {
        db.ClearTemporaryObject();
        ShowCurrent();
        return;
    }
    bool otherHolds = false;
    if (db.Selected() == Browser::kObservingList && db.IsOnFilteredList(id)) {
        otherHolds = true;
        if (fw::MessageBox(this, "Switch to Filtered List?", "Found Object On Filtered List",
                           fw::MB_YESNO | fw::MB_ICONQUESTION) == fw::IDYES) {
            db.ClearTemporaryObject();
            db.SelectList(Browser::kFilteredList);
            db.GoToObject(id);
            ShowCurrent();
            return;
        }
    } else if (db.Selected() == Browser::kFilteredList && db.IsOnObservingList(id)) {
        otherHolds = true;
        if (fw::MessageBox(this, "Switch to Observing List?", "Found Object On Observing List",
                           fw::MB_YESNO | fw::MB_ICONQUESTION) == fw::IDYES) {
            db.ClearTemporaryObject();
            db.SelectList(Browser::kObservingList);
            db.GoToObject(id);
            ShowCurrent();
            return;
        }
    }
    if (!otherHolds)
        fw::MessageBox(this, "Object not on filtered list or observing list.  Add to Observing list to retain",
                       "Temporary Object Generated", fw::MB_OK | fw::MB_ICONEXCLAMATION);
    db.SetTemporaryObject(id);
    ShowObject(id, true);
}

void STLM4view::CmAddToObsList()
{
    Database().AddToObservingList(current_);
    ToolbarState();
}

void STLM4view::CmRemoveFromObsList()
{
    NGC2000Indexes& db = Database();
    const bool observing = db.Selected() == Browser::kObservingList;
    db.RemoveFromObservingList(current_);
    if (observing) CmPrevious();
    if (db.Count() == 0) {
        db.SelectList(Browser::kFilteredList);
        ShowCurrent();
    }
    ToolbarState();
}

void STLM4view::CmAddAllToObsList()
{
    Database().AddFilteredToObservingList();
    Database().SelectList(Browser::kFilteredList);
    ToolbarState();
}

void STLM4view::CmClearObsList()
{
    const bool observing = Database().Selected() == Browser::kObservingList;
    Database().ClearObservingList();
    if (observing) ShowCurrent();
    ToolbarState();
}

fw::Document* STLM4view::FindLogDocument() const
{
    fw::DocManager* manager = GetDocument().GetDocManager();
    if (!manager) return nullptr;
    for (fw::Document* doc : manager->GetDocuments())
        if (doc->PropertyText("Document Name") == "Obslog Document") return doc;
    return nullptr;
}

void STLM4view::CmTransferToLog()
{
    if (fw::Document* log = FindLogDocument()) log->NotifyViews(vnAppEvent, aeTransferToLog);
}

void STLM4view::CmTemporaryObject(ObjectId id, bool hideStatus)
{
    Database().SetTemporaryObject(id);
    ShowObject(id, true);
    if (hideStatus) HideStatusWindow();
}

void STLM4view::CmColorScheme(int command)
{
    ::CmColorScheme(command);
    SetBkgndColor(fw::ColorFromRef(RScolor::Instance().BackgroundColor()));
    if (chartPane_ && chartPane_->Chart()) {
        chartPane_->Chart()->needsRedraw = true;
        chartPane_->Chart()->Invalidate(true);
    }
    for (fw::Window* pane : {static_cast<fw::Window*>(textPane_), static_cast<fw::Window*>(graphPane_),
                             static_cast<fw::Window*>(chartPane_)})
        if (pane) pane->Invalidate(true);
    Invalidate(true);
}

void STLM4view::CmRefresh()
{
    if (chartPane_ && chartPane_->Chart()) {
        chartPane_->Chart()->needsRedraw = true;
        chartPane_->Chart()->Invalidate(true);
    }
    if (chartPane_) chartPane_->Invalidate(true);
    if (graphPane_) graphPane_->Invalidate(true);
    if (textPane_) textPane_->Invalidate(true);
    ToolbarState();
}

void STLM4view::CmExport()
{
    if (!textPane_) return;
    ObservingListExport exporter(this, *textPane_, Database());
    exporter.timeStep = timeStep_;
    exporter.updateClock = [this] { SendToMainWindow(kUpdateClockCommand); };
    exporter.showObject = [this](ObjectId id) { ShowObject(id, true); };
    exporter.CmExport();
}

// ---- showing ----

void STLM4view::ShowObject(ObjectId id, bool flag)
{
    const ObjectData object = Database().GetObjectData(id);
    current_ = id;
    caption_ = object.name;
    const std::string& path = document_.GetDocPath();
    const std::string title = (path.empty() ? std::string("Planner") : FileNameOf(path)) + " - " + object.name;
    SetDocTitle(title, 0);
    if (textPane_) textPane_->ShowObject(id, flag, false);
    if (graphPane_) graphPane_->ShowObject(id, flag);
    if (chartPane_) chartPane_->ShowObject(id, flag);
    if (AppGlobals.statusBar) AppGlobals.statusBar->SetText(object.listPosition);
    ToolbarState();
}

int STLM4view::VnAppEvent(int code)
{
    if (PrintingCount != 0) return 0;
    if (!AppGlobals.database) return 1;
    const ObjectId current = Database().CurrentObject();
    switch (code) {
    case aeNowChanged:
        if (textPane_) textPane_->ShowObject(current, true, false);
        HideStatusWindow();
        break;
    case aeNewNight:
        if (graphPane_ && AppGlobals.site) graphPane_->SetPaneCaption("Altitude - " + AppGlobals.site->Name());
        [[fallthrough]];
    case aeRefreshPanes:
        if (textPane_) textPane_->ShowObject(current, true, false);
        if (graphPane_ && graphPane_->Plot()) {
            graphPane_->Plot()->SetObject(current, true);
            graphPane_->Plot()->InitSession();
            graphPane_->Invalidate(true);
        }
        if (chartPane_ && chartPane_->Chart()) {
            chartPane_->Chart()->UpdateSolarSystem();
            chartPane_->ShowObject(current, true);
        }
        if (textPane_) textPane_->ShowObject(current, true, false);
        HideStatusWindow();
        break;
    case aePositionFilterChanged:
        Database().Refilter();
        WarnWhenNothingPassed();
        CmFirst();
        HideStatusWindow();
        break;
    default:
        break;
    }
    return 1;
}

// ---- window ----

void STLM4view::PlaceSetCaption(DropWindowPane* pane, const std::string& caption)
{
    if (pane->GetCaption() == caption) return;
    pane->SetPaneCaption(caption);
    pane->Invalidate(false);
}

void STLM4view::SetupWindow()
{
    fw::WindowView::SetupWindow();
    textPane_ = new TextPane(this, "TextWin", &PlannerStrings());
    graphPane_ = new GraphPane(this, "TimeAlt");
    chartPane_ = new ChartPane(this, "ChartWin");
    layout_ = ComputeLayout(GetClientRect());
    textPane_->SetRectInParent(layout_.text);
    graphPane_->SetRectInParent(layout_.altitude);
    chartPane_->SetRectInParent(layout_.chart);
    for (DropWindowPane* pane : {static_cast<DropWindowPane*>(textPane_), static_cast<DropWindowPane*>(graphPane_),
                                 static_cast<DropWindowPane*>(chartPane_)}) {
        pane->Load();
        pane->EnsureSetUp();
    }
    PlaceSetCaption(textPane_, "NGC 2000.0 Data");
    PlaceSetCaption(graphPane_, "Altitude - " + (AppGlobals.site ? AppGlobals.site->Name() : std::string()));
    if (chartPane_->Chart()) PlaceSetCaption(chartPane_, "Chart View - " + chartPane_->Chart()->ProjectionName());
    ApplyPaneMode(paneMode_);
    VnAppEvent(aeRefreshPanes);
    VnAppEvent(aeNewNight);
    if (AppGlobals.database) ShowObject(Database().FirstObject(), true);
}

void STLM4view::ApplyPaneMode(std::int32_t mode)
{
    paneMode_ = mode;
    layout_ = ComputeLayout(GetClientRect());
    DropWindowPane* panes[3] = {textPane_, graphPane_, chartPane_};
    const fw::Rect rects[3] = {layout_.text, layout_.altitude, layout_.chart};
    for (int i = 0; i < 3; ++i) {
        if (!panes[i]) continue;
        const bool chosen = mode == kAllPanes || mode == i + 1;
        if (!chosen) {
            panes[i]->hide();
            continue;
        }
        panes[i]->SetRectInParent(mode == kAllPanes ? rects[i] : GetClientRect());
        panes[i]->show();
    }
}

void STLM4view::EvSize(const fw::Size& size)
{
    fw::WindowView::EvSize(size);
    layout_ = ComputeLayout(GetClientRect());
    if (paneMode_ == kAllPanes) {
        if (textPane_) textPane_->SetRectInParent(layout_.text);
        if (graphPane_) graphPane_->SetRectInParent(layout_.altitude);
        if (chartPane_) chartPane_->SetRectInParent(layout_.chart);
        return;
    }
    DropWindowPane* panes[3] = {textPane_, graphPane_, chartPane_};
    if (DropWindowPane* alone = panes[paneMode_ - 1]) alone->SetRectInParent(GetClientRect());
}

void STLM4view::Paint(fw::DC& dc, bool erase, const fw::Rect& rect)
{
    // The panes are windows of their own and paint themselves; the view shows only its
    // background between them, and nothing while a printout runs.
    if (PrintingCount != 0) return;
    fw::WindowView::Paint(dc, erase, rect);
}

void STLM4view::EvLButtonDown(unsigned keys, const fw::Point& p)
{
    fw::WindowView::EvLButtonDown(keys, p);
    fw::PopupMenu menu;
    menu.AppendItem(CM_NEXT, "Next");
    menu.AppendItem(CM_PREVIOUS, "Previous");
    menu.AppendItem(CM_FIRST, "First");
    menu.AppendItem(CM_LAST, "Last");
    menu.AppendSeparator();
    menu.AppendItem(CM_FILTEREDLIST, "Filtered List");
    menu.AppendItem(CM_OBSERVINGLIST, "Observing List");
    // The pop-up offers every move whatever the list's state; the moves themselves stay
    // within the list.
    menu.KeepItemStates();
    menu.Track(*this, p);
}

void STLM4view::focusInEvent(QFocusEvent* event)
{
    fw::WindowView::focusInEvent(event);
    if (AppGlobals.statusBar && AppGlobals.database)
        AppGlobals.statusBar->SetText(Database().LastListPositionText());
}

void STLM4view::changeEvent(QEvent* event)
{
    fw::WindowView::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) Invalidate(true);
}

void STLM4view::showEvent(QShowEvent* event)
{
    fw::WindowView::showEvent(event);
    if (textPane_) textPane_->IdleAction(0);
}

// ---- printing ----

void STLM4view::SavePrintState()
{
    ++PrintingCount;
    savedCursors_ = static_cast<const Browser&>(Database());
    savedScheme_ = RScolor::Instance().Scheme();
    if (AppGlobals.now) savedNow_ = *AppGlobals.now;
}

void STLM4view::RestorePrintState()
{
    if (PrintingCount > 0) --PrintingCount;
    if (AppGlobals.now) *AppGlobals.now = savedNow_;
    RScolor::Instance().SetScheme(savedScheme_);
    static_cast<Browser&>(Database()) = savedCursors_;
    ShowCurrent();
    Invalidate(true);
}

void STLM4view::PaintPanesToDC(fw::DC& dc, const fw::Rect& cell)
{
    const PaneLayout layout = ComputeLayout(cell);
    const int strip = static_cast<int>(cell.Height() * 0.06);
    for (DropWindowPane* pane : {static_cast<DropWindowPane*>(textPane_), static_cast<DropWindowPane*>(graphPane_),
                                 static_cast<DropWindowPane*>(chartPane_)})
        if (pane) pane->printStripHeight = strip;
    if (!textPane_ || !graphPane_ || !chartPane_) return;
    if (paneMode_ == kAllPanes) {
        textPane_->PrintPane(dc, layout.text);
        chartPane_->PrintTo(dc, 0, layout.chart);
        graphPane_->PrintPane(dc, layout.altitude);
        return;
    }
    // One pane alone prints under the object's name; its own caption comes back afterwards.
    DropWindowPane* panes[3] = {textPane_, graphPane_, chartPane_};
    DropWindowPane* alone = panes[paneMode_ - 1];
    const std::string caption = alone->GetCaption();
    alone->SetPaneCaption(caption_);
    if (alone == textPane_) textPane_->PrintPane(dc, cell);
    else if (alone == graphPane_) graphPane_->PrintPane(dc, cell);
    else chartPane_->PrintTo(dc, 0, cell);
    alone->SetPaneCaption(caption);
}

std::string STLM4view::GetObjectFieldText(ObjectId id, int code)
{
    if (id == ObjectId()) {
        if (code == 1) return "";
        if (code == 2) return caption_;
        return textPane_ ? textPane_->FieldText(code) : "";
    }
    if (code == 0 || code == 2) return id.Name();
    if (code == 1) {
        if (textPane_) textPane_->ShowObject(id, false, false);
        if (AppGlobals.now) *AppGlobals.now += timeStep_ / 86400.0;
        return "";
    }
    return textPane_ ? textPane_->FieldText(code) : "";
}
