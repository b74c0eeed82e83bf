// The converter's command line: no argument starts the classic dialogue, exports as arguments
// the assisted one; options choose the unattended run, the check, help or the version.
#include <cstdio>

#include "dialogue/check.h"
#include "dialogue/mainflow.h"
#include "dialogue/options.h"
#include "platform/entry.h"

int programMain(const std::vector<std::string>& args) {
    Command command = parseArguments(args);
    switch (command.action) {
        case kStartClassic:
            return mainFlow();
        case kStartAssisted:
            return exportsFlow(command.exports, kAssisted);
        case kStartUnattended:
            return exportsFlow(command.exports, kUnattended);
        case kStartCheck:
            return checkExports(command.exports);
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
