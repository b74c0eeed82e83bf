// Naming the export and the profile of the assisted mode.
#include "dialogue/names.h"

#include "import/logbook.h"
#include "platform/files.h"

namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Windows does not tell case apart in names, so neither do we.
bool endsWith(const std::string& name, const char* suffix) {
    std::string tail(suffix);
    if (name.size() < tail.size()) return false;
    for (size_t i = 0; i < tail.size(); i++) {
        if (lower(name[name.size() - tail.size() + i]) != tail[i]) return false;
    }
    return true;
}

// Where the extension of the last path component begins; npos when it has none.
size_t extensionAt(const std::string& path) {
    size_t dot = path.rfind('.');
    size_t slash = path.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return std::string::npos;
    }
    return dot;
}

}  // namespace

bool endsWithCsv(const std::string& path) {
    return endsWith(path, ".csv");
}

std::string exportPathFor(const std::string& given) {
    FileKind kind = fileKind(given.c_str());
    if (kind == kFileRegular || endsWith(given, ".csv")) return given;
    // A folder of the export's name must not hide the export; without an export beside it, the
    // folder keeps the name given, so that the message names what the user typed.
    std::string csv = given + ".csv";
    if (kind == kFileOther && fileKind(csv.c_str()) != kFileRegular) return given;
    return csv;
}

std::string profilePathFor(const std::string& exportPath) {
    size_t dot = extensionAt(exportPath);
    if (dot == std::string::npos || endsWith(exportPath, ".vdp")) return exportPath + ".vdp";
    return exportPath.substr(0, dot) + ".vdp";
}

FileNames namesFromArgument(const std::string& given) {
    FileNames names;
    names.exportPath = exportPathFor(given);
    names.profilePath = profilePathFor(names.exportPath);
    names.exportShown = fileShownName(names.exportPath);
    names.profileShown = fileShownName(names.profilePath);
    return names;
}
