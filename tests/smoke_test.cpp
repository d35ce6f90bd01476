#include "tests/fixture.h"

TEST_F(VeskalTest, StartsAndStops) {
    StartProgram();
    EXPECT_NE(program.moverWindow, nullptr);
}
