// The main window's list views: the list procedures that bind the grid, the
// customer list and the list switches of the View menu and the toolbar.
#include "mainwin/frmmain.h"

#include "common/gridbinding.h"
#include "common/mymode.h"
#include "common/recordscope.h"

namespace mainwin {

// A query that fails says why (a box) and leaves the rows the grid showed
// with their count, so that nothing passes for an empty list or a search
// without a match. When the rows themselves could not be read after the grid
// let go of its old ones, the grid and its count are plainly empty. An
// operator without a record scope sees no records: the lists' queries then
// have no table part and fail by design, which is no read to report.
bool FrmMain::bindList(View view, const QString& sqlstr)
{
    gridbinding::Options options;
    options.reportFailure = !recordscope::customerClause().isEmpty();
    if (gridbinding::bind(DataGrid1, sqlstr, viewInfo(view).columns, options)) {
        gridView_ = view;
        Label2->setCaption(countText(view, DataGrid1->rowCount()));
        return true;
    }
    if (!DataGrid1->dataSource()) {
        gridView_.reset();
        Label2->setCaption(QString());
    }
    return false;
}

// A list switch names its view once the view's list shows: a failed one
// leaves the view key, the search captions and CustListSql as they were.
bool FrmMain::showList(View view, const QString& sqlstr)
{
    if (!bindList(view, sqlstr)) return false;
    SelectFun->setText(viewInfo(view).key);
    return true;
}

void FrmMain::DataGridFresh(const QString& sqlstr)
{
    bindList(View::Customers, sqlstr);
}

void FrmMain::ConnectList(const QString& sqlstr)
{
    bindList(View::Contacts, sqlstr);
}

void FrmMain::ActionList(const QString& sqlstr)
{
    bindList(View::Activities, sqlstr);
}

void FrmMain::ChanceList(const QString& sqlstr)
{
    bindList(View::Opportunities, sqlstr);
}

void FrmMain::SalesList(const QString& sqlstr)
{
    bindList(View::SalesOrders, sqlstr);
}

void FrmMain::ServiceList(const QString& sqlstr)
{
    bindList(View::ServiceRecords, sqlstr);
}

std::optional<View> FrmMain::currentView() const
{
    return viewOfKey(SelectFun->text());
}

// The toolbar's customer list also becomes the list the export and the
// printouts use, and offers the custom fields among the search captions.
void FrmMain::image14_Click()
{
    const QString customers = listQuery(View::Customers);
    if (!showList(View::Customers, customers)) return;
    Mymode::CustListSql = customers;
    fillSearchCaptions({QStringLiteral("客户名称"), QStringLiteral("联系人"), QStringLiteral("客户编号"),
                        QStringLiteral("客户地址"), QStringLiteral("电话"), QStringLiteral("传真"),
                        QStringLiteral("手机"), QStringLiteral("email"), QStringLiteral("http"),
                        QStringLiteral("客户分类"), QStringLiteral("客户行业"), QStringLiteral("客户状态"),
                        QStringLiteral("客户来源"), QStringLiteral("开户银行"), QStringLiteral("银行帐号"),
                        QStringLiteral("积分"), QStringLiteral("创建时间"), QStringLiteral("客户描述"),
                        QStringLiteral("自定义字段1"), QStringLiteral("自定义字段2"), QStringLiteral("自定义字段3"),
                        QStringLiteral("自定义字段4"), QStringLiteral("操作者")});
}

// A View-menu switch; the customer list it shows leaves CustListSql alone.
bool FrmMain::switchToList(View view)
{
    if (!showList(view, listQuery(view))) return false;
    fillSearchCaptions(viewInfo(view).switchCaptions);
    return true;
}

// The search-field box offers the captions with none chosen.
void FrmMain::fillSearchCaptions(const QStringList& captions)
{
    ComboSearch->clear();
    for (const QString& caption : captions) ComboSearch->addItem(caption);
    ComboSearch->setListIndex(-1);
    ComboSearch->setText(QString());
}

} // namespace mainwin
