#include "sales/frmgys.h"

#include "common/gridbinding.h"
#include "common/mymode.h"
#include "common/rowmessages.h"
#include "common/skin.h"
#include "platform/db/numbertext.h"
#include "platform/ui/desktop.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windows.h"

namespace sales {

namespace {

const char* const kRefusedText = "您无权删除供应商资料";
const char* const kTitle = "供应商资料";

const char* const kListSql =
    "select GYS_ID,GYS_MC as 供应商,GYS_DH as 电话,GYS_FKFS as 付款方式,GYS_WFJE as 未付金额,GYS_ZJE as 累计进货,"
    "GYS_ZSL as 总数量,GYS_DZ as 地址,GYS_BZ as 经营范围 from GYS";

constexpr double kDefaultWidth = -1;
constexpr int kUnpaidColumn = 4;
constexpr int kPurchasesColumn = 5;
constexpr int kQuantityColumn = 6;

// The headings are the query's own column names.
std::vector<ui::GridColumn> listColumns()
{
    return {{QStringLiteral("GYS_ID"), 0, QStringLiteral("GYS_ID")},
            {QStringLiteral("供应商"), 1500, QStringLiteral("供应商")},
            {QStringLiteral("电话"), 1000, QStringLiteral("电话")},
            {QStringLiteral("付款方式"), 1000, QStringLiteral("付款方式")},
            {QStringLiteral("未付金额"), 800, QStringLiteral("未付金额")},
            {QStringLiteral("累计进货"), 1000, QStringLiteral("累计进货")},
            {QStringLiteral("总数量"), 800, QStringLiteral("总数量")},
            {QStringLiteral("地址"), kDefaultWidth, QStringLiteral("地址")},
            {QStringLiteral("经营范围"), kDefaultWidth, QStringLiteral("经营范围")}};
}

// A stored amount; an empty cell (or one that holds no amount) adds nothing.
db::Currency amountIn(const db::Variant& cell)
{
    if (cell.isNullOrEmpty() || !db::isNumeric(cell)) return {};
    try {
        return cell.toCurrency();
    } catch (const db::Error&) {
        return {};
    }
}

} // namespace

FrmGYS::FrmGYS() : ui::Form(QStringLiteral("frmGYS"))
{
    setCaption(QStringLiteral("供应商管理"));
    setSizeTwips(9210, 6420);

    ui::DataGrid* list = addDataGrid(QStringLiteral("DataGrid1"), 120, 960, 8835, 3975);
    list->setAllowUpdate(false);
    list->onDblClick = [this] { DataGrid1_DblClick(); };

    addLabel(QStringLiteral("Label1"), QStringLiteral("总计："), 120, 5040, 1200, 255);
    addLabel(QStringLiteral("Label3"), QStringLiteral("0"), 3840, 5040, 1200, 255);
    addLabel(QStringLiteral("Label4"), QStringLiteral("0"), 5160, 5040, 1200, 255);
    addLabel(QStringLiteral("Label5"), QStringLiteral("0"), 6480, 5040, 1200, 255);

    auto button = [this](const char* name, const char* picture, const char* tip, double left) {
        ui::PictureButton* made = addPictureButton(QString::fromLatin1(name), ui::programPath(QString::fromLatin1(picture)),
                                                   left, 5400, 735, 330);
        made->setToolTip(QString::fromUtf8(tip));
        return made;
    };
    button("command1", "bmp/add.bmp", "新建", 4920)->onClick = [this] { command1_Click(); };
    button("command2", "bmp/modify.bmp", "修改", 5880)->onClick = [this] { command2_Click(); };
    button("command3", "bmp/delete.bmp", "删除", 6840)->onClick = [this] { command3_Click(); };
    button("Command4", "bmp/close.bmp", "关闭", 7800)->onClick = [this] { Command4_Click(); };
}

void FrmGYS::Form_Load()
{
    DataGridFresh();
    if (!Mymode::hasRight(QStringLiteral("e_conn=1;"))) control<ui::PictureButton>(QStringLiteral("command2"))->setEnabled(false);
    if (!Mymode::hasRight(QStringLiteral("d_conn=1;"))) control<ui::PictureButton>(QStringLiteral("command3"))->setEnabled(false);
}

void FrmGYS::DataGridFresh()
{
    gridbinding::Options options;
    options.lock = db::LockType::ReadOnly;
    options.emptyColumnAt = -2;
    options.reportFailure = true;
    // A list that cannot be read says why and keeps its rows and their sums;
    // with no rows read yet it shows no sums, which would read as zero.
    const bool filled = gridbinding::bind(grid(), QString::fromUtf8(kListSql), listColumns(), options);
    if (filled) showTotals();
    else if (grid()->rowCount() == 0)
        for (const char* sum : {"Label3", "Label4", "Label5"})
            control<ui::Label>(QLatin1String(sum))->setCaption(QString());
}

// The sums of the three balance columns of the rows shown.
void FrmGYS::showTotals()
{
    db::Currency unpaid, purchases;
    double quantity = 0;
    for (int row = 0; row < grid()->rowCount(); ++row) {
        unpaid = unpaid + amountIn(grid()->cell(row, kUnpaidColumn));
        purchases = purchases + amountIn(grid()->cell(row, kPurchasesColumn));
        const db::Variant count = grid()->cell(row, kQuantityColumn);
        if (db::isNumeric(count)) quantity = db::roundHalfEven(quantity + count.toDouble());
    }
    control<ui::Label>(QStringLiteral("Label3"))->setCaption(unpaid.toString());
    control<ui::Label>(QStringLiteral("Label4"))->setCaption(purchases.toString());
    control<ui::Label>(QStringLiteral("Label5"))->setCaption(db::numbertext::format(quantity == 0 ? 0 : quantity));
}

db::Variant FrmGYS::currentKey() const
{
    return grid()->currentKey();
}

void FrmGYS::command1_Click()
{
    ui::Windows::open(QStringLiteral("frmGysAdd"));
}

void FrmGYS::command2_Click()
{
    ui::Windows::open(QStringLiteral("frmGysEdit"));
}

void FrmGYS::command3_Click()
{
    if (!Mymode::hasRight(QStringLiteral("d_conn=1;"))) {
        ui::msgBox(QString::fromUtf8(kRefusedText), ui::Buttons::Ok, ui::Icon::Error, QString::fromUtf8(kTitle));
        return;
    }
    if (!rowmessages::confirmDelete()) return;
    const auto row = rowmessages::rowToDelete(QStringLiteral("select * from GYS where GYS_id="), currentKey(),
                                              QString::fromUtf8(kTitle));
    if (!row) return;
    if (rowmessages::deleteRow(*row, QString::fromUtf8(kTitle))) DataGridFresh();
}

// Opens the editor even when the edit button is disabled.
void FrmGYS::DataGrid1_DblClick()
{
    command2_Click();
}

void FrmGYS::Command4_Click()
{
    ui::Windows::unload(this);
}

void FrmGYS::Form_Paint()
{
    skin::paint(this);
}

ui::DataGrid* FrmGYS::grid() const
{
    return control<ui::DataGrid>(QStringLiteral("DataGrid1"));
}

} // namespace sales
