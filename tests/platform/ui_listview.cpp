// The report list: columns replaced, rows with sub-items, sorting by text in
// either direction with later rows landing in place, a sort column the rows
// lack, header and item events; the flex grid's index addressing.
#include "platform/ui/flexgrid.h"
#include "platform/ui/listview.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {

QStringList texts(std::initializer_list<const char*> values)
{
    QStringList list;
    for (const char* value : values) list << QString::fromUtf8(value);
    return list;
}

TEST(UiListView, ColumnsAreReplacedAndRowsKeepTheirSubItems)
{
    QWidget window;
    ui::ListView* list = ui::addListView(&window, QStringLiteral("ListView3"), 0, 0, 6000, 3000);
    list->addColumn(QStringLiteral("序号"), 400);
    list->addColumn(QStringLiteral("金额"), 1500, ui::ListView::AlignRight);
    EXPECT_EQ(list->columnCount(), 2);
    EXPECT_DOUBLE_EQ(list->columnWidth(1), 1500);
    EXPECT_EQ(list->columnAlignment(1), ui::ListView::AlignRight);
    EXPECT_EQ(list->horizontalHeader()->sectionSize(1), 100);
    list->clearColumns();
    list->addColumn(QStringLiteral("日期"), 1200);
    EXPECT_EQ(list->columnCount(), 1);
    EXPECT_EQ(list->columnCaption(0), QStringLiteral("日期"));

    list->addItem(texts({"01.", "13800138000", "2026-12-09 08:00"}), QStringLiteral("17"));
    list->addItem(texts({"02."}));
    list->setSubItem(1, 2, QStringLiteral("later"));
    EXPECT_EQ(list->itemCount(), 2);
    EXPECT_EQ(list->itemText(0), QStringLiteral("01."));
    EXPECT_EQ(list->subItem(0, 1), QStringLiteral("13800138000"));
    EXPECT_EQ(list->subItem(1, 1), QString());
    EXPECT_EQ(list->subItem(1, 2), QStringLiteral("later"));
    EXPECT_EQ(list->tag(0), QStringLiteral("17"));
    EXPECT_EQ(list->text(5, 0), QString());
    list->clearItems();
    EXPECT_EQ(list->itemCount(), 0);
}

TEST(UiListView, SortsByTextBothWaysAndPlacesLaterRows)
{
    QWidget window;
    ui::ListView* list = ui::addListView(&window, QStringLiteral("ListView3"), 0, 0, 6000, 3000);
    list->addColumn(QStringLiteral("序号"), 400);
    list->addColumn(QStringLiteral("数量"), 800);
    for (const char* n : {"2", "10", "b", "A", "1"}) list->addItem({QStringLiteral("x"), QString::fromUtf8(n)});

    list->setSortKey(1);
    list->setSortOrder(ui::ListView::Ascending);
    EXPECT_EQ(list->columnTexts(1), texts({"2", "10", "b", "A", "1"}));   // not sorted until switched on
    list->setSorted(true);
    EXPECT_EQ(list->columnTexts(1), texts({"1", "10", "2", "A", "b"}));
    list->setSortOrder(ui::ListView::Descending);
    EXPECT_EQ(list->columnTexts(1), texts({"b", "A", "2", "10", "1"}));

    // Rows added while sorted land in place, also when they are the first of a new run.
    list->addItem({QStringLiteral("y"), QStringLiteral("11")});
    EXPECT_EQ(list->columnTexts(1), texts({"b", "A", "2", "11", "10", "1"}));
    list->clearItems();
    list->addItem({QStringLiteral("a"), QStringLiteral("3")});
    list->addItem({QStringLiteral("b"), QStringLiteral("30")});
    list->addItem({QStringLiteral("c"), QStringLiteral("4")});
    EXPECT_EQ(list->columnTexts(0), texts({"c", "b", "a"}));
    list->setSubItem(2, 1, QStringLiteral("5"));   // "3" becomes "5": now first
    EXPECT_EQ(list->columnTexts(0), texts({"a", "c", "b"}));

    // A later run with fewer columns: the sort column is missing and sorts as empty.
    list->clearColumns();
    list->clearItems();
    list->addColumn(QStringLiteral("名称"), 800);
    list->setSortKey(4);
    list->addItem({QStringLiteral("q")});
    list->addItem({QStringLiteral("p")});
    EXPECT_EQ(list->columnTexts(0), texts({"q", "p"}));
    EXPECT_EQ(list->sortKey(), 4);
}

