// A catalogue database over the delivered catalogue files, in a directory of its own so that
// its saved state never touches the program directory, at a known site and time.
#pragma once

#include "CatalogueIds.h"

#include "astro/Angle.h"
#include "astro/Distance.h"
#include "astro/JulianDate.h"
#include "astro/ObsSite.h"
#include "catalog/CatalogueTable.h"
#include "catalog/NGC2000Indexes.h"
#include "catalog/ObjectFlags.h"
#include "framework/gui/MessageBox.h"
#include "framework/testsupport/TestSupport.h"
#include "globals/Globals.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

class CatalogueDatabase : public ::testing::Test {
protected:
    void SetUp() override
    {
        data_ = testsupport::ProgramDataDir("ngc2k.rsx");
        STELLUM_REQUIRE_DATA(data_);
        testsupport::LinkProgramFiles(data_, dir_.path(), {"ngc2k.rsx", "dreyer.rsx", "User/comname.txt"});
        // Washington, DC (77.0 W, 38.9 N); 2026 October 16, 03:00 UT = 23:00 EDT.
        site_ = ObsSite(Angle(77.0, Angle::kDegrees), Angle(38.9, Angle::kDegrees), "Washington", -5, Distance());
        now_ = JulianDate::FromCalendar(2026, 10, 16, 3, 0, 0);
        AppGlobals.site = &site_;
        AppGlobals.now = &now_;
        Open();
    }
    // The database goes before the site and time it reads; the program-wide state is back at
    // its start after every test.
    void TearDown() override { db_.reset(); }

    void Open()
    {
        db_.reset();
        db_ = std::make_unique<NGC2000Indexes>(dir_.path());
        AppGlobals.database = db_.get();
    }
    void Close()
    {
        db_.reset();
        AppGlobals.database = nullptr;
    }

    static int Row(ObjectId id) { return NGC2000Indexes::RowIndex(id); }
    static bool Has(ObjectId id, std::uint16_t bit) { return (ObjectFlags[Row(id)] & bit) != 0; }

    // Applies settings and returns the length of the filtered list.
    int Apply(const FilterSettings& f, bool force = false)
    {
        db_->SetFilterSettings(f, force);
        return db_->CountOf(Browser::kFilteredList);
    }
    // Rows of the table for which the predicate holds.
    template <typename P>
    static int CountRows(P p)
    {
        int n = 0;
        for (int r = 0; r < CatalogueRowCount; ++r)
            n += p(r) ? 1 : 0;
        return n;
    }
    bool OnFilteredList(ObjectId id) { return db_->IsOnFilteredList(id); }

    std::string data_;
    testsupport::TempDir dir_;
    ObsSite site_;
    JulianDate now_;
    fw::ScriptedMessageBoxes boxes_;
    std::unique_ptr<NGC2000Indexes> db_;
};
