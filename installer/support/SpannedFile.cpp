#include "installer/support/SpannedFile.h"

#include "framework/sys/WinFileSystem.h"
#include "installer/support/CheckFailed.h"
#include "installer/support/FilePath.h"
#include "installer/support/PathBuffer.h"

namespace kw {

SpannedFile::~SpannedFile() { Close(); }

void SpannedFile::Setup(const char* baseName, int firstNumber, int pieceCount, long startOffset,
                        long totalLength)
{
    Close();
    baseName_ = baseName ? baseName : "";
    firstNumber_ = firstNumber;
    pieceCount_ = pieceCount;
    startOffset_ = startOffset;
    totalLength_ = totalLength;
    state_ = Closed;
}

bool SpannedFile::Open()
{
    pieceIndex_ = 0;
    delivered_ = 0;
    if (OpenPiece()) {
        state_ = Reading;
        return true;
    }
    state_ = Failed;
    return false;
}

bool SpannedFile::Close()
{
    if (piece_) std::fclose(piece_);
    piece_ = nullptr;
    state_ = Closed;
    return true;
}

bool SpannedFile::PieceDirectory(PathName& path)
{
    return DirectoryOf(baseName_.c_str(), path);
}

bool SpannedFile::OpenPiece()
{
    if (piece_) std::fclose(piece_);
    piece_ = nullptr;
    PathBuffer dir, name;
    if (!PieceDirectory(dir)) return false;
    const char* file = FileNamePart(baseName_.c_str());
    if (*dir.Text() ? !JoinPath(name, dir.Text(), file) : !name.SetText(file)) return false;
    int number = NumbersFromFirst() ? firstNumber_ + pieceIndex_ : pieceIndex_;
    if (pieceIndex_ > 0) {
        char ext[16];
        std::snprintf(ext, sizeof ext, "%03d", number);
        if (!SetExtension(name, ext)) return false;
    }
    for (;;) {
        piece_ = fw::WinFileSystem::Open(name.Text(), "rb");
        if (piece_) break;
        if (!PromptForPiece(number, true)) return false;
    }
    if (pieceIndex_ == 0 && startOffset_ > 0 && std::fseek(piece_, startOffset_, SEEK_SET) != 0) {
        std::fclose(piece_);
        piece_ = nullptr;
        return false;
    }
    return true;
}

int SpannedFile::GetByte()
{
    if (state_ != Reading) return -1;
    if (delivered_ >= totalLength_) {
        state_ = Finished;
        return -1;
    }
    for (;;) {
        int c = piece_ ? std::fgetc(piece_) : EOF;
        if (c != EOF) {
            ++delivered_;
            return c;
        }
        if (!piece_ || std::ferror(piece_)) {
            state_ = Failed;
            return -1;
        }
        std::fclose(piece_);
        piece_ = nullptr;
        bool last = pieceIndex_ + 1 >= pieceCount_;
        CheckFailed("BSFSPN", 116, !last);
        if (last) {
            state_ = Failed;
            return -1;
        }
        ++pieceIndex_;
        if (!OpenPiece()) {
            state_ = Failed;
            return -1;
        }
    }
}

}  // namespace kw
