#pragma once
// A database file as an earlier build made it: its own text order registered
// under SQLite's name NOCASE while the tables were made and filled, so every
// index on a NOCASE column is ordered otherwise than SQLite's NOCASE orders it.
#include <QString>
#include <QStringList>

// Makes the file with the statements (plain SQLite text); false when SQLite
// refuses one.
bool makeEarlierBuildFile(const QString& path, const QStringList& statements);
