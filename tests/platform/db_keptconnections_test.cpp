// The handles closed connections leave for the next connection to the same
// file: the next user starts with no transaction and sees the file as it is
// now (its rows, its tables, the file itself when it was replaced), and the
// open files stay few however many connections come and go.
#include "db_testdatabase.h"

#include "platform/db/error.h"
#include "platform/db/handlepool.h"

#include <QDir>
#include <QFile>
#include <vector>

using namespace db;

namespace {

int openFiles()
{
    return static_cast<int>(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System).size());
}

class KeptHandles : public TestDatabase {
protected:
    QString connectStringOf(const QString& path) const { return QStringLiteral("dbq=") + path + QLatin1Char(';'); }
    std::unique_ptr<Connection> connectTo(const QString& path) const
    {
        auto connection = std::make_unique<Connection>();
        connection->open(connectStringOf(path));
        return connection;
    }
};

TEST_F(KeptHandles, TheNextConnectionStartsWithNoTransactionAndTheFileAsItIsNow)
{
    {
        auto left = connect();
        left->beginTrans();
        left->execute(QStringLiteral("insert into customer (name) values ('lost')"));
    }
    auto next = connect();
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from customer")), QStringLiteral("0"));
    EXPECT_NO_THROW(next->beginTrans());
    next->execute(QStringLiteral("insert into customer (name) values ('a')"));
    next->commitTrans();
    next.reset();

    // A column added by another connection is seen by the next one.
    connect()->execute(QStringLiteral("alter table customer add column region TEXT(10) COLLATE NOCASE"));
    auto after = connect();
    auto row = query(*after, QStringLiteral("select * from customer"), LockType::ReadOnly);
    EXPECT_GE(row->fieldIndex(QStringLiteral("region")), 0);

    // Another file's connection sees its own tables only.
    const QString other = dir.filePath(QStringLiteral("other.hvd"));
    createDatabase(other, {QStringLiteral("CREATE TABLE note (text TEXT(10) COLLATE NOCASE)")});
    auto elsewhere = connectTo(other);
    EXPECT_EQ(elsewhere->execute(QStringLiteral("insert into note values ('x')")), 1);
    EXPECT_THROW(elsewhere->execute(QStringLiteral("select * from customer")), Error);
}

TEST_F(KeptHandles, AFileReplacedOrWrittenOverIsOpenedAfresh)
{
    connect()->execute(QStringLiteral("insert into customer (name) values ('old')"));
    ASSERT_TRUE(QFile::remove(file()));
    createDatabase(file(), {QStringLiteral("CREATE TABLE customer (id INTEGER PRIMARY KEY, name TEXT(10) COLLATE NOCASE)"),
                            QStringLiteral("INSERT INTO customer (name) VALUES ('new')")});
    EXPECT_EQ(scalar(QStringLiteral("select group_concat(name) from customer")), QStringLiteral("new"));

    connect().reset();
    QFile junk(file());
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly | QIODevice::Truncate));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    Connection connection;
    EXPECT_THROW(connection.open(connectString()), Error);
    EXPECT_FALSE(connection.isOpen());
}

TEST_F(KeptHandles, OpenFilesStayFewHoweverManyConnectionsComeAndGo)
{
    connect().reset();
    const int one = openFiles();
    for (int i = 0; i < 200; ++i) EXPECT_EQ(connect()->execute(QStringLiteral("insert into customer (name) values ('a')")), 1);
    EXPECT_EQ(openFiles(), one);

    std::vector<std::unique_ptr<Connection>> together;
    for (int i = 0; i < 20; ++i) together.push_back(connect());
    EXPECT_GE(openFiles(), one + 19);
    together.clear();
    EXPECT_LE(openFiles(), one - 1 + handlepool::kKeptPerFile);

    for (int i = 0; i < 20; ++i) {
        const QString path = dir.filePath(QStringLiteral("f%1.hvd").arg(i));
        createDatabase(path, {QStringLiteral("CREATE TABLE t (a LONG)")});
        connectTo(path)->execute(QStringLiteral("insert into t values (1)"));
    }
    EXPECT_LE(openFiles(), one - 1 + handlepool::kKept);
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from customer")), QStringLiteral("200"));
}

TEST_F(KeptHandles, AKeptHandleHoldsNoPagesOfItsFile)
{
    connect()->execute(QStringLiteral("create table note (text TEXT(255))"));
    connect()->execute(QStringLiteral("insert into note with recursive n(i) as (select 1 union all select i + 1 from n "
                                      "where i < 4000) select printf('%0250d', i) from n"));
    const sqlite3_int64 before = sqlite3_memory_used();
    {
        auto reader = connect();
        auto rows = query(*reader, QStringLiteral("select * from note"), LockType::ReadOnly);
        EXPECT_EQ(rows->recordCount(), 4000);
        // The read brought the table's pages, about a megabyte, into the handle's cache...
        EXPECT_GT(sqlite3_memory_used(), before + 500 * 1024);
    }
    // ...which it lets go when it is kept for the next connection.
    EXPECT_LT(sqlite3_memory_used(), before + 100 * 1024);
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from note")), QStringLiteral("4000"));
}

} // namespace
