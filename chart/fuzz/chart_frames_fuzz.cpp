// The chart frame file "chrtfrmt.rsx" read from any bytes. Whatever the file holds, opening it
// leaves a whole file with its marker (one with a wrong marker rebuilt from the catalogue, a
// short one completed from it); every row then has a frame: the one the file held while its
// marker was good, the catalogue's otherwise. Frames read and written back read back the same,
// and every other record stays as it was.
#include "catalog/CatalogueTable.h"
#include "chart/ChartFormat.h"
#include "framework/fuzz/FuzzFiles.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string dir;

constexpr int kRows = ChartFormat::kRecordCount;
constexpr std::size_t kRecord = ChartFormat::kRecordSize;
constexpr std::size_t kWholeFile = 1 + kRecord * kRows;

struct Frame {
    double ra = 0, dec = 0, size1 = 0, size2 = 0;
};

// Equal values, or both not a number (a float read into a double loses a signalling NaN's
// payload bit, so NaNs are only alike, never compared bit for bit).
bool Same(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }
bool Same(const Frame& a, const Frame& b)
{
    return Same(a.ra, b.ra) && Same(a.dec, b.dec) && Same(a.size1, b.size1) && Same(a.size2, b.size2);
}
bool HasNaN(const Frame& f)
{
    return std::isnan(f.ra) || std::isnan(f.dec) || std::isnan(f.size1) || std::isnan(f.size2);
}

// The little-endian float at a byte offset.
double FloatAt(const std::string& bytes, std::size_t at)
{
    std::uint32_t u = 0;
    for (int i = 3; i >= 0; --i) u = (u << 8) | static_cast<std::uint8_t>(bytes[at + std::size_t(i)]);
    float f;
    std::memcpy(&f, &u, sizeof f);
    return f;
}

// The frame of a row as the file's bytes hold it.
Frame FrameIn(const std::string& bytes, int row)
{
    const std::size_t at = 1 + kRecord * std::size_t(row);
    return {FloatAt(bytes, at), FloatAt(bytes, at + 4), FloatAt(bytes, at + 8), FloatAt(bytes, at + 12)};
}

// The frame a rebuild makes for a row from the catalogue.
Frame CatalogueFrame(int row)
{
    return {NGCTable.ra[row], NGCTable.dec[row], ChartFormat::kDefaultFieldSize, ChartFormat::kDefaultFieldSize};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (dir.empty()) {
        dir = fuzzsupport::ScratchDirectory("chart-frames-fuzz");
        // A catalogue whose rows all differ, so that a frame taken from the wrong row shows.
        for (int i = 0; i < kRows; ++i) {
            NGCTable.ra[i] = float(i % 240) / 10.0f;
            NGCTable.dec[i] = float(i % 181) - 90.0f;
        }
    }
    if (size == 0) return 0;
    const std::string path = dir + "/chrtfrmt.rsx";
    std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    // Bit 0 of the first byte: the input repeated up to a whole file, so that whole files are
    // read as well as short ones.
    if ((data[0] & 1) && !bytes.empty()) {
        std::string whole;
        while (whole.size() < kWholeFile) whole += bytes;
        whole.resize(kWholeFile);
        bytes = std::move(whole);
    }
    // Bit 1: no file at all.
    const bool exists = !(data[0] & 2);
    if (exists) fuzzsupport::WriteAll(path, bytes);
    const bool markerGood = exists && !bytes.empty() && static_cast<std::uint8_t>(bytes[0]) == ChartFormat::kMarker;
    const int held = markerGood ? int(std::min<std::size_t>((bytes.size() - 1) / kRecord, kRows)) : 0;

    // The rows looked at: the first, the last and those the input names.
    std::vector<int> rows = {0, kRows - 1};
    for (std::size_t i = 1; i + 1 < size && rows.size() < 12; i += 2) rows.push_back((data[i] | data[i + 1] << 8) % kRows);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());

    std::vector<Frame> read;
    {
        ChartFormat frames(path);
        if (!frames.OpenRead()) std::abort();
        const std::string opened = fuzzsupport::ReadAll(path);
        if (opened.size() < kWholeFile || static_cast<std::uint8_t>(opened[0]) != ChartFormat::kMarker) std::abort();
        // The whole records of a file with a good marker are kept byte for byte.
        const std::size_t kept = 1 + kRecord * std::size_t(held);
        if (held > 0 && opened.compare(0, kept, bytes, 0, kept) != 0) std::abort();
        for (int row : rows) {
            Frame f;
            if (!frames.ReadFrame(row, f.ra, f.dec, f.size1, f.size2)) std::abort();
            if (!Same(f, row < held ? FrameIn(bytes, row) : CatalogueFrame(row))) std::abort();
            read.push_back(f);
        }
    }

    // The frames read, written back.
    const std::string before = fuzzsupport::ReadAll(path);
    {
        ChartFormat frames(path);
        if (!frames.OpenWrite()) std::abort();
        for (std::size_t k = 0; k < rows.size(); ++k)
            if (!frames.WriteFrame(rows[k], read[k].ra, read[k].dec, read[k].size1, read[k].size2)) std::abort();
    }
    const std::string after = fuzzsupport::ReadAll(path);
    if (after.size() != before.size()) std::abort();
    if (std::none_of(read.begin(), read.end(), HasNaN)) {
        if (after != before) std::abort();
    } else {
        // A NaN may come back with another payload; every record not written is unchanged.
        for (int row = 0; row < kRows; ++row) {
            if (std::binary_search(rows.begin(), rows.end(), row)) continue;
            const std::size_t at = 1 + kRecord * std::size_t(row);
            if (after.compare(at, kRecord, before, at, kRecord) != 0) std::abort();
        }
        if (after[0] != before[0]) std::abort();
    }
    {
        ChartFormat frames(path);
        for (std::size_t k = 0; k < rows.size(); ++k) {
            Frame f;
            if (!frames.ReadFrame(rows[k], f.ra, f.dec, f.size1, f.size2) || !Same(f, read[k])) std::abort();
        }
    }

    std::error_code ec;
    for (auto& e : fs::directory_iterator(dir, ec)) fs::remove_all(e.path(), ec);
    return 0;
}
