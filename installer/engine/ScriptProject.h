// The install script "install.inf": a width byte (16 or 32), the version (300-302), then the
// project's members in a fixed order. Each record below names its fields in stored order once
// (Serialize), for the installer's reader and the packer's writer alike. SCRIPT_FORMAT.md
// beside this file describes the whole format.
#pragma once

#include "installer/engine/ScriptEvent.h"
#include "installer/engine/ScriptIO.h"
#include "installer/support/LanguageTable.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kw {

struct ProjectHeader {
    int msPerFile = 0;        // the least time each installed file stays on the screen
    int closeProgman = 0;     // non-zero: close the Program Manager window at the end
    int ctl3d = 0;            // non-zero: 3D controls
    uint32_t word1 = 0, word2 = 0; // copied into the operation log's header
    HeapString productName;
    template <class IO> bool Serialize(IO& io)
    {
        return io.Int(msPerFile) && io.Int(closeProgman) && io.Int(ctl3d) && io.Word(word1) &&
               io.Word(word2) && io.Str(productName);
    }
};

// Build-time records that the installer keeps as read.
struct DfRecord {
    int a = 0, b = 0, c = 0;
    uint32_t d = 0, e = 0;
    PathBuffer source, target;
    template <class IO> bool Serialize(IO& io)
    {
        return io.Int(a) && io.Int(b) && io.Int(c) && io.Word(d) && io.Word(e) &&
               io.Path(source) && io.Path(target);
    }
};

struct IfRecord {
    uint32_t index = 0;
    int resolved = -1; // the DFLIST position, -1 when the index names no record
    template <class IO> bool Serialize(IO& io) { return io.Word(index); }
};

struct FlRecord {
    int a = 0, b = 0;
    uint32_t versionHigh = 0, versionLow = 0; // the object: a version pair
    int c = 0;
    uint32_t d = 0;
    int e = 0;
    PathBuffer path;
    template <class IO> bool Serialize(IO& io)
    {
        return io.Int(a) && io.Int(b) && io.Word(versionHigh) && io.Word(versionLow) &&
               io.Int(c) && io.Word(d) && io.Int(e) && io.Path(path);
    }
};

struct DdRecord {
    HeapString first, second;
    template <class IO> bool Serialize(IO& io) { return io.Str(first) && io.Str(second); }
};

struct BuildStyle {
    int values[9] = {0, 0, 0, 512, 9, 223, 2847, 0, 0};
    std::vector<IfRecord> includes;
    std::vector<FlRecord> files;
    std::vector<DdRecord> defines;
    HeapString name{"New Build Style"};
    PathBuffer runDirectory, userDirectory, tempDirectory, finalPath;

    // The building mode: non-zero hands build events to the build tool.
    int BuildingMode() const { return values[7]; }
    bool Valid() const;
    template <class IO> bool Serialize(IO& io)
    {
        for (int& v : values)
            if (!io.Int(v)) return false;
        return io.List(includes) && io.List(files) && io.List(defines) && io.Str(name) &&
               io.Path(runDirectory) && io.Path(userDirectory) && io.Path(tempDirectory) &&
               io.Path(finalPath);
    }
};

struct BuildInfo {
    int currentStyle = -1;
    std::vector<DfRecord> files;
    std::vector<BuildStyle> styles;
    const BuildStyle* Current() const;
};

// The disk map: where each packaged file lies.
struct DiskMapHeader {
    int diskCount = 1;
    HeapString volumeName; // disk n is "<volume name> <n>"
    template <class IO> bool Serialize(IO& io) { return io.Int(diskCount) && io.Str(volumeName); }
};

struct DiskMapEntry {
    enum { kDiskMask = 0xFF, kAuxiliary = 0x100 };
    PathBuffer packedName; // the compressed file in its disk directory
    PathBuffer target;     // the installed name; auxiliary files go into the program directory
    int flags = 1;         // disk number (1-255), kAuxiliary
    template <class IO> bool Serialize(IO& io)
    {
        return io.Path(packedName) && io.Path(target) && io.Int(flags);
    }
};

