#include "ui/ListChooser.h"
#include "ui/Spinner.h"
#include "ui/TEditDEC.h"
#include "ui/TEditDate.h"
#include "ui/TEditFloat.h"
#include "ui/TEditRA.h"
#include "ui/TEditSize.h"
#include "ui/TEditString.h"
#include "ui/TEditTime.h"
#include "ui/TListConstel.h"
#include "ui/TurboCBconstel.h"
#include "ui/TurboComboBox.h"
#include "ui/TurboListBox.h"

#include "astro/ConstellationTable.h"
#include "framework/gui/MessageBox.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace {

TEST(ValidatedFields, LeavingAFieldRewritesItsTextInStandardForm)
{
    fw::ScriptedMessageBoxes boxes;
    struct Case { const char* typed; const char* shown; };
    TEditRA ra;
    for (const Case& c : {Case{"12 30", "12h 30m"}, Case{"12h30m", "12h 30m"}, Case{"12.5", "12h 30m"},
                          Case{"MAX", "MAX"}}) {
        ra.SetText(c.typed);
        ra.LoseFocus();
        EXPECT_EQ(ra.GetText(), c.shown) << c.typed;
    }
    EXPECT_EQ(ra.GetValue(), 25.0);
    TEditDEC dec;
    dec.SetText("-45 30");
    dec.LoseFocus();
    EXPECT_EQ(dec.GetText(), "-45\xC2\xB0 30'");
    TEditSize size;
    size.SetText("15'");
    size.LoseFocus();
    EXPECT_EQ(size.GetText(), "15 min");
    TEditTime time;
    time.SetText("7:05 pm");
    time.LoseFocus();
    EXPECT_EQ(time.GetText(), "07:05 pm");
    TEditDate date;
    date.SetText("1/22/96");
    date.LoseFocus();
    EXPECT_EQ(date.GetText(), "Jan 22, 1996");
    EXPECT_EQ(boxes.Count(), 0);
}

TEST(ValidatedFields, ABadEntryIsReportedAndGivesTheFallback)
{
    fw::ScriptedMessageBoxes boxes;
    TEditRA ra;
    ra.SetText("25");
    ra.LoseFocus();
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Last().title, "RA Input Error");
    EXPECT_EQ(boxes.Last().text, "Right Ascension Cannot Exceed 24 Hours");
    EXPECT_EQ(boxes.Last().style, fw::MB_OK | fw::MB_ICONEXCLAMATION);
    EXPECT_EQ(ra.GetText(), "0h");

    TEditDEC dec;
    dec.SetText("-95");
    dec.LoseFocus();
    EXPECT_EQ(boxes.Last().title, "Declination Input Error");
    EXPECT_EQ(dec.GetText(), "0\xC2\xB0");

    // A number beyond what a magnitude or size field holds is refused with the field's message.
    TEditFloat mag;
    mag.SetText("6022280818");
    mag.LoseFocus();
    EXPECT_EQ(boxes.Last().title, "Magnitude Input Error");
    EXPECT_EQ(boxes.Last().text, "Magnitude Cannot Exceed 999");
    EXPECT_EQ(mag.GetText(), "0.0");
    TEditSize size;
    size.SetText("6022280818");
    size.LoseFocus();
    EXPECT_EQ(boxes.Last().text, "Size Cannot Exceed 99999");

    TEditDate date;
    date.SetText("13/45/1996");
    EXPECT_EQ(date.GetValue(), fw::TDate::Today());
    EXPECT_EQ(boxes.Last().title, "Date Input Error");
    EXPECT_EQ(boxes.Last().text, "Invalid Month Entry\nInvalid Day Entry\nLooking for Format = 1/1/1996\n");
}

TEST(ValidatedFields, FocusChangesNeverAlterAMagnitude)
{
    fw::ScriptedMessageBoxes boxes;
    TEditFloat mag;
    for (double stored : {212.3, 406.0, 6.5, 100.0, 500.0, 1000.0}) {
        mag.SetValue(stored);
        const std::string shown = mag.GetText();
        mag.LoseFocus();
        mag.LoseFocus();
        EXPECT_EQ(mag.GetText(), shown);
        EXPECT_NEAR(mag.GetValue(), stored, 1e-9) << shown;
    }
    EXPECT_EQ(boxes.Count(), 0);
}

