// NGC2000Indexes: the catalogue database. This part holds the catalogue table read from
// "ngc2k.rsx", the Dreyer descriptions read on demand from "dreyer.rsx", the common names,
// the look-up of objects by identifier and by typed name, and the stage-cache word that the
// filter pipeline keeps and the observing log invalidates.
#pragma once

#include "catalog/CatalogueTable.h"
#include "catalog/ObjectData.h"
#include "catalog/ObjectId.h"

#include <cstdint>
#include <memory>
#include <string>

class ifpstream;
class NamedObjects;

class NGC2000Indexes {
public:
    // Results of ReadDatabase.
    enum { ReadOk = 0, ReadNotOpened = 1, ReadBadSignature = 2, ReadBadClosingSignature = 3 };
    // Stage-cache bit of the observing-history criterion.
    static constexpr std::uint32_t kHistoryStage = 0x400;

    // Reads "ngc2k.rsx" and opens "dreyer.rsx" in the directory (ending in '/'), and reads
    // the common names from "comname.txt" in its "User/" folder.
    explicit NGC2000Indexes(const std::string& directory);
    virtual ~NGC2000Indexes();
    NGC2000Indexes(const NGC2000Indexes&) = delete;
    NGC2000Indexes& operator=(const NGC2000Indexes&) = delete;

    // Reads the catalogue table file into the program's table, reporting in the status
    // window; 0 read, 1 not opened, 2 wrong opening signature, 3 wrong closing signature.
    // Whatever was read stays in the table; rows not read are zero.
    static int ReadDatabase(const std::string& path);
    // The row of an NGC/IC object, -1 for anything else.
    static int RowIndex(ObjectId id);
    // The ObjectId of an object a user typed ("NGC 224", "IC434", "M 31"); 0 for none.
    static ObjectId ParseObjectName(const std::string& text);

    // Opens the description file; false (and no descriptions) when it cannot be opened.
    bool OpenDescriptions(const std::string& path);
    // The object's Dreyer description without trailing blanks; "" when there is none.
    std::string DreyerText(ObjectId id) const;
    // ObjectData with the Dreyer description.
    ObjectData GetObjectData(ObjectId id) const;

    // The common names, or null before they were read.
    NamedObjects* Names() const { return names_.get(); }
    const std::string& Directory() const { return directory_; }
    int RowCount() const { return rowCount_; }

    // One bit per filter stage whose result is up to date (0x1 magnitude ... 0x400 history).
    std::uint32_t StageCache() const { return stageCache_; }
    void SetStageCache(std::uint32_t word) { stageCache_ = word; }
    void ClearStageCacheBits(std::uint32_t bits) { stageCache_ &= ~bits; }

protected:
    std::string directory_;
    std::unique_ptr<ifpstream> dreyer_;
    std::unique_ptr<NamedObjects> names_;
    std::uint32_t stageCache_ = 0;
    int rowCount_ = CatalogueRowCount;
};
