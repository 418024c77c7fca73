// A registry key reference (root and path) that the operation log stores with its records.
// Roots: 0 HKEY_LOCAL_MACHINE, 1 HKEY_CLASSES_ROOT, 2 HKEY_CURRENT_USER, 3 HKEY_USERS,
// 4 HKEY_CURRENT_CONFIG; any other index names no key.
#pragma once

#include "installer/support/StreamField.h"

#include <cstddef>
#include <cstdint>

namespace kw {

class RegKey : public Persistent {
public:
    enum { kPathSize = 260 };
    // Root indexes, as the operation log and the script store them.
    enum RootIndex { kLocalMachine = 0, kClassesRoot = 1, kCurrentUser = 2, kUsers = 3, kCurrentConfig = 4 };
    enum : uint32_t { kKeyRead = 0x20019, kKeySetValue = 0x0002, kKeyQueryValue = 0x0001 };

    RegKey();
    RegKey(int root, const char* path);
    RegKey(const RegKey& other);
    RegKey& operator=(const RegKey& other);

    // A path that does not fit its 260 characters is refused with a check failure; the key
    // then keeps its root and path.
    bool Set(int root, const char* path);
    int Root() const { return root_; }
    const char* Path() const { return path_; }
    long RootHandle() const; // the predefined key, -1 for other roots
    static const char* ShortRootName(int root);
    static const char* LongRootName(int root);
    bool FormatShort(char* buffer, size_t size) const; // "HKCU\path"
    bool FormatLong(char* buffer, size_t size) const;  // "HKEY_CURRENT_USER\path"

    bool Open(uint32_t access);
    bool Create();
    void Close() { open_ = false; }
    bool IsOpen() const { return open_; }
    bool Exists() const;
    bool Delete(); // the key must have no subkeys

    int CountSubkeys() const;
    bool SubkeyAt(int n, RegKey& out) const;
    int CountValues() const;
    bool ValueNameAt(int n, char* buffer, size_t size) const;

    bool SetValue(const char* name, uint32_t type, uint32_t size, const void* data);
    bool DeleteValue(const char* name);
    // The value's bytes in a block the caller frees with delete[], or null.
    unsigned char* QueryValue(const char* name, uint32_t& type, uint32_t& size);
    // A text value (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) into the buffer; false for other
    // types (buffer unchanged) and, with a check failure, for a text that does not fit.
    bool QueryString(const char* name, char* buffer, size_t size);

    // Path editing for walking trees.
    bool CutLastComponent(int& position);
    void RestoreBackslash(int position);
    int AppendSubkey(const char* name); // the old end, or -1 when it does not fit
    void TruncateAt(int position);

    StreamField* const* FieldList() override { return fields_; }

private:
    void Bind();
    int root_ = 0;
    char path_[kPathSize] = {};
    bool open_ = false;
    IntField rootField_{root_};
    TextBufferField pathField_{path_, kPathSize};
    StreamField* fields_[3] = {};
};

}  // namespace kw
