// The program's entry on Windows: the wide command line, so that a dropped export's name
// arrives whole whatever the code pages, converted to UTF-8.
#include <windows.h>

#include "platform/entry.h"
#include "platform/files.h"

namespace {

std::string utf8(const wchar_t* wide) {
    int len = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (len <= 1) return std::string();
    std::string text(static_cast<size_t>(len), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, &text[0], len, nullptr, nullptr);
    text.resize(static_cast<size_t>(len - 1));
    return text;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; i++)
        args.push_back(utf8(argv[i]));
    // Names typed at the console come in its code page; names from the command line in UTF-8.
    if (!args.empty()) fileNamesAreUtf8();
    return programMain(args);
}