struct Component {
    // flags: kExclusive on a group of components makes its members alternatives; the
    // component dialog lets the user tick one of them at a time.
    enum Flags : int { kExclusive = 1 };
    int id = 0;
    int kind = 1;     // non-zero: a group of events; 0: a group of components
    int flags = 0;
    HeapString caption, description, visibleWhen, selectedWhen;
    std::vector<uint32_t> events;     // positions in the EVENT list
    std::vector<uint32_t> components; // positions in the component list
    template <class IO> bool Serialize(IO& io)
    {
        return io.Int(id) && io.Int(kind) && io.Int(flags) && io.Str(caption) &&
               io.Str(description) && io.Str(visibleWhen) && io.Str(selectedWhen) &&
               io.IdArray(events) && io.IdArray(components);
    }
};

struct DialogFont {
    int height = 0, weight = 400, italic = 0;
    HeapString face;
    template <class IO> bool Serialize(IO& io)
    {
        return io.Int(height) && io.Int(weight) && io.Int(italic) && io.Str(face);
    }
};

struct DialogItem {
    int values[7] = {}; // kind, x, y, width, height, button value, read-only
    DialogFont font;
    HeapString first, second, third;
    template <class IO> bool Serialize(IO& io)
    {
        for (int& v : values)
            if (!io.Int(v)) return false;
        return font.Serialize(io) && io.Str(first) && io.Str(second) && io.Str(third);
    }
};

struct UserDialog {
    int values[6] = {}; // flags, centre x, centre y, width, height, help context
    std::vector<DialogItem> items;
    HeapString name, title;
    template <class IO> bool Serialize(IO& io)
    {
        for (int& v : values)
            if (!io.Int(v)) return false;
        return io.List(items) && io.Str(name) && io.Str(title);
    }
};

struct ProjectTexts {
    HeapString texts[8];
    PathBuffer path;
    template <class IO> bool Serialize(IO& io)
    {
        for (HeapString& t : texts)
            if (!io.Str(t)) return false;
        return io.Path(path);
    }
};

struct ScreenElement {
    int x = 0, y = 0, width = 0, height = 0, visible = 1; // per mille
    template <class IO> bool Serialize(IO& io)
    {
        return io.Int(x) && io.Int(y) && io.Int(width) && io.Int(height) && io.Int(visible);
    }
};

struct ScreenTextLine {
    ScreenElement place{30, 30, 758, 140, 1};
    int shadow = 2, weight = 1, italic = 1;
    HeapString text{"Kestrow Installer"}, font{"Arial"};
    uint32_t colour = 0x00FF00;
    template <class IO> bool Serialize(IO& io)
    {
        return place.Serialize(io) && io.Int(shadow) && io.Int(weight) && io.Int(italic) &&
               io.Str(text) && io.Str(font) && io.Word(colour);
    }
};

struct NameEntry {
    HeapString name;
    template <class IO> bool Serialize(IO& io) { return io.Str(name); }
};

struct ScreenDescription {
    int windowMode = 0, width = 800, height = 800, backgroundMode = 0;
    uint32_t style = 0x80000000u;
    std::vector<ScreenTextLine> lines;
    std::vector<NameEntry> pictures;
    uint32_t colours[4] = {0xA00000, 0x200000, 0x200000, 0x200000};
    ScreenElement logo{500, 200, 0, 0, 0};
    int logoPlacement = 0;
    HeapString logoPicture;
    int keyX = -1, keyY = -1;
    ScreenElement metafile{450, 450, 100, 100, 0};
    HeapString metafilePath{"c:\\picture.wmf"};
    ScreenElement gauge{100, 750, 0, 0, 1};
    uint32_t gaugeColour = 0xC0C0C0, bar1 = 0x00FF00, bar2 = 0xFF;
    ScreenElement exitButton{900, 920, 90, 65, 1}, helpButton{900, 840, 90, 65, 1},
        minimiseButton{900, 760, 90, 65, 1};
    HeapString background;

