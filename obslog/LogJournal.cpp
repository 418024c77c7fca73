#include "obslog/LogJournal.h"

#include "framework/stream/AtomicFile.h"
#include "framework/stream/PStream.h"

const char* const LogJournal::kJournalSignature = "QUILLON SOFTWARE OBSERVING LOG RECOVERY LOG";
const char* const LogJournal::kHeaderSignature = "QUILLON SOFTWARE OBSERVING LOG RECOVERY HEADER";

namespace {
std::string RecordBytes(const ObsRecord& record)
{
    fw::omstream out;
    record.Write(out);
    return out.str();
}
} // namespace

bool LogJournal::Create(const std::string& journalPath, const std::string& logPath, const ObsRecord& first)
{
    // The journal appears whole with its first record, never empty or cut.
    file_.Close();
    fw::omstream out;
    out.writeString(kJournalSignature);
    out.writeString(logPath);
    first.Write(out);
    return fw::WriteFileReplacing(journalPath, out.str()) && file_.Open(journalPath);
}

bool LogJournal::Append(const ObsRecord& record) { return file_.Append(RecordBytes(record)); }

LogJournal::Contents LogJournal::Decode(const std::string& bytes, const std::function<void(const ObsRecord&)>& apply)
{
    Contents c;
    fw::iviewstream in(bytes);
    c.signatureOk = in.readString(64) == kJournalSignature && !in.fail();
    if (!c.signatureOk)
        return c;
    c.logPath = in.readString(kMaxPathLength);
    if (in.fail())
        return c;
    // Each record consumes at least its fixed part, so the loop ends within the file's size.
    ObsRecord record;  // one for every record: each read sets every stored field
    while (in.remaining() > 0) {
        record.Read(in);
        if (!record.IsValid())
            return c;
        ++c.recordsRead;
        if (apply)
            apply(record);
    }
    c.endedCleanly = true;
    return c;
}

std::string LogJournal::EncodeRecoveryHeader(const ObsRecordHeader& header)
{
    fw::omstream out;
    out.writeString(kHeaderSignature);
    header.Write(out);
    out.writeString(kHeaderSignature);
    return out.str();
}

bool LogJournal::DecodeRecoveryHeader(const std::string& bytes, ObsRecordHeader& header)
{
    fw::imstream in(bytes);
    const bool lead = in.readString(64) == kHeaderSignature;
    header.Read(in);
    const bool trail = in.readString(64) == kHeaderSignature;
    return lead && trail && !in.fail() && header.Version() == ObsRecordHeader::kVersion;
}
