// A file split into numbered pieces (module BSFSPN): the first piece carries the base name,
// piece n the extension "%03d" of n (or of first number + n). Bytes come one at a time
// across the pieces.
#pragma once

#include "installer/support/PathName.h"

#include <cstdio>
#include <string>

namespace kw {

class SpannedFile {
public:
    enum State { Closed = 0, Reading = 1, Failed = 2, Finished = 3 };
    virtual ~SpannedFile();

    void Setup(const char* baseName, int firstNumber, int pieceCount, long startOffset,
               long totalLength);
    bool Open();
    bool Close();
    int GetByte(); // -1 at the end or on failure
    int State() const { return state_; }
    long Delivered() const { return delivered_; }

protected:
    virtual bool NumbersFromFirst() { return false; }
    // True to try opening the piece again (after asking for the next disk, for example).
    virtual bool PromptForPiece(int /*number*/, bool /*retry*/) { return false; }
    // The directory the pieces are read from: by default that of the base name.
    virtual bool PieceDirectory(PathName& path);
    bool OpenPiece();

private:
    std::string baseName_;
    int firstNumber_ = 0;
    int pieceCount_ = 0;
    long startOffset_ = 0;
    long totalLength_ = 0;
    long delivered_ = 0;
    int pieceIndex_ = 0;
    int state_ = Closed;
    FILE* piece_ = nullptr;
};

}  // namespace kw
