// The criterion dialogs of the catalogue filter, driven by control id: what set-up shows,
// what OK stores, that Cancel stores nothing, and that a bad entry is reported and stores
// nothing either.

#include "astro/ConstellationTable.h"
#include "catalog/BrightFltDlg.h"
#include "catalog/HistoryFltDlg.h"
#include "catalog/NameFltDlg.h"
#include "catalog/PositFltDlg.h"
#include "catalog/RaDecFltDlg.h"
#include "catalog/SizeFltDlg.h"
#include "catalog/TypeFilterDialog.h"
#include "catalog/brightDlg.h"
#include "catalog/constFilter.h"
#include "catalog/shapeDlg.h"
#include "catalog/sizeDlg.h"
#include "catalog/visible.h"
#include "framework/gui/Help.h"
#include "framework/gui/ListBox.h"
#include "framework/gui/MessageBox.h"
#include "ui/TextConvert.h"
#include "framework/testsupport/Snapshot.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// Ids and bits as the check boxes of each mask dialog carry them.
struct MaskDialogCase {
    const char* name;
    std::function<BitMaskDialog*()> make;
    std::vector<std::pair<int, std::int32_t>> boxes;  // id, bit
};

std::vector<MaskDialogCase> MaskDialogs()
{
    std::vector<std::pair<int, std::int32_t>> dreyer;  // 101-112 carry bits 0-11
    for (int i = 0; i < 12; ++i)
        dreyer.push_back({101 + i, 1 << i});
    auto brightness = dreyer, size = dreyer;
    brightness.push_back({115, 0x1000});
    size.push_back({113, 0x1000});
    std::vector<std::pair<int, std::int32_t>> shape;
    for (int i = 0; i < 15; ++i)
        shape.push_back({101 + i, 1 << i});
    return {
        {"brightDlg", [] { return new brightDlg(nullptr); }, brightness},
        {"sizeDlg", [] { return new sizeDlg(nullptr); }, size},
        {"shapeDlg", [] { return new shapeDlg(nullptr); }, shape},
        {"TypeFilterDialog", [] { return new TypeFilterDialog(nullptr); },
         {{101, 0x0001}, {102, 0x0002}, {103, 0x0004}, {104, 0x0008}, {105, 0x0010}, {107, 0x0020},
          {108, 0x0040}, {109, 0x0080}, {110, 0x0100}, {111, 0x0200}, {112, 0x0400}, {113, 0x0800},
          {114, 0x1000}, {115, 0x2000}, {106, 0x4000}}},
        {"NameFltDlg", [] { return new NameFltDlg(nullptr); },
         {{102, 0x01}, {103, 0x02}, {105, 0x04}, {101, 0x08}, {104, 0x10}, {106, 0x20}}},
    };
}

} // namespace

TEST(BitMaskDialog, EachBoxCarriesItsBitAndOkRebuildsTheMask)
{
    for (const auto& c : MaskDialogs()) {
        std::int32_t all = 0;
        for (const auto& [id, bit] : c.boxes)
            all |= bit;
        // Every bit, plus bits no box shows: all boxes checked, the unshown bits dropped.
        {
            std::unique_ptr<BitMaskDialog> dlg(c.make());
            dlg->mask = 0xFFFF;
            dlg->EnsureSetUp();
            for (const auto& [id, bit] : c.boxes)
                EXPECT_EQ(dlg->IsButtonChecked(id), fw::BF_CHECKED) << c.name << " box " << id;
            dlg->PressButton(fw::IDOK);
            EXPECT_EQ(dlg->Result(), fw::IDOK) << c.name;
            EXPECT_EQ(dlg->mask, all) << c.name;
        }
        // Each box alone: set-up shows only it, and checking only it gives only its bit.
        for (const auto& [id, bit] : c.boxes) {
            std::unique_ptr<BitMaskDialog> dlg(c.make());
            dlg->mask = bit;
            dlg->EnsureSetUp();
            for (const auto& [other, otherBit] : c.boxes)
                EXPECT_EQ(dlg->IsButtonChecked(other), other == id ? fw::BF_CHECKED : fw::BF_UNCHECKED)
                    << c.name << " mask " << bit << " box " << other;
            dlg->PressButton(fw::IDOK);
            EXPECT_EQ(dlg->mask, bit) << c.name << " box " << id;
        }
        // Cancel keeps the mask whatever the boxes say.
        std::unique_ptr<BitMaskDialog> dlg(c.make());
        dlg->mask = 0x5;
        dlg->EnsureSetUp();
        for (const auto& [id, bit] : c.boxes)
            dlg->CheckButton(id, fw::BF_CHECKED);
        dlg->PressButton(fw::IDCANCEL);
        EXPECT_EQ(dlg->Result(), fw::IDCANCEL) << c.name;
        EXPECT_EQ(dlg->mask, 0x5) << c.name;
    }
}

