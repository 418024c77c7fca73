// Fuzz target: the delimited text file the observing log imports: its keyword header and its
// entries, read field by field as the log form reads them.
#include "obslog/LogImport.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    LogImportHeader header;
    std::string message;
    if (!header.Read(in, message)) {
        if (message.empty()) std::abort();  // a refusal always says why
        return 0;
    }
    if (header.fieldsPerEntry < 1 || header.fieldsPerEntry > LogImportHeader::kMaxFieldsPerEntry) std::abort();
    LogImportEntries entries(in, header);
    std::string field;
    int lastLine = entries.LineNumber();
    for (int entry = 0; entry < 8000 && entries.BeginEntry(); ++entry) {
        if (entries.LineNumber() <= lastLine) std::abort();  // every entry on a line of its own
        lastLine = entries.LineNumber();
        for (int j = 1; j <= header.fieldsPerEntry; ++j) {
            if (!entries.ReadField(field, j == header.fieldsPerEntry)) break;
            if (field.size() > LogImportEntries::kMaxField) std::abort();
            header.CodeOfColumn(j);
        }
    }
    return 0;
}
