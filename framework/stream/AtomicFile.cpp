#include "framework/stream/AtomicFile.h"

#include "framework/stream/StateReset.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fw {

namespace {

int gFailReplacements = 0;
const StateReset resetFailReplacements{[] { gFailReplacements = 0; }};

// True (and one failure used up) when a test asked for this replacement to fail.
bool FailForTest()
{
    if (gFailReplacements <= 0)
        return false;
    --gFailReplacements;
    errno = ENOSPC;
    return true;
}

// The temporary beside path that a replacement writes first: "<name>.tmp<pid>-" and six
// characters nobody can guess, created exclusively (O_CREAT|O_EXCL, so never through a link
// or over a file already there). The pid lets a later start tell a temporary that a killed
// program left from one being written now. The descriptor, or -1 with errno set.
int CreateTemporary(const std::string& path, std::string& tmp)
{
    std::string name = path + ".tmp" + std::to_string(getpid()) + "-XXXXXX";
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0)
        return -1;
    // The mode a file written by the program has always had, not mkostemp's private one.
    ::fchmod(fd, 0644);
    tmp = name;
    return fd;
}

// The pid in a temporary's name ("<base>.tmp<pid>" or "<base>.tmp<pid>-XXXXXX"), or -1 when
// name is not one of base's temporaries.
long TemporaryPid(const std::string& name, const std::string& base)
{
    const std::string lead = base + ".tmp";
    if (name.size() <= lead.size() || name.compare(0, lead.size(), lead) != 0)
        return -1;
    std::size_t i = lead.size();
    long pid = 0;
    const std::size_t digitsFrom = i;
    while (i < name.size() && name[i] >= '0' && name[i] <= '9' && i - digitsFrom < 9)
        pid = pid * 10 + (name[i++] - '0');
    if (i == digitsFrom || pid <= 0)
        return -1;
    if (i == name.size())
        return pid;
    if (name[i] != '-' || name.size() - i - 1 != 6)
        return -1;
    return pid;
}

} // namespace

void FailReplacementsForTest(int n) { gFailReplacements = n; }

int RemoveStaleTemporaries(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    const std::string dir = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    DIR* d = ::opendir(dir.c_str());
    if (!d)
        return 0;
    std::vector<std::string> stale;
    while (dirent* e = ::readdir(d)) {
        const long pid = TemporaryPid(e->d_name, base);
        if (pid < 0 || pid == static_cast<long>(getpid()))
            continue;
        // A program that is still running may be writing it.
        if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH)
            continue;
        stale.push_back(dir + e->d_name);
    }
    ::closedir(d);
    int removed = 0;
    for (const auto& p : stale) {
        struct stat st;
        // Only a file or a link is removed (a link itself, never what it points at).
        if (::lstat(p.c_str(), &st) == 0 && (S_ISREG(st.st_mode) || S_ISLNK(st.st_mode)) &&
            ::unlink(p.c_str()) == 0)
            ++removed;
    }
    return removed;
}

