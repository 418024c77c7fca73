// The delimited text file the observing log imports: a header of keyword and value line pairs
// (the delimiter, the number of fields of an entry, which field feeds which record field, and
// default texts), then one entry a line. This reads the file; the log form fills its controls
// from each entry as a user would (ObsDialog::ImportFile).
#pragma once

#include <array>
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

struct LogImportHeader {
    // Codes: the keywords' positions in the keyword table. 2 to 18 are the record fields.
    enum Code : int {
        Delimiter = 0, FieldsPerEntry = 1, Name = 2, Type = 3, Constellation = 4, Time = 5, Date = 6,
        Location = 7, Telescope = 8, Eyepiece = 9, Filter = 10, RightAscension = 11, Declination = 12,
        Magnitude = 13, Size = 14, Darkness = 15, Turbulence = 16, Transparency = 17, Notes = 18, Begin = 19,
        kCodeCount = 20
    };
    static constexpr int kFirstField = Name;
    static constexpr int kLastField = Notes;
    static constexpr std::uint8_t kNoColumn = 255;
    static constexpr int kMaxPairs = 20;
    static constexpr int kMaxFieldsPerEntry = 254;
    static const char* const kKeywords[kCodeCount];

    char delimiter = '\t';
    int fieldsPerEntry = 0;
    // Per code: the field of an entry (counted from 1; 0 = from the catalogue) and the default.
    std::array<std::uint8_t, kCodeCount> column;
    std::array<std::string, kCodeCount> defaults;

    // Lines the header took.
    int linesRead = 0;

    LogImportHeader() { column.fill(kNoColumn); }

    // Reads the header from the stream. False with the message to show when it is refused.
    bool Read(std::istream& in, std::string& message);
    // The record field fed by an entry's field j (from 1): the highest code 2-18 with that
    // column, -1 for none.
    int CodeOfColumn(int j) const;

private:
    // A header must give a number of fields an entry can have.
    bool Valid(std::string& message) const;
};

// Reads the entries after the header, a field at a time. A field ends at the delimiter (the
// last one at the line's end); at most 255 characters of it are kept, so a line of any length
// costs no more memory than that. Empty lines hold no entry and are passed over.
class LogImportEntries {
public:
    static constexpr std::size_t kMaxField = 255;

    LogImportEntries(std::istream& in, const LogImportHeader& header)
        : in_(in), header_(header), line_(header.linesRead)
    {
    }

    // Starts the next entry; false when the file holds no more.
    bool BeginEntry();
    // Reads the next field of the entry. False when its line ended before it: the entry has
    // too few fields.
    bool ReadField(std::string& field, bool last);
    // The line of the entry being read, counted from 1 at the file's start.
    int LineNumber() const { return line_; }

private:
    std::istream& in_;
    const LogImportHeader& header_;
    int line_;
    bool lineEnded_ = true;
};
