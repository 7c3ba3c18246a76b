// A quick order and its notice outlive a kill together or not at all: a
// second copy of this test program saves quick orders into this test's
// program folder and is killed at random moments; afterwards every stored
// order is whole and has its notice, and every notice has its order.
#include "tests/support/scratch.h"

#include "common/database.h"
#include "common/mymode.h"
#include "platform/ui/desktop.h"
#include "sales/quickorder.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QThread>
#include <cstdio>

namespace {

constexpr const char* kFolderVariable = "HALVEX_QUICKORDER_KILL_FOLDER";
const QString kGroupNumber = QStringLiteral("13900000009");

// The copy that is killed: saves one quick order after another into the
// program folder it is given, each customer named by the copy's process id
// and the order's number, and reports each one stored.
TEST(QuickOrderKilled, SavingCopy)
{
    if (!qEnvironmentVariableIsSet(kFolderVariable)) GTEST_SKIP() << "runs only as the copy that is killed";
    ui::setProgramFolderForTests(qEnvironmentVariable(kFolderVariable));
    Mymode::ConnectString = database::localConnectString();
    Mymode::OperatorName = QStringLiteral("amy");
    ui::ScriptedMessages messages;   // a failure shows no box that waits for nobody
    for (int n = 0;; ++n) {
        quickorder::Order order;
        order.name = QStringLiteral("%1-%2").arg(QCoreApplication::applicationPid()).arg(n);
        order.contact = QStringLiteral("王先生");
        order.tel = QStringLiteral("13800000001");
        order.group = QStringLiteral("外卖");
        order.date = QStringLiteral("2026-12-8 9:05:03");
        order.total = QStringLiteral("24");
        order.lines = {{.product = QStringLiteral("饺子"), .price = QStringLiteral("12"), .discount = QStringLiteral("100"),
                        .quantity = QStringLiteral("2"), .total = QStringLiteral("24")}};
        if (!quickorder::save(order, QStringLiteral("订单未能保存：")) || !messages.shown().empty()) std::_Exit(3);
        std::printf("stored %d\n", n);
        std::fflush(stdout);
    }
}

class QuickOrderKill : public ScratchProgram {
protected:
    // Starts the saving copy on this test's program folder.
    void start(QProcess& copy)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(kFolderVariable), dir.path());
        copy.setProcessEnvironment(environment);
        copy.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=QuickOrderKilled.SavingCopy")});
    }
    // Waits until the copy reports an order stored.
    static bool storedOne(QProcess& copy)
    {
        QByteArray output;
        while (!output.contains("stored ")) {
            if (!copy.waitForReadyRead(30000)) return false;
            output += copy.readAllStandardOutput();
        }
        return true;
    }
    // The customer named at the head of each notice, as "name|number".
    QStringList notices()
    {
        QStringList named;
        auto connection = database::openSms();
        db::Recordset rows;
        rows.open(QStringLiteral("select MobilNO, Content from sms"), *connection);
        for (; !rows.eof(); rows.moveNext())
            named << rows.field(1).toText().section(QLatin1Char('/'), 0, 0) + QLatin1Char('|') + rows.field(0).toText();
        return named;
    }
};

TEST_F(QuickOrderKill, EveryStoredOrderIsWholeAndHasItsNoticeAndEveryNoticeItsOrder)
{
    exec(QStringLiteral("insert into client_type (client_type, py_code) values ('外卖', '%1')").arg(kGroupNumber));
    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    constexpr int kKills = 12;
    for (int kill = 0; kill < kKills; ++kill) {
        QProcess copy;
        start(copy);
        ASSERT_TRUE(storedOne(copy)) << copy.readAllStandardError().toStdString();
        // Somewhere in one of the next few saves: a statement, the commit of one file or the other.
        QThread::usleep(random.bounded(30000u));
        copy.kill();
        ASSERT_TRUE(copy.waitForFinished(30000));
        ASSERT_EQ(copy.exitStatus(), QProcess::CrashExit) << "the copy stopped by itself";
    }

    // Each order whole: its contact, its header and its line under one key.
    EXPECT_EQ(count(QStringLiteral(
                  "select count(*) from company c where (select count(*) from KH_LXR l where l.companyid=c.id)<>1 "
                  "or (select count(*) from sales s where s.companyid=c.id)<>1 "
                  "or (select count(*) from SalesMX m, sales s where s.companyid=c.id and m.indexflag=s.indexflag)<>1")),
              0);
    QStringList orders;
    auto customers = database::query(QStringLiteral("select company_name from company"));
    for (; !customers->eof(); customers->moveNext()) orders << customers->field(0).toText() + QLatin1Char('|') + kGroupNumber;
    EXPECT_GE(orders.size(), kKills);
    EXPECT_EQ(count(QStringLiteral("select count(*) from sales")), orders.size());
    EXPECT_EQ(count(QStringLiteral("select count(*) from SalesMX")), orders.size());
    const QStringList noticed = notices();
    EXPECT_EQ(noticed.size(), orders.size());
    const QSet<QString> ordered(orders.begin(), orders.end()), sent(noticed.begin(), noticed.end());
    const auto listed = [](const QSet<QString>& names) {
        QStringList sorted = names.values();
        sorted.sort();
        return sorted.join(QStringLiteral(", ")).toStdString();
    };
    EXPECT_EQ(listed(ordered - sent), "") << "orders without their notice";
    EXPECT_EQ(listed(sent - ordered), "") << "notices without their order";
}

} // namespace
