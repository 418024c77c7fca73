// The install script: hand-made bytes pin the fixed parts of the format (width, version,
// string lengths, event base fields, the 16-bit layouts of codes 6 and 24, the language
// flags by version); whole projects round-trip in both widths and every version; damaged
// scripts are refused whole; the factory's slots; loading "install.inf" before "setup.inf".
#include "installer/engine/EventFactory.h"
#include "installer/engine/ScriptInstaller.h"
#include "installer/engine/ScriptProject.h"

#include "framework/gui/MessageBox.h"
#include "framework/testsupport/RootFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using namespace kw;

namespace {

// Builds script bytes by hand, field by field, in the given width.
struct Bytes {
    explicit Bytes(bool n) : narrow(n) {}
    bool narrow;
    std::string s;
    Bytes& b(int v) { s += static_cast<char>(v); return *this; }
    Bytes& i(int v) { b(v & 255).b(v >> 8 & 255); if (!narrow) b(v >> 16 & 255).b(v >> 24 & 255); return *this; }
    Bytes& w(uint32_t v) { return b(v & 255).b(v >> 8 & 255).b(v >> 16 & 255).b(v >> 24 & 255); }
    Bytes& t(const std::string& text)
    {
        if (text.size() < 255) b(static_cast<int>(text.size()));
        else b(255).b(text.size() & 255).b(text.size() >> 8 & 255);
        s += text;
        return *this;
    }
    Bytes& ints(int n, int v = 0) { while (n--) i(v); return *this; }
};

// A complete script around the given event list bytes (count included) and language flags.
std::string Script(int width, int version, const std::string& eventBytes, int flagCount = -1)
{
    Bytes x{width == 16};
    x.b(width).i(version);
    x.i(7).w(1).w(2).w(3).w(4).w(5);                    // reserved int and words
    x.i(250).i(1).i(0).w(0xAABBCCDD).w(9).t("Stellum");  // project header
    x.i(-1).w(0).w(0);                                   // build information: no styles
    x.s += eventBytes;
    x.i(1).t("Stellum disk").w(0);                       // disk map
    if (version > 300) {
        x.w(0);                                          // components
        if (version >= 302) x.w(0);                      // user dialogs' leading object
        x.w(0);                                          // user dialogs
    }
    for (int k = 0; k < 8; ++k) x.t("");
    x.t("C:\\help");                                     // texts
    x.i(3).ints(flagCount >= 0 ? flagCount : version < 302 ? 11 : 20, 1); // languages
    x.t("C:\\Stellum").t("Stellum");                     // two paths
    x.i(0).i(800).i(800).i(0).w(0x80000000u).w(0).w(0);  // screen
    x.w(1).w(2).w(3).w(4);
    x.ints(5).i(0).t("").i(-1).i(-1);                    // logo
    x.ints(5).t("m.wmf");                                // metafile
    x.ints(5).w(1).w(2).w(3);                            // gauge
    x.ints(15).t("");                                    // buttons, background
    x.i(0x0404).i(1).i(0).t("C:\\Stellum\\stlm32").t("Stellum project"); // product
    x.i(1).w(0);                                         // uninstall settings
    return x.s;
}

// An event: code, base fields, then the class's own bytes.
std::string Event(bool narrow, int code, int logState, const std::string& own,
                  const std::string& condition = "1", int selection = 0)
{
    Bytes x{narrow};
    x.i(code).i(logState).i(selection).t(condition).t("note");
    return x.s + own;
}

std::string Count(uint32_t n) { Bytes x{false}; x.w(n); return x.s; }

TEST(Script, ReadsTheFixedPartsInBothWidths)
{
    for (int width : {16, 32}) {
        bool narrow = width == 16;
        Bytes setText{narrow};
        setText.t("var").t(std::string(254, 'a'));
        Bytes setLong{narrow};
        setLong.t("var").t(std::string(255, 'b'));
        Bytes endMode{narrow};
        endMode.i(4).i(-2).i(1);
        std::string events = Count(3) + Event(narrow, 19, 1, setText.s, "a<2", 1) +
                             Event(narrow, 19, 2, setLong.s) + Event(narrow, 8, 0, endMode.s);
        ScriptProject p;
        ASSERT_EQ(ReadScript(Script(width, 302, events), p), ScriptReadResult::kOk) << width;
        EXPECT_EQ(p.width, width);
        EXPECT_EQ(p.fileVersion, 302);
        EXPECT_EQ(p.version, 302);
        EXPECT_EQ(p.reservedInt, 7);
        EXPECT_EQ(p.reservedWords[4], 5u);
        EXPECT_EQ(p.header.msPerFile, 250);
        EXPECT_EQ(p.header.word1, 0xAABBCCDDu);
        EXPECT_STREQ(p.header.productName.Text(), "Stellum");
        ASSERT_EQ(p.events.size(), 3u);
        ScriptEvent& first = *p.events[0];
        EXPECT_EQ(first.TypeCode(), 19);
        EXPECT_EQ(first.logState, 1);
        EXPECT_EQ(first.selection, 1);
        EXPECT_STREQ(first.condition.Text(), "a<2");
        EXPECT_STREQ(first.note.Text(), "note");
        EXPECT_EQ(first.Text(1).Length(), 254);
        EXPECT_EQ(p.events[1]->Text(1).Length(), 255);
        EXPECT_EQ(p.events[2]->Int(1), -2) << "ints are signed in both widths";
        EXPECT_EQ(p.languages.provided[19], 1);
        EXPECT_STREQ(p.defaultDirectory.Text(), "C:\\Stellum");
        EXPECT_EQ(p.product.version, 0x0404u);
        EXPECT_EQ(p.uninstall.dialogMode, 1);
    }
}

TEST(Script, SixteenBitRegistryEventsHaveTheShortLayout)
{
    Bytes reg16{true};
    reg16.t("Stellum.Document").t("stlm32.exe %1");
    Bytes read16{true};
    read16.t("Software\\Stellum").t("there").t("value");
    Bytes reg32{false};
    reg32.i(2).i(3).t("Software\\X").t("name").t("0a,FF");
    Bytes read32{false};
    read32.i(0).t("Software\\X").t("name").t("there").t("value");
    ScriptProject p16, p32;
    ASSERT_EQ(ReadScript(Script(16, 301, Count(2) + Event(true, 6, 0, reg16.s) + Event(true, 24, 0, read16.s)), p16),
              ScriptReadResult::kOk);
    ASSERT_EQ(ReadScript(Script(32, 301, Count(2) + Event(false, 6, 0, reg32.s) + Event(false, 24, 0, read32.s)), p32),
              ScriptReadResult::kOk);
    ScriptEvent& r16 = *p16.events[0];
    EXPECT_EQ(r16.Int(0), 1);  // HKEY_CLASSES_ROOT
    EXPECT_EQ(r16.Int(1), 0);  // a text value
    EXPECT_STREQ(r16.Text(0).Text(), "Stellum.Document");
    EXPECT_STREQ(r16.Text(1).Text(), ""); // the default value
    EXPECT_STREQ(r16.Text(2).Text(), "stlm32.exe %1");
    ScriptEvent& q16 = *p16.events[1];
    EXPECT_EQ(q16.Int(0), 1);
    EXPECT_STREQ(q16.Text(1).Text(), "");
    EXPECT_STREQ(q16.Text(2).Text(), "there");
    EXPECT_STREQ(q16.Text(3).Text(), "value");
    EXPECT_EQ(p32.events[0]->Int(0), 2);
    EXPECT_EQ(p32.events[0]->Int(1), 3);
    EXPECT_STREQ(p32.events[0]->Text(1).Text(), "name");
    EXPECT_STREQ(p32.events[1]->Text(3).Text(), "value");
}

TEST(Script, LanguageFlagsFollowTheVersion)
{
    // 11 flags before 302 and 20 from 302: a file with the other count does not read.
    struct Case { int version, flags; ScriptReadResult result; } cases[] = {
        {300, 11, ScriptReadResult::kOk}, {301, 11, ScriptReadResult::kOk},
        {302, 20, ScriptReadResult::kOk}, {301, 20, ScriptReadResult::kDamaged},
        {302, 11, ScriptReadResult::kDamaged},
    };
    for (const Case& c : cases) {
        ScriptProject p;
        EXPECT_EQ(ReadScript(Script(32, c.version, Count(0), c.flags), p), c.result)
            << c.version << " " << c.flags;
    }
}

std::string LongPath()
{
    std::string s = Script(32, 302, Count(0));
    size_t at = s.find("C:\\Stellum\\stlm32") - 1;
    return s.replace(at, 18, Bytes{false}.t(std::string(130, 'p')).s);
}

TEST(Script, RefusesDamagedScriptsWhole)
{
    fw::ScriptedMessageBoxes boxes; // the factory's check failure for unknown codes
    Bytes ok{false};
    ok.t("v").t("x");
    std::string good = Script(32, 302, Count(1) + Event(false, 19, 0, ok.s));
    ScriptProject p;
    ASSERT_EQ(ReadScript(good, p), ScriptReadResult::kOk);

    struct Case { const char* what; std::string bytes; ScriptReadResult result; } cases[] = {
        {"width 8", std::string(1, 8) + good.substr(1), ScriptReadResult::kBadWidth},
        {"empty", "", ScriptReadResult::kBadWidth},
        {"version 299", Script(32, 299, Count(0)), ScriptReadResult::kBadVersion},
        {"version 303", Script(32, 303, Count(0)), ScriptReadResult::kBadVersion},
        {"code 13", Script(32, 302, Count(1) + Event(false, 13, 0, ok.s)), ScriptReadResult::kDamaged},
        {"code 54", Script(32, 302, Count(1) + Event(false, 54, 0, ok.s)), ScriptReadResult::kDamaged},
        {"log state 3", Script(32, 302, Count(1) + Event(false, 19, 3, ok.s)), ScriptReadResult::kDamaged},
        {"log state -1", Script(32, 302, Count(1) + Event(false, 19, -1, ok.s)), ScriptReadResult::kDamaged},
        {"event count beyond the data", Script(32, 302, Count(1000000) + Event(false, 19, 0, ok.s)), ScriptReadResult::kDamaged},
        {"path over 127", LongPath(), ScriptReadResult::kDamaged},
    };
    for (const Case& c : cases) {
        ScriptProject q;
        EXPECT_EQ(ReadScript(c.bytes, q), c.result) << c.what;
    }
    for (size_t n = 0; n < good.size(); ++n) {
        ScriptProject q;
        EXPECT_NE(ReadScript(good.substr(0, n), q), ScriptReadResult::kOk) << "cut at " << n;
    }
}

TEST(Script, BuildStyleValidity)
{
    struct Case { int index, value; bool valid; } cases[] = {
        {0, 25, true}, {0, 26, false}, {0, -1, false}, {1, 1, true}, {1, 2, false},
        {2, 2, true}, {2, 3, false}, {3, -1, false}, {6, -1, false}, {6, 0, true},
        {7, 2, true}, {7, 3, false}, {8, -5, true},
    };
    for (const Case& c : cases) {
        BuildStyle s;
        EXPECT_TRUE(s.Valid());
        s.values[c.index] = c.value;
        EXPECT_EQ(s.Valid(), c.valid) << c.index << "=" << c.value;
    }
    // An invalid style is neither written nor read.
    ScriptProject p;
    p.build.styles.resize(1);
    MemorySink sink;
    ASSERT_TRUE(p.Write(sink, 32, 302));
    std::string bytes = sink.Bytes();
    Bytes defaults{false};
    defaults.i(512).i(9).i(223).i(2847);
    size_t at = bytes.find(defaults.s);
    ASSERT_NE(at, std::string::npos);
    bytes[at - 4] = 5; // the third value, 0-2
    ScriptProject q;
    EXPECT_EQ(ReadScript(bytes, q), ScriptReadResult::kDamaged);
    p.build.styles[0].values[2] = 5;
    MemorySink refused;
    EXPECT_FALSE(p.Write(refused, 32, 302));
}

TEST(Script, FactorySlotsHoldTheirCodes)
{
    fw::ScriptedMessageBoxes boxes;
    RegisterEventFactories();
    EXPECT_EQ(EventFactoryCount(), 53);
    struct Case { int slot, code; } cases[] = {
        {0, 0}, {2, 2}, {3, 33}, {10, 40}, {11, 3}, {19, 11}, {20, 12}, {21, 14},
        {39, 32}, {40, 41}, {52, 53},
    };
    for (const Case& c : cases) EXPECT_EQ(EventFactoryAt(c.slot)->TypeCode(), c.code) << c.slot;
    EXPECT_EQ(EventFactoryAt(53), nullptr);
    EXPECT_EQ(FindEventFactory(13), nullptr);
    EXPECT_EQ(boxes.Count(), 1);
    for (int code = 0; code <= 53; ++code) {
        if (code == 13) continue;
        auto e = FindEventFactory(code)->Create();
        EXPECT_EQ(e->TypeCode(), code);
        EXPECT_STREQ(e->condition.Text(), "1");
        EXPECT_EQ(e->Interpretable(), code != 9) << code;
        EXPECT_EQ(e->BuildEvent(), code == 9 || code == 10) << code;
    }
    auto ini = FindEventFactory(5)->Create();
    EXPECT_STREQ(ini->Text(0).Text(), "$i\\myapp.ini");
    EXPECT_EQ(FindEventFactory(49)->Create()->Word(0), 3000u);
}

// A project with something in every member, for the round trip.
std::unique_ptr<ScriptProject> FullProject()
{
    RegisterEventFactories();
    auto p = std::make_unique<ScriptProject>();
    p->reservedInt = -3;
    p->header.productName.Assign("Stellum");
    p->header.word2 = 0xDEADBEEF;
    p->build.currentStyle = 0;
    p->build.files.resize(2);
    p->build.files[1].source.SetText("C:\\src\\a");
    p->build.styles.resize(1);
    p->build.styles[0].includes.resize(2);
    p->build.styles[0].includes[0].index = 1;
    p->build.styles[0].includes[1].index = 9;
    p->build.styles[0].files.resize(1);
    p->build.styles[0].defines.resize(1);
    p->build.styles[0].defines[0].second.Assign("def");
    for (int code : {3, 6, 24, 41, 49, 12, 33}) {
        auto e = FindEventFactory(code)->Create();
        e->logState = code % 3;
        e->selection = code & 1;
        e->condition.Assign("x == 1");
        p->events.push_back(std::move(e));
    }
    auto& group = *p->events[0];
    group.Text(0).Assign("Programs");
    group.Files().resize(2);
    group.Files()[0].name.Assign("stlm32");
    group.Files()[0].installedSize = 5000;
    group.Files()[0].flags = FileEntry::kCompressed | FileEntry::kInstalledSize;
    group.Files()[0].time[0] = 2026;
    group.Files()[1].versionLow = 77;
    group.Files()[1].installedSize = 100;
    group.Files()[1].flags = FileEntry::kInstalledSize;
    group.Directories().resize(1);
    group.Directories()[0].path.Assign("User");
    p->events[3]->Path(0).SetText("C:\\Stellum\\uninst");
    p->diskMap.volumeName.Assign("Stellum");
    p->diskEntries.resize(1);
    p->diskEntries[0].packedName.SetText("stlm3_");
    p->diskEntries[0].flags = 1 | DiskMapEntry::kAuxiliary;
    p->components.resize(1);
    p->components[0].events = {0, 1};
    p->components[0].caption.Assign("Programs");
    p->dialogs.resize(1);
    p->dialogs[0].name.Assign("Welcome");
    p->dialogs[0].items.resize(2);
    p->dialogs[0].items[1].font.face.Assign("Arial");
    p->texts.texts[7].Assign("last");
    p->languages.defaultIndex = 2;
    p->languages.provided[2] = 1;
    p->languages.provided[15] = 1;
    p->screen.lines.resize(1);
    p->screen.pictures.resize(1);
    p->screen.pictures[0].name.Assign("logo.bmp");
    p->product.publisher.Assign("Stellum project");
    p->uninstall.dialogMode = 2;
    return p;
}

TEST(Script, ProjectsRoundTripInEveryWidthAndVersion)
{
    for (int width : {16, 32}) {
        for (int version : {300, 301, 302}) {
            auto p = FullProject();
            MemorySink sink;
            ASSERT_TRUE(p->Write(sink, width, version));
            ScriptProject q;
            ASSERT_EQ(ReadScript(sink.Bytes(), q), ScriptReadResult::kOk) << width << " " << version;
            MemorySink again;
            ASSERT_TRUE(q.Write(again, width, version));
            EXPECT_EQ(again.Bytes(), sink.Bytes()) << width << " " << version;
            EXPECT_EQ(q.fileVersion, version);
            ASSERT_EQ(q.events.size(), p->events.size());
            EXPECT_EQ(q.events[0]->Files()[0].installedSize, 5000u);
            EXPECT_EQ(q.events[0]->Files()[0].time[0], 2026);
            EXPECT_STREQ(q.events[0]->Directories()[0].path.Text(), "User");
            EXPECT_EQ(q.events[0]->Size(), 4);
            EXPECT_EQ(q.events[1]->logState, 0);
            EXPECT_EQ(q.events[2]->logState, 0);
            EXPECT_EQ(q.events[3]->selection, 1);
            EXPECT_STREQ(q.events[3]->Path(0).Text(), "C:\\Stellum\\uninst");
            EXPECT_EQ(q.build.styles[0].includes[0].resolved, 1);
            EXPECT_EQ(q.build.styles[0].includes[1].resolved, -1);
            EXPECT_EQ(q.header.word2, 0xDEADBEEFu);
            EXPECT_EQ(q.diskEntries[0].flags, 0x101);
            EXPECT_EQ(q.languages.provided[15], version == 302 ? 1 : 0);
            EXPECT_EQ(q.components.size(), version > 300 ? 1u : 0u);
            EXPECT_EQ(q.dialogs.size(), version > 300 ? 1u : 0u);
            if (version > 300) {
                EXPECT_STREQ(q.dialogs[0].items[1].font.face.Text(), "Arial");
                EXPECT_NE(q.FindDialog("Welcome"), nullptr);
            }
            EXPECT_STREQ(q.screen.pictures[0].name.Text(), "logo.bmp");
            EXPECT_EQ(q.uninstall.dialogMode, 2);
            if (width == 16) {
                EXPECT_EQ(q.events[1]->Int(0), 1); // registry events: root forced in 16 bits
            }
        }
    }
}

struct ScriptFiles : RootFixture {};

TEST_F(ScriptFiles, SetupInfOnlyWhenInstallInfIsMissing)
{
    fw::ScriptedMessageBoxes boxes;
    Bytes one{false};
    one.t("v").t("x");
    ScriptInstaller a;
    EXPECT_FALSE(a.LoadScript("C:\\pkg"));
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Last().text, "install.inf or setup.inf not found");

    std::filesystem::create_directories(C("pkg"));
    Write("pkg/setup.inf", Script(32, 302, Count(1) + Event(false, 19, 0, one.s)));
    ScriptInstaller b;
    ASSERT_TRUE(b.LoadScript("C:\\pkg"));
    EXPECT_EQ(b.Project()->events.size(), 1u);
    EXPECT_EQ(b.Selection(), std::vector<int>{1});

    Write("pkg/install.inf", Script(32, 302, Count(2) + Event(false, 19, 0, one.s) + Event(false, 19, 0, one.s)));
    ScriptInstaller c;
    ASSERT_TRUE(c.LoadScript("C:\\pkg"));
    EXPECT_EQ(c.Project()->events.size(), 2u);

    Write("pkg/install.inf", Script(32, 302, Count(2) + Event(false, 19, 3, one.s)));
    ScriptInstaller d;
    boxes.Clear();
    EXPECT_FALSE(d.LoadScript("C:\\pkg"));
    EXPECT_EQ(d.Project(), nullptr);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Last().text, "Unable to load C:\\pkg\\install.inf");
}

} // namespace
