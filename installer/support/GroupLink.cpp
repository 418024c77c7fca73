#include "installer/support/GroupLink.h"

#include "installer/support/CheckFailed.h"
#include "installer/support/OsInfo.h"
#include "installer/support/ProgmanDdeLink.h"
#include "installer/support/ShellFolderLink.h"

#include <cstring>

namespace kw {

bool ProgmanItem::SetField(char* field, size_t size, const char* text)
{
    size_t n = text ? std::strlen(text) : 0;
    bool fits = n < size;
    CheckFailed("PROGMAN", 1, fits);
    if (!fits) {
        field[0] = 0;
        return false;
    }
    std::memcpy(field, text ? text : "", n);
    field[n] = 0;
    return true;
}

ProgmanClient& ProgmanClient::Instance()
{
    static ProgmanClient client;
    return client;
}

bool ProgmanClient::Connect()
{
    if (count_ > 0) {
        ++count_;
        return true;
    }
    GroupLink* link = new ProgmanDdeLink;
    if (!link->Connect(false)) {
        if (GetOsInfo().kind == OsInfo::Windows95) {
            delete link;
            link = new ShellFolderLink;
            if (link->Connect(false)) {
                link_ = link;
                count_ = 1;
                return true;
            }
        }
        if (!link->Connect(true)) {
            delete link;
            return false;
        }
        started_ = true;
    }
    link_ = link;
    count_ = 1;
    return true;
}

void ProgmanClient::Disconnect(bool closeShell)
{
    if (count_ <= 0) return;
    if (--count_ > 0) return;
    if (link_) link_->Disconnect(started_ && closeShell);
    delete link_;
    link_ = nullptr;
    started_ = false;
}

} // namespace kw
