// The chart's star catalogue "rssao.cat" in the program directory, read strictly in sequence
// one star at a time. The file is a bare run of 24-byte records, little-endian, from byte 0 to
// the end: right ascension (double, hours, J2000.0), declination (double, degrees), first
// magnitude (float), second magnitude (float). No header, count or trailer.
//
// A pass: construct with the full path, call ReadNext until it returns 0 (or the consumer's own
// limit), call Close. Nothing is cached; every pass reads the file anew.
#pragma once

#include <memory>
#include <string>

namespace fw { class ifpstream; }

class SAOdata {
public:
    // Most records the chart's drawing pass reads, and the star pick of a mouse gesture.
    static constexpr long kDrawPassLimit = 450000;
    static constexpr long kPickPassLimit = 250000;
    // Size of one record in the file.
    static constexpr int kRecordSize = 24;

    explicit SAOdata(std::string fileName);
    ~SAOdata();
    SAOdata(const SAOdata&) = delete;
    SAOdata& operator=(const SAOdata&) = delete;

    // Opens the file for binary input; does not check that it opened (the first read then
    // fails). Returns 1.
    int Open(const std::string& fileName);
    // Reads the next star into record (normally the object itself), opening the stored file
    // first when no stream is open. Returns 1 with a whole record; at the end of the file, on
    // a partial last record or when the file cannot be read, closes and returns 0; the next
    // call then starts again at the first record.
    int ReadNext(SAOdata& record);
    int ReadNext() { return ReadNext(*this); }
    // Closes the stream when one is open; returns 1.
    int Close();

    bool IsOpen() const { return open_ != 0; }
    const std::string& FileName() const { return fileName_; }

    double RA() const { return ra_; }   // hours
    double Dec() const { return dec_; } // degrees
    float FirstMagnitude() const { return mag1_; }
    float SecondMagnitude() const { return mag2_; }
    // The star's magnitude for the chart: the first, or the second when the first is above 10.
    double Magnitude() const { return mag1_ > 10.0f ? mag2_ : mag1_; }

private:
    std::string fileName_;
    float mag1_ = 0;
    float mag2_ = 0;
    double dec_ = 0;
    double ra_ = 0;
    unsigned char open_ = 0;
    std::unique_ptr<fw::ifpstream> stream_;
};
