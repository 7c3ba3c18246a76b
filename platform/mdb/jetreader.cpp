#include "platform/mdb/jetreader.h"

#include "platform/mdb/nullmask.h"

#include <QDateTime>
#include <QFile>
#include <QLocale>
#include <mdbtools.h>

namespace mdb::detail {
namespace {

// Room for the longest memo text (65535 characters, three bytes each in UTF-8).
constexpr std::size_t kBindSize = 256 * 1024;
const char* const kDateFormat = "%Y-%m-%d %H:%M:%S";

struct Database {
    explicit Database(const QString& path)
        : handle(mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS))
    {
        if (!handle) return;
        mdb_set_date_fmt(handle, kDateFormat);
        mdb_set_shortdate_fmt(handle, kDateFormat);
        mdb_set_boolean_fmt_numbers(handle);
        mdb_set_bind_size(handle, kBindSize);
        catalog = mdb_read_catalog(handle, MDB_TABLE);
    }
    ~Database()
    {
        if (handle) mdb_close(handle);
    }
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    bool readable() const { return handle && catalog; }

    std::vector<MdbCatalogEntry*> userTables() const
    {
        std::vector<MdbCatalogEntry*> tables;
        for (guint i = 0; i < catalog->len; ++i) {
            auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(catalog, i));
            if (mdb_is_user_table(entry)) tables.push_back(entry);
        }
        return tables;
    }

    MdbCatalogEntry* userTable(const QString& name) const
    {
        for (MdbCatalogEntry* entry : userTables())
            if (QString::fromUtf8(entry->object_name).compare(name, Qt::CaseInsensitive) == 0) return entry;
        return nullptr;
    }

    MdbHandle* handle;
    GPtrArray* catalog = nullptr;
};

struct TableDefinition {
    explicit TableDefinition(MdbCatalogEntry* entry) : def(mdb_read_table(entry))
    {
        if (def && !mdb_read_columns(def)) {
            mdb_free_tabledef(def);
            def = nullptr;
        }
    }
    ~TableDefinition()
    {
        if (def) mdb_free_tabledef(def);
    }
    TableDefinition(const TableDefinition&) = delete;
    TableDefinition& operator=(const TableDefinition&) = delete;

    MdbColumn* column(unsigned index) const { return static_cast<MdbColumn*>(g_ptr_array_index(def->columns, index)); }

    MdbTableDef* def;
};

ValueKind kindOf(int columnType)
{
    switch (columnType) {
    case MDB_BOOL: return ValueKind::Boolean;
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
    case MDB_COMPLEX: return ValueKind::Integer;
    case MDB_MONEY: return ValueKind::Money;
    case MDB_FLOAT:
    case MDB_DOUBLE:
    case MDB_NUMERIC: return ValueKind::Number;
    case MDB_DATETIME: return ValueKind::Date;
    case MDB_BINARY:
    case MDB_OLE: return ValueKind::Binary;
    default: return ValueKind::Text;
    }
}

// libmdb writes numbers in the C locale's form; a comma is accepted as well.
double numberOf(QString text)
{
    return QLocale::c().toDouble(text.replace(QLatin1Char(','), QLatin1Char('.')));
}

// The value of a field from the text libmdb bound for it.
QVariant valueOf(ValueKind kind, const QByteArray& bound)
{
    const QString text = QString::fromUtf8(bound);
    switch (kind) {
    case ValueKind::Text: return text;
    case ValueKind::Integer: return text.toLongLong();
    case ValueKind::Number:
    case ValueKind::Money: return numberOf(text);
    case ValueKind::Date: {
        const QDateTime date = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        return date.isValid() ? QVariant(date) : QVariant();
    }
    case ValueKind::Boolean: return text == QLatin1String("1");
    case ValueKind::Binary: return {};
    }
    return {};
}

