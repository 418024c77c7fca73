#include "catalog/ObjectId.h"
#include "framework/stream/PStream.h"

#include <gtest/gtest.h>

TEST(ObjectId, NamesByCatalogueAndNumber)
{
    const struct { std::uint32_t value; const char* name; } cases[] = {
        {0x2000000 + 7331, "NGC 7331"},
        {0x2000000 + 7840, "NGC 7840"},
        {0x2000000 + 7841, "IC 1"},
        {0x2000000 + 8274, "IC 434"},
        {0x2000000, "NGC 0"},            // catalogue 1 does not look at the range
        {0x6000000, "The Sun"},
        {0x6000301, "The Moon"},
        {0x6000300, "Earth"},
        {0x6000900, "Pluto"},
        {0x6000302, ""},                 // catalogue 3, not a known body
        {0x4000001, ""},                 // catalogue 2
        {0, ""},
        {0xFFFFFFFF, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ObjectId(c.value).Name(), c.name) << std::hex << c.value;
}

TEST(ObjectId, SplitsIntoCatalogueAndNumber)
{
    const ObjectId all(0xFFFFFFFFu);
    EXPECT_EQ(all.Catalogue(), 127u);
    EXPECT_EQ(all.Number(), 0x1FFFFFFu);
    EXPECT_EQ(ObjectId::FromCatalogue(1, 224).Value(), 0x2000000u + 224);
    EXPECT_EQ(ObjectId::FromCatalogue(3, 0x301), ObjectId(ObjectId::kMoon));
    EXPECT_LT(ObjectId(5), ObjectId(6));
    EXPECT_EQ(ObjectId(), ObjectId(0));
}

TEST(ObjectId, StreamKeepsOnlyKnownCatalogues)
{
    fw::omstream out;
    WriteObjectId(out, ObjectId(0x2000000 + 224));
    WriteObjectId(out, ObjectId(0x4000007));   // catalogue 2
    WriteObjectId(out, ObjectId(0x6000302));   // catalogue 3, not in the body table
    WriteObjectId(out, ObjectId(0xFFFFFFFF));
    EXPECT_EQ(out.str().substr(0, 4), std::string("\xE0\x00\x00\x02", 4));
    fw::imstream in(out.str());
    EXPECT_EQ(ReadObjectId(in).Value(), 0x2000000u + 224);
    EXPECT_EQ(ReadObjectId(in).Value(), 0u);
    EXPECT_EQ(ReadObjectId(in).Value(), 0x6000302u);
    EXPECT_EQ(ReadObjectId(in).Value(), 0u);
    EXPECT_EQ(ReadObjectId(in).Value(), 0u);  // past the end
}
