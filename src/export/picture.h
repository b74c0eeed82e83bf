// The picture beside the profile: an SVG of every dive, the recorded samples under the minutes
// the profile holds, so that a diver sees at a glance what the planner will be given.
#pragma once

#include <string>
#include <vector>

#include "import/dive.h"

// A gas switch as the profile writes it.
struct PictureSwitch {
    double seconds;    // when the diver switched
    long long minute;  // the first profile minute on the new gas; 0 when none is
    DiveMinute gas;    // the new gas as written (depth unused)
};

// A gas's MOD at a pO2 of 1.6 bar.
struct PictureMod {
    DiveMinute gas;  // as written (depth unused)
    int tenths;      // the MOD in tenths of a metre
};

// Time the minutes hold a depth the samples do not show: a gap without samples, or the
// ascent added after a log's deep last sample.
struct PictureSpan {
    double from;   // seconds
    double to;     // seconds
    double depth;  // metres held
    bool added;    // the added ascent, not a gap
};

// A WARNUNG of the dive at the place it applies.
struct PictureMark {
    double seconds;
    double depth;
    std::string text;  // plain ASCII, without "WARNUNG: "
};

// What the picture shows of a dive beyond its samples, worked out by the caller with the
// minute rule and the checks, so that the drawing itself knows no rule.
struct PictureDive {
    std::string when;                 // date and time as the file gives them; "" unknown
    std::vector<DiveMinute> minutes;  // every minute as written
    std::vector<PictureSwitch> switches;
    std::vector<PictureMod> mods;  // the gases breathed; drawn where they lie within the scale
    std::vector<PictureSpan> spans;
    std::vector<PictureMark> warnings;
    DiveSample deepest{0, -1};  // the deepest sample, labelled; depth -1: none
    double lastSeconds = 0;     // the last sample's time
    std::string pauseSource;    // where the dive's intervalAfter came from: "laut Datei"
};

// "Luft", "32 % O2" or "18 % O2 / 45 % He": a gas as the profile writes it, named.
std::string pictureGasName(const DiveMinute& gas);

// A value with one decimal, rounded half away from zero by the picture's own rule, so that every
// platform writes the same bytes; non-finite and huge values as "0.0".
std::string pictureNumber(double v);

// At most this many steps and sample points a panel: a longer dive is drawn in slices, each
// the deepest of its minutes or samples.
constexpr int kSvgColumns = 720;

// The SVG of the dives (notes[i] belongs to dives[i]; both in time order): a legend, then a
// panel per dive on one depth and one time scale with its title (number, date, minutes,
// deepest minute), samples as a thin line, minutes as steps coloured by gas, MODs within the
// scale dashed, switches marked with their time, held and added time hatched, warnings and the
// deepest sample marked; between two panels the interval after the first. `heading` names the
// profile. Plain SVG 1.1 without script or external reference; the same input gives the same
// bytes. Text that is not valid UTF-8 is shown with '?'.
std::string profilePicture(const std::vector<Dive>& dives, const std::vector<PictureDive>& notes,
                           const std::string& heading);
