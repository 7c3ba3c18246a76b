// The customer export to Excel, read back with an independent reader, and the
// envelope-label and customer-list printouts of the current customer list.
#include "mainwin_fixture.h"

#include "tests/support/busyfile.h"
#include "tests/support/desktopprobe.h"
#include "tests/support/xlsread.h"

#include "platform/print/preview.h"
#include "platform/ui/desktop.h"
#include "platform/ui/treeview.h"

#include <QDir>
#include <QFile>
#include <optional>

namespace {

const QStringList kHeadings{"客户名称", "客户编号", "客户地址", "联系人", "职务", "电话", "传真", "邮箱", "手机", "网址",
                            "VIP卡", "积分", "客户类型", "客户来源", "客户行业", "客户状态", "备注", "开户行",
                            "银行帐号", "押金", "欠款", "总金额", "总数量"};

class CustomerExport : public MainWindowTest {
protected:
    QString workbook() const { return path(QStringLiteral("Export2excel.xls")); }

    int addNumberedCustomer(const QString& name, const QString& number)
    {
        const int id = addCustomer(name);
        exec(QStringLiteral("update company set company_dute=%1, company_tel='tel-%2', company_QK=12.5 where id=%3")
                 .arg(sqltext::quoted(number), name)
                 .arg(id));
        return id;
    }

    // Column `column` of every data row of the workbook, top to bottom.
    QStringList exportedColumn(unsigned short column)
    {
        XlsRead book(workbook());
        QStringList values;
        if (book.status() != FREEXL_OK) return values;
        for (unsigned row = 1; row < book.rows(); ++row) values << book.text(row, column);
        return values;
    }

    // The customer names of the printout the window shows.
    static QStringList printed(const char* kind)
    {
        auto* preview = dynamic_cast<print::PreviewForm*>(ui::Windows::loaded(QString::fromLatin1(kind)));
        if (!preview || !preview->report()) return {QStringLiteral("<not open>")};
        const print::Rows& rows = preview->report()->rows();
        QStringList names;
        for (int row = 0; row < int(rows.values.size()); ++row) names << rows.text(row, QStringLiteral("company_name"));
        return names;
    }

    DesktopProbe desktop;
};

} // namespace

// The sheet "data" holds the 23 headings and the customers the last search
// found, in its order; the customer number goes out twice.
TEST_F(CustomerExport, WritesTheSearchedCustomersAndOpensTheWorkbook)
{
    addNumberedCustomer(QStringLiteral("alpha"), QStringLiteral("K1"));
    addNumberedCustomer(QStringLiteral("beta"), QStringLiteral("K2"));
    addNumberedCustomer(QStringLiteral("alphabet"), QStringLiteral("K3"));
    openMain();
    search(QStringLiteral("客户名称"), QStringLiteral("包含"), QStringLiteral("alpha"));
    choose("mnuExporttoexcel");

    EXPECT_TRUE(messages.shown().empty()) << messages.lastText().toStdString();
    EXPECT_EQ(desktop.opened(), QStringList{workbook()});
    XlsRead book(workbook());
    ASSERT_EQ(book.status(), FREEXL_OK);
    EXPECT_EQ(book.sheetName(), QStringLiteral("data"));
    ASSERT_EQ(book.columns(), 23u);
    EXPECT_EQ(book.rows(), 3u);
    QStringList headings;
    for (unsigned short column = 0; column < 23; ++column) headings << book.text(0, column);
    EXPECT_EQ(headings, kHeadings);
    EXPECT_EQ(exportedColumn(0), (QStringList{"alphabet", "alpha"}));
    EXPECT_EQ(exportedColumn(1), (QStringList{"K3", "K1"}));
    EXPECT_EQ(exportedColumn(4), (QStringList{"K3", "K1"}));
    EXPECT_EQ(exportedColumn(5), (QStringList{"tel-alphabet", "tel-alpha"}));
    EXPECT_DOUBLE_EQ(book.cell(1, 20).number, 12.5);
}

TEST_F(CustomerExport, WritesTheWorkbookInAFolderNamedWithQuotesAndBrackets)
{
    addNumberedCustomer(QStringLiteral("alpha"), QStringLiteral("K1"));
    openMain();
    const QString folder = path(QStringLiteral("O'Neil [店];x"));
    ASSERT_TRUE(QDir().mkpath(folder));
    ui::setProgramFolderForTests(folder);
    choose("mnuExporttoexcel");
    EXPECT_TRUE(messages.shown().empty()) << messages.lastText().toStdString();
    const QString book = folder + QStringLiteral("/Export2excel.xls");
    EXPECT_EQ(desktop.opened(), QStringList{book});
    EXPECT_EQ(XlsRead(book).status(), FREEXL_OK);
}

