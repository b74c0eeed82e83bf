// Drawing the profile's picture: SVG text built from plain values, one panel per dive.
#include "export/picture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr int kWidth = 800;
constexpr int kLeft = 60;  // the plot's left edge; depth labels stand before it
constexpr int kPlotHeight = 160;
constexpr int kLineHeight = 14;
constexpr double kCharWidth = 6.2;  // a character of an 11-unit label, about
const char* const kPalette[] = {"#1f5fa8", "#d9480f", "#2b8a3e", "#862e9c",
                                "#c92a6f", "#0b7285", "#8f6b00", "#495057"};
constexpr size_t kColours = sizeof kPalette / sizeof kPalette[0];

// A coordinate or label value: pictureNumber without a ".0".
std::string num(double v) {
    std::string s = pictureNumber(v);
    if (s.size() > 2 && s.compare(s.size() - 2, 2, ".0") == 0) s.resize(s.size() - 2);
    return s;
}

// Bytes that continue a UTF-8 sequence starting at text[i]; 0 when none is valid there.
size_t utf8Length(const std::string& text, size_t i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    size_t n = c >= 0xC2 && c <= 0xDF   ? 2
               : c >= 0xE0 && c <= 0xEF ? 3
               : c >= 0xF0 && c <= 0xF4 ? 4
                                        : 0;
    if (n == 0 || i + n > text.size()) return 0;
    for (size_t k = 1; k < n; k++) {
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return 0;
    }
    return n;
}

// Text as XML character data: the markup characters escaped, valid UTF-8 kept, control
// characters and any other byte shown as '?'.
std::string xml(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); i++) {
        char c = text[i];
        if (c == '&') {
            out += "&amp;";
        } else if (c == '<') {
            out += "&lt;";
        } else if (c == '>') {
            out += "&gt;";
        } else if (c == '"') {
            out += "&quot;";
        } else if (c >= 0x20 && c < 0x7F) {
            out += c;
        } else if (size_t n = utf8Length(text, i)) {
            out += text.substr(i, n);
            i += n - 1;
        } else {
            out += '?';
        }
    }
    return out;
}

// "17:40" for seconds; whole seconds, negative as 0.
std::string clock(double seconds) {
    long long s = std::isfinite(seconds) && seconds > 0 && seconds < 1e12
                      ? static_cast<long long>(seconds)
                      : 0;
    char text[40];
    snprintf(text, sizeof text, "%lld:%02lld", s / 60, s % 60);
    return text;
}

bool sameGas(const DiveMinute& a, const DiveMinute& b) {
    return a.nitrogen == b.nitrogen && a.helium == b.helium;
}

// The picture's one time and one depth axis, each cut into steps for its labels.
struct Scale {
    double seconds;  // the time axis's end
    double metres;   // the depth axis's end
    double minuteStep;
    double depthStep;
};

// A step of 1, 2 or 5 times a power of ten that cuts `range` into at most `most` parts.
double niceStep(double range, double most) {
    double step = 1;
    const double factors[] = {2, 2.5, 2};
    for (int k = 0; range / step > most && step < 1e12; k++)
        step *= factors[k % 3];
    return step;
}

double finiteOr0(double v) {
    return std::isfinite(v) && v > 0 ? std::min(v, 1e9) : 0;
}

// The scales that hold the first n notes.
Scale scaleOf(const std::vector<PictureDive>& notes, size_t n) {
    double seconds = 60;
    double metres = 1;
    for (size_t i = 0; i < n; i++) {
        const PictureDive& p = notes[i];
        seconds = std::max(seconds, finiteOr0(p.lastSeconds));
        metres = std::max(metres, finiteOr0(p.deepest.depth));
        seconds = std::max(seconds, 60.0 * static_cast<double>(p.minutes.size()));
        for (const DiveMinute& m : p.minutes)
            metres = std::max(metres, static_cast<double>(m.depth));
        for (const PictureSpan& s : p.spans)
            seconds = std::max(seconds, finiteOr0(s.to));
    }
    Scale scale;
    scale.minuteStep = niceStep(seconds / 60, 12);
    scale.seconds = std::ceil(seconds / 60 / scale.minuteStep) * scale.minuteStep * 60;
    scale.depthStep = niceStep(metres, 8);
    scale.metres = std::ceil(metres / scale.depthStep) * scale.depthStep;
    return scale;
}

