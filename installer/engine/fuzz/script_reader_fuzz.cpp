// Feeds arbitrary bytes to the install-script reader. A script that reads must write back to
// bytes that read again and write back to the same bytes.
#include "installer/engine/EventFactory.h"
#include "installer/engine/ScriptProject.h"

#include "framework/gui/MessageBox.h"

#include <cstdlib>
#include <string>

using namespace kw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool ready = [] {
        fw::MessageBoxSeam::Set([](const fw::MessageBoxCall&) { return fw::IDOK; });
        RegisterEventFactories();
        return true;
    }();
    (void)ready;
    std::string bytes(reinterpret_cast<const char*>(data), size);
    ScriptProject p;
    if (ReadScript(bytes, p) != ScriptReadResult::kOk) return 0;
    for (auto& e : p.events) (void)e->Size();
    MemorySink first;
    if (!p.Write(first, p.width, p.fileVersion)) return 0;
    ScriptProject q;
    if (ReadScript(first.Bytes(), q) != ScriptReadResult::kOk) std::abort();
    MemorySink second;
    if (!q.Write(second, q.width, q.fileVersion) || second.Bytes() != first.Bytes()) std::abort();
    return 0;
}
