// The configuration store and its file: round trips of every record class, older bodies,
// damaged and foreign files, and the record limit.
#include "framework/gui/MessageBox.h"
#include "framework/stream/AtomicFile.h"
#include "framework/stream/PStream.h"
#include "framework/testsupport/TestSupport.h"
#include "globals/Globals.h"
#include "ui/AngleLabelConfig.h"
#include "ui/ChartConfig.h"
#include "ui/Configuration.h"
#include "ui/CoordLabelConfig.h"
#include "ui/DistanceLabelConfig.h"
#include "ui/DropConfig.h"
#include "ui/GraphConfig.h"
#include "ui/MagLabelConfig.h"
#include "ui/StellumConfig.h"
#include "ui/TimeDateLabelConfig.h"
#include "astro/Angle.h"
#include "astro/Distance.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>

using testsupport::ReadFileBytes;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

namespace {

const std::string kSig = "Quillon Software - Stellum - Configuration File";

std::string FileStart(std::uint32_t fileVersion = 1)
{
    fw::omstream os;
    os.writeString(kSig);
    os.writeWord32(fileVersion);
    return os.str();
}

std::string Header(const std::string& cls, const std::string& inst, std::uint32_t version)
{
    fw::omstream os;
    os.writeString(cls);
    os.writeString(inst);
    os.writeWord32(version);
    return os.str();
}

std::string ClosingHeader() { return Header("", "", 1); }

std::string Body(ConfigInfo& record)
{
    fw::omstream os;
    record.Write(os);
    return os.str();
}

// Every record class with every field changed from its default.
struct Filled {
    ChartConfig chart{"ChartWindow"};
    GraphConfig graph{"TimeAltPlot"};
    DropConfig drop{"ChartWin"};
    LabelConfig label{"Name"};
    AngleLabelConfig angle{"PositAngle"};
    MagLabelConfig mag{"Mag"};
    CoordLabelConfig coord{"CCORD"};
    TimeDateLabelConfig timeDate{"RISE"};
    DistanceLabelConfig distance{"Distance"};
    StellumConfig stellum{"Stellum 4"};

    Filled()
    {
        for (int i = 1; i < ChartConfig::kColorCount; ++i) chart.colors[i] = 0x010203u * i;
        chart.grid = false;
        chart.labels = false;
        chart.starMagLimit = 9.75;
        graph.moonOptions = 5;
        for (int i = 1; i < GraphConfig::kColorCount; ++i) graph.colors[i] = 0x030201u * i;
        for (int i = 1; i < DropConfig::kColorCount; ++i) drop.colors[i] = 0x102030u + i;
        for (int i = 1; i < LabelConfig::kColorCount; ++i) label.colors[i] = 0x405060u + i;
        angle.colors[7] = 0x123456;
        angle.units = 6;
        angle.format = 0;
        angle.precision = 5;
        mag.precision = 3;
        for (int i = 0; i < CoordLabelConfig::kSettingCount; ++i) coord.settings[i] = 100 + i;
        timeDate.settings = {{11, 12, 13, 14, 15}};
        distance.units1 = 1;
        distance.units2 = 2;
        stellum.colorScheme = 1;
        stellum.lastPlannerFile = "/home/obs/Messier.sl4";
        stellum.lastLogFile = "/home/obs/2026.log";
        stellum.logWindowState = 3;
        stellum.plannerWindowState = 5;
        stellum.mainWindowState = 0;
        stellum.useClock = false;
        stellum.now = JulianDate(2461020.25, JulianDate::kJulianDay);
        stellum.site = ObsSite(Angle(-11.5, Angle::kDegrees), Angle(-33.25, Angle::kDegrees), "Sutherland", 2.0, Distance(1760.0));
        stellum.site.SetDstStartRule(1, 0, 3, 2, 0);
    }
    std::vector<ConfigInfo*> All()
    {
        return {&chart, &graph, &drop, &label, &angle, &mag, &coord, &timeDate, &distance, &stellum};
    }
};

} // namespace

