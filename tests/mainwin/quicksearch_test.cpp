// Quick search on each view: the text operators, dates (the whole day of a
// sale), amounts of any size, the record scope, and incomplete conditions.
#include "mainwin_fixture.h"

namespace {

// One searchable text column of each view and the rows' table.
struct TextCase {
    const char* menu;
    const char* caption;
    const char* table;
    const char* column;    // the column the caption searches; "company" rows for a customer's name
    const char* owner;
};

const TextCase kTextCases[] = {
    {"mnuCustList", "客户名称", "company", "company_name", "KH_CZZ"},
    {"mnuContectList", "姓名", "KH_LXR", "Connect_name", "LXR_CZZ"},
    {"mnuContectList", "单位", "KH_LXR", "company", "LXR_CZZ"},
    {"mnuActionList", "相关客户", "KH_ACT", "company", "Action_CZZ"},
    {"mnuChanceList", "概述", "chance", "chance_title", "chance_CZZ"},
    {"mnuSalesList", "合同号", "sales", "orderno", "sal_CZZ"},
    {"mnuServiceList", "反馈内容", "service", "description", "service_CZZ"},
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << c.caption; }

class TextSearch : public MainWindowTest, public ::testing::WithParamInterface<TextCase> {
protected:
    // A row whose searched text is `text`; returns its id.
    int addRow(const QString& text)
    {
        const TextCase& c = GetParam();
        const QString table = QString::fromLatin1(c.table);
        const QString column = QString::fromLatin1(c.column);
        if (table == QLatin1String("company")) return addCustomer(text);
        const int customer = addCustomer(column == QLatin1String("company") ? text : QStringLiteral("c"));
        if (column == QLatin1String("company"))
            return addRelated(c.table, c.owner, customer);
        return insert(table, QStringLiteral("companyid,%1,%2").arg(QString::fromLatin1(c.owner), column),
                      QStringLiteral("%1,'system',").arg(customer) + sqltext::quoted(text));
    }
};

} // namespace

// "等于" and "不等于" compare with the value itself; only "包含" and "不包含"
// look for it inside the text. A quote in the value is just a character.
TEST_P(TextSearch, EachOperatorOnATextColumn)
{
    const int beijing = addRow(QStringLiteral("北京大华"));
    const int shanghai = addRow(QStringLiteral("上海大华"));
    const int quoted = addRow(QStringLiteral("O'Hara"));
    openMain();
    choose(GetParam().menu);
    const QString caption = QString::fromUtf8(GetParam().caption);
    const struct {
        const char* op;
        const char* value;
        QList<int> ids;
    } cases[] = {
        {"包含", "北京", {beijing}},
        {"包含", "大华", {shanghai, beijing}},
        {"不包含", "北京", {quoted, shanghai}},
        {"等于", "北京大华", {beijing}},
        {"等于", "北京", {}},
        {"不等于", "北京大华", {quoted, shanghai}},
        {"等于", "O'Hara", {quoted}},
    };
    for (const auto& c : cases) {
        search(caption, QString::fromUtf8(c.op), QString::fromUtf8(c.value));
        EXPECT_EQ(shownIds(), c.ids) << c.op << " " << c.value;
    }
    EXPECT_TRUE(messages.shown().empty());
}

INSTANTIATE_TEST_SUITE_P(QuickSearch, TextSearch, ::testing::ValuesIn(kTextCases),
                         [](const auto& info) { return std::to_string(info.index); });

using QuickSearch = MainWindowTest;

