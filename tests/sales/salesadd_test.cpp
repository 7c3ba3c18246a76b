// The new order: the day's number, header and lines under one key, stock and
// balances, refusals and a failing save that leave every table unchanged.
#include "tests/sales/salesfixture.h"
#include "tests/support/busyfile.h"
#include "tests/support/pdftext.h"

#include "common/mymode.h"
#include "platform/db/locale.h"
#include "platform/print/printservice.h"
#include "platform/ui/controlarray.h"
#include "platform/ui/desktop.h"
#include "platform/ui/filedialog.h"
#include "platform/ui/fittext.h"
#include "platform/ui/windows.h"

#include <QDir>
#include <QFileInfo>

namespace {

class NewOrder : public SalesTest {
protected:
    void SetUp() override
    {
        SalesTest::SetUp();
        db::locale::setClockForTests(QDateTime(QDate(2026, 1, 5), QTime(9, 3, 7)));
        customer = addCustomer(QStringLiteral("海维"));
    }
    void TearDown() override
    {
        SalesTest::TearDown();
        db::locale::setClockForTests(std::nullopt);
    }

    ui::Form* openOrder(int customerId)
    {
        Mymode::CurrentRecordId = customerId;
        return ui::Windows::open(QStringLiteral("SalesAdd"));
    }
    void addLine(ui::Form* window, int row, const QString& name, const QString& price, const QString& quantity)
    {
        rowsOf(window)->addRow(row, linerows::RowOrder::Typed);
        type(window, QStringLiteral("product"), row, name);
        type(window, QStringLiteral("Price"), row, price);
        type(window, QStringLiteral("num"), row, quantity);
        type(window, QStringLiteral("zk"), row, QStringLiteral("100"));
    }
    void save(ui::Form* window) { window->control<ui::PictureButton>(QStringLiteral("command1"))->click(); }
    bool isOpen() { return ui::Windows::loaded(QStringLiteral("SalesAdd")) != nullptr; }
    void setReceived(ui::Form* window, const QString& text)
    {
        window->control<ui::TextBox>(QStringLiteral("receivemoney"))->setText(text);
    }

