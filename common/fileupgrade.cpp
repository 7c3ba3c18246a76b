#include "common/fileupgrade.h"

#include "common/callersearch.h"
#include "common/database.h"
#include "platform/db/connection.h"

namespace fileupgrade {

namespace {

void upgradeFile(const QString& connectString, const QStringList& statements)
{
    database::guarded([&] {
        db::Connection connection;
        connection.open(connectString);
        db::upgradeDatabase(connection, statements);
    });
}

} // namespace

void upgrade(const QString& mainConnectString)
{
    upgradeFile(mainConnectString, {});
    // The number indexes of the caller match; without them the caller's
    // number is still found, by reading every row.
    database::guarded([&] {
        db::Connection connection;
        connection.open(mainConnectString);
        callersearch::ensure(connection);
    });
    upgradeFile(database::smsConnectStringFor(mainConnectString), {});
}

} // namespace fileupgrade
