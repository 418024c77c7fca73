// STLM4view: the planner document's one view. It shows one object at a time, the catalogue
// database's current object, in three panes: the text pane with the object's data, the
// altitude pane with its altitude through the night and the chart pane. It carries the
// planner's commands (list navigation, the observing-list commands, filter, sort and find, the
// Sun, Moon and planets, colour schemes, pane layout, transfer to the log, export), follows the
// application's notifications and lends itself to the planner's printouts.
#pragma once

#include "astro/JulianDate.h"
#include "catalog/Browser.h"
#include "catalog/ObjectId.h"
#include "framework/gui/View.h"
#include "globals/ListCommands.h"
#include "planner/PlannerPrintView.h"

#include <cstdint>
#include <string>

class ChartPane;
class DropWindowPane;
class NGC2000Indexes;
class GraphPane;
class STLM5doc;
class TextPane;

class STLM4view : public fw::WindowView, public PlannerPrintView {
public:
    static const char* const kViewName;  // "STLM4view Window View"

    // Command ids of the view besides the list moves (CM_FIRST ... in globals/ListCommands.h).
    // The main menu names the same commands alike; clang counts a class's enumerator of a name
    // the application also declares as shadowing it, which here is intended.
#if defined(__clang__)
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wshadow"
#endif
    enum Command : int {
        CM_FILTEREDLIST = 132,
        CM_OBSERVINGLIST = 136,
        CM_FILTER = 121,
        CM_SORT = 122,
        CM_FIND = 24351,
        CM_ADDTOOBSLIST = 170,
        CM_REMOVEFROMOBSLIST = 180,
        CM_ADDALLTOOBSLIST = 111,
        CM_CLEAROBSLIST = 3,
        CM_TRANSFERTOLOG = 125,
        CM_SUN = 118,
        CM_MOON = 148,
        CM_REFRESH = 9081,
        CM_CHARTPANESETTINGS = 143,
        CM_ALTITUDEPANESETTINGS = 144,
        CM_TEXTPANESETTINGS = 145,
        CM_EXPORT = 24343,
    };
#if defined(__clang__)
#pragma clang diagnostic pop
#endif
    // Sent to the main window after the lists or the shown object changed: the tool bar
    // follows.
    static constexpr int kToolbarStateCommand = 6800;

    // Pane modes: all three panes, or one of them alone.
    enum PaneMode : std::int32_t { kAllPanes = 0, kTextAlone = 1, kAltitudeAlone = 2, kChartAlone = 3 };
    struct PaneLayout {
        fw::Rect text, altitude, chart;
    };
    // The three panes' rectangles in an area: the text pane on the left (half the width below
    // 650 pixels, 45 % from there), the altitude pane over the top 30 % of the rest and the chart
    // below it.
    static PaneLayout ComputeLayout(const fw::Rect& area);
    // The identifier of a planet command (9070-9077), 0 for any other command.
    static std::uint32_t PlanetOfCommand(int command);

    explicit STLM4view(STLM5doc& document, QWidget* parent = nullptr);
    ~STLM4view() override;

    std::string GetViewName() const override { return kViewName; }

    // Makes the object the current one and shows it in the caption, the title, the three panes
    // and the status bar.
    void ShowObject(ObjectId id, bool flag);
    void ShowObject(ObjectId id) override { ShowObject(id, true); }
    // The application's notification; 0 when ignored (while printing), else 1.
    int VnAppEvent(int code);
    // The open observing-log document, or null.
    fw::Document* FindLogDocument() const;

    // Printing.
    void SavePrintState() override;
    void RestorePrintState() override;
    void PaintPanesToDC(fw::DC& dc, const fw::Rect& cell) override;
    std::string GetObjectFieldText(ObjectId id, int code) override;
    void SetTimeStep(std::int32_t seconds) override { timeStep_ = seconds; }

    ObjectId CurrentObject() const { return current_; }
    std::int32_t GetPaneMode() const { return paneMode_; }
    const PaneLayout& Layout() const { return layout_; }
    TextPane* GetTextPane() const { return textPane_; }
    GraphPane* GetGraphPane() const { return graphPane_; }
    ChartPane* GetChartPane() const { return chartPane_; }

protected:
    void SetupWindow() override;
    void Paint(fw::DC& dc, bool erase, const fw::Rect& rect) override;
    void EvSize(const fw::Size& size) override;
    void EvLButtonDown(unsigned keys, const fw::Point& p) override;
    void focusInEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void InstallCommands();
    NGC2000Indexes& Database() const;
    // The database's current object shown with flag 1.
    void ShowCurrent();
    void SendToMainWindow(int command);
    void ToolbarState();
    void HideStatusWindow();
    void ApplyPaneMode(std::int32_t mode);
    void PlaceSetCaption(DropWindowPane* pane, const std::string& caption);
    // "No Objects Passed Filters" when the selected list is empty.
    void WarnWhenNothingPassed();

    void CmFirst();
    void CmPrevious();
    void CmNext();
    void CmLast();
    // Selects a list (the filtered or the observing list) and shows its current entry.
    void ShowList(int list);
    void CmFilter();
    void CmSort();
    void CmFind();
    void CmAddToObsList();
    void CmRemoveFromObsList();
    void CmAddAllToObsList();
    void CmClearObsList();
    void CmTransferToLog();
    void CmTemporaryObject(ObjectId id, bool hideStatus);
    void CmColorScheme(int command);
    void CmRefresh();
    void CmExport();

    STLM5doc& document_;
    ObjectId current_;
    // The view's own caption: the shown object's name.
    std::string caption_;
    std::int32_t paneMode_ = kAllPanes;
    PaneLayout layout_;
    Browser savedCursors_;
    std::int32_t savedScheme_ = 0;
    JulianDate savedNow_;
    std::int32_t timeStep_ = 0;
    TextPane* textPane_ = nullptr;
    GraphPane* graphPane_ = nullptr;
    ChartPane* chartPane_ = nullptr;
};