    template <class IO> bool Serialize(IO& io)
    {
        if (!io.Int(windowMode) || !io.Int(width) || !io.Int(height) || !io.Int(backgroundMode))
            return false;
        if (windowMode < 0 || windowMode > 3 || width < 0 || height < 0 || backgroundMode < 0 ||
            backgroundMode > 2)
            return false;
        if (!io.Word(style) || !io.List(lines) || !io.List(pictures)) return false;
        for (uint32_t& c : colours)
            if (!io.Word(c)) return false;
        return logo.Serialize(io) && io.Int(logoPlacement) && io.Str(logoPicture) &&
               io.Int(keyX) && io.Int(keyY) && metafile.Serialize(io) && io.Str(metafilePath) &&
               gauge.Serialize(io) && io.Word(gaugeColour) && io.Word(bar1) && io.Word(bar2) &&
               exitButton.Serialize(io) && helpButton.Serialize(io) &&
               minimiseButton.Serialize(io) && io.Str(background);
    }
};

struct ProductRecord {
    unsigned version = 0; // major in the high byte, minor in the low byte
    int build = 0, flags = 0;
    PathBuffer mainProgram;
    HeapString publisher;
    template <class IO> bool Serialize(IO& io)
    {
        return io.UInt(version) && io.Int(build) && io.Int(flags) && io.Path(mainProgram) &&
               io.Str(publisher);
    }
};

struct UninstallSettings {
    int dialogMode = 0; // 0 simple, 1 advanced, 2 unattended
    uint32_t word = 0;
    template <class IO> bool Serialize(IO& io) { return io.Int(dialogMode) && io.Word(word); }
};

class ScriptProject {
public:
    int version = 302;    // in memory always 302 after reading
    int fileVersion = 0;  // the version the file carried
    int width = 32;       // the file's integer width

    int reservedInt = 0;
    uint32_t reservedWords[5] = {};
    ProjectHeader header;
    BuildInfo build;
    std::vector<std::unique_ptr<ScriptEvent>> events;
    DiskMapHeader diskMap;
    std::vector<DiskMapEntry> diskEntries;
    std::vector<Component> components;
    uint32_t dialogsHeader = 0; // the user-dialog list's leading object (version 302)
    std::vector<UserDialog> dialogs;
    ProjectTexts texts;
    LanguageTable languages; // 11 flags before version 302, 20 from 302
    PathBuffer defaultDirectory, defaultGroup;
    ScreenDescription screen;
    ProductRecord product;
    UninstallSettings uninstall;

    // The members after the width byte and the version. False for a damaged script: a short
    // read, an unknown event code, an event's log state outside 0-2, an invalid build style or
    // screen description.
    bool Read(PortableReader& reader);
    // The whole file for the width (16 or 32) and version (300-302); false when a value does
    // not fit (a text of 64 KB or more).
    bool Write(PortableSink& sink, int width, int version);

    const UserDialog* FindDialog(const char* name) const;

private:
    template <class IO> bool Members(IO& io);
    bool ReadEvents(ScriptIn& in);
    bool Languages(ScriptIn& in) { return languages.Read(in.Reader()); }
    bool Languages(ScriptOut& out);
    bool WriteEvents(ScriptOut& out);
};

enum class ScriptReadResult { kOk, kCannotOpen, kBadWidth, kBadVersion, kDamaged };

// Reads a whole script from bytes or a file (through the installer's machine).
ScriptReadResult ReadScript(const std::string& bytes, ScriptProject& project);
ScriptReadResult ReadScriptFile(ScriptProject& project, const char* path);

} // namespace kw
