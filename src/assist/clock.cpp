// Reading typed times strictly: a diver who types 3.20 or 3:20abc is asked again rather than
// taken at 3:00 or 3:20, and nothing of an earlier answer carries over.
#include "assist/clock.h"

#include "import/numbers.h"

namespace {

constexpr long long kBound = 1000000000000LL;

// Digits at *at up to the bound; false for no digit.
bool digitsAt(const std::string& text, size_t* at, long long* value) {
    size_t n = readDigits(text.data() + *at, text.size() - *at, text.size(), kBound, value);
    *at += n;
    return n > 0;
}

}  // namespace

std::string clockText(long long seconds) {
    return std::to_string(seconds / 60) + ":" + (seconds % 60 < 10 ? "0" : "") +
           std::to_string(seconds % 60);
}

std::string trimmedAnswer(const std::string& text) {
    size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

bool parseClock(const std::string& text, long long* total) {
    size_t at = 0;
    long long first;
    long long second = 0;
    if (!digitsAt(text, &at, &first)) return false;
    if (at < text.size() && text[at] == ':') {
        at++;
        if (!digitsAt(text, &at, &second)) return false;
    }
    if (at != text.size()) return false;
    *total = first * 60 + second;
    return true;
}
