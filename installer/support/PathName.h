// The installer's path object: every file and directory routine takes and fills one.
#pragma once

namespace kw {

class PathName {
public:
    virtual ~PathName() = default;
    virtual const char* Text() const = 0;
    // Replaces the path; true on success.
    virtual bool SetText(const char* text) = 0;
};

}  // namespace kw
