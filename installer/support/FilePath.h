// Path and file routines of the installer (module FPATH). Paths are Windows paths on the
// installer's machine (WinRoot); inputs are path texts (a PathName gives its Text()), outputs
// are path objects. A result that does not fit its path object is refused by that object.
#pragma once

#include <string>

#include "installer/support/PathName.h"
#include "installer/support/Timestamp.h"

#include <cstddef>
#include <cstdint>

namespace kw {

// ---- path text
bool FullPath(const char* path, PathName& out);      // absolute, no trailing "\" (but "X:\")
bool DirectoryOf(const char* path, PathName& out);   // drive and directory, no trailing "\"
bool FileNameOf(const char* path, PathName& out);    // name and extension
const char* FileNamePart(const char* path);          // points into path
bool DriveRootOf(const char* path, PathName& out);   // "X:\"
bool ParentPath(const char* path, PathName& out);
bool NormalizePath(PathName& path);                  // split and merged again
bool JoinPath(PathName& out, const char* directory, const char* name);
// The same joining as a text of any length ("" directory: the name alone).
std::string JoinedPath(const std::string& directory, const std::string& name);
bool JoinPaths(PathName& path, const char* name);    // name appended to the path in place
bool ReplaceDirectory(PathName& path, const char* directory);
bool SetFileName(PathName& path, const char* name);
bool AppendToName(PathName& path, const char* text); // before the extension
bool SetExtension(PathName& path, const char* ext);  // with or without the leading "."
bool SetLastExtensionChar(PathName& path, char c);
bool HasExtension(const char* path, const char* ext); // ext begins with "."
bool IsDll(const char* path);
bool IsOcx(const char* path);
bool IsVbx(const char* path);
bool IsBareDrive(const char* path);
bool IsEmptyPath(const char* path);
bool SamePath(const char* a, const char* b);
const char* IsInsideDirectory(const char* path, const char* directory); // the rest, or null
bool RelativePath(const char* file, const char* base, PathName& out);
int DriveIndex(const char* path); // a: 0, b: 1 ...; -1 without a drive
bool SetDrive(PathName& path, int n);
bool SetDriveRoot(PathName& path, int n);
// printf-style through a 1024-character buffer; a longer result is refused (check failure).
bool FormatPath(PathName& path, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;

// ---- text operations on plain buffers of the given size (false when the result does not fit)
bool AddTrailingBackslash(char* buffer, size_t size);
void CutToDirectoryPart(char* buffer); // ends the text at its last "\" (kept)
bool QuoteText(char* buffer, size_t size);
const char* SkipSpaces(const char* text);
bool CopyTrimmed(char* out, size_t size, const char* text);

// ---- files and directories
bool PathExists(const char* path);
bool PathWritable(const char* path);
bool DirectoryExists(const char* path);
bool DirectoryNotEmpty(const char* path);
long FileLength(const char* path); // -1 when it cannot be opened
bool SetFileLength(const char* path, long length);
int GetAttributes(const char* path, uint32_t& attributes); // 0, or -1 when missing
int SetAttributes(const char* path, uint32_t attributes);  // 0 or -1
bool ForceDeleteFile(const char* path);
bool MoveFilePath(const char* from, const char* to);
bool RenameInDirectory(const char* directory, const char* from, const char* to);
bool ChangeDirectory(const char* path);
int MakeDirectory(const char* path); // 1 existed, 0 created, 2 failed
int MakePathText(const char* path);  // every missing level: 1 existed, 0 created, 2 failed
bool RemoveDirectory(const char* path);
bool RemoveTree(const char* path);   // links are removed as entries, never followed
bool GetFileTimestamp(const char* path, Timestamp& stamp);
bool SetFileTimestamp(const char* path, const Timestamp& stamp);
int CompareFileTimes(const char* a, const char* b);

// The installer's own program file on the machine (set by the installer at start-up).
void SetModulePath(const char* path);
bool ModuleFileName(PathName& out);
bool ModuleDirectory(PathName& out);
bool CurrentDirectory(PathName& out);
bool WindowsDirectory(PathName& out);
bool SystemDirectory(PathName& out);
bool SharedFilesDirectory(PathName& out);
bool CommonFilesDirectory(PathName& out);
bool ActualName(PathName& path);
bool ShortName(PathName& path);
bool ToShortPathName(PathName& path);
bool MakeBackupName(PathName& out, const char* path);
bool UniqueFileName(PathName& out, const char* directory, const char* prefix);
bool UniqueFileNameBeside(PathName& out, const char* file, const char* prefix);

}  // namespace kw
