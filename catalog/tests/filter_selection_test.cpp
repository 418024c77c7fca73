// "Filter Selection" on the delivered catalogue, driven by control id: the pass counts it
// shows after each confirmed section edit against counts made straight from the catalogue
// columns, the "Active" boxes, the history section without a log, and what reaches the
// database through OK and Cancel.
#include "CatalogueDatabaseFixture.h"

#include "astro/ConstellationTable.h"
#include "catalog/ModifyFilterDialog.h"
#include "catalog/NamedObjects.h"
#include "catalog/PositFltDlg.h"
#include "catalog/visible.h"
#include "framework/gui/Help.h"
#include "framework/gui/ListBox.h"
#include "framework/testsupport/Snapshot.h"

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace {

using M = MainFilterDialog;

// The number in a count text "Filter Passes: 5218  Objects"; -1 when the text is not one.
int ShownCount(const fw::Dialog& dlg, int id)
{
    const std::string text = dlg.ControlText(id);
    const std::string head = "Filter Passes: ", tail = "  Objects";
    if (text.rfind(head, 0) != 0 || text.size() < head.size() + tail.size() ||
        text.compare(text.size() - tail.size(), tail.size(), tail) != 0)
        return -1;
    return std::atoi(text.substr(head.size()).c_str());
}

// A responder that checks only the given boxes of a dialog among the candidates, then
// presses the button given (OK unless told).
fw::DialogResponder CheckOnly(std::vector<int> candidates, std::set<int> on, int press = fw::IDOK)
{
    return [=](fw::Dialog& d) {
        for (int id : candidates)
            d.CheckButton(id, on.count(id) ? fw::BF_CHECKED : fw::BF_UNCHECKED);
        d.PressButton(press);
        return fw::IDCANCEL;
    };
}

std::vector<int> Range(int first, int last)
{
    std::vector<int> ids;
    for (int id = first; id <= last; ++id)
        ids.push_back(id);
    return ids;
}

} // namespace

class FilterSelection : public CatalogueDatabase {
protected:
    // Checks only the given section boxes and presses OK.
    static void ActivateOnly(ModifyFilterDialog& dlg, std::set<int> boxes)
    {
        for (int id : {M::kPositionActive, M::kBrightnessActive, M::kSizeActive, M::kShapeActive, M::kTypeActive,
                       M::kNameActive, M::kHistoryActive})
            dlg.CheckButton(id, boxes.count(id) ? fw::BF_CHECKED : fw::BF_UNCHECKED);
        dlg.PressButton(fw::IDOK);
    }
};

