// The main window's delete: the question, the delete right of each list, the
// cascade over a customer's records and over the lines of an opportunity or
// a sales order, all in one transaction, and the reload of the list.
#include "mainwin_fixture.h"

#include "tests/support/busyfile.h"
#include "tests/support/desktopprobe.h"

#include "common/mainlists.h"

#include <array>

namespace {

class DeleteRecord : public MainWindowTest {
protected:
    void clickDelete() { ctl<ui::PictureButton>("cmDelete")->click(); }

    // A customer with two contacts, one activity, one opportunity with three
    // quotation lines, one sales order with two lines and one service record.
    int addCustomerWithRecords(const QString& name, const QString& lineKeyPrefix)
    {
        const int customer = addCustomer(name);
        for (int i = 0; i < 2; ++i) addRelated("KH_LXR", "LXR_CZZ", customer);
        addRelated("KH_ACT", "Action_CZZ", customer);
        addHeaderWithLines(QStringLiteral("chance"), QStringLiteral("chanceMX"), customer, lineKeyPrefix + QStringLiteral("c"), 3);
        addHeaderWithLines(QStringLiteral("sales"), QStringLiteral("SalesMX"), customer, lineKeyPrefix + QStringLiteral("s"), 2);
        addRelated("service", "service_CZZ", customer);
        return customer;
    }

    int addHeaderWithLines(const QString& header, const QString& lines, int customer, const QString& lineKey, int count)
    {
        const QString owner = header == QLatin1String("chance") ? QStringLiteral("chance_CZZ") : QStringLiteral("sal_CZZ");
        const int id = insert(header, QStringLiteral("companyid,indexflag,") + owner,
                              QStringLiteral("%1,%2,'system'").arg(customer).arg(sqltext::quoted(lineKey)));
        for (int i = 0; i < count; ++i)
            insert(lines, QStringLiteral("companyid,indexflag,productname"),
                   QStringLiteral("%1,%2,'p'").arg(customer).arg(sqltext::quoted(lineKey)));
        return id;
    }

    // Rows of a customer in each table the delete reaches.
    int rowsOf(int customer)
    {
        int rows = count(QStringLiteral("select count(*) from company where id=%1").arg(customer));
        for (const char* table : {"KH_LXR", "KH_ACT", "chance", "chanceMX", "sales", "SalesMX", "service"})
            rows += count(QStringLiteral("select count(*) from %1 where companyid=%2").arg(QString::fromLatin1(table)).arg(customer));
        return rows;
    }

    // Selects the grid row showing the record.
    void selectRecord(int id)
    {
        const int row = shownIds().indexOf(id);
        ASSERT_GE(row, 0) << id;
        grid()->setCurrentRow(row);
    }
};

} // namespace

TEST_F(DeleteRecord, CustomerGoesWithEveryDependentRow)
{
    const int kept = addCustomerWithRecords(QStringLiteral("kept"), QStringLiteral("k"));
    const int doomed = addCustomerWithRecords(QStringLiteral("doomed"), QStringLiteral("d"));
    exec(QStringLiteral("insert into Hv_Cidlist (CallerID, Contant) values ('123456', 'doomed')"));
    ASSERT_EQ(rowsOf(doomed), 12);
    openMain();
    selectRecord(doomed);
    clickDelete();

    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, QStringLiteral("真要删除当前记录吗？"));
    EXPECT_EQ(messages.shown()[0].buttons, ui::Buttons::YesNo);
    EXPECT_EQ(rowsOf(doomed), 0);
    EXPECT_EQ(rowsOf(kept), 12);
    EXPECT_EQ(count(QStringLiteral("select count(*) from Hv_Cidlist")), 1);   // the call log stays
    EXPECT_EQ(shownIds(), QList<int>{kept});
}

// Lines go by the header's line key; another header's lines stay.
TEST_F(DeleteRecord, OpportunityAndOrderTakeTheirLinesAlong)
{
    const struct {
        const char* menu;
        const char* header;
        const char* lines;
    } cases[] = {{"mnuChanceList", "chance", "chanceMX"}, {"mnuSalesList", "sales", "SalesMX"}};
    const int customer = addCustomer(QStringLiteral("c"));
    for (const auto& c : cases) {
        const QString header = QString::fromLatin1(c.header);
        const QString lines = QString::fromLatin1(c.lines);
        const int doomed = addHeaderWithLines(header, lines, customer, QStringLiteral("2024115930%1").arg(header), 3);
        const int kept = addHeaderWithLines(header, lines, customer, QStringLiteral("2024115931%1").arg(header), 2);
        openMain();
        choose(c.menu);
        selectRecord(doomed);
        clickDelete();
        EXPECT_EQ(count(QStringLiteral("select count(*) from %1 where id=%2").arg(header).arg(doomed)), 0) << c.header;
        EXPECT_EQ(count(QStringLiteral("select count(*) from %1").arg(lines)), 2) << c.lines;
        EXPECT_EQ(shownIds(), QList<int>{kept}) << c.header;
        EXPECT_EQ(count(QStringLiteral("select count(*) from company")), 1);
        ui::Windows::unloadAll();
    }
}

