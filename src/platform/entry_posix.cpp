// The program's entry on systems whose arguments are plain bytes.
#include "platform/entry.h"

int main(int argc, char** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; i++)
        args.emplace_back(argv[i]);
    return programMain(args);
}
