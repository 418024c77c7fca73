// The program's version block: named texts (ProductName, ProductVersion, LegalCopyright,
// SpecialBuild ...) fixed when the program is built. A block without entries answers no
// query, as a program file without a version block does.
#pragma once

#include <string>
#include <utility>
#include <vector>

class VersionBlock {
public:
    using Entry = std::pair<std::string, std::string>;

    VersionBlock() = default;
    explicit VersionBlock(std::vector<Entry> entries) : entries_(std::move(entries)) {}

    // The block built into this program.
    static VersionBlock Program();

    // The value of a named text; false when the block has none.
    bool Query(const std::string& name, std::string& value) const;

private:
    std::vector<Entry> entries_;
};