TEST(ValidatedFields, MagnitudeArrowsStepWithinTheLimits)
{
    TEditFloat mag;
    mag.SetValue(99.9);
    mag.LineUp();
    EXPECT_NEAR(mag.GetValue(), 100.0, 1e-9);
    EXPECT_EQ(mag.GetText(), "-100.0 (visual)") << "100 is a stored visual magnitude";
    mag.LineUp();
    EXPECT_NEAR(mag.GetValue(), 100.0, 1e-9) << "100.1 would pass the maximum";
    mag.SetLimits(0.0, 20.0, 0.5);
    mag.SetValue(0.4);
    mag.LineDown();
    EXPECT_NEAR(mag.GetValue(), 0.4, 1e-9);
    mag.LineUp();
    EXPECT_NEAR(mag.GetValue(), 0.9, 1e-9);
    EXPECT_EQ(mag.GetText(), "0.9");
    // A visual or photographic magnitude steps within its kind, the limits holding for the
    // magnitude itself.
    mag.SetValue(212.3);
    mag.LineUp();
    EXPECT_EQ(mag.GetText(), "12.8 (visual)");
    mag.SetValue(419.8);
    mag.LineUp();
    EXPECT_NEAR(mag.GetValue(), 419.8, 1e-9) << "20.3 would pass the maximum";
    mag.LineDown();
    EXPECT_EQ(mag.GetText(), "19.3 (photo)");
    mag.SetLimits(-100.0, 100.0, 0.1);
    mag.SetValue(299.9);
    mag.LineUp();
    EXPECT_EQ(mag.GetText(), "99.9 (visual)") << "a step never turns it into a photographic magnitude";
}

TEST(ValidatedFields, PlainTextFieldKeepsItsLimit)
{
    TEditString s(nullptr, 5);
    s.SetText("Celestron");
    EXPECT_EQ(s.GetText(), "Celes");
}

TEST(Spinner, StepsNumbersAndMonthsWithinTheirLimits)
{
    spinner seconds(nullptr, 0, 0, 59, 4, spinner::Number);
    EXPECT_EQ(seconds.SetValue(59), 59);
    seconds.LineUp();
    EXPECT_EQ(seconds.GetValue(), 59);
    seconds.LineDown();
    EXPECT_EQ(seconds.GetText(), "58");
    EXPECT_EQ(seconds.SetValue(60), 58) << "outside the limits changes nothing";
    seconds.SetText("75");
    seconds.LineUp();
    EXPECT_EQ(seconds.GetValue(), 76) << "a typed value beyond the limits steps from where it is";

    spinner month(nullptr, 0, 1, 12, 10, spinner::MonthName);
    month.SetValue(12);
    EXPECT_EQ(month.GetText(), "December");
    month.LineDown();
    EXPECT_EQ(month.GetValue(), 12);
    month.LineUp();
    EXPECT_EQ(month.GetText(), "November");
    month.SetValue(1);
    month.LineUp();
    EXPECT_EQ(month.GetText(), "January");
    month.SetText("march");
    EXPECT_EQ(month.GetValue(), 3);
    month.SetText("Marchx");
    EXPECT_EQ(month.GetValue(), 0);
}

TEST(Spinner, ItsValidatorGuardsTheDialog)
{
    fw::ScriptedMessageBoxes boxes;
    fw::Dialog d;
    new spinner(&d, 102, 0, 89, 4, spinner::Number);
    new spinner(&d, 103, 1, 12, 10, spinner::MonthName);
    d.SetControlText(102, "89");
    d.SetControlText(103, "May");
    EXPECT_TRUE(d.ValidateControls());
    d.SetControlText(102, "90");
    EXPECT_FALSE(d.ValidateControls());
    d.SetControlText(102, "0");
    d.SetControlText(103, "Mai");
    EXPECT_FALSE(d.ValidateControls());
}

TEST(Spinner, ItsTextFillsItButItsSizeFollowsItsOwnFont)
{
    fw::Dialog d;
    auto* field = d.Place(102, new spinner(&d, 102, 0, 59, 4, spinner::Number), 0, 0);
    const QSize hint = field->sizeHint();
    const QSize least = field->minimumSizeHint();
    d.EnsureSetUp();
    d.show();
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    const int shown = d.height();
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    EXPECT_EQ(d.height(), shown) << "the layout settles";
    EXPECT_LT(shown, 200);
    // Made taller, the field's text grows to fill it; the size it asks for stays, so a layout
    // does not make it taller again (on a real display it grew to tens of thousands of pixels).
    for (int height : {60, 200, 60}) {
        field->setFixedHeight(height);
        QCoreApplication::processEvents();
        EXPECT_GE(field->font().pixelSize(), height - 12) << height;
        EXPECT_EQ(field->sizeHint(), hint) << height;
        EXPECT_EQ(field->minimumSizeHint(), least) << height;
    }
}

TEST(TurboComboBox, LoadsStoresAndCommitsChoices)
{
    CBdata list(20, "SCOPES");
    list.AddEntry("Alpha", 3);
    list.AddEntry("Gamma", 9);
    list.SetCurrentId(9);
    TurboComboBox box(nullptr, 40, true);
    EXPECT_EQ(box.LoadChoices(list), 2);
    EXPECT_EQ(box.ListName(), "SCOPES");
    EXPECT_EQ(box.GetSelectedId(), 9);
    EXPECT_EQ(box.GetSelectedText(), "Gamma");
    EXPECT_EQ(box.NextFreeId(), 10);

    // A typed text that begins an item selects it; a new one is added with the next id.
    box.SetText("gam");
    EXPECT_EQ(box.CommitEditText(), 0);
    EXPECT_EQ(box.GetSelectedId(), 9);
    box.SetText("Celestron 8");
    EXPECT_EQ(box.CommitEditText(), 1);
    EXPECT_EQ(box.GetSelectedText(), "Celestron 8");
    EXPECT_EQ(box.GetSelectedId(), 10);
    box.SetText("cel");
    EXPECT_EQ(box.CommitEditText(), 0);
    EXPECT_EQ(box.GetSelectedId(), 10);

    EXPECT_EQ(box.AddText("Alpha", 12), 0);
    EXPECT_EQ(box.AddText("", 12), 0);
    EXPECT_EQ(box.AddText("Delta", 0), -1);
    EXPECT_FALSE(box.IsNewText("Gamma"));
    EXPECT_EQ(box.SelectId(77), 0);

    box.setItemText(box.FindItemData(3), "Alpha Prime");
    EXPECT_EQ(box.StoreChoices(list), 1);
    EXPECT_EQ(list.TextForId(3), "Alpha Prime");
    EXPECT_EQ(list.TextForId(10), "Celestron 8");
    EXPECT_EQ(list.CurrentId(), 10);
    TurboComboBox empty;
    EXPECT_EQ(empty.NextFreeId(), 1);
}

