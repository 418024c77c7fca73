#include "obslog/ObsField.h"
#include "obslog/ObsRecordHeader.h"
#include "obslog/RuravAvaviv.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

// A new entry that repeats a code, a column or a filter set, or leaves one out, would drop a
// column from the exported table or a choice set from the filter files without a word.
TEST(ObsField, TableNamesEachCodeColumnAndFilterSetOnce)
{
    std::set<int> codes, columns, sets, lists;
    std::set<std::string> keywords;
    for (const ObsField& f : ObsFields()) {
        EXPECT_TRUE(codes.insert(f.code).second) << f.code;
        EXPECT_TRUE(keywords.insert(f.importKeyword).second) << f.importKeyword;
        EXPECT_TRUE(columns.insert(f.exportColumn).second) << f.heading;
        if (f.filterBit != 0) {
            EXPECT_TRUE(sets.insert(f.filterSet).second) << f.filterTag;
            EXPECT_NE(f.filterTag, nullptr);
        }
        if (f.kind == ObsField::ChoiceKind) {
            EXPECT_TRUE(lists.insert(f.list).second) << f.list;
            EXPECT_NE(f.newEntryCaption, nullptr) << f.code;
        }
        EXPECT_EQ(FindObsField(f.code), &f);
    }
    EXPECT_EQ(*codes.begin(), ObsField::kFirstCode);
    EXPECT_EQ(*codes.rbegin(), ObsField::kLastCode);
    EXPECT_EQ(codes.size(), static_cast<std::size_t>(ObsField::kLastCode - ObsField::kFirstCode + 1));
    EXPECT_EQ(*columns.begin(), 0);
    EXPECT_EQ(*columns.rbegin(), ObsExportColumnCount() - 1);
    EXPECT_EQ(sets.size(), static_cast<std::size_t>(RuravAvaviv::kSetCount));
    EXPECT_EQ(lists.size(), static_cast<std::size_t>(ObsRecordHeader::kListCount));
    EXPECT_EQ(FindObsField(ObsField::kLastCode + 1), nullptr);
}
