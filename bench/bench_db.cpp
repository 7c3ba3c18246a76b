// The daily roads of the database layer on a shop's history of 10,000,
// 100,000 and 1,000,000 order lines (five lines an order, 100,000 customers
// with one contact each, 2,000 products): an order saved through the order
// windows' own save steps, the customer card with its tabs, and the customer
// list opened and refreshed. Each has its plain-SQLite baseline in the same run.
#include "bench/benchfigures.h"
#include "common/database.h"
#include "common/gridbinding.h"
#include "common/mymode.h"
#include "common/schema.h"
#include "customers/relatedtabs.h"
#include "platform/db/connection.h"
#include "sales/ordercounter.h"
#include "sales/orderstore.h"

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

namespace {

constexpr int kCustomers = 100'000;
constexpr int kProducts = 2'000;
constexpr int kCardOrders = 50;   // the orders of customer 1, the card's customer

const QString kCustomerList = QStringLiteral(
    "select id,company_name,company_address,company_connect,company_dute,company_tel,company_fax,company_mail,"
    "company_mobil,company_http,company_postcode,company_createtime,company_area,company_client_type,"
    "company_clientsource,company_industry,company_client_status,company_description,company_khyh,company_yhzh,"
    "company_YJ,company_QK,company_ZJE,company_ZSL,KH_CZZ from company order by id desc");

void run(sqlite3* handle, const char* sql)
{
    sqlite3_exec(handle, sql, nullptr, nullptr, nullptr);
}

// One database per size, made with the system's schema and filled in one
// transaction through prepared statements.
class Shop {
public:
    static Shop& withLines(int lines)
    {
        static std::map<int, std::unique_ptr<Shop>> shops;
        auto& shop = shops[lines];
        if (!shop) shop.reset(new Shop(lines));
        Mymode::ConnectString = shop->connectString();
        return *shop;
    }

