#include "common/callersearch.h"

#include "common/sqltext.h"

namespace callersearch {

namespace {

constexpr int kShortestIndexed = 3;   // characters of one index entry
// The end of a telephone number tells numbers apart, while its beginning (an
// area code, a carrier's prefix) is shared by most stored numbers, and the
// index's entries of a shared run are long to read. The rows are looked up by
// the number's last characters only; the caller tests each row it names.
constexpr int kDistinctiveEnd = 6;

struct NumberTable {
    const char* table;
    const char* columns;
};

// The tables whose numbers the caller's number is looked for in.
const NumberTable kTables[] = {
    {"KH_LXR", "tel, fax, mobil, hometel"},
    {"company", "company_tel, company_fax, company_mobil"},
};

QString indexOf(const QString& table)
{
    return table + QStringLiteral("_numbertext");
}

// "new.tel, new.fax, ...": the columns of a trigger's row.
QString rowValues(const QString& row, const QString& columns)
{
    QStringList values;
    for (const QString& column : columns.split(QStringLiteral(", "))) values << row + QLatin1Char('.') + column;
    return values.join(QStringLiteral(", "));
}

bool exists(db::Connection& connection, const QString& name)
{
    db::Recordset found;
    found.open(QStringLiteral("select name from sqlite_master where name=") + sqltext::quoted(name), connection);
    return !found.eof();
}

// The index, its fill from the stored rows and the three triggers. Plain SQL
// with no function of ours, so that every SQLite tool keeps the index.
QStringList indexStatements(const NumberTable& numbers)
{
    const QString table = QString::fromLatin1(numbers.table);
    const QString columns = QString::fromLatin1(numbers.columns);
    const QString index = indexOf(table);
    const QString insertNew = QStringLiteral("INSERT INTO ") + index + QStringLiteral(" (rowid, ") + columns
        + QStringLiteral(") VALUES (new.id, ") + rowValues(QStringLiteral("new"), columns) + QStringLiteral(");");
    const QString deleteOld = QStringLiteral("DELETE FROM ") + index + QStringLiteral(" WHERE rowid=old.id;");
    return {
        QStringLiteral("CREATE VIRTUAL TABLE ") + index + QStringLiteral(" USING fts5(") + columns
            + QStringLiteral(", tokenize='trigram')"),
        QStringLiteral("INSERT INTO ") + index + QStringLiteral(" (rowid, ") + columns + QStringLiteral(") SELECT id, ")
            + columns + QStringLiteral(" FROM ") + table,
        QStringLiteral("CREATE TRIGGER IF NOT EXISTS ") + index + QStringLiteral("_insert AFTER INSERT ON ") + table
            + QStringLiteral(" BEGIN ") + insertNew + QStringLiteral(" END"),
        QStringLiteral("CREATE TRIGGER IF NOT EXISTS ") + index + QStringLiteral("_delete AFTER DELETE ON ") + table
            + QStringLiteral(" BEGIN ") + deleteOld + QStringLiteral(" END"),
        QStringLiteral("CREATE TRIGGER IF NOT EXISTS ") + index + QStringLiteral("_update AFTER UPDATE OF id, ")
            + columns + QStringLiteral(" ON ") + table + QStringLiteral(" BEGIN ") + deleteOld + QLatin1Char(' ')
            + insertNew + QStringLiteral(" END"),
    };
}

// The number as one phrase of the index's query language: "0755""12".
QString phrase(const QString& number)
{
    QString text = number;
    return QLatin1Char('"') + text.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

} // namespace

void ensure(db::Connection& connection)
{
    for (const NumberTable& numbers : kTables) {
        if (exists(connection, indexOf(QString::fromLatin1(numbers.table)))) continue;
        connection.beginTrans();
        try {
            for (const QString& statement : indexStatements(numbers)) connection.execute(statement);
            connection.commitTrans();
        } catch (const db::Error&) {
            connection.rollbackTrans();
            throw;
        }
    }
}

QString candidates(const QString& table, const QStringList& numbers)
{
    bool indexed = false;
    for (const NumberTable& known : kTables) indexed = indexed || table.compare(QLatin1String(known.table), Qt::CaseInsensitive) == 0;
    if (!indexed || numbers.isEmpty()) return QString();
    QStringList phrases;
    for (const QString& number : numbers) {
        if (number.size() < kShortestIndexed) return QString();
        phrases << phrase(number.right(kDistinctiveEnd));
    }
    const QString index = indexOf(table);
    return QStringLiteral("id in (select rowid from ") + index + QStringLiteral(" where ") + index
        + QStringLiteral(" match ") + sqltext::quoted(phrases.join(QStringLiteral(" OR "))) + QLatin1Char(')');
}

} // namespace callersearch
