#include "obslog/LogImport.h"

#include <cctype>

const char* LogImportHeader::Keyword(int code)
{
    switch (code) {
    case Delimiter: return "DELIMITER";
    case FieldsPerEntry: return "FIELDS PER ENTRY";
    case Begin: return "BEGIN";
    default: {
        const ObsField* field = FindObsField(code);
        return field ? field->importKeyword : "";
    }
    }
}

namespace {

// A header line is short; a longer one is read to its end and kept only this far.
constexpr std::size_t kMaxHeaderLine = 1024;

bool ReadHeaderLine(std::istream& in, std::string& line)
{
    line.clear();
    if (!in.good() || in.peek() == std::char_traits<char>::eof()) return false;
    for (int c = in.get(); c != std::char_traits<char>::eof() && c != '\n'; c = in.get())
        if (line.size() < kMaxHeaderLine) line.push_back(static_cast<char>(c));
    return true;
}

// Strips spaces (and the carriage return of a line written with one). A value line keeps its
// tabs: a tab is the usual delimiter.
std::string Stripped(const std::string& text, bool tabsToo)
{
    const auto blank = [tabsToo](char c) { return c == ' ' || c == '\r' || (tabsToo && c == '\t'); };
    std::size_t first = 0, end = text.size();
    while (first < end && blank(text[first])) ++first;
    while (end > first && blank(text[end - 1])) --end;
    return text.substr(first, end - first);
}

// The first run of digits, 0 when there is none; a number past the limit gives the limit.
long FirstNumber(const std::string& text, long limit)
{
    std::size_t i = 0;
    while (i < text.size() && !std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
    long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > limit) return limit;
    }
    return value;
}

} // namespace

bool LogImportHeader::Read(std::istream& in, std::string& message)
{
    std::string keywordLine, value;
    for (int pair = 0; pair < kMaxPairs; ++pair) {
        if (!ReadHeaderLine(in, keywordLine)) break;
        ++linesRead;
        std::string keyword = Stripped(keywordLine, true);
        for (char& c : keyword) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        int code = -1;
        for (int k = 0; k < kCodeCount; ++k)
            if (keyword == Keyword(k)) code = k;
        if (code < 0) {
            message = "Error Reading Import log header line " + Stripped(keywordLine, true);
            return false;
        }
        if (ReadHeaderLine(in, value)) ++linesRead;
        value = Stripped(value, false);
        if (code == Begin) break;
        if (code == FieldsPerEntry) {
            fieldsPerEntry = static_cast<int>(FirstNumber(value, kMaxFieldsPerEntry + 1));
        } else if (code == Delimiter) {
            if (value.empty()) {
                message = "Invalid Delimiter, try a tab or pipe (|)";
                return false;
            }
            delimiter = value[0];
        } else if (!value.empty() && value[0] == '{') {
            // A column past any an entry can have never matches: the same as none given.
            column[static_cast<std::size_t>(code)] = static_cast<std::uint8_t>(FirstNumber(value, kNoColumn));
        } else {
            defaults[static_cast<std::size_t>(code)] = value;
        }
    }
    return Valid(message);
}

bool LogImportHeader::Valid(std::string& message) const
{
    if (fieldsPerEntry < 1 || fieldsPerEntry > kMaxFieldsPerEntry) {
        message = "Invalid Fields Per Entry, give the number of fields in each line (1 to " +
                  std::to_string(kMaxFieldsPerEntry) + ")";
        return false;
    }
    return true;
}

int LogImportHeader::CodeOfColumn(int j) const
{
    for (int code = kLastField; code >= kFirstField; --code)
        if (column[static_cast<std::size_t>(code)] == j) return code;
    return -1;
}

bool LogImportEntries::BeginEntry()
{
    // Empty lines hold no entry.
    for (;;) {
        const int c = in_.peek();
        if (c == std::char_traits<char>::eof()) return false;
        if (c == '\n') {
            in_.get();
            ++line_;
            continue;
        }
        if (c == '\r') {
            in_.get();
            if (in_.peek() == '\n' || in_.peek() == std::char_traits<char>::eof()) continue;
            in_.unget();
        }
        break;
    }
    ++line_;
    lineEnded_ = false;
    return true;
}

bool LogImportEntries::ReadField(std::string& field, bool last)
{
    field.clear();
    if (lineEnded_) return false;
    for (int c = in_.get(); c != std::char_traits<char>::eof(); c = in_.get()) {
        if (c == '\n') break;
        if (!last && c == static_cast<unsigned char>(header_.delimiter)) return true;
        if (field.size() < kMaxField) field.push_back(static_cast<char>(c));
    }
    // The line has ended (or the file): a field still due after this one is missing.
    lineEnded_ = true;
    // A line end written as carriage return and line feed.
    if (!field.empty() && field.back() == '\r') field.pop_back();
    return true;
}