    QString file() const { return dir_.filePath(QStringLiteral("hvcrm.hvd")); }
    QString connectString() const
    {
        return QStringLiteral("provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=False;Data source =") + file()
            + QStringLiteral(";Jet OLEDB:Database");
    }

private:
    explicit Shop(int lines)
    {
        db::createDatabase(file(), schema::mainDatabase());
        { db::Connection upgrade; upgrade.open(connectString()); }   // whatever the layer adds to a file on open
        sqlite3* handle = benchfigures::openPlain(file());
        run(handle, "BEGIN");
        fill(handle, "insert into company (company_name,company_address,company_connect,company_tel,company_mobil,"
                     "company_createtime,company_client_type,company_YJ,company_QK,company_ZJE,company_ZSL,KH_CZZ,KH_GK) "
                     "values (?1,'广东省深圳市南山区科技园路' || ?2 || '号','联系人' || (?2 % 977),'0755-' || (20000000 + ?2),"
                     "'139' || (10000000 + ?2),'2024-03-01 00:00:00','一般客户',0,(?2 % 37) * 1.25,(?2 % 1000) * 99.99,"
                     "?2 % 50,'system','1')",
             kCustomers, [](sqlite3_stmt* s, int i) {
                 const QByteArray name = QStringLiteral("深圳市客户%1贸易有限公司").arg(i).toUtf8();
                 sqlite3_bind_text(s, 1, name.constData(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
             });
        fill(handle, "insert into KH_LXR (companyid,Connect_name,tel,mobil,LXR_CZZ,LXR_GK) "
                     "values (?2,'联系人' || ?2,'0755-' || (20000000 + ?2),'139' || (10000000 + ?2),'system','1')",
             kCustomers, [](sqlite3_stmt*, int) {});
        fill(handle, "insert into product (product,description,InPrice,KCL) values ('商品' || ?2,'型号' || ?2,(?2 % 90) + 0.5,100000)",
             kProducts, [](sqlite3_stmt*, int) {});
        const int orders = lines / 5;
        // The first orders are the card customer's; the others are spread over every customer.
        fill(handle, "insert into sales (companyid,orderno,indexflag,salesdate,totlemoney,receivemoney,TotalNum,sal_CZZ,sal_gk) "
                     "values (case when ?2 <= 50 then 1 else 1 + ?2 % 100000 end,'SH' || ?2,'k' || ?2,"
                     "datetime('2009-01-01','+' || (?2 * 157 % 31536000) || ' seconds'),(?2 % 1000) * 1.1 + 0.1,(?2 % 700) * 1.1,5,"
                     "'system','1')",
             orders, [](sqlite3_stmt*, int) {});
        fill(handle, "insert into SalesMX (companyid,indexflag,salesdate,productname,price,num,zk,unitprice) "
                     "values (case when (1 + (?2 - 1) / 5) <= 50 then 1 else 1 + (1 + (?2 - 1) / 5) % 100000 end,"
                     "'k' || (1 + (?2 - 1) / 5),datetime('2009-01-01','+' || ((1 + (?2 - 1) / 5) * 157 % 31536000) || ' seconds'),"
                     "'商品' || (1 + ?2 % 2000),(?2 % 90) + 0.1,1 + ?2 % 3,100,((?2 % 90) + 0.1) * (1 + ?2 % 3))",
             lines, [](sqlite3_stmt*, int) {});
        run(handle, "COMMIT");
        sqlite3_close_v2(handle);
    }

    // Runs `sql` `count` times with ?2 bound to 1..count and ?1 by `bind`.
    template <class Bind>
    static void fill(sqlite3* handle, const char* sql, int count, Bind bind)
    {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(handle, sql, -1, &statement, nullptr) != SQLITE_OK) {
            std::fprintf(stderr, "%s: %s\n", sql, sqlite3_errmsg(handle));
            std::abort();
        }
        for (int i = 1; i <= count; ++i) {
            bind(statement, i);
            sqlite3_bind_int(statement, 2, i);
            sqlite3_step(statement);
            sqlite3_reset(statement);
        }
        sqlite3_finalize(statement);
    }

    QTemporaryDir dir_;
};

void sizes(benchmark::internal::Benchmark* b)
{
    b->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
}

orderstore::Order tenLineOrder(int n)
{
    orderstore::Order order;
    order.customerId = QString::number(2 + n % 1000);
    order.orderNo = QStringLiteral("BENCH%1").arg(n);
    order.contact = QStringLiteral("王先生");
    order.date = QStringLiteral("2010-1-5");
    order.total = QStringLiteral("1000.5");
    order.received = QStringLiteral("800");
    for (int line = 0; line < 10; ++line)
        order.lines.push_back({QStringLiteral("商品%1").arg(1 + (n * 10 + line) % kProducts), QStringLiteral("10.05"),
                               QStringLiteral("100"), QStringLiteral("2"), QStringLiteral("20.1")});
    return order;
}

// An order of ten lines saved as the new-order window saves it: the customer
// check, the next number from the day's counter (passing over numbers already
// stored), a new line key, the header, the lines with their stock, the
// quantity and the customer's balances, in one transaction.
void BM_OrderSave(benchmark::State& state)
{
    Shop::withLines(static_cast<int>(state.range(0)));
    int n = 0;
    for (auto _ : state) {
        orderstore::Order order = tenLineOrder(n++);
        orderstore::inTransaction([&](db::Connection& connection) {
            orderstore::customerExists(connection, order.customerId);
            order.orderNo = ordercounter::advance(connection, QStringLiteral("不打印")).value_or(order.orderNo);
            orderstore::storeNewOrder(connection, order, QStringLiteral("2010-1-5"), QStringLiteral("system"));
        }, QStringLiteral("not saved"));
    }
}
BENCHMARK(BM_OrderSave)->Apply(sizes)->MinTime(1.0);

// The same statements in plain SQLite, prepared once.
void BM_OrderSaveSqlite(benchmark::State& state)
{
    const Shop& shop = Shop::withLines(static_cast<int>(state.range(0)));
    sqlite3* handle = benchfigures::openPlain(shop.file());
    const char* const texts[] = {
        "select id from company where id=?",
        "select rowid,Today,LSH,PrintOpt from JSQ",
        "select id from sales where orderno=?",
        "update JSQ set LSH=?,PrintOpt='不打印' where rowid=?",
        "select 1 from sales where indexflag=?",
        "select 1 from SalesMX where indexflag=?",
        "insert into sales (companyid,orderno,sales_connect,salesdate,totlemoney,invoicetype,receivemoney,description,"
        "sal_gk,indexflag,createtime,sal_CZZ) values (?,?,'王先生','2010-01-05 00:00:00',1000.5,'0',800,'','0',?,"
        "'2010-01-05 00:00:00','system')",
        "insert into SalesMX (productname,companyid,price,zk,num,unitprice,salesdate,indexflag) "
        "values (?,?,10.05,100,2,20.1,'2010-01-05 00:00:00',?)",
        "select rowid,product,KCL from product where product=?",
        "update product set KCL=? where rowid=?",
        "update sales set TotalNum=? where id=?",
        "select company_QK,company_zje,company_Zsl from company where ID=?",
        "update company set company_QK=?,company_zje=?,company_Zsl=? where rowid=?",
    };
    std::vector<sqlite3_stmt*> s;
    for (const char* text : texts) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v3(handle, text, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr);
        s.push_back(statement);
    }
    auto step = [](sqlite3_stmt* statement) {
        const int result = sqlite3_step(statement);
        return result;
    };
    int n = 0;
    for (auto _ : state) {
        const int customer = 2 + n % 1000;
        const QByteArray key = QStringLiteral("20101512%1").arg(10000 + n % 90000).toUtf8();
        const QByteArray orderNo = QStringLiteral("BENCH%1").arg(n).toUtf8();
        run(handle, "BEGIN IMMEDIATE");
        sqlite3_bind_int(s[0], 1, customer);
        step(s[0]);
        sqlite3_reset(s[0]);
        // The counter's next serial, passed over numbers already stored.
        if (step(s[1]) == SQLITE_ROW) {
            const QString day = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s[1], 1)));
            sqlite3_int64 serial = sqlite3_column_int64(s[1], 2) + 1;
            const sqlite3_int64 counterRow = sqlite3_column_int64(s[1], 0);
            sqlite3_reset(s[1]);
            for (;; ++serial) {
                const QByteArray number = ordercounter::orderNumber(day, serial).toUtf8();
                sqlite3_bind_text(s[2], 1, number.constData(), static_cast<int>(number.size()), SQLITE_TRANSIENT);
                const bool taken = step(s[2]) == SQLITE_ROW;
                sqlite3_reset(s[2]);
                if (!taken) break;
            }
            sqlite3_bind_int64(s[3], 1, serial);
            sqlite3_bind_int64(s[3], 2, counterRow);
            step(s[3]);
            sqlite3_reset(s[3]);
        }
        sqlite3_reset(s[1]);
        for (int probe : {4, 5}) {
            sqlite3_bind_text(s[probe], 1, key.constData(), static_cast<int>(key.size()), SQLITE_STATIC);
            step(s[probe]);
            sqlite3_reset(s[probe]);
        }
        sqlite3_bind_int(s[6], 1, customer);
        sqlite3_bind_text(s[6], 2, orderNo.constData(), static_cast<int>(orderNo.size()), SQLITE_STATIC);
        sqlite3_bind_text(s[6], 3, key.constData(), static_cast<int>(key.size()), SQLITE_STATIC);
        step(s[6]);
        sqlite3_reset(s[6]);
        const sqlite3_int64 orderId = sqlite3_last_insert_rowid(handle);
        for (int line = 0; line < 10; ++line) {
            const QByteArray product = QStringLiteral("商品%1").arg(1 + (n * 10 + line) % kProducts).toUtf8();
            sqlite3_bind_text(s[7], 1, product.constData(), static_cast<int>(product.size()), SQLITE_STATIC);
            sqlite3_bind_int(s[7], 2, customer);
            sqlite3_bind_text(s[7], 3, key.constData(), static_cast<int>(key.size()), SQLITE_STATIC);
            step(s[7]);
            sqlite3_reset(s[7]);
            sqlite3_bind_text(s[8], 1, product.constData(), static_cast<int>(product.size()), SQLITE_STATIC);
            while (step(s[8]) == SQLITE_ROW) {
                sqlite3_bind_double(s[9], 1, sqlite3_column_double(s[8], 2) - 2);
                sqlite3_bind_int64(s[9], 2, sqlite3_column_int64(s[8], 0));
                step(s[9]);
                sqlite3_reset(s[9]);
            }
            sqlite3_reset(s[8]);
        }
        sqlite3_bind_int(s[10], 1, 20);
        sqlite3_bind_int64(s[10], 2, orderId);
        step(s[10]);
        sqlite3_reset(s[10]);
        sqlite3_bind_int(s[11], 1, customer);
        if (step(s[11]) == SQLITE_ROW) {
            sqlite3_bind_double(s[12], 1, sqlite3_column_double(s[11], 0) + 200.5);
            sqlite3_bind_double(s[12], 2, sqlite3_column_double(s[11], 1) + 1000.5);
            sqlite3_bind_double(s[12], 3, sqlite3_column_double(s[11], 2) + 20);
            sqlite3_bind_int(s[12], 4, customer);
            step(s[12]);
            sqlite3_reset(s[12]);
        }
        sqlite3_reset(s[11]);
        run(handle, "COMMIT");
        ++n;
    }
    for (sqlite3_stmt* statement : s) sqlite3_finalize(statement);
    sqlite3_close_v2(handle);
}
BENCHMARK(BM_OrderSaveSqlite)->Apply(sizes)->MinTime(1.0);

