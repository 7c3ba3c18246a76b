#include "platform/ui/datagrid.h"

#include "platform/ui/keypress.h"

#include <QAbstractTableModel>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QHeaderView>
#include <QMouseEvent>
#include <QStyle>
#include <QToolTip>
#include <algorithm>
#include <unordered_map>

namespace ui {

namespace {
constexpr int kNoField = -1;
constexpr double kDefaultWidth = -1;   // the view's default column width
} // namespace

struct ShownColumn {
    QString caption;
    double width = kDefaultWidth;   // twips
    int field = kNoField;           // index into the recordset's columns
};

namespace {

bool isNumber(const db::Variant& value)
{
    using T = db::Variant::Type;
    return value.type() == T::Long || value.type() == T::Double || value.type() == T::Currency;
}

} // namespace

// The rows of a recordset as a table model. Rows are read on demand (a grid
// shows only what is on screen), a row at a time, and kept in a small cache.
class GridModel : public QAbstractTableModel {
public:
    void reset(std::shared_ptr<db::Recordset> rows, std::vector<ShownColumn> columns)
    {
        beginResetModel();
        rows_ = std::move(rows);
        columns_ = std::move(columns);
        rowCount_ = rows_ && rows_->isOpen() ? std::max(0, rows_->recordCount()) : 0;
        cache_.clear();
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : rowCount_; }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(columns_.size());
    }
    const ShownColumn& column(int column) const { return columns_.at(column); }

    db::Variant value(int row, int column) const
    {
        if (row < 0 || row >= rowCount_ || column < 0 || column >= columnCount()) return {};
        const int field = columns_[column].field;
        if (field == kNoField) return {};
        const std::vector<db::Variant>& values = rowValues(row);
        return field < static_cast<int>(values.size()) ? values[field] : db::Variant();
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid()) return {};
        if (role == Qt::DisplayRole || role == Qt::EditRole) return value(index.row(), index.column()).toText();
        if (role == Qt::TextAlignmentRole && isNumber(value(index.row(), index.column())))
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < columnCount())
            return columns_[section].caption;
        return {};
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (isEditable(index.column())) flags |= Qt::ItemIsEditable;
        return flags;
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override
    {
        if (role != Qt::EditRole || !index.isValid()) return false;
        std::optional<RefusedEdit> refused;
        const bool written = write(index.row(), index.column(), value.toString(), refused);
        if (refused && onRefused) onRefused(index, *refused);
        return written;
    }

    // Writes one cell back by key. A value the column refuses is not written;
    // a failed write keeps the old value, or shows the stored one when the
    // cell was changed elsewhere. Either sets `refused`.
    bool write(int row, int column, const QString& text, std::optional<RefusedEdit>& refused)
    {
        if (row < 0 || row >= rowCount_ || !isEditable(column)) return false;
        const int field = columns_[column].field;
        db::Variant value(text);
        // An emptied number or date cell stores no value.
        if (db::trimBlanks(text).isEmpty() && rows_->refusal(field, value)) value = db::Variant::null();
        if (auto refusal = rows_->refusal(field, value)) {
            refused = RefusedEdit{columns_[column].caption, text, refusal, std::nullopt};
            return false;
        }
        bool written = true;
        try {
            rows_->updateCell(row, field, value);
        } catch (const db::Error& error) {
            refused = RefusedEdit{columns_[column].caption, text, std::nullopt, error};
            written = false;
        }
        // Stored or not, the row shows what the recordset now holds.
        cache_.erase(row);
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
        return written;
    }

    // A refused edit of the operator's (setData), told by the grid.
    std::function<void(const QModelIndex&, const RefusedEdit&)> onRefused;

    // The key column (0) and columns without a field are never edited.
    bool isEditable(int column) const
    {
        return allowUpdate && column > 0 && column < columnCount() && columns_[column].field != kNoField;
    }

    bool allowUpdate = false;

