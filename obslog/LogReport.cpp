#include "obslog/LogReport.h"

#include "astro/ConstellationTable.h"
#include "catalog/CatalogueTable.h"
#include "framework/gui/MessageBox.h"
#include "framework/stream/AtomicFile.h"
#include "obslog/LogDocument.h"
#include "obslog/ObsField.h"
#include "obslog/ObsRecordHeader.h"
#include "ui/CBdata.h"
#include "ui/LogErrors.h"
#include "ui/TextConvert.h"
#include "ui/TheSkyLabelFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <regex>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kMaxWidth = 255;

// Whether a file can be written at path: its directory takes new files and a file already
// there is a regular one that may be replaced. Said when not.
bool CanWriteReportFile(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    const std::string directory = slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
    struct stat st {};
    const bool there = ::stat(path.c_str(), &st) == 0;
    if (::access(directory.c_str(), W_OK | X_OK) == 0 && (!there || (S_ISREG(st.st_mode) && ::access(path.c_str(), W_OK) == 0)))
        return true;
    fw::MessageBox(nullptr, "Could Not Open Report File", "", fw::MB_OK);
    return false;
}

// Puts a report or export in place whole: it is built in memory and replaces the file in one
// step, so that a full disk leaves no partial file under the chosen name. Said when it fails.
bool WriteReportFile(const std::string& path, const std::string& bytes)
{
    errno = 0;
    if (fw::WriteFileReplacing(path, bytes))
        return true;
    const int error = errno;
    fw::MessageBox(nullptr,
                   "Could not write " + path + (error ? ": " + std::string(std::strerror(error)) : std::string()) +
                       "\nNothing was written under that name.",
                   "", fw::MB_OK | fw::MB_ICONEXCLAMATION);
    return false;
}
const char* const kNoComment = "(no comment)";
const char* const kNoEntry = "NO ENTRY";

