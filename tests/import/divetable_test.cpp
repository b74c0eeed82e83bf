// Filling the dive table: gases, interval, rate and samples per dive.
#include "import/divetable.h"

#include <gtest/gtest.h>

#include "import/logbook.h"
#include "testutil.h"

namespace {

TEST(FillDiveTable, ReadsEachDivesColumn) {
    std::vector<std::string> rows(23, "x,,,");
    rows[1] = "Nr,1,2,3";
    rows[12] = "Pause,1:30,0:45,-";
    rows[14] = "Rate,30,20,";
    rows[15] = "Mix1,21,-,";
    rows[16] = "Mix2,-,50,32";
    rows.push_back("1,0.0,0.0,0.0");
    rows.push_back("2,1.0,,1.0");
    std::vector<DiveRecord> dives = fillDiveTable(setTable(rows));
    const DiveRecord expected[] = {{21, -1, -1, 90, 30, 2},
                                   {-1, 50, -1, 45, 20, 1},
                                   {0, 32, -1, 0, 30, 2}};  // no rate: taken as 30 s
    ASSERT_EQ(dives.size(), 3u);
    for (int i = 0; i < 3; i++) {
        const DiveRecord& r = dives[i];
        const DiveRecord& e = expected[i];
        EXPECT_EQ(r.mix1, e.mix1) << "dive " << i + 1;
        EXPECT_EQ(r.mix2, e.mix2) << "dive " << i + 1;
        EXPECT_EQ(r.switchSample, -1) << "dive " << i + 1;
        EXPECT_EQ(r.surfaceInterval, e.surfaceInterval) << "dive " << i + 1;
        EXPECT_EQ(r.sampleRate, e.sampleRate) << "dive " << i + 1;
        EXPECT_EQ(r.sampleCount, e.sampleCount) << "dive " << i + 1;
        EXPECT_EQ(r.number, i + 1);
    }
}

}  // namespace
