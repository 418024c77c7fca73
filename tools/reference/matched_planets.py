#!/usr/bin/python3
"""Reference table of apparent places of the Sun and the planets computed from the same theory
the planner uses, so that a comparison shows the reduction alone:

    /usr/bin/python3 tools/reference/matched_planets.py ../shared/data/vsop87a \\
        > astro/tests/data/matched_planets.csv

Not run by the build or CI. Needs python3-erfa and numpy (Debian packages).

Model:
  * geometric heliocentric positions from every term of VSOP87 version A (rectangular, ecliptic
    and equinox J2000.0), the Earth's from VSOP87A.ear; geocentric = body - Earth (the Sun is
    minus the Earth); no light time, as the planner's apparent place;
  * VSOP87 ecliptic to the FK5 equator of J2000.0 with the rotation the planner uses;
  * annual aberration with ERFA's ab() and the Earth's barycentric velocity from epv00;
  * precession IAU 1976 (pmat76) and nutation IAU 1980 (nut80, obl80), N x P.
Dates are dynamical (TT) Julian days.

Lines:  <body>,<jd tt>,<ra deg>,<dec deg>
Bodies use the program's numbering: 0 Sun, 1 Mercury, 2 Venus, 4 Mars ... 8 Neptune.
"""
import math
import os
import sys

import erfa
import numpy as np

FILES = {1: "mer", 2: "ven", 4: "mar", 5: "jup", 6: "sat", 7: "ura", 8: "nep"}

# Dynamical Julian days spread over 1900-2100, with the instant at which the aberration of
# Mars with the Sun's J2000.0 longitude was found off by 0.46".
DATES = [
    2415020.5, 2419403.25, 2423786.9, 2428170.125, 2432553.6, 2436936.3, 2441319.75,
    2445703.05, 2450086.5, 2451545.0, 2454469.8, 2458853.2, 2463236.65, 2467620.1,
    2472003.45, 2476386.95, 2480770.4, 2484756.99742784, 2485153.7, 2488069.5,
]


def read_vsop(path):
    """[(variable 0-2, power, A, B, C arrays)] of a VSOP87A file."""
    blocks = []
    current = None
    with open(path) as f:
        for line in f:
            if line.startswith(" VSOP87"):
                variable = int(line[41]) - 1
                power = int(line[59])
                current = (variable, power, [], [], [])
                blocks.append(current)
                continue
            fields = line.split()
            current[2].append(float(fields[-3]))
            current[3].append(float(fields[-2]))
            current[4].append(float(fields[-1]))
    return [(v, p, np.array(a), np.array(b), np.array(c)) for v, p, a, b, c in blocks]


def heliocentric(series, tt):
    tau = (tt - 2451545.0) / 365250.0
    xyz = np.zeros(3)
    for v, p, a, b, c in series:
        xyz[v] += tau ** p * float(np.sum(a * np.cos(b + c * tau)))
    return xyz


def to_fk5(v):
    x, y, z = v
    return np.array([
        x + 0.00000044036 * y - 0.000000190919 * z,
        -0.000000479966 * x + 0.917482137087 * y - 0.397776982902 * z,
        0.397776982902 * y + 0.917482137087 * z,
    ])


def apparent(geo, tt):
    p = geo / np.linalg.norm(geo)
    pvh, pvb = erfa.epv00(tt, 0.0)
    v = np.asarray(pvb[1]) * (erfa.AULT / erfa.DAYSEC)
    bm1 = math.sqrt(1.0 - float(np.dot(v, v)))
    s = float(np.linalg.norm(pvh[0]))
    p = erfa.ab(p, v, s, bm1)
    dpsi, deps = erfa.nut80(tt, 0.0)
    npm = erfa.numat(erfa.obl80(tt, 0.0), dpsi, deps) @ erfa.pmat76(tt, 0.0)
    a, d = erfa.c2s(erfa.rxp(npm, p))
    return math.degrees(erfa.anp(a)), math.degrees(d)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join("..", "shared", "data", "vsop87a")
    earth = read_vsop(os.path.join(folder, "VSOP87A.ear"))
    bodies = {b: read_vsop(os.path.join(folder, "VSOP87A." + ext)) for b, ext in FILES.items()}
    print("# Apparent places from every term of VSOP87A, reduced with ERFA %s;" % erfa.__version__)
    print("# see tools/reference/matched_planets.py. body,jd tt,ra deg,dec deg")
    for tt in DATES:
        e = heliocentric(earth, tt)
        rows = [(0, -e)] + [(b, heliocentric(s, tt) - e) for b, s in sorted(bodies.items())]
        for b, geo in rows:
            ra, dec = apparent(to_fk5(geo), tt)
            print("%d,%.8f,%.9f,%.9f" % (b, tt, ra, dec))


if __name__ == "__main__":
    main()
