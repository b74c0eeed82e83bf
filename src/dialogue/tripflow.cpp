// Several logs in one profile: their arguments checked, read and joined, then the one log flow.
#include "dialogue/tripflow.h"

#include <cstdio>
#include <cstring>

#include "dialogue/mainflow.h"
#include "dialogue/names.h"
#include "dialogue/reasons.h"
#include "platform/files.h"
#include "platform/textfile.h"

namespace {

// Each argument as a log; false once the refusal of the first one that is none is printed. A CSV
// export has no dates to join it by.
bool tripFiles(const std::vector<std::string>& logs, const std::string& profile,
               std::vector<FileNames>* files) {
    for (const std::string& given : logs) {
        FileNames names = namesFromArgument(given);
        if (isNoFile(names)) return false;
        // A missing file is left to the reader, which names it.
        if (fileKind(names.exportPath.c_str()) == kFileRegular && !isLogFile(names)) {
            printf(
                "\nERROR: Mit --profil werden nur UDDF- und Subsurface-Dateien verbunden;\n"
                "%s ist ein CSV-Export.\n",
                names.exportShown.c_str());
            printRefused(tripNames(profile, names));
            return false;
        }
        files->push_back(names);
    }
    return true;
}

// The name is typed by hand: a file standing there that is no profile (a log, an export) may be
// the diver's only copy and is not replaced. An empty file holds nothing to lose.
bool profileReplaceable(const FileNames& trip) {
    const char* path = trip.profilePath.c_str();
    if (textTarget(path) != kTargetFile) return true;
    TextIn* in = textOpenRead(path);
    if (!in) return true;  // the writer reports what stands there
    char row[120] = {};
    int n = textReadRow(in, row);
    textClose(in);
    const char header[] = "Depth\t";
    if (n <= 0 || std::strncmp(row, header, sizeof header - 1) == 0) return true;
    printf(
        "\nERROR: Die Datei %s ist kein Profil und wird nicht ersetzt;\n"
        "bitte mit --profil einen anderen Namen angeben.\n",
        trip.profileShown.c_str());
    return false;
}

}  // namespace

FileNames tripNames(const std::string& profile, const FileNames& firstLog) {
    FileNames names = firstLog;
    std::string tail = profile.size() >= 4 ? profile.substr(profile.size() - 4) : "";
    for (char& c : tail)
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    names.profilePath = tail == ".vdp" ? profile : profile + ".vdp";
    names.profileShown = fileShownName(names.profilePath);
    return names;
}

LogOutcome convertTrip(const std::vector<std::string>& logs, const std::string& profile,
                       const std::string& list, bool unattended, bool switchesGiven, bool picture) {
    std::vector<FileNames> files;
    if (!tripFiles(logs, profile, &files) || files.empty()) return kLogNotUsable;
    FileNames trip = tripNames(profile, files.front());
    if (switchesGiven) {
        printSwitchesRefused(files.front(), trip);
        return kLogNotUsable;
    }
    JoinedDives joined;
    if (!profileReplaceable(trip) || !readLogs(files, &joined)) return kLogNotUsable;
    return convertLog(trip, joined, list, unattended, picture);
}

int checkTrip(const std::vector<std::string>& logs, const std::string& profile,
              const std::string& list, std::string* shown) {
    for (const std::string& given : logs)
        *shown += (shown->empty() ? "" : ", ") + namesFromArgument(given).exportShown;
    std::vector<FileNames> files;
    bool usable = tripFiles(logs, profile, &files);
    JoinedDives joined;
    if (!usable || files.empty() || !readLogs(files, &joined)) return -1;
    return checkLog(tripNames(profile, files.front()), joined, list, {});
}