TEST(Configuration, EveryRecordClassRoundTripsThroughTheFile)
{
    TempDir dir;
    const std::string file = dir.file("STLMCNFG.RSX");
    Filled in;
    {
        Configuration store(file);
        EXPECT_EQ(store.Count(), 0);
        for (ConfigInfo* r : in.All()) EXPECT_EQ(store.Store(*r), 1) << r->ClassName();
    }  // written by the destructor
    const std::string written = ReadFileBytes(file);
    ASSERT_FALSE(written.empty());

    Configuration store(file);
    ASSERT_EQ(store.Count(), 10);
    Filled out;
    for (ConfigInfo* r : out.All()) r->SetDefaults();
    out.label.colors.fill(0);
    // Fresh records with defaults, loaded from the store.
    ChartConfig chart("ChartWindow");
    GraphConfig graph("TimeAltPlot");
    DropConfig drop("ChartWin");
    LabelConfig label("Name");
    AngleLabelConfig angle("PositAngle");
    MagLabelConfig mag("Mag");
    CoordLabelConfig coord("CCORD");
    TimeDateLabelConfig timeDate("RISE");
    DistanceLabelConfig distance("Distance");
    StellumConfig stellum;
    for (ConfigInfo* r : std::vector<ConfigInfo*>{&chart, &graph, &drop, &label, &angle, &mag, &coord,
                                                  &timeDate, &distance, &stellum})
        EXPECT_EQ(store.Load(*r), 1) << r->ClassName();

    // Indexes 1-60 of the chart travel through the file; 61-69 are not written.
    for (int i = 1; i <= 60; ++i) EXPECT_EQ(chart.colors[i], in.chart.colors[i]) << i;
    EXPECT_EQ(chart.colors[61], HexRGB(0x808080));
    EXPECT_FALSE(chart.grid);
    EXPECT_FALSE(chart.labels);
    EXPECT_TRUE(chart.telrad);
    EXPECT_DOUBLE_EQ(chart.starMagLimit, 9.75);
    EXPECT_EQ(graph.moonOptions, 5u);
    for (int i = 1; i <= 60; ++i) EXPECT_EQ(graph.colors[i], in.graph.colors[i]) << i;
    for (int i = 1; i <= 25; ++i) EXPECT_EQ(drop.colors[i], in.drop.colors[i]) << i;
    EXPECT_EQ(label.colors, in.label.colors);
    EXPECT_EQ(angle.colors[7], 0x123456u);
    EXPECT_EQ(angle.units, 6);
    EXPECT_EQ(angle.format, 0);
    EXPECT_EQ(angle.precision, 5);
    EXPECT_EQ(mag.precision, 3);
    EXPECT_EQ(coord.settings, in.coord.settings);
    // The fifth time-and-date setting is not written to the file.
    EXPECT_EQ(timeDate.settings[3], 14);
    EXPECT_EQ(timeDate.settings[4], 0);
    EXPECT_EQ(distance.units1, 1);
    EXPECT_EQ(distance.units2, 2);
    EXPECT_EQ(stellum.colorScheme, 1);
    EXPECT_EQ(stellum.lastPlannerFile, "/home/obs/Messier.sl4");
    EXPECT_EQ(stellum.lastLogFile, "/home/obs/2026.log");
    EXPECT_EQ(stellum.logWindowState, 3);
    EXPECT_EQ(stellum.plannerWindowState, 5);
    EXPECT_EQ(stellum.mainWindowState, 0);
    EXPECT_FALSE(stellum.useClock);
    EXPECT_DOUBLE_EQ(stellum.now.JD(), 2461020.25);
    EXPECT_EQ(stellum.site, in.stellum.site);
    EXPECT_EQ(stellum.site.Name(), "Sutherland");

    // Records nobody touched are written back exactly as they were read.
    ASSERT_EQ(store.Save(), 1);
    EXPECT_EQ(ReadFileBytes(file), written);
}

