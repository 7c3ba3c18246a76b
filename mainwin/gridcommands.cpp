// Commands on the record grid: add, open the current row's record, sort the
// customer list by a column header, and the new-record pop-up menu.
#include "mainwin/frmmain.h"

#include "common/customercard.h"
#include "common/mymode.h"
#include "common/recordscope.h"
#include "platform/db/variant.h"
#include "platform/ui/popupmenu.h"
#include "platform/ui/windows.h"

#include <limits>

namespace mainwin {
namespace {

// The new-record window and the detail window of each view.
struct ViewWindows {
    const char* add;
    const char* detail;
};

ViewWindows windowsOf(View view)
{
    switch (view) {
    case View::Customers: return {"frmCustAdd", "frmCustDetail"};
    case View::Contacts: return {"frmAddContect", "frmContectDet"};
    case View::Activities: return {"ActionAdd", "ActionDetal"};
    case View::Opportunities: return {"AddChance", "ChanceDetail"};
    case View::SalesOrders: return {"SalesAdd", "SalesDetail"};
    case View::ServiceRecords: return {"ServiceAdd", "ServiceDetal"};
    }
    return {};
}

// A key that is empty, not a number or beyond a 32-bit id gives 0.
std::int32_t recordIdOf(const db::Variant& key)
{
    if (!db::isNumeric(key)) return 0;
    const double id = key.toDouble();
    if (id < std::numeric_limits<std::int32_t>::min() || id > std::numeric_limits<std::int32_t>::max()) return 0;
    return static_cast<std::int32_t>(key.toLong());
}

} // namespace

// Opens the new-record window of the view the view key names; no right is
// tested and an open customer card stays open.
void FrmMain::cmAdd_Click()
{
    if (const std::optional<View> view = currentView()) openNewRecord(QString::fromLatin1(windowsOf(*view).add));
}

// Every command of the window that opens a new-record window opens it here,
// on the customer the operator has in view: the customer card in sight, else
// the customer row selected in the grid, else none.
void FrmMain::openNewRecord(const QString& kind)
{
    std::optional<std::int32_t> selected;
    if (gridView_ == View::Customers)
        if (const std::int32_t id = recordIdOf(DataGrid1->currentKey())) selected = id;
    customercard::handOverCustomerInView(selected);
    ui::Windows::open(kind);
}

// Opens the record of the current row in the detail window of the rows' own
// view, handing its id over in CurrentRecordId. The grid may hold another
// view's rows than the view key names (a window's refresh after a save), and
// the id belongs to the rows the grid holds.
void FrmMain::DataGrid1_DblClick()
{
    Mymode::CurrentRecordId = recordIdOf(DataGrid1->currentKey());
    if (Mymode::CurrentRecordId == 0 || !gridView_) return;
    ui::Windows::open(QString::fromLatin1(windowsOf(*gridView_).detail));
}

// A header of the customer list shows the whole customer list of the
// operator's scope again, ordered by the field that column shows, newest
// values first. The view key and CustListSql stay as they are.
void FrmMain::DataGrid1_HeadClick(int ColIndex)
{
    if (gridView_ != View::Customers) return;
    const std::vector<ui::GridColumn>& columns = viewInfo(View::Customers).columns;
    if (ColIndex < 0 || ColIndex >= static_cast<int>(columns.size())) return;   // the empty last column
    DataGridFresh(selectList(View::Customers) + recordscope::customerUnorderedClause() + QStringLiteral(" order by ")
                  + columns[static_cast<std::size_t>(ColIndex)].field + QStringLiteral(" desc"));
}

void FrmMain::DataGrid1PopupAddNew(int Button)
{
    if (Button == ui::RightButton) popupAddNew();
}

void FrmMain::popupAddNew()
{
    ui::popupMenu(*control<ui::Menu>(QStringLiteral("mnuAddNew")));
}

} // namespace mainwin
