#include "catalog/NGC2000Indexes.h"

#include "catalog/FirstNumber.h"
#include "catalog/NamedObjects.h"
#include "catalog/StatusReport.h"
#include "framework/stream/PStream.h"

#include <cmath>
#include <regex>

namespace {

// Longest signature accepted from the file; anything longer is not ours.
constexpr std::uint32_t kMaxSignature = 256;

// Shows the gauge at the given percent, then reads one column of count entries into at most
// CatalogueCapacity slots; entries past the capacity are skipped so that the following
// columns stay in place.
template <typename T, typename ReadFn>
void ReadColumn(fw::ipstream& is, std::uint32_t percent, T* column, std::uint32_t count, std::streamoff entrySize,
                ReadFn read)
{
    StatusGauge(percent);
    const std::uint32_t kept = count < std::uint32_t(CatalogueCapacity) ? count : std::uint32_t(CatalogueCapacity);
    for (std::uint32_t i = 0; i < kept && !is.fail(); ++i)
        column[i] = read();
    if (count > kept && !is.fail())
        is.seekg(std::streamoff(count - kept) * entrySize, std::ios_base::cur);
}

// Every later step turns positions, magnitudes and sizes into whole degrees and indexes with
// them, so a value no real object has (not a number, RA outside 0-24 h, Dec beyond the poles,
// an absurd magnitude or size) is never trusted: it becomes 0. True when none was found.
bool ClearValuesNoObjectHas(CatalogueTable& t)
{
    bool sane = true;
    auto within = [](float v, float lo, float hi) { return std::isfinite(v) && v >= lo && v <= hi; };
    for (int i = 0; i < CatalogueCapacity; ++i) {
        if (!within(t.ra[i], 0.f, 24.f)) { t.ra[i] = 0.f; sane = false; }
        if (!within(t.dec[i], -90.f, 90.f)) { t.dec[i] = 0.f; sane = false; }
        if (!within(t.magnitude[i], -1e6f, 1e6f)) { t.magnitude[i] = 0.f; sane = false; }
        if (!within(t.diameter[i], 0.f, 1e6f)) { t.diameter[i] = 0.f; sane = false; }
    }
    return sane;
}

} // namespace

NGC2000Indexes::NGC2000Indexes(const std::string& directory) : directory_(directory)
{
    catalogueRead_ = ReadDatabase(directory_ + "ngc2k.rsx");
    OpenDescriptions(directory_ + "dreyer.rsx");
    names_ = std::make_unique<NamedObjects>(directory_ + "User/comname.txt");
    RestoreState();
}

NGC2000Indexes::~NGC2000Indexes()
{
    SaveState();
}

int NGC2000Indexes::ReadDatabase(const std::string& path)
{
    CatalogueTable& t = NGCTable;
    t.Clear();
    StatusLine("Reading " + path);
    fw::ifpstream is(path);
    if (!is.is_open()) {
        StatusLine("Unable to open " + path);
        return ReadNotOpened;
    }
    if (is.readString(kMaxSignature) != CatalogueSignature) {
        StatusLine("Bad File Signature:  " + path);
        return ReadBadSignature;
    }
    is.readWord32();  // version, not checked
    const std::uint32_t n = is.readWord32();

    auto word16 = [&] { return std::int16_t(is.readWord16()); };
    auto byte = [&] { return is.readByte(); };
    auto single = [&] { return is.readFloat(); };
    ReadColumn(is, 0, t.catalogueNumber, n, 2, word16);
    ReadColumn(is, 5, t.rowOfNumber, n, 2, word16);
    ReadColumn(is, 10, t.shape, n, 1, byte);
    ReadColumn(is, 20, t.size, n, 1, byte);
    ReadColumn(is, 30, t.type, n, 1, byte);
    ReadColumn(is, 40, t.brightness, n, 1, byte);
    ReadColumn(is, 50, t.constellation, n, 1, byte);
    ReadColumn(is, 60, t.ra, n, 4, single);
    ReadColumn(is, 70, t.dec, n, 4, single);
    ReadColumn(is, 80, t.magnitude, n, 4, single);
    ReadColumn(is, 90, t.diameter, n, 4, single);
    const bool sane = ClearValuesNoObjectHas(t);

    if (is.fail() || is.readString(kMaxSignature) != CatalogueSignature || is.fail()) {
        StatusLine("Bad File Signature at EOF:  " + path);
        return ReadBadClosingSignature;
    }
    if (!sane) {
        StatusLine("Bad Values In File:  " + path);
        return ReadBadValues;
    }
    StatusLine("Read Complete:  " + path);
    StatusGauge(100);
    return ReadOk;
}

int NGC2000Indexes::RowIndex(ObjectId id)
{
    const std::uint32_t number = id.Number();
    if (id.Catalogue() != ObjectId::kNgcCatalogue || number < 1 || number > std::uint32_t(CatalogueCapacity))
        return -1;
    const int row = NGCTable.rowOfNumber[number - 1];
    // A row outside the table, or one holding another object (a damaged or short table),
    // names nothing.
    if (row < 0 || row >= CatalogueRowCount)
        return -1;
    if (ObjectNumberOfCatalogueNumber(NGCTable.catalogueNumber[row]) != number)
        return -1;
    return row;
}

ObjectId NGC2000Indexes::ParseObjectName(const std::string& text)
{
    static const std::regex messier("^M[ ]*[0-9]+");
    static const std::regex ic("^IC[ ]*[0-9]+");
    static const std::regex ngc("^NGC[ ]*[0-9]+");
    const long n = FirstNumber(text);
    if (std::regex_search(text, messier)) {
        if (n < 1 || n > 110)
            return ObjectId();
        const std::int32_t k = NamedObjects::CatalogueOfMessier(int(n));
        if (k == 0)
            return ObjectId();
        return ObjectId::FromCatalogue(ObjectId::kNgcCatalogue, ObjectNumberOfCatalogueNumber(k));
    }
    if (std::regex_search(text, ic)) {
        if (n < 1 || n > 5386)
            return ObjectId();
        return ObjectId::FromCatalogue(ObjectId::kNgcCatalogue, ObjectId::kIcOffset + std::uint32_t(n));
    }
    if (std::regex_search(text, ngc)) {
        if (n < 1 || n > 7840)
            return ObjectId();
        return ObjectId::FromCatalogue(ObjectId::kNgcCatalogue, std::uint32_t(n));
    }
    return ObjectId();
}

bool NGC2000Indexes::OpenDescriptions(const std::string& path)
{
    auto stream = std::make_unique<fw::ifpstream>(path);
    if (!stream->is_open()) {
        dreyer_.reset();
        return false;
    }
    dreyer_ = std::move(stream);
    return true;
}

std::string NGC2000Indexes::DreyerText(ObjectId id) const
{
    const int row = RowIndex(id);
    if (!dreyer_ || row < 0)
        return "";
    dreyer_->clear();
    if (!dreyer_->seekg(std::streamoff(row) * DreyerRecordLength))
        return "";
    char record[DreyerRecordLength];
    dreyer_->readBytes(record, sizeof record);
    std::string text(record, sizeof record);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\0'))
        text.pop_back();
    dreyer_->clear();
    return text;
}

ObjectData NGC2000Indexes::GetObjectData(ObjectId id)
{
    ObjectData data(id);
    data.dreyer = DreyerText(id);
    data.fullName = FullName(id);
    data.listPosition = ListPositionText();
    return data;
}