TEST(BitMaskDialog, TypeDialogTakesOnlyPlateDefectOrOnlyClusterWithNebulosity)
{
    for (const auto& [id, expected] : {std::pair<int, std::int32_t>{106, 0x4000}, {107, 0x20}}) {
        TypeFilterDialog dlg(nullptr);
        dlg.mask = 31;
        dlg.EnsureSetUp();
        for (int box = 101; box <= 115; ++box)
            dlg.CheckButton(box, box == id ? fw::BF_CHECKED : fw::BF_UNCHECKED);
        dlg.PressButton(fw::IDOK);
        EXPECT_EQ(dlg.mask, expected);
    }
}

TEST(HistoryFltDlg, ShowsAndStoresTheHistoryChoice)
{
    const struct {
        std::int32_t stored;
        int shown;
        int pick;  // 0: leave the radio buttons as set up
        std::int32_t result;
    } cases[] = {
        {0, HistoryFltDlg::kPass, 0, 2},
        {2, HistoryFltDlg::kPass, 0, 2},
        {1, HistoryFltDlg::kReject, 0, 1},
        {0, HistoryFltDlg::kPass, HistoryFltDlg::kReject, 1},
        {1, HistoryFltDlg::kReject, HistoryFltDlg::kPass, 2},
    };
    for (const auto& c : cases) {
        HistoryFltDlg dlg(nullptr);
        dlg.historyCriteria = c.stored;
        dlg.EnsureSetUp();
        EXPECT_EQ(dlg.IsButtonChecked(c.shown), fw::BF_CHECKED) << c.stored;
        EXPECT_EQ(dlg.ControlText(c.shown), c.shown == HistoryFltDlg::kPass ? "Pass Objects" : "Reject Objects");
        if (c.pick)
            dlg.PressButton(c.pick);
        dlg.PressButton(fw::IDOK);
        EXPECT_EQ(dlg.historyCriteria, c.result) << c.stored << " pick " << c.pick;
    }
    HistoryFltDlg cancelled(nullptr);
    cancelled.EnsureSetUp();
    cancelled.PressButton(HistoryFltDlg::kReject);
    cancelled.PressButton(fw::IDCANCEL);
    EXPECT_EQ(cancelled.historyCriteria, 0);
}

TEST(visible, ElevationModeShownAndStored)
{
    const struct {
        std::int32_t stored;
        int checked;  // 0: neither
        std::int32_t result;
    } cases[] = {
        {3, visible::kCurrentTime, 1},
        {1, visible::kCurrentTime, 1},
        {2, visible::kSession, 2},
        {0, 0, 0},
    };
    for (const auto& c : cases) {
        visible dlg(nullptr);
        dlg.elevationMode = c.stored;
        dlg.EnsureSetUp();
        EXPECT_EQ(dlg.IsButtonChecked(visible::kCurrentTime), c.checked == visible::kCurrentTime ? fw::BF_CHECKED : 0);
        EXPECT_EQ(dlg.IsButtonChecked(visible::kSession), c.checked == visible::kSession ? fw::BF_CHECKED : 0);
        dlg.PressButton(fw::IDOK);
        EXPECT_EQ(dlg.elevationMode, c.result) << c.stored;
    }
}

