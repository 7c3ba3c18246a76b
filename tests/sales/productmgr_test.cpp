// The product list: the add with its refusals, the searches, the delete and
// the in-place edit of a stock.
#include "tests/sales/salesfixture.h"

#include "common/savefailure.h"
#include "platform/ui/windows.h"
#include "tests/support/busyfile.h"

#include <QApplication>
#include <QLineEdit>
#include <QHeaderView>
#include <QScrollBar>
#include <QTest>
#include <optional>

namespace {

class ProductList : public SalesTest {
protected:
    ui::Form* openList() { return ui::Windows::open(QStringLiteral("productmgr")); }
    ui::DataGrid* grid(ui::Form* list) { return list->control<ui::DataGrid>(QStringLiteral("DataGrid1")); }
    void set(ui::Form* list, const char* name, const QString& text)
    {
        list->control<ui::TextBox>(QString::fromLatin1(name))->setText(text);
    }
    QString get(ui::Form* list, const char* name) { return list->control<ui::TextBox>(QString::fromLatin1(name))->text(); }
    void click(ui::Form* list, const char* name) { list->control<ui::PictureButton>(QString::fromLatin1(name))->click(); }
    void enterIn(ui::Form* list, const char* name) { list->control<ui::TextBox>(QString::fromLatin1(name))->typeKey(13); }
    QStringList shownNames(ui::Form* list)
    {
        QStringList names;
        for (int row = 0; row < grid(list)->rowCount(); ++row) names << grid(list)->cellText(row, 1);
        return names;
    }
    void fillEntry(ui::Form* list, const QString& name, const QString& unit)
    {
        set(list, "product", name);
        set(list, "productNO", QStringLiteral("N-") + name);
        set(list, "productPrice", QStringLiteral("9.9"));
        set(list, "ProductDw", unit);
        set(list, "descript", QStringLiteral("spec"));
        set(list, "KCL", QStringLiteral("20"));
        set(list, "InPrice", QStringLiteral("6"));
    }
};

TEST_F(ProductList, AddRefusesWhatItCannotStoreAndConfirmsWhatItStored)
{
    addProduct(QStringLiteral("Widget"), QStringLiteral("W1"));
    ui::Form* list = openList();
    EXPECT_EQ(shownNames(list), QStringList{QStringLiteral("Widget")});
    EXPECT_EQ(grid(list)->columnCaption(6), QStringLiteral("库存量"));

    click(list, "command3");
    expectOnly(QStringLiteral("产品名不能为空"));
    set(list, "product", QStringLiteral("Bolt"));
    click(list, "command3");
    expectOnly(QStringLiteral("产品单位不能为空"));

    // A duplicate in another letter case; the boxes keep their text.
    fillEntry(list, QStringLiteral("WIDGET"), QStringLiteral("个"));
    click(list, "command3");
    expectOnly(QStringLiteral("该产品已存在，不能重复添加!"));
    EXPECT_EQ(get(list, "product"), QStringLiteral("WIDGET"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from product")), 1);

    // Numbers that are no numbers are refused before anything is stored.
    fillEntry(list, QStringLiteral("Bolt'1"), QStringLiteral("只"));
    set(list, "productPrice", QStringLiteral("cheap"));
    click(list, "command3");
    expectOnly(QStringLiteral("零售价必须是数字"));
    set(list, "productPrice", QStringLiteral("1"));
    set(list, "KCL", QStringLiteral("many"));
    click(list, "command3");
    expectOnly(QStringLiteral("初始库存必须是数字"));
    set(list, "KCL", QStringLiteral("20"));
    set(list, "InPrice", QStringLiteral("x"));
    click(list, "command3");
    expectOnly(QStringLiteral("进货价必须是数字"));
    EXPECT_EQ(get(list, "product"), QStringLiteral("Bolt'1"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from product")), 1);

    // A quote in the name is stored as typed; an empty purchase price is allowed.
    set(list, "InPrice", QString());
    click(list, "command3");
    expectOnly(QStringLiteral("产品添加成功"));
    EXPECT_EQ(scalar(QStringLiteral("select KCL from product where product='Bolt''1'")), QStringLiteral("20"));
    EXPECT_EQ(scalar(QStringLiteral("select Product_no from product where product='Bolt''1'")), QStringLiteral("N-Bolt'1"));
    for (const char* name : {"product", "productNO", "productPrice", "ProductDw", "descript"}) EXPECT_TRUE(get(list, name).isEmpty()) << name;
    EXPECT_EQ(get(list, "KCL"), QStringLiteral("0"));
    EXPECT_EQ(get(list, "InPrice"), QStringLiteral("0"));
    EXPECT_EQ(shownNames(list), (QStringList{QStringLiteral("Widget"), QStringLiteral("Bolt'1")}));
}

TEST_F(ProductList, RefusedInsertSaysSoAndKeepsTheBoxes)
{
    ui::Form* list = openList();
    fillEntry(list, QString(200, QLatin1Char('x')), QStringLiteral("个"));
    click(list, "command3");
    expectOnly(QStringLiteral("产品名称太长，最多100个字"));
    EXPECT_EQ(get(list, "product").size(), 200);
    EXPECT_EQ(count(QStringLiteral("select count(*) from product")), 0);
}

TEST_F(ProductList, SearchesByNumberAndByName)
{
    addProduct(QStringLiteral("Widget"), QStringLiteral("xa1"));
    addProduct(QStringLiteral("Bolt"), QStringLiteral("B2"));
    addProduct(QStringLiteral("Nut's"), QStringLiteral("A1'"));
    ui::Form* list = openList();
    set(list, "productNO", QStringLiteral(" A1 "));
    enterIn(list, "productNO");
    EXPECT_EQ(shownNames(list), (QStringList{QStringLiteral("Widget"), QStringLiteral("Nut's")}));
    set(list, "productNO", QStringLiteral("1'"));
    enterIn(list, "productNO");
    EXPECT_EQ(shownNames(list), QStringList{QStringLiteral("Nut's")});

    // A blank name changes nothing; the name search heads every column as the number search does.
    set(list, "product", QStringLiteral("   "));
    enterIn(list, "product");
    EXPECT_EQ(shownNames(list), QStringList{QStringLiteral("Nut's")});
    set(list, "product", QStringLiteral("o"));
    enterIn(list, "product");
    EXPECT_EQ(shownNames(list), QStringList{QStringLiteral("Bolt")});
    EXPECT_EQ(grid(list)->columnCaption(5), QStringLiteral("单位"));
    EXPECT_EQ(grid(list)->columnCaption(6), QStringLiteral("库存量"));
    EXPECT_EQ(grid(list)->columnCaption(7), QStringLiteral("进货价"));
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(ProductList, DeleteAsksAndFindsAVanishedRow)
{
    const int widget = addProduct(QStringLiteral("Widget"), QStringLiteral("W1"));
    addProduct(QStringLiteral("Bolt"), QStringLiteral("B1"));
    ui::Form* list = openList();
    grid(list)->setCurrentKey(db::Variant(widget));

    messages.answerNext(ui::Answer::No);
    click(list, "command1");
    EXPECT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].buttons, ui::Buttons::YesNo);
    EXPECT_EQ(messages.shown()[0].text, QStringLiteral("真要删除当前记录吗？"));
    messages.clear();
    EXPECT_EQ(count(QStringLiteral("select count(*) from product")), 2);

    exec(QStringLiteral("delete from product where id=%1").arg(widget));
    click(list, "command1");
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[1].text, QStringLiteral("记录不存在，可能已经被删除"));
    messages.clear();

    grid(list)->setCurrentRow(1);
    click(list, "command1");
    EXPECT_EQ(count(QStringLiteral("select count(*) from product")), 0);
    EXPECT_EQ(grid(list)->rowCount(), 0);
}

TEST_F(ProductList, StockEditedInTheListIsStored)
{
    const int widget = addProduct(QStringLiteral("Widget"), QStringLiteral("W1"));
    ui::Form* list = openList();
    EXPECT_TRUE(grid(list)->editCell(0, 6, QStringLiteral("42")));
    EXPECT_EQ(stockOf(widget), 42);
}

// The open editor of a cell of the list, if any.
QLineEdit* cellEditor(ui::DataGrid* grid)
{
    for (QLineEdit* editor : grid->viewport()->findChildren<QLineEdit*>())
        if (editor->isVisible()) return editor;
    return nullptr;
}

// Types into a cell as the operator does: the first key opens the cell's
// editor, Enter stores; the editor commits, then the grid tells why and opens
// the editor again.
void typeIntoCell(ui::DataGrid* grid, int row, int column, const QString& text)
{
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(row, column));
    QTest::keyClicks(grid, text.left(1));
    QLineEdit* editor = cellEditor(grid);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, text.mid(1));
    QTest::keyClick(editor, Qt::Key_Return);
    for (int turn = 0; turn < 3; ++turn) QApplication::processEvents();
}

TEST_F(ProductList, ARefusedCellEditSaysWhyAndOnlyItsOwnCellChangedElsewhereRefusesIt)
{
    constexpr int kPrice = 4, kStock = 6;
    const QString notSaved = QStringLiteral("库存量未能保存：");
    const struct {
        const char* name;
        bool soldMeanwhile;   // the stock goes from 10 to 8 after the list showed it
        bool held;            // a colleague's write is under way meanwhile
        int column;
        const char* typed;
        QString message;      // empty: stored without a word
        double stock;         // stored and shown afterwards
        double price;
        const char* retyped;  // the editor open again on this text; null: closed
    } cases[] = {
        {"no number", false, false, kStock, "many", QStringLiteral("库存量必须是数字"), 10, 12.5, "many"},
        {"a sale, then a price", true, false, kPrice, "13", QString(), 8, 13, nullptr},
        {"a sale, then the counted stock", true, false, kStock, "7",
         notSaved + QStringLiteral("该值已在别处被修改，现在显示的是保存着的值，请核对后重新输入"), 8, 12.5, nullptr},
        {"busy", false, true, kStock, "7", notSaved + QString::fromUtf8(savefailure::kBusyText), 10, 12.5, "7"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        exec(QStringLiteral("delete from product"));
        const int widget = addProduct(QStringLiteral("Widget"), QStringLiteral("W1"));
        ui::Form* list = openList();
        if (c.soldMeanwhile) exec(QStringLiteral("update product set KCL = 8"));
        {
            std::optional<OtherWorkstationWriting> colleague;
            if (c.held) colleague.emplace();
            typeIntoCell(grid(list), 0, c.column, QString::fromLatin1(c.typed));
        }
        if (c.message.isEmpty()) EXPECT_TRUE(messages.shown().empty()) << messages.lastText().toStdString();
        else expectOnly(c.message);
        EXPECT_EQ(stockOf(widget), c.stock);
        EXPECT_EQ(scalar(QStringLiteral("select price from product")).toDouble(), c.price);
        EXPECT_EQ(grid(list)->cellText(0, kStock).toDouble(), c.stock);
        QLineEdit* editor = cellEditor(grid(list));
        if (c.retyped) {
            ASSERT_NE(editor, nullptr);
            EXPECT_EQ(editor->text(), QString::fromLatin1(c.retyped));
            QTest::keyClick(editor, Qt::Key_Escape);   // the operator gives it up
        } else {
            EXPECT_EQ(editor, nullptr);
        }
        messages.clear();
        ui::Windows::unloadAll();
    }
}

TEST_F(ProductList, EveryColumnShowsWithItsHeadingAtTheDefaultSize)
{
    addProduct(QStringLiteral("Widget"), QStringLiteral("xa1"));
    ui::Form* list = openList();
    QApplication::processEvents();
    auto everyColumnShows = [&] {
        const QHeaderView* header = grid(list)->horizontalHeader();
        EXPECT_EQ(grid(list)->horizontalScrollBar()->maximum(), 0);
        EXPECT_LE(header->length(), grid(list)->viewport()->width());
        for (int column = 1; column <= 7; ++column) {
            EXPECT_FALSE(grid(list)->isColumnHidden(column)) << column;
            // The heading's text with the header's own margins.
            EXPECT_GE(header->sectionSize(column), header->sectionSizeHint(column))
                << grid(list)->columnCaption(column).toStdString();
            EXPECT_GE(header->sectionSizeHint(column),
                      header->fontMetrics().horizontalAdvance(grid(list)->columnCaption(column)));
        }
    };
    everyColumnShows();
    set(list, "product", QStringLiteral("W"));
    enterIn(list, "product");
    ASSERT_EQ(shownNames(list), QStringList{QStringLiteral("Widget")});
    everyColumnShows();
}

} // namespace
