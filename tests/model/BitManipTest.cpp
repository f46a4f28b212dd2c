#include "model/BitManip.h"

#include <gtest/gtest.h>

TEST(BitManip, SetsClearsAndTestsSingleBits)
{
    EXPECT_EQ(SetBit(0x00, 0), 0x01);
    EXPECT_EQ(SetBit(0x01, 7), 0x81);
    EXPECT_EQ(ClearBit(0xFF, 4), 0xEF);
    EXPECT_EQ(SetBitTo(0x00, 3, 42), 0x08);  // any non-zero flag sets
    EXPECT_EQ(SetBitTo(0xFF, 3, 0), 0xF7);
    EXPECT_TRUE(BitIsSet(0x80, 7));
    EXPECT_FALSE(BitIsSet(0x7F, 7));
}

TEST(BitManip, BitNumbersWrapModuloEight)
{
    EXPECT_EQ(SetBit(0x00, 9), 0x02);
    EXPECT_EQ(ClearBit(0xFF, 15), 0x7F);
    EXPECT_TRUE(BitIsSet(0x01, 8));
}
