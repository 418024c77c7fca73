// The delivered data files a user can replace, read from any bytes: the planet series
// ("1l.rsx" ... "8.rsx"), the Pluto series ("9.rsx"), the Moon series ("elplores.rsx",
// "elphires.rsx"), the star catalogue ("rssao.cat") and the common names ("comname.txt").
// Whatever a file holds, reading it and computing from what was read stays defined.
#include "astro/JulianDate.h"
#include "astro/Moon.h"
#include "astro/Planets.h"
#include "astro/Pluto.h"
#include "catalog/NamedObjects.h"
#include "chart/SAOdata.h"
#include "framework/gui/MessageBox.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string dir;

void Put(const std::string& name, const std::string& bytes)
{
    std::ofstream(dir + name, std::ios::binary | std::ios::trunc) << bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (dir.empty()) {
        char shm[] = "/dev/shm/stellum-sky-fuzz-XXXXXX";
        char tmp[] = "/tmp/stellum-sky-fuzz-XXXXXX";
        char* made = mkdtemp(shm);
        if (!made) made = mkdtemp(tmp);
        if (!made) std::abort();
        dir = std::string(made) + "/";
        std::atexit([] {
            std::error_code ec;
            fs::remove_all(dir, ec);
        });
        fw::MessageBoxSeam::Set([](const fw::MessageBoxCall&) { return fw::IDOK; });
    }
    if (size < 2) return 0;
    const std::string bytes(reinterpret_cast<const char*>(data) + 2, size - 2);
    const JulianDate t(2451545.0 + data[1] * 97.0, JulianDate::kJulianDay);
    switch (data[0] % 5) {
    case 0: {
        for (int n = 1; n <= 8; ++n) {
            Put(std::to_string(n) + "l.rsx", bytes);
            Put(std::to_string(n) + ".rsx", bytes);
        }
        Planets planets(dir);
        const int body = data[1] % 10;
        planets.LoadPlanet(3, 1 + (data[1] >> 7));
        planets.LoadPlanet(body, 1 + ((data[1] >> 6) & 1));
        if (planets.IsAvailable(body)) planets.GeocentricPosition(t, body);
        break;
    }
    case 1: {
        Put("9.rsx", bytes);
        Pluto pluto(dir);
        double xyz[3];
        pluto.Evaluate(t, xyz);
        break;
    }
    case 2: {
        Put("elplores.rsx", bytes);
        Put("elphires.rsx", bytes);
        Moon moon(dir);
        moon.LoadLowRes();
        moon.LoadHighRes();
        break;
    }
    case 3: {
        Put("rssao.cat", bytes);
        SAOdata stars(dir + "rssao.cat");
        for (int n = 0; n < 100000 && stars.ReadNext(); ++n) {}
        break;
    }
    case 4: {
        Put("comname.txt", bytes);
        NamedObjects names(dir + "comname.txt");
        break;
    }
    }
    std::error_code ec;
    for (auto& e : fs::directory_iterator(dir, ec)) fs::remove_all(e.path(), ec);
    return 0;
}
