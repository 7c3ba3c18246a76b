// Report and analysis runs over a year of sales: 1,000,000 order lines on
// 200,000 orders, 2,000 products and 20,000 customers. Each run over the
// whole year is to take under a second.
#include "bench/benchfigures.h"
#include "common/database.h"
#include "common/mymode.h"
#include "common/schema.h"
#include "reports/composition.h"
#include "reports/salesdetail.h"
#include "reports/salessummary.h"
#include "reports/stockreport.h"
#include "reports/trend.h"

#include <QStringList>
#include <QTemporaryDir>
#include <cstdio>
#include <benchmark/benchmark.h>

namespace {

constexpr int kLines = 1'000'000;
constexpr int kOrders = 200'000;
constexpr int kProducts = 2'000;
constexpr int kCustomers = 20'000;

const QDate kStart(2009, 1, 1);
const QDate kEnd(2009, 12, 31);

// One database for the whole run, made with the system's own schema.
class SalesYear {
public:
    static void use()
    {
        static SalesYear year;
        Mymode::ConnectString = year.connectString_;
    }

private:
    SalesYear()
    {
        const QString path = dir_.filePath(QStringLiteral("hvcrm.hvd"));
        db::createDatabase(path, schema::mainDatabase());
        connectString_ = QStringLiteral("provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=False;Data source =")
            + path + QStringLiteral(";Jet OLEDB:Database");
        db::Connection connection;
        connection.open(connectString_);
        connection.beginTrans();
        const QString numbers = QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < %1) ");
        connection.execute(QStringLiteral("insert into company (company_name, KH_CZZ, KH_GK) ") + numbers.arg(kCustomers)
                           + QStringLiteral("select '客户' || i || '有限公司', 'system', '1' from n"));
        connection.execute(QStringLiteral("insert into product (product, description, InPrice, KCL) ") + numbers.arg(kProducts)
                           + QStringLiteral("select '商品' || i, '型号' || i, (i % 90) + 0.5, i % 500 from n"));
        // Orders spread over the year, one every 157 seconds or so.
        connection.execute(QStringLiteral("insert into sales (companyid, orderno, indexflag, salesdate, totlemoney, receivemoney, TotalNum) ")
                           + numbers.arg(kOrders)
                           + QStringLiteral("select 1 + i % %1, 'SH' || i, 'k' || i, "
                                            "datetime('2009-01-01', '+' || (i * 157) || ' seconds'), "
                                            "(i % 1000) * 1.1 + 0.1, (i % 700) * 1.1, 5 from n")
                                 .arg(kCustomers));
        connection.execute(QStringLiteral("insert into SalesMX (companyid, indexflag, salesdate, productname, price, num, zk, unitprice) ")
                           + numbers.arg(kLines)
                           + QStringLiteral("select 1 + (i / 5) % %1, 'k' || (1 + i / 5), "
                                            "datetime('2009-01-01', '+' || ((1 + i / 5) * 157) || ' seconds'), "
                                            "'商品' || (1 + i % %2), (i % 90) + 0.1, 1 + i % 3, 100, ((i % 90) + 0.1) * (1 + i % 3) from n")
                                 .arg(kCustomers)
                                 .arg(kProducts));
        connection.commitTrans();
    }

public:
    static QString file()
    {
        use();
        return db::dataSourceOf(Mymode::ConnectString);
    }

private:
    QTemporaryDir dir_;
    QString connectString_;
};

// Runs the plain SQL texts over the year, every cell read with its own type.
void plain(benchmark::State& state, const std::vector<const char*>& texts)
{
    sqlite3* handle = benchfigures::openPlain(SalesYear::file());
    int rows = 0;
    for (auto _ : state) {
        rows = 0;
        for (const char* text : texts) {
            sqlite3_stmt* statement = nullptr;
            if (sqlite3_prepare_v2(handle, text, -1, &statement, nullptr) != SQLITE_OK) {
                state.SkipWithError(sqlite3_errmsg(handle));
                break;
            }
            rows += benchfigures::readTyped(statement);
            sqlite3_finalize(statement);
        }
    }
    sqlite3_close_v2(handle);
    state.counters["rows"] = rows;
}

// Times one run over the whole year; `run` returns the rows it made.
template <class Run>
void timed(benchmark::State& state, Run run)
{
    SalesYear::use();
    size_t rows = 0;
    for (auto _ : state) rows = run();
    state.counters["rows"] = static_cast<double>(rows);
}

