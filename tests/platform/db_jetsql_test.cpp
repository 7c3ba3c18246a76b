// The Jet dialect translator: every form the windows write, and the texts it
// must leave alone.
#include "platform/db/error.h"
#include "platform/db/jetsql.h"

#include <gtest/gtest.h>

using namespace db;

namespace {

struct Translation {
    const char* jet;
    const char* sqlite;
};

class JetTranslation : public ::testing::TestWithParam<Translation> {};

TEST_P(JetTranslation, GivesSqliteText)
{
    EXPECT_EQ(jetsql::translate(QString::fromUtf8(GetParam().jet)), QString::fromUtf8(GetParam().sqlite));
}

INSTANTIATE_TEST_SUITE_P(
    Dialect, JetTranslation,
    ::testing::Values(
        // date literals: year first, "-" or "/", optional time, blanks inside
        Translation{"select * from Hv_Cidlist where DateTime <=#2024-3-1#",
                    "select * from Hv_Cidlist where DateTime <='2024-03-01 00:00:00'"},
        Translation{"select * from sales where salesdate >= #2024/12/31 8:05#",
                    "select * from sales where salesdate >= '2024-12-31 08:05:00'"},
        Translation{"b.salesdate < # 2024-3-2#", "b.salesdate < '2024-03-02 00:00:00'"},
        Translation{"x >= #2024-03-01 23:59:58# and y <= #2024-3-1#",
                    "x >= '2024-03-01 23:59:58' and y <= '2024-03-01 00:00:00'"},
        Translation{"d = #2026年3月1日#", "d = '2026-03-01 00:00:00'"},
        // top N becomes LIMIT at the end of its own select
        Translation{"select top 1 * from HV_Cidlist where CallerID='123' order by id desc",
                    "select * from HV_Cidlist where CallerID='123' order by id desc LIMIT 1"},
        Translation{"SELECT TOP 10 id FROM t", "SELECT id FROM t LIMIT 10"},
        Translation{"select distinct top 3 name from t", "select distinct name from t LIMIT 3"},
        Translation{"select * from t where id in (select top 2 id from u order by id) and x=1",
                    "select * from t where id in (select id from u order by id LIMIT 2) and x=1"},
        Translation{"select top 5 * from t;", "select * from t LIMIT 5;"},
        Translation{"select top, bottom from t", "select top, bottom from t"},   // a column named top
        // & joins texts
        Translation{"select name & '/' & tel from t", "select jet_concat(name , '/' , tel) from t"},
        Translation{"where a & b = 'x' and c", "where jet_concat(a , b) = 'x' and c"},
        // keywords of SQLite called as Jet functions
        Translation{"select left(name,2), Right (tel, 4), isnull(x) from t",
                    "select jet_left(name,2), jet_Right (tel, 4), jet_isnull(x) from t"},
        Translation{"select * from a left join b on a.id=b.id", "select * from a left join b on a.id=b.id"},
        // quoted texts and bracketed names are never touched
        Translation{"where name='#1 & top 5' and note like '%it''s #2%'",
                    "where name='#1 & top 5' and note like '%it''s #2%'"},
        Translation{"select [a&b], \"x#y\" from t", "select [a&b], \"x#y\" from t"},
        Translation{"select company_name as 客户名称 from company where instr(company_tel,'0755')>0",
                    "select company_name as 客户名称 from company where jet_instr(company_tel,'0755')>0"},
        Translation{"select cstr(c.orderno),cstr(a.salesdate) from SalesMX a,company b,sales c where b.id=a.companyid",
                    "select cstr(c.orderno),cstr(a.salesdate) from SalesMX a,company b,sales c where b.id=a.companyid"}));

TEST(JetTranslationFailure, HashWithoutDateIsRefused)
{
    EXPECT_THROW(jetsql::translate(QStringLiteral("select * from t where d = #not a date#")), Error);
    EXPECT_THROW(jetsql::translate(QStringLiteral("select * from t where d = #2024-2-30#")), Error);
    EXPECT_THROW(jetsql::translate(QStringLiteral("select * from t where d = #2024-3-1")), Error);
}

// The Jet functions SQLite has functions of the same name for are called by
// the layer's own names; a result column keeps the name its text gives it.
TEST(JetOwnFunctionNames, CalledByOwnNameKeepingColumnNames)
{
    const std::pair<const char*, const char*> cases[] = {
        {"select InStr(name, 'a'), IIf (x > 1, 'y', 'n'), Format(d,'yyyy'), Date() from t",
         "select jet_instr(name, 'a') AS \"InStr(name, 'a')\", jet_iif (x > 1, 'y', 'n') AS \"IIf (x > 1, 'y', 'n')\", "
         "jet_format(d,'yyyy') AS \"Format(d,'yyyy')\", jet_date() AS \"Date()\" from t"},
        // an alias, with or without "as", stays the name
        {"select instr(a,b) as at, iif(c,1,0) flag, distinct_col from t",
         "select jet_instr(a,b) as at, jet_iif(c,1,0) flag, distinct_col from t"},
        // an expression around the call, a quote in the name, a nested select
        {"select distinct 1 + instr(a,'\"') from (select format(d) from t) where iif(x,1,0)=1 order by instr(a,'b')",
         "select distinct 1 + jet_instr(a,'\"') AS \"1 + instr(a,'\"\"')\" from (select jet_format(d) AS \"format(d)\" from t) "
         "where jet_iif(x,1,0)=1 order by jet_instr(a,'b')"},
        {"select a from t union select iif(a,1,2) from u", "select a from t union select jet_iif(a,1,2) AS \"iif(a,1,2)\" from u"},
        {"update t set d = Date(), n = iif(x,1,0) where instr(a,'b')>0",
         "update t set d = jet_date(), n = jet_iif(x,1,0) where jet_instr(a,'b')>0"},
        // SQLite's date(value), texts, bracketed names, columns and tables named so stay as written
        {"select date('now'), 'instr(a,b)', [format](x), t.iif, date from format",
         "select date('now'), 'instr(a,b)', [format](x), t.iif, date from format"},
        {"insert into format (a) values (1)", "insert into format (a) values (1)"},
        {"select case when iif(a,1,0) then 'x' else 'y' end from t",
         "select case when jet_iif(a,1,0) then 'x' else 'y' end AS \"case when iif(a,1,0) then 'x' else 'y' end\" from t"},
    };
    for (const auto& [jet, sqlite] : cases) EXPECT_EQ(jetsql::translate(QString::fromUtf8(jet)).toStdString(), sqlite) << jet;
}

TEST(JetExcelTarget, SplitsTheExportStatement)
{
    const QString path = QStringLiteral("/home/店 铺/Export2excel.xls");
    const auto target = jetsql::excelTarget(
        QStringLiteral("SELECT company_name as 客户名称,company_tel as 电话 INTO [Excel 5.0;DATABASE=") + path
        + QStringLiteral("].[data] FROM company where 1=1 and company_name like '%into [x].[y]%' order by id desc"));
    ASSERT_TRUE(target.has_value());
    EXPECT_EQ(target->path, path);
    EXPECT_EQ(target->sheet, QStringLiteral("data"));
    EXPECT_EQ(target->select, QStringLiteral("SELECT company_name as 客户名称,company_tel as 电话   FROM company where 1=1 "
                                             "and company_name like '%into [x].[y]%' order by id desc"));

    const auto calls = jetsql::excelTarget(QStringLiteral(
        "SELECT cstr(DateTime) as 来电时间 into [excel 5.0;database=C:\\a b\\x.xls].[来电记录] FROM Hv_Cidlist"));
    ASSERT_TRUE(calls.has_value());
    EXPECT_EQ(calls->path, QStringLiteral("C:\\a b\\x.xls"));
    EXPECT_EQ(calls->sheet, QStringLiteral("来电记录"));
}

TEST(JetExcelTarget, PathMayHoldQuotesBracketsAndSemicolons)
{
    const QString path = QStringLiteral("/home/O'Neil [店];a/Export2excel.xls");
    const auto target = jetsql::excelTarget(QStringLiteral("SELECT company_name as 客户名称 INTO [Excel 5.0;DATABASE=") + path
                                            + QStringLiteral("].[data] FROM company where company_name like '%a''b%'"));
    ASSERT_TRUE(target.has_value());
    EXPECT_EQ(target->path, path);
    EXPECT_EQ(target->sheet, QStringLiteral("data"));
    EXPECT_EQ(target->select, QStringLiteral("SELECT company_name as 客户名称   FROM company where company_name like '%a''b%'"));
}

TEST(JetExcelTarget, IgnoresOtherStatements)
{
    EXPECT_FALSE(jetsql::excelTarget(QStringLiteral("select * from company")).has_value());
    EXPECT_FALSE(jetsql::excelTarget(QStringLiteral("select * from t where a='into [Excel 5.0;DATABASE=x].[y]'")).has_value());
    EXPECT_FALSE(jetsql::excelTarget(QStringLiteral("insert into [t].[u] select 1")).has_value());
}

TEST(JetRowKey, OnlyPlainSelectsOfRowsGetAKey)
{
    EXPECT_EQ(jetsql::withRowKey(QStringLiteral("select * from company where id=3")).value_or(QString()),
              QStringLiteral("select rowid AS \"~rowid\", * from company where id=3"));
    EXPECT_TRUE(jetsql::withRowKey(QStringLiteral("  SELECT a.* from t a where name='group'")).has_value());
    EXPECT_FALSE(jetsql::withRowKey(QStringLiteral("select distinct name from t")).has_value());
    EXPECT_FALSE(jetsql::withRowKey(QStringLiteral("select productname,sum(num) from SalesMX group by productname")).has_value());
    EXPECT_FALSE(jetsql::withRowKey(QStringLiteral("select a from t union select b from u")).has_value());
    EXPECT_FALSE(jetsql::withRowKey(QStringLiteral("update t set a=1")).has_value());
}

TEST(JetTableName, BareNamesAreTables)
{
    EXPECT_TRUE(jetsql::isTableName(QStringLiteral("company")));
    EXPECT_TRUE(jetsql::isTableName(QStringLiteral(" [KH_LXR] ")));
    EXPECT_FALSE(jetsql::isTableName(QStringLiteral("select * from company")));
    EXPECT_FALSE(jetsql::isTableName(QString()));
}

} // namespace

