// Quotation lines beyond what the frame shows: typed one by one with the
// mouse and the keyboard, saved, and reached again in the editor with the
// rows' scroll bar or by moving the focus.
#include "tests/pipeline/pipelinefixture.h"
#include "tests/support/reachable.h"

#include "common/mymode.h"
#include "platform/ui/controlarray.h"
#include "platform/ui/windows.h"

#include <QApplication>
#include <QScrollBar>
#include <QTest>

namespace {

// Clicks into a box and types its new text over the old, as the operator does.
void typeInto(ui::TextBox* box, const QString& text)
{
    bringToFront(box->window());
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, box->rect().center());
    ASSERT_EQ(QApplication::focusWidget(), box);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, text);
}

// A click on an arrow of the rows' scroll bar: one row further up or down.
void clickScrollArrow(QWidget* window, bool down)
{
    auto* bar = window->findChild<QWidget*>(QStringLiteral("scrollPane"))->findChild<QScrollBar*>();
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(reachable(bar));
    const QPoint arrow(bar->width() / 2, down ? bar->height() - 3 : 2);
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, arrow);
}

class LineScroll : public PipelineTest {
protected:
    void SetUp() override
    {
        PipelineTest::SetUp();
        customer = addCustomer(QStringLiteral("华东贸易"));
        for (int line = 1; line <= 10; ++line)
            products << insert(QStringLiteral("product"), {{QStringLiteral("product"), QStringLiteral("商品%1").arg(line)},
                                                          {QStringLiteral("price"), QStringLiteral("10")},
                                                          {QStringLiteral("KCL"), QStringLiteral("50")}});
    }

    ui::TextBox* rowBox(ui::Form* window, const char* column, int row)
    {
        return rowsOf(window)->box(QString::fromLatin1(column), row);
    }

    int customer = 0;
    QList<int> products;
};

TEST_F(LineScroll, TenQuotationLinesAreTypedSavedAndReachedAgain)
{
    Mymode::CurrentRecordId = customer;
    ui::Form* window = open(QStringLiteral("AddChance"));
    type(window, QStringLiteral("chance_title"), QStringLiteral("年度采购"));
    type(window, QStringLiteral("chance_connect"), QStringLiteral("张三"));

    // Each line: its product button, the pick, then the quantity typed.
    for (int row = 0; row < 10; ++row) {
        auto* button = ui::element<ui::PictureButton>(window, QStringLiteral("command3"), row);
        ASSERT_NE(button, nullptr) << row;
        ASSERT_TRUE(reachable(button)) << "product button of line " << row + 1;
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
        ui::Form* list = ui::Windows::loaded(QStringLiteral("productmgr"));
        ASSERT_NE(list, nullptr) << row;
        ASSERT_TRUE(list->control<ui::DataGrid>(QStringLiteral("DataGrid1"))->setCurrentKey(db::Variant(products[row])));
        auto* pick = list->control<ui::PictureButton>(QStringLiteral("command2"));
        QTest::mouseClick(pick, Qt::LeftButton, Qt::NoModifier, pick->rect().center());
        ASSERT_EQ(cell(window, "product", row), QStringLiteral("商品%1").arg(row + 1));
        ui::TextBox* quantity = rowBox(window, "num", row);
        ASSERT_TRUE(reachable(quantity)) << "quantity of line " << row + 1;
        typeInto(quantity, QString::number(row + 1));
    }
    EXPECT_TRUE(reachable(rowBox(window, "num", 10))) << "the empty row below the last line";
    EXPECT_FALSE(reachable(rowBox(window, "num", 0))) << "the first lines have scrolled out of view";
    EXPECT_EQ(text(window, QStringLiteral("totalMx")), QStringLiteral("550"));
    auto* save = window->control<ui::PictureButton>(QStringLiteral("command1"));
    QTest::mouseClick(save, Qt::LeftButton, Qt::NoModifier, save->rect().center());
    expectOnly(QStringLiteral("机会报价录入操作成功！"));
    ASSERT_EQ(count(QStringLiteral("select count(*) from chanceMX")), 10);
    EXPECT_EQ(scalar(QStringLiteral("select num from chanceMX where productname='商品10'")), QStringLiteral("10"));

    // The editor opens at the first line; the scroll bar brings line 10 into view.
    window = openFor(QStringLiteral("ChanceDetail"), scalar(QStringLiteral("select id from chance")).toInt());
    EXPECT_EQ(cell(window, "product", 9), QStringLiteral("商品10"));
    ui::TextBox* tenth = rowBox(window, "num", 9);
    EXPECT_TRUE(reachable(rowBox(window, "num", 0)));
    EXPECT_FALSE(reachable(tenth));
    for (int step = 0; step < 10 && !reachable(tenth); ++step) clickScrollArrow(window, true);
    ASSERT_TRUE(reachable(tenth)) << "line 10 after scrolling";
    typeInto(tenth, QStringLiteral("20"));
    EXPECT_EQ(cell(window, "TotalSM", 9), QStringLiteral("200"));
    EXPECT_EQ(text(window, QStringLiteral("totalMx")), QStringLiteral("650"));
    save = window->control<ui::PictureButton>(QStringLiteral("command1"));
    QTest::mouseClick(save, Qt::LeftButton, Qt::NoModifier, save->rect().center());
    expectOnly(QStringLiteral("机会报价修改操作成功！"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from chanceMX")), 10);
    EXPECT_EQ(scalar(QStringLiteral("select num from chanceMX where productname='商品10'")), QStringLiteral("20"));
    EXPECT_EQ(scalar(QStringLiteral("select totalmoney from chance")), QStringLiteral("650"));
}

// The conversion window shows a stored quotation's lines in the same
// scrolling rows: moving the focus down the lines brings each into view.
TEST_F(LineScroll, ConversionReachesEveryLineOfALongQuotation)
{
    const QString key = QStringLiteral("k12");
    const int id = insert(QStringLiteral("chance"), {{QStringLiteral("companyid"), QString::number(customer)},
                                                     {QStringLiteral("chance_title"), QStringLiteral("长报价")},
                                                     {QStringLiteral("chance_connect"), QStringLiteral("李四")},
                                                     {QStringLiteral("totalmoney"), QStringLiteral("100")},
                                                     {QStringLiteral("indexflag"), key}});
    for (int line = 1; line <= 10; ++line)
        insert(QStringLiteral("chanceMX"), {{QStringLiteral("indexflag"), key},
                                            {QStringLiteral("productname"), QStringLiteral("商品%1").arg(line)},
                                            {QStringLiteral("price"), QStringLiteral("10")},
                                            {QStringLiteral("num"), QStringLiteral("1")},
                                            {QStringLiteral("zk"), QStringLiteral("100")},
                                            {QStringLiteral("unitprice"), QStringLiteral("10")}});
    ui::Form* window = openFor(QStringLiteral("becomeOrder"), id);
    ui::TextBox* last = rowBox(window, "num", 9);
    ASSERT_NE(last, nullptr);
    EXPECT_FALSE(reachable(last));
    bringToFront(window);
    last->setFocus();
    EXPECT_TRUE(reachable(last));
    EXPECT_FALSE(reachable(rowBox(window, "num", 0)));
    rowBox(window, "num", 0)->setFocus();
    EXPECT_TRUE(reachable(rowBox(window, "num", 0)));
}

} // namespace