// A save that fails says so and leaves the old file; a file that is there but cannot be read
// (a directory stands at its name) is damaged, not missing.
TEST(Configuration, AFailedSaveIsSaidAndAnUnreadableFileIsDamaged)
{
    TempDir dir;
    const std::string file = dir.file("STLMCNFG.RSX");
    Configuration store(file);
    ASSERT_EQ(store.Save(), 1);
    const std::string before = ReadFileBytes(file);
    store.Store(DropConfig("TextWin"));
    fw::ScriptedMessageBoxes boxes;
    fw::FailReplacementsForTest(1);
    EXPECT_EQ(store.Save(), 0);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Last().text, "Unable to save the settings file " + file);
    EXPECT_EQ(ReadFileBytes(file), before);

    const std::string unreadable = dir.file("unreadable.rsx");
    ASSERT_EQ(mkdir(unreadable.c_str(), 0755), 0);
    fw::FailReplacementsForTest(1);  // nor is it replaced when the store is dropped
    EXPECT_TRUE(Configuration(unreadable).Damaged());
    fw::FailReplacementsForTest(0);
}

TEST(Configuration, FileLayoutOfAnEmptyStoreAndOfOneRecord)
{
    TempDir dir;
    const std::string file = dir.file("STLMCNFG.RSX");
    {
        Configuration store(file);
        ASSERT_EQ(store.Save(), 1);
        EXPECT_EQ(ReadFileBytes(file), FileStart() + ClosingHeader());
        DropConfig pane("TextWin");
        EXPECT_EQ(store.Store(pane), 1);
        ASSERT_EQ(store.Save(), 1);
        EXPECT_EQ(ReadFileBytes(file), FileStart() + Header("DropConfig", "TextWin", 4) + Body(pane) +
                                           ClosingHeader());
        EXPECT_EQ(Body(pane).size(), 75u);  // 25 colours of three bytes
    }
    // A file of only the signature, the version and the closing header is an empty store.
    ASSERT_TRUE(WriteFileBytes(file, FileStart() + ClosingHeader()));
    Configuration store(file);
    EXPECT_EQ(store.Count(), 0);
}

// The chart's star sizes divide by its limiting magnitude: a stored limit the chart cannot draw
// with (an older program took 0) is read as the default.
TEST(Configuration, AStoredStarLimitTheChartCannotUseGivesTheDefault)
{
    TempDir dir;
    const std::string file = dir.file("STLMCNFG.RSX");
    for (double stored : {0.0, -2.0, 6.5}) {
        {
            Configuration store(file);
            ChartConfig chart("ChartWindow");
            chart.starMagLimit = stored;
            ASSERT_EQ(store.Store(chart), 1);
            ASSERT_EQ(store.Save(), 1);
        }
        Configuration store(file);
        ChartConfig chart("ChartWindow");
        chart.starMagLimit = 3.0;
        ASSERT_EQ(store.Load(chart), 1);
        EXPECT_DOUBLE_EQ(chart.starMagLimit, stored > 0 ? stored : ChartConfig::kDefaultMagLimit) << stored;
    }
}

