// LogDocument: the observing-log document. This part holds what the catalogue relies on: the
// log marks the catalogue rows it has entries for, and each mark invalidates the catalogue
// database's cached observing-history result.
#pragma once

class LogDocument {
public:
    // Highest catalogue row the log marks.
    static constexpr int kMaxMarkedRow = 13400;

    // Sets (Clear: clears) the observed mark of a catalogue row 0 to 13400 and clears the
    // database's history stage-cache bit; true. Any other row changes nothing: false.
    static bool SetLogEntryBit(int row);
    static bool ClearLogEntryBit(int row);
};
