#pragma once
// Points the login state at a database file that does not exist, as when the
// shared folder of a workstation goes away while a window is open.
#include "common/mymode.h"

#include <QTemporaryDir>

inline void makeDatabaseUnreachable(const QTemporaryDir& programFolder)
{
    Mymode::ConnectString = QStringLiteral("provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=False;Data source =")
        + programFolder.filePath(QStringLiteral("gone/hvcrm.hvd")) + QStringLiteral(";Jet OLEDB:Database");
}