TEST(visible, SessionTimesAndAltitudesRoundTrip)
{
    visible dlg(nullptr);
    dlg.sessionStart = fw::TTime(fw::TDate::Today(), 21, 0, 0);
    dlg.sessionEnd = fw::TTime(fw::TDate::Today(), 23, 30, 0);
    dlg.minAltitude = Angle(10, Angle::kDegrees);
    dlg.maxAltitude = Angle(80, Angle::kDegrees);
    dlg.EnsureSetUp();
    EXPECT_EQ(dlg.ControlText(visible::kSessionStart), "09:00 pm");
    EXPECT_EQ(dlg.ControlText(visible::kSessionEnd), "11:30 pm");
    EXPECT_EQ(dlg.ControlText(visible::kMinAltitude), "10\xC2\xB0");

    dlg.SetControlText(visible::kSessionStart, "8:15 pm");
    dlg.SetControlText(visible::kSessionEnd, "1:45 am");
    dlg.SetControlText(visible::kMinAltitude, "25 30");
    dlg.SetControlText(visible::kMaxAltitude, "-5");
    dlg.PressButton(visible::kCurrentTime);
    dlg.PressButton(fw::IDOK);
    ASSERT_EQ(dlg.Result(), fw::IDOK);
    EXPECT_EQ(dlg.sessionStart.Hour(), 20);
    EXPECT_EQ(dlg.sessionStart.Minute(), 15);
    EXPECT_EQ(dlg.sessionEnd.Hour(), 1);
    EXPECT_EQ(dlg.sessionEnd.Minute(), 45);
    EXPECT_NEAR(dlg.minAltitude.Degrees(), 25.5, 1e-9);
    EXPECT_NEAR(dlg.maxAltitude.Degrees(), -5, 1e-9);  // no check that the minimum is below
    EXPECT_EQ(dlg.elevationMode, 1);
}

TEST(RaDecFltDlg, WindowRoundTripsWithoutOrderCheck)
{
    RaDecFltDlg dlg(nullptr);
    dlg.raMin = 5.5;
    dlg.raMax = 6;
    dlg.decMin = -10;
    dlg.decMax = 12.25;
    dlg.EnsureSetUp();
    EXPECT_EQ(dlg.ControlText(RaDecFltDlg::kRaMin), "5h 30m");
    EXPECT_EQ(dlg.ControlText(RaDecFltDlg::kDecMax), "12\xC2\xB0 15'");
    dlg.SetControlText(RaDecFltDlg::kRaMin, "22 30");
    dlg.SetControlText(RaDecFltDlg::kRaMax, "2h");
    dlg.SetControlText(RaDecFltDlg::kDecMin, "MIN");
    dlg.PressButton(fw::IDOK);
    ASSERT_EQ(dlg.Result(), fw::IDOK);
    EXPECT_DOUBLE_EQ(dlg.raMin, 22.5);
    EXPECT_DOUBLE_EQ(dlg.raMax, 2);
    EXPECT_DOUBLE_EQ(dlg.decMin, TextConvert::MinValue(vkDeclination));
    EXPECT_DOUBLE_EQ(dlg.decMax, 12.25);
}

