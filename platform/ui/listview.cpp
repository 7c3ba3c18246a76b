#include "platform/ui/listview.h"

#include "platform/ui/keypress.h"
#include "platform/ui/packedrows.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QMouseEvent>
#include <QTimer>
#include <algorithm>
#include <numeric>
#include <vector>

namespace ui {

namespace {

struct ListColumn {
    QString caption;
    double width = 0;   // twips
    ListView::Alignment alignment = ListView::AlignLeft;
};

Qt::Alignment qtAlignment(ListView::Alignment alignment)
{
    switch (alignment) {
    case ListView::AlignRight: return Qt::AlignRight | Qt::AlignVCenter;
    case ListView::AlignCenter: return Qt::AlignCenter;
    case ListView::AlignLeft: break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

} // namespace

// The rows and columns of one list. Rows added while the list is sorted are
// appended and the order is restored once, before anything reads the rows
// (or at the next turn of the event loop), so filling a sorted list with many
// rows costs one sort instead of one insertion per row.
class ListModel : public QAbstractTableModel {
public:
    std::vector<ListColumn> columns;

    int rowCount(const QModelIndex& parent = {}) const override
    {
        if (parent.isValid()) return 0;
        return source_ ? sourceCount_ : static_cast<int>(rows_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(columns.size());
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid()) return {};
        if (role == Qt::DisplayRole) return text(index.row(), index.column());
        if (role == Qt::TextAlignmentRole && index.column() < columnCount())
            return QVariant::fromValue(qtAlignment(columns[index.column()].alignment));
        return {};
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
        if (role == Qt::DisplayRole) return columns[section].caption;
        if (role == Qt::TextAlignmentRole) return QVariant::fromValue(qtAlignment(columns[section].alignment));
        return {};
    }

    void setColumns(std::vector<ListColumn> newColumns)
    {
        beginResetModel();
        columns = std::move(newColumns);
        endResetModel();
    }

    void clearRows() { setSource(0, {}); }

    void setSource(int count, std::function<QStringList(int)> source)
    {
        beginResetModel();
        rows_.clear();
        unsorted_ = false;
        source_ = std::move(source);
        sourceCount_ = source_ ? count : 0;
        endResetModel();
    }

    void append(const QStringList& texts, const QString& tag, bool keepSorted)
    {
        takeSourceRows();
        const int at = rowCount();
        beginInsertRows({}, at, at);
        rows_.append(texts, tag);
        endInsertRows();
        if (keepSorted) markUnsorted();
    }

    void setText(int row, int column, const QString& value, bool keepSorted)
    {
        if (row < 0 || row >= rowCount() || column < 0) return;
        takeSourceRows();
        rows_.setText(row, column, value);
        const QModelIndex changed = index(row, column);
        emit dataChanged(changed, changed);
        if (keepSorted && column == sortColumn_) markUnsorted();
    }

    QString text(int row, int column) const
    {
        if (row < 0 || row >= rowCount()) return {};
        if (source_) return source_(row).value(column);
        return rows_.text(row, column).toString();
    }
    QString tag(int row) const { return row >= 0 && row < rowCount() && !source_ ? rows_.tag(row).toString() : QString(); }

    void setSort(int column, bool descending)
    {
        sortColumn_ = column;
        descending_ = descending;
    }

    // Orders the rows by the sort column's text, keeping the order of equal
    // rows; a column a row lacks sorts as empty text.
    void sortRows()
    {
        unsorted_ = false;
        takeSourceRows();
        std::vector<int> order(rows_.size());
        std::iota(order.begin(), order.end(), 0);
        const int column = sortColumn_;
        const bool descending = descending_;
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            const int c = rows_.text(a, column).compare(rows_.text(b, column), Qt::CaseInsensitive);
            return descending ? c > 0 : c < 0;
        });
        bool moved = false;
        for (size_t i = 0; i < order.size() && !moved; ++i) moved = order[i] != static_cast<int>(i);
        if (!moved) return;

        emit layoutAboutToBeChanged();
        std::vector<int> newRowOf(order.size());
        for (size_t i = 0; i < order.size(); ++i) newRowOf[order[i]] = static_cast<int>(i);
        rows_.reorder(order);
        const QModelIndexList before = persistentIndexList();
        QModelIndexList after;
        after.reserve(before.size());
        for (const QModelIndex& old : before) after.append(index(newRowOf[old.row()], old.column()));
        changePersistentIndexList(before, after);
        emit layoutChanged();
    }

    void ensureSorted()
    {
        if (unsorted_) sortRows();
    }

private:
    // The source's rows become rows of the list's own (they read the same).
    void takeSourceRows()
    {
        if (!source_) return;
        for (int row = 0; row < sourceCount_; ++row) rows_.append(source_(row), {});
        source_ = {};
        sourceCount_ = 0;
    }