// The statements the customer card runs for customer 1 (50 orders): its row,
// its contacts (for the calls tab) and the query of every tab.
QStringList cardQueries()
{
    QStringList queries{QStringLiteral("select * from company where id = 1")};
    db::Connection connection;
    connection.open(Mymode::ConnectString);
    db::Recordset contacts;
    contacts.open(relatedtabs::contactsQuery(1), connection);
    const QString numbers = relatedtabs::callNumbers(contacts);
    queries << relatedtabs::contactsQuery(1);
    for (int tab = 0; tab < relatedtabs::TabCount; ++tab) queries << relatedtabs::query(tab, 1, numbers);
    return queries;
}

// The card with every tab read as its grids read them, every cell taken.
void BM_CustomerCard(benchmark::State& state)
{
    Shop::withLines(static_cast<int>(state.range(0)));
    const QStringList queries = cardQueries();
    int rows = 0;
    for (auto _ : state) {
        rows = 0;
        for (const QString& sql : queries) {
            auto recordset = database::query(sql, db::LockType::Optimistic, db::CursorType::Keyset, db::CursorLocation::Client);
            for (int row = 0; row < recordset->recordCount(); ++row)
                for (int column = 0; column < recordset->fieldCount(); ++column)
                    benchmark::DoNotOptimize(recordset->value(row, column));
            rows += recordset->recordCount();
        }
    }
    state.counters["rows"] = rows;
}
BENCHMARK(BM_CustomerCard)->Apply(sizes)->MinTime(1.0);

