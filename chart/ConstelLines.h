// The constellation figures and their file "conlines.rsx" in the user directory. The lines
// live in the program's one ConstelLineArray, shared by every chart window; ConstelLines loads
// the file when a chart window is built and writes it back, if anything changed, when it is
// destroyed.
//
// File (little-endian, no header or trailer): a 16-bit unsigned count, then per line RA1,
// Dec1, RA2, Dec2 as doubles (32 bytes). Screen segments are not stored.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "chart/ConstelLine.h"
#include "chart/ConstelLineArray.h"

class ConstelLines {
public:
    // The most lines the file's 16-bit count can hold.
    static constexpr std::size_t kMaxLines = 65535;
    // Size of one line in the file.
    static constexpr int kRecordSize = 32;

    explicit ConstelLines(std::string fileName);
    ~ConstelLines();
    ConstelLines(const ConstelLines&) = delete;
    ConstelLines& operator=(const ConstelLines&) = delete;

    // Empties the array and loads the file (the stored name when fileName is empty): 0 when it
    // cannot be read. A short or damaged file keeps the lines read whole before its end;
    // duplicate lines are dropped.
    int Read(const std::string& fileName = {});
    // Writes every line; 1 on success, 0 when the file could not be written whole (said in a
    // message box, the old file left as it was).
    int Write(const std::string& fileName = {});

    // Removes the line with the same sky coordinates (0 when there was none).
    int Remove(bool& modified, const ConstelLine& line);
    int Remove(const ConstelLine& line) { return Remove(modified_, line); }
    // Appends a line unless an equal one exists or the set is full (result 0).
    int AddIfAbsent(bool& modified, double ra1, double dec1, double ra2, double dec2);
    int AddIfAbsent(double ra1, double dec1, double ra2, double dec2)
    {
        return AddIfAbsent(modified_, ra1, dec1, ra2, dec2);
    }
    // Iterates over the lines; restart begins again at the first. 0 after the last.
    int Next(ConstelLine& line, bool restart);
    // Overwrites the stored line equal to this one, screen segment included; 0 when none.
    int Replace(const ConstelLine& line);
    // The line whose last screen segment lies nearest to the point (only segments beside
    // which the point lies count); 0 when none qualifies.
    int NearestOnScreen(const fw::Point& point, ConstelLine& line) const;
    // Whether the line's right-ascension range contains ra (lines reaching beyond +-85
    // degrees span nothing).
    static bool SpansRA(const ConstelLine& line, double ra);

    bool Modified() const { return modified_; }
    // True when the last Read met a file that is there but could not be read whole: the next
    // Write keeps it beside the new one (name + ".bad") before replacing it.
    bool Damaged() const { return damaged_; }
    const std::string& FileName() const { return fileName_; }

private:
    bool modified_ = false;
    bool damaged_ = false;
    std::string fileName_;
    std::size_t next_ = 0;
};
