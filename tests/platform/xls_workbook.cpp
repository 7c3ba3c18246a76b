// Workbooks written by xls::writeWorkbook, read back with an independent reader.
#include "platform/xls/workbook.h"
#include "tests/support/xlsread.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class XlsWorkbook : public ::testing::Test {
protected:
    QString path(const QString& name = QStringLiteral("book.xls")) const { return dir.filePath(name); }
    void write(const xls::Sheet& sheet, const QString& file)
    {
        QString error;
        ASSERT_TRUE(xls::writeWorkbook(file, sheet, &error)) << error.toStdString();
    }
    QTemporaryDir dir;
};

TEST_F(XlsWorkbook, HeadersAndEveryKindOfValueSurvive)
{
    xls::Sheet sheet;
    sheet.name = QStringLiteral("data");
    sheet.headers = {QStringLiteral("客户名称"), QStringLiteral("积分"), QStringLiteral("金额"),
                     QStringLiteral("建档日期"), QStringLiteral("备注")};
    sheet.rows.push_back({QStringLiteral("北京华信科技有限公司"), 120, 1234.5,
                          QDate(2026, 3, 1), QStringLiteral("O'Brien \"Bob\"")});
    sheet.rows.push_back({QVariant(), 0, -0.25, QDateTime(QDate(2024, 2, 29), QTime(8, 5, 9)), QString()});
    sheet.rows.push_back({QStringLiteral("12"), QVariant(), 7.0 / 3, true, QStringLiteral("ok")});
    write(sheet, path());

    XlsRead book(path());
    ASSERT_EQ(book.status(), FREEXL_OK);
    EXPECT_EQ(book.info(FREEXL_BIFF_VERSION), 8u);
    EXPECT_EQ(book.info(FREEXL_BIFF_CODEPAGE), unsigned(FREEXL_BIFF_UTF16LE));
    EXPECT_EQ(book.info(FREEXL_BIFF_SHEET_COUNT), 1u);
    EXPECT_EQ(book.sheetName(), QStringLiteral("data"));
    EXPECT_EQ(book.rows(), 4u);
    EXPECT_EQ(book.columns(), 5u);

    for (int column = 0; column < sheet.headers.size(); ++column)
        EXPECT_EQ(book.text(0, column), sheet.headers[column]);

    struct Expected {
        unsigned row;
        unsigned short column;
        std::vector<int> types;   // accepted reader types
        QString text;
        double number;
    };
    const std::vector<Expected> cells = {
        {1, 0, {FREEXL_CELL_SST_TEXT}, QStringLiteral("北京华信科技有限公司"), 0},
        {1, 1, {FREEXL_CELL_INT, FREEXL_CELL_DOUBLE}, {}, 120},
        {1, 2, {FREEXL_CELL_DOUBLE}, {}, 1234.5},
        {1, 3, {FREEXL_CELL_DATE}, QStringLiteral("2026-03-01"), 0},
        {1, 4, {FREEXL_CELL_SST_TEXT}, QStringLiteral("O'Brien \"Bob\""), 0},
        {2, 0, {FREEXL_CELL_NULL}, {}, 0},
        {2, 1, {FREEXL_CELL_INT, FREEXL_CELL_DOUBLE}, {}, 0},
        {2, 2, {FREEXL_CELL_DOUBLE}, {}, -0.25},
        {2, 3, {FREEXL_CELL_DATETIME}, QStringLiteral("2024-02-29 08:05:09"), 0},
        {2, 4, {FREEXL_CELL_NULL}, {}, 0},
        {3, 0, {FREEXL_CELL_SST_TEXT}, QStringLiteral("12"), 0},   // text stays text
        {3, 1, {FREEXL_CELL_NULL}, {}, 0},
        {3, 2, {FREEXL_CELL_DOUBLE}, {}, 7.0 / 3},
        {3, 3, {FREEXL_CELL_INT}, {}, 1},   // a yes/no value as TRUE
        {3, 4, {FREEXL_CELL_SST_TEXT}, QStringLiteral("ok"), 0},
    };
    for (const Expected& expected : cells) {
        SCOPED_TRACE(testing::Message() << "row " << expected.row << " column " << expected.column);
        const XlsRead::Cell cell = book.cell(expected.row, expected.column);
        EXPECT_NE(std::find(expected.types.begin(), expected.types.end(), cell.type), expected.types.end())
            << "type " << cell.type;
        EXPECT_EQ(cell.text, expected.text);
        EXPECT_DOUBLE_EQ(cell.number, expected.number);
    }
}

TEST_F(XlsWorkbook, SerialDaysMatchTheSpreadsheetCalendar)
{
    // Dates on both sides of 1900-03-01, where the spreadsheet counts a 29 February
    // that never was, and a date too early to have a serial day at all.
    const std::vector<std::pair<QDate, QString>> dates = {
        {QDate(1900, 1, 1), QStringLiteral("1900-01-01")},
        {QDate(1900, 2, 28), QStringLiteral("1900-02-28")},
        {QDate(1900, 3, 1), QStringLiteral("1900-03-01")},
        {QDate(1999, 12, 31), QStringLiteral("1999-12-31")},
        {QDate(2038, 1, 19), QStringLiteral("2038-01-19")},
    };
    xls::Sheet sheet;
    for (const auto& [date, text] : dates)
        sheet.rows.push_back({date});
    sheet.rows.push_back({QDate(1899, 6, 1)});
    write(sheet, path());

    XlsRead book(path());
    ASSERT_EQ(book.status(), FREEXL_OK);
    for (unsigned row = 0; row < dates.size(); ++row) {
        EXPECT_EQ(book.cell(row, 0).type, FREEXL_CELL_DATE) << row;
        EXPECT_EQ(book.text(row, 0), dates[row].second);
    }
    const XlsRead::Cell early = book.cell(unsigned(dates.size()), 0);
    EXPECT_EQ(early.type, FREEXL_CELL_SST_TEXT);
    EXPECT_EQ(early.text, QStringLiteral("1899-6-1"));
}

