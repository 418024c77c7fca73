#include "chart/ConstelLines.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_set>

#include "framework/stream/AtomicFile.h"
#include "framework/stream/PStream.h"
#include "framework/stream/StringUtil.h"
#include "ui/UserFile.h"

namespace {

std::vector<ConstelLine>& Lines() { return ConstelLineArray::Instance().Lines(); }

const char* const kWhat = "constellation line";

// The four coordinates as one key for finding duplicates while loading, in the sense of ==
// (0 and -0 alike). Lines with a coordinate that is not a number equal nothing.
struct LineKey {
    std::uint64_t bits[4];
    bool operator==(const LineKey& o) const { return std::memcmp(bits, o.bits, sizeof bits) == 0; }
};
struct LineKeyHash {
    std::size_t operator()(const LineKey& k) const
    {
        std::uint64_t h = 1469598103934665603ull;
        for (std::uint64_t b : k.bits)
            h = (h ^ b) * 1099511628211ull;
        return static_cast<std::size_t>(h);
    }
};
bool MakeKey(const ConstelLine& l, LineKey& key)
{
    const double v[4] = {l.ra1, l.dec1, l.ra2, l.dec2};
    for (int i = 0; i < 4; ++i) {
        if (std::isnan(v[i]))
            return false;
        const double d = v[i] == 0 ? 0.0 : v[i];
        std::memcpy(&key.bits[i], &d, 8);
    }
    return true;
}

} // namespace

ConstelLines::ConstelLines(std::string fileName) : fileName_(std::move(fileName))
{
    modified_ = false;
    // What a save killed mid-write left beside the file goes before the file is read.
    fw::RemoveStaleTemporaries(fw::ResolvePathIgnoringCase(fileName_));
    Read();
}

ConstelLines::~ConstelLines()
{
    if (modified_)
        Write();
}

int ConstelLines::Read(const std::string& fileName)
{
    const std::string path = fileName.empty() ? fileName_ : fileName;
    fw::ifpstream is(path, fw::pstream::in | fw::pstream::binary);
    Lines().clear();
    Lines().reserve(1001);
    next_ = 0;
    damaged_ = false;
    if (!is.is_open()) {
        damaged_ = UserFile::ReportIfUnreadable(fw::ResolvePathIgnoringCase(path), kWhat);
        return 0;
    }
    const std::uint16_t stated = is.readWord16();
    if (!is.good()) {
        damaged_ = UserFile::ReportDamaged(path, kWhat);
        return 0;
    }
    // The count is only believed as far as the file holds that many lines.
    const std::streamoff room = std::max<std::streamoff>(is.remaining(), 0) / kRecordSize;
    const std::streamoff count = std::min<std::streamoff>(stated, room);
    // Duplicates are dropped through a hash of the lines read so far, so that a large file
    // loads in linear time.
    std::unordered_set<LineKey, LineKeyHash> seen;
    std::streamoff whole = 0;
    for (std::streamoff i = 0; i < count; ++i, ++whole) {
        ConstelLine line;
        line.ra1 = is.readDouble();
        line.dec1 = is.readDouble();
        line.ra2 = is.readDouble();
        line.dec2 = is.readDouble();
        if (is.fail())
            break;
        LineKey key;
        if (MakeKey(line, key) && !seen.insert(key).second)
            continue;
        Lines().push_back(line);
    }
    modified_ = false;
    // Fewer whole lines than the count, or bytes after them: what was read is kept, and the
    // user is told once.
    if (is.fail() || whole != stated || is.remaining() > 0)
        damaged_ = UserFile::ReportDamaged(path, kWhat);
    is.close();
    return 1;
}

int ConstelLines::Write(const std::string& fileName)
{
    fw::omstream os;
    const std::size_t n = std::min(Lines().size(), kMaxLines);
    os.writeWord16(static_cast<std::uint16_t>(n));
    for (std::size_t i = 0; i < n; ++i) {
        const ConstelLine& l = Lines()[i];
        os.writeDouble(l.ra1);
        os.writeDouble(l.dec1);
        os.writeDouble(l.ra2);
        os.writeDouble(l.dec2);
    }
    // Through a temporary file, so that a failed write never damages the lines on disk.
    const std::string path = fw::ResolvePathIgnoringCase(fileName.empty() ? fileName_ : fileName);
    const bool own = fileName.empty() || fileName == fileName_;
    if (!UserFile::Save(path, os.str(), damaged_ && own, kWhat))
        return 0;
    modified_ = false;
    if (own)
        damaged_ = false;  // the damaged file is kept aside and replaced
    return 1;
}

int ConstelLines::Remove(bool& modified, const ConstelLine& line)
{
    modified = true;
    const auto it = std::find(Lines().begin(), Lines().end(), line);
    if (it == Lines().end())
        return 0;
    Lines().erase(it);
    return 1;
}

int ConstelLines::AddIfAbsent(bool& modified, double ra1, double dec1, double ra2, double dec2)
{
    const ConstelLine line(ra1, dec1, ra2, dec2);
    if (std::find(Lines().begin(), Lines().end(), line) != Lines().end())
        return 0;
    if (Lines().size() >= kMaxLines)
        return 0;
    modified = true;
    Lines().push_back(line);
    return 1;
}

int ConstelLines::Next(ConstelLine& line, bool restart)
{
    if (restart)
        next_ = 0;
    if (next_ >= Lines().size())
        return 0;
    line = Lines()[next_++];
    return 1;
}

int ConstelLines::Replace(const ConstelLine& line)
{
    const auto it = std::find(Lines().begin(), Lines().end(), line);
    if (it == Lines().end())
        return 0;
    *it = line;
    return 1;
}

int ConstelLines::NearestOnScreen(const fw::Point& point, ConstelLine& line) const
{
    double best = -1;
    const ConstelLine* found = nullptr;
    for (const ConstelLine& l : Lines()) {
        double d;
        if (l.screen.DistanceTo(point, d) != 1)
            continue;
        if (!found || d < best) {
            best = d;
            found = &l;
        }
    }
    if (!found)
        return 0;
    line = *found;
    return 1;
}

bool ConstelLines::SpansRA(const ConstelLine& line, double ra)
{
    if (std::fabs(std::trunc(line.dec1)) > 85 || std::fabs(std::trunc(line.dec2)) > 85)
        return false;
    if (std::fabs(std::trunc(line.ra2 - line.ra1)) > 12) {
        // The line crosses 0 h.
        return ra < std::min(line.ra1, line.ra2) || ra > std::max(line.ra1, line.ra2);
    }
    if (line.ra1 < ra)
        return ra < line.ra2;
    return ra > line.ra2; // (RA2, RA1] for ra <= RA1
}