std::string NoBreaks(std::string text)
{
    std::replace(text.begin(), text.end(), '\t', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

// The constellation's full name, as the constellation strings end ("And|Andromeda").
std::string ConstellationText(std::int32_t code)
{
    static const std::regex tail("[a-zA-Z,() ]+$");
    const std::string text = ConstellationString(code);
    std::smatch m;
    return std::regex_search(text, m, tail) ? m.str() : std::string();
}

bool Known(const std::string& text)
{
    return !text.empty() && text != kNoComment && text != kNoEntry;
}

} // namespace

LogReport::LogReport(LogDocument& document) : doc_(document) {}

std::string LogReport::ListText(std::int32_t listId, std::int32_t id) const
{
    const ObsRecordHeader& header = doc_.Header();
    for (int i = 0; i < ObsRecordHeader::kListCount; ++i)
        if (header.List(i).ListId() == listId) return header.List(i).TextForId(id);
    return std::string();
}

bool LogReport::EachRecord(std::ostream& out, const std::string& plainLine, const std::string& filteredLine,
                           const std::function<void(const ObsRecord&)>& write)
{
    const bool filtered = doc_.Filter().active != 0;
    const std::int32_t count = filtered ? doc_.ApplyFilter() : doc_.RecordCount();
    doc_.ReportProgress(filtered ? filteredLine : plainLine, LogDocument::CaptionAndLine, 0);
    const std::int32_t step = std::max<std::int32_t>(1, count / 20);
    ObsRecord record = doc_.FirstRecord();
    for (std::int32_t i = 0; i < count; ++i) {
        if (i % step == 0) doc_.ReportProgress(std::string(), LogDocument::LineOnly, count ? i * 100 / count : 0);
        write(record);
        if (i + 1 < count) record = doc_.NextRecord();
    }
    doc_.ReportProgress(std::string(), LogDocument::GaugeThenHide, 100);
    return static_cast<bool>(out);
}

// --- the table and the label file ----------------------------------------------------

std::string LogReport::ExportText(const ObsField& f, const ObsRecord& r) const
{
    char buf[32];
    switch (f.kind) {
    case ObsField::TextKind: return r.*f.text;
    case ObsField::ChoiceKind: return ListText(f.list, r.*f.number);
    case ObsField::ConstellationKind: return ConstellationText(r.*f.number);
    case ObsField::NumberKind:
        return f.exportFormatted ? TextConvert().FormatValue(r.*f.value, f.valueKind) : DoubleToString(r.*f.value);
    case ObsField::DateKind: {
        const fw::TDate d = r.time.Date();
        std::snprintf(buf, sizeof buf, "%i/%i/%4.4i", static_cast<int>(d.Month()), static_cast<int>(d.Day()), d.Year());
        return buf;
    }
    case ObsField::TimeKind: {
        const fw::TTime& t = r.*f.time;
        std::snprintf(buf, sizeof buf, "%2.2i:%2.2i:%2.2i", t.Hour(), t.Minute(), t.Second());
        return buf;
    }
    }
    return std::string();
}

std::string LogReport::ExportLine(const ObsRecord* r, std::uint32_t mask) const
{
    // The fields by column, from the static field table: built once.
    static const std::vector<const ObsField*> byColumn = [] {
        std::vector<const ObsField*> fields(static_cast<std::size_t>(ObsExportColumnCount()));
        for (const ObsField& f : ObsFields()) fields[static_cast<std::size_t>(f.exportColumn)] = &f;
        return fields;
    }();
    const int columns = static_cast<int>(byColumn.size());
    std::string line;
    for (int c = 0; c < columns; ++c) {
        if (!(mask & (1u << c))) continue;
        const ObsField& field = *byColumn[static_cast<std::size_t>(c)];
        const std::string text = r ? ExportText(field, *r) : std::string(field.heading);
        line += NoBreaks(text) + (c == columns - 1 ? "\n" : "\t");
    }
    return line;
}

std::string LogReport::TheSkyHeader()
{
    return TheSkyLabelFile::Header("Stellum Log");
}

std::string LogReport::TheSkyLine(const ObsRecord& r) const
{
    std::string alias;
    if (r.crossRef >= 0 && r.crossRef < CatalogueRowCount) {
        const int number = NGCTable.catalogueNumber[r.crossRef];
        alias = number > 10000 ? "IC " + std::to_string(number - 10000) : "NGC " + std::to_string(number);
    }
    return TheSkyLabelFile::Line("L" + std::to_string(r.number), alias, r.rightAscension, r.declination);
}

bool LogReport::ExportText(const std::string& path)
{
    if (!CanWriteReportFile(path)) return false;
    std::ostringstream out;
    out << ExportLine(nullptr);
    return EachRecord(out, "Exporting Log...", "Exporting Filtered Log...",
                      [&](const ObsRecord& r) { out << ExportLine(&r); }) &&
           WriteReportFile(path, out.str());
}

bool LogReport::ExportTheSky(const std::string& path)
{
    if (!CanWriteReportFile(path)) return false;
    std::ostringstream out;
    out << TheSkyHeader();
    return EachRecord(out, "Exporting Log...", "Exporting Filtered Log...",
                      [&](const ObsRecord& r) { out << TheSkyLine(r); }) &&
           WriteReportFile(path, out.str());
}

// --- the report ----------------------------------------------------------------------

LogReport::FieldTexts LogReport::ReportTexts(const ObsRecord& r) const
{
    TextConvert convert;
    FieldTexts texts;
    for (const ObsField& f : ObsFields()) {
        std::string& text = texts[static_cast<std::size_t>(f.code)];
        switch (f.kind) {
        case ObsField::TextKind: text = r.*f.text; break;
        case ObsField::ChoiceKind: text = ListText(f.list, r.*f.number); break;
        case ObsField::ConstellationKind: text = ConstellationText(r.*f.number); break;
        case ObsField::NumberKind: text = convert.FormatValue(r.*f.value, f.valueKind); break;
        case ObsField::TimeKind: text = TextConvert().FormatTime(r.*f.time); break;
        case ObsField::DateKind: text = TextConvert().FormatDate(r.time.Date()); break;
        }
    }
    return texts;
}

std::array<std::string, 7> LogReport::DescribeRecord(const ObsRecord& r) const
{
    const FieldTexts text = ReportTexts(r);
    const std::string& name = text[ObsField::Name];
    const std::string& type = text[ObsField::Type];
    const std::string& location = text[ObsField::Location];
    const std::string& telescope = text[ObsField::Telescope];
    const std::string& eyepiece = text[ObsField::Eyepiece];
    const std::string& filter = text[ObsField::Filter];
    const std::string& darkness = text[ObsField::Darkness];
    const std::string& transparency = text[ObsField::Transparency];
    const std::string& turbulence = text[ObsField::Turbulence];
    const std::string& constellation = text[ObsField::Constellation];
    const std::string& ra = text[ObsField::RightAscension];
    const std::string& dec = text[ObsField::Declination];
    const std::string& magnitude = text[ObsField::Magnitude];
    const std::string& size = text[ObsField::Size];
    const std::string& time = text[ObsField::Time];
    // A record without a time has no date either.
    const std::string date = Known(time) ? text[ObsField::Date] : std::string(kNoEntry);

    std::array<std::string, 7> s;
    s[1] = " \n";
    s[2] = name;
    if (!Known(type) && Known(constellation)) s[2] += " is in " + constellation + ".\n";
    else if (Known(type) && !Known(constellation)) s[2] += " is a " + type + ".\n";
    else if (Known(type) && Known(constellation)) s[2] += " is a " + type + " in " + constellation + ".\n";
    s[3] = " \n";

    std::string& p = s[4];
    p = "    It was observed";
    if (Known(location)) p += " from " + location;
    if (Known(date)) p += " on " + date;
    if (Known(time)) p += " at " + time;
    p += " using the " + telescope;
    const bool e = Known(eyepiece), f = Known(filter);
    if (!e && !f) p += ".  ";
    else if (!e) p += " with a " + filter + " filter.  ";
    else if (!f) p += " with a " + eyepiece + " eyepiece.  ";
    else p += " with a " + eyepiece + " eyepiece and " + filter + " filter.  ";

    const bool D = Known(darkness), U = Known(turbulence), T = Known(transparency);
    const std::string sky = "Sky conditions were ";
    if (!D && !U && T) p += sky + transparency + ". ";
    else if (!D && U && !T) p += sky + turbulence + ". ";
    else if (!D && U && T) p += sky + turbulence + " and " + transparency + ".  ";
    else if (D && !U && !T) p += sky + darkness + ".  ";
    else if (D && !U && T) p += sky + darkness + " and " + transparency + ".  ";
    else if (D && U && !T) p += sky + darkness + " and " + turbulence + ".  ";
    else if (D && U && T) p += sky + darkness + ", " + turbulence + " and " + transparency + ".  ";

    const bool M = Known(magnitude), S = Known(size), position = Known(ra) && Known(dec);
    if (!position) {
        if (M && S) p += name + " is a magnitude " + magnitude + " object measuring " + size + "across.  ";
        else if (M) p += name + " is a magnitude " + magnitude + " object. ";
        else if (S) p += name + " measures " + size + " across. ";
    } else {
        const std::string at = "RA " + ra + ", DEC " + dec + ".  ";
        if (!M && !S) p += name + " is located at " + at;
        else if (S && !M) p += name + " measures " + size + " across and is located at " + at;
        else if (M && !S) p += name + " is a magnitude " + magnitude + " object located at " + at;
        else
            p += name + " is a magnitude " + magnitude + " object measuring " + size + " across and is located at RA = " +
                 ra + ", DEC = " + dec + ".  ";
    }
    s[5] = "    " + r.notes + "\n";
    s[6] = "   \n";
    return s;
}

void LogReport::WrapReportText(const std::string& text, std::ostream& out, int width, int linesPerPage,
                               int& lineCount, int& pageNumber, int indent)
{
    const std::size_t room = static_cast<std::size_t>(std::max(0, width - indent));
    const std::string pad(static_cast<std::size_t>(std::max(0, indent)), ' ');
    std::string line, word;
    bool padDue = indent > 0;
    auto writeLine = [&](const std::string& l) {
        out << l << '\n';
        if (linesPerPage > 0 && ++lineCount >= linesPerPage) {
            ++pageNumber;
            lineCount = 0;
            out << "\f\n";
        }
    };
    auto trimmed = [](const std::string& w) {
        const auto first = w.find_first_not_of(' ');
        return first == std::string::npos ? std::string() : w.substr(first);
    };
    for (char c : text) {
        if (padDue) {
            line += pad;
            padDue = false;
        }
        if (c != '\n' && word.size() < room) word += c;
        if (c != ' ' && c != '\n') continue;
        if (line.size() + word.size() > static_cast<std::size_t>(width)) {
            writeLine(line);
            word = trimmed(word);
            if (c == '\n') {
                // The feed ends the kept word's line too, so the next word starts a line of
                // its own instead of being glued to it.
                writeLine(pad + word);
                word.clear();
                line.clear();
            } else {
                line = pad;
            }
            padDue = false;
            if (c == '\n') padDue = indent > 0;
            continue;
        }
        line += word;
        word.clear();
        if (c == '\n') {
            writeLine(line);
            line.clear();
            padDue = indent > 0;
        }
    }
    // The last word is measured like every other.
    if (!word.empty() && line.size() + word.size() > static_cast<std::size_t>(width) && line.size() > pad.size()) {
        writeLine(line);
        line = pad + trimmed(word);
    } else {
        line += word;
    }
    if (!line.empty()) writeLine(line);
}

int LogReport::PrintLogToTextFile(int width, int linesPerPage, const std::string& path, bool selectedOnly)
{
    if (storeForm) storeForm();
    width = std::min(width, kMaxWidth);
    const std::string separator = width >= 5 ? std::string(static_cast<std::size_t>(width - 2), '-') + "\n" : "\n";
    if (!CanWriteReportFile(path)) return 0;
    std::ostringstream out;
    int pageNumber = 1, lineCount = 0;
    const bool wrapping = width != 0 && linesPerPage != 0;
    auto block = [&](const ObsRecord& r) {
        if (r.IsMarkedForDeletion()) return;
        std::array<std::string, 7> s = DescribeRecord(r);
        s[0] = separator;
        for (int i = 0; i < 7; ++i) {
            if (wrapping) WrapReportText(s[static_cast<std::size_t>(i)], out, width, linesPerPage, lineCount, pageNumber, i <= 2 ? 0 : 3);
            else out << s[static_cast<std::size_t>(i)];
        }
    };
    if (selectedOnly) {
        doc_.ReportProgress("Printing Selected Log Entry to OBSLOG.TXT", LogDocument::CaptionAndLine);
        block(doc_.GetCurrentRecord());
        doc_.ReportProgress(std::string(), LogDocument::GaugeThenHide, 100);
    } else {
        EachRecord(out, "Printing Log to OBSLOG.TXT (unfiltered)", "Printing Filtered Log to OBSLOG.TXT", block);
    }
    out << "\f\n";
    return WriteReportFile(path, out.str()) ? pageNumber : 0;
}
