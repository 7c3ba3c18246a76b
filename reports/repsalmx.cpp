#include "reports/repsalmx.h"

#include "common/database.h"
#include "common/skin.h"
#include "platform/ui/desktop.h"
#include "platform/ui/listview.h"
#include "reports/productlist.h"
#include "reports/reportexport.h"
#include "reports/reportlist.h"

namespace reports {

namespace {

const ReportColumns kColumns{{"序号", 500}, {"销售时间", 1500}, {"单号", 1500}, {"客户名称", 1500},
                             {"商品名", 1000}, {"单价", 800},     {"数量", 800},   {"小计", 800}};

} // namespace

RepSalMx::RepSalMx() : ui::Form(QStringLiteral("repSalMx"))
{
    setCaption(QStringLiteral("销售明细表"));
    setSizeTwips(10440, 7200);
    closeOnEscape();
    addLabel(QStringLiteral("Label1"), QStringLiteral("开始日期"), 240, 420, 855, 255);
    text1 = ui::addDatePicker(this, QStringLiteral("text1"), 1080, 360, 1335, 375);
    addLabel(QStringLiteral("Label2"), QStringLiteral("结束日期"), 2580, 420, 855, 255);
    text2 = ui::addDatePicker(this, QStringLiteral("text2"), 3420, 360, 1335, 375);
    addLabel(QStringLiteral("Label4"), QStringLiteral("商品名称"), 240, 900, 855, 255);
    product = addComboBox(QStringLiteral("product"), ui::ComboBox::Editable, 1080, 840, 1695, 315);
    addLabel(QStringLiteral("Label6"), QStringLiteral("客户名"), 2940, 900, 735, 255);
    KH_KH = addTextBox(QStringLiteral("KH_KH"), 3660, 840, 1695, 315);
    addPictureButton(QStringLiteral("command3"), ui::programPath(QStringLiteral("bmp/search.bmp")), 5640, 840, 1125, 375)
        ->onClick = [this] { command3_Click(); };
    ListView1 = ui::addListView(this, QStringLiteral("ListView1"), 120, 1320, 10095, 4935);
    addPictureButton(QStringLiteral("Image1"), ui::programPath(QStringLiteral("bmp/tbexcel.bmp")), 7200, 780, 495, 465)
        ->onClick = [this] { Image1_Click(); };
    addLabel(QStringLiteral("Label3"), QStringLiteral("导出到Excel文件"), 7800, 900, 1695, 255);
}

void RepSalMx::Form_Load()
{
    text1->setToday();
    text2->setToday();
    product->addItem(salesdetail::allProducts());
    // Names that cannot be read are told; the box offers "全部" alone, and a name can still be typed.
    database::read([&] {
        for (const QString& name : productNames()) product->addItem(name);
    });
}

void RepSalMx::Form_Paint()
{
    skin::paint(this);
}

salesdetail::Filters RepSalMx::filters() const
{
    return {text1->value(), text2->value(), db::trimBlanks(product->text()), db::trimBlanks(KH_KH->text())};
}

// A query that cannot be read says why and leaves the list as it was: no
// total row of 0 passes for a range without sales.
void RepSalMx::command3_Click()
{
    std::shared_ptr<salesdetail::ListRows> rows;
    if (!database::read([&] { rows = std::make_shared<salesdetail::ListRows>(filters()); })) return;
    reportlist::setColumns(ListView1, kColumns);
    ListView1->setItems(static_cast<int>(rows->size()), [rows](int row) { return (*rows)[static_cast<std::size_t>(row)]; });
}

void RepSalMx::Image1_Click()
{
    reportexport::toExcel(salesdetail::exportQuery(filters()));
}

} // namespace reports
