// The customer card's tabs: each lists the customer's own related records,
// newest first, whatever their owner; the sales tabs total their amounts and
// the calls tab matches the contacts' numbers.
#include "tests/customers/customerfixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QPointer>
#include <memory>

#include "common/mymode.h"
#include "platform/ui/controls.h"
#include "platform/ui/popupmenu.h"
#include "platform/ui/tabcontrol.h"
#include "platform/ui/windows.h"

namespace {

class CardTabs : public CustomerTest {
protected:
    void SetUp() override
    {
        CustomerTest::SetUp();
        customer = addCustomer({{QStringLiteral("company_name"), QStringLiteral("华东贸易")}});
        other = addCustomer({{QStringLiteral("company_name"), QStringLiteral("西南物流")}});
    }
    ui::DataGrid* showTab(ui::Form* card, int tab)
    {
        card->control<ui::TabControl>(QStringLiteral("SSTab1"))->setTab(tab);
        return card->control<ui::DataGrid>(QStringLiteral("DataGrid%1").arg(tab + 1));
    }
    void addOrder(int companyId, const QString& total)
    {
        exec(QStringLiteral("insert into sales (companyid, orderno, totlemoney, sal_CZZ) values (%1, 'SH1', %2, 'clerk')")
                 .arg(companyId)
                 .arg(total));
    }
    int customer = 0;
    int other = 0;
};

TEST_F(CardTabs, EachTabListsTheCustomersRecordsNewestFirst)
{
    const struct {
        int tab;
        QString insert;   // %1: the customer's id
        QString firstCaption;
    } tabs[] = {
        {0, QStringLiteral("insert into KH_ACT (companyid, ActionTitle, Action_CZZ, public) values (%1, '拜访', 'clerk', '0')"), QStringLiteral("活动时间")},
        {1, QStringLiteral("insert into KH_LXR (companyid, Connect_name, LXR_CZZ, LXR_GK) values (%1, '张三', 'clerk', '0')"), QStringLiteral("姓名")},
        {2, QStringLiteral("insert into chance (companyid, chance_title, chance_CZZ) values (%1, '报价', 'clerk')"), QStringLiteral("创建时间")},
        {3, QStringLiteral("insert into sales (companyid, orderno, totlemoney, sal_CZZ) values (%1, 'SH1', 10, 'clerk')"), QStringLiteral("销售时间")},
        {4, QStringLiteral("insert into SalesMX (companyid, productname, unitprice) values (%1, '打印机', 10)"), QStringLiteral("销售日期")},
        {5, QStringLiteral("insert into service (companyid, service_title, service_CZZ) values (%1, '维修', 'clerk')"), QStringLiteral("反馈时间")},
    };
    for (const auto& t : tabs) {
        exec(t.insert.arg(customer));
        exec(t.insert.arg(other));
        exec(t.insert.arg(customer));
    }
    // Another operator with the own-records scope still sees every related record.
    loginAs(QStringLiteral("system"), allRights(QStringLiteral("3")));
    ui::Form* card = openCard(customer);
    for (const auto& t : tabs) {
        ui::DataGrid* grid = showTab(card, t.tab);
        ASSERT_EQ(grid->rowCount(), 2) << "tab " << t.tab;
        EXPECT_GT(grid->cellText(0, 0).toInt(), grid->cellText(1, 0).toInt()) << "tab " << t.tab;
        EXPECT_EQ(grid->columnCaption(0), QStringLiteral("id"));
        EXPECT_EQ(grid->columnWidth(0), 0);
        EXPECT_EQ(grid->columnCaption(1), t.firstCaption);
        EXPECT_EQ(grid->columnCaption(grid->columnCount() - 1), QString()) << "an empty last column";
    }
}

TEST_F(CardTabs, CardWithoutRecordsShowsCaptionsAndZeroTotals)
{
    ui::Form* card = openCard(customer);
    for (int tab : {3, 4}) {
        ui::DataGrid* grid = showTab(card, tab);
        EXPECT_EQ(grid->rowCount(), 0);
        EXPECT_EQ(grid->columnCaption(2), tab == 3 ? QStringLiteral("合同号") : QStringLiteral("产品"));
        EXPECT_EQ(grid->toolTip(), QStringLiteral("销售累计:0"));
    }
    EXPECT_EQ(card->control<ui::DataGrid>(QStringLiteral("DataGrid1"))->toolTip(), QStringLiteral("双击进入详细"));
}

TEST_F(CardTabs, SalesTotalsCountAnEmptyAmountAsZero)
{
    addOrder(customer, QStringLiteral("1500"));
    addOrder(customer, QStringLiteral("null"));
    addOrder(customer, QStringLiteral("1234.5"));
    addOrder(other, QStringLiteral("99"));
    exec(QStringLiteral("insert into SalesMX (companyid, productname, unitprice) values (%1, 'a', 0.25)").arg(customer));
    exec(QStringLiteral("insert into SalesMX (companyid, productname, unitprice) values (%1, 'b', null)").arg(customer));
    exec(QStringLiteral("insert into SalesMX (companyid, productname, unitprice) values (%1, 'c', 2)").arg(customer));
    ui::Form* card = openCard(customer);
    EXPECT_EQ(showTab(card, 3)->toolTip(), QStringLiteral("销售累计:2734.5"));
    EXPECT_EQ(showTab(card, 4)->toolTip(), QStringLiteral("销售累计:2.25"));
    showTab(card, 0);
    EXPECT_EQ(card->control<ui::DataGrid>(QStringLiteral("DataGrid4"))->toolTip(), QStringLiteral("销售累计:2734.5"))
        << "the total stays after the tab is left";
}

TEST_F(CardTabs, CallsTabMatchesTheContactsNumbers)
{
    addContact(customer, {{QStringLiteral("tel"), QStringLiteral("02188886666")}, {QStringLiteral("mobil"), QStringLiteral("13900001111")}});
    addContact(customer, {{QStringLiteral("hometel"), QStringLiteral("6543X")}});
    const struct {
        QString number;
        bool listed;
    } calls[] = {
        {QStringLiteral("88886666"), true},     // the local part of a telephone number
        {QStringLiteral("13900001111"), true},
        {QStringLiteral("6543X"), true},        // a short number as logged, with its X
        {QStringLiteral("55554444"), false},
        {QStringLiteral("66661390"), false},    // would span two numbers
    };
    for (const auto& call : calls)
        exec(QStringLiteral("insert into Hv_Cidlist (DateTime, CallerID, UserNO) values ('2024-05-01 10:00:00', '%1', '张三')").arg(call.number));

    ui::Form* card = openCard(customer);
    ui::DataGrid* grid = showTab(card, 6);
    QStringList listed;
    for (int row = 0; row < grid->rowCount(); ++row) listed << grid->cellText(row, 2);
    for (const auto& call : calls) EXPECT_EQ(listed.contains(call.number), call.listed) << call.number.toStdString();
    EXPECT_EQ(grid->columnCaption(1), QStringLiteral("来电时间"));
}

TEST_F(CardTabs, CustomerWithoutNumbersListsNoCalls)
{
    addContact(customer, {{QStringLiteral("Connect_name"), QStringLiteral("张三")}});
    exec(QStringLiteral("insert into Hv_Cidlist (DateTime, CallerID) values ('2024-05-01 10:00:00', '')"));
    exec(QStringLiteral("insert into Hv_Cidlist (DateTime, CallerID) values ('2024-05-01 10:00:00', '88886666')"));
    EXPECT_EQ(showTab(openCard(customer), 6)->rowCount(), 0);
}

TEST_F(CardTabs, ContactNumberWithAQuoteDoesNotBreakTheCallsTab)
{
    addContact(customer, {{QStringLiteral("tel"), QStringLiteral("021'8888")}});
    exec(QStringLiteral("insert into Hv_Cidlist (DateTime, CallerID) values ('2024-05-01 10:00:00', '8888')"));
    EXPECT_EQ(showTab(openCard(customer), 6)->rowCount(), 1);
}

TEST_F(CardTabs, EveryTabChangeRemembersTheCustomerByName)
{
    ui::Form* card = openCard(customer);
    EXPECT_EQ(Mymode::CurrentRecordId, customer);
    Mymode::CurrentRecordId = 77;
    showTab(card, 1);
    EXPECT_EQ(Mymode::CurrentRecordId, customer);

    type(card, QStringLiteral("companyname"), QStringLiteral("还没保存的名字"));
    Mymode::CurrentRecordId = 77;
    showTab(card, 2);
    EXPECT_EQ(Mymode::CurrentRecordId, 77) << "no customer has the changed name";
}

TEST_F(CardTabs, DoubleClickStoresTheRecordAndSalesLinesOpenNothing)
{
    const int contact = addContact(customer, {{QStringLiteral("Connect_name"), QStringLiteral("张三")}});
    exec(QStringLiteral("insert into SalesMX (companyid, productname) values (%1, 'a')").arg(customer));
    ui::Form* card = openCard(customer);
    showTab(card, 1)->doubleClickRow(0);
    EXPECT_EQ(Mymode::CurrentRecordId, contact);
    if (ui::Windows::isDefined(QStringLiteral("frmContectDet"))) {
        EXPECT_TRUE(isOpen(QStringLiteral("frmContectDet")));
    }

    Mymode::CurrentRecordId = 5;
    const size_t windows = ui::Windows::all().size();
    showTab(card, 4)->doubleClickRow(0);
    EXPECT_EQ(Mymode::CurrentRecordId, customer) << "only the tab change stored the card's customer";
    EXPECT_EQ(ui::Windows::all().size(), windows);
}

TEST_F(CardTabs, RightClickPopsUpTheNewRecordMenuExceptOnCalls)
{
    if (!ui::Windows::isDefined(QStringLiteral("frmMain"))) GTEST_SKIP() << "no main window in this build";
    ui::ScriptedPopups popups;
    ui::Windows::open(QStringLiteral("frmMain"));
    addContact(customer, {{QStringLiteral("tel"), QStringLiteral("88886666")}});
    exec(QStringLiteral("insert into Hv_Cidlist (DateTime, CallerID) values ('2024-05-01 10:00:00', '88886666')"));
    ui::Form* card = openCard(customer);
    showTab(card, 1)->rightClickRow(0);
    ASSERT_EQ(popups.shown().size(), 1);
    EXPECT_EQ(popups.shown()[0], QStringLiteral("mnuAddNew"));
    showTab(card, 6)->rightClickRow(0);
    EXPECT_EQ(popups.shown().size(), 1);
}

TEST_F(CardTabs, OpenCardsWithTheirTabsHoldNoDatabaseFile)
{
    const auto openFiles = [] { return QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System).size(); };
    addContact(customer, {{QStringLiteral("Connect_name"), QStringLiteral("张三")}, {QStringLiteral("tel"), QStringLiteral("88886666")}});
    addOrder(customer, QStringLiteral("10"));
    const auto openWithTabs = [&] {
        Mymode::CurrentRecordId = customer;
        ui::Form* card = ui::Windows::openNew(QStringLiteral("frmCustDetail"));
        for (int tab = 0; tab < 7; ++tab) showTab(card, tab);
        return card;
    };
    ui::Form* first = openWithTabs();
    const auto before = openFiles();
    std::vector<ui::Form*> cards;
    for (int i = 0; i < 50; ++i) cards.push_back(openWithTabs());
    EXPECT_EQ(openFiles(), before);
    EXPECT_EQ(showTab(cards.back(), 1)->rowCount(), 1);
    EXPECT_EQ(showTab(cards.back(), 3)->toolTip(), QStringLiteral("销售累计:10"));
    // A card still saves through the row it read.
    first->control<ui::TextBox>(QStringLiteral("tel"))->setText(QStringLiteral("02188889999"));
    click(first, QStringLiteral("command1"));
    EXPECT_EQ(messages.lastText(), QStringLiteral("客户资料修改成功！"));
    EXPECT_EQ(column(QStringLiteral("company"), customer, QStringLiteral("company_tel")), QStringLiteral("02188889999"));
    EXPECT_EQ(openFiles(), before);
    for (ui::Form* card : cards) ui::Windows::unload(card);
}

