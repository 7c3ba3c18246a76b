// Two threads using the layer at once, as the call monitor's window thread
// and its call-log writer do: each on connections of its own, to the same
// file and to a second file attached, with the statements' rewriting, the
// Jet functions, the Chinese text order, the declared types and the kept
// handles all in use on both.
#include "db_testdatabase.h"

#include "platform/db/busywait.h"
#include "platform/db/error.h"
#include "platform/db/locale.h"

#include <QDateTime>
#include <atomic>
#include <thread>

using namespace db;

namespace {

class TwoThreads : public TestDatabase {};

TEST_F(TwoThreads, EachWorksOnItsOwnConnectionsAtOnce)
{
    const QString noteFile = dir.filePath(QStringLiteral("notes.hvd"));
    createDatabase(noteFile, {QStringLiteral("CREATE TABLE note (text TEXT(20) COLLATE NOCASE)")});
    const QString notes = QStringLiteral("dbq=") + noteFile + QLatin1Char(';');
    constexpr int kRounds = 200;
    std::atomic<int> failed{0};
    std::atomic<int> customers{0};
    std::atomic<int> noted{0};

    auto work = [&](const QString& who, bool windowThread) {
        for (int i = 0; i < kRounds; ++i) {
            if (windowThread) busywait::endAction();
            try {
                Connection connection;
                connection.open(connectString());
                if (i % 4 == 0) {
                    connection.attach(notes, QStringLiteral("outbox"));
                    connection.beginTrans();
                    connection.execute(QStringLiteral("insert into customer (name, created) values ('%1%2', #2026-03-10 09:30:00#)")
                                           .arg(who).arg(i));
                    connection.execute(QStringLiteral("insert into outbox.note (text) values ('%1%2')").arg(who).arg(i));
                    connection.commitTrans();
                    ++customers;
                    ++noted;
                    continue;
                }
                Recordset added;
                added.open(QStringLiteral("select * from customer where 1=0"), connection, CursorType::Keyset,
                           LockType::Optimistic);
                added.addNew();
                added.setField(QStringLiteral("name"), QStringLiteral("%1%2").arg(who).arg(i));
                added.setField(QStringLiteral("created"), QDateTime(QDate(2026, 3, 10), QTime(9, 30)));
                added.setField(QStringLiteral("balance"), Currency::fromDouble(12.5));
                added.update();
                ++customers;
                Recordset rows;
                rows.open(QStringLiteral("select name, cstr(created), balance from customer where instr(name,'%1')>0 "
                                         "order by name")
                              .arg(who),
                          connection);
                for (; !rows.eof(); rows.moveNext())
                    if (!rows.field(0).toText().startsWith(who) || rows.field(1).toText().isEmpty()) ++failed;
            } catch (const Error& error) {
                // The two threads' writes wait for each other; none may fail otherwise.
                if (error.kind() != Error::Kind::Busy) ++failed;
            }
        }
    };
    std::thread writer(work, QStringLiteral("乙"), false);
    work(QStringLiteral("甲"), true);
    writer.join();

    EXPECT_EQ(failed, 0);
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from customer")).toInt(), customers.load());
    EXPECT_GT(customers.load(), kRounds);
    Connection connection;
    connection.open(notes);
    Recordset rows;
    rows.open(QStringLiteral("select count(*) from note"), connection);
    EXPECT_EQ(rows.field(0).toLong(), noted.load());
}

} // namespace
