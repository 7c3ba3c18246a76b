#include "sales/productmgr.h"

#include "common/columnrules.h"
#include "common/database.h"
#include "common/gridbinding.h"
#include "common/productpick.h"
#include "common/rowmessages.h"
#include "common/savefailure.h"
#include "common/skin.h"
#include "common/sqltext.h"
#include "platform/db/variant.h"
#include "platform/ui/desktop.h"
#include "platform/ui/controlarray.h"
#include "platform/ui/gridedit.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windows.h"

namespace sales {

namespace {

const char* const kNoNameText = "产品名不能为空";
const char* const kNoUnitText = "产品单位不能为空";
const char* const kDuplicateText = "该产品已存在，不能重复添加!";
const char* const kAddedText = "产品添加成功";
const char* const kNotAddedText = "产品添加失败，数据未保存";

const char* const kListSql = "select id,product,Product_no,description,price,dw,kcl,inprice from product";
const char* const kNumberSearchSql = "select id,product,Product_no,description,price,dw,kcl,Inprice from product where Product_no like '%";
const char* const kNameSearchSql = "select id,product,Product_no,description,price,dw,kcl,inprice from product where product like '%";

std::vector<ui::GridColumn> listColumns()
{
    return {{QStringLiteral("id"), 0, QStringLiteral("id")},
            {QStringLiteral("产品名称"), 1500, QStringLiteral("product")},
            {QStringLiteral("产品编号"), 1000, QStringLiteral("Product_no")},
            {QStringLiteral("规格型号"), 1000, QStringLiteral("description")},
            {QStringLiteral("单价"), 800, QStringLiteral("price")},
            {QStringLiteral("单位"), 500, QStringLiteral("dw")},
            {QStringLiteral("库存量"), 800, QStringLiteral("KCL")},
            {QStringLiteral("进货价"), 800, QStringLiteral("InPrice")}};
}

// The insert's text boxes and their columns, in the order they are written,
// each box named by its label's caption.
struct EntryColumn {
    const char* box;
    const char* column;
    const char* caption;
    bool number;   // an empty box stores no value
};
const EntryColumn kEntryColumns[] = {
    {"product", "product", "产品名称", false},   {"productNO", "Product_no", "产品编号", false},
    {"productPrice", "price", "零售价", true},   {"ProductDw", "dw", "单位", false},
    {"descript", "description", "规格型号", false}, {"KCL", "KCL", "初始库存", true},
    {"InPrice", "InPrice", "进货价", true}};

// The boxes only a new product fills, with what they hold before any typing;
// the name and number boxes also take the searches.
const std::pair<const char*, const char*> kNewProductOnlyBoxes[] = {
    {"productPrice", ""}, {"ProductDw", ""}, {"descript", ""}, {"KCL", "0"}, {"InPrice", "0"}};

} // namespace

ProductMgr::ProductMgr() : ui::Form(QStringLiteral("productmgr"))
{
    setCaption(QStringLiteral("产品管理"));
    setSizeTwips(6135, 5805);
    // Esc closes the picker, not a new product half typed.
    closeOnEscape([this] { return holdsNewProduct(); });

    addLabel(QStringLiteral("Label2"), QStringLiteral("产品名称"), 120, 480, 840, 255);
    addLabel(QStringLiteral("Label1"), QStringLiteral("产品编号"), 3120, 480, 840, 255);
    addLabel(QStringLiteral("Label3"), QStringLiteral("零售价"), 120, 840, 840, 255);
    addLabel(QStringLiteral("Label4"), QStringLiteral("单位"), 1800, 840, 360, 255);
    addLabel(QStringLiteral("Label6"), QStringLiteral("初始库存"), 3120, 840, 840, 255);
    addLabel(QStringLiteral("Label5"), QStringLiteral("规格型号"), 120, 1200, 840, 255);
    addLabel(QStringLiteral("Label7"), QStringLiteral("进货价"), 3120, 1200, 840, 255);

    ui::TextBox* name = addTextBox(QStringLiteral("product"), 960, 480, 1935, 285);
    name->onKeyPress = [this](int& keyAscii) { product_KeyPress(keyAscii); };
    ui::TextBox* number = addTextBox(QStringLiteral("productNO"), 3960, 480, 1695, 285);
    number->onKeyPress = [this](int& keyAscii) { productNO_KeyPress(keyAscii); };
    ui::TextBox* price = addTextBox(QStringLiteral("productPrice"), 960, 840, 735, 285);
    ui::TextBox* unit = addTextBox(QStringLiteral("ProductDw"), 2160, 840, 735, 285);
    ui::TextBox* stock = addTextBox(QStringLiteral("KCL"), 3960, 840, 735, 285);
    stock->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    stock->setText(QStringLiteral("0"));
    ui::TextBox* spec = addTextBox(QStringLiteral("descript"), 960, 1200, 1935, 285);
    ui::TextBox* inPrice = addTextBox(QStringLiteral("InPrice"), 3960, 1200, 735, 285);
    inPrice->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    inPrice->setText(QStringLiteral("0"));
    ui::setTabOrder({name, number, price, unit, stock, spec, inPrice});

    auto button = [this](const char* name, const char* picture, const char* tip, double left, double top) {
        ui::PictureButton* made = addPictureButton(QString::fromLatin1(name), ui::programPath(QString::fromLatin1(picture)),
                                                   left, top, 735, 330);
        made->setToolTip(QString::fromUtf8(tip));
        return made;
    };
    button("command3", "bmp/add.bmp", "新建", 4920, 1080)->onClick = [this] { command3_Click(); };

    ui::DataGrid* list = addDataGrid(QStringLiteral("DataGrid1"), 120, 1560, 5775, 2655);
    list->setToolTipText(QStringLiteral("双击直接修改"));
    list->setColumnsFitWidth(true);
    ui::editOnClickOrTyping(list);
    list->onDblClick = [this] { DataGrid1_DblClick(); };

    button("command2", "bmp/ok.bmp", "选择", 1320, 4320)->onClick = [this] { command2_Click(); };
    button("command1", "bmp/delete.bmp", "删除", 2280, 4320)->onClick = [this] { command1_Click(); };
    button("Command4", "bmp/close.bmp", "关闭", 3240, 4320)->onClick = [this] { Command4_Click(); };
}

void ProductMgr::Form_Load()
{
    DataGridFresh();
}

void ProductMgr::Form_Paint()
{
    skin::paint(this);
}

ui::DataGrid* ProductMgr::grid() const
{
    return control<ui::DataGrid>(QStringLiteral("DataGrid1"));
}

QString ProductMgr::box(const char* name) const
{
    return control<ui::TextBox>(QString::fromLatin1(name))->text();
}

bool ProductMgr::holdsNewProduct() const
{
    for (const auto& [name, untyped] : kNewProductOnlyBoxes)
        if (box(name) != QLatin1String(untyped)) return true;
    return false;
}

void ProductMgr::DataGridFresh()
{
    showList(QString::fromLatin1(kListSql));
}

// A list that cannot be read says why and leaves the grid as it was.
void ProductMgr::showList(const QString& sql)
{
    gridbinding::Options options;
    options.reportFailure = true;
    gridbinding::bind(grid(), sql, listColumns(), options);
}

void ProductMgr::productNO_KeyPress(int& keyAscii)
{
    if (keyAscii != 13) return;
    const QString t = db::trimBlanks(box("productNO"));
    if (t.isEmpty()) return;
    showList(QString::fromLatin1(kNumberSearchSql) + sqltext::escaped(t) + QStringLiteral("%'"));
}

void ProductMgr::product_KeyPress(int& keyAscii)
{
    if (keyAscii != 13) return;
    const QString t = db::trimBlanks(box("product"));
    if (t.isEmpty()) return;
    // Headed as the whole list and the number search are.
    showList(QString::fromLatin1(kNameSearchSql) + sqltext::escaped(t) + QStringLiteral("%'"));
}

void ProductMgr::command3_Click()
{
    if (box("product").isEmpty()) {
        ui::msgBox(QString::fromUtf8(kNoNameText));
        return;
    }
    if (box("ProductDw").isEmpty()) {
        ui::msgBox(QString::fromUtf8(kNoUnitText));
        return;
    }
    // A box its column cannot take ("零售价必须是数字") is refused before anything is written.
    std::vector<columnrules::Box> boxes;
    for (const EntryColumn& entry : kEntryColumns)
        boxes.push_back({QStringLiteral("product"), QString::fromLatin1(entry.column), QString::fromUtf8(entry.caption),
                         box(entry.box)});
    if (const QString refused = columnrules::firstRefusal(boxes); !refused.isEmpty()) {
        ui::msgBox(refused);
        return;
    }
    if (!addProduct()) return;
    for (const char* name : {"product", "productNO", "productPrice", "ProductDw", "descript"})
        control<ui::TextBox>(QString::fromLatin1(name))->setText(QString());
    control<ui::TextBox>(QStringLiteral("InPrice"))->setText(QStringLiteral("0"));
    control<ui::TextBox>(QStringLiteral("KCL"))->setText(QStringLiteral("0"));
    ui::msgBox(QString::fromUtf8(kAddedText));
    DataGridFresh();
}

// The duplicate test and the insert in one transaction, so that two
// workstations cannot both add one name. False when nothing was stored.
bool ProductMgr::addProduct()
{
    bool duplicate = false;
    std::unique_ptr<db::Connection> connection;
    std::optional<db::Error> failure;
    const bool stored = database::guarded([&] {
        connection = database::openMain();
        connection->beginTrans();
        db::Recordset same;
        same.open(QStringLiteral("select * from product where product=") + sqltext::quoted(box("product")), *connection);
        duplicate = !same.eof();
        same.close();
        if (duplicate) {
            connection->rollbackTrans();
            return;
        }
        db::Recordset rows;
        rows.open(QStringLiteral("select * from product"), *connection, db::CursorType::Static, db::LockType::Optimistic);
        rows.addNew();
        for (const EntryColumn& entry : kEntryColumns) {
            const QString text = box(entry.box);
            // An empty number box stores no value.
            if (entry.number && db::trimBlanks(text).isEmpty()) continue;
            rows.setField(QString::fromLatin1(entry.column), db::Variant(text));
        }
        rows.update();
        connection->commitTrans();
    }, failure);
    if (duplicate) {
        ui::msgBox(QString::fromUtf8(kDuplicateText));
        DataGridFresh();
        return false;
    }
    if (!stored) {
        if (connection) database::guarded([&] { connection->rollbackTrans(); });
        ui::msgBox(savefailure::text(QString::fromUtf8(kNotAddedText), *failure));
        return false;
    }
    return true;
}

void ProductMgr::command1_Click()
{
    if (!rowmessages::confirmDelete()) return;
    const auto row =
        rowmessages::rowToDelete(QStringLiteral("select * from product where id= "), grid()->currentKey(), caption());
    if (!row) return;
    if (rowmessages::deleteRow(*row, caption())) DataGridFresh();
}

void ProductMgr::command2_Click()
{
    Mymode::FillPickedProduct();
}

void ProductMgr::DataGrid1_DblClick()
{
    Mymode::FillPickedProduct();
}

void ProductMgr::Command4_Click()
{
    ui::Windows::unload(this);
}

} // namespace sales
