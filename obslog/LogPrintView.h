// What the log's printout asks of the observing log's view: its report written for a page
// size, and its title for the pages' heading.
#pragma once

#include <string>

// What the log's printout needs of the observing log's view.
class LogPrintView {
public:
    virtual ~LogPrintView() = default;
    // Writes the log's report for a page of the given characters and lines into the file and
    // gives its page count.
    virtual int PrintLogToTextFile(int charsPerLine, int linesPerPage, const std::string& path, int mode) = 0;
    // The log document's title, for the pages' heading.
    virtual std::string LogTitle() const = 0;
};