private:
    const std::vector<db::Variant>& rowValues(int row) const
    {
        auto cached = cache_.find(row);
        if (cached != cache_.end()) return cached->second;
        if (cache_.size() > 1000) cache_.clear();
        return cache_[row] = readRow(row);
    }

    // Reads one row and puts the recordset's cursor back where it was, so code
    // that reads the bound recordset sees the row it chose.
    std::vector<db::Variant> readRow(int row) const
    {
        std::vector<db::Variant> values;
        try {
            const int before = rows_->absolutePosition();
            const bool atEof = rows_->eof();
            rows_->setAbsolutePosition(row);
            const int fields = rows_->fieldCount();
            values.reserve(fields);
            for (int f = 0; f < fields; ++f) values.push_back(rows_->field(f));
            if (before >= 0) {
                rows_->setAbsolutePosition(before);
            } else if (atEof) {
                rows_->moveLast();
                rows_->moveNext();
            } else {
                rows_->moveFirst();
                rows_->movePrevious();
            }
        } catch (const db::Error&) {
            // A row that cannot be read shows empty cells.
        }
        return values;
    }

    std::shared_ptr<db::Recordset> rows_;
    std::vector<ShownColumn> columns_;
    int rowCount_ = 0;
    mutable std::unordered_map<int, std::vector<db::Variant>> cache_;
};

// The cell editor, which opens again on the typed text after a refused edit.
class CellEditor : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        auto* line = qobject_cast<QLineEdit*>(editor);
        if (line && retyped && retyped->first == index) {
            line->setText(retyped->second);
            retyped.reset();
            return;
        }
        QStyledItemDelegate::setEditorData(editor, index);
    }

    mutable std::optional<std::pair<QPersistentModelIndex, QString>> retyped;
};

DataGrid::DataGrid(QWidget* parent)
    : QTableView(parent), model_(std::make_unique<GridModel>()), editor_(new CellEditor(this))
{
    setModel(model_.get());
    setItemDelegate(editor_);
    model_->onRefused = [this](const QModelIndex& index, const RefusedEdit& refused) { editRefused(index, refused); };
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab goes on to the window's next control; the arrow keys move in the grid.
    setTabKeyNavigation(false);
    setSortingEnabled(false);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);

    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) { clickHeader(column); });
    connect(this, &QAbstractItemView::clicked, this, [this] { fire(onClick); });
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (rows_ && current.isValid()) {
                    try {
                        rows_->setAbsolutePosition(current.row());
                    } catch (const db::Error&) {
                    }
                }
                keepCurrentRowSelected();
                if (!rebinding_) fire(onRowColChange);
            });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { keepCurrentRowSelected(); });
}

DataGrid::~DataGrid()
{
    setModel(nullptr);
}

namespace {

// The recordset's own columns, each under its field name: the grid's columns
// before any are configured.
std::vector<ShownColumn> fieldColumns(const std::shared_ptr<db::Recordset>& rows)
{
    std::vector<ShownColumn> columns;
    if (!rows || !rows->isOpen()) return columns;
    for (int f = 0; f < rows->fieldCount(); ++f) columns.push_back({rows->fieldName(f), kDefaultWidth, f});
    return columns;
}

} // namespace

void DataGrid::bind(std::shared_ptr<db::Recordset> rows, const std::vector<GridColumn>& columns, int emptyColumnAt)
{
    std::vector<ShownColumn> shown = fieldColumns(rows);
    const int configured = static_cast<int>(columns.size());
    while (static_cast<int>(shown.size()) < configured) shown.push_back({});
    if (emptyColumnAt != -2) {
        const int at = emptyColumnAt == -1 ? configured
                                           : std::clamp(emptyColumnAt, 0, static_cast<int>(shown.size()));
        shown.insert(shown.begin() + at, ShownColumn{});
    }
    for (int i = 0; i < configured; ++i) {
        const GridColumn& c = columns[i];
        shown[i] = {c.caption, c.width, rows && rows->isOpen() ? rows->fieldIndex(c.field) : kNoField};
    }
    showRows(std::move(rows), std::move(shown));
}

void DataGrid::bindWithQueryCaptions(std::shared_ptr<db::Recordset> rows, const std::vector<double>& widths)
{
    std::vector<ShownColumn> shown = fieldColumns(rows);
    for (size_t i = 0; i < widths.size() && i < shown.size(); ++i) shown[i].width = widths[i];
    showRows(std::move(rows), std::move(shown));
}

