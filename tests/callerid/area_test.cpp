// Number areas: the five rules in order, the by-reference "0" removal, "X"
// numbers, a missing database, and the database the build ships.
#include "callerid_fixture.h"

#include "callerid/numberarea.h"

#include <QFile>

namespace {

class NumberArea : public CallerIdTest {
protected:
    QString area(QString number) { return numberarea::AreaOfNumber(number); }
};

TEST_F(NumberArea, RulesInOrder)
{
    makeAreaDatabase();
    EXPECT_EQ(area(QStringLiteral("13800138000")), QStringLiteral("北京--中国移动"));
    EXPECT_EQ(area(QStringLiteral("13700000000")), QStringLiteral("未知地址--"));
    EXPECT_EQ(area(QStringLiteral("01065521234")), QStringLiteral("北京市"));
    EXPECT_EQ(area(QStringLiteral("02112345678")), QStringLiteral("上海市"));
    EXPECT_EQ(area(QStringLiteral("0261234")), QStringLiteral("待定"));
    EXPECT_EQ(area(QStringLiteral("02")), QString());
    EXPECT_EQ(area(QStringLiteral("81234567")), QStringLiteral("本地电话--"));
    EXPECT_EQ(area(QStringLiteral("075581234567")), QStringLiteral("广东--深圳"));
    EXPECT_EQ(area(QStringLiteral("05711234567")), QStringLiteral("浙江--杭州"));   // a substring of a longer code
    EXPECT_EQ(area(QStringLiteral("09991234567")), QStringLiteral("未知区域--"));
    // Short numbers marked with "X": six digits reach the lookup, five do not.
    EXPECT_EQ(area(QStringLiteral("138001X")), QStringLiteral("未知地址--"));
    EXPECT_EQ(area(QStringLiteral("13800X")), QStringLiteral("--"));
}

TEST_F(NumberArea, LeadingZeroOfAMobileLeavesTheCallersVariable)
{
    makeAreaDatabase();
    QString number = QStringLiteral("013800138000");
    EXPECT_EQ(numberarea::AreaOfNumber(number), QStringLiteral("北京--中国移动"));
    EXPECT_EQ(number, QStringLiteral("13800138000"));
    QString beijing = QStringLiteral("01065521234");
    numberarea::AreaOfNumber(beijing);
    EXPECT_EQ(beijing, QStringLiteral("01065521234"));
}

TEST_F(NumberArea, QuoteInANumberIsQuoted)
{
    makeAreaDatabase();
    EXPECT_EQ(area(QStringLiteral("1'00000")), QStringLiteral("未知地址--"));
    EXPECT_EQ(area(QStringLiteral("0'5'")), QStringLiteral("未知区域--"));
}

TEST_F(NumberArea, MissingDatabaseFailsOnlyTheLookups)
{
    EXPECT_THROW(area(QStringLiteral("13800138000")), db::Error);
    EXPECT_THROW(area(QStringLiteral("075581234567")), db::Error);
    EXPECT_EQ(area(QStringLiteral("02112345678")), QStringLiteral("上海市"));
    EXPECT_EQ(area(QStringLiteral("81234567")), QStringLiteral("本地电话--"));
}

TEST_F(NumberArea, ShippedDatabase)
{
    ASSERT_TRUE(QFile::copy(QStringLiteral(HALVEX_MOBILDB_FILE), path(QStringLiteral("MobilDB.mdb"))));
    EXPECT_EQ(area(QStringLiteral("13800138000")), QStringLiteral("北京--中国移动"));
    EXPECT_EQ(area(QStringLiteral("075583001234")), QStringLiteral("广东--深圳"));
    db::Connection connection;
    connection.open(QStringLiteral("dbq=") + path(QStringLiteral("MobilDB.mdb")) + QStringLiteral(";"));
    db::Recordset rows;
    rows.open(QStringLiteral("select count(*) from list"), connection);
    EXPECT_EQ(rows.field(0).toLong(), 317822);
}

} // namespace
