#include "platform/db/rowstore.h"

#include "platform/db/locale.h"
#include "platform/db/numbertext.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <sys/mman.h>

namespace db::detail {

namespace {

constexpr std::size_t kFirstBlock = 4 << 10;   // blocks double from here: a one-row store stays small
constexpr std::size_t kSmallBlock = 64 << 10;
constexpr std::size_t kHugeBlock = 2 << 20;
constexpr std::size_t kSmallBlocksUpTo = 1 << 20;   // a store this large takes huge pages from then on

std::size_t varintSize(std::uint32_t value)
{
    std::size_t size = 1;
    for (; value >= 0x80; value >>= 7) ++size;
    return size;
}

void writeVarint(char*& at, std::uint32_t value)
{
    while (value >= 0x80) {
        *at++ = static_cast<char>((value & 0x7F) | 0x80);
        value >>= 7;
    }
    *at++ = static_cast<char>(value);
}

std::uint32_t readVarint(const char*& at)
{
    std::uint32_t value = 0;
    for (int shift = 0;; shift += 7) {
        const auto byte = static_cast<std::uint8_t>(*at++);
        value |= static_cast<std::uint32_t>(byte & 0x7F) << shift;
        if (!(byte & 0x80)) return value;
    }
}

} // namespace

inline std::size_t RowStore::encodedSize(const Cell& cell)
{
    switch (cell.storage) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT: return 1 + 8;
    case SQLITE_TEXT:
    case SQLITE_BLOB: return 1 + varintSize(cell.size) + cell.size;
    default: return 1;
    }
}

inline void RowStore::encode(char*& at, const Cell& cell)
{
    *at++ = static_cast<char>(cell.storage);
    switch (cell.storage) {
    case SQLITE_INTEGER:
        std::memcpy(at, &cell.integer, sizeof cell.integer);
        at += sizeof cell.integer;
        break;
    case SQLITE_FLOAT:
        std::memcpy(at, &cell.real, sizeof cell.real);
        at += sizeof cell.real;
        break;
    case SQLITE_TEXT:
    case SQLITE_BLOB:
        writeVarint(at, cell.size);
        if (cell.size) std::memcpy(at, cell.bytes, cell.size);
        at += cell.size;
        break;
    default: break;
    }
}

// The cell is taken once as the engine's value, and its type and bytes read
// from that: one call into the statement per cell rather than two or three.
inline RowStore::Cell RowStore::cellOf(sqlite3_stmt* statement, int index)
{
    sqlite3_value* value = sqlite3_column_value(statement, index);
    Cell cell;
    cell.storage = static_cast<std::uint8_t>(sqlite3_value_type(value));
    switch (cell.storage) {
    case SQLITE_INTEGER: cell.integer = sqlite3_value_int64(value); break;
    case SQLITE_FLOAT: cell.real = sqlite3_value_double(value); break;
    case SQLITE_TEXT:
        cell.bytes = reinterpret_cast<const char*>(sqlite3_value_text(value));
        cell.size = static_cast<std::uint32_t>(sqlite3_value_bytes(value));
        break;
    case SQLITE_BLOB:
        cell.bytes = static_cast<const char*>(sqlite3_value_blob(value));
        cell.size = static_cast<std::uint32_t>(sqlite3_value_bytes(value));
        break;
    default: cell.storage = SQLITE_NULL; break;
    }
    return cell;
}

RowStore::Cell RowStore::decode(const char*& at)
{
    Cell cell;
    cell.storage = static_cast<std::uint8_t>(*at++);
    switch (cell.storage) {
    case SQLITE_INTEGER:
        std::memcpy(&cell.integer, at, sizeof cell.integer);
        at += sizeof cell.integer;
        break;
    case SQLITE_FLOAT:
        std::memcpy(&cell.real, at, sizeof cell.real);
        at += sizeof cell.real;
        break;
    case SQLITE_TEXT:
    case SQLITE_BLOB:
        cell.size = readVarint(at);
        cell.bytes = at;
        at += cell.size;
        break;
    default: break;
    }
    return cell;
}

