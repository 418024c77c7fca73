// The decompressing reader: its input lets the windows handle their events before exactly every
// 2048th byte, counted over all readers; and the expanded size a compressed file announces.
#include "installer/engine/UnzipReader.h"

#include "framework/sys/DynamicLibrary.h"
#include "framework/testsupport/RootFixture.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <cstdlib>
#include <memory>
#include <vector>
#include <random>

using namespace kw;

namespace {

std::string Random(size_t n, unsigned seed)
{
    std::mt19937 gen(seed);
    std::string s(n, 0);
    for (char& c : s) c = static_cast<char>(gen());
    return s;
}

std::string Packed(const std::string& data)
{
    if (const char* dir = std::getenv("STELLUM_PROGRAM_DIR")) fw::DynamicLibrary::AddSearchDirectory(dir);
    LzpLibrary lib;
    std::string out;
    EXPECT_TRUE(lib.Load());
    EXPECT_TRUE(lib.Pack(data, out));
    return out;
}

// Hands over its bytes one at a time and counts how many it has handed over.
class ByteAtATime : public CopySource {
public:
    explicit ByteAtATime(std::string bytes) : bytes_(std::move(bytes)) {}
    bool Open() override
    {
        at = 0;
        return true;
    }
    bool Close() override { return true; }
    int Read(void* buffer, int n) override
    {
        if (n <= 0 || at >= bytes_.size()) return 0;
        static_cast<char*>(buffer)[0] = bytes_[at++];
        return 1;
    }
    size_t at = 0;

private:
    std::string bytes_;
};

// Expands everything the reader delivers.
std::string ReadAll(UnzipReader& reader)
{
    std::string out;
    char buffer[1000];
    for (int n; (n = reader.Read(buffer, sizeof buffer)) > 0;) out.append(buffer, size_t(n));
    return out;
}

// Records, each time the waiting events are handled, the input calls so far and the bytes the
// source has handed over; it posts itself again until it is disarmed.
struct PumpWatch {
    std::vector<std::pair<unsigned long, size_t>> pumps;
    const ByteAtATime* source = nullptr;
    bool armed = true;
};

void Arm(const std::shared_ptr<PumpWatch>& watch)
{
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [watch] {
            if (!watch->armed) return;
            const unsigned long calls = DecompressingSource::InputCalls();
            if (watch->pumps.empty() || watch->pumps.back().first != calls)
                watch->pumps.emplace_back(calls, watch->source ? watch->source->at : 0);
            Arm(watch);
        },
        Qt::QueuedConnection);
}

TEST(UnzipReader, Every2048thInputCallPumpsTheEventsBeforeItReads)
{
    const std::string first = Random(5000, 1), second = Random(1500, 2);
    const std::string packedFirst = Packed(first), packedSecond = Packed(second);
    ASSERT_GT(packedFirst.size(), 4096u + 100u);

    DecompressingSource::ResetInputCalls();
    auto watch = std::make_shared<PumpWatch>();
    auto* source = new ByteAtATime(packedFirst);
    watch->source = source;
    UnzipReader reader{std::unique_ptr<CopySource>(source)};
    Arm(watch);
    EXPECT_TRUE(reader.Open());
    EXPECT_EQ(ReadAll(reader), first);
    reader.Close();
    const std::vector<std::pair<unsigned long, size_t>> expected = {{2048, 2047}, {4096, 4095}};
    EXPECT_EQ(watch->pumps, expected) << "the events are handled before the 2048th byte is read";

    // The count goes on over the next reader: its pump comes at the next multiple of 2048.
    const unsigned long before = DecompressingSource::InputCalls();
    ASSERT_GE(before + packedSecond.size(), 6144u);
    auto* next = new ByteAtATime(packedSecond);
    watch->source = next;
    UnzipReader again{std::unique_ptr<CopySource>(next)};
    EXPECT_TRUE(again.Open());
    EXPECT_EQ(ReadAll(again), second);
    again.Close();
    ASSERT_EQ(watch->pumps.size(), 3u);
    EXPECT_EQ(watch->pumps[2].first, 6144u);
    EXPECT_EQ(watch->pumps[2].second, 6144u - before - 1);

    watch->armed = false;
    QCoreApplication::processEvents();
    DecompressingSource::ResetInputCalls();
    EXPECT_EQ(DecompressingSource::InputCalls(), 0u);
}

class ExpandedSizes : public RootFixture {};

TEST_F(ExpandedSizes, TheLastFourBytesOfACompressedFile)
{
    ASSERT_TRUE(Write("a.dl_", Packed(Random(70000, 3))));
    EXPECT_EQ(ExpandedSize("C:\\A.DL_"), 70000);
    ASSERT_TRUE(Write("empty.dl_", Packed("")));
    EXPECT_EQ(ExpandedSize("C:\\empty.dl_"), 0);
    std::string big = Packed("x");
    big.replace(big.size() - 4, 4, "\xFF\xFF\xFF\xFF");
    ASSERT_TRUE(Write("big.dl_", big));
    EXPECT_EQ(ExpandedSize("C:\\big.dl_"), 0xFFFFFFFFll);
    ASSERT_TRUE(Write("short.dl_", std::string(19, 'x')));
    EXPECT_EQ(ExpandedSize("C:\\short.dl_"), -1);
    ASSERT_TRUE(Write("tiny.dl_", "ab"));
    EXPECT_EQ(ExpandedSize("C:\\tiny.dl_"), -1);
    EXPECT_EQ(ExpandedSize("C:\\missing.dl_"), -1);
    FileSource source("C:\\A.DL_");
    EXPECT_EQ(ExpandedSize(source), 70000);
}

} // namespace
