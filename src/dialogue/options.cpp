// Parsing the command line; no console output here, main prints what it returns.
#include "dialogue/options.h"

#include "assist/clock.h"
#include "import/numbers.h"
#include "program.h"

namespace {

bool isOption(const std::string& arg) {
    return arg.size() > 1 && arg[0] == '-';
}

Command bad(const std::string& problem) {
    return Command{kBadUsage, {}, problem, {}, ""};
}

// Digits at *i, blanks around them skipped; false for none.
bool listNumber(const std::string& text, size_t* i) {
    while (*i < text.size() && text[*i] == ' ')
        ++*i;
    long long ignored;
    size_t n = readDigits(text.data() + *i, text.size() - *i, text.size(), 0, &ignored);
    *i += n;
    bool digits = n > 0;
    while (*i < text.size() && text[*i] == ' ')
        ++*i;
    return digits;
}

// Numbers and ranges separated by commas ("3-5", "2,4", "1,3-4"); whether they fit a log is told
// once it is read.
bool diveListShape(const std::string& value) {
    size_t i = 0;
    for (;;) {
        if (!listNumber(value, &i)) return false;
        if (i < value.size() && value[i] == '-' && !listNumber(value, &++i)) return false;
        if (i == value.size()) return true;
        if (value[i++] != ',') return false;
    }
}

constexpr size_t kMostDiveDigits = 9;  // beyond any export, within an int
constexpr long long kMostDive = 999999999;

// "N=M:SS" or "N=-" into *given; false for anything else. N counts the export's dives from 1.
bool parseSwitch(const std::string& value, GivenSwitch* given) {
    size_t equals = value.find('=');
    if (equals == std::string::npos || equals == 0 || equals > kMostDiveDigits) return false;
    long long dive;
    if (readDigits(value.data(), equals, equals, kMostDive, &dive) != equals) return false;
    std::string time = value.substr(equals + 1);
    long long seconds = kNoSwitchGiven;
    if (dive == 0 || (time != "-" && !parseClock(time, &seconds))) return false;
    *given = GivenSwitch{static_cast<int>(dive), seconds};
    return true;
}

// The first problem of the --wechsel values, or "" when there is none.
std::string switchProblem(const std::vector<GivenSwitch>& switches, bool unattended,
                          size_t exports) {
    if (switches.empty()) return "";
    if (!unattended) return "--wechsel gilt nur zusammen mit --ja.";
    if (exports != 1) return "--wechsel verlangt genau einen Export.";
    for (size_t i = 0; i < switches.size(); i++) {
        for (size_t j = 0; j < i; j++) {
            if (switches[j].dive == switches[i].dive) {
                return "--wechsel fuer Tauchgang " + std::to_string(switches[i].dive) +
                       " steht mehrfach da.";
            }
        }
    }
    return "";
}

}  // namespace

