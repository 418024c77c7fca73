// The portable stream: encoding of every value in both integer widths, strings around the
// length-byte limit, field lists and over-long texts for fixed buffers.
#include "framework/gui/MessageBox.h"
#include "installer/support/HeapString.h"
#include "installer/support/PathBuffer.h"
#include "installer/support/PortableStream.h"
#include "installer/support/RegKey.h"
#include "installer/support/StreamField.h"
#include "installer/support/Timestamp.h"

#include <gtest/gtest.h>

#include <string>

using namespace kw;

namespace {

std::string Bytes(std::initializer_list<int> b)
{
    std::string s;
    for (int x : b) s += static_cast<char>(x);
    return s;
}

TEST(PortableStream, StringsTakeTheShortOrTheLongLengthForm)
{
    struct Case { size_t length; std::string prefix; } cases[] = {
        {0, Bytes({0})},
        {1, Bytes({1})},
        {254, Bytes({254})},
        {255, Bytes({255, 255, 0})},
        {256, Bytes({255, 0, 1})},
        {65535, Bytes({255, 255, 255})},
    };
    for (const Case& c : cases) {
        std::string text(c.length, 'q');
        MemorySink sink;
        PortableWriter w(sink, true);
        ASSERT_TRUE(w.WriteString(HeapString(text.c_str())));
        EXPECT_EQ(sink.Bytes(), c.prefix + text) << c.length;

        MemorySource src(sink.Bytes());
        PortableReader r(src, true);
        HeapString back("old");
        ASSERT_TRUE(r.ReadString(back));
        EXPECT_EQ(back.Text(), text);
        EXPECT_EQ(src.Position(), sink.Bytes().size());
    }
    fw::ScriptedMessageBoxes boxes;
    MemorySink sink;
    PortableWriter w(sink, false);
    EXPECT_FALSE(w.WriteCString(std::string(65536, 'x').c_str()));
    EXPECT_EQ(sink.Bytes(), "");
    EXPECT_EQ(boxes.Count(), 1);
}

TEST(PortableStream, IntegersFollowTheStreamWidth)
{
    struct Case { bool narrow; int i; unsigned u; std::string ib, ub; int iBack; unsigned uBack; } cases[] = {
        {true, -2, 65534, Bytes({254, 255}), Bytes({254, 255}), -2, 65534},
        {true, 70000, 70000, Bytes({0x70, 0x11}), Bytes({0x70, 0x11}), 0x1170, 0x1170},
        {false, -2, 65534, Bytes({254, 255, 255, 255}), Bytes({254, 255, 0, 0}), -2, 65534},
        {false, 70000, 4000000000u, Bytes({0x70, 0x11, 1, 0}), Bytes({0, 0x28, 0x6B, 0xEE}), 70000, 4000000000u},
    };
    for (const Case& c : cases) {
        MemorySink sink;
        PortableWriter w(sink, c.narrow);
        ASSERT_TRUE(w.WriteInt(c.i));
        ASSERT_TRUE(w.WriteUInt(c.u));
        ASSERT_TRUE(w.WriteWord(0xBEEF));
        ASSERT_TRUE(w.WriteRaw4(0x01020304));
        EXPECT_EQ(sink.Bytes(), c.ib + c.ub + Bytes({0xEF, 0xBE, 4, 3, 2, 1})) << c.narrow << c.i;
        MemorySource src(sink.Bytes());
        PortableReader r(src, c.narrow);
        int i = 0;
        unsigned u = 0;
        uint16_t word = 0;
        uint32_t raw = 0;
        ASSERT_TRUE(r.ReadInt(i) && r.ReadUInt(u) && r.ReadWord(word) && r.ReadRaw4(raw));
        EXPECT_EQ(i, c.iBack);
        EXPECT_EQ(u, c.uBack);
        EXPECT_EQ(word, 0xBEEF);
        EXPECT_EQ(raw, 0x01020304u);
        unsigned char extra;
        EXPECT_FALSE(r.ReadByte(extra)); // at the end of the data
    }
}

// A record with one field of each kind that can be written.
struct Record : Persistent {
    int i = 0;
    uint16_t w = 0;
    uint32_t raw = 0;
    unsigned u = 0;
    int32_t l = 0;
    HeapString s;
    PathBuffer path;
    char buf[16] = {};
    IntField fi{i};
    WordField fw{w};
    Raw4Field fr{raw};
    UIntField fu{u};
    LongField fl{l};
    StringField fs{s};
    NamedObjectField fp{path};
    TextBufferField fb{buf, sizeof buf};
    StreamField* fields[9] = {&fi, &fw, &fr, &fu, &fl, &fs, &fp, &fb, nullptr};
    StreamField* const* FieldList() override { return fields; }
};

TEST(PortableStream, FieldListsRoundTripAndStopAtTheFirstFailure)
{
    Record out;
    out.i = -5;
    out.w = 7;
    out.raw = 0xA0B0C0D0;
    out.u = 9;
    out.l = -100000;
    out.s.Assign("text");
    out.path.SetText("C:\\STELLUM\\stlm32.exe");
    std::snprintf(out.buf, sizeof out.buf, "%s", "fifteen chars!!");
    MemorySink sink;
    PortableWriter w(sink, true);
    ASSERT_TRUE(w.WriteObject(out));

    Record in;
    MemorySource src(sink.Bytes());
    PortableReader r(src, true);
    ASSERT_TRUE(r.ReadObject(in));
    EXPECT_EQ(in.i, -5);
    EXPECT_EQ(in.w, 7);
    EXPECT_EQ(in.raw, 0xA0B0C0D0u);
    EXPECT_EQ(in.u, 9u);
    EXPECT_EQ(in.l, -100000);
    EXPECT_STREQ(in.s.Text(), "text");
    EXPECT_STREQ(in.path.Text(), "C:\\STELLUM\\stlm32.exe");
    EXPECT_STREQ(in.buf, "fifteen chars!!");

    // Cut in the middle of the string field: the fields after it keep their values.
    Record part;
    part.path.SetText("kept");
    std::string cut = sink.Bytes().substr(0, 2 + 2 + 4 + 2 + 4 + 3);
    MemorySource short_(cut);
    PortableReader pr(short_, true);
    EXPECT_FALSE(PortableReader::ReadFields(pr, part.FieldList()));
    EXPECT_EQ(part.l, -100000);
    EXPECT_STREQ(part.path.Text(), "kept");

    // A sink that refuses part way makes the write fail.
    MemorySink tiny(5);
    PortableWriter tw(tiny, true);
    EXPECT_FALSE(tw.WriteObject(out));
}

TEST(PortableStream, OverLongTextsForFixedBuffersAreRefused)
{
    fw::ScriptedMessageBoxes boxes;
    // A stored 300-byte registry path, then an int: the path is refused, the stream stays
    // aligned on the following value.
    MemorySink sink;
    PortableWriter w(sink, false);
    ASSERT_TRUE(w.WriteInt(2));
    ASSERT_TRUE(w.WriteCString(std::string(300, 'k').c_str()));
    ASSERT_TRUE(w.WriteInt(77));
    MemorySource src(sink.Bytes());
    PortableReader r(src, false);
    RegKey key;
    EXPECT_FALSE(r.ReadObject(key));
    EXPECT_STREQ(key.Path(), "");
    int next = 0;
    EXPECT_TRUE(r.ReadInt(next));
    EXPECT_EQ(next, 77);
    EXPECT_EQ(boxes.Count(), 1);

    // A named object longer than a path buffer holds.
    MemorySink s2;
    PortableWriter w2(s2, false);
    ASSERT_TRUE(w2.WriteCString(std::string(200, 'p').c_str()));
    MemorySource src2(s2.Bytes());
    PortableReader r2(src2, false);
    PathBuffer p("old");
    EXPECT_FALSE(r2.ReadNamedObject(p));
    EXPECT_STREQ(p.Text(), "old");

    // A time stamp reads six ints and cannot be written.
    MemorySink s3;
    PortableWriter w3(s3, true);
    for (int v : {1998, 7, 4, 13, 5, 59}) w3.WriteInt(v);
    Timestamp t;
    TimestampField tf(t);
    MemorySource src3(s3.Bytes());
    PortableReader r3(src3, true);
    ASSERT_TRUE(tf.Read(r3));
    EXPECT_EQ(t.year, 1998);
    EXPECT_EQ(t.second, 59);
    EXPECT_FALSE(tf.Write(w3));
    EXPECT_EQ(boxes.Last().text, "Check failed at line 1442 in file FPATH");
}

} // namespace
