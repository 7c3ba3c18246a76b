// The banded report renderer: where bands land on the pages, what the PDF
// file says where, and the preview window's navigation and printing.
#include "platform/print/preview.h"
#include "platform/print/report.h"
#include "platform/ui/msgbox.h"
#include "tests/support/pdftext.h"

#include <QImage>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// 8 x 10 inch paper: 11,520 x 14,400 twips. The page footer starts at
// 14,400 - 400 - 600 = 13,400; page 1 holds 11 detail bands, later pages 12.
print::Layout testLayout(int columnsAcross = 1, double detailHeight = 1000)
{
    print::Layout layout;
    layout.caption = QStringLiteral("测试报表");
    layout.reportWidth = 5000;
    layout.page.paper = QPageSize(QSizeF(8, 10), QPageSize::Inch);
    layout.page.leftMargin = 500;
    layout.page.topMargin = 400;
    layout.page.bottomMargin = 400;
    layout.page.columnsAcross = columnsAcross;
    layout.reportHeader.height = 1000;
    layout.reportHeader.fields = {print::label(QStringLiteral("Title"), QStringLiteral("客户一览"), 0, 0, 3000, 400, {14, true})};
    layout.pageHeader.height = 500;
    layout.pageHeader.fields = {print::label(QStringLiteral("Label1"), QStringLiteral("名称"), 100, 50, 1000, 300, {10, true})};
    layout.detail.height = detailHeight;
    layout.detail.fields = {print::textBox(QStringLiteral("Text1"), 100, 0, 4000, 300, {10, false}),
                            print::textBox(QStringLiteral("Text2"), 100, 400, 4000, 300, {10, false}),
                            print::line(QStringLiteral("Line1"), 0, 900, 4800, 0)};
    layout.detail.fields[0].dataField = QStringLiteral("NAME");   // column names match case-insensitively
    layout.pageFooter.height = 600;
    layout.reportFooter.height = 700;
    layout.reportFooter.fields = {print::label(QStringLiteral("End"), QStringLiteral("完"), 0, 0, 1000, 300, {10, false})};
    return layout;
}

print::Rows customerRows(int count)
{
    print::Rows rows;
    rows.columns = {QStringLiteral("name"), QStringLiteral("address")};
    for (int i = 0; i < count; ++i)
        rows.values.push_back({QStringLiteral("客户%1").arg(i), QStringLiteral("地址%1").arg(i)});
    return rows;
}

std::vector<int> detailRowsPerPage(const std::vector<print::Page>& pages, const print::Layout& layout)
{
    std::vector<int> counts;
    for (const print::Page& page : pages)
        counts.push_back(int(std::count_if(page.begin(), page.end(),
                                           [&](const print::PlacedBand& b) { return b.band == &layout.detail; })));
    return counts;
}

