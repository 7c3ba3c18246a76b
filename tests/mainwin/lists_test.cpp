// The six list views: record scope, count labels, columns, the view key and
// search captions of the switches, failures, and who writes CustListSql.
#include "mainwin_fixture.h"

#include "common/mainlists.h"

namespace {

struct ListCase {
    const char* menu;
    const char* key;
    const char* table;
    const char* owner;
    const char* isPublic;
    int columns;           // configured grid columns
    const char* count;     // count label for three rows
};

const ListCase kLists[] = {
    {"mnuCustList", "CustList", "company", "KH_CZZ", "KH_GK", 25, "显示共 3 条记录"},
    {"mnuContectList", "ConnectList", "KH_LXR", "LXR_CZZ", "LXR_GK", 18, "3 条记录"},
    {"mnuActionList", "ActionList", "KH_ACT", "Action_CZZ", "public", 14, "显示共 3 条记录"},
    {"mnuChanceList", "ChanceList", "chance", "chance_CZZ", "chance_GK", 19, "显示共 3 条记录"},
    {"mnuSalesList", "SalesList", "sales", "sal_CZZ", "sal_gk", 11, "显示共 3 条记录"},
    {"mnuServiceList", "ServiceList", "service", "service_CZZ", "service_gk", 15, "显示共 3 条记录"},
};

void PrintTo(const ListCase& c, std::ostream* os) { *os << c.key; }

class EachList : public MainWindowTest, public ::testing::WithParamInterface<ListCase> {
protected:
    int addRow(int customer, const QString& owner, const char* isPublic)
    {
        const ListCase& list = GetParam();
        const QString table = QString::fromLatin1(list.table);
        if (table == QLatin1String("company")) return addCustomer(QStringLiteral("c"), owner, QString::fromLatin1(isPublic));
        return insert(table,
                      QStringLiteral("companyid,%1,%2").arg(QString::fromLatin1(list.owner), QString::fromLatin1(list.isPublic)),
                      QString::number(customer) + QLatin1Char(',') + sqltext::quoted(owner) + QStringLiteral(",'")
                          + QString::fromLatin1(isPublic) + QLatin1Char('\''));
    }
};

} // namespace

// Own rows whatever their flag, public rows of others with scope 2, every row
// with scope 1; newest first; a related row without its customer never. The
// operator's name holds a quote.
TEST_P(EachList, ShowsTheRowsOfTheOperatorsScope)
{
    const QString me = QStringLiteral("O'Neil");
    const int customer = addCustomer(QStringLiteral("parent"), QStringLiteral("other"));
    const bool related = QString::fromLatin1(GetParam().table) != QLatin1String("company");
    const int own = addRow(customer, me, "0");
    const int otherPublic = addRow(customer, QStringLiteral("other"), "1");
    const int otherPrivate = addRow(customer, QStringLiteral("other"), "0");
    if (related) addRow(9999, me, "1");   // its customer does not exist
    openMain();

    const struct {
        const char* scope;
        QList<int> ids;
    } scopes[] = {
        {"1", related ? QList<int>{otherPrivate, otherPublic, own} : QList<int>{otherPrivate, otherPublic, own, customer}},
        {"2", {otherPublic, own}},
        {"3", {own}},
    };
    for (const auto& scope : scopes) {
        loginAs(me, allRights(QString::fromLatin1(scope.scope)));
        choose(GetParam().menu);
        EXPECT_EQ(shownIds(), scope.ids) << GetParam().key << " scope " << scope.scope;
    }
    EXPECT_EQ(viewKey(), QString::fromLatin1(GetParam().key));
}

TEST_P(EachList, CountsItsRowsAndShowsItsColumnsWithTheHiddenKey)
{
    const int customer = addCustomer(QStringLiteral("parent"));
    for (int i = 0; i < (QString::fromLatin1(GetParam().table) == QLatin1String("company") ? 2 : 3); ++i)
        addRow(customer, QStringLiteral("system"), "0");
    openMain();
    choose(GetParam().menu);
    EXPECT_EQ(countLabel(), QString::fromUtf8(GetParam().count));
    EXPECT_EQ(grid()->columnCount(), GetParam().columns + 1);   // and the empty last column
    EXPECT_EQ(grid()->columnCaption(0), "id");
    EXPECT_EQ(grid()->columnWidth(0), 0);
    EXPECT_EQ(grid()->columnCaption(GetParam().columns), "");
}

INSTANTIATE_TEST_SUITE_P(MainLists, EachList, ::testing::ValuesIn(kLists),
                         [](const auto& info) { return std::string(info.param.key); });

using ListViews = MainWindowTest;

TEST_F(ListViews, EmptyListsCountZero)
{
    openMain();
    EXPECT_EQ(countLabel(), "显示共 0 条记录");
    choose("mnuContectList");
    EXPECT_EQ(countLabel(), "0 条记录");
}

TEST_F(ListViews, ColumnsShowTheFieldsTheirCaptionsName)
{
    const int customer = addCustomer(QStringLiteral("大华"));
    exec(QStringLiteral("update company set company_address='北京路1号', company_clientsource='介绍', company_industry='五金' where id=%1").arg(customer));
    insert(QStringLiteral("sales"), QStringLiteral("companyid,orderno,invoicetype,description,sal_CZZ"),
           QStringLiteral("%1,'SH-1','1','加急','system'").arg(customer));
    openMain();
    EXPECT_EQ(grid()->columnCaption(14), "客户来源");
    EXPECT_EQ(grid()->cellText(0, 14), "介绍");
    EXPECT_EQ(grid()->columnCaption(15), "所属行业");
    EXPECT_EQ(grid()->cellText(0, 15), "五金");
    choose("mnuSalesList");
    EXPECT_EQ(grid()->columnCaption(3), "客户地址");
    EXPECT_EQ(grid()->cellText(0, 3), "北京路1号");
    EXPECT_EQ(grid()->cellText(0, 7), "1");
    EXPECT_EQ(grid()->cellText(0, 8), "加急");
}

