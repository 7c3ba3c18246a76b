// The Jet functions the SQL texts call, evaluated by the engine, and the
// SELECT ... INTO export to a workbook.
#include "db_testdatabase.h"

#include "platform/db/error.h"
#include "platform/db/jetfunctions.h"
#include "platform/db/locale.h"
#include "platform/db/numbertext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <freexl.h>
#include <set>
#include <sqlite3.h>

using namespace db;

namespace {

using JetFunctions = TestDatabase;

TEST_F(JetFunctions, GiveJetResults)
{
    locale::setClockForTests(QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9)));
    const std::pair<const char*, const char*> cases[] = {
        {"cstr(12.5)", "12.5"},
        {"cstr(3.0)", "3"},
        {"cstr('2024-03-01 08:05:00')", "2024-3-1 8:05:00"},
        {"cstr('2024-03-01 00:00:00')", "2024-3-1"},
        {"cstr('SH240301-00001')", "SH240301-00001"},
        {"cstr(null) is null", "1"},
        {"cint(2.5)", "2"},
        {"cint(3.5)", "4"},
        {"cint(' 7.5 ')", "8"},
        {"cint(100000.4)", "100000"},                // no 16-bit overflow
        {"clng(-2.5)", "-2"},
        {"cdbl('1.25') * 2", "2.5"},
        {"instr('abc', 'B')", "2"},
        {"instr('', 'a')", "0"},
        {"instr('', '')", "0"},
        {"instr('abc', '')", "1"},
        {"instr(2, 'abcabc', 'a')", "4"},
        {"instr('0755-1234', '1234') > 0", "1"},
        {"instr('电话：0755-1234', '1234')", "9"},
        {"instr('𝄞 12', '12')", "4"},
        {"instr('0755', '7555')", "0"},
        {"instr(null, 'a') is null", "1"},
        {"Year('2024-03-01 08:05:00')", "2024"},
        {"Month('2024-3-9')", "3"},
        {"Day(#2024-3-9#)", "9"},
        {"Month('') is null and Day('abc') is null", "1"},
        {"Now()", "2024-05-06 07:08:09"},
        {"Date()", "2024-05-06 00:00:00"},
        {"iif(1 > 0, 'y', 'n')", "y"},
        {"iif(null, 'y', 'n')", "n"},
        {"len('中文ab')", "4"},
        {"left('abcdef', 2)", "ab"},
        {"right('abcdef', 2)", "ef"},
        {"mid('abcdef', 2, 3)", "bcd"},
        {"mid('abcdef', 3)", "cdef"},
        {"ucase('abc')", "ABC"},
        {"lcase('ABC')", "abc"},
        {"trim('  a b  ')", "a b"},
        {"val('12abc')", "12"},
        {"isnull(null)", "1"},
        {"'a' & 'b' & 1", "ab1"},
        {"'ABC' like '%b%'", "1"},
    };
    for (const auto& [expression, expected] : cases)
        EXPECT_EQ(scalar(QStringLiteral("select ") + QString::fromUtf8(expression)), QString::fromUtf8(expected)) << expression;
    locale::setClockForTests(std::nullopt);
}

// The columns an unaliased call is read by, and shown under, are named by the
// call's text as written.
TEST_F(JetFunctions, UnaliasedCallsKeepTheirTextAsColumnName)
{
    auto connection = connect();
    connection->execute(QStringLiteral("insert into customer (name, visits, created) values ('Abc', 3, #2024-3-5 8:00#)"));
    auto rows = query(*connection,
                      QStringLiteral("select Format(created,'yyyy'), IIf(visits > 1, 'many', 'few'), InStr(name, 'b'), "
                                     "InStr(2, name, 'c') as at, max(name) from customer"),
                      LockType::ReadOnly);
    ASSERT_EQ(rows->fieldCount(), 5);
    const std::pair<const char*, const char*> columns[] = {
        {"Format(created,'yyyy')", "2024"}, {"IIf(visits > 1, 'many', 'few')", "many"}, {"InStr(name, 'b')", "2"},
        {"at", "3"}, {"max(name)", "Abc"}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(rows->fieldName(i), QString::fromUtf8(columns[i].first));
        EXPECT_EQ(rows->field(QString::fromUtf8(columns[i].first)).toText(), QString::fromUtf8(columns[i].second));
    }
}

TEST_F(JetFunctions, DateIsTodayAtMidnight)
{
    const QDate today = QDate::currentDate();
    EXPECT_EQ(scalar(QStringLiteral("select Date()")), locale::storageText(QDateTime(today, QTime(0, 0))));
    EXPECT_EQ(scalar(QStringLiteral("select iif(date() = #%1#, 'today', 'not')").arg(today.toString(Qt::ISODate))),
              QStringLiteral("today"));
    // SQLite's date(value) stays SQLite's
    EXPECT_EQ(scalar(QStringLiteral("select date('2024-03-05 08:00:00')")), QStringLiteral("2024-03-05"));
}

