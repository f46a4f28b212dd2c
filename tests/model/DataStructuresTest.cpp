#include "model/DataStructures.h"

#include <gtest/gtest.h>

namespace {

TRKFrame frameOf(int32_t roll, uint8_t number)
{
    TRKFrame frame;
    frame.RollNumber = roll;
    frame.FrameNumber = number;
    return frame;
}

}  // namespace

TEST(DataStructures, NewEntriesStartEmpty)
{
    const TRKFrame frame;
    EXPECT_EQ(frame.RollNumber, 0);
    EXPECT_EQ(frame.ShutterSpeed, 0);
    EXPECT_FALSE(frame.MultipleExposure);
    EXPECT_TRUE(frame.Comment.isEmpty());
    EXPECT_TRUE(frame.Date.isNull());
    const TRKRoll roll;
    EXPECT_EQ(roll.ISO, 0);
    EXPECT_TRUE(roll.Photographer.isEmpty());
    EXPECT_TRUE(roll.Date.isNull());
}

TEST(DataStructures, CountFramesOfRoll)
{
    TRKRollSet set;
    EXPECT_EQ(CountFramesOfRoll(set, 1), 0);  // an empty set is valid

    // Frames of roll 7 spread over the sequence, and one frame of a roll the set lacks.
    TRKRoll roll;
    roll.RollNumber = 7;
    set.Rolls.append(roll);
    set.Frames = {frameOf(7, 1), frameOf(8, 1), frameOf(7, 2), frameOf(99, 1), frameOf(7, 3)};
    EXPECT_EQ(CountFramesOfRoll(set, 7), 3);
    EXPECT_EQ(CountFramesOfRoll(set, 99), 1);
    EXPECT_EQ(CountFramesOfRoll(set, 5), 0);
}
