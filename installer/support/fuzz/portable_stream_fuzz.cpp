// Feeds arbitrary bytes to the portable stream reader as an install script or operation log
// would: the first byte picks the integer width, each following byte picks the next value to
// read. Whatever a string read yields must write back to the same bytes it came from.
#include "framework/gui/MessageBox.h"
#include "installer/support/HeapString.h"
#include "installer/support/PathBuffer.h"
#include "installer/support/PortableStream.h"
#include "installer/support/RegKey.h"
#include "installer/support/StreamField.h"
#include "installer/support/Timestamp.h"

#include <cstdlib>
#include <cstring>

using namespace kw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool quiet = [] {
        fw::MessageBoxSeam::Set([](const fw::MessageBoxCall&) { return fw::IDOK; });
        return true;
    }();
    (void)quiet;
    if (size < 2) return 0;
    const bool narrow = data[0] & 1;
    // Selector bytes and value bytes come from two ends of the input.
    size_t half = 1 + (size - 1) / 4;
    MemorySource src(data + half, size - half);
    PortableReader r(src, narrow);
    for (size_t i = 1; i < half; ++i) {
        switch (data[i] % 9) {
        case 0: {
            size_t before = src.Position();
            HeapString s;
            if (r.ReadString(s) && std::strlen(s.Text()) == static_cast<size_t>(s.Length())) {
                MemorySink sink;
                PortableWriter w(sink, narrow);
                if (!w.WriteString(s)) std::abort();
                // Without inner zero bytes the text is what was stored, so its encoding matches
                // unless the stored form used the long length for a short text.
                size_t consumed = src.Position() - before;
                if (sink.Bytes().size() == consumed &&
                    std::memcmp(sink.Bytes().data(), data + half + before, consumed) != 0)
                    std::abort();
            }
            break;
        }
        case 1: {
            char buf[RegKey::kPathSize];
            r.ReadCString(buf, sizeof buf);
            break;
        }
        case 2: {
            int v;
            r.ReadInt(v);
            break;
        }
        case 3: {
            unsigned v;
            r.ReadUInt(v);
            break;
        }
        case 4: {
            RegKey k;
            r.ReadObject(k);
            if (std::strlen(k.Path()) >= RegKey::kPathSize) std::abort();
            break;
        }
        case 5: {
            PathBuffer p;
            r.ReadNamedObject(p);
            break;
        }
        case 6: {
            Timestamp t;
            TimestampField f(t);
            f.Read(r);
            break;
        }
        case 7: {
            unsigned char block[3000];
            r.ReadBlock(block, data[i] * 11);
            break;
        }
        default: {
            char small[8];
            r.ReadCString(small, sizeof small);
            break;
        }
        }
    }
    return 0;
}
