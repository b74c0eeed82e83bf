// Streams a dive log through expat and hands each element to the UDDF or the Subsurface reader,
// whichever the root element asks for; turns every failure into one German message.
#include "import/logfile.h"

#include <expat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

#include "import/logparse.h"
#include "import/subsurface.h"
#include "import/uddf.h"
#include "platform/files.h"

namespace {

constexpr int kChunk = 64 * 1024;
// expat scans a token that a piece cuts off again with every later piece: pieces grow while
// nothing is parsed, so that one huge attribute costs its length a few times, not squared.
constexpr int kLargestChunk = 64 * 1024 * 1024;
// Longer texts are no number, date or time anyway; the cut keeps a stray megabyte of text from
// being held, and the mark makes sure a cut text never reads as a shorter valid one.
constexpr size_t kMaxText = 256;
constexpr char kCutMark = '\x7f';
// Logs nest a dozen elements deep; a file nested far deeper is refused before expat's stack of
// open elements (and ours) grows with it.
constexpr size_t kMaxDepth = 200;

enum Format { kNoFormat, kUddf, kSubsurface };

struct Reader {
    XML_Parser parser = nullptr;
    LogParse parse;
    Format format = kNoFormat;
    UddfReader uddf;
    SubsurfaceReader subsurface;
    bool outOfMemory = false;
    bool sawBytes = false;     // anything but blanks: an empty file gets its own message
    bool firstPiece = true;    // the next piece is the file's start
    std::string encoding;      // the encoding the file names when expat knows it not
    unsigned long events = 0;  // elements and texts handed over so far
};

void stopWhenFailed(Reader* r) {
    if (r->outOfMemory || !r->parse.error.empty()) XML_StopParser(r->parser, XML_FALSE);
}

// The root element decides the format; anything else is refused at once.
bool chooseFormat(Reader* r, const char* local) {
    if (std::strcmp(local, "uddf") == 0) {
        r->format = kUddf;
    } else if (std::strcmp(local, "divelog") == 0) {
        r->format = kSubsurface;
    } else {
        r->parse.error =
            "ERROR: Die Datei " + r->parse.shownName + " ist keine UDDF- oder Subsurface-Datei.";
        return false;
    }
    return true;
}

bool stopped(const Reader* r) {
    return r->outOfMemory || !r->parse.error.empty();
}

// Exceptions must not cross expat's C frames: a shortage of memory is noted and ends the parse.
// Expat may still report the end of an empty element after a stop: nothing more is done then.
void XMLCALL onStart(void* data, const XML_Char* name, const XML_Char** attrs) {
    Reader* r = static_cast<Reader*>(data);
    r->events++;
    if (stopped(r)) return;
    try {
        const char* local = localName(name);
        LogParse& p = r->parse;
        p.line = static_cast<long>(XML_GetCurrentLineNumber(r->parser));
        p.text.clear();
        if (p.path.empty() && !chooseFormat(r, local)) return stopWhenFailed(r);
        if (p.path.size() >= kMaxDepth) {
            p.error = "ERROR: " + p.shownName + " ist zu tief verschachtelt (Zeile " +
                      std::to_string(p.line) + "), keine UDDF- oder Subsurface-Datei.";
            return stopWhenFailed(r);
        }
        p.path.emplace_back(local);
        if (r->format == kUddf) {
            uddfStart(&r->uddf, &p, attrs);
        } else {
            subsurfaceStart(&r->subsurface, &p, attrs);
        }
    } catch (const std::bad_alloc&) {
        r->outOfMemory = true;
    }
    stopWhenFailed(r);
}

void XMLCALL onEnd(void* data, const XML_Char*) {
    Reader* r = static_cast<Reader*>(data);
    r->events++;
    if (stopped(r) || r->parse.path.empty()) return;
    try {
        LogParse& p = r->parse;
        if (r->format == kUddf) {
            uddfEnd(&r->uddf, &p);
        } else {
            subsurfaceEnd(&r->subsurface, &p);
        }
        p.path.pop_back();
        p.text.clear();
    } catch (const std::bad_alloc&) {
        r->outOfMemory = true;
    }
    stopWhenFailed(r);
}

void XMLCALL onText(void* data, const XML_Char* text, int len) {
    Reader* r = static_cast<Reader*>(data);
    r->events++;
    std::string& t = r->parse.text;
    if (stopped(r) || len <= 0 || t.size() > kMaxText) return;
    size_t room = kMaxText - t.size();
    size_t n = static_cast<size_t>(len);
    try {
        if (n <= room) {
            t.append(text, n);
        } else {
            t.append(text, room);
            t += kCutMark;
        }
    } catch (const std::bad_alloc&) {
        r->outOfMemory = true;
        stopWhenFailed(r);
    }
}

bool onlyBlanks(const char* data, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        char c = data[i];
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n') return false;
    }
    return true;
}

