// Helpers of the log reader's tests: the one dive of a file, a gas compared.
#pragma once

#include "import/logfile.h"

// The one dive of a file, by value (the file is a temporary); a test failure unless the file
// was read and holds exactly one dive.
LogDive onlyDive(const LogFile& f);

// A test failure unless the gas has these shares of oxygen and helium.
void expectGas(const LogGas& g, double o2, double he);
