#include "installer/support/CopyStreams.h"

#include "framework/stream/StateReset.h"
#include "framework/sys/WinFileSystem.h"
#include "installer/support/FilePath.h"
#include "installer/support/MessageLoop.h"

#include <algorithm>

namespace kw {

int CopyArchive::WriteTo(FILE* file, const void* buffer, int n)
{
    if (!file || n < 0) return -1;
    return std::fwrite(buffer, 1, static_cast<size_t>(n), file) == static_cast<size_t>(n) ? n : -1;
}

bool CopyArchive::FinishWrite(FILE*) { return true; }

// ---- plain file source

bool FileSource::Open()
{
    Close();
    file_ = fw::WinFileSystem::Open(path_, "rb");
    return file_ != nullptr;
}

bool FileSource::Close()
{
    if (!file_) return true;
    bool ok = std::fclose(file_) == 0;
    file_ = nullptr;
    return ok;
}

int FileSource::Read(void* buffer, int n)
{
    if (!file_ || n < 0) return -1;
    size_t got = std::fread(buffer, 1, static_cast<size_t>(n), file_);
    if (got == 0 && std::ferror(file_)) return -1;
    return static_cast<int>(got);
}

bool FileSource::AtEnd() const { return !file_ || std::feof(file_); }

long FileSource::Length() const
{
    if (!file_) return -1;
    long at = std::ftell(file_);
    if (std::fseek(file_, 0, SEEK_END) != 0) return -1;
    long len = std::ftell(file_);
    std::fseek(file_, at, SEEK_SET);
    return len;
}

bool FileSource::Seek(long offset) { return file_ && std::fseek(file_, offset, SEEK_SET) == 0; }

// ---- decompressing source

bool DecompressingSource::Open()
{
    Close();
    lastError_ = 0;
    if (!inner_ || !library_.Load(libraryName_.c_str())) return false;
    if (!inner_->Open()) {
        library_.Free();
        return false;
    }
    bufferAt_ = bufferEnd_ = 0;
    innerEnded_ = false;
    if (library_.UnzOpen(this) < 0) {
        lastError_ = library_.GetError();
        inner_->Close();
        library_.Free();
        return false;
    }
    open_ = true;
    return true;
}

bool DecompressingSource::Close()
{
    if (!open_) return true;
    library_.UnzClose();
    bool ok = inner_->Close();
    library_.Free();
    open_ = false;
    return ok;
}

int DecompressingSource::Read(void* buffer, int n)
{
    if (!open_) return -1;
    int got = library_.UnzRead(buffer, n);
    if (got < 0) lastError_ = library_.GetError();
    return got;
}

namespace {
unsigned long inputCalls = 0;
const fw::StateReset resetInputCalls{DecompressingSource::ResetInputCalls};
} // namespace

unsigned long DecompressingSource::InputCalls() { return inputCalls; }

void DecompressingSource::ResetInputCalls() { inputCalls = 0; }

int DecompressingSource::ReadByte()
{
    if (++inputCalls % kPumpEvery == 0) MessageLoop::Instance().Pump(true);
    if (bufferAt_ == bufferEnd_) {
        if (innerEnded_) return -1;
        int n = inner_->Read(buffer_, sizeof buffer_);
        if (n <= 0) {
            innerEnded_ = true; // an error ends the input: the library then finds it short
            return -1;
        }
        bufferAt_ = 0;
        bufferEnd_ = n;
    }
    return buffer_[bufferAt_++];
}

// ---- file target

const char* FileTarget::Destination() const
{
    FileCopyJob* job = Job();
    if (!job) return "";
    return job->useAlternateTarget ? job->alternateTarget.Text() : job->target.Text();
}

bool FileTarget::Check()
{
    const char* dest = Destination();
    if (!*dest || fw::WinFileSystem::IsDirectory(dest)) return false;
    PathBuffer dir;
    return DirectoryOf(dest, dir) && DirectoryExists(dir.Text());
}

bool FileTarget::Open()
{
    Close();
    PathBuffer temp;
    if (!UniqueFileNameBeside(temp, Destination(), "kwt")) return false;
    file_ = fw::WinFileSystem::Open(temp.Text(), "wb");
    if (!file_) return false;
    temporary_ = temp.Text();
    committed_ = false;
    return true;
}

int FileTarget::Write(const void* buffer, int n)
{
    if (!file_ || n < 0) return -1;
    if (head_.size() < 4) head_.append(static_cast<const char*>(buffer), std::min<size_t>(4 - head_.size(), static_cast<size_t>(n)));
    return std::fwrite(buffer, 1, static_cast<size_t>(n), file_) == static_cast<size_t>(n) ? n : -1;
}

bool FileTarget::Commit()
{
    if (!file_) return false;
    bool ok = std::fflush(file_) == 0 && std::fclose(file_) == 0;
    file_ = nullptr;
    if (ok) ok = fw::WinFileSystem::MoveFileEx(temporary_, Destination(), fw::kMoveReplaceExisting);
    // Any file runs as a program on Windows; here a program of the host (an executable or a
    // script) needs its execute permission once installed.
    if (ok && (head_ == "\x7f" "ELF" || head_.compare(0, 2, "#!") == 0)) ok = fw::WinFileSystem::MakeRunnable(Destination());
    if (ok) {
        temporary_.clear();
        committed_ = true;
    }
    return ok;
}

bool FileTarget::Close()
{
    bool ok = true;
    if (file_) {
        ok = std::fclose(file_) == 0;
        file_ = nullptr;
    }
    if (!temporary_.empty()) {
        fw::WinFileSystem::DeleteFile(temporary_);
        temporary_.clear();
    }
    return ok;
}

// ---- archive target

bool ArchiveTarget::Open()
{
    Close();
    FileCopyJob* job = Job();
    if (!job || !job->archive) return false;
    const char* path = job->target.Text();
    if (PathExists(path)) {
        file_ = fw::WinFileSystem::Open(path, "r+b");
        if (file_ && (std::fseek(file_, 0, SEEK_END) != 0 || (formerLength_ = std::ftell(file_)) < 0)) {
            std::fclose(file_);
            file_ = nullptr;
        }
    } else {
        formerLength_ = -1;
        file_ = fw::WinFileSystem::Open(path, "wb");
    }
    if (!file_) return false;
    path_ = path;
    committed_ = false;
    return true;
}

int ArchiveTarget::Write(const void* buffer, int n)
{
    FileCopyJob* job = Job();
    if (!file_ || !job || !job->archive) return -1;
    return job->archive->WriteTo(file_, buffer, n);
}

bool ArchiveTarget::Commit()
{
    FileCopyJob* job = Job();
    committed_ = file_ && job && job->archive && job->archive->FinishWrite(file_) && std::fflush(file_) == 0;
    return committed_;
}

bool ArchiveTarget::Close()
{
    if (!file_) return true;
    bool ok = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!committed_) {
        // What a broken transfer wrote goes again: the file is as it was before.
        if (formerLength_ >= 0) SetFileLength(path_.c_str(), formerLength_);
        else fw::WinFileSystem::DeleteFile(path_);
    }
    path_.clear();
    return ok;
}

} // namespace kw
