// The product-number look-up: the list of matches while typing, Enter and a
// click on an item filling the line, and the rows it adds in the new-order variant.
#include "tests/sales/salesfixture.h"
#include "tests/support/reachable.h"

#include "common/mymode.h"
#include "platform/ui/controlarray.h"
#include "platform/ui/windows.h"

#include <QApplication>
#include <QScrollBar>
#include <QTest>

namespace {

class Lookup : public SalesTest {
protected:
    void SetUp() override
    {
        SalesTest::SetUp();
        addProduct(QStringLiteral("Widget"), QStringLiteral("A10"), QStringLiteral("12.5"), QStringLiteral("个"));
        addProduct(QStringLiteral("Bolt"), QStringLiteral("B-7"), QStringLiteral("3"), QStringLiteral("只"));
        addProduct(QStringLiteral("Nut"), QStringLiteral("B"), QStringLiteral("0.5"), QStringLiteral("只"));
        addProduct(QStringLiteral("Screw"), QStringLiteral("XA1"), QStringLiteral("1"), QStringLiteral("只"));
    }
    ui::ListBox* list(ui::Form* window) { return window->findChild<ui::ListBox*>(QStringLiteral("List1")); }
    QStringList items(ui::Form* window)
    {
        QStringList shown;
        for (int i = 0; i < list(window)->listCount(); ++i) shown << list(window)->list(i);
        return shown;
    }
};

TEST_F(Lookup, TypingListsMatchesAndEnterFillsTheLine)
{
    ui::Form* window = openRows(QStringLiteral("rowsSalesAdd"));
    typeKeys(window, QStringLiteral("description"), 0, QStringLiteral("a1"));
    EXPECT_FALSE(list(window)->isHidden());
    EXPECT_EQ(items(window), (QStringList{QStringLiteral("A10-Widget"), QStringLiteral("XA1-Screw")}));
    EXPECT_EQ(list(window)->y(), box(window, QStringLiteral("description"), 0)->geometry().bottom() + 1);
    EXPECT_EQ(ui::leftTwips(list(window)), 480);
    // In the new-order window every key adds the row below.
    EXPECT_TRUE(rowExists(window, 1));

    typeKeys(window, QStringLiteral("description"), 0, QStringLiteral("0"));
    box(window, QStringLiteral("description"), 0)->typeKey(13);
    EXPECT_TRUE(list(window)->isHidden());
    EXPECT_EQ(text(window, QStringLiteral("description"), 0), QStringLiteral("A10"));
    EXPECT_EQ(text(window, QStringLiteral("product"), 0), QStringLiteral("Widget"));
    EXPECT_EQ(text(window, QStringLiteral("dw"), 0), QStringLiteral("个"));
    EXPECT_EQ(text(window, QStringLiteral("num"), 0), QStringLiteral("1"));
    EXPECT_EQ(text(window, QStringLiteral("zk"), 0), QStringLiteral("100"));
    EXPECT_EQ(text(window, QStringLiteral("TotalSM"), 0), QStringLiteral("12.5"));
    EXPECT_EQ(boxText(window, QStringLiteral("totalMx")), QStringLiteral("12.5"));

    // A miss fills nothing and hides the list; a leading blank is listed but not found.
    // The list shown under a row created after it lies above that row's boxes.
    typeKeys(window, QStringLiteral("description"), 1, QStringLiteral(" A10"));
    EXPECT_EQ(items(window), QStringList{QStringLiteral("A10-Widget")});
    EXPECT_FALSE(list(window)->isHidden());
    EXPECT_EQ(ui::topTwips(list(window)), 765 + 285);
    box(window, QStringLiteral("description"), 1)->typeKey(13);
    EXPECT_TRUE(list(window)->isHidden());
    EXPECT_TRUE(text(window, QStringLiteral("product"), 1).isEmpty());
    EXPECT_TRUE(rowExists(window, 2));

    // A quote typed into the box is searched for, not a broken query.
    type(window, QStringLiteral("description"), 1, QStringLiteral("A'"));
    EXPECT_TRUE(items(window).isEmpty());
    EXPECT_FALSE(list(window)->isHidden());
}

// A click on an item fills the line with the product of that item, also when
// its number holds a "-" and another product is numbered like its first part,
// in every window that carries the look-up; the saved order sells it.
TEST_F(Lookup, ClickFillsTheLineWithTheProductOfTheItem)
{
    Mymode::CurrentRecordId = addCustomer(QStringLiteral("海维"));
    for (const char* kind : {"SalesDetail", "frmNewCust", "SalesAdd"}) {
        SCOPED_TRACE(kind);
        ui::Form* window = ui::Windows::open(QString::fromLatin1(kind));
        QTest::keyClicks(box(window, QStringLiteral("description"), 0), QStringLiteral("B-7"));
        ASSERT_EQ(items(window), QStringList{QStringLiteral("B-7-Bolt")});
        QListWidget* shown = list(window);
        QTest::mouseClick(shown->viewport(), Qt::LeftButton, Qt::NoModifier, shown->visualItemRect(shown->item(0)).center());
        EXPECT_EQ(text(window, QStringLiteral("product"), 0), QStringLiteral("Bolt"));
        EXPECT_EQ(text(window, QStringLiteral("description"), 0), QStringLiteral("B-7"));
        EXPECT_EQ(text(window, QStringLiteral("Price"), 0), QStringLiteral("3"));
        EXPECT_TRUE(shown->isHidden());
        if (QLatin1String(kind) == QLatin1String("SalesAdd")) {
            EXPECT_TRUE(rowExists(window, 1));
            window->control<ui::PictureButton>(QStringLiteral("command1"))->click();
            expectOnly(QStringLiteral("销售单录入操作成功！"));
            EXPECT_EQ(scalar(QStringLiteral("select productname from SalesMX")), QStringLiteral("Bolt"));
            EXPECT_EQ(scalar(QStringLiteral("select KCL from product where product='Bolt'")), QStringLiteral("9"));
            EXPECT_EQ(scalar(QStringLiteral("select KCL from product where product='Nut'")), QStringLiteral("10"));
        }
        ui::Windows::unloadAll();
    }
}

TEST_F(Lookup, EnterFillsItsOwnLineInTheEditor)
{
    ui::Form* window = openRows(QStringLiteral("rowsSalesDetail"));
    rowsOf(window)->addRow(1, linerows::RowOrder::Loaded);
    rowsOf(window)->addRow(2, linerows::RowOrder::Loaded);
    type(window, QStringLiteral("description"), 2, QStringLiteral("XA1"));
    type(window, QStringLiteral("description"), 0, QStringLiteral("A10"));
    EXPECT_EQ(rowsOf(window)->selflag, 0);
    box(window, QStringLiteral("description"), 2)->typeKey(13);
    EXPECT_EQ(text(window, QStringLiteral("product"), 2), QStringLiteral("Screw"));
    EXPECT_TRUE(text(window, QStringLiteral("product"), 0).isEmpty());
    // The editor adds no row and its names are not typed into.
    EXPECT_FALSE(rowExists(window, 3));
    EXPECT_TRUE(box(window, QStringLiteral("product"), 2)->isReadOnly());
    EXPECT_EQ(list(window)->width(), ui::twipsToPixels(1695));
}

// The new-order window takes more lines than its frame shows: each line's
// number is typed with the keys and Enter, the rows scroll on so the next
// one is in view, and the scroll bar brings the first lines back.
TEST_F(Lookup, EveryLineOfALongOrderIsReachable)
{
    Mymode::CurrentRecordId = addCustomer(QStringLiteral("海维"));
    ui::Form* window = ui::Windows::open(QStringLiteral("SalesAdd"));
    for (int row = 0; row < 20; ++row) {
        ui::TextBox* number = box(window, QStringLiteral("description"), row);
        ASSERT_NE(number, nullptr) << row;
        ASSERT_TRUE(reachable(number)) << "number box of line " << row + 1;
        bringToFront(window);
        QTest::mouseClick(number, Qt::LeftButton, Qt::NoModifier, number->rect().center());
        ASSERT_EQ(QApplication::focusWidget(), number) << row;
        QTest::keyClicks(number, QStringLiteral("B-7"));
        QTest::keyClick(number, Qt::Key_Return);
        ASSERT_EQ(text(window, QStringLiteral("product"), row), QStringLiteral("Bolt")) << row;
    }
    EXPECT_EQ(boxText(window, QStringLiteral("totalMx")), QStringLiteral("60"));
    EXPECT_TRUE(reachable(box(window, QStringLiteral("description"), 20)));
    ui::TextBox* first = box(window, QStringLiteral("num"), 0);
    EXPECT_FALSE(reachable(first));
    auto* bar = window->findChild<QWidget*>(QStringLiteral("scrollPane"))->findChild<QScrollBar*>();
    ASSERT_NE(bar, nullptr);
    for (int step = 0; step < 30 && !reachable(first); ++step) {
        ASSERT_TRUE(reachable(bar));
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, QPoint(bar->width() / 2, 2));   // the upper arrow
    }
    ASSERT_TRUE(reachable(first));
    bringToFront(window);
    QTest::mouseClick(first, Qt::LeftButton, Qt::NoModifier, first->rect().center());
    QTest::keyClick(first, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(first, QStringLiteral("5"));
    EXPECT_EQ(boxText(window, QStringLiteral("totalMx")), QStringLiteral("72"));
}

TEST_F(Lookup, APickWithTheLinesButtonLeavesNoListOpen)
{
    ui::Form* window = openRows(QStringLiteral("rowsSalesAdd"));
    window->show();
    // The operator starts typing a number, then picks the product with the line's button.
    typeKeys(window, QStringLiteral("description"), 0, QStringLiteral("Q"));
    ASSERT_FALSE(list(window)->isHidden());
    EXPECT_TRUE(items(window).isEmpty());
    rowsOf(window)->command3.element(0)->click();
    ui::Form* products = ui::Windows::loaded(QStringLiteral("productmgr"));
    ASSERT_NE(products, nullptr);
    products->control<ui::PictureButton>(QStringLiteral("command2"))->click();
    EXPECT_EQ(text(window, QStringLiteral("description"), 0), QStringLiteral("A10"));
    EXPECT_TRUE(list(window)->isHidden());
    EXPECT_TRUE(rowExists(window, 1));
}

} // namespace
