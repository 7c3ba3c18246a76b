#include "pipeline/recordwindow.h"

#include "common/companylookup.h"
#include "common/customercard.h"
#include "common/customerpick.h"
#include "common/database.h"
#include "common/mainlists.h"
#include "common/mymode.h"
#include "common/referencelist.h"
#include "common/savefailure.h"
#include "common/skin.h"
#include "platform/ui/boxtext.h"
#include "platform/ui/desktop.h"
#include "platform/ui/fittext.h"
#include "platform/ui/label.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windows.h"

namespace pipeline {

void RecordWindow::Form_Paint()
{
    skin::paint(this);
}

void RecordWindow::addCustomerBox(const QString& pickerName, const QString& toolTip, double top, double boxWidth)
{
    ui::TextBox* name = addField(QStringLiteral("相关客户"), QStringLiteral("CustName"), kLabelLeft, top, boxWidth);
    name->setToolTip(toolTip);
    ui::keepTextWhole(name);
    name->onDblClick = [this] { CustName_DblClick(); };
    addTextBox(QStringLiteral("KH_ID"), 0, 0, 0, 0)->setVisible(false);
    addButton(pickerName, QStringLiteral("bmp/search.bmp"), QStringLiteral("选择客户"),
              kLabelLeft + kLabelWidth + boxWidth + 60, top - 20, [this] { openCustomerPicker(); }, 540)
        ->setFixedHeight(ui::twipsToPixels(kBoxHeight + 30));
}

ui::TextBox* RecordWindow::addField(const QString& caption, const QString& name, double labelLeft, double top,
                                    double width)
{
    addLabel(QStringLiteral("lbl_") + name, caption, labelLeft, top + 30, kLabelWidth, 255);
    return addTextBox(name, labelLeft + kLabelWidth, top, width, kBoxHeight);
}

ui::ComboBox* RecordWindow::addList(const QString& caption, const QString& name, double labelLeft, double top,
                                    double width)
{
    addLabel(QStringLiteral("lbl_") + name, caption, labelLeft, top + 30, kLabelWidth, 255);
    return addComboBox(name, ui::ComboBox::PickOnly, labelLeft + kLabelWidth, top, width, 300);
}

ui::PictureButton* RecordWindow::addButton(const QString& name, const QString& picture, const QString& toolTip,
                                           double left, double top, std::function<void()> click, double width)
{
    ui::PictureButton* button = addPictureButton(name, ui::programPath(picture), left, top, width, 330);
    button->setToolTip(toolTip);
    button->onClick = std::move(click);
    return button;
}

void RecordWindow::fillList(const QString& list, const QString& sql, const QString& column)
{
    referencelist::offer(control<ui::ComboBox>(list), sql, column);
}

void RecordWindow::showChoice(const QString& list, const QString& value)
{
    if (value.isEmpty()) return;
    ui::ComboBox* box = control<ui::ComboBox>(list);
    if (box->findText(value, Qt::MatchExactly) < 0) box->addItem(value);
    box->setText(value);
}

void RecordWindow::takeCustomerFromCard()
{
    ui::Form* card = ui::Windows::get(QStringLiteral("frmCustDetail"));
    if (!card) return;
    setBoxText(QStringLiteral("KH_ID"), card->control<ui::TextBox>(QStringLiteral("text1"))->text());
    setBoxText(QStringLiteral("CustName"), card->control<ui::TextBox>(QStringLiteral("companyname"))->text());
}

bool RecordWindow::showCustomerOf(const db::Variant& companyId)
{
    if (!db::isNumeric(companyId)) return true;
    return database::read([&] {
        auto customer = database::query(QStringLiteral("select id,company_name from company where id=")
                                        + QString::number(companyId.toLong()));
        if (customer->eof()) return;
        setBoxText(QStringLiteral("CustName"), customer->field(QStringLiteral("company_name")).toText());
        setBoxText(QStringLiteral("KH_ID"), customer->field(QStringLiteral("id")).toText());
    });
}

bool RecordWindow::customerExists()
{
    bool isNumber = false;
    const qint64 id = boxText(QStringLiteral("KH_ID")).trimmed().toLongLong(&isNumber);
    bool found = false;
    // A busy file says so: the customer may well exist.
    if (isNumber && !database::read([&] {
            found = !database::query(QStringLiteral("select id from company where id=") + QString::number(id))->eof();
        }))
        return false;
    if (!found) ui::msgBox(QStringLiteral("公司名不存在"));
    return found;
}

void RecordWindow::refuseSaves()
{
    control<ui::PictureButton>(QStringLiteral("command1"))->setEnabled(false);
}

void RecordWindow::saveEdit(keptrow::KeptRow& record, const EditTexts& texts, const std::function<bool()>& checksPass,
                            const std::function<void(db::Recordset&)>& fill,
                            const std::function<void(db::Connection&)>& after)
{
    if (!Mymode::hasRight(QString::fromLatin1(texts.right))) {
        ui::msgBox(QString::fromUtf8(texts.refused), ui::Buttons::Ok, ui::Icon::Error, QStringLiteral("修改资料"));
        return;
    }
    if (!checksPass()) return;
    std::optional<db::Error> failure;
    switch (record.save(fill, after, &failure)) {
    case keptrow::Outcome::Stale: ui::msgBox(QString::fromUtf8(texts.stale)); return;
    case keptrow::Outcome::Failed:
        ui::msgBox(savefailure::text(QString::fromUtf8(texts.notSaved), *failure, savefailure::Reason::Shown));
        return;
    case keptrow::Outcome::Saved: break;
    }
    ui::msgBox(QString::fromUtf8(texts.saved));
    Mymode::rememberCompanyByName(boxText(QStringLiteral("CustName")));
    ui::Windows::unload(this);
}

bool RecordWindow::insertRow(const QString& table, const std::function<void(db::Recordset&)>& fill,
                             const QString& failureText)
{
    try {
        auto connection = database::openMain();
        db::Recordset row;
        row.open(QStringLiteral("select * from ") + table, *connection, db::CursorType::Static, db::LockType::Optimistic);
        row.addNew();
        fill(row);
        row.update();
        return true;
    } catch (const db::Error& error) {
        ui::msgBox(savefailure::text(failureText, error, savefailure::Reason::Shown));
        return false;
    }
}

void RecordWindow::confirmAndClose(const QString& confirmation, const std::function<void(MainLists&)>& showList)
{
    ui::msgBox(confirmation);
    if (auto* mainLists = ui::Windows::loaded<MainLists>(QStringLiteral("frmMain"))) showList(*mainLists);
    if (ui::Form* mainWindow = ui::Windows::loaded(QStringLiteral("frmMain"))) mainWindow->update();
    ui::Windows::unload(this);
}

QString RecordWindow::captionOf(const char* box) const
{
    const QString name = QString::fromLatin1(box) == QLatin1String("KH_ID") ? QStringLiteral("CustName") : QString::fromLatin1(box);
    const auto* label = findChild<ui::Label*>(QStringLiteral("lbl_") + name);
    if (!label) return name;
    QString caption = label->caption();
    caption.remove(QLatin1Char(' '));
    if (caption.endsWith(QChar(0xFF1A))) caption.chop(1);   // "总计："
    return caption;
}

std::vector<columnrules::Box> RecordWindow::checkedBoxes(const QString& table,
                                                         std::span<const rowwriting::Box> boxes) const
{
    return rowwriting::checked(
        table, boxes, [this](const char* box) { return boxText(QString::fromLatin1(box)); },
        [this](const char* box) { return captionOf(box); });
}

bool RecordWindow::fit(const std::vector<columnrules::Box>& boxes)
{
    const QString refused = columnrules::firstRefusal(boxes);
    if (refused.isEmpty()) return true;
    ui::msgBox(refused);
    return false;
}

QString RecordWindow::boxText(const QString& name) const
{
    return ui::boxText(this, name);
}

void RecordWindow::setBoxText(const QString& name, const QString& text)
{
    ui::setBoxText(this, name, text);
}

bool RecordWindow::ticked(const QString& checkBox) const
{
    return control<ui::CheckBox>(checkBox)->value() == 1;
}

void RecordWindow::command3_Click()
{
    ui::Windows::unload(this);
}

void RecordWindow::CustName_DblClick()
{
    customercard::openFor(boxText(QStringLiteral("CustName")), boxText(QStringLiteral("KH_ID")));
}

void RecordWindow::openCustomerPicker()
{
    customerpick::open(this);
}

} // namespace pipeline