// Where a panel's plot lies.
struct Plot {
    const Scale* scale;
    double top;
};

// A time's place on the plot, clamped to it.
double xAt(const Plot& plot, double seconds) {
    const Scale& s = *plot.scale;
    double t = std::isfinite(seconds) ? std::min(std::max(seconds, 0.0), s.seconds) : 0;
    return kLeft + t / s.seconds * kSvgColumns;
}

// A depth's place on the plot, clamped to it.
double yAt(const Plot& plot, double depth) {
    const Scale& s = *plot.scale;
    double d = std::isfinite(depth) ? std::min(std::max(depth, 0.0), s.metres) : 0;
    return plot.top + d / s.metres * kPlotHeight;
}

// The gases of the picture in the order they first come: their index picks the colour.
std::vector<DiveMinute> gasesOf(const std::vector<PictureDive>& notes, size_t n) {
    std::vector<DiveMinute> gases;
    auto add = [&gases](const DiveMinute& g) {
        for (const DiveMinute& known : gases)
            if (sameGas(known, g)) return;
        gases.push_back(g);
    };
    for (size_t i = 0; i < n; i++) {
        const PictureDive& p = notes[i];
        for (const DiveMinute& m : p.minutes)
            add(m);
        for (const PictureSwitch& s : p.switches)
            add(s.gas);
        for (const PictureMod& m : p.mods)
            add(m.gas);
    }
    return gases;
}

const char* colourOf(const std::vector<DiveMinute>& gases, const DiveMinute& gas) {
    for (size_t k = 0; k < gases.size(); k++)
        if (sameGas(gases[k], gas)) return kPalette[k % kColours];
    return kPalette[kColours - 1];
}

void text(std::string* out, double x, double y, const std::string& body,
          const std::string& attributes = "") {
    *out += "<text x=\"" + num(x) + "\" y=\"" + num(y) + "\"" + attributes + ">" + xml(body) +
            "</text>\n";
}

// The heading and the legend: every gas with its colour, then every kind of mark. Returns
// where the first panel may begin.
double drawLegend(std::string* out, const std::string& heading,
                  const std::vector<DiveMinute>& gases) {
    text(out, 20, 24, "Profil " + heading, " font-size=\"16\" font-weight=\"bold\"");
    double x = 20;
    double y = 46;
    for (const DiveMinute& g : gases) {
        std::string name = pictureGasName(g);
        double width = 40 + 7.0 * static_cast<double>(name.size());
        if (x + width > kWidth - 20) {
            x = 20;
            y += 18;
        }
        *out += "<line class=\"gas\" x1=\"" + num(x) + "\" y1=\"" + num(y - 4) + "\" x2=\"" +
                num(x + 24) + "\" y2=\"" + num(y - 4) + "\" stroke=\"" + colourOf(gases, g) +
                "\" stroke-width=\"3\"/>\n";
        text(out, x + 30, y, name, " font-size=\"12\"");
        x += width;
    }
    y += 20;
    *out += "<polyline points=\"20," + num(y - 4) + " 44," + num(y - 4) +
            "\" fill=\"none\" stroke=\"#333\" stroke-width=\"0.8\"/>\n";
    text(out, 50, y, "Aufzeichnung", " font-size=\"12\"");
    *out += "<line x1=\"150\" y1=\"" + num(y - 4) + "\" x2=\"174\" y2=\"" + num(y - 4) +
            "\" stroke=\"#333\" stroke-dasharray=\"6 4\"/>\n";
    text(out, 180, y, "MOD (pO2 1,6 bar)", " font-size=\"12\"");
    *out += "<line x1=\"310\" y1=\"" + num(y - 12) + "\" x2=\"310\" y2=\"" + num(y + 2) +
            "\" stroke=\"#333\" stroke-width=\"1.5\"/>\n";
    text(out, 316, y, "Gaswechsel", " font-size=\"12\"");
    *out += "<rect x=\"400\" y=\"" + num(y - 11) +
            "\" width=\"20\" height=\"12\" fill=\"url(#schraffur)\" stroke=\"#999\"/>\n";
    text(out, 426, y, "ohne Probe gehalten", " font-size=\"12\"");
    *out += "<circle cx=\"570\" cy=\"" + num(y - 4) + "\" r=\"5\" fill=\"#c00\"/>\n";
    text(out, 580, y, "WARNUNG", " font-size=\"12\"");
    *out += "<circle cx=\"660\" cy=\"" + num(y - 4) + "\" r=\"3\" fill=\"#000\"/>\n";
    text(out, 668, y, "tiefste Probe", " font-size=\"12\"");
    return y + 14;
}

