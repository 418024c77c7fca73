#include "chart/SAOdata.h"

#include "framework/stream/PStream.h"

SAOdata::SAOdata(std::string fileName) : fileName_(std::move(fileName)) {}

// The stream is released here too, so that a consumer that forgets Close leaks no file.
SAOdata::~SAOdata() = default;

int SAOdata::Open(const std::string& fileName)
{
    stream_ = std::make_unique<fw::ifpstream>(fileName, fw::pstream::in | fw::pstream::binary);
    open_ = 1;
    return 1;
}

int SAOdata::ReadNext(SAOdata& record)
{
    if (!stream_)
        Open(fileName_);
    fw::ipstream& is = *stream_;
    // Into locals first: a partial last record never reaches the caller's fields.
    const double ra = is.readDouble();
    const double dec = is.readDouble();
    const float m1 = is.readFloat();
    const float m2 = is.readFloat();
    if (is.fail()) {
        Close();
        return 0;
    }
    record.ra_ = ra;
    record.dec_ = dec;
    record.mag1_ = m1;
    record.mag2_ = m2;
    return 1;
}

int SAOdata::Close()
{
    if (open_ && stream_)
        stream_->close();
    stream_.reset();
    open_ = 0;
    return 1;
}
