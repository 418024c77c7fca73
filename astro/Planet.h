// Planet: one planet's VSOP87A series (heliocentric rectangular coordinates, ecliptic and
// equinox J2000.0), read from its series file.
#pragma once

#include <string>
#include <vector>

class Planet {
public:
    // How the last read of the file went.
    enum ReadResult { kLoaded = 0, kMissing = 1, kForeign = 2, kDamaged = 3 };

    // Reads the file at once.
    explicit Planet(const std::string& path);
    Planet(const Planet&) = delete;
    Planet& operator=(const Planet&) = delete;

    // Frees the series and clears the loaded flag.
    void Unload();
    bool IsLoaded() const { return loaded_; }
    ReadResult LastRead() const { return lastRead_; }
    const std::string& Path() const { return path_; }

    // Heliocentric x, y, z (au) at tau Julian millennia of dynamical time from J2000.0; the
    // origin when nothing is loaded.
    void Evaluate(double tau, double xyz[3]) const;

    // Term count of the block [coordinate 1..3][power 0..5]; 0 when absent.
    int TermCount(int coordinate, int power) const;
    // Amplitude of term i (1..count) of that block, au.
    double Amplitude(int coordinate, int power, int i) const;

    // Upper bound on a block's term count; a larger count marks a damaged file.
    static constexpr unsigned kMaxTerms = 100000;

private:
    void Read();

    const int version_ = 4;
    std::string path_;
    bool loaded_ = false;
    ReadResult lastRead_ = kMissing;
    // [coordinate][power]; element 0 holds the term count, elements 1..n the terms; empty
    // when the block is absent.
    std::vector<double> amplitude_[4][6];
    std::vector<double> phase_[4][6];
    std::vector<double> frequency_[4][6];
};