void drawAxes(std::string* out, const Plot& plot) {
    const Scale& s = *plot.scale;
    *out += "<rect x=\"" + num(kLeft) + "\" y=\"" + num(plot.top) + "\" width=\"" +
            num(kSvgColumns) + "\" height=\"" + num(kPlotHeight) +
            "\" fill=\"#fff\" stroke=\"#999\"/>\n";
    for (double d = 0; d <= s.metres + 1e-9; d += s.depthStep) {
        double y = yAt(plot, d);
        *out += "<line x1=\"" + num(kLeft) + "\" y1=\"" + num(y) + "\" x2=\"" +
                num(kLeft + kSvgColumns) + "\" y2=\"" + num(y) + "\" stroke=\"#e3e3e3\"/>\n";
        text(out, kLeft - 4, y + 4, num(d) + " m", " font-size=\"11\" text-anchor=\"end\"");
    }
    for (double m = 0; m * 60 <= s.seconds + 1e-9; m += s.minuteStep) {
        double x = xAt(plot, m * 60);
        text(out, x, plot.top + kPlotHeight + 13, num(m),
             " font-size=\"11\" text-anchor=\"middle\"");
    }
    text(out, kLeft + kSvgColumns, plot.top + kPlotHeight + 25, "min",
         " font-size=\"11\" text-anchor=\"end\"");
}

// The samples, at most one point a column: its deepest sample, the side with more depth.
void drawSamples(std::string* out, const Dive& dive, const Plot& plot) {
    std::string points;
    long long column = -1;
    DiveSample best{0, -1};
    auto flush = [&]() {
        if (column >= 0)
            points += num(xAt(plot, best.seconds)) + "," + num(yAt(plot, best.depth)) + " ";
    };
    long long n = diveSampleCount(dive);
    for (long long k = 0; k < n; k++) {
        DiveSample s = diveSample(dive, k);
        if (!std::isfinite(s.seconds) || !std::isfinite(s.depth)) continue;
        long long c = static_cast<long long>(xAt(plot, s.seconds)) - kLeft;
        if (c != column) {
            flush();
            column = c;
            best = s;
        } else if (s.depth > best.depth) {
            best = s;
        }
    }
    flush();
    if (points.empty()) return;
    points.pop_back();
    *out += "<polyline class=\"proben\" points=\"" + points +
            "\" fill=\"none\" stroke=\"#333\" stroke-width=\"0.8\"/>\n";
}

// The written minutes as steps, one path per run of one gas, one horizontal step per minute;
// a dive of more minutes than columns in slices of equal minutes, each at its deepest depth
// on the gas with the most inert gas, as the profile's rule takes it.
void drawMinutes(std::string* out, const PictureDive& p, const Plot& plot,
                 const std::vector<DiveMinute>& gases) {
    size_t count = p.minutes.size();
    size_t slice = std::max<size_t>(1, (count + kSvgColumns - 1) / kSvgColumns);
    std::string path;
    DiveMinute runGas{0, -1, -1};
    double lastY = yAt(plot, 0);
    for (size_t first = 0; first < count; first += slice) {
        size_t end = std::min(count, first + slice);
        DiveMinute m = p.minutes[first];
        for (size_t k = first + 1; k < end; k++) {
            const DiveMinute& o = p.minutes[k];
            m.depth = std::max(m.depth, o.depth);
            if (o.nitrogen + o.helium >= m.nitrogen + m.helium) {
                m.nitrogen = o.nitrogen;
                m.helium = o.helium;
            }
        }
        double y = yAt(plot, m.depth);
        if (!sameGas(m, runGas)) {
            if (!path.empty()) *out += path + "\"/>\n";
            path = "<path class=\"minuten\" fill=\"none\" stroke-width=\"2.5\" stroke=\"" +
                   std::string(colourOf(gases, m)) + "\" d=\"M" +
                   num(xAt(plot, 60.0 * static_cast<double>(first))) + " " + num(lastY);
            runGas = m;
        }
        path += " V" + num(y) + " H" + num(xAt(plot, 60.0 * static_cast<double>(end)));
        lastY = y;
    }
    if (!path.empty()) *out += path + "\"/>\n";
}

