#include "installer/engine/UnzipReader.h"

namespace kw {

namespace {
// The shortest compressed file: a 10-byte header, an empty block and the 8-byte trailer.
constexpr long kShortest = 20;
} // namespace

int64_t ExpandedSize(FileSource& source)
{
    if (!source.Open()) return -1;
    unsigned char start[2], size[4];
    const long length = source.Length();
    int64_t result = -1;
    // The start is read first, so that a file that cannot be read at all is told apart from one
    // that is merely short.
    if (source.Read(start, 2) == 2 && length >= kShortest && source.Seek(length - 4) && source.Read(size, 4) == 4)
        result = int64_t(size[0]) | int64_t(size[1]) << 8 | int64_t(size[2]) << 16 | int64_t(size[3]) << 24;
    source.Close();
    return result;
}

int64_t ExpandedSize(const char* path)
{
    FileSource source(path);
    return ExpandedSize(source);
}

} // namespace kw
