#include "sales/supplierwindow.h"

#include "common/database.h"
#include "common/savefailure.h"
#include "common/skin.h"
#include "platform/ui/boxtext.h"
#include "platform/ui/controlarray.h"
#include "platform/ui/desktop.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windows.h"
#include "sales/frmgys.h"

namespace sales {

namespace {

const char* const kNoNameText = "供应商名称不能为空";
const char* const kSavedText = "供应商资料已保存";
const char* const kNotSavedText = "供应商资料未能保存：";
const char* const kStaleText = "该供应商已在别处被修改或删除，请关闭后重新打开再修改";
const char* const kNoRowText = "记录不存在，请刷新列表";

// The text boxes and their columns, in the order they are written.
const char* const kTextColumns[] = {"GYS_BH", "GYS_MC", "GYS_DH", "GYS_CZ", "GYS_FKFS", "GYS_DZ", "GYS_BZ"};

struct Balance {
    const char* box;
    const char* column;
};
const Balance kBalances[] = {{"GYS_WFJE", "GYS_WFJE"}, {"gys_ZJE", "GYS_ZJE"}, {"Gys_ZSL", "GYS_ZSL"}};

} // namespace

SupplierWindow::SupplierWindow(const QString& kind, const QString& caption) : ui::Form(kind)
{
    setCaption(caption);
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setSizeTwips(6810, 6420);

    struct Entry {
        const char* label;
        const char* caption;
        const char* box;
        double left, top, width;
    };
    const Entry entries[] = {{"Label1", "编    号", "GYS_BH", 120, 960, 1935},  {"Label2", "名    称", "GYS_MC", 3240, 960, 2295},
                             {"Label3", "电    话", "GYS_DH", 120, 1320, 1935}, {"Label4", "传    真", "GYS_CZ", 3240, 1320, 2295},
                             {"Label6", "地    址", "GYS_DZ", 120, 2040, 5415}};
    std::vector<QWidget*> order;
    for (const Entry& entry : entries) {
        addLabel(QString::fromLatin1(entry.label), QString::fromUtf8(entry.caption), entry.left, entry.top + 30, 840, 255);
        order.push_back(addTextBox(QString::fromLatin1(entry.box), entry.left + 960, entry.top, entry.width, 285));
    }
    addLabel(QStringLiteral("Label5"), QStringLiteral("收款方式"), 120, 1710, 840, 255);
    ui::ComboBox* mode = addComboBox(QStringLiteral("GYS_FKFS"), ui::ComboBox::Editable, 1080, 1680, 1935, 300);
    for (const char* item : {"现金", "月结"}) mode->addItem(QString::fromUtf8(item));
    order.insert(order.begin() + 4, mode);
    addLabel(QStringLiteral("Label7"), QStringLiteral("经营范围"), 120, 2430, 840, 255);
    order.push_back(addTextArea(QStringLiteral("GYS_BZ"), 1080, 2400, 5415, 855));

    ui::Frame* money = addFrame(QStringLiteral("Frame1"), QStringLiteral("财务信息"), 120, 3360, 6375, 1095);
    const Entry balances[] = {{"Label8", "期初未付款", "GYS_WFJE", 120, 360, 855},
                              {"Label9", "累计金额", "gys_ZJE", 2160, 360, 855},
                              {"Label10", "总 数 量", "Gys_ZSL", 4200, 360, 855}};
    for (const Entry& entry : balances) {
        addLabel(QString::fromLatin1(entry.label), QString::fromUtf8(entry.caption), entry.left, entry.top + 30, 960, 255, money);
        ui::TextBox* box = addTextBox(QString::fromLatin1(entry.box), entry.left + 1080, entry.top, entry.width, 285, money);
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        box->setText(QStringLiteral("0"));
        order.push_back(box);
    }
    ui::setTabOrder(order);

    ui::PictureButton* save = addPictureButton(QStringLiteral("command1"), ui::programPath(QStringLiteral("bmp/save.bmp")),
                                               4680, 4680, 735, 330);
    save->setToolTip(QStringLiteral("保存"));
    ui::PictureButton* close = addPictureButton(QStringLiteral("command2"), ui::programPath(QStringLiteral("bmp/close.bmp")),
                                                5640, 4680, 735, 330);
    close->setToolTip(QStringLiteral("关闭"));
    close->onClick = [this] { command2_Click(); };
}

void SupplierWindow::Form_Paint()
{
    skin::paint(this);
}

void SupplierWindow::command2_Click()
{
    ui::Windows::unload(this);
}

bool SupplierWindow::refusesBlankName() const
{
    if (!db::trimBlanks(ui::boxText(this, QStringLiteral("GYS_MC"))).isEmpty()) return false;
    ui::msgBox(QString::fromUtf8(kNoNameText));
    return true;
}

void SupplierWindow::writeSupplier(db::Recordset& row) const
{
    for (const char* column : kTextColumns)
        row.setField(QString::fromLatin1(column), db::Variant(db::trimBlanks(ui::boxText(this, QString::fromLatin1(column)))));
    for (const Balance& balance : kBalances) {
        const QString text = ui::boxText(this, QString::fromLatin1(balance.box));
        if (db::isNumeric(db::Variant(text)))
            row.setField(QString::fromLatin1(balance.column), db::Variant(db::trimBlanks(text)));
    }
}

void SupplierWindow::showNotSaved(const db::Error& error)
{
    ui::msgBox(savefailure::text(QString::fromUtf8(kNotSavedText), error, savefailure::Reason::Shown));
}

void SupplierWindow::showSaved()
{
    ui::msgBox(QString::fromUtf8(kSavedText));
    ui::Windows::unload(this);
    if (auto* list = dynamic_cast<FrmGYS*>(ui::Windows::open(QStringLiteral("frmGYS")))) list->DataGridFresh();
}

// ---- the new supplier

FrmGysAdd::FrmGysAdd() : SupplierWindow(QStringLiteral("frmGysAdd"), QStringLiteral("增加供应商"))
{
    control<ui::PictureButton>(QStringLiteral("command1"))->onClick = [this] { command1_Click(); };
}

void FrmGysAdd::command1_Click()
{
    if (refusesBlankName()) return;
    try {
        auto connection = database::openMain();
        db::Recordset rows;
        rows.open(QStringLiteral("select * from GYS"), *connection, db::CursorType::Static, db::LockType::Optimistic);
        rows.addNew();
        writeSupplier(rows);
        rows.update();
    } catch (const db::Error& error) {
        showNotSaved(error);
        return;
    }
    showSaved();
}

// ---- editing a listed supplier

FrmGysEdit::FrmGysEdit() : SupplierWindow(QStringLiteral("frmGysEdit"), QStringLiteral("修改供应商资料"))
{
    ui::TextBox* key = addTextBox(QStringLiteral("GYS_ID"), 0, 0, 0, 0);
    key->setText(QStringLiteral("GYS_ID"));
    key->hide();
    control<ui::PictureButton>(QStringLiteral("command1"))->onClick = [this] { command1_Click(); };
}

void FrmGysEdit::Form_Load()
{
    auto* list = ui::Windows::loaded<FrmGYS>(QStringLiteral("frmGYS"));
    const db::Variant key = list ? list->currentKey() : db::Variant();
    // A row that cannot be read is not missing: the operator is told why and
    // the window closes, as it does without a row.
    const bool read = database::read([&] {
        if (!db::isNumeric(key)) return;
        auto connection = database::openMain();
        auto row = std::make_unique<db::Recordset>();
        row->open(QStringLiteral("select * from  GYS where GYS_ID = ") + QString::number(key.toLong()), *connection,
                  db::CursorType::Keyset, db::LockType::Optimistic, db::CursorLocation::Client);
        if (row->eof()) return;
        supplier_ = std::move(row);
    });
    if (!supplier_) {
        if (read) ui::msgBox(QString::fromUtf8(kNoRowText));
        ui::Windows::unload(this);
        return;
    }
    // An empty column leaves its box as it was: an empty balance shows "0".
    auto show = [this](const char* box, const char* column) {
        const db::Variant value = supplier_->field(QString::fromLatin1(column));
        if (!value.isNullOrEmpty()) ui::setBoxText(this, QString::fromLatin1(box), value.toText());
    };
    for (const char* column : kTextColumns) show(column, column);
    show("GYS_ID", "GYS_ID");
    for (const Balance& balance : kBalances) show(balance.box, balance.column);
}

void FrmGysEdit::command1_Click()
{
    if (refusesBlankName() || !supplier_) return;
    try {
        writeSupplier(*supplier_);
    } catch (const db::Error& error) {
        database::guarded([&] { supplier_->cancelUpdate(); });
        showNotSaved(error);
        return;
    }
    std::optional<db::Error> failure;
    if (!database::guarded([&] { supplier_->update(); }, failure)) {
        database::guarded([&] { supplier_->cancelUpdate(); });
        ui::msgBox(savefailure::changeText(QString::fromUtf8(kNotSavedText),
                                           QString::fromUtf8(kNotSavedText) + QString::fromUtf8(kStaleText), *failure));
        return;
    }
    showSaved();
}

} // namespace sales