// Every other tool that opens the file knows SQLite's own functions and
// collations by their names: none of ours may take one of those names.
TEST(JetFunctionNames, NoneIsABuiltInName)
{
    struct Handle {
        Handle()
        {
            sqlite3_open_v2(":memory:", &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
            sqlite3_exec(raw, "create table probe (v text); insert into probe values ('a'), ('B'), ('b '), ('É'), "
                              "('é'), ('阿'), ('北'), ('O''Brien'), ('o''brien'), ('Z'), (''), ('  ')",
                         nullptr, nullptr, nullptr);
        }
        ~Handle() { sqlite3_close_v2(raw); }
        std::vector<std::string> column(const std::string& sql) const
        {
            std::vector<std::string> values;
            sqlite3_stmt* statement = nullptr;
            sqlite3_prepare_v2(raw, sql.c_str(), -1, &statement, nullptr);
            while (sqlite3_step(statement) == SQLITE_ROW)
                values.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
            sqlite3_finalize(statement);
            return values;
        }
        sqlite3* raw = nullptr;
    };
    const Handle stock;
    Handle ours;
    registerJetFunctions(ours.raw);

    // SQLite's own, and those its built-in extensions (FTS, R-tree) add to
    // every connection; ours are the entries only our connection lists.
    const std::vector<std::string> builtIn = stock.column("select name from pragma_function_list");
    const std::set<std::string> builtInNames(builtIn.begin(), builtIn.end());
    ASSERT_TRUE(builtInNames.count("instr") && builtInNames.count("format") && builtInNames.count("iif"));
    const char* entries = "select name || '/' || narg || '/' || flags || '/' || builtin from pragma_function_list";
    const std::vector<std::string> stockEntries = stock.column(entries);
    const std::set<std::string> stockEntrySet(stockEntries.begin(), stockEntries.end());
    std::vector<std::string> registered;
    for (const std::string& entry : ours.column(entries))
        if (!stockEntrySet.count(entry)) registered.push_back(entry.substr(0, entry.find('/')));
    EXPECT_GE(registered.size(), 20u);
    EXPECT_EQ(std::count(registered.begin(), registered.end(), "jet_instr"), 2);
    for (const std::string& name : registered) EXPECT_EQ(builtInNames.count(name), 0u) << name;

    // A collation of ours under a built-in name would show as that name: each
    // built-in one must still order and compare as SQLite's own does.
    const std::vector<std::string> stockCollations = stock.column("select name from pragma_collation_list");
    const std::vector<std::string> ourCollations = ours.column("select name from pragma_collation_list");
    EXPECT_GT(ourCollations.size(), stockCollations.size());
    for (const std::string& name : stockCollations) {
        const std::string ordered = "select group_concat(v, '|') from (select v from probe order by v collate " + name + ", rowid)";
        const std::string equal = "select count(*) from probe a, probe b where a.v = b.v collate " + name;
        EXPECT_EQ(ours.column(ordered), stock.column(ordered)) << name;
        EXPECT_EQ(ours.column(equal), stock.column(equal)) << name;
    }
}

TEST_F(JetFunctions, ConversionOfANonNumberFailsTheQuery)
{
    EXPECT_THROW(scalar(QStringLiteral("select cint('abc')")), Error);
    EXPECT_THROW(scalar(QStringLiteral("select mid('abc', 0)")), Error);
}

TEST_F(JetFunctions, CurrencyReadsAndSumsTakeEachRealAmountAsWritten)
{
    // Amounts stored as REAL: sums of doubles, ties at the fifteenth digit and
    // at the fifth decimal, tiny and large magnitudes, and spread random ones.
    std::vector<double> amounts = {0.1 * 3,          2.675,           -2.675,         12345678901.03125, -12345678901.03125,
                                   1234567.89012345, 0.00005,         0.00015,        0.000049999,       99999999999.99,
                                   1e-5,             1.00005,         -0.00005,       3.14159265358979,  1e10 + 0.5,
                                   0.3 - 0.1,        1234.56785,      7777777.77775,  5e-5 + 1e-20,      42.5};
    std::uint64_t seed = 12345;
    for (int i = 0; i < 400; ++i) {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        const double units = static_cast<double>(seed >> 20) / static_cast<double>(1ULL << (seed % 40));
        amounts.push_back((seed & 1 ? -1 : 1) * std::fmod(units, 1e11) + 0.001);
        // Whole ten-thousandths as a double holds them, at every magnitude.
        amounts.push_back(static_cast<double>((seed >> 14) % 1'000'000'000'000'000) / 10000 * (seed & 2 ? -1 : 1));
        amounts.push_back(1.1 * (i % 700) + 0.1);
    }
    for (const double amount : {9999999999.9999, 10000000000.0001, 99999999999.9999, 0.0001, 0.00010000000001, 4.99995,
                                 0.49995, 1e-5 * 3, 123.45674999999, 123.45675000001})
        amounts.push_back(amount);
    auto connection = connect();
    __int128 total = 0;
    for (const double amount : amounts) {
        connection->execute(QStringLiteral("insert into customer (balance) values (%1)").arg(QString::number(amount, 'g', 17)));
        total += *numbertext::parseTicks(numbertext::format(amount));
    }
    auto rows = query(*connection, QStringLiteral("select balance from customer order by id"), LockType::ReadOnly);
    for (const double amount : amounts) {
        ASSERT_FALSE(rows->eof());
        EXPECT_EQ(rows->field(0), Variant(Currency::fromTicks(*numbertext::parseTicks(numbertext::format(amount)))))
            << QString::number(amount, 'g', 17).toStdString();
        rows->moveNext();
    }
    auto sum = query(*connection, QStringLiteral("select sum(balance) as s from customer"), LockType::ReadOnly);
    EXPECT_EQ(sum->field(0), Variant(Currency::fromTicks(static_cast<std::int64_t>(total))));
}

TEST_F(JetFunctions, AmountSearchComparesWholeNumbers)
{
    auto connection = connect();
    connection->execute(QStringLiteral("insert into customer (name, balance) values ('a', 999.5), ('b', 1000.5), ('c', 1001.5)"));
    EXPECT_EQ(scalar(QStringLiteral("select group_concat(name) from customer where cint(balance) = 1000")),
              QStringLiteral("a,b"));
}

// ---- SELECT ... INTO [Excel 5.0;DATABASE=path].[sheet] ----

struct Workbook {
    explicit Workbook(const QString& path) { opened = freexl_open(QFile::encodeName(path).constData(), &handle) == FREEXL_OK; }
    ~Workbook() { freexl_close(handle); }
    QString sheetName() const
    {
        const char* name = nullptr;
        freexl_get_worksheet_name(handle, 0, &name);
        return QString::fromUtf8(name);
    }
    QString cell(unsigned row, unsigned short column) const
    {
        freexl_select_active_worksheet(handle, 0);
        FreeXL_CellValue value;
        if (freexl_get_cell_value(handle, row, column, &value) != FREEXL_OK) return QStringLiteral("<error>");
        switch (value.type) {
        case FREEXL_CELL_INT: return QString::number(value.value.int_value);
        case FREEXL_CELL_DOUBLE: return QString::number(value.value.double_value);
        case FREEXL_CELL_NULL: return QStringLiteral("<null>");
        default: return QString::fromUtf8(value.value.text_value);
        }
    }
    const void* handle = nullptr;
    bool opened = false;
};

using ExcelExport = TestDatabase;

TEST_F(ExcelExport, SelectIntoWritesTheRowsUnderTheQueryHeadings)
{
    auto connection = connect();
    connection->execute(QStringLiteral("insert into customer (name, balance, note) values ('甲公司', 12.5, null), ('b', 3, 'x')"));
    const QString path = dir.filePath(QStringLiteral("导出 文件/Export2excel.xls"));
    QDir().mkpath(QFileInfo(path).absolutePath());
    const int written = connection->execute(
        QStringLiteral("SELECT name as 客户名称,balance as 欠款,note as 备注 INTO [Excel 5.0;DATABASE=") + path
        + QStringLiteral("].[data] FROM customer where 1=1 order by id desc"));
    EXPECT_EQ(written, 2);
    Workbook book(path);
    ASSERT_TRUE(book.opened);
    EXPECT_EQ(book.sheetName(), QStringLiteral("data"));
    EXPECT_EQ(book.cell(0, 0), QStringLiteral("客户名称"));
    EXPECT_EQ(book.cell(0, 1), QStringLiteral("欠款"));
    EXPECT_EQ(book.cell(1, 0), QStringLiteral("b"));
    EXPECT_EQ(book.cell(2, 0), QStringLiteral("甲公司"));
    EXPECT_EQ(book.cell(2, 1), QStringLiteral("12.5"));
    EXPECT_EQ(book.cell(2, 2), QStringLiteral("<null>"));
}

TEST_F(ExcelExport, UnwritablePathFails)
{
    auto connection = connect();
    EXPECT_THROW(connection->execute(QStringLiteral("SELECT name INTO [Excel 5.0;DATABASE=") + dir.filePath(QStringLiteral("no/such/dir/x.xls"))
                                     + QStringLiteral("].[data] FROM customer")),
                 Error);
}

} // namespace
