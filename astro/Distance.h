// Distance: every length of the astronomy library, one double in metres.
#pragma once

#include <string>

namespace fw { class ipstream; }
namespace fw { class opstream; }

class Distance {
public:
    // Unit codes of the constructor and of Format.
    enum Unit : int {
        kMeters = 0,
        kKilometers = 1,
        kAstronomicalUnits = 2,
        kLightYears = 3,
        kParsecs = 4,
        kKiloparsecs = 5,
        kMegaparsecs = 6,
        kAutomatic = 7,  // Format only: the unit chosen by the distance's size
    };

    Distance() = default;
    // value in the given unit: metres, kilometres, astronomical units, parsecs, megaparsecs;
    // every other code (light years and kiloparsecs included) gives 0 m.
    explicit Distance(double value, int unit = kMeters);

    double Meters() const { return m_; }
    void SetMeters(double metres) { m_ = metres; }

    Distance operator*(double k) const { return Distance(m_ * k); }
    Distance operator+(double metres) const { return Distance(m_ + metres); }
    Distance operator-(double metres) const { return Distance(m_ - metres); }
    Distance operator+(const Distance& d) const { return Distance(m_ + d.m_); }
    Distance operator-(const Distance& d) const { return Distance(m_ - d.m_); }
    Distance operator-() const { return Distance(-m_); }
    Distance& operator+=(double metres) { m_ += metres; return *this; }
    Distance& operator-=(double metres) { m_ -= metres; return *this; }
    Distance& operator+=(const Distance& d) { m_ += d.m_; return *this; }
    Distance& operator-=(const Distance& d) { m_ -= d.m_; return *this; }
    bool operator==(const Distance& d) const { return m_ == d.m_; }
    bool operator!=(const Distance& d) const { return m_ != d.m_; }

    // Text with "%.<precision>g" and the unit's suffix (" meters", " km", " AU", " ly", " pc",
    // " kpc", " Mpc"); kAutomatic picks the unit by size; other codes give
    // "UNKNOWN DISTANCE UNITS".
    std::string Format(int unit, int precision) const;

    // Stream form: the 8 bytes of the double, little-endian.
    void WriteTo(fw::opstream& os) const;
    void ReadFrom(fw::ipstream& is);

private:
    double m_ = 0.0;
};

inline Distance operator*(double k, const Distance& d) { return d * k; }