void drawSpans(std::string* out, const PictureDive& p, const Plot& plot) {
    for (const PictureSpan& s : p.spans) {
        double x = xAt(plot, s.from);
        double width = std::max(1.0, xAt(plot, s.to) - x);
        *out += std::string("<rect class=\"") + (s.added ? "angefuegt" : "gehalten") + "\" x=\"" +
                num(x) + "\" y=\"" + num(plot.top) + "\" width=\"" + num(width) + "\" height=\"" +
                num(std::max(1.0, yAt(plot, s.depth) - plot.top)) +
                "\" fill=\"url(#schraffur)\" stroke=\"#999\" stroke-width=\"0.5\"/>\n";
    }
}

// The MODs that lie within the depth scale: a MOD below it limits nothing drawn.
void drawMods(std::string* out, const PictureDive& p, const Plot& plot,
              const std::vector<DiveMinute>& gases) {
    for (const PictureMod& m : p.mods) {
        if (m.tenths < 0 || m.tenths > plot.scale->metres * 10) continue;
        double y = yAt(plot, m.tenths / 10.0);
        *out += "<line class=\"mod\" x1=\"" + num(kLeft) + "\" y1=\"" + num(y) + "\" x2=\"" +
                num(kLeft + kSvgColumns) + "\" y2=\"" + num(y) + "\" stroke=\"" +
                colourOf(gases, m.gas) + "\" stroke-dasharray=\"6 4\"/>\n";
        text(out, kLeft + kSvgColumns - 4, y - 3,
             "MOD " + pictureGasName(m.gas) + ": " + num(m.tenths / 10.0) + " m",
             std::string(" font-size=\"11\" text-anchor=\"end\" fill=\"") + colourOf(gases, m.gas) +
                 "\"");
    }
}

void drawSwitches(std::string* out, const PictureDive& p, const Plot& plot,
                  const std::vector<DiveMinute>& gases) {
    // Labels at the top, left of their line where the dive was deeper before the switch, and
    // stacked downward, so that close switches stay readable.
    double labelY = plot.top + 12;
    for (const PictureSwitch& w : p.switches) {
        double x = xAt(plot, w.seconds);
        std::string colour = colourOf(gases, w.gas);
        *out += "<line class=\"wechsel\" x1=\"" + num(x) + "\" y1=\"" + num(plot.top) + "\" x2=\"" +
                num(x) + "\" y2=\"" + num(plot.top + kPlotHeight) + "\" stroke=\"" + colour +
                "\" stroke-width=\"1.5\"/>\n";
        std::string label =
            pictureGasName(w.gas) + " ab " + clock(w.seconds) +
            (w.minute > 0 ? " (im Profil ab Minute " + std::to_string(w.minute) + ")"
                          : " (im Profil keine Minute damit)");
        bool left = x - 4 - kCharWidth * static_cast<double>(label.size()) >= kLeft;
        text(out, left ? x - 4 : x + 4, labelY, label,
             " font-size=\"11\" fill=\"" + colour + "\"" + (left ? " text-anchor=\"end\"" : ""));
        labelY = std::min(plot.top + kPlotHeight - 6, labelY + 13);
    }
}

void drawMarks(std::string* out, const PictureDive& p, const Plot& plot) {
    const DiveSample& deepest = p.deepest;
    if (deepest.depth >= 0) {
        double x = xAt(plot, deepest.seconds);
        double y = yAt(plot, deepest.depth);
        *out += "<circle class=\"tiefste\" cx=\"" + num(x) + "\" cy=\"" + num(y) +
                "\" r=\"3\" fill=\"#000\"/>\n";
        bool right = x > kLeft + kSvgColumns * 0.8;
        text(out, right ? x - 6 : x + 6, std::min(y + 14, plot.top + kPlotHeight - 18),
             num(deepest.depth) + " m",
             std::string(" font-size=\"11\" font-weight=\"bold\"") +
                 (right ? " text-anchor=\"end\"" : ""));
    }
    for (const PictureMark& w : p.warnings) {
        double x = xAt(plot, w.seconds);
        double y = yAt(plot, w.depth);
        *out += "<circle class=\"warnung\" cx=\"" + num(x) + "\" cy=\"" + num(y) +
                "\" r=\"6\" fill=\"#c00\"/>\n";
        text(out, x, y + 4, "!",
             " font-size=\"10\" font-weight=\"bold\" fill=\"#fff\" text-anchor=\"middle\"");
    }
}

