// The customer-list printout: a ruled table under the column captions, one
// 360-twip line per customer, the captions repeated on every page.
#include "reports/datareport2.h"
#include "tests/reports/printout_fixture.h"

namespace {

using CustomerList = CustomerPrintouts;

// The paper's top-left margins, the page header under them, then the lines.
constexpr double kLeft = 440;
constexpr double kTop = 440;
constexpr double kFirstLine = kTop + 375;
constexpr double kLineHeight = 360;

void expectCaptions(const PdfPage& page)
{
    expectAt(page, QStringLiteral("客户名称"), kLeft + 990, kTop + 30);
    expectAt(page, QStringLiteral("客户地址"), kLeft + 3750, kTop + 45);
    expectAt(page, QStringLiteral("联系人"), kLeft + 6600, kTop + 45);
    expectAt(page, QStringLiteral("电话"), kLeft + 7800, kTop + 15);
    expectAt(page, QStringLiteral("传真"), kLeft + 9600, kTop + 15);
}

TEST_F(CustomerList, OneRuledLinePerCustomerUnderTheCaptions)
{
    addCustomers({
        {QStringLiteral("北京华信科技有限公司"), QStringLiteral("北京市海淀区中关村大街1号"), QStringLiteral("张伟"),
         QStringLiteral("010-62345678"), QStringLiteral("010-62345679"), QStringLiteral("VIP001")},
        {QStringLiteral("O'Brien贸易"), std::nullopt, QStringLiteral("李\"小\"明"), QString(),
         QStringLiteral("021-5555"), QString()},
    });
    setCustomerList();

    const std::vector<PdfPage> pages = printed<reports::DataReport2>();
    ASSERT_EQ(pages.size(), 1u);
    const PdfPage& page = pages[0];
    expectCaptions(page);
    EXPECT_EQ(page.lines(), QStringList({QStringLiteral("客户名称 客户地址 联系人 电话 传真"),
                                         QStringLiteral("O'Brien贸易 李\"小\"明 021-5555"),
                                         QStringLiteral("北京华信科技有限公司 北京市海淀区中关村大街1号 张伟 "
                                                        "010-62345678 010-62345679")}));
    // Name, address, contact, telephone and fax in their cells; the customer
    // without address and telephone keeps its line and its other cells.
    expectAt(page, QStringLiteral("O'Brien贸易"), kLeft + 60, kFirstLine + 15);
    expectAt(page, QStringLiteral("李\"小\"明"), kLeft + 6360, kFirstLine + 30);
    expectAt(page, QStringLiteral("021-5555"), kLeft + 9120, kFirstLine + 30);
    const double second = kFirstLine + kLineHeight;
    expectAt(page, QStringLiteral("北京华信科技有限公司"), kLeft + 60, second + 15);
    expectAt(page, QStringLiteral("北京市海淀区中关村大街1号"), kLeft + 2985, second + 30);
    expectAt(page, QStringLiteral("张伟"), kLeft + 6360, second + 30);
    expectAt(page, QStringLiteral("010-62345678"), kLeft + 7320, second + 15);
    expectAt(page, QStringLiteral("010-62345679"), kLeft + 9120, second + 30);
}

TEST_F(CustomerList, FortyThreeLinesToAPageAndTheCaptionsOnEach)
{
    addNumberedCustomers(50);
    setCustomerList();

    const std::vector<PdfPage> pages = printed<reports::DataReport2>();
    ASSERT_EQ(pages.size(), 2u);
    for (const PdfPage& page : pages)
        expectCaptions(page);
    expectAt(pages[0], QStringLiteral("客户50"), kLeft + 60, kFirstLine + 15);
    expectAt(pages[0], QStringLiteral("客户08"), kLeft + 60, kFirstLine + 42 * kLineHeight + 15);
    EXPECT_EQ(pages[0].find(QStringLiteral("客户07")), nullptr);
    expectAt(pages[1], QStringLiteral("客户07"), kLeft + 60, kFirstLine + 15);
    expectAt(pages[1], QStringLiteral("fax01"), kLeft + 9120, kFirstLine + 6 * kLineHeight + 30);
    EXPECT_EQ(pages[1].words.size(), 5u + 7u * 5u);
}

TEST_F(CustomerList, AnEmptyListPrintsTheCaptionsOnly)
{
    addNumberedCustomers(2);
    setCustomerList(QStringLiteral("company_name = ") + sqltext::quoted(QStringLiteral("nobody's")));

    const std::vector<PdfPage> pages = printed<reports::DataReport2>();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].lines(), QStringList{QStringLiteral("客户名称 客户地址 联系人 电话 传真")});
}

} // namespace
