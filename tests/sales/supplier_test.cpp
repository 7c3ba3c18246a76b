// The supplier list with its totals, rights and delete, and the new-supplier
// and supplier-editing windows.
#include "tests/sales/supplierfixture.h"
#include "tests/support/busyfile.h"

#include "common/mymode.h"
#include "platform/ui/windows.h"

namespace {

class SupplierList : public SupplierTest {
protected:
    ui::Form* openList() { return ui::Windows::open(QStringLiteral("frmGYS")); }
    static ui::DataGrid* grid(ui::Form* list) { return list->control<ui::DataGrid>(QStringLiteral("DataGrid1")); }
    static QString label(ui::Form* list, const char* name)
    {
        return list->control<ui::Label>(QString::fromLatin1(name))->caption();
    }
    static QString totals(ui::Form* list)
    {
        return label(list, "Label3") + QLatin1Char('/') + label(list, "Label4") + QLatin1Char('/') + label(list, "Label5");
    }
    static QString withoutRight(const char* key)
    {
        return allRights().replace(QString::fromLatin1(key) + QStringLiteral("=1;"), QString::fromLatin1(key) + QStringLiteral("=0;"));
    }
};

TEST_F(SupplierList, TotalsSkipEmptyCellsAndKeepLargeQuantities)
{
    ui::Form* list = openList();
    EXPECT_EQ(grid(list)->rowCount(), 0);
    EXPECT_EQ(totals(list), QStringLiteral("0/0/0"));
    EXPECT_EQ(label(list, "Label1"), QStringLiteral("总计："));
    ui::Windows::unload(list);

    addSupplier(QStringLiteral("甲"), QStringLiteral("现金"), QStringLiteral("1234.50"), QStringLiteral("200"), QStringLiteral("3"));
    addSupplier(QStringLiteral("乙"), QStringLiteral("月结"), QStringLiteral("null"), QStringLiteral("50.25"), QStringLiteral("null"));
    addSupplier(QStringLiteral("丙"), QString(), QStringLiteral("10"), QStringLiteral("null"), QStringLiteral("40000"));
    list = openList();
    EXPECT_EQ(grid(list)->rowCount(), 3);
    EXPECT_EQ(totals(list), QStringLiteral("1244.5/250.25/40003"));
    const QStringList headings{QStringLiteral("GYS_ID"), QStringLiteral("供应商"), QStringLiteral("电话"), QStringLiteral("付款方式"),
                               QStringLiteral("未付金额"), QStringLiteral("累计进货"), QStringLiteral("总数量"), QStringLiteral("地址"),
                               QStringLiteral("经营范围")};
    ASSERT_EQ(grid(list)->columnCount(), headings.size());
    for (int column = 0; column < headings.size(); ++column)
        EXPECT_EQ(grid(list)->columnCaption(column), headings[column]);
    EXPECT_EQ(grid(list)->columnWidth(0), 0);
    EXPECT_EQ(grid(list)->columnWidth(1), 1500);
    EXPECT_EQ(grid(list)->cellText(1, 1), QStringLiteral("乙"));
}

TEST_F(SupplierList, RightsDisableButtonsYetDoubleClickEdits)
{
    const int first = addSupplier(QStringLiteral("甲"));
    const int second = addSupplier(QStringLiteral("乙"));
    loginAs(QStringLiteral("clerk"), withoutRight("e_conn"));
    ui::Form* list = openList();
    EXPECT_FALSE(list->control<ui::PictureButton>(QStringLiteral("command2"))->isEnabled());
    EXPECT_TRUE(list->control<ui::PictureButton>(QStringLiteral("command3"))->isEnabled());
    grid(list)->doubleClickRow(1);
    ui::Form* editor = ui::Windows::loaded(QStringLiteral("frmGysEdit"));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->control<ui::TextBox>(QStringLiteral("GYS_MC"))->text(), QStringLiteral("乙"));
    EXPECT_EQ(editor->control<ui::TextBox>(QStringLiteral("GYS_ID"))->text(), QString::number(second));
    ui::Windows::unloadAll();

