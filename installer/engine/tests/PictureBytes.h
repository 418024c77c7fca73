// Bytes of small Windows pictures for the tests: ".bmp" files with every header field
// settable, and metafiles written record by record.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace picturebytes {

inline void Put16(std::string& s, unsigned v)
{
    s += char(v & 255);
    s += char((v >> 8) & 255);
}
inline void Put32(std::string& s, uint32_t v)
{
    Put16(s, v & 0xFFFF);
    Put16(s, v >> 16);
}

struct Bmp {
    int width = 4, height = 2, bits = 8;
    uint32_t used = 0;          // colours-used field
    int tableEntries = -1;      // entries written (-1: used, or 1 << bits below 24 bits)
    uint32_t compression = 0;
    uint32_t infoSize = 40;
    int64_t offBits = -1;       // -1: right after the table
    std::vector<uint32_t> table; // 0x00RRGGBB, padded with grey levels
    // Pixel value (index, or 0xRRGGBB at 24 bits) at x and y from the top.
    uint32_t (*pixel)(int x, int y) = [](int x, int y) -> uint32_t { return uint32_t(x + 3 * y); };

    static int Stride(int w, int b) { return ((w * b + 31) / 32) * 4; }

    std::string Bytes() const
    {
        const int entries = tableEntries >= 0 ? tableEntries : bits < 24 ? int(used ? used : 1u << bits) : int(used);
        const int rows = height < 0 ? -height : height;
        const int stride = Stride(width, bits);
        std::string px;
        for (int r = 0; r < rows; ++r) {
            const int y = height < 0 ? r : rows - 1 - r; // stored bottom-up unless height < 0
            std::string row(size_t(stride), '\0');
            for (int x = 0; x < width; ++x) {
                const uint32_t v = pixel(x, y);
                switch (bits) {
                case 1: row[size_t(x >> 3)] = char(row[size_t(x >> 3)] | ((v & 1) << (7 - (x & 7)))); break;
                case 4: row[size_t(x >> 1)] = char(row[size_t(x >> 1)] | ((v & 15) << ((x & 1) ? 0 : 4))); break;
                case 8: row[size_t(x)] = char(v); break;
                case 24:
                    row[size_t(3 * x)] = char(v & 255);
                    row[size_t(3 * x + 1)] = char((v >> 8) & 255);
                    row[size_t(3 * x + 2)] = char((v >> 16) & 255);
                    break;
                default: break;
                }
            }
            px += row;
        }
        std::string t;
        for (int i = 0; i < entries; ++i) {
            const uint32_t c = size_t(i) < table.size() ? table[size_t(i)] : uint32_t(i & 255) * 0x010101u;
            t += char(c & 255); // blue
            t += char((c >> 8) & 255);
            t += char((c >> 16) & 255);
            t += '\0';
        }
        std::string info;
        Put32(info, infoSize);
        Put32(info, uint32_t(width));
        Put32(info, uint32_t(height));
        Put16(info, 1);
        Put16(info, unsigned(bits));
        Put32(info, compression);
        Put32(info, uint32_t(px.size()));
        Put32(info, 2835);
        Put32(info, 2835);
        Put32(info, used);
        Put32(info, 0);
        if (infoSize > 40) info += std::string(infoSize - 40, '\0');
        const uint32_t off = offBits >= 0 ? uint32_t(offBits) : uint32_t(14 + info.size() + t.size());
        std::string file = "BM";
        Put32(file, uint32_t(14 + info.size() + t.size() + px.size()));
        Put32(file, 0);
        Put32(file, off);
        return file + info + t + px;
    }
};

// A metafile: records of 16-bit words after the 18-byte header, closed by the end record.
struct Wmf {
    std::string records;
    int objects = 0;
    void Record(unsigned function, const std::vector<int>& words, const std::string& bytes = {})
    {
        std::string params;
        for (int w : words) Put16(params, unsigned(w) & 0xFFFF);
        params += bytes;
        if (params.size() % 2) params += '\0';
        Put32(records, uint32_t(3 + params.size() / 2));
        Put16(records, function);
        records += params;
    }
    static std::vector<int> Colour(uint32_t c) { return {int(c & 0xFFFF), int(c >> 16)}; }
    std::string Plain(bool closed = true) const
    {
        std::string body = records;
        if (closed) {
            Put32(body, 3);
            Put16(body, 0);
        }
        std::string h;
        Put16(h, 1);  // in memory
        Put16(h, 9);  // header words
        Put16(h, 0x300);
        Put32(h, uint32_t((18 + body.size()) / 2));
        Put16(h, unsigned(objects));
        Put32(h, 64);
        Put16(h, 0);
        return h + body;
    }
    std::string Placeable(int left, int top, int right, int bottom) const
    {
        std::string p;
        Put32(p, 0x9AC6CDD7);
        Put16(p, 0);
        Put16(p, unsigned(left) & 0xFFFF);
        Put16(p, unsigned(top) & 0xFFFF);
        Put16(p, unsigned(right) & 0xFFFF);
        Put16(p, unsigned(bottom) & 0xFFFF);
        Put16(p, 1440);
        Put32(p, 0);
        Put16(p, 0);
        return p + Plain();
    }
};

} // namespace picturebytes