TEST(BrightFltDlg, BoxesFieldsAndTheDreyerDialog)
{
    BrightFltDlg dlg(nullptr);
    dlg.brightnessCriteria = 0x02 | 0x04;
    dlg.dreyerBrightnessMask = 0x0F00;
    dlg.magnitudeMin = 4;
    dlg.magnitudeMax = 11.5;
    dlg.EnsureSetUp();
    EXPECT_EQ(dlg.IsButtonChecked(BrightFltDlg::kDreyerActive), fw::BF_CHECKED);
    EXPECT_EQ(dlg.IsButtonChecked(BrightFltDlg::kMagnitudeActive), fw::BF_UNCHECKED);
    EXPECT_EQ(dlg.IsButtonChecked(BrightFltDlg::kMagnitudeRequired), fw::BF_CHECKED);
    EXPECT_EQ(dlg.ControlText(BrightFltDlg::kBrightest), "4.0");
    EXPECT_EQ(dlg.ControlText(BrightFltDlg::kDimmest), "11.5");

    // Cancel in the Dreyer dialog keeps the mask; OK there takes its boxes.
    {
        fw::ScriptedDialogs answers(std::vector<fw::DialogResponder>{[](fw::Dialog& d) {
            d.CheckButton(101, fw::BF_CHECKED);
            d.PressButton(fw::IDCANCEL);
            return fw::IDCANCEL;
        }});
        dlg.PressButton(BrightFltDlg::kModifyDreyer);
        EXPECT_EQ(answers.Captions(), std::vector<std::string>{"Object Brightness Filter Dialog"});
    }
    EXPECT_EQ(dlg.dreyerBrightnessMask, 0x0F00);
    {
        fw::ScriptedDialogs answers(std::vector<fw::DialogResponder>{[](fw::Dialog& d) {
            EXPECT_EQ(d.IsButtonChecked(109), fw::BF_CHECKED);
            d.CheckButton(101, fw::BF_CHECKED);
            d.PressButton(fw::IDOK);
            return fw::IDCANCEL;
        }});
        dlg.PressButton(BrightFltDlg::kModifyDreyer);
    }
    EXPECT_EQ(dlg.dreyerBrightnessMask, 0x0F01);

    // Brightest 12 and dimmest 3 are taken as they are.
    dlg.CheckButton(BrightFltDlg::kDreyerActive, fw::BF_UNCHECKED);
    dlg.CheckButton(BrightFltDlg::kMagnitudeActive, fw::BF_CHECKED);
    dlg.SetControlText(BrightFltDlg::kBrightest, "12");
    dlg.SetControlText(BrightFltDlg::kDimmest, "3");
    dlg.PressButton(fw::IDOK);
    ASSERT_EQ(dlg.Result(), fw::IDOK);
    EXPECT_EQ(dlg.brightnessCriteria, 0x01 | 0x04);
    EXPECT_DOUBLE_EQ(dlg.magnitudeMin, 12);
    EXPECT_DOUBLE_EQ(dlg.magnitudeMax, 3);
}

TEST(SizeFltDlg, BoxesFieldsAndTheDreyerDialog)
{
    SizeFltDlg dlg(nullptr);
    dlg.sizeCriteria = 0x08;
    dlg.dreyerSizeMask = 0x0003;
    dlg.diameterMin = 0.02;
    dlg.diameterMax = 3;
    dlg.EnsureSetUp();
    EXPECT_EQ(dlg.IsButtonChecked(SizeFltDlg::kDiameterActive), fw::BF_CHECKED);
    EXPECT_EQ(dlg.IsButtonChecked(SizeFltDlg::kDreyerActive), fw::BF_UNCHECKED);
    EXPECT_EQ(dlg.IsButtonChecked(SizeFltDlg::kDiameterRequired), fw::BF_UNCHECKED);
    {
        fw::ScriptedDialogs answers(std::vector<fw::DialogResponder>{[](fw::Dialog& d) {
            EXPECT_EQ(d.IsButtonChecked(102), fw::BF_CHECKED);
            d.CheckButton(113, fw::BF_CHECKED);
            d.PressButton(fw::IDOK);
            return fw::IDCANCEL;
        }});
        dlg.PressButton(SizeFltDlg::kModifyDreyer);
        EXPECT_EQ(answers.Captions(), std::vector<std::string>{"Object Size Filter Dialog"});
    }
    EXPECT_EQ(dlg.dreyerSizeMask, 0x1003);
    dlg.CheckButton(SizeFltDlg::kDreyerActive, fw::BF_CHECKED);
    dlg.CheckButton(SizeFltDlg::kDiameterActive, fw::BF_UNCHECKED);
    dlg.CheckButton(SizeFltDlg::kDiameterRequired, fw::BF_CHECKED);
    dlg.SetControlText(SizeFltDlg::kMinimum, "5 min");
    dlg.SetControlText(SizeFltDlg::kMaximum, "1.5 deg");
    dlg.PressButton(fw::IDOK);
    ASSERT_EQ(dlg.Result(), fw::IDOK);
    EXPECT_EQ(dlg.sizeCriteria, 0x04 | 0x02);
    EXPECT_NEAR(dlg.diameterMin, 5.0 / 60, 1e-12);
    EXPECT_DOUBLE_EQ(dlg.diameterMax, 1.5);
}

