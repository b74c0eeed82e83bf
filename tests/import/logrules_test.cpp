// The XML readers' deciding rules at their edges: elements count only where the format puts
// them, refusals of impossible gases and references, the dive modes, and the calendar.
#include <gtest/gtest.h>

#include <string>

#include "import/logfile.h"
#include "import/logparse.h"

namespace {

LogFile read(const std::string& xml, const char* name) {
    return readLogBuffer(xml.data(), xml.size(), name);
}

LogFile uddf(const std::string& mixes, const std::string& dives) {
    return read("<uddf><gasdefinitions>" + mixes + "</gasdefinitions><profiledata>" +
                    "<repetitiongroup>" + dives + "</repetitiongroup></profiledata></uddf>",
                "t.uddf");
}

LogFile divelog(const std::string& dives) {
    return read("<divelog><dives>" + dives + "</dives></divelog>", "t.ssrf");
}

// Refused, and the message names the element.
void expectRefused(const LogFile& f, const char* element) {
    EXPECT_FALSE(f.ok);
    EXPECT_NE(f.error.find(element), std::string::npos) << f.error;
}

const char* kWaypoints =
    "<samples><waypoint><divetime>0</divetime><depth>0</depth></waypoint>"
    "<waypoint><divetime>60</divetime><depth>10</depth></waypoint></samples>";

TEST(UddfPlaces, NamesCountOnlyWhereUddfPutsThem) {
    // A mix, a date, an interval and a duration out of place, and a dive inside a dive, change
    // nothing; a waypoint without its time gives no sample and its switch the time before.
    std::string dive =
        "<dive><mix id='x'><o2>0.5</o2></mix><datetime>2020-01-01T10:00</datetime>"
        "<informationbeforedive><infinity/><passedtime>60</passedtime>"
        "<surfaceintervalbeforedive><passedtime>3600</passedtime></surfaceintervalbeforedive>"
        "</informationbeforedive><diveduration>99</diveduration>"
        "<samples><waypoint><divetime>0</divetime><depth>0</depth></waypoint>"
        "<waypoint><depth>30</depth><switchmix ref='m'/></waypoint>"
        "<waypoint><divetime>120</divetime><depth>6</depth><dive/></waypoint></samples>"
        "<dive/><informationafterdive><diveduration>600</diveduration></informationafterdive>"
        "</dive>";
    LogFile f = uddf("<mix id='m'><o2>0.32</o2></mix>", dive);
    ASSERT_TRUE(f.ok) << f.error;
    ASSERT_EQ(f.dives.size(), 1u);
    const LogDive& d = f.dives[0];
    EXPECT_EQ(d.startMinute, -1);
    EXPECT_EQ(d.intervalBeforeSeconds, 3600);
    EXPECT_EQ(d.durationSeconds, 600);
    ASSERT_EQ(d.samples.size(), 2u);
    EXPECT_EQ(d.samples[1].seconds, 120);
    ASSERT_EQ(d.gases.size(), 1u);  // the switch at 0 s names the first gas
    EXPECT_NEAR(d.gases[0].o2, 32, 1e-9);
    EXPECT_TRUE(d.switches.empty());
}

TEST(UddfPlaces, ADateWithoutTimeAndAnEndlessInterval) {
    LogFile f = uddf("",
                     "<dive><informationbeforedive><datetime>2020-02-29</datetime>"
                     "<surfaceintervalbeforedive><infinity/></surfaceintervalbeforedive>"
                     "</informationbeforedive>" +
                         std::string(kWaypoints) + "</dive>");
    ASSERT_TRUE(f.ok) << f.error;
    EXPECT_EQ(f.dives[0].startMinute, -1);
    EXPECT_EQ(f.dives[0].date, "29.02.2020");
    EXPECT_EQ(f.dives[0].intervalBeforeSeconds, -1);
}

TEST(UddfRefusals, ImpossibleMixesReferencesAndIntervals) {
    expectRefused(uddf("<mix id='a'><o2>150</o2></mix>", ""), "<o2>");
    expectRefused(uddf("<mix id='a'><he>-0.1</he></mix>", ""), "<he>");
    expectRefused(uddf("<mix id='a'><o2>0.6</o2><he>0.5</he></mix>", ""), "<mix>");
    expectRefused(uddf("<mix id='a'><o2>0.32</o2></mix>",
                       "<dive><samples><waypoint><divetime>0</divetime><switchmix/></waypoint>"
                       "</samples></dive>"),
                  "<switchmix>");
    // A negative interval refuses its dive, by name, not the file.
    LogFile negative = uddf("",
                            "<dive><informationbeforedive><surfaceintervalbeforedive>"
                            "<passedtime>-60</passedtime></surfaceintervalbeforedive>"
                            "</informationbeforedive></dive>");
    ASSERT_TRUE(negative.ok) << negative.error;
    EXPECT_FALSE(negative.dives.at(0).refusal.empty());
    expectRefused(uddf("",
                       "<dive><informationbeforedive><datetime>2021-02-29</datetime>"
                       "</informationbeforedive></dive>"),
                  "<datetime>");
}

TEST(UddfModes, ALoopOnceMarkedStaysARebreather) {
    auto kind = [](const std::string& modes) {
        LogFile f = uddf("", "<dive>" + modes + kWaypoints + "</dive>");
        EXPECT_TRUE(f.ok) << f.error;
        return f.dives.empty() ? kOpenCircuit : f.dives[0].kind;
    };
    EXPECT_EQ(kind("<divemode/>"), kOpenCircuit);
    EXPECT_EQ(kind("<divemode type='opencircuit'/>"), kOpenCircuit);
    EXPECT_EQ(kind("<divemode type='semiclosedcircuit'/>"), kRebreather);
    EXPECT_EQ(kind("<divemode type='closedcircuit'/><divemode type='apnoe'/>"), kRebreather);
    EXPECT_EQ(kind("<divemode type='apnoe'/>"), kApnoe);
}

TEST(SubsurfaceRefusals, ImpossibleCylindersAndChanges) {
    expectRefused(divelog("<dive><cylinder o2='60%' he='50%'/></dive>"), "<cylinder>");
    expectRefused(divelog("<dive><cylinder o2='21%' he='viel'/></dive>"), "<cylinder>");
    for (const char* cylinder : {"-1", "0.5", "eins"}) {
        expectRefused(divelog(std::string("<dive><cylinder o2='32%'/><cylinder o2='50%'/>"
                                          "<divecomputer><event time='1:00 min' "
                                          "name='gaschange' cylinder='") +
                              cylinder + "'/></divecomputer></dive>"),
                      "<event>");
    }
    expectRefused(divelog("<dive><divecomputer><event time='bald' name='gaschange' value='50'/>"
                          "</divecomputer></dive>"),
                  "<event>");
}

TEST(SubsurfacePlaces, WhatCountsAndWhatIsIgnored) {
    // A cylinder of 0 % oxygen is air; a cylinder or computer out of place, events that are no
    // gas change or name no gas, and a sample without time change nothing; a sample directly
    // in the dive counts.
    std::string dive =
        "<dive date='2020-03-01'><cylinder o2='0%'/><cylinder o2='50%'/>"
        "<sample time='0:00 min' depth='0 m'/>"
        "<divecomputer><cylinder o2='80%'/><event time='1:00 min' name='bookmark'/>"
        "<event time='2:00 min'/><event time='3:00 min' name='gaschange'/>"
        "<sample depth='40 m'/><sample time='4:00 min' depth='10 m'/><dive/>"
        "<event time='5:00 min' name='gaschange' cylinder='1'/></divecomputer>"
        "<trip><divecomputer dctype='CCR'/></trip></dive>";
    LogFile f = divelog(dive);
    ASSERT_TRUE(f.ok) << f.error;
    ASSERT_EQ(f.dives.size(), 1u);
    const LogDive& d = f.dives[0];
    EXPECT_EQ(d.kind, kOpenCircuit);
    EXPECT_EQ(d.startMinute, -1);
    EXPECT_EQ(d.date, "01.03.2020");
    ASSERT_EQ(d.gases.size(), 2u);
    EXPECT_NEAR(d.gases[0].o2, 21, 1e-9);
    // The dive computer's samples are the dive's (one without time is none).
    ASSERT_EQ(d.samples.size(), 1u);
    EXPECT_EQ(d.samples[0].seconds, 240);
    EXPECT_NEAR(d.samples[0].depth, 10, 1e-9);
    ASSERT_EQ(d.switches.size(), 1u);
    EXPECT_EQ(d.switches[0].seconds, 300);
}

TEST(SubsurfaceModes, LoopCylindersAndComputerTypes) {
    auto kind = [](const std::string& inside) {
        LogFile f = divelog("<dive>" + inside +
                            "<divecomputer><sample time='0:30 min' depth='3 m'/>"
                            "</divecomputer></dive>");
        EXPECT_TRUE(f.ok) << f.error;
        return f.dives.empty() ? kOpenCircuit : f.dives[0].kind;
    };
    EXPECT_EQ(kind("<cylinder o2='21%' use='diluent'/>"), kRebreather);
    EXPECT_EQ(kind("<cylinder o2='100%' use='oxygen'/>"), kRebreather);
    EXPECT_EQ(kind("<cylinder o2='32%' use='OC-gas'/>"), kOpenCircuit);
    EXPECT_EQ(kind("<divecomputer dctype='PSCR'/>"), kRebreather);
    EXPECT_EQ(kind("<divecomputer dctype='CCR'/><divecomputer dctype='Freedive'/>"), kRebreather);
}

TEST(UddfPlaces, MixesWithoutIdAndSwitchesOutOfPlace) {
    // A waypoint without depth gives no sample; a switch outside a waypoint is no switch; a
    // mix without id is found by the empty reference; a repetition group inside a dive adds
    // no dive.
    std::string dive =
        "<dive><samples><switchmix ref='m'/>"
        "<waypoint><divetime>0</divetime><depth>0</depth></waypoint>"
        "<waypoint><divetime>30</divetime></waypoint>"
        "<waypoint><divetime>60</divetime><depth>\t12\r\n</depth><switchmix ref=''/></waypoint>"
        "</samples><repetitiongroup><dive/></repetitiongroup></dive>";
    LogFile f = uddf("<mix><o2>0.5</o2></mix><mix id='m'><o2>0.32</o2></mix>", dive);
    ASSERT_TRUE(f.ok) << f.error;
    ASSERT_EQ(f.dives.size(), 1u);
    const LogDive& d = f.dives[0];
    ASSERT_EQ(d.samples.size(), 2u);
    EXPECT_NEAR(d.samples[1].depth, 12, 1e-9);
    ASSERT_EQ(d.switches.size(), 1u);
    EXPECT_EQ(d.switches[0].seconds, 60);
    EXPECT_NEAR(d.gases[d.switches[0].gas].o2, 50, 1e-9);
    EXPECT_NEAR(d.gases[d.firstGas].o2, 21, 1e-9);  // nothing named at the start: air
}

TEST(LogValues, SignsExponentsAndUnprintableBytesInMessages) {
    double v = 0;
    EXPECT_TRUE(parseNumber("1E1", &v) && v == 10);
    EXPECT_TRUE(parseNumber("+2.5e-1", &v) && v == 0.25);
    EXPECT_FALSE(parseNumber("1e", &v));
    LogFile f = uddf("",
                     "<dive><samples><waypoint><divetime>1\t2</divetime></waypoint>"
                     "</samples></dive>");
    EXPECT_EQ(f.error, "ERROR: In t.uddf ist <divetime> in Zeile 1 keine Zahl: '1?2'.");
}

TEST(LogCalendar, LeapYearsMonthsAndClockLimits) {
    LocalTime t;
    for (const char* good :
         {"2000-02-29", "2024-02-29", "2023-04-30", "2023-12-31 23:59", "2023-01-01T10:00:00,5Z",
          "2023-01-01T10:00+0530", "2023-01-01T10:00-05:30", "2023-01-01T10:00:59"}) {
        EXPECT_TRUE(parseDateTime(good, &t)) << good;
    }
    EXPECT_EQ(t.time, "10:00");
    for (const char* bad :
         {"1900-02-29", "2023-02-29", "2023-04-31", "2023-01-00", "2023-01-32", "2023/01/01",
          "2023-01-01T10:60", "2023-01-01T10:00:61", "2023-01-01T10:00:5", "2023-01-01T10:00+05",
          "2023-01-01T10:00+05:60", "2023-01-01T10:00-5", "2023-01-01T10.00"}) {
        EXPECT_FALSE(parseDateTime(bad, &t)) << bad;
    }
}

}  // namespace
