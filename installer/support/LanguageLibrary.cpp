#include "installer/support/LanguageLibrary.h"

#include "framework/stream/StateReset.h"
#include "framework/sys/WinRoot.h"
#include "installer/support/FilePath.h"
#include "installer/support/LanguageTable.h"
#include "installer/support/PathBuffer.h"
#include "installer/support/ResString.h"

#include <strings.h>

#include <cstring>

namespace kw {

namespace {
// The installer's built-in resources: the message box layouts (text 101, icon 102, buttons
// from 103) for one to three buttons and one to three buttons with help, and the progress and
// message windows and the install screen's gauge for use before a language package is loaded.
const char kOwnResources[] = R"(
[dialog DLGMSGBOX0]
size=60,40
control=102,ICON,8,8,20,20,,
control=101,STATIC,36,8,16,8,left,
[dialog DLGMSGBOX1]
size=180,62
control=102,ICON,8,8,20,20,,
control=101,STATIC,36,8,136,24,left,
control=103,BUTTON,62,40,56,14,default,OK
[dialog DLGMSGBOX2]
size=180,62
control=102,ICON,8,8,20,20,,
control=101,STATIC,36,8,136,24,left,
control=103,BUTTON,30,40,56,14,,OK
control=104,BUTTON,94,40,56,14,,Cancel
[dialog DLGMSGBOX3]
size=200,62
control=102,ICON,8,8,20,20,,
control=101,STATIC,36,8,156,24,left,
control=103,BUTTON,8,40,56,14,,1
control=104,BUTTON,72,40,56,14,,2
control=105,BUTTON,136,40,56,14,,3
[dialog DLGMSGBOX4]
size=264,62
control=102,ICON,8,8,20,20,,
control=101,STATIC,36,8,220,24,left,
control=103,BUTTON,8,40,56,14,,1
control=104,BUTTON,72,40,56,14,,2
control=105,BUTTON,136,40,56,14,,3
control=106,BUTTON,200,40,56,14,,4
[dialog DLGPROG]
caption=Installing
size=240,92
control=105,ICON,8,8,20,20,,
control=101,STATIC,36,8,196,10,left,
control=102,STATIC,36,20,196,10,left,
control=103,STATIC,36,32,196,10,left,
control=104,GAUGE,36,48,196,14,,
control=2,BUTTON,92,70,56,14,,Cancel
[dialog DLGMSGDLG]
size=200,70
control=102,ICON,8,8,20,20,,
control=101,STATIC,36,8,156,36,left,
control=1,BUTTON,72,50,56,14,default,OK
[dialog DLGGAUGE]
size=140,40
control=-1,FRAME,0,0,0,0,notitle,
control=101,GAUGE,8,8,124,10,,
control=102,GAUGE,8,22,124,10,,
)";

bool IsMessageBoxTemplate(const char* name) { return strncasecmp(name, "DLGMSGBOX", 9) == 0; }

// The installer's own strings for the message box and help texts, used while no language
// package is loaded.
const ResStringEntry kOwnStrings[] = {
    {11, "Help is not available."}, {12, "Help"},   {76, "&OK"},     {77, "&Cancel"}, {78, "&Yes"},
    {79, "&No"},                    {80, "&Retry"}, {81, "Error"},   {82, "&Help"},
};
const bool kOwnStringsRegistered = [] {
    RegisterOwnStrings(kOwnStrings, static_cast<int>(sizeof kOwnStrings / sizeof kOwnStrings[0]));
    return true;
}();
} // namespace

const fw::ResourcePackage& OwnResources()
{
    (void)kOwnStringsRegistered;
    static fw::ResourcePackage own = [] {
        fw::ResourcePackage p;
        p.LoadText(kOwnResources);
        return p;
    }();
    return own;
}

LanguageLibrary& LanguageLibrary::Instance()
{
    static LanguageLibrary library;
    return library;
}

namespace {
const fw::StateReset resetLibrary{[] { LanguageLibrary::Instance().Free(); }};
} // namespace

LanguageLibrary::~LanguageLibrary() { Free(); }

bool LanguageLibrary::Load(const LanguageTable& table, const char* pattern)
{
    // Only the pattern's "%s" is replaced: the pattern never reaches a printf.
    std::string name = pattern ? pattern : "";
    size_t at = name.find("%s");
    if (at != std::string::npos) name.replace(at, 2, LanguageCode(table.Choose()));
    PathBuffer dir, path;
    if (!ModuleDirectory(dir) || !JoinPath(path, dir.Text(), name.c_str())) {
        error_ = "no installer directory for " + name;
        return false;
    }
    return LoadFile(path.Text());
}

bool LanguageLibrary::LoadFile(const char* path)
{
    Free();
    fw::WinRoot* root = fw::WinRoot::Current();
    std::string host;
    bool link = false;
    // A link at the library's name is not followed: it could lead out of the machine.
    if (!root || !path || !root->ToHost(path, host, &link) || link) {
        error_ = std::string("cannot find ") + (path ? path : "");
        return false;
    }
    if (!package_.LoadHostFile(host)) {
        error_ = std::string(path) + ": " + package_.Error();
        return false;
    }
    loaded_ = true;
    SetLanguageStringLoader([this](int id, char* buffer, int size) {
        const std::string* s = package_.String(id);
        if (!s || size <= 0) return false;
        size_t n = s->size() < size_t(size) ? s->size() : size_t(size) - 1;
        std::memcpy(buffer, s->data(), n);
        buffer[n] = 0;
        return true;
    });
    return true;
}

void LanguageLibrary::Free()
{
    if (!loaded_) return;
    SetLanguageStringLoader({});
    package_.Clear();
    loaded_ = false;
}

const fw::DialogDescription* FindDialogDescription(const char* name)
{
    if (!name) return nullptr;
    LanguageLibrary& lib = LanguageLibrary::Instance();
    if (lib.IsLoaded() && !IsMessageBoxTemplate(name))
        if (const fw::DialogDescription* d = lib.Package().Dialog(name)) return d;
    return OwnResources().Dialog(name);
}

const std::string* FindPicture(const char* name)
{
    if (!name) return nullptr;
    LanguageLibrary& lib = LanguageLibrary::Instance();
    if (lib.IsLoaded())
        if (const std::string* p = lib.Package().Picture(name)) return p;
    return OwnResources().Picture(name);
}

} // namespace kw
