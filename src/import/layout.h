// The export's layout: the size of a row and what each row holds. The one home of every row
// number, so that no reader can drift from another.
#pragma once

constexpr int kRowSize = 120;               // bytes of a row buffer
constexpr int kLongestLine = kRowSize - 2;  // characters of a line before its line end
constexpr int kMaxBaseName = 30;            // base name plus ".csv" or ".vdp" fits 35 bytes

// Rows, counted from 0; each dive's value stands in its column.
constexpr int kComputerRow = 0;
constexpr int kNumberRow = 1;  // its commas give the dive count
constexpr int kDateRow = 2;
constexpr int kAltitudeRow = 3;
constexpr int kMaxDepthRow = 6;
constexpr int kAverageDepthRow = 7;
constexpr int kTemperatureRow = 8;
constexpr int kDiveTimeRow = 9;  // minutes
constexpr int kDescentRow = 10;
constexpr int kSurfacingRow = 11;
constexpr int kIntervalRow = 12;  // hours:minutes
constexpr int kSafetyRow = 13;
constexpr int kRateRow = 14;  // seconds between samples
constexpr int kMix1Row = 15;
constexpr int kMix2Row = 16;
constexpr int kDecoRow = 17;
constexpr int kDecoViolationRow = 18;
constexpr int kPo2WarningRow = 19;
constexpr int kCnsWarningRow = 20;
constexpr int kDepthWarningRow = 21;
constexpr int kAscentWarningRow = 22;
constexpr int kFirstSampleRow = 23;  // sample s of a dive stands in row 23 + s

// The dive table reads rows 12 to 16 for every dive.
constexpr int kMinRows = kMix2Row + 1;
