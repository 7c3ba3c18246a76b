// The delivery slip: the exact lines of both layouts, the column fill by
// display width, the PDF each layout prints, and what other options print.
#include "tests/sales/salesfixture.h"

#include "platform/print/printservice.h"
#include "platform/ui/filedialog.h"
#include "sales/deliveryslip.h"
#include "sales/salesadd.h"
#include "tests/support/pdftext.h"

#include <QDir>
#include <QFile>

namespace {

sales::SlipRecord twoItems()
{
    sales::SlipRecord slip;
    slip.orderNo = QStringLiteral("SH260105-00012");
    slip.contact = QStringLiteral("王五");
    slip.customerName = QStringLiteral("A$B公司");
    slip.telephone = QStringLiteral("010-1234");
    slip.address = QStringLiteral("北京路1号");
    slip.items = {{QStringLiteral("螺丝A"), QStringLiteral("L-1"), QStringLiteral("2"), QStringLiteral("12.5")},
                  {QStringLiteral("abcdefghijklmnopqrs"), QStringLiteral("N$"), QStringLiteral("10"), QStringLiteral("3")}};
    slip.total = QStringLiteral("55");
    slip.received = QStringLiteral("50");
    slip.sellerName = QStringLiteral("海维商行");
    slip.sellerTel = QStringLiteral("800-1");
    slip.sellerAddress = QStringLiteral("南京路2号");
    slip.note2 = QStringLiteral("谢谢惠顾");
    slip.printedAt = QDateTime(QDate(2026, 1, 5), QTime(9, 3, 7));
    return slip;
}

QString sp(int count)
{
    return QString(count, QLatin1Char(' '));
}

} // namespace

TEST(DeliverySlip, WideLayoutLineByLine)
{
    const std::vector<sales::SlipBlock> blocks = sales::wideSlip(twoItems());
    ASSERT_EQ(blocks.size(), 4u);
    EXPECT_EQ(blocks[0].lines, (QStringList{QString(), sp(8) + QStringLiteral("海维商行")}));
    EXPECT_TRUE(blocks[0].bold && blocks[0].setFace);
    EXPECT_EQ(blocks[0].pointSize, 16);
    EXPECT_EQ(blocks[1].lines, (QStringList{QString(), sp(17) + QStringLiteral("  商品配送单")}));
    EXPECT_EQ(blocks[2].pointSize, 11);
    EXPECT_FALSE(blocks[2].bold);

    const QString rule(69, QLatin1Char('-'));
    const QStringList body{
        QString(),
        sp(42) + QStringLiteral("NO:SH260105-00012"),
        QStringLiteral("联系人:王五") + sp(4) + QStringLiteral("客户地址:北京路1号 打印时间:26-01-05 09:03"),
        rule,
        QStringLiteral("  产品名称         规  格             数量          单价"),
        rule,
        // Width 5 is followed by 14 spaces, width 19 by none; "$" stays "$".
        QStringLiteral("螺丝A") + sp(14) + QStringLiteral("L-1") + sp(16) + QStringLiteral("2") + sp(11) + QStringLiteral("12.5"),
        QStringLiteral("abcdefghijklmnopqrsN$") + sp(17) + QStringLiteral("10") + sp(10) + QStringLiteral("3"),
        QString(),
        QString(),
        rule,
        QStringLiteral("总  计：55 元     收款:50"),
        QStringLiteral("配送员：") + sp(11) + QStringLiteral("客户电话：010-1234"),
        QStringLiteral("配送电话:800-1  供应地址:南京路2号 用户签收:")};
    EXPECT_EQ(blocks[2].lines, body);
    EXPECT_EQ(blocks[3].lines, (QStringList{QString(), QStringLiteral("  谢谢惠顾")}));
    EXPECT_EQ(blocks[3].pointSize, 9);

    // Five items leave no empty line; no footnotes print one empty line.
    sales::SlipRecord five = twoItems();
    five.items.resize(5, five.items[0]);
    five.note2.clear();
    const std::vector<sales::SlipBlock> more = sales::wideSlip(five);
    EXPECT_EQ(more[2].lines.at(11), rule);
    EXPECT_EQ(more[3].lines, QStringList{QString()});
}

TEST(DeliverySlip, NarrowLayoutLineByLine)
{
    const std::vector<sales::SlipBlock> blocks = sales::narrowSlip(twoItems());
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_FALSE(blocks[0].setFace || blocks[0].setBold);
    const QString rule(38, QLatin1Char('-'));
    const QStringList body{QString(),
                           QStringLiteral("打印时间：2026-1-5 9:03:07"),
                           QStringLiteral("订单号：SH260105-00012"),
                           QStringLiteral("客户名称：A$B公司"),
                           QStringLiteral("客户电话：010-1234"),
                           QStringLiteral("送货地址：北京路1号"),
                           QString(),
                           QStringLiteral(" 产品名称   规格    数量  单价"),
                           rule,
                           QStringLiteral("螺丝A") + sp(8) + QStringLiteral("L-1") + sp(6) + QStringLiteral("2") + sp(5) + QStringLiteral("12.5"),
                           QStringLiteral("abcdefghijklmnopqrsN$") + sp(7) + QStringLiteral("10") + sp(4) + QStringLiteral("3"),
                           rule,
                           QStringLiteral("总计：55 元     收款:50"),
                           QString(),
                           QString()};
    EXPECT_EQ(blocks[0].lines, body);
    EXPECT_EQ(sales::SalesAdd::CheckStringLength(QStringLiteral("  ab中 ")), 4);
}

class SlipPrinting : public SalesTest {};