// The panel's title: number, date, minutes and deepest minute.
std::string titleOf(const Dive& dive, const PictureDive& p) {
    int deepest = 0;
    for (const DiveMinute& m : p.minutes)
        deepest = std::max(deepest, m.depth);
    return "Tauchgang " + std::to_string(dive.number) + (p.when.empty() ? "" : " vom " + p.when) +
           " - " + std::to_string(p.minutes.size()) + " min, tiefste Minute " +
           std::to_string(deepest) + " m";
}

// One dive's panel from `top`; returns where it ends.
double drawPanel(std::string* out, const Dive& dive, const PictureDive& p, const Scale& scale,
                 double top, const std::vector<DiveMinute>& gases) {
    *out += "<g class=\"tauchgang\">\n";
    text(out, kLeft, top + 14, titleOf(dive, p), " font-size=\"13\" font-weight=\"bold\"");
    double y = top + 14;
    for (const PictureMark& w : p.warnings) {
        y += kLineHeight;
        text(out, kLeft, y, "WARNUNG: " + w.text, " font-size=\"11\" fill=\"#c00\"");
    }
    Plot plot{&scale, y + 10};
    drawAxes(out, plot);
    drawSpans(out, p, plot);
    drawMods(out, p, plot, gases);
    drawSamples(out, dive, plot);
    drawMinutes(out, p, plot, gases);
    drawSwitches(out, p, plot, gases);
    drawMarks(out, p, plot);
    *out += "</g>\n";
    return plot.top + kPlotHeight + 30;
}

std::string pauseText(const Dive& dive, const PictureDive& p) {
    if (dive.intervalAfter < 0) return "Pause unbekannt";
    char text[64];
    snprintf(text, sizeof text, "Pause %lld:%02lldh", dive.intervalAfter / 60,
             dive.intervalAfter % 60);
    return text + (p.pauseSource.empty() ? "" : ", " + p.pauseSource);
}

}  // namespace

std::string pictureGasName(const DiveMinute& gas) {
    if (gas.helium == 0 && gas.nitrogen == kAirNitrogen) return "Luft";
    std::string o2 = std::to_string(100 - gas.nitrogen - gas.helium) + " % O2";
    if (gas.helium > 0) return o2 + " / " + std::to_string(gas.helium) + " % He";
    return o2;
}

std::string pictureNumber(double v) {
    if (!std::isfinite(v) || std::fabs(v) > 1e12) v = 0;
    long long tenths = std::llround(v * 10);
    long long whole = tenths < 0 ? -tenths : tenths;
    return (tenths < 0 ? "-" : "") + std::to_string(whole / 10) + "." + std::to_string(whole % 10);
}

std::string profilePicture(const std::vector<Dive>& dives, const std::vector<PictureDive>& notes,
                           const std::string& heading) {
    size_t n = std::min(dives.size(), notes.size());
    std::vector<DiveMinute> gases = gasesOf(notes, n);
    Scale scale = scaleOf(notes, n);
    std::string body;
    double y = drawLegend(&body, heading, gases);
    for (size_t i = 0; i < n; i++) {
        y = drawPanel(&body, dives[i], notes[i], scale, y, gases);
        if (i + 1 == n) break;
        text(&body, kWidth / 2.0, y, pauseText(dives[i], notes[i]),
             " class=\"pause\" font-size=\"12\" font-style=\"italic\" text-anchor=\"middle\"");
        y += 14;
    }
    std::string height = num(std::ceil(y + 6));
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
           std::to_string(kWidth) + "\" height=\"" + height + "\" viewBox=\"0 0 " +
           std::to_string(kWidth) + " " + height +
           "\" font-family=\"sans-serif\">\n"
           "<defs><pattern id=\"schraffur\" patternUnits=\"userSpaceOnUse\" width=\"8\" "
           "height=\"8\"><path d=\"M0 8 L8 0\" stroke=\"#aaa\" stroke-width=\"1\"/></pattern>"
           "</defs>\n<rect width=\"100%\" height=\"100%\" fill=\"#fff\"/>\n" +
           body + "</svg>\n";
}
