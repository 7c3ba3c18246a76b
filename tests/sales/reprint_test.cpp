// The order editor's slip reprint: the layout of the stored print option, the
// window's boxes as they stand, the reprint's quantity heading, the walk of
// the lines, and nothing written.
#include "tests/sales/salesfixture.h"
#include "tests/support/pdftext.h"

#include "common/mymode.h"
#include "common/sqltext.h"
#include "platform/print/printservice.h"
#include "platform/ui/windows.h"
#include "sales/salesdetail.h"

namespace {

class Reprint : public SalesTest {
protected:
    void SetUp() override
    {
        SalesTest::SetUp();
        exec(QStringLiteral("update DriveInfo set KH_name='海维商行',KH_tel='800-1',KH_add='南京路2号',des1='谢谢惠顾',des2=''"));
    }
    // A stored order of the customer with lines of (name, quantity), price 3.
    sales::SalesDetail* openOrder(int customerId, const std::vector<std::pair<QString, QString>>& lines)
    {
        exec(QStringLiteral("insert into sales (companyid,orderno,totlemoney,receivemoney,indexflag) values (%1,'SH1-00001',30,20,'k1')")
                 .arg(customerId));
        for (const auto& [name, quantity] : lines) {
            if (!count(QStringLiteral("select count(*) from product where product=%1").arg(sqltext::quoted(name))))
                addProduct(name, QStringLiteral("P-") + name);
            exec(QStringLiteral("insert into SalesMX (productname,companyid,price,zk,num,unitprice,indexflag) values (%1,%2,3,100,%3,3,'k1')")
                     .arg(sqltext::quoted(name)).arg(customerId).arg(quantity));
        }
        Mymode::CurrentRecordId = scalar(QStringLiteral("select max(id) from sales")).toInt();
        return dynamic_cast<sales::SalesDetail*>(ui::Windows::open(QStringLiteral("SalesDetail")));
    }
    void storeOption(const QString& option)
    {
        exec(QStringLiteral("update JSQ set PrintOpt=%1").arg(sqltext::quoted(option)));
    }
    // The printed lines of a job, blank lines included.
    static QStringList printedLines(const print::Layout& layout)
    {
        QStringList lines;
        double bottom = 0;
        for (const print::Field& field : layout.reportHeader.fields) {
            const int blanks = qRound((field.top - bottom) / field.height);
            for (int i = 0; i < blanks; ++i) lines << QString();
            lines << field.caption;
            bottom = field.top + field.height;
        }
        return lines;
    }
    static QString sp(int count) { return QString(count, QLatin1Char(' ')); }
};

const QString kWideHeading = QStringLiteral("  产品名称         规  格             质数量          单价");

TEST_F(Reprint, WideLayoutShowsTheBoxesAsTheyStandAndFillsFourRows)
{
    const int customer = addCustomer(QStringLiteral("海维"), QStringLiteral("北京路$1号"));
    sales::SalesDetail* window = openOrder(customer, {{QStringLiteral("螺丝A"), QStringLiteral("2")}});
    ASSERT_NE(window, nullptr);
    storeOption(QStringLiteral("宽行打印"));
    type(window, QStringLiteral("num"), 0, QStringLiteral("7"));   // not saved, printed all the same
    const QString before = tables();

    print::RecordingPrinter printer(dir.path());
    window->PrintDeliverySlip();
    ASSERT_EQ(printer.printed().size(), 1u);
    const QStringList lines = printedLines(printer.printed()[0]);
    EXPECT_EQ(lines.at(1), sp(8) + QStringLiteral("海维商行"));
    EXPECT_TRUE(lines.join(QLatin1Char('\n')).contains(QStringLiteral("客户地址:北京路$1号 打印时间:")));
    const int heading = int(lines.indexOf(kWideHeading));
    ASSERT_GT(heading, 0) << lines.join(QLatin1Char('\n')).toStdString();
    const QString rule(69, QLatin1Char('-'));
    EXPECT_EQ(lines.at(heading + 1), rule);
    EXPECT_EQ(lines.at(heading + 2).toStdString(), QString(QStringLiteral("螺丝A") + sp(14) + QStringLiteral("P-螺丝A") + sp(12) + QStringLiteral("7")
                                         + sp(11) + QStringLiteral("3")).toStdString());
    EXPECT_EQ(lines.mid(heading + 3, 3), (QStringList{QString(), QString(), QString()}));
    EXPECT_EQ(lines.at(heading + 6), rule);
    EXPECT_EQ(lines.at(heading + 7), QStringLiteral("总  计：21 元     收款:20"));
    EXPECT_EQ(lines.at(heading + 8), QStringLiteral("配送员：") + sp(11) + QStringLiteral("客户电话：010-1234"));
    EXPECT_TRUE(lines.contains(QStringLiteral("  谢谢惠顾")));
    EXPECT_EQ(tables(), before);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(Reprint, FourRowsLeaveNoBlankLinesAndABadQuantityEndsTheWalk)
{
    const int customer = addCustomer(QStringLiteral("海维"));
    sales::SalesDetail* window = openOrder(customer, {{QStringLiteral("A$"), QStringLiteral("1")}, {QStringLiteral("B"), QStringLiteral("2")},
                                                      {QStringLiteral("C"), QStringLiteral("3")}, {QStringLiteral("D"), QStringLiteral("4")}});
    ASSERT_NE(window, nullptr);
    storeOption(QStringLiteral("宽行打印"));
    print::RecordingPrinter printer(dir.path());
    window->PrintDeliverySlip();
    QStringList lines = printedLines(printer.printed().at(0));
    int heading = int(lines.indexOf(kWideHeading));
    ASSERT_GT(heading, 0);
    // A "$" in a product name stays a "$": the address goes only into its own place.
    EXPECT_TRUE(lines.at(heading + 2).startsWith(QStringLiteral("A$") + sp(17) + QStringLiteral("P-A$")));
    EXPECT_TRUE(lines.at(heading + 5).startsWith(QStringLiteral("D ")));
    EXPECT_EQ(lines.at(heading + 6), QString(69, QLatin1Char('-')));

    type(window, QStringLiteral("num"), 1, QStringLiteral("两"));
    window->PrintDeliverySlip();
    lines = printedLines(printer.printed().at(1));
    heading = int(lines.indexOf(kWideHeading));
    EXPECT_TRUE(lines.at(heading + 2).startsWith(QStringLiteral("A$")));
    EXPECT_EQ(lines.mid(heading + 3, 3), (QStringList{QString(), QString(), QString()}));
}

TEST_F(Reprint, NarrowLayoutOtherOptionsAndAMissingCustomer)
{
    const int customer = addCustomer(QStringLiteral("海维"), QStringLiteral("北京路1号"));
    sales::SalesDetail* window = openOrder(customer, {{QStringLiteral("螺丝A"), QStringLiteral("2")}});
    ASSERT_NE(window, nullptr);
    print::RecordingPrinter printer(dir.path());
    for (const char* option : {"不打印", "", "宽行"}) {
        storeOption(QString::fromUtf8(option));
        window->PrintDeliverySlip();
    }
    EXPECT_TRUE(printer.printed().empty());

    storeOption(QStringLiteral("窄行打印"));
    window->PrintDeliverySlip();
    ASSERT_EQ(printer.printed().size(), 1u);
    QStringList lines = printedLines(printer.printed()[0]);
    EXPECT_TRUE(lines.contains(QStringLiteral("客户名称：海维")));
    EXPECT_TRUE(lines.contains(QStringLiteral("送货地址：北京路1号")));
    EXPECT_TRUE(lines.contains(QStringLiteral(" 产品名称   规格    数量  单价")));
    EXPECT_TRUE(lines.contains(QStringLiteral("螺丝A") + sp(8) + QStringLiteral("P-螺丝A") + sp(2) + QStringLiteral("2") + sp(5)
                               + QStringLiteral("3")));
    EXPECT_FALSE(lines.contains(QStringLiteral("海维商行")));

    // The customer row is gone: the customer's fields print empty.
    exec(QStringLiteral("delete from company"));
    const QString before = tables();
    window->PrintDeliverySlip();
    lines = printedLines(printer.printed().at(1));
    EXPECT_TRUE(lines.contains(QStringLiteral("客户名称：")));
    EXPECT_TRUE(lines.contains(QStringLiteral("送货地址：")));
    EXPECT_EQ(tables(), before);
}

} // namespace
