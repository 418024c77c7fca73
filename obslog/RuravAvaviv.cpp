#include "obslog/RuravAvaviv.h"

#include "obslog/ObsField.h"
#include "obslog/ObsRecord.h"
#include "obslog/TaggedText.h"

#include "framework/stream/PStream.h"
#include "framework/stream/StringUtil.h"
#include "ui/TextConvert.h"

const char* const RuravAvaviv::kSignature = "Quillon Software - Stellum - Log Filter";

namespace {

constexpr std::size_t kMaxToken = 99;

// The order of the sets in the files: object types before constellations, then the rest.
const RuravAvaviv::SetIndex kFileSetOrder[] = {
    RuravAvaviv::ObjectTypes, RuravAvaviv::Constellations, RuravAvaviv::Locations,
    RuravAvaviv::Telescopes, RuravAvaviv::Filters, RuravAvaviv::Eyepieces,
    RuravAvaviv::SkyDarkness, RuravAvaviv::SkyTurbulence, RuravAvaviv::SkyTransparency,
};

// The choice criteria are the record fields with a filter criterion: the field whose entries a
// set holds.
const ObsField& FieldOfSet(RuravAvaviv::SetIndex set)
{
    for (const ObsField& f : ObsFields())
        if (f.filterBit != 0 && f.filterSet == set)
            return f;
    return ObsFields().front();  // not reached: every set has its field
}

RuravAvaviv::Criterion CriterionOf(const ObsField& f) { return static_cast<RuravAvaviv::Criterion>(f.filterBit); }

bool InRange(double v, double from, double to) { return v >= from && v <= to; }

std::int64_t SecondOfDay(const fw::TTime& t) { return t.Hour() * 3600 + t.Minute() * 60 + t.Second(); }

bool ContainsIgnoringCase(const std::string& text, const std::string& part)
{
    return fw::ToUpperAscii(text).find(fw::ToUpperAscii(part)) != std::string::npos;
}

} // namespace

RuravAvaviv::RuravAvaviv()
    : timeFrom(fw::TDate::Today(), 0, 0, 0), timeTo(fw::TDate::Today(), 23, 59, 59),
      dateFrom(1u, 1u, 1901), dateTo(fw::TDate::Today())
{
}

void RuravAvaviv::Enable(Criterion c, bool on)
{
    if (on)
        criteria |= c;
    else
        criteria &= ~static_cast<std::uint32_t>(c);
}

bool RuravAvaviv::Match(ObsRecord& r) const
{
    r.date = r.time.Date();
    if (!active)
        return true;
    for (const ObsField& f : ObsFields())
        if (f.filterBit != 0 && Has(CriterionOf(f)) &&
            !sets[f.filterSet][static_cast<std::uint32_t>(r.*f.number) & 0xFFu])
            return false;
    if (Has(ByRightAscension) && r.rightAscension != ObsRecord::kNoRightAscension &&
        !InRange(r.rightAscension, raFrom, raTo))
        return false;
    if (Has(ByDeclination) && r.declination != ObsRecord::kNoDeclination &&
        !InRange(r.declination, decFrom, decTo))
        return false;
    if (Has(ByMagnitude) && r.magnitude != ObsRecord::kNoMagnitude &&
        !InRange(r.magnitude, magBright, magFaint))
        return false;
    if (Has(BySize) && r.size != ObsRecord::kNoSize && !InRange(r.size, sizeFrom, sizeTo))
        return false;
    if (Has(ByTimeOfDay) && r.time != TextConvert::NoEntryTime()) {
        // Seconds since midnight; a range whose end is before its start runs across midnight.
        const std::int64_t s = SecondOfDay(r.time), from = SecondOfDay(timeFrom), to = SecondOfDay(timeTo);
        const bool inside = from <= to ? (s >= from && s <= to) : (s >= from || s <= to);
        if (!inside)
            return false;
    }
    if (Has(ByDate) && r.date != TextConvert::NoEntryDate() && (r.date < dateFrom || r.date > dateTo))
        return false;
    if (Has(ByName) && !ContainsIgnoringCase(r.name, nameText))
        return false;
    if (Has(ByNotes) && !ContainsIgnoringCase(r.notes, notesText))
        return false;
    return true;
}

void RuravAvaviv::Write(fw::opstream& out) const
{
    out.writeWord32(static_cast<std::uint32_t>(kVersion));
    out.writeString(kSignature);
    out.writeWord32(criteria);
    out.writeString(nameText);
    for (auto set : kFileSetOrder)
        fw::WriteBitSet(out, sets[set]);
    for (double v : {raFrom, raTo, decFrom, decTo, sizeFrom, sizeTo, magFaint, magBright})
        out.writeDouble(v);
    fw::WriteTime(out, timeFrom);
    fw::WriteTime(out, timeTo);
    fw::WriteDate(out, dateFrom);
    fw::WriteDate(out, dateTo);
    out.writeString(notesText);
    out.writeString(kSignature);
}

