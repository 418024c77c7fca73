// The packer: descriptions turned into packages whose script reads back field for field in
// both widths and every version, compressed files that expand to the originals, the errors a
// description can hold, and Stellum's own description.
#include "installer/engine/ScriptProject.h"
#include "installer/engine/packer/Packer.h"

#include "framework/gui/MessageBox.h"
#include "framework/testsupport/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <zlib.h>

using namespace kw;

namespace {

namespace fs = std::filesystem;

std::string Gunzip(const std::string& path)
{
    gzFile f = gzopen(path.c_str(), "rb");
    std::string out;
    char buf[4096];
    int n;
    while (f && (n = gzread(f, buf, sizeof buf)) > 0) out.append(buf, static_cast<size_t>(n));
    if (f) gzclose(f);
    return out;
}

struct PackerFiles : ::testing::Test {
    testsupport::TempDir tmp;
    std::map<std::string, std::string> defines;
    void SetUp() override
    {
        fs::create_directories(tmp.file("in/User"));
        testsupport::WriteFileBytes(tmp.file("in/stlm32"), std::string(5000, 'P') + "planner");
        testsupport::WriteFileBytes(tmp.file("in/ngc2k.rsx"), std::string(3000, '\x01'));
        testsupport::WriteFileBytes(tmp.file("in/readme.txt"), "read me");
        testsupport::WriteFileBytes(tmp.file("in/User/comname.txt"), "M31 Andromeda\n");
        testsupport::WriteFileBytes(tmp.file("in/User/Sample.sl4"), "sample");
        testsupport::WriteFileBytes(tmp.file("in/kwenu"), "language");
        defines["IN"] = tmp.file("in");
    }
};

const char* kDescription = R"(
# A description with something of every kind.
[package]
product = Stellum
publisher = Stellum project
version = 4.4
directory = C:\Stellum
group = Stellum
languages = enu deu
default-language = enu
uninstall-dialogs = 1
auxiliary = @{IN}/kwenu

[set-text Dir]
variable = d
text = C:\Stellum

[files Programs]
target = $d
file = @{IN}/stlm32
file-version = 4.4.0.12
file = @{IN}/*.rsx
policy = 3
in-use = 1
file-flags = shared

[files Plain]
mode = 1
target = $d
file = @{IN}/readme.txt -> README.TXT
file-if-present = @{IN}/missing.dll

[files User]
target = $d\User
log-state = 1
dir = .
file = @{IN}/User/*

[program-item Link]
group = Stellum
name = Stellum Planner
command = "$d\stlm32"
condition = yes == 1
selected = yes

[registry]
root = 2
kind = 3
key = Software\Stellum
name = Bytes
value = 0a,FF

[registry-read]
key = Software\Stellum
name = Bytes
exists = there
value = value

[ini]
mode = 1
file = $d\stlm.ini
section = Paths
entry = User
value = $d\User

[text-block]
text = first line
text+ = second line

[event 7]
int0 = 1
int2 = 2
text0 = $d\stlm32
text4 = result

[uninstaller]
directory = $d\Uninstall
display = Uninstall Stellum

[end]
kind = 0
show = 1

[component Planner]
caption = The planner
events = Programs, User, Link

[dialog Welcome]
title = Welcome to $p
width = 200
item = 0 10 10 180 20 0 0 | | Welcome | | Arial, 12
)";

TEST_F(PackerFiles, PackagesReadBackInEveryWidthAndVersion)
{
    for (int width : {16, 32}) {
        for (int version : {300, 301, 302}) {
            std::string text = kDescription;
            if (version == 300) text = text.substr(0, text.find("[component"));
            text += "\n[package]\nwidth = " + std::to_string(width) +
                    "\nscript-version = " + std::to_string(version) + "\n";
            PackDescription d;
            ASSERT_TRUE(d.Parse(text, defines)) << d.Error();
            std::string out = tmp.file("out" + std::to_string(width) + "_" + std::to_string(version));
            Packer packer;
            ASSERT_TRUE(packer.Pack(d, out)) << packer.Error();

            ScriptProject p;
            std::string bytes = testsupport::ReadFileBytes(out + "/install.inf");
            ASSERT_EQ(ReadScript(bytes, p), ScriptReadResult::kOk) << width << " " << version;
            SCOPED_TRACE(std::to_string(width) + " " + std::to_string(version));
            EXPECT_EQ(p.width, width);
            EXPECT_EQ(p.fileVersion, version);
            EXPECT_STREQ(p.header.productName.Text(), "Stellum");
            EXPECT_EQ(p.product.version, 0x0404u);
            EXPECT_STREQ(p.defaultDirectory.Text(), "C:\\Stellum");
            EXPECT_EQ(p.languages.defaultIndex, 3);
            EXPECT_EQ(p.languages.provided[1], 1);
            EXPECT_EQ(p.languages.provided[3], 1);
            EXPECT_EQ(p.uninstall.dialogMode, 1);
            ASSERT_EQ(p.events.size(), 12u);
            std::vector<int> codes;
            for (auto& e : p.events) codes.push_back(e->TypeCode());
            EXPECT_EQ(codes, (std::vector<int>{19, 3, 3, 3, 4, 6, 24, 5, 11, 7, 41, 8}));
            ScriptEvent& programs = *p.events[1];
            EXPECT_STREQ(programs.Text(0).Text(), "Programs");
            EXPECT_STREQ(programs.Text(1).Text(), "programs");
            EXPECT_EQ(programs.Int(3), 3);
            EXPECT_EQ(programs.Int(4), 1);
            ASSERT_EQ(programs.Files().size(), 2u);
            const FileEntry& planner = programs.Files()[0];
            EXPECT_STREQ(planner.name.Text(), "stlm32");
            EXPECT_EQ(planner.installedSize, 5007u);
            EXPECT_EQ(planner.flags, FileEntry::kCompressed | FileEntry::kInstalledSize | FileEntry::kShared);
            EXPECT_EQ(Gunzip(out + "/programs/stlm32._"), std::string(5000, 'P') + "planner");
            EXPECT_EQ(planner.storedSize, fs::file_size(out + "/programs/stlm32._"));
            EXPECT_EQ(planner.versionHigh | planner.versionLow, 0u) << "listed before file-version";
            EXPECT_STREQ(programs.Files()[1].name.Text(), "ngc2k.rsx");
            EXPECT_EQ(programs.Files()[1].versionHigh, 0x00040004u);
            EXPECT_EQ(programs.Files()[1].versionLow, 12u);
            EXPECT_TRUE(fs::exists(out + "/programs/ngc2k.rs_"));
            EXPECT_EQ(programs.Size(), 6); // 5007 / 1024 + 3000 / 1024, each rounded down

            ScriptEvent& plain = *p.events[2];
            ASSERT_EQ(plain.Files().size(), 1u);
            EXPECT_STREQ(plain.Files()[0].name.Text(), "README.TXT");
            EXPECT_EQ(testsupport::ReadFileBytes(out + "/plain/README.TXT"), "read me");

            ScriptEvent& user = *p.events[3];
            EXPECT_EQ(user.logState, 1);
            EXPECT_EQ(user.Files().size(), 2u);
            EXPECT_STREQ(user.Directories()[0].path.Text(), ".");

            ScriptEvent& link = *p.events[4];
            EXPECT_STREQ(link.condition.Text(), "yes == 1");
            EXPECT_EQ(link.selection, 1);
            EXPECT_STREQ(link.Text(2).Text(), "\"$d\\stlm32\"");

            ScriptEvent& reg = *p.events[5];
            EXPECT_EQ(reg.Int(0), width == 16 ? 1 : 2);
            EXPECT_STREQ(reg.Text(1).Text(), width == 16 ? "" : "Bytes");
            EXPECT_STREQ(reg.Text(2).Text(), "0a,FF");
            EXPECT_STREQ(p.events[6]->Text(3).Text(), "value");
            EXPECT_STREQ(p.events[8]->Text(0).Text(), "first line\r\nsecond line");
            EXPECT_EQ(p.events[9]->Int(2), 2);
            EXPECT_STREQ(p.events[9]->Text(4).Text(), "result");
            EXPECT_STREQ(p.events[10]->Path(0).Text(), "$d\\Uninstall");

            // The disk map: the auxiliary language package first, then every packaged file.
            ASSERT_EQ(p.diskEntries.size(), 6u);
            EXPECT_STREQ(p.diskEntries[0].packedName.Text(), "kwenu._");
            EXPECT_EQ(p.diskEntries[0].flags, 1 | DiskMapEntry::kAuxiliary);
            EXPECT_STREQ(p.diskEntries[1].packedName.Text(), "programs\\stlm32._");
            EXPECT_STREQ(p.diskEntries[1].target.Text(), "$d\\stlm32");
            EXPECT_EQ(Gunzip(out + "/kwenu._"), "language");

            if (version > 300) {
                ASSERT_EQ(p.components.size(), 1u);
                EXPECT_EQ(p.components[0].events, (std::vector<uint32_t>{1, 3, 4}));
                const UserDialog* welcome = p.FindDialog("Welcome");
                ASSERT_NE(welcome, nullptr);
                EXPECT_EQ(welcome->values[3], 200);
                ASSERT_EQ(welcome->items.size(), 1u);
                EXPECT_EQ(welcome->items[0].values[3], 180);
                EXPECT_STREQ(welcome->items[0].second.Text(), "Welcome");
                EXPECT_STREQ(welcome->items[0].font.face.Text(), "Arial");
                EXPECT_EQ(welcome->items[0].font.height, 12);
            }
        }
    }
}

TEST_F(PackerFiles, RefusesFaultyDescriptions)
{
    struct Case { const char* text; const char* error; } cases[] = {
        {"file = x\n[package]", "line 1: a key before any section"},
        {"[package]\nproduct = S\n[bogus]\n", "line 3: unknown section [bogus]"},
        {"[package]\nproduct = S\ncolour = red", "line 3: unknown key colour"},
        {"[package]\nproduct = S\nwidth = 24", "line 3: width is 16 or 32"},
        {"[package]\nproduct = S\nscript-version = 303", "line 3: script-version must be 300-302"},
        {"[package]\nproduct = S\n[files A]\nfile = @{IN}/nothing", "line 4: no file"},
        {"[package]\nproduct = S\n[files A]\nfile = @{NOPE}/x", "line 4: @{NOPE} is not defined"},
        {"[package]\nproduct = S\n[end]\nlog-state = 3", "line 4: log-state is 0, 1 or 2"},
        {"[package]\nproduct = S\n[end]\ntext0 = x", "line 4: text0 is not a field"},
        {"[package]\nproduct = S\n[event 13]", "line 3: [event N] needs"},
        {"[package]\nproduct = S\n[run]\nmanner = 3", "line 4: manner is 0, 1 or 2"},
        {"[package]\nproduct = S\n[component C]\nevents = Missing", "line 3: no event labelled Missing"},
        {"[package]\nproduct = S\n3d-controls = yes", "line 3: 3d-controls: this machine has no 3D control library"},
        {"[package]\nproduct = S\n[files A]\nfile-version = 1.2.3", "line 4: file-version is major.minor.build.revision"},
        {"[package]\nproduct = S\n[files A]\nfile-version = 1.2.3.65536", "line 4: file-version is"},
        {"[package]\nproduct = S\n[files A]\nfile = @{IN}/stlm32\n[files B]\nsource = a\nfile = @{IN}/stlm32",
         "two files would be packaged as a/stlm32._"},
        {"[package]\nproduct = S\nscript-version = 301\nlanguages = rus", "languages beyond Swedish"},
        {"[package]\nproduct = S\nscript-version = 300\n[dialog D]", "need script version 301"},
        {"[package]\npublisher = P", "needs a product"},
    };
    for (const Case& c : cases) {
        PackDescription d;
        EXPECT_FALSE(d.Parse(c.text, defines)) << c.text;
        EXPECT_NE(d.Error().find(c.error), std::string::npos) << d.Error();
    }
}

TEST_F(PackerFiles, NumbersBeyondSixteenBitsAreRefusedNotCut)
{
    const char* text = "[package]\nproduct = S\nwidth = 16\nmin-ms-per-file = 40000\n";
    PackDescription d;
    ASSERT_TRUE(d.Parse(text, defines)) << d.Error();
    Packer packer;
    EXPECT_FALSE(packer.Pack(d, tmp.file("out16")));
    EXPECT_NE(packer.Error().find("16-bit"), std::string::npos) << packer.Error();
    EXPECT_FALSE(fs::exists(tmp.file("out16/install.inf")));

    PackDescription wide;
    ASSERT_TRUE(wide.Parse("[package]\nproduct = S\nmin-ms-per-file = 40000\n", defines));
    EXPECT_TRUE(packer.Pack(wide, tmp.file("out32"))) << packer.Error();
}

TEST(Packer, CompressedNames)
{
    struct Case { const char* name; const char* packed; } cases[] = {
        {"stlm32.exe", "stlm32.ex_"}, {"ngc2k.rsx", "ngc2k.rs_"}, {"a.c", "a.c_"},
        {"a.ab", "a.ab_"}, {"stlm32", "stlm32._"}, {"index.html", "index.htm_"},
    };
    for (const Case& c : cases) EXPECT_EQ(PackDescription::CompressedName(c.name), c.packed);
}

// The build's own package: every data file of the program directory is in it and expands to
// the original.
TEST(Packer, StellumsOwnPackage)
{
    std::string program = testsupport::ProgramDataDir("ngc2k.rsx");
    STELLUM_REQUIRE_DATA(program);
    std::string package = program + "../package/";
    ScriptProject p;
    std::string bytes = testsupport::ReadFileBytes(package + "install.inf");
    ASSERT_EQ(ReadScript(bytes, p), ScriptReadResult::kOk);
    EXPECT_STREQ(p.header.productName.Text(), "Stellum");
    bool sawGroup = false, sawUninstaller = false, sawUser = false;
    for (auto& e : p.events) {
        if (e->TypeCode() == 4) sawGroup = std::string(e->Text(0).Text()) == "Stellum";
        if (e->TypeCode() == 41) sawUninstaller = true;
        if (e->TypeCode() == 3 && std::string(e->Text(0).Text()) == "User") {
            sawUser = true;
            EXPECT_FALSE(e->Files().empty());
        }
        if (e->TypeCode() != 3) continue;
        for (const FileEntry& f : e->Files()) {
            std::string packed = package + e->Text(1).Text() + "/" +
                                 PackDescription::CompressedName(f.name.Text());
            std::string original = (std::string(e->Text(0).Text()) == "User" ? program + "User/" : program) + f.name.Text();
            EXPECT_EQ(Gunzip(packed), testsupport::ReadFileBytes(original)) << f.name.Text();
        }
    }
    EXPECT_TRUE(sawGroup);
    EXPECT_TRUE(sawUninstaller);
    EXPECT_TRUE(sawUser);
}

} // namespace
