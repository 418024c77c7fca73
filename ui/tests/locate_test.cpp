#include "ui/CountryDlg.h"
#include "ui/Locate.h"

#include "framework/gui/ComboBox.h"
#include "framework/gui/Help.h"
#include "framework/gui/ListBox.h"
#include "framework/gui/MessageBox.h"
#include "framework/stream/PStream.h"
#include "framework/testsupport/TestSupport.h"
#include "framework/testsupport/Snapshot.h"

#include <gtest/gtest.h>

#include <QPixmap>

#include <cmath>
#include <filesystem>

namespace {

using testsupport::ReadFileBytes;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

std::string PreferredFileBytes(const std::vector<LLposit>& entries, const char* trailer = Locate::kSignature)
{
    fw::omstream out;
    out.writeString(Locate::kSignature);
    out.writeWord32(4);
    out.writeWord32(static_cast<std::uint32_t>(entries.size()));
    for (const auto& e : entries)
        e.Write(out);
    out.writeString(trailer);
    return out.str();
}

std::vector<LLposit> ReadPreferred(const std::string& path)
{
    fw::imstream in(ReadFileBytes(path));
    std::vector<LLposit> entries;
    if (in.readString() != Locate::kSignature || in.readWord32() != 4)
        return entries;
    const std::uint32_t n = in.readWord32();
    for (std::uint32_t i = 0; i < n && i < 100; ++i) {
        LLposit e;
        e.Read(in);
        entries.push_back(e);
    }
    EXPECT_EQ(in.readString(), Locate::kSignature);
    return entries;
}

std::vector<std::string> Names(const std::vector<LLposit>& entries)
{
    std::vector<std::string> names;
    for (const auto& e : entries)
        names.push_back(e.GetName());
    return names;
}

// A small site list: Aland (country 0) with the regions North (0) and South (1) and one site
// of its own; Bland (country 1) without regions.
std::string SiteListBytes()
{
    fw::omstream out;
    out.writeString("site list");
    out.writeWord32(4);
    out.writeWord32(2);
    out.writeString("Aland"); out.writeWord32(0);
    out.writeString("Bland"); out.writeWord32(1);
    out.writeWord32(2);
    out.writeByte(0); out.writeWord32(0);
    out.writeByte(0); out.writeWord32(1);
    out.writeWord32(2);
    out.writeString("North"); out.writeWord32(0);
    out.writeString("South"); out.writeWord32(1);
    const struct { int country, region; const char* name; float lat, lon; } sites[] = {
        {1, 255, "Bay", -12.5f, 45.25f},   // position 0: the first site of the list
        {1, 255, "Cape", -13.0f, 46.0f},
        {0, 0, "Hill", 60.0f, 10.0f},
        {0, 1, "Vale", 55.0f, 11.0f},
        {0, 255, "Capital", 58.0f, 12.0f},
    };
    out.writeWord32(5);
    for (const auto& s : sites) {
        LocationData d;
        d.country = static_cast<std::uint8_t>(s.country);
        d.region = static_cast<std::uint8_t>(s.region);
        d.name = s.name;
        d.latitude = s.lat;
        d.longitude = s.lon;
        d.Write(out);
    }
    return out.str();
}

std::vector<std::string> Items(const fw::ListBox& list)
{
    std::vector<std::string> items;
    for (int i = 0; i < list.GetCount(); ++i)
        items.push_back(list.GetString(i));
    return items;
}

// Chooses the items with these texts in turn, each with OK.
fw::DialogResponder ChooseInTurn(std::vector<std::string> texts)
{
    return [texts](fw::Dialog& d) {
        auto* list = d.ControlAs<fw::ListBox>(CountryDlg::kListId);
        for (const auto& t : texts) {
            const int i = list->FindExactString(t);
            EXPECT_NE(i, fw::LB_ERR) << t;
            list->SetSelIndex(i);
            d.PressButton(fw::IDOK);
        }
        return fw::IDCANCEL;
    };
}

struct LocateFixture : ::testing::Test {
    TempDir dir;
    std::string pref = dir.file("prefloc.rsx");
    std::string sites = dir.file("defloc.rsx");
    fw::ScriptedMessageBoxes boxes;

