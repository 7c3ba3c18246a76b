// The navigation tree: its nodes with one per customer group, the analysis
// branch under the report right, and what a click on each kind of node does.
#include "mainwin_fixture.h"

#include "tests/support/busyfile.h"

#include "common/readfailure.h"
#include "platform/ui/treeview.h"

namespace {

class NavigationTree : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        for (const char* kind : {"frmCustAdd", "frmCustDetail", "frmAddContect", "ActionAdd", "AddChance", "SalesAdd",
                                 "ServiceAdd", "AnalySalesQs", "AnalySalesGc"})
            ensureWindow(QString::fromLatin1(kind));
    }

    void addGroup(const QString& name)
    {
        exec(QStringLiteral("insert into client_type (client_type) values (%1)").arg(sqltext::quoted(name)));
    }
    int addCustomerOfGroup(const QString& name, const QString& group, const QString& owner = QStringLiteral("system"),
                           const QString& isPublic = QStringLiteral("0"))
    {
        const int id = addCustomer(name, owner, isPublic);
        exec(QStringLiteral("update company set company_client_type=%1 where id=%2").arg(sqltext::quoted(group)).arg(id));
        return id;
    }

    ui::TreeView* tree() const { return ctl<ui::TreeView>("tvTreeView"); }
    void click(const QString& caption) { ASSERT_TRUE(tree()->clickNodeByCaption(caption)) << caption.toStdString(); }
    static bool isLoaded(const char* kind) { return ui::Windows::loaded(QString::fromLatin1(kind)) != nullptr; }

    // "parent/caption:picture" for every node, in tree order.
    QStringList outline() const
    {
        QStringList nodes;
        for (const QString& key : tree()->keys())
            nodes << tree()->parentKey(key) + QLatin1Char('/') + tree()->caption(key) + QLatin1Char(':')
                    + QString::number(tree()->picture(key));
        return nodes;
    }
};

} // namespace

TEST_F(NavigationTree, HoldsTheFixedNodesAndOneNodePerGroupInOrder)
{
    exec(QStringLiteral("delete from client_type"));
    addGroup(QStringLiteral("批发"));
    addGroup(QStringLiteral("零售"));
    openMain();
    const QStringList expected{
        "/Halvex客户管理系统:2",
        "Halvex客户管理系统/客户管理:13",
        "客户管理/新建客户:19",
        "客户管理/客户列表:13",
        "客户管理/客户分组:13",
        "客户分组/批发:13",
        "客户分组/零售:13",
        "Halvex客户管理系统/联系人管理:5",
        "联系人管理/新建联系人:18",
        "联系人管理/联系人列表:5",
        "Halvex客户管理系统/活动管理:7",
        "活动管理/新建活动:8",
        "活动管理/活动列表:7",
        "Halvex客户管理系统/销售管理:11",
        "销售管理/新建机会报价:9",
        "销售管理/机会列表:12",
        "销售管理/新建合同订单:17",
        "销售管理/销售订单:11",
        "Halvex客户管理系统/服务管理:16",
        "服务管理/新建服务反馈:15",
        "服务管理/服务列表:16",
        "Halvex客户管理系统/销售分析:14",
        "销售分析/销售趋势分析:20",
        "销售分析/销售构成分析:14",
    };
    EXPECT_EQ(outline(), expected);
    for (const QString& key : tree()->keys()) EXPECT_TRUE(tree()->isExpandedNode(key) || tree()->childKeys(key).isEmpty());
}

TEST_F(NavigationTree, NodesWithChildrenDoNothing)
{
    addGroup(QStringLiteral("批发"));
    const int customer = addCustomer(QStringLiteral("c"));
    openMain();
    choose("mnuActionList");
    for (const char* node : {"Halvex客户管理系统", "客户管理", "客户分组", "销售管理", "销售分析"}) click(QString::fromUtf8(node));
    EXPECT_EQ(viewKey(), QStringLiteral("ActionList"));
    EXPECT_FALSE(isLoaded("frmCustAdd"));
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_NE(shownIds(), QList<int>{customer});
}

