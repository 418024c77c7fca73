#include "catalog/CatalogueTable.h"
#include "catalog/NGC2000Indexes.h"
#include "framework/gui/MessageBox.h"
#include "framework/testsupport/TestSupport.h"
#include "globals/Globals.h"
#include "obslog/LogDocument.h"

#include <gtest/gtest.h>

TEST(LogDocument, MarksRowsAndInvalidatesTheHistoryStage)
{
    testsupport::TempDir dir;  // no catalogue files: the database starts empty
    fw::ScriptedMessageBoxes boxes;
    NGC2000Indexes db(dir.path());
    AppGlobals.database = &db;

    const struct { int row; bool accepted; } cases[] = {
        {0, true}, {13400, true}, {-1, false}, {13401, false}, {13499, false},
    };
    for (const auto& c : cases) {
        NGCTable.shape[0] = 5;
        if (c.row >= 0 && c.row < CatalogueCapacity)
            NGCTable.shape[c.row] = 5;
        db.SetStageCache(0x7FF);
        EXPECT_EQ(LogDocument::SetLogEntryBit(c.row), c.accepted) << c.row;
        if (c.accepted) {
            EXPECT_EQ(NGCTable.shape[c.row], 0x85) << c.row;
            EXPECT_EQ(db.StageCache(), 0x3FFu) << c.row;
        } else {
            EXPECT_EQ(db.StageCache(), 0x7FFu) << c.row;
            if (c.row >= 0 && c.row < CatalogueCapacity) {
                EXPECT_EQ(NGCTable.shape[c.row], 5) << c.row;
            }
        }
        db.SetStageCache(0x7FF);
        EXPECT_EQ(LogDocument::ClearLogEntryBit(c.row), c.accepted) << c.row;
        if (c.accepted) {
            EXPECT_EQ(NGCTable.shape[c.row], 5) << c.row;
            EXPECT_EQ(db.StageCache(), 0x3FFu) << c.row;
        }
    }
    AppGlobals.database = nullptr;
    // Without a database the marks still work.
    EXPECT_TRUE(LogDocument::SetLogEntryBit(7));
    EXPECT_EQ(NGCTable.shape[7] & ObservedMark, ObservedMark);
}