    void SetUp() override { ASSERT_TRUE(WriteFileBytes(sites, SiteListBytes())); }

    std::unique_ptr<Locate> Open(const LLposit& site)
    {
        auto dlg = std::make_unique<Locate>(nullptr, pref, sites);
        dlg->SetSite(site);
        dlg->EnsureSetUp();
        return dlg;
    }
    static fw::ComboBox* Combo(Locate& d) { return d.ControlAs<fw::ComboBox>(Locate::kSiteCombo); }
};

TEST_F(LocateFixture, ShowsTheSiteAndStoresItOnOk)
{
    auto dlg = Open(LLposit(-(33 + 55.0 / 60 + 0.6 / 3600), 151.25, "Sydney"));
    EXPECT_EQ(dlg->GetCaption(), "OBSERVATION LOCATION");
    EXPECT_EQ(dlg->ControlText(Locate::kSiteCombo), "Sydney");
    EXPECT_EQ(dlg->ControlText(Locate::kLatDegrees), "33");
    EXPECT_EQ(dlg->ControlText(Locate::kLatMinutes), "55");
    EXPECT_EQ(dlg->ControlText(Locate::kLatSeconds), "1");
    EXPECT_EQ(dlg->ControlText(Locate::kLonMinutes), "15");
    EXPECT_EQ(dlg->IsButtonChecked(Locate::kSouth), fw::BF_CHECKED);
    EXPECT_EQ(dlg->IsButtonChecked(Locate::kEast), fw::BF_CHECKED);
    EXPECT_FALSE(dlg->IsControlEnabled(Locate::kDelete)) << "one entry cannot be deleted";
    EXPECT_TRUE(dlg->IsControlEnabled(Locate::kChooseDefault));

    dlg->SetControlText(Locate::kLatDegrees, "34");
    dlg->CheckButton(Locate::kNorth, fw::BF_CHECKED);
    dlg->PressButton(fw::IDOK);
    EXPECT_EQ(dlg->Result(), fw::IDOK);
    EXPECT_EQ(boxes.Count(), 0);
    const auto saved = ReadPreferred(pref);
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_NEAR(saved[0].Latitude(), 34 + 55.0 / 60 + 1.0 / 3600, 1e-9);
    EXPECT_NEAR(dlg->Site().Latitude(), saved[0].Latitude(), 1e-12);

    fw::RecordedHelp help;
    dlg->PressButton(fw::IDHELP);
    EXPECT_EQ(help.Contexts(), std::vector<int>{82});
}

TEST_F(LocateFixture, TypedNamesMatchWholeNamesOnly)
{
    ASSERT_TRUE(WriteFileBytes(pref, PreferredFileBytes({LLposit(32.5, -117, "San Diego"), LLposit(10, 10, "Other")})));
    // A name that only begins an entry's name is a new entry.
    auto dlg = Open(LLposit(32.5, -117, "San Diego"));
    dlg->SetControlText(Locate::kSiteCombo, "San");
    dlg->SetControlText(Locate::kLatDegrees, "40");
    dlg->PressButton(fw::IDOK);
    auto saved = ReadPreferred(pref);
    EXPECT_EQ(Names(saved), (std::vector<std::string>{"San Diego", "Other", "San"}));
    EXPECT_NEAR(saved[0].Latitude(), 32.5, 1e-9);
    EXPECT_NEAR(saved[2].Latitude(), 40.5, 1e-9);

    // The whole name in other letter case is the same entry.
    dlg = Open(LLposit(32.5, -117, "San Diego"));
    dlg->SetControlText(Locate::kSiteCombo, "  SAN DIEGO ");
    dlg->SetControlText(Locate::kLatDegrees, "41");
    dlg->PressButton(fw::IDOK);
    saved = ReadPreferred(pref);
    EXPECT_EQ(Names(saved), (std::vector<std::string>{"SAN DIEGO", "Other", "San"}));
    EXPECT_NEAR(saved[0].Latitude(), 41.5, 1e-9);

    // An empty name is refused: the shown site keeps its name and no entry is overwritten.
    dlg = Open(LLposit(10, 10, "Other"));
    dlg->SetControlText(Locate::kSiteCombo, "");
    dlg->SetControlText(Locate::kLatDegrees, "12");
    dlg->PressButton(fw::IDOK);
    saved = ReadPreferred(pref);
    EXPECT_EQ(Names(saved), (std::vector<std::string>{"SAN DIEGO", "Other", "San"}));
    EXPECT_NEAR(saved[0].Latitude(), 41.5, 1e-9);
    EXPECT_EQ(saved[1].Latitude(), 12.0);
    EXPECT_EQ(dlg->Site().GetName(), "Other");
}

TEST_F(LocateFixture, LongSiteNamesAreKeptWhole)
{
    // The longest names of the shipped site list run past forty characters.
    const std::string name = "Enchanted Rock State Natural Area (Fredricksburg) IDS";
    auto dlg = Open(LLposit(30.5, -98.8, name));
    EXPECT_EQ(dlg->ControlText(Locate::kSiteCombo), name);
    dlg->PressButton(fw::IDOK);
    EXPECT_EQ(Names(ReadPreferred(pref)), std::vector<std::string>{name});
    // A typed name with letters beyond ASCII is never cut inside a letter.
    dlg = Open(LLposit(30.5, -98.8, name));
    const std::string typed = std::string(39, 'a') + "\xC3\xB6";
    dlg->SetControlText(Locate::kSiteCombo, typed);
    dlg->PressButton(fw::IDOK);
    EXPECT_EQ(Names(ReadPreferred(pref)), (std::vector<std::string>{name, typed}));
}

TEST_F(LocateFixture, ChangingTheSelectionKeepsTheEditsOfTheSiteLeft)
{
    ASSERT_TRUE(WriteFileBytes(pref, PreferredFileBytes({LLposit(1, 1, "Alpha"), LLposit(2, 2, "Beta")})));
    auto dlg = Open(LLposit(1, 1, "Alpha"));
    EXPECT_TRUE(dlg->IsControlEnabled(Locate::kDelete));
    dlg->SetControlText(Locate::kLatDegrees, "7");
    Combo(*dlg)->SetSelIndex(Combo(*dlg)->FindExactString("Beta"));
    dlg->SendNotify(Locate::kSiteCombo, fw::CBN_SELCHANGE);
    EXPECT_EQ(dlg->ControlText(Locate::kSiteCombo), "Beta");
    EXPECT_EQ(dlg->ControlText(Locate::kLatDegrees), "2");
    EXPECT_EQ(dlg->Entry(0).Latitude(), 7.0);

    // A name typed before picking another entry names the site that was being edited.
    dlg->SetControlText(Locate::kSiteCombo, "Beta Two");
    dlg->SendNotify(Locate::kSiteCombo, fw::CBN_EDITCHANGE);
    dlg->SetControlText(Locate::kLatDegrees, "8");
    Combo(*dlg)->SetSelIndex(Combo(*dlg)->FindExactString("Alpha"));
    dlg->SendNotify(Locate::kSiteCombo, fw::CBN_SELCHANGE);
    ASSERT_EQ(dlg->Count(), 3);
    EXPECT_EQ(dlg->Entry(1).Latitude(), 2.0);
    EXPECT_EQ(dlg->Entry(2).GetName(), "Beta Two");
    EXPECT_EQ(dlg->Entry(2).Latitude(), 8.0);
    EXPECT_EQ(dlg->ControlText(Locate::kLatDegrees), "7");
    dlg->PressButton(fw::IDCANCEL);
    EXPECT_NEAR(ReadPreferred(pref)[0].Latitude(), 1.0, 1e-12) << "Cancel writes nothing";
}

TEST_F(LocateFixture, DeleteRemovesTheNamedEntryOrNothing)
{
    ASSERT_TRUE(WriteFileBytes(pref, PreferredFileBytes({LLposit(1, 1, "Alpha"), LLposit(2, 2, "Beta"),
                                                         LLposit(3, 3, "Gamma")})));
    auto dlg = Open(LLposit(3, 3, "Gamma"));
    ASSERT_EQ(Combo(*dlg)->GetSelIndex(), fw::CB_ERR) << "the shown site is not selected in the box";
    dlg->PressButton(Locate::kDelete);
    EXPECT_EQ(Names(std::vector<LLposit>{dlg->Entry(0), dlg->Entry(1)}), (std::vector<std::string>{"Alpha", "Beta"}));
    EXPECT_EQ(dlg->Count(), 2);
    EXPECT_EQ(dlg->ControlText(Locate::kSiteCombo), "Alpha") << "the first entry is shown next";

    // An empty name deletes nothing.
    dlg->SetControlText(Locate::kSiteCombo, "");
    dlg->PressButton(Locate::kDelete);
    EXPECT_EQ(dlg->Count(), 2);

    dlg->SetControlText(Locate::kSiteCombo, "beta");
    dlg->PressButton(Locate::kDelete);
    EXPECT_EQ(dlg->Count(), 1);
    EXPECT_FALSE(dlg->IsControlEnabled(Locate::kDelete));
    dlg->PressButton(Locate::kDelete);  // the last entry stays
    EXPECT_EQ(dlg->Count(), 1);
    dlg->PressButton(fw::IDOK);
    EXPECT_EQ(Names(ReadPreferred(pref)), std::vector<std::string>{"Alpha"});
}

TEST_F(LocateFixture, ADamagedFileIsKeptAndNeverReplacedWithoutAsking)
{
    const std::string damaged =
        PreferredFileBytes({LLposit(1, 1, "Alpha"), LLposit(2, 2, "Beta")}, "Quillon Software - Damaged");
    ASSERT_TRUE(WriteFileBytes(pref, damaged));
    auto dlg = Open(LLposit(5, 5, "Here"));
    EXPECT_TRUE(dlg->PreferredFileDamaged());
    EXPECT_EQ(dlg->Count(), 3) << "what was read stays, with the current site";
    boxes.Answer(fw::IDNO);
    dlg->PressButton(fw::IDOK);
    EXPECT_EQ(dlg->Result(), fw::IDOK);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Last().style & 0x0F, fw::MB_YESNO);
    EXPECT_EQ(ReadFileBytes(pref), damaged);