void RuravAvaviv::Read(fw::ipstream& in)
{
    criteria = 0;
    active = 0;
    valid = 0;
    const std::uint32_t word = in.readWord32();
    if (in.fail() || (word != 4 && word != 5)) {
        version = -1;
        return;
    }
    version = static_cast<std::int32_t>(word);
    if (word == 5)
        ReadVersion5(in);
    else
        ReadVersion4(in);
}

void RuravAvaviv::ReadVersion5(fw::ipstream& in)
{
    in.readString(kMaxText);  // leading signature, not compared
    criteria = in.readWord32();
    nameText = in.readString(kMaxText);
    for (auto set : kFileSetOrder)
        sets[set] = fw::ReadBitSet(in);
    for (double* v : {&raFrom, &raTo, &decFrom, &decTo, &sizeFrom, &sizeTo, &magFaint, &magBright})
        *v = in.readDouble();
    timeFrom = fw::ReadTime(in);
    timeTo = fw::ReadTime(in);
    dateFrom = fw::ReadDate(in);
    dateTo = fw::ReadDate(in);
    notesText = in.readString(kMaxText);
    const std::string trailing = in.readString(kMaxText);
    valid = !in.fail() && trailing == kSignature ? 1 : 0;
}

void RuravAvaviv::ReadVersion4(fw::ipstream& in)
{
    const auto activeWord = [&](Criterion c) { Enable(c, in.readWord32() != 0); };
    activeWord(ByName);
    nameText = in.readString(kMaxText);
    for (auto set : kFileSetOrder) {
        activeWord(CriterionOf(FieldOfSet(set)));
        sets[set] = fw::ReadBitSet(in);
    }
    activeWord(ByRightAscension);
    raFrom = in.readDouble();
    raTo = in.readDouble();
    activeWord(ByDeclination);
    decFrom = in.readDouble();
    decTo = in.readDouble();
    activeWord(BySize);
    sizeFrom = in.readDouble();
    sizeTo = in.readDouble();
    activeWord(ByMagnitude);
    magFaint = in.readDouble();
    magBright = in.readDouble();
    activeWord(ByTimeOfDay);
    timeFrom = fw::ReadTime(in);
    timeTo = fw::ReadTime(in);
    activeWord(ByDate);
    dateFrom = fw::ReadDate(in);
    dateTo = fw::ReadDate(in);
    activeWord(ByNotes);
    notesText = in.readString(kMaxText);
    const std::uint32_t trailing = in.readWord32();
    if (trailing != 4 || in.fail()) {
        if (trailing != 4)
            version = -1;
        return;
    }
    valid = 1;
}

// ---- text form --------------------------------------------------------------------------

namespace {

const char* const kTextBegin = "<RURAVAVAVIV FILE VER 1.0 BEGIN>";
const char* const kTextEnd = "<END RURAVAVAVIV FILE VER 1.0>";

// Reads "<WORD IS ACTIVE" or "<WORD IS INACTIVE" up to ":"; false for anything else.
bool ReadActiveTag(std::istream& in, const std::string& word, bool& on)
{
    std::string tag;
    if (!fw::ReadUpTo(in, ':', kMaxToken, tag))
        return false;
    if (tag == "<" + word + " IS ACTIVE")
        on = true;
    else if (tag == "<" + word + " IS INACTIVE")
        on = false;
    else
        return false;
    return true;
}

void SkipLineEnd(std::istream& in)
{
    int c = in.get();
    if (c == '\r' && in.peek() == '\n')
        in.get();
}

// "SUB=value" up to `end`.
bool ReadSubItem(std::istream& in, char end, std::size_t max, std::string& value)
{
    std::string sub;
    return fw::ReadUpTo(in, '=', kMaxToken, sub) && fw::ReadUpTo(in, end, max, value);
}

} // namespace

