// Database layer timings on a customer table of realistic size: the customer
// list a grid shows, a quick search over it, and entering customers one by one
// through a recordset.
#include "common/schema.h"
#include "platform/db/connection.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <sqlite3.h>

namespace {

constexpr int kCustomers = 100'000;

const QString kCustomerList = QStringLiteral(
    "select id,company_name,company_address,company_connect,company_dute,company_tel,company_fax,company_mail,"
    "company_mobil,company_http,company_postcode,company_createtime,company_area,company_client_type,"
    "company_clientsource,company_industry,company_client_status,company_description,company_khyh,company_yhzh,"
    "company_YJ,company_QK,company_ZJE,company_ZSL,KH_CZZ from company order by id desc");

// One database for the whole run: the system's tables, 100,000 customers.
class CustomerDatabase {
public:
    static CustomerDatabase& instance()
    {
        static CustomerDatabase database;
        return database;
    }

    QString file() const { return dir_.filePath(QStringLiteral("hvcrm.hvd")); }
    QString connectString() const
    {
        return QStringLiteral("provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=False;Data source =")
            + dir_.filePath(QStringLiteral("hvcrm.hvd")) + QStringLiteral(";Jet OLEDB:Database");
    }

private:
    CustomerDatabase()
    {
        db::createDatabase(file(), schema::mainDatabase());
        db::Connection connection;
        connection.open(connectString());
        connection.execute(QStringLiteral(
            "insert into company (company_name,company_address,company_connect,company_dute,company_tel,company_fax,"
            "company_mail,company_mobil,company_http,company_postcode,company_createtime,company_area,"
            "company_client_type,company_clientsource,company_industry,company_client_status,company_description,"
            "company_khyh,company_yhzh,company_YJ,company_QK,company_ZJE,company_ZSL,KH_CZZ,KH_GK) "
            "with recursive n(i) as (select 1 union all select i + 1 from n where i < %1) "
            "select '深圳市客户' || i || '贸易有限公司', '广东省深圳市南山区科技园路' || i || '号', '联系人' || (i % 977), "
            "'KH' || i, '0755-' || (20000000 + i), '0755-' || (30000000 + i), 'c' || i || '@example.com', "
            "'139' || (10000000 + i), 'http://www.example' || i || '.com', 'VIP' || i, "
            "printf('2024-%02d-%02d 00:00:00', 1 + i % 12, 1 + i % 28), '' || (i % 500), '一般客户', '电话营销', "
            "'贸易', '正常', '主要经营电子元器件，每月采购一次。备注' || i, '招商银行', '6225' || (880000000000 + i), "
            "(i % 100) * 10.5, (i % 37) * 1.25, (i % 1000) * 99.99, i % 50, 'system', '1' from n")
                               .arg(kCustomers));
    }

