#include "chart/ChartLabels.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <cstdint>
#include <unordered_set>

#include "framework/stream/AtomicFile.h"
#include "framework/stream/PStream.h"
#include "framework/stream/StringUtil.h"
#include "ui/UserFile.h"

namespace {

std::vector<ChartLabel>& Labels() { return ChartLabelArray::Instance().Labels(); }

const char* const kWhat = "chart label";

// Smallest label record in the file: four doubles, the text's length word, the size factor.
constexpr std::streamoff kMinLabelRecord = 4 * 8 + 4 + 8;

// The anchor point as one key for finding labels while loading, in the sense of == (0 and -0
// alike); an anchor that is not a number gives no key and equals nothing.
bool AnchorKey(const ChartLabel& l, std::pair<std::uint64_t, std::uint64_t>& key)
{
    if (std::isnan(l.ra1) || std::isnan(l.dec1))
        return false;
    const double ra = l.ra1 == 0 ? 0.0 : l.ra1;
    const double dec = l.dec1 == 0 ? 0.0 : l.dec1;
    std::memcpy(&key.first, &ra, 8);
    std::memcpy(&key.second, &dec, 8);
    return true;
}
struct AnchorHash {
    std::size_t operator()(const std::pair<std::uint64_t, std::uint64_t>& k) const
    {
        return static_cast<std::size_t>((k.first * 1099511628211ull) ^ (k.second + 0x9e3779b97f4a7c15ull));
    }
};

std::vector<ChartLabel>::iterator Find(const ChartLabel& label)
{
    return std::find(Labels().begin(), Labels().end(), label);
}

} // namespace

std::string ChartLabel::FitText(const std::string& text)
{
    if (text.size() <= kMaxText)
        return text;
    std::size_t n = kMaxText;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        --n;
    return text.substr(0, n);
}

double ChartLabel::DistanceTo(double ra, double dec) const
{
    constexpr double kDegToRad = 0.0174532925;
    constexpr double kHourToRad = 0.2617993878;
    const double decM = (dec1 + dec2) / 2;
    double raM = (ra1 + ra2) / 2;
    // A label that crosses 0 h has its centre on the other side of the sky.
    if (std::fabs(std::trunc(ra2 - ra1)) > 12)
        raM -= 12;
    const double c = std::sin(dec * kDegToRad) * std::sin(decM * kDegToRad) +
                     std::cos(dec * kDegToRad) * std::cos(decM * kDegToRad) * std::cos((ra - raM) * kHourToRad);
    if (c <= -1)
        return 180;
    if (c >= 1)
        return 0;
    return std::acos(c) * 57.295779578552306;
}

ChartLabels::ChartLabels(std::string fileName) : fileName_(std::move(fileName))
{
    modified_ = false;
    // What a save killed mid-write left beside the file goes before the file is read.
    fw::RemoveStaleTemporaries(fw::ResolvePathIgnoringCase(fileName_));
    Read();
}

ChartLabels::~ChartLabels()
{
    if (modified_)
        Write();
}

