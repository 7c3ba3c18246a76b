#include "platform/ui/packedrows.h"

#include <utility>

namespace ui {

void PackedRows::clear()
{
    chars_ = QString();
    cells_ = {};
    rows_ = {};
    unused_ = 0;
}

PackedRows::Cell PackedRows::addCell(QStringView text)
{
    const Cell cell{chars_.size(), text.size()};
    chars_.append(text);
    return cell;
}

PackedRows::Row PackedRows::addRow(const QStringList& texts, QStringView tag)
{
    const Row row{cells_.size(), static_cast<int>(texts.size())};
    cells_.push_back(addCell(tag));
    for (const QString& text : texts) cells_.push_back(addCell(text));
    return row;
}

void PackedRows::append(const QStringList& texts, QStringView tag)
{
    rows_.push_back(addRow(texts, tag));
}

QStringView PackedRows::text(int row, int column) const
{
    const Row& r = rows_[row];
    if (column < 0 || column >= r.texts) return {};
    const Cell& cell = cells_[r.firstCell + 1 + column];
    return QStringView(chars_).mid(cell.start, cell.length);
}

QStringList PackedRows::texts(int row) const
{
    QStringList result;
    result.reserve(rows_[row].texts);
    for (int column = 0; column < rows_[row].texts; ++column) result.append(text(row, column).toString());
    return result;
}

QStringView PackedRows::tag(int row) const
{
    const Cell& cell = cells_[rows_[row].firstCell];
    return QStringView(chars_).mid(cell.start, cell.length);
}

// A shorter or equal text is written over the old one; a longer one, or a
// column the row lacks, puts the text (or the whole row) at the end and leaves
// the old place unused until a repack.
void PackedRows::setText(int row, int column, const QString& value)
{
    Row& r = rows_[row];
    if (column < r.texts) {
        Cell& cell = cells_[r.firstCell + 1 + column];
        if (value.size() <= cell.length) {
            chars_.replace(cell.start, value.size(), value);
            unused_ += cell.length - value.size();
            cell.length = value.size();
        } else {
            unused_ += cell.length;
            cell = addCell(value);
        }
    } else {
        QStringList grown = texts(row);
        const QString oldTag = tag(row).toString();
        unused_ += 1 + r.texts + oldTag.size();
        for (const QString& text : std::as_const(grown)) unused_ += text.size();
        grown.resize(column);
        grown.append(value);
        r = addRow(grown, oldTag);
    }
    repackWhenMostlyUnused();
}

void PackedRows::reorder(const std::vector<int>& order)
{
    std::vector<Row> reordered;
    reordered.reserve(rows_.size());
    for (const int from : order) reordered.push_back(rows_[from]);
    rows_ = std::move(reordered);
}

// Copies every row afresh once more than half of the blocks is unused, so a
// list whose texts keep changing does not grow without end.
void PackedRows::repackWhenMostlyUnused()
{
    constexpr qsizetype kSmallWaste = 4096;
    if (unused_ < kSmallWaste || unused_ * 2 < chars_.size() + static_cast<qsizetype>(cells_.size())) return;
    PackedRows packed;
    for (int row = 0; row < size(); ++row) packed.append(texts(row), tag(row));
    *this = std::move(packed);
}

} // namespace ui
