#include "tests/support/earlierfile.h"

#include <QFile>
#include <algorithm>
#include <sqlite3.h>

namespace {

// The name the earlier text order is registered under while the file is
// made; the schema then names NOCASE in its place.
constexpr char kEarlierOrder[] = "earlier_textorder";

// The reverse of SQLite's NOCASE: an order that disagrees with it on every
// pair of different texts.
int reversedNoCase(void*, int sizeA, const void* a, int sizeB, const void* b)
{
    const int order = sqlite3_strnicmp(static_cast<const char*>(a), static_cast<const char*>(b), std::min(sizeA, sizeB));
    return order != 0 ? -order : sizeB - sizeA;
}

bool run(sqlite3* handle, const QByteArray& sql)
{
    return sqlite3_exec(handle, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

} // namespace

bool makeEarlierBuildFile(const QString& path, const QStringList& statements)
{
    sqlite3* handle = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &handle, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr)
        != SQLITE_OK) {
        sqlite3_close(handle);
        return false;
    }
    // The tables and indexes are made and filled under the earlier order by a
    // name of its own; renaming it to NOCASE in the stored schema afterwards
    // leaves every index ordered as the earlier build left it.
    sqlite3_create_collation(handle, kEarlierOrder, SQLITE_UTF8, nullptr, reversedNoCase);
    const QString earlierName = QStringLiteral("COLLATE ") + QLatin1String(kEarlierOrder);
    bool ok = run(handle, "BEGIN");
    for (QString statement : statements)
        ok = ok && run(handle, statement.replace(QStringLiteral("COLLATE NOCASE"), earlierName, Qt::CaseInsensitive).toUtf8());
    ok = ok && run(handle, "COMMIT");
    ok = ok && run(handle, "PRAGMA writable_schema=ON");
    ok = ok && run(handle, QStringLiteral("UPDATE sqlite_master SET sql=replace(sql, '%1', 'COLLATE NOCASE')")
                               .arg(earlierName).toUtf8());
    ok = ok && run(handle, "PRAGMA writable_schema=OFF");
    sqlite3_close(handle);
    return ok;
}