// A failed query of any view says why and keeps the rows shown with their
// count, so that nothing passes for an empty list.
TEST_F(ListViews, FailedQueriesSayWhyAndKeepTheRowsShown)
{
    addCustomer(QStringLiteral("a"));
    addCustomer(QStringLiteral("b"));
    openMain();
    auto* lists = ui::Windows::loaded<MainLists>(QStringLiteral("frmMain"));
    for (const auto bind : {&MainLists::DataGridFresh, &MainLists::ConnectList, &MainLists::ServiceList}) {
        messages.clear();
        (lists->*bind)(QStringLiteral("select nothing from nowhere"));
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_TRUE(messages.lastText().startsWith(QStringLiteral("没能读出数据："))) << messages.lastText().toStdString();
        EXPECT_EQ(grid()->rowCount(), 2);
        EXPECT_EQ(countLabel(), "显示共 2 条记录");
    }
}

TEST_F(ListViews, WithoutScopeTheStartListStaysEmpty)
{
    addCustomer(QStringLiteral("a"));
    loginAs(QStringLiteral("system"), QStringLiteral("per=1;Uright=;"));
    openMain();
    EXPECT_EQ(grid()->rowCount(), 0);
    EXPECT_TRUE(messages.shown().empty());   // no scope, no records: no read failed
}

TEST_F(ListViews, SwitchesOfferTheirCaptionsAndKeepTheRestOfTheSearchStrip)
{
    openMain();
    EXPECT_EQ(searchCaptions().size(), 18);
    EXPECT_TRUE(searchCaptions().contains("职务"));
    ctl<ui::ComboBox>("Combo2")->setText(QStringLiteral("等于"));
    ctl<ui::TextBox>("text1")->setText(QStringLiteral("abc"));

    choose("mnuContectList");
    EXPECT_EQ(searchCaptions().size(), 17);
    EXPECT_EQ(searchCaptions().first(), "姓名");
    EXPECT_EQ(ctl<ui::ComboBox>("ComboSearch")->text(), "");
    EXPECT_EQ(ctl<ui::ComboBox>("Combo2")->text(), "等于");
    EXPECT_EQ(ctl<ui::TextBox>("text1")->text(), "abc");

    choose("mnuCustList");
    EXPECT_EQ(searchCaptions().size(), 19);
    EXPECT_FALSE(searchCaptions().contains("职务"));
    ctl<ui::PictureButton>("image14")->click();
    EXPECT_EQ(searchCaptions().size(), 23);
    EXPECT_EQ(searchCaptions().at(18), "自定义字段1");
}

// Another window's refresh changes the grid and the count only.
TEST_F(ListViews, RefreshFromAnotherWindowKeepsTheViewKeyAndCaptions)
{
    const int customer = addCustomer(QStringLiteral("a"));
    addRelated("service", "service_CZZ", customer);
    openMain();
    choose("mnuSalesList");
    ui::Windows::loaded<MainLists>(QStringLiteral("frmMain"))
        ->ServiceList(QStringLiteral("select b.id,b.service_Begintime,b.service_title,a.company_name,b.service_connect,"
                                     "b.service_type,b.service_product,b.service_end,b.service_endtime,b.description,"
                                     "b.field1,b.field2,b.field3,b.field4,b.service_CZZ"
                                     " from company a,Service b where a.id=b.companyid order by b.id desc"));
    EXPECT_EQ(grid()->rowCount(), 1);
    EXPECT_EQ(grid()->columnCaption(1), "反馈日期");
    EXPECT_EQ(countLabel(), "显示共 1 条记录");
    EXPECT_EQ(viewKey(), "SalesList");
    EXPECT_EQ(searchCaptions().first(), "销售概述");
}

TEST_F(ListViews, CustListSqlFollowsOnlyItsWriters)
{
    addCustomer(QStringLiteral("甲"));
    addCustomer(QStringLiteral("乙"));
    openMain();
    const QString startList = Mymode::CustListSql;
    EXPECT_TRUE(startList.startsWith("select id,company_name,company_address,"));
    EXPECT_TRUE(startList.endsWith(",company_ZSL,KH_CZZ from company order by id desc"));

    search(QStringLiteral("客户名称"), QStringLiteral("包含"), QStringLiteral("甲"));
    const QString searched = Mymode::CustListSql;
    EXPECT_TRUE(searched.contains("company_name like '%甲%'"));
    choose("mnuCustList");                                 // not a writer
    grid()->clickHeader(1);                                // not a writer
    ui::Windows::loaded<MainLists>(QStringLiteral("frmMain"))->DataGridFresh(startList);   // not a writer
    choose("mnuContectList");
    search(QStringLiteral("姓名"), QStringLiteral("包含"), QStringLiteral("x"));   // another view: not a writer
    EXPECT_EQ(Mymode::CustListSql, searched);

    Mymode::CustListSql.clear();
    ctl<ui::PictureButton>("image14")->click();
    EXPECT_EQ(Mymode::CustListSql, startList);
    EXPECT_EQ(viewKey(), "CustList");
}