TEST_F(FilterSelection, CountsShownAfterEachSectionEditMatchTheCatalogue)
{
    const int orion = ConstellationCodeOf("Ori");
    const int orionRows = CountRows([&](int r) { return NGCTable.constellation[r] == orion; });
    const int magnitudeRows = CountRows([](int r) {
        const double m = MagnitudeValue(NGCTable.magnitude[r]);
        return m != 0 && 8 < m && m < 10;
    });
    std::set<int> messierNumbers;
    for (int n = 1; n <= 110; ++n) {
        const int k = NamedObjects::CatalogueOfMessier(n);
        if (k > 1)
            messierNumbers.insert(k);
    }
    const int messierRows = CountRows([&](int r) { return messierNumbers.count(NGCTable.catalogueNumber[r]) != 0; });
    const int galaxyRows = CountRows([](int r) { return NGCTable.type[r] == 0; });
    ASSERT_GT(orionRows, 20);
    ASSERT_GT(magnitudeRows, 100);
    ASSERT_GT(messierRows, 100);
    ASSERT_GT(galaxyRows, 5000);

    ModifyFilterDialog dlg(nullptr);
    dlg.EnsureSetUp();
    EXPECT_EQ(dlg.GetCaption(), "Filter Selection");
    EXPECT_EQ(ShownCount(dlg, M::kTypeCount), db_->GetFilterSettings().passCounts[FilterSettings::kPassType]);

    // Position: the constellation criterion alone, on Orion.
    {
        fw::ScriptedDialogs answers(std::vector<fw::DialogResponder>{
            [](fw::Dialog& d) {
                d.CheckButton(PositFltDlg::kElevationActive, fw::BF_UNCHECKED);
                d.CheckButton(PositFltDlg::kRaDecActive, fw::BF_UNCHECKED);
                d.CheckButton(PositFltDlg::kConstellationActive, fw::BF_CHECKED);
                d.PressButton(PositFltDlg::kModifyConstellations);
                d.PressButton(fw::IDOK);
                return fw::IDCANCEL;
            },
            [](fw::Dialog& d) {
                d.PressButton(104);  // Remove All
                auto* available = d.ControlAs<fw::ListBox>(105);
                available->SetSelIndex(available->FindExactString("Orion"));
                d.SendNotify(105, fw::LBN_DBLCLK);
                d.PressButton(fw::IDOK);
                return fw::IDCANCEL;
            },
        });
        dlg.PressButton(M::kPosition);
        EXPECT_EQ(answers.Count(), 2);
    }
    EXPECT_EQ(ShownCount(dlg, M::kPositionCount), orionRows);

    // Brightness: total magnitude 8 to 10, objects without a magnitude failing.
    {
        fw::ScriptedDialogs answers(std::vector<fw::DialogResponder>{[](fw::Dialog& d) {
            d.CheckButton(101, fw::BF_UNCHECKED);
            d.CheckButton(102, fw::BF_CHECKED);
            d.CheckButton(105, fw::BF_CHECKED);
            d.SetControlText(104, "8");
            d.SetControlText(103, "10");
            d.PressButton(fw::IDOK);
            return fw::IDCANCEL;
        }});
        dlg.PressButton(M::kBrightness);
    }
    EXPECT_EQ(ShownCount(dlg, M::kBrightnessCount), magnitudeRows);

    // Name and type: Messier objects only, galaxies only.
    {
        fw::ScriptedDialogs answers(std::vector<fw::DialogResponder>{CheckOnly(Range(101, 106), {101})});
        dlg.PressButton(M::kName);
    }
    EXPECT_EQ(ShownCount(dlg, M::kNameCount), messierRows);
    {
        fw::ScriptedDialogs answers(std::vector<fw::DialogResponder>{CheckOnly(Range(101, 115), {101})});
        dlg.PressButton(M::kType);
    }
    EXPECT_EQ(ShownCount(dlg, M::kTypeCount), galaxyRows);
    // The counts shown are the database's own.
    const FilterSettings applied = db_->GetFilterSettings();
    EXPECT_EQ(ShownCount(dlg, M::kPositionCount), applied.passCounts[FilterSettings::kPassPosition]);
    EXPECT_EQ(ShownCount(dlg, M::kSizeCount), applied.passCounts[FilterSettings::kPassSize]);
    EXPECT_EQ(ShownCount(dlg, M::kShapeCount), applied.passCounts[FilterSettings::kPassShape]);

    // Each section alone, through the boxes and OK: the filtered list is the section's rows.
    const struct {
        int box;
        int rows;
    } sections[] = {
        {M::kPositionActive, orionRows},
        {M::kBrightnessActive, magnitudeRows},
        {M::kNameActive, messierRows},
        {M::kTypeActive, galaxyRows},
    };
    for (const auto& s : sections) {
        ModifyFilterDialog again(nullptr);
        again.EnsureSetUp();
        ActivateOnly(again, {s.box});
        EXPECT_EQ(again.Result(), fw::IDOK);
        EXPECT_EQ(db_->CountOf(Browser::kFilteredList), s.rows) << s.box;
    }
    // Messier galaxies in Orion between magnitudes 8 and 10: none, and the list says so.
    ModifyFilterDialog all(nullptr);
    all.EnsureSetUp();
    ActivateOnly(all, {M::kPositionActive, M::kBrightnessActive, M::kNameActive, M::kTypeActive});
    EXPECT_EQ(db_->CountOf(Browser::kFilteredList),
              CountRows([&](int r) {
                  const double m = MagnitudeValue(NGCTable.magnitude[r]);
                  return NGCTable.constellation[r] == orion && m != 0 && 8 < m && m < 10 &&
                         messierNumbers.count(NGCTable.catalogueNumber[r]) && NGCTable.type[r] == 0;
              }));
}

