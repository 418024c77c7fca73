// Reading the catalogue table and the description file, finding objects by identifier and by
// typed name.
#include "CatalogueIds.h"

#include "catalog/CatalogueStrings.h"
#include "catalog/CatalogueTable.h"
#include "catalog/NGC2000Indexes.h"
#include "framework/gui/MessageBox.h"
#include "framework/stream/PStream.h"
#include "framework/testsupport/TestSupport.h"
#include "globals/Globals.h"
#include "ui/TStatusDlg.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include <vector>

namespace {

// A status window of its own while it lives, logging into a temporary directory.
struct StatusRecorder {
    testsupport::TempDir dir;
    TStatusDlg window{nullptr, dir.file("status.txt")};
    TStatusDlg* previous = StatusWindow;
    StatusRecorder() { StatusWindow = &window; }
    ~StatusRecorder() { StatusWindow = previous; }
    std::vector<std::string> Lines() const
    {
        std::vector<std::string> lines;
        for (int i = 0; i < window.LineCount(); ++i)
            lines.push_back(window.Line(i));
        return lines;
    }
};

// A catalogue table file of count entries per column. Entry i of every column holds a value
// derived from i, except that the rows given in `objects` hold real objects and the
// row-of-number column points at them.
struct Fixture {
    struct Object { int row; int catalogueNumber; };
    std::uint32_t count = CatalogueRowCount;
    std::uint32_t statedCount = 0;  // 0: the same as count
    std::string openSignature = CatalogueSignature;
    std::string closeSignature = CatalogueSignature;
    std::vector<Object> objects = {{0, 224}, {1, 10434}, {2, 1}};
    float badValue = 0;  // written into rows 5-8 of RA, Dec, magnitude and size when not 0

    std::string Bytes() const
    {
        std::vector<std::int16_t> catalogue(count, 0), rowOf(count, 0);
        for (const auto& o : objects) {
            catalogue[o.row] = std::int16_t(o.catalogueNumber);
            const std::uint32_t number = ObjectNumberOfCatalogueNumber(o.catalogueNumber);
            if (number - 1 < count)
                rowOf[number - 1] = std::int16_t(o.row);
        }
        fw::omstream out;
        out.writeString(openSignature);
        out.writeWord32(7);
        out.writeWord32(statedCount ? statedCount : count);
        for (auto v : catalogue) out.writeWord16(std::uint16_t(v));
        for (auto v : rowOf) out.writeWord16(std::uint16_t(v));
        for (std::uint32_t i = 0; i < count; ++i) out.writeByte(std::uint8_t(1 + i % 14));     // shape
        for (std::uint32_t i = 0; i < count; ++i) out.writeByte(std::uint8_t(1 + i % 12));     // size
        for (std::uint32_t i = 0; i < count; ++i) out.writeByte(std::uint8_t(i % 19));         // type
        for (std::uint32_t i = 0; i < count; ++i) out.writeByte(std::uint8_t(2 + i % 11));     // brightness
        for (std::uint32_t i = 0; i < count; ++i) out.writeByte(std::uint8_t(i % 88));         // constellation
        auto value = [&](std::uint32_t i, std::uint32_t badRow, float v) { return badValue != 0 && i == badRow ? badValue : v; };
        for (std::uint32_t i = 0; i < count; ++i) out.writeFloat(value(i, 5, float(i % 24) + 0.5f));    // RA
        for (std::uint32_t i = 0; i < count; ++i) out.writeFloat(value(i, 6, float(i % 90) - 45.f));    // Dec
        for (std::uint32_t i = 0; i < count; ++i) out.writeFloat(value(i, 7, i % 2 ? 1012.5f : 8.25f)); // mag
        for (std::uint32_t i = 0; i < count; ++i) out.writeFloat(value(i, 8, float(i % 1000) + 0.25f)); // size
        out.writeString(closeSignature);
        return out.str();
    }
};

} // namespace

TEST(CatalogueTable, ReadsAFileAndReportsEachStep)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("ngc2k.rsx");
    ASSERT_TRUE(testsupport::WriteFileBytes(path, Fixture().Bytes()));
    StatusRecorder status;
    EXPECT_EQ(NGC2000Indexes::ReadDatabase(path), NGC2000Indexes::ReadOk);
    EXPECT_EQ(status.Lines(), (std::vector<std::string>{"Reading " + path, "Read Complete:  " + path}));
    EXPECT_EQ(status.window.LastPercentage(), 100u);
    EXPECT_EQ(NGCTable.catalogueNumber[1], 10434);
    EXPECT_EQ(NGCTable.shape[13225], 1 + 13225 % 14);
    EXPECT_FLOAT_EQ(NGCTable.diameter[13225], float(13225 % 1000) + 0.25f);
    EXPECT_EQ(NGC2000Indexes::RowIndex(Ngc(224)), 0);
    EXPECT_EQ(NGC2000Indexes::RowIndex(Ic(434)), 1);
    EXPECT_EQ(NGC2000Indexes::RowIndex(Ngc(1)), 2);
}