// An order goes with its share of its customer's balances: its total, its
// lines' quantities and what it left unpaid (nothing when it was paid in full
// or beyond); what the customer's other orders added stays.
TEST_F(DeleteRecord, AnOrderTakesItsShareOfTheBalancesAlong)
{
    // The order's total, what was received and the customer's debt with it.
    const std::array<const char*, 3> cases[] = {{"100", "60", "45"}, {"100", "120", "5"}, {"-50", "0", "5"}};
    for (const auto& [total, received, owedWithIt] : cases) {
        SCOPED_TRACE(std::string(total) + " " + received);
        const int customer = addCustomer(QStringLiteral("c"));
        const QString key = QStringLiteral("k%1").arg(customer);
        const int order = addHeaderWithLines(QStringLiteral("sales"), QStringLiteral("SalesMX"), customer, key, 2);
        exec(QStringLiteral("update sales set totlemoney=%1, receivemoney=%2 where id=%3").arg(total, received).arg(order));
        exec(QStringLiteral("update SalesMX set num=3 where indexflag='%1'").arg(key));
        exec(QStringLiteral("update company set company_QK=%1, company_zje=10+%2, company_Zsl=7 where id=%3")
                 .arg(owedWithIt, total).arg(customer));
        openMain();
        choose("mnuSalesList");
        selectRecord(order);
        clickDelete();
        EXPECT_EQ(scalar(QStringLiteral("select company_QK || '/' || company_zje || '/' || company_Zsl from company where id=%1")
                             .arg(customer)),
                  QStringLiteral("5/10/1"));
        ui::Windows::unloadAll();
    }
}

// A header without a line key must not take the lines of other headers that
// have none either.
TEST_F(DeleteRecord, AnEmptyLineKeyDeletesNoLines)
{
    const int customer = addCustomer(QStringLiteral("c"));
    const int doomed = addHeaderWithLines(QStringLiteral("sales"), QStringLiteral("SalesMX"), customer, QString(), 0);
    exec(QStringLiteral("update sales set indexflag=Null where id=%1").arg(doomed));
    addHeaderWithLines(QStringLiteral("sales"), QStringLiteral("SalesMX"), customer, QString(), 2);
    exec(QStringLiteral("insert into SalesMX (companyid, productname) values (%1, 'no key')").arg(customer));
    openMain();
    choose("mnuSalesList");
    selectRecord(doomed);
    clickDelete();
    EXPECT_EQ(count(QStringLiteral("select count(*) from sales")), 1);
    EXPECT_EQ(count(QStringLiteral("select count(*) from SalesMX")), 3);
}

// Each list asks for its own delete right; without it nothing is deleted.
TEST_F(DeleteRecord, EachListRefusesWithoutItsDeleteRight)
{
    const int customer = addCustomer(QStringLiteral("c"));
    const struct {
        const char* menu;
        const char* right;
        const char* table;
        const char* owner;
        const char* refusal;
    } cases[] = {
        {"mnuCustList", "d_cust", "company", "KH_CZZ", "您无权删除客户资料"},
        {"mnuContectList", "d_conn", "KH_LXR", "LXR_CZZ", "您无权删除联系人资料"},
        {"mnuActionList", "d_acti", "KH_ACT", "Action_CZZ", "您无权删除活动资料"},
        {"mnuChanceList", "d_chan", "chance", "chance_CZZ", "您无权删除报价资料"},
        {"mnuSalesList", "d_sals", "sales", "sal_CZZ", "您无权删除订购资料"},
        {"mnuServiceList", "d_serv", "service", "service_CZZ", "您无权删除服务资料"},
    };
    for (const auto& c : cases) {
        const QString table = QString::fromLatin1(c.table);
        if (table != QLatin1String("company"))
            addRelated(c.table, c.owner, customer);
        const int before = count(QStringLiteral("select count(*) from ") + table);
        loginAs(QStringLiteral("system"), allRights().replace(QString::fromLatin1(c.right) + QStringLiteral("=1;"),
                                                             QString::fromLatin1(c.right) + QStringLiteral("=0;")));
        openMain();
        choose(c.menu);
        messages.clear();
        clickDelete();
        ASSERT_EQ(messages.shown().size(), 2u) << c.menu;
        EXPECT_EQ(messages.shown()[0].text, QStringLiteral("真要删除当前记录吗？"));
        EXPECT_EQ(messages.shown()[1].text, QString::fromUtf8(c.refusal));
        EXPECT_EQ(messages.shown()[1].icon, ui::Icon::Error);
        EXPECT_EQ(messages.shown()[1].title, QStringLiteral("删除资料"));
        EXPECT_EQ(count(QStringLiteral("select count(*) from ") + table), before) << c.table;
        ui::Windows::unloadAll();
    }
}

