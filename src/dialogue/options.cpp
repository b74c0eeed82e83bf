// Parsing the command line; no console output here, main prints what it returns.
#include "dialogue/options.h"

#include "program.h"

namespace {

bool isOption(const std::string& arg) {
    return arg.size() > 1 && arg[0] == '-';
}

Command bad(const std::string& problem) {
    return Command{kBadUsage, {}, problem};
}

}  // namespace

Command parseArguments(const std::vector<std::string>& args) {
    if (args.empty()) return Command{kStartClassic, {}, ""};
    bool unattended = false;
    bool check = false;
    bool optionsEnded = false;
    std::string unknown;
    std::vector<std::string> exports;
    for (const std::string& arg : args) {
        if (optionsEnded || !isOption(arg)) {
            exports.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--hilfe" || arg == "-h" || arg == "--help") {
            return Command{kShowHelp, {}, ""};
        } else if (arg == "--version") {
            return Command{kShowVersion, {}, ""};
        } else if (arg == "--ja" || arg == "-y") {
            unattended = true;
        } else if (arg == "--pruefen" || arg == "-p") {
            check = true;
        } else if (unknown.empty()) {
            unknown = arg;  // help or version later on the line still win
        }
    }
    if (!unknown.empty()) return bad("Unbekannte Option: " + unknown);
    if (unattended && check) return bad("--ja und --pruefen schliessen einander aus.");
    if (exports.empty()) return bad("Es fehlt der Name mindestens einer Exportdatei.");
    Action action = unattended ? kStartUnattended : check ? kStartCheck : kStartAssisted;
    return Command{action, exports, ""};
}

const char* usageText() {
    return "Aufruf:\n"
           "  csv2vdp                      Dialog wie bisher, fragt nach dem Dateinamen\n"
           "  csv2vdp EXPORT...            unterstuetzter Dialog fuer jeden Export (.csv)\n"
           "\n"
           "Optionen:\n"
           "  -y, --ja EXPORT...           ohne Fragen umwandeln: Vorschlag fuer den\n"
           "                               Gaswechsel, Pausen aus dem Export, ein\n"
           "                               vorhandenes Profil wird ersetzt\n"
           "  -p, --pruefen EXPORT...      nur pruefen, nichts schreiben; Ende mit 0\n"
           "                               (kein Befund), 1 (Befunde), -1 (unbrauchbar)\n"
           "  -h, --hilfe, --help          diese Hilfe\n"
           "  --version                    Name und Version\n"
           "  --                           alles danach ist ein Export, auch \"-x\"\n"
           "\n"
           "Optionen und Exporte duerfen in beliebiger Reihenfolge stehen.\n"
           "Mehr dazu in Info.txt, Abschnitt 10.\n";
}

const char* versionText() {
    return "csv2vdp " CSV2VDP_VERSION " beta";
}