TEST(PositFltDlg, BoxesGiveTheCriteriaAndSubDialogsChangeOnlyTheirFields)
{
    PositFltDlg dlg(nullptr);
    dlg.positionCriteria = 0x70;
    dlg.raMin = 1;
    dlg.raMax = 2;
    dlg.minAltitude = Angle(10, Angle::kDegrees);
    dlg.maxAltitude = Angle(90, Angle::kDegrees);
    dlg.EnsureSetUp();
    for (int box : {PositFltDlg::kElevationActive, PositFltDlg::kConstellationActive, PositFltDlg::kRaDecActive})
        EXPECT_EQ(dlg.IsButtonChecked(box), fw::BF_CHECKED);

    // The elevation dialog gets the session as clock times and gives hours and minutes back.
    {
        fw::ScriptedDialogs answers(std::vector<fw::DialogResponder>{[](fw::Dialog& d) {
            EXPECT_EQ(d.GetCaption(), "Time & Altitude Filter");
            EXPECT_EQ(d.ControlText(visible::kSessionStart), "09:00 pm");
            EXPECT_EQ(d.ControlText(visible::kMinAltitude), "10\xC2\xB0");
            d.SetControlText(visible::kSessionEnd, "2:05 am");
            d.SetControlText(visible::kMinAltitude, "30.7");
            d.PressButton(fw::IDOK);
            return fw::IDCANCEL;
        }});
        dlg.PressButton(PositFltDlg::kModifyElevation);
    }
    EXPECT_EQ(dlg.sessionEndHour, 2);
    EXPECT_EQ(dlg.sessionEndMinute, 5);
    EXPECT_NEAR(dlg.minAltitude.Degrees(), 30.7, 1e-9);
    EXPECT_EQ(dlg.raMin, 1);  // untouched by the elevation dialog

    // A cancelled RA & DEC dialog changes nothing.
    {
        fw::ScriptedDialogs answers(std::vector<fw::DialogResponder>{[](fw::Dialog& d) {
            d.SetControlText(RaDecFltDlg::kRaMin, "7");
            d.PressButton(fw::IDCANCEL);
            return fw::IDCANCEL;
        }});
        dlg.PressButton(PositFltDlg::kModifyRaDec);
    }
    EXPECT_EQ(dlg.raMin, 1);

    for (int box : {PositFltDlg::kElevationActive, PositFltDlg::kConstellationActive, PositFltDlg::kRaDecActive})
        dlg.CheckButton(box, fw::BF_UNCHECKED);
    dlg.PressButton(fw::IDOK);
    EXPECT_EQ(dlg.positionCriteria, 0);

    PositFltDlg one(nullptr);
    one.EnsureSetUp();
    one.CheckButton(PositFltDlg::kRaDecActive, fw::BF_CHECKED);
    one.PressButton(fw::IDOK);
    EXPECT_EQ(one.positionCriteria, 0x10);
}

namespace {

std::vector<std::string> Items(const fw::ListBox& list)
{
    std::vector<std::string> items;
    for (int i = 0; i < list.GetCount(); ++i)
        items.push_back(list.GetString(i));
    return items;
}

void DoubleClick(constFilter& dlg, int listId, const std::string& name)
{
    auto* list = dlg.ControlAs<fw::ListBox>(listId);
    ASSERT_NE(list->FindExactString(name), fw::LB_ERR) << name;
    list->SetSelIndex(list->FindExactString(name));
    dlg.SendNotify(listId, fw::LBN_DBLCLK);
}

} // namespace

