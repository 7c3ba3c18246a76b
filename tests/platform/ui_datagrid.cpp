// The data grid over a recordset: columns from the column table, the hidden
// key, the extra empty column, current row and key, operator actions, and
// in-place edits written back to the database.
#include "platform/ui/datagrid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QToolTip>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class UiDataGrid : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        const QString file = dir.filePath(QStringLiteral("grid.hvd"));
        db::createDatabase(file, {QStringLiteral("CREATE TABLE goods (id INTEGER PRIMARY KEY AUTOINCREMENT, "
                                                 "Product TEXT(50), qty LONG, price CURRENCY, note TEXT(50))"),
                                  QStringLiteral("INSERT INTO goods (Product, qty, price) VALUES ('茶杯', 3, 2.5)"),
                                  QStringLiteral("INSERT INTO goods (Product, qty, price) VALUES ('水壶', 10, 18)"),
                                  QStringLiteral("INSERT INTO goods (Product, qty, price) VALUES ('茶叶', 7, 0.75)")});
        connectString = QStringLiteral("provider=Microsoft.Jet.OLEDB.4.0;Data source =") + file
            + QStringLiteral(";Jet OLEDB:Database");
    }

    std::shared_ptr<db::Recordset> query(const QString& sql)
    {
        db::Connection connection;
        connection.open(connectString);
        auto rows = std::make_shared<db::Recordset>();
        rows->open(sql, connection, db::CursorType::Keyset, db::LockType::Optimistic, db::CursorLocation::Client);
        return rows;
    }

    QString stored(const QString& sql)
    {
        auto rows = query(sql);
        return rows->eof() ? QString() : rows->field(0).toText();
    }

    static std::vector<ui::GridColumn> goodsColumns()
    {
        return {{QStringLiteral("id"), 0, QStringLiteral("id")},
                {QStringLiteral("产品"), 1500, QStringLiteral("product")},   // case differs from the table
                {QStringLiteral("数量"), 800, QStringLiteral("qty")}};
    }

    QTemporaryDir dir;
    QString connectString;
    QWidget window;
    ui::DataGrid grid{&window};
};

TEST_F(UiDataGrid, ShowsConfiguredColumnsTheHiddenKeyAndTheEmptyColumn)
{
    grid.bind(query(QStringLiteral("select id, product, qty from goods order by id")), goodsColumns());
    ASSERT_EQ(grid.rowCount(), 3);
    ASSERT_EQ(grid.columnCount(), 4);
    EXPECT_EQ(grid.columnCaption(1), QStringLiteral("产品"));
    EXPECT_DOUBLE_EQ(grid.columnWidth(0), 0);
    EXPECT_TRUE(grid.isColumnHidden(0));
    EXPECT_DOUBLE_EQ(grid.columnWidth(1), 1500);
    EXPECT_EQ(grid.columnCaption(3), QString());
    EXPECT_EQ(grid.cellText(1, 1), QStringLiteral("水壶"));
    EXPECT_EQ(grid.cell(1, 2), db::Variant(10));
    EXPECT_TRUE(grid.cell(1, 3).isEmpty());

    // A freshly bound grid stands on its first row.
    EXPECT_EQ(grid.currentRow(), 0);
    EXPECT_EQ(grid.currentKey().toText(), QStringLiteral("1"));
    grid.setCurrentRow(2);
    EXPECT_EQ(grid.currentKey().toText(), QStringLiteral("3"));
    EXPECT_EQ(grid.dataSource()->field(QStringLiteral("product")).toText(), QStringLiteral("茶叶"));
}

TEST_F(UiDataGrid, EmptyColumnPlacementAndTheQuerysOtherColumns)
{
    struct Case {
        int emptyColumnAt;
        QStringList captions;
    };
    const Case cases[] = {
        {-1, {"id", "产品", "数量", "", "price", "note"}},
        {-2, {"id", "产品", "数量", "price", "note"}},
        {4, {"id", "产品", "数量", "price", "", "note"}},
    };
    for (const Case& c : cases) {
        grid.bind(query(QStringLiteral("select id, product, qty, price, note from goods")), goodsColumns(),
                  c.emptyColumnAt);
        QStringList captions;
        for (int column = 0; column < grid.columnCount(); ++column) captions << grid.columnCaption(column);
        EXPECT_EQ(captions, c.captions) << c.emptyColumnAt;
    }
    EXPECT_EQ(grid.cellText(0, 3), QStringLiteral("2.5"));
}

