// The stream kinds a file copy job reads from and writes to: a plain file, a member of the
// installer's archive, a decompressing reader over another source, a file target and an
// archive target.
#pragma once

#include "installer/support/FileCopyJob.h"
#include "installer/support/LzpLibrary.h"

#include <cstdio>
#include <memory>
#include <string>

namespace kw {

// The installer's archive as the copy job sees it (the engine provides it).
class CopyArchive {
public:
    virtual ~CopyArchive() = default;
    virtual bool OpenMember(const char* name) = 0;
    virtual int ReadMember(void* buffer, int n) = 0; // count, 0 at the end, -1 on error
    virtual bool CloseMember() = 0;
    // Writing into an archive file opened by an archive target (default: plain bytes).
    virtual int WriteTo(FILE* file, const void* buffer, int n);
    // The archive target's final step, after its last byte (default: nothing to add).
    virtual bool FinishWrite(FILE* file);
};

class FileSource : public CopySource {
public:
    explicit FileSource(const char* path) : path_(path ? path : "") {}
    ~FileSource() override { Close(); }
    bool Open() override;
    bool Close() override;
    int Read(void* buffer, int n) override;
    bool AtEnd() const;
    long Length() const; // -1 when not open
    bool Seek(long offset);

private:
    std::string path_;
    FILE* file_ = nullptr;
};

class ArchiveSource : public CopySource {
public:
    ArchiveSource(CopyArchive* archive, const char* member)
        : archive_(archive), member_(member ? member : "") {}
    bool Open() override { return archive_ && archive_->OpenMember(member_.c_str()); }
    bool Close() override { return archive_ && archive_->CloseMember(); }
    int Read(void* buffer, int n) override { return archive_ ? archive_->ReadMember(buffer, n) : -1; }

private:
    CopyArchive* archive_;
    std::string member_;
};

// Expands what another source delivers: loads the compression library when it opens and
// frees it when it closes. A missing library or export makes Open fail. The library pulls the
// compressed bytes one call at a time; every 2048th such call, counted over all readers,
// first lets the installer's windows handle their waiting events.
class DecompressingSource : public CopySource, private ByteReader {
public:
    enum { kPumpEvery = 2048 };
    // The calls for input made so far by every reader; set back to 0 by tests.
    static unsigned long InputCalls();
    static void ResetInputCalls();

    explicit DecompressingSource(std::unique_ptr<CopySource> inner,
                                 const char* libraryName = LzpLibrary::kName)
        : inner_(std::move(inner)), libraryName_(libraryName ? libraryName : "") {}
    ~DecompressingSource() override { Close(); }
    bool Open() override;
    bool Close() override;
    int Read(void* buffer, int n) override;
    int LastError() const { return lastError_; } // the library's error after a failed Read

private:
    int ReadByte() override;
    std::unique_ptr<CopySource> inner_;
    std::string libraryName_;
    LzpLibrary library_;
    bool open_ = false;
    int lastError_ = 0;
    unsigned char buffer_[4096];
    int bufferAt_ = 0;
    int bufferEnd_ = 0;
    bool innerEnded_ = false;
};

// Writes the job's target (or its alternate target when the job says so). The bytes go to a
// temporary file beside it that Commit puts in its place, so a failed or cancelled copy
// leaves the installed file as it was.
class FileTarget : public CopyTarget {
public:
    ~FileTarget() override { Close(); }
    bool Open() override;
    bool Close() override;
    int Write(const void* buffer, int n) override;
    bool Commit() override;
    bool Check() override;

protected:
    const char* Destination() const;
    FILE* file_ = nullptr;
    std::string temporary_;
    bool committed_ = false;
    std::string head_; // the first bytes written: a program file of the host is made runnable
};

// Appends to an archive file through the job's archive object: an existing file is kept and
// written at its end, a missing one is created. A transfer that ends without its commit (failed
// or cancelled) cuts the file back to the length it had, or deletes the file it created. An
// archive cannot be written beside its target, so a job that writes to its alternate target
// (a target in use, a deferred comparison) fails its check.
class ArchiveTarget : public CopyTarget {
public:
    ~ArchiveTarget() override { Close(); }
    bool Open() override;
    bool Close() override;
    int Write(const void* buffer, int n) override;
    bool Commit() override;
    bool Check() override { return Job() && Job()->archive && !Job()->useAlternateTarget; }
    bool Appends() const override { return true; }
    long FormerLength() const override { return formerLength_; }

private:
    FILE* file_ = nullptr;
    std::string path_;       // the file being written, while open
    long formerLength_ = -1; // its length before this transfer; -1 when the transfer made it
    bool committed_ = false;
};

} // namespace kw
