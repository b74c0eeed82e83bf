// The profile's picture: its facts (a panel per dive, a step per minute, the switch at its
// minute, MODs where they matter, warnings and held time where they apply), its bytes and size.
#include "export/picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include "assist/minutes.h"
#include "dialogue/picturefile.h"

namespace {

int count(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        n++;
    return n;
}

// The panels of a picture, each from its group's start to the next.
std::vector<std::string> panels(const std::string& svg) {
    std::vector<std::string> out;
    const std::string start = "<g class=\"tauchgang\">";
    for (size_t at = svg.find(start); at != std::string::npos;) {
        size_t next = svg.find(start, at + 1);
        out.push_back(svg.substr(at, next == std::string::npos ? std::string::npos : next - at));
        at = next;
    }
    return out;
}

// The d attributes of the panel's minute paths, in order.
std::vector<std::string> minutePaths(const std::string& panel) {
    std::vector<std::string> paths;
    for (size_t at = panel.find("class=\"minuten\""); at != std::string::npos;
         at = panel.find("class=\"minuten\"", at + 1)) {
        size_t d = panel.find(" d=\"", at) + 4;
        paths.push_back(panel.substr(d, panel.find('"', d) - d));
    }
    return paths;
}

// A log's dive on 32 % and 50 %: down to `deepest` in 3 minutes, up from 15 minutes on at
// 3 m a minute, a sample every `step` seconds; the switch to 50 % at `switchAt` seconds
// (none below 0).
Dive sampleDive(int number, double deepest, double switchAt, double step = 20) {
    Dive dive;
    dive.number = number;
    dive.gases = {{32, 0}, {50, 0}};
    double end = 900 + deepest / 3 * 60;
    for (double t = 0; t <= end + 1e-9; t += step) {
        double depth = t < 180 ? deepest * t / 180 : t < 900 ? deepest : deepest - (t - 900) / 20;
        dive.samples.push_back({t, std::max(0.0, depth)});
    }
    if (switchAt >= 0) dive.switches.push_back({switchAt, 1});
    dive.intervalAfter = 231;
    return dive;
}

struct Picture {
    std::vector<Dive> dives;
    std::vector<PictureDive> notes;
    std::string svg;
};

Picture draw(const std::vector<Dive>& dives) {
    Picture p;
    p.dives = dives;
    for (const Dive& d : dives)
        p.notes.push_back(pictureNotes(d, "14.06.2026 09:42", "laut Export"));
    p.svg = profilePicture(p.dives, p.notes, "logbuch.vdp");
    return p;
}

// Where the picture puts a time: the plot starts at 60 and is 720 wide over `axis` seconds.
std::string xOf(double seconds, double axis) {
    char text[32];
    snprintf(text, sizeof text, "%.1f", 60 + seconds / axis * kSvgColumns);
    std::string s = text;
    if (s.size() > 2 && s.compare(s.size() - 2, 2, ".0") == 0) s.resize(s.size() - 2);
    return s;
}

TEST(Picture, APanelPerDiveAndAPauseBetweenThem) {
    Picture p = draw({sampleDive(1, 18, -1), sampleDive(2, 30, 1060), sampleDive(3, 12, -1)});
    EXPECT_EQ(panels(p.svg).size(), 3u);
    EXPECT_EQ(count(p.svg, "class=\"pause\""), 2);
    EXPECT_NE(p.svg.find(">Pause 3:51h, laut Export</text>"), std::string::npos);
    EXPECT_NE(p.svg.find(">Tauchgang 2 vom 14.06.2026 09:42 - 25 min, tiefste Minute 30 m<"),
              std::string::npos);
    EXPECT_EQ(panels(profilePicture({}, {}, "leer.vdp")).size(), 0u);
}

TEST(Picture, AStepPerWrittenMinute) {
    Picture p = draw({sampleDive(1, 18, -1), sampleDive(2, 30, 1060)});
    std::vector<std::string> shown = panels(p.svg);
    for (size_t i = 0; i < shown.size(); i++) {
        int steps = 0;
        for (const std::string& d : minutePaths(shown[i]))
            steps += count(d, " H");
        EXPECT_EQ(steps, minuteCount(p.dives[i])) << "dive " << i + 1;
        EXPECT_EQ(p.notes[i].minutes.size(), static_cast<size_t>(minuteCount(p.dives[i])));
    }
}

TEST(Picture, TheSwitchIsMarkedAtItsTimeAndTheGasChangesAtItsMinute) {
    Picture p = draw({sampleDive(2, 30, 1060)});
    ASSERT_EQ(p.notes[0].switches.size(), 1u);
    long long minute = switchMinute(p.dives[0], 0);
    EXPECT_EQ(p.notes[0].switches[0].minute, minute);
    EXPECT_EQ(minute, 19);  // a richer gas counts from the first minute that starts after 17:40
    double axis = 25 * 60;  // the dive lasts 25 minutes, a whole step of 5
    EXPECT_NE(p.svg.find("<line class=\"wechsel\" x1=\"" + xOf(1060, axis) + "\""),
              std::string::npos);
    EXPECT_NE(p.svg.find(">50 % O2 ab 17:40 (im Profil ab Minute 19)<"), std::string::npos);
    std::vector<std::string> paths = minutePaths(p.svg);
    ASSERT_EQ(paths.size(), 2u);  // 32 %, then 50 %
    EXPECT_EQ(paths[1].substr(0, paths[1].find(' ')), "M" + xOf(60.0 * (minute - 1), axis));
}

TEST(Picture, AModOnlyWhereItLiesWithinTheDrawnDepth) {
    // 30 m: the scale ends at 30 m; 50 % (22 m) matters, 32 % (40 m) does not.
    Picture shallow = draw({sampleDive(1, 30, 1060)});
    EXPECT_EQ(count(shallow.svg, "class=\"mod\""), 1);
    EXPECT_NE(shallow.svg.find(">MOD 50 % O2: 22 m<"), std::string::npos);
    EXPECT_EQ(shallow.svg.find("MOD 32 % O2"), std::string::npos);
    // 40 m exactly: the scale ends at 40 m and holds 32 %'s MOD.
    Picture deep = draw({sampleDive(1, 40, 1060)});
    EXPECT_NE(deep.svg.find(">MOD 32 % O2: 40 m<"), std::string::npos);
    EXPECT_EQ(count(deep.svg, "class=\"mod\""), 2);
}

TEST(Picture, AGasBeyondItsModIsAWarningAtItsDeepestSample) {
    // 32 % down to its MOD, not below; 50 % from 22 m up.
    Picture within = draw({sampleDive(1, 40, 1260)});
    EXPECT_TRUE(within.notes[0].warnings.empty());
    EXPECT_EQ(within.svg.find("WARNUNG:"), std::string::npos);
    Picture beyond = draw({sampleDive(1, 40.1, 1262)});
    ASSERT_EQ(beyond.notes[0].warnings.size(), 1u);
    EXPECT_EQ(beyond.notes[0].warnings[0].seconds, 180);
    EXPECT_NE(beyond.svg.find(">WARNUNG: 32 % O2 bei 40.1 m tiefer als seine MOD (40.0 m)<"),
              std::string::npos);
    EXPECT_EQ(count(beyond.svg, "class=\"warnung\""), 1);
    // The deco gas taken deeper than its MOD from the switch on.
    Picture early = draw({sampleDive(1, 30, 200)});
    ASSERT_EQ(early.notes[0].warnings.size(), 1u);
    EXPECT_EQ(early.notes[0].warnings[0].seconds, 200);
    EXPECT_NE(early.notes[0].warnings[0].text.find("50 % O2 bei 30.0 m"), std::string::npos);
}

TEST(Picture, HeldGapsAndTheAddedAscentAreHatched) {
    Dive dive = sampleDive(1, 20, -1);
    // Samples from 5:00 to 7:00 gone, and the dive cut off at 15:00 at 20 m.
    dive.samples.erase(std::remove_if(dive.samples.begin(), dive.samples.end(),
                                      [](const DiveSample& s) {
                                          return (s.seconds > 300 && s.seconds < 420) ||
                                                 s.seconds > 900;
                                      }),
                       dive.samples.end());
    Picture p = draw({dive});
    ASSERT_EQ(p.notes[0].spans.size(), 2u);
    EXPECT_EQ(count(p.svg, "class=\"gehalten\""), 1);
    EXPECT_EQ(count(p.svg, "class=\"angefuegt\""), 1);
    EXPECT_NE(p.svg.find("die Aufzeichnung wirkt abgeschnitten"), std::string::npos);
    Picture whole = draw({sampleDive(1, 20, -1)});
    EXPECT_TRUE(whole.notes[0].spans.empty());
    EXPECT_EQ(whole.svg.find("url(#schraffur)\" stroke=\"#999\" stroke-width"), std::string::npos);
}

TEST(Picture, TheDeepestSampleIsLabelled) {
    Picture p = draw({sampleDive(1, 27.3, -1)});
    EXPECT_EQ(count(p.svg, "class=\"tiefste\""), 1);
    EXPECT_NE(p.svg.find(">27.3 m</text>"), std::string::npos);
}

TEST(Picture, SameInputSameBytesAndNothingOutside) {
    std::vector<Dive> dives = {sampleDive(1, 18, -1), sampleDive(2, 30, 1060)};
    Picture a = draw(dives);
    Picture b = draw(dives);
    EXPECT_EQ(a.svg, b.svg);
    EXPECT_EQ(a.svg.find("<script"), std::string::npos);
    EXPECT_EQ(a.svg.find("href"), std::string::npos);
    EXPECT_EQ(count(a.svg, "http"), 1);  // the SVG namespace only
    EXPECT_EQ(a.svg.compare(a.svg.size() - 7, 7, "</svg>\n"), 0);
}

TEST(Picture, NamesAreEscapedAndBrokenBytesShownAsQuestionMarks) {
    std::string svg = profilePicture({}, {}, "a<b>&\"c\xff\x01 \xc3\xa4.vdp");
    EXPECT_NE(svg.find(">Profil a&lt;b&gt;&amp;&quot;c?? \xc3\xa4.vdp<"), std::string::npos);
}

TEST(Picture, ASampleLineOfAtMostOnePointAColumn) {
    Dive dive = sampleDive(1, 30, 1060, 0.5);  // some 3000 samples
    Picture p = draw({dive});
    size_t at = p.svg.find("class=\"proben\" points=\"") + 23;
    std::string points = p.svg.substr(at, p.svg.find('"', at) - at);
    EXPECT_LE(count(points, " ") + 1, kSvgColumns + 1);
    EXPECT_GT(count(points, " "), kSvgColumns / 2);
}

TEST(Picture, LongDivesInSlicesOfMinutesEachAtItsDeepest) {
    Dive dive;
    dive.gases = {{21, 0}};
    PictureDive notes;
    notes.minutes.assign(3000, DiveMinute{10, 78, 0});
    notes.minutes[1234].depth = 40;  // one minute deep, inside a slice
    std::string svg = profilePicture({dive}, {notes}, "lang.vdp");
    int steps = 0;
    for (const std::string& d : minutePaths(svg))
        steps += count(d, " H");
    EXPECT_LE(steps, kSvgColumns);
    EXPECT_GT(steps, kSvgColumns / 2);
    // The scale ends at 40 m: that minute's slice reaches the plot's bottom.
    size_t at = svg.find("<rect x=\"60\" y=\"") + 16;
    double top = std::stod(svg.substr(at, svg.find('"', at) - at));
    EXPECT_EQ(count(minutePaths(svg)[0], "V" + std::to_string(static_cast<int>(top) + 160) + " "),
              1);
}

TEST(Picture, TenDivesOfAnHourAreSmallAndQuick) {
    std::vector<Dive> dives;
    for (int i = 1; i <= 10; i++)
        dives.push_back(sampleDive(i, 30, 2700, 1));  // a sample a second, an hour each
    // The notes (the minute rule) and the drawing together, the best of three runs.
    std::string svg;
    auto best = std::chrono::steady_clock::duration::max();
    for (int run = 0; run < 3; run++) {
        auto start = std::chrono::steady_clock::now();
        std::vector<PictureDive> notes;
        for (const Dive& d : dives)
            notes.push_back(pictureNotes(d, "", "laut Datei"));
        svg = profilePicture(dives, notes, "reise.vdp");
        best = std::min(best, std::chrono::steady_clock::now() - start);
    }
    EXPECT_EQ(panels(svg).size(), 10u);
    EXPECT_LT(svg.size(), 300u * 1024);
#ifdef __OPTIMIZE__
    // Unoptimised builds (the coverage run) measure nothing a diver meets.
    EXPECT_LT(best, std::chrono::milliseconds(50));
#endif
}

TEST(Picture, NumbersWithOneDecimalHalvesAwayFromZero) {
    EXPECT_EQ(pictureNumber(0.25), "0.3");  // exact in binary: no platform's printf decides
    EXPECT_EQ(pictureNumber(-0.25), "-0.3");
    EXPECT_EQ(pictureNumber(12.04), "12.0");
    EXPECT_EQ(pictureNumber(39.96), "40.0");
    EXPECT_EQ(pictureNumber(-0.04), "0.0");
    EXPECT_EQ(pictureNumber(std::nan("")), "0.0");
    EXPECT_EQ(pictureNumber(1e300), "0.0");
}

TEST(Picture, ValuesNoRecordingHoldsAreDrawnInsideThePlot) {
    Dive dive;
    dive.number = 7;
    // Trimix, air, nitrox and oxygen: a switch to a gas the dive lacks is air.
    dive.gases = {{18, 45}, {21, 0}, {32, 0}, {100, 0}, {10, 70}, {50, 0}, {15, 55}};
    dive.samples = {{-5, 1},   {0, 2},    {60, std::nan("")}, {90, 1e300},
                    {120, 40}, {180, 40}, {240, 10},          {300, 0}};
    dive.switches = {{100, 2}, {130, 9}, {200, 0}, {250, 3}, {260, 4}, {270, 5}, {280, 6}};
    dive.intervalAfter = -1;
    PictureDive notes = pictureNotes(dive, "", "");
    std::string svg =
        profilePicture({dive, dive}, {notes, notes}, "\xf0\x9f\x90\x9f\xe2\x82\xac\xe2\x82");
    EXPECT_EQ(panels(svg).size(), 2u);
    EXPECT_NE(svg.find(">Pause unbekannt</text>"), std::string::npos);
    EXPECT_NE(svg.find(">Tauchgang 7 - "), std::string::npos);
    EXPECT_NE(svg.find(">18 % O2 / 45 % He</text>"), std::string::npos);
    EXPECT_NE(svg.find("Profil \xf0\x9f\x90\x9f\xe2\x82\xac?" "?<"), std::string::npos);
    EXPECT_NE(svg.find("(im Profil keine Minute damit)"), std::string::npos);
    EXPECT_EQ(svg.find("nan"), std::string::npos);
    EXPECT_EQ(svg.find("inf"), std::string::npos);
    // 18/45 is breathed again after a switch: its MOD (within the scale 1e300 m stretched to
    // its bound) is drawn once.
    EXPECT_EQ(count(panels(svg)[0], ">MOD 18 % O2 / 45 % He: 78.8 m<"), 1);
    EXPECT_EQ(notes.mods.size(), 7u);
}

TEST(Picture, ThePictureGoesBesideTheProfile) {
    EXPECT_EQ(picturePath("a/logbuch.vdp"), "a/logbuch.svg");
    EXPECT_EQ(picturePath("logbuch"), "logbuch.svg");
}

}  // namespace
