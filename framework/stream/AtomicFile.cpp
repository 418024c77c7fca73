#include "framework/stream/AtomicFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace fw {

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
        ::unlink(temps[i].c_str());
        requiredFailed = requiredFailed || files[i].required;
    };
    for (std::size_t i = 0; i < files.size(); ++i) {
        FileReplacement& f = files[i];
        f.replaced = false;
        f.error = 0;
        temps[i] = f.path + ".tmp" + std::to_string(getpid());
        fds[i] = ::open(temps[i].c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
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
