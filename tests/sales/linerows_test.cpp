// Line rows: the running totals of each variant, the row adder, and the
// product picker's hand-back into the window that asked.
#include "tests/sales/salesfixture.h"

#include "common/mymode.h"
#include "platform/ui/controlarray.h"
#include "platform/ui/windows.h"

#include <QCoreApplication>

namespace {

class LineRowsTest : public SalesTest {
protected:
    // A product button press of line `row`, then a pick of the list row showing `productId`.
    void pick(ui::Form* window, int row, int productId)
    {
        ui::element<ui::PictureButton>(window, QStringLiteral("command3"), row)->click();
        ui::Form* list = ui::Windows::loaded(QStringLiteral("productmgr"));
        ASSERT_NE(list, nullptr);
        ASSERT_TRUE(list->control<ui::DataGrid>(QStringLiteral("DataGrid1"))->setCurrentKey(db::Variant(productId)));
        list->control<ui::PictureButton>(QStringLiteral("command2"))->click();
    }
    void fillLine(ui::Form* window, int row, const QString& price, const QString& quantity, const QString& discount)
    {
        type(window, QStringLiteral("Price"), row, price);
        type(window, QStringLiteral("num"), row, quantity);
        if (box(window, QStringLiteral("zk"), row)) type(window, QStringLiteral("zk"), row, discount);
    }
};

TEST_F(LineRowsTest, TotalsFollowEveryChangeOfPriceQuantityAndDiscount)
{
    ui::Form* window = openRows(QStringLiteral("rowsSalesAdd"));
    linerows::LineRows* rows = rowsOf(window);

    // A price alone: the line cannot be computed, the totals are numbers.
    type(window, QStringLiteral("Price"), 0, QStringLiteral("10"));
    EXPECT_EQ(text(window, QStringLiteral("TotalSM"), 0), QStringLiteral("Err"));
    EXPECT_EQ(boxText(window, QStringLiteral("totalMx")), QStringLiteral("0"));
    EXPECT_EQ(boxText(window, QStringLiteral("receivemoney")), QStringLiteral("0"));

    fillLine(window, 0, QStringLiteral("12.5"), QStringLiteral("2"), QStringLiteral("90"));
    EXPECT_EQ(text(window, QStringLiteral("TotalSM"), 0), QStringLiteral("22.5"));
    EXPECT_EQ(boxText(window, QStringLiteral("totalMx")), QStringLiteral("22.5"));

    // Halves go to the even hundredth; the total rounds the unrounded sum.
    rows->addRow(1, linerows::RowOrder::Typed);
    rows->addRow(2, linerows::RowOrder::Typed);
    fillLine(window, 0, QStringLiteral("0.125"), QStringLiteral("1"), QStringLiteral("100"));
    fillLine(window, 1, QStringLiteral("0.125"), QStringLiteral("1"), QStringLiteral("100"));
    EXPECT_EQ(text(window, QStringLiteral("TotalSM"), 0), QStringLiteral("0.12"));
    EXPECT_EQ(text(window, QStringLiteral("TotalSM"), 1), QStringLiteral("0.12"));
    EXPECT_EQ(boxText(window, QStringLiteral("totalMx")), QStringLiteral("0.25"));
    fillLine(window, 1, QStringLiteral("0.375"), QStringLiteral("1"), QStringLiteral("100"));
    EXPECT_EQ(text(window, QStringLiteral("TotalSM"), 1), QStringLiteral("0.38"));

    // An "Err" row 0 still lets the walk go on; a blank quantity ends it and
    // leaves the later rows alone.
    type(window, QStringLiteral("num"), 0, QString());
    EXPECT_EQ(text(window, QStringLiteral("TotalSM"), 0), QStringLiteral("Err"));
    EXPECT_EQ(boxText(window, QStringLiteral("totalMx")), QStringLiteral("0.38"));
    type(window, QStringLiteral("TotalSM"), 2, QStringLiteral("kept"));
    fillLine(window, 2, QStringLiteral("5"), QStringLiteral("1"), QStringLiteral("100"));
    EXPECT_EQ(text(window, QStringLiteral("TotalSM"), 2), QStringLiteral("5"));
    type(window, QStringLiteral("num"), 1, QStringLiteral("two"));
    type(window, QStringLiteral("TotalSM"), 2, QStringLiteral("kept"));
    type(window, QStringLiteral("Price"), 0, QStringLiteral("1"));
    EXPECT_EQ(text(window, QStringLiteral("TotalSM"), 2), QStringLiteral("kept"));
    EXPECT_EQ(boxText(window, QStringLiteral("totalMx")), QStringLiteral("0"));

    // A typed received amount is replaced at the next change.
    type(window, QStringLiteral("num"), 0, QStringLiteral("3"));
    window->control<ui::TextBox>(QStringLiteral("receivemoney"))->setText(QStringLiteral("1"));
    type(window, QStringLiteral("zk"), 0, QStringLiteral("50"));
    EXPECT_EQ(boxText(window, QStringLiteral("totalMx")), QStringLiteral("1.5"));
    EXPECT_EQ(boxText(window, QStringLiteral("receivemoney")), QStringLiteral("1.5"));
    // A value beyond any number shows "Err" and adds nothing.
    type(window, QStringLiteral("Price"), 0, QStringLiteral("1e308"));
    type(window, QStringLiteral("num"), 0, QStringLiteral("1e308"));
    EXPECT_EQ(text(window, QStringLiteral("TotalSM"), 0), QStringLiteral("Err"));
    EXPECT_EQ(boxText(window, QStringLiteral("totalMx")), QStringLiteral("0"));
}

TEST_F(LineRowsTest, EditorKeepsReceivedAndPurchaseHasNoDiscount)
{
    ui::Form* detail = openRows(QStringLiteral("rowsSalesDetail"));
    detail->control<ui::TextBox>(QStringLiteral("receivemoney"))->setText(QStringLiteral("7"));
    type(detail, QStringLiteral("Price"), 0, QStringLiteral("3"));
    type(detail, QStringLiteral("num"), 0, QStringLiteral("2"));
    type(detail, QStringLiteral("zk"), 0, QStringLiteral("100"));
    EXPECT_EQ(boxText(detail, QStringLiteral("totalMx")), QStringLiteral("6"));
    EXPECT_EQ(boxText(detail, QStringLiteral("receivemoney")), QStringLiteral("7"));

    ui::Form* purchase = openRows(QStringLiteral("rowsPurchase"));
    EXPECT_EQ(box(purchase, QStringLiteral("zk"), 0), nullptr);
    EXPECT_EQ(box(purchase, QStringLiteral("dw"), 0), nullptr);
    type(purchase, QStringLiteral("Price"), 0, QStringLiteral("2.5"));
    type(purchase, QStringLiteral("num"), 0, QStringLiteral("4"));
    EXPECT_EQ(text(purchase, QStringLiteral("TotalSM"), 0), QStringLiteral("10"));
    EXPECT_EQ(boxText(purchase, QStringLiteral("totalMx")), QStringLiteral("10"));
}

TEST_F(LineRowsTest, AddLineRowAddsOneEmptyRowAndLeavesAnExistingOne)
{
    ui::Form* window = openRows(QStringLiteral("rowsSalesAdd"));
    linerows::LineRows* rows = rowsOf(window);
    rows->AddLineRow();
    ASSERT_TRUE(rowExists(window, 1));
    EXPECT_FALSE(rowExists(window, 2));
    for (const char* column : {"description", "product", "dw", "Price", "num", "zk", "TotalSM"}) {
        ui::TextBox* above = box(window, QString::fromLatin1(column), 0);
        ui::TextBox* added = box(window, QString::fromLatin1(column), 1);
        ASSERT_NE(added, nullptr) << column;
        EXPECT_EQ(ui::topTwips(added), 765) << column;
        EXPECT_EQ(added->x(), above->x()) << column;
        EXPECT_EQ(added->width(), above->width()) << column;
        EXPECT_EQ(added->alignment(), above->alignment()) << column;
        EXPECT_TRUE(added->text().isEmpty()) << column;
    }
    EXPECT_EQ(ui::topTwips(ui::element<ui::PictureButton>(window, QStringLiteral("command3"), 1)), 765);
    EXPECT_EQ(ui::element<ui::PictureButton>(window, QStringLiteral("command3"), 1)->toolTip(), QStringLiteral("点击选择商品"));

    // Row 1 filled: a second call changes nothing in it and adds no row.
    type(window, QStringLiteral("product"), 1, QStringLiteral("held"));
    rows->AddLineRow();
    EXPECT_EQ(text(window, QStringLiteral("product"), 1), QStringLiteral("held"));
    EXPECT_FALSE(rowExists(window, 2));

    // No row past the last index; the editor's variant adds none at all.
    rows->selflag = ui::kMaxControlIndex;
    rows->AddLineRow();
    EXPECT_EQ(rows->num.upperBound(), 1);
    ui::Form* detail = openRows(QStringLiteral("rowsSalesDetail"));
    rowsOf(detail)->AddLineRow();
    EXPECT_FALSE(rowExists(detail, 1));
}

TEST_F(LineRowsTest, PickFillsTheLineAndAddsOneBelow)
{
    const int widget = addProduct(QStringLiteral("Widget"), QStringLiteral("W-1"), QStringLiteral("12.5"), QStringLiteral("个"));
    const int bolt = addProduct(QStringLiteral("Bolt"), QStringLiteral("B1"), QStringLiteral("3"), QStringLiteral("只"));
    ui::Form* window = openRows(QStringLiteral("rowsSalesAdd"));
    pick(window, 0, widget);

    EXPECT_EQ(text(window, QStringLiteral("product"), 0), QStringLiteral("Widget"));
    EXPECT_EQ(text(window, QStringLiteral("description"), 0), QStringLiteral("W-1"));
    EXPECT_EQ(text(window, QStringLiteral("dw"), 0), QStringLiteral("个"));
    EXPECT_EQ(text(window, QStringLiteral("Price"), 0), QStringLiteral("12.5"));
    EXPECT_EQ(text(window, QStringLiteral("num"), 0), QStringLiteral("1"));
    EXPECT_EQ(text(window, QStringLiteral("zk"), 0), QStringLiteral("100"));
    EXPECT_EQ(text(window, QStringLiteral("TotalSM"), 0), QStringLiteral("12.5"));
    EXPECT_EQ(boxText(window, QStringLiteral("totalMx")), QStringLiteral("12.5"));
    EXPECT_EQ(boxText(window, QStringLiteral("SelIndex")), QStringLiteral("0"));
    ASSERT_TRUE(rowExists(window, 1));
    EXPECT_EQ(ui::topTwips(box(window, QStringLiteral("num"), 1)), 765);
    EXPECT_EQ(ui::topTwips(ui::element<ui::PictureButton>(window, QStringLiteral("command3"), 1)), 765);
    EXPECT_TRUE(text(window, QStringLiteral("product"), 1).isEmpty());
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("productmgr")), nullptr);

    // A pick into a filled line 0 resets it and leaves lines 1 and 2.
    pick(window, 1, bolt);
    pick(window, 2, widget);
    type(window, QStringLiteral("num"), 0, QStringLiteral("5"));
    pick(window, 0, bolt);
    EXPECT_EQ(text(window, QStringLiteral("product"), 0), QStringLiteral("Bolt"));
    EXPECT_EQ(text(window, QStringLiteral("num"), 0), QStringLiteral("1"));
    EXPECT_EQ(text(window, QStringLiteral("product"), 1), QStringLiteral("Bolt"));
    EXPECT_EQ(text(window, QStringLiteral("product"), 2), QStringLiteral("Widget"));
    EXPECT_TRUE(rowExists(window, 3));
    EXPECT_FALSE(rowExists(window, 4));
    EXPECT_EQ(boxText(window, QStringLiteral("totalMx")), QStringLiteral("18.5"));
}

