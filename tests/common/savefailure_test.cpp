// The text of a refused save: the window's words, the database's reason where
// the window shows it, and the busy sentence when another workstation held the file.
#include "common/savefailure.h"

#include <gtest/gtest.h>

// A refusal for any other reason keeps its own words; one with the reason
// shown gives the busy sentence in the reason's place.
TEST(RefusedSaveText, BusySentenceFollowsTheWindowsWords)
{
    const db::Error busy(QStringLiteral("数据库正忙，另一个程序正在使用它"), db::Error::Kind::Busy);
    const db::Error other(QStringLiteral("constraint failed"));
    const QString sentence = QString::fromUtf8(savefailure::kBusyText);
    EXPECT_EQ(savefailure::text(QStringLiteral("记录无法删除"), other), QStringLiteral("记录无法删除"));
    EXPECT_EQ(savefailure::text(QStringLiteral("记录无法删除"), busy), QStringLiteral("记录无法删除。") + sentence);
    EXPECT_EQ(savefailure::text(QStringLiteral("订单未能保存："), other, savefailure::Reason::Shown),
              QStringLiteral("订单未能保存：constraint failed"));
    EXPECT_EQ(savefailure::text(QStringLiteral("订单未能保存："), busy, savefailure::Reason::Shown),
              QStringLiteral("订单未能保存：") + sentence);
}
