// Synthetic UDDF logs for the benchmarks and runs by hand: many long dives with irregular
// waypoint times and gas switches, as a dive computer's export looks.
#pragma once

#include <cstdint>
#include <string>

// DIVES dives of WAYPOINTS waypoints each (2 to 10 s apart, now and then a repeated time),
// three mixes and two switches per dive; the same seed gives the same bytes.
std::string makeSyntheticUddf(uint64_t seed, int dives, int waypoints);
