#include "obslog/LogFile.h"

#include "framework/stream/PStream.h"

#include <sstream>

const char* const LogFile::kSignature = "QUILLON SOFTWARE OBSERVING LOG";

std::string LogFile::Encode(const ObsRecordHeader& header, const RuravAvaviv& filter,
                            const std::vector<ObsRecord>& records, bool dropMarked)
{
    ObsRecordHeader written = header;
    std::int32_t count = 0;
    for (const auto& r : records)
        if (!dropMarked || !r.IsMarkedForDeletion())
            ++count;
    written.SetCount(count);

    std::size_t size = 1024;
    for (const auto& r : records)
        size += ObsRecord::kMinBinarySize + r.name.size() + r.notes.size();
    fw::obytestream out;
    out.reserve(size);
    out.writeString(kSignature);
    out.writeWord32(kFileVersion);
    written.Write(out);
    filter.Write(out);
    for (const auto& r : records)
        if (!dropMarked || !r.IsMarkedForDeletion())
            r.Write(out);
    out.writeString(kSignature);
    return out.take();
}

bool LogFile::IsBinary(const std::string& bytes)
{
    fw::iviewstream in(bytes);
    return in.readString(64) == kSignature && !in.fail();
}

namespace {

// The records that follow a read header: each valid one goes to the sink, and the first that
// is not valid ends the read. readRecord reads the next one and returns it.
template <class ReadRecord>
bool DecodeRecords(std::int32_t count, bool tagged, const LogFile::Sink& sink, LogFile::ReadResult& result,
                   ReadRecord readRecord)
{
    if (sink.count)
        sink.count(count, tagged);
    for (std::int32_t i = 0; i < count; ++i) {
        const ObsRecord& record = readRecord();
        if (!record.IsValid()) {
            result.error = LogFile::Error::Record;
            result.recordIndex = i;
            return false;
        }
        if (sink.record)
            sink.record(i, count, record);
    }
    return true;
}

}  // namespace

LogFile::ReadResult LogFile::Decode(const std::string& bytes, ObsRecordHeader& header, RuravAvaviv& filter,
                                    const Sink& sink)
{
    ReadResult result;
    if (IsBinary(bytes)) {
        fw::iviewstream in(bytes);
        in.readString(64);
        in.readWord32();  // file version, not checked
        header.Read(in);
        if (header.Version() != ObsRecordHeader::kVersion || header.Count() < 0) {
            result.error = Error::Header;
            return result;
        }
        filter.Read(in);
        if (filter.valid != 1) {
            result.error = Error::Filter;
            return result;
        }
        ObsRecord record;  // one for every record: each read sets every stored field
        if (DecodeRecords(header.Count(), false, sink, result, [&]() -> const ObsRecord& {
                record.Read(in);
                return record;
            }))
            in.readString(64);  // trailing signature, not checked
        return result;
    }

    result.tagged = true;
    std::istringstream in(bytes);
    header.ReadTagged(in);
    if (header.Valid() != 1) {
        result.error = Error::Header;
        return result;
    }
    filter.ReadText(in);
    if (filter.valid != 1) {
        result.error = Error::Filter;
        return result;
    }
    const ObsRecord blank;
    ObsRecord record;  // starts blank for every record: a tagged record may leave fields out
    DecodeRecords(header.Count(), true, sink, result, [&]() -> const ObsRecord& {
        record = blank;
        record.ReadTagged(in);
        return record;
    });
    return result;
}
