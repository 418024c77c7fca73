#include "astro/SignedStreamRecord.h"

#include "astro/AstroConstants.h"

#include <cmath>
#include <cstring>

#include "framework/stream/PStream.h"

void SignedStreamRecord::WriteHeader(fw::opstream& os, const std::string& signature, std::uint32_t version)
{
    os.writeString(signature);
    os.writeWord32(version);
}

SignedStreamRecord::Header SignedStreamRecord::ReadHeader(fw::ipstream& is)
{
    Header h;
    h.signature = ReadSignature(is);
    h.version = is.readWord();
    return h;
}

void SignedStreamRecord::WriteSignature(fw::opstream& os, const std::string& signature)
{
    os.writeString(signature);
}

std::string SignedStreamRecord::ReadSignature(fw::ipstream& is)
{
    return is.readString(MaxSignatureLength);
}

std::string SignedStreamRecord::ReadName(fw::ipstream& is)
{
    return is.readString(MaxNameLength);
}

void SignedStreamRecord::WriteRawDouble(fw::opstream& os, double v)
{
    os.writeDouble(v);
}

double SignedStreamRecord::ReadRawDouble(fw::ipstream& is)
{
    return is.readDouble();
}

void SignedStreamRecord::WriteRaw32(fw::opstream& os, std::uint32_t v)
{
    os.writeWord32(v);
}

std::uint32_t SignedStreamRecord::ReadRaw32(fw::ipstream& is)
{
    return is.readWord32();
}

double SignedStreamRecord::ReadJulianDay(fw::ipstream& is)
{
    const double jd = is.readDouble();
    // About 1e8 days either side of J2000.0: far beyond every date the planner works with.
    if (!std::isfinite(jd) || std::fabs(jd - astro::kJ2000) > 1e8) return astro::kJ2000;
    return jd;
}
