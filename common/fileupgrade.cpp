#include "common/fileupgrade.h"

#include "common/callersearch.h"
#include "common/database.h"
#include "common/schema.h"
#include "platform/db/connection.h"

#include <functional>

namespace fileupgrade {

namespace {

bool upgradeFile(const QString& connectString, const QStringList& statements,
                 const std::function<void(db::Connection&)>& furtherSteps = {})
{
    return database::guarded([&] {
        db::Connection connection;
        connection.open(connectString);
        db::upgradeDatabase(connection, statements);
        if (furtherSteps) furtherSteps(connection);
    });
}

} // namespace

bool upgrade(const QString& mainConnectString)
{
    // The caller match's number indexes are filled once, when first made,
    // so they have a step of their own.
    const bool main = upgradeFile(mainConnectString, schema::mainOnOpen(), callersearch::ensure);
    // The SMS database has no index of its own to gain.
    const bool sms = upgradeFile(database::smsConnectStringFor(mainConnectString), {});
    return main && sms;
}

} // namespace fileupgrade