// The same texts run by plain SQLite (they are plain SQL), on a handle per query as the card opens them.
void BM_CustomerCardSqlite(benchmark::State& state)
{
    const Shop& shop = Shop::withLines(static_cast<int>(state.range(0)));
    std::vector<QByteArray> queries;
    for (const QString& sql : cardQueries()) queries.push_back(sql.toUtf8());
    int rows = 0;
    for (auto _ : state) {
        rows = 0;
        for (const QByteArray& sql : queries) {
            sqlite3* handle = benchfigures::openPlain(shop.file());
            sqlite3_stmt* statement = nullptr;
            if (sqlite3_prepare_v2(handle, sql.constData(), static_cast<int>(sql.size()), &statement, nullptr) != SQLITE_OK) {
                state.SkipWithError(sqlite3_errmsg(handle));
                sqlite3_close_v2(handle);
                return;
            }
            rows += benchfigures::readTyped(statement);
            sqlite3_finalize(statement);
            sqlite3_close_v2(handle);
        }
    }
    state.counters["rows"] = rows;
}
BENCHMARK(BM_CustomerCardSqlite)->Apply(sizes)->MinTime(1.0);

// The 100,000-customer list as the main window's grid binds it, and its
// refresh; the memory counters are the process's, in MiB.
void BM_CustomerListOpen(benchmark::State& state)
{
    Shop::withLines(10'000);
    std::vector<ui::GridColumn> columns{{QStringLiteral("id"), 0, QStringLiteral("id")}};
    auto grid = std::make_unique<ui::DataGrid>(nullptr);
    const double before = benchfigures::residentMiB();
    for (auto _ : state) {
        state.PauseTiming();
        grid->unbind();
        state.ResumeTiming();
        gridbinding::bind(grid.get(), kCustomerList, columns);
        benchmark::DoNotOptimize(grid->rowCount());
    }
    state.counters["rows"] = grid->rowCount();
    state.counters["list_MiB"] = benchfigures::residentMiB() - before;
    benchfigures::resetPeak();
    const double held = benchfigures::residentMiB();
    gridbinding::bind(grid.get(), kCustomerList, columns);
    state.counters["refresh_peak_MiB"] = benchfigures::peakMiB();
    state.counters["refresh_over_held_MiB"] = benchfigures::peakMiB() - held;
}
BENCHMARK(BM_CustomerListOpen)->Arg(100'000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// A refresh: the list bound again while it shows its rows.
void BM_CustomerListRefresh(benchmark::State& state)
{
    Shop::withLines(10'000);
    std::vector<ui::GridColumn> columns{{QStringLiteral("id"), 0, QStringLiteral("id")}};
    ui::DataGrid grid(nullptr);
    gridbinding::bind(&grid, kCustomerList, columns);
    for (auto _ : state) gridbinding::bind(&grid, kCustomerList, columns);
    state.counters["rows"] = grid.rowCount();
}
BENCHMARK(BM_CustomerListRefresh)->Arg(100'000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The floor for both: the same rows read by plain SQLite with their own types.
void BM_CustomerListSqlite(benchmark::State& state)
{
    const Shop& shop = Shop::withLines(10'000);
    sqlite3* handle = benchfigures::openPlain(shop.file());
    const QByteArray sql = kCustomerList.toUtf8();
    int rows = 0;
    for (auto _ : state) {
        rows = benchfigures::readTyped(handle, sql.constData());
    }
    sqlite3_close_v2(handle);
    state.counters["rows"] = rows;
}
void BM_CustomerListOpenSqlite(benchmark::State& state) { BM_CustomerListSqlite(state); }
void BM_CustomerListRefreshSqlite(benchmark::State& state) { BM_CustomerListSqlite(state); }
BENCHMARK(BM_CustomerListOpenSqlite)->Arg(100'000)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_CustomerListRefreshSqlite)->Arg(100'000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    if (!QApplication::instance()) new QApplication(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchfigures::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
