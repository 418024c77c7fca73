// The planner view on the real catalogue, driven by command id: navigation at the ends of the
// lists and the enablers that follow the list's state, the pane layout, find on the other
// list, the filter dialog that refreshes every pane, the observing-list commands, the title,
// notifications and printing support.
#include "PlannerFixture.h"

#include "catalog/CatalogueTable.h"
#include "catalog/MainFilterDialog.h"
#include "catalog/ObjectFlags.h"
#include "catalog/TFind.h"
#include "chart/ChartPane.h"
#include "chart/ChartWindow.h"
#include "framework/gui/Dialog.h"
#include "framework/gui/PopupMenu.h"
#include "framework/gui/RecordingDC.h"
#include "globals/ViewEvents.h"
#include "planner/AltitudePlotWindow.h"
#include "planner/GraphPane.h"
#include "planner/STLM4view.h"
#include "planner/STLM5doc.h"
#include "planner/TextPane.h"

#include <QApplication>

#include <algorithm>

namespace {

using V = STLM4view;

// Five bright objects on the observing list, in this order.
constexpr std::uint32_t kList[] = {224, 598, 7078, 6853, 6720};

class PlannerView : public PlannerWorld {
protected:
    void SetUp() override
    {
        PlannerWorld::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        for (std::uint32_t n : kList) db_->AddToObservingList(Ngc(n));
        doc_ = std::make_unique<STLM5doc>();
        view_ = new STLM4view(*doc_);
        view_->resize(1000, 700);
        view_->EnsureSetUp();
        view_->show();
        QApplication::processEvents();
    }
    void TearDown() override
    {
        doc_.reset();  // deletes the view with it
        PlannerWorld::TearDown();
    }
    void Command(int id) { ASSERT_TRUE(view_->SendCommand(id)) << id; }
    bool Enabled(int id) const { return view_->QueryCommand(id).enabled; }
    ObjectId Entry(int list, int index) const
    {
        const int row = list == Browser::kObservingList ? ObservingList[index] : FilteredList[index];
        return ObjectId::FromCatalogue(ObjectId::kNgcCatalogue, std::uint32_t(NGCTable.catalogueNumber[row]));
    }
    // Every pane shows the view's current object.
    void ExpectPanesShow(ObjectId id)
    {
        EXPECT_EQ(view_->CurrentObject(), id);
        EXPECT_EQ(view_->GetTextPane()->StoredObject(), id);
        EXPECT_EQ(view_->GetChartPane()->Chart()->currentObject, id);
    }