    dlg = Open(LLposit(5, 5, "Here"));
    boxes.Answer(fw::IDYES);
    dlg->PressButton(fw::IDOK);
    EXPECT_EQ(Names(ReadPreferred(pref)), (std::vector<std::string>{"Alpha", "Beta", "Here"}));

    // A foreign file gives no entries but is still not replaced silently.
    ASSERT_TRUE(WriteFileBytes(pref, "not a location file"));
    dlg = Open(LLposit(5, 5, "Here"));
    EXPECT_EQ(dlg->Count(), 1);
    boxes.Answer(fw::IDNO);
    dlg->PressButton(fw::IDOK);
    EXPECT_EQ(ReadFileBytes(pref), "not a location file");
}

TEST_F(LocateFixture, AFullListRefusesANewName)
{
    std::vector<LLposit> fifty;
    for (int i = 0; i < 50; ++i)
        fifty.emplace_back(i, i, "Site " + std::to_string(i));
    ASSERT_TRUE(WriteFileBytes(pref, PreferredFileBytes(fifty)));
    auto dlg = Open(LLposit(5, 5, "Site 5"));
    dlg->SetControlText(Locate::kSiteCombo, "Newcomer");
    dlg->PressButton(fw::IDOK);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Last().text, Locate::kFullListMessage);
    EXPECT_EQ(Names(ReadPreferred(pref)), Names(fifty));

    // A current site that is not in the full list gives way to the first entry.
    dlg = Open(LLposit(5, 5, "Elsewhere"));
    EXPECT_EQ(dlg->Site().GetName(), "Site 0");
}

