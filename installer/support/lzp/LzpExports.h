// The compression library's exported operations (the library "lzpunz2", loaded by name at run
// time). Compressed data is one gzip member: a gzip header, the deflate stream, the CRC-32 and
// the expanded size as 4 little-endian bytes at the very end. One decompressor and one
// compressor exist at a time; the decompressor pulls its input one byte at a time through a
// callback, the compressor hands its output one byte at a time to a callback.
#pragma once

extern "C" {

// Answers the next compressed byte (0-255) or -1 at the end of the input.
typedef int (*LzpReadByte)(void);
// Takes one output byte (its low 8 bits); answers a negative value when it cannot take it.
typedef int (*LzpWriteByte)(int byte);

typedef int (*LzpUnzOpenFn)(LzpReadByte readByte, void* handle);
typedef int (*LzpUnzReadFn)(void* buffer, int size);
typedef int (*LzpUnzCloseFn)(void);
typedef int (*LzpGetErrorFn)(void);
typedef int (*LzpUnzAllocFn)(void);
typedef int (*LzpUnzFreeFn)(void);
typedef int (*LzpZipCreateFn)(LzpWriteByte writeByte, int level, int reserved);
typedef int (*LzpZipWriteFn)(const void* buffer, int size);
typedef int (*LzpZipCloseFn)(void);

// Error codes of LzpGetError.
enum {
    LZP_OK = 0,
    LZP_ERR_NOT_OPEN = 1,  // no decompressor or compressor open
    LZP_ERR_MEMORY = 2,    // out of memory, or the input is larger than the library accepts
    LZP_ERR_HEADER = 3,    // not a gzip member, or its header is damaged
    LZP_ERR_TRAILER = 4,   // input too short for the trailer, or the expanded size disagrees
    LZP_ERR_STREAM = 5,    // the deflate stream or its check sum is damaged
    LZP_ERR_OUTPUT = 6,    // the output callback refused a byte
    LZP_ERR_ARGUMENT = 7,  // a null callback or buffer, or a negative size
};

// Decompression. LzpUnzOpen reads the whole compressed input through the callback and checks
// its header and trailer before any byte is delivered (0, or -1 with the error set).
// LzpUnzRead delivers up to size expanded bytes: the count, 0 at the end, -1 on error; it
// never delivers more than the trailer announces. LzpUnzClose ends it (0).
int LzpUnzOpen(LzpReadByte readByte, void* handle);
int LzpUnzRead(void* buffer, int size);
int LzpUnzClose(void);
int LzpGetError(void);
// Reserve and release the decompressor's working memory (0 on success). LzpUnzOpen reserves
// it itself when needed; LzpUnzClose keeps it for the next file until LzpUnzFree.
int LzpUnzAlloc(void);
int LzpUnzFree(void);

// Compression at level (0-9; another value: the default level); reserved is ignored.
// LzpZipWrite answers size or -1; LzpZipClose writes the trailer (0, or -1).
int LzpZipCreate(LzpWriteByte writeByte, int level, int reserved);
int LzpZipWrite(const void* buffer, int size);
int LzpZipClose(void);
}
