#include "framework/sys/ResourcePackage.h"

#include "framework/stream/StringUtil.h"

#include <QByteArray>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace fw {

namespace {
bool ParseInt(const std::string& text, int& out, int lo, int hi)
{
    long long v = 0;
    if (!ParseInteger(text, v) || v < lo || v > hi) return false;
    out = static_cast<int>(v);
    return true;
}

bool Unescape(const std::string& in, std::string& out)
{
    out.clear();
    for (size_t i = 0; i < in.size(); ++i) {
        if (in[i] != '\\') {
            out += in[i];
            continue;
        }
        if (++i == in.size()) return false;
        switch (in[i]) {
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        case '\\': out += '\\'; break;
        default: return false;
        }
    }
    return true;
}

// Splits off the first n comma-separated fields; the rest (commas included) is the last one.
std::vector<std::string> SplitFields(const std::string& s, size_t n)
{
    std::vector<std::string> f;
    size_t at = 0;
    while (f.size() < n) {
        size_t comma = s.find(',', at);
        if (comma == std::string::npos) {
            f.push_back(s.substr(at));
            return f;
        }
        f.push_back(s.substr(at, comma - at));
        at = comma + 1;
    }
    f.push_back(s.substr(at));
    return f;
}
} // namespace

bool ControlDescription::HasStyle(const std::string& style) const
{
    return std::find(styles.begin(), styles.end(), style) != styles.end();
}

void ResourcePackage::Clear()
{
    strings_.clear();
    dialogs_.clear();
    pictures_.clear();
}

bool ResourcePackage::Fail(int line, const std::string& what)
{
    Clear();
    error_ = "line " + std::to_string(line) + ": " + what;
    return false;
}

bool ResourcePackage::LoadHostFile(const std::string& hostPath)
{
    Clear();
    std::ifstream in(hostPath, std::ios::binary);
    if (!in) {
        error_ = "cannot open " + hostPath;
        return false;
    }
    std::string text;
    char buf[65536];
    while (in.read(buf, sizeof buf) || in.gcount() > 0) {
        text.append(buf, static_cast<size_t>(in.gcount()));
        if (text.size() > kMaxBytes) {
            error_ = "package larger than the limit";
            return false;
        }
    }
    return LoadText(text);
}