TEST_F(XlsWorkbook, LargeSheetsAndLongTextsCrossRecordAndSectorBoundaries)
{
    // The first row's long texts come first in the string table: the Chinese one
    // runs past the end of the table's first record, the Latin one past the end
    // of the second, each split in the middle of its characters. Then 4,000
    // distinct texts overflow the following records many times.
    xls::Sheet sheet;
    sheet.name = QStringLiteral("Sheet1");
    sheet.headers = {QStringLiteral("编号"), QStringLiteral("名称"), QStringLiteral("数量")};
    const QString longChinese = QString(4100, QChar(0x5BA2)) + QStringLiteral("尾");
    const QString longLatin = QString(5000, QLatin1Char('x')) + QStringLiteral("end");
    sheet.rows.push_back({longChinese, longLatin, QStringLiteral("客户1999号")});
    for (int i = 0; i < 2000; ++i)
        sheet.rows.push_back({QStringLiteral("K%1").arg(i, 5, 10, QLatin1Char('0')),
                              QStringLiteral("客户%1号").arg(i), i * 1.5});
    write(sheet, path());

    XlsRead book(path());
    ASSERT_EQ(book.status(), FREEXL_OK);
    EXPECT_EQ(book.rows(), 2002u);
    EXPECT_EQ(book.info(FREEXL_BIFF_STRING_COUNT), 3u + 3u + 3999u);   // "客户1999号" is shared
    EXPECT_EQ(book.text(1, 0), longChinese);
    EXPECT_EQ(book.text(1, 1), longLatin);
    EXPECT_EQ(book.text(1, 2), QStringLiteral("客户1999号"));
    for (unsigned i : {0u, 1u, 517u, 1024u, 1999u}) {
        EXPECT_EQ(book.text(i + 2, 0), QStringLiteral("K%1").arg(i, 5, 10, QLatin1Char('0')));
        EXPECT_EQ(book.text(i + 2, 1), QStringLiteral("客户%1号").arg(i));
        EXPECT_DOUBLE_EQ(book.cell(i + 2, 2).number, i * 1.5);
    }
}

TEST_F(XlsWorkbook, ContainerSizesFromTinyToBeyondTheHeaderFatTable)
{
    // A header-only sheet lives in the mini stream; a sheet of 65,535 rows needs
    // more FAT sectors than the file header can list.
    struct Case {
        int rows;
        int columns;
    };
    for (const Case& size : {Case{0, 1}, Case{40, 2}, Case{65535, 10}}) {
        SCOPED_TRACE(size.rows);
        xls::Sheet sheet;
        sheet.headers = {QStringLiteral("名称")};
        for (int r = 0; r < size.rows; ++r) {
            xls::Row row;
            for (int c = 0; c < size.columns; ++c)
                row.push_back(r * 100 + c);
            sheet.rows.push_back(row);
        }
        write(sheet, path());

        XlsRead book(path());
        ASSERT_EQ(book.status(), FREEXL_OK);
        EXPECT_EQ(book.rows(), unsigned(size.rows + 1));
        EXPECT_EQ(book.text(0, 0), QStringLiteral("名称"));
        if (size.rows) {
            const int last = size.rows - 1;
            EXPECT_DOUBLE_EQ(book.cell(size.rows, size.columns - 1).number, last * 100 + size.columns - 1);
        }
    }
}

TEST_F(XlsWorkbook, RefusesWhatCannotBeWrittenAndSaysWhy)
{
    xls::Sheet sheet;
    sheet.rows.push_back({1});
    {
        QFile file(path(QStringLiteral("plain.txt")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QDir(dir.path()).mkdir(QStringLiteral("folder.xls"));
    // A missing folder, a folder where the file should be, a file where a folder should be.
    for (const QString& target : {path(QStringLiteral("missing/book.xls")), path(QStringLiteral("folder.xls")),
                                  path(QStringLiteral("plain.txt/book.xls"))}) {
        QString error;
        EXPECT_FALSE(xls::writeWorkbook(target, sheet, &error)) << target.toStdString();
        EXPECT_TRUE(error.contains(target)) << error.toStdString();
    }
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("folder.xls"))).isDir());

    xls::Sheet tooLong;
    tooLong.headers = {QStringLiteral("n")};
    tooLong.rows.resize(65536, xls::Row{1});
    QString error;
    EXPECT_FALSE(xls::writeWorkbook(path(), tooLong, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("65537"))) << error.toStdString();
    EXPECT_FALSE(QFile::exists(path()));

    xls::Sheet tooWide;
    tooWide.rows.push_back(xls::Row(257, 1));
    EXPECT_FALSE(xls::writeWorkbook(path(), tooWide, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("257"))) << error.toStdString();
}

TEST_F(XlsWorkbook, ReplacesAnExistingFileAndKeepsSheetNamesValid)
{
    {
        QFile old(path());
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("not a workbook at all");
    }
    xls::Sheet sheet;
    sheet.name = QStringLiteral("a/b:c");
    sheet.rows.push_back({QStringLiteral("新")});
    write(sheet, path());

    XlsRead book(path());
    ASSERT_EQ(book.status(), FREEXL_OK);
    EXPECT_EQ(book.sheetName(), QStringLiteral("a_b_c"));
    EXPECT_EQ(book.text(0, 0), QStringLiteral("新"));
}

} // namespace
