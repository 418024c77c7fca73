// The copy policies (version block, version stamp, time, size) and the completion hooks (the
// stamp writer and the shared-file reference). The installed file is always the job's target;
// a missing installed file ranks below every new file.
#pragma once

#include "framework/gui/Responder.h"
#include "installer/support/FileCopyJob.h"
#include "installer/support/PathBuffer.h"

#include <cstdint>
#include <functional>
#include <string>

namespace kw {

// The stamp file beside the installed program's files ("kwver.ini", section "iniversion").
constexpr const char* kStampFileName = "kwver.ini";
constexpr const char* kStampSection = "iniversion";

// A version as two words: major << 16 | minor and build << 16 | revision.
struct VersionPair {
    uint32_t high = 0;
    uint32_t low = 0;
    static VersionPair Of(int major, int minor, int build, int revision);
    // "%d.%d.%d.%d"; false when the text does not give four numbers.
    static bool Parse(const char* text, VersionPair& out);
    std::string Format() const;
    // 1, 0 or -1: most significant word first.
    int Compare(const VersionPair& other) const;
};

// What the version conflict question shows: the two files' version facts.
struct VersionFacts {
    std::string path;
    uint32_t language = 0;
    uint32_t codePage = 0;
    uint32_t os = 0;
    uint32_t fileType = 0;
    VersionPair version;
};
struct VersionConflict {
    VersionFacts newFile;
    VersionFacts installedFile;
};
// Answers 0 (copy; installedPath may be changed to where the new file goes), -1 (keep) or 2
// (the question could not be asked). Without a responder the question is the dialog "DLGAOW".
using VersionConflictSeam =
    fw::ModalSeam<struct VersionConflictTag, int(const VersionConflict&, std::string& installedPath)>;

// The version conflict question as a dialog of the language package.
int AskVersionConflict(const VersionConflict& conflict, std::string& installedPath);
// Texts of the question: a language's name, an operating-system kind, a file type.
std::string LanguageNameOf(uint32_t language);
std::string OsKindText(uint32_t os);
std::string FileTypeText(uint32_t type);

class VersionPolicy : public CopyPolicy {
public:
    VersionPolicy(int code, const char* newFile) : CopyPolicy(code), newFile_(newFile) {}
    int Compare() override;

private:
    PathBuffer newFile_;
};

class StampPolicy : public CopyPolicy {
public:
    StampPolicy(int code, const char* stampFile, VersionPair newVersion)
        : CopyPolicy(code), stampFile_(stampFile), version_(newVersion) {}
    int Compare() override;
    const PathBuffer& StampFile() const { return stampFile_; }
    const VersionPair& NewVersion() const { return version_; }

private:
    PathBuffer stampFile_;
    VersionPair version_;
};

class TimePolicy : public CopyPolicy {
public:
    explicit TimePolicy(int code) : CopyPolicy(code) {}
    int Compare() override; // against the job's timestamp
};

class SizePolicy : public CopyPolicy {
public:
    SizePolicy(int code, long newLength) : CopyPolicy(code), length_(newLength) {}
    int Compare() override;

private:
    long length_;
};

// Writes the new version into the stamp file once the file was copied.
// The installer hands it a writer that records the change (so that the uninstaller removes the
// stamp again); without one the stamp file is written directly.
class StampWriter : public CompletionHook {
public:
    using Writer = std::function<bool(const char* file, const char* section, const char* key, const char* value)>;
    StampWriter(const char* stampFile, VersionPair version, Writer writer = nullptr)
        : stampFile_(stampFile), version_(version), writer_(std::move(writer)) {}
    void Completed() override;

private:
    PathBuffer stampFile_;
    VersionPair version_;
    Writer writer_;
};

// Counts one more user of a shared file once it was copied or kept; the installer operations
// give the counter.
class SharedFileReference : public CompletionHook {
public:
    explicit SharedFileReference(std::function<bool(const char* path)> increment)
        : increment_(std::move(increment)) {}
    void Completed() override;

private:
    std::function<bool(const char*)> increment_;
};

} // namespace kw
