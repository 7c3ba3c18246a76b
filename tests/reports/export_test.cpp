// The report exports read back with an independent reader: no heading row,
// text, numbers and dates as such, an empty sheet for no rows, a new file per
// export in the temporary folder, and the failures told instead of an empty
// sheet passing for "no rows".
#include "salesfixture.h"

#include "reports/reportexport.h"
#include "reports/salesdetail.h"
#include "reports/salessummary.h"
#include "reports/stockreport.h"
#include "tests/support/desktopprobe.h"
#include "tests/support/xlsread.h"

#include <QDir>

namespace {

bool isText(int cellType)
{
    return cellType == FREEXL_CELL_TEXT || cellType == FREEXL_CELL_SST_TEXT;
}

class ReportExport : public SalesData {
protected:
    void SetUp() override
    {
        SalesData::SetUp();
        savedTemp_ = qgetenv("TMPDIR");
        temp_ = path(QStringLiteral("tmp"));
        QDir().mkpath(temp_);
        qputenv("TMPDIR", temp_.toUtf8());
    }
    void TearDown() override
    {
        qputenv("TMPDIR", savedTemp_);
        SalesData::TearDown();
    }
    QStringList workbooks() const { return QDir(temp_).entryList({QStringLiteral("*.xls")}, QDir::Files); }

    QString temp_;
    QByteArray savedTemp_;
    DesktopProbe desktop;
};

TEST_F(ReportExport, DetailLinesAsTheListShowsThem)
{
    const int c = addCustomer(QStringLiteral("O'Brien 贸易"));
    addOrder(c, QStringLiteral("a"), QStringLiteral("2009-6-15 9:00:00"), QStringLiteral("7.5"));
    addOrder(c, QStringLiteral("b"), QStringLiteral("2009-6-15 11:30:00"), QStringLiteral("3"));
    addLine(c, QStringLiteral("a"), QStringLiteral("2009-6-15 9:00:00"), QStringLiteral("笔"), QStringLiteral("2.5"), QStringLiteral("3"), QStringLiteral("7.5"));
    addLine(c, QStringLiteral("b"), QStringLiteral("2009-6-15 11:30:00"), QStringLiteral("纸"), QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("3"));
    const salesdetail::Filters filters{day(2009, 6, 15), day(2009, 6, 15), {}, QStringLiteral("O'Brien")};

    const QString file = reportexport::toExcel(salesdetail::exportQuery(filters));
    ASSERT_FALSE(file.isEmpty());
    EXPECT_EQ(desktop.opened(), QStringList{file});
    EXPECT_TRUE(file.startsWith(temp_));
    XlsRead book(file);
    ASSERT_EQ(book.status(), FREEXL_OK);
    ASSERT_EQ(book.rows(), 2u);
    EXPECT_EQ(book.columns(), 7u);
    const auto list = salesdetail::listRows(filters);
    for (unsigned row = 0; row < 2; ++row) {
        EXPECT_EQ(book.text(row, 0), list[row][2]);   // order number
        EXPECT_EQ(book.text(row, 1), list[row][1]);   // sale date and time, as text
        EXPECT_EQ(book.text(row, 2), list[row][3]);
        EXPECT_EQ(book.text(row, 3), list[row][4]);
        for (unsigned short column = 4; column < 7; ++column)
            EXPECT_TRUE(isText(book.cell(row, column).type)) << row << column;
    }
    EXPECT_EQ(book.text(1, 4), QStringLiteral("2.5"));
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(ReportExport, NumbersDatesEmptySheetsAndNewFiles)
{
    addPurchase(QStringLiteral("纸"), QStringLiteral("供应商"), QStringLiteral("2009-6-15 8:00:00"), QStringLiteral("0.1"), QStringLiteral("2"));
    addPurchase(QStringLiteral("纸"), QStringLiteral("供应商"), QStringLiteral("2009-6-15 9:00:00"), QStringLiteral("0.2"), QStringLiteral("1"));
    const QDate today = day(2009, 6, 15);
    const QString totals = reportexport::toExcel([&] { return stockreport::exportRows(stockreport::Kind::IncomingTotals, today, today); });
    XlsRead book(totals);
    ASSERT_EQ(book.status(), FREEXL_OK);
    ASSERT_EQ(book.rows(), 1u);
    EXPECT_EQ(book.text(0, 0), QStringLiteral("纸"));
    EXPECT_EQ(book.cell(0, 1).number, 0.3);
    EXPECT_EQ(book.cell(0, 2).number, 3.0);

    const QString detail = reportexport::toExcel([&] { return stockreport::exportRows(stockreport::Kind::IncomingDetail, today, today); });
    XlsRead lines(detail);
    ASSERT_EQ(lines.status(), FREEXL_OK);
    ASSERT_EQ(lines.rows(), 2u);
    EXPECT_EQ(lines.cell(0, 1).type, FREEXL_CELL_DATETIME);
    EXPECT_EQ(lines.text(0, 1), QStringLiteral("2009-06-15 09:00:00"));
    EXPECT_EQ(lines.text(0, 3), QStringLiteral("0.2"));
    EXPECT_NE(totals, detail);

    const QDate later = day(2009, 6, 16);
    const QString empty = reportexport::toExcel([&] { return salessummary::exportRows(salessummary::Kind::Day, later, later); });
    XlsRead none(empty);
    ASSERT_EQ(none.status(), FREEXL_OK);
    EXPECT_EQ(none.rows(), 0u);
    EXPECT_EQ(workbooks().size(), 3);
    EXPECT_EQ(desktop.opened().size(), 3);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(ReportExport, FailuresAreToldAndOpenNothing)
{
    exec(QStringLiteral("insert into product (product, KCL) with recursive n(i) as (select 1 union all select i + 1 from n"
                        " where i < 65537) select 'p' || i, i from n"));
    const QDate today = day(2009, 6, 15);
    EXPECT_TRUE(reportexport::toExcel([&] { return stockreport::exportRows(stockreport::Kind::Stock, today, today); }).isEmpty());
    expectOnly(QStringLiteral("导出结果共有65537行,超过了Excel工作表65536行的上限,请缩小日期范围后再导出"));

    EXPECT_TRUE(reportexport::toExcel([&] { return stockreport::exportRows(stockreport::Kind::Outgoing, QDate(), today); }).isEmpty());
    expectOnly(QStringLiteral("导出到Excel失败,没有生成导出文件。没能读出数据：日期非法"), ui::Icon::Error, QStringLiteral("导出到Excel"));

    // A temporary "folder" that is a file: no workbook can be made in it.
    QFile blocker(path(QStringLiteral("not-a-folder")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    qputenv("TMPDIR", blocker.fileName().toUtf8());
    EXPECT_TRUE(reportexport::toExcel([&] { return salessummary::exportRows(salessummary::Kind::Day, today, today); }).isEmpty());
    expectOnly(QStringLiteral("导出到Excel失败,没有生成导出文件"), ui::Icon::Error, QStringLiteral("导出到Excel"));
    EXPECT_TRUE(workbooks().isEmpty());
    EXPECT_TRUE(desktop.opened().isEmpty());
}

} // namespace