    void markUnsorted()
    {
        if (unsorted_) return;
        unsorted_ = true;
        QTimer::singleShot(0, this, [this] { ensureSorted(); });
    }

    PackedRows rows_;
    // Rows given by a function and read as they are shown, instead of rows_.
    std::function<QStringList(int)> source_;
    int sourceCount_ = 0;
    int sortColumn_ = 0;
    bool descending_ = false;
    bool unsorted_ = false;
};

ListView::ListView(QWidget* parent) : QTableView(parent), model_(std::make_unique<ListModel>())
{
    setModel(model_.get());
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab goes on to the window's next control; the arrow keys move in the list.
    setTabKeyNavigation(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setShowGrid(false);
    setSortingEnabled(false);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) { clickColumn(section + 1); });
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) { itemClicked(index.row()); });
}

ListView::~ListView()
{
    setModel(nullptr);
}

void ListView::clearColumns()
{
    model_->ensureSorted();
    model_->setColumns({});
}

void ListView::addColumn(const QString& caption, double widthTwips, Alignment alignment)
{
    model_->ensureSorted();
    std::vector<ListColumn> columns = model_->columns;
    columns.push_back({caption, widthTwips, alignment});
    model_->setColumns(std::move(columns));
    for (int c = 0; c < columnCount(); ++c) setColumnWidth(c, twipsToPixels(model_->columns[c].width));
}

int ListView::columnCount() const
{
    return model_->columnCount();
}

QString ListView::columnCaption(int column) const
{
    return column >= 0 && column < columnCount() ? model_->columns[column].caption : QString();
}

double ListView::columnWidth(int column) const
{
    return column >= 0 && column < columnCount() ? model_->columns[column].width : 0;
}

ListView::Alignment ListView::columnAlignment(int column) const
{
    return column >= 0 && column < columnCount() ? model_->columns[column].alignment : AlignLeft;
}

void ListView::clearItems()
{
    model_->clearRows();
}

void ListView::setItems(int count, std::function<QStringList(int row)> texts)
{
    model_->setSource(count, std::move(texts));
    if (sorted_) resort();
}

void ListView::addItem(const QStringList& texts, const QString& tag)
{
    model_->append(texts, tag, sorted_);
}

int ListView::itemCount() const
{
    return model_->rowCount();
}

QString ListView::text(int row, int column) const
{
    model_->ensureSorted();
    return model_->text(row, column);
}

void ListView::setSubItem(int row, int index, const QString& value)
{
    model_->ensureSorted();
    model_->setText(row, index, value, sorted_);
}

QString ListView::tag(int row) const
{
    model_->ensureSorted();
    return model_->tag(row);
}

QStringList ListView::columnTexts(int column) const
{
    model_->ensureSorted();
    QStringList texts;
    texts.reserve(itemCount());
    for (int row = 0; row < itemCount(); ++row) texts.append(model_->text(row, column));
    return texts;
}

void ListView::setSortKey(int column)
{
    sortKey_ = std::max(0, column);
    resort();
}

void ListView::setSorted(bool sorted)
{
    sorted_ = sorted;
    resort();
}

void ListView::setSortOrder(int order)
{
    sortOrder_ = order == Descending ? Descending : Ascending;
    resort();
}

void ListView::resort()
{
    model_->setSort(sortKey_, sortOrder_ == Descending);
    if (sorted_) model_->sortRows();
}

void ListView::setFullRowSelect(bool on)
{
    fullRowSelect_ = on;
    setSelectionBehavior(on ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
}

void ListView::setGridLines(bool on)
{
    setShowGrid(on);
}

int ListView::selectedRow() const
{
    model_->ensureSorted();
    const QModelIndexList rows = selectionModel()->selectedIndexes();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void ListView::clickColumn(int column)
{
    if (column < 1 || column > columnCount()) return;
    fire(onColumnClick, column);
}

void ListView::clickItem(int row)
{
    model_->ensureSorted();
    if (row < 0 || row >= itemCount() || !isEnabled()) return;
    setCurrentIndex(model_->index(row, 0));
    itemClicked(row);
}

void ListView::doubleClickItem(int row)
{
    clickItem(row);
    if (row >= 0 && row < itemCount() && isEnabled()) fire(onDblClick);
}

void ListView::itemClicked(int row)
{
    if (row < 0 || row >= itemCount()) return;
    fire(onItemClick, row);
}

void ListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTableView::mouseDoubleClickEvent(event);
    if (indexAt(event->position().toPoint()).isValid()) fire(onDblClick);
}

ListView* addListView(QWidget* parent, const QString& name, double left, double top, double width, double height)
{
    auto* list = new ListView(parent);
    list->setObjectName(name);
    placeTwips(list, left, top, width, height);
    return list;
}

} // namespace ui
