#include "installer/support/RegKey.h"

#include "framework/sys/RegistryStore.h"
#include "framework/sys/WinRoot.h"
#include "installer/support/CheckFailed.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace kw {

namespace {
fw::RegistryStore* Store()
{
    fw::WinRoot* r = fw::WinRoot::Current();
    return r ? &r->Registry() : nullptr;
}

bool Copy(char* buffer, size_t size, const std::string& text)
{
    if (text.size() + 1 > size) {
        CheckFailed("REGKEY", __LINE__, false);
        return false;
    }
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return true;
}
} // namespace

void RegKey::Bind()
{
    fields_[0] = &rootField_;
    fields_[1] = &pathField_;
    fields_[2] = nullptr;
}

RegKey::RegKey() { Bind(); }

RegKey::RegKey(int root, const char* path)
{
    Bind();
    Set(root, path);
}

RegKey::RegKey(const RegKey& other) : Persistent()
{
    Bind();
    root_ = other.root_;
    std::memcpy(path_, other.path_, sizeof path_);
}

RegKey& RegKey::operator=(const RegKey& other)
{
    root_ = other.root_;
    std::memcpy(path_, other.path_, sizeof path_);
    open_ = false;
    return *this;
}

bool RegKey::Set(int root, const char* path)
{
    open_ = false;
    // A refused path leaves the whole key as it was, never a new root over the old path.
    if (!Copy(path_, sizeof path_, path ? path : "")) return false;
    root_ = root;
    return true;
}

long RegKey::RootHandle() const
{
    static const long handles[] = {
        static_cast<long>(0x80000002), static_cast<long>(0x80000000),
        static_cast<long>(0x80000001), static_cast<long>(0x80000003),
        static_cast<long>(0x80000005)};
    return root_ >= 0 && root_ < 5 ? handles[root_] : -1;
}

const char* RegKey::ShortRootName(int root)
{
    static const char* names[] = {"HKLM", "HKCR", "HKCU", "HKUS", "HKCF"};
    return root >= 0 && root < 5 ? names[root] : "Unknown";
}

const char* RegKey::LongRootName(int root)
{
    static const char* names[] = {"HKEY_LOCAL_MACHINE", "HKEY_CLASSES_ROOT",
                                  "HKEY_CURRENT_USER", "HKEY_USERS", "HKEY_CURRENT_CONFIG"};
    return root >= 0 && root < 5 ? names[root] : "Unknown";
}

bool RegKey::FormatShort(char* buffer, size_t size) const
{
    return Copy(buffer, size, std::string(ShortRootName(root_)) + "\\" + path_);
}

bool RegKey::FormatLong(char* buffer, size_t size) const
{
    return Copy(buffer, size, std::string(LongRootName(root_)) + "\\" + path_);
}

bool RegKey::Open(uint32_t)
{
    fw::RegistryStore* s = Store();
    open_ = s && s->KeyExists(root_, path_);
    return open_;
}

bool RegKey::Create()
{
    fw::RegistryStore* s = Store();
    open_ = s && s->CreateKey(root_, path_);
    return open_;
}

bool RegKey::Exists() const
{
    fw::RegistryStore* s = Store();
    return s && s->KeyExists(root_, path_);
}

bool RegKey::Delete()
{
    fw::RegistryStore* s = Store();
    return s && s->DeleteKey(root_, path_);
}

int RegKey::CountSubkeys() const
{
    fw::RegistryStore* s = Store();
    int n = s ? s->CountSubkeys(root_, path_) : -1;
    return n < 0 ? 0 : n;
}

bool RegKey::SubkeyAt(int n, RegKey& out) const
{
    fw::RegistryStore* s = Store();
    std::string name;
    if (!s || !s->SubkeyName(root_, path_, n, name)) return false;
    std::string path = *path_ ? std::string(path_) + "\\" + name : name;
    return out.Set(root_, path.c_str());
}

int RegKey::CountValues() const
{
    fw::RegistryStore* s = Store();
    int n = s ? s->CountValues(root_, path_) : -1;
    return n < 0 ? 0 : n;
}

bool RegKey::ValueNameAt(int n, char* buffer, size_t size) const
{
    fw::RegistryStore* s = Store();
    fw::RegistryValue v;
    if (!s || !s->ValueAt(root_, path_, n, v)) return false;
    return Copy(buffer, size, v.name);
}

bool RegKey::SetValue(const char* name, uint32_t type, uint32_t size, const void* data)
{
    if (!Open(kKeySetValue)) return false;
    std::string bytes(static_cast<const char*>(data), data ? size : 0);
    bool ok = Store()->SetValue(root_, path_, name ? name : "", type, bytes);
    Close();
    return ok;
}

bool RegKey::DeleteValue(const char* name)
{
    if (!Open(kKeySetValue)) return false;
    bool ok = Store()->DeleteValue(root_, path_, name ? name : "");
    Close();
    return ok;
}

unsigned char* RegKey::QueryValue(const char* name, uint32_t& type, uint32_t& size)
{
    if (!Open(kKeyQueryValue)) return nullptr;
    fw::RegistryValue v;
    if (!Store()->QueryValue(root_, path_, name ? name : "", v)) return nullptr;
    unsigned char* block = new unsigned char[v.data.size() + 1];
    std::memcpy(block, v.data.data(), v.data.size());
    block[v.data.size()] = 0;
    type = v.type;
    size = static_cast<uint32_t>(v.data.size());
    Close();
    return block;
}

bool RegKey::QueryString(const char* name, char* buffer, size_t size)
{
    uint32_t type = 0, length = 0;
    unsigned char* data = QueryValue(name, type, length);
    if (!data) return false;
    bool ok = false;
    if (type == fw::kRegSz || type == fw::kRegExpandSz || type == fw::kRegMultiSz) {
        // The stored bytes usually end in a zero; a text without one is terminated here.
        size_t n = length;
        if (type != fw::kRegMultiSz) n = std::strlen(reinterpret_cast<char*>(data));
        if (n + 1 > size) {
            CheckFailed("REGKEY", __LINE__, false);
        } else {
            std::memcpy(buffer, data, n);
            buffer[n] = 0;
            ok = true;
        }
    }
    delete[] data;
    return ok;
}

bool RegKey::CutLastComponent(int& position)
{
    char* last = std::strrchr(path_, '\\');
    if (!last) return false;
    *last = 0;
    position = static_cast<int>(last - path_);
    return true;
}

void RegKey::RestoreBackslash(int position)
{
    if (position >= 0 && position < kPathSize - 1) path_[position] = '\\';
}

int RegKey::AppendSubkey(const char* name)
{
    int end = static_cast<int>(std::strlen(path_));
    size_t add = std::strlen(name ? name : "") + 1;
    if (end + add + 1 > sizeof path_) {
        CheckFailed("REGKEY", __LINE__, false);
        return -1;
    }
    path_[end] = '\\';
    std::memcpy(path_ + end + 1, name ? name : "", add);
    return end;
}

void RegKey::TruncateAt(int position)
{
    if (position >= 0 && position < kPathSize) path_[position] = 0;
}

}  // namespace kw
