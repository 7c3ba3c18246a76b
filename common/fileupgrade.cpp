#include "common/fileupgrade.h"

#include "common/callersearch.h"
#include "common/database.h"
#include "common/schema.h"
#include "platform/db/connection.h"

#include <functional>

namespace fileupgrade {

namespace {

void upgradeFile(const QString& connectString, const QStringList& statements,
                 const std::function<void(db::Connection&)>& furtherSteps = {})
{
    database::guarded([&] {
        db::Connection connection;
        connection.open(connectString);
        db::upgradeDatabase(connection, statements);
        if (furtherSteps) furtherSteps(connection);
    });
}

} // namespace

void upgrade(const QString& mainConnectString)
{
    // The caller match's number indexes are filled once, when first made,
    // so they have a step of their own.
    upgradeFile(mainConnectString, schema::mainOnOpen(), callersearch::ensure);
    // The SMS database has no index of its own to gain.
    upgradeFile(database::smsConnectStringFor(mainConnectString), {});
}

} // namespace fileupgrade
