#include "platform/db/connection.h"

#include "platform/db/busyhandler.h"
#include "platform/db/connectionstate.h"
#include "platform/db/enginefailure.h"
#include "platform/db/handlepool.h"
#include "platform/db/jetfunctions.h"
#include "platform/db/jetsql.h"
#include "platform/db/rowstore.h"
#include "platform/xls/workbook.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace db {

namespace {

// The layout of a file, kept in its user_version:
//   0  made by an earlier build, which ordered the indexes of text columns by
//      its own text order registered under the name NOCASE;
//   1  every index ordered by SQLite's own collations.
constexpr int kFileLayout = 1;

// Windows-style separators in a configured path become ours.
QString localPath(const QString& path)
{
    QString local = path;
    return local.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

// Runs every statement of the text (already in SQLite's dialect) to its end;
// returns the rows they inserted, changed or deleted.
int runStatements(ConnectionState& state, const QString& sql)
{
    const QByteArray text = sql.toUtf8();
    const char* next = text.constData();
    const char* end = next + text.size();
    const sqlite3_int64 before = sqlite3_total_changes64(state.handle);
    while (next < end) {
        sqlite3_stmt* statement = nullptr;
        const char* tail = nullptr;
        if (sqlite3_prepare_v2(state.handle, next, static_cast<int>(end - next), &statement, &tail) != SQLITE_OK)
            state.fail(sql);
        if (!statement) break;   // only blanks or a comment left
        int result;
        while ((result = sqlite3_step(statement)) == SQLITE_ROW) {
        }
        if (result != SQLITE_DONE) {
            sqlite3_finalize(statement);
            state.fail(sql);
        }
        sqlite3_finalize(statement);
        next = tail;
    }
    return static_cast<int>(sqlite3_total_changes64(state.handle) - before);
}

QVariant toQVariant(const Variant& value)
{
    switch (value.type()) {
    case Variant::Type::Empty:
    case Variant::Type::Null: return QVariant();
    case Variant::Type::Boolean: return QVariant(value.toBool());
    case Variant::Type::Long: return QVariant(static_cast<qint64>(value.toLong()));
    case Variant::Type::Double:
    case Variant::Type::Currency: return QVariant(value.toDouble());
    case Variant::Type::Date: return QVariant(value.toDate());
    case Variant::Type::Text: return QVariant(value.toText());
    }
    return QVariant();
}

// SELECT ... INTO [Excel 5.0;DATABASE=path].[sheet]: the rows go to a workbook
// with the query's column names as the header row.
int exportToWorkbook(ConnectionState& state, const jetsql::ExcelTarget& target)
{
    const jetsql::Rewritten select = state.translate(target.select);
    Statement statement(state, select.sql);
    detail::RowStore rows;
    rows.readAll(statement, false, select.outputTypes);

    xls::Sheet sheet;
    sheet.name = target.sheet;
    for (const detail::Column& column : rows.columns()) sheet.headers << column.name;
    sheet.rows.reserve(rows.rowCount());
    for (int row = 0; row < rows.rowCount(); ++row) {
        xls::Row cells;
        cells.reserve(rows.columnCount());
        for (int column = 0; column < rows.columnCount(); ++column) cells.push_back(toQVariant(rows.value(row, column)));
        sheet.rows.push_back(std::move(cells));
    }
    QString error;
    if (!xls::writeWorkbook(localPath(target.path), sheet, &error))
        throw Error(QStringLiteral("无法写入工作簿 %1：%2").arg(target.path, error));
    return rows.rowCount();
}

// A new handle of the file with the settings every connection of the system uses.
std::unique_ptr<ConnectionState> openHandle(const QString& path, int flags)
{
    sqlite3* handle = nullptr;
    const int result = sqlite3_open_v2(QFile::encodeName(path).constData(), &handle, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (result != SQLITE_OK) {
        const QString message = handle ? QString::fromUtf8(sqlite3_errmsg(handle)) : QString::fromUtf8(sqlite3_errstr(result));
        sqlite3_close_v2(handle);
        throw Error(QStringLiteral("无法打开数据库 %1：%2").arg(path, detail::engineFailureText(result & 0xFF, message)));
    }
    auto state = std::make_unique<ConnectionState>(handle);
    busywait::install(handle);
    sqlite3_extended_result_codes(handle, 1);
    // The file is shared over a network mount: a rollback journal, never WAL.
    // Reading the pragma's answer also proves the file is a database.
    runStatements(*state, QStringLiteral("PRAGMA journal_mode=DELETE"));
    registerJetFunctions(handle);
    return state;
}

} // namespace

// An existing file opened for reading and writing gets a handle a closed
// connection left, when one is kept; a file being made gets a handle of its own.
std::shared_ptr<ConnectionState> openState(const QString& path, int flags)
{
    if (flags != SQLITE_OPEN_READWRITE) return openHandle(path, flags);
    std::unique_ptr<ConnectionState> state = handlepool::take(path);
    if (!state) state = openHandle(path, flags);
    return handlepool::share(std::move(state), path);
}

QString dataSourceOf(const QString& connectString)
{
    // The path runs from "Data source =" (or "dbq=") up to the next item the
    // system's strings carry after it ("Jet OLEDB:...", "defaultdir=", ...), so
    // a folder name holding ";" stays whole.
    static const QRegularExpression key(QStringLiteral("(?:^|;)\\s*(?:data\\s+source|dbq)\\s*="),
                                        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression tail(
        QStringLiteral(";\\s*(?:jet\\s+oledb:|defaultdir\\s*=|driver\\s*=|provider\\s*=|persist\\s+security\\s+info\\s*="
                       "|user\\s+id\\s*=|password\\s*=|mode\\s*=|uid\\s*=|pwd\\s*=|;*\\s*$)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch start = key.match(connectString);
    if (!start.hasMatch()) return QString();
    const QRegularExpressionMatch end = tail.match(connectString, start.capturedEnd(0));
    const qsizetype stop = end.hasMatch() ? end.capturedStart(0) : connectString.size();
    return localPath(connectString.mid(start.capturedEnd(0), stop - start.capturedEnd(0)).trimmed());
}

Connection::Connection() = default;

Connection::~Connection()
{
    close();
}

void Connection::open(const QString& connectString)
{
    close();
    const QString path = dataSourceOf(connectString);
    if (path.isEmpty()) throw Error(QStringLiteral("连接字符串中没有数据库文件"));
    // Never creates a file: a missing one is a failed open.
    state_ = openState(path, SQLITE_OPEN_READWRITE);
}

void Connection::close()
{
    if (!state_) return;
    // A transaction never committed ends with its connection, even while
    // recordsets keep the handle.
    if (!sqlite3_get_autocommit(state_->handle)) sqlite3_exec(state_->handle, "ROLLBACK", nullptr, nullptr, nullptr);
    state_.reset();
}

bool Connection::isOpen() const
{
    return state_ != nullptr;
}

int Connection::execute(const QString& sql)
{
    if (!state_) throw Error(QStringLiteral("连接没有打开"));
    if (auto target = jetsql::excelTarget(sql)) return exportToWorkbook(*state_, *target);
    return runStatements(*state_, state_->translate(sql).sql);
}

void Connection::attach(const QString& connectString, const QString& alias)
{
    if (!state_) throw Error(QStringLiteral("连接没有打开"));
    const QString path = dataSourceOf(connectString);
    if (path.isEmpty()) throw Error(QStringLiteral("连接字符串中没有数据库文件"));
    // ATTACH would make a missing file.
    if (!QFileInfo(path).isFile()) throw Error(QStringLiteral("无法打开数据库 %1：文件不存在").arg(path));
    Statement statement(*state_, QStringLiteral("ATTACH DATABASE ? AS \"%1\"").arg(alias));
    const QByteArray file = QFile::encodeName(path);
    sqlite3_bind_text(statement.get(), 1, file.constData(), static_cast<int>(file.size()), SQLITE_TRANSIENT);
    statement.step();
    // It holds no tables at all when it is no database (or an empty file, which SQLite takes as one).
    Statement tables(*state_, QStringLiteral("SELECT count(*) FROM \"%1\".sqlite_master").arg(alias));
    if (!tables.step() || sqlite3_column_int64(tables.get(), 0) == 0) {
        runStatements(*state_, QStringLiteral("DETACH DATABASE \"%1\"").arg(alias));
        throw Error(QStringLiteral("无法打开数据库 %1：文件中没有数据表").arg(path));
    }
}

void Connection::useWriteAheadLog()
{
    if (!state_) throw Error(QStringLiteral("连接没有打开"));
    runStatements(*state_, QStringLiteral("PRAGMA journal_mode=WAL"));
    runStatements(*state_, QStringLiteral("PRAGMA synchronous=FULL"));
    state_->writeAheadLog = true;
}

void Connection::abandon()
{
    if (!state_) return;
    const QString path = QString::fromUtf8(sqlite3_db_filename(state_->handle, "main"));
    sqlite3_db_config(state_->handle, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    close();
    for (const char* log : {"-wal", "-shm"}) QFile::remove(path + QLatin1String(log));
}

bool Connection::fileIntact() const
{
    if (!state_) return false;
    int moved = 0;
    if (sqlite3_file_control(state_->handle, "main", SQLITE_FCNTL_HAS_MOVED, &moved) != SQLITE_OK || moved) return false;
    QFile file(QString::fromUtf8(sqlite3_db_filename(state_->handle, "main")));
    static const QByteArray header("SQLite format 3", 16);
    return file.open(QIODevice::ReadOnly) && file.read(header.size()) == header;
}

void Connection::beginTrans()
{
    if (!state_) throw Error(QStringLiteral("连接没有打开"));
    runStatements(*state_, QStringLiteral("BEGIN IMMEDIATE"));
}

void Connection::commitTrans()
{
    if (!state_) throw Error(QStringLiteral("连接没有打开"));
    runStatements(*state_, QStringLiteral("COMMIT"));
}

void Connection::rollbackTrans()
{
    if (!state_) throw Error(QStringLiteral("连接没有打开"));
    runStatements(*state_, QStringLiteral("ROLLBACK"));
}

void setBusyWaitForTests(int milliseconds)
{
    busywait::setTimeoutMsForTests(milliseconds);
}

namespace {
const char* const kCompanions[] = {"-journal", "-wal", "-shm"};
}

void removeDatabase(const QString& path)
{
    const QString file = localPath(path);
    QFile::remove(file);
    for (const char* companion : kCompanions) QFile::remove(file + QLatin1String(companion));
}

void renameDatabase(const QString& path, const QString& to)
{
    const QString file = localPath(path);
    if (!QFile::rename(file, localPath(to))) throw Error(QStringLiteral("无法改名 %1").arg(path));
    for (const char* companion : kCompanions)
        QFile::rename(file + QLatin1String(companion), localPath(to) + QLatin1String(companion));
}

bool holdsNoTables(const QString& path)
{
    const QString file = localPath(path);
    if (!QFileInfo(file).isFile()) return false;
    try {
        auto state = openState(file, SQLITE_OPEN_READWRITE);
        Statement statement(*state, QStringLiteral("SELECT count(*) FROM sqlite_master"));
        return statement.step() && sqlite3_column_int64(statement.get(), 0) == 0;
    } catch (const Error&) {
        return false;
    }
}

void createDatabase(const QString& path, const QStringList& statements)
{
    const QString file = localPath(path);
    if (QFileInfo::exists(file)) throw Error(QStringLiteral("数据库 %1 已经存在").arg(path));
    QDir().mkpath(QFileInfo(file).absolutePath());
    try {
        auto state = openState(file, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        runStatements(*state, QStringLiteral("BEGIN IMMEDIATE"));
        for (const QString& statement : statements) runStatements(*state, state->translate(statement).sql);
        runStatements(*state, QStringLiteral("PRAGMA user_version=%1").arg(kFileLayout));
        runStatements(*state, QStringLiteral("COMMIT"));
    } catch (const Error&) {
        // A half-made database is worse than none.
        QFile::remove(file);
        QFile::remove(file + QStringLiteral("-journal"));
        throw;
    }
}

namespace {

// Whether the statement is "ALTER TABLE t ADD COLUMN c ..." for a column the
// table already has: such a statement cannot run twice, so it is skipped.
bool addsColumnItHolds(ConnectionState& state, const QString& statement)
{
    static const QRegularExpression addColumn(QStringLiteral("^\\s*ALTER\\s+TABLE\\s+(\\w+)\\s+ADD\\s+COLUMN\\s+(\\w+)"),
                                              QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = addColumn.match(statement);
    if (!match.hasMatch()) return false;
    const jetsql::Schema& schema = state.schema();
    const auto found = schema.constFind(match.captured(1).toLower());
    return found != schema.constEnd() && found->types.contains(match.captured(2).toLower());
}

} // namespace

void upgradeDatabase(Connection& connection, const QStringList& statements)
{
    if (!connection.isOpen()) throw Error(QStringLiteral("连接没有打开"));
    ConnectionState& state = *connection.state();
    runStatements(state, QStringLiteral("BEGIN IMMEDIATE"));
    try {
        int layout = 0;
        {
            Statement version(state, QStringLiteral("PRAGMA user_version"));
            if (version.step()) layout = sqlite3_column_int(version.get(), 0);
        }
        if (layout < kFileLayout) {
            runStatements(state, QStringLiteral("REINDEX"));
            runStatements(state, QStringLiteral("PRAGMA user_version=%1").arg(kFileLayout));
        }
        for (const QString& statement : statements)
            if (!addsColumnItHolds(state, statement)) runStatements(state, state.translate(statement).sql);
        runStatements(state, QStringLiteral("COMMIT"));
    } catch (const Error&) {
        sqlite3_exec(state.handle, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

} // namespace db