void DataGrid::unbind()
{
    showRows(nullptr, {});
}

void DataGrid::showRows(std::shared_ptr<db::Recordset> rows, std::vector<ShownColumn> columns)
{
    rebinding_ = true;
    rows_ = std::move(rows);
    model_->reset(rows_, std::move(columns));
    applyColumnWidths();
    selectFirstRow();
    rebinding_ = false;
}

void DataGrid::applyColumnWidths()
{
    // The room for the columns, whether or not the vertical scroll bar shows.
    const int room = width() - 2 * frameWidth() - style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const int count = model_->columnCount();
    std::vector<int> given(count, 0);     // pixels of the configured widths
    std::vector<int> heading(count, 0);   // pixels the heading needs
    int total = 0;
    int unsized = 0;
    for (int column = 0; column < count; ++column) {
        const double width = model_->column(column).width;
        if (width > 0) {
            given[column] = twipsToPixels(width);
            heading[column] = std::min(given[column], horizontalHeader()->sectionSizeHint(column));
            total += given[column];
        } else if (width < 0) {
            ++unsized;
        }
    }
    // Fitted, the columns share the room in the proportions of their widths,
    // but none narrower than its heading: those keep their heading's width
    // and the others share what is left.
    std::vector<int> pixels = given;
    if (fitWidth_ && total > room) {
        std::vector<bool> atHeading(count, false);
        for (bool changed = true; changed;) {
            changed = false;
            int pinned = 0;
            int shared = 0;
            for (int column = 0; column < count; ++column) {
                if (atHeading[column]) pinned += heading[column];
                else shared += given[column];
            }
            const double scale = shared > 0 ? static_cast<double>(std::max(room - pinned, 0)) / shared : 1.0;
            for (int column = 0; column < count; ++column) {
                if (atHeading[column] || given[column] == 0) continue;
                pixels[column] = static_cast<int>(given[column] * scale);
                if (pixels[column] < heading[column]) {
                    pixels[column] = heading[column];
                    atHeading[column] = changed = true;
                }
            }
        }
    }
    int used = 0;
    for (int column = 0; column < count; ++column) {
        const double width = model_->column(column).width;
        setColumnHidden(column, width == 0);
        if (width > 0) {
            setColumnWidth(column, pixels[column]);
            used += pixels[column];
        }
    }
    // Fitted, a column without a width of its own shows only where room is left.
    const int left = std::max(room - used, 0) / std::max(unsized, 1);
    for (int column = 0; column < count; ++column) {
        if (model_->column(column).width >= 0) continue;
        if (fitWidth_) setColumnHidden(column, left < horizontalHeader()->minimumSectionSize());
        setColumnWidth(column, fitWidth_ ? left : horizontalHeader()->defaultSectionSize());
    }
}

void DataGrid::setColumnsFitWidth(bool fit)
{
    fitWidth_ = fit;
    setHorizontalScrollBarPolicy(fit ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    applyColumnWidths();
}

void DataGrid::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    if (fitWidth_) applyColumnWidths();
}

// A freshly bound grid stands on its first row, as the bound recordset does,
// and shows it selected like any current row.
namespace {
// The current cell stands in a shown column (not the hidden key), so that the
// first arrow key already moves to the next row.
int firstShownColumn(const QTableView* grid)
{
    for (int column = 0; column < grid->model()->columnCount(); ++column)
        if (!grid->isColumnHidden(column)) return column;
    return 0;
}
} // namespace

