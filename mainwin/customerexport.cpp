// The commands on the current customer list: its export to an Excel workbook,
// which then opens on the desktop, and the envelope-label and customer-list
// printouts. They work only in the customer view and take the customers of
// CustListSql, the list last stored by a command that sets it.
#include "mainwin/frmmain.h"

#include "common/mymode.h"
#include "common/workbookexport.h"
#include "platform/ui/desktop.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windows.h"

namespace mainwin {
namespace {

const QString kWorkbookName = QStringLiteral("Export2excel.xls");

// The sheet's columns: each customer column with its heading. The customer
// number goes out twice, under "客户编号" and under "职务".
const QString kExportColumns = QStringLiteral(
    "SELECT company_name as 客户名称,company_dute as 客户编号,company_address as 客户地址,"
    "company_connect as 联系人,company_dute as 职务,company_tel as 电话,company_fax as 传真,"
    "company_mail as 邮箱,company_mobil  as 手机,company_http  as 网址,company_postcode as VIP卡,"
    "company_area as 积分,company_client_type as 客户类型,company_clientsource  as 客户来源,"
    "company_industry as 客户行业,company_client_status as 客户状态,company_description as 备注,"
    "company_khyh as 开户行,company_yhzh as 银行帐号,company_YJ as 押金,company_QK as 欠款,"
    "company_ZJE as 总金额,company_ZSL as 总数量");

// The export statement: the sheet's columns into the sheet "data" of the
// workbook, filtered (and ordered) by the where-part of the customer list.
QString exportStatement(const QString& workbook, const QString& customerList)
{
    QString statement = kExportColumns + QStringLiteral(" INTO [Excel 5.0;DATABASE=") + workbook
        + QStringLiteral("].[data] FROM company");
    const qsizetype where = customerList.indexOf(QLatin1String("where"));
    if (where >= 0) statement += QLatin1Char(' ') + customerList.mid(where);
    return statement;
}

} // namespace

// The three commands act only while the view key names the customer list.
bool FrmMain::inCustomerView(const QString& refusal)
{
    if (SelectFun->text() == viewInfo(View::Customers).key) return true;
    ui::msgBox(refusal);
    return false;
}

void FrmMain::mnuExporttoexcel_Click()
{
    if (!inCustomerView(QStringLiteral("只有在客户列表状态下才能将查询结果导出到Excel文件"))) return;
    Exporttoexcel();
}

// The workbook is written anew each time. When the old one cannot be removed
// or the new one cannot be written, the operator is told so and no workbook
// opens: an old file must not pass for the new export.
void FrmMain::Exporttoexcel()
{
    if (!Mymode::hasRight(QStringLiteral("per=1;"))) {
        ui::msgBox(QStringLiteral("您无权导出客户资料"), ui::Buttons::Ok, ui::Icon::Error, QStringLiteral("导出到Excel"));
        return;
    }
    const QString workbook = ui::programPath(kWorkbookName);
    const auto result = workbookexport::exportAndOpen(
        [](const QString& path) { return exportStatement(path, Mymode::CustListSql); });
    if (result == workbookexport::Result::NotOpened)
        ui::msgBox(QStringLiteral("客户资料已导出到") + workbook + QStringLiteral(",但无法打开该文件"));
}

void FrmMain::mnuMailPrint_Click()
{
    if (!inCustomerView(QStringLiteral("只有在客户列表状态下才能打印"))) return;
    openPrintout(QStringLiteral("DataReport1"));
}

void FrmMain::prtList_Click()
{
    if (!inCustomerView(QStringLiteral("只有在客户列表状态下才能打印查义结果"))) return;
    openPrintout(QStringLiteral("DataReport2"));
}

// A printout reads the customer list when it loads; one still open from an
// earlier print is closed first, so it shows the list as it is now.
void FrmMain::openPrintout(const QString& kind)
{
    ui::Windows::unload(kind);
    ui::Windows::open(kind);
}

} // namespace mainwin