// The call monitor's cards are closed by their close box, many a day: each
// card shows its first tab's rows as it opens, the other tabs' rows when they
// are shown, and once closed leaves none of its widgets or rows behind.
TEST_F(CardTabs, ClosedCardsLeaveNoWidgetsOrRowsBehind)
{
    addContact(customer, {{QStringLiteral("Connect_name"), QStringLiteral("张三")}});
    exec(QStringLiteral("insert into KH_ACT (companyid, ActionTitle, Action_CZZ, public) values (%1, '拜访', 'clerk', '0')")
             .arg(customer));
    std::vector<QPointer<QWidget>> widgets;
    std::vector<std::weak_ptr<db::Recordset>> rows;
    for (int i = 0; i < 3; ++i) {
        Mymode::CurrentRecordId = customer;
        ui::Form* card = ui::Windows::openNew(QStringLiteral("frmCustDetail"));
        EXPECT_EQ(card->control<ui::DataGrid>(QStringLiteral("DataGrid1"))->cellText(0, 2), QStringLiteral("拜访"));
        EXPECT_FALSE(card->hasControl(QStringLiteral("DataGrid2"))) << "a tab not yet shown has no grid";
        EXPECT_EQ(showTab(card, 1)->cellText(0, 1), QStringLiteral("张三"));
        widgets.emplace_back(card);
        for (QWidget* widget : card->findChildren<QWidget*>()) widgets.emplace_back(widget);
        for (ui::DataGrid* grid : card->findChildren<ui::DataGrid*>()) rows.emplace_back(grid->dataSource());
        card->close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(std::count_if(widgets.begin(), widgets.end(), [](const QPointer<QWidget>& w) { return !w.isNull(); }), 0);
    EXPECT_EQ(rows.size(), 6u);
    EXPECT_EQ(std::count_if(rows.begin(), rows.end(), [](const std::weak_ptr<db::Recordset>& r) { return !r.expired(); }), 0);
    EXPECT_TRUE(ui::Windows::all().empty());
}

} // namespace
