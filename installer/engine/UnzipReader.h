// The installer's decompressing reader and the expanded size of a compressed file. The reader
// is the copy job's decompressing source: it opens the compressed source and the compression
// library, delivers the expanded bytes and closes both; its input pumps the installer's events
// every 2048th call, counted over all readers.
#pragma once

#include "installer/support/CopyStreams.h"

#include <cstdint>

namespace kw {

using UnzipReader = DecompressingSource;

// The size a compressed file expands to, as its last four bytes (little-endian) give it; -1
// when the file cannot be read or is too short to be a compressed file.
int64_t ExpandedSize(FileSource& source);
int64_t ExpandedSize(const char* path);

} // namespace kw