TEST_F(LineRowsTest, PickIntoQuotationAndPurchaseWindows)
{
    const int widget = addProduct(QStringLiteral("Widget"), QStringLiteral("W-1"), QStringLiteral("12.5"), QStringLiteral("个"));
    ui::Form* quote = openRows(QStringLiteral("rowsQuote"));
    EXPECT_TRUE(boxText(quote, QStringLiteral("SelIndex")).isEmpty());
    pick(quote, 0, widget);
    EXPECT_EQ(text(quote, QStringLiteral("description"), 0), QStringLiteral("W-1"));
    EXPECT_EQ(text(quote, QStringLiteral("zk"), 0), QStringLiteral("100"));
    EXPECT_EQ(boxText(quote, QStringLiteral("totalMx")), QStringLiteral("12.5"));
    EXPECT_TRUE(rowExists(quote, 1));

    ui::Form* purchase = openRows(QStringLiteral("rowsPurchase"));
    pick(purchase, 0, widget);
    EXPECT_EQ(text(purchase, QStringLiteral("product"), 0), QStringLiteral("Widget"));
    EXPECT_EQ(text(purchase, QStringLiteral("TotalSM"), 0), QStringLiteral("12.5"));
    EXPECT_TRUE(rowExists(purchase, 1));
    EXPECT_EQ(box(purchase, QStringLiteral("zk"), 1), nullptr);
}

TEST_F(LineRowsTest, PickWithoutOrAfterItsCallerOnlyClosesTheList)
{
    addProduct(QStringLiteral("Widget"), QStringLiteral("W-1"));
    ui::Form* list = ui::Windows::open(QStringLiteral("productmgr"));
    list->control<ui::PictureButton>(QStringLiteral("command2"))->click();
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("productmgr")), nullptr);

    ui::Form* window = openRows(QStringLiteral("rowsSalesAdd"));
    ui::element<ui::PictureButton>(window, QStringLiteral("command3"), 0)->click();
    EXPECT_EQ(Mymode::ProductPickCaller, window);
    ui::Windows::unload(window);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Mymode::ProductPickCaller, nullptr);
    list = ui::Windows::loaded(QStringLiteral("productmgr"));
    ASSERT_NE(list, nullptr);
    list->control<ui::DataGrid>(QStringLiteral("DataGrid1"))->doubleClickRow(0);
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("productmgr")), nullptr);
}

} // namespace