void summary(benchmark::State& state, salessummary::Kind kind)
{
    timed(state, [kind] { return salessummary::run(kind, kStart, kEnd).rows.size(); });
}

void BM_SummaryByYear(benchmark::State& state) { summary(state, salessummary::Kind::Year); }
void BM_SummaryByMonth(benchmark::State& state) { summary(state, salessummary::Kind::Month); }
void BM_SummaryByDay(benchmark::State& state) { summary(state, salessummary::Kind::Day); }
void BM_SummaryByProduct(benchmark::State& state) { summary(state, salessummary::Kind::Product); }
void BM_SummaryByCustomer(benchmark::State& state) { summary(state, salessummary::Kind::Customer); }
BENCHMARK(BM_SummaryByYear)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SummaryByMonth)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SummaryByDay)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SummaryByProduct)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SummaryByCustomer)->Unit(benchmark::kMillisecond)->Iterations(3);

// The plain SQL for each report's figures over the same year. The order
// lines' date index would have each line looked up on its own, so the plain
// SQL, as the reports do, keeps the date under "+" where it walks most lines.
#define YEAR_RANGE(column) column " >= '2009-01-01 00:00:00' and " column " < '2010-01-01 00:00:00'"
const char* const kPeriodSums = "select substr(salesdate,1,%d),sum(totlemoney),sum(TotalNum),sum(receivemoney) from sales "
                                "where " YEAR_RANGE("salesdate") " group by 1 order by 1 desc";
// Per product name, names equal but for letter case together.
const char* const kProductSums = "select productname,sum(unitprice),sum(num) from SalesMX where " YEAR_RANGE("+salesdate")
                                 " group by productname order by productname";

void periodSums(benchmark::State& state, int keyLength)
{
    char sql[256];
    std::snprintf(sql, sizeof sql, kPeriodSums, keyLength);
    plain(state, {sql});
}

void BM_SummaryByYearSqlite(benchmark::State& state) { periodSums(state, 4); }
void BM_SummaryByMonthSqlite(benchmark::State& state) { periodSums(state, 7); }
void BM_SummaryByDaySqlite(benchmark::State& state) { periodSums(state, 10); }
void BM_SummaryByProductSqlite(benchmark::State& state) { plain(state, {kProductSums}); }
void BM_SummaryByCustomerSqlite(benchmark::State& state)
{
    plain(state, {"select b.company_name,x.amount,x.quantity from (select companyid,sum(totlemoney) as amount,"
                  "sum(TotalNum) as quantity from sales where " YEAR_RANGE("salesdate") " group by companyid) x,"
                  "company b where x.companyid=b.id order by b.company_name"});
}
BENCHMARK(BM_SummaryByYearSqlite)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SummaryByMonthSqlite)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SummaryByDaySqlite)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SummaryByProductSqlite)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SummaryByCustomerSqlite)->Unit(benchmark::kMillisecond)->Iterations(3);

void stock(benchmark::State& state, stockreport::Kind kind)
{
    timed(state, [kind] { return stockreport::run(kind, kStart, kEnd).rows.size(); });
}

void BM_StockCurrent(benchmark::State& state) { stock(state, stockreport::Kind::Stock); }
void BM_StockOutgoing(benchmark::State& state) { stock(state, stockreport::Kind::Outgoing); }
BENCHMARK(BM_StockCurrent)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_StockOutgoing)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_StockCurrentSqlite(benchmark::State& state) { plain(state, {"select product,description,InPrice,KCL from product"}); }
void BM_StockOutgoingSqlite(benchmark::State& state) { plain(state, {kProductSums}); }
BENCHMARK(BM_StockCurrentSqlite)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_StockOutgoingSqlite)->Unit(benchmark::kMillisecond)->Iterations(3);

void compositionRun(benchmark::State& state, composition::By by)
{
    timed(state, [by] { return composition::run(by, kStart, kEnd).chart.size(); });
}

void BM_CompositionByProduct(benchmark::State& state) { compositionRun(state, composition::By::Product); }
void BM_CompositionByCustomer(benchmark::State& state) { compositionRun(state, composition::By::Customer); }
BENCHMARK(BM_CompositionByProduct)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_CompositionByCustomer)->Unit(benchmark::kMillisecond)->Iterations(3);

