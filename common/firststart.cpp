#include "common/firststart.h"

#include "common/database.h"
#include "common/fileupgrade.h"
#include "common/firstentries.h"
#include "common/schema.h"
#include "platform/db/busywait.h"
#include "platform/db/connection.h"
#include "platform/ui/desktop.h"

#include <QDir>
#include <QFile>
#include <exception>

namespace firststart {
namespace {

// Creates one database file unless it exists. A file that could not be made
// completely is removed again, so that the next start tries afresh instead of
// finding a database without its tables; a file left without any table by an
// interrupted start is made afresh. A file with tables is never touched.
void ensureDatabase(const QString& path, const QStringList& statements)
{
    if (db::holdsNoTables(path)) {
        QFile::remove(path);
        QFile::remove(path + QStringLiteral("-journal"));
    }
    if (QFile::exists(path))
        return;
    try {
        db::createDatabase(path, statements);
    } catch (const std::exception&) {
        QFile::remove(path);
    }
}

} // namespace

void ensureDatabases()
{
    const db::busywait::Limit noWait(0);
    // A folder that cannot be written leaves the files missing: the login
    // window then finds no operators and shows an empty list.
    QDir().mkpath(ui::programPath(QStringLiteral("hvcrm")));
    QDir().mkpath(ui::programPath(QStringLiteral("WavFile")));
    ensureDatabase(ui::programPath(QStringLiteral("hvcrm/hvcrm.hvd")), schema::mainDatabase() + firstentries::statements());
    ensureDatabase(ui::programPath(QStringLiteral("hvcrm/SMS.mdb")), schema::smsDatabase());
    fileupgrade::upgrade(database::localConnectString());
}

} // namespace firststart
