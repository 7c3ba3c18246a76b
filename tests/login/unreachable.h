#pragma once
// Points the login state at a database file that does not exist, as when the
// shared folder of a workstation goes away while a window is open.
#include "common/database.h"
#include "common/mymode.h"

#include <QTemporaryDir>

inline void makeDatabaseUnreachable(const QTemporaryDir& programFolder)
{
    Mymode::ConnectString = database::connectStringFor(programFolder.filePath(QStringLiteral("gone")));
}
