// Program groups and their items (shortcuts), made through Program Manager or through shell
// links in the Start menu's Programs folder. ProgmanClient chooses which when its first user
// connects.
#pragma once

#include <cstddef>

namespace kw {

// One item. The texts are fixed fields; a text that does not fit its field is refused.
struct ProgmanItem {
    enum { kNameSize = 60, kCommandSize = 512, kPathSize = 260 };
    int x = 0;
    int y = 0;
    int hotKey = 0;
    int iconIndex = 0;
    int minimised = 0;
    char name[kNameSize] = {};
    char commandLine[kCommandSize] = {};
    char iconPath[kPathSize] = {};
    char workingDirectory[kPathSize] = {};

    // Copies the text into the field; a text that does not fit is a check failure (module
    // PROGMAN) and the field is left empty; false then.
    static bool SetField(char* field, size_t size, const char* text);
};

struct ProgmanGroupItems {
    char group[ProgmanItem::kNameSize] = {};
    int count = 0;
    ProgmanItem* items = nullptr; // new[]; the caller frees it with delete[]
};

class GroupLink {
public:
    virtual ~GroupLink() = default;
    virtual bool Disconnect(bool closeShell) = 0;
    virtual bool Connect(bool mayStart) = 0;
    virtual bool CreateGroup(const char* name) = 0;
    virtual bool DeleteGroup(const char* name) = 0;
    virtual bool ShowGroup(const char* name, int showCommand) = 0;
    virtual bool AddItem(const ProgmanItem& item) = 0;
    virtual bool AddItem(const char* name, const char* commandLine, const char* iconPath, int iconIndex,
                         const char* workingDirectory) = 0;
    virtual bool DeleteItem(const char* name) = 0;
    virtual bool GroupExists(const char* name) = 0;
    virtual bool ItemExists(const char* group, const char* name) = 0;
    virtual bool GetItem(const char* group, const char* name, ProgmanItem& item) = 0;
    virtual bool GetGroupItems(const char* group, ProgmanGroupItems& list) = 0;
    // A new text (new[]; the caller frees it) of the group names separated by "\r\n"; null on failure.
    virtual char* GroupList() = 0;
};

// The one client of the process, counting its connections.
class ProgmanClient {
public:
    static ProgmanClient& Instance();
    // The first connection opens a link: Program Manager when it answers, else (Windows 95
    // family) shell links, else the link that may start its program; false when none opens.
    bool Connect();
    void Disconnect(bool closeShell);
    GroupLink* Link() const { return link_; }
    bool StartedShell() const { return started_; }
    int Connections() const { return count_; }

private:
    ProgmanClient() = default;
    int count_ = 0;
    GroupLink* link_ = nullptr;
    bool started_ = false;
};

} // namespace kw