TEST_F(LocateFixture, OutOfRangeSpinnerTextsAreRefused)
{
    auto dlg = Open(LLposit(20, 20, "Here"));
    dlg->SetControlText(Locate::kLatDegrees, "91");
    dlg->PressButton(fw::IDOK);
    EXPECT_NE(dlg->Result(), fw::IDOK);
    EXPECT_EQ(boxes.Count(), 1);
    EXPECT_TRUE(ReadFileBytes(pref).empty()) << "nothing written while a field is refused";
}

// Every position the file can hold is confirmed as it stands, the poles and the date line
// included (and positions that round onto them); only fields past the limits are refused.
TEST_F(LocateFixture, PositionsOnTheLimitsAreConfirmed)
{
    struct Case { double lat, lon; } cases[] = {
        {90, 0}, {-90, 0}, {0, 180}, {89.99999, 10}, {10, -179.9999}, {-89.99999, 179.99999},
    };
    for (const Case& c : cases) {
        auto dlg = Open(LLposit(c.lat, c.lon, "Edge"));
        dlg->PressButton(fw::IDOK);
        EXPECT_EQ(dlg->Result(), fw::IDOK) << c.lat << " " << c.lon;
        EXPECT_EQ(boxes.Count(), 0) << c.lat << " " << c.lon;
        const auto saved = ReadPreferred(pref);
        ASSERT_EQ(saved.size(), 1u);
        EXPECT_NEAR(saved[0].Latitude(), c.lat, 1.0 / 3600) << c.lat;
        // 180 W and 180 E are one meridian, stored as 180.
        EXPECT_NEAR(std::fabs(saved[0].Longitude()), std::fabs(c.lon), 1.0 / 3600) << c.lon;
        boxes.Clear();
    }
    const struct { int degrees, minutes; const char* message; } beyond[] = {
        {Locate::kLatDegrees, Locate::kLatMinutes, "The latitude cannot exceed 90\xC2\xB0."},
        {Locate::kLonDegrees, Locate::kLonMinutes, "The longitude cannot exceed 180\xC2\xB0."},
    };
    for (const auto& b : beyond) {
        std::filesystem::remove(pref);
        auto dlg = Open(LLposit(10, 10, "Here"));
        dlg->SetControlText(b.degrees, b.degrees == Locate::kLatDegrees ? "90" : "180");
        dlg->SetControlText(b.minutes, "30");
        dlg->PressButton(fw::IDOK);
        EXPECT_NE(dlg->Result(), fw::IDOK);
        ASSERT_EQ(boxes.Count(), 1);
        EXPECT_EQ(boxes.Last().text, b.message);
        EXPECT_FALSE(std::filesystem::exists(pref)) << "nothing written";
        boxes.Clear();
    }
}