void RuravAvaviv::ReadText(std::istream& in)
{
    criteria = 0;
    valid = 0;
    const auto failed = [&] { tagged::Rewind(in); };
    std::string line, value, low, high;
    bool on = false;

    if (!tagged::ReadLine(in, kMaxToken, line) || line != kTextBegin)
        return failed();

    if (!ReadActiveTag(in, "NAME", on) || !ReadSubItem(in, '>', kMaxText, value))
        return failed();
    SkipLineEnd(in);
    Enable(ByName, on);
    nameText = value;

    for (auto set : kFileSetOrder) {
        const ObsField& f = FieldOfSet(set);
        if (!ReadActiveTag(in, f.filterTag, on) || !fw::ReadUpTo(in, '=', kMaxToken, value))
            return failed();
        Enable(CriterionOf(f), on);
        sets[set].reset();
        // Ids each followed by ",", up to ">"; at most one pass per possible id and a few more.
        for (int pass = 0;; ++pass) {
            if (pass > 1024)
                return failed();
            if (in.peek() == '>') {
                in.get();
                break;
            }
            if (!fw::ReadUpTo(in, ',', kMaxToken, value))
                return failed();
            const std::int32_t id = tagged::ToInt(value);
            if (id >= 0 && id < 256)
                sets[set].set(static_cast<std::size_t>(id));
        }
        SkipLineEnd(in);
    }

    TextConvert convert;
    struct Range { const char* word; Criterion bit; std::int32_t kind; double* low; double* high; };
    const Range ranges[] = {
        {"RA", ByRightAscension, vkRightAscension, &raFrom, &raTo},
        {"DEC", ByDeclination, vkDeclination, &decFrom, &decTo},
        {"SIZE", BySize, vkSize, &sizeFrom, &sizeTo},
        {"MAG", ByMagnitude, vkMagnitude, &magFaint, &magBright},
    };
    for (const auto& r : ranges) {
        if (!ReadActiveTag(in, r.word, on) || !ReadSubItem(in, '|', kMaxToken, low) ||
            !ReadSubItem(in, '>', kMaxToken, high))
            return failed();
        SkipLineEnd(in);
        Enable(r.bit, on);
        *r.low = convert.ParseValue(low, r.kind);
        *r.high = convert.ParseValue(high, r.kind);
    }

    if (!ReadActiveTag(in, "TIME", on) || !ReadSubItem(in, '|', kMaxToken, low) ||
        !ReadSubItem(in, '>', kMaxToken, high))
        return failed();
    SkipLineEnd(in);
    Enable(ByTimeOfDay, on);
    timeFrom = convert.ParseTime(low);
    timeTo = convert.ParseTime(high);

    if (!ReadActiveTag(in, "DATE", on) || !ReadSubItem(in, '|', kMaxToken, low) ||
        !ReadSubItem(in, '>', kMaxToken, high))
        return failed();
    SkipLineEnd(in);
    Enable(ByDate, on);
    dateFrom = convert.ParseDate(low);
    dateTo = convert.ParseDate(high);

    if (!ReadActiveTag(in, "NOTES", on) || !ReadSubItem(in, '>', kMaxText, value))
        return failed();
    SkipLineEnd(in);
    Enable(ByNotes, on);
    notesText = value;

    if (!tagged::ReadLine(in, kMaxToken, line) || line != kTextEnd)
        return failed();
    valid = 1;
}

void RuravAvaviv::WriteText(std::ostream& out) const
{
    const auto state = [&](Criterion c) { return Has(c) ? " IS ACTIVE:" : " IS INACTIVE:"; };
    out << kTextBegin << "\n";
    out << "<NAME" << state(ByName) << "NAME TEXT=" << nameText << ">\n";
    for (auto set : kFileSetOrder) {
        const ObsField& f = FieldOfSet(set);
        out << "<" << f.filterTag << state(CriterionOf(f)) << "Bitset=";
        for (std::size_t id = 0; id < 256; ++id)
            if (sets[set][id])
                out << id << ",";
        out << ">\n";
    }
    TextConvert convert;
    struct Range { const char* word; Criterion bit; std::int32_t kind; double low; double high; };
    const Range ranges[] = {
        {"RA", ByRightAscension, vkRightAscension, raFrom, raTo},
        {"DEC", ByDeclination, vkDeclination, decFrom, decTo},
        {"SIZE", BySize, vkSize, sizeFrom, sizeTo},
        {"MAG", ByMagnitude, vkMagnitude, magFaint, magBright},
    };
    for (const auto& r : ranges)
        out << "<" << r.word << state(r.bit) << r.word << " MIN=" << convert.FormatValue(r.low, r.kind)
            << "|" << r.word << " MAX=" << convert.FormatValue(r.high, r.kind) << ">\n";
    out << "<TIME" << state(ByTimeOfDay) << "TIME MIN=" << convert.FormatTime(timeFrom)
        << "|TIME MAX=" << convert.FormatTime(timeTo) << ">\n";
    out << "<DATE" << state(ByDate) << "DATE MIN=" << convert.FormatDate(dateFrom)
        << "|DATE MAX=" << convert.FormatDate(dateTo) << ">\n";
    out << "<NOTES" << state(ByNotes) << "NOTES TEXT=" << notesText << ">\n";
    out << kTextEnd << "\n";
}
