// Report and analysis runs over a year of sales: 1,000,000 order lines on
// 200,000 orders, 2,000 products and 20,000 customers. Each run over the
// whole year is to take under a second. The sales detail also runs on a shop
// of many customers: 1,000,008 lines on 333,336 orders of 111,112 customers,
// each order's customer any of them.
#include "bench/benchfigures.h"
#include "common/database.h"
#include "common/mymode.h"
#include "common/schema.h"
#include "platform/ui/controls.h"
#include "platform/ui/datepicker.h"
#include "platform/ui/form.h"
#include "platform/ui/listview.h"
#include "platform/ui/windows.h"
#include "reports/composition.h"
#include "reports/salesdetail.h"
#include "reports/salessummary.h"
#include "reports/stockreport.h"
#include "reports/trend.h"
#include "reports/windows.h"

#include <QHash>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdio>
#include <map>
#include <memory>
#include <benchmark/benchmark.h>

namespace {

constexpr int kLines = 1'000'000;
constexpr int kOrders = 200'000;
constexpr int kProducts = 2'000;
constexpr int kCustomers = 20'000;
constexpr int kManyCustomers = 111'112;

const QDate kStart(2009, 1, 1);
const QDate kEnd(2009, 12, 31);

// One database per shape for the whole run, made with the system's own schema.
class SalesYear {
public:
    // The year of 20,000 customers.
    static void use() { useShop(kCustomers); }
    // The year of `customers` customers: 20,000, or 111,112 with three orders
    // of three lines each.
    static void useShop(int customers)
    {
        static std::map<int, std::unique_ptr<SalesYear>> years;
        auto& year = years[customers];
        if (!year) year.reset(new SalesYear(customers));
        Mymode::ConnectString = year->connectString_;
    }
    static QString file()
    {
        return db::dataSourceOf(Mymode::ConnectString);
    }

private:
    explicit SalesYear(int customers)
    {
        const QString path = dir_.filePath(QStringLiteral("hvcrm.hvd"));
        db::createDatabase(path, schema::mainDatabase());
        connectString_ = QStringLiteral("provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=False;Data source =")
            + path + QStringLiteral(";Jet OLEDB:Database");
        db::Connection connection;
        connection.open(connectString_);
        connection.beginTrans();
        const QString numbers = QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < %1) ");
        connection.execute(QStringLiteral("insert into product (product, description, InPrice, KCL) ") + numbers.arg(kProducts)
                           + QStringLiteral("select '商品' || i, '型号' || i, (i % 90) + 0.5, i % 500 from n"));
        if (customers == kCustomers) {
            connection.execute(QStringLiteral("insert into company (company_name, KH_CZZ, KH_GK) ") + numbers.arg(kCustomers)
                               + QStringLiteral("select '客户' || i || '有限公司', 'system', '1' from n"));
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
        } else {
            // Customers with their address and numbers; an order every 94
            // seconds for any of them (7919 steps through every customer), its
            // line key made as the order window makes it (date and time
            // without leading zeros, then five random digits), three lines each.
            connection.execute(QStringLiteral("insert into company (company_name, company_address, company_connect, company_tel, "
                                              "company_mobil, company_createtime, company_client_type, company_QK, company_zje, "
                                              "KH_CZZ, KH_GK) ")
                               + numbers.arg(customers)
                               + QStringLiteral("select '深圳市客户' || i || '贸易有限公司', '广东省深圳市南山区科技园路' || i || '号', "
                                                "'联系人' || (i % 977), '0755-' || (20000000 + i), '139' || (10000000 + i), "
                                                "'2024-03-01 00:00:00', '一般客户', (i % 37) * 1.25, (i % 1000) * 99.99, 'system', '1' from n"));
            connection.execute(QStringLiteral("insert into sales (companyid, orderno, indexflag, salesdate, totlemoney, receivemoney, TotalNum) "
                                              "select 1 + (i * 7919) % %1, 'SH' || i, "
                                              "strftime('%Y', d) || (0 + strftime('%m', d)) || (0 + strftime('%d', d)) || "
                                              "(0 + strftime('%H', d)) || (0 + strftime('%M', d)) || (0 + strftime('%S', d)) || "
                                              "(10000 + abs(random()) % 90000), d, (i % 1000) * 1.1 + 0.1, (i % 700) * 1.1, 3 "
                                              "from (with recursive n(i) as (select 1 union all select i + 1 from n where i < %2) "
                                              "select i, datetime('2009-01-01', '+' || (i * 94) || ' seconds') as d from n)")
                                   .arg(customers)
                                   .arg(customers * 3));
            connection.execute(QStringLiteral("insert into SalesMX (companyid, indexflag, salesdate, productname, price, num, zk, unitprice) "
                                              "select s.companyid, s.indexflag, s.salesdate, '商品' || (1 + (s.id * 3 + k.j) % %1), "
                                              "((s.id * 3 + k.j) % 90) + 0.1, 1 + k.j, 100, (((s.id * 3 + k.j) % 90) + 0.1) * (1 + k.j) "
                                              "from sales s, (select 0 as j union all select 1 union all select 2) k order by s.id, k.j")
                                   .arg(kProducts));
        }
        connection.commitTrans();
    }

    QTemporaryDir dir_;
    QString connectString_;
};

// Runs the plain SQL texts over the year, every cell read with its own type.
void plain(benchmark::State& state, const std::vector<const char*>& texts)
{
    SalesYear::use();
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

// The sales detail window over every line of the year: the query picture
// clicked, up to the first screen of the list painted. The peak memory
// counter is the process's during the run, in MiB. The argument is the
// shop's number of customers.
void BM_SalesDetail(benchmark::State& state)
{
    SalesYear::useShop(static_cast<int>(state.range(0)));
    reports::defineWindows();
    ui::Form* window = ui::Windows::open(QStringLiteral("repSalMx"));
    window->show();
    window->control<ui::DatePicker>(QStringLiteral("text1"))->setValue(kStart);
    window->control<ui::DatePicker>(QStringLiteral("text2"))->setValue(kEnd);
    auto* list = window->control<ui::ListView>(QStringLiteral("ListView1"));
    benchfigures::resetPeak();
    for (auto _ : state) {
        window->control<ui::PictureButton>(QStringLiteral("command3"))->click();
        benchmark::DoNotOptimize(list->viewport()->grab());
    }
    state.counters["rows"] = list->itemCount();
    state.counters["peak_MiB"] = benchfigures::peakMiB();
    window->close();
}
BENCHMARK(BM_SalesDetail)->Arg(kCustomers)->Arg(kManyCustomers)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same rows in plain SQLite: the lines joined with their customer and
// order in the list's order, every shown cell read with its own type.
void BM_SalesDetailSqlite(benchmark::State& state)
{
    SalesYear::useShop(static_cast<int>(state.range(0)));
    sqlite3* handle = benchfigures::openPlain(SalesYear::file());
    const char* const rows = "select a.salesdate,c.orderno,b.company_name,a.productname,a.price,a.num,a.unitprice "
                             "from SalesMX a,company b,sales c where b.ID=a.companyid and c.indexflag=a.indexflag and "
                             YEAR_RANGE("a.salesdate") " order by a.salesdate desc, a.id desc";
    int count = 0;
    for (auto _ : state) {
        count = benchfigures::readTyped(handle, rows);
    }
    sqlite3_close_v2(handle);
    state.counters["rows"] = count + 1;   // and the total row, as the list counts
}
BENCHMARK(BM_SalesDetailSqlite)->Arg(kCustomers)->Arg(kManyCustomers)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