TEST(CatalogueTable, DamagedFilesAreReportedAndNeverReadPastTheTable)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("ngc2k.rsx");
    const std::string good = Fixture().Bytes();
    const size_t columnsStart = 4 + std::string(CatalogueSignature).size() + 8;
    const size_t raStart = columnsStart + size_t(CatalogueRowCount) * (2 + 2 + 5);

    struct Case {
        const char* what;
        std::string bytes;
        bool write;
        int result;
        const char* line;
    };
    Fixture wrongOpen;
    wrongOpen.openSignature = "Quillon Software - Stellum 4.4 - NGC2000 Databasf";
    Fixture wrongClose;
    wrongClose.closeSignature = "Quillon Software - Stellum 4.4";
    Fixture hugeCount;  // states far more entries than the file holds
    hugeCount.statedCount = 0xFFFFFFFFu;
    Fixture notANumber;
    notANumber.badValue = std::numeric_limits<float>::quiet_NaN();
    Fixture huge;
    huge.badValue = 3e30f;
    const Case cases[] = {
        {"missing", "", false, 1, "Unable to open "},
        {"wrong opening signature", wrongOpen.Bytes(), true, 2, "Bad File Signature:  "},
        {"empty", "", true, 2, "Bad File Signature:  "},
        {"wrong closing signature", wrongClose.Bytes(), true, 3, "Bad File Signature at EOF:  "},
        {"cut inside the RA column", good.substr(0, raStart + 100), true, 3, "Bad File Signature at EOF:  "},
        {"cut before the closing signature", good.substr(0, good.size() - 10), true, 3, "Bad File Signature at EOF:  "},
        {"count far above the capacity", hugeCount.Bytes(), true, 3, "Bad File Signature at EOF:  "},
        {"values that are not numbers", notANumber.Bytes(), true, 4, "Bad Values In File:  "},
        {"values no object has", huge.Bytes(), true, 4, "Bad Values In File:  "},
    };
    for (const Case& c : cases) {
        std::remove(path.c_str());
        if (c.write) {
            ASSERT_TRUE(testsupport::WriteFileBytes(path, c.bytes));
        }
        StatusRecorder status;
        EXPECT_EQ(NGC2000Indexes::ReadDatabase(path), c.result) << c.what;
        const std::vector<std::string> lines = status.Lines();
        ASSERT_EQ(lines.size(), 2u) << c.what;
        EXPECT_EQ(lines[0], "Reading " + path) << c.what;
        EXPECT_EQ(lines[1], c.line + path) << c.what;
        EXPECT_EQ(status.window.LastPercentage(), c.result >= 3 ? 90u : 0u) << c.what;
    }
    // The untrusted values are cleared; the rest of the table stays.
    for (int row = 5; row <= 8; ++row) {
        EXPECT_EQ(NGCTable.ra[row] * NGCTable.dec[row] * NGCTable.magnitude[row] * NGCTable.diameter[row], 0.f);
        EXPECT_TRUE(std::isfinite(NGCTable.ra[row] + NGCTable.dec[row] + NGCTable.magnitude[row] + NGCTable.diameter[row]));
    }
    EXPECT_FLOAT_EQ(NGCTable.ra[9], 9.5f);

    // A file cut inside the RA column keeps the columns before it and zeros after it.
    ASSERT_TRUE(testsupport::WriteFileBytes(path, good.substr(0, raStart + 100)));
    EXPECT_EQ(NGC2000Indexes::ReadDatabase(path), 3);
    EXPECT_EQ(NGC2000Indexes::RowIndex(Ic(434)), 1);
    EXPECT_EQ(NGCTable.constellation[100], 100 % 88);
    EXPECT_FLOAT_EQ(NGCTable.ra[24], 0.5f);
    EXPECT_FLOAT_EQ(NGCTable.ra[25], 0.0f);
    EXPECT_FLOAT_EQ(NGCTable.dec[0], 0.0f);
}