namespace {

// Text columns name the text order only where a result depends on it.
TEST(JetTextOrder, NamedWhereOrderCountsOnly)
{
    jetsql::Schema schema;
    jetsql::TableColumns& company = schema[QStringLiteral("company")];
    for (const char* name : {"id", "company_name", "company_area", "company_createtime"}) company.order << QString::fromLatin1(name);
    company.types = {{QStringLiteral("id"), detail::FieldType::Long},
                     {QStringLiteral("company_name"), detail::FieldType::Text},
                     {QStringLiteral("company_area"), detail::FieldType::Text},
                     {QStringLiteral("company_createtime"), detail::FieldType::Date}};
    const auto sql = [&](const char* jet) { return jetsql::translate(QString::fromUtf8(jet), schema).sql.toStdString(); };
    const std::pair<const char*, const char*> cases[] = {
        {"select * from company order by company_name desc, id",
         "select * from company order by company_name COLLATE jet_textorder desc, id"},
        {"select company_area a, count(*) from company group by company_area order by a",
         "select company_area a, count(*) from company group by company_area COLLATE jet_textorder order by a COLLATE jet_textorder"},
        {"select b.company_name from company b order by 1", "select b.company_name from company b order by 1 COLLATE jet_textorder"},
        {"select max(company_name), min(id) from company",
         "select max(company_name COLLATE jet_textorder) AS \"max(company_name)\", min(id) from company"},
        {"select * from company where company_name >= 'a' and 'b' > company_area",
         "select * from company where company_name COLLATE jet_textorder >= 'a' and 'b' > company_area COLLATE jet_textorder"},
        {"select * from company where company_name not between 'a' and 'b'",
         "select * from company where company_name COLLATE jet_textorder not between 'a' and 'b'"},
        // equality, like, an explicit collation, expressions and other types stay as written
        {"select * from company where company_name = 'a' or company_area like 'b%' order by id desc",
         "select * from company where company_name = 'a' or company_area like 'b%' order by id desc"},
        {"select * from company group by company_name COLLATE BINARY, id order by len(company_name), company_createtime",
         "select * from company group by company_name COLLATE BINARY, id order by len(company_name), company_createtime"},
        {"select * from company where company_name || 'x' > 'a'", "select * from company where jet_concat(company_name , 'x') > 'a'"},
    };
    for (const auto& [jet, sqlite] : cases) EXPECT_EQ(sql(jet), sqlite) << jet;
}

} // namespace
