#include "catalog/ConstellationSet.h"

#include "astro/SignedStreamRecord.h"
#include "framework/stream/PStream.h"

namespace {
// Mask and bit of a code; codes from 64 on fall into the third mask.
int MaskOf(int code) { return code < 32 ? 0 : code < 64 ? 1 : 2; }
}

void ConstellationSet::SelectAll()
{
    masks[0] = masks[1] = masks[2] = 0xFFFFFFFFu;
    all = 1;
}

void ConstellationSet::Clear()
{
    masks[0] = masks[1] = masks[2] = 0;
    all = 0;
}

void ConstellationSet::Add(int code)
{
    all = 0;
    if (code < 0 || code >= 96)
        return;
    const std::uint32_t bit = 1u << (code & 31);
    masks[MaskOf(code)] |= bit;
    lastBit = std::int32_t(bit);
    if (masks[0] == 0xFFFFFFFFu && masks[1] == 0xFFFFFFFFu && masks[2] >= 0xFFFFFFu)
        all = 1;
}

void ConstellationSet::Toggle(int code)
{
    all = 0;
    if (code < 0 || code >= 96)
        return;
    const std::uint32_t bit = 1u << (code & 31);
    masks[MaskOf(code)] ^= bit;
    lastBit = std::int32_t(bit);
}

bool ConstellationSet::operator==(const ConstellationSet& s) const
{
    return masks[0] == s.masks[0] && masks[1] == s.masks[1] && masks[2] == s.masks[2] &&
           all == s.all;
}

void ConstellationSet::Write(fw::opstream& os) const
{
    for (std::uint32_t m : masks)
        SignedStreamRecord::WriteRaw32(os, m);
    SignedStreamRecord::WriteRaw32(os, std::uint32_t(lastBit));
    os.writeWord32(all ? 1 : 0);
}

void ConstellationSet::Read(fw::ipstream& is)
{
    for (std::uint32_t& m : masks)
        m = SignedStreamRecord::ReadRaw32(is);
    lastBit = std::int32_t(SignedStreamRecord::ReadRaw32(is));
    all = is.readWord32() != 0 ? 1 : 0;
}
