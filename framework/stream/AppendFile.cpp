#include "framework/stream/AppendFile.h"

#include "framework/stream/StateReset.h"
#include "framework/stream/StringUtil.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fw {

namespace {
int gFailAppends = 0;
int gFailTruncations = 0;
const StateReset resetFailures{[] {
    gFailAppends = 0;
    gFailTruncations = 0;
}};
} // namespace

void FailAppendsForTest(int n) { gFailAppends = n; }
void FailTruncationsForTest(int n) { gFailTruncations = n; }

AppendFile::~AppendFile() { Close(); }

bool AppendFile::Open(const std::string& path)
{
    Close();
    fd_ = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    return fd_ >= 0;
}

bool AppendFile::Append(const std::string& bytes)
{
    if (fd_ < 0)
        return false;
    std::size_t end = bytes.size();
    const bool failing = gFailAppends > 0;
    if (failing) {
        --gFailAppends;
        end /= 2;
    }
    std::size_t done = 0;
    while (done < end) {
        const ssize_t n = ::write(fd_, bytes.data() + done, end - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    if (failing) {
        errno = ENOSPC;
        return false;
    }
    return ::fdatasync(fd_) == 0;
}

bool AppendFile::Truncate(std::size_t size)
{
    if (fd_ < 0)
        return false;
    if (gFailTruncations > 0) {
        --gFailTruncations;
        errno = EIO;
        return false;
    }
    int result;
    do
        result = ::ftruncate(fd_, static_cast<off_t>(size));
    while (result != 0 && errno == EINTR);
    return result == 0 && ::fdatasync(fd_) == 0;
}

long long AppendFile::Size() const
{
    struct stat st {};
    if (fd_ < 0 || ::fstat(fd_, &st) != 0)
        return -1;
    return static_cast<long long>(st.st_size);
}

void AppendFile::Close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

bool ReadWholeFile(const std::string& path, std::string& bytes, std::size_t maxBytes)
{
    bytes.clear();
    const std::string resolved = ResolvePathIgnoringCase(path);
    const int fd = ::open(resolved.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || static_cast<std::size_t>(st.st_size) > maxBytes) {
        ::close(fd);
        return false;
    }
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            bytes.clear();
            return false;
        }
        if (n == 0)
            break;
        if (bytes.size() + static_cast<std::size_t>(n) > maxBytes) {
            ::close(fd);
            bytes.clear();
            return false;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return true;
}

} // namespace fw
