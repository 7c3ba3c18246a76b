// The quick phone order's store: which rows are written, every column of the
// customer, contact, order and line rows, the order notice and its queueing.
#include "tests/support/scratch.h"

#include "common/database.h"
#include "common/mymode.h"
#include "common/sqltext.h"
#include "platform/db/locale.h"
#include "sales/quickorder.h"


namespace {

class QuickOrderStore : public ScratchProgram {
protected:
    void SetUp() override
    {
        ScratchProgram::SetUp();
        db::locale::setClockForTests(QDateTime(QDate(2026, 12, 8), QTime(9, 5, 3)));
        loginAs(QStringLiteral("amy"), allRights());
    }
    void TearDown() override
    {
        db::locale::setClockForTests(std::nullopt);
        ScratchProgram::TearDown();
    }

    static quickorder::Order sampleOrder()
    {
        quickorder::Order order;
        order.name = QStringLiteral("王记 O'Hara ");
        order.contact = QStringLiteral("王先生");
        order.tel = QStringLiteral("13800000001");
        order.address = QStringLiteral(" 东门路1号");
        order.group = QStringLiteral("外卖");
        order.remarks = QStringLiteral("放门口");
        order.date = QStringLiteral("2026-12-8 9:05:03");
        order.orderNo = QStringLiteral("SH2612895 3");
        order.total = QStringLiteral("31.5");
        order.received = QStringLiteral("20");
        order.invoice = true;
        order.isPublic = false;
        order.lines = {{.product = QStringLiteral("饺子"), .price = QStringLiteral("12"), .discount = QStringLiteral("100"),
                        .quantity = QStringLiteral("2"), .total = QStringLiteral("24")},
                       {.product = QStringLiteral("汤"), .price = QStringLiteral("10"), .discount = QStringLiteral("75"),
                        .quantity = QStringLiteral("1"), .total = QStringLiteral("7.5")}};
        return order;
    }

    quickorder::Customer store(const quickorder::Order& order)
    {
        auto connection = database::openMain();
        connection->beginTrans();
        const quickorder::Customer customer = quickorder::write(*connection, order, QStringLiteral("2026128953012345"));
        connection->commitTrans();
        return customer;
    }