class BoundRow {
public:
    BoundRow(const TableDefinition& table, const std::vector<Column>& columns)
        : table_(table), columns_(columns), buffers_(columns.size(), std::vector<char>(kBindSize)),
          lengths_(columns.size()), rowColumns_(columns.size())
    {
        for (unsigned i = 0; i < columns.size(); ++i) {
            mdb_bind_column(table.def, static_cast<int>(i) + 1, buffers_[i].data(), &lengths_[i]);
            rowColumns_[i] = table.column(i)->row_col_num;
        }
    }

    QVariantList values() const
    {
        const std::vector<bool> held = heldValues();
        QVariantList values;
        for (std::size_t i = 0; i < columns_.size(); ++i) {
            const ValueKind kind = columns_[i].kind;
            if (lengths_[i] > 0)
                values << valueOf(kind, QByteArray(buffers_[i].data(), lengths_[i]));
            else if (kind == ValueKind::Text && !held.empty() && held[i])
                values << QString(QLatin1String(""));   // a zero-length text, not a Null
            else
                values << QVariant();
        }
        return values;
    }

private:
    // Which fields of the row just fetched hold a value, from the row itself.
    std::vector<bool> heldValues() const
    {
        MdbHandle* mdb = table_.def->entry->mdb;
        int start = 0;
        std::size_t size = 0;
        if (table_.def->cur_row == 0 || mdb_find_row(mdb, static_cast<int>(table_.def->cur_row) - 1, &start, &size) != 0)
            return {};
        if (start < 0 || static_cast<std::size_t>(start) + size > static_cast<std::size_t>(mdb->fmt->pg_size)) return {};
        std::vector<bool> boundText(columns_.size());
        for (std::size_t i = 0; i < columns_.size(); ++i) {
            const ValueKind kind = columns_[i].kind;
            boundText[i] = lengths_[i] > 0 && kind != ValueKind::Boolean && kind != ValueKind::Binary;
        }
        return detail::heldValues(mdb->pg_buf + start, size, IS_JET3(mdb), rowColumns_, boundText);
    }

    const TableDefinition& table_;
    const std::vector<Column>& columns_;
    std::vector<std::vector<char>> buffers_;
    std::vector<int> lengths_;
    std::vector<int> rowColumns_;
};

void sendTable(MdbCatalogEntry* entry, const QString& path, bool withRows, RecordWriter& out)
{
    const TableDefinition definition(entry);
    if (!definition.def) {
        out.failure(Error::Reason::Damaged, path);
        return;
    }
    std::vector<Column> columns;
    for (unsigned i = 0; i < definition.def->num_cols; ++i) {
        MdbColumn* column = definition.column(i);
        columns.push_back({QString::fromUtf8(column->name), kindOf(column->col_type)});
        out.column(columns.back());
    }
    if (!withRows) return;
    const BoundRow row(definition, columns);
    std::vector<QVariantList> rows;
    mdb_rewind_table(definition.def);
    while (mdb_fetch_row(definition.def)) rows.push_back(row.values());
    // A table whose pages do not give the rows it records (a zeroed or
    // scribbled page) is damaged: none of its rows is handed on.
    if (rows.size() != definition.def->num_rows) {
        out.failure(Error::Reason::Damaged, path);
        return;
    }
    for (const QVariantList& values : rows) out.row(values);
}

} // namespace

void answerTables(const QString& path, RecordWriter& out)
{
    const Database database(path);
    if (!database.readable()) {
        out.failure(Error::Reason::Damaged, path);
    } else {
        for (MdbCatalogEntry* entry : database.userTables()) out.table(QString::fromUtf8(entry->object_name));
    }
    out.end();
}

void answerTable(const QString& path, const QString& table, bool withRows, RecordWriter& out)
{
    const Database database(path);
    if (!database.readable())
        out.failure(Error::Reason::Damaged, path);
    else if (MdbCatalogEntry* entry = database.userTable(table))
        sendTable(entry, path, withRows, out);
    else
        out.failure(Error::Reason::NoSuchTable, table);
    out.end();
}

} // namespace mdb::detail
