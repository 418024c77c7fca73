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
        const std::int32_t count = header.Count();
        if (sink.count)
            sink.count(count, false);
        ObsRecord record;  // one for every record: each read sets every stored field
        for (std::int32_t i = 0; i < count; ++i) {
            record.Read(in);
            if (!record.IsValid()) {
                result.error = Error::Record;
                result.recordIndex = i;
                return result;
            }
            if (sink.record)
                sink.record(i, count, record);
        }
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
    const std::int32_t count = header.Count();
    if (sink.count)
        sink.count(count, true);
    const ObsRecord blank;
    for (std::int32_t i = 0; i < count; ++i) {
        ObsRecord record = blank;
        record.ReadTagged(in);
        if (!record.IsValid()) {
            result.error = Error::Record;
            result.recordIndex = i;
            return result;
        }
        if (sink.record)
            sink.record(i, count, record);
    }
    return result;
}