// The list nodes switch the view as the View menu does.
TEST_F(NavigationTree, ListNodesSwitchTheView)
{
    const struct {
        const char* node;
        const char* key;
        const char* firstCaption;
    } cases[] = {
        {"联系人列表", "ConnectList", "姓名"}, {"活动列表", "ActionList", "活动概述"}, {"机会列表", "ChanceList", "概述"},
        {"销售订单", "SalesList", "销售概述"}, {"服务列表", "ServiceList", "服务概述"}, {"客户列表", "CustList", "客户名称"},
    };
    const int customer = addCustomer(QStringLiteral("c"));
    const int order = addRelated("sales", "sal_CZZ", customer);
    openMain();
    for (const auto& c : cases) {
        click(QString::fromUtf8(c.node));
        EXPECT_EQ(viewKey(), QString::fromLatin1(c.key));
        EXPECT_EQ(searchCaptions().value(0), QString::fromUtf8(c.firstCaption)) << c.node;
        EXPECT_EQ(ctl<ui::ComboBox>("ComboSearch")->listIndex(), -1);
        if (QLatin1String(c.key) == QLatin1String("SalesList")) EXPECT_EQ(shownIds(), QList<int>{order});
    }
    EXPECT_EQ(shownIds(), QList<int>{customer});
    EXPECT_EQ(searchCaptions().size(), 19);
}

// "客户列表" shows the operator's scope while the export and printouts get
// every customer.
TEST_F(NavigationTree, CustomerListNodeStoresEveryCustomerForTheExport)
{
    const int own = addCustomer(QStringLiteral("own"));
    addCustomer(QStringLiteral("other's"), QStringLiteral("other"));
    loginAs(QStringLiteral("system"), allRights(QStringLiteral("3")));
    openMain();
    click(QStringLiteral("客户列表"));
    EXPECT_EQ(shownIds(), QList<int>{own});
    EXPECT_EQ(Mymode::CustListSql, QStringLiteral("select * from company order by id desc"));
}

// A group node lists the group's customers in the operator's scope and
// becomes the export's list; scope 2 keeps own-or-public in parentheses.
TEST_F(NavigationTree, GroupNodeShowsTheGroupsCustomersInScope)
{
    addGroup(QStringLiteral("批发"));
    const int own = addCustomerOfGroup(QStringLiteral("own"), QStringLiteral("批发"));
    const int shared = addCustomerOfGroup(QStringLiteral("public"), QStringLiteral("批发"), QStringLiteral("other"), QStringLiteral("1"));
    addCustomerOfGroup(QStringLiteral("private"), QStringLiteral("批发"), QStringLiteral("other"));
    addCustomerOfGroup(QStringLiteral("own elsewhere"), QStringLiteral("零售"));
    addCustomerOfGroup(QStringLiteral("public elsewhere"), QStringLiteral("零售"), QStringLiteral("other"), QStringLiteral("1"));
    loginAs(QStringLiteral("system"), allRights(QStringLiteral("2")));
    openMain();
    choose("mnuSalesList");
    click(QStringLiteral("批发"));
    EXPECT_EQ(shownIds(), (QList<int>{shared, own}));
    EXPECT_EQ(viewKey(), QStringLiteral("CustList"));
    EXPECT_EQ(searchCaptions().size(), 19);
    EXPECT_EQ(Mymode::CustListSql,
              QStringLiteral("select id,company_name,company_address,company_connect,company_dute,company_tel,"
                             "company_fax,company_mail,company_mobil,company_http,company_postcode,"
                             "company_createtime,company_area,company_client_type,company_clientsource,"
                             "company_industry,company_client_status,company_description,company_khyh,"
                             "company_yhzh,company_YJ,company_QK,company_ZJE,company_ZSL,KH_CZZ from company "
                             "where (KH_CZZ='system' or KH_GK='1')  and company_client_type='批发' order by id desc"));
}

