// The log reader on files of our own that hold dives as the diver recorded them, not as the
// file lists them: order, time zones, gases, several computers, implausible values, marks, and
// the ways a log may be stored (UTF-16, compressed, empty).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "import/logfile.h"
#include "import/logparse.h"
#include "support/logdives.h"
#include "testutil.h"

namespace {

LogFile readAs(const std::string& bytes, const char* name) {
    return readLogBuffer(bytes.data(), bytes.size(), name);
}

std::string uddfDives(const std::string& mixes, const std::string& dives) {
    return "<?xml version=\"1.0\"?>\n<uddf><gasdefinitions>" + mixes +
           "</gasdefinitions><profiledata><repetitiongroup>" + dives +
           "</repetitiongroup></profiledata></uddf>";
}

// A UDDF dive starting at `when` with samples at 0 and 600 s of `depth` metres.
std::string uddfDive(const std::string& when, const std::string& body = "",
                     const std::string& depth = "10") {
    std::string info = when.empty() ? std::string()
                                    : "<informationbeforedive><datetime>" + when +
                                          "</datetime></informationbeforedive>";
    return "<dive>" + info + body + "<samples><waypoint><divetime>0</divetime><depth>" + depth +
           "</depth></waypoint><waypoint><divetime>600</divetime><depth>" + depth +
           "</depth></waypoint></samples></dive>";
}

std::string divelog(const std::string& dives) {
    return "<divelog program='subsurface' version='3'><dives>" + dives + "</dives></divelog>";
}

TEST(LogOrder, NewestFirstIsSortedAndSaid) {
    LogFile f =
        readAs(uddfDives("", uddfDive("2026-07-02T09:00") + uddfDive("") +
                                 uddfDive("2026-07-01T14:00") + uddfDive("2026-07-01T09:00")),
               "t.uddf");
    ASSERT_TRUE(f.ok) << f.error;
    EXPECT_TRUE(f.sorted);
    ASSERT_EQ(f.dives.size(), 4u);
    EXPECT_EQ(f.dives[0].time, "09:00");
    EXPECT_EQ(f.dives[0].date, "01.07.2026");
    EXPECT_EQ(f.dives[1].time, "14:00");
    // The dive without a start stays behind the one before it in the file.
    EXPECT_EQ(f.dives[2].date, "02.07.2026");
    EXPECT_EQ(f.dives[3].startMinute, -1);
    // In order already, and one start twice: nothing moves.
    f = readAs(uddfDives("", uddfDive("") + uddfDive("2026-07-01T09:00") +
                                 uddfDive("2026-07-01T09:00") + uddfDive("2026-07-01T10:00")),
               "t.uddf");
    EXPECT_FALSE(f.sorted);
    EXPECT_EQ(f.dives[0].startMinute, -1);
}

TEST(LogOrder, InUtcWhenEveryDiveNamesItsOffset) {
    // 08:30 in Egypt (+03:00) is before 07:00 at home in UTC.
    std::string dives = uddfDive("2026-07-01T07:00:00Z") + uddfDive("2026-07-01T08:30:00+03:00");
    LogFile f = readAs(uddfDives("", dives), "t.uddf");
    EXPECT_TRUE(f.sorted);
    EXPECT_EQ(f.dives[0].utcOffset, 180);
    EXPECT_EQ(f.dives[1].utcOffset, 0);
    // One without an offset: the wall clock as written.
    f = readAs(
        uddfDives("", uddfDive("2026-07-01T07:00:00") + uddfDive("2026-07-01T08:30:00+03:00")),
        "t.uddf");
    EXPECT_FALSE(f.sorted);
    EXPECT_EQ(f.dives[0].utcOffset, kNoOffset);
}

TEST(LogValues, OffsetsKept) {
    LocalTime t;
    ASSERT_TRUE(parseDateTime("2026-07-01T12:00:00+02:00", &t));
    EXPECT_EQ(t.offset, 120);
    EXPECT_EQ(t.time, "12:00");
    ASSERT_TRUE(parseDateTime("2026-07-01T12:00-0530", &t));
    EXPECT_EQ(t.offset, -330);
    ASSERT_TRUE(parseDateTime("2026-07-01 12:00:00.5Z", &t));
    EXPECT_EQ(t.offset, 0);
    ASSERT_TRUE(parseDateTime("2026-07-01T12:00", &t));
    EXPECT_EQ(t.offset, kNoOffset);
}

TEST(LogGasesRecorded, SubsurfaceWithoutCylinderStartsOnAir) {
    LogDive d = onlyDive(readAs(divelog("<dive><divecomputer><sample time='0:00 min' depth='0 m'/>"
                                        "<sample time='17:00 min' depth='30 m'/>"
                                        "<event time='21:00 min' name='gaschange' value='50'/>"
                                        "<sample time='30:00 min' depth='3 m'/>"
                                        "</divecomputer></dive>"),
                                "t.ssrf"));
    expectGas(d.gases[static_cast<size_t>(d.firstGas)], 21, 0);
    ASSERT_EQ(d.switches.size(), 1u);
    EXPECT_EQ(d.switches[0].seconds, 1260);
    expectGas(d.gases[static_cast<size_t>(d.switches[0].gas)], 50, 0);
}

TEST(LogGasesRecorded, SubsurfaceFractionsAndTheSameMixTwice) {
    // o2='0.32' is a fraction; a change to a second cylinder of EAN32 is no switch.
    LogDive d = onlyDive(readAs(divelog("<dive><cylinder o2='0.32'/><cylinder o2='32.0%'/>"
                                        "<cylinder o2='1' he='0'/><divecomputer>"
                                        "<sample time='0:00 min' depth='10 m'/>"
                                        "<event time='5:00 min' name='gaschange' cylinder='1'/>"
                                        "<sample time='10:00 min' depth='10 m'/>"
                                        "</divecomputer></dive>"),
                                "t.ssrf"));
    expectGas(d.gases[0], 32, 0);
    expectGas(d.gases[2], 100, 0);
    EXPECT_TRUE(d.switches.empty());
    LogFile f = readAs(divelog("<dive><cylinder o2='4%'/></dive>"), "t.ssrf");
    EXPECT_EQ(f.error,
              "ERROR: In t.ssrf ist <cylinder> in Zeile 1 unter 5 % O2 oder ueber 100 %: "
              "'4%'.");
}

TEST(LogGasesRecorded, UddfTankGivesTheFirstGas) {
    std::string mixes =
        "<mix id='tx'><o2>0.18</o2><he>0.45</he></mix>"
        "<mix id='n50'><o2>0.50</o2></mix>";
    LogDive d = onlyDive(readAs(
        uddfDives(mixes, uddfDive("2026-07-01T09:00", "<tankdata><link ref='tx'/></tankdata>")),
        "t.uddf"));
    expectGas(d.gases[static_cast<size_t>(d.firstGas)], 18, 45);
    EXPECT_TRUE(d.note.empty());
    // Two tanks, no switch: the leaner mix, and the block says so.
    d = onlyDive(readAs(uddfDives(mixes, uddfDive("2026-07-01T09:00",
                                                  "<tankdata><link ref='n50'/></tankdata>"
                                                  "<tankdata><link ref='tx'/></tankdata>")),
                        "t.uddf"));
    expectGas(d.gases[static_cast<size_t>(d.firstGas)], 18, 45);
    EXPECT_EQ(d.note,
              "Mehrere Flaschen, kein Gaswechsel zu Beginn: das Gas mit dem wenigsten\n"
              "Sauerstoff gilt ab Beginn, die sichere Seite.");
    // A switch at the start says otherwise.
    std::string body =
        "<tankdata><link ref='tx'/></tankdata><samples><waypoint><divetime>0"
        "</divetime><depth>0</depth><switchmix ref='n50'/></waypoint><waypoint>"
        "<divetime>60</divetime><depth>5</depth></waypoint></samples>";
    d = onlyDive(readAs(uddfDives(mixes, "<dive>" + body + "</dive>"), "t.uddf"));
    expectGas(d.gases[static_cast<size_t>(d.firstGas)], 50, 0);
    EXPECT_EQ(
        readAs(uddfDives(mixes, uddfDive("", "<tankdata><link ref='x'/></tankdata>")), "t.uddf")
            .error,
        "ERROR: In t.uddf ist <link> in Zeile 2 ein Verweis auf kein Gasgemisch: 'x'.");
}

TEST(LogGasesRecorded, UddfMixesReadOrRefused) {
    auto gas = [](const std::string& body) {
        std::string x = uddfDives("<mix id='m'>" + body + "</mix>",
                                  "<dive><samples><waypoint><divetime>0</divetime><depth>1"
                                  "</depth><switchmix ref='m'/></waypoint></samples></dive>");
        LogFile f = readAs(x, "t.uddf");
        EXPECT_TRUE(f.ok) << body << ": " << f.error;
        return f.dives.empty() ? LogGas{-1, -1} : f.dives[0].gases[0];
    };
    auto error = [](const std::string& mixes) {
        return readAs(uddfDives(mixes, ""), "t.uddf").error;
    };
    // Without oxygen: what nitrogen and helium leave, as fractions or in percent.
    expectGas(gas("<n2>0.40</n2><he>0.50</he>"), 10, 50);
    expectGas(gas("<n2>40</n2><he>50</he>"), 10, 50);
    expectGas(gas("<n2>0.79</n2>"), 21, 0);
    expectGas(gas("<o2>1</o2>"), 100, 0);
    expectGas(gas("<o2>0.05</o2><he>0.95</he>"), 5, 95);
    EXPECT_EQ(error("<mix id='a'><he>0.5</he></mix>"),
              "ERROR: In t.uddf ist <mix> in Zeile 2 ohne O2- und N2-Anteil: 'a'.");
    const char* refused =
        "ERROR: In t.uddf ist <mix> in Zeile 2 unter 5 % O2 oder ueber 100 %: 'a'.";
    EXPECT_EQ(error("<mix id='a'><o2>0.32</o2><n2>0.79</n2></mix>"), refused);
    EXPECT_EQ(error("<mix id='a'><o2>0.04</o2></mix>"), refused);
    EXPECT_EQ(error("<mix id='a'><o2>0.50</o2><he>0.51</he></mix>"), refused);
    EXPECT_EQ(error("<mix id='a'><n2>0.60</n2><he>0.38</he></mix>"), refused);
    EXPECT_EQ(error("<mix id='a'><o2>0.32</o2></mix><mix id='a'><o2>0.50</o2></mix>"),
              "ERROR: In t.uddf ist <mix> in Zeile 2 ein zweites Gasgemisch derselben id: 'a'.");
}

// Two computers: the deeper one is used; of equal depth the longer one.
TEST(LogComputers, TheDeepestIsUsedAndAllAreNamed) {
    std::string a =
        "<divecomputer model='Suunto D5'><sample time='0:00 min' depth='0 m'/>"
        "<sample time='10:00 min' depth='20 m'/><sample time='22:00 min' "
        "depth='0 m'/></divecomputer>";
    std::string b =
        "<divecomputer model='Perdix'><sample time='0:00 min' depth='0 m'/>"
        "<event time='1:00 min' name='gaschange' value='50'/>"
        "<sample time='12:00 min' depth='35 m'/><sample time='30:00 min' "
        "depth='0 m'/></divecomputer>";
    LogDive d = onlyDive(readAs(divelog("<dive>" + a + b + "</dive>"), "t.ssrf"));
    EXPECT_EQ(d.greatestDepth, 35);
    EXPECT_EQ(d.samples.size(), 3u);
    EXPECT_EQ(d.switches.size(), 1u);
    EXPECT_EQ(d.note,
              "2 Tauchcomputer; verwendet wird der tiefste (bei gleicher Tiefe der laengere):\n"
              "  1. Suunto D5: 20.0 m, 22:00 min\n"
              "  2. Perdix: 35.0 m, 30:00 min (verwendet)");
    std::string longer =
        "<divecomputer><sample time='0:00 min' depth='0 m'/>"
        "<sample time='10:00 min' depth='20 m'/><sample time='25:00 min' "
        "depth='0 m'/></divecomputer>";
    d = onlyDive(readAs(divelog("<dive>" + a + longer + "</dive>"), "t.ssrf"));
    EXPECT_EQ(d.durationSeconds, 1500);
    EXPECT_NE(d.note.find("  2. (ohne Namen): 20.0 m, 25:00 min (verwendet)"), std::string::npos);
    // One computer: nothing to say.
    EXPECT_TRUE(onlyDive(readAs(divelog("<dive>" + a + "</dive>"), "t.ssrf")).note.empty());
}

TEST(LogImplausible, RefusedByName) {
    auto refusal = [](const std::string& depth, const std::string& time = "60") {
        std::string x =
            uddfDives("", "<dive><samples><waypoint><divetime>" + time + "</divetime><depth>" +
                              depth + "</depth></waypoint></samples></dive>");
        return onlyDive(readAs(x, "t.uddf")).refusal;
    };
    EXPECT_EQ(refusal("-1"), "");
    EXPECT_EQ(refusal("350"), "");
    EXPECT_EQ(refusal("-1.5"),
              "hat eine unmoegliche Tiefe:\n-1.5 m bei 60.0 s (erlaubt sind -1 bis 350 m).");
    EXPECT_EQ(refusal("350.5"),
              "hat eine unmoegliche Tiefe:\n350.5 m bei 60.0 s (erlaubt sind -1 bis 350 m).");
    EXPECT_EQ(refusal("1e300"),
              "hat eine unmoegliche Tiefe:\n1e+300 m bei 60.0 s (erlaubt sind -1 bis 350 m).");
    EXPECT_EQ(refusal("3", "-30"), "hat eine Probe vor seinem Beginn:\nbei -30.0 s.");
    EXPECT_EQ(refusal("3", "0"), "");
    LogDive d =
        onlyDive(readAs(divelog("<dive><divecomputer><sample time=' -0:30 min' depth='0 m'/>"
                                "<sample time='5:00 min' depth='5 m'/></divecomputer></dive>"),
                        "t.ssrf"));
    EXPECT_EQ(d.refusal, "hat eine Probe vor seinem Beginn:\nbei -30.0 s.");
    std::string x = uddfDives("", uddfDive("2026-07-01T09:00",
                                           "<informationbeforedive><surfaceintervalbeforedive>"
                                           "<passedtime>-60</passedtime>"
                                           "</surfaceintervalbeforedive>"
                                           "</informationbeforedive>"));
    d = onlyDive(readAs(x, "t.uddf"));
    EXPECT_EQ(d.refusal, "nennt eine negative Oberflaechenpause\nvor sich (-60.0 s).");
    EXPECT_EQ(d.intervalBeforeSeconds, -1);
}

TEST(LogMarks, RebreatherInAnyCaseAndWithBlanks) {
    std::string x = uddfDives("", uddfDive("",
                                           "<informationbeforedive><divemode "
                                           "type=' ClosedCircuit '/></informationbeforedive>"));
    EXPECT_EQ(onlyDive(readAs(x, "t.uddf")).kind, kRebreather);
    x = uddfDives("", uddfDive("",
                               "<informationbeforedive><divemode type='Apnoe'/>"
                               "</informationbeforedive>"));
    EXPECT_EQ(onlyDive(readAs(x, "t.uddf")).kind, kApnoe);
    EXPECT_EQ(
        onlyDive(readAs(divelog("<dive><divecomputer dctype='ccr '/></dive>"), "t.ssrf")).kind,
        kRebreather);
    // Only the oxygen cylinder tells the loop.
    EXPECT_EQ(
        onlyDive(readAs(divelog("<dive><cylinder o2='21%'/><cylinder o2='100%' use=' Oxygen'/>"
                                "</dive>"),
                        "t.ssrf"))
            .kind,
        kRebreather);
    EXPECT_EQ(
        onlyDive(readAs(divelog("<dive><cylinder o2='21%' use='OC-gas'/></dive>"), "t.ssrf")).kind,
        kOpenCircuit);
    EXPECT_FALSE(isWord("closed circuit", "closedcircuit"));
    EXPECT_FALSE(isWord(nullptr, "ccr"));
    EXPECT_FALSE(isWord("ccrx", "ccr"));
}

// UTF-16 of plain ASCII text, with its byte order mark.
std::string utf16(const std::string& text, bool little) {
    std::string out = little ? "\xFF\xFE" : "\xFE\xFF";
    for (char c : text) {
        out += little ? c : '\0';
        out += little ? '\0' : c;
    }
    return out;
}

TEST(LogStored, Utf16CompressedEncodingAndEmpty) {
    ScratchDir dir;
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n" +
                      divelog(
                          "<dive date='2026-07-01' time='09:00:00'><divecomputer>"
                          "<sample time='1:00 min' depth='12 m'/></divecomputer></dive>");
    for (bool little : {true, false}) {
        writeFile("u.ssrf", utf16(xml, little));
        EXPECT_EQ(probeLogFile("u.ssrf"), kProbeLog);
        LogFile f = readLogFile("u.ssrf");
        ASSERT_TRUE(f.ok) << f.error;
        EXPECT_EQ(f.dives.at(0).greatestDepth, 12);
    }
    writeFile("bom.uddf", "\xEF\xBB\xBF <uddf/>");
    EXPECT_EQ(probeLogFile("bom.uddf"), kProbeLog);
    writeFile("x.csv", "\xEF\xBB\xBFNr,1\n");
    EXPECT_EQ(probeLogFile("x.csv"), kProbeOther);
    writeFile("z.uddf.gz", std::string("\x1f\x8b\x08\0\0\0\0\0", 8));
    EXPECT_EQ(probeLogFile("z.uddf.gz"), kProbeLog);
    EXPECT_EQ(readLogFile("z.uddf.gz").error,
              "ERROR: Die Datei z.uddf.gz ist komprimiert: bitte entpacken.");
    writeFile("z.zip", "PK\x03\x04rest");
    EXPECT_EQ(readLogFile("z.zip").error,
              "ERROR: Die Datei z.zip ist komprimiert: bitte entpacken.");
    writeFile("w.uddf", "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<uddf/>");
    EXPECT_EQ(readLogFile("w.uddf").error,
              "ERROR: Die Datei w.uddf hat die unlesbare Zeichenkodierung 'windows-1252'.");
    writeFile("leer.uddf", "");
    EXPECT_EQ(probeLogFile("leer.uddf"), kProbeEmpty);
    EXPECT_EQ(probeLogFile("fehlt.uddf"), kProbeOther);
    EXPECT_EQ(probeLogFile("."), kProbeOther);
}

}  // namespace
