#include "customers/customerwindow.h"

#include "common/referencelist.h"
#include "platform/ui/boxtext.h"
#include "platform/ui/fittext.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/taborder.h"

namespace customers {

namespace {

enum class BoxKind { Text, List, Memo, Balance };

struct CustomerBox {
    const char* control;
    const char* column;
    BoxKind kind;
};

// The customer's boxes and their columns, in the order the saves write them.
const CustomerBox kBoxes[] = {
    {"companyname", "company_name", BoxKind::Text},
    {"company_address", "company_address", BoxKind::Text},
    {"LXR", "company_connect", BoxKind::Text},
    {"dute", "company_dute", BoxKind::Text},
    {"tel", "company_tel", BoxKind::Text},
    {"fax", "company_fax", BoxKind::Text},
    {"mobil", "company_mobil", BoxKind::Text},
    {"postcode", "company_postcode", BoxKind::Text},
    {"email", "company_mail", BoxKind::Text},
    {"http", "company_http", BoxKind::Text},
    {"area", "company_area", BoxKind::Text},
    {"Custtype", "company_client_type", BoxKind::List},
    {"custLy", "company_clientsource", BoxKind::List},
    {"Custhy", "company_industry", BoxKind::List},
    {"CustZt", "company_client_status", BoxKind::List},
    {"khyh", "company_khyh", BoxKind::Text},
    {"yhzh", "company_yhzh", BoxKind::Text},
    {"XYD", "company_ZJH", BoxKind::Text},
    {"KH_ZJE", "company_zje", BoxKind::Balance},
    {"KH_YJ", "company_YJ", BoxKind::Balance},
    {"KH_QK", "company_QK", BoxKind::Balance},
    {"KH_ZSL", "company_Zsl", BoxKind::Balance},
    {"descript", "company_description", BoxKind::Memo},
};

// The balance boxes with their captions, in the order of the frame: their
// columns are numeric.
const std::pair<const char*, const char*> kBalances[] = {
    {"预收押金", "KH_YJ"}, {"欠款金额", "KH_QK"}, {"总购金额", "KH_ZJE"}, {"总购数量", "KH_ZSL"}};

// Each list and the reference table (and column) its values come from, in the order they are filled.
const std::pair<const char*, const char*> kReferenceLists[] = {
    {"Custtype", "client_type"},
    {"Custhy", "industry"},
    {"custLy", "clientsource"},
    {"CustZt", "client_status"},
};

constexpr double kRowTop = 360;
constexpr double kRowStep = 360;
constexpr double kBoxHeight = 285;
constexpr double kListHeight = 300;
constexpr double kLabelHeight = 255;

double rowTop(int row) { return kRowTop + (row - 1) * kRowStep; }

} // namespace

void CustomerWindow::addCustomerBoxes(double nameWidth, double publicLeft, double publicTop)
{
    const double firstLabel = 120, firstBox = 960, secondLabel = 2880, secondBox = 3720;
    const double firstWidth = 1815, secondWidth = 1575;
    auto field = [&](const char* caption, const char* name, int row, bool second, double width) {
        const QString box = QString::fromLatin1(name);
        addLabel(QStringLiteral("lbl_") + box, QString::fromUtf8(caption), second ? secondLabel : firstLabel,
                 rowTop(row) + 30, 840, kLabelHeight);
        ui::TextBox* made = addTextBox(box, second ? secondBox : firstBox, rowTop(row), width, kBoxHeight);
        // Names and numbers show whole in the card's widths.
        ui::keepTextWhole(made);
        return made;
    };
    field("客户名称", "companyname", 1, false, nameWidth);
    field("客户地址", "company_address", 2, false, 4335);
    addCheckBox(QStringLiteral("GK"), QStringLiteral("公开"), publicLeft, publicTop, 735, kBoxHeight);
    field("主联系人", "LXR", 3, false, firstWidth);
    field("客户编号", "dute", 3, true, secondWidth);
    field("电    话", "tel", 4, false, firstWidth);
    field("传    真", "fax", 4, true, secondWidth);
    field("手    机", "mobil", 5, false, firstWidth);
    addLabel(QStringLiteral("lbl_Custtype"), QStringLiteral("客户分组"), secondLabel, rowTop(5) + 30, 840, kLabelHeight);
    addComboBox(QStringLiteral("Custtype"), ui::ComboBox::PickOnly, secondBox, rowTop(5), secondWidth, kListHeight);
}

void CustomerWindow::addOptionsFrame(double left, double top)
{
    ui::Frame* frame = addFrame(QStringLiteral("Frame1"), QStringLiteral("客户其它可选项"), left, top, 4455, 2055);
    // A four-character caption takes about 720 twips: the labels are as wide
    // as those of the upper block, so that a caption keeps clear of its box,
    // and the boxes end where the frame's columns end.
    const double firstLabel = 120, secondLabel = 2280, labelWidth = 840, boxWidth = 1215;
    auto rowOf = [](int row) { return 240 + (row - 1) * 360.0; };
    auto labelLeft = [&](bool second) { return second ? secondLabel : firstLabel; };
    auto boxLeft = [&](bool second) { return labelLeft(second) + labelWidth; };
    auto label = [&](const char* caption, const char* name, int row, bool second) {
        addLabel(QStringLiteral("lbl_") + QString::fromLatin1(name), QString::fromUtf8(caption), labelLeft(second),
                 rowOf(row) + 30, labelWidth, kLabelHeight, frame);
    };
    auto text = [&](const char* caption, const char* name, int row, bool second) {
        label(caption, name, row, second);
        addTextBox(QString::fromLatin1(name), boxLeft(second), rowOf(row), boxWidth, kBoxHeight, frame);
    };
    auto list = [&](const char* caption, const char* name, int row, bool second) {
        label(caption, name, row, second);
        addComboBox(QString::fromLatin1(name), ui::ComboBox::PickOnly, boxLeft(second), rowOf(row), boxWidth,
                    kListHeight, frame);
    };
    text("Email", "email", 1, false);
    text("网   址", "http", 1, true);
    text("VIP 卡号", "postcode", 2, false);
    text("积   分", "area", 2, true);
    list("客户行业", "Custhy", 3, false);
    list("客户来源", "custLy", 3, true);
    list("客户状态", "CustZt", 4, false);
    text("证 件 号", "XYD", 4, true);
    text("客户银行", "khyh", 5, false);
    text("银行帐号", "yhzh", 5, true);
}

void CustomerWindow::addBalancesFrame(double left, double top, double width, double height, double rowStep)
{
    ui::Frame* frame = addFrame(QStringLiteral("Frame2"), QStringLiteral("客户财务信息"), left, top, width, height);
    double rowTopInFrame = 360;
    for (const auto& [caption, name] : kBalances) {
        addLabel(QStringLiteral("lbl_") + QString::fromLatin1(name), QString::fromUtf8(caption), 120,
                 rowTopInFrame + 30, 840, kLabelHeight, frame);
        ui::TextBox* box = addTextBox(QString::fromLatin1(name), 960, rowTopInFrame, 615, kBoxHeight - 45, frame);
        box->setAlignment(Qt::AlignRight);
        box->setText(QStringLiteral("0"));
        rowTopInFrame += rowStep;
    }
}

void CustomerWindow::addDescription(double labelLeft, double labelTop, double left, double top, double width,
                                    double height)
{
    addLabel(QStringLiteral("lbl_descript"), QStringLiteral("客户描述"), labelLeft, labelTop, 840, kLabelHeight);
    addTextArea(QStringLiteral("descript"), left, top, width, height);
}

void CustomerWindow::declareTabOrder()
{
    static const char* const kTabOrder[] = {
        "companyname", "company_address", "GK", "LXR", "dute", "tel", "fax", "mobil", "Custtype", "descript",
        "email", "http", "postcode", "area", "Custhy", "custLy", "CustZt", "XYD", "khyh", "yhzh",
        "KH_YJ", "KH_QK", "KH_ZJE", "KH_ZSL"};
    std::vector<QWidget*> order;
    for (const char* name : kTabOrder) order.push_back(control<QWidget>(QString::fromLatin1(name)));
    ui::setTabOrder(order);
}

void CustomerWindow::fillReferenceLists()
{
    for (const auto& [list, table] : kReferenceLists) {
        const QString column = QString::fromLatin1(table);
        referencelist::offer(control<ui::ComboBox>(QString::fromLatin1(list)), QStringLiteral("select * from ") + column,
                             column);
    }
}

void CustomerWindow::showCustomer(const db::Recordset& company)
{
    for (const CustomerBox& box : kBoxes) {
        const db::Variant value = company.field(QString::fromLatin1(box.column));
        if (value.isNullOrEmpty()) continue;
        const QString name = QString::fromLatin1(box.control);
        const QString text = value.toText();
        switch (box.kind) {
        case BoxKind::Text:
        case BoxKind::Balance: control<ui::TextBox>(name)->setText(text); break;
        case BoxKind::Memo: control<ui::TextArea>(name)->setText(text); break;
        case BoxKind::List: {
            ui::ComboBox* list = control<ui::ComboBox>(name);
            if (list->findText(text) < 0) list->addItem(text);
            list->setText(text);
            break;
        }
        }
    }
    control<ui::CheckBox>(QStringLiteral("GK"))->setValue(customerrecord::flagSet(company.field(QStringLiteral("KH_GK"))));
}

bool CustomerWindow::balancesAreNumbers()
{
    for (const auto& [caption, name] : kBalances) {
        ui::TextBox* box = control<ui::TextBox>(QString::fromLatin1(name));
        if (db::trimBlanks(box->text()).isEmpty() || db::isNumeric(box->text())) continue;
        ui::msgBox(QString::fromUtf8(caption) + QStringLiteral("必须是数字"));
        box->setFocus();
        return false;
    }
    return true;
}

void CustomerWindow::writeCustomer(db::Recordset& company) const
{
    for (const CustomerBox& box : kBoxes) {
        const QString text = boxText(QString::fromLatin1(box.control));
        const QString column = QString::fromLatin1(box.column);
        // A value the column refuses (a text longer than it holds) fails the whole save,
        // so the window never reports a customer as saved without it.
        company.setField(column, box.kind == BoxKind::Balance && db::trimBlanks(text).isEmpty()
                                     ? QStringLiteral("0")
                                     : text);
    }
    company.setField(QStringLiteral("KH_GK"), customerrecord::flagText(isPublic()));
}

void CustomerWindow::lockBoxes(bool locked)
{
    for (const CustomerBox& box : kBoxes) {
        const QString name = QString::fromLatin1(box.control);
        switch (box.kind) {
        case BoxKind::Text:
        case BoxKind::Balance: control<ui::TextBox>(name)->setLocked(locked); break;
        case BoxKind::Memo: control<ui::TextArea>(name)->setLocked(locked); break;
        case BoxKind::List: control<ui::ComboBox>(name)->setEnabled(!locked); break;
        }
    }
    control<ui::CheckBox>(QStringLiteral("GK"))->setEnabled(!locked);
}

bool CustomerWindow::isPublic() const
{
    return control<ui::CheckBox>(QStringLiteral("GK"))->value() == 1;
}

customerrecord::MainContact CustomerWindow::mainContact() const
{
    return {boxText(QStringLiteral("LXR")),    boxText(QStringLiteral("tel")),
            boxText(QStringLiteral("fax")),    boxText(QStringLiteral("mobil")),
            boxText(QStringLiteral("email")),  boxText(QStringLiteral("postcode"))};
}

QString CustomerWindow::boxText(const QString& name) const
{
    return ui::boxText(this, name);
}

} // namespace customers
