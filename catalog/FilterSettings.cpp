#include "catalog/FilterSettings.h"

#include "astro/SignedStreamRecord.h"
#include "framework/stream/PStream.h"

void FilterSettings::Assign(const FilterSettings& s)
{
    const std::uint8_t keep = valid;
    *this = s;
    valid = keep;
}

bool FilterSettings::operator==(const FilterSettings& s) const
{
    for (int i = 0; i < 16; ++i)
        if (passCounts[i] != s.passCounts[i])
            return false;
    return typeMask == s.typeMask && positionCriteria == s.positionCriteria && raMin == s.raMin &&
           raMax == s.raMax && decMin == s.decMin && decMax == s.decMax &&
           constellations == s.constellations && elevationWindow == s.elevationWindow &&
           elevationMode == s.elevationMode && sessionStartHour == s.sessionStartHour &&
           sessionStartMinute == s.sessionStartMinute && sessionEndHour == s.sessionEndHour &&
           sessionEndMinute == s.sessionEndMinute && minAltitude == s.minAltitude &&
           maxAltitude == s.maxAltitude && nameCriteria == s.nameCriteria &&
           brightnessCriteria == s.brightnessCriteria &&
           dreyerBrightnessMask == s.dreyerBrightnessMask && magnitudeMin == s.magnitudeMin &&
           magnitudeMax == s.magnitudeMax && sizeCriteria == s.sizeCriteria &&
           dreyerSizeMask == s.dreyerSizeMask && diameterMin == s.diameterMin &&
           diameterMax == s.diameterMax && shapeMask == s.shapeMask &&
           historyCriteria == s.historyCriteria;
}

void FilterSettings::Write(fw::opstream& os) const
{
    using R = SignedStreamRecord;
    R::WriteHeader(os, R::FilterSettings, kVersion);
    for (std::int32_t c : passCounts)
        R::WriteRaw32(os, std::uint32_t(c));
    R::WriteRaw32(os, std::uint32_t(positionCriteria));
    R::WriteRawDouble(os, raMin);
    R::WriteRawDouble(os, raMax);
    R::WriteRawDouble(os, decMin);
    R::WriteRawDouble(os, decMax);
    constellations.Write(os);
    R::WriteRaw32(os, std::uint32_t(elevationMode));
    os.writeWord16(std::uint16_t(sessionStartHour));
    os.writeWord16(std::uint16_t(sessionStartMinute));
    os.writeWord16(std::uint16_t(sessionEndHour));
    os.writeWord16(std::uint16_t(sessionEndMinute));
    R::WriteRaw32(os, std::uint32_t(nameCriteria));
    R::WriteRaw32(os, std::uint32_t(brightnessCriteria));
    R::WriteRaw32(os, std::uint32_t(dreyerBrightnessMask));
    R::WriteRawDouble(os, magnitudeMin);
    R::WriteRawDouble(os, magnitudeMax);
    R::WriteRaw32(os, std::uint32_t(sizeCriteria));
    R::WriteRaw32(os, std::uint32_t(dreyerSizeMask));
    R::WriteRawDouble(os, diameterMin);
    R::WriteRawDouble(os, diameterMax);
    R::WriteRaw32(os, std::uint32_t(shapeMask));
    R::WriteRaw32(os, std::uint32_t(typeMask));
    R::WriteRaw32(os, std::uint32_t(historyCriteria));
    os.writeWord16(std::uint16_t(minAltitude));
    os.writeWord16(std::uint16_t(maxAltitude));
    R::WriteSignature(os, R::FilterSettings);
}

void FilterSettings::Read(fw::ipstream& is)
{
    using R = SignedStreamRecord;
    valid = 0;
    if (R::ReadSignature(is) != R::FilterSettings || is.fail())
        return;
    const std::uint32_t version = is.readWord32();
    for (std::int32_t& c : passCounts)
        c = std::int32_t(R::ReadRaw32(is));
    positionCriteria = std::int32_t(R::ReadRaw32(is));
    raMin = R::ReadRawDouble(is);
    raMax = R::ReadRawDouble(is);
    decMin = R::ReadRawDouble(is);
    decMax = R::ReadRawDouble(is);
    constellations.Read(is);
    elevationMode = std::int32_t(R::ReadRaw32(is));
    sessionStartHour = std::int16_t(is.readWord16());
    sessionStartMinute = std::int16_t(is.readWord16());
    sessionEndHour = std::int16_t(is.readWord16());
    sessionEndMinute = std::int16_t(is.readWord16());
    nameCriteria = std::int32_t(R::ReadRaw32(is));
    brightnessCriteria = std::int32_t(R::ReadRaw32(is));
    dreyerBrightnessMask = std::int32_t(R::ReadRaw32(is));
    magnitudeMin = R::ReadRawDouble(is);
    magnitudeMax = R::ReadRawDouble(is);
    sizeCriteria = std::int32_t(R::ReadRaw32(is));
    dreyerSizeMask = std::int32_t(R::ReadRaw32(is));
    diameterMin = R::ReadRawDouble(is);
    diameterMax = R::ReadRawDouble(is);
    shapeMask = std::int32_t(R::ReadRaw32(is));
    typeMask = std::int32_t(R::ReadRaw32(is));
    historyCriteria = std::int32_t(R::ReadRaw32(is));
    // An older block has no altitude limits: those already held stay.
    if (version > kVersionWithoutAltitudes) {
        minAltitude = std::int16_t(is.readWord16());
        maxAltitude = std::int16_t(is.readWord16());
    }
    if (R::ReadSignature(is) == R::FilterSettings && !is.fail())
        valid = 1;
}
