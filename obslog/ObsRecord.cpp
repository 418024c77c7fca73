#include "obslog/ObsRecord.h"

#include "obslog/ObsField.h"
#include "obslog/TaggedText.h"

#include "framework/stream/DateStream.h"
#include "framework/stream/PStream.h"
#include "ui/TextConvert.h"

#include <cmath>

namespace {

constexpr double kContentsTolerance = 0.00001;

bool Near(double a, double b) { return std::fabs(a - b) <= kContentsTolerance; }

// A value that is not a number or infinite is stored as the field's "no value" marker, so
// that a damaged file cannot hand the filter and the form a value no object has.
double Finite(double v, double noValue) { return std::isfinite(v) ? v : noValue; }

// Field values compared, written and read by type: the doubles compare within the tolerance;
// words are written as 32-bit words.
template <class T>
bool SameValue(const T& a, const T& b) { return a == b; }
bool SameValue(double a, double b) { return Near(a, b); }

void WriteValue(fw::opstream& out, const std::string& v) { out.writeString(v); }
void WriteValue(fw::opstream& out, std::int32_t v) { out.writeWord32(static_cast<std::uint32_t>(v)); }
void WriteValue(fw::opstream& out, const fw::TTime& v) { fw::WriteTime(out, v); }
void WriteValue(fw::opstream& out, double v) { out.writeDouble(v); }

void ReadValue(fw::ipstream& in, const ObsField&, std::string& v) { v = in.readString(); }
void ReadValue(fw::ipstream& in, const ObsField&, std::int32_t& v) { v = in.readInt32(); }
void ReadValue(fw::ipstream& in, const ObsField&, fw::TTime& v) { v = fw::ReadTime(in); }
void ReadValue(fw::ipstream& in, const ObsField& field, double& v) { v = Finite(in.readDouble(), field.noValue); }

} // namespace

ObsRecord::ObsRecord() : date(fw::TDate::Today()), time(fw::TTime::Now()) {}

ObsRecord::ObsRecord(const ObsRecord& other) { CopyFrom(other); }

ObsRecord& ObsRecord::operator=(const ObsRecord& other)
{
    if (this != &other)
        CopyFrom(other);
    return *this;
}

void ObsRecord::CopyFrom(const ObsRecord& o)
{
    number = o.number;
    crossRef = o.crossRef;
    date = o.date;
    version = o.version;
    ForEachStoredField([&](const ObsField&, auto member) { this->*member = o.*member; });
}

bool ObsRecord::SameContents(const ObsRecord& o) const
{
    bool same = number == o.number && crossRef == o.crossRef && date == o.date && version == o.version;
    ForEachStoredField([&](const ObsField&, auto member) { same = same && SameValue(this->*member, o.*member); });
    return same;
}

void ObsRecord::SetDeletionMark(bool marked)
{
    if (marked)
        version |= kDeletionMark;
    else
        version &= ~kDeletionMark;
}

void ObsRecord::Write(fw::opstream& out) const
{
    out.writeWord32(kBinaryVersion);
    out.writeWord32(static_cast<std::uint32_t>(number));
    out.writeWord32(static_cast<std::uint32_t>(crossRef));
    ForEachStoredField([&](const ObsField&, auto member) { WriteValue(out, this->*member); });
    out.writeWord32(kBinaryVersion);
}

void ObsRecord::Read(fw::ipstream& in)
{
    version = in.readWord32();
    if (version != kBinaryVersion || in.fail()) {
        valid_ = false;
        return;
    }
    number = in.readInt32();
    crossRef = in.readInt32();
    ForEachStoredField([&](const ObsField& field, auto member) { ReadValue(in, field, this->*member); });
    const std::uint32_t trailing = in.readWord32();
    valid_ = trailing == version && !in.fail();
}

void ObsRecord::TaggedFailed(std::istream& in)
{
    valid_ = false;
    tagged::Rewind(in);
}

void ObsRecord::ReadTagged(std::istream& in)
{
    using tagged::ReadItem;
    std::string tag, value;
    valid_ = false;

    if (!ReadItem(in, tag, value, kMaxTaggedToken))
        return TaggedFailed(in);
    int v = 0;
    if (tag == "<BEGIN OBSLOG V1 RECORD")
        v = 1;
    else if (tag == "<BEGIN OBSLOG V2 RECORD")
        v = 2;
    else if (tag == "<BEGIN OBSLOG V3 RECORD")
        v = 3;
    else
        return TaggedFailed(in);
    version = static_cast<std::uint32_t>(v);
    number = tagged::ToInt(value);

    // Reads the next item's value; the tag is taken by position and not compared.
    const auto item = [&](std::size_t limit = kMaxTaggedToken) { return ReadItem(in, tag, value, limit); };
    const auto wholeLineItem = [&](std::size_t limit = kMaxTaggedToken) {
        if (!ReadItem(in, tag, value, limit, /*restOfLine=*/true))
            return false;
        return true;
    };

    if (v >= 2) {
        if (!wholeLineItem())
            return TaggedFailed(in);
        crossRef = tagged::ToInt(value);
    }
    if (!wholeLineItem())
        return TaggedFailed(in);
    name = value;
    if (!item())
        return TaggedFailed(in);
    objectType = tagged::ToInt(value);
    if (!item())
        return TaggedFailed(in);
    constellation = tagged::ToInt(value);

    if (!item())
        return TaggedFailed(in);
    TextConvert convert;
    if (v == 3) {
        time = fw::WordToTime(tagged::ToWord(value));
    } else {
        const fw::TTime read = convert.ParseTime(value);
        if (!item())
            return TaggedFailed(in);
        date = convert.ParseDate(value);
        time = fw::TTime(date, read.Hour(), read.Minute(), read.Second());
    }

    std::int32_t* const choices[] = {&location, &telescope, &eyepiece, &filter,
                                     &skyDarkness, &skyTurbulence, &skyTransparency};
    for (std::int32_t* field : choices) {
        if (!item())
            return TaggedFailed(in);
        *field = tagged::ToInt(value);
    }

    struct Position { double* field; std::int32_t kind; double noValue; };
    const Position positions[] = {
        {&rightAscension, vkRightAscension, kNoRightAscension},
        {&declination, vkDeclination, kNoDeclination},
        {&magnitude, vkMagnitude, kNoMagnitude},
        {&size, vkSize, kNoSize},
    };
    for (const auto& p : positions) {
        if (!item())
            return TaggedFailed(in);
        const double read = v == 3 ? tagged::ToDouble(value) : convert.ParseValue(value, p.kind);
        *p.field = Finite(read, p.noValue);
    }

    if (!wholeLineItem(kMaxTaggedNotes))
        return TaggedFailed(in);
    notes = value;

    if (!item())
        return TaggedFailed(in);
    if (tag != "<END OBSLOG V" + std::to_string(v) + " RECORD" || tagged::ToInt(value) != number)
        return TaggedFailed(in);
    valid_ = true;
}
