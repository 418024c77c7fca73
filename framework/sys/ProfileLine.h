// The rules by which one line of an INI file is read: a section header, a comment, an
// entry (name=value), a blank line or none of these. The system's profile functions and the
// installer's own INI scanner share them, so both see the same file.
#pragma once

#include <string>

namespace fw {

class ProfileLine {
public:
    enum Kind { Blank, Comment, Header, Entry, Other };

    // Classifies one line (a trailing "\n" or "\r\n" is ignored).
    explicit ProfileLine(const std::string& line);

    Kind kind() const { return kind_; }
    // Header: the name between "[" and "]", unchanged (inner spaces kept).
    const std::string& sectionName() const { return name_; }
    // Entry: the text before the first "=" and after it, white space removed at both ends.
    const std::string& entryName() const { return name_; }
    const std::string& entryValue() const { return value_; }

    bool IsHeader() const { return kind_ == Header; }
    bool IsEntry() const { return kind_ == Entry; }
    bool IsBlank() const { return kind_ == Blank; }
    bool IsHeaderOf(const std::string& section) const;
    bool IsEntryNamed(const std::string& name) const;

    // White space as the INI rules know it: space, tab, line feed, vertical tab, form feed,
    // carriage return.
    static bool IsSpace(char c);
    static std::string TrimSpace(const std::string& s);

private:
    Kind kind_ = Other;
    std::string name_;
    std::string value_;
};

}  // namespace fw
