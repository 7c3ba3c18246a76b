#include "customers/frmselectkh.h"

#include "common/gridbinding.h"
#include "common/recordscope.h"
#include "common/skin.h"
#include "common/sqltext.h"
#include "platform/db/variant.h"
#include "platform/ui/desktop.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/taborder.h"
#include "platform/ui/windows.h"

#include <algorithm>

namespace customers {

namespace {

// The windows that take a picked customer into their boxes CustName and KH_ID.
const char* const kReceivingWindows[] = {"ActionAdd",     "ActionDetal",   "AddChance", "ChanceDetail",
                                         "frmContectDet", "frmAddContect", "SalesAdd",  "SalesDetail",
                                         "ServiceAdd",    "ServiceDetal"};

// The captions of the search field and the columns they search; the last
// two are no list entries but work when typed.
const std::pair<const char*, const char*> kSearchFields[] = {
    {"联系人", "company_connect"}, {"客户名称", "company_name"}, {"客户地址", "company_address"},
    {"电话", "company_tel"},       {"手机", "company_mobil"},    {"操作者", "KH_CZZ"},
};

// The columns of the list, their fields its select list: the hand-back reads
// the id and the name by position.
std::vector<ui::GridColumn> listColumns()
{
    return {{QStringLiteral("id"), 0, QStringLiteral("ID")},
            {QStringLiteral("客户名称"), 1000, QStringLiteral("company_name")},
            {QStringLiteral("客户地址"), 3000, QStringLiteral("company_address")},
            {QStringLiteral("联系人"), 800, QStringLiteral("company_connect")},
            {QStringLiteral("客户编号"), 500, QStringLiteral("company_dute")},
            {QStringLiteral("电话"), 1500, QStringLiteral("company_tel")},
            {QStringLiteral("传真"), 1500, QStringLiteral("company_fax")},
            {QStringLiteral("邮箱"), 1500, QStringLiteral("company_mail")},
            {QStringLiteral("手机"), 1200, QStringLiteral("company_mobil")},
            {QStringLiteral("客户类型"), 1500, QStringLiteral("company_client_type")},
            {QStringLiteral("操作者"), 1000, QStringLiteral("KH_CZZ")}};
}

} // namespace

FrmSelectKH::FrmSelectKH() : ui::Form(QStringLiteral("frmSelectKH"))
{
    setCaption(QStringLiteral("选取客户"));
    setSizeTwips(9600, 6900);
    // Esc closes the picker without picking, as its close button does.
    closeOnEscape();

    // The key box comes first in the tab order.
    ui::TextBox* key = addTextBox(QStringLiteral("strKey"), 1860, 360, 2415, 285);
    key->onKeyPress = [this](int& keyAscii) { strKey_KeyPress(keyAscii); };
    ui::ComboBox* field = addComboBox(QStringLiteral("strField"), ui::ComboBox::Editable, 120, 360, 1455, 300);
    for (const char* caption : {"联系人", "客户名称", "客户地址", "电话"}) field->addItem(QString::fromUtf8(caption));
    field->setText(QString());
    ui::setTabOrder({key, field});
    addLabel(QStringLiteral("Label2"), QStringLiteral("="), 1620, 390, 200, 255);

    ui::PictureButton* search = addPictureButton(QStringLiteral("command5"), ui::programPath(QStringLiteral("bmp/search.bmp")),
                                                 4440, 345, 735, 330);
    search->setToolTip(QStringLiteral("查询"));
    search->onClick = [this] { command5_Click(); };

    ui::DataGrid* grid = addDataGrid(QStringLiteral("DataGrid1"), 120, 840, 9255, 4815);
    grid->setAllowUpdate(false);
    grid->onDblClick = [this] { command1_Click(); };

    ui::PictureButton* pick = addPictureButton(QStringLiteral("command1"), ui::programPath(QStringLiteral("bmp/ok.bmp")),
                                               7680, 5820, 735, 330);
    pick->setToolTip(QStringLiteral("确定"));
    pick->onClick = [this] { command1_Click(); };
    ui::PictureButton* close = addPictureButton(QStringLiteral("command2"), ui::programPath(QStringLiteral("bmp/close.bmp")),
                                                8580, 5820, 735, 330);
    close->setToolTip(QStringLiteral("关闭"));
    close->onClick = [this] { command2_Click(); };
}

// A list or search that cannot be read says why and keeps the rows shown.
void FrmSelectKH::DataGrid1Fresh(const QString& sqlstr)
{
    gridbinding::Options options;
    options.reportFailure = true;
    gridbinding::bind(control<ui::DataGrid>(QStringLiteral("DataGrid1")), sqlstr, listColumns(), options);
}

void FrmSelectKH::Form_Load()
{
    const QString scope = recordscope::customerClause();
    if (!scope.isEmpty()) DataGrid1Fresh(gridbinding::selectList(listColumns()) + scope);
}

// The search keeps to the operator's record scope, as the list does.
void FrmSelectKH::command5_Click()
{
    const QString key = db::trimBlanks(control<ui::TextBox>(QStringLiteral("strKey"))->text());
    const QString field = db::trimBlanks(control<ui::ComboBox>(QStringLiteral("strField"))->text());
    if (key.isEmpty() || field.isEmpty()) {
        ui::msgBox(QStringLiteral("查询条件不足！"));
        return;
    }
    for (const auto& [caption, column] : kSearchFields) {
        if (field != QString::fromUtf8(caption)) continue;
        DataGrid1Fresh(gridbinding::selectList(listColumns()) + recordscope::customerFilterClause()
                       + QStringLiteral(" and ") + QString::fromLatin1(column) + QStringLiteral(" Like ") + sqltext::containing(key)
                       + QStringLiteral(" order by ID desc"));
        return;
    }
}

void FrmSelectKH::strKey_KeyPress(int& keyAscii)
{
    if (keyAscii == 13) command5_Click();
}

// Hands the current row (the first one before any click) to the receiving
// window that opened the picker while it is open and shown, then closes the
// picker. Other record windows keep their customer.
void FrmSelectKH::command1_Click()
{
    const ui::DataGrid* grid = control<ui::DataGrid>(QStringLiteral("DataGrid1"));
    const int row = grid->currentRow() >= 0 ? grid->currentRow() : 0;
    ui::Form* window = opener_;
    const bool receives = window && window->loadDone() && window->isVisible()
                          && std::ranges::any_of(kReceivingWindows, [&](const char* kind) {
                                 return window->kind() == QLatin1String(kind);
                             });
    if (receives && row < grid->rowCount()) {
        if (window->hasControl(QStringLiteral("CustName")))
            window->control<ui::TextBox>(QStringLiteral("CustName"))->setText(grid->cell(row, 1).toText());
        if (window->hasControl(QStringLiteral("KH_ID")))
            window->control<ui::TextBox>(QStringLiteral("KH_ID"))->setText(grid->cell(row, 0).toText());
    }
    ui::Windows::unload(this);
}

void FrmSelectKH::command2_Click()
{
    ui::Windows::unload(this);
}

void FrmSelectKH::Form_Paint()
{
    skin::paint(this);
}

} // namespace customers