TEST(constFilter, ListsFollowTheSetAndOkTakesTheSelectedList)
{
    ConstellationSet set;
    set.Clear();
    set.Add(1);   // Antlia
    set.Add(65);  // Piscis Austrinus
    constFilter dlg(nullptr);
    dlg.constellations = set;
    dlg.EnsureSetUp();
    auto* available = dlg.ControlAs<fw::ListBox>(constFilter::kAvailable);
    auto* selected = dlg.ControlAs<fw::ListBox>(constFilter::kSelected);
    EXPECT_EQ(Items(*selected), (std::vector<std::string>{"Antlia", "Piscis Austrinus"}));
    EXPECT_EQ(available->GetCount(), 86);
    EXPECT_EQ(available->GetString(0), "Andromeda");  // sorted
    EXPECT_EQ(available->FindExactString("Caelum"), available->FindString("Caelum"));

    DoubleClick(dlg, constFilter::kAvailable, "Orion");
    DoubleClick(dlg, constFilter::kSelected, "Antlia");
    EXPECT_EQ(Items(*selected), (std::vector<std::string>{"Orion", "Piscis Austrinus"}));
    // A double click with nothing selected moves nothing.
    selected->SetSelIndex(-1);
    dlg.SendNotify(constFilter::kSelected, fw::LBN_DBLCLK);
    EXPECT_EQ(selected->GetCount(), 2);

    dlg.PressButton(fw::IDOK);
    ASSERT_EQ(dlg.Result(), fw::IDOK);
    ConstellationSet expected;
    expected.Clear();
    expected.Add(59);
    expected.Add(65);
    EXPECT_EQ(dlg.constellations, expected);
}

TEST(constFilter, AddAllAndRemovingOne)
{
    constFilter dlg(nullptr);
    dlg.constellations.Clear();
    dlg.constellations.Add(5);
    dlg.EnsureSetUp();
    dlg.PressButton(constFilter::kAddAll);
    EXPECT_EQ(dlg.ControlAs<fw::ListBox>(constFilter::kSelected)->GetCount(), 88);
    EXPECT_EQ(dlg.ControlAs<fw::ListBox>(constFilter::kAvailable)->GetCount(), 0);
    dlg.PressButton(fw::IDOK);
    EXPECT_TRUE(dlg.constellations.all);

    constFilter less(nullptr);
    less.EnsureSetUp();  // every constellation, as the set starts
    DoubleClick(less, constFilter::kSelected, "Caelum");
    less.PressButton(fw::IDOK);
    EXPECT_FALSE(less.constellations.all);
    EXPECT_FALSE(less.constellations.Contains(9));
    EXPECT_TRUE(less.constellations.Contains(8));
    EXPECT_TRUE(less.constellations.Contains(87));
}

TEST(constFilter, RemoveAllEmptiesTheSelectionAndOkRefusesIt)
{
    fw::ScriptedMessageBoxes boxes;
    constFilter dlg(nullptr);
    dlg.EnsureSetUp();
    dlg.PressButton(constFilter::kRemoveAll);
    EXPECT_EQ(dlg.ControlAs<fw::ListBox>(constFilter::kAvailable)->GetCount(), 88);
    dlg.PressButton(fw::IDOK);
    EXPECT_NE(dlg.Result(), fw::IDOK);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Last().title, "ENTRY ERROR");
    // One name back in the list, and OK takes it.
    DoubleClick(dlg, constFilter::kAvailable, "Vulpecula");
    dlg.PressButton(fw::IDOK);
    EXPECT_EQ(dlg.Result(), fw::IDOK);
    EXPECT_TRUE(dlg.constellations.Contains(87));
    EXPECT_FALSE(dlg.constellations.Contains(86));

    // Through the position dialog: the refused and cancelled list leaves its set as it was.
    PositFltDlg position(nullptr);
    position.constellations.Clear();
    position.constellations.Add(3);
    const ConstellationSet before = position.constellations;
    position.EnsureSetUp();
    fw::ScriptedDialogs answers(std::vector<fw::DialogResponder>{[](fw::Dialog& d) {
        d.PressButton(constFilter::kRemoveAll);
        d.PressButton(fw::IDOK);
        return fw::IDCANCEL;
    }});
    position.PressButton(PositFltDlg::kModifyConstellations);
    EXPECT_EQ(boxes.Count(), 2);
    EXPECT_EQ(position.constellations, before);
}

