// A log document on a copy of the delivered "Sample.log" with its record form, the catalogue
// read as the program has it (records know their objects' rows).
#pragma once

#include "LogTestSupport.h"

#include "catalog/CatalogueTable.h"
#include "catalog/NGC2000Indexes.h"
#include "framework/gui/MessageBox.h"
#include "globals/Globals.h"
#include "obslog/LogDocument.h"
#include "obslog/ObsDialogView.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace logtest {

class SampleLogForm : public ::testing::Test {
protected:
    void SetUp() override
    {
        data_ = testsupport::ProgramDataDir("User/Sample.log");
        STELLUM_REQUIRE_DATA(data_);
        ASSERT_EQ(NGC2000Indexes::ReadDatabase(data_ + "ngc2k.rsx"), NGC2000Indexes::ReadOk);
        ASSERT_TRUE(testsupport::WriteFileBytes(dirs_.File("Sample.log"),
                                                testsupport::ReadFileBytes(data_ + "User/Sample.log")));
        doc_ = Open(dirs_.File("Sample.log"));
        view_ = new ObsDialogView(*doc_);
    }
    void TearDown() override
    {
        TearDownLogs();
        doc_.reset();  // deletes the view with it
        AppGlobals.database = nullptr;
        NGCTable.Clear();
    }
    // Other logs a test opened go before the sample's.
    virtual void TearDownLogs() {}
    std::unique_ptr<LogDocument> Open(const std::string& path)
    {
        auto doc = std::make_unique<LogDocument>(dirs_.program, dirs_.user);
        EXPECT_TRUE(doc->Open(0, path));
        doc->SetDocPath(path);
        return doc;
    }
    std::string Caption() const { return view_->ControlText(ObsDialog::kCaption); }

    std::string data_;
    LogDirs dirs_;
    fw::ScriptedMessageBoxes boxes_;
    std::unique_ptr<LogDocument> doc_;
    ObsDialogView* view_ = nullptr;
};

} // namespace logtest
