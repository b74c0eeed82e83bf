// The review: each dive's summary, and the questions that complete its record.
#pragma once

// Walks through every dive in file order. False when the console input ended before all
// questions were answered.
bool reviewDives();
