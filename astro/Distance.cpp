#include "astro/Distance.h"

#include "astro/TextFormat.h"
#include "framework/stream/PStream.h"

namespace {

constexpr double kAU = 1.4959787e11;       // metres
constexpr double kLightYear = 9.43053e15;  // metres, as the automatic unit choice takes it
constexpr double kParsec = 3.085678e16;    // metres

struct UnitText {
    const char* suffix;
    double fromMetres;
};

// Indexed by Distance::Unit.
const UnitText kUnits[] = {
    {" meters", 1.0},
    {" km", 0.001},
    {" AU", 6.684587153547039e-12},
    {" ly", 1.060385789557957e-16},
    {" pc", 3.2407788498994385e-17},
    {" kpc", 3.2407788498994384e-20},
    {" Mpc", 3.240778849899438e-23},
};

int AutomaticUnit(double m)
{
    if (m < 1000000.0) return Distance::kMeters;
    if (m < 5e9) return Distance::kKilometers;
    if (m < kAU * 1e4) return Distance::kAstronomicalUnits;
    if (m < kLightYear) return Distance::kLightYears;
    if (m < kParsec) return Distance::kParsecs;
    if (m < kParsec * 1e3) return Distance::kKiloparsecs;
    return Distance::kMegaparsecs;
}

} // namespace

Distance::Distance(double value, int unit)
{
    switch (unit) {
    case kMeters: m_ = value; break;
    case kKilometers: m_ = value * 1000.0; break;
    case kAstronomicalUnits: m_ = value * kAU; break;
    case kParsecs: m_ = value * kParsec; break;
    case kMegaparsecs: m_ = value * kParsec * 1e6; break;
    default: m_ = 0.0; break;
    }
}

std::string Distance::Format(int unit, int precision) const
{
    if (unit == kAutomatic)
        unit = AutomaticUnit(m_);
    if (unit < kMeters || unit > kMegaparsecs)
        return "UNKNOWN DISTANCE UNITS";
    const UnitText& u = kUnits[unit];
    return FormatText((NumberFormat(precision, 'g') + u.suffix).c_str(), m_ * u.fromMetres);
}

void Distance::WriteTo(fw::opstream& os) const { os.writeDouble(m_); }
void Distance::ReadFrom(fw::ipstream& is) { m_ = is.readDouble(); }