TEST_F(SlipPrinting, EachLayoutPrintsOnePdfAndOtherOptionsNothing)
{
    print::RecordingPrinter printer(dir.path());
    sales::SlipRecord slip = twoItems();
    for (const char* option : {"不打印", "", "宽行"}) {
        slip.printOption = QString::fromUtf8(option);
        EXPECT_EQ(sales::PrintDeliverySlip(slip), sales::SlipResult::NotWanted);
    }
    EXPECT_TRUE(printer.pdfFiles().isEmpty());

    slip.printOption = QStringLiteral("宽行打印");
    EXPECT_EQ(sales::PrintDeliverySlip(slip), sales::SlipResult::Printed);
    slip.printOption = QStringLiteral("窄行打印");
    EXPECT_EQ(sales::PrintDeliverySlip(slip), sales::SlipResult::Printed);
    ASSERT_EQ(printer.pdfFiles().size(), 2);

    const std::vector<PdfPage> wide = readPdf(printer.pdfFiles()[0]);
    ASSERT_EQ(wide.size(), 1u);
    EXPECT_EQ(wide[0].lines().at(0), QStringLiteral("海维商行"));
    EXPECT_TRUE(wide[0].text().contains(QStringLiteral("NO:SH260105-00012")));
    EXPECT_TRUE(wide[0].text().contains(QStringLiteral("谢谢惠顾")));
    const PdfWord* number = wide[0].find(QStringLiteral("L-1"));
    const PdfWord* name = wide[0].find(QStringLiteral("螺丝A"));
    ASSERT_TRUE(number && name);
    // Fixed pitch: the number starts 19 columns after the name.
    EXPECT_NEAR((number->left - name->left) / 19, (wide[0].find(QStringLiteral("2"))->left - number->left) / 19, 5);
    EXPECT_TRUE(printer.printed()[0].reportHeader.fields.at(0).font.bold);
    EXPECT_EQ(printer.printed()[0].reportHeader.fields.at(0).font.face, QStringLiteral("WenQuanYi Micro Hei Mono"));

    const std::vector<PdfPage> narrow = readPdf(printer.pdfFiles()[1]);
    ASSERT_EQ(narrow.size(), 1u);
    EXPECT_TRUE(narrow[0].text().contains(QStringLiteral("送货地址：北京路1号")));
    EXPECT_FALSE(narrow[0].text().contains(QStringLiteral("海维商行")));

    printer.setNoPrinter(true);
    messages.answerNext(ui::Answer::No);
    EXPECT_EQ(sales::PrintDeliverySlip(slip), sales::SlipResult::NoPrinter);
    expectOnly(QStringLiteral("没有可用的打印机，请先安装并设置默认打印机。\n是否将其保存为 PDF 文件？"), ui::Icon::Question);
}

// Without a printer either layout can still be had: the offer, the file the
// operator names, and the slip in it; a cancelled name or a file that cannot
// be written leaves no file and says so.
TEST_F(SlipPrinting, WithoutAPrinterEitherLayoutIsKeptAsAPdfFile)
{
    print::RecordingPrinter printer(dir.path());
    printer.setNoPrinter(true);
    const QString offer = QStringLiteral("没有可用的打印机，请先安装并设置默认打印机。\n是否将其保存为 PDF 文件？");
    QString chosen;
    ui::setSaveFileChooser([&](const ui::SaveFileRequest&) { return chosen; });
    sales::SlipRecord slip = twoItems();

    const std::pair<const char*, const char*> layouts[] = {{"宽行打印", "海维商行"}, {"窄行打印", "送货地址：北京路1号"}};
    for (const auto& [option, shown] : layouts) {
        SCOPED_TRACE(option);
        slip.printOption = QString::fromUtf8(option);
        chosen = dir.filePath(slip.printOption + QStringLiteral(".pdf"));
        messages.answerNext(ui::Answer::Yes);
        EXPECT_EQ(sales::PrintDeliverySlip(slip), sales::SlipResult::SavedAsPdf);
        ASSERT_EQ(messages.shown().size(), 2u);
        EXPECT_EQ(messages.shown()[0].text, offer);
        EXPECT_EQ(messages.shown()[0].buttons, ui::Buttons::YesNo);
        EXPECT_EQ(messages.shown()[0].icon, ui::Icon::Question);
        EXPECT_EQ(messages.shown()[1].text, QStringLiteral("已保存为 PDF 文件：") + QDir::toNativeSeparators(chosen));
        EXPECT_EQ(messages.shown()[1].icon, ui::Icon::Information);
        messages.clear();
        const std::vector<PdfPage> pages = readPdf(chosen);
        ASSERT_EQ(pages.size(), 1u);
        EXPECT_TRUE(pages[0].text().contains(QStringLiteral("SH260105-00012")));
        EXPECT_TRUE(pages[0].text().contains(QString::fromUtf8(shown)));
    }
    EXPECT_TRUE(printer.pdfFiles().isEmpty());   // nothing reached a printer

    // The operator cancels the file name: nothing written, nothing more said.
    chosen.clear();
    messages.answerNext(ui::Answer::Yes);
    EXPECT_EQ(sales::PrintDeliverySlip(slip), sales::SlipResult::NoPrinter);
    expectOnly(offer, ui::Icon::Question);

    // A folder that does not exist: the reason, no file.
    chosen = dir.filePath(QStringLiteral("missing/slip.pdf"));
    messages.answerNext(ui::Answer::Yes);
    EXPECT_EQ(sales::PrintDeliverySlip(slip), sales::SlipResult::NoPrinter);
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[1].text, QStringLiteral("无法写入文件 ") + chosen);
    EXPECT_EQ(messages.shown()[1].icon, ui::Icon::Warning);
    EXPECT_FALSE(QFile::exists(chosen));
    ui::setSaveFileChooser({});
}
