// Distance: every length of the astronomy library, one double in metres.
#pragma once

#include <string>

namespace fw { class ipstream; }
namespace fw { class opstream; }

class Distance {
public:
    Distance() = default;
    // value in the given unit: 0 metres, 1 kilometres, 2 astronomical units, 4 parsecs,
    // 6 megaparsecs; every other code (light years 3, kiloparsecs 5 included) gives 0 m.
    explicit Distance(double value, int unit = 0);

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

    // Text with "%.<precision>g" and the unit's suffix; unit 7 picks the unit by size
    // (0 m, 1 km, 2 AU, 3 ly, 4 pc, 5 kpc, 6 Mpc); other codes give "UNKNOWN DISTANCE UNITS".
    std::string Format(int unit, int precision) const;

    // Stream form: the 8 bytes of the double, little-endian.
    void WriteTo(fw::opstream& os) const;
    void ReadFrom(fw::ipstream& is);

private:
    double m_ = 0.0;
};

inline Distance operator*(double k, const Distance& d) { return d * k; }
