// The delimited text file the observing log imports: a header of keyword and value line pairs
// (the delimiter, the number of fields of an entry, which field feeds which record field, and
// default texts), then one entry a line. This reads the file; the log form fills its controls
// from each entry as a user would (ObsDialog::ImportFile).
#pragma once

#include "obslog/ObsField.h"

#include <array>
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

struct LogImportHeader {
    // Codes: the keywords' positions in the keyword table. Between the two of the header
    // itself and the start of the entries come the record fields, by their field codes.
    enum Code : int {
        Delimiter = 0, FieldsPerEntry = 1,
        Name = ObsField::Name, Type = ObsField::Type, Constellation = ObsField::Constellation,
        Time = ObsField::Time, Date = ObsField::Date, Location = ObsField::Location,
        Telescope = ObsField::Telescope, Eyepiece = ObsField::Eyepiece, Filter = ObsField::Filter,
        RightAscension = ObsField::RightAscension, Declination = ObsField::Declination,
        Magnitude = ObsField::Magnitude, Size = ObsField::Size, Darkness = ObsField::Darkness,
        Turbulence = ObsField::Turbulence, Transparency = ObsField::Transparency, Notes = ObsField::Notes,
        Begin = ObsField::kLastCode + 1,
        kCodeCount
    };
    static constexpr int kFirstField = ObsField::kFirstCode;
    static constexpr int kLastField = ObsField::kLastCode;
    static constexpr std::uint8_t kNoColumn = 255;
    static constexpr int kMaxPairs = 20;
    static constexpr int kMaxFieldsPerEntry = 254;
    // The keyword of a code: the header's own, or a record field's.
    static const char* Keyword(int code);

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
