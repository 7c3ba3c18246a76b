// Grid binding: captions, widths, the hidden key and the empty last column;
// a failed query keeps the rows shown (or none with unbindFirst); in-place
// edits reach the database.
#include "common/gridbinding.h"
#include "tests/support/scratch.h"

namespace {

class GridBinding : public ScratchProgram {
protected:
    void SetUp() override
    {
        ScratchProgram::SetUp();
        exec(QStringLiteral("CREATE TABLE gridprobe (id INTEGER PRIMARY KEY AUTOINCREMENT, name TEXT(50))"));
        exec(QStringLiteral("INSERT INTO gridprobe (name) VALUES ('批发')"));
        exec(QStringLiteral("INSERT INTO gridprobe (name) VALUES ('零售')"));
    }

    static std::vector<ui::GridColumn> columns()
    {
        return {{QStringLiteral("id"), 0, QStringLiteral("id")},
                {QStringLiteral("客户类别"), 2500, QStringLiteral("name")}};
    }

    QWidget window;
    ui::DataGrid grid{&window};
};

TEST_F(GridBinding, QueryWithoutRowsShowsTheColumnLayoutOnly)
{
    EXPECT_TRUE(gridbinding::bind(&grid, QStringLiteral("select id,name from gridprobe where id < 0"), columns()));
    EXPECT_EQ(grid.rowCount(), 0);
    ASSERT_EQ(grid.columnCount(), 3);
    EXPECT_EQ(grid.columnCaption(0), QStringLiteral("id"));
    EXPECT_DOUBLE_EQ(grid.columnWidth(0), 0);
    EXPECT_EQ(grid.columnCaption(1), QStringLiteral("客户类别"));
    EXPECT_DOUBLE_EQ(grid.columnWidth(1), 2500);
    EXPECT_EQ(grid.columnCaption(2), QString());
}

TEST_F(GridBinding, FailedQueryKeepsTheRowsShownOrNoneWhenUnboundFirst)
{
    ASSERT_TRUE(gridbinding::bind(&grid, QStringLiteral("select id,name from gridprobe"), columns()));
    ASSERT_EQ(grid.rowCount(), 2);

    EXPECT_FALSE(gridbinding::bind(&grid, QStringLiteral("select id,name from no_such_table"), columns()));
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.cellText(1, 1), QStringLiteral("零售"));

    gridbinding::Options unbindFirst;
    unbindFirst.unbindFirst = true;
    EXPECT_FALSE(gridbinding::bind(&grid, QStringLiteral("select id,name from no_such_table"), columns(), unbindFirst));
    EXPECT_EQ(grid.rowCount(), 0);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(GridBinding, RowsAddedElsewhereAppearAtTheNextBinding)
{
    gridbinding::bind(&grid, QStringLiteral("select id,name from gridprobe"), columns());
    exec(QStringLiteral("INSERT INTO gridprobe (name) VALUES ('代理')"));
    EXPECT_EQ(grid.rowCount(), 2);   // the grid shows its own copy
    gridbinding::bind(&grid, QStringLiteral("select id,name from gridprobe"), columns());
    EXPECT_EQ(grid.rowCount(), 3);
}

TEST_F(GridBinding, InPlaceEditIsWrittenToTheDatabase)
{
    gridbinding::bind(&grid, QStringLiteral("select id,name from gridprobe order by id"), columns());
    grid.setAllowUpdate(true);
    EXPECT_TRUE(grid.editCell(1, 1, QStringLiteral("零售商")));
    EXPECT_EQ(scalar(QStringLiteral("select name from gridprobe where id = 2")), QStringLiteral("零售商"));

    // Changed meanwhile by another computer: the write is refused, says so
    // and the cell shows what is stored.
    exec(QStringLiteral("UPDATE gridprobe SET name = '团购' WHERE id = 1"));
    EXPECT_FALSE(grid.editCell(0, 1, QStringLiteral("批发商")));
    EXPECT_EQ(scalar(QStringLiteral("select name from gridprobe where id = 1")), QStringLiteral("团购"));
    expectOnly(QString::fromUtf8(gridbinding::kChangedElsewhereText).arg(QStringLiteral("客户类别")));
    EXPECT_EQ(grid.cellText(0, 1), QStringLiteral("团购"));
}

} // namespace
