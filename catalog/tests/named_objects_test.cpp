#include "CatalogueIds.h"

#include "catalog/NamedObjectTables.h"
#include "catalog/NamedObjects.h"
#include "catalog/SAC110.h"
#include "framework/gui/MessageBox.h"
#include "framework/testsupport/TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>

TEST(NamedObjects, MessierAndHerschelLookups)
{
    EXPECT_EQ(NamedObjects::MessierNumber(205), 110);
    EXPECT_EQ(NamedObjects::MessierDesignation(205), "M 110");
    EXPECT_EQ(NamedObjects::MessierNumber(7654), 52);
    EXPECT_EQ(NamedObjects::MessierNumber(14725), 25);
    EXPECT_EQ(NamedObjects::MessierNumber(14726), 0);
    EXPECT_EQ(NamedObjects::MessierNumber(224), 31);
    EXPECT_EQ(NamedObjects::MessierNumber(221), 32);
    EXPECT_EQ(NamedObjects::MessierNumber(6994), 73);
    EXPECT_EQ(NamedObjects::MessierNumber(225), 0);
    EXPECT_EQ(NamedObjects::MessierNumber(204), 0);
    EXPECT_EQ(NamedObjects::MessierNumber(0), 0);
    EXPECT_EQ(NamedObjects::MessierDesignation(225), "");
    EXPECT_TRUE(NamedObjects::IsMessier(1976));
    EXPECT_EQ(NamedObjects::CatalogueOfMessier(24), 0);
    EXPECT_EQ(NamedObjects::CatalogueOfMessier(31), 224);
    EXPECT_EQ(NamedObjects::CatalogueOfMessier(25), 14725);
    EXPECT_EQ(NamedObjects::CatalogueOfMessier(0), 1);
    EXPECT_EQ(NamedObjects::CatalogueOfMessier(111), 1);

    EXPECT_EQ(NamedObjects::HerschelDesignation(40), "H-58-IV");
    EXPECT_EQ(NamedObjects::HerschelDesignation(7790), "H-56-VII");
    EXPECT_EQ(NamedObjects::HerschelDesignation(205), "H-18-V");
    EXPECT_EQ(NamedObjects::HerschelClass(1750), 8);
    EXPECT_EQ(NamedObjects::HerschelNumber(1750), 43);
    EXPECT_EQ(NamedObjects::HerschelNumber(39), 0);
    EXPECT_EQ(NamedObjects::HerschelNumber(41), 0);
    EXPECT_EQ(NamedObjects::HerschelNumber(7814), 0);
    EXPECT_EQ(NamedObjects::HerschelDesignation(41), "");
    EXPECT_TRUE(NamedObjects::IsHerschel(40));

    const SAC110 sac;
    EXPECT_TRUE(sac.Contains(40));
    EXPECT_TRUE(sac.Contains(7789));
    EXPECT_TRUE(sac.Contains(869));
    EXPECT_TRUE(sac.Contains(884));
    EXPECT_FALSE(sac.Contains(7790));
    EXPECT_FALSE(sac.Contains(39));
    EXPECT_FALSE(sac.Contains(41));
    EXPECT_FALSE(sac.Contains(10040));
}

TEST(NamedObjects, TablesAreSortedAsTheLookupsAssume)
{
    for (int i = 1; i < MessierCrossCount; ++i)
        EXPECT_LT(MessierCrossTable[i - 1].catalogueNumber, MessierCrossTable[i].catalogueNumber);
    for (int i = 1; i < HerschelCount; ++i)
        EXPECT_LT(HerschelTable[i - 1].ngc, HerschelTable[i].ngc);
    for (int i = 1; i < SacCount; ++i)
        EXPECT_LT(SacTable[i - 1], SacTable[i]);
    // Every Messier object with a number is in the cross table and back.
    for (int m = 1; m <= MessierCount; ++m) {
        const std::int32_t k = NamedObjects::CatalogueOfMessier(m);
        if (k) {
            EXPECT_EQ(NamedObjects::MessierNumber(k), m) << m;
        }
    }
}

// The fixed tables against the published lists kept with the raw catalogues.
TEST(NamedObjects, TablesMatchThePublishedLists)
{
    const std::string raw = testsupport::RawDataDir();
    STELLUM_REQUIRE_DATA(raw);
    auto rows = [&](const std::string& file) {
        std::vector<std::vector<std::string>> out;
        std::ifstream in(raw + "lists/" + file);
        EXPECT_TRUE(in) << file;
        for (std::string line; std::getline(in, line);) {
            line = line.substr(0, line.find('#'));
            std::istringstream ss(line);
            std::vector<std::string> f;
            for (std::string w; ss >> w;)
                f.push_back(w);
            if (!f.empty())
                out.push_back(f);
        }
        return out;
    };
    const auto messier = rows("messier.txt");
    ASSERT_EQ(messier.size(), size_t(MessierCount));
    for (const auto& f : messier) {
        const int m = std::stoi(f[0].substr(1));
        const int k = f[1] == "none" ? 0 : std::stoi(f[2]) + (f[1] == "IC" ? 10000 : 0);
        EXPECT_EQ(NamedObjects::CatalogueOfMessier(m), k) << f[0];
    }
    const std::map<std::string, int> roman = {{"I", 1}, {"II", 2}, {"III", 3}, {"IV", 4},
                                              {"V", 5}, {"VI", 6}, {"VII", 7}, {"VIII", 8}};
    const auto herschel = rows("herschel400.txt");
    ASSERT_EQ(herschel.size(), size_t(HerschelCount));
    for (const auto& f : herschel) {
        const int n = std::stoi(f[1]);
        EXPECT_EQ(NamedObjects::HerschelClass(n), roman.at(f[3])) << n;
        EXPECT_EQ(NamedObjects::HerschelNumber(n), std::stoi(f[4])) << n;
    }
    const auto sacRows = rows("sac110.txt");
    const SAC110 sac;
    EXPECT_EQ(sacRows.size(), size_t(sac.Count()));
    for (const auto& f : sacRows)
        EXPECT_TRUE(sac.Contains(std::stoi(f[1]))) << f[1];
}

