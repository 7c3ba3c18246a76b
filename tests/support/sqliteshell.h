#pragma once
// The stock sqlite3 shell run on a database file, as any other tool reads it.
#include <QString>

// The shell's output for one statement on the file (trimmed; the error text
// when the shell fails).
QString sqliteShell(const QString& file, const QString& sql);
// The shell's "pragma integrity_check" answer: "ok" for a sound file.
QString integrityCheck(const QString& file);
