#include "installer/support/FileFind.h"

namespace kw {

bool FileFind::First(const char* pattern)
{
    Close();
    return pattern && find_.First(pattern, data_);
}

bool FileFind::Next() { return find_.Next(data_); }

void FileFind::Close()
{
    find_.Close();
    data_ = fw::WinFindData();
}

}  // namespace kw