TEST(UiListView, HeaderItemAndDoubleClickEvents)
{
    QWidget window;
    window.resize(800, 400);
    ui::ListView* list = ui::addListView(&window, QStringLiteral("ListView3"), 0, 0, 9000, 4000);
    list->addColumn(QStringLiteral("A"), 1200);
    list->addColumn(QStringLiteral("B"), 1200);
    list->addItem({QStringLiteral("one"), QStringLiteral("1")});
    list->addItem({QStringLiteral("two"), QStringLiteral("2")});
    window.show();

    std::vector<int> headers;
    std::vector<int> items;
    int doubles = 0;
    list->onColumnClick = [&](int column) { headers.push_back(column); };
    list->onItemClick = [&](int row) { items.push_back(row); };
    list->onDblClick = [&] { ++doubles; };

    emit list->horizontalHeader()->sectionClicked(1);
    list->clickColumn(1);
    list->clickColumn(3);   // no such header: nothing
    EXPECT_EQ(headers, (std::vector<int>{2, 1}));

    list->clickItem(1);
    EXPECT_EQ(items, (std::vector<int>{1}));
    EXPECT_EQ(list->selectedRow(), 1);
    list->doubleClickItem(0);
    EXPECT_EQ(items, (std::vector<int>{1, 0}));
    EXPECT_EQ(doubles, 1);

    // A real double-click on a row fires DblClick; one below the rows does not.
    const QRect cell = list->visualRect(list->model()->index(0, 1));
    QMouseEvent onRow(QEvent::MouseButtonDblClick, QPointF(cell.center()), list->viewport()->mapToGlobal(QPointF(cell.center())),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &onRow);
    EXPECT_EQ(doubles, 2);
    const QPointF below(10, list->viewport()->height() - 2);
    QMouseEvent offRows(QEvent::MouseButtonDblClick, below, list->viewport()->mapToGlobal(below), Qt::LeftButton,
                        Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &offRows);
    EXPECT_EQ(doubles, 2);

    list->setFullRowSelect(true);
    list->setGridLines(true);
    EXPECT_TRUE(list->fullRowSelect());
    EXPECT_TRUE(list->gridLines());
}

// Many rows added while sorted come out in order (they are sorted once, not row by row).
TEST(UiListView, FillsTensOfThousandsOfRowsWhileSorted)
{
    QWidget window;
    ui::ListView* list = ui::addListView(&window, QStringLiteral("ListView3"), 0, 0, 9000, 4000);
    for (int c = 0; c < 6; ++c) list->addColumn(QString::number(c), 1000);
    list->setSortKey(2);
    list->setSorted(true);
    constexpr int kRows = 50000;
    for (int r = 0; r < kRows; ++r) {
        const QString n = QString::number((r * 7919) % kRows);
        list->addItem({n, n, n, n, n, n});
    }
    const QStringList sorted = list->columnTexts(2);
    ASSERT_EQ(sorted.size(), kRows);
    EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end(),
                               [](const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) < 0; }));
}

TEST(UiListView, RowsGivenByAFunctionAreReadAsAsked)
{
    QWidget window;
    ui::ListView* list = ui::addListView(&window, QStringLiteral("ListView1"), 0, 0, 6000, 3000);
    list->addColumn(QStringLiteral("序号"), 400);
    list->addColumn(QStringLiteral("产品"), 1500);
    int made = 0;
    const auto rowTexts = [&made](int row) {
        ++made;
        return QStringList{QString::number(row + 1), row % 2 ? QStringLiteral("b") : QStringLiteral("a")};
    };
    list->setItems(100000, rowTexts);
    EXPECT_EQ(list->itemCount(), 100000);
    EXPECT_LT(made, 1000) << "only the rows asked for or shown are made";
    EXPECT_EQ(list->text(99999, 0), QStringLiteral("100000"));
    EXPECT_EQ(list->subItem(4, 1), QStringLiteral("a"));
    EXPECT_EQ(list->tag(4), QString());
    EXPECT_EQ(list->text(100000, 0), QString());

    // Changing the rows takes them all first: they read as before.
    list->addItem(texts({"x", "c"}), QStringLiteral("7"));
    EXPECT_EQ(list->itemCount(), 100001);
    EXPECT_EQ(list->text(0, 0), QStringLiteral("1"));
    EXPECT_EQ(list->tag(100000), QStringLiteral("7"));
    list->setSubItem(1, 1, QStringLiteral("z"));
    EXPECT_EQ(list->text(1, 1), QStringLiteral("z"));

    list->setItems(3, rowTexts);
    list->setSortKey(1);
    list->setSortOrder(ui::ListView::Descending);
    list->setSorted(true);
    EXPECT_EQ(list->columnTexts(1), texts({"b", "a", "a"}));
    EXPECT_EQ(list->columnTexts(0), texts({"2", "1", "3"}));
    list->clearItems();
    EXPECT_EQ(list->itemCount(), 0);
}

TEST(UiFlexGrid, CellsByIndexAndByRowAndColumn)
{
    QWidget window;
    ui::FlexGrid* grid = ui::addFlexGrid(&window, QStringLiteral("StatusGridV"), 0, 0, 6000, 2000);
    grid->setCols(6);
    grid->setRows(3);
    grid->setColWidth(1, 960);
    EXPECT_DOUBLE_EQ(grid->colWidth(1), 960);
    grid->setTextArray(0, QStringLiteral("Chno"));
    grid->setTextArray(2 * 6 + 2, QStringLiteral("Idle"));
    EXPECT_EQ(grid->textMatrix(0, 0), QStringLiteral("Chno"));
    EXPECT_EQ(grid->textMatrix(2, 2), QStringLiteral("Idle"));
    EXPECT_EQ(grid->textArray(14), QStringLiteral("Idle"));
    grid->setTextArray(18, QStringLiteral("beyond"));   // past the last row: ignored
    grid->setTextArray(-1, QStringLiteral("before"));
    EXPECT_EQ(grid->textArray(18), QString());
    EXPECT_EQ(grid->rows(), 3);
}

} // namespace
