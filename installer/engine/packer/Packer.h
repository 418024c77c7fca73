// Writes a package: every file of a description compressed (gzip, whose last four bytes hold
// the expanded size) or copied under its packaged name, and "install.inf" last.
#pragma once

#include "installer/engine/packer/PackDescription.h"

#include <string>

namespace kw {

// Compresses a host file into a gzip file; false with a message in error.
bool GzipFile(const std::string& from, const std::string& to, std::string& error);

// Packages into outDir (made when missing); false with Error() set.
class Packer {
public:
    bool Pack(PackDescription& description, const std::string& outDir);
    const std::string& Error() const { return error_; }

private:
    std::string error_;
};

} // namespace kw
