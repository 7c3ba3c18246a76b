#include "tests/support/sqliteshell.h"

#include <QProcess>

QString sqliteShell(const QString& file, const QString& sql)
{
    QProcess shell;
    shell.start(QStringLiteral("/usr/bin/sqlite3"), {file, sql});
    if (!shell.waitForFinished(60000)) return QStringLiteral("sqlite3 did not finish");
    if (shell.exitCode() != 0) return QString::fromUtf8(shell.readAllStandardError()).trimmed();
    return QString::fromUtf8(shell.readAllStandardOutput()).trimmed();
}

QString integrityCheck(const QString& file)
{
    return sqliteShell(file, QStringLiteral("pragma integrity_check"));
}
