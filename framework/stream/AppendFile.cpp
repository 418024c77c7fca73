#include "framework/stream/AppendFile.h"

#include "framework/stream/StringUtil.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fw {

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
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return ::fdatasync(fd_) == 0;
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
