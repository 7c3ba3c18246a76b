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

// The characters a stored number's blanks around it may be (the white space
// of QString::trimmed): the held-number indexes leave them out.
constexpr const char* kBlanks = "char(32,9,10,11,12,13,133,160,5760,8192,8193,8194,8195,8196,8197,8198,8199,8200,"
                                "8201,8202,8232,8233,8239,8287,12288)";

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

const NumberTable* numberTable(const QString& table)
{
    for (const NumberTable& known : kTables)
        if (table.compare(QLatin1String(known.table), Qt::CaseInsensitive) == 0) return &known;
    return nullptr;
}

QStringList columnsOf(const NumberTable& numbers)
{
    return QString::fromLatin1(numbers.columns).split(QStringLiteral(", "));
}

// The stored number without its blanks around it, as the held-number index of
// the column holds it; the statements name it so to be answered by the index.
QString heldNumber(const QString& column)
{
    return QStringLiteral("trim(") + column + QStringLiteral(", ") + QLatin1String(kBlanks) + QLatin1Char(')');
}

QString heldIndexOf(const NumberTable& numbers, const QString& column)
{
    return QLatin1String(numbers.table) + QLatin1Char('_') + column + QStringLiteral("_whole");
}

// One index per number column on the number without its blanks, letters
// without case: a caller's number equal to a stored one is found at once.
// Built-in functions only, so that every SQLite tool keeps the indexes.
QStringList heldIndexStatements(const NumberTable& numbers)
{
    QStringList statements;
    for (const QString& column : columnsOf(numbers))
        statements << QStringLiteral("CREATE INDEX IF NOT EXISTS ") + heldIndexOf(numbers, column) + QStringLiteral(" ON ")
                + QLatin1String(numbers.table) + QStringLiteral(" (") + heldNumber(column) + QStringLiteral(" COLLATE NOCASE)");
    return statements;
}

// "new.tel, new.fax, ...": the columns of a trigger's row.
QString rowValues(const QString& row, const QString& columns)
{
    QStringList values;
    for (const QString& column : columns.split(QStringLiteral(", "))) values << row + QLatin1Char('.') + column;
    return values.join(QStringLiteral(", "));
}

// How many of the named schema objects the file holds.
int existing(db::Connection& connection, const QStringList& names)
{
    QStringList quoted;
    for (const QString& name : names) quoted << sqltext::quoted(name);
    db::Recordset found;
    found.open(QStringLiteral("select count(*) from sqlite_master where name in (") + quoted.join(QLatin1Char(','))
                   + QLatin1Char(')'),
               connection);
    return static_cast<int>(found.field(0).toLong());
}

QStringList heldIndexesOf(const NumberTable& numbers)
{
    QStringList names;
    for (const QString& column : columnsOf(numbers)) names << heldIndexOf(numbers, column);
    return names;
}

// The index's entries of each run of three in one piece: filled from many rows
// at once, the index is written in many pieces, and a lookup reads each of them.
QString merged(const QString& index)
{
    return QStringLiteral("INSERT INTO ") + index + QStringLiteral(" (") + index + QStringLiteral(") VALUES ('optimize')");
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
        merged(index),
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
        const QString index = indexOf(QString::fromLatin1(numbers.table));
        QStringList statements;
        if (existing(connection, {index}) == 0) statements << indexStatements(numbers);
        // A file whose number index was made before the held-number indexes
        // gets them, and its number index in one piece, once.
        const QStringList held = heldIndexesOf(numbers);
        if (existing(connection, held) < held.size()) {
            if (statements.isEmpty()) statements << merged(index);
            statements << heldIndexStatements(numbers);
        }
        if (statements.isEmpty()) continue;
        connection.beginTrans();
        try {
            for (const QString& statement : statements) connection.execute(statement);
            connection.commitTrans();
        } catch (const db::Error&) {
            connection.rollbackTrans();
            throw;
        }
    }
}

QString candidates(const QString& table, const QStringList& numbers)
{
    if (!numberTable(table) || numbers.isEmpty()) return QString();
    QStringList phrases;
    for (const QString& number : numbers) {
        if (number.size() < kShortestIndexed) return QString();
        phrases << phrase(number.right(kDistinctiveEnd));
    }
    const QString index = indexOf(table);
    return QStringLiteral("id in (select rowid from ") + index + QStringLiteral(" where ") + index
        + QStringLiteral(" match ") + sqltext::quoted(phrases.join(QStringLiteral(" OR "))) + QLatin1Char(')');
}

// The index's case rule is ASCII's; other letters are left to the number
// index, as some characters outside ASCII equal an ASCII letter without case
// (the Kelvin sign is a "k").
bool heldWhole(const QString& number)
{
    if (number.isEmpty()) return false;
    for (const QChar c : number)
        if (c.unicode() >= 0x80 || (c.isLetter() && c.toLower() != QLatin1Char('x'))) return false;
    return true;
}

QString holding(db::Connection& connection, const QString& table, const QStringList& numbers)
{
    const NumberTable* indexed = numberTable(table);
    QStringList whole;
    for (const QString& number : numbers)
        if (heldWhole(number)) whole << sqltext::quoted(number);
    if (!indexed || whole.isEmpty()) return QString();
    const QStringList held = heldIndexesOf(*indexed);
    if (existing(connection, held) < held.size()) return QString();
    const QString list = QStringLiteral(" COLLATE NOCASE in (") + whole.join(QLatin1Char(',')) + QLatin1Char(')');
    QStringList tests;
    for (const QString& column : columnsOf(*indexed)) tests << heldNumber(column) + list;
    return tests.join(QStringLiteral(" or "));
}

} // namespace callersearch
