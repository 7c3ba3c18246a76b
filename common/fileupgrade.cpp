#include "common/fileupgrade.h"

#include "common/database.h"
#include "common/schema.h"
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
    upgradeFile(mainConnectString, schema::mainOnOpen());
    // The SMS database has no index of its own to gain.
    upgradeFile(database::smsConnectStringFor(mainConnectString), {});
}

} // namespace fileupgrade