TEST(Configuration, OlderBodiesKeepTheDefaultsOfTheFieldsTheyLack)
{
    TempDir dir;
    const std::string file = dir.file("STLMCNFG.RSX");
    // A version-4 chart body: six words and 60 colours, no magnitude limit.
    fw::omstream chart4;
    for (std::uint32_t flag : {0u, 1u, 0u, 1u, 7u, 0u}) chart4.writeWord32(flag);
    for (int i = 1; i <= 60; ++i) {
        chart4.writeByte(static_cast<std::uint8_t>(i));
        chart4.writeByte(0x22);
        chart4.writeByte(0x33);
    }
    ASSERT_EQ(chart4.str().size(), 6u * 4 + 180);
    // A version-4 saved state: scheme, two file names, two window states.
    fw::omstream state4;
    state4.writeWord32(0);
    state4.writeString("a.sl4");
    state4.writeString("b.log");
    state4.writeWord32(1);
    state4.writeWord32(3);
    // A version-5 one adds the main window state.
    fw::omstream state5;
    state5.writeWord32(2);
    state5.writeString("c.sl4");
    state5.writeString("");
    state5.writeWord32(0);
    state5.writeWord32(5);
    state5.writeWord32(3);
    ASSERT_TRUE(WriteFileBytes(file, FileStart() + Header("ChartConfig", "ChartWindow", 4) + chart4.str() +
                                         Header("StellumConfig", "Stellum 4", 4) + state4.str() +
                                         Header("StellumConfig", "Old 5", 5) + state5.str() +
                                         ClosingHeader()));
    Configuration store(file);
    ASSERT_EQ(store.Count(), 3);

    ChartConfig chart("ChartWindow");
    chart.starMagLimit = 3.0;
    ASSERT_EQ(store.Load(chart), 1);
    EXPECT_DOUBLE_EQ(chart.starMagLimit, 7.2);
    EXPECT_EQ(chart.Version(), 5);
    EXPECT_FALSE(chart.grid);
    EXPECT_TRUE(chart.starsShown);
    EXPECT_TRUE(chart.solarSystem);  // any non-zero word is true
    EXPECT_FALSE(chart.labels);
    EXPECT_EQ(chart.colors[60], MakeRGB(60, 0x22, 0x33));

    StellumConfig state;
    ASSERT_EQ(store.Load(state), 1);
    EXPECT_EQ(state.colorScheme, 0);
    EXPECT_EQ(state.lastPlannerFile, "a.sl4");
    EXPECT_EQ(state.plannerWindowState, 3);
    EXPECT_EQ(state.mainWindowState, 9);
    EXPECT_TRUE(state.useClock);
    EXPECT_EQ(state.site, StellumConfig::DefaultSite());
    EXPECT_NEAR(state.now.JD(), StellumConfig::DefaultSite().NowAsUT().JD(), 0.01);
    StellumConfig old5("Old 5");
    ASSERT_EQ(store.Load(old5), 1);
    EXPECT_EQ(old5.mainWindowState, 3);
    EXPECT_TRUE(old5.useClock);

    // Written back in the current layouts.
    ASSERT_EQ(store.Save(), 1);
    const std::string rewritten = ReadFileBytes(file);
    const std::string chartHeader = Header("ChartConfig", "ChartWindow", 5);
    const std::size_t chartAt = rewritten.find(chartHeader);
    ASSERT_NE(chartAt, std::string::npos);
    const std::size_t nextAt = rewritten.find(Header("StellumConfig", "Stellum 4", 6));
    ASSERT_NE(nextAt, std::string::npos);
    EXPECT_EQ(nextAt - chartAt - chartHeader.size(), chart4.str().size() + 8);
    Configuration again(file);
    ChartConfig chartAgain("ChartWindow");
    chartAgain.starMagLimit = 1.0;
    ASSERT_EQ(again.Load(chartAgain), 1);
    EXPECT_DOUBLE_EQ(chartAgain.starMagLimit, 7.2);
    EXPECT_EQ(chartAgain.colors, chart.colors);
}