// The export follows CustListSql, not the grid: the View menu's customer list
// leaves the group of the tree as the list to export.
TEST_F(CustomerExport, FollowsTheStoredCustomerListNotTheGrid)
{
    exec(QStringLiteral("insert into client_type (client_type) values ('批发')"));
    const int wholesale = addNumberedCustomer(QStringLiteral("wholesale"), QStringLiteral("W"));
    exec(QStringLiteral("update company set company_client_type='批发' where id=%1").arg(wholesale));
    addNumberedCustomer(QStringLiteral("retail"), QStringLiteral("R"));
    openMain();
    ASSERT_TRUE(ctl<ui::TreeView>("tvTreeView")->clickNodeByCaption(QStringLiteral("批发")));
    choose("mnuCustList");
    ASSERT_EQ(grid()->rowCount(), 2);
    ctl<ui::PictureButton>("Image7")->click();
    EXPECT_EQ(exportedColumn(0), QStringList{"wholesale"});

    // A list without a condition exports every customer; a second export replaces the first.
    ASSERT_TRUE(ctl<ui::TreeView>("tvTreeView")->clickNodeByCaption(QStringLiteral("客户列表")));
    clickWithMouse(ctl<ui::Label>("Label13"));
    QStringList names = exportedColumn(0);
    names.sort();
    EXPECT_EQ(names, (QStringList{"retail", "wholesale"}));
    EXPECT_EQ(desktop.opened().size(), 2);
}

// A list that cannot be exported leaves no workbook, opens none and says so
// with the reason; the workbook of an earlier export does not pass for the new one.
TEST_F(CustomerExport, AFailedExportOpensNoWorkbookAndSaysWhy)
{
    addCustomer(QStringLiteral("c"));
    openMain();
    choose("mnuExporttoexcel");
    ASSERT_TRUE(QFile::exists(workbook()));
    const QString failed = QStringLiteral("导出到Excel失败,没有生成导出文件。");
    const struct { QString list; bool held; QString reason; } cases[] = {
        {QStringLiteral("select * from company where no_such_column=1"), false, QStringLiteral("没能读出数据：no such column: no_such_column")},
        {QStringLiteral("select * from company"), true, QStringLiteral("另一台电脑正在使用数据文件，这次没能读出数据，请稍后再试")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.list.toStdString());
        Mymode::CustListSql = c.list;
        {
            std::optional<OtherWorkstationWriting> other;
            if (c.held) other.emplace(OtherWorkstationWriting::Hold::Exclusive);
            choose("mnuExporttoexcel");
        }
        EXPECT_TRUE(messages.lastText().startsWith(failed + c.reason)) << messages.lastText().toStdString();
        EXPECT_EQ(messages.shown().back().icon, ui::Icon::Error);
        EXPECT_FALSE(QFile::exists(workbook()));
        EXPECT_EQ(desktop.opened().size(), 1);
    }
}

TEST_F(CustomerExport, AWorkbookThatCannotBeReplacedIsReported)
{
    addCustomer(QStringLiteral("c"));
    ASSERT_TRUE(QDir().mkpath(workbook() + QStringLiteral("/locked")));   // stands in for a file held open
    openMain();
    choose("mnuExporttoexcel");
    EXPECT_TRUE(messages.lastText().startsWith(QStringLiteral("无法替换导出文件")));
    EXPECT_TRUE(desktop.opened().isEmpty());
}

// Outside the customer view each command says so and does nothing.
TEST_F(CustomerExport, CommandsWorkOnlyInTheCustomerView)
{
    addCustomer(QStringLiteral("c"));
    const struct {
        const char* entry;
        const char* message;
    } commands[] = {
        {"mnuExporttoexcel", "只有在客户列表状态下才能将查询结果导出到Excel文件"},
        {"mnuMailPrint", "只有在客户列表状态下才能打印"},
        {"prtList", "只有在客户列表状态下才能打印查义结果"},
    };
    openMain();
    for (const char* view : {"mnuContectList", "mnuActionList", "mnuChanceList", "mnuSalesList", "mnuServiceList"}) {
        choose(view);
        for (const auto& command : commands) {
            messages.clear();
            choose(command.entry);
            EXPECT_EQ(messages.lastText(), QString::fromUtf8(command.message)) << view << command.entry;
        }
    }
    EXPECT_FALSE(QFile::exists(workbook()));
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("DataReport1")), nullptr);
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("DataReport2")), nullptr);
}

// Each print command reads the customer list afresh: after a new search the
// printout shows what the search found, even while it is still open.
TEST_F(CustomerExport, PrintoutsShowTheCurrentCustomerList)
{
    addCustomer(QStringLiteral("alpha"));
    addCustomer(QStringLiteral("beta"));
    openMain();
    choose("mnuMailPrint");
    choose("prtList");
    EXPECT_EQ(printed("DataReport1"), (QStringList{"beta", "alpha"}));
    EXPECT_EQ(printed("DataReport2"), (QStringList{"beta", "alpha"}));

    search(QStringLiteral("客户名称"), QStringLiteral("包含"), QStringLiteral("alp"));
    ctl<ui::PictureButton>("Image17")->click();
    clickWithMouse(ctl<ui::Label>("Label12"));
    EXPECT_EQ(printed("DataReport1"), QStringList{"alpha"});
    EXPECT_EQ(printed("DataReport2"), QStringList{"alpha"});
    EXPECT_TRUE(messages.shown().empty());
}
