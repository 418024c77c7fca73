#include "chart/ChartFormat.h"

#include "catalog/CatalogueTable.h"

ChartFormat::ChartFormat(std::string fileName) : fileName_(std::move(fileName)) {}

ChartFormat::~ChartFormat()
{
    Close();
}

void ChartFormat::Close()
{
    in_.close();
    out_.close();
    mode_ = Closed;
}

bool ChartFormat::MarkerIsGood()
{
    in_.close();
    out_.close();
    mode_ = Closed;
    completeRecords_ = 0;
    if (!in_.open(fileName_, fw::pstream::in | fw::pstream::binary))
        return false;
    const std::uint8_t marker = in_.readByte();
    if (!in_.good() || marker != kMarker)
        return false;
    // A file cut short holds only its first records; the rest must be made before it is trusted.
    std::streamoff size = -1;
    if (in_.seekg(0, std::ios_base::end))
        size = in_.tellg();
    in_.clear();
    in_.seekg(1);
    if (size < 1)
        return false;
    const std::streamoff records = (size - 1) / kRecordSize;
    completeRecords_ = records < kRecordCount ? int(records) : kRecordCount;
    return completeRecords_ == kRecordCount;
}

int ChartFormat::OpenRead()
{
    if (mode_ == Reading)
        return 1;
    if (!MarkerIsGood()) {
        Rebuild();
        if (!MarkerIsGood()) {
            Close();
            return 0;
        }
    }
    mode_ = Reading;
    return 1;
}

// Every object starts with a frame centred on its catalogue position, both field sizes 20.
// A file with a good marker that was cut short keeps the whole records it holds.
void ChartFormat::Rebuild()
{
    const int first = completeRecords_;
    Close();
    rebuilding_ = true;
    for (int i = first; i < kRecordCount; ++i) {
        if (!WriteFrame(i, NGCTable.ra[i], NGCTable.dec[i], kDefaultFieldSize, kDefaultFieldSize))
            break;
    }
    rebuilding_ = false;
    Close();
}

int ChartFormat::OpenWrite()
{
    if (mode_ == Writing)
        return 1;
    if (!rebuilding_ && !MarkerIsGood())
        Rebuild();
    in_.close();
    out_.close();
    mode_ = Closed;
    if (out_.open(fileName_) && out_.seekp(0))
        out_.writeByte(kMarker);
    if (!out_.is_open() || out_.fail()) {
        Close();
        return 0;
    }
    mode_ = Writing;
    return 1;
}

int ChartFormat::WriteFrame(int index, double ra, double dec, double size1, double size2)
{
    if (index < 0 || index >= kRecordCount)
        return 0;
    if (mode_ != Writing && !OpenWrite())
        return 0;
    record_[0] = static_cast<float>(ra);
    record_[1] = static_cast<float>(dec);
    record_[2] = static_cast<float>(size1);
    record_[3] = static_cast<float>(size2);
    out_.seekp(1 + std::streamoff(kRecordSize) * index);
    for (float v : record_)
        out_.writeFloat(v);
    return out_.fail() ? 0 : 1;
}

int ChartFormat::ReadFrame(int index, double& ra, double& dec, double& size1, double& size2)
{
    if (index < 0 || index >= kRecordCount)
        return 0;
    if (auto& fault = ChartFrameReadSeam::Current()) fault(index);
    if (mode_ != Reading && !OpenRead())
        return 0;
    // A read past the end of a short file fails that read only, not the ones after it.
    in_.clear();
    if (!in_.seekg(1 + std::streamoff(kRecordSize) * index))
        return 0;
    float r[4];
    for (float& v : r)
        v = in_.readFloat();
    if (!in_.good())
        return 0;
    for (int i = 0; i < 4; ++i)
        record_[i] = r[i];
    ra = r[0];
    dec = r[1];
    size1 = r[2];
    size2 = r[3];
    return 1;
}