TEST_F(UiDataGrid, FieldMissingFromTheQueryShowsEmptyCells)
{
    auto columns = goodsColumns();
    columns.push_back({QStringLiteral("备注"), 900, QStringLiteral("no_such_field")});
    grid.bind(query(QStringLiteral("select id, product, qty from goods")), columns);
    EXPECT_EQ(grid.columnCount(), 5);
    EXPECT_EQ(grid.columnCaption(3), QStringLiteral("备注"));
    EXPECT_EQ(grid.cellText(0, 3), QString());
}

TEST_F(UiDataGrid, EmptyResultKeepsTheColumnLayout)
{
    grid.bind(query(QStringLiteral("select id, product, qty from goods where id < 0")), goodsColumns());
    EXPECT_EQ(grid.rowCount(), 0);
    EXPECT_EQ(grid.columnCount(), 4);
    EXPECT_EQ(grid.columnCaption(2), QStringLiteral("数量"));
    EXPECT_EQ(grid.currentRow(), -1);
    EXPECT_TRUE(grid.currentKey().isEmpty());
}

TEST_F(UiDataGrid, RebindingReplacesTheRowsAndUnbindLeavesNone)
{
    grid.bind(query(QStringLiteral("select id, product, qty from goods")), goodsColumns());
    grid.bind(query(QStringLiteral("select id, product, qty from goods where qty > 5")), goodsColumns());
    EXPECT_EQ(grid.rowCount(), 2);
    grid.unbind();
    EXPECT_EQ(grid.rowCount(), 0);
    EXPECT_EQ(grid.dataSource(), nullptr);
    EXPECT_TRUE(grid.currentKey().isEmpty());
}

TEST_F(UiDataGrid, CaptionsFromTheQueryWhenAsked)
{
    grid.bindWithQueryCaptions(query(QStringLiteral("select id, product as 名称, qty as 数量 from goods")),
                               {0, 2000});
    EXPECT_EQ(grid.columnCount(), 3);
    EXPECT_EQ(grid.columnCaption(1), QStringLiteral("名称"));
    EXPECT_DOUBLE_EQ(grid.columnWidth(1), 2000);
    EXPECT_TRUE(grid.isColumnHidden(0));
}

TEST_F(UiDataGrid, InPlaceEditIsWrittenBackAndARefusedOneKeepsTheOldValue)
{
    grid.bind(query(QStringLiteral("select id, product, qty from goods order by id")), goodsColumns());
    EXPECT_FALSE(grid.editCell(0, 1, QStringLiteral("瓷杯")));   // editing not allowed
    grid.setAllowUpdate(true);

    EXPECT_TRUE(grid.editCell(0, 1, QStringLiteral("瓷杯")));
    EXPECT_EQ(grid.cellText(0, 1), QStringLiteral("瓷杯"));
    EXPECT_EQ(stored(QStringLiteral("select product from goods where id = 1")), QStringLiteral("瓷杯"));

    EXPECT_FALSE(grid.editCell(1, 2, QStringLiteral("很多")));   // not a number
    EXPECT_EQ(grid.cellText(1, 2), QStringLiteral("10"));
    EXPECT_EQ(stored(QStringLiteral("select qty from goods where id = 2")), QStringLiteral("10"));

    EXPECT_FALSE(grid.editCell(1, 0, QStringLiteral("99")));   // the key
    EXPECT_FALSE(grid.editCell(1, 3, QStringLiteral("x")));    // the empty column
    EXPECT_TRUE(grid.model()->flags(grid.model()->index(1, 1)) & Qt::ItemIsEditable);
    EXPECT_FALSE(grid.model()->flags(grid.model()->index(1, 0)) & Qt::ItemIsEditable);
}

