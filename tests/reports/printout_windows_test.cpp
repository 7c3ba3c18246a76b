// The printouts as windows: opened by name, they read the stored customer
// list afresh each time they load and show it in their preview.
#include "platform/print/preview.h"
#include "platform/ui/windows.h"
#include "tests/reports/printout_fixture.h"

namespace {

using PrintoutWindows = CustomerPrintouts;

struct Kind {
    QString name;
    QString caption;
};
const std::vector<Kind> kKinds = {{QStringLiteral("DataReport1"), QStringLiteral("标签打印")},
                                  {QStringLiteral("DataReport2"), QStringLiteral("列表打印")}};

int shownRows(const QString& kind)
{
    auto* preview = dynamic_cast<print::PreviewForm*>(ui::Windows::loaded(kind));
    return preview && preview->report() ? int(preview->report()->rows().values.size()) : -1;
}

TEST_F(PrintoutWindows, EachLoadReadsTheListAfreshAndAnOpenWindowKeepsItsRows)
{
    for (const Kind& kind : kKinds) {
        SCOPED_TRACE(kind.name.toStdString());
        exec(QStringLiteral("delete from company"));
        addNumberedCustomers(3);
        setCustomerList();

        ui::Form* window = ui::Windows::open(kind.name);
        ASSERT_TRUE(dynamic_cast<print::PreviewForm*>(window));
        EXPECT_EQ(window->caption(), kind.caption);
        EXPECT_EQ(shownRows(kind.name), 3);

        addNumberedCustomers(1);
        ui::Windows::open(kind.name);            // already open: brought to the front as it is
        EXPECT_EQ(shownRows(kind.name), 3);

        ui::Windows::unload(kind.name);
        ui::Windows::open(kind.name);
        EXPECT_EQ(shownRows(kind.name), 4);
        ui::Windows::unload(kind.name);
    }
}

// A list that cannot be read is told, and no preview opens: an empty page
// must not pass for a list without customers.
TEST_F(PrintoutWindows, AListThatCannotBeReadIsToldAndOpensNoPreview)
{
    const struct {
        QString sql;
        QString message;
    } cases[] = {{QStringLiteral("select nonsense from nowhere"),
                  QStringLiteral("没能读出数据：数据文件中缺少数据表：这个数据文件不完整或不是本系统的，请换回备份的数据文件"
                                 "（no such table: nowhere (select nonsense from nowhere)）")},
                 {QString(), QStringLiteral("没能读出数据：SQL 语句为空")}};
    for (const auto& c : cases) {
        for (const Kind& kind : kKinds) {
            SCOPED_TRACE(kind.name.toStdString());
            Mymode::CustListSql = c.sql;
            EXPECT_EQ(ui::Windows::open(kind.name), nullptr);
            expectOnly(c.message);
            EXPECT_EQ(ui::Windows::loaded(kind.name), nullptr);
        }
    }
}

} // namespace