int ChartLabels::Read(const std::string& fileName)
{
    const std::string path = fileName.empty() ? fileName_ : fileName;
    fw::ifpstream is(path, fw::pstream::in | fw::pstream::binary);
    Labels().clear();
    Labels().reserve(1001);
    next_ = 0;
    damaged_ = false;
    if (!is.good()) {
        damaged_ = UserFile::ReportIfUnreadable(fw::ResolvePathIgnoringCase(path), kWhat);
        return 0;
    }
    const std::int32_t stated = is.readInt32();
    // The count is only believed as far as the file can hold that many labels.
    const std::streamoff room = std::max<std::streamoff>(is.remaining(), 0) / kMinLabelRecord;
    const std::streamoff count = std::min<std::streamoff>(std::max<std::int32_t>(stated, 0), room);
    std::unordered_set<std::pair<std::uint64_t, std::uint64_t>, AnchorHash> anchors;
    std::streamoff whole = 0;
    for (std::streamoff i = 0; i < count && is.good(); ++i, ++whole) {
        ChartLabel label;
        label.ra1 = is.readDouble();
        label.dec1 = is.readDouble();
        label.ra2 = is.readDouble();
        label.dec2 = is.readDouble();
        // A text longer than a label holds is read whole, so that the labels after it are
        // found, and cut as AddLabel cuts it.
        const std::streamoff left = std::max<std::streamoff>(is.remaining(), 0);
        label.text = ChartLabel::FitText(
            is.readString(static_cast<std::uint32_t>(std::min<std::streamoff>(left, INT32_MAX))));
        label.sizeFactor = is.readDouble();
        if (is.fail())
            break; // a damaged or partial label is not used, nor anything after it
        // As AddLabel, with the anchors read so far kept in a hash so that a large file loads
        // in linear time: an empty text removes, a repeated anchor is dropped.
        std::pair<std::uint64_t, std::uint64_t> key;
        const bool keyed = AnchorKey(label, key);
        if (label.text.empty()) {
            if (keyed && anchors.erase(key))
                Labels().erase(Find(label));
            continue;
        }
        if (keyed && !anchors.insert(key).second)
            continue;
        Labels().push_back(std::move(label));
    }
    modified_ = false;
    // Fewer whole labels than the count, or bytes after them: what was read is kept, and the
    // user is told once.
    if (is.fail() || whole != stated || is.remaining() > 0)
        damaged_ = UserFile::ReportDamaged(path, kWhat);
    is.close();
    return 1;
}

int ChartLabels::Write(const std::string& fileName)
{
    fw::omstream os;
    os.writeWord32(static_cast<std::uint32_t>(Labels().size()));
    for (const ChartLabel& l : Labels()) {
        os.writeDouble(l.ra1);
        os.writeDouble(l.dec1);
        os.writeDouble(l.ra2);
        os.writeDouble(l.dec2);
        os.writeString(ChartLabel::FitText(l.text));
        os.writeDouble(l.sizeFactor);
    }
    // Through a temporary file, so that a failed write never damages the labels on disk.
    const std::string path = fw::ResolvePathIgnoringCase(fileName.empty() ? fileName_ : fileName);
    const bool own = fileName.empty() || fileName == fileName_;
    if (!UserFile::Save(path, os.str(), damaged_ && own, kWhat))
        return 0;
    modified_ = false;
    if (own)
        damaged_ = false;  // the damaged file is kept aside and replaced
    return 1;
}

int ChartLabels::AddLabel(bool& modified, const ChartLabel& label)
{
    if (label.text.empty()) {
        const auto it = Find(label);
        if (it != Labels().end())
            Labels().erase(it);
        modified = true;
        return 0;
    }
    if (Find(label) != Labels().end())
        return 0;
    ChartLabel stored = label;
    stored.text = ChartLabel::FitText(stored.text);
    Labels().push_back(std::move(stored));
    modified = true;
    return 1;
}

int ChartLabels::RemoveLabel(bool& modified, const ChartLabel& label)
{
    modified = true;
    const auto it = Find(label);
    if (it == Labels().end())
        return 0;
    Labels().erase(it);
    return 1;
}

int ChartLabels::RemoveAt(bool& modified, double ra1, double dec1, double ra2, double dec2)
{
    return RemoveLabel(modified, ChartLabel(ra1, dec1, ra2, dec2, std::string(), 1.0));
}

int ChartLabels::Next(ChartLabel& label, bool restart)
{
    if (restart)
        next_ = 0;
    if (next_ >= Labels().size())
        return 0;
    label = Labels()[next_++];
    return 1;
}

int ChartLabels::Nearest(double ra, double dec, ChartLabel& label) const
{
    double best = 10000;
    const ChartLabel* found = nullptr;
    for (const ChartLabel& l : Labels()) {
        const double d = l.DistanceTo(ra, dec);
        if (d > -1 && d < best) {
            best = d;
            found = &l;
        }
    }
    if (!found)
        return 0;
    label = *found;
    return 1;
}
