#include "common/database.h"

#include "common/mymode.h"
#include "common/readfailure.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/desktop.h"

namespace database {

QString localDataFolder()
{
    return ui::programPath(QStringLiteral("hvcrm"));
}

QString connectStringFor(const QString& dataFolder)
{
    return QStringLiteral("provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=False;Data source =")
        + dataFolder + QStringLiteral("/hvcrm.hvd;Jet OLEDB:Database");
}

QString mainFileIn(const QString& dataFolder)
{
    return db::dataSourceOf(connectStringFor(dataFolder));
}

QString localConnectString()
{
    return connectStringFor(localDataFolder());
}

std::unique_ptr<db::Connection> openMain()
{
    auto connection = std::make_unique<db::Connection>();
    connection->open(Mymode::ConnectString);
    return connection;
}

std::unique_ptr<db::Connection> openLocal()
{
    auto connection = std::make_unique<db::Connection>();
    connection->open(localConnectString());
    return connection;
}

QString smsConnectStringFor(const QString& mainConnectString)
{
    QString sms = mainConnectString;
    return sms.replace(QStringLiteral("hvcrm.hvd"), QStringLiteral("SMS.mdb"), Qt::CaseSensitive);
}

std::unique_ptr<db::Connection> openSms()
{
    auto connection = std::make_unique<db::Connection>();
    connection->open(smsConnectStringFor(Mymode::ConnectString));
    return connection;
}

std::unique_ptr<db::Connection> openLocalSms()
{
    auto connection = std::make_unique<db::Connection>();
    connection->open(smsConnectStringFor(localConnectString()));
    return connection;
}

namespace {

// The recordset keeps the connection open as long as it lives.
std::shared_ptr<db::Recordset> openOn(std::unique_ptr<db::Connection> connection, const QString& sql,
                                      db::LockType lock, db::CursorType cursor, db::CursorLocation location)
{
    auto rows = std::make_shared<db::Recordset>();
    rows->open(sql, *connection, cursor, lock, location);
    return rows;
}

} // namespace

std::shared_ptr<db::Recordset> query(const QString& sql, db::LockType lock, db::CursorType cursor,
                                     db::CursorLocation location)
{
    return openOn(openMain(), sql, lock, cursor, location);
}

std::shared_ptr<db::Recordset> queryLocal(const QString& sql, db::LockType lock, db::CursorType cursor)
{
    return openOn(openLocal(), sql, lock, cursor, db::CursorLocation::Server);
}

bool guarded(const std::function<void()>& step)
{
    try {
        step();
        return true;
    } catch (const db::Error&) {
        return false;
    }
}

bool guarded(const std::function<void()>& step, std::optional<db::Error>& failure)
{
    try {
        step();
        return true;
    } catch (const db::Error& error) {
        failure = error;
        return false;
    }
}

bool read(const std::function<void()>& step)
{
    std::optional<db::Error> failure;
    return read(step, failure);
}

bool read(const std::function<void()>& step, std::optional<db::Error>& failure)
{
    if (guarded(step, failure)) return true;
    ui::msgBox(readfailure::text(*failure));
    return false;
}

} // namespace database
