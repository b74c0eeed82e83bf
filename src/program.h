// The program's own limits and name, shared by every layer.
#pragma once

// The version comes from the build (CMakeLists.txt names it once for the program, the banner,
// --version and the bundle).
#ifndef CSV2VDP_VERSION
#error "CSV2VDP_VERSION is set by the build"
#endif

// The planner takes no profile of this many minutes or more: the writer warns once its running
// minute, one more than the lines written so far, reaches it.
constexpr long long kProfileMinuteLimit = 6000;

// A profile of `lines` minute lines reaches that limit: the one test of it, the writer's
// warning and every refusal alike.
inline bool profileTooLong(long long lines) {
    return lines + 1 >= kProfileMinuteLimit;
}
