#!/usr/bin/python3
"""Reference table for the Sun, Moon, planets and Pluto, made once with PyEphem
(Debian package python3-ephem) and kept as a test fixture:

    /usr/bin/python3 tools/reference/solar_system.py > astro/tests/data/solar_reference.csv

Not run by the build or CI. Lines:

    P,<body>,<jd ut>,<ra deg>,<dec deg>,<distance au>,<delta-t s>
        apparent geocentric right ascension and declination of date (PyEphem's ra/dec:
        precession, nutation, aberration and light time; no refraction, observer at the
        geocentre), and the Delta-T that PyEphem used (its model departs from the program's
        by up to about 90 s at 2100)
    R,<body>,<site>,<lat deg>,<lon deg east>,<midnight jd ut>,<event>,<jd ut>[,<jd ut>]
        event rise, transit or set: the previous and the next one around the given instant
        (the test takes the one nearest its own). Standard altitude as in Meeus: horizon
        -0:34 with the upper limb (so -0:34 minus the semidiameter for the Sun, the Moon and
        the planets), no further refraction (pressure 0), sea level; the Moon is topocentric
        in PyEphem, which amounts to Meeus's 0.7275 x parallax - 0:34 for the geocentric Moon.

Bodies use the program's numbering: 0 Sun, 1 Mercury, 2 Venus, 3 Moon (the Earth's Moon,
served by the Moon series), 4 Mars ... 8 Neptune, 9 Pluto.
"""
import ephem

DUBLIN = 2415020.0  # PyEphem dates count days from 1899 December 31, 12h

BODIES = [
    (0, ephem.Sun), (1, ephem.Mercury), (2, ephem.Venus), (3, ephem.Moon), (4, ephem.Mars),
    (5, ephem.Jupiter), (6, ephem.Saturn), (7, ephem.Uranus), (8, ephem.Neptune), (9, ephem.Pluto),
]

# Instants (JD, UT) spread over 1900-2100 at varied times of day.
PLACE_DATES = [
    2415385.3, 2418725.71, 2422890.125, 2427012.9, 2430455.5, 2433600.05, 2437110.66,
    2440588.2, 2444239.5, 2447240.5, 2448908.5, 2451545.0, 2453371.77, 2455197.25,
    2458849.9, 2460676.43, 2462502.6, 2466154.1, 2469807.5, 2473459.33, 2477111.8,
    2480764.2, 2484416.55, 2488069.0,
]

# name, latitude (deg, north), longitude (deg, east), local midnights as UT JD.
SITES = [
    ("Boston", 42.3333, -71.0833, [2447240.7083, 2451546.2083, 2460700.7083]),
    ("Greenwich", 51.4769, 0.0, [2447240.5, 2455000.5, 2460900.5]),
    ("Sydney", -33.8667, 151.2167, [2447240.0833, 2458000.0833]),
    ("Tucson", 32.2217, -110.9269, [2451179.7917, 2462000.7917]),
]


def jd(d):
    return float(d) + DUBLIN


def main():
    print("# PyEphem %s; see tools/reference/solar_system.py" % ephem.__version__)
    for number, cls in BODIES:
        b = cls()
        for t in PLACE_DATES:
            b.compute(ephem.Date(t - DUBLIN), epoch=ephem.Date(t - DUBLIN))
            dist = b.earth_distance
            print("P,%d,%.6f,%.8f,%.8f,%.10f,%.3f" % (number, t, float(b.ra) * 180 / ephem.pi,
                                                      float(b.dec) * 180 / ephem.pi, dist,
                                                      ephem.delta_t(ephem.Date(t - DUBLIN))))
    for name, lat, lon, midnights in SITES:
        obs = ephem.Observer()
        obs.lat = str(lat)
        obs.lon = str(lon)
        obs.elevation = 0
        obs.pressure = 0
        obs.horizon = "-0:34"
        for m in midnights:
            for number, cls in BODIES:
                b = cls()
                obs.date = ephem.Date(m - DUBLIN)
                for event, prev, nxt in (("rise", obs.previous_rising, obs.next_rising),
                                         ("transit", obs.previous_transit, obs.next_transit),
                                         ("set", obs.previous_setting, obs.next_setting)):
                    times = []
                    for f in (prev, nxt):
                        try:
                            times.append("%.6f" % jd(f(b)))
                        except (ephem.AlwaysUpError, ephem.NeverUpError):
                            pass
                    if times:
                        print("R,%d,%s,%.4f,%.4f,%.4f,%s,%s" % (number, name, lat, lon, m, event,
                                                               ",".join(times)))


if __name__ == "__main__":
    main()