// Expat reads UTF-8, UTF-16, ISO-8859-1 and US-ASCII itself; any other encoding is noted, so
// that the message can name it, and ends the parse.
int XMLCALL onUnknownEncoding(void* data, const XML_Char* name, XML_Encoding*) {
    Reader* r = static_cast<Reader*>(data);
    r->encoding.clear();
    for (const char* c = name; *c && r->encoding.size() < 40; ++c)
        r->encoding += *c > 0x20 && *c < 0x7f ? *c : '?';
    return XML_STATUS_ERROR;
}

// True when the bytes begin as a gzip or zip archive does: the log inside must be unpacked.
bool compressed(const char* data, size_t n) {
    return (n >= 2 && std::memcmp(data, "\x1f\x8b", 2) == 0) ||
           (n >= 4 && std::memcmp(data, "PK\x03\x04", 4) == 0);
}

// The message for a compressed file, or false for one that is not; only the first piece counts.
bool refuseCompressed(Reader* r, const char* data, size_t n) {
    bool first = r->firstPiece;
    r->firstPiece = false;
    if (!first || !compressed(data, n)) return false;
    r->parse.error =
        "ERROR: Die Datei " + r->parse.shownName + " ist komprimiert: bitte entpacken.";
    return true;
}

// Sets up the parser; false when expat cannot get its memory.
bool start(Reader* r, const std::string& shownName) {
    r->parse.shownName = shownName;
    // No namespace processing: prefixes are stripped by hand, so any namespace (or none) reads.
    r->parser = XML_ParserCreate(nullptr);
    if (!r->parser) return false;
    XML_SetUserData(r->parser, r);
    XML_SetElementHandler(r->parser, onStart, onEnd);
    XML_SetCharacterDataHandler(r->parser, onText);
    XML_SetUnknownEncodingHandler(r->parser, onUnknownEncoding, r);
    return true;
}

// The message for a parse that ended early or failed, or none.
std::string failure(Reader* r) {
    const std::string& name = r->parse.shownName;
    if (r->outOfMemory || XML_GetErrorCode(r->parser) == XML_ERROR_NO_MEMORY) {
        return "ERROR: Die Datei " + name + " ist zu gross, es fehlt Arbeitsspeicher.";
    }
    if (!r->parse.error.empty()) return r->parse.error;
    if (!r->sawBytes) return "ERROR: Die Datei " + name + " ist leer.";
    if (XML_GetErrorCode(r->parser) == XML_ERROR_UNKNOWN_ENCODING) {
        return "ERROR: Die Datei " + name + " hat die unlesbare Zeichenkodierung '" + r->encoding +
               "'.";
    }
    if (r->format == kNoFormat) {
        return "ERROR: Die Datei " + name + " ist keine UDDF- oder Subsurface-Datei.";
    }
    return "ERROR: " + name + " ist kein gueltiges XML (Zeile " +
           std::to_string(XML_GetCurrentLineNumber(r->parser)) + ": " +
           XML_ErrorString(XML_GetErrorCode(r->parser)) + ").";
}

// Parses one piece that expat's own buffer holds; false once the parse has ended in failure.
bool parsePiece(Reader* r, int len, bool last) {
    return XML_ParseBuffer(r->parser, len, last ? XML_TRUE : XML_FALSE) == XML_STATUS_OK;
}

LogFile finish(Reader* r, bool parsed) {
    LogFile out;
    if (!parsed) {
        out.error = failure(r);
        return out;
    }
    out.ok = true;
    out.dives = std::move(r->parse.dives);
    out.sorted = sortByStart(&out.dives);
    return out;
}

