#include "model/Errors.h"

#include <gtest/gtest.h>

RK_DECLARE_ERROR(ETestError, ERKError)
RK_DECLARE_ERROR(ETestSubError, ETestError)

TEST(Errors, KindIsTheClassNameAndDescribeJoinsIt)
{
    try {
        throw ETestSubError(QStringLiteral("disk full"));
    } catch (const ETestError& error) {  // caught as its base kind
        EXPECT_EQ(error.kind(), QStringLiteral("ETestSubError"));
        EXPECT_EQ(error.message(), QStringLiteral("disk full"));
        EXPECT_EQ(error.describe(), QStringLiteral("ETestSubError - disk full"));
        EXPECT_STREQ(error.what(), "disk full");
    }
}
