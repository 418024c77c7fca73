// A resource package: the strings, dialog descriptions and pictures of a program part that
// is loaded at run time (the installer's language package, its own built-in resources). The
// package is a UTF-8 text file of sections:
//
//   ; a comment
//   [strings]
//   11=Help is not available.\nAsk your dealer.      (escapes \n \t \\)
//   [dialog DLGPROG]
//   caption=Installing
//   size=220,84                                      (dialog units)
//   font=8,MS Sans Serif
//   control=101,STATIC,8,8,204,10,left,Some text     (id, class, x, y, width, height,
//                                                     styles joined by "|", text)
//   [picture LOGO]
//   data=<base64 of an image file>                   (lines are joined)
//
// A damaged package is refused as a whole, with the line that is wrong.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace fw {

struct ControlDescription {
    int id = 0;
    std::string className; // STATIC, BUTTON, EDIT, COMBOBOX, LISTBOX, ICON, GAUGE, FRAME
    int x = 0, y = 0, width = 0, height = 0; // dialog units
    std::vector<std::string> styles;
    std::string text;
    bool HasStyle(const std::string& style) const;
};

struct DialogDescription {
    std::string name;
    std::string caption;
    int width = 0, height = 0; // dialog units
    int fontPoints = 8;
    std::string fontFace = "MS Sans Serif";
    std::vector<ControlDescription> controls;
};

class ResourcePackage {
public:
    // Limits that a package never exceeds; a larger one is refused.
    enum { kMaxBytes = 4 << 20, kMaxLine = 64 << 10, kMaxControls = 256 };

    // Reads a package from a host file or from text; false (with Error()) when it is damaged,
    // and the package is then empty.
    bool LoadHostFile(const std::string& hostPath);
    bool LoadText(const std::string& text);
    const std::string& Error() const { return error_; }
    void Clear();

    bool HasString(int id) const { return strings_.count(id) != 0; }
    const std::string* String(int id) const;
    const DialogDescription* Dialog(const std::string& name) const; // ignoring case
    std::vector<std::string> DialogNames() const;                   // upper-case, sorted
    const std::string* Picture(const std::string& name) const;      // the image file's bytes
    const std::map<int, std::string>& Strings() const { return strings_; }

private:
    bool Fail(int line, const std::string& what);
    std::map<int, std::string> strings_;
    std::map<std::string, DialogDescription> dialogs_; // upper-case name
    std::map<std::string, std::string> pictures_;      // upper-case name
    std::string error_;
};

} // namespace fw
