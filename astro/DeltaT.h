// Delta-T: dynamical time minus universal time, in seconds, for an instant.
#pragma once

class JulianDate;

double DeltaT(const JulianDate& jd);
