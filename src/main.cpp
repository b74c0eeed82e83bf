// The converter's command line: no argument starts the classic dialogue, exports as arguments
// the assisted one.
#include "dialogue/mainflow.h"
#include "platform/entry.h"

int programMain(const std::vector<std::string>& args) {
    if (args.empty()) return mainFlow();
    return exportsFlow(args, kAssisted);
}
