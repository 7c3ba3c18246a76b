// The system's own SQL texts, run against rows made here, give what Jet gives
// on the same rows: day numbers and date texts against date columns, like on
// dates, exact currency sums typed as currency, pinyin order, & with Null,
// max/min of dates, format().
#include "common/database.h"
#include "platform/db/error.h"
#include "tests/support/scratch.h"

#include <QStringList>

namespace {

struct JetCase {
    const char* what;
    const char* sql;
    const char* expected;            // rows joined by "\n", fields by "|"
    db::Variant::Type firstType;     // of the first field of the first row
};

// 2024-3-5 is day 45356 of Jet's day count (day 0 = 1899-12-30).
const JetCase kCases[] = {
    {"the day's calls by day number",
     "select * from Hv_Cidlist where datetime>=45356 and datetime<45357 order by datetime desc", "2|2024-3-5 23:59:59\n1|2024-3-5 8:00:00", db::Variant::Type::Long},
    {"a search on the creation date in the system's date form",
     "select company_name from company where company_createtime like '%2024-3-5%' order by id desc", "北京", db::Variant::Type::Text},
    {"like with a date between # marks matches that date's text",
     "select company_name from company where company_createtime like #2024-3-6# or company_createtime like "
     "#2024-3-5 10:30#",
     "北京\n阿里", db::Variant::Type::Text},
    {"quoted date text compared with a date column",
     "select distinct productname from JhMX where JH_DATE >= '2024-3-5' and JH_DATE < '2024-3-6' order by productname", "五金\n纸箱", db::Variant::Type::Text},
    {"the incoming goods summary",
     "select productname,sum(Hpnum) as Khpnum,sum(unitprice) as unprice,sum(num) as numn from JhMX where "
     "JH_DATE >= #2024-3-1# and  JH_DATE <= #2024-3-7#  group by productname",
     "旧货||5|1\n五金||5|1\n纸箱||10|100", db::Variant::Type::Text},
    {"the sales summary by customer",
     "select b.company_name,sum(a.totlemoney) as unprice from Sales a,company b where a.companyid=b.id and "
     "a.salesdate >= #2024-3-1# and  a.salesdate <= #2024-3-7#  group by b.company_name",
     "阿里|1000000.3", db::Variant::Type::Text},
    {"average of currency", "select avg(totlemoney) from sales", "500000.15", db::Variant::Type::Currency},
    {"pinyin order, letter case ignored", "select company_name from company order by company_name", "阿里\n北京\n陈\n张三", db::Variant::Type::Text},
    {"grouping ignores letter case only",
     "select count(*) from company where company_area is not null group by company_area order by company_area",
     "2\n1", db::Variant::Type::Long},
    {"& keeps the other text when one side is Null",
     "select company_name & company_tel & '/' from company where company_name='北京'", "北京/", db::Variant::Type::Text},
    {"max and min of a date column", "select max(DateTime), min(DateTime) as first from Hv_Cidlist", "2024-3-6|2024-3-4 23:59:59", db::Variant::Type::Date},
    {"format of dates and numbers",
     "select format(DateTime,'yyyy-mm-dd hh:nn'), format(1234.5,'#,##0.00'), format(7,'00') from Hv_Cidlist "
     "where CallerID='1'",
     "2024-03-05 08:00|1,234.50|07", db::Variant::Type::Text},
};

class JetResults : public ScratchProgram {
protected:
    void SetUp() override
    {
        ScratchProgram::SetUp();
        exec(QStringLiteral("insert into Hv_Cidlist (DateTime, CallerID) values (#2024-3-5 8:00#, '1')"));
        exec(QStringLiteral("insert into Hv_Cidlist (DateTime, CallerID) values (#2024-3-5 23:59:59#, '2')"));
        exec(QStringLiteral("insert into Hv_Cidlist (DateTime, CallerID) values (#2024-3-6#, '3')"));
        exec(QStringLiteral("insert into Hv_Cidlist (DateTime, CallerID) values (#2024-3-4 23:59:59#, '4')"));

        exec(QStringLiteral("insert into company (company_name, company_createtime, company_area, company_tel) "
                            "values ('张三', '2024-3-15', 'abc', '1')"));
        exec(QStringLiteral("insert into company (company_name, company_createtime, company_area) "
                            "values ('北京', '2024-3-5 10:30', 'ABC')"));
        exec(QStringLiteral("insert into company (company_name, company_createtime, company_area) "
                            "values ('阿里', '2024-3-6', 'abd')"));
        exec(QStringLiteral("insert into company (company_name) values ('陈')"));

        // A hundred lines of 0.10: a sum in doubles would be 9.99999999999998.
        auto connection = database::openMain();
        connection->beginTrans();
        for (int i = 0; i < 100; ++i)
            connection->execute(QStringLiteral("insert into JhMX (productname, JH_DATE, unitprice, num) values ('纸箱', '2024-3-5', 0.1, 1)"));
        connection->commitTrans();
        exec(QStringLiteral("insert into JhMX (productname, JH_DATE, unitprice, num) values ('五金', '2024-3-5 18:00', 5, 1)"));
        exec(QStringLiteral("insert into JhMX (productname, JH_DATE, unitprice, num) values ('旧货', '2024-3-4', 5, 1)"));

        const QString ali = scalar(QStringLiteral("select id from company where company_name='阿里'"));
        exec(QStringLiteral("insert into sales (companyid, salesdate, totlemoney) values (%1, #2024-3-5#, 0.15)").arg(ali));
        exec(QStringLiteral("insert into sales (companyid, salesdate, totlemoney) values (%1, #2024-3-6#, 1000000.15)").arg(ali));
    }

