// The engine's own failures reach the windows in Chinese, saying what the
// operator can do, with SQLite's text kept after them.
#include "db_testdatabase.h"

#include <QFile>
#include <functional>

namespace {

using EngineFailures = TestDatabase;

TEST_F(EngineFailures, AreSaidInChineseWithWhatToDoAndTheEngineText)
{
    QFile garbage(dir.filePath(QStringLiteral("garbage.hvd")));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(4096, 'x'));
    garbage.close();
    const auto openFile = [](const QString& path) {
        db::Connection connection;
        connection.open(QStringLiteral("Data source =") + path + QStringLiteral(";Jet OLEDB:Database"));
    };
    const auto writeAfter = [this](const QString& pragma) {
        auto connection = connect();
        connection->execute(pragma);
        for (int i = 0; i < 100; ++i)
            connection->execute(QStringLiteral("insert into customer (note) values ('%1')").arg(QString(2000, QLatin1Char('n'))));
    };
    const struct {
        const char* what;
        std::function<void()> step;
        QString text;   // the message begins with it
    } cases[] = {
        {"full disk", [&] { writeAfter(QStringLiteral("PRAGMA max_page_count = 8")); },
         QStringLiteral("磁盘已满，数据没有写入：请腾出磁盘空间后再试（database or disk is full")},
        {"read-only", [&] { writeAfter(QStringLiteral("PRAGMA query_only = 1")); },
         QStringLiteral("数据文件只能读不能写：请让数据文件夹和数据文件可以写入（检查权限或共享设置）（attempt to write a readonly database")},
        {"no database", [&] { openFile(garbage.fileName()); },
         QStringLiteral("这个文件不是本系统的数据文件，或已损坏：请换回备份的数据文件（file is not a database")},
        {"folder gone", [&] { openFile(dir.filePath(QStringLiteral("gone/test.hvd"))); },
         QStringLiteral("无法打开数据库 ") + dir.filePath(QStringLiteral("gone/test.hvd"))
             + QStringLiteral("：无法打开数据文件：请检查数据文件夹是否存在、能否访问（unable to open database file）")},
        {"table missing", [&] { scalar(QStringLiteral("select * from nowhere")); },
         QStringLiteral("数据文件中缺少数据表：这个数据文件不完整或不是本系统的，请换回备份的数据文件（no such table: nowhere")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            c.step();
            ADD_FAILURE() << "no failure";
        } catch (const db::Error& error) {
            EXPECT_TRUE(error.message().startsWith(c.text)) << error.message().toStdString();
            EXPECT_EQ(error.kind(), db::Error::Kind::Other);
        }
    }
}

} // namespace
