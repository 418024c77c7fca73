// The catalogue table and description file that the build delivers, against the raw
// NGC 2000.0 catalogue they were made from.
#include "CatalogueIds.h"

#include "astro/ConstellationTable.h"
#include "catalog/CatalogueStrings.h"
#include "catalog/CatalogueTable.h"
#include "catalog/NGC2000Indexes.h"
#include "catalog/NamedObjects.h"
#include "framework/gui/MessageBox.h"
#include "framework/testsupport/TestSupport.h"
#include "globals/Globals.h"
#include "ui/TStatusDlg.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

class DeliveredCatalogue : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = testsupport::ProgramDataDir("ngc2k.rsx");
        STELLUM_REQUIRE_DATA(dir_);
        status_ = std::make_unique<TStatusDlg>(nullptr, logDir_.file("status.txt"));
        StatusWindow = status_.get();
        // The delivered files linked into a directory of the test's own: the database writes
        // its list state beside them when it goes.
        testsupport::LinkProgramFiles(dir_, logDir_.path(), {"ngc2k.rsx", "dreyer.rsx", "User/comname.txt"});
        db_ = std::make_unique<NGC2000Indexes>(logDir_.path());
    }
    void TearDown() override { StatusWindow = nullptr; }

    std::string dir_;
    testsupport::TempDir logDir_;
    std::unique_ptr<TStatusDlg> status_;
    fw::ScriptedMessageBoxes boxes_;
    std::unique_ptr<NGC2000Indexes> db_;
};

TEST_F(DeliveredCatalogue, AndromedaGalaxy)
{
    bool readComplete = false;
    for (int i = 0; i < status_->LineCount(); ++i)
        readComplete = readComplete || status_->Line(i) == "Read Complete:  " + logDir_.path() + "ngc2k.rsx";
    EXPECT_TRUE(readComplete);
    EXPECT_EQ(boxes_.Count(), 0);

    const ObjectId m31 = NGC2000Indexes::ParseObjectName("M 31");
    EXPECT_EQ(m31, Ngc(224));
    const ObjectData d = db_->GetObjectData(m31);
    EXPECT_EQ(d.name, "NGC 224");
    EXPECT_STREQ(ConstellationAbbreviation(d.constellation), "And");
    EXPECT_EQ(ObjectTypeText(d.type), "Galaxy");
    EXPECT_GE(d.magnitude.Visual(), 3.4);
    EXPECT_LE(d.magnitude.Visual(), 3.5);
    EXPECT_DOUBLE_EQ(d.magnitude.Photographic(), Magnitude::kNoValue);
    EXPECT_NEAR(d.diameter.ArcMinutes(), 178, 0.5);
    EXPECT_NEAR(d.position.RA().Hours() * 60, 42.7, 0.01);          // 0h 42.7m
    EXPECT_NEAR(d.position.Dec().Degrees(), 41 + 16 / 60.0, 1e-4);  // +41 16'
    EXPECT_EQ(d.dreyer, "!!! eeB, eL, vmE (Andromeda); = M31");
    EXPECT_EQ(DreyerBrightnessText(d.brightness), "Most Extremely Bright");
    EXPECT_EQ(DreyerSizeText(d.size), "Extremely Large");
    EXPECT_EQ(DreyerShapeText(d.shape), "Very Much Extended");
    EXPECT_EQ(d.skyAtlasChart, 4);
    EXPECT_EQ(d.uranometriaVolume, 1);
    EXPECT_EQ(d.uranometriaPage, 60);
    ASSERT_NE(db_->Names(), nullptr);
    EXPECT_EQ(db_->Names()->CommonName(m31), "Great Nebula in Andromeda");
}

// Every record of the raw catalogue is in its row, with its constellation, position,
// magnitude, size and description.
TEST_F(DeliveredCatalogue, EveryRowAgreesWithTheRawCatalogue)
{
    const std::string raw = testsupport::RawDataDir();
    STELLUM_REQUIRE_DATA(raw);
    std::ifstream in(raw + "ngc2000/ngc2000.dat");
    ASSERT_TRUE(in);
    int row = 0, mismatches = 0;
    for (std::string line; std::getline(in, line); ++row) {
        ASSERT_EQ(line.size(), 96u);
        const bool ic = line[0] == 'I';
        const int n = std::stoi(ic ? line.substr(1, 4) : line.substr(0, 5));
        const ObjectId id = ObjectId::FromCatalogue(1, ic ? 7840 + n : n);
        const std::string what = line.substr(0, 5);
        if (NGC2000Indexes::RowIndex(id) != row) {
            ADD_FAILURE() << what << " not at row " << row;
            if (++mismatches > 10) return;
            continue;
        }
        EXPECT_EQ(NGCTable.catalogueNumber[row], ic ? 10000 + n : n) << what;
        EXPECT_EQ(ConstellationAbbreviation(NGCTable.constellation[row]), line.substr(29, 3)) << what;
        const double ra = std::stod(line.substr(10, 2)) + std::stod(line.substr(13, 4)) / 60;
        const double dec = (line[19] == '-' ? -1 : 1) * (std::stod(line.substr(20, 2)) + std::stod(line.substr(23, 2)) / 60);
        EXPECT_NEAR(NGCTable.ra[row], ra, 1e-5) << what;
        EXPECT_NEAR(NGCTable.dec[row], dec, 1e-5) << what;
        const std::string mag = line.substr(40, 4);
        const double m = mag == "    " ? 0 : std::stod(mag) + (line[44] == 'p' ? 1000 : 0);
        EXPECT_NEAR(NGCTable.magnitude[row], m, 1e-3) << what;
        const std::string size = line.substr(33, 5);
        EXPECT_NEAR(NGCTable.diameter[row], size == "     " ? 0 : std::stod(size), 1e-4) << what;
        std::string description = line.substr(46);
        while (!description.empty() && description.back() == ' ')
            description.pop_back();
        if (row % 97 == 0) {  // a spread of rows through the description file
            EXPECT_EQ(db_->DreyerText(id), description) << what;
        }
    }
    EXPECT_EQ(row, CatalogueRowCount);
}