// Any answer but Yes: no right is tested and nothing changes.
TEST_F(DeleteRecord, AnsweringNoDeletesNothing)
{
    loginAs(QStringLiteral("system"), allRights().replace(QStringLiteral("d_cust=1;"), QStringLiteral("d_cust=0;")));
    const int customer = addCustomerWithRecords(QStringLiteral("c"), QStringLiteral("x"));
    openMain();
    messages.answerNext(ui::Answer::No);
    clickDelete();
    EXPECT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(rowsOf(customer), 12);
    EXPECT_EQ(shownIds(), QList<int>{customer});
}

// An empty list, or a record another computer removed since the list was read.
TEST_F(DeleteRecord, AMissingRecordIsReported)
{
    openMain();
    choose("mnuActionList");
    clickDelete();
    EXPECT_EQ(messages.lastText(), QStringLiteral("记录不存在,可能已经被删除"));

    const int customer = addCustomer(QStringLiteral("gone"));
    choose("mnuCustList");
    exec(QStringLiteral("delete from company where id=%1").arg(customer));
    clickDelete();
    EXPECT_EQ(messages.lastText(), QStringLiteral("记录不存在,可能已经被删除"));
    EXPECT_EQ(shownIds(), QList<int>{customer});   // the list is not read again
}

// When a step of the cascade fails, the customer and all its rows stay and
// the operator is told.
TEST_F(DeleteRecord, AFailingStepLeavesEverythingInPlace)
{
    const int customer = addCustomerWithRecords(QStringLiteral("c"), QStringLiteral("x"));
    exec(QStringLiteral("create trigger keep_lines before delete on SalesMX begin select raise(abort, 'kept'); end"));
    openMain();
    clickDelete();
    EXPECT_EQ(messages.lastText(), QStringLiteral("删除失败,记录和相关资料都没有删除"));
    EXPECT_EQ(messages.shown().back().icon, ui::Icon::Error);
    EXPECT_EQ(rowsOf(customer), 12);
}

// Another workstation holding the file, writing or committing: the delete is
// refused saying why and that it may be tried again (with no word of kept
// input: a delete keeps none), and nothing goes; once the file is free it does.
TEST_F(DeleteRecord, ADeleteRefusedWhileAnotherWorkstationWritesSaysSoAndCanBeRepeated)
{
    for (const auto hold : {OtherWorkstationWriting::Hold::Write, OtherWorkstationWriting::Hold::Exclusive}) {
        const int customer = addCustomerWithRecords(QStringLiteral("c"), QStringLiteral("x"));
        openMain();
        selectRecord(customer);
        messages.clear();
        {
            OtherWorkstationWriting other(hold);
            clickDelete();
        }
        EXPECT_EQ(messages.lastText(), QStringLiteral("删除失败,记录和相关资料都没有删除。"
                                                      "另一台电脑正在使用数据文件，这次没有改变任何数据，请再试一次"));
        EXPECT_EQ(messages.shown().back().icon, ui::Icon::Error);
        EXPECT_EQ(rowsOf(customer), 12);
        EXPECT_EQ(shownIds(), QList<int>{customer});

        messages.clear();
        clickDelete();
        EXPECT_EQ(messages.shown().size(), 1u);   // the question only
        EXPECT_EQ(rowsOf(customer), 0);
        EXPECT_TRUE(shownIds().isEmpty());
        ui::Windows::unloadAll();
    }
}

// After a narrowing search the whole list shows again; CustListSql keeps the
// search.
TEST_F(DeleteRecord, ReloadShowsTheWholeListAndKeepsTheCustomerQuery)
{
    const int first = addCustomer(QStringLiteral("alpha"));
    const int second = addCustomer(QStringLiteral("beta"));
    const int third = addCustomer(QStringLiteral("alphabet"));
    openMain();
    search(QStringLiteral("客户名称"), QStringLiteral("包含"), QStringLiteral("alpha"));
    const QString searched = Mymode::CustListSql;
    ASSERT_EQ(shownIds(), (QList<int>{third, first}));
    clickWithMouse(ctl<ui::Label>("Label9"));   // the toolbar's caption deletes as the button does
    EXPECT_EQ(shownIds(), (QList<int>{second, first}));
    EXPECT_EQ(Mymode::CustListSql, searched);
    EXPECT_EQ(viewKey(), QStringLiteral("CustList"));
}

// A window's refresh can put customers into the grid while the view key names
// the contact list: the delete removes the customer shown, not a contact that
// happens to have the same id.
TEST_F(DeleteRecord, DeletesTheRecordOfTheRowsTheGridHolds)
{
    const int other = addCustomer(QStringLiteral("other"));
    const int customer = addCustomer(QStringLiteral("c"));
    insert(QStringLiteral("KH_LXR"), QStringLiteral("id,companyid,LXR_CZZ"),
           QStringLiteral("%1,%2,'system'").arg(customer).arg(other));
    openMain();
    choose("mnuContectList");
    ui::Windows::loaded<MainLists>(QStringLiteral("frmMain"))->DataGridFresh(Mymode::CustListSql);
    selectRecord(customer);
    clickDelete();
    EXPECT_EQ(count(QStringLiteral("select count(*) from company where id=%1").arg(customer)), 0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from KH_LXR")), 1);
    EXPECT_EQ(viewKey(), QStringLiteral("ConnectList"));
}