// A bad entry in any field: the field's message, the dialog stays open, nothing is stored.
TEST(FilterCriterionDialogs, BadEntriesAreReportedAndStoreNothing)
{
    const struct {
        const char* what;
        std::function<fw::Dialog*()> make;
        int field;
        const char* text;
        const char* title;
    } cases[] = {
        {"RA past 24 h", [] { return new RaDecFltDlg(nullptr); }, RaDecFltDlg::kRaMax, "25", "RA Input Error"},
        {"negative RA", [] { return new RaDecFltDlg(nullptr); }, RaDecFltDlg::kRaMin, "-1", "RA Input Error"},
        {"RA of words", [] { return new RaDecFltDlg(nullptr); }, RaDecFltDlg::kRaMin, "noon", "RA Input Error"},
        {"Dec past 90", [] { return new RaDecFltDlg(nullptr); }, RaDecFltDlg::kDecMax, "95", "Declination Input Error"},
        {"magnitude abc", [] { return new BrightFltDlg(nullptr); }, BrightFltDlg::kBrightest, "abc",
         "Magnitude Input Error"},
        {"empty magnitude", [] { return new BrightFltDlg(nullptr); }, BrightFltDlg::kDimmest, "",
         "Magnitude Input Error"},
        {"size abc", [] { return new SizeFltDlg(nullptr); }, SizeFltDlg::kMaximum, "abc", "Size Input Error"},
        {"time abc", [] { return new visible(nullptr); }, visible::kSessionStart, "abc", "Time Input Error"},
        {"hour 25", [] { return new visible(nullptr); }, visible::kSessionEnd, "25:00", "Time Input Error"},
        {"altitude past 90", [] { return new visible(nullptr); }, visible::kMaxAltitude, "91",
         "Declination Input Error"},
    };
    for (const auto& c : cases) {
        fw::ScriptedMessageBoxes boxes;
        std::unique_ptr<fw::Dialog> dlg(c.make());
        dlg->EnsureSetUp();
        const std::string original = dlg->ControlText(c.field);
        dlg->SetControlText(c.field, c.text);
        dlg->PressButton(fw::IDOK);
        EXPECT_NE(dlg->Result(), fw::IDOK) << c.what;
        ASSERT_EQ(boxes.Count(), 1) << c.what;
        EXPECT_EQ(boxes.Last().title, c.title) << c.what;
        EXPECT_FALSE(boxes.Last().text.empty()) << c.what;
        // With the text set up back in the field, OK goes through.
        dlg->SetControlText(c.field, original);
        dlg->PressButton(fw::IDOK);
        EXPECT_EQ(dlg->Result(), fw::IDOK) << c.what;
        EXPECT_EQ(boxes.Count(), 1) << c.what;
    }

    // The fields of a refused dialog keep what the creator gave it.
    fw::ScriptedMessageBoxes boxes;
    RaDecFltDlg radec(nullptr);
    radec.raMin = 3;
    radec.raMax = 4;
    radec.EnsureSetUp();
    radec.SetControlText(RaDecFltDlg::kRaMin, "5");
    radec.SetControlText(RaDecFltDlg::kRaMax, "25");
    radec.PressButton(fw::IDOK);
    radec.PressButton(fw::IDCANCEL);
    EXPECT_EQ(radec.raMin, 3);
    EXPECT_EQ(radec.raMax, 4);
    EXPECT_EQ(boxes.Last().text, "Right Ascension Cannot Exceed 24 Hours");

    BrightFltDlg bright(nullptr);
    bright.magnitudeMin = 2;
    bright.brightnessCriteria = 0x02;
    bright.EnsureSetUp();
    bright.CheckButton(BrightFltDlg::kMagnitudeActive, fw::BF_CHECKED);
    bright.SetControlText(BrightFltDlg::kBrightest, "abc");
    bright.PressButton(fw::IDOK);
    bright.PressButton(fw::IDCANCEL);
    EXPECT_EQ(bright.magnitudeMin, 2);
    EXPECT_EQ(bright.brightnessCriteria, 0x02);
}

