// The log tests' shared helpers.
#include "support/logdives.h"

#include <gtest/gtest.h>

LogDive onlyDive(const LogFile& f) {
    EXPECT_TRUE(f.ok) << f.error;
    EXPECT_EQ(f.dives.size(), 1u);
    return f.dives.empty() ? LogDive() : f.dives[0];
}

void expectGas(const LogGas& g, double o2, double he) {
    EXPECT_NEAR(g.o2, o2, 1e-9);
    EXPECT_NEAR(g.he, he, 1e-9);
}