TEST_F(FilterSelection, HistorySectionNeedsAnOpenLog)
{
    FilterSettings stored = db_->GetFilterSettings();
    stored.SetEnabledCriteria(0x400 | 0x200);
    db_->SetFilterSettings(stored, true);

    ModifyFilterDialog closed(nullptr);
    closed.EnsureSetUp();
    EXPECT_FALSE(closed.IsControlEnabled(M::kHistory));
    EXPECT_FALSE(closed.IsControlEnabled(M::kHistoryActive));
    EXPECT_EQ(closed.IsButtonChecked(M::kHistoryActive), fw::BF_UNCHECKED);
    EXPECT_EQ(closed.ControlText(M::kHistoryCount), "Open Log to activate filter");
    EXPECT_EQ(closed.IsButtonChecked(M::kTypeActive), fw::BF_CHECKED);
    closed.CheckButton(M::kHistoryActive, fw::BF_CHECKED);  // even a checked box is not taken
    closed.PressButton(fw::IDOK);
    EXPECT_EQ(closed.settings.EnabledCriteria(), 0x200);
    EXPECT_EQ(db_->GetFilterSettings().EnabledCriteria() & 0x400, 0);

    ObservingLogOpen = true;
    ModifyFilterDialog open(nullptr);
    open.LogOpen = 1;
    open.EnsureSetUp();
    EXPECT_TRUE(open.IsControlEnabled(M::kHistory));
    EXPECT_TRUE(open.IsControlEnabled(M::kHistoryActive));
    EXPECT_EQ(ShownCount(open, M::kHistoryCount), db_->GetFilterSettings().passCounts[FilterSettings::kPassHistory]);
    {
        fw::ScriptedDialogs answers(std::vector<fw::DialogResponder>{[](fw::Dialog& d) {
            d.PressButton(102);  // Reject Objects
            d.PressButton(fw::IDOK);
            return fw::IDCANCEL;
        }});
        open.PressButton(M::kHistory);
    }
    EXPECT_EQ(db_->GetFilterSettings().historyCriteria, 1);
    // Nothing is logged here, so rejecting the logged objects passes every row.
    EXPECT_EQ(ShownCount(open, M::kHistoryCount), CatalogueRowCount);
    open.CheckButton(M::kHistoryActive, fw::BF_CHECKED);
    open.PressButton(fw::IDOK);
    EXPECT_EQ(db_->GetFilterSettings().EnabledCriteria() & 0x400, 0x400);
}

TEST_F(FilterSelection, SectionEditsStayAppliedAfterCancelButBoxesNeedOk)
{
    FilterSettings stored = db_->GetFilterSettings();
    stored.SetEnabledCriteria(0x200);
    db_->SetFilterSettings(stored, true);

    ModifyFilterDialog dlg(nullptr);
    dlg.EnsureSetUp();
    const int shapeBefore = ShownCount(dlg, M::kShapeCount);
    // The shape box is unchecked, yet its count follows the edit.
    {
        fw::ScriptedDialogs answers(std::vector<fw::DialogResponder>{CheckOnly(Range(101, 115), {101, 102})});
        dlg.PressButton(M::kShape);
    }
    EXPECT_EQ(dlg.IsButtonChecked(M::kShapeActive), fw::BF_UNCHECKED);
    // Round and pretty round, and the objects without a shape description.
    const int roundRows = CountRows([](int r) {
        const int shape = NGCTable.shape[r] & 0x7F;
        return shape <= 2;
    });
    EXPECT_EQ(ShownCount(dlg, M::kShapeCount), roundRows);
    EXPECT_NE(roundRows, shapeBefore);

    // A cancelled section dialog changes nothing.
    {
        fw::ScriptedDialogs answers(std::vector<fw::DialogResponder>{CheckOnly(Range(101, 115), {103}, fw::IDCANCEL)});
        dlg.PressButton(M::kShape);
    }
    EXPECT_EQ(db_->GetFilterSettings().shapeMask, 0x3);

    dlg.CheckButton(M::kShapeActive, fw::BF_CHECKED);
    dlg.CheckButton(M::kTypeActive, fw::BF_UNCHECKED);
    dlg.PressButton(fw::IDCANCEL);
    const FilterSettings after = db_->GetFilterSettings();
    EXPECT_EQ(after.shapeMask, 0x3);          // the section edit stays applied
    EXPECT_EQ(after.EnabledCriteria(), 0x200);  // the boxes did not reach the database
    EXPECT_EQ(db_->CountOf(Browser::kFilteredList), after.passCounts[FilterSettings::kPassType]);
}