    QString rows(const QString& sql, db::Variant::Type* firstType)
    {
        auto result = database::query(sql);
        QStringList lines;
        for (; !result->eof(); result->moveNext()) {
            QStringList fields;
            for (int i = 0; i < result->fieldCount(); ++i) fields << result->field(i).toText();
            if (lines.isEmpty() && result->fieldCount() > 0) *firstType = result->field(0).type();
            lines << fields.join(QLatin1Char('|'));
        }
        return lines.join(QLatin1Char('\n'));
    }
};

TEST_F(JetResults, SystemQueriesGiveJetResults)
{
    for (std::size_t i = 0; i < std::size(kCases); ++i) {
        SCOPED_TRACE(kCases[i].what);
        db::Variant::Type type = db::Variant::Type::Empty;
        QString got;
        try {
            got = rows(QString::fromUtf8(kCases[i].sql), &type);
        } catch (const db::Error& error) {
            ADD_FAILURE() << error.message().toStdString();
            continue;
        }
        // The day list shows id and time only.
        if (i == 0) {
            QStringList shown;
            for (const QString& line : got.split(QLatin1Char('\n'))) {
                const QStringList fields = line.split(QLatin1Char('|'));
                shown << fields[2] + QLatin1Char('|') + fields[1];
            }
            got = shown.join(QLatin1Char('\n'));
        }
        EXPECT_EQ(got.toStdString(), std::string(kCases[i].expected));
        EXPECT_EQ(type, kCases[i].firstType);
    }
}

// Latin names sort before the Chinese ones, as Jet's order has them, in every
// clause whose result depends on text order; equality ignores letter case.
TEST_F(JetResults, LatinTextSortsBeforeChineseWhereverOrderCounts)
{
    exec(QStringLiteral("insert into company (company_name) values ('O''Brien Trading')"));
    const auto list = [&](const char* sql) {
        db::Variant::Type type = db::Variant::Type::Empty;
        return rows(QString::fromUtf8(sql), &type).toStdString();
    };
    const std::string descending = "张三\n陈\n北京\n阿里\nO'Brien Trading";
    EXPECT_EQ(list("select company_name from company order by company_name desc"), descending);
    EXPECT_EQ(list("select company_name as n from company order by n DESC"), descending);
    EXPECT_EQ(list("select company_name from company order by 1 desc"), descending);
    EXPECT_EQ(list("select b.company_name from company b where b.id > 0 order by b.company_name, b.id"),
              "O'Brien Trading\n阿里\n北京\n陈\n张三");
    EXPECT_EQ(list("select company_name, count(*) from company group by company_name"),
              "O'Brien Trading|1\n阿里|1\n北京|1\n陈|1\n张三|1");
    EXPECT_EQ(list("select min(company_name), max(company_name) from company"), "O'Brien Trading|张三");
    EXPECT_EQ(count(QStringLiteral("select count(*) from company where company_name < '北'")), 2);
    EXPECT_EQ(count(QStringLiteral("select count(*) from company where '北' < company_name")), 3);
    EXPECT_EQ(count(QStringLiteral("select count(*) from company where company_name between '阿' and '北京'")), 2);
    EXPECT_EQ(count(QStringLiteral("select count(*) from company where company_name not between '阿' and '北京'")), 3);
    EXPECT_EQ(count(QStringLiteral("select count(*) from company where company_name = 'o''brien TRADING'")), 1);
    EXPECT_EQ(count(QStringLiteral("select count(*) from company where company_name like 'o''b%'")), 1);
}

TEST_F(JetResults, SumsOfCurrencyAreExactAndTyped)
{
    auto sum = database::query(QStringLiteral("select sum(unitprice) as total from JhMX where productname='纸箱'"));
    ASSERT_EQ(sum->field(0).type(), db::Variant::Type::Currency);
    EXPECT_EQ(sum->field(0).toCurrency(), db::Currency::fromTicks(10 * 10000));
    // A sum over no rows is Null, as Jet gives.
    EXPECT_TRUE(database::query(QStringLiteral("select sum(unitprice) from JhMX where productname='x'"))->field(0).isNull());
}

TEST_F(JetResults, UnknownFormatPatternIsAnErrorNotPrintf)
{
    EXPECT_THROW(database::query(QStringLiteral("select format('%d', 5)")), db::Error);
    EXPECT_THROW(database::query(QStringLiteral("select format(DateTime, 'ddd') from Hv_Cidlist")), db::Error);
}

TEST_F(JetResults, DayNumbersAndDateTextAreStoredAsDates)
{
    exec(QStringLiteral("insert into Hv_Cidlist (DateTime, CallerID) values (45356.5, 'n')"));
    exec(QStringLiteral("update Hv_Cidlist set DateTime='2024/3/7 9:05' where CallerID='1'"));
    EXPECT_EQ(scalar(QStringLiteral("select DateTime from Hv_Cidlist where CallerID='n'")), QStringLiteral("2024-3-5 12:00:00"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from Hv_Cidlist where DateTime = #2024-3-7 9:05#")), 1);
    EXPECT_EQ(count(QStringLiteral("select count(*) from Hv_Cidlist where DateTime between '2024-3-5' and 45357")), 3);
    // A text that is no date is refused by nothing here, and matched by nothing.
    EXPECT_EQ(count(QStringLiteral("select count(*) from Hv_Cidlist where DateTime not like '%2024-3-5%'")), 3);
}

} // namespace

namespace {

TEST_F(JetResults, TextWrittenBySqlMustFitItsColumn)
{
    const QString tooLong(51, QChar(0x5F20));
    EXPECT_THROW(database::openMain()->execute(QStringLiteral("update sys_user set user_name='%1' where user_name='system'").arg(tooLong)),
                 db::Error);
    EXPECT_THROW(database::openMain()->execute(QStringLiteral("insert into Hv_Cidlist (CallerID) values ('%1')").arg(tooLong)),
                 db::Error);
    EXPECT_EQ(count(QStringLiteral("select count(*) from sys_user where user_name='system'")), 1);
    // Fifty characters fit; a doubled quote counts once.
    exec(QStringLiteral("update sys_user set user_name='%1''' where user_name='system'").arg(QString(49, QChar(0x5F20))));
    EXPECT_EQ(count(QStringLiteral("select count(*) from sys_user where user_name like '%''%'")), 1);
}

} // namespace
