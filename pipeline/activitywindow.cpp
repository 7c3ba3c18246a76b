#include "pipeline/activitywindow.h"

#include "common/datecheck.h"
#include "common/mymode.h"
#include "pipeline/rowwriting.h"
#include "platform/db/variant.h"
#include "platform/ui/msgbox.h"

namespace pipeline {

namespace {

const char* const kNoSummary = "活动概述不能为空";
const char* const kNoCustomer = "客户名称不能为空";
const char* const kBadReminder = "提醒时间非法";

// The start and end time with their captions, in the order of the checks.
const std::pair<const char*, const char*> kTimes[] = {
    {"BeginTime", "开始时间"},
    {"EndTime", "结束时间"},
};

// The boxes and their columns, in the order the saves write them.
const rowwriting::Box kBoxes[] = {
    {"KH_ID", "companyid", rowwriting::Kind::Number},
    {"ActionTitle", "ActionTitle", rowwriting::Kind::Text},
    {"Action_Connect", "Action_Connect", rowwriting::Kind::Text},
    {"ActionType", "ActionType", rowwriting::Kind::Text},
    {"BeginTime", "BeginTime", rowwriting::Kind::Date},
    {"EndTime", "endtime", rowwriting::Kind::Date},
    {"action_Class", "action_Class", rowwriting::Kind::Text},
};
const rowwriting::Box kReminder[] = {{"alerttime", "alerttime", rowwriting::Kind::Date}};
const rowwriting::Box kTrailingBoxes[] = {
    {"field1", "field1", rowwriting::Kind::Text},
    {"field2", "field2", rowwriting::Kind::Text},
    {"field3", "field3", rowwriting::Kind::Text},
    {"Action_Discription", "Action_Discription", rowwriting::Kind::Text},
};
const rowwriting::Box kFourthField[] = {{"field4", "field4", rowwriting::Kind::Text}};

} // namespace

ActivityWindow::ActivityWindow(const QString& kind, bool editor) : RecordWindow(kind)
{
    setCaption(editor ? QStringLiteral("修改活动") : QStringLiteral("增加活动"));
    setSizeTwips(7500, 6900);
    const double wide = 5970, half = 2370;
    const double second = kSecondLabelLeft;

    addCustomerBox(QStringLiteral("command2"),
                   editor ? QStringLiteral("双击调出客户资料") : QStringLiteral("双击客户名称调出客户资料"), rowTop(1),
                   wide - 840);
    addField(editor ? QStringLiteral("活动主题") : QStringLiteral("活动概述"), QStringLiteral("ActionTitle"), kLabelLeft,
             rowTop(2), wide);
    addField(QStringLiteral("联系人"), QStringLiteral("Action_Connect"), kLabelLeft, rowTop(3), half);
    addList(QStringLiteral("活动类型"), QStringLiteral("ActionType"), second, rowTop(3), half);
    addField(QStringLiteral("开始时间"), QStringLiteral("BeginTime"), kLabelLeft, rowTop(4), half);
    addField(QStringLiteral("结束时间"), QStringLiteral("EndTime"), second, rowTop(4), half);
    addList(QStringLiteral("优先级"), QStringLiteral("action_Class"), kLabelLeft, rowTop(5), half);
    ui::CheckBox* reminder = addCheckBox(QStringLiteral("Tixin"), QStringLiteral("提醒"), second, rowTop(5), 900, kBoxHeight);
    reminder->onClick = [this] { Tixin_Click(); };
    addTextBox(QStringLiteral("alerttime"), second + kLabelWidth, rowTop(5), half, kBoxHeight)->setVisible(false);
    addField(QStringLiteral("自定义字段1"), QStringLiteral("field1"), kLabelLeft, rowTop(6), half);
    addField(QStringLiteral("自定义字段2"), QStringLiteral("field2"), second, rowTop(6), half);
    addField(QStringLiteral("自定义字段3"), QStringLiteral("field3"), kLabelLeft, rowTop(7), half);
    ui::TextBox* field4 = addField(editor ? QStringLiteral("操作者") : QStringLiteral("自定义字段4"),
                                   QStringLiteral("field4"), second, rowTop(7), half);
    field4->setEnabled(!editor);
    addCheckBox(QStringLiteral("GK"), QStringLiteral("公开"), kLabelLeft + kLabelWidth, rowTop(8), 900, kBoxHeight);
    addLabel(QStringLiteral("lbl_Action_Discription"), QStringLiteral("活动细节"), kLabelLeft, rowTop(9) + 30,
             kLabelWidth, 255);
    addTextArea(QStringLiteral("Action_Discription"), kLabelLeft + kLabelWidth, rowTop(9), wide, 1335);

    const double buttons = rowTop(9) + 1335 + 120;
    addButton(QStringLiteral("command1"), QStringLiteral("bmp/save.bmp"), QStringLiteral("保存"), 5640, buttons,
              [this] { command1_Click(); });
    addButton(QStringLiteral("command3"), QStringLiteral("bmp/close.bmp"), QStringLiteral("关闭"), 6495, buttons,
              [this] { command3_Click(); });
}

void ActivityWindow::fillLists()
{
    fillList(QStringLiteral("ActionType"), QStringLiteral("select * from regarding"), QStringLiteral("regarding"));
    auto* priority = control<ui::ComboBox>(QStringLiteral("action_Class"));
    for (const char* item : {"高", "中", "低"}) priority->addItem(QString::fromUtf8(item));
}

bool ActivityWindow::summaryAndCustomerGiven()
{
    if (db::trimBlanks(boxText(QStringLiteral("ActionTitle"))).isEmpty()) {
        ui::msgBox(QString::fromUtf8(kNoSummary));
        return false;
    }
    if (db::trimBlanks(boxText(QStringLiteral("CustName"))).isEmpty()) {
        ui::msgBox(QString::fromUtf8(kNoCustomer));
        return false;
    }
    return true;
}

bool ActivityWindow::timesValid()
{
    for (const auto& [box, caption] : kTimes) {
        const QString refused = datecheck::refusal(QString::fromUtf8(caption), boxText(QString::fromLatin1(box)));
        if (refused.isEmpty()) continue;
        ui::msgBox(refused);
        return false;
    }
    if (!ticked(QStringLiteral("Tixin")) || db::isDate(boxText(QStringLiteral("alerttime")))) return true;
    ui::msgBox(QString::fromUtf8(kBadReminder));
    return false;
}

bool ActivityWindow::boxesFit(bool isNew) const
{
    const QString table = QStringLiteral("KH_ACT");
    std::vector<columnrules::Box> boxes = checkedBoxes(table, kBoxes);
    auto add = [&](std::span<const rowwriting::Box> more) {
        const auto checked = checkedBoxes(table, more);
        boxes.insert(boxes.end(), checked.begin(), checked.end());
    };
    if (ticked(QStringLiteral("Tixin"))) add(kReminder);
    add(kTrailingBoxes);
    if (isNew) add(kFourthField);
    return fit(boxes);
}

void ActivityWindow::writeActivity(db::Recordset& row, bool isNew) const
{
    auto text = [this](const char* box) { return boxText(QString::fromLatin1(box)); };
    rowwriting::write(row, kBoxes, text);
    if (ticked(QStringLiteral("Tixin"))) {
        rowwriting::write(row, kReminder, text);
        row.setField(QStringLiteral("alert"), QStringLiteral("1"));
    } else {
        row.setField(QStringLiteral("alert"), QStringLiteral("0"));
        if (!isNew) row.setField(QStringLiteral("alerttime"), db::Variant::null());
    }
    rowwriting::write(row, kTrailingBoxes, text);
    row.setField(QStringLiteral("public"), ticked(QStringLiteral("GK")) ? QStringLiteral("1") : QStringLiteral("0"));
    if (isNew) {
        rowwriting::write(row, kFourthField, text);
        row.setField(QStringLiteral("Action_CZZ"), Mymode::OperatorName);
    }
}

} // namespace pipeline