    loginAs(QStringLiteral("clerk"), withoutRight("d_conn"));
    list = openList();
    EXPECT_TRUE(list->control<ui::PictureButton>(QStringLiteral("command2"))->isEnabled());
    auto* remove = list->control<ui::PictureButton>(QStringLiteral("command3"));
    EXPECT_FALSE(remove->isEnabled());
    // The command itself refuses too.
    remove->setEnabled(true);
    remove->click();
    expectOnly(QStringLiteral("您无权删除供应商资料"), ui::Icon::Error, QStringLiteral("供应商资料"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from GYS where GYS_ID=%1").arg(first)), 1);
}

TEST_F(SupplierList, DeleteAsksFindsVanishedRowsAndRefreshes)
{
    ui::Form* list = openList();
    click(list, "command3");   // no current row: asked, then not found
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[0].text, QStringLiteral("真要删除当前记录吗？"));
    EXPECT_EQ(messages.shown()[1].text, QStringLiteral("记录不存在，可能已经被删除"));
    messages.clear();
    ui::Windows::unload(list);

    const int first = addSupplier(QStringLiteral("甲"), QStringLiteral("现金"), QStringLiteral("5"));
    const int second = addSupplier(QStringLiteral("乙"), QStringLiteral("现金"), QStringLiteral("7"));
    list = openList();
    grid(list)->setCurrentRow(0);
    messages.answerNext(ui::Answer::No);
    click(list, "command3");
    EXPECT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(count(QStringLiteral("select count(*) from GYS")), 2);
    messages.clear();

    // Deleted elsewhere after the list was shown: the list stays as it was.
    exec(QStringLiteral("delete from GYS where GYS_ID=%1").arg(first));
    click(list, "command3");
    EXPECT_EQ(messages.lastText(), QStringLiteral("记录不存在，可能已经被删除"));
    EXPECT_EQ(grid(list)->rowCount(), 2);
    messages.clear();

    grid(list)->setCurrentRow(1);
    click(list, "command3");
    EXPECT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(count(QStringLiteral("select count(*) from GYS where GYS_ID=%1").arg(second)), 0);
    EXPECT_EQ(grid(list)->rowCount(), 0);
    EXPECT_EQ(totals(list), QStringLiteral("0/0/0"));
}

class SupplierEntry : public SupplierList {};

TEST_F(SupplierEntry, NewSupplierIsTrimmedKeepsOnlyNumbersAndShowsTheList)
{
    ui::Form* entry = ui::Windows::open(QStringLiteral("frmGysAdd"));
    EXPECT_EQ(entry->caption(), QStringLiteral("增加供应商"));
    EXPECT_EQ(entry->control<ui::TextBox>(QStringLiteral("Gys_ZSL"))->text(), QStringLiteral("0"));
    setText(entry, "GYS_MC", QStringLiteral("   "));
    click(entry, "command1");
    expectOnly(QStringLiteral("供应商名称不能为空"));
    EXPECT_TRUE(isLoaded("frmGysAdd"));

    setText(entry, "GYS_MC", QStringLiteral("  海维五金 "));
    setText(entry, "GYS_BH", QStringLiteral(" G01 "));
    setText(entry, "GYS_FKFS", QStringLiteral(" 月结 "));
    setText(entry, "GYS_BZ", QStringLiteral(" 螺丝\n螺母 "));
    setText(entry, "GYS_WFJE", QStringLiteral("12元"));
    setText(entry, "gys_ZJE", QStringLiteral(" 300.5 "));
    setText(entry, "Gys_ZSL", QStringLiteral("7"));
    click(entry, "command1");
    expectOnly(QStringLiteral("供应商资料已保存"));
    EXPECT_FALSE(isLoaded("frmGysAdd"));
    EXPECT_EQ(scalar(QStringLiteral("select GYS_MC & '|' & GYS_BH & '|' & GYS_FKFS & '|' & GYS_BZ from GYS")),
              QStringLiteral("海维五金|G01|月结|螺丝\n螺母"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from GYS where GYS_WFJE is null")), 1);
    const int key = scalar(QStringLiteral("select GYS_ID from GYS")).toInt();
    EXPECT_EQ(supplierBalances(key), QStringLiteral("/300.5/7"));

    ui::Form* list = ui::Windows::loaded(QStringLiteral("frmGYS"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(grid(list)->cellText(0, 1), QStringLiteral("海维五金"));
    EXPECT_EQ(totals(list), QStringLiteral("0/300.5/7"));
}

TEST_F(SupplierEntry, AFailedInsertSaysSoAndKeepsTheWindow)
{
    exec(QStringLiteral("create trigger refuse_supplier before insert on GYS begin select raise(abort, 'disk full'); end"));
    ui::Form* entry = ui::Windows::open(QStringLiteral("frmGysAdd"));
    setText(entry, "GYS_MC", QStringLiteral("海维"));
    click(entry, "command1");
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_TRUE(messages.lastText().startsWith(QStringLiteral("供应商资料未能保存："))) << messages.lastText().toStdString();
    EXPECT_TRUE(messages.lastText().contains(QStringLiteral("disk full")));
    EXPECT_TRUE(isLoaded("frmGysAdd"));
    EXPECT_EQ(entry->control<ui::TextBox>(QStringLiteral("GYS_MC"))->text(), QStringLiteral("海维"));
    EXPECT_FALSE(isLoaded("frmGYS"));
}

TEST_F(SupplierEntry, EditorNeedsAListedRowShowsEmptyBalancesAsZeroAndSavesThem)
{
    openList();
    EXPECT_EQ(ui::Windows::open(QStringLiteral("frmGysEdit")), nullptr);
    expectOnly(QStringLiteral("记录不存在，请刷新列表"));
    EXPECT_FALSE(isLoaded("frmGysEdit"));
    ui::Windows::unloadAll();

    // A key beyond 16 bits is found and saved like any other.
    const int key = addSupplier(QStringLiteral("乙"), QStringLiteral("其他"), QStringLiteral("null"), QStringLiteral("null"),
                                QStringLiteral("null"), 40000);
    ui::Form* list = openList();
    grid(list)->doubleClickRow(0);
    ui::Form* editor = ui::Windows::loaded(QStringLiteral("frmGysEdit"));
    ASSERT_NE(editor, nullptr);
    for (const char* balance : {"GYS_WFJE", "gys_ZJE", "Gys_ZSL"})
        EXPECT_EQ(editor->control<ui::TextBox>(QString::fromLatin1(balance))->text(), QStringLiteral("0"));
    EXPECT_EQ(editor->control<ui::ComboBox>(QStringLiteral("GYS_FKFS"))->text(), QStringLiteral("其他"));
    setText(editor, "GYS_DH", QStringLiteral(" 010-9 "));
    click(editor, "command1");
    expectOnly(QStringLiteral("供应商资料已保存"));
    EXPECT_FALSE(isLoaded("frmGysEdit"));
    EXPECT_EQ(supplierBalances(key), QStringLiteral("0/0/0"));
    EXPECT_EQ(scalar(QStringLiteral("select GYS_DH from GYS where GYS_ID=40000")), QStringLiteral("010-9"));
}

TEST_F(SupplierEntry, EditorRefusesARowChangedOrDeletedSinceItLoaded)
{
    const int key = addSupplier(QStringLiteral("甲"), QStringLiteral("现金"), QStringLiteral("100"), QStringLiteral("500"), QStringLiteral("5"));
    ui::Form* list = openList();
    grid(list)->doubleClickRow(0);
    ui::Form* editor = ui::Windows::loaded(QStringLiteral("frmGysEdit"));
    ASSERT_NE(editor, nullptr);

    // A purchase raises the balances while the editor is open.
    exec(QStringLiteral("insert into product (product,price,KCL) values ('Bolt',2,0)"));
    ui::Form* purchase = ui::Windows::open(QStringLiteral("frmJHd"));
    setText(purchase, "GYS_MC", QStringLiteral("甲"));
    type(purchase, QStringLiteral("product"), 0, QStringLiteral("Bolt"));
    type(purchase, QStringLiteral("Price"), 0, QStringLiteral("2"));
    type(purchase, QStringLiteral("num"), 0, QStringLiteral("10"));
    click(purchase, "command1");
    expectOnly(QStringLiteral("销售单录入操作成功！"));
    EXPECT_EQ(supplierBalances(key), QStringLiteral("120/520/15"));

    setText(editor, "GYS_WFJE", QStringLiteral("0"));
    click(editor, "command1");
    expectOnly(QStringLiteral("供应商资料未能保存：该供应商已在别处被修改或删除，请关闭后重新打开再修改"));
    EXPECT_TRUE(isLoaded("frmGysEdit"));
    EXPECT_EQ(supplierBalances(key), QStringLiteral("120/520/15"));

    // Deleted meanwhile: refused the same way, nothing comes back.
    ui::Windows::unload(editor);
    list = openList();
    static_cast<void>(list);
    grid(ui::Windows::loaded(QStringLiteral("frmGYS")))->doubleClickRow(0);
    editor = ui::Windows::loaded(QStringLiteral("frmGysEdit"));
    ASSERT_NE(editor, nullptr);
    exec(QStringLiteral("delete from GYS"));
    click(editor, "command1");
    expectOnly(QStringLiteral("供应商资料未能保存：该供应商已在别处被修改或删除，请关闭后重新打开再修改"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from GYS")), 0);
}

// Another workstation holding the file is no change made elsewhere: the
// editor says the file was busy and keeps its boxes, and the same save then passes.
TEST_F(SupplierEntry, EditorSaveRefusedWhileAnotherWorkstationWritesSaysSoAndCanBeRepeated)
{
    const int key = addSupplier(QStringLiteral("甲"), QStringLiteral("现金"), QStringLiteral("100"), QStringLiteral("500"), QStringLiteral("5"));
    grid(openList())->doubleClickRow(0);
    ui::Form* editor = ui::Windows::loaded(QStringLiteral("frmGysEdit"));
    ASSERT_NE(editor, nullptr);
    setText(editor, "GYS_WFJE", QStringLiteral("0"));
    {
        OtherWorkstationWriting other;
        click(editor, "command1");
    }
    expectOnly(QStringLiteral("供应商资料未能保存：另一台电脑正在使用数据文件，这次没有改变任何数据，输入的内容仍然保留，请再试一次"));
    EXPECT_TRUE(isLoaded("frmGysEdit"));
    EXPECT_EQ(supplierBalances(key), QStringLiteral("100/500/5"));

    click(editor, "command1");
    EXPECT_EQ(supplierBalances(key), QStringLiteral("0/500/5"));
}

} // namespace
