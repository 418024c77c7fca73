// The program's constellation lines: one array, shared by every chart window, that drawing
// walks and ConstelLines fills from the user's line file and edits. This class is its one
// owner; tests empty it through Reset.
#pragma once

#include <vector>

#include "chart/ConstelLine.h"

class ConstelLineArray {
public:
    // The program's one line array, made on first use.
    static ConstelLineArray& Instance();

    // The lines in the order they were read or added.
    std::vector<ConstelLine>& Lines() { return lines_; }
    const std::vector<ConstelLine>& Lines() const { return lines_; }

    // Back to the state at start-up: no lines.
    void Reset() { lines_ = {}; }

private:
    std::vector<ConstelLine> lines_;
};
