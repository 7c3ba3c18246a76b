// The waiting store against what can happen to it and to this workstation:
// its file spoilt before the start or while calls wait (nothing that waits
// is lost, a damaged file is kept aside, the monitor says so), and the
// workstation killed at chosen moments of the writer's work, with another
// workstation opening the data file first or not (every call logged once).
#include "callerid_fixture.h"

#include "callerid/waitingcalls.h"
#include "common/database.h"
#include "platform/ui/desktop.h"
#include "tests/support/busyfile.h"
#include "tests/support/sqliteshell.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <csignal>
#include <cstdio>

namespace {

using Hold = OtherWorkstationWriting::Hold;

const QByteArray kGarbage = QByteArray("this was a store once, now it is text. ").repeated(100);

class WaitingStore : public CallerIdTest {
protected:
    void SetUp() override
    {
        CallerIdTest::SetUp();
        makeAreaDatabase();
        QDir().mkpath(path(QStringLiteral("WavFile")));
        settings(QString(), QStringLiteral("0"), QStringLiteral("1"));
    }
    void TearDown() override
    {
        const QString store = storePath();
        CallerIdTest::TearDown();
        EXPECT_EQ(integrityCheck(store), QStringLiteral("ok"));
    }
    QStringList asideFiles() const
    {
        return QDir(path(QStringLiteral("hvcrm"))).entryList({QStringLiteral("waitingcalls-damaged-*.hvd")}, QDir::Files, QDir::Name);
    }
    QString waitingText() const { return ctl<ui::Label>("WaitingLabel")->caption(); }
    QStringList logged()
    {
        QStringList numbers;
        for (auto rows = database::query(QStringLiteral("select CallerID from Hv_Cidlist order by id")); !rows->eof(); rows->moveNext())
            numbers << rows->field(0).toText();
        return numbers;
    }
};

void writeOver(const QString& file, const QByteArray& bytes)
{
    QFile store(file);
    ASSERT_TRUE(store.open(QIODevice::WriteOnly | QIODevice::Truncate));
    store.write(bytes);
}

// Spoilt while calls wait or before the start: every call that waits and
// every one that comes after is logged once; a damaged file lies aside as it
// was found.
TEST_F(WaitingStore, NothingThatWaitsIsLostWhenTheStoreIsSpoilt)
{
    const QString madeAnew = QStringLiteral("等待记入的来电文件不见了或被清空，已重新建立；等待的来电都已重新存入");
    const struct {
        const char* name;
        bool beforeStart;
        std::function<void(const QString&)> spoil;
        bool setAside;
        bool keptAsFound;   // the file set aside holds what was written over it
    } cases[] = {
        {"deleted", false, [](const QString& file) { QFile::remove(file); }, false, false},
        {"emptied", false, [](const QString& file) { writeOver(file, {}); }, false, false},
        {"written over", false, [](const QString& file) { writeOver(file, kGarbage); }, true, true},
        {"its table dropped by another program", false,
         [](const QString& file) { sqliteShell(file, QStringLiteral("drop table entries")); }, true, false},
        {"written over before the start", true, [](const QString& file) { writeOver(file, kGarbage); }, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        exec(QStringLiteral("delete from Hv_Cidlist"));
        const QStringList asideBefore = asideFiles();
        loadMonitor();
        QStringList rang;
        {
            OtherWorkstationWriting other(Hold::Write);
            const auto call = [&](const char* number) {
                ring(0, number);
                pump();
                rang << QString::fromLatin1(number);
            };
            call("81230001");
            call("81230002");
            if (c.beforeStart) {
                ui::Windows::unloadAll();
                c.spoil(storePath());
                loadMonitor();
                rang.clear();   // those two lie in the damaged file
            } else {
                c.spoil(storePath());
            }
            call("81230003");
            EXPECT_EQ(monitor()->waitingCalls(), rang.size());
            EXPECT_TRUE(waitingText().startsWith(QStringLiteral("有%1个来电等待记入数据文件，数据文件空出后自动记入；").arg(rang.size())))
                << waitingText().toStdString();
            if (c.setAside) {
                QStringList added = asideFiles();
                for (const QString& earlier : asideBefore) added.removeOne(earlier);
                ASSERT_EQ(added.size(), 1);
                const QString aside = added.first();
                EXPECT_TRUE(waitingText().endsWith(
                    QStringLiteral("等待记入的来电文件已损坏，已改名为%1留存；已另建新文件，等待的来电都已存入").arg(aside)))
                    << waitingText().toStdString();
                QFile kept(path(QStringLiteral("hvcrm/") + aside));
                ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
                if (c.keptAsFound) EXPECT_EQ(kept.readAll(), kGarbage);
            } else {
                EXPECT_EQ(asideFiles(), asideBefore);
                EXPECT_TRUE(waitingText().endsWith(madeAnew)) << waitingText().toStdString();
            }
        }
        settle();
        EXPECT_EQ(logged(), rang);
        EXPECT_EQ(monitor()->waitingCalls(), 0);
        ui::Windows::unloadAll();
        // Nothing is written twice at the next start.
        loadMonitor();
        settle();
        EXPECT_EQ(logged(), rang);
        ui::Windows::unloadAll();
    }
}

// What an earlier build left: a store without keys, with calls and a
// recording link waiting, beside a data file without the table of keys.
// Each call is logged once, the link goes to the newest row of its number,
// and the data file gains the keys.
TEST_F(WaitingStore, AnEarlierBuildsStoreAndDataFileLoseNothing)
{
    exec(QStringLiteral("drop table Hv_CidKey"));
    addCall(QDateTime(QDate(2026, 3, 9), QTime(8, 0)), QStringLiteral("81230002"));
    db::createDatabase(storePath(), {QStringLiteral("create table entries (seq INTEGER PRIMARY KEY AUTOINCREMENT, kind INTEGER NOT NULL, "
                                                    "datafile LONGTEXT NOT NULL, calltime DATETIME, number LONGTEXT, contact LONGTEXT, "
                                                    "lookedup INTEGER, operator LONGTEXT, area LONGTEXT, wavfile LONGTEXT)")});
    const QString dataFile = sqltext::quoted(Mymode::ConnectString);
    // The earlier build looked each call's area up as it came; an area
    // missing (its lookup failed) is looked up as the call is written.
    sqliteShell(storePath(), QStringLiteral("insert into entries (kind, datafile, calltime, number, lookedup, operator, area) values "
                                            "(1, %1, '2026-03-10 09:00:00', '81230001', 1, 'system', null), "
                                            "(1, %1, '2026-03-10 09:01:00', '81230002', 1, 'system', '上海--上海'); "
                                            "insert into entries (kind, datafile, number, wavfile) values (2, %1, '81230002', 'r.wav')")
                                 .arg(dataFile));
    for (int start = 0; start < 2; ++start) {
        SCOPED_TRACE(start == 0 ? "first start" : "second start");
        loadMonitor();
        settle();
        EXPECT_EQ(logged(), (QStringList{"81230002", "81230001", "81230002"}));
        EXPECT_EQ(scalar(QStringLiteral("select CIDarea from Hv_Cidlist where CallerID='81230001'")), QStringLiteral("本地电话--"));
        EXPECT_EQ(scalar(QStringLiteral("select CIDarea from Hv_Cidlist where CallerID='81230002' order by id desc")),
                  QStringLiteral("上海--上海"));
        EXPECT_EQ(scalar(QStringLiteral("select WavFile from Hv_Cidlist where CallerID='81230002' order by id desc")), QStringLiteral("r.wav"));
        EXPECT_EQ(count(QStringLiteral("select count(*) from Hv_Cidlist where WavFile<>''")), 1);
        EXPECT_EQ(count(QStringLiteral("select count(*) from Hv_CidKey")), 2);
        EXPECT_EQ(monitor()->waitingCalls(), 0);
        ui::Windows::unloadAll();
    }
    EXPECT_EQ(sqliteShell(storePath(), QStringLiteral("select count(*) from entries")), QStringLiteral("0"));
}

// Written entries leave the store's memory first and its file after the
// monitor is told: a file made anew in between numbers what waits afresh,
// and the written ones are deleted by their keys, never another's row.
TEST_F(WaitingStore, WrittenEntriesLeaveTheFileByTheirKeys)
{
    waitingcalls::Store store(storePath());
    store.open();
    const auto call = [&](const char* number) {
        waitingcalls::Call waiting;
        waiting.when = QDateTime(QDate(2026, 3, 10), QTime(9, 0));
        waiting.number = QString::fromLatin1(number);
        return store.add({0, Mymode::ConnectString, waiting, {}, {}});
    };
    const QString written = call("81230001");
    call("81230002");
    store.remove({written});
    EXPECT_EQ(store.calls(), 1);
    QFile::remove(storePath());
    store.retry();
    store.deleteStored({written});
    EXPECT_EQ(sqliteShell(storePath(), QStringLiteral("select number from entries")), QStringLiteral("81230002"));
    EXPECT_EQ(store.calls(), 1);
}

// The child of the kill test: calls with their recordings, one after another
// with the writer at work, each reported once it is in the store; killed by
// the parent at the moment its case chooses.
TEST(WaitingStoreChild, TakesCallsUntilKilled)
{
    const QString folder = qEnvironmentVariable("HALVEX_STORE_CHILD");
    if (folder.isEmpty()) GTEST_SKIP() << "run by WaitingStore.EachCallIsLoggedOnceWhateverTheKillAndWhoeverOpensTheFileFirst";
    auto* monitor = childMonitorIn(folder);
    const int first = qEnvironmentVariableIntValue("HALVEX_STORE_CHILD_FIRST");
    for (int i = 0; i < 400; ++i) {
        const QByteArray number = QByteArray::number(first + i);
        ringAnswerAndHangUp(number);
        monitor->PollBoxEvents();
        std::printf("stored %s\n", number.constData());
        std::fflush(stdout);
        QCoreApplication::processEvents();
        QThread::msleep(2);
    }
    std::raise(SIGKILL);
}

// This workstation killed in the data file's commit, just after it, or at
// other moments; then another workstation opens the data file first (a second
// process, which finishes or rolls back what the kill left) or this one
// restarts first. Every call the store had taken is logged exactly once, with
// its own recording.
TEST_F(WaitingStore, EachCallIsLoggedOnceWhateverTheKillAndWhoeverOpensTheFileFirst)
{
    const QString journal = path(QStringLiteral("hvcrm/hvcrm.hvd-journal"));
    enum class Moment { InTheCommit, AfterTheCommit, After };
    const struct {
        const char* name;
        Moment moment;
        int nth;              // the commit, or the milliseconds after the first call
        bool otherFirst;
    } cases[] = {
        {"in the 3rd commit, the other first", Moment::InTheCommit, 3, true},
        {"in the 3rd commit, this one first", Moment::InTheCommit, 3, false},
        {"in the 12th commit, the other first", Moment::InTheCommit, 12, true},
        {"after the 5th commit, the other first", Moment::AfterTheCommit, 5, true},
        {"after the 5th commit, this one first", Moment::AfterTheCommit, 5, false},
        {"after the 20th commit, the other first", Moment::AfterTheCommit, 20, true},
        {"after 150 ms, the other first", Moment::After, 150, true},
        {"after 230 ms, this one first", Moment::After, 230, false},
        {"after 410 ms, the other first", Moment::After, 410, true},
    };
    int first = 81000000;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        exec(QStringLiteral("delete from Hv_Cidlist"));
        ui::Windows::unloadAll();
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HALVEX_STORE_CHILD"), dir.path());
        environment.insert(QStringLiteral("HALVEX_STORE_CHILD_FIRST"), QString::number(first));
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=WaitingStoreChild.TakesCallsUntilKilled")});
        ASSERT_TRUE(child.waitForStarted());
        QElapsedTimer running;
        running.start();
        QElapsedTimer sinceFirstCall;
        QByteArray output;
        int commits = 0;
        bool inCommit = false;
        while (running.elapsed() < 30000 && child.state() == QProcess::Running) {
            child.waitForReadyRead(0);
            output += child.readAllStandardOutput();
            if (!sinceFirstCall.isValid() && output.contains("stored ")) sinceFirstCall.start();
            const bool journalThere = QFileInfo::exists(journal);
            if (journalThere && !inCommit) ++commits;
            if (c.moment == Moment::InTheCommit && journalThere && commits == c.nth) break;
            if (c.moment == Moment::AfterTheCommit && !journalThere && inCommit && commits == c.nth) break;
            if (c.moment == Moment::After && sinceFirstCall.isValid() && sinceFirstCall.elapsed() >= c.nth) break;
            inCommit = journalThere;
        }
        child.kill();
        ASSERT_TRUE(child.waitForFinished(10000));
        output += child.readAllStandardOutput();
        QSet<QString> stored;
        for (const QByteArray& line : output.split('\n'))
            if (line.startsWith("stored ")) stored << QString::fromLatin1(line.mid(7));
        EXPECT_GT(stored.size(), 0);
        if (c.otherFirst) EXPECT_NE(sqliteShell(path(QStringLiteral("hvcrm/hvcrm.hvd")), QStringLiteral("select count(*) from Hv_Cidlist")),
                                    QString());

        loadMonitor();
        settle();
        const QStringList numbers = logged();
        EXPECT_EQ(QSet<QString>(numbers.begin(), numbers.end()).size(), numbers.size()) << "a call logged twice";
        for (const QString& number : stored) EXPECT_TRUE(numbers.contains(number)) << number.toStdString() << " lost";
        for (const QString& number : numbers) EXPECT_GE(number.toInt(), first);
        EXPECT_EQ(count(QStringLiteral("select count(*) from Hv_Cidlist where WavFile<>'' and WavFile not like '%-' || CallerID || '-0%.wav'")), 0);
        int recorded = 0;
        for (const QString& number : stored)
            recorded += count(QStringLiteral("select count(*) from Hv_Cidlist where WavFile<>'' and CallerID='%1'").arg(number));
        EXPECT_EQ(recorded, stored.size());
        EXPECT_EQ(monitor()->waitingCalls(), 0);
        ui::Windows::unloadAll();
        EXPECT_EQ(integrityCheck(path(QStringLiteral("hvcrm/hvcrm.hvd"))), QStringLiteral("ok"));
        first += 1000;
    }
}

} // namespace
