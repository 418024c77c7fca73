// List cursors: copying the observing-list and log-list cursors between browsers.
#include "catalog/Browser.h"

#include <gtest/gtest.h>

TEST(Browser, AssignTakesTheOtherCursorsAndItsSelection)
{
    for (int selected : {Browser::kFilteredList, Browser::kObservingList, Browser::kLogList}) {
        SCOPED_TRACE(selected);
        Browser source;
        const int counts[3] = {40, 12, 7};
        const int indexes[3] = {30, 5, 6};
        for (int l = 0; l < 3; ++l) {
            source.SelectList(l);
            source.SetCount(counts[l]);
            source.GoTo(indexes[l]);
        }
        source.SelectList(selected);

        Browser copy;
        copy.Assign(source);
        EXPECT_EQ(copy.Selected(), selected);
        EXPECT_EQ(source.Selected(), selected);
        EXPECT_EQ(copy.CountOf(Browser::kFilteredList), 0);  // the filtered list is not copied
        for (int l = 1; l < 3; ++l) {
            EXPECT_EQ(copy.CountOf(l), counts[l]);
            EXPECT_EQ(copy.IndexOf(l), indexes[l]);
            EXPECT_EQ(copy.StateOf(l), source.StateOf(l));
        }
    }
}
