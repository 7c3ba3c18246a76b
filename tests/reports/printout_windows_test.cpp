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

TEST_F(PrintoutWindows, AListThatCannotBeReadShowsAnEmptyPreviewWithoutAMessage)
{
    for (const QString& sql : {QStringLiteral("select nonsense from nowhere"), QString()}) {
        for (const Kind& kind : kKinds) {
            SCOPED_TRACE(kind.name.toStdString());
            Mymode::CustListSql = sql;
            auto* preview = dynamic_cast<print::PreviewForm*>(ui::Windows::open(kind.name));
            ASSERT_TRUE(preview);
            EXPECT_EQ(shownRows(kind.name), 0);
            EXPECT_EQ(preview->report()->pageCount(), 1);
            EXPECT_TRUE(messages.shown().empty());
            ui::Windows::unload(kind.name);
        }
    }
}

} // namespace
