// The command line: which run the arguments ask for, and the usage text.
#pragma once

#include <string>
#include <vector>

#include "assist/checks.h"

enum Action {
    kStartClassic,     // no arguments: the classic dialogue
    kStartAssisted,    // exports only: the assisted dialogue
    kStartUnattended,  // --ja / -y with exports
    kStartCheck,       // --pruefen / -p with exports
    kShowHelp,         // --hilfe, -h, --help
    kShowVersion,      // --version
    kBadUsage,         // `problem` says why; the usage text follows
};

struct Command {
    Action action;
    std::vector<std::string> exports;   // in the order given
    std::string problem;                // for kBadUsage: one German line
    std::vector<GivenSwitch> switches;  // --wechsel, with --ja and one export only
    std::string diveList;               // --tauchgaenge: dives of a UDDF or Subsurface log
    std::string profile = "";           // --profil: the logs' dives joined into this profile
    bool picture = true;                // NAME.svg beside each profile; --kein-bild: none
};

// Reads the arguments after the program's name. Options and exports may come in any order;
// "--" ends the options and a lone "-" is an export. Help and version win over everything else.
// "--wechsel N=M:SS" (or N=-) takes the next argument as its value; whether dive N and the
// time fit the export is checked once it is loaded.
Command parseArguments(const std::vector<std::string>& args);

// The short German usage text, plain ASCII, ending in a line end.
const char* usageText();

// The name and version, one line without its line end.
const char* versionText();
