// The program's chart labels: one array, shared by every chart window, that drawing walks and
// ChartLabels fills from the user's label file and edits. This class is its one owner; tests
// empty it through Reset.
#pragma once

#include <vector>

#include "chart/ChartLabel.h"

class ChartLabelArray {
public:
    // The program's one label array, made on first use.
    static ChartLabelArray& Instance();

    // The labels in the order they were read or added.
    std::vector<ChartLabel>& Labels() { return labels_; }
    const std::vector<ChartLabel>& Labels() const { return labels_; }

    // Back to the state at start-up: no labels.
    void Reset() { labels_ = {}; }

private:
    std::vector<ChartLabel> labels_;
};
