#include "framework/sys/RegistryStore.h"

#include "framework/stream/AtomicFile.h"
#include "framework/stream/StringUtil.h"
#include "framework/sys/WinFileSystem.h"

#include <algorithm>
#include <sys/stat.h>

namespace fw {

namespace {
const char kMagic[] = "STELLUM REGISTRY 1\n";
const char kEnd[] = "END\n";
// Levels of keys below a root: the loader refuses a deeper file, so no deeper key is created.
const size_t kMaxKeyDepth = 512;

std::vector<std::string> SplitKeyPath(const std::string& path, bool& ok)
{
    std::vector<std::string> parts;
    ok = true;
    size_t i = 0;
    while (i < path.size()) {
        size_t j = path.find('\\', i);
        if (j == std::string::npos) j = path.size();
        std::string c = path.substr(i, j - i);
        if (c.empty()) {
            // A doubled or leading/trailing separator is tolerated only at the ends.
            if (i != 0 && j != path.size()) ok = false;
        } else {
            parts.push_back(c);
        }
        i = j + 1;
    }
    return parts;
}

void PutU32(std::string& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

void PutText(std::string& out, const std::string& s)
{
    PutU32(out, static_cast<uint32_t>(s.size()));
    out += s;
}

struct Reader {
    const std::string& b;
    size_t pos = 0;
    bool GetU32(uint32_t& v)
    {
        if (b.size() - pos < 4) return false;
        v = 0;
        for (int i = 0; i < 4; ++i)
            v |= static_cast<uint32_t>(static_cast<unsigned char>(b[pos + i])) << (8 * i);
        pos += 4;
        return true;
    }
    bool GetText(std::string& s)
    {
        uint32_t n;
        if (!GetU32(n) || b.size() - pos < n) return false;
        s = b.substr(pos, n);
        pos += n;
        return true;
    }
};
} // namespace

struct RegistryStore::Node {
    std::string name;
    std::vector<RegistryValue> values;
    std::vector<std::unique_ptr<Node>> subkeys; // sorted by name, ignoring case

