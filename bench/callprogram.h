#pragma once
// The call benchmarks' program: a program folder of the benchmark's own with
// the number-area database and a fresh data file, the system operator logged
// in with every right, and the customer and call windows defined, as the
// program stands once its main window has loaded.
#include "callerid/windows.h"
#include "common/database.h"
#include "common/firststart.h"
#include "common/mymode.h"
#include "customers/windows.h"
#include "platform/ui/desktop.h"

#include <QDir>
#include <QFile>

inline void startCallProgram(const QString& programFolder)
{
    ui::setProgramFolderForTests(programFolder);
    QFile::copy(QStringLiteral(HALVEX_MOBILDB_FILE), QDir(programFolder).filePath(QStringLiteral("MobilDB.mdb")));
    firststart::ensureDatabases();
    Mymode::ConnectString = database::localConnectString();
    Mymode::OperatorName = QStringLiteral("system");
    Mymode::UserRights = QStringLiteral("per=1;Uright=1;b_work=1;");
    customers::defineWindows();
    callerid::defineWindows();
}
