#include "pipeline/servicewindow.h"

#include "common/mymode.h"
#include "pipeline/rowwriting.h"
#include "platform/db/variant.h"
#include "platform/ui/msgbox.h"

namespace pipeline {

namespace {

using rowwriting::Kind;

// The boxes that must not be blank, with their messages, in the order of the checks.
const std::pair<const char*, const char*> kRequired[] = {
    {"service_title", "服务概述不能为空"},
    {"CustName", "客户名不能为空"},
    {"service_connect", "联系人不能为空"},
    {"service_type", "服务类型不能为空"},
};

// The two times with their messages, in the order of the checks.
const std::pair<const char*, const char*> kTimes[] = {
    {"service_Begintime", "反馈时间非法"},
    {"service_endtime", "服务结束时间非法"},
};

// The boxes and their columns, in the order the saves write them.
const rowwriting::Box kBoxes[] = {
    {"service_title", "service_title", Kind::Text},
    {"service_product", "service_product", Kind::Text},
    {"KH_ID", "companyid", Kind::Number},
    {"service_type", "service_type", Kind::Text},
    {"service_Begintime", "service_Begintime", Kind::Date},
    {"service_connect", "service_connect", Kind::Text},
    {"service_endtime", "service_endtime", Kind::Date},
    {"description", "description", Kind::Text},
    {"field1", "field1", Kind::Text},
    {"field2", "field2", Kind::Text},
    {"field3", "field3", Kind::Text},
};
const rowwriting::Box kFourthField[] = {{"field4", "field4", Kind::Text}};

} // namespace

ServiceWindow::ServiceWindow(const QString& kind, bool editor) : RecordWindow(kind)
{
    setCaption(editor ? QStringLiteral("修改服务反馈") : QStringLiteral("增加服务反馈"));
    setSizeTwips(7500, 6600);
    const double wide = 5970, half = 2370;
    const double second = kSecondLabelLeft;

    addCustomerBox(QStringLiteral("command2"),
                   editor ? QStringLiteral("双击弹出客户资料") : QStringLiteral("双击调出客户资料"), rowTop(1),
                   wide - 840);
    addField(QStringLiteral("服务概述"), QStringLiteral("service_title"), kLabelLeft, rowTop(2), wide);
    addField(QStringLiteral("联系人"), QStringLiteral("service_connect"), kLabelLeft, rowTop(3), half);
    addList(QStringLiteral("服务类型"), QStringLiteral("service_type"), second, rowTop(3), half);
    addList(QStringLiteral("相关产品"), QStringLiteral("service_product"), kLabelLeft, rowTop(4), half);
    addField(QStringLiteral("反馈时间"), QStringLiteral("service_Begintime"), second, rowTop(4), half);
    ui::CheckBox* finished = addCheckBox(QStringLiteral("service_end"), QStringLiteral("服务结束"),
                                         kLabelLeft + kLabelWidth, rowTop(5), 1200, kBoxHeight);
    finished->onClick = [this] { service_end_Click(); };
    addField(QStringLiteral("结束时间"), QStringLiteral("service_endtime"), second, rowTop(5), half);
    addField(QStringLiteral("自定义字段1"), QStringLiteral("field1"), kLabelLeft, rowTop(6), half);
    addField(QStringLiteral("自定义字段2"), QStringLiteral("field2"), second, rowTop(6), half);
    addField(QStringLiteral("自定义字段3"), QStringLiteral("field3"), kLabelLeft, rowTop(7), half);
    addField(editor ? QStringLiteral("操作者") : QStringLiteral("自定义字段4"), QStringLiteral("field4"), second,
             rowTop(7), half);
    addCheckBox(QStringLiteral("GK"), QStringLiteral("公开"), kLabelLeft + kLabelWidth, rowTop(8), 900, kBoxHeight);
    addLabel(QStringLiteral("lbl_description"), QStringLiteral("相关细节"), kLabelLeft, rowTop(9) + 30, kLabelWidth,
             255);
    addTextArea(QStringLiteral("description"), kLabelLeft + kLabelWidth, rowTop(9), wide, 975);

    const double buttons = rowTop(9) + 975 + 120;
    addButton(QStringLiteral("command1"), QStringLiteral("bmp/save.bmp"), QStringLiteral("保存"), 5640, buttons,
              [this] { command1_Click(); });
    addButton(QStringLiteral("command3"), QStringLiteral("bmp/close.bmp"), QStringLiteral("关闭"), 6495, buttons,
              [this] { command3_Click(); });
}

void ServiceWindow::fillLists()
{
    fillList(QStringLiteral("service_type"), QStringLiteral("select * from servertype"), QStringLiteral("servertype"));
    fillList(QStringLiteral("service_product"), QStringLiteral("select * from product"), QStringLiteral("product"));
}

bool ServiceWindow::requiredBoxesGiven()
{
    for (const auto& [box, message] : kRequired) {
        if (!db::trimBlanks(boxText(QString::fromLatin1(box))).isEmpty()) continue;
        ui::msgBox(QString::fromUtf8(message));
        return false;
    }
    return true;
}

bool ServiceWindow::timesValid()
{
    for (const auto& [box, message] : kTimes) {
        const QString time = db::trimBlanks(boxText(QString::fromLatin1(box)));
        if (time.isEmpty() || db::isDate(time)) continue;
        ui::msgBox(QString::fromUtf8(message));
        return false;
    }
    return true;
}

bool ServiceWindow::boxesFit(bool isNew) const
{
    std::vector<columnrules::Box> boxes = checkedBoxes(QStringLiteral("service"), kBoxes);
    if (isNew)
        for (const columnrules::Box& box : checkedBoxes(QStringLiteral("service"), kFourthField)) boxes.push_back(box);
    return fit(boxes);
}

void ServiceWindow::writeService(db::Recordset& row, bool isNew) const
{
    auto text = [this](const char* box) { return boxText(QString::fromLatin1(box)); };
    rowwriting::write(row, kBoxes, text);
    row.setField(QStringLiteral("service_end"),
                 ticked(QStringLiteral("service_end")) ? QStringLiteral("已完成") : QStringLiteral("未完成"));
    row.setField(QStringLiteral("service_gk"), ticked(QStringLiteral("GK")) ? QStringLiteral("1") : QStringLiteral("0"));
    if (isNew) {
        rowwriting::write(row, kFourthField, text);
        row.setField(QStringLiteral("service_CZZ"), Mymode::OperatorName);
    }
}

} // namespace pipeline
