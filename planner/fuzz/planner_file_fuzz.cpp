// Fuzz target: a planner file ("*.sl4") as a user hands it over, in its version-5 form and
// (with the first bytes steering) its version-4 form, read into a database without catalogue.
#include "astro/Angle.h"
#include "astro/Distance.h"
#include "astro/JulianDate.h"
#include "astro/ObsSite.h"
#include "catalog/NGC2000Indexes.h"
#include "framework/gui/MessageBox.h"
#include "framework/stream/PStream.h"
#include "globals/Globals.h"
#include "planner/STLM5doc.h"

#include <QApplication>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace {

struct World {
    World()
    {
        static int argc = 1;
        static char name[] = "planner_file_fuzz";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QApplication>(argc, argv);
        site = ObsSite(Angle(111.65, Angle::kDegrees), Angle(35.19, Angle::kDegrees), "Flagstaff", -7.0, Distance());
        now = JulianDate::FromCalendar(2026, 10, 11, 2, 30, 0);
        AppGlobals.site = &site;
        AppGlobals.now = &now;
        database = std::make_unique<NGC2000Indexes>("/nonexistent-stellum-fuzz/");
        AppGlobals.database = database.get();
    }
    std::unique_ptr<QApplication> app;
    ObsSite site;
    JulianDate now;
    std::unique_ptr<NGC2000Indexes> database;
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
