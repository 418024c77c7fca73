#!/usr/bin/python3
"""Reference table of apparent places for the coordinate reduction tests.

Computes, with ERFA (Debian package python3-erfa), the apparent place of a few dozen stars
at dates between 1900 and 2100 and writes astro/tests/data/apparent_places.txt. Run it by
hand when the table must change; the build and CI never run it.

Model, chosen to match what the planner's reduction claims to do:
  * mean place and proper motion referred to the mean equator and equinox of J2000.0;
  * proper motion: ERFA's rigorous space motion (pmsafe) with no parallax and no radial
    velocity;
  * annual aberration: ERFA's ab() with the Earth's barycentric velocity from epv00 (full
    aberration, its elliptic part included), no light deflection;
  * precession IAU 1976 (pmat76) and nutation IAU 1980 (nut80, obl80), combined as
    N x P and applied to the aberrated direction.
The dates in the table are universal-time Julian days; they are passed to ERFA as they
stand (as TT): a shift of a minute or two moves none of these quantities by 0.0001".

Each row also carries the Sun's geometric longitude, referred to the mean ecliptic and
equinox of the date, which the planner's aberration formula takes as an input.
"""
import math
import os
import random
import warnings

import erfa
import numpy as np

# name, RA (h m s), Dec (sign, d m s), proper motion in RA * cos(Dec) and in Dec (mas/yr).
# Positions are catalogue values to a few tenths of an arcsecond: they are test inputs only.
STARS = [
    ("Polaris", (2, 31, 49.09), (+1, 89, 15, 50.8), 44.48, -11.85),
    ("Sirius", (6, 45, 8.92), (-1, 16, 42, 58.0), -546.01, -1223.07),
    ("Canopus", (6, 23, 57.11), (-1, 52, 41, 44.4), 19.93, 23.24),
    ("Arcturus", (14, 15, 39.67), (+1, 19, 10, 56.7), -1093.39, -2000.06),
    ("Vega", (18, 36, 56.34), (+1, 38, 47, 1.3), 200.94, 286.23),
    ("Capella", (5, 16, 41.36), (+1, 45, 59, 52.8), 75.52, -427.13),
    ("Rigel", (5, 14, 32.27), (-1, 8, 12, 5.9), 1.31, 0.50),
    ("Procyon", (7, 39, 18.12), (+1, 5, 13, 30.0), -714.59, -1036.80),
    ("Betelgeuse", (5, 55, 10.31), (+1, 7, 24, 25.4), 27.54, 11.30),
    ("Achernar", (1, 37, 42.85), (-1, 57, 14, 12.3), 88.02, -40.08),
    ("Altair", (19, 50, 47.00), (+1, 8, 52, 6.0), 536.23, 385.29),
    ("Aldebaran", (4, 35, 55.24), (+1, 16, 30, 33.5), 62.78, -189.36),
    ("Antares", (16, 29, 24.46), (-1, 26, 25, 55.2), -10.16, -23.21),
    ("Spica", (13, 25, 11.58), (-1, 11, 9, 40.8), -42.50, -31.73),
    ("Pollux", (7, 45, 18.95), (+1, 28, 1, 34.3), -626.55, -45.80),
    ("Fomalhaut", (22, 57, 39.05), (-1, 29, 37, 20.1), 329.22, -164.22),
    ("Deneb", (20, 41, 25.91), (+1, 45, 16, 49.2), 1.56, 1.55),
    ("Regulus", (10, 8, 22.31), (+1, 11, 58, 2.0), -249.40, 4.91),
    ("Acrux", (12, 26, 35.90), (-1, 63, 5, 56.7), -35.37, -14.73),
    ("SigmaOct", (21, 8, 46.86), (-1, 88, 57, 23.4), 25.96, 5.02),
    ("DeltaUMi", (17, 32, 12.99), (+1, 86, 35, 11.3), 9.0, 56.0),
    ("Thuban", (14, 4, 23.35), (+1, 64, 22, 33.1), -56.52, 17.19),
    ("NearNorthEclPole", (18, 0, 0.0), (+1, 66, 3, 0.0), 0.0, 0.0),
    ("NearSouthEclPole", (6, 0, 0.0), (-1, 66, 3, 0.0), 0.0, 0.0),
    ("NGC6543", (17, 58, 33.42), (+1, 66, 37, 59.5), 0.0, 0.0),
    ("NorthEclPole2000", (18, 0, 0.0), (+1, 66, 33, 38.55), 0.0, 0.0),
    ("SouthEclPoleNear", (6, 0, 30.0), (-1, 66, 31, 0.0), 0.0, 0.0),
    ("Equinox", (0, 0, 0.0), (+1, 0, 0, 0.0), 0.0, 0.0),
    ("Algol", (3, 8, 10.13), (+1, 40, 57, 20.3), 2.39, -1.44),
    ("Mizar", (13, 23, 55.54), (+1, 54, 55, 31.3), 121.23, -22.01),
    ("Dubhe", (11, 3, 43.67), (+1, 61, 45, 3.7), -136.46, -35.25),
    ("Kochab", (14, 50, 42.33), (+1, 74, 9, 19.8), -32.29, 11.91),
    ("Errai", (23, 39, 20.85), (+1, 77, 37, 56.2), -65.0, 157.0),
    ("Atria", (16, 48, 39.89), (-1, 69, 1, 39.8), 17.85, -32.92),
    ("ThetaPer", (2, 44, 11.986), (+1, 49, 13, 42.48), 336.6, -89.5),
    ("EtaCar", (10, 45, 3.59), (-1, 59, 41, 4.3), -7.6, 1.0),
    ("Hadar", (14, 3, 49.41), (-1, 60, 22, 22.9), -33.96, -25.06),
    ("Castor", (7, 34, 35.87), (+1, 31, 53, 17.8), -206.33, -148.18),
    ("Alpheratz", (0, 8, 23.26), (+1, 29, 5, 25.6), 135.68, -162.95),
    ("Mirfak", (3, 24, 19.37), (+1, 49, 51, 40.2), 24.11, -26.01),
    ("Sadr", (20, 22, 13.70), (+1, 40, 15, 24.0), 2.43, -0.93),
]

