// Fuzz target: a planner file ("*.sl4") as a user hands it over, in its version-5 form and
// (with the first bytes steering) its version-4 form, read into a database without catalogue.
#include "catalog/fuzz/CatalogueFuzzWorld.h"
#include "framework/gui/MessageBox.h"
#include "framework/stream/PStream.h"
#include "globals/Globals.h"
#include "planner/STLM5doc.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace {

struct World : fuzzsupport::CatalogueWorld {
    World() : CatalogueWorld("planner_file_fuzz") {}
    // Every question is answered Yes, so that a version-4 file is read as far as it goes.
    fw::Responder<fw::MessageBoxSeam> yes{[](const fw::MessageBoxCall&) { return fw::IDYES; }};
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static World world;
    // The signature first, then a version the first byte chooses, then the fuzzed bytes.
    fw::omstream os;
    os.writeString(STLM5doc::kSignature);
    os.writeWord32(size > 0 && (data[0] & 1) ? 4u : 5u);
    std::string bytes = os.str();
    if (size > 1) bytes.append(reinterpret_cast<const char*>(data) + 1, size - 1);
    STLM5doc doc;
    doc.Read(bytes);
    return 0;
}
