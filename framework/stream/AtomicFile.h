// Replacing a whole file so that a failed write never damages the old one: the bytes go to a
// temporary file of this process's own beside it (created exclusively under a name nobody can
// guess, never through a link), are flushed to disk, and the temporary is renamed over the
// old file in one step.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

// False when any step failed; the old file (if any) is then untouched and no temporary remains.
bool WriteFileReplacing(const std::string& path, const std::string& bytes);

// Removes the temporaries that replacements of path left behind when their program was
// killed mid-write (those of a program still running stay). A start calls it for each of its
// own files before reading it. The number removed.
int RemoveStaleTemporaries(const std::string& path);

// Keeps a user's file that could not be read whole beside it under a backup name before
// anything replaces it: "<path>.bad", or "<path>.bad2", "<path>.bad3" ... when that is taken
// by another file (a backup with the same bytes is used again). A copy when the file can be
// read, else the file itself (or a link standing at its name) is moved aside. The backup's path, or "" when none was made (the
// file is then best left as it is).
std::string KeepDamagedFile(const std::string& path);

// Test hook: the next n replacements (WriteFileReplacing, each file of ReplaceFiles) fail as
// a full disk would, leaving the old file as it was.
void FailReplacementsForTest(int n);

// One file of a replacement batch and what became of it.
// The bytes are not copied: they must stay alive until ReplaceFiles returns.
struct FileReplacement {
    std::string path;
    std::string_view bytes;
    // When a required file cannot be written, none of the files is replaced.
    bool required = false;
    bool replaced = false;
    int error = 0;  // the system's error number when the file was left as it was
};

// Replaces several files, each whole, for the price of about one wait for the disk: every
// file's bytes go to a temporary of its own, all temporaries are flushed to the disk, and then
// each is renamed over its file in the order given (afterRename, when given, is called after
// each), the directories flushed last. A file whose temporary could not be written is left as
// it was and the others still go ahead, unless it is a required one. False when any file was
// left as it was.
bool ReplaceFiles(std::vector<FileReplacement>& files,
                  const std::function<void(std::size_t index)>& afterRename = nullptr);

} // namespace fw