std::string KeepDamagedFile(const std::string& path)
{
    std::string bytes;
    bool readable = false;
    // Never through a link: a link is moved aside itself, and nothing it points at is read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
    if (fd >= 0) {
        struct stat st;
        readable = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
        char buf[65536];
        while (readable) {
            const ssize_t n = ::read(fd, buf, sizeof buf);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                readable = false;
            if (n <= 0)
                break;
            bytes.append(buf, static_cast<std::size_t>(n));
        }
        ::close(fd);
    }
    for (int i = 1; i <= 99; ++i) {
        const std::string backup = path + ".bad" + (i == 1 ? std::string() : std::to_string(i));
        struct stat st;
        if (::lstat(backup.c_str(), &st) == 0) {
            // The same damaged file met again: its backup is already there.
            if (readable && S_ISREG(st.st_mode) && static_cast<std::size_t>(st.st_size) == bytes.size()) {
                std::string held;
                const int bfd = ::open(backup.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
                if (bfd >= 0) {
                    char buf[65536];
                    ssize_t n;
                    while ((n = ::read(bfd, buf, sizeof buf)) > 0)
                        held.append(buf, static_cast<std::size_t>(n));
                    ::close(bfd);
                }
                if (held == bytes)
                    return backup;
            }
            continue;
        }
        if (readable)
            return WriteFileReplacing(backup, bytes) ? backup : std::string();
        return std::rename(path.c_str(), backup.c_str()) == 0 ? backup : std::string();
    }
    return std::string();
}

bool WriteFileReplacing(const std::string& path, const std::string& bytes)
{
    if (FailForTest())
        return false;
    std::string tmp;
    int fd = CreateTemporary(path, tmp);
    if (fd < 0)
        return false;
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            close(fd);
            unlink(tmp.c_str());
            return false;
        }
        done += static_cast<size_t>(n);
    }
    // The descriptor is closed whether or not the flush succeeded.
    const bool flushed = fsync(fd) == 0;
    const bool closed = close(fd) == 0;
    if (!flushed || !closed) {
        unlink(tmp.c_str());
        return false;
    }
    if (std::rename(tmp.c_str(), path.c_str()) != 0) {
        unlink(tmp.c_str());
        return false;
    }
    // The rename itself reaches the disk with its directory.
    const auto slash = path.find_last_of('/');
    const std::string dir = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    int dfd = open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (dfd >= 0) {
        fsync(dfd);
        close(dfd);
    }
    return true;
}

namespace {

bool WriteAll(int fd, std::string_view bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string DirectoryOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : path.substr(0, slash + 1);
}

void SyncDirectory(const std::string& dir)
{
    const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
}

} // namespace

bool ReplaceFiles(std::vector<FileReplacement>& files, const std::function<void(std::size_t)>& afterRename)
{
    std::vector<std::string> temps(files.size());
    std::vector<int> fds(files.size(), -1);
    bool requiredFailed = false;
    const auto fail = [&](std::size_t i, int error) {
        files[i].error = error;
        if (fds[i] >= 0)
            ::close(fds[i]);
        fds[i] = -1;
        if (!temps[i].empty())
            ::unlink(temps[i].c_str());
        requiredFailed = requiredFailed || files[i].required;
    };
    for (std::size_t i = 0; i < files.size(); ++i) {
        FileReplacement& f = files[i];
        f.replaced = false;
        f.error = 0;
        if (FailForTest()) {
            fail(i, errno);
            continue;
        }
        fds[i] = CreateTemporary(f.path, temps[i]);
        if (fds[i] < 0)
            fail(i, errno);
        else if (!WriteAll(fds[i], f.bytes))
            fail(i, errno);
    }
    // The first flush usually carries every file's data with it; the others then return at once.
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (fds[i] < 0)
            continue;
        if (::fsync(fds[i]) != 0) {
            fail(i, errno);
            continue;
        }
        const int fd = fds[i];
        fds[i] = -1;
        if (::close(fd) != 0)
            fail(i, errno);
    }
    std::vector<std::string> directories;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (files[i].error)
            continue;
        if (requiredFailed) {
            fail(i, ECANCELED);
            continue;
        }
        if (std::rename(temps[i].c_str(), files[i].path.c_str()) != 0) {
            fail(i, errno);
            continue;
        }
        files[i].replaced = true;
        const std::string dir = DirectoryOf(files[i].path);
        if (files[i].required) {
            // On the disk before anything that relies on it happens.
            SyncDirectory(dir);
        } else if (std::find(directories.begin(), directories.end(), dir) == directories.end()) {
            directories.push_back(dir);
        }
        if (afterRename)
            afterRename(i);
    }
    for (const auto& dir : directories)
        SyncDirectory(dir);
    for (const auto& f : files)
        if (!f.replaced)
            return false;
    return true;
}

} // namespace fw