TEST(Configuration, MissingForeignOrDamagedFilesLeaveTheDefaults)
{
    TempDir dir;
    DropConfig pane("TextWin");
    const std::string good = FileStart() + Header("DropConfig", "TextWin", 4) + Body(pane) +
                             Header("DropConfig", "ChartWin", 4) + Body(pane) + ClosingHeader();
    struct Case {
        const char* what;
        std::string bytes;
        int records;
        bool damaged; // writing the store back would lose what the file held
    };
    const std::string secondBody = Header("DropConfig", "ChartWin", 4);
    const std::size_t cutInSecondBody = good.find(secondBody) + secondBody.size() + 40;
    const Case cases[] = {
        {"empty file", "", 0, true},
        {"foreign signature", "Quillon Software - Stellum - ObsSite" + good.substr(kSig.size()), 0, true},
        {"file version 2", FileStart(2) + good.substr(FileStart().size()), 0, true},
        {"cut inside the signature", good.substr(0, 20), 0, true},
        {"cut inside the second body", good.substr(0, cutInSecondBody), 1, true},
        {"cut before the closing header", good.substr(0, good.size() - ClosingHeader().size()), 2, true},
        {"unknown class in the middle",
         FileStart() + Header("DropConfig", "TextWin", 4) + Body(pane) + Header("Foreign", "x", 1) + Body(pane) +
             Header("DropConfig", "ChartWin", 4) + Body(pane) + ClosingHeader(),
         1, true},
        {"absurd name length", FileStart() + std::string("\xff\xff\xff\x7f", 4) + "DropConfig", 0, true},
        {"complete", good, 2, false},
    };
    for (const Case& c : cases) {
        const std::string file = dir.file(std::string(c.what) + ".rsx");
        ASSERT_TRUE(WriteFileBytes(file, c.bytes));
        Configuration store(file);
        EXPECT_EQ(store.Count(), c.records) << c.what;
        EXPECT_EQ(store.Damaged(), c.damaged) << c.what;
        // A record that is not held keeps its defaults.
        DropConfig chartPane("ChartWin");
        chartPane.colors[1] = 0xABCDEF;
        const int loaded = store.Load(chartPane);
        EXPECT_EQ(loaded, c.records == 2 ? 1 : 0) << c.what;
        if (!loaded) {
            EXPECT_EQ(chartPane.colors[1], 0xABCDEFu) << c.what;
        }
    }
    // A missing file gives an empty store, and the store writes a valid file at the end.
    const std::string missing = dir.file("missing.rsx");
    {
        Configuration store(missing);
        EXPECT_EQ(store.Count(), 0);
        EXPECT_FALSE(store.Damaged());
    }
    EXPECT_EQ(ReadFileBytes(missing), FileStart() + ClosingHeader());
    // A version-2 file is ignored whole and overwritten at exit.
    const std::string v2 = dir.file("file version 2.rsx");
    { Configuration store(v2); }
    EXPECT_EQ(ReadFileBytes(v2), FileStart() + ClosingHeader());
}

TEST(Configuration, KeysRecordClassesAndTheRecordLimit)
{
    TempDir dir;
    const std::string file = dir.file("STLMCNFG.RSX");
    {
        // A file of 201 records: the first 200 are kept.
        std::string bytes = FileStart();
        DropConfig pane("x");
        const std::string body = Body(pane);
        for (int i = 0; i < 201; ++i) bytes += Header("DropConfig", "Pane " + std::to_string(i), 4) + body;
        ASSERT_TRUE(WriteFileBytes(file, bytes + ClosingHeader()));
        Configuration store(file);
        EXPECT_EQ(store.Count(), 200);
        DropConfig last("Pane 199"), ignored("Pane 200");
        EXPECT_EQ(store.Load(last), 1);
        EXPECT_EQ(store.Load(ignored), 0);
        EXPECT_EQ(store.Store(ignored), 0);
    }
    Configuration store(dir.file("other.rsx"));
    // Same instance name under two classes: two records.
    DropConfig pane("Shared");
    LabelConfig label("Shared");
    pane.colors[1] = 1;
    label.colors[1] = 2;
    EXPECT_EQ(store.Store(pane), 1);
    EXPECT_EQ(store.Store(label), 1);
    EXPECT_EQ(store.Count(), 2);
    // Same key from two windows: one record, the last Store wins.
    DropConfig samePane("Shared");
    samePane.colors[1] = 3;
    EXPECT_EQ(store.Store(samePane), 1);
    EXPECT_EQ(store.Count(), 2);
    DropConfig reader("Shared");
    ASSERT_EQ(store.Load(reader), 1);
    EXPECT_EQ(reader.colors[1], 3u);
    // A record whose C++ class is not the one its class name names copies nothing.
    ConfigInfo impostor("Shared", "DropConfig", 4);
    EXPECT_EQ(store.Load(impostor), 0);
    EXPECT_EQ(store.Store(impostor), 0);
    // Unknown class names are not kept.
    ConfigInfo unknown("Shared", "TextConfig", 1);
    EXPECT_EQ(store.Append(unknown), -1);
    EXPECT_EQ(store.Store(unknown), 0);

    // With 199 records held a new key fails, an existing key still works.
    for (int i = store.Count(); i < 199; ++i) ASSERT_EQ(store.Store(DropConfig("P" + std::to_string(i))), 1);
    EXPECT_EQ(store.Count(), 199);
    EXPECT_EQ(store.Store(DropConfig("one more")), 0);
    samePane.colors[1] = 4;
    EXPECT_EQ(store.Store(samePane), 1);
    ASSERT_EQ(store.Load(reader), 1);
    EXPECT_EQ(reader.colors[1], 4u);
}