// The preferred file is found whatever the letter case of its name, and written back to the
// same file: no second file appears beside it.
TEST_F(LocateFixture, SavesToThePreferredFileThatWasRead)
{
    const std::string upper = dir.file("PREFLOC.RSX");
    ASSERT_TRUE(WriteFileBytes(upper, PreferredFileBytes({LLposit(1, 1, "Alpha")})));
    auto dlg = Open(LLposit(1, 1, "Alpha"));
    ASSERT_EQ(dlg->Count(), 1);
    dlg->SetControlText(Locate::kSiteCombo, "Beta");
    dlg->PressButton(fw::IDOK);
    EXPECT_EQ(Names(ReadPreferred(upper)), (std::vector<std::string>{"Alpha", "Beta"}));
    EXPECT_FALSE(std::filesystem::exists(pref));
}

TEST_F(LocateFixture, ChoosesASiteFromTheSiteList)
{
    auto dlg = Open(LLposit(20, 20, "Here"));
    fw::ScriptedDialogs chooser(ChooseInTurn({"Bland", "Bay"}));
    dlg->PressButton(Locate::kChooseDefault);
    EXPECT_EQ(chooser.Captions(), std::vector<std::string>{"Location Chooser"});
    EXPECT_EQ(dlg->ControlText(Locate::kSiteCombo), "Bay");
    EXPECT_EQ(dlg->ControlText(Locate::kLatDegrees), "12");
    EXPECT_EQ(dlg->ControlText(Locate::kLatMinutes), "30");
    EXPECT_EQ(dlg->ControlText(Locate::kLonMinutes), "15");
    EXPECT_EQ(dlg->IsButtonChecked(Locate::kSouth), fw::BF_CHECKED);
    dlg->PressButton(fw::IDOK);
    EXPECT_EQ(Names(ReadPreferred(pref)), (std::vector<std::string>{"Here", "Bay"}));
}

