#include "customers/contactwindow.h"

#include "common/database.h"
#include "common/sqltext.h"
#include "customers/customerrecord.h"
#include "platform/db/locale.h"
#include "platform/ui/boxtext.h"
#include "platform/ui/desktop.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/taborder.h"

namespace customers {

namespace {

const char* const kBadBirthdayText = "生日不是一个合法的日期";
const char* const kNoCustomerText = "公司名不存在";

struct ContactBox {
    const char* control;
    const char* column;
};

// The contact's boxes and their columns, in the order the saves write them.
// The fourth custom box is each window's own: the new contact stores it, the
// editor shows the owner in it and stores nothing.
const ContactBox kBoxes[] = {
    {"LXR", "Connect_name"}, {"dute", "Connect_dute"},     {"tel", "tel"},       {"fax", "fax"},
    {"hometel", "hometel"},  {"postcode", "postcode"},     {"department", "department"},
    {"mobil", "mobil"},      {"email", "email"},           {"ah", "ah"},         {"field1", "field1"},
    {"field2", "field2"},    {"field3", "field3"},         {"descript", "description"},
};

constexpr double kRowTop = 360;
constexpr double kRowStep = 360;
constexpr double kBoxHeight = 285;
constexpr double kLabelHeight = 255;
constexpr double kFirstLabel = 240, kFirstBox = 1080, kSecondLabel = 3000, kSecondBox = 3840;
constexpr double kBoxWidth = 1815;

double rowTop(int row) { return kRowTop + (row - 1) * kRowStep; }

} // namespace

ui::PictureButton* ContactWindow::addContactBoxes(Layout layout, const QString& pickerButton)
{
    const bool editor = layout == Layout::Editor;
    std::vector<QWidget*> tabOrder;
    auto label = [&](const QString& box, const char* caption, double left, int row, double width) {
        addLabel(QStringLiteral("lbl_") + box, QString::fromUtf8(caption), left, rowTop(row) + 30, width, kLabelHeight);
    };
    auto field = [&](const char* caption, const char* name, int row, bool second, double width = kBoxWidth) {
        const QString box = QString::fromLatin1(name);
        label(box, caption, second ? kSecondLabel : kFirstLabel, row, kSecondBox - kSecondLabel - 45);
        tabOrder.push_back(addTextBox(box, second ? kSecondBox : kFirstBox, rowTop(row), width, kBoxHeight));
    };
    // Rows 8 and 9 have wider labels, placed per window.
    const double customLabel = editor ? 0 : 120, customSecondLabel = editor ? 2880 : 3000;
    const double customBox = editor ? 1080 : 1200, customSecondBox = editor ? 3960 : 4080;
    const double customWidth = 1695;
    auto custom = [&](const char* caption, const char* name, int row, bool second) {
        const QString box = QString::fromLatin1(name);
        label(box, caption, second ? customSecondLabel : customLabel, row, 1095);
        tabOrder.push_back(addTextBox(box, second ? customSecondBox : customBox, rowTop(row), customWidth, kBoxHeight));
    };

    field("联 系 人", "LXR", 1, false);
    field("职    务", "dute", 1, true);
    field("电    话", "tel", 3, false);
    field("传    真", "fax", 3, true, 2055);
    field("手    机", "mobil", 4, false);
    field("邮    编", "postcode", 4, true);
    field("电子邮箱", "email", 5, false);
    field("家庭电话", "hometel", 5, true, 2055);
    field("部    门", "department", 6, false);
    field("爱    好", "ah", 6, true, 1935);
    custom("自定义字段1", "field1", 8, false);
    custom("自定义字段2", "field2", 8, true);
    custom("自定义字段3", "field3", 9, false);
    if (editor) {
        addLabel(QStringLiteral("lbl_field4"), QStringLiteral("操作者"), 3240, rowTop(9) + 30, 615, kLabelHeight);
        tabOrder.push_back(addTextBox(QStringLiteral("field4"), customSecondBox, rowTop(9), customWidth, kBoxHeight));
    } else {
        custom("自定义字段4", "field4", 9, true);
    }

    const double descriptLeft = editor ? 120 : 240;
    addLabel(QStringLiteral("lbl_descript"), QStringLiteral("其它描述"), descriptLeft, 3480, 840, kLabelHeight);
    tabOrder.push_back(addTextArea(QStringLiteral("descript"), descriptLeft, 3720, 5655, 855));

    label(QStringLiteral("birthday"), "生    日", kFirstLabel, 7, kSecondBox - kSecondLabel - 45);
    tabOrder.push_back(addTextBox(QStringLiteral("birthday"), kFirstBox, rowTop(7), kBoxWidth, kBoxHeight));
    tabOrder.push_back(addCheckBox(QStringLiteral("Tixin"), QStringLiteral("提醒"), kSecondLabel, rowTop(7), 735, kBoxHeight));

    const double nameWidth = editor ? 3015 : 2775;
    const double pickerLeft = kFirstBox + nameWidth + 60;
    tabOrder.push_back(addCheckBox(QStringLiteral("GK"), QStringLiteral("公开"), pickerLeft + 480, rowTop(2), 735, kBoxHeight));
    label(QStringLiteral("CustName"), "相关客户", kFirstLabel, 2, kSecondBox - kSecondLabel - 45);
    tabOrder.push_back(addTextBox(QStringLiteral("CustName"), kFirstBox, rowTop(2), nameWidth, kBoxHeight));
    ui::PictureButton* picker =
        addPictureButton(pickerButton, ui::programPath(QStringLiteral("bmp/selectkh.bmp")), pickerLeft, rowTop(2) - 37, 360, 360);
    picker->setToolTip(QStringLiteral("选择客户"));
    addTextBox(QStringLiteral("KH_ID"), 0, 0, 0, 0)->setVisible(false);

    ui::setTabOrder(tabOrder);
    return picker;
}

void ContactWindow::showContact(const db::Recordset& contact)
{
    for (const ContactBox& box : kBoxes) {
        const QString text = contact.field(QString::fromLatin1(box.column)).toText();
        ui::setBoxText(this, QString::fromLatin1(box.control), text);
    }
    control<ui::CheckBox>(QStringLiteral("Tixin"))->setValue(customerrecord::flagSet(contact.field(QStringLiteral("alert"))));
    control<ui::CheckBox>(QStringLiteral("GK"))->setValue(customerrecord::flagSet(contact.field(QStringLiteral("LXR_GK"))));
    const db::Variant birthday = contact.field(QStringLiteral("birthday"));
    if (!birthday.isNullOrEmpty())
        database::guarded([&] {
            control<ui::TextBox>(QStringLiteral("birthday"))->setText(db::locale::shortDate(birthday.toDate().date()));
        });
}

bool ContactWindow::birthdayAccepted() const
{
    if (!isTicked(QStringLiteral("Tixin")) || db::isDate(boxText(QStringLiteral("birthday")))) return true;
    ui::msgBox(QString::fromUtf8(kBadBirthdayText));
    return false;
}

std::optional<std::int32_t> ContactWindow::storedCustomer(db::Connection& connection) const
{
    bool isId = false;
    const std::int32_t id = boxText(QStringLiteral("KH_ID")).toInt(&isId);
    if (isId) {
        db::Recordset customer;
        customer.open(QStringLiteral("select id from company where id=") + QString::number(id), connection);
        if (!customer.eof()) return id;
    }
    ui::msgBox(QString::fromUtf8(kNoCustomerText));
    return std::nullopt;
}

void ContactWindow::writeContact(db::Recordset& contact, std::int32_t customerId) const
{
    contact.setField(QStringLiteral("companyid"), customerId);
    for (const ContactBox& box : kBoxes)
        contact.setField(QString::fromLatin1(box.column), boxText(QString::fromLatin1(box.control)));
    const bool reminder = isTicked(QStringLiteral("Tixin"));
    if (reminder) contact.setField(QStringLiteral("birthday"), boxText(QStringLiteral("birthday")));
    contact.setField(QStringLiteral("alert"), customerrecord::flagText(reminder));
    contact.setField(QStringLiteral("LXR_GK"), customerrecord::flagText(isTicked(QStringLiteral("GK"))));
}

QString ContactWindow::boxText(const QString& name) const
{
    return ui::boxText(this, name);
}

bool ContactWindow::isTicked(const QString& name) const
{
    return control<ui::CheckBox>(name)->value() == 1;
}

} // namespace customers