TEST(TurboControls, AListBoxStopsAtAnIdItCannotHold)
{
    TurboComboBox combo;
    TurboListBox listBox(nullptr, false);
    CBdata ok(20, "SCOPES");
    ok.AddEntry("Alpha", 3);
    ok.AddEntry("Big", 300);  // beyond the id set of a list box
    ok.AddEntry("Gamma", 9);
    combo.LoadChoices(ok);
    EXPECT_EQ(combo.GetCount(), 3);
    EXPECT_EQ(listBox.LoadChoices(ok), 1) << "a list box stops at the first id it cannot hold";
    EXPECT_EQ(listBox.GetString(0), "Alpha");
}

TEST(TurboListBox, SelectionIsASetOfIds)
{
    CBdata list(20, "FILTERS");
    list.AddEntry("UHC", 4);
    list.AddEntry("OIII", 2);
    list.AddEntry("H-Beta", 7);
    TurboListBox box;
    EXPECT_EQ(box.LoadChoices(list), 3);
    TBitSet chosen;
    chosen.set(7).set(2).set(100);
    box.SetChosenIds(chosen);
    box.ApplySelection();
    EXPECT_EQ(box.GetSelCount(), 2);
    TBitSet expected;
    expected.set(7).set(2);
    EXPECT_EQ(box.GetChosenIds(), expected);
}

TEST(ConstellationControls, ListNamesWithCodes)
{
    TurboCBconstel combo;
    EXPECT_EQ(combo.GetCount(), 89);
    combo.SelectIndex(9);
    EXPECT_EQ(combo.GetSelString(), "Caelum");
    EXPECT_EQ(combo.GetSelectedIndex(), 9);
    combo.SelectIndex(ConstellationNoComment);
    EXPECT_EQ(combo.GetSelString(), "(no comment)");

    TListConstel list;
    EXPECT_EQ(list.GetCount(), 89);
    const int antlia = list.IndexOfCode(1);
    ASSERT_NE(antlia, fw::LB_ERR);
    EXPECT_EQ(list.GetString(antlia), "Antlia");
    EXPECT_EQ(list.IndexOfCode(89), fw::LB_ERR);
}

TEST(ListChooser, ConstellationsRoundTripThroughTheDialog)
{
    ListChooser dlg(nullptr, ListChooser::Constellations);
    TBitSet chosen;
    chosen.set(5).set(ConstellationNoComment);
    dlg.SetChosenIds(chosen);
    dlg.EnsureSetUp();
    auto* list = dlg.ControlAs<TListConstel>(ListChooser::kListId);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetSelCount(), 2);
    EXPECT_TRUE(list->GetSel(list->IndexOfCode(ConstellationNoComment)));
    dlg.PressButton(fw::IDOK);
    EXPECT_EQ(dlg.Result(), fw::IDOK);
    EXPECT_EQ(dlg.GetChosenIds(), chosen);
}

TEST(ListChooser, ChoicesDropUnknownIdsAndCancelKeepsTheSet)
{
    CBdata list(30, "SKY");
    list.AddEntry("Clear", 1);
    list.AddEntry("Hazy", 2);
    TBitSet chosen;
    chosen.set(2).set(40);

    ListChooser cancelled(nullptr, ListChooser::Choices);
    cancelled.SetChoices(list);
    cancelled.SetChosenIds(chosen);
    cancelled.EnsureSetUp();
    cancelled.PressButton(fw::IDCANCEL);
    EXPECT_EQ(cancelled.GetChosenIds(), chosen);

    ListChooser dlg(nullptr, ListChooser::Choices);
    dlg.SetChoices(list);
    dlg.SetChosenIds(chosen);
    EXPECT_EQ(dlg.GetCaption(), "Match Types");
    dlg.EnsureSetUp();
    auto* box = dlg.ControlAs<TurboListBox>(ListChooser::kListId);
    box->SetSel(box->FindExactString("Clear"), true);
    dlg.PressButton(fw::IDOK);
    TBitSet expected;
    expected.set(1).set(2);
    EXPECT_EQ(dlg.GetChosenIds(), expected);
}

} // namespace