Command parseArguments(const std::vector<std::string>& args) {
    if (args.empty()) return Command{kStartClassic, {}, "", {}, ""};
    bool unattended = false;
    bool check = false;
    bool optionsEnded = false;
    bool picture = true;
    std::string unknown;
    std::string malformed;
    std::vector<std::string> exports;
    std::vector<GivenSwitch> switches;
    std::string diveList;
    std::string profile;
    int profiles = 0;
    for (size_t i = 0; i < args.size(); i++) {
        const std::string& arg = args[i];
        if (optionsEnded || !isOption(arg)) {
            exports.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--hilfe" || arg == "-h" || arg == "--help") {
            return Command{kShowHelp, {}, "", {}, ""};
        } else if (arg == "--version") {
            return Command{kShowVersion, {}, "", {}, ""};
        } else if (arg == "--ja" || arg == "-y") {
            unattended = true;
        } else if (arg == "--pruefen" || arg == "-p") {
            check = true;
        } else if (arg == "--kein-bild") {
            picture = false;
        } else if (arg == "--wechsel") {
            // No value begins with a minus: an option there is not taken as one, so that help
            // or version after it still win.
            bool hasValue = i + 1 < args.size() && !isOption(args[i + 1]);
            std::string value = hasValue ? args[++i] : "";
            GivenSwitch given;
            if (parseSwitch(value, &given)) {
                switches.push_back(given);
            } else if (malformed.empty()) {
                malformed =
                    "Ungueltiger Wert fuer --wechsel: '" + value + "' (erwartet: N=M:SS oder N=-)";
            }
        } else if (arg == "--tauchgaenge") {
            bool hasValue = i + 1 < args.size() && !isOption(args[i + 1]);
            std::string value = hasValue ? args[++i] : "";
            if (diveListShape(value) && diveList.empty()) {
                diveList = value;
            } else if (malformed.empty()) {
                malformed = diveList.empty() ? "Ungueltiger Wert fuer --tauchgaenge: '" + value +
                                                   "' (erwartet etwa 3-5 oder 2,4)"
                                             : "--tauchgaenge steht mehrfach da.";
            }
        } else if (arg == "--profil") {
            bool hasValue = i + 1 < args.size() && !isOption(args[i + 1]);
            std::string value = hasValue ? args[++i] : "";
            if (++profiles > 1 || value.empty()) {
                if (malformed.empty()) {
                    malformed = profiles > 1 ? "--profil steht mehrfach da."
                                             : "Ungueltiger Wert fuer --profil: '' (erwartet der "
                                               "Name des Profils, etwa reise)";
                }
            } else {
                profile = value;
            }
        } else if (unknown.empty()) {
            unknown = arg;  // help or version later on the line still win
        }
    }
    if (!unknown.empty()) return bad("Unbekannte Option: " + unknown);
    if (unattended && check) return bad("--ja und --pruefen schliessen einander aus.");
    if (!malformed.empty()) return bad(malformed);
    if (exports.empty() && !profile.empty())
        return bad("--profil verlangt mindestens eine UDDF- oder Subsurface-Datei.");
    if (exports.empty()) return bad("Es fehlt der Name mindestens einer Exportdatei.");
    std::string problem = switchProblem(switches, unattended, exports.size());
    if (!problem.empty()) return bad(problem);
    Action action = unattended ? kStartUnattended : check ? kStartCheck : kStartAssisted;
    Command command{action, exports, "", switches, diveList};
    command.profile = profile;
    command.picture = picture;
    return command;
}

const char* usageText() {
    return "Aufruf:\n"
           "  csv2vdp                      Dialog wie bisher, fragt nach dem Dateinamen\n"
           "  csv2vdp EXPORT...            unterstuetzter Dialog fuer jeden Export (.csv)\n"
           "                               oder jede UDDF- und Subsurface-Datei\n"
           "\n"
           "Optionen:\n"
           "  -y, --ja EXPORT...           ohne Fragen umwandeln: ohne Gaswechsel (Mix1\n"
           "                               durchgehend), bei abweichender Pause die\n"
           "                               kuerzere; ein vorhandenes Profil wird ersetzt;\n"
           "                               zweifelhafte Exporte werden abgelehnt\n"
           "  --wechsel N=M:SS, N=-        mit --ja und einem Export: Gaswechsel von\n"
           "                               Tauchgang N bei M:SS Minuten, oder keiner\n"
           "  -p, --pruefen EXPORT...      nur pruefen, nichts schreiben; Ende mit 0\n"
           "                               (kein Befund), 1 (Befunde), -1 (unbrauchbar)\n"
           "  --kein-bild                  kein Bild NAME.svg neben dem Profil NAME.vdp\n"
           "  --tauchgaenge LISTE          bei UDDF- und Subsurface-Dateien: diese\n"
           "                               Tauchgaenge (etwa 3-5 oder 2,4) statt der\n"
           "                               letzten Serie\n"
           "  --profil NAME                die UDDF- und Subsurface-Dateien einer Reise\n"
           "                               nach Datum in ein Profil NAME.vdp\n"
           "  -h, --hilfe, --help          diese Hilfe\n"
           "  --version                    Name und Version\n"
           "  --                           alles danach ist ein Export, auch \"-x\"\n"
           "\n"
           "Optionen und Exporte duerfen in beliebiger Reihenfolge stehen.\n"
           "Der Vorschlag im Dialog ist der frueheste moegliche Gaswechsel; ein spaeterer\n"
           "ist die sichere Seite. Eine Tauchserie gehoert in einen Export: auf mehrere\n"
           "Exporte verteilt, geht der Reststickstoff zwischen ihnen verloren.\n"
           "Mehr dazu in Info.txt, Abschnitt 10.\n";
}

const char* versionText() {
    return "csv2vdp " CSV2VDP_VERSION " beta";
}
