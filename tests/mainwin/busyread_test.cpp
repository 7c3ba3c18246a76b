// The lists while another workstation holds the data file: a read that fails
// says why and leaves what the grid, its count and the search strip showed;
// the same action passes once the file is free.
#include "mainwin_fixture.h"

#include "tests/support/busyfile.h"

#include "common/readfailure.h"
#include "platform/ui/treeview.h"

namespace {

const QString kBusy = QString::fromUtf8(readfailure::kBusyText);

class BusyLists : public MainWindowTest {
protected:
    // What the window shows of its list: ids, count, view key, search
    // captions, and the customer list the export would take.
    QStringList shown() const
    {
        QStringList ids;
        for (int id : shownIds()) ids << QString::number(id);
        return {ids.join(QLatin1Char(',')), countLabel(), viewKey(), searchCaptions().join(QLatin1Char(',')),
                Mymode::CustListSql};
    }
};

struct ListCase {
    const char* menu;
    const char* key;
    const char* table;
    const char* owner;
    const char* column;    // what the search looks in
    const char* caption;   // its search caption
};

const ListCase kLists[] = {
    {"mnuCustList", "CustList", "company", "KH_CZZ", "company_name", "客户名称"},
    {"mnuContectList", "ConnectList", "KH_LXR", "LXR_CZZ", "Connect_name", "姓名"},
    {"mnuActionList", "ActionList", "KH_ACT", "Action_CZZ", "ActionTitle", "活动概述"},
    {"mnuChanceList", "ChanceList", "chance", "chance_CZZ", "chance_title", "概述"},
    {"mnuSalesList", "SalesList", "sales", "sal_CZZ", "sales_title", "销售概述"},
    {"mnuServiceList", "ServiceList", "service", "service_CZZ", "service_title", "服务概述"},
};

} // namespace

// Each list switch and each quick search, refused while the file is held:
// the box, then the window as it was; a search that cannot be read is no
// search without a match.
TEST_F(BusyLists, AListThatCannotBeReadSaysWhyAndKeepsWhatItShowed)
{
    const int customer = addCustomer(QStringLiteral("alpha"));
    addCustomer(QStringLiteral("beta"));
    for (const ListCase& list : kLists) {
        if (QString::fromLatin1(list.table) == QLatin1String("company")) continue;
        for (const char* title : {"alpha", "beta"})
            insert(QString::fromLatin1(list.table),
                   QStringLiteral("companyid,%1,%2").arg(QString::fromLatin1(list.owner), QString::fromLatin1(list.column)),
                   QStringLiteral("%1,'system','%2'").arg(customer).arg(QString::fromLatin1(title)));
    }
    openMain();
    const auto refused = [&](const ListCase& list, const char* action, const std::function<void()>& step) {
        const QStringList before = shown();
        {
            OtherWorkstationWriting other(OtherWorkstationWriting::Hold::Exclusive);
            step();
        }
        ASSERT_EQ(messages.shown().size(), 1u) << list.key << action;
        EXPECT_EQ(messages.lastText(), kBusy) << list.key << action;
        EXPECT_EQ(shown(), before) << list.key << action;
        messages.clear();
        step();
        EXPECT_TRUE(messages.shown().empty()) << list.key << action;
    };
    for (const ListCase& list : kLists) {
        refused(list, " switch", [&] { choose(list.menu); });
        EXPECT_EQ(viewKey(), QString::fromLatin1(list.key));
        ASSERT_EQ(shownIds().size(), 2) << list.key;
        const int alpha = shownIds().last();
        refused(list, " search", [&] { search(QString::fromUtf8(list.caption), QStringLiteral("包含"), QStringLiteral("alpha")); });
        EXPECT_EQ(shownIds(), QList<int>{alpha}) << list.key;
    }
}
