// Waiting for another workstation's hold on the file: an action of the window
// thread waits once in all and shows the wait cursor meanwhile; a step under
// a limit waits no longer than it; two files attached to one connection
// commit together or not at all.
#include "db_testdatabase.h"

#include "platform/db/busywait.h"
#include "platform/db/error.h"

#include <QCoreApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <optional>

using namespace db;

namespace {

class FileHeld : public TestDatabase {
protected:
    void SetUp() override
    {
        TestDatabase::SetUp();
        setBusyWaitForTests(kWaitMs);
    }
    void TearDown() override
    {
        setBusyWaitForTests(0);
        QCoreApplication::processEvents();   // ends the test's action
    }
    void holdExclusive()
    {
        holder = connect();
        holder->execute(QStringLiteral("BEGIN EXCLUSIVE"));
    }
    // How long a read took and whether it failed as busy.
    std::pair<qint64, bool> timedRead()
    {
        QElapsedTimer timer;
        timer.start();
        bool busy = false;
        try {
            auto connection = connect();
            query(*connection, QStringLiteral("select count(*) from customer"), LockType::ReadOnly);
        } catch (const Error& error) {
            busy = error.kind() == Error::Kind::Busy;
        }
        return {timer.elapsed(), busy};
    }

    static constexpr int kWaitMs = 400;
    std::unique_ptr<Connection> holder;
};

} // namespace

TEST_F(FileHeld, AnActionWaitsOnceInAllWithTheWaitCursorShown)
{
    // A kept handle of the file: taking it again checks it without waiting.
    connect().reset();
    holdExclusive();

    const auto [first, firstBusy] = timedRead();
    EXPECT_TRUE(firstBusy);
    EXPECT_GE(first, kWaitMs - 20);
    EXPECT_LT(first, kWaitMs * 3 / 2);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);

    const auto [second, secondBusy] = timedRead();
    EXPECT_TRUE(secondBusy);
    EXPECT_LT(second, 50);

    // Back in the event loop: the cursor is restored and the next action waits again.
    QCoreApplication::processEvents();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    const auto [third, thirdBusy] = timedRead();
    EXPECT_TRUE(thirdBusy);
    EXPECT_GE(third, kWaitMs - 20);

    QCoreApplication::processEvents();
    holder->rollbackTrans();
    const auto [free, freeBusy] = timedRead();
    EXPECT_FALSE(freeBusy);
}

// A step under a limit waits no longer than it; a limit inside another allows
// at most what the outer one has left, and nothing once that is used up.
TEST_F(FileHeld, AStepUnderALimitWaitsNoLongerThanIt)
{
    holdExclusive();
    const struct {
        int outer;          // -1: none
        bool outerUsedUp;   // a read under the outer limit waited its fill first
        int inner;
        int mostMs;         // the read under the inner limit waits less than this
    } cases[] = {{-1, false, 0, 60},  {-1, false, 100, 100 + 60}, {100, true, 0, 20},
                 {100, true, 300, 20}, {100, false, 0, 20},        {100, false, 300, 100 + 40}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.outer << (c.outerUsedUp ? " used up, " : ", ") << c.inner);
        std::optional<busywait::Limit> outer;
        if (c.outer >= 0) outer.emplace(c.outer);
        if (c.outerUsedUp) EXPECT_TRUE(timedRead().second);
        QElapsedTimer timer;
        timer.start();
        {
            const busywait::Limit inner(c.inner);
            EXPECT_TRUE(timedRead().second);
        }
        EXPECT_LT(timer.elapsed(), c.mostMs);
        QCoreApplication::processEvents();   // the next case is an action of its own
    }
}

TEST_F(FileHeld, AttachedFilesCommitTogetherOrNotAtAll)
{
    const QString otherFile = dir.filePath(QStringLiteral("outbox.hvd"));
    createDatabase(otherFile, {QStringLiteral("CREATE TABLE note (text TEXT(10) COLLATE NOCASE)"),
                               QStringLiteral("CREATE TABLE customer (name TEXT(10))")});
    const QString other = QStringLiteral("dbq=") + otherFile + QLatin1Char(';');
    const auto notes = [&] {
        Connection connection;
        connection.open(other);
        Recordset rows;
        rows.open(QStringLiteral("select count(*) from note"), connection);
        return rows.field(0).toLong();
    };

    for (const bool commit : {false, true}) {
        auto connection = connect();
        connection->attach(other, QStringLiteral("outbox"));
        connection->beginTrans();
        connection->execute(QStringLiteral("insert into customer (name) values ('a')"));
        connection->execute(QStringLiteral("insert into outbox.note (text) values ('a')"));
        // A recordset over the attached file's table writes there, though the main file has one of that name.
        Recordset row;
        row.open(QStringLiteral("select * from outbox.customer"), *connection, CursorType::Static, LockType::Optimistic);
        row.addNew();
        row.setField(QStringLiteral("name"), Variant(QStringLiteral("b")));
        row.update();
        if (commit)
            connection->commitTrans();
        else
            connection->rollbackTrans();
    }
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from customer")), QStringLiteral("1"));
    EXPECT_EQ(notes(), 1);
    {
        Connection connection;
        connection.open(other);
        EXPECT_EQ(query(connection, QStringLiteral("select name from customer"), LockType::ReadOnly)->field(0).toText(),
                  QStringLiteral("b"));
    }

    // The next connection to the file does not get the attachment with a kept handle.
    EXPECT_THROW(connect()->execute(QStringLiteral("select * from outbox.note")), Error);

    // A file that is missing is not made; one that is no database is refused.
    const QString missing = dir.filePath(QStringLiteral("missing.hvd"));
    EXPECT_THROW(connect()->attach(QStringLiteral("dbq=") + missing, QStringLiteral("gone")), Error);
    EXPECT_FALSE(QFile::exists(missing));
    const QString empty = dir.filePath(QStringLiteral("empty.hvd"));
    QFile(empty).open(QIODevice::WriteOnly);
    EXPECT_THROW(connect()->attach(QStringLiteral("dbq=") + empty, QStringLiteral("none")), Error);
}
