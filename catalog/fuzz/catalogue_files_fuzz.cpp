// The catalogue database's files from any bytes: the saved state ("indexes.rsx"), the
// catalogue table ("ngc2k.rsx"), the descriptions ("dreyer.rsx") and an object name a user
// types. A state that is taken, written and read again writes the same bytes.
#include "catalog/fuzz/CatalogueFuzzWorld.h"
#include "framework/gui/MessageBox.h"
#include "framework/stream/PStream.h"
#include "globals/Globals.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

struct World : fuzzsupport::CatalogueWorld {
    World() : CatalogueWorld("catalogue_files_fuzz")
    {
        file = "/tmp/stellum-catalogue-fuzz-" + std::to_string(::getpid());
        static std::string removeAtExit = file;
        std::atexit([] { std::remove(removeAtExit.c_str()); });
    }
    std::string file;
    fw::Responder<fw::MessageBoxSeam> ok{[](const fw::MessageBoxCall&) { return fw::IDOK; }};
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static World world;
    if (size == 0) return 0;
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    NGC2000Indexes& db = *world.database;
    switch (data[0] % 4) {
    case 0: {
        fw::imstream in(bytes);
        if (!db.Read(in)) break;
        fw::omstream first;
        if (!db.Write(first)) std::abort();
        fw::imstream again(first.str());
        if (!db.Read(again)) std::abort();
        fw::omstream second;
        if (!db.Write(second) || second.str() != first.str()) std::abort();
        break;
    }
    case 1:
        std::ofstream(world.file, std::ios::binary | std::ios::trunc) << bytes;
        NGC2000Indexes::ReadDatabase(world.file);
        NGC2000Indexes::ParseObjectName("NGC 224");
        NGC2000Indexes::ReadDatabase("/nonexistent-stellum-fuzz/ngc2k.rsx");  // the empty table again
        break;
    case 2:
        std::ofstream(world.file, std::ios::binary | std::ios::trunc) << bytes;
        if (db.OpenDescriptions(world.file))
            for (int n : {1, 224, 7840}) db.DreyerText(ObjectId::FromCatalogue(ObjectId::kNgcCatalogue, n));
        db.OpenDescriptions("/nonexistent-stellum-fuzz/dreyer.rsx");
        break;
    case 3:
        NGC2000Indexes::ParseObjectName(bytes);
        break;
    }
    return 0;
}