TEST(CatalogueTable, CountAboveCapacityKeepsTheFirstEntriesOfEachColumn)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("ngc2k.rsx");
    Fixture big;
    big.count = 13600;
    big.objects = {{0, 224}, {13499, 10434}, {13550, 1}};
    ASSERT_TRUE(testsupport::WriteFileBytes(path, big.Bytes()));
    StatusRecorder status;
    EXPECT_EQ(NGC2000Indexes::ReadDatabase(path), 0);
    // Column 1 stopped at the capacity: the row-of-number column was not overwritten.
    EXPECT_EQ(NGCTable.catalogueNumber[13499], 10434);
    EXPECT_EQ(NGCTable.rowOfNumber[223], 0);
    EXPECT_EQ(NGCTable.rowOfNumber[0], 13550);
    // Every later column starts where the file puts it.
    EXPECT_EQ(NGCTable.shape[13499], 1 + 13499 % 14);
    EXPECT_EQ(NGCTable.constellation[13499], 13499 % 88);
    EXPECT_FLOAT_EQ(NGCTable.diameter[0], 0.25f);
    EXPECT_FLOAT_EQ(NGCTable.diameter[13499], float(13499 % 1000) + 0.25f);
    // A row beyond the rows of the catalogue names no object.
    EXPECT_EQ(NGC2000Indexes::RowIndex(Ic(434)), -1);
    EXPECT_EQ(NGC2000Indexes::RowIndex(Ngc(1)), -1);
    EXPECT_EQ(NGC2000Indexes::RowIndex(Ngc(224)), 0);
}

TEST(CatalogueTable, RowIndexOnlyForObjectsOfTheTable)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("ngc2k.rsx");
    ASSERT_TRUE(testsupport::WriteFileBytes(path, Fixture().Bytes()));
    StatusRecorder status;
    ASSERT_EQ(NGC2000Indexes::ReadDatabase(path), 0);
    const struct { std::uint32_t value; int row; } cases[] = {
        {Ngc(224).Value(), 0},
        {ObjectId::kSun, -1},
        {ObjectId::kMoon, -1},
        {0, -1},
        {Ngc(0).Value(), -1},
        {Ngc(13501).Value(), -1},
        {Ngc(5).Value(), -1},          // its row-of-number entry (0) holds NGC 224
        {Ic(5387).Value(), -1},
        {0x4000000u + 224, -1},        // catalogue 2
    };
    for (const auto& c : cases)
        EXPECT_EQ(NGC2000Indexes::RowIndex(ObjectId(c.value)), c.row) << std::hex << c.value;
}

TEST(CatalogueTable, ParsesTypedNames)
{
    const struct { const char* text; std::uint32_t id; } cases[] = {
        {"NGC 7840", Ngc(7840).Value()},
        {"NGC7841", 0},
        {"NGC 0", 0},
        {"IC 5386", ObjectId::FromCatalogue(1, 13226).Value()},
        {"IC5387", 0},
        {"IC 434", Ic(434).Value()},
        {"IC0", 0},
        {"M 31", Ngc(224).Value()},
        {"M31", Ngc(224).Value()},
        {"M 45", 0},
        {"M 24", 0},
        {"M 111", 0},
        {"M 0", 0},
        {"m31", 0},
        {"M 25", Ic(4725).Value()},
        {"M 110", Ngc(205).Value()},
        {"NGC 224 = M 31", Ngc(224).Value()},
        {" NGC 224", 0},
        {"ngc 224", 0},
        {"NGC 99999999999999999999", 0},
        {"NGC", 0},
        {"M", 0},
        {"", 0},
        {"224", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NGC2000Indexes::ParseObjectName(c.text).Value(), c.id) << c.text;
}

TEST(CatalogueTable, DreyerTextFromFixedRecords)
{
    testsupport::TempDir dir;
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.file("ngc2k.rsx"), Fixture().Bytes()));
    std::string descriptions = std::string(54, ' ');                                  // row 0
    descriptions += "!!! eeB, eL, vmE" + std::string(54 - 16, ' ');                 // row 1
    descriptions += "F, S";                                                         // row 2, cut short
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.file("dreyer.rsx"), descriptions));
    StatusRecorder status;
    fw::ScriptedMessageBoxes boxes;  // no common-name file here
    NGC2000Indexes db(dir.path());
    EXPECT_EQ(db.DreyerText(Ngc(224)), "");
    EXPECT_EQ(db.DreyerText(Ic(434)), "!!! eeB, eL, vmE");
    EXPECT_EQ(db.DreyerText(Ngc(1)), "F, S");
    EXPECT_EQ(db.DreyerText(Ic(434)), "!!! eeB, eL, vmE");   // after a short read
    EXPECT_EQ(db.DreyerText(ObjectId(ObjectId::kMoon)), "");
    EXPECT_EQ(db.DreyerText(Ngc(13501)), "");
    EXPECT_EQ(db.GetObjectData(Ic(434)).dreyer, "!!! eeB, eL, vmE");

    EXPECT_FALSE(db.OpenDescriptions(dir.file("missing.rsx")));
    EXPECT_EQ(db.DreyerText(Ic(434)), "");
}

