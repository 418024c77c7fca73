#include "astro/Planet.h"

#include "astro/SignedStreamRecord.h"
#include "astro/TrigSeries.h"
#include "framework/stream/PStream.h"

#include <cmath>

Planet::Planet(const std::string& path) : path_(path)
{
    Read();
}

void Planet::Unload()
{
    for (int c = 0; c < 4; ++c)
        for (int p = 0; p < 6; ++p) {
            amplitude_[c][p].clear();
            phase_[c][p].clear();
            frequency_[c][p].clear();
        }
    loaded_ = false;
}

// Signature and version, then blocks (coordinate, power, count, count x amplitude, phase,
// frequency) up to the terminator 0, 0, 0 and "END OF FILE". A file that ends cleanly between
// blocks keeps what it had; a block cut short or a count beyond all reason is a damaged file
// and loads nothing.
void Planet::Read()
{
    if (loaded_)
        return;
    Unload();
    // A damaged file loads nothing.
    const auto damaged = [this] {
        Unload();
        lastRead_ = kDamaged;
    };
    fw::ifpstream is;
    if (!is.open(path_)) {
        lastRead_ = kMissing;
        return;
    }
    const SignedStreamRecord::Header header = SignedStreamRecord::ReadHeader(is);
    if (is.fail() || !header.Matches(SignedStreamRecord::PlanetData, static_cast<std::uint32_t>(version_))) {
        lastRead_ = kForeign;
        return;
    }
    bool any = false;
    while (is.remaining() > 0) {
        const std::uint32_t coordinate = is.readWord32();
        const std::uint32_t power = is.readWord32();
        const std::uint32_t count = is.readWord32();
        if (is.fail())
            return damaged();
        if (coordinate == 0 && power == 0) {
            is.readString(256);
            break;
        }
        if (coordinate > 3 || power > 5)
            break;
        if (coordinate == 0 || count > kMaxTerms || !amplitude_[coordinate][power].empty())
            return damaged();
        auto& a = amplitude_[coordinate][power];
        auto& ph = phase_[coordinate][power];
        auto& f = frequency_[coordinate][power];
        a.assign(count + 1, 0.0);
        ph.assign(count + 1, 0.0);
        f.assign(count + 1, 0.0);
        a[0] = ph[0] = f[0] = static_cast<double>(count);
        for (std::uint32_t i = 1; i <= count; ++i) {
            a[i] = is.readDouble();
            ph[i] = is.readDouble();
            f[i] = is.readDouble();
        }
        if (is.fail())
            return damaged();
        any = true;
    }
    loaded_ = any;
    lastRead_ = any ? kLoaded : kDamaged;
}

// x, y, z = sum over powers a of tau^a x sum of A cos(B + C tau) (VSOP87).
void Planet::Evaluate(double tau, double xyz[3]) const
{
    for (int c = 1; c <= 3; ++c) {
        double value = 0.0, tp = 1.0;
        for (int p = 0; p < 6; ++p, tp *= tau) {
            const auto& a = amplitude_[c][p];
            if (a.empty())
                continue;
            value += tp * SumOfCosines(a.data() + 1, phase_[c][p].data() + 1, frequency_[c][p].data() + 1,
                                       a.size() - 1, tau);
        }
        xyz[c - 1] = value;
    }
}

int Planet::TermCount(int coordinate, int power) const
{
    if (coordinate < 1 || coordinate > 3 || power < 0 || power > 5 || amplitude_[coordinate][power].empty())
        return 0;
    return static_cast<int>(amplitude_[coordinate][power].size()) - 1;
}

double Planet::Amplitude(int coordinate, int power, int i) const
{
    if (i < 1 || i > TermCount(coordinate, power))
        return 0.0;
    return amplitude_[coordinate][power][static_cast<size_t>(i)];
}