// Memory for rows. Large results are read into 2 MB blocks on huge pages:
// touching fresh memory page by page costs more than reading the rows.
class RowStore::Block {
public:
    explicit Block(std::size_t size) : size_(size)
    {
        if (size == kHugeBlock) {
            // Map twice the size and keep the aligned middle, so the block can be one huge page.
            void* mapped = mmap(nullptr, 2 * size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
            if (mapped != MAP_FAILED) {
                const auto start = reinterpret_cast<std::uintptr_t>(mapped);
                const std::uintptr_t aligned = (start + size - 1) & ~(size - 1);
                if (aligned > start) munmap(mapped, aligned - start);
                if (const std::uintptr_t end = start + 2 * size; end > aligned + size)
                    munmap(reinterpret_cast<void*>(aligned + size), end - aligned - size);
                data_ = reinterpret_cast<char*>(aligned);
                madvise(data_, size, MADV_HUGEPAGE);
                mapped_ = true;
                return;
            }
        }
        data_ = static_cast<char*>(std::malloc(size));
        if (!data_) throw std::bad_alloc();
    }
    ~Block()
    {
        if (mapped_) munmap(data_, size_);
        else std::free(data_);
    }
    Block(const Block&) = delete;
    Block& operator=(const Block&) = delete;
    char* data() const { return data_; }

private:
    char* data_ = nullptr;
    std::size_t size_;
    bool mapped_ = false;
};

RowStore::RowStore() = default;
RowStore::~RowStore() = default;

// Starts a new block with room for at least `needed` bytes; the first `used`
// of them, the part of a row written so far, come along from the present one.
void RowStore::newBlock(std::size_t used, std::size_t needed)
{
    std::size_t block =
        blockBytes_ < kSmallBlocksUpTo ? std::clamp(blockBytes_, kFirstBlock, kSmallBlock) : kHugeBlock;
    if (needed > block) block = 2 * needed;   // a row larger than a block gets one of its own
    auto fresh = std::make_unique<Block>(block);
    if (used) std::memcpy(fresh->data(), blockNext_, used);
    blocks_.push_back(std::move(fresh));
    blockNext_ = blocks_.back()->data();
    blockLeft_ = block;
    blockBytes_ += block;
}

// Ends the row of `size` bytes written at blockNext_; returns where it lies.
const char* RowStore::endRow(std::size_t size)
{
    const char* row = blockNext_;
    blockNext_ += size;
    blockLeft_ -= size;
    return row;
}

const char* RowStore::keepRow(const std::vector<Cell>& cells)
{
    std::size_t size = 0;
    for (const Cell& cell : cells) size += encodedSize(cell);
    if (size > blockLeft_) newBlock(0, size);
    char* at = blockNext_;
    for (const Cell& cell : cells) encode(at, cell);
    return endRow(size);
}

// Encodes the statement's current row cell by cell straight into the blocks.
const char* RowStore::readRow(sqlite3_stmt* statement)
{
    std::size_t used = 0;
    for (int i = 0; i < stride_; ++i) {
        const Cell cell = cellOf(statement, i);
        const std::size_t size = encodedSize(cell);
        if (used + size > blockLeft_) newBlock(used, used + size);
        char* at = blockNext_ + used;
        encode(at, cell);
        used += size;
    }
    return endRow(used);
}

void RowStore::describe(Statement& statement, bool hiddenKey, const QHash<QString, FieldType>& outputTypes)
{
    sqlite3_stmt* handle = statement.get();
    hiddenKey_ = hiddenKey;
    stride_ = statement.columnCount();
    columns_.clear();
    for (int i = hiddenKey ? 1 : 0; i < stride_; ++i) {
        columns_.push_back(describeColumn(handle, i));
        Column& column = columns_.back();
        if (column.type == FieldType::Untyped)
            column.type = outputTypes.value(column.name.toLower(), FieldType::Untyped);
    }
}

void RowStore::readRows(Statement& statement, const std::function<bool(std::int64_t)>& wanted)
{
    sqlite3_stmt* handle = statement.get();
    if (statement.columnCount() != stride_) throw Error(QStringLiteral("查询的字段在打开后已改变"));
    std::vector<const char*> read;
    std::vector<const char*>& into = rows_.empty() ? rows_ : read;
    while (statement.step()) {
        if (wanted && !wanted(sqlite3_column_int64(handle, 0))) continue;
        into.push_back(readRow(handle));
    }
    if (!read.empty()) rows_.insert(rows_.begin(), read.begin(), read.end());
}

void RowStore::readAll(Statement& statement, bool hiddenKey, const QHash<QString, FieldType>& outputTypes)
{
    describe(statement, hiddenKey, outputTypes);
    readRows(statement);
}

RowStore::Cell RowStore::cell(int row, int column) const
{
    const char* at = rows_[row];
    const int wanted = column + (hiddenKey_ ? 1 : 0);
    for (int i = 0; i < wanted; ++i) decode(at);
    return decode(at);
}

std::int64_t RowStore::key(int row) const
{
    const char* at = rows_[row];
    return decode(at).integer;
}

Variant RowStore::value(int row, int column) const
{
    return convert(cell(row, column), columns_[column].type);
}

Variant RowStore::valueOf(sqlite3_stmt* statement, int index, FieldType type)
{
    return convert(cellOf(statement, index), type);
}

Variant RowStore::convert(const Cell& c, FieldType type)
{
    switch (c.storage) {
    case SQLITE_INTEGER:
        switch (type) {
        case FieldType::Currency:
            if (auto amount = currencyOfStored(c.integer)) return Variant(*amount);
            return Variant(static_cast<double>(c.integer));
        case FieldType::Double: return Variant(static_cast<double>(c.integer));
        case FieldType::Date: return Variant(Variant(c.integer).toDate());
        default: return Variant(c.integer);
        }
    case SQLITE_FLOAT:
        switch (type) {
        case FieldType::Currency:
            if (auto amount = currencyOfStored(c.real)) return Variant(*amount);
            return Variant(c.real);
        case FieldType::Date: return Variant(Variant(c.real).toDate());
        default: return Variant(c.real);
        }
    case SQLITE_TEXT:
    case SQLITE_BLOB: {
        const QString text = QString::fromUtf8(c.bytes, c.size);
        if (type == FieldType::Date)
            if (auto when = locale::parseDate(text)) return Variant(*when);
        if (type == FieldType::Currency)
            if (auto ticks = numbertext::parseTicks(text)) return Variant(Currency::fromTicks(*ticks));
        return Variant(text);
    }
    default: return Variant::null();
    }
}

void RowStore::bindRead(sqlite3_stmt* statement, int index, int row, int column) const
{
    const Cell c = cell(row, column);
    switch (c.storage) {
    case SQLITE_INTEGER: sqlite3_bind_int64(statement, index, c.integer); break;
    case SQLITE_FLOAT: sqlite3_bind_double(statement, index, c.real); break;
    case SQLITE_TEXT: sqlite3_bind_text(statement, index, c.bytes, static_cast<int>(c.size), SQLITE_STATIC); break;
    case SQLITE_BLOB: sqlite3_bind_blob(statement, index, c.bytes, static_cast<int>(c.size), SQLITE_STATIC); break;
    default: sqlite3_bind_null(statement, index); break;
    }
}

void RowStore::storeRow(sqlite3_stmt* statement, int row, const std::vector<bool>& keep)
{
    const int offset = hiddenKey_ ? 1 : 0;
    const char* old = row < rowCount() ? rows_[row] : nullptr;
    std::vector<Cell> cells;
    for (int i = 0; i < stride_; ++i) {
        const Cell present = old ? decode(old) : Cell();
        cells.push_back(i >= offset && keep[i - offset] ? present : cellOf(statement, i));
    }
    if (row == rowCount()) rows_.push_back(keepRow(cells));
    else rows_[row] = keepRow(cells);
}

void RowStore::removeRow(int row)
{
    rows_.erase(rows_.begin() + row);
}

} // namespace db::detail
