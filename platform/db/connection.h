#pragma once
// ADO-style access to the system's database files (SQLite databases whatever
// their name), accepting the Jet-dialect SQL texts the windows build.
#include "platform/db/error.h"
#include "platform/db/variant.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

namespace db {

struct ConnectionState;   // the open SQLite handle, shared with the recordsets opened on it

class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Accepts both connection-string shapes the system builds:
    //   "provider=...;Data source =<path>;Jet OLEDB:Database"
    //   "dbq=<path>;defaultdir=;driver={Microsoft Access Driver (*.mdb)};"
    // Never creates a file: a missing file is a failed open (db::Error).
    void open(const QString& connectString);
    void close();
    bool isOpen() const;

    // Runs one statement; returns the number of rows it changed.
    // "SELECT ... INTO [Excel 5.0;DATABASE=path].[sheet] FROM ..." writes a workbook.
    int execute(const QString& sql);

    // Attaches the database file that `connectString` names under `alias`,
    // so one transaction writes both files: its commit is atomic across
    // them (a rollback journal each). Never creates a file: db::Error when it
    // is missing or no database. Tables of the file are then `alias.table`.
    void attach(const QString& connectString, const QString& alias);

    // For a file that only this computer's program opens, never one over a
    // network mount: a write-ahead log synced at every commit, so a commit
    // costs one sync and is on the disk when it returns. The handle is
    // closed, not kept, when the connection closes.
    void useWriteAheadLog();
    // Closes a connection whose file fileIntact() found spoilt: what its
    // write-ahead log holds is dropped with the log, never copied into
    // whatever now lies at the path.
    void abandon();
    // Whether the file opened is still the one at its path (not removed or
    // replaced since) and still begins as a database does (not written over).
    bool fileIntact() const;

    void beginTrans();
    void commitTrans();
    void rollbackTrans();

    std::shared_ptr<ConnectionState> state() const { return state_; }

private:
    std::shared_ptr<ConnectionState> state_;
};

// The path named by a connection string ("" when it names none); backslashes
// in it are read as folder separators.
QString dataSourceOf(const QString& connectString);

// How long a statement waits for another connection's write before it fails
// as busy (db::Error::Kind::Busy); tests shorten it.
void setBusyWaitForTests(int milliseconds);

// Creates a new database file with the given statements (the only way a file
// comes into being); fails if the file exists.
void createDatabase(const QString& path, const QStringList& statements);

// Brings a database file made by an earlier build up to this build's layout,
// in one transaction: a file whose indexes may be ordered otherwise than
// SQLite's own collations order them has every index rebuilt (once; the
// file's user_version records it), then `statements` run (each must be one
// that can run again on a file that holds its result, as CREATE INDEX IF NOT
// EXISTS). The rows stay as they are. db::Error when the file cannot be
// changed now (busy, read-only); nothing changes then.
void upgradeDatabase(Connection& connection, const QStringList& statements);

// A database file with the files SQLite keeps beside it while working on it
// (journal, write-ahead log): removed, or renamed to `to` (db::Error when the
// file itself cannot be).
void removeDatabase(const QString& path);
void renameDatabase(const QString& path, const QString& to);

// Whether the file is a database that holds no table at all: a zero-byte file
// or one whose creation was interrupted. A missing file, a file that is no
// database and a database with tables are not.
bool holdsNoTables(const QString& path);

enum class CursorType { ForwardOnly = 0, Keyset = 1, Dynamic = 2, Static = 3 };
enum class LockType { ReadOnly = 1, Pessimistic = 2, Optimistic = 3, BatchOptimistic = 4 };
enum class CursorLocation { Server = 2, Client = 3 };

struct RecordsetData;

// What a column's declared type cannot take of a value, told before anything
// is written, so that a window can name the box and keep what was typed.
struct ColumnRefusal {
    enum class Why { TooLong, NotNumber, TooLarge, NotDate };
    Why why;
    int width = 0;        // TooLong: the characters the text column holds
    QString largest;      // TooLarge: the largest number the column holds, as written
};

// The rows of one query; a client-side recordset is a snapshot that keeps no
// read transaction open. Read-only rows are read when it opens. A recordset
// over one table can change rows: addNew/setField/update, deleteRow; its rows
// are read on first use (so adding rows reads none), and they are the rows the
// table held when it opened, as they are then. Writes use optimistic locking
// and fail with db::Error when another connection changed or removed the row
// since it was read.
class Recordset {
public:
    Recordset();
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    // `source` is SQL text or a bare table name.
    void open(const QString& source, Connection& connection,
              CursorType cursor = CursorType::ForwardOnly, LockType lock = LockType::ReadOnly,
              CursorLocation location = CursorLocation::Server);
    void close();
    bool isOpen() const;

    bool eof() const;
    bool bof() const;
    void moveFirst();
    void moveNext();
    void movePrevious();
    void moveLast();
    int recordCount() const;
    int absolutePosition() const;                 // 0-based current row, -1 at BOF/EOF
    void setAbsolutePosition(int row);

    int fieldCount() const;
    QString fieldName(int index) const;
    int fieldIndex(const QString& name) const;    // case-insensitive; -1 when absent
    Variant field(const QString& name) const;     // throws db::Error when absent or no current row
    Variant field(int index) const;
    Variant operator[](const QString& name) const { return field(name); }
    // The value of any row without moving to it (a grid drawing its cells).
    Variant value(int row, int column) const;

    // Converts the value to the column's declared type; db::Error when it
    // cannot be converted ("abc" into a number column) and nothing is changed.
    void setField(const QString& name, const Variant& value);
    // What setField (or updateCell) would refuse of the value in the column,
    // found without changing anything; nothing when the column takes it.
    std::optional<ColumnRefusal> refusal(const QString& name, const Variant& value) const;
    std::optional<ColumnRefusal> refusal(int column, const Variant& value) const;
    void addNew();
    void update();                                // writes the pending row; new key readable afterwards
    void cancelUpdate();
    void deleteRow();                             // deletes the current row
    bool editPending() const;

    // Writes one cell of row `row` back by key at once (a grid's in-place
    // edit); the row is read again afterwards. Refused (db::Error, Conflict)
    // only when that cell's stored value is no longer the one read, or the
    // row is gone: a change elsewhere to another column of the row does not
    // stand in the way. After a conflict the row holds what is stored now.
    void updateCell(int row, int column, const Variant& value);

private:
    std::unique_ptr<RecordsetData> d_;
};

} // namespace db
