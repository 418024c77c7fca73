// The user's chart labels and their file "chtlabel.rsx" in the user directory. The labels
// live in the program's one ChartLabelArray, which drawing walks; ChartLabels loads the file
// when the chart window is built and writes it back, if anything changed, when it is
// destroyed.
//
// File (little-endian, no header or trailer): a 32-bit signed count, then per label RA1,
// Dec1, RA2, Dec2 (doubles), the text (32-bit length, then its bytes) and the size factor
// (double).
#pragma once

#include <string>
#include <vector>

#include "chart/ChartLabel.h"
#include "chart/ChartLabelArray.h"

class ChartLabels {
public:
    explicit ChartLabels(std::string fileName);
    ~ChartLabels();
    ChartLabels(const ChartLabels&) = delete;
    ChartLabels& operator=(const ChartLabels&) = delete;

    // Empties the array and loads the file (the stored name when fileName is empty). A missing
    // file gives 0 and no labels. A damaged or short file keeps the labels read whole before
    // the damage; a count or text length the file cannot hold ends the reading.
    int Read(const std::string& fileName = {});
    // Writes every label; 1 on success, 0 when the file could not be written whole (said in a
    // message box, the old file left as it was).
    int Write(const std::string& fileName = {});

    // Adds a label unless one with the same anchor point exists; an empty text removes the
    // label with that anchor point instead (result 0).
    // A text longer than the file's limit is cut to it (at a character boundary).
    int AddLabel(bool& modified, const ChartLabel& label);
    int AddLabel(const ChartLabel& label) { return AddLabel(modified_, label); }
    // Removes the label with the same anchor point; 0 when there was none.
    int RemoveLabel(bool& modified, const ChartLabel& label);
    int RemoveLabel(const ChartLabel& label) { return RemoveLabel(modified_, label); }
    int RemoveAt(bool& modified, double ra1, double dec1, double ra2, double dec2);
    // Iterates over the labels; restart begins again at the first. 0 after the last.
    int Next(ChartLabel& label, bool restart);
    // The label whose centre is nearest to the position; 0 when there are none.
    int Nearest(double ra, double dec, ChartLabel& label) const;

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
