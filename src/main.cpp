// The converter's command line: no argument starts the classic dialogue, exports as arguments
// the assisted one; options choose the unattended run, the check, help or the version.
#include <cstdio>
#include <new>

#include "dialogue/check.h"
#include "dialogue/mainflow.h"
#include "dialogue/options.h"
#include "platform/entry.h"
#include "platform/files.h"

namespace {

int run(const Command& command) {
    switch (command.action) {
        case kStartClassic:
            return mainFlow();
        case kStartAssisted:
            return exportsFlow(command.exports, false, {}, command.diveList, command.profile,
                               command.picture);
        case kStartUnattended:
            return exportsFlow(command.exports, true, command.switches, command.diveList,
                               command.profile, command.picture);
        case kStartCheck:
            return checkExports(command.exports, command.diveList, command.profile);
        case kShowHelp:
            fputs(usageText(), stdout);
            return 0;
        case kShowVersion:
            printf("%s\n", versionText());
            return 0;
        case kBadUsage:
            break;
    }
    printf("%s\n\n%s", command.problem.c_str(), usageText());
    return 2;
}

}  // namespace

int programMain(const std::vector<std::string>& args) {
    fileStartup();
    // The line table and the export report their own shortage; this catches any other.
    try {
        return run(parseArguments(args));
    } catch (const std::bad_alloc&) {
        printf("\nERROR: Es fehlt Arbeitsspeicher.\n");
        return -1;
    }
}