TEST(PrintPages, DetailBandsFlowOverPagesAndColumns)
{
    struct Case {
        const char* what;
        int rows;
        int columns;
        double detailHeight;
        std::vector<int> perPage;
    };
    const std::vector<Case> cases = {
        {"no rows still give a page", 0, 1, 1000, {0}},
        {"report footer fits under the last row", 10, 1, 1000, {10}},
        {"report footer goes to a page of its own", 11, 1, 1000, {11, 0}},
        {"later pages hold one row more", 23, 1, 1000, {11, 12, 0}},
        {"a second column before a second page", 22, 2, 1000, {22, 0}},
        {"then the next page", 23, 2, 1000, {22, 1}},
        {"a band taller than the page gets a page each", 2, 1, 20000, {1, 1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const print::Layout layout = testLayout(c.columns, c.detailHeight);
        const auto pages = print::paginate(layout, c.rows);
        EXPECT_EQ(detailRowsPerPage(pages, layout), c.perPage);
        for (const print::Page& page : pages) {
            // Every page has its page header first after any report header, and its footer last.
            ASSERT_GE(page.size(), 2u);
            EXPECT_EQ(page.back().band, &layout.pageFooter);
            EXPECT_DOUBLE_EQ(page.back().top, 13400);
            const bool first = &page == &pages.front();
            EXPECT_EQ(page[first ? 1 : 0].band, &layout.pageHeader);
        }
        EXPECT_EQ(pages.front().front().band, &layout.reportHeader);
        EXPECT_EQ(pages.back()[pages.back().size() - 2].band, &layout.reportFooter);
    }
}

TEST(PrintPages, BandsLandWhereTheLayoutSays)
{
    const print::Layout layout = testLayout(2);
    const auto pages = print::paginate(layout, 23);
    ASSERT_EQ(pages.size(), 2u);
    const print::Page& first = pages[0];
    // Report header at the top margin, the page header under it, rows from 1,900.
    EXPECT_DOUBLE_EQ(first[0].top, 400);
    EXPECT_DOUBLE_EQ(first[1].top, 1400);
    EXPECT_EQ(first[2].row, 0);
    EXPECT_DOUBLE_EQ(first[2].left, 500);
    EXPECT_DOUBLE_EQ(first[2].top, 1900);
    EXPECT_DOUBLE_EQ(first[12].top, 11900);          // row 10, the last of the first column
    EXPECT_EQ(first[13].row, 11);                    // the second column starts under the headers again
    EXPECT_DOUBLE_EQ(first[13].left, 5500);
    EXPECT_DOUBLE_EQ(first[13].top, 1900);
    const print::Page& second = pages[1];
    EXPECT_DOUBLE_EQ(second[0].top, 400);            // page header only
    EXPECT_EQ(second[1].row, 22);
    EXPECT_DOUBLE_EQ(second[1].top, 900);
    EXPECT_DOUBLE_EQ(second[2].top, 1900);           // report footer under the last row
    EXPECT_EQ(second[2].band, &layout.reportFooter);
}

class PrintPdf : public ::testing::Test {
protected:
    QString path(const QString& name = QStringLiteral("report.pdf")) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(PrintPdf, TextsPrintExactlyWhereTheirFieldsAre)
{
    print::Rows rows = customerRows(13);
    rows.values[1][0] = QStringLiteral("O'Hara \"上海\"");
    rows.values[2][0] = QString();                   // an empty value prints nothing
    const print::Report report(testLayout(), rows);
    ASSERT_EQ(report.pageCount(), 2);
    QString error;
    ASSERT_TRUE(report.writePdf(path(), &error)) << error.toStdString();

    const std::vector<PdfPage> pages = readPdf(path());
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].text(), QStringLiteral("客户一览 名称 客户0 O'Hara \"上海\" 客户3 客户4 客户5 客户6 "
                                              "客户7 客户8 客户9 客户10"));
    EXPECT_EQ(pages[1].text(), QStringLiteral("名称 客户11 客户12 完"));

    // Boxes in twips; glyph boxes start within a few twips of their field's corner.
    const auto near = [](double actual, double expected) { return std::abs(actual - expected) < 60; };
    const PdfWord* title = pages[0].find(QStringLiteral("客户一览"));
    ASSERT_TRUE(title);
    EXPECT_PRED2(near, title->left, 500);
    EXPECT_PRED2(near, title->top, 400);
    const PdfWord* row3 = pages[0].find(QStringLiteral("客户3"));
    ASSERT_TRUE(row3);
    EXPECT_PRED2(near, row3->left, 600);
    EXPECT_PRED2(near, row3->top, 1900 + 3 * 1000);
    const PdfWord* row12 = pages[1].find(QStringLiteral("客户12"));
    ASSERT_TRUE(row12);
    EXPECT_PRED2(near, row12->top, 900 + 1000);
    const PdfWord* end = pages[1].find(QStringLiteral("完"));
    ASSERT_TRUE(end);
    EXPECT_PRED2(near, end->top, 2900);
}

TEST_F(PrintPdf, AnUnwritablePathIsAnErrorNotASilentSuccess)
{
    const print::Report report(testLayout(), customerRows(1));
    QString error;
    EXPECT_FALSE(report.writePdf(path(QStringLiteral("no/such/folder/report.pdf")), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("no/such/folder/report.pdf"))) << error.toStdString();
}

TEST(PrintPreview, PagesCanBeLeafedThroughAndPrintingWithoutPrinterSaysSo)
{
    ui::ScriptedMessages messages;
    print::PreviewForm preview(QStringLiteral("testPreview"));
    preview.showReport(std::make_unique<print::Report>(testLayout(), customerRows(30)));
    ASSERT_EQ(preview.report()->pageCount(), 3);
    EXPECT_EQ(preview.caption(), QStringLiteral("测试报表"));

    const auto button = [&](const char* name) { return preview.control<ui::CommandButton>(QString::fromLatin1(name)); };
    const auto pageText = [&] { return preview.findChild<QLabel*>(QStringLiteral("lblPage"))->text(); };
    EXPECT_EQ(pageText(), QStringLiteral("第 1 页，共 3 页"));
    EXPECT_FALSE(button("cmdPrevious")->isEnabled());
    button("cmdNext")->click();
    EXPECT_EQ(preview.currentPage(), 1);
    EXPECT_TRUE(button("cmdPrevious")->isEnabled());
    button("cmdLast")->click();
    EXPECT_EQ(pageText(), QStringLiteral("第 3 页，共 3 页"));
    EXPECT_FALSE(button("cmdNext")->isEnabled());
    button("cmdFirst")->click();
    EXPECT_EQ(preview.currentPage(), 0);

    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "this machine has a default printer";
    messages.answerNext(ui::Answer::No);
    button("cmdPrint")->click();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.lastText(), QStringLiteral("没有可用的打印机，请先安装并设置默认打印机。\n是否将其保存为 PDF 文件？"));
    EXPECT_EQ(messages.shown().back().title, QStringLiteral("测试报表"));
}

} // namespace

