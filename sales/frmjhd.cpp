#include "sales/frmjhd.h"

#include "common/database.h"
#include "common/datecheck.h"
#include "common/skin.h"
#include "platform/db/locale.h"
#include "platform/ui/boxtext.h"
#include "platform/ui/desktop.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windows.h"
#include "sales/purchasestore.h"

namespace sales {

namespace {

const char* const kNoSupplierText = "供应商不能为空";
const char* const kNoGoodsText = "销售商品输入有错误，不能创建订单合同";
const char* const kPaidNotAmountText = "付款金额输入有错误，不能创建进货单";
const char* const kSavedText = "销售单录入操作成功！";
const char* const kSupplierMissingText = "进货单已保存，但找不到供应商“%1”，其未付金额、累计进货和总数量未更新";

linerows::Variant rowsVariant()
{
    linerows::Variant variant;
    variant.unit = false;
    variant.discount = false;
    variant.addsRows = false;
    variant.namesReadOnly = true;
    variant.numberCaption = QStringLiteral("规格型号");
    variant.nameCaption = QStringLiteral("商品名称");
    return variant;
}

// "JH" and the moment's two-digit year, month, day, hour, minute and second,
// each without leading zeros.
QString purchaseNumber(const QDateTime& now)
{
    return QStringLiteral("JH") + QString::number(now.date().year() % 100).rightJustified(2, QLatin1Char('0'))
        + QString::number(now.date().month()) + QString::number(now.date().day()) + QString::number(now.time().hour())
        + QString::number(now.time().minute()) + QString::number(now.time().second());
}

} // namespace

FrmJHd::FrmJHd() : ui::Form(QStringLiteral("frmJHd"))
{
    setCaption(QStringLiteral("进货单"));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setSizeTwips(7455, 7995);

    addLabel(QStringLiteral("Label1"), QStringLiteral("供应商"), 120, 390, 840, 255);
    ui::ComboBox* supplier = addComboBox(QStringLiteral("GYS_MC"), ui::ComboBox::Editable, 960, 360, 2775, 300);
    addLabel(QStringLiteral("Label2"), QStringLiteral("NO："), 3960, 390, 600, 255);
    ui::TextBox* number = addTextBox(QStringLiteral("Sal_NO"), 4560, 360, 2655, 285);
    addLabel(QStringLiteral("Label3"), QStringLiteral("日 期"), 120, 750, 840, 255);
    ui::TextBox* date = addTextBox(QStringLiteral("Sal_Date"), 960, 720, 1935, 285);
    addLabel(QStringLiteral("Label4"), QStringLiteral("总金额"), 3120, 750, 840, 255);
    ui::TextBox* total = addTextBox(QStringLiteral("totalMx"), 3960, 720, 1095, 285);
    total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    addLabel(QStringLiteral("Label5"), QStringLiteral("元"), 5100, 750, 240, 255);
    addLabel(QStringLiteral("Label6"), QStringLiteral("付款金额"), 120, 1110, 840, 255);
    ui::TextBox* paid = addTextBox(QStringLiteral("receivemoney"), 960, 1080, 1095, 285);
    paid->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    addLabel(QStringLiteral("Label7"), QStringLiteral("元"), 2100, 1110, 240, 255);
    addLabel(QStringLiteral("Label8"), QStringLiteral("备 注"), 120, 1470, 840, 255);
    ui::TextArea* remarks = addTextArea(QStringLiteral("Sal_BZ"), 960, 1440, 6255, 420);

    rows_ = new linerows::LineRows(this, rowsVariant(), total);
    rows_->frame()->setTitle(QStringLiteral("进货商品"));
    // A line gets its product only through its product button.
    rows_->product.element(0)->setToolTip(QStringLiteral("点前面的按钮选产品"));
    rows_->description.element(0)->setReadOnly(true);

    std::map<int, QWidget*> stops{{1, supplier}, {2, number}, {3, date}, {4, total}, {5, paid}, {20, remarks}};
    rows_->addTabStops(stops);
    std::vector<QWidget*> order;
    for (const auto& [position, control] : stops) order.push_back(control);
    ui::setTabOrder(order);

    ui::PictureButton* save = addPictureButton(QStringLiteral("command1"), ui::programPath(QStringLiteral("bmp/save.bmp")),
                                               5160, 6975, 735, 330);
    save->setToolTip(QStringLiteral("保存"));
    save->onClick = [this] { command1_Click(); };
    ui::PictureButton* close = addPictureButton(QStringLiteral("command2"), ui::programPath(QStringLiteral("bmp/close.bmp")),
                                                6120, 6975, 735, 330);
    close->setToolTip(QStringLiteral("关闭"));
    close->onClick = [this] { command2_Click(); };
}

void FrmJHd::Form_Load()
{
    auto* supplier = control<ui::ComboBox>(QStringLiteral("GYS_MC"));
    database::read([&] {
        auto suppliers = database::query(QStringLiteral("select * from Gys"));
        for (; !suppliers->eof(); suppliers->moveNext()) {
            // Only a missing name is skipped; an empty one is listed as it stands.
            const db::Variant name = suppliers->field(QStringLiteral("GYS_MC"));
            if (!name.isNull()) supplier->addItem(name.toText());
        }
    });
    const QDateTime now = db::locale::now();
    ui::setBoxText(this, QStringLiteral("Sal_Date"), db::locale::shortDate(now.date()));
    ui::setBoxText(this, QStringLiteral("totalMx"), QStringLiteral("0"));
    ui::setBoxText(this, QStringLiteral("receivemoney"), QStringLiteral("0"));
    ui::setBoxText(this, QStringLiteral("Sal_NO"), purchaseNumber(now));
}

void FrmJHd::ChanceTotalMx()
{
    rows_->ChanceTotalMx();
}

void FrmJHd::command1_Click()
{
    if (saving_) return;
    const QString refused = refusal();
    if (!refused.isEmpty()) {
        ui::msgBox(refused);
        return;
    }
    const purchasestore::Purchase purchase = purchaseInBoxes();
    const QString unfit = purchasestore::refusal(purchase);
    if (!unfit.isEmpty()) {
        ui::msgBox(unfit);
        return;
    }
    saving_ = true;
    const purchasestore::Stored stored = purchasestore::store(purchase);
    saving_ = false;
    if (stored == purchasestore::Stored::No) return;
    if (stored == purchasestore::Stored::SupplierMissing)
        ui::msgBox(QString::fromUtf8(kSupplierMissingText).arg(purchase.supplier));
    else
        ui::msgBox(QString::fromUtf8(kSavedText));
    ui::Windows::unload(this);
}

purchasestore::Purchase FrmJHd::purchaseInBoxes() const
{
    purchasestore::Purchase purchase;
    purchase.number = ui::boxText(this, QStringLiteral("Sal_NO"));
    purchase.supplier = ui::boxText(this, QStringLiteral("GYS_MC"));
    purchase.date = ui::boxText(this, QStringLiteral("Sal_Date"));
    purchase.total = ui::boxText(this, QStringLiteral("totalMx"));
    purchase.paid = ui::boxText(this, QStringLiteral("receivemoney"));
    purchase.remarks = ui::boxText(this, QStringLiteral("Sal_BZ"));
    auto text = [this](const char* column, int row) {
        const ui::TextBox* box = rows_->box(QString::fromLatin1(column), row);
        return box ? box->text() : QString();
    };
    for (int row : rows_->lines())
        purchase.lines.push_back({text("product", row), text("Price", row), text("num", row), text("TotalSM", row)});
    return purchase;
}

QString FrmJHd::refusal() const
{
    if (db::trimBlanks(ui::boxText(this, QStringLiteral("GYS_MC"))).isEmpty()) return QString::fromUtf8(kNoSupplierText);
    const QString total = db::trimBlanks(ui::boxText(this, QStringLiteral("totalMx")));
    if (total.isEmpty() || total == QLatin1String("0") || !purchasestore::isAmount(total)) return QString::fromUtf8(kNoGoodsText);
    if (!purchasestore::isAmount(ui::boxText(this, QStringLiteral("receivemoney")))) return QString::fromUtf8(kPaidNotAmountText);
    // Lines without a date would drop out of the stock report's dated lists.
    return datecheck::requiredRefusal(QStringLiteral("日期"), ui::boxText(this, QStringLiteral("Sal_Date")));
}

void FrmJHd::command2_Click()
{
    ui::Windows::unload(this);
}

void FrmJHd::Form_Paint()
{
    skin::paint(this);
}

} // namespace sales