bool ResourcePackage::LoadText(const std::string& text)
{
    Clear();
    error_.clear();
    if (text.size() > kMaxBytes) return Fail(0, "package larger than the limit");
    enum { InNoSection, InStrings, InDialog, InPicture } section = InNoSection;
    std::string current; // upper-case name of the dialog or picture
    std::istringstream in(text);
    std::string raw;
    int lineNo = 0;
    while (std::getline(in, raw)) {
        ++lineNo;
        if (raw.size() > kMaxLine) return Fail(lineNo, "line too long");
        std::string line = Trim(raw);
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            if (line.back() != ']') return Fail(lineNo, "section header without ']'");
            std::string head = Trim(line.substr(1, line.size() - 2));
            size_t space = head.find(' ');
            std::string kind = ToUpperAscii(head.substr(0, space));
            std::string name = space == std::string::npos ? "" : ToUpperAscii(Trim(head.substr(space + 1)));
            if (kind == "STRINGS" && name.empty()) {
                section = InStrings;
            } else if ((kind == "DIALOG" || kind == "PICTURE") && !name.empty()) {
                current = name;
                if (kind == "DIALOG") {
                    section = InDialog;
                    if (dialogs_.count(name)) return Fail(lineNo, "dialog " + name + " twice");
                    dialogs_[name].name = name;
                } else {
                    section = InPicture;
                    if (pictures_.count(name)) return Fail(lineNo, "picture " + name + " twice");
                    pictures_[name];
                }
            } else {
                return Fail(lineNo, "unknown section " + head);
            }
            continue;
        }
        size_t eq = line.find('=');
        if (eq == std::string::npos) return Fail(lineNo, "line without '='");
        std::string key = Trim(line.substr(0, eq));
        std::string value = raw.substr(raw.find('=') + 1);
        if (!value.empty() && value.back() == '\r') value.pop_back();
        switch (section) {
        case InNoSection: return Fail(lineNo, "entry outside a section");
        case InStrings: {
            int id;
            if (!ParseInt(key, id, 0, 65535)) return Fail(lineNo, "string number " + key);
            std::string s;
            if (!Unescape(value, s)) return Fail(lineNo, "bad escape");
            strings_[id] = s;
            break;
        }
        case InPicture: {
            if (ToUpperAscii(key) != "DATA") return Fail(lineNo, "picture entry " + key);
            std::string& data = pictures_[current];
            data += Trim(value);
            break;
        }
        case InDialog: {
            DialogDescription& d = dialogs_[current];
            std::string k = ToUpperAscii(key);
            if (k == "CAPTION") {
                if (!Unescape(value, d.caption)) return Fail(lineNo, "bad escape");
            } else if (k == "SIZE") {
                auto f = SplitFields(value, 1);
                if (f.size() != 2 || !ParseInt(f[0], d.width, 1, 2000) || !ParseInt(f[1], d.height, 1, 2000))
                    return Fail(lineNo, "dialog size");
            } else if (k == "FONT") {
                auto f = SplitFields(value, 1);
                if (f.size() != 2 || !ParseInt(f[0], d.fontPoints, 4, 72)) return Fail(lineNo, "dialog font");
                d.fontFace = Trim(f[1]);
            } else if (k == "CONTROL") {
                auto f = SplitFields(value, 7);
                ControlDescription c;
                if (f.size() != 8 || !ParseInt(f[0], c.id, -1, 65535) || !ParseInt(f[2], c.x, -2000, 2000) ||
                    !ParseInt(f[3], c.y, -2000, 2000) || !ParseInt(f[4], c.width, 0, 2000) ||
                    !ParseInt(f[5], c.height, 0, 2000))
                    return Fail(lineNo, "control fields");
                c.className = ToUpperAscii(Trim(f[1]));
                if (c.className.empty()) return Fail(lineNo, "control class");
                std::string styles = Trim(f[6]);
                for (size_t at = 0; !styles.empty() && at <= styles.size();) {
                    size_t bar = styles.find('|', at);
                    std::string s = Trim(styles.substr(at, bar == std::string::npos ? std::string::npos : bar - at));
                    if (!s.empty()) c.styles.push_back(s);
                    if (bar == std::string::npos) break;
                    at = bar + 1;
                }
                if (!Unescape(f[7], c.text)) return Fail(lineNo, "bad escape");
                if (d.controls.size() >= kMaxControls) return Fail(lineNo, "too many controls");
                d.controls.push_back(std::move(c));
            } else {
                return Fail(lineNo, "dialog entry " + key);
            }
            break;
        }
        }
    }
    for (auto& p : pictures_) {
        QByteArray bytes = QByteArray::fromBase64(QByteArray::fromStdString(p.second),
                                                  QByteArray::AbortOnBase64DecodingErrors);
        if (bytes.isEmpty() && !p.second.empty()) return Fail(lineNo, "picture " + p.first + " is not base64");
        p.second = bytes.toStdString();
    }
    return true;
}

const std::string* ResourcePackage::String(int id) const
{
    auto it = strings_.find(id);
    return it == strings_.end() ? nullptr : &it->second;
}

const DialogDescription* ResourcePackage::Dialog(const std::string& name) const
{
    auto it = dialogs_.find(ToUpperAscii(name));
    return it == dialogs_.end() ? nullptr : &it->second;
}

std::vector<std::string> ResourcePackage::DialogNames() const
{
    std::vector<std::string> names;
    for (const auto& [key, dialog] : dialogs_) names.push_back(dialog.name);
    return names;
}

const std::string* ResourcePackage::Picture(const std::string& name) const
{
    auto it = pictures_.find(ToUpperAscii(name));
    return it == pictures_.end() ? nullptr : &it->second;
}

} // namespace fw
