// The envelope-label printout: one label per customer of the stored customer
// list, down the page, eight to an A4 page.
#include "reports/datareport1.h"
#include "tests/reports/printout_fixture.h"

namespace {

using Labels = CustomerPrintouts;

// A label's top-left corner on the paper: the left margin, and one label height per label above it.
constexpr double kLeft = 1000;
constexpr double kLabelHeight = 2025;

TEST_F(Labels, EachCustomerIsOneLabelInTheListsOrder)
{
    addCustomers({
        {QStringLiteral("北京华信科技有限公司"), QStringLiteral("北京市海淀区中关村大街1号"), QStringLiteral("张伟"),
         QStringLiteral("010-62345678"), QStringLiteral("010-62345679"), QStringLiteral("VIP001")},
        {QStringLiteral("O'Brien贸易"), std::nullopt, QStringLiteral("李\"小\"明"), QString(), QString(), QString()},
        {QStringLiteral("上海浦东贸易公司"), QStringLiteral("上海市浦东新区世纪大道8号"), QStringLiteral("王芳"),
         QString(), QString(), QStringLiteral("VIP003")},
    });
    setCustomerList();

    const std::vector<PdfPage> pages = printed<reports::DataReport1>();
    ASSERT_EQ(pages.size(), 1u);
    const PdfPage& page = pages[0];
    // Newest first; each label reads postcode, address, name, contact. The
    // customer without address and postcode prints neither, and keeps its full height.
    EXPECT_EQ(page.text(), QStringLiteral("VIP003 上海市浦东新区世纪大道8号 上海浦东贸易公司 王芳 "
                                          "O'Brien贸易 李\"小\"明 "
                                          "VIP001 北京市海淀区中关村大街1号 北京华信科技有限公司 张伟"));
    for (int label = 0; label < 3; ++label) {
        SCOPED_TRACE(label);
        const double top = label * kLabelHeight;
        const QString name = QStringList{QStringLiteral("上海浦东贸易公司"), QStringLiteral("O'Brien贸易"),
                                         QStringLiteral("北京华信科技有限公司")}[label];
        const QString contact = QStringList{QStringLiteral("王芳"), QStringLiteral("李\"小\"明"), QStringLiteral("张伟")}[label];
        expectAt(page, name, kLeft + 360, top + 735);
        expectAt(page, contact, kLeft + 1845, top + 1200);
    }
    expectAt(page, QStringLiteral("VIP003"), kLeft + 15, 0);
    expectAt(page, QStringLiteral("上海市浦东新区世纪大道8号"), kLeft + 60, 390);
    expectAt(page, QStringLiteral("VIP001"), kLeft + 15, 2 * kLabelHeight);
}

TEST_F(Labels, EightLabelsFillAPageAndTheRestGoOn)
{
    addNumberedCustomers(10);
    setCustomerList();

    const std::vector<PdfPage> pages = printed<reports::DataReport1>();
    ASSERT_EQ(pages.size(), 2u);
    expectAt(pages[0], QStringLiteral("客户10"), kLeft + 360, 735);
    expectAt(pages[0], QStringLiteral("客户03"), kLeft + 360, 7 * kLabelHeight + 735);
    EXPECT_EQ(pages[0].find(QStringLiteral("客户02")), nullptr);
    expectAt(pages[1], QStringLiteral("客户02"), kLeft + 360, 735);
    expectAt(pages[1], QStringLiteral("VIP01"), kLeft + 15, kLabelHeight);
    EXPECT_EQ(pages[1].words.size(), 8u);
}

TEST_F(Labels, OnlyTheCustomersOfTheStoredListPrint)
{
    addNumberedCustomers(3);
    struct Case {
        const char* what;
        QString condition;
        QString text;
    };
    const std::vector<Case> cases = {
        {"a quick search", QStringLiteral("company_name like ") + sqltext::containing(QStringLiteral("02")),
         QStringLiteral("VIP02 地址02 客户02 联系人02")},
        {"a search that finds nobody prints no label", QStringLiteral("company_name like ")
             + sqltext::containing(QStringLiteral("O'Neil")), QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        setCustomerList(c.condition);
        const std::vector<PdfPage> pages = printed<reports::DataReport1>();
        ASSERT_EQ(pages.size(), 1u);
        EXPECT_EQ(pages[0].text(), c.text);
    }
}

} // namespace
