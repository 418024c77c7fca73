// A picture file with variants for the screen's colour depth: "logo.bmp" may stand beside
// "logo256.bmp" (for 8 bits and more) and "logo64k.bmp" (for 24 bits and more).
#pragma once

#include "installer/support/PathBuffer.h"
#include "installer/support/StreamField.h"

namespace kw {

// The screen: size and colour depth (bits per pixel × planes).
struct ScreenInfo {
    int width = 0;
    int height = 0;
    int depth = 0;
    static ScreenInfo Current(); // the primary screen, or the value set for tests
    static void SetForTest(const ScreenInfo* info); // null: the real screen again
};

class BitmapRef : public Persistent {
public:
    enum Kind { kPlain = 0, kWith256 = 1, kWith256And64k = 2 };
    int kind = kPlain;
    PathBuffer path{"c:\\pict.bmp"};

    // The variant for the screen when its file exists, else the path itself.
    bool ResolvePath(PathName& out) const;
    void Assign(const BitmapRef& other);
    // Kind (int) and path (named object); a kind outside 0-2 fails the read.
    bool Read(PortableReader& reader) override;
    bool Write(PortableWriter& writer) override; // not supported: check failure, false
    StreamField* const* FieldList() override;
};

// A picture from a resource of a package or from a file.
struct PictureSource {
    enum { kResource = 0, kFile = 1 };
    int kind = kResource;
    std::string resourceName;
    PathBuffer file;
    void SetFile(const char* p)
    {
        kind = kFile;
        file.SetText(p);
    }
    void SetResource(const char* name)
    {
        kind = kResource;
        resourceName = name ? name : "";
    }
};

} // namespace kw
