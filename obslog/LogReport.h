// The observing log written out as text: the report "OBSLOG.TXT" (a readable account of each
// observation, optionally word-wrapped and paged for printing), a tab-delimited table and a
// TheSky label file. Each covers the whole log, or the records that pass the log filter while
// it is on; the report can also cover the current record alone.
#pragma once

#include "obslog/ObsField.h"
#include "obslog/ObsRecord.h"

#include <array>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>

class LogDocument;

class LogReport {
public:
    explicit LogReport(LogDocument& document);

    // Called first by the report, to store what the record form holds.
    std::function<void()> storeForm;

    // The report: each record's block, wrapped to the width and paged when both are not 0.
    // Gives the pages written; 0 when the file cannot be opened (said).
    int PrintLogToTextFile(int width, int linesPerPage, const std::string& path, bool selectedOnly);
    // The tab-delimited table and the label file; false when the file cannot be opened (said).
    bool ExportText(const std::string& path);
    bool ExportTheSky(const std::string& path);

    // One table line of the columns the mask selects (bit i: column i + 1); no record gives
    // the heading line.
    std::string ExportLine(const ObsRecord* record, std::uint32_t mask = 0x1FFFFu) const;
    std::string TheSkyLine(const ObsRecord& record) const;
    static std::string TheSkyHeader();
    // The report's strings 1-6 of a record (string 0, the separator, is the report's).
    std::array<std::string, 7> DescribeRecord(const ObsRecord& record) const;

    // Writes one string wrapped to the width, each line after the pad of `indent` spaces,
    // counting lines and starting a new page (a form feed line) every linesPerPage lines.
    static void WrapReportText(const std::string& text, std::ostream& out, int width, int linesPerPage,
                               int& lineCount, int& pageNumber, int indent);

private:
    // Runs the writer over the records the export covers, with the status window's progress.
    bool EachRecord(std::ostream& out, const std::string& plainLine, const std::string& filteredLine,
                    const std::function<void(const ObsRecord&)>& write);
    std::string ListText(std::int32_t listId, std::int32_t id) const;
    // A field of a record as the table writes it, and each field as the report words it.
    std::string ExportText(const ObsField& field, const ObsRecord& record) const;
    using FieldTexts = std::array<std::string, ObsField::kLastCode + 1>;  // indexed by field code
    FieldTexts ReportTexts(const ObsRecord& record) const;

    LogDocument& doc_;
};
