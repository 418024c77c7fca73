// The usual path object: its own buffer of 128 characters. A text that does not fit is
// refused with a check failure and the old path kept.
#pragma once

#include "installer/support/PathName.h"

namespace kw {

class PathBuffer : public PathName {
public:
    enum { kSize = 128 };
    PathBuffer() { text_[0] = 0; }
    explicit PathBuffer(const char* text);
    PathBuffer(const PathBuffer& other);
    PathBuffer& operator=(const PathBuffer& other);
    const char* Text() const override { return text_; }
    bool SetText(const char* text) override;

private:
    char text_[kSize];
};

}  // namespace kw