struct CountryFixture : ::testing::Test {
    TempDir dir;
    std::string sites = dir.file("defloc.rsx");
    void SetUp() override { ASSERT_TRUE(WriteFileBytes(sites, SiteListBytes())); }
};

TEST_F(CountryFixture, WalksFromCountryToRegionToSite)
{
    CountryDlg dlg(nullptr, sites, 82);
    dlg.EnsureSetUp();
    auto* list = dlg.ControlAs<fw::ListBox>(CountryDlg::kListId);
    EXPECT_EQ(Items(*list), (std::vector<std::string>{"Aland", "Bland"}));

    // Nothing selected: OK and a double click take nothing.
    dlg.PressButton(fw::IDOK);
    dlg.SendNotify(CountryDlg::kListId, fw::LBN_DBLCLK);
    EXPECT_EQ(dlg.CurrentStage(), CountryDlg::Countries);
    EXPECT_EQ(dlg.Result(), 0);

    list->SetSelIndex(0);
    dlg.SendNotify(CountryDlg::kListId, fw::LBN_DBLCLK);
    EXPECT_EQ(dlg.CurrentStage(), CountryDlg::Regions);
    EXPECT_EQ(Items(*list), (std::vector<std::string>{"North", "South", "Capital"}))
        << "regions, then the country's sites without a region";
    list->SetSelIndex(1);
    dlg.PressButton(fw::IDOK);
    EXPECT_EQ(Items(*list), std::vector<std::string>{"Vale"});
    list->SetSelIndex(0);
    dlg.PressButton(fw::IDOK);
    EXPECT_EQ(dlg.Result(), fw::IDOK);
    EXPECT_EQ(dlg.Chosen().name, "Vale");
    EXPECT_EQ(dlg.Chosen().longitude, 11.0f);
}

TEST_F(CountryFixture, ACountryWithoutRegionsListsItsSitesAndTheFirstSiteCanBeChosen)
{
    CountryDlg dlg(nullptr, sites, 0);
    dlg.EnsureSetUp();
    auto* list = dlg.ControlAs<fw::ListBox>(CountryDlg::kListId);
    list->SetSelIndex(1);
    dlg.PressButton(fw::IDOK);
    EXPECT_EQ(dlg.CurrentStage(), CountryDlg::Sites);
    EXPECT_EQ(Items(*list), (std::vector<std::string>{"Bay", "Cape"}));
    EXPECT_EQ(list->GetItemData(0), CountryDlg::kSiteFlag + 0);
    list->SetSelIndex(0);
    dlg.PressButton(fw::IDOK);
    EXPECT_EQ(dlg.Result(), fw::IDOK);
    EXPECT_EQ(dlg.Chosen().name, "Bay");
}