# pmsafe notes that it replaced the zero parallax by a tiny one: intended here.
warnings.simplefilter("ignore", erfa.ErfaWarning)

JD_1900 = 2415020.5
JD_2100 = 2488069.5
MAS = erfa.DMAS2R


def sun_longitude(tt):
    """Geometric longitude of the Sun, mean ecliptic and equinox of date (radians)."""
    pvh, _ = erfa.epv00(tt, 0.0)
    sun = -np.asarray(pvh[0])
    sun = erfa.rxp(erfa.pmat76(tt, 0.0), sun)
    eps = erfa.obl80(tt, 0.0)
    y = sun[1] * math.cos(eps) + sun[2] * math.sin(eps)
    return erfa.anp(math.atan2(y, sun[0]))


def apparent(ra, dec, pmr, pmd, tt):
    """Apparent right ascension and declination (radians) at tt of a J2000.0 mean place."""
    ra1, dec1, *_ = erfa.pmsafe(ra, dec, pmr, pmd, 0.0, 0.0, erfa.DJ00, 0.0, tt, 0.0)
    p = erfa.s2c(ra1, dec1)
    pvh, pvb = erfa.epv00(tt, 0.0)
    v = np.asarray(pvb[1]) * (erfa.AULT / erfa.DAYSEC)
    bm1 = math.sqrt(1.0 - float(np.dot(v, v)))
    s = float(np.linalg.norm(pvh[0]))
    p = erfa.ab(p, v, s, bm1)
    dpsi, deps = erfa.nut80(tt, 0.0)
    npm = erfa.numat(erfa.obl80(tt, 0.0), dpsi, deps) @ erfa.pmat76(tt, 0.0)
    a, d = erfa.c2s(erfa.rxp(npm, p))
    return erfa.anp(a), d


def main():
    rng = random.Random(1996)
    here = os.path.dirname(os.path.abspath(__file__))
    out = os.path.join(here, "..", "..", "astro", "tests", "data", "apparent_places.txt")
    lines = [
        "# Apparent places computed with ERFA by tools/reference/apparent_places.py",
        "# (precession IAU 1976, nutation IAU 1980, annual aberration; no light deflection).",
        "# Columns: name, JD (UT), J2000.0 mean RA and Dec (deg), proper motion dRA/dt and",
        "# dDec/dt (arcsec per Julian year), Sun's geometric longitude of date (deg),",
        "# apparent RA and Dec (deg).",
    ]
    for name, (h, m, s), (sg, d, dm, ds), pma_cos, pmd in STARS:
        ra = math.radians((h + m / 60 + s / 3600) * 15)
        dec = sg * math.radians(d + dm / 60 + ds / 3600)
        pmr = pma_cos * MAS / math.cos(dec)
        pmdr = pmd * MAS
        dates = [rng.uniform(JD_1900, JD_2100) for _ in range(3)]
        if name == "ThetaPer":
            dates.append(2462088.69)
        if name == "Equinox":
            dates.append(erfa.DJ00)
        for jd in dates:
            jd = round(jd, 5)
            a, dd = apparent(ra, dec, pmr, pmdr, jd)
            lines.append(
                "%-16s %.5f %.10f %.10f %.8f %.8f %.8f %.10f %.10f"
                % (name, jd, math.degrees(ra), math.degrees(dec),
                   math.degrees(pmr) * 3600, pmd / 1000.0,
                   math.degrees(sun_longitude(jd)), math.degrees(a), math.degrees(dd)))
    with open(out, "w") as f:
        f.write("\n".join(lines) + "\n")
    print("wrote %d rows to %s" % (len(lines) - 5, os.path.normpath(out)))


if __name__ == "__main__":
    main()