// Runs `body` with a fresh reader; a shortage of memory anywhere becomes the message for it.
template <typename Body>
LogFile guarded(const std::string& shownName, Body body) {
    Reader r;
    LogFile out;
    try {
        if (!start(&r, shownName)) {
            out.error =
                "ERROR: Die Datei " + shownName + " ist zu gross, es fehlt Arbeitsspeicher.";
        } else {
            out = body(&r);
        }
    } catch (const std::bad_alloc&) {
        out = LogFile();
        out.error = "ERROR: Die Datei " + shownName + " ist zu gross, es fehlt Arbeitsspeicher.";
    }
    if (r.parser) XML_ParserFree(r.parser);
    return out;
}

}  // namespace

LogFile readLogBuffer(const char* data, size_t size, const std::string& shownName) {
    return guarded(shownName, [&](Reader* r) {
        size_t done = 0;
        bool ok = true;
        do {
            int len = static_cast<int>(std::min(size - done, static_cast<size_t>(kChunk)));
            void* buffer = XML_GetBuffer(r->parser, len);
            if (!buffer) {
                ok = false;
                break;
            }
            if (len > 0) std::memcpy(buffer, data + done, static_cast<size_t>(len));
            if (refuseCompressed(r, data + done, static_cast<size_t>(len))) return finish(r, false);
            r->sawBytes = r->sawBytes || !onlyBlanks(data + done, static_cast<size_t>(len));
            done += static_cast<size_t>(len);
            ok = parsePiece(r, len, done == size);
        } while (ok && done < size);
        return finish(r, ok);
    });
}

LogFile readLogFile(const std::string& path) {
    std::string shown = fileShownName(path);
    FILE* file = fileOpenRegular(path.c_str());
    if (!file) {
        LogFile out;
        out.error = "ERROR: Fehler beim Oeffnen der Datei " + shown + ".";
        return out;
    }
    LogFile out = guarded(shown, [&](Reader* r) {
        bool ok = true;
        int chunk = kChunk;
        for (;;) {
            void* buffer = XML_GetBuffer(r->parser, chunk);
            if (!buffer) {
                ok = false;
                break;
            }
            unsigned long before = r->events;
            size_t len = std::fread(buffer, 1, static_cast<size_t>(chunk), file);
            if (std::ferror(file)) {
                LogFile failed;
                failed.error = "ERROR: Fehler beim Lesen der Datei " + r->parse.shownName + ".";
                return failed;
            }
            if (refuseCompressed(r, static_cast<char*>(buffer), len)) return finish(r, false);
            r->sawBytes = r->sawBytes || !onlyBlanks(static_cast<char*>(buffer), len);
            bool last = len < static_cast<size_t>(chunk) && std::feof(file);
            ok = parsePiece(r, static_cast<int>(len), last);
            if (!ok || last) break;
            chunk = r->events != before ? kChunk : std::min(2 * chunk, kLargestChunk);
        }
        return finish(r, ok);
    });
    std::fclose(file);
    return out;
}

LogProbe probeLogFile(const std::string& path) {
    FILE* file = fileOpenRegular(path.c_str());
    if (!file) return kProbeOther;
    char head[512];
    size_t len = std::fread(head, 1, sizeof head, file);
    std::fclose(file);
    if (len == 0) return kProbeEmpty;
    if (compressed(head, len)) return kProbeLog;
    // UTF-16 with its byte order mark: every other byte of the text is the one that counts.
    size_t at = 0, step = 1;
    if (len >= 2 &&
        (std::memcmp(head, "\xFF\xFE", 2) == 0 || std::memcmp(head, "\xFE\xFF", 2) == 0)) {
        at = head[0] == '\xFF' ? 2 : 3;
        step = 2;
    } else if (len >= 3 && std::memcmp(head, "\xEF\xBB\xBF", 3) == 0) {
        at = 3;
    }
    while (at < len &&
           (head[at] == ' ' || head[at] == '\t' || head[at] == '\r' || head[at] == '\n'))
        at += step;
    return at < len && head[at] == '<' ? kProbeLog : kProbeOther;
}
