// The review: each dive's summary, and the questions that complete its record.
#pragma once

// The last surface-interval entry; a number that an entry leaves unfilled keeps its value.
extern int hours;
extern int minutes;

// Walks through every dive in file order. False when the console input ended before all
// questions were answered.
bool reviewDives();
