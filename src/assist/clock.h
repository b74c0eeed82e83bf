// Typed times: the answer line as the diver meant it, and "M:S" or "H:M" read strictly.
#pragma once

#include <string>

// Seconds as minutes:seconds, "17:40"; hours:minutes the same way from minutes.
std::string clockText(long long seconds);

// `text` without blanks, tabs, CRs and line ends at either end.
std::string trimmedAnswer(const std::string& text);

// "12:30" or "12" (12:00), decimal digits and one colon and nothing else: no sign, no other
// separator, nothing after it. *total = first * 60 + second, so a second number of 60 or more
// carries ("1:75" is 135). Each number stops growing at a bound far beyond any answer that can
// be accepted. False for anything else; *total is then unchanged.
bool parseClock(const std::string& text, long long* total);