TEST_F(FilterSelection, OkRebuildsTheActiveMaskFromTheBoxes)
{
    FilterSettings stored = db_->GetFilterSettings();
    stored.SetEnabledCriteria(0x7FF);
    db_->SetFilterSettings(stored, true);

    ModifyFilterDialog dlg(nullptr);
    dlg.EnsureSetUp();
    for (int box : {M::kPositionActive, M::kBrightnessActive, M::kSizeActive, M::kShapeActive, M::kTypeActive,
                    M::kNameActive})
        EXPECT_EQ(dlg.IsButtonChecked(box), fw::BF_CHECKED) << box;
    ActivateOnly(dlg, {M::kSizeActive});
    EXPECT_EQ(dlg.Result(), fw::IDOK);
    EXPECT_EQ(dlg.settings.EnabledCriteria(), 0x0C);
    EXPECT_EQ(db_->GetFilterSettings().EnabledCriteria(), 0x0C);

    ModifyFilterDialog groups(nullptr);
    groups.EnsureSetUp();
    ActivateOnly(groups, {M::kPositionActive, M::kBrightnessActive, M::kNameActive});
    EXPECT_EQ(db_->GetFilterSettings().EnabledCriteria(), 0x70 | 0x03 | 0x80);
}

TEST_F(FilterSelection, AltitudesComeBackAsWholeDegreesCutTowardZero)
{
    const struct {
        const char* minimum;
        const char* maximum;
        int storedMinimum;
        int storedMaximum;
    } cases[] = {
        {"-12.9", "30.7", -12, 30},
        {"-0.5", "29.9", 0, 29},
        {"30", "90", 30, 90},
        {"-7", "45", -7, 45},
    };
    for (const auto& c : cases) {
        ModifyFilterDialog dlg(nullptr);
        dlg.EnsureSetUp();
        fw::ScriptedDialogs answers(std::vector<fw::DialogResponder>{
            [](fw::Dialog& d) {
                d.PressButton(PositFltDlg::kModifyElevation);
                d.PressButton(fw::IDOK);
                return fw::IDCANCEL;
            },
            [&](fw::Dialog& d) {
                d.SetControlText(visible::kMinAltitude, c.minimum);
                d.SetControlText(visible::kMaxAltitude, c.maximum);
                d.PressButton(fw::IDOK);
                return fw::IDCANCEL;
            },
        });
        dlg.PressButton(M::kPosition);
        EXPECT_EQ(dlg.settings.minAltitude, c.storedMinimum) << c.minimum;
        EXPECT_EQ(dlg.settings.maxAltitude, c.storedMaximum) << c.maximum;
        EXPECT_EQ(db_->GetFilterSettings().minAltitude, c.storedMinimum) << c.minimum;
    }
}

TEST_F(FilterSelection, NestedCancelKeepsTheSectionUntouched)
{
    ModifyFilterDialog dlg(nullptr);
    dlg.EnsureSetUp();
    const FilterSettings before = db_->GetFilterSettings();
    // OK in the Dreyer brightness dialog, then Cancel in the brightness dialog.
    fw::ScriptedDialogs answers(std::vector<fw::DialogResponder>{
        [](fw::Dialog& d) {
            d.PressButton(106);
            d.PressButton(fw::IDCANCEL);
            return fw::IDCANCEL;
        },
        CheckOnly(Range(101, 112), {101}),
    });
    dlg.PressButton(M::kBrightness);
    EXPECT_EQ(answers.Count(), 2);
    EXPECT_EQ(dlg.settings.dreyerBrightnessMask, before.dreyerBrightnessMask);
    EXPECT_EQ(db_->GetFilterSettings(), before);
}

TEST_F(FilterSelection, HelpAndSnapshot)
{
    fw::RecordedHelp help;
    ModifyFilterDialog dlg(nullptr);
    dlg.EnsureSetUp();
    dlg.PressButton(fw::IDHELP);
    EXPECT_EQ(help.Contexts(), std::vector<int>{75});
    testsupport::SaveDialogSnapshot(dlg, "filter-selection.png");

    ObservingLogOpen = true;
    ModifyFilterDialog withLog(nullptr);
    withLog.LogOpen = 1;
    withLog.EnsureSetUp();
    testsupport::SaveDialogSnapshot(withLog, "filter-selection-log-open.png");
}