TEST_F(CountryFixture, APositionBeyondTheSiteListIsNotTaken)
{
    CountryDlg dlg(nullptr, sites, 0);
    dlg.EnsureSetUp();
    auto* list = dlg.ControlAs<fw::ListBox>(CountryDlg::kListId);
    list->SetSelIndex(1);
    dlg.PressButton(fw::IDOK);
    // The file loses its sites between listing and choosing.
    const std::string bytes = SiteListBytes();
    ASSERT_TRUE(WriteFileBytes(sites, bytes.substr(0, bytes.size() - 100)));
    list->SetSelIndex(1);
    dlg.PressButton(fw::IDOK);
    EXPECT_NE(dlg.Result(), fw::IDOK);
    EXPECT_EQ(dlg.Chosen().name, "");

    // A missing file gives empty lists.
    CountryDlg missing(nullptr, dir.file("none.rsx"), 0);
    missing.EnsureSetUp();
    EXPECT_EQ(missing.ControlAs<fw::ListBox>(CountryDlg::kListId)->GetCount(), 0);
}

TEST(LocateShipped, ChoosesAShippedSiteSavesItAndDeletesIt)
{
    const std::string program = testsupport::ProgramDataDir("defloc.rsx");
    STELLUM_REQUIRE_DATA(program);
    TempDir dir;
    const std::string pref = dir.file("prefloc.rsx");
    fw::ScriptedMessageBoxes boxes;

    const CountryDlg::SiteList shipped = CountryDlg::ReadSiteList(program + "defloc.rsx");
    EXPECT_TRUE(shipped.complete);
    EXPECT_GT(shipped.sites.size(), 3000u);

    {
        Locate dlg(nullptr, pref, program + "defloc.rsx");
        dlg.EnsureSetUp();
        fw::ScriptedDialogs chooser(ChooseInTurn({"USA", "Arizona", "Tucson"}));
        dlg.PressButton(Locate::kChooseDefault);
        EXPECT_EQ(dlg.ControlText(Locate::kSiteCombo), "Tucson");
        // 32.220556 N, 110.968889 W.
        EXPECT_EQ(dlg.ControlText(Locate::kLatDegrees) + " " + dlg.ControlText(Locate::kLatMinutes) + " " +
                      dlg.ControlText(Locate::kLatSeconds),
                  "32 13 14");
        EXPECT_EQ(dlg.ControlText(Locate::kLonDegrees) + " " + dlg.ControlText(Locate::kLonMinutes) + " " +
                      dlg.ControlText(Locate::kLonSeconds),
                  "110 58 8");
        EXPECT_EQ(dlg.IsButtonChecked(Locate::kWest), fw::BF_CHECKED);
        dlg.PressButton(fw::IDOK);
    }
    EXPECT_EQ(Names(ReadPreferred(pref)), (std::vector<std::string>{"San Diego", "Tucson"}));
    {
        Locate dlg(nullptr, pref, program + "defloc.rsx");
        dlg.EnsureSetUp();
        EXPECT_EQ(dlg.Site().GetName(), "San Diego");
        dlg.SetControlText(Locate::kSiteCombo, "Tucson");
        dlg.PressButton(Locate::kDelete);
        dlg.PressButton(fw::IDOK);
    }
    EXPECT_EQ(Names(ReadPreferred(pref)), std::vector<std::string>{"San Diego"});
    EXPECT_EQ(boxes.Count(), 0);
}

// Saves pictures of both dialogs for a look: run with --gtest_also_run_disabled_tests.
TEST(LocateShipped, DISABLED_Screenshots)
{
    const std::string program = testsupport::ProgramDataDir("defloc.rsx");
    TempDir dir;
    Locate dlg(nullptr, dir.file("prefloc.rsx"), program + "defloc.rsx");
    dlg.SetSite(LLposit(32.220556, -110.968889, "Tucson"));
    dlg.EnsureSetUp();
    testsupport::SaveDialogSnapshot(dlg, "locate.png");
    CountryDlg chooser(nullptr, program + "defloc.rsx", 82);
    chooser.EnsureSetUp();
    auto* list = chooser.ControlAs<fw::ListBox>(CountryDlg::kListId);
    list->SetSelIndex(list->FindExactString("USA"));
    chooser.PressButton(fw::IDOK);
    list->SetSelIndex(list->FindExactString("Arizona"));
    testsupport::SaveDialogSnapshot(chooser, "country_chooser.png");
}

} // namespace
