#pragma once
// A small database of its own for the database layer's tests: one table with
// a column of each declared type, and a table without a key.
#include "platform/db/connection.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class TestDatabase : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        db::createDatabase(file(), {
            QStringLiteral("CREATE TABLE customer (id INTEGER PRIMARY KEY AUTOINCREMENT, name TEXT(10) COLLATE NOCASE, "
                           "note LONGTEXT COLLATE NOCASE, visits LONG, score DOUBLE, balance CURRENCY, created DATETIME, "
                           "flag TEXT(1) COLLATE NOCASE DEFAULT '0')"),
            QStringLiteral("CREATE TABLE settings (mode TEXT(5) COLLATE NOCASE, path TEXT(100) COLLATE NOCASE)"),
        });
    }

    QString file() const { return dir.filePath(QStringLiteral("test.hvd")); }
    QString connectString() const
    {
        return QStringLiteral("provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=False;Data source =") + file()
            + QStringLiteral(";Jet OLEDB:Database");
    }

    std::unique_ptr<db::Connection> connect() const
    {
        auto connection = std::make_unique<db::Connection>();
        connection->open(connectString());
        return connection;
    }

    std::unique_ptr<db::Recordset> query(db::Connection& connection, const QString& sql,
                                         db::LockType lock = db::LockType::Optimistic) const
    {
        auto rows = std::make_unique<db::Recordset>();
        rows->open(sql, connection, db::CursorType::Keyset, lock, db::CursorLocation::Client);
        return rows;
    }

    // The first column of the first row, as text; "<none>" without a row.
    QString scalar(const QString& sql) const
    {
        auto connection = connect();
        auto rows = query(*connection, sql, db::LockType::ReadOnly);
        return rows->eof() ? QStringLiteral("<none>") : rows->field(0).toText();
    }

    QTemporaryDir dir;
};