    int customer = 0;
};

TEST_F(NewOrder, LongestDateShowsWhole)
{
    db::locale::setClockForTests(QDateTime(QDate(2026, 12, 18), QTime(19, 45, 53)));
    ui::Form* window = openOrder(customer);
    const auto* date = window->control<ui::TextBox>(QStringLiteral("salesdate"));
    EXPECT_EQ(date->text(), QStringLiteral("2026-12-18 19:45:53"));
    EXPECT_TRUE(ui::textFits(date));
    EXPECT_TRUE(ui::textFits(window->control<ui::TextBox>(QStringLiteral("orderno"))));
}

TEST_F(NewOrder, DailyNumberFromTheCounter)
{
    exec(QStringLiteral("update JSQ set Today='2026-1-4', LSH=7, PrintOpt='宽行打印'"));
    ui::Form* first = openOrder(customer);
    EXPECT_EQ(boxText(first, QStringLiteral("orderno")), QStringLiteral("SH260105-00001"));
    EXPECT_EQ(first->control<ui::ComboBox>(QStringLiteral("Combo1"))->text(), QStringLiteral("宽行打印"));
    EXPECT_EQ(scalar(QStringLiteral("select Today from JSQ")), QStringLiteral("2026-1-5"));
    EXPECT_EQ(boxText(first, QStringLiteral("CustName")), QStringLiteral("北京路1号"));
    EXPECT_EQ(boxText(first, QStringLiteral("KH_ID")), QString::number(customer));
    ui::Windows::unload(first);
    EXPECT_EQ(boxText(openOrder(customer), QStringLiteral("orderno")), QStringLiteral("SH260105-00001"));
    ui::Windows::unloadAll();

    exec(QStringLiteral("update JSQ set LSH=99999"));
    EXPECT_EQ(boxText(openOrder(customer), QStringLiteral("orderno")), QStringLiteral("SH260105-100000"));
}

TEST_F(NewOrder, TwoWindowsOpenedTogetherSaveConsecutiveNumbers)
{
    exec(QStringLiteral("update JSQ set Today='2026-1-5', LSH=4"));
    ui::Form* first = openOrder(customer);
    ui::Windows::unload(first);
    // The second workstation's window showed the same number.
    first = openOrder(customer);
    exec(QStringLiteral("update JSQ set LSH=5"));   // the other workstation saved -00005 meanwhile
    EXPECT_EQ(boxText(first, QStringLiteral("orderno")), QStringLiteral("SH260105-00005"));
    save(first);
    EXPECT_EQ(scalar(QStringLiteral("select orderno from sales")), QStringLiteral("SH260105-00006"));
    EXPECT_EQ(scalar(QStringLiteral("select LSH from JSQ")), QStringLiteral("6"));

    // A number typed by the operator is kept; the counter still rises.
    ui::Form* second = openOrder(customer);
    second->control<ui::TextBox>(QStringLiteral("orderno"))->setText(QStringLiteral("MY-1"));
    save(second);
    EXPECT_EQ(count(QStringLiteral("select count(*) from sales where orderno='MY-1'")), 1);
    EXPECT_EQ(scalar(QStringLiteral("select LSH from JSQ")), QStringLiteral("7"));
}

TEST_F(NewOrder, CounterNeverGoesBackAndNumbersStayUnique)
{
    // Two workstations a minute apart around midnight: the one already on the
    // 5th saves first, the one still on the 4th after it.
    const auto at = [](int day, int hour, int minute) {
        db::locale::setClockForTests(QDateTime(QDate(2026, 1, day), QTime(hour, minute)));
    };
    exec(QStringLiteral("update JSQ set Today='2026-1-4', LSH=0"));
    at(5, 0, 1);
    save(openOrder(customer));
    at(4, 23, 59);
    ui::Form* behind = openOrder(customer);
    EXPECT_EQ(boxText(behind, QStringLiteral("orderno")), QStringLiteral("SH260105-00002"));
    save(behind);
    at(5, 0, 2);
    save(openOrder(customer));
    at(4, 23, 59);
    save(openOrder(customer));
    EXPECT_EQ(dump({"select orderno from sales order by id"}),
              QStringLiteral("SH260105-00001\nSH260105-00002\nSH260105-00003\nSH260105-00004"));
    EXPECT_EQ(scalar(QStringLiteral("select Today||'/'||LSH from JSQ")), QStringLiteral("2026-1-5/4"));

    // A counter set back by hand never hands out a stored number again.
    exec(QStringLiteral("update JSQ set LSH=1"));
    at(5, 9, 0);
    save(openOrder(customer));
    EXPECT_EQ(scalar(QStringLiteral("select orderno from sales order by id desc limit 1")), QStringLiteral("SH260105-00005"));
    EXPECT_EQ(scalar(QStringLiteral("select LSH from JSQ")), QStringLiteral("5"));

    // A window left open over midnight takes the number of the day of its save.
    ui::Form* overnight = openOrder(customer);
    EXPECT_EQ(boxText(overnight, QStringLiteral("orderno")), QStringLiteral("SH260105-00006"));
    at(6, 8, 0);
    save(overnight);
    EXPECT_EQ(scalar(QStringLiteral("select orderno from sales order by id desc limit 1")), QStringLiteral("SH260106-00001"));
    EXPECT_EQ(scalar(QStringLiteral("select Today||'/'||LSH from JSQ")), QStringLiteral("2026-1-6/1"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from (select orderno from sales group by orderno having count(*)>1)")), 0);
}

TEST_F(NewOrder, HeaderLinesStockAndBalances)
{
    const int bolt = addProduct(QStringLiteral("Bolt"), QStringLiteral("B1"), QStringLiteral("10"), QStringLiteral("只"), QStringLiteral("100"));
    const int twin = addProduct(QStringLiteral("Bolt"), QStringLiteral("B2"), QStringLiteral("10"), QStringLiteral("只"), QStringLiteral("50"));
    const int upper = addProduct(QStringLiteral("BOLT"), QStringLiteral("B3"), QStringLiteral("10"), QStringLiteral("只"), QStringLiteral("9"));
    const int nut = addProduct(QStringLiteral("Nut"), QStringLiteral("N1"), QStringLiteral("5"), QStringLiteral("只"), QString());
    ui::Form* window = openOrder(customer);
    addLine(window, 0, QStringLiteral("Bolt"), QStringLiteral("10"), QStringLiteral("2"));
    addLine(window, 1, QStringLiteral("Nut"), QStringLiteral("5"), QStringLiteral("4"));
    addLine(window, 2, QStringLiteral("Bolt"), QStringLiteral("10"), QStringLiteral("6"));
    window->control<ui::TextBox>(QStringLiteral("sales_connect"))->setText(QStringLiteral("赵六"));
    window->control<ui::CheckBox>(QStringLiteral("invoicetype"))->setChecked(true);
    EXPECT_EQ(boxText(window, QStringLiteral("totalMx")), QStringLiteral("100"));
    setReceived(window, QStringLiteral("60"));
    save(window);
    expectOnly(QStringLiteral("销售单录入操作成功！"));
    EXPECT_FALSE(isOpen());

    const QString key = scalar(QStringLiteral("select indexflag from sales"));
    EXPECT_TRUE(key.startsWith(QStringLiteral("202615937"))) << key.toStdString();
    EXPECT_EQ(key.size(), 9 + 5);
    EXPECT_EQ(count(QStringLiteral("select count(*) from SalesMX where indexflag='%1'").arg(key)), 3);
    EXPECT_EQ(scalar(QStringLiteral("select TotalNum from sales")), QStringLiteral("12"));
    EXPECT_EQ(scalar(QStringLiteral("select sales_connect||invoicetype||sal_gk||sal_CZZ||createtime from sales")),
              QStringLiteral("赵六10system2026-1-5"));
    EXPECT_EQ(scalar(QStringLiteral("select unitprice from SalesMX where productname='Nut'")), QStringLiteral("20"));
    // Both products named exactly Bolt lose both lines; another letter case keeps its stock.
    EXPECT_EQ(stockOf(bolt), 92);
    EXPECT_EQ(stockOf(twin), 42);
    EXPECT_EQ(stockOf(upper), 9);
    EXPECT_EQ(stockOf(nut), -4);
    EXPECT_EQ(balances(customer), QStringLiteral("40/100/12"));
}

TEST_F(NewOrder, BalancesByReceivedAmount)
{
    struct Case {
        const char* received;
        const char* expected;
    };
    for (const Case& c : {Case{"100", "0/100/1"}, Case{"120", "0/100/1"}, Case{"", "100/100/1"}}) {
        const int buyer = addCustomer(QStringLiteral("c"), QStringLiteral("a"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"));
        ui::Form* window = openOrder(buyer);
        addLine(window, 0, QStringLiteral("x"), QStringLiteral("100"), QStringLiteral("1"));
        setReceived(window, QString::fromLatin1(c.received));
        save(window);
        EXPECT_EQ(balances(buyer), QString::fromLatin1(c.expected)) << c.received;
        ui::Windows::unloadAll();
    }
    // Empty balances count as 0; an empty row 0 stores one line.
    const int fresh = addCustomer(QStringLiteral("d"), QStringLiteral("a"), QStringLiteral("null"), QStringLiteral("null"), QStringLiteral("null"));
    ui::Form* window = openOrder(fresh);
    type(window, QStringLiteral("Price"), 0, QString());   // runs the totals: 0 total, 0 received
    save(window);
    EXPECT_EQ(balances(fresh), QStringLiteral("0/0/0"));
    EXPECT_EQ(scalar(QStringLiteral("select TotalNum from sales where companyid=%1").arg(fresh)), QStringLiteral("0"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from SalesMX where companyid=%1").arg(fresh)), 1);
}

TEST_F(NewOrder, RefusalsAndAFailingSaveLeaveEveryTable)
{
    addProduct(QStringLiteral("Bolt"), QStringLiteral("B1"));
    ui::Form* window = openOrder(customer);
    const QString before = tables();
    addLine(window, 0, QStringLiteral("Bolt"), QStringLiteral("10"), QStringLiteral("2"));
    addLine(window, 1, QStringLiteral("Bolt"), QStringLiteral("cheap"), QStringLiteral("1"));
    messages.clear();
    save(window);
    expectOnly(QStringLiteral("第2行单价必须是数字"));
    type(window, QStringLiteral("Price"), 1, QStringLiteral("10"));
    // The sales reports select an order by its date: it must be one.
    auto* date = window->control<ui::TextBox>(QStringLiteral("salesdate"));
    const std::pair<const char*, const char*> dates[] = {
        {"yesterday", "销售日期不是一个合法的日期"},
        {"", "销售日期不能为空"},
        {"  ", "销售日期不能为空"},
    };
    for (const auto& [typed, message] : dates) {
        date->setText(QString::fromUtf8(typed));
        save(window);
        expectOnly(QString::fromUtf8(message));
        EXPECT_EQ(date->text(), QString::fromUtf8(typed));
    }
    date->setText(QStringLiteral("2026-1-5 9:00:00"));
    setReceived(window, QStringLiteral("some"));
    save(window);
    expectOnly(QStringLiteral("收款金额必须是数字"));
    setReceived(window, QStringLiteral("10"));

    // No customer, or a customer that no longer exists.
    window->control<ui::TextBox>(QStringLiteral("KH_ID"))->setText(QString());
    save(window);
    expectOnly(QStringLiteral("客户没指定"));
    window->control<ui::TextBox>(QStringLiteral("KH_ID"))->setText(QStringLiteral("999"));
    save(window);
    expectOnly(QStringLiteral("客户没指定"));
    window->control<ui::TextBox>(QStringLiteral("KH_ID"))->setText(QString::number(customer));

    // A step failing half-way rolls everything back; the window keeps its content.
    exec(QStringLiteral("create trigger refuse_line before insert on SalesMX when NEW.num = 1 begin select raise(abort, 'no'); end"));
    save(window);
    expectOnly(QStringLiteral("销售单录入失败，订单、库存和客户余额都没有改变"));
    EXPECT_EQ(tables(), before);
    EXPECT_TRUE(isOpen());
    EXPECT_EQ(text(window, QStringLiteral("Price"), 1), QStringLiteral("10"));

    exec(QStringLiteral("drop trigger refuse_line"));
    save(window);
    expectOnly(QStringLiteral("销售单录入操作成功！"));
}

// Another workstation holding the file: the save is refused saying why, the
// window keeps what was typed, nothing is written; once the file is free the
// same save goes through.
TEST_F(NewOrder, ASaveRefusedWhileAnotherWorkstationWritesSaysSoAndCanBeRepeated)
{
    const int bolt = addProduct(QStringLiteral("Bolt"), QStringLiteral("B1"));
    ui::Form* window = openOrder(customer);
    addLine(window, 0, QStringLiteral("Bolt"), QStringLiteral("10"), QStringLiteral("2"));
    const QString before = tables();
    messages.clear();
    {
        OtherWorkstationWriting other;
        save(window);
    }
    expectOnly(QStringLiteral("销售单录入失败，订单、库存和客户余额都没有改变。"
                              "另一台电脑正在使用数据文件，这次没有改变任何数据，输入的内容仍然保留，请再试一次"));
    EXPECT_EQ(tables(), before);
    EXPECT_TRUE(isOpen());
    EXPECT_EQ(text(window, QStringLiteral("product"), 0), QStringLiteral("Bolt"));
    EXPECT_EQ(text(window, QStringLiteral("num"), 0), QStringLiteral("2"));

    save(window);
    expectOnly(QStringLiteral("销售单录入操作成功！"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from SalesMX where companyid=%1").arg(customer)), 1);
    EXPECT_EQ(stockOf(bolt), 8);
}

TEST_F(NewOrder, AmountsAndBalancesBeyondTheCurrencyRangeAreRefused)
{
    ui::Form* window = openOrder(customer);
    addLine(window, 0, QStringLiteral("x"), QStringLiteral("10"), QStringLiteral("1"));
    auto* total = window->control<ui::TextBox>(QStringLiteral("totalMx"));
    const QString before = tables();
    total->setText(QStringLiteral("1000000000000000"));
    save(window);
    expectOnly(QStringLiteral("订单金额太大，最多922337203685477.5807"));
    total->setText(QStringLiteral("lots"));
    save(window);
    expectOnly(QStringLiteral("订单金额必须是数字"));
    total->setText(QStringLiteral("10"));
    type(window, QStringLiteral("Price"), 0, QStringLiteral("-1e20"));
    total->setText(QStringLiteral("10"));
    setReceived(window, QStringLiteral("10"));
    save(window);
    expectOnly(QStringLiteral("第1行单价太大，最多922337203685477.5807"));
    type(window, QStringLiteral("Price"), 0, QStringLiteral("10"));
    EXPECT_EQ(tables(), before);

    // A purchase total a little below the largest amount: the order would take it past.
    const int big = addCustomer(QStringLiteral("大客户"), QStringLiteral("a"), QStringLiteral("0"),
                                QStringLiteral("9223372036854770000"), QStringLiteral("0"));
    window->control<ui::TextBox>(QStringLiteral("KH_ID"))->setText(QString::number(big));
    const QString beforeBig = tables();
    save(window);
    expectOnly(QStringLiteral("客户的余额将超出金额的范围，订单没有保存"));
    EXPECT_EQ(tables(), beforeBig);
    EXPECT_EQ(balances(big), QStringLiteral("0/922337203685477/0"));
    EXPECT_TRUE(isOpen());
    EXPECT_EQ(text(window, QStringLiteral("Price"), 0), QStringLiteral("10"));
}

TEST_F(NewOrder, SlipPrintsAfterTheSaveAndAMissingPrinterOffersItAsPdf)
{
    print::RecordingPrinter printer(dir.path());
    printer.setNoPrinter(true);
    QString suggested;
    const QString chosen = dir.filePath(QStringLiteral("slip.pdf"));
    ui::setSaveFileChooser([&](const ui::SaveFileRequest& request) {
        suggested = request.suggested;
        return chosen;
    });
    exec(QStringLiteral("update JSQ set Today='2026-1-5', LSH=0"));
    ui::Form* window = openOrder(customer);
    window->control<ui::ComboBox>(QStringLiteral("Combo1"))->pick(1);
    addLine(window, 0, QStringLiteral("Bolt"), QStringLiteral("10"), QStringLiteral("2"));
    messages.answerNext(ui::Answer::Yes);
    save(window);
    ui::setSaveFileChooser({});
    ASSERT_EQ(messages.shown().size(), 3u);
    EXPECT_EQ(messages.shown()[0].text, QStringLiteral("销售单录入操作成功！"));
    EXPECT_EQ(messages.shown()[1].text, QStringLiteral("没有可用的打印机，请先安装并设置默认打印机。\n是否将其保存为 PDF 文件？"));
    EXPECT_EQ(messages.shown()[1].buttons, ui::Buttons::YesNo);
    EXPECT_EQ(messages.shown()[2].text, QStringLiteral("已保存为 PDF 文件：") + QDir::toNativeSeparators(chosen));
    // Offered beside the program under the slip's name; written where the operator chose.
    EXPECT_TRUE(suggested.startsWith(ui::programPath(QStringLiteral("Printouts/商品配送单-")))) << suggested.toStdString();
    EXPECT_TRUE(suggested.endsWith(QStringLiteral(".pdf")));
    EXPECT_GT(QFileInfo(chosen).size(), 0);
    const std::vector<PdfPage> pages = readPdf(chosen);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(pages[0].text().contains(QStringLiteral("SH260105-00001")));
    EXPECT_FALSE(isOpen());
    EXPECT_EQ(count(QStringLiteral("select count(*) from sales")), 1);
    EXPECT_EQ(scalar(QStringLiteral("select PrintOpt from JSQ")), QStringLiteral("窄行打印"));
    messages.clear();

    printer.setNoPrinter(false);
    window = openOrder(customer);
    EXPECT_EQ(window->control<ui::ComboBox>(QStringLiteral("Combo1"))->text(), QStringLiteral("窄行打印"));
    addLine(window, 0, QStringLiteral("Bolt"), QStringLiteral("10"), QStringLiteral("2"));
    save(window);
    ASSERT_EQ(printer.printed().size(), 1u);
    bool numbered = false;
    for (const print::Field& field : printer.printed()[0].reportHeader.fields)
        numbered = numbered || field.caption == QStringLiteral("订单号：SH260105-00002");
    EXPECT_TRUE(numbered);
}

} // namespace