    QTemporaryDir dir_;
};

void openClientRecordset(benchmark::State& state, const QString& sql, db::LockType lock)
{
    db::Connection connection;
    connection.open(CustomerDatabase::instance().connectString());
    int rows = 0;
    for (auto _ : state) {
        db::Recordset recordset;
        recordset.open(sql, connection, db::CursorType::Keyset, lock, db::CursorLocation::Client);
        rows = recordset.recordCount();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = rows;
}

// (a) The customer list as the main grid binds it (optimistic, client-side).
void BM_CustomerListOpen(benchmark::State& state)
{
    openClientRecordset(state, kCustomerList, db::LockType::Optimistic);
}
BENCHMARK(BM_CustomerListOpen)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_CustomerListOpenReadOnly(benchmark::State& state)
{
    openClientRecordset(state, kCustomerList, db::LockType::ReadOnly);
}
BENCHMARK(BM_CustomerListOpenReadOnly)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The same customer list read with SQLite alone: every cell of every row
// taken from the engine and copied, the floor the layer is measured against.
void BM_CustomerListRawSqlite(benchmark::State& state)
{
    sqlite3* handle = nullptr;
    sqlite3_open_v2(QFile::encodeName(CustomerDatabase::instance().file()).constData(), &handle,
                    SQLITE_OPEN_READONLY, nullptr);
    const QByteArray sql = kCustomerList.toUtf8();
    int rows = 0;
    for (auto _ : state) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(handle, sql.constData(), static_cast<int>(sql.size()), &statement, nullptr);
        std::string cells;   // every cell's bytes, one after another
        rows = 0;
        const int columns = sqlite3_column_count(statement);
        while (sqlite3_step(statement) == SQLITE_ROW) {
            for (int i = 0; i < columns; ++i) {
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, i));
                if (text) cells.append(text, static_cast<std::size_t>(sqlite3_column_bytes(statement, i)));
                cells += '\0';
            }
            ++rows;
        }
        sqlite3_finalize(statement);
        benchmark::DoNotOptimize(cells.data());
    }
    sqlite3_close_v2(handle);
    state.counters["rows"] = rows;
}
BENCHMARK(BM_CustomerListRawSqlite)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// (b) A quick search: the same columns, a name containing a text.
void BM_CustomerSearchLike(benchmark::State& state)
{
    QString sql = kCustomerList;
    sql.replace(QStringLiteral(" from company order by id desc"),
                QStringLiteral(" from company where 1=1 and company_name like '%客户1234%' order by id desc"));
    openClientRecordset(state, sql, db::LockType::Optimistic);
}
BENCHMARK(BM_CustomerSearchLike)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// (c) 10,000 customers entered through addNew/update in one transaction.
void BM_CustomerInsert(benchmark::State& state)
{
    constexpr int kBatch = 10'000;
    db::Connection connection;
    connection.open(CustomerDatabase::instance().connectString());
    for (auto _ : state) {
        db::Recordset rows;
        rows.open(QStringLiteral("select * from company where id=0"), connection, db::CursorType::Keyset,
                  db::LockType::Optimistic, db::CursorLocation::Client);
        connection.beginTrans();
        for (int i = 0; i < kBatch; ++i) {
            rows.addNew();
            rows.setField(QStringLiteral("company_name"), db::Variant(QStringLiteral("新客户%1").arg(i)));
            rows.setField(QStringLiteral("company_address"), db::Variant("广东省深圳市福田区"));
            rows.setField(QStringLiteral("company_connect"), db::Variant("王先生"));
            rows.setField(QStringLiteral("company_tel"), db::Variant(QStringLiteral("0755-%1").arg(80000000 + i)));
            rows.setField(QStringLiteral("company_mobil"), db::Variant("13900000000"));
            rows.setField(QStringLiteral("company_createtime"), db::Variant("2026-3-1"));
            rows.setField(QStringLiteral("company_client_type"), db::Variant("一般客户"));
            rows.setField(QStringLiteral("company_YJ"), db::Variant("0"));
            rows.setField(QStringLiteral("company_QK"), db::Variant("12.5"));
            rows.setField(QStringLiteral("KH_CZZ"), db::Variant("system"));
            rows.setField(QStringLiteral("KH_GK"), db::Variant("0"));
            rows.update();
        }
        connection.commitTrans();
    }
    state.SetItemsProcessed(state.iterations() * kBatch);
}
BENCHMARK(BM_CustomerInsert)->Unit(benchmark::kMillisecond)->Iterations(3);

// Prints the layer's customer list time as a ratio of the raw read of the same run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration) seconds_[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        const auto raw = seconds_.find("BM_CustomerListRawSqlite/min_time:2.000");
        if (raw == seconds_.end() || raw->second <= 0) return;
        for (const char* name : {"BM_CustomerListOpen/min_time:2.000", "BM_CustomerListOpenReadOnly/min_time:2.000"})
            if (auto layer = seconds_.find(name); layer != seconds_.end())
                std::printf("%s: %.2f x the raw SQLite read\n", name, layer->second / raw->second);
    }

private:
    std::map<std::string, double> seconds_;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