TEST(Configuration, RecordsReachTheApplicationsStore)
{
    TempDir dir;
    AngleLabelConfig angle("PositAngle");
    angle.units = 4;
    EXPECT_EQ(angle.Store(false), 0);  // no store yet
    EXPECT_EQ(angle.Load(), 0);
    {
        Configuration store(dir.file("STLMCNFG.RSX"));
        AppGlobals.config = &store;
        EXPECT_EQ(angle.Store(true), 1);  // written at once
        AngleLabelConfig other("PositAngle");
        EXPECT_EQ(other.Load(), 1);
        EXPECT_EQ(other.units, 4);
        AppGlobals.config = nullptr;
    }
    Configuration reread(dir.file("STLMCNFG.RSX"));
    EXPECT_EQ(reread.Count(), 1);

    // A file whose name differs in letter case is read and written back under its own name.
    ASSERT_TRUE(WriteFileBytes(dir.file("stlmcnfg.rsx"), ReadFileBytes(dir.file("STLMCNFG.RSX"))));
    std::remove(dir.file("STLMCNFG.RSX").c_str());
    {
        Configuration lower(dir.file("STLMCNFG.RSX"));
        EXPECT_EQ(lower.Count(), 1);
        EXPECT_EQ(lower.FileName(), dir.file("stlmcnfg.rsx"));
    }
    EXPECT_EQ(ReadFileBytes(dir.file("STLMCNFG.RSX")), "");

    // A file that cannot be written is reported as such.
    Configuration nowhere(dir.file("no such directory/STLMCNFG.RSX"));
    AppGlobals.config = &nowhere;
    EXPECT_EQ(angle.Store(false), 1);
    EXPECT_EQ(angle.Store(true), 0);
    AppGlobals.config = nullptr;
}

TEST(Configuration, SavedStateDefaults)
{
    StellumConfig state;
    EXPECT_EQ(state.InstanceName(), "Stellum 4");
    EXPECT_EQ(state.Version(), 6);
    EXPECT_EQ(state.colorScheme, 4);
    EXPECT_EQ(state.site.Name(), "Charlottesville");
    EXPECT_NEAR(state.site.Longitude().Degrees(), 78.42, 1e-9);
    EXPECT_NEAR(state.site.Latitude().Degrees(), 38.0, 1e-9);
    EXPECT_EQ(state.site.Elevation().Meters(), 0.0);
    EXPECT_EQ(state.site.UtcOffset(), 300);
    EXPECT_EQ(state.site.DstShift(), -60);
    EXPECT_EQ(state.site.ZoneName(), "EASTERN");
    EXPECT_EQ(state.site.ZoneNumber(), 4);
    EXPECT_EQ(state.site.Flags() & 0xFFu, 7u);
    EXPECT_TRUE(state.useClock);
}

TEST(Configuration, SubclassDefaultsLeaveTheColours)
{
    AngleLabelConfig angle("PositAngle");
    EXPECT_EQ(angle.colors[1], HexRGB(0xFFD9B3));  // label background, normal scheme
    EXPECT_EQ(angle.colors[24], HexRGB(0x00FFFF));  // data text, default scheme
    angle.colors[1] = 0x111111;
    angle.units = 0;
    angle.format = 7;
    angle.precision = 0;
    angle.SetDefaults();
    EXPECT_EQ(angle.units, 1);
    EXPECT_EQ(angle.format, 3);
    EXPECT_EQ(angle.precision, 2);
    EXPECT_EQ(angle.colors[1], 0x111111u);
}
