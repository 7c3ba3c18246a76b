#pragma once
// The rows of a query held in memory, compactly: each cell keeps the value as
// the engine stored it (so an optimistic check can compare with exactly what
// was read), and becomes a typed Variant only when it is looked at.
// Internal to the database layer.
#include "platform/db/columns.h"
#include "platform/db/connectionstate.h"

#include <QHash>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace db::detail {

class RowStore {
public:
    RowStore();
    ~RowStore();
    RowStore(const RowStore&) = delete;
    RowStore& operator=(const RowStore&) = delete;

    // Takes the statement's columns. With `hiddenKey`, result column 0 is the
    // row's key (rowid) and is not one of the columns. `outputTypes` types
    // result columns that are expressions, by lower-case name.
    void describe(Statement& statement, bool hiddenKey, const QHash<QString, FieldType>& outputTypes = {});
    // Reads every row of the statement, laid out as described, ahead of the
    // rows already held; with `wanted`, only the rows whose key it accepts.
    void readRows(Statement& statement, const std::function<bool(std::int64_t)>& wanted = {});
    // describe() and readRows() in one.
    void readAll(Statement& statement, bool hiddenKey, const QHash<QString, FieldType>& outputTypes = {});

    const std::vector<Column>& columns() const { return columns_; }
    int rowCount() const { return static_cast<int>(rows_.size()); }
    int columnCount() const { return static_cast<int>(columns_.size()); }
    bool hasKey() const { return hiddenKey_; }

    Variant value(int row, int column) const;
    // The value of a result column of the statement's current row, as value() gives a stored one.
    static Variant valueOf(sqlite3_stmt* statement, int index, FieldType type);
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
    static Cell cellOf(sqlite3_stmt* statement, int index);
    static Variant convert(const Cell& cell, FieldType type);
    static Cell decode(const char*& at);
    static std::size_t encodedSize(const Cell& cell);
    static void encode(char*& at, const Cell& cell);
    void newBlock(std::size_t used, std::size_t needed);
    const char* endRow(std::size_t size);
    const char* keepRow(const std::vector<Cell>& cells);
    const char* readRow(sqlite3_stmt* statement);

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
};

} // namespace db::detail
