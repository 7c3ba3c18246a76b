#pragma once
// Reading another Access (Jet 3/4 .mdb) database: its user tables, the
// columns of a table and all its rows. The import reads its source through
// the `Source` interface, so it can be given any other source as well.
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <stdexcept>
#include <vector>

namespace mdb {

// How a column's values come out of the source:
// Text (QString), Integer (qlonglong), Number (double), Money (double, four
// decimals at most), Date (QDateTime), Boolean (bool). Binary columns (OLE
// objects, fixed binary) are not read: their values are always Null.
enum class ValueKind { Text, Integer, Number, Money, Date, Boolean, Binary };

struct Column {
    QString name;
    ValueKind kind = ValueKind::Text;
};

// The rows of one table. A field that holds no value (Null) is an invalid
// QVariant; a zero-length text is a valid, empty QString.
struct TableRows {
    std::vector<Column> columns;
    std::vector<QVariantList> rows;

    // The first column of that name, compared without regard to case; -1 when absent.
    int columnIndex(const QString& name) const;
};

class Error : public std::runtime_error {
public:
    enum class Reason {
        Missing,       // no file at the path
        Unreadable,    // the path cannot be read (a folder, no permission)
        NotAccess,     // the file is not an Access database
        Damaged,       // an Access database that cannot be read
        NoSuchTable    // the database holds no user table of that name
    };
    Error(Reason reason, const QString& detail);
    Reason reason() const { return reason_; }
    const QString& detail() const { return detail_; }   // the path or the table name

private:
    Reason reason_;
    QString detail_;
};

class Source {
public:
    virtual ~Source() = default;
    // The user tables (no system tables, queries or links), in catalogue order.
    virtual QStringList tables() const = 0;
    // Table names are compared without regard to case; Error(NoSuchTable) when absent.
    virtual std::vector<Column> columns(const QString& table) const = 0;
    virtual TableRows rows(const QString& table) const = 0;
};

// Opens an Access database file for reading; throws Error when it is missing,
// unreadable, not an Access database or damaged. Nothing is ever written to it.
std::unique_ptr<Source> openAccessFile(const QString& path);

} // namespace mdb
