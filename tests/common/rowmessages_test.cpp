// The delete of a list window's current row while another workstation holds
// the data file: refused saying why, with no word of kept input, and the row
// stays until the file is free.
#include "tests/support/busyfile.h"
#include "tests/support/scratch.h"

#include "common/rowmessages.h"

namespace {

using RowDelete = ScratchProgram;

} // namespace

TEST_F(RowDelete, ADeleteRefusedByABusyFileSaysSoAndDeletesNothing)
{
    exec(QStringLiteral("CREATE TABLE probe (id INTEGER PRIMARY KEY AUTOINCREMENT, name TEXT(50))"));
    const QString select = QStringLiteral("select * from probe where id=");
    const struct {
        OtherWorkstationWriting::Hold hold;
        bool rowRead;   // the row was read before the file was held
        const char* title;
    } cases[] = {{OtherWorkstationWriting::Hold::Exclusive, false, ""}, {OtherWorkstationWriting::Hold::Write, true, "删除"}};
    for (const auto& c : cases) {
        exec(QStringLiteral("INSERT INTO probe (name) VALUES ('批发')"));
        const db::Variant id = scalar(QStringLiteral("select max(id) from probe")).toInt();
        auto row = c.rowRead ? rowmessages::rowToDelete(select, id, QString::fromUtf8(c.title)) : nullptr;
        {
            OtherWorkstationWriting other(c.hold);
            if (row) rowmessages::deleteRow(*row, QString::fromUtf8(c.title));
            else EXPECT_EQ(rowmessages::rowToDelete(select, id, QString::fromUtf8(c.title)), nullptr);
        }
        expectOnly(QStringLiteral("记录删除失败，数据未改变。另一台电脑正在使用数据文件，这次没有改变任何数据，请再试一次"),
                   ui::Icon::Error, QString::fromUtf8(c.title));
        EXPECT_EQ(count(QStringLiteral("select count(*) from probe")), 1) << c.title;

        row = rowmessages::rowToDelete(select, id, QString::fromUtf8(c.title));
        ASSERT_NE(row, nullptr);
        rowmessages::deleteRow(*row, QString::fromUtf8(c.title));
        EXPECT_TRUE(messages.shown().empty()) << c.title;
        EXPECT_EQ(count(QStringLiteral("select count(*) from probe")), 0) << c.title;
    }
}
