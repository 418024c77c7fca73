#include "framework/stream/AtomicFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

bool WriteFileReplacing(const std::string& path, const std::string& bytes)
{
    // A name of this process's own, so that two programs saving at once never mix files.
    const std::string tmp = path + ".tmp" + std::to_string(getpid());
    int fd = open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
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
    if (fsync(fd) != 0 || close(fd) != 0) {
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

namespace fw {

namespace {

bool WriteAll(int fd, const std::string& bytes)
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

} // namespace

void ReplaceFiles(std::vector<FileReplacement>& files)
{
    struct Pending {
        FileReplacement* file;
        std::string tmp;
        int fd;
    };
    std::vector<Pending> pending;
    for (auto& f : files) {
        f.replaced = false;
        f.error = 0;
        Pending p{&f, f.path + ".tmp" + std::to_string(getpid()), -1};
        p.fd = ::open(p.tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (p.fd < 0) {
            f.error = errno;
            continue;
        }
        if (!WriteAll(p.fd, f.bytes)) {
            f.error = errno;
            ::close(p.fd);
            ::unlink(p.tmp.c_str());
            continue;
        }
        pending.push_back(p);
    }
    // The first flush usually carries every file's data with it; the others then return at once.
    std::vector<std::string> directories;
    for (auto& p : pending) {
        const bool synced = ::fsync(p.fd) == 0;
        const int syncError = errno;
        const bool closed = ::close(p.fd) == 0;
        if (!synced || !closed) {
            p.file->error = synced ? errno : syncError;
            ::unlink(p.tmp.c_str());
            continue;
        }
        if (std::rename(p.tmp.c_str(), p.file->path.c_str()) != 0) {
            p.file->error = errno;
            ::unlink(p.tmp.c_str());
            continue;
        }
        p.file->replaced = true;
        const std::string dir = DirectoryOf(p.file->path);
        if (std::find(directories.begin(), directories.end(), dir) == directories.end())
            directories.push_back(dir);
    }
    for (const auto& dir : directories) {
        const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dfd >= 0) {
            ::fsync(dfd);
            ::close(dfd);
        }
    }
}

} // namespace fw