TEST_F(QuickSearch, SaleDateEqualListsTheWholeDay)
{
    const int customer = addCustomer(QStringLiteral("c"));
    auto order = [&](const char* when) {
        return insert(QStringLiteral("sales"), QStringLiteral("companyid,salesdate,sal_CZZ"),
                      QStringLiteral("%1,'%2','system'").arg(customer).arg(QString::fromLatin1(when)));
    };
    const int before = order("2026-02-28 23:59:00");
    const int morning = order("2026-03-01 08:00:00");
    const int night = order("2026-03-01 23:30:00");
    const int next = order("2026-03-02 00:00:00");
    openMain();
    choose("mnuSalesList");
    search(QStringLiteral("销售日期"), QStringLiteral("等于"), QStringLiteral("2026-3-1"));
    EXPECT_EQ(shownIds(), (QList<int>{night, morning}));
    search(QStringLiteral("销售日期"), QStringLiteral("从...开始"), QStringLiteral("2026-3-1"));
    EXPECT_EQ(shownIds(), (QList<int>{next, night, morning}));
    search(QStringLiteral("销售日期"), QStringLiteral("以...结束"), QStringLiteral("2026-3-1"));
    EXPECT_EQ(shownIds(), (QList<int>{before}));

    // The last calendar day has a whole day too.
    const int last = order("9999-12-31 18:00:00");
    search(QStringLiteral("销售日期"), QStringLiteral("等于"), QStringLiteral("9999-12-31"));
    EXPECT_EQ(shownIds(), QList<int>{last});
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(QuickSearch, NotADateShowsAMessageAndTheWholeList)
{
    const int customer = addCustomer(QStringLiteral("c"));
    const int early = insert(QStringLiteral("KH_ACT"), QStringLiteral("companyid,BeginTime,Action_CZZ"),
                             QStringLiteral("%1,'2026-01-05 09:00:00','system'").arg(customer));
    const int late = insert(QStringLiteral("KH_ACT"), QStringLiteral("companyid,BeginTime,Action_CZZ"),
                            QStringLiteral("%1,'2026-06-05 09:00:00','system'").arg(customer));
    openMain();
    choose("mnuActionList");
    search(QStringLiteral("开始时间"), QStringLiteral("从...开始"), QStringLiteral("2026-3-1"));
    EXPECT_EQ(shownIds(), QList<int>{late});
    search(QStringLiteral("开始时间"), QStringLiteral("从...开始"), QStringLiteral("三月"));
    EXPECT_EQ(messages.lastText(), "请填入正确的日期格式");
    EXPECT_EQ(shownIds(), (QList<int>{late, early}));
}

// Amounts compare as numbers of any size; a value that is no number is refused.
TEST_F(QuickSearch, AmountsCompareAsNumbers)
{
    const int customer = addCustomer(QStringLiteral("c"));
    auto order = [&](const char* total) {
        return insert(QStringLiteral("sales"), QStringLiteral("companyid,totlemoney,sal_CZZ"),
                      QStringLiteral("%1,%2,'system'").arg(customer).arg(QString::fromLatin1(total)));
    };
    const int big = order("40000");
    const int small = order("999.5");
    const int exact = order("1000");
    openMain();
    choose("mnuSalesList");
    search(QStringLiteral("订单金额"), QStringLiteral("从...开始"), QStringLiteral("1000"));
    EXPECT_EQ(shownIds(), (QList<int>{exact, big}));
    search(QStringLiteral("订单金额"), QStringLiteral("等于"), QStringLiteral("40000"));
    EXPECT_EQ(shownIds(), QList<int>{big});
    search(QStringLiteral("订单金额"), QStringLiteral("以...结束"), QStringLiteral("999.5"));
    EXPECT_EQ(shownIds(), QList<int>{small});
    EXPECT_TRUE(messages.shown().empty());

    search(QStringLiteral("订单金额"), QStringLiteral("等于"), QStringLiteral("1000元"));
    EXPECT_EQ(messages.lastText(), "金额不是一个数值");
    EXPECT_EQ(shownIds(), QList<int>{small});   // the list stays as it was
    // Numbers no amount can hold are refused the same way, and the program goes on.
    for (const char* huge : {"1e30", "99999999999999999999", "922337203685477.5808", "-922337203685477.5809"}) {
        messages.clear();
        search(QStringLiteral("订单金额"), QStringLiteral("等于"), QString::fromLatin1(huge));
        EXPECT_EQ(messages.lastText(), "金额不是一个数值") << huge;
        EXPECT_EQ(shownIds(), QList<int>{small});
    }

    const int quote = insert(QStringLiteral("chance"), QStringLiteral("companyid,totalmoney,chance_CZZ"),
                             QStringLiteral("%1,70000,'system'").arg(customer));
    insert(QStringLiteral("chance"), QStringLiteral("companyid,totalmoney,chance_CZZ"), QStringLiteral("%1,100,'system'").arg(customer));
    choose("mnuChanceList");
    search(QStringLiteral("总金额"), QStringLiteral("从...开始"), QStringLiteral("32768"));
    EXPECT_EQ(shownIds(), QList<int>{quote});
}

// With scope 2 the condition applies to own and public rows alike.
TEST_F(QuickSearch, StaysWithinTheRecordScope)
{
    const QString me = QStringLiteral("O'Neil");
    const int ownMatch = addCustomer(QStringLiteral("甲一"), me);
    addCustomer(QStringLiteral("乙"), me);
    const int publicMatch = addCustomer(QStringLiteral("甲二"), QStringLiteral("other"), QStringLiteral("1"));
    addCustomer(QStringLiteral("甲三"), QStringLiteral("other"), QStringLiteral("0"));
    loginAs(me, allRights(QStringLiteral("2")));
    openMain();
    search(QStringLiteral("客户名称"), QStringLiteral("包含"), QStringLiteral("甲"));
    EXPECT_EQ(shownIds(), (QList<int>{publicMatch, ownMatch}));
}

// Nothing runs without a value, a field the view can search, or an operator.
TEST_F(QuickSearch, IncompleteConditionsAreRefused)
{
    addCustomer(QStringLiteral("甲"));
    openMain();
    Mymode::CustListSql = QStringLiteral("kept");
    const struct {
        const char* field;
        const char* op;
        const char* value;
    } cases[] = {
        {"客户名称", "包含", "   "},
        {"", "包含", "甲"},
        {"客户名称", "", "甲"},
        {"职务", "包含", "甲"},     // offered at start-up, but no column of the customer view
        {"Email", "包含", "甲"},    // captions compare with their letter case
    };
    for (const auto& c : cases) {
        messages.clear();
        search(QString::fromUtf8(c.field), QString::fromUtf8(c.op), QString::fromUtf8(c.value));
        EXPECT_EQ(messages.lastText(), "查询条件不足！") << c.field << "/" << c.op;
    }
    EXPECT_EQ(Mymode::CustListSql, "kept");
    EXPECT_EQ(grid()->rowCount(), 1);
}

// No statement can hold a NUL character: the search refuses it plainly and
// the list stays, never passing for the search's result.
TEST_F(QuickSearch, AValueWithANulCharacterIsRefused)
{
    addCustomer(QStringLiteral("甲"));
    addCustomer(QStringLiteral("乙"));
    openMain();
    const QString listSql = Mymode::CustListSql;
    for (const char* op : {"包含", "不包含", "等于"}) {
        messages.clear();
        search(QStringLiteral("客户名称"), QString::fromUtf8(op), QStringLiteral("甲") + QChar(0));
        ASSERT_EQ(messages.shown().size(), 1u) << op;
        EXPECT_EQ(messages.lastText(), "查询内容含有空字符，无法查询") << op;
        EXPECT_EQ(grid()->rowCount(), 2) << op;
        EXPECT_EQ(countLabel(), "显示共 2 条记录") << op;
        EXPECT_EQ(Mymode::CustListSql, listSql) << op;
    }
}

TEST_F(QuickSearch, EnterInTheValueBoxSearches)
{
    addCustomer(QStringLiteral("甲"));
    const int wanted = addCustomer(QStringLiteral("乙"));
    openMain();
    ctl<ui::ComboBox>("ComboSearch")->setText(QStringLiteral("客户名称"));
    ctl<ui::ComboBox>("Combo2")->setText(QStringLiteral("等于"));
    ctl<ui::TextBox>("text1")->setText(QStringLiteral("乙"));
    ctl<ui::TextBox>("text1")->typeKey(13);
    EXPECT_EQ(shownIds(), QList<int>{wanted});
}
