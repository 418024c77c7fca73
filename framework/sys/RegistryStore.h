// The registry of the emulated machine: five roots (0 HKEY_LOCAL_MACHINE, 1 HKEY_CLASSES_ROOT,
// 2 HKEY_CURRENT_USER, 3 HKEY_USERS, 4 HKEY_CURRENT_CONFIG), keys named ignoring case and kept
// with the spelling they were created with, typed values stored as bytes. Subkeys enumerate
// in case-insensitive name order, values in the order they were first set. Every change is
// written to one file, replaced atomically, so a crash leaves either the old or the new file.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace fw {

enum : uint32_t {
    kRegNone = 0,
    kRegSz = 1,
    kRegExpandSz = 2,
    kRegBinary = 3,
    kRegDword = 4,
    kRegMultiSz = 7,
};

struct RegistryValue {
    std::string name; // "" is the key's default value
    uint32_t type = kRegNone;
    std::string data;
};

class RegistryStore {
public:
    static const int kRootCount = 5;

    // Loads the file (a missing or damaged file gives an empty registry; a damaged or
    // unreadable one is kept as name + ".bad" before the first save replaces it).
    explicit RegistryStore(const std::string& hostFile);
    ~RegistryStore();

    // Paths are below a root, components separated by "\" ("" is the root itself).
    bool KeyExists(int root, const std::string& path) const;
    bool CreateKey(int root, const std::string& path); // with every missing level
    bool DeleteKey(int root, const std::string& path); // fails when it has subkeys
    int CountSubkeys(int root, const std::string& path) const; // -1 when missing
    bool SubkeyName(int root, const std::string& path, int n, std::string& name) const;
    int CountValues(int root, const std::string& path) const;
    bool ValueAt(int root, const std::string& path, int n, RegistryValue& out) const;
    bool SetValue(int root, const std::string& path, const std::string& name, uint32_t type,
                  const std::string& data);
    bool QueryValue(int root, const std::string& path, const std::string& name,
                    RegistryValue& out) const;
    bool DeleteValue(int root, const std::string& path, const std::string& name);

    // A string value, stored with its terminating zero as the system stores it.
    bool SetString(int root, const std::string& path, const std::string& name,
                   const std::string& text);
    bool Save() const;
    // True while a file that was there but could not be read waits to be kept aside (at the
    // next save) and the registry stands empty in its place.
    bool Damaged() const { return damaged_; }
    bool Reload();
    const std::string& HostFile() const { return file_; }

private:
    struct Node;
    // Saves a change; when the file cannot be written the change is undone (false).
    bool Commit();
    Node* Find(int root, const std::string& path) const;
    std::string Serialize() const;
    bool Parse(const std::string& bytes);
    std::string file_;
    mutable bool damaged_ = false;
    std::unique_ptr<Node> roots_[kRootCount];
};

}  // namespace fw
