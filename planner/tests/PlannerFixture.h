// The planner's world for pane tests: the delivered catalogue, planet and Moon files in a
// directory of the test's own, the site (Washington, DC) and a time on a night with the Moon
// up, and the night's Moon, Sun and twilight values computed as the clock does each night.
// The program and user directories are that directory too, so that what a chart pane writes
// (its frame file) stays inside it.
#pragma once

#include "astro/Angle.h"
#include "astro/Distance.h"
#include "astro/JulianDate.h"
#include "astro/Moon.h"
#include "astro/ObsSite.h"
#include "astro/Planets.h"
#include "astro/RiseSetTransit.h"
#include "catalog/NGC2000Indexes.h"
#include "framework/gui/Bitmap.h"
#include "framework/gui/MessageBox.h"
#include "framework/testsupport/TestSupport.h"
#include "globals/Globals.h"
#include "ui/RScolor.h"

#include <gtest/gtest.h>

#include <QWidget>

#include <cstdlib>
#include <optional>
#include <string>
#include <filesystem>
#include <memory>

inline ObjectId Ngc(std::uint32_t n) { return ObjectId::FromCatalogue(1, n); }
// M 31 is NGC 224.
constexpr std::uint32_t kM31 = 224;

class PlannerWorld : public ::testing::Test {
protected:
    void SetUp() override
    {
        data_ = testsupport::ProgramDataDir("ngc2k.rsx");
        STELLUM_REQUIRE_DATA(data_);
        testsupport::LinkProgramFiles(data_, dir_.path());
        testsupport::LinkProgramFiles(data_, dir_.path(), {"User/comname.txt"});
        ProgramDirectory = dir_.path();
        UserDirectory = dir_.path() + "User/";
        site_ = ObsSite(Angle(77.0, Angle::kDegrees), Angle(38.9, Angle::kDegrees), "Washington", -5, Distance());
        // 2026 October 25, 02:00 UT: 21:00 on the evening of the 24th at the site, the Moon
        // two days before full and high in the south-east.
        now_ = JulianDate::FromCalendar(2026, 10, 25, 2, 0, 0);
        AppGlobals.site = &site_;
        AppGlobals.now = &now_;
        planets_ = std::make_unique<Planets>(dir_.path());
        moon_ = std::make_unique<Moon>(dir_.path());
        moon_->LoadLowRes();
        planets_->LoadPlanet(0, 1);
        AppGlobals.planets = planets_.get();
        AppGlobals.moon = moon_.get();
        db_ = std::make_unique<NGC2000Indexes>(dir_.path());
        AppGlobals.database = db_.get();
        ComputeNight();
    }
    // The pointers to the fixture's objects go before the objects do; the rest of the
    // program-wide state is back at its start after every test.
    void TearDown() override
    {
        AppGlobals.moonRst = AppGlobals.sunRst = AppGlobals.twilightRst = nullptr;
        AppGlobals.database = nullptr;
        AppGlobals.planets = nullptr;
        AppGlobals.moon = nullptr;
        AppGlobals.site = nullptr;
        AppGlobals.now = nullptr;
        db_.reset();
    }

    // The night's values as the clock computes them: five positions half a day apart around
    // the local midnight of the night that holds *now*.
    void ComputeNight()
    {
        const JulianDate m = site_.MidnightOfNight(now_);
        Coord moon[5], sun[5];
        for (int i = 0; i < 5; ++i) {
            const JulianDate t = m + (i - 2) * 0.5;
            moon[i] = moon_->ApparentPosition(t);
            sun[i] = planets_->ApparentPosition(t, 0);
        }
        moonRst_ = RiseSetTransit::FromPositions(moon[0], moon[1], moon[2], moon[3], moon[4], m, site_,
                                                 moon_->RiseSetAltitude(m));
        sunRst_ = RiseSetTransit::FromPositions(sun[0], sun[1], sun[2], sun[3], sun[4], m, site_, Angle(-0.833, Angle::kDegrees));
        twilightRst_ =
            RiseSetTransit::FromPositions(sun[0], sun[1], sun[2], sun[3], sun[4], m, site_, Angle(-18.833, Angle::kDegrees));
        AppGlobals.moonRst = &moonRst_;
        AppGlobals.sunRst = &sunRst_;
        AppGlobals.twilightRst = &twilightRst_;
    }
    // Moves the site and recomputes the night.
    void MoveSite(double latitudeDegrees, double longitudeWestDegrees, const std::string& name)
    {
        site_ = ObsSite(Angle(longitudeWestDegrees, Angle::kDegrees), Angle(latitudeDegrees, Angle::kDegrees), name, -5, Distance());
        ComputeNight();
    }
    void SetNow(const JulianDate& t)
    {
        now_ = t;
        ComputeNight();
    }

    std::string data_;
    testsupport::TempDir dir_;
    ObsSite site_;
    JulianDate now_;
    std::unique_ptr<Planets> planets_;
    std::unique_ptr<Moon> moon_;
    std::unique_ptr<NGC2000Indexes> db_;
    RiseSetTransit moonRst_, sunRst_, twilightRst_;
    fw::ScriptedMessageBoxes boxes_;
};