TEST_F(UiDataGrid, OperatorActionsReachTheHandlers)
{
    grid.bind(query(QStringLiteral("select id, product, qty from goods order by id")), goodsColumns());
    grid.resize(400, 300);
    std::vector<db::Variant> keysAtRightClick;
    int doubleClicks = 0;
    std::vector<int> headers;
    grid.onMouseDown = [&](int button, int, double, double) {
        if (button == ui::RightButton) keysAtRightClick.push_back(grid.currentKey());
    };
    grid.onDblClick = [&] { ++doubleClicks; };
    grid.onHeadClick = [&](int column) { headers.push_back(column); };

    grid.rightClickRow(1);
    // A real right click on the third row: the row becomes current before the handler runs.
    const QPoint third = grid.visualRect(grid.model()->index(2, 1)).center();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(third), grid.viewport()->mapToGlobal(QPointF(third)),
                      Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(grid.viewport(), &press);
    EXPECT_EQ(keysAtRightClick, (std::vector<db::Variant>{db::Variant(2), db::Variant(3)}));

    grid.doubleClickRow(0);
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(grid.currentRow(), 0);

    grid.clickHeader(2);
    emit grid.horizontalHeader()->sectionClicked(1);
    grid.clickHeader(9);
    EXPECT_EQ(headers, (std::vector<int>{2, 1}));
}

// The row the commands act on is the row the operator sees selected, from
// the binding on, whatever moved the current row.
TEST_F(UiDataGrid, TheCurrentRowIsAlwaysTheOneRowShownSelected)
{
    grid.resize(400, 300);
    const auto selectedRows = [&] {
        std::vector<int> rows;
        for (const QModelIndex& index : grid.selectionModel()->selectedRows()) rows.push_back(index.row());
        return rows;
    };
    const auto click = [&](int row, Qt::KeyboardModifiers modifiers) {
        const QPointF at = grid.visualRect(grid.model()->index(row, 1)).center();
        const QPointF global = grid.viewport()->mapToGlobal(at);
        QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, modifiers);
        QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, modifiers);
        QApplication::sendEvent(grid.viewport(), &press);
        QApplication::sendEvent(grid.viewport(), &release);
    };
    int clicks = 0;
    grid.onClick = [&] { ++clicks; };

    grid.bind(query(QStringLiteral("select id, product, qty from goods order by id")), goodsColumns());
    EXPECT_EQ(selectedRows(), std::vector<int>{0}) << "bound";

    grid.setCurrentRow(2);
    EXPECT_EQ(selectedRows(), std::vector<int>{2}) << "set by code";

    grid.selectionModel()->setCurrentIndex(grid.model()->index(1, 1), QItemSelectionModel::NoUpdate);
    EXPECT_EQ(selectedRows(), std::vector<int>{1}) << "cursor moved alone";

    click(1, Qt::ControlModifier);
    EXPECT_EQ(grid.currentRow(), 1);
    EXPECT_EQ(selectedRows(), std::vector<int>{1}) << "control-click on the current row";

    click(0, Qt::NoModifier);
    EXPECT_EQ(grid.currentKey(), db::Variant(1));
    EXPECT_EQ(selectedRows(), std::vector<int>{0}) << "clicked";

    grid.bind(query(QStringLiteral("select id, product, qty from goods where qty > 5 order by id")), goodsColumns());
    EXPECT_EQ(selectedRows(), std::vector<int>{0}) << "bound again";
    EXPECT_EQ(grid.currentKey(), db::Variant(2));

    // A click on the row that is current already is a click all the same.
    clicks = 0;
    click(0, Qt::NoModifier);
    grid.clickRow(0);
    EXPECT_EQ(clicks, 2);

    EXPECT_TRUE(grid.setCurrentKey(db::Variant(3)));
    EXPECT_EQ(selectedRows(), std::vector<int>{1});
    EXPECT_FALSE(grid.setCurrentKey(db::Variant(1)));
    EXPECT_EQ(grid.currentRow(), 1);
}

