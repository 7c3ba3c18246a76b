#pragma once
// The rows of a query held in memory, compactly: each cell keeps the value as
// the engine stored it (so an optimistic check can compare with exactly what
// was read), and becomes a typed Variant only when it is looked at.
// Internal to the database layer.
#include "platform/db/connectionstate.h"
#include "platform/db/variant.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace db::detail {

// The column types of the system's tables, from their declared type names.
enum class FieldType { Untyped, Long, Double, Currency, Date, Text };

struct Column {
    QString name;                       // as the query names it (alias or column name)
    FieldType type = FieldType::Untyped;
    int maxLength = 0;                  // characters a TEXT(n) column holds; 0: no limit
    std::string table;                  // table the value is read from; empty for an expression
    std::string origin;                 // the column's name in that table
};

// "TEXT(50)" -> Text with 50 characters, "CURRENCY" -> Currency, ...;
// an expression (no declared type) is Untyped.
Column describeColumn(sqlite3_stmt* statement, int index);

// The value as it is to be stored in the column; db::Error when it cannot be
// converted ("abc" into a number or date column) or is too long for the text.
Variant convertForColumn(const Column& column, const Variant& value);

// Binds a value the way the layer stores it (currency as REAL, dates as
// "yyyy-MM-dd HH:mm:ss" text).
void bindValue(sqlite3_stmt* statement, int index, const Variant& value);

class RowStore {
public:
    RowStore();
    ~RowStore();
    RowStore(const RowStore&) = delete;
    RowStore& operator=(const RowStore&) = delete;

    // Reads every row of the statement. With `hiddenKey`, result column 0 is
    // the row's key (rowid) and is not one of the columns.
    void readAll(Statement& statement, bool hiddenKey);

    const std::vector<Column>& columns() const { return columns_; }
    int rowCount() const { return static_cast<int>(rows_.size()); }
    int columnCount() const { return static_cast<int>(columns_.size()); }
    bool hasKey() const { return hiddenKey_; }

    Variant value(int row, int column) const;
    std::int64_t key(int row) const;
    // Binds the value of a cell exactly as it was read.
    void bindRead(sqlite3_stmt* statement, int index, int row, int column) const;

    // Takes the statement's current row (laid out as the store: key first) as
    // row `row`; `row == rowCount()` appends. Columns `keep` marks keep their
    // present cells (expressions that a re-read of the table cannot give).
    void storeRow(sqlite3_stmt* statement, int row, const std::vector<bool>& keep);
    void removeRow(int row);

private:
    // A cell as the engine gave it.
    struct Cell {
        std::uint8_t storage = SQLITE_NULL;   // SQLITE_INTEGER, SQLITE_FLOAT, SQLITE_TEXT, SQLITE_BLOB, SQLITE_NULL
        std::int64_t integer = 0;
        double real = 0;
        const char* bytes = nullptr;          // text or blob
        std::uint32_t size = 0;
    };
    Cell cell(int row, int column) const;
    static Cell decode(const char*& at);
    void encodeFromStatement(sqlite3_stmt* statement, int index);
    void encode(const Cell& cell);
    const char* keepRow();

    std::vector<Column> columns_;
    bool hiddenKey_ = false;
    int stride_ = 0;                          // cells per row, the key included
    // Each row is encoded compactly (a tag byte per cell, then its value) in
    // blocks that never move; `rows_` points at each row's encoding.
    std::vector<const char*> rows_;
    class Block;
    std::vector<std::unique_ptr<Block>> blocks_;
    std::size_t blockBytes_ = 0;              // kept in blocks so far
    char* blockNext_ = nullptr;
    std::size_t blockLeft_ = 0;
    std::string encoding_;                    // the row being encoded
};

} // namespace db::detail