// Each product's line amounts and whole quantities; each customer's amounts and unpaid amounts.
void BM_CompositionByProductSqlite(benchmark::State& state)
{
    plain(state, {"select productname,sum(price*num*zk/100),sum(round(num)) from SalesMX where " YEAR_RANGE("+salesdate")
                  " group by productname order by productname"});
}
void BM_CompositionByCustomerSqlite(benchmark::State& state)
{
    plain(state, {"select b.company_name,x.amount,x.unpaid from (select companyid,sum(totlemoney) as amount,"
                  "sum(totlemoney-receivemoney) as unpaid from sales where " YEAR_RANGE("salesdate") " group by companyid) x "
                  "left join company b on b.id=x.companyid order by x.companyid"});
}
BENCHMARK(BM_CompositionByProductSqlite)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_CompositionByCustomerSqlite)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_TrendByMonth(benchmark::State& state)
{
    timed(state, [] { return trend::run(trend::Mode::Month, std::nullopt, kStart, kEnd).chart.size(); });
}
BENCHMARK(BM_TrendByMonth)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same figures by plain SQL: each month's amounts and unpaid amounts of
// its orders, and the whole quantities of their lines dated in the range.
void BM_TrendByMonthSqlite(benchmark::State& state)
{
    plain(state, {"select substr(s.salesdate,1,7),sum(s.totlemoney),sum(s.totlemoney-s.receivemoney),"
                  "sum((select sum(round(m.num)) from SalesMX m where m.indexflag=s.indexflag and " YEAR_RANGE("+m.salesdate")
                  ")) from sales s where " YEAR_RANGE("s.salesdate") " group by 1 order by 1"});
}
BENCHMARK(BM_TrendByMonthSqlite)->Unit(benchmark::kMillisecond)->Iterations(3);

// The sales detail list over every line of the year, up to its first screen
// of rows made; the peak memory counter is the process's during the run, in MiB.
void BM_SalesDetail(benchmark::State& state)
{
    SalesYear::use();
    benchfigures::resetPeak();
    std::size_t rows = 0;
    for (auto _ : state) {
        const salesdetail::ListRows list({kStart, kEnd, {}, {}});
        for (std::size_t row = 0; row < 40 && row < list.size(); ++row) benchmark::DoNotOptimize(list[row]);
        benchmark::DoNotOptimize(list.back());
        rows = list.size();
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["peak_MiB"] = benchfigures::peakMiB();
}
BENCHMARK(BM_SalesDetail)->Unit(benchmark::kMillisecond)->Iterations(3);

// The list's work in plain SQL: every line's key and the figures of its
// total row in the list's order, then the first page of rows by their ids.
void BM_SalesDetailSqlite(benchmark::State& state)
{
    constexpr int kPageRows = 100;
    sqlite3* handle = benchfigures::openPlain(SalesYear::file());
    const char* const keys = "select a.id,c.id,a.num,a.unitprice from SalesMX a,company b,sales c "
                             "where b.ID=a.companyid and c.indexflag=a.indexflag and " YEAR_RANGE("a.salesdate")
                             " order by a.salesdate desc, a.id desc";
    const QString page = QStringLiteral("select a.id,c.id,a.salesdate,c.orderno,b.company_name,a.productname,a.price,"
                                        "a.num,a.unitprice from SalesMX a,company b,sales c where b.ID=a.companyid "
                                        "and c.indexflag=a.indexflag and a.id in (%1)");
    int rows = 0;
    for (auto _ : state) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(handle, keys, -1, &statement, nullptr);
        QStringList firstPage;
        double quantity = 0;
        double total = 0;
        for (rows = 0; sqlite3_step(statement) == SQLITE_ROW; ++rows) {
            const sqlite3_int64 line = sqlite3_column_int64(statement, 0);
            benchmark::DoNotOptimize(sqlite3_column_int64(statement, 1));
            quantity += sqlite3_column_double(statement, 2);
            total += sqlite3_column_double(statement, 3);
            if (rows < kPageRows) firstPage << QString::number(line);
        }
        sqlite3_finalize(statement);
        benchmark::DoNotOptimize(quantity + total);
        const QByteArray pageSql = page.arg(firstPage.join(QLatin1Char(','))).toUtf8();
        sqlite3_prepare_v2(handle, pageSql.constData(), static_cast<int>(pageSql.size()), &statement, nullptr);
        benchfigures::readTyped(statement);
        sqlite3_finalize(statement);
    }
    sqlite3_close_v2(handle);
    state.counters["rows"] = rows + 1;   // and the total row, as the list counts
}
BENCHMARK(BM_SalesDetailSqlite)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
