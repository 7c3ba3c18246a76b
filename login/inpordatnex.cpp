#include "login/inpordatnex.h"

#include "common/database.h"
#include "common/savefailure.h"
#include "common/skin.h"
#include "login/importrecords.h"
#include "login/importsource.h"
#include "login/inpordat.h"
#include "platform/db/variant.h"
#include "platform/ui/desktop.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windows.h"

namespace login {
namespace {

struct MappingBox {
    const char* name;
    const char* label;
    const char* column;
};

// Top to bottom, 480 twips apart from 840.
const MappingBox kMappingBoxes[] = {
    {"text1", "客户名称：", "company_name"},     {"text2", "客户地址：", "company_address"},
    {"Text3", "联系人：", "company_connect"},    {"Text4", "职务：", "company_dute"},
    {"Text5", "电话：", "company_tel"},          {"Text6", "传真：", "company_fax"},
    {"Text7", "手机：", "company_mobil"},        {"Text8", "邮编：", "company_postcode"},
    {"Text9", "Email：", "company_mail"},        {"Text10", "备注：", "company_description"},
};
const char* const kNotImportedText = "数据没有导入";

constexpr double kBoxLeft = 1440;
constexpr double kBoxWidth = 1815;
constexpr double kBoxHeight = 315;
constexpr double kFirstBoxTop = 840;
constexpr double kBoxPitch = 480;
// The field list stands this far right of the last box, the remark box.
constexpr double kRemarkListShift = 300;

} // namespace

Inpordatnex::Inpordatnex()
    : ui::Form(QStringLiteral("inpordatnex"))
{
    setCaption(QStringLiteral("字段映射"));
    setSizeTwips(4500, 7200);

    // Created in tab order: the table list, the ten boxes, the field list.
    addLabel(QStringLiteral("Label11"), QStringLiteral("数据表："), 240, 390, 1100, 255);
    Combo2_ = addComboBox(QStringLiteral("Combo2"), ui::ComboBox::Editable, kBoxLeft, 360, kBoxWidth, kBoxHeight);
    int row = 0;
    for (const MappingBox& box : kMappingBoxes) {
        const double top = kFirstBoxTop + kBoxPitch * row++;
        addLabel(QStringLiteral("Label%1").arg(row), QString::fromUtf8(box.label), 240, top + 30, 1100, 255);
        ui::TextBox* text = addTextBox(QLatin1String(box.name), kBoxLeft, top, kBoxWidth, kBoxHeight);
        text->onGotFocus = [this, text] { mappingBox_GotFocus(text); };
        boxes_.push_back(text);
    }
    Combo1_ = addComboBox(QStringLiteral("Combo1"), ui::ComboBox::PickOnly, kBoxLeft, kFirstBoxTop, kBoxWidth, kBoxHeight);

    auto* back = addPictureButton(QStringLiteral("command2"), ui::programPath(QStringLiteral("bmp/back.bmp")),
                                  240, 5760, 1125, 375);
    auto* import = addPictureButton(QStringLiteral("command1"), ui::programPath(QStringLiteral("bmp/import.bmp")),
                                    1680, 5760, 1125, 375);
    auto* close = addPictureButton(QStringLiteral("command3"), ui::programPath(QStringLiteral("bmp/close.bmp")),
                                   3120, 5760, 1125, 375);
    Combo2_->onClick = [this] { Combo2_Click(); };
    Combo1_->onClick = [this] { Combo1_Click(); };
    import->onClick = [this] { command1_Click(); };
    back->onClick = [this] { command2_Click(); };
    close->onClick = [this] { command3_Click(); };
}

// Lists the source file's tables. A file that cannot be read is reported and
// the operator is back at the chooser with the path.
void Inpordatnex::Form_Load()
{
    if (auto* chooser = ui::Windows::loaded<Inpordat>(QStringLiteral("inpordat"))) sourcePath_ = chooser->sourcePath();
    const auto source = openImportSource(sourcePath_);
    if (!source) {
        command2_Click();
        return;
    }
    for (const QString& table : source->tables()) Combo2_->addItem(table);
    Combo1_->hide();
    Combo2_->setFocus();
}

void Inpordatnex::Form_Paint()
{
    skin::paint(this);
}

// Refills the field list with the chosen table's fields; the boxes keep their texts.
void Inpordatnex::Combo2_Click()
{
    Combo1_->clear();
    const auto source = openImportSource(sourcePath_);
    if (!source) return;
    try {
        for (const mdb::Column& column : source->columns(Combo2_->text())) Combo1_->addItem(column.name);
    } catch (const mdb::Error& error) {
        showSourceError(error);
    }
}

// The chosen field goes into the box the list stands over: the one at its top.
void Inpordatnex::Combo1_Click()
{
    for (ui::TextBox* box : boxes_)
        if (box->y() == Combo1_->y()) box->setText(Combo1_->text());
}

void Inpordatnex::mappingBox_GotFocus(ui::TextBox* box)
{
    const int shift = box == boxes_.back() ? ui::twipsToPixels(kRemarkListShift) : 0;
    Combo1_->move(box->x() + shift, box->y());
    Combo1_->show();
    Combo1_->raise();
}

// Writes the records, reports how it went and closes. A source or table that
// cannot be read, a mapping box naming no field of the table, or a main
// database that cannot be written now (busy, read-only) writes nothing and
// leaves the window as it is, its mapping filled.
void Inpordatnex::command1_Click()
{
    const QString table = Combo2_->text();
    if (db::trimBlanks(table).isEmpty()) {
        ui::msgBox(QStringLiteral("请先选择数据表"));
        return;
    }
    const auto source = openImportSource(sourcePath_);
    if (!source) return;
    std::vector<FieldMapping> mapping;
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        const QString field = db::trimBlanks(boxes_[i]->text());
        if (!field.isEmpty())
            mapping.push_back({QLatin1String(kMappingBoxes[i].column), field,
                               QString::fromUtf8(kMappingBoxes[i].label).chopped(1)});
    }
    ImportOutcome outcome;
    try {
        const auto main = database::openMain();
        outcome = importRecords(*source, table, mapping, *main);
    } catch (const mdb::Error& error) {
        showSourceError(error);
        return;
    } catch (const db::Error& error) {
        // Nothing was written: the mapping stays for another try.
        ui::msgBox(error.kind() == db::Error::Kind::Busy
                       ? savefailure::text(QString::fromUtf8(kNotImportedText), error)
                       : savefailure::text(QString::fromUtf8(kNotImportedText) + QStringLiteral("："), error,
                                           savefailure::Reason::Shown));
        return;
    }
    if (!outcome.refusal.isEmpty()) {
        ui::msgBox(outcome.refusal);
        return;
    }
    ui::msgBox(outcomeMessage(outcome));
    ui::Windows::unload(this);
}

void Inpordatnex::command2_Click()
{
    ui::Windows::open(QStringLiteral("inpordat"));
    ui::Windows::unload(this);
}

void Inpordatnex::command3_Click()
{
    ui::Windows::unload(this);
}

} // namespace login