    std::unique_ptr<STLM5doc> doc_;
    STLM4view* view_ = nullptr;
};

TEST_F(PlannerView, NavigationAtTheEndsOfTheObservingList)
{
    Command(V::CM_OBSERVINGLIST);
    EXPECT_EQ(db_->Selected(), Browser::kObservingList);
    ExpectPanesShow(Ngc(224));
    EXPECT_EQ(AppGlobals.statusBar, nullptr);

    // At the first entry: back and First are off, forward on.
    const struct {
        int command;
        int index;
        bool first, previous, next, last;
    } steps[] = {
        {CM_FIRST, 0, false, false, true, true},
        {CM_PREVIOUS, 4, true, true, false, false},  // from the first entry to the last
        {CM_NEXT, 4, true, true, false, false},      // the last entry stays
        {CM_PREVIOUS, 3, true, true, true, true},
        {CM_LAST, 4, true, true, false, false},
        {CM_FIRST, 0, false, false, true, true},
    };
    for (const auto& s : steps) {
        Command(s.command);
        EXPECT_EQ(db_->Index(), s.index) << s.command;
        ExpectPanesShow(Ngc(kList[s.index]));
        EXPECT_EQ(Enabled(CM_FIRST), s.first) << s.command;
        EXPECT_EQ(Enabled(CM_PREVIOUS), s.previous) << s.command;
        EXPECT_EQ(Enabled(CM_NEXT), s.next) << s.command;
        EXPECT_EQ(Enabled(CM_LAST), s.last) << s.command;
    }
    EXPECT_EQ(view_->QueryCommand(V::CM_OBSERVINGLIST).check, fw::BF_CHECKED);
    EXPECT_EQ(view_->QueryCommand(V::CM_FILTEREDLIST).check, fw::BF_UNCHECKED);
    EXPECT_FALSE(Enabled(V::CM_FILTER)) << "filtering works on the filtered list only";
}

TEST_F(PlannerView, OneEntryListHasNoMovesButThePopUpStillOffersThem)
{
    db_->ClearObservingList();
    db_->AddToObservingList(Ngc(224));
    Command(V::CM_OBSERVINGLIST);
    for (int id : {CM_FIRST, CM_PREVIOUS, CM_NEXT, CM_LAST}) EXPECT_FALSE(Enabled(id)) << id;
    for (int id : {CM_NEXT, CM_PREVIOUS, CM_LAST, CM_FIRST}) {
        fw::ScriptedMenus menus({id});
        view_->SimulateMouse(QEvent::MouseButtonPress, Qt::LeftButton, fw::Point(500, 300));
        ASSERT_EQ(menus.Shown().size(), 1u);
        EXPECT_EQ(menus.Shown()[0].Describe(), "Next|Previous|First|Last|-|Filtered List|Observing List");
        EXPECT_TRUE(menus.Shown()[0].FindItem(id)->enabled) << id;
        ExpectPanesShow(Ngc(224));
    }
}

TEST_F(PlannerView, PaneLayoutAtItsWidthsAndModes)
{
    const struct {
        int width;
        int text;
    } widths[] = {{649, 324}, {650, 292}, {1000, 450}};
    for (const auto& w : widths) {
        const V::PaneLayout layout = V::ComputeLayout(fw::Rect(0, 0, w.width, 500));
        EXPECT_EQ(layout.text, fw::Rect(0, 0, w.text, 500)) << w.width;
        EXPECT_EQ(layout.altitude, fw::Rect(w.text, 0, w.width, 150)) << w.width;
        EXPECT_EQ(layout.chart, fw::Rect(w.text, 150, w.width, 500)) << w.width;
        view_->resize(w.width, 500);
        QApplication::processEvents();
        EXPECT_EQ(view_->GetTextPane()->GetRectInParent(), layout.text) << w.width;
        EXPECT_EQ(view_->GetChartPane()->GetRectInParent(), layout.chart) << w.width;
    }
    // A pane's full-pane command gives it the whole view; the normal command brings the three back.
    const struct {
        int command;
        int shown;  // 0 text, 1 altitude, 2 chart, -1 all
    } modes[] = {{CM_TEXTFULLPANE, 0}, {CM_ALTITUDEFULLPANE, 1}, {CM_CHARTFULLPANE, 2}, {CM_NORMALPANES, -1}};
    for (const auto& m : modes) {
        Command(m.command);
        fw::Window* panes[3] = {view_->GetTextPane(), view_->GetGraphPane(), view_->GetChartPane()};
        for (int i = 0; i < 3; ++i) {
            const bool shown = m.shown < 0 || m.shown == i;
            EXPECT_EQ(!panes[i]->isHidden(), shown) << m.command << " pane " << i;
            if (m.shown == i) {
                EXPECT_EQ(panes[i]->GetRectInParent(), view_->GetClientRect());
            }
        }
    }
}

TEST_F(PlannerView, FindOnTheOtherListAsksToSwitch)
{
    // An object on the filtered list only, and the observing list selected.
    Command(V::CM_OBSERVINGLIST);
    ObjectId other;
    for (int i = 0; i < db_->CountOf(Browser::kFilteredList) && other == ObjectId(); ++i)
        if (!db_->IsOnObservingList(Entry(Browser::kFilteredList, i))) other = Entry(Browser::kFilteredList, i);
    ASSERT_NE(other, ObjectId());
    const auto typing = [](ObjectId id) {
        return [id](fw::Dialog& d) {
            d.SetControlText(TFind::kText, id.Name());
            d.PressButton(fw::IDOK);
            return fw::IDCANCEL;
        };
    };

    {
        fw::ScriptedDialogs dialogs(typing(other));
        fw::ScriptedMessageBoxes boxes({fw::IDNO});
        Command(V::CM_FIND);
        ASSERT_EQ(boxes.Calls().size(), 1u);
        EXPECT_EQ(boxes.Calls()[0].title, "Found Object On Filtered List");
        EXPECT_EQ(boxes.Calls()[0].text, "Switch to Filtered List?");
        EXPECT_EQ(db_->Selected(), Browser::kObservingList);
        EXPECT_EQ(db_->TemporaryObject(), other);
        ExpectPanesShow(other);
        EXPECT_EQ(db_->LastListPositionText(), "Temporary Object");
    }
    {
        fw::ScriptedDialogs dialogs(typing(other));
        fw::ScriptedMessageBoxes boxes({fw::IDYES});
        Command(V::CM_FIND);
        EXPECT_EQ(db_->Selected(), Browser::kFilteredList);
        EXPECT_EQ(db_->TemporaryObject(), ObjectId());
        ExpectPanesShow(other);
    }
    // On the list shown: the cursor moves there without a question.
    {
        fw::ScriptedDialogs dialogs(typing(other));
        fw::ScriptedMessageBoxes boxes;
        Command(CM_FIRST);
        Command(V::CM_FIND);
        EXPECT_TRUE(boxes.Calls().empty());
        ExpectPanesShow(other);
    }
}

// A find whose text names nothing is refused by the finder; however the finder then comes back,
// the view keeps its object, its title and its lists, and makes no temporary object.
TEST_F(PlannerView, AFindThatNamesNothingChangesNothing)
{
    Command(V::CM_OBSERVINGLIST);
    Command(CM_NEXT);
    const ObjectId before = view_->CurrentObject();
    const std::string title = view_->windowTitle().toStdString();
    for (int answer : {fw::IDCANCEL, fw::IDOK}) {
        fw::ScriptedMessageBoxes boxes;
        fw::ScriptedDialogs dialogs([answer](fw::Dialog& d) {
            d.SetControlText(TFind::kText, "xyzzy");
            d.PressButton(fw::IDOK);
            return answer;
        });
        Command(V::CM_FIND);
        ASSERT_EQ(boxes.Calls().size(), 1u) << answer;
        EXPECT_EQ(boxes.Calls()[0].text, "NGC, IC or M must precede value") << answer;
        EXPECT_EQ(db_->TemporaryObject(), ObjectId()) << answer;
        EXPECT_EQ(db_->Selected(), Browser::kObservingList) << answer;
        EXPECT_EQ(db_->Index(), 1) << answer;
        ExpectPanesShow(before);
        EXPECT_EQ(view_->windowTitle().toStdString(), title) << answer;
    }
}

TEST_F(PlannerView, FilterSelectionRefreshesEveryPane)
{
    Command(V::CM_FILTEREDLIST);
    const ObjectId before = view_->CurrentObject();
    const std::vector<double> altitudes = view_->GetGraphPane()->Plot()->SampleAltitudes();
    const int count = db_->CountOf(Browser::kFilteredList);
    // Only objects of magnitude 4 to 5 pass (M 31, first before, is brighter).
    fw::ScriptedDialogs dialogs([](fw::Dialog& d) {
        auto& main = dynamic_cast<MainFilterDialog&>(d);
        main.settings.brightnessCriteria = 0x1 | 0x4;
        main.settings.magnitudeMin = 4.0;
        main.settings.magnitudeMax = 5.0;
        d.CheckButton(MainFilterDialog::kBrightnessActive, fw::BF_CHECKED);
        d.PressButton(fw::IDOK);
        return fw::IDCANCEL;
    });
    fw::ScriptedMessageBoxes boxes;
    Command(V::CM_FILTER);
    EXPECT_EQ(dialogs.Count(), 1);
    EXPECT_EQ(dialogs.Captions().at(0), "Filter Selection");
    EXPECT_TRUE(boxes.Calls().empty());
    const int passed = db_->CountOf(Browser::kFilteredList);
    EXPECT_GT(passed, 0);
    EXPECT_LT(passed, count);
    EXPECT_EQ(db_->Index(), 0);
    ExpectPanesShow(db_->CurrentObject());
    EXPECT_NE(view_->CurrentObject(), before);
    EXPECT_NE(view_->GetGraphPane()->Plot()->SampleAltitudes(), altitudes) << "the altitude plot follows";

    // A filter that nothing passes says so.
    fw::ScriptedDialogs none([](fw::Dialog& d) {
        auto& main = dynamic_cast<MainFilterDialog&>(d);
        main.settings.magnitudeMin = -30;
        main.settings.magnitudeMax = -29;
        d.PressButton(fw::IDOK);
        return fw::IDCANCEL;
    });
    fw::ScriptedMessageBoxes empty;
    Command(V::CM_FILTER);
    ASSERT_EQ(empty.Calls().size(), 1u);
    EXPECT_EQ(empty.Calls()[0].title, "Filters Too Restrictive");
    EXPECT_EQ(empty.Calls()[0].text, "No Objects Passed Filters");
}

TEST_F(PlannerView, ObservingListCommands)
{
    Command(V::CM_OBSERVINGLIST);
    Command(CM_LAST);
    // Removing entries while the observing list is shown; the last one switches lists.
    EXPECT_TRUE(Enabled(V::CM_REMOVEFROMOBSLIST));
    EXPECT_FALSE(Enabled(V::CM_ADDTOOBSLIST));
    for (int left = 4; left >= 0; --left) {
        Command(V::CM_REMOVEFROMOBSLIST);
        EXPECT_EQ(db_->CountOf(Browser::kObservingList), left);
    }
    EXPECT_EQ(db_->Selected(), Browser::kFilteredList);
    ExpectPanesShow(db_->CurrentObject());
    EXPECT_FALSE(Enabled(V::CM_OBSERVINGLIST));
    EXPECT_FALSE(Enabled(V::CM_CLEAROBSLIST));

    // Add, add all, and clear while the filtered list is shown: the shown object stays.
    Command(V::CM_ADDTOOBSLIST);
    EXPECT_EQ(db_->CountOf(Browser::kObservingList), 1);
    Command(V::CM_ADDALLTOOBSLIST);
    EXPECT_EQ(db_->CountOf(Browser::kObservingList), db_->CountOf(Browser::kFilteredList));
    const ObjectId shown = view_->CurrentObject();
    Command(V::CM_CLEAROBSLIST);
    EXPECT_EQ(db_->CountOf(Browser::kObservingList), 0);
    EXPECT_EQ(view_->CurrentObject(), shown);
}

TEST_F(PlannerView, TitlesAndTemporaryObjects)
{
    view_->ShowObject(Ngc(kM31), true);
    EXPECT_EQ(view_->windowTitle().toStdString(), "Planner - NGC 224");
    doc_->SetDocPath(dir_.path() + "autumn.sl4");
    view_->ShowObject(Ngc(kM31), true);
    EXPECT_EQ(view_->windowTitle().toStdString(), "autumn.sl4 - NGC 224");

    const struct {
        int command;
        std::uint32_t id;
    } bodies[] = {{V::CM_SUN, ObjectId::kSun}, {V::CM_MOON, ObjectId::kMoon}, {9075, ObjectId::kJupiter},
                  {9071, ObjectId::kPluto}};
    for (const auto& b : bodies) {
        Command(b.command);
        EXPECT_EQ(db_->TemporaryObject(), ObjectId(b.id)) << b.command;
        ExpectPanesShow(ObjectId(b.id));
    }
    Command(CM_FIRST);
    EXPECT_EQ(db_->TemporaryObject(), ObjectId()) << "a move ends the temporary object";
}

TEST_F(PlannerView, NotificationsAndPrintingSupport)
{
    // While a printout runs, notifications are ignored and the time and lists are put back after.
    const double jd = now_.JD();
    Command(V::CM_OBSERVINGLIST);
    Command(CM_NEXT);
    view_->SavePrintState();
    EXPECT_EQ(view_->VnAppEvent(aeRefreshPanes), 0);
    view_->SetTimeStep(3600);
    EXPECT_EQ(view_->GetObjectFieldText(Ngc(6205), 1), "");
    EXPECT_NEAR(now_.JD(), jd + 1.0 / 24, 1e-9) << "loading an object moves the time on by the step";
    EXPECT_EQ(view_->GetObjectFieldText(Ngc(6205), 2), "NGC 6205");
    EXPECT_FALSE(view_->GetObjectFieldText(Ngc(6205), 4).empty());
    db_->FirstObject();
    fw::RecordingDC dc;
    view_->PaintPanesToDC(dc, fw::Rect(0, 0, 1000, 700));
    // All three panes print: the text pane with the object the printout loaded (not the
    // list's current one), the chart and the altitude plot under their captions.
    std::vector<std::string> texts;
    for (const fw::DrawCall& call : dc.CallsOf("TextOut")) texts.push_back(call.text);
    for (const char* text : {"NGC 6205 = Great Cluster in Hercules = M 13", "Hercules (Her)", "Chart View ", "Altitude "})
        EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end()) << text;
    EXPECT_EQ(std::find(texts.begin(), texts.end(), "NGC 224"), texts.end());
    EXPECT_FALSE(dc.CallsOf("Polyline").empty()) << "the altitude curve";
    view_->RestorePrintState();
    EXPECT_EQ(PrintingCount, 0);
    EXPECT_DOUBLE_EQ(now_.JD(), jd);
    EXPECT_EQ(db_->Selected(), Browser::kObservingList);
    EXPECT_EQ(db_->Index(), 1);
    ExpectPanesShow(Ngc(kList[1]));
    EXPECT_EQ(view_->VnAppEvent(aeRefreshPanes), 1);

    // A new night names the site in the altitude pane's caption.
    MoveSite(51.48, 0.0, "Greenwich");
    EXPECT_EQ(view_->VnAppEvent(aeNewNight), 1);
    EXPECT_EQ(view_->GetGraphPane()->GetCaption(), "Altitude - Greenwich");
    // Without an observing log there is nothing to transfer to.
    EXPECT_FALSE(Enabled(V::CM_TRANSFERTOLOG));
}

} // namespace
