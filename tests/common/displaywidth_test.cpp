#include "common/displaywidth.h"

#include <gtest/gtest.h>

TEST(DisplayWidth, CountsDoubleByteCharactersTwiceAfterTrimmingSpaces)
{
    EXPECT_EQ(CheckStringLength(QStringLiteral("  ab中 ")), 4);
    EXPECT_EQ(CheckStringLength(QString()), 0);
    EXPECT_EQ(CheckStringLength(QStringLiteral("   ")), 0);
    // Full-width forms are two bytes in GBK; a character GBK cannot hold
    // prints as one "?".
    EXPECT_EQ(CheckStringLength(QStringLiteral("ＡＢ")), 4);
    EXPECT_EQ(CheckStringLength(QStringLiteral("😀")), 1);
    // Only spaces are trimmed: a tab keeps its column.
    EXPECT_EQ(CheckStringLength(QStringLiteral("\tx")), 2);
}