TEST_F(NavigationTree, AGroupWithAQuoteInItsNameWorks)
{
    addGroup(QStringLiteral("O'Brien's"));
    const int customer = addCustomerOfGroup(QStringLiteral("c"), QStringLiteral("O'Brien's"));
    addCustomer(QStringLiteral("d"));
    openMain();
    click(QStringLiteral("O'Brien's"));
    EXPECT_EQ(shownIds(), QList<int>{customer});
    EXPECT_TRUE(Mymode::CustListSql.contains(QStringLiteral("company_client_type='O''Brien''s'")));
}

// The new-record and analysis nodes open their windows; an open customer card
// stays open.
TEST_F(NavigationTree, NewRecordNodesOpenTheirWindows)
{
    openMain();
    ui::Windows::open(QStringLiteral("frmCustDetail"));
    const struct {
        const char* node;
        const char* window;
    } cases[] = {{"新建客户", "frmCustAdd"},     {"新建联系人", "frmAddContect"}, {"新建活动", "ActionAdd"},
                 {"新建机会报价", "AddChance"}, {"新建合同订单", "SalesAdd"},  {"新建服务反馈", "ServiceAdd"},
                 {"销售趋势分析", "AnalySalesQs"}, {"销售构成分析", "AnalySalesGc"}};
    for (const auto& c : cases) {
        click(QString::fromUtf8(c.node));
        EXPECT_TRUE(isLoaded(c.window)) << c.node;
    }
    EXPECT_TRUE(isLoaded("frmCustDetail"));
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(viewKey(), QStringLiteral("CustList"));
}

// Without the report right the branch is missing; a group of an analysis's
// name acts as that leaf and is refused.
TEST_F(NavigationTree, AnAnalysisNamedGroupIsRefusedWithoutTheRight)
{
    addGroup(QStringLiteral("销售趋势分析"));
    loginAs(QStringLiteral("system"), allRights().replace(QStringLiteral("b_rept=1;"), QStringLiteral("b_rept=0;")));
    openMain();
    EXPECT_FALSE(tree()->hasNode(QStringLiteral("销售分析")));
    EXPECT_EQ(tree()->keys().last(), QStringLiteral("服务列表"));
    click(QStringLiteral("销售趋势分析"));
    EXPECT_FALSE(isLoaded("AnalySalesQs"));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, QStringLiteral("您无权查看报表"));
    EXPECT_EQ(messages.shown()[0].icon, ui::Icon::Error);
    EXPECT_EQ(messages.shown()[0].title, QStringLiteral("资料"));
}

// Groups that cannot be read while the window loads are said so, not shown as
// a shop without groups; a click on "客户分组" reads them again, and only once
// the file is free does it show them.
TEST_F(NavigationTree, GroupsThatCannotBeReadSayWhyAndAreReadAgainOnAClick)
{
    exec(QStringLiteral("delete from client_type"));
    addGroup(QStringLiteral("批发"));
    const int customer = addCustomerOfGroup(QStringLiteral("甲"), QStringLiteral("批发"));
    const QString busy = QString::fromUtf8(readfailure::kBusyText);
    const QString groups = QStringLiteral("客户分组");
    {
        OtherWorkstationWriting other(OtherWorkstationWriting::Hold::Exclusive);
        openMain();
    }
    ASSERT_EQ(messages.shown().size(), 2u);   // the groups, then the customer list
    for (const ui::Message& shown : messages.shown()) EXPECT_EQ(shown.text, busy);
    EXPECT_TRUE(tree()->childKeys(groups).isEmpty());
    EXPECT_EQ(grid()->rowCount(), 0);
    EXPECT_EQ(countLabel(), QString());
    messages.clear();
    {
        OtherWorkstationWriting other(OtherWorkstationWriting::Hold::Exclusive);
        click(groups);
    }
    expectOnly(busy);
    EXPECT_TRUE(tree()->childKeys(groups).isEmpty());
    EXPECT_EQ(viewKey(), QStringLiteral("CustList"));
    EXPECT_EQ(grid()->rowCount(), 0);

    click(groups);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(tree()->childKeys(groups), QStringList{QStringLiteral("批发")});
    click(QStringLiteral("批发"));
    EXPECT_EQ(shownIds(), QList<int>{customer});
}