TEST_F(UiDataGrid, LargeResultsAreReadOnDemand)
{
    db::Connection connection;
    connection.open(connectString);
    connection.execute(QStringLiteral("CREATE TABLE many (id INTEGER PRIMARY KEY, name TEXT(50))"));
    connection.beginTrans();
    for (int i = 1; i <= 100000; ++i)
        connection.execute(QStringLiteral("INSERT INTO many (id, name) VALUES (%1, 'n%1')").arg(i));
    connection.commitTrans();

    auto rows = query(QStringLiteral("select id, name from many order by id"));
    QElapsedTimer clock;
    clock.start();
    grid.bind(rows, {{QStringLiteral("id"), 0, QStringLiteral("id")}, {QStringLiteral("名称"), 1500, QStringLiteral("name")}});
    grid.setCurrentRow(99999);
    EXPECT_EQ(grid.rowCount(), 100000);
    EXPECT_EQ(grid.currentKey(), db::Variant(100000));
    EXPECT_EQ(grid.cellText(50000, 1), QStringLiteral("n50001"));
    EXPECT_LT(clock.elapsed(), 500);
}

TEST_F(UiDataGrid, FittedColumnsShareTheWidthWithoutAScrollBar)
{
    // 1500 + 800 twips of columns in a grid of 1800.
    ui::placeTwips(&grid, 0, 0, 1800, 1500);
    grid.setColumnsFitWidth(true);
    grid.bind(query(QStringLiteral("select id, product, qty from goods order by id")), goodsColumns());
    window.show();
    QApplication::processEvents();
    EXPECT_EQ(grid.horizontalScrollBar()->maximum(), 0);
    EXPECT_LE(grid.horizontalHeader()->length(), grid.viewport()->width());
    // Each column keeps its share of the total; the configured widths stay as given.
    EXPECT_NEAR(grid.horizontalHeader()->sectionSize(1) * 800.0, grid.horizontalHeader()->sectionSize(2) * 1500.0, 1500);
    EXPECT_DOUBLE_EQ(grid.columnWidth(1), 1500);
    EXPECT_TRUE(grid.isColumnHidden(3));

    // Columns that fit keep their widths, the empty column takes the rest.
    ui::placeTwips(&grid, 0, 0, 6000, 1500);
    QApplication::processEvents();
    EXPECT_EQ(grid.horizontalHeader()->sectionSize(1), ui::twipsToPixels(1500));
    EXPECT_FALSE(grid.isColumnHidden(3));
    EXPECT_EQ(grid.horizontalScrollBar()->maximum(), 0);
}

TEST_F(UiDataGrid, ACellTooNarrowForItsTextShowsItWholeAsItsToolTip)
{
    grid.setToolTipText(QStringLiteral("双击直接修改"));
    grid.bind(query(QStringLiteral("select id, product, qty from goods order by id")),
              {{QStringLiteral("id"), 0, QStringLiteral("id")},
               {QStringLiteral("产品"), 300, QStringLiteral("product")},
               {QStringLiteral("数量"), 1500, QStringLiteral("qty")}});
    window.show();
    QApplication::processEvents();
    auto hover = [this](int column) {
        const QRect cell = grid.visualRect(grid.model()->index(0, column));
        QHelpEvent help(QEvent::ToolTip, cell.center(), grid.viewport()->mapToGlobal(cell.center()));
        QApplication::sendEvent(grid.viewport(), &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    EXPECT_EQ(hover(1), QStringLiteral("茶杯"));
    QToolTip::hideText();
    EXPECT_NE(hover(2), QStringLiteral("3"));
}

TEST_F(UiDataGrid, TheFirstArrowKeyMovesToTheNextRow)
{
    grid.bind(query(QStringLiteral("select id, product, qty from goods order by id")), goodsColumns());
    window.show();
    QApplication::processEvents();
    ASSERT_EQ(grid.currentRow(), 0);
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(&grid, &down);
    EXPECT_EQ(grid.currentRow(), 1);
    EXPECT_EQ(grid.currentKey().toText(), grid.cell(1, 0).toText());
}

} // namespace
