// The XML log reader on small files of our own: one per rule of UDDF and Subsurface, and the
// ways a file can be broken.
#include "import/logfile.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "import/logparse.h"
#include "support/logdives.h"
#include "testutil.h"

namespace {

LogFile read(const std::string& xml) {
    return readLogBuffer(xml.data(), xml.size(), "t.uddf");
}

// A UDDF file with these mixes and one dive holding `dive` (its children).
std::string uddf(const std::string& mixes, const std::string& dive,
                 const std::string& open = "<uddf xmlns=\"http://www.streit.cc/uddf/3.2/\">") {
    return "<?xml version=\"1.0\"?>\n" + open + "<gasdefinitions>" + mixes +
           "</gasdefinitions><profiledata><repetitiongroup><dive>" + dive +
           "</dive></repetitiongroup></profiledata></uddf>";
}

std::string wp(double t, double d, const std::string& extra = "") {
    return "<waypoint><divetime>" + std::to_string(t) + "</divetime><depth>" + std::to_string(d) +
           "</depth>" + extra + "</waypoint>";
}

std::string mix(const std::string& id, const std::string& body) {
    return "<mix id=\"" + id + "\">" + body + "</mix>";
}

TEST(UddfGases, FractionsPercentAndOxygenNitrogenOnly) {
    std::string mixes = mix("OC1:32/00", "<o2>0.32</o2><he>0.0</he>") +
                        mix("mix(16/45)", "<o2>16</o2><he>45</he>") +  // percent, as some write
                        mix("1", "<o2>0.18</o2><n2>0.37</n2>") +       // helium is the rest
                        mix("", "<o2>0.21</o2><n2>0.79</n2>");
    std::string w = wp(0, 0, "<switchmix ref=\"OC1:32/00\"/>") + wp(60, 10) +
                    wp(120, 20, "<switchmix ref=\"mix(16/45)\"/>") +
                    wp(180, 20, "<switchmix ref=\"1\"/>") + wp(240, 5, "<switchmix ref=\"\"/>");
    LogDive d = onlyDive(read(uddf(mixes, "<samples>" + w + "</samples>")));
    ASSERT_EQ(d.gases.size(), 4u);
    expectGas(d.gases[0], 32, 0);
    expectGas(d.gases[1], 16, 45);
    expectGas(d.gases[2], 18, 45);
    expectGas(d.gases[3], 21, 0);
    EXPECT_EQ(d.firstGas, 0);
    ASSERT_EQ(d.switches.size(), 3u);
    EXPECT_EQ(d.switches[0].seconds, 120);
    EXPECT_EQ(d.switches[0].gas, 1);
    EXPECT_EQ(d.switches[2].gas, 3);
}

TEST(UddfGases, AirWithoutAnySwitchOrMix) {
    LogDive d = onlyDive(read(uddf("", "<samples>" + wp(0, 1) + wp(20, 3) + "</samples>")));
    ASSERT_EQ(d.gases.size(), 1u);
    expectGas(d.gases[0], 21, 0);
    EXPECT_EQ(d.firstGas, 0);
    EXPECT_TRUE(d.switches.empty());
}

TEST(UddfGases, EarlySwitchCountsFromZeroAndRepeatsAreNoSwitch) {
    std::string mixes = mix("a", "<o2>0.32</o2>") + mix("b", "<o2>0.50</o2>");
    // The first waypoint at 2 s carries the first gas; later the same mix again, then EAN50,
    // then EAN50 once more.
    std::string w = wp(2, 0, "<switchmix ref=\"a\"/>") + wp(60, 20, "<switchmix ref=\"a\"/>") +
                    wp(600, 6, "<switchmix ref=\"b\"/>") + wp(660, 3, "<switchmix ref=\"b\"/>");
    LogDive d = onlyDive(read(uddf(mixes, "<samples>" + w + "</samples>")));
    expectGas(d.gases[static_cast<size_t>(d.firstGas)], 32, 0);
    ASSERT_EQ(d.switches.size(), 1u);
    EXPECT_EQ(d.switches[0].seconds, 600);
    expectGas(d.gases[static_cast<size_t>(d.switches[0].gas)], 50, 0);
}

TEST(UddfGases, LateFirstSwitchLeavesAirBeforeIt) {
    std::string w = wp(0, 0) + wp(60, 20) + wp(300, 5, "<switchmix ref=\"d\"/>");
    LogDive d = onlyDive(read(uddf(mix("d", "<o2>0.5</o2>"), "<samples>" + w + "</samples>")));
    expectGas(d.gases[static_cast<size_t>(d.firstGas)], 21, 0);
    ASSERT_EQ(d.switches.size(), 1u);
    EXPECT_EQ(d.switches[0].seconds, 300);
}

TEST(UddfDive, ModeTimesAndIntervals) {
    std::string ccr =
        "<informationbeforedive><datetime>2025-03-21T14:05:33.25+02:00</datetime>"
        "<surfaceintervalbeforedive><passedtime>5400</passedtime>"
        "</surfaceintervalbeforedive></informationbeforedive><samples>" +
        wp(0, 0, "<divemode type=\"closedcircuit\"/>") +
        wp(60, 30, "<divemode type=\"opencircuit\"/>") +
        "</samples><informationafterdive><diveduration>150</diveduration>"
        "</informationafterdive>";
    LogDive d = onlyDive(read(uddf("", ccr)));
    EXPECT_EQ(d.kind, kRebreather);
    EXPECT_EQ(d.date, "21.03.2025");
    EXPECT_EQ(d.time, "14:05");
    EXPECT_EQ(d.startMinute, 20168LL * 1440 + 14 * 60 + 5);  // 2025-03-21 at 14:05
    EXPECT_EQ(d.intervalBeforeSeconds, 5400);
    EXPECT_EQ(d.durationSeconds, 150);
    EXPECT_EQ(d.greatestDepth, 30);

    // Offsets are read but not applied: the wall clock as written.
    for (const char* t :
         {"2025-03-21T14:05Z", "2025-03-21T14:05:00+00:07", "2025-03-21 14:05:59"}) {
        std::string info = std::string("<informationbeforedive><datetime>") + t +
                           "</datetime><surfaceintervalbeforedive><infinity/>"
                           "</surfaceintervalbeforedive></informationbeforedive>";
        LogDive e = onlyDive(read(uddf("", info)));
        EXPECT_EQ(e.startMinute, d.startMinute) << t;
        EXPECT_EQ(e.intervalBeforeSeconds, -1) << t;
    }
    std::string apnoe =
        "<samples>" + wp(0, 0.57, "<divemode type=\"apnoe\"/>") + wp(10, 0.57) + "</samples>";
    EXPECT_EQ(onlyDive(read(uddf("", apnoe))).kind, kApnoe);
}

TEST(UddfDive, TimesKeptInFileOrderAndDurationFromSamples) {
    // Samples after informationafterdive, a repeated and a backward time.
    std::string body =
        "<informationafterdive><greatestdepth>9</greatestdepth>"
        "</informationafterdive><samples>" +
        wp(0, 0) + wp(0, 1) + wp(1140, 12) + wp(1139, 11.5) + wp(1200, 0) + "</samples>";
    LogDive d = onlyDive(read(uddf("", body)));
    ASSERT_EQ(d.samples.size(), 5u);
    EXPECT_EQ(d.samples[3].seconds, 1139);
    EXPECT_EQ(d.durationSeconds, 1200);
    EXPECT_EQ(d.greatestDepth, 12);
    EXPECT_EQ(d.startMinute, -1);
    EXPECT_EQ(d.intervalBeforeSeconds, -1);
    EXPECT_EQ(d.date, "");
}

TEST(UddfFile, NamespacesRepetitionGroupsAndDivesWithoutSamples) {
    // '@' stands for the prefix of every element.
    std::string log =
        "<@gasdefinitions/><@profiledata><@repetitiongroup><@dive/><@dive><@samples>"
        "<@waypoint><@divetime>0</@divetime><@depth>4</@depth></@waypoint></@samples></@dive>"
        "</@repetitiongroup><@repetitiongroup><@dive><@samples><@waypoint><@divetime>30"
        "</@divetime><@depth>8</@depth></@waypoint></@samples></@dive></@repetitiongroup>"
        "</@profiledata></@uddf>";
    for (std::string open : {"<@uddf version=\"3.3.0\">", "<@uddf xmlns=\"urn:uddf:3.2\">",
                             "<@uddf xmlns:u=\"urn:x\">"}) {
        std::string prefix = open.find("xmlns:u") != std::string::npos ? "u:" : "";
        std::string text = open + log;
        for (size_t at; (at = text.find('@')) != std::string::npos;)
            text.replace(at, 1, prefix);
        LogFile f = read(text);
        ASSERT_TRUE(f.ok) << open << f.error;
        ASSERT_EQ(f.dives.size(), 3u) << open;
        EXPECT_TRUE(f.dives[0].samples.empty());
        EXPECT_EQ(f.dives[0].durationSeconds, -1);
        EXPECT_EQ(f.dives[1].samples[0].depth, 4);
        EXPECT_EQ(f.dives[2].samples[0].seconds, 30);
    }
}

TEST(LogErrors, NamedInGerman) {
    std::string bad = uddf("",
                           "<samples>\n<waypoint><divetime>0</divetime>\n<depth>abc</depth>"
                           "</waypoint></samples>");
    LogFile f = read(bad);
    EXPECT_FALSE(f.ok);
    EXPECT_EQ(f.error, "ERROR: In t.uddf ist <depth> in Zeile 4 keine Zahl: 'abc'.");

    f = read(uddf("", "<samples>" + wp(0, 1, "<switchmix ref=\"nirgends\"/>") + "</samples>"));
    EXPECT_EQ(f.error,
              "ERROR: In t.uddf ist <switchmix> in Zeile 2 ein Verweis auf kein Gasgemisch: "
              "'nirgends'.");
    f = read(uddf("",
                  "<informationbeforedive><datetime>gestern</datetime>"
                  "</informationbeforedive>"));
    EXPECT_EQ(f.error, "ERROR: In t.uddf ist <datetime> in Zeile 2 kein Datum: 'gestern'.");
    f = read(uddf(mix("x", "<o2>-0.1</o2>"), ""));
    EXPECT_EQ(f.error, "ERROR: In t.uddf ist <o2> in Zeile 2 kein Gasanteil: '-0.1'.");
    f = read(uddf(mix("x", "<o2>0.8</o2><he>0.5</he>"), ""));
    EXPECT_EQ(f.error, "ERROR: In t.uddf ist <mix> in Zeile 2 unter 5 % O2 oder ueber 100 %: 'x'.");

    EXPECT_EQ(read("").error, "ERROR: Die Datei t.uddf ist leer.");
    EXPECT_EQ(read(" \n\r\n").error, "ERROR: Die Datei t.uddf ist leer.");
    EXPECT_EQ(read("Nr,1,2\nDatum,1.1.25\n").error,
              "ERROR: Die Datei t.uddf ist keine UDDF- oder Subsurface-Datei.");
    EXPECT_EQ(read("<html><body/></html>").error,
              "ERROR: Die Datei t.uddf ist keine UDDF- oder Subsurface-Datei.");
    std::string deep = "<divelog>\n";
    for (int i = 0; i < 300; ++i)
        deep += "<dive>";
    EXPECT_EQ(read(deep).error,
              "ERROR: t.uddf ist zu tief verschachtelt (Zeile 2), keine UDDF- "
              "oder Subsurface-Datei.");
    std::string empties = "<divelog>";
    for (int i = 0; i <= 100000; ++i)
        empties += "<dive/>";
    EXPECT_EQ(read(empties + "</divelog>").error,
              "ERROR: t.uddf enthaelt mehr als 100000 Tauchgaenge (Zeile 1).");
    // Expat still ends an empty element after the stop.
    EXPECT_EQ(read("<html/>").error, read("<html><body/></html>").error);
    std::string whole = uddf("", "<samples>" + wp(0, 1) + "</samples>");
    f = read(whole.substr(0, whole.find("</dive>")));
    EXPECT_EQ(f.error, "ERROR: t.uddf ist kein gueltiges XML (Zeile 2: no element found).");
    f = read("<uddf>\n<a></b></uddf>");
    EXPECT_EQ(f.error, "ERROR: t.uddf ist kein gueltiges XML (Zeile 2: mismatched tag).");
    // A cut text never reads as a shorter number; messages stay short and plain ASCII.
    f = read(uddf("", "<samples><waypoint><depth>" + std::string(300, '1') +
                          "</depth></waypoint></samples>"));
    EXPECT_FALSE(f.ok);
    EXPECT_LT(f.error.size(), 120u);
    f = read(uddf("", "<samples><waypoint><depth>\xc3\xa4</depth></waypoint></samples>"));
    EXPECT_EQ(f.error,
              "ERROR: In t.uddf ist <depth> in Zeile 2 keine Zahl: '?"
              "?'.");
}

std::string divelog(const std::string& dives) {
    return "<divelog program='subsurface' version='3'><settings/><dives>" + dives +
           "</dives></divelog>";
}

TEST(Subsurface, SamplesCylindersAndEvents) {
    std::string dive =
        "<trip date='2011-10-03'><dive number='7' date='2011-10-03' time='10:00:00' "
        "duration='45:30 min'>"
        "<cylinder size='12.0 l' description='air'/><cylinder o2='50.0%'/>"
        "<cylinder o2='18.0%' he='45.0%'/>"
        "<divecomputer model='A' dctype='OC'>"
        "<event time='0:10 min' type='25' name='gaschange' cylinder='2'/>"
        "<sample time='0:10 min' depth='0.0 m'/><sample time='1:30 min' depth='12.3 m'/>"
        "<sample time='2:00 min' temp='20.0 C'/>"
        "<event time='20:00 min' name='gaschange' cylinder='1' o2='50.0%'/>"
        "<event time='21:00 min' name='bookmark'/>"
        "<sample time='0:40:00' depth='30 ft'/></divecomputer>"
        "<divecomputer model='B'><sample time='0:10 min' depth='9.0 m'/>"
        "<event time='0:20 min' name='gaschange' cylinder='0'/></divecomputer>"
        "</dive></trip>";
    LogFile f = readLogBuffer(divelog(dive).data(), divelog(dive).size(), "t.ssrf");
    LogDive d = onlyDive(f);
    ASSERT_EQ(d.gases.size(), 3u);
    expectGas(d.gases[0], 21, 0);  // a cylinder without o2 holds air
    expectGas(d.gases[2], 18, 45);
    EXPECT_EQ(d.firstGas, 2);  // the change at the first sample's time counts from 0
    ASSERT_EQ(d.switches.size(), 1u);
    EXPECT_EQ(d.switches[0].seconds, 1200);
    EXPECT_EQ(d.switches[0].gas, 1);
    ASSERT_EQ(d.samples.size(), 4u);
    EXPECT_EQ(d.samples[1].seconds, 90);
    EXPECT_NEAR(d.samples[1].depth, 12.3, 1e-9);
    EXPECT_NEAR(d.samples[2].depth, 12.3, 1e-9);  // no depth: the one before
    EXPECT_EQ(d.samples[3].seconds, 2400);
    EXPECT_NEAR(d.samples[3].depth, 9.144, 1e-9);
    EXPECT_EQ(d.durationSeconds, 2730);
    EXPECT_EQ(d.date, "03.10.2011");
    EXPECT_EQ(d.time, "10:00");
    EXPECT_EQ(d.kind, kOpenCircuit);
}

TEST(Subsurface, OldGasChangeModesAndNoCylinders) {
    // Value packs O2 + 65536 x He; 50 % is no cylinder of the dive and is added.
    std::string dives =
        "<dive date='2010-12-04' time='10:38:00' duration='14:30 min'><cylinder o2='32.0%'/>"
        "<divecomputer><sample time='0:00 min' depth='0.0 m'/><sample time='10:00 min' "
        "depth='20.0 m'/><event time='5:00 min' type='11' value='50' name='gaschange'/>"
        "<event time='6:00 min' type='11' value='" +
        std::to_string(18 + 65536 * 45) +
        "' name='gaschange'/><event time='7:00 min' value='32' name='gaschange'/>"
        "</divecomputer></dive>"
        "<dive date='2014-04-01' time='07:00'><divecomputer dctype='CCR'>"
        "<sample time='30 sec' depth='3 m'/></divecomputer></dive>"
        "<dive><divecomputer dctype='Freedive'/></dive>";
    LogFile f = readLogBuffer(divelog(dives).data(), divelog(dives).size(), "t.ssrf");
    ASSERT_TRUE(f.ok) << f.error;
    ASSERT_EQ(f.dives.size(), 3u);
    const LogDive& d = f.dives[0];
    ASSERT_EQ(d.gases.size(), 3u);
    expectGas(d.gases[1], 50, 0);
    expectGas(d.gases[2], 18, 45);
    ASSERT_EQ(d.switches.size(), 3u);
    EXPECT_EQ(d.switches[2].gas, 0);  // back to the cylinder of the same mix
    EXPECT_EQ(f.dives[1].kind, kRebreather);
    ASSERT_EQ(f.dives[1].gases.size(), 1u);
    expectGas(f.dives[1].gases[0], 21, 0);
    EXPECT_EQ(f.dives[1].samples[0].seconds, 30);
    EXPECT_EQ(f.dives[1].durationSeconds, 30);
    EXPECT_EQ(f.dives[2].kind, kApnoe);
    EXPECT_TRUE(f.dives[2].samples.empty());
    EXPECT_EQ(f.dives[2].startMinute, -1);
}

TEST(Subsurface, BadValuesNamed) {
    auto error = [](const std::string& dive) {
        std::string x = divelog(dive);
        return readLogBuffer(x.data(), x.size(), "t.xml").error;
    };
    EXPECT_EQ(error("<dive><divecomputer><sample time='1:3x min' depth='1 m'/></divecomputer>"
                    "</dive>"),
              "ERROR: In t.xml ist <sample> in Zeile 1 keine Zeit: '1:3x min'.");
    EXPECT_EQ(error("<dive><divecomputer><sample time='1:30 min' depth='1 km'/></divecomputer>"
                    "</dive>"),
              "ERROR: In t.xml ist <sample> in Zeile 1 keine Tiefe: '1 km'.");
    EXPECT_EQ(error("<dive><cylinder o2='32%'/><divecomputer><event time='1:00 min' "
                    "name='gaschange' cylinder='1'/></divecomputer></dive>"),
              "ERROR: In t.xml ist <event> in Zeile 1 ein Verweis auf keine Flasche: '1'.");
    EXPECT_EQ(error("<dive><cylinder o2='132%'/></dive>"),
              "ERROR: In t.xml ist <cylinder> in Zeile 1 kein Gasanteil: '132%'.");
    EXPECT_EQ(error("<dive><divecomputer><event name='gaschange' value='50'/></divecomputer>"
                    "</dive>"),
              "ERROR: In t.xml ist <event> in Zeile 1 keine Zeit: ''.");
    // 60 + 65536 x 50; 4 % oxygen
    for (const char* value : {"-1", "50.5", "6553701", "101", "3276860", "4"}) {
        EXPECT_EQ(error(std::string("<dive><divecomputer><event time='1:00 min' name='gaschange' "
                                    "value='") +
                        value + "'/></divecomputer></dive>"),
                  std::string("ERROR: In t.xml ist <event> in Zeile 1 kein Gasgemisch: '") + value +
                      "'.");
    }
    EXPECT_EQ(error("<dive date='2011-02-30'/>"),
              "ERROR: In t.xml ist <dive> in Zeile 1 kein Datum: '2011-02-30'.");
    EXPECT_EQ(error("<dive duration='lang'/>"),
              "ERROR: In t.xml ist <dive> in Zeile 1 keine Dauer: 'lang'.");
}

TEST(LogValues, TimesDepthsPercentsDates) {
    double v = -1;
    for (auto [text, seconds] : std::vector<std::pair<const char*, double>>{{"1:30 min", 90},
                                                                            {"45 sec", 45},
                                                                            {"2 min", 120},
                                                                            {"0:01:30", 90},
                                                                            {" 90 ", 90},
                                                                            {"7.5 s", 7.5},
                                                                            {"1:02.5", 62.5}}) {
        EXPECT_TRUE(parseDuration(text, &v) && v == seconds) << text << " " << v;
    }
    for (const char* bad :
         {"", "min", "1:", ":30", "1:2:3:4", "-1:00", "1:-5", "1:30 h", "1e999"}) {
        EXPECT_FALSE(parseDuration(bad, &v)) << bad;
    }
    EXPECT_TRUE(parseDepth("12.3 m", &v) && v == 12.3);
    EXPECT_TRUE(parseDepth("-0.2", &v) && v == -0.2);
    EXPECT_FALSE(parseDepth("12.3 fathoms", &v));
    EXPECT_TRUE(parsePercent("32.0%", &v) && v == 32);
    EXPECT_TRUE(parsePercent("+21", &v) && v == 21);
    EXPECT_FALSE(parsePercent("101%", &v));
    EXPECT_FALSE(parseNumber("nan", &v));
    EXPECT_FALSE(parseNumber("inf", &v));
    EXPECT_FALSE(parseNumber("1,5", &v));

    LocalTime t;
    ASSERT_TRUE(parseDateTime("2024-02-29T23:59:60,1234567-0500", &t));
    EXPECT_EQ(t.minute, 19782LL * 1440 + 23 * 60 + 59);
    EXPECT_EQ(t.date, "29.02.2024");
    ASSERT_TRUE(parseDateTime("1969-12-31", &t));
    EXPECT_FALSE(t.hasTime);
    EXPECT_EQ(t.minute, -1440);
    EXPECT_EQ(t.time, "");
    for (const char* bad :
         {"2023-02-29", "2024-13-01", "2024-01-01T24:00", "2024-01-01T10:00+25:00",
          "2024-01-01T10:00:00.", "2024-01-01T10", "2024-01-01X10:00", "0000-01-01", "2024-1-01",
          "2024-01-01T10:00Zulu"}) {
        EXPECT_FALSE(parseDateTime(bad, &t)) << bad;
    }
}

TEST(LogFileRead, FileInPiecesReadsAsTheBuffer) {
    ScratchDir dir;
    // Well over one 64 KiB piece, so that elements and texts straddle the pieces.
    std::string w;
    for (int i = 0; i < 4000; ++i)
        w += wp(i * 1.5, (i % 400) / 10.0);
    std::string x = uddf(mix("m", "<o2>0.32</o2>"), "<samples>" + w + "</samples>");
    writeFile("grosse datei.uddf", x);
    LogFile fromFile = readLogFile("grosse datei.uddf");
    LogFile fromBuffer = read(x);
    ASSERT_TRUE(fromFile.ok) << fromFile.error;
    ASSERT_EQ(fromFile.dives.size(), 1u);
    ASSERT_EQ(fromFile.dives[0].samples.size(), 4000u);
    for (size_t i = 0; i < 4000; ++i) {
        EXPECT_EQ(fromFile.dives[0].samples[i].seconds, fromBuffer.dives[0].samples[i].seconds);
        EXPECT_EQ(fromFile.dives[0].samples[i].depth, fromBuffer.dives[0].samples[i].depth);
    }
    EXPECT_EQ(readLogFile("fehlt.uddf").error, "ERROR: Fehler beim Oeffnen der Datei fehlt.uddf.");
    writeFile("leer.ssrf", "");
    EXPECT_EQ(readLogFile("leer.ssrf").error, "ERROR: Die Datei leer.ssrf ist leer.");
}

}  // namespace
