// Reading the Access test files: tables, columns and values as stored,
// Null told apart, and every kind of bad file refused with its reason.
#include "tests/support/fixtures.h"
#include "platform/mdb/accessfile.h"
#include "platform/mdb/isolation.h"
#include "platform/mdb/nullmask.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <csignal>
#include <map>
#include <cstring>
#include <stdexcept>
#include <unistd.h>

namespace {

QString fixture(const QString& name)
{
    return importFixture(name);
}

QVariant cell(const mdb::TableRows& table, int row, const QString& column)
{
    const int index = table.columnIndex(column);
    EXPECT_GE(index, 0) << column.toStdString();
    return index < 0 ? QVariant() : table.rows.at(row).at(index);
}

TEST(MdbAccessFile, ListsUserTablesInCatalogueOrder)
{
    const struct {
        const char* file;
        QStringList tables;
    } cases[] = {
        {"own-format.mdb", {"company", "KH_LXR", "product", "client_type"}},
        {"foreign.mdb", {QStringLiteral("客户资料"), "Orders"}},
        {"empty.mdb", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(mdb::openAccessFile(fixture(c.file))->tables(), c.tables) << c.file;
}

TEST(MdbAccessFile, ReadsValuesAsStoredWithNulls)
{
    const auto source = mdb::openAccessFile(fixture("own-format.mdb"));
    const mdb::TableRows company = source->rows("company");
    ASSERT_EQ(company.rows.size(), 5u);
    ASSERT_EQ(company.columns.size(), 31u);
    EXPECT_EQ(company.columns.front().name, "id");
    EXPECT_EQ(company.columns.back().name, "KH_GK");

    EXPECT_EQ(cell(company, 0, "company_name").toString(), QStringLiteral("北京华信科技有限公司"));
    EXPECT_EQ(cell(company, 2, "company_name").toString(), QStringLiteral("O'Brien贸易"));
    EXPECT_EQ(cell(company, 4, "company_address").toString(), QStringLiteral("  四川省成都市锦江区春熙路8号  "));
    EXPECT_EQ(cell(company, 0, "company_description").toString(),
              QStringLiteral("长期合作客户，每月初订货。\r\n需开增值税专用发票。"));
    // Null fields: no value at all, while their neighbours hold text.
    EXPECT_FALSE(cell(company, 3, "company_tel").isValid());
    EXPECT_EQ(cell(company, 3, "company_mobil").toString(), "13698765432");
    EXPECT_FALSE(cell(company, 1, "company_fax").isValid());
    EXPECT_FALSE(cell(company, 0, "company_field1").isValid());

    EXPECT_EQ(cell(company, 0, "id").toLongLong(), 1);
    EXPECT_EQ(cell(company, 0, "company_createtime").toDateTime(), QDateTime(QDate(2023, 3, 15), QTime(0, 0)));
    EXPECT_DOUBLE_EQ(cell(company, 0, "company_zje").toDouble(), 25680.5);
    EXPECT_DOUBLE_EQ(cell(company, 4, "company_Zsl").toDouble(), 150);

    const mdb::TableRows contacts = source->rows("KH_LXR");
    EXPECT_EQ(cell(contacts, 1, "birthday").toDateTime().date(), QDate(1985, 7, 12));
}

TEST(MdbAccessFile, ColumnKindsAndNamesWhateverTheCase)
{
    const auto source = mdb::openAccessFile(fixture("own-format.mdb"));
    const std::vector<mdb::Column> columns = source->columns("PRODUCT");
    QStringList names;
    for (const mdb::Column& column : columns) names << column.name;
    EXPECT_EQ(names, QStringList({"id", "product", "Product_no", "description", "price", "dw", "KCL", "InPrice", "kps"}));
    EXPECT_EQ(columns[0].kind, mdb::ValueKind::Integer);
    EXPECT_EQ(columns[1].kind, mdb::ValueKind::Text);
    EXPECT_EQ(columns[4].kind, mdb::ValueKind::Money);
    EXPECT_EQ(columns[6].kind, mdb::ValueKind::Number);

    const mdb::TableRows products = source->rows("product");
    EXPECT_DOUBLE_EQ(cell(products, 3, "price").toDouble(), 79.9);
    EXPECT_FALSE(cell(products, 0, "kps").isValid());
}

// Copies of a good file, cut short or with one byte changed.
QString damagedCopy(const QTemporaryDir& dir, const QString& name, qsizetype keep, qsizetype offset = -1)
{
    QFile source(fixture("own-format.mdb"));
    EXPECT_TRUE(source.open(QIODevice::ReadOnly));
    QByteArray bytes = source.readAll().left(keep);
    if (offset >= 0) bytes[offset] = char(0xFF);
    QFile copy(dir.filePath(name));
    EXPECT_TRUE(copy.open(QIODevice::WriteOnly));
    copy.write(bytes);
    return copy.fileName();
}

TEST(MdbAccessFile, RefusesBadFilesWithTheirReason)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("folder.mdb");
    using Reason = mdb::Error::Reason;
    const struct {
        QString path;
        Reason reason;
    } cases[] = {
        {dir.filePath("missing.mdb"), Reason::Missing},
        {fixture("not-access.mdb"), Reason::NotAccess},
        {dir.filePath("folder.mdb"), Reason::Unreadable},
        {damagedCopy(dir, "header-only.mdb", 100), Reason::Damaged},
        {damagedCopy(dir, "cut.mdb", 8192 + 100), Reason::Damaged},
        {damagedCopy(dir, "three-pages.mdb", 3 * 4096), Reason::Damaged},
        // The reading library crashes on this one; the program only hears "damaged".
        {damagedCopy(dir, "crashing.mdb", 1 << 30, 8247), Reason::Damaged},
    };
    for (const auto& c : cases) {
        try {
            mdb::openAccessFile(c.path);
            ADD_FAILURE() << "opened " << c.path.toStdString();
        } catch (const mdb::Error& error) {
            EXPECT_EQ(error.reason(), c.reason) << c.path.toStdString();
            EXPECT_EQ(error.detail(), c.path);
        }
    }
}

// foreign.mdb with the Null 备注 of 南京金陵家具城 made a zero-length text by
// setting that field's bit in the row's null mask (the row's last byte). The
// row is found through its page's row offsets: Jet 4 keeps the row count at
// byte 12 and two bytes per row after it; a row ends where the row before it
// starts, the first one at the end of the page.
QString copyWithZeroLengthRemark(const QTemporaryDir& dir)
{
    QFile source(fixture("foreign.mdb"));
    EXPECT_TRUE(source.open(QIODevice::ReadOnly));
    QByteArray bytes = source.readAll();
    const QString name = QStringLiteral("南京金陵家具城");
    const qsizetype at = bytes.indexOf(QByteArray(reinterpret_cast<const char*>(name.utf16()), name.size() * 2));
    EXPECT_GT(at, 0);
    const qsizetype page = at / 4096 * 4096;
    const auto word = [&](qsizetype offset) {
        return (static_cast<unsigned char>(bytes[offset]) | static_cast<unsigned char>(bytes[offset + 1]) << 8) & 0x1FFF;
    };
    qsizetype end = 4096;
    for (int row = 0; row < word(page + 12); ++row) {
        const qsizetype start = word(page + 14 + 2 * row);
        if (page + start <= at && at < page + end) bytes[page + end - 1] = char(0x3F);   // all six columns hold a value
        end = start;
    }
    QFile copy(dir.filePath("zero-length.mdb"));
    EXPECT_TRUE(copy.open(QIODevice::WriteOnly));
    copy.write(bytes);
    return copy.fileName();
}

TEST(MdbAccessFile, ZeroLengthTextIsNoNull)
{
    QTemporaryDir dir;
    const mdb::TableRows customers = mdb::openAccessFile(copyWithZeroLengthRemark(dir))->rows(QStringLiteral("客户资料"));
    const QVariant remark = cell(customers, 1, QStringLiteral("备注"));
    EXPECT_TRUE(remark.isValid());
    EXPECT_EQ(remark.toString(), QString());
    EXPECT_FALSE(cell(customers, 5, QStringLiteral("备注")).isValid());   // another row's Null stays Null
}

TEST(MdbIsolation, OnlyAReaderThatFinishesIsHeard)
{
    using mdb::detail::runIsolated;
    const auto say = [](int fd, const char* text) {
        if (::write(fd, text, std::strlen(text)) < 0) throw std::runtime_error("not heard");
    };
    EXPECT_EQ(runIsolated([&](int fd) { say(fd, "answer"); }, 5000), QByteArray("answer"));
    EXPECT_FALSE(runIsolated([](int) { std::raise(SIGSEGV); }, 5000));
    EXPECT_FALSE(runIsolated([](int) { throw std::runtime_error("failed"); }, 5000));
    // Stuck after a first word: stopped once it stays silent.
    EXPECT_FALSE(runIsolated([&](int fd) {
        say(fd, "a");
        for (;;) ::pause();
    }, 200));
}

// A Jet 4 row of `columns` columns: the count, some data, the null mask.
std::vector<unsigned char> jet4Row(int columns, std::vector<unsigned char> mask)
{
    std::vector<unsigned char> row{static_cast<unsigned char>(columns), 0, 'x', 'y', 'z'};
    row.insert(row.end(), mask.begin(), mask.end());
    return row;
}

TEST(MdbNullMask, TellsHeldFieldsFromNullOnes)
{
    // Ten columns: bits 0, 3 and 9 set.
    const auto row = jet4Row(10, {0b0000'1001, 0b10});
    const std::vector<int> positions{0, 1, 3, 9};
    EXPECT_EQ(mdb::detail::heldValues(row.data(), row.size(), false, positions, {true, false, false, true}),
              std::vector<bool>({true, false, true, true}));
    // Jet 3 counts columns in one byte.
    const std::vector<unsigned char> jet3{3, 'a', 0b101};
    EXPECT_EQ(mdb::detail::heldValues(jet3.data(), jet3.size(), true, {0, 1, 2}, {}),
              std::vector<bool>({true, false, true}));
}

TEST(MdbNullMask, RowsThatDoNotAgreeTellNothing)
{
    const auto row = jet4Row(10, {0b0000'1001, 0b10});
    // A bound text where the mask says Null: the row found is not the row read.
    EXPECT_TRUE(mdb::detail::heldValues(row.data(), row.size(), false, {1}, {true}).empty());
    // A position beyond the row's columns.
    EXPECT_TRUE(mdb::detail::heldValues(row.data(), row.size(), false, {10}, {false}).empty());
    // Too short for its own mask.
    const std::vector<unsigned char> shortRow{40, 0, 1};
    EXPECT_TRUE(mdb::detail::heldValues(shortRow.data(), shortRow.size(), false, {0}, {false}).empty());
}

} // namespace

namespace {

// own-format.mdb with page `page` (of 4096 bytes) zeroed or scribbled over.
QString pageDamagedCopy(const QTemporaryDir& dir, int page, char fill)
{
    QFile source(fixture("own-format.mdb"));
    EXPECT_TRUE(source.open(QIODevice::ReadOnly));
    QByteArray bytes = source.readAll();
    for (qsizetype i = qsizetype(page) * 4096 + (fill ? 16 : 0); i < qsizetype(page + 1) * 4096; ++i) bytes[i] = fill;
    QFile copy(dir.filePath(QStringLiteral("page%1-%2.mdb").arg(page).arg(int(fill))));
    EXPECT_TRUE(copy.open(QIODevice::WriteOnly));
    copy.write(bytes);
    return copy.fileName();
}

// A damaged data page never gives a table with rows missing or added: the
// table reads as before or counts as damaged.
TEST(MdbAccessFile, TableWithADamagedDataPageIsDamagedNotShort)
{
    QFile good(fixture("own-format.mdb"));
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    const QByteArray bytes = good.readAll();
    const auto intact = mdb::openAccessFile(fixture("own-format.mdb"));
    const QStringList tables = intact->tables();
    std::map<QString, std::size_t> rowCounts;
    for (const QString& table : tables) rowCounts[table] = intact->rows(table).rows.size();

    QTemporaryDir dir;
    int damagedSeen = 0;
    for (int page = 1; page < bytes.size() / 4096; ++page) {
        if (bytes[page * 4096] != 0x01) continue;   // data pages only
        for (const char fill : {char(0), char(0x5A)}) {
            SCOPED_TRACE(page);
            std::unique_ptr<mdb::Source> source;
            try {
                source = mdb::openAccessFile(pageDamagedCopy(dir, page, fill));
            } catch (const mdb::Error&) {
                ++damagedSeen;
                continue;
            }
            for (const QString& table : tables) {
                try {
                    EXPECT_EQ(source->rows(table).rows.size(), rowCounts[table]) << table.toStdString();
                } catch (const mdb::Error& error) {
                    // A damaged catalogue page loses the table altogether.
                    EXPECT_NE(error.reason(), mdb::Error::Reason::Missing);
                    if (error.reason() == mdb::Error::Reason::Damaged) ++damagedSeen;
                }
            }
        }
    }
    EXPECT_GT(damagedSeen, 0);
}

} // namespace
