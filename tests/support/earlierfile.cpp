#include "tests/support/earlierfile.h"

#include <QFile>
#include <algorithm>
#include <sqlite3.h>

namespace {

// The reverse of SQLite's NOCASE: an order that disagrees with it on every
// pair of different texts.
int reversedNoCase(void*, int sizeA, const void* a, int sizeB, const void* b)
{
    const int order = sqlite3_strnicmp(static_cast<const char*>(a), static_cast<const char*>(b), std::min(sizeA, sizeB));
    return order != 0 ? -order : sizeB - sizeA;
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
    sqlite3_create_collation(handle, "NOCASE", SQLITE_UTF8, nullptr, reversedNoCase);
    bool ok = sqlite3_exec(handle, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK;
    for (const QString& statement : statements)
        ok = ok && sqlite3_exec(handle, statement.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    ok = ok && sqlite3_exec(handle, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(handle);
    return ok;
}
