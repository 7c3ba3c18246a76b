// Reading a quotation's lines for the rows and writing rows as lines: every
// stored line once and in stored order whatever became of its product, values
// a column cannot take left empty, and no key-less delete.
#include "tests/pipeline/pipelinefixture.h"

#include "common/database.h"
#include "common/linekey.h"
#include "pipeline/quotationlines.h"
#include "platform/db/locale.h"

namespace {

using pipeline::quotationlines::Line;
namespace lines = pipeline::quotationlines;

class QuotationLines : public PipelineTest {
protected:
    void addLine(const QString& key, const QString& product, const QString& quantity)
    {
        insert(QStringLiteral("chanceMX"), {{QStringLiteral("indexflag"), key},
                                            {QStringLiteral("productname"), product},
                                            {QStringLiteral("price"), QStringLiteral("10")},
                                            {QStringLiteral("num"), quantity},
                                            {QStringLiteral("zk"), QStringLiteral("90")},
                                            {QStringLiteral("unitprice"), QStringLiteral("9")}});
    }
};

TEST_F(QuotationLines, EveryStoredLineIsReadOnceInStoredOrder)
{
    insert(QStringLiteral("product"), {{QStringLiteral("product"), QStringLiteral("打印机")},
                                       {QStringLiteral("description"), QStringLiteral("A4 激光")}});
    insert(QStringLiteral("product"), {{QStringLiteral("product"), QStringLiteral("打印机")},   // a second of that name
                                       {QStringLiteral("description"), QStringLiteral("另一型号")}});
    addLine(QStringLiteral("k1"), QStringLiteral("墨盒"), QStringLiteral("3"));        // product deleted or renamed
    addLine(QStringLiteral("k1"), QStringLiteral("打印机"), QStringLiteral("1"));
    addLine(QStringLiteral("k2"), QStringLiteral("打印机"), QStringLiteral("7"));      // another quotation
    addLine(QStringLiteral("k1"), QStringLiteral("O'Brien 纸"), QStringLiteral("2"));

    const std::vector<Line> read = lines::read(QStringLiteral("k1")).value_or(std::vector<Line>{});
    ASSERT_EQ(read.size(), 3u);
    EXPECT_EQ(read[0].product, QStringLiteral("墨盒"));
    EXPECT_EQ(read[0].model, QString());
    EXPECT_EQ(read[0].quantity, QStringLiteral("3"));
    EXPECT_EQ(read[1].product, QStringLiteral("打印机"));
    EXPECT_EQ(read[1].model, QStringLiteral("A4 激光"));
    EXPECT_EQ(read[1].price + read[1].discount + read[1].total, QStringLiteral("10909"));
    EXPECT_EQ(read[2].product, QStringLiteral("O'Brien 纸"));

    addLine(QString(), QStringLiteral("无主"), QStringLiteral("1"));
    const auto none = lines::read(QString());
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->empty()) << "an empty key names no lines";
}

TEST_F(QuotationLines, WrittenLinesCarryTheHeadersValuesAndFailOnWhatTheirColumnsCannotTake)
{
    auto connection = database::openMain();
    lines::insert(*connection, QStringLiteral("chanceMX"),
                  {Line{QStringLiteral("打印机"), QStringLiteral("不存"), QStringLiteral("10"), QStringLiteral("2"),
                        QStringLiteral("90"), QStringLiteral("18")},
                   Line{QStringLiteral("墨盒"), QString(), QString(), QStringLiteral(""),
                        QStringLiteral("100"), QStringLiteral("Err")}},
                  QStringLiteral("12"), QStringLiteral("2026-4-1"), QStringLiteral("k9"));
    ASSERT_EQ(count(QStringLiteral("select count(*) from chanceMX where indexflag='k9'")), 2);
    const int first = scalar(QStringLiteral("select min(id) from chanceMX")).toInt();
    const int second = first + 1;
    EXPECT_EQ(column(QStringLiteral("chanceMX"), first, QStringLiteral("productname")), QStringLiteral("打印机"));
    EXPECT_EQ(column(QStringLiteral("chanceMX"), first, QStringLiteral("companyid")), QStringLiteral("12"));
    EXPECT_EQ(column(QStringLiteral("chanceMX"), first, QStringLiteral("unitprice")), QStringLiteral("18"));
    EXPECT_EQ(column(QStringLiteral("chanceMX"), first, QStringLiteral("salesdate")), QStringLiteral("2026-4-1"));
    EXPECT_EQ(column(QStringLiteral("chanceMX"), second, QStringLiteral("price")), QString());
    EXPECT_EQ(column(QStringLiteral("chanceMX"), second, QStringLiteral("unitprice")), QString());
    EXPECT_EQ(column(QStringLiteral("chanceMX"), second, QStringLiteral("zk")), QStringLiteral("100"));

    // The windows check the boxes first; what gets past them fails the write, never stored empty.
    EXPECT_THROW(lines::insert(*connection, QStringLiteral("SalesMX"), {Line{QStringLiteral("纸"), {}, QStringLiteral("abc"), {}, {}, {}}},
                               QStringLiteral("12"), QStringLiteral("2026-4-1"), QStringLiteral("k9")),
                 db::Error);
    EXPECT_THROW(lines::insert(*connection, QStringLiteral("SalesMX"), {Line{QStringLiteral("纸"), {}, {}, {}, {}, {}}},
                               QStringLiteral("12"), QStringLiteral("下个月"), QStringLiteral("k9")),
                 db::Error);
}

TEST_F(QuotationLines, RemovingTakesOnlyTheKeysLines)
{
    addLine(QStringLiteral("k1"), QStringLiteral("a"), QStringLiteral("1"));
    addLine(QStringLiteral("k2"), QStringLiteral("b"), QStringLiteral("1"));
    addLine(QString(), QStringLiteral("c"), QStringLiteral("1"));
    auto connection = database::openMain();
    lines::remove(*connection, QStringLiteral("chanceMX"), QStringLiteral("  "));
    EXPECT_EQ(count(QStringLiteral("select count(*) from chanceMX")), 3);
    lines::remove(*connection, QStringLiteral("chanceMX"), QStringLiteral("k1"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from chanceMX")), 2);
    EXPECT_EQ(count(QStringLiteral("select count(*) from chanceMX where indexflag='k1'")), 0);
}

TEST_F(QuotationLines, NewLineKeyIsTheTimeFollowedByFiveDigits)
{
    setNow(QDateTime(QDate(2026, 3, 5), QTime(9, 7, 3)));
    auto connection = database::openMain();
    const QString key = linekey::newLineKey(*connection, QStringLiteral("chance"), QStringLiteral("chanceMX"));
    ASSERT_EQ(key.size(), 14);
    EXPECT_TRUE(key.startsWith(QStringLiteral("202635973")));
    const int serial = key.mid(9).toInt();
    EXPECT_GE(serial, 10000);
    EXPECT_LT(serial, 100000);
}

} // namespace