TEST(NamedObjects, ReadsCommonNamesSortedByObject)
{
    testsupport::TempDir dir;
    testsupport::WriteFileBytes(dir.file("comname.txt"),
        "Common Names=4\n"
        "\"Great Nebula in Andromeda\",NGC 224\n"          // 1
        "1 \"Horsehead nebula\" dark, IC 434\n"             // 2
        "\"Andromeda Galaxy\",NGC 224\n"                    // 3
        "\"Barnard's Loop\",Sh2-276\n"                      // 4 names no catalogue: skipped
        "\"Bad\",NGC 9000\n"                                // 5 no such NGC object: skipped
        "no quotes at all\n"                                // 6
        "\"Both\",NGC 5 = IC 7\n"                           // 7 the IC test wins
        "\"Last line\",NGC 104");                           // 8 no newline at the end
    fw::ScriptedMessageBoxes boxes;
    NamedObjects names(dir.file("comname.txt"));
    EXPECT_EQ(boxes.Count(), 0);
    ASSERT_EQ(names.CommonNameCount(), 5);
    EXPECT_EQ(names.EntryObject(0), Ngc(104));
    EXPECT_EQ(names.EntryObjectName(0), "NGC 104");
    EXPECT_EQ(names.EntryCommonName(0), "Last line");
    EXPECT_EQ(names.EntryCommonName(1), "Great Nebula in Andromeda");
    EXPECT_EQ(names.EntryCommonName(2), "Andromeda Galaxy");
    EXPECT_EQ(names.EntryObject(3), Ic(5));
    EXPECT_EQ(names.EntryObject(4), Ic(434));
    EXPECT_EQ(names.EntryCommonName(5), "");
    EXPECT_EQ(names.EntryObject(-1), ObjectId());
    EXPECT_EQ(names.EntryObjectName(5), "");

    EXPECT_TRUE(names.HasCommonName(Ngc(224)));
    EXPECT_EQ(names.CommonName(Ngc(224)), "Great Nebula in Andromeda");
    EXPECT_EQ(names.CommonNamePosition(Ngc(224)), 1);
    EXPECT_EQ(names.CommonNamePosition(Ic(434)), 2);
    EXPECT_EQ(names.CommonNamePosition(Ngc(104)), 8);
    EXPECT_FALSE(names.HasCommonName(Ngc(5)));
    EXPECT_FALSE(names.HasCommonName(Ngc(1160 + 7840)));
    EXPECT_EQ(names.CommonName(Ngc(1)), "");
    EXPECT_EQ(names.CommonNamePosition(Ngc(1)), 0);
}

TEST(NamedObjects, InvalidFilesShowTheBoxAndLeaveNoNames)
{
    testsupport::TempDir dir;
    const struct { const char* content; bool write; } cases[] = {
        {"Common Names=3\n\"Great Nebula in Andromeda\",NGC 224\n", true},
        {"Common Names 4\n\"Great Nebula in Andromeda\",NGC 224\n", true},
        {"", true},
        {nullptr, false},
    };
    for (const auto& c : cases) {
        const std::string path = dir.file("comname.txt");
        std::remove(path.c_str());
        if (c.write)
            testsupport::WriteFileBytes(path, c.content);
        fw::ScriptedMessageBoxes boxes;
        NamedObjects names(path);
        ASSERT_EQ(boxes.Count(), 1) << (c.content ? c.content : "missing");
        EXPECT_EQ(boxes.Last().text, "Did not find a valid \"COMNAME.TXT\" file");
        EXPECT_EQ(boxes.Last().style & 0xF0, fw::MB_ICONSTOP);
        EXPECT_EQ(names.CommonNameCount(), 0);
    }
}

// The common names the build delivers name real objects.
TEST(NamedObjects, DeliveredCommonNamesFile)
{
    const std::string dir = testsupport::ProgramDataDir("User/comname.txt");
    STELLUM_REQUIRE_DATA(dir);
    fw::ScriptedMessageBoxes boxes;
    NamedObjects names(dir + "User/comname.txt");
    EXPECT_EQ(boxes.Count(), 0);
    EXPECT_EQ(names.CommonNameCount(), 115);
    EXPECT_EQ(names.CommonName(Ngc(224)), "Great Nebula in Andromeda");
    EXPECT_EQ(names.CommonName(Ic(434)), "Horsehead nebula");
    EXPECT_EQ(names.CommonName(Ngc(1976)), "Great Nebula in Orion");
}