void DataGrid::selectFirstRow()
{
    if (model_->rowCount() == 0) return;
    selectionModel()->setCurrentIndex(model_->index(0, firstShownColumn(this)),
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    try {
        rows_->setAbsolutePosition(0);
    } catch (const db::Error&) {
    }
}

// The commands act on the current row, so it is always the one row shown
// selected: a deselecting click or a cursor move that leaves the selection
// behind selects the current row again.
void DataGrid::keepCurrentRowSelected()
{
    const QModelIndex current = currentIndex();
    if (!current.isValid() || selectionModel()->isRowSelected(current.row())) return;
    selectionModel()->select(current, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

int DataGrid::rowCount() const
{
    return model_->rowCount();
}

int DataGrid::columnCount() const
{
    return model_->columnCount();
}

QString DataGrid::columnCaption(int column) const
{
    return column >= 0 && column < columnCount() ? model_->column(column).caption : QString();
}

double DataGrid::columnWidth(int column) const
{
    if (column < 0 || column >= columnCount()) return 0;
    const double width = model_->column(column).width;
    return width >= 0 ? width : pixelsToTwips(QTableView::columnWidth(column));
}

int DataGrid::currentRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

void DataGrid::setCurrentRow(int row)
{
    if (row < 0 || row >= rowCount()) return;
    const QModelIndex index = model_->index(row, currentIndex().isValid() ? currentIndex().column() : firstShownColumn(this));
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}

db::Variant DataGrid::cell(int row, int column) const
{
    return model_->value(row, column);
}

QString DataGrid::cellText(int row, int column) const
{
    return cell(row, column).toText();
}

db::Variant DataGrid::currentKey() const
{
    const int row = currentRow();
    return row < 0 ? db::Variant() : cell(row, 0);
}

void DataGrid::setAllowUpdate(bool allow)
{
    model_->allowUpdate = allow;
    setEditTriggers(allow ? QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked
                                | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed
                          : QAbstractItemView::NoEditTriggers);
}

bool DataGrid::editCell(int row, int column, const QString& text)
{
    std::optional<RefusedEdit> refused;
    const bool written = model_->write(row, column, text, refused);
    if (refused) fire(onEditRefused, *refused);
    return written;
}

// Told once the editor has closed: a box shown while it commits would make it
// commit again. Then the editor opens again on what was typed, so nothing
// typed is lost; a cell changed elsewhere shows the stored value instead.
void DataGrid::editRefused(const QModelIndex& index, const RefusedEdit& refused)
{
    QTimer::singleShot(0, this, [this, cell = QPersistentModelIndex(index), refused] {
        fire(onEditRefused, refused);
        const bool conflict = refused.failure && refused.failure->kind() == db::Error::Kind::Conflict;
        if (conflict || !cell.isValid()) return;
        editor_->retyped = std::make_pair(cell, refused.text);
        setCurrentIndex(cell);
        edit(cell);
    });
}

void DataGrid::setToolTipText(const QString& text)
{
    setToolTip(text);
}

// A cell too narrow for its text shows the whole text as its tool tip.
bool DataGrid::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = indexAt(help->pos());
        const QString text = index.data().toString();
        const QRect cell = visualRect(index);
        const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
        if (index.isValid() && fontMetrics().horizontalAdvance(text) > cell.width() - 2 * margin) {
            QToolTip::showText(help->globalPos(), text, viewport(), cell);
            return true;
        }
    }
    return QTableView::viewportEvent(event);
}

bool DataGrid::setCurrentKey(const db::Variant& key)
{
    for (int row = 0; row < rowCount(); ++row) {
        if (cell(row, 0) == key) {
            setCurrentRow(row);
            return true;
        }
    }
    return false;
}

void DataGrid::clickRow(int row)
{
    setCurrentRow(row);
    fire(onClick);
}

void DataGrid::doubleClickRow(int row)
{
    setCurrentRow(row);
    fire(onDblClick);
}

void DataGrid::rightClickRow(int row)
{
    setCurrentRow(row);
    const QPoint at = visualRect(model_->index(row, 0)).center();
    fire(onMouseDown, int(RightButton), 0, pixelsToTwips(at.x()), pixelsToTwips(at.y()));
}

void DataGrid::clickHeader(int column)
{
    if (column >= 0 && column < columnCount()) fire(onHeadClick, column);
}

void DataGrid::mousePressEvent(QMouseEvent* event)
{
    // A right click first makes the row under the mouse the current row.
    if (event->button() == Qt::RightButton) {
        setFocus(Qt::MouseFocusReason);
        const QModelIndex under = indexAt(event->position().toPoint());
        if (under.isValid()) setCurrentRow(under.row());
    } else {
        QTableView::mousePressEvent(event);
    }
    fireMouse(onMouseDown, event);
}

void DataGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTableView::mouseDoubleClickEvent(event);
    fire(onDblClick);
}

} // namespace ui