TEST(FilterCriterionDialogs, CaptionsAndHelpContexts)
{
    const struct {
        std::function<fw::Dialog*()> make;
        const char* caption;
        int help;
    } cases[] = {
        {[] { return new PositFltDlg(nullptr); }, "Object Position Filter", 27},
        {[] { return new visible(nullptr); }, "Time & Altitude Filter", 8},
        {[] { return new constFilter(nullptr); }, "Constellation Filter", 1},
        {[] { return new RaDecFltDlg(nullptr); }, "RA & DEC filter", 55},
        {[] { return new BrightFltDlg(nullptr); }, "Object Brightness Filter", 70},
        {[] { return new brightDlg(nullptr); }, "Object Brightness Filter Dialog", 5},
        {[] { return new SizeFltDlg(nullptr); }, "Object Size Filter", 69},
        {[] { return new sizeDlg(nullptr); }, "Object Size Filter Dialog", 4},
        {[] { return new shapeDlg(nullptr); }, "Object Shape Filter", 6},
        {[] { return new TypeFilterDialog(nullptr); }, "Object Type Filter", 2},
        {[] { return new NameFltDlg(nullptr); }, "Object List and Name Filter", 68},
        {[] { return new HistoryFltDlg(nullptr); }, "Observing History", 66},
    };
    for (const auto& c : cases) {
        fw::RecordedHelp help;
        std::unique_ptr<fw::Dialog> dlg(c.make());
        dlg->EnsureSetUp();
        EXPECT_EQ(dlg->GetCaption(), c.caption);
        dlg->PressButton(fw::IDHELP);
        EXPECT_EQ(help.Contexts(), std::vector<int>{c.help}) << c.caption;
    }
}

TEST(FilterCriterionDialogs, Snapshots)
{
    // Pictures for a person to look at, asserting nothing: made only for a snapshot directory.
    if (testsupport::SnapshotPath("x").empty()) GTEST_SKIP() << "STELLUM_SNAPSHOT_DIR is not set";
    PositFltDlg position(nullptr);
    position.positionCriteria = 0x60;
    position.EnsureSetUp();
    testsupport::SaveDialogSnapshot(position, "position-filter.png");

    visible elevation(nullptr);
    elevation.sessionStart = fw::TTime(fw::TDate::Today(), 21, 0, 0);
    elevation.sessionEnd = fw::TTime(fw::TDate::Today(), 23, 30, 0);
    elevation.maxAltitude = Angle(90, Angle::kDegrees);
    elevation.EnsureSetUp();
    testsupport::SaveDialogSnapshot(elevation, "time-altitude-filter.png");

    constFilter constellations(nullptr);
    constellations.constellations.Clear();
    for (int code : {0, 1, 59, 65})
        constellations.constellations.Add(code);
    constellations.EnsureSetUp();
    testsupport::SaveDialogSnapshot(constellations, "constellation-filter.png");

    RaDecFltDlg radec(nullptr);
    radec.EnsureSetUp();
    testsupport::SaveDialogSnapshot(radec, "ra-dec-filter.png");

    BrightFltDlg brightness(nullptr);
    brightness.brightnessCriteria = 0x01;
    brightness.EnsureSetUp();
    testsupport::SaveDialogSnapshot(brightness, "brightness-filter.png");

    brightDlg dreyerBrightness(nullptr);
    dreyerBrightness.mask = 0x1F00;
    dreyerBrightness.EnsureSetUp();
    testsupport::SaveDialogSnapshot(dreyerBrightness, "dreyer-brightness.png");

    SizeFltDlg size(nullptr);
    size.diameterMin = 0.02;
    size.diameterMax = 3;
    size.EnsureSetUp();
    testsupport::SaveDialogSnapshot(size, "size-filter.png");

    sizeDlg dreyerSize(nullptr);
    dreyerSize.EnsureSetUp();
    testsupport::SaveDialogSnapshot(dreyerSize, "dreyer-size.png");

    shapeDlg shape(nullptr);
    shape.mask = 255;
    shape.EnsureSetUp();
    testsupport::SaveDialogSnapshot(shape, "shape-filter.png");

    TypeFilterDialog type(nullptr);
    type.mask = 31;
    type.EnsureSetUp();
    testsupport::SaveDialogSnapshot(type, "type-filter.png");

    NameFltDlg name(nullptr);
    name.mask = 2;
    name.EnsureSetUp();
    testsupport::SaveDialogSnapshot(name, "name-filter.png");

    HistoryFltDlg history(nullptr);
    history.EnsureSetUp();
    testsupport::SaveDialogSnapshot(history, "history-filter.png");
}
