// Feeds arbitrary bytes to the operation-log reader. A log that reads must write back to bytes
// that read again to the same records; every record can describe itself.
#include "installer/engine/EngineStrings.h"
#include "installer/engine/OpLog.h"

#include "framework/gui/MessageBox.h"

#include <cstdlib>
#include <string>

using namespace kw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool ready = [] {
        fw::MessageBoxSeam::Set([](const fw::MessageBoxCall&) { return fw::IDOK; });
        RegisterEngineStrings();
        return true;
    }();
    (void)ready;
    std::string bytes(reinterpret_cast<const char*>(data), size);
    OpLogContents log;
    if (ReadOpLog(bytes, log) != OpLogReadResult::kOk) return 0;
    MemorySink sink;
    PortableWriter w(sink, false);
    if (!log.header.Write(w)) return 0;
    for (auto& r : log.records) {
        (void)r->Summary();
        (void)r->Detail();
        (void)r->TypeName();
        if (!r->Write(w)) return 0;
    }
    OpLogContents again;
    if (ReadOpLog(sink.Bytes(), again) != OpLogReadResult::kOk) std::abort();
    if (again.records.size() != log.records.size()) std::abort();
    return 0;
}
