// The converter's command line: no argument starts the classic dialogue, exports as arguments
// the assisted one.
#include <cstdio>
#include <new>

#include "dialogue/mainflow.h"
#include "platform/entry.h"
#include "platform/files.h"

int programMain(const std::vector<std::string>& args) {
    fileStartup();
    // The line table and the export report their own shortage; this catches any other.
    try {
        if (args.empty()) return mainFlow();
        return exportsFlow(args, kAssisted);
    } catch (const std::bad_alloc&) {
        printf("\nERROR: Es fehlt Arbeitsspeicher.\n");
        return -1;
    }
}