namespace {

// Dark pixels of a PDF page rendered by poppler inside a box given in twips.
int inkIn(const QString& pdf, const QRectF& twips)
{
    QProcess render;
    render.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("144"), QStringLiteral("-png"),
                                             QStringLiteral("-singlefile"), pdf, pdf + QStringLiteral("-page")});
    if (!render.waitForFinished(30000) || render.exitCode() != 0) return -1;
    const QImage image(pdf + QStringLiteral("-page.png"));
    const double scale = 144.0 / 1440;   // pixels per twip
    int dark = 0;
    for (int y = int(twips.top() * scale); y < int(twips.bottom() * scale) && y < image.height(); ++y)
        for (int x = int(twips.left() * scale); x < int(twips.right() * scale) && x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) ++dark;
    return dark;
}

TEST_F(PrintPdf, BoldLabelsPrintBoldWhateverTheFontOffers)
{
    print::Layout layout;
    layout.reportWidth = 8000;
    layout.page.paper = QPageSize(QSizeF(8, 10), QPageSize::Inch);
    layout.page.leftMargin = 0;
    layout.page.topMargin = 0;
    layout.reportHeader.height = 2000;
    layout.reportHeader.fields = {
        print::label(QStringLiteral("Regular"), QStringLiteral("北京市朝阳区"), 0, 0, 6000, 500, {14.25, false}),
        print::label(QStringLiteral("Bold"), QStringLiteral("北京市朝阳区"), 0, 1000, 6000, 500, {14.25, true})};
    const print::Report report(layout, print::Rows{});
    ASSERT_TRUE(report.writePdf(path()));
    const int regular = inkIn(path(), QRectF(0, 0, 6000, 500));
    const int bold = inkIn(path(), QRectF(0, 1000, 6000, 500));
    ASSERT_GT(regular, 0);
    EXPECT_GT(bold, regular * 12 / 10) << "regular " << regular << ", bold " << bold;
    // The preview shows it bold as well.
    const QImage page = report.pageImage(0, 144);
    const auto ink = [&](int top) {
        int dark = 0;
        for (int y = top; y < top + 50 && y < page.height(); ++y)
            for (int x = 0; x < 600 && x < page.width(); ++x)
                if (qGray(page.pixel(x, y)) < 128) ++dark;
        return dark;
    };
    EXPECT_GT(ink(100), ink(0) * 12 / 10) << "regular " << ink(0) << ", bold " << ink(100);
    // The text still reads once.
    EXPECT_EQ(readPdf(path()).at(0).text(), QStringLiteral("北京市朝阳区 北京市朝阳区"));
}

} // namespace