    Node* Child(const std::string& n) const
    {
        for (auto& c : subkeys)
            if (EqualsIgnoreCase(c->name, n)) return c.get();
        return nullptr;
    }
    Node* AddChild(const std::string& n)
    {
        auto node = std::make_unique<Node>();
        node->name = n;
        auto at = std::lower_bound(subkeys.begin(), subkeys.end(), n,
                                   [](const std::unique_ptr<Node>& a, const std::string& key) {
                                       return CompareIgnoreCase(a->name, key) < 0;
                                   });
        return subkeys.insert(at, std::move(node))->get();
    }
    RegistryValue* Value(const std::string& n)
    {
        for (auto& v : values)
            if (EqualsIgnoreCase(v.name, n)) return &v;
        return nullptr;
    }
    void Write(std::string& out) const
    {
        PutText(out, name);
        PutU32(out, static_cast<uint32_t>(values.size()));
        for (auto& v : values) {
            PutText(out, v.name);
            PutU32(out, v.type);
            PutText(out, v.data);
        }
        PutU32(out, static_cast<uint32_t>(subkeys.size()));
        for (auto& c : subkeys) c->Write(out);
    }
    bool Read(Reader& in, int depth)
    {
        uint32_t nv, nk;
        if (depth > static_cast<int>(kMaxKeyDepth) || !in.GetText(name) || !in.GetU32(nv)) return false;
        for (uint32_t i = 0; i < nv; ++i) {
            RegistryValue v;
            if (!in.GetText(v.name) || !in.GetU32(v.type) || !in.GetText(v.data)) return false;
            values.push_back(v);
        }
        if (!in.GetU32(nk)) return false;
        for (uint32_t i = 0; i < nk; ++i) {
            auto c = std::make_unique<Node>();
            if (!c->Read(in, depth + 1)) return false;
            subkeys.push_back(std::move(c));
        }
        return true;
    }
};

RegistryStore::RegistryStore(const std::string& hostFile) : file_(hostFile)
{
    for (auto& r : roots_) r = std::make_unique<Node>();
    RemoveStaleTemporaries(file_);
    // A file that is there but does not load is kept aside before the first save replaces it.
    struct stat st;
    const bool there = ::lstat(file_.c_str(), &st) == 0;
    damaged_ = !Reload() && there;
}

RegistryStore::~RegistryStore() = default;

bool RegistryStore::Reload()
{
    std::string bytes;
    if (WinFileSystem::ReadHostFile(file_, bytes) != HostRead::Read || !Parse(bytes)) {
        for (auto& r : roots_) r = std::make_unique<Node>();
        return false;
    }
    return true;
}

bool RegistryStore::Parse(const std::string& bytes)
{
    const size_t m = sizeof kMagic - 1, e = sizeof kEnd - 1;
    if (bytes.size() < m + e || bytes.compare(0, m, kMagic) != 0 ||
        bytes.compare(bytes.size() - e, e, kEnd) != 0)
        return false;
    std::string body = bytes.substr(m, bytes.size() - m - e);
    Reader in{body};
    std::unique_ptr<Node> roots[kRootCount];
    for (auto& r : roots) {
        r = std::make_unique<Node>();
        if (!r->Read(in, 0)) return false;
    }
    if (in.pos != body.size()) return false;
    for (int i = 0; i < kRootCount; ++i) roots_[i] = std::move(roots[i]);
    return true;
}

std::string RegistryStore::Serialize() const
{
    std::string out = kMagic;
    for (auto& r : roots_) r->Write(out);
    out += kEnd;
    return out;
}

bool RegistryStore::Save() const
{
    if (damaged_) {
        if (KeepDamagedFile(file_).empty()) return false;
        damaged_ = false;
    }
    return WinFileSystem::WriteHostFileAtomically(file_, Serialize());
}

bool RegistryStore::Commit()
{
    if (Save()) return true;
    // The change did not reach the file: take it back, so that what the registry answers
    // is what the file holds and a failed change never turns up later.
    Reload();
    return false;
}

RegistryStore::Node* RegistryStore::Find(int root, const std::string& path) const
{
    if (root < 0 || root >= kRootCount) return nullptr;
    bool ok;
    std::vector<std::string> parts = SplitKeyPath(path, ok);
    if (!ok) return nullptr;
    Node* n = roots_[root].get();
    for (auto& p : parts) {
        n = n->Child(p);
        if (!n) return nullptr;
    }
    return n;
}

bool RegistryStore::KeyExists(int root, const std::string& path) const
{
    return Find(root, path) != nullptr;
}

bool RegistryStore::CreateKey(int root, const std::string& path)
{
    if (root < 0 || root >= kRootCount) return false;
    bool ok;
    std::vector<std::string> parts = SplitKeyPath(path, ok);
    if (!ok || parts.size() > kMaxKeyDepth) return false;
    Node* n = roots_[root].get();
    bool changed = false;
    for (auto& p : parts) {
        Node* c = n->Child(p);
        if (!c) {
            c = n->AddChild(p);
            changed = true;
        }
        n = c;
    }
    return !changed || Commit();
}

bool RegistryStore::DeleteKey(int root, const std::string& path)
{
    bool ok;
    std::vector<std::string> parts = SplitKeyPath(path, ok);
    if (!ok || parts.empty()) return false;
    std::string last = parts.back();
    parts.pop_back();
    std::string parentPath;
    for (auto& p : parts) parentPath += (parentPath.empty() ? "" : "\\") + p;
    Node* parent = Find(root, parentPath);
    if (!parent) return false;
    for (auto it = parent->subkeys.begin(); it != parent->subkeys.end(); ++it) {
        if (EqualsIgnoreCase((*it)->name, last)) {
            if (!(*it)->subkeys.empty()) return false;
            parent->subkeys.erase(it);
            return Commit();
        }
    }
    return false;
}

int RegistryStore::CountSubkeys(int root, const std::string& path) const
{
    Node* n = Find(root, path);
    return n ? static_cast<int>(n->subkeys.size()) : -1;
}

bool RegistryStore::SubkeyName(int root, const std::string& path, int i, std::string& name) const
{
    Node* n = Find(root, path);
    if (!n || i < 0 || i >= static_cast<int>(n->subkeys.size())) return false;
    name = n->subkeys[i]->name;
    return true;
}

int RegistryStore::CountValues(int root, const std::string& path) const
{
    Node* n = Find(root, path);
    return n ? static_cast<int>(n->values.size()) : -1;
}

bool RegistryStore::ValueAt(int root, const std::string& path, int i, RegistryValue& out) const
{
    Node* n = Find(root, path);
    if (!n || i < 0 || i >= static_cast<int>(n->values.size())) return false;
    out = n->values[i];
    return true;
}

bool RegistryStore::SetValue(int root, const std::string& path, const std::string& name,
                             uint32_t type, const std::string& data)
{
    Node* n = Find(root, path);
    if (!n) return false;
    RegistryValue* v = n->Value(name);
    if (v) {
        v->type = type;
        v->data = data;
    } else {
        n->values.push_back(RegistryValue{name, type, data});
    }
    return Commit();
}

bool RegistryStore::SetString(int root, const std::string& path, const std::string& name,
                              const std::string& text)
{
    return SetValue(root, path, name, kRegSz, text + std::string(1, '\0'));
}

bool RegistryStore::QueryValue(int root, const std::string& path, const std::string& name,
                               RegistryValue& out) const
{
    Node* n = Find(root, path);
    RegistryValue* v = n ? n->Value(name) : nullptr;
    if (!v) return false;
    out = *v;
    return true;
}

bool RegistryStore::DeleteValue(int root, const std::string& path, const std::string& name)
{
    Node* n = Find(root, path);
    if (!n) return false;
    for (auto it = n->values.begin(); it != n->values.end(); ++it) {
        if (EqualsIgnoreCase(it->name, name)) {
            n->values.erase(it);
            return Commit();
        }
    }
    return false;
}

}  // namespace fw
