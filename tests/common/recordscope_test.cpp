// The record scope clauses: each scope's text, the operator name quoted, and
// no table part for a rights string without a scope.
#include "common/mymode.h"
#include "common/recordscope.h"

#include <gtest/gtest.h>

using recordscope::Related;

class RecordScope : public ::testing::Test {
protected:
    void TearDown() override { Mymode::reset(); }
    static void login(const char* scope, const QString& name = QStringLiteral("O'Neil"))
    {
        Mymode::OperatorName = name;
        Mymode::UserRights = QStringLiteral("per=1;Uright=") + QString::fromLatin1(scope) + QStringLiteral(";e_cust=1;");
    }
};

TEST_F(RecordScope, CustomerClausePerScopeWithQuotedOperator)
{
    login("1");
    EXPECT_EQ(recordscope::customerClause(), " from company order by id desc");
    EXPECT_EQ(recordscope::customerUnorderedClause(), " from company ");
    EXPECT_EQ(recordscope::customerCondition(), "");
    login("2");
    EXPECT_EQ(recordscope::customerClause(), " from company where KH_CZZ='O''Neil' or KH_GK='1' order by id desc");
    EXPECT_EQ(recordscope::customerUnorderedClause(), " from company where KH_CZZ='O''Neil' or KH_GK='1' ");
    EXPECT_EQ(recordscope::customerFilterClause(), " from company where (KH_CZZ='O''Neil' or KH_GK='1') ");
    EXPECT_EQ(recordscope::customerCondition(), "(KH_CZZ='O''Neil' or KH_GK='1')");
    login("3");
    EXPECT_EQ(recordscope::customerClause(), " from company where KH_CZZ='O''Neil' order by id desc");
    EXPECT_EQ(recordscope::customerUnorderedClause(), " from company where KH_CZZ='O''Neil' ");
}

TEST_F(RecordScope, JoinedClauseUsesEachTablesWords)
{
    struct Case {
        Related table;
        const char* scope2;
    } cases[] = {
        {Related::Contacts, " from company a,KH_LXR b where (b.LXR_CZZ='me' or b.LXR_GK='1') and  a.id=b.companyid order by b.id desc"},
        {Related::Activities, " from company a,KH_ACT b where (b.action_CZZ='me' or b.public='1') and  a.id=b.companyid order by b.id desc"},
        {Related::Opportunities, " from company a,Chance b where (b.Chance_CZZ='me' or b.Chance_GK='1') and  a.id=b.companyid order by b.id desc"},
        {Related::SalesOrders, " from company a,Sales b where (b.Sal_CZZ='me' or b.Sal_GK='1') and  a.id=b.companyid order by b.id desc"},
        {Related::ServiceRecords, " from company a,Service b where (b.service_CZZ='me' or b.service_GK='1') and  a.id=b.companyid order by b.id desc"},
    };
    for (const Case& c : cases) {
        login("2", QStringLiteral("me"));
        EXPECT_EQ(recordscope::joinedClause(c.table), QString::fromLatin1(c.scope2));
    }
    login("1");
    EXPECT_EQ(recordscope::joinedClause(Related::Contacts), " from company a,KH_LXR b where a.id=b.companyid order by b.id desc");
    EXPECT_EQ(recordscope::joinedFilterClause(Related::Contacts), " from company a,KH_LXR b where a.id=b.companyid");
    login("3");
    EXPECT_EQ(recordscope::joinedClause(Related::SalesOrders), " from company a,Sales b where b.Sal_CZZ='O''Neil' and a.id=b.companyid order by b.id desc");
}

TEST_F(RecordScope, NoScopeGivesNoTablePartAndAConditionNoRowMeets)
{
    login("4");
    EXPECT_EQ(recordscope::customerClause(), "");
    EXPECT_EQ(recordscope::joinedClause(Related::Activities), "");
    EXPECT_EQ(recordscope::customerCondition(), "1=0");
    EXPECT_EQ(recordscope::joinedCondition(Related::Activities), "1=0");
}