    // "column=value" of one row, in the given columns' order; Null shows as "<Null>".
    QStringList row(const QString& table, const QString& where, const QStringList& columns)
    {
        auto rows = database::query(QStringLiteral("select * from ") + table + QStringLiteral(" where ") + where);
        QStringList values;
        if (rows->eof()) return values;
        for (const QString& column : columns) {
            const db::Variant value = rows->field(column);
            values << column + QLatin1Char('=') + (value.isNull() ? QStringLiteral("<Null>") : value.toText());
        }
        return values;
    }
};

TEST(QuickOrderRows, RowZeroAlwaysThenUpToABlankZeroOrNonNumericQuantity)
{
    EXPECT_EQ(quickorder::rowsToWrite({}), 0);
    EXPECT_EQ(quickorder::rowsToWrite({QString()}), 1);
    EXPECT_EQ(quickorder::rowsToWrite({QStringLiteral("x"), QStringLiteral(" 2 "), QStringLiteral("1.5")}), 3);
    EXPECT_EQ(quickorder::rowsToWrite({QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("3")}), 1);
    EXPECT_EQ(quickorder::rowsToWrite({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("  ")}), 2);
    EXPECT_EQ(quickorder::rowsToWrite({QStringLiteral("1"), QStringLiteral("2a"), QStringLiteral("3")}), 1);
}

TEST_F(QuickOrderStore, WritesEveryColumnUnderTheNewCustomersId)
{
    exec(QStringLiteral("insert into company (company_name) values ('earlier')"));
    const quickorder::Customer customer = store(sampleOrder());
    const QString id = QString::number(customer.id);
    EXPECT_EQ(id, scalar(QStringLiteral("select id from company where company_name like '王记%'")));
    EXPECT_EQ(customer.name, QStringLiteral("王记 O'Hara "));
    EXPECT_EQ(customer.address, QStringLiteral(" 东门路1号"));

    EXPECT_EQ(row(QStringLiteral("company"), QStringLiteral("id=") + id,
                  {"company_name", "company_address", "company_connect", "company_tel", "company_client_type", "KH_GK",
                   "KH_CZZ", "company_description", "company_createtime", "company_QK", "company_ZJE"}),
              (QStringList{"company_name=王记 O'Hara ", "company_address= 东门路1号", "company_connect=王先生",
                           "company_tel=13800000001", "company_client_type=外卖", "KH_GK=0", "KH_CZZ=amy",
                           "company_description=放门口", "company_createtime=2026-12-8", "company_QK=11.5",
                           "company_ZJE=31.5"}));
    EXPECT_EQ(row(QStringLiteral("KH_LXR"), QStringLiteral("companyid=") + id,
                  {"Connect_name", "address", "tel", "LXR_GK", "LXR_CZZ"}),
              (QStringList{"Connect_name=王先生", "address= 东门路1号", "tel=13800000001", "LXR_GK=0", "LXR_CZZ=amy"}));
    EXPECT_EQ(row(QStringLiteral("sales"), QStringLiteral("companyid=") + id,
                  {"orderno", "sales_connect", "salesdate", "totlemoney", "invoicetype", "receivemoney", "indexflag",
                   "description", "createtime", "sal_gk", "sal_CZZ", "TotalNum"}),
              (QStringList{"orderno=SH2612895 3", "sales_connect=外卖", "salesdate=2026-12-8 9:05:03", "totlemoney=31.5",
                           "invoicetype=1", "receivemoney=20", "indexflag=2026128953012345", "description=放门口",
                           "createtime=2026-12-8", "sal_gk=0", "sal_CZZ=amy", "TotalNum=<Null>"}));
    EXPECT_EQ(count(QStringLiteral("select count(*) from SalesMX where companyid=") + id), 2);
    EXPECT_EQ(row(QStringLiteral("SalesMX"), QStringLiteral("productname='汤'"),
                  {"companyid", "price", "zk", "num", "unitprice", "salesdate", "indexflag"}),
              (QStringList{"companyid=" + id, "price=10", "zk=75", "num=1", "unitprice=7.5",
                           "salesdate=2026-12-8 9:05:03", "indexflag=2026128953012345"}));
    EXPECT_EQ(count(QStringLiteral("select count(*) from KH_LXR")), 1);
}

// A value its column cannot take leaves that column unset; the rows are written.
TEST_F(QuickOrderStore, ValuesThatDoNotFitLeaveTheirColumnUnset)
{
    quickorder::Order order = sampleOrder();
    order.total = QStringLiteral("Err");
    order.received = QString();
    order.date = QStringLiteral("yesterday");
    order.isPublic = true;
    order.lines = {{QString(), QString(), QString(), QString(), QString()}};
    const QString id = QString::number(store(order).id);
    EXPECT_EQ(row(QStringLiteral("sales"), QStringLiteral("companyid=") + id,
                  {"salesdate", "totlemoney", "receivemoney", "sal_gk"}),
              (QStringList{"salesdate=<Null>", "totlemoney=<Null>", "receivemoney=<Null>", "sal_gk=1"}));
    EXPECT_EQ(row(QStringLiteral("SalesMX"), QStringLiteral("companyid=") + id,
                  {"productname", "price", "zk", "num", "unitprice"}),
              (QStringList{"productname=", "price=<Null>", "zk=<Null>", "num=<Null>", "unitprice=<Null>"}));
    EXPECT_EQ(scalar(QStringLiteral("select KH_GK from company where id=") + id), QStringLiteral("1"));
    EXPECT_EQ(scalar(QStringLiteral("select LXR_GK from KH_LXR where companyid=") + id), QStringLiteral("1"));
}

// The notice is stored by the order's own commit, addressed to the group's
// number as stored; a group name with a quote finds its number.
TEST_F(QuickOrderStore, NoticeGoesToTheGroupsNumber)
{
    exec(QStringLiteral("insert into client_type (client_type, py_code) values ('外卖', '13900000009')"));
    exec(QStringLiteral("insert into client_type (client_type, py_code) values ('O''Neil', ' 137;138 ')"));
    quickorder::Order order = sampleOrder();
    const std::optional<quickorder::Saved> saved = quickorder::save(order, QStringLiteral("订单未能保存："));
    ASSERT_TRUE(saved);
    EXPECT_TRUE(saved->noNotice.isEmpty()) << saved->noNotice.toStdString();
    EXPECT_EQ(quickorder::notice(saved->customer, order),
              QStringLiteral("王记 O'Hara /13800000001/ 东门路1号[饺子2份汤1份]总计:31.5元"));
    order.group = QStringLiteral("O'Neil");
    order.lines = {{QString(), QString(), QString(), QString(), QString()}};
    ASSERT_TRUE(quickorder::save(order, QStringLiteral("订单未能保存：")));
    EXPECT_TRUE(messages.shown().empty());

    auto connection = database::openLocalSms();
    db::Recordset rows;
    rows.open(QStringLiteral("select MobilNO, Content, LmtSend, SendTime, RecState, SMSCZZ, RecTime from sms"), *connection);
    QStringList stored;
    for (; !rows.eof(); rows.moveNext()) {
        QStringList values;
        for (int i = 0; i < rows.fieldCount(); ++i) values << (rows.field(i).isNull() ? QStringLiteral("<Null>") : rows.field(i).toText());
        stored << values.join(QLatin1Char('|'));
    }
    EXPECT_EQ(stored, (QStringList{
                          "13900000009|王记 O'Hara /13800000001/ 东门路1号[饺子2份汤1份]总计:31.5元|1|<Null>|0|amy|2026-12-8",
                          " 137;138 |王记 O'Hara /13800000001/ 东门路1号[份]总计:31.5元|1|<Null>|0|amy|2026-12-8"}));
}

} // namespace