TEST(CatalogueTable, ObjectDataOfRowsAndOfOtherObjects)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("ngc2k.rsx");
    ASSERT_TRUE(testsupport::WriteFileBytes(path, Fixture().Bytes()));
    StatusRecorder status;
    ASSERT_EQ(NGC2000Indexes::ReadDatabase(path), 0);

    const ObjectData visual(Ngc(224));      // row 0: magnitude 8.25 visual
    EXPECT_EQ(visual.row, 0);
    EXPECT_EQ(visual.name, "NGC 224");
    EXPECT_DOUBLE_EQ(visual.magnitude.Visual(), 8.25);
    EXPECT_DOUBLE_EQ(visual.magnitude.Photographic(), Magnitude::kNoValue);
    EXPECT_NEAR(visual.diameter.ArcMinutes(), 0.25, 1e-12);
    EXPECT_NEAR(visual.position.RA().Hours(), 0.5, 1e-6);
    EXPECT_NEAR(visual.position.Dec().Degrees(), -45, 1e-6);

    const ObjectData photo(Ic(434));        // row 1: 12.5 photographic
    EXPECT_DOUBLE_EQ(photo.magnitude.Visual(), Magnitude::kNoValue);
    EXPECT_DOUBLE_EQ(photo.magnitude.Photographic(), 12.5);
    EXPECT_EQ(photo.type, 1);
    EXPECT_EQ(photo.constellation, 1);

    NGCTable.magnitude[2] = 0;
    const ObjectData none(Ngc(1));
    EXPECT_DOUBLE_EQ(none.magnitude.Visual(), Magnitude::kNoValue);
    EXPECT_DOUBLE_EQ(none.magnitude.Photographic(), Magnitude::kNoValue);

    const ObjectData moon{ObjectId(ObjectId::kMoon)};
    EXPECT_EQ(moon.name, "The Moon");
    EXPECT_EQ(moon.row, -1);
    EXPECT_EQ(moon.constellation, -1);
}

TEST(CatalogueStrings, TextsOfTheCodes)
{
    const struct { int id; const char* text; } cases[] = {
        {18601, "Galaxy"}, {18605, "Planetary Nebula"}, {18614, "Non Existent"},
        {18619, "Spiral Galaxy"}, {18620, ""}, {18600, ""},
        {18701, "Most Extremely Small"}, {18712, "Most Extremely Large"}, {18713, "No Dreyer Description"},
        {18801, "Round"}, {18803, "Very, Very Little Extended"}, {18814, "Extremely Extended"},
        {18815, "No Dreyer Description"},
        {18901, "Most Extremely Faint"}, {18912, "Most Extremely Bright"}, {18913, "No Dreyer Description"},
        {18700, ""}, {18800, ""}, {18900, ""},
        // The sort keys, numbered by their codes.
        {12999, ""}, {13000, "Sort Options"}, {13001, "Ignore"}, {13008, "NGC / IC Number"},
        {13015, "Herschel Class (400) "}, {13023, "Uranometria Page"}, {13024, "End of Sort Options"},
        {13025, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CatalogueString(c.id), c.text) << c.id;
    EXPECT_EQ(ObjectTypeText(0), "Galaxy");
    EXPECT_EQ(ObjectTypeText(19), "");
    EXPECT_EQ(DreyerSizeText(0), "No Dreyer Description");
    EXPECT_EQ(DreyerSizeText(11), "Extremely Large");
    EXPECT_EQ(DreyerShapeText(13), "Very Much Extended");
    EXPECT_EQ(DreyerShapeText(0x80 | 13), "Very Much Extended");   // observed mark ignored
    EXPECT_EQ(DreyerShapeText(0x80), "No Dreyer Description");
    EXPECT_EQ(DreyerBrightnessText(12), "Most Extremely Bright");
    EXPECT_EQ(DreyerBrightnessText(13), "No Dreyer Description");
}
