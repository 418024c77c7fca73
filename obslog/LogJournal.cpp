#include "obslog/LogJournal.h"

#include "framework/stream/AtomicFile.h"
#include "framework/stream/PStream.h"

#include <array>

const char* const LogJournal::kJournalSignature = "QUILLON SOFTWARE OBSERVING LOG RECOVERY LOG";
const char* const LogJournal::kHeaderSignature = "QUILLON SOFTWARE OBSERVING LOG RECOVERY HEADER";

namespace {

std::array<std::uint32_t, 256> MakeCrcTable()
{
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

void PutWord(std::string& out, std::uint32_t w)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((w >> (8 * i)) & 0xFF));
}

std::uint32_t GetWord(const std::string& bytes, std::size_t at)
{
    std::uint32_t w = 0;
    for (int i = 0; i < 4; ++i)
        w |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)])) << (8 * i);
    return w;
}

// One journal entry: the record's length, the record, and the CRC-32 of both.
std::string Entry(const ObsRecord& record)
{
    fw::omstream body;
    record.Write(body);
    const std::string bytes = body.str();
    std::string entry;
    entry.reserve(bytes.size() + 8);
    PutWord(entry, static_cast<std::uint32_t>(bytes.size()));
    entry += bytes;
    PutWord(entry, LogJournal::Crc32(entry.data(), entry.size()));
    return entry;
}

} // namespace

std::uint32_t LogJournal::Crc32(const char* data, std::size_t size, std::uint32_t crc)
{
    static const std::array<std::uint32_t, 256> table = MakeCrcTable();
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i)
        crc = table[(crc ^ static_cast<unsigned char>(data[i])) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

LogJournal::Fingerprint LogJournal::FingerprintOf(const std::string& bytes)
{
    return {Crc32(bytes.data(), bytes.size()), static_cast<std::uint32_t>(bytes.size())};
}

bool LogJournal::Create(const std::string& journalPath, const std::string& logPath, const Fingerprint& base,
                        const std::vector<ObsRecord>& records)
{
    // The journal appears whole with its first records, never empty or cut.
    file_.Close();
    fw::omstream head;
    head.writeString(kJournalSignature);
    head.writeString(logPath);
    head.writeWord32(kCheckedFormat);
    head.writeWord32(base.crc);
    head.writeWord32(base.size);
    std::string bytes = head.str();
    PutWord(bytes, Crc32(bytes.data(), bytes.size()));
    for (const ObsRecord& r : records)
        bytes += Entry(r);
    if (!fw::WriteFileReplacing(journalPath, bytes) || !file_.Open(journalPath))
        return false;
    wholeSize_ = bytes.size();
    return true;
}

bool LogJournal::Continue(const std::string& journalPath, std::size_t wholeSize)
{
    file_.Close();
    if (!file_.Open(journalPath))
        return false;
    if (file_.Size() != static_cast<long long>(wholeSize) && !file_.Truncate(wholeSize)) {
        file_.Close();
        return false;
    }
    wholeSize_ = wholeSize;
    return true;
}

bool LogJournal::Append(const ObsRecord& record)
{
    if (!file_.IsOpen())
        return false;
    const std::string entry = Entry(record);
    if (file_.Append(entry)) {
        wholeSize_ += entry.size();
        return true;
    }
    // Whatever part of the entry reached the file would hide every later entry from recovery.
    if (!file_.Truncate(wholeSize_))
        file_.Close();
    return false;
}

LogJournal::Contents LogJournal::Decode(const std::string& bytes, const std::function<void(const ObsRecord&)>& apply)
{
    Contents c;
    fw::iviewstream in(bytes);
    const auto position = [&]() { return bytes.size() - static_cast<std::size_t>(in.remaining()); };
    c.signatureOk = in.readString(64) == kJournalSignature && !in.fail();
    if (!c.signatureOk)
        return c;
    c.logPath = in.readString(kMaxPathLength);
    if (in.fail())
        return c;
    std::size_t at = position();
    c.wholeSize = at;
    if (at == bytes.size()) {
        c.endedCleanly = true;
        return c;
    }
    ObsRecord record;  // one for every record: each read sets every stored field
    if (bytes.size() - at >= 4 && GetWord(bytes, at) == kCheckedFormat) {
        c.checked = true;
        // Format word, the base's CRC and size, then the check of everything before it.
        if (bytes.size() - at < 16 || GetWord(bytes, at + 12) != Crc32(bytes.data(), at + 12))
            return c;
        c.baseKnown = true;
        c.base.crc = GetWord(bytes, at + 4);
        c.base.size = GetWord(bytes, at + 8);
        at += 16;
        c.wholeSize = at;
        while (at < bytes.size()) {
            if (bytes.size() - at < 8)
                return c;
            const std::uint32_t length = GetWord(bytes, at);
            if (length > kMaxEntryLength || bytes.size() - at - 8 < length)
                return c;
            if (GetWord(bytes, at + 4 + length) != Crc32(bytes.data() + at, 4 + std::size_t(length)))
                return c;
            fw::iviewstream body(bytes.data() + at + 4, length);
            record.Read(body);
            if (!record.IsValid() || body.remaining() != 0)
                return c;
            at += 8 + std::size_t(length);
            c.wholeSize = at;
            ++c.recordsRead;
            if (apply)
                apply(record);
        }
        c.endedCleanly = true;
        return c;
    }
    // The older form: records one after the other, each recognised by its version words only.
    while (in.remaining() > 0) {
        record.Read(in);
        if (!record.IsValid())
            return c;
        c.wholeSize = position();
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
