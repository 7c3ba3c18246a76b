#include "pipeline/chancewindow.h"

#include "common/datecheck.h"
#include "common/mymode.h"
#include "pipeline/quotationrows.h"
#include "pipeline/rowwriting.h"
#include "platform/db/locale.h"
#include "platform/db/variant.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windows.h"

namespace pipeline {

namespace {

using rowwriting::Kind;

// The header boxes and their columns, in the order the saves write them.
const rowwriting::Box kHeader[] = {
    {"chance_title", "chance_title", Kind::Text},
    {"KH_ID", "companyid", Kind::Number},
    {"Chance_No", "Chance_No", Kind::Text},
    {"chance_connect", "chance_connect", Kind::Text},
    {"salesdate", "salesdate", Kind::Date},
    {"chance_percent", "chance_percent", Kind::Text},
    {"chance_status", "chance_status", Kind::Text},
    {"invoicetype", "invoicetype", Kind::Text},
    {"competiter", "competiter", Kind::Text},
    {"QtContent", "description", Kind::Text},
    {"field1", "field1", Kind::Text},
    {"field2", "field2", Kind::Text},
    {"field3", "field3", Kind::Text},
    {"totalMx", "totalmoney", Kind::Number},
};
const rowwriting::Box kFourthField[] = {{"field4", "field4", Kind::Text}};

constexpr double kFrameTop = 4440;
constexpr double kFrameHeight = 2880;

} // namespace

ChanceWindow::ChanceWindow(const QString& kind, bool editor) : RecordWindow(kind)
{
    setCaption(editor ? QStringLiteral("修改机会报价") : QStringLiteral("新建机会报价"));
    setSizeTwips(7500, 9030);
    const double half = 2370;
    const double second = kSecondLabelLeft;

    addField(QStringLiteral("机会概述"), QStringLiteral("chance_title"), kLabelLeft, rowTop(1), half);
    addField(QStringLiteral("报价单号"), QStringLiteral("Chance_No"), second, rowTop(1), half);
    addCustomerBox(editor ? QStringLiteral("command6") : QStringLiteral("Command4"),
                   editor ? QStringLiteral("双击调出客户咨料") : QStringLiteral("双击调出客户资料"), rowTop(2),
                   half - 600);
    addField(QStringLiteral("联 系 人"), QStringLiteral("chance_connect"), second, rowTop(2), half);
    addList(QStringLiteral("成功概率"), QStringLiteral("chance_percent"), kLabelLeft, rowTop(3), half);
    addList(QStringLiteral("流程状态"), QStringLiteral("chance_status"), second, rowTop(3), half);
    addList(QStringLiteral("发票类型"), QStringLiteral("invoicetype"), kLabelLeft, rowTop(4), half);
    addField(QStringLiteral("预计销售日"), QStringLiteral("salesdate"), second, rowTop(4), half);
    addField(QStringLiteral("竞争者"), QStringLiteral("competiter"), kLabelLeft, rowTop(5), half);
    addCheckBox(QStringLiteral("GK"), QStringLiteral("公开"), second + kLabelWidth, rowTop(5), 900, kBoxHeight);
    addLabel(QStringLiteral("lbl_QtContent"), QStringLiteral("其它描述"), kLabelLeft, rowTop(6) + 30, kLabelWidth, 255);
    addTextArea(QStringLiteral("QtContent"), kLabelLeft + kLabelWidth, rowTop(6), 5970, 735);
    addField(QStringLiteral("自定义字段1"), QStringLiteral("field1"), kLabelLeft, rowTop(8), half);
    addField(QStringLiteral("自定义字段2"), QStringLiteral("field2"), second, rowTop(8), half);
    addField(QStringLiteral("自定义字段3"), QStringLiteral("field3"), kLabelLeft, rowTop(9), half);
    addField(editor ? QStringLiteral("操作者") : QStringLiteral("自定义字段4"), QStringLiteral("field4"), second,
             rowTop(9), half);

    const double totalTop = kFrameTop + kFrameHeight + 120;
    ui::TextBox* total = addField(QStringLiteral("总计："), QStringLiteral("totalMx"), 4320, totalTop, 1455);
    total->setAlignment(Qt::AlignRight);
    addLabel(QStringLiteral("Label_yuan"), QStringLiteral("元"), 4320 + kLabelWidth + 1455 + 60, totalTop + 30, 300, 255);
    rows_ = new linerows::LineRows(this, quotationrows::variant(QStringLiteral("产品报价"), kFrameTop, kFrameHeight, false),
                                   total);

    addButton(QStringLiteral("command1"), editor ? QStringLiteral("bmp/modify.bmp") : QStringLiteral("bmp/save.bmp"),
              editor ? QStringLiteral("修改") : QStringLiteral("保存"), 1260, totalTop, [this] { command1_Click(); });
    addButton(QStringLiteral("command2"), QStringLiteral("bmp/close.bmp"), QStringLiteral("关闭"), 2160, totalTop,
              [this] { command2_Click(); });
}

void ChanceWindow::ChanceTotalMx()
{
    rows_->ChanceTotalMx();
}

void ChanceWindow::command2_Click()
{
    ui::Windows::unload(this);
}

void ChanceWindow::fillLists()
{
    fillList(QStringLiteral("chance_status"), QStringLiteral("select * from programstate"), QStringLiteral("programstate"));
    fillList(QStringLiteral("invoicetype"), QStringLiteral("select * from invoice"), QStringLiteral("invoice"));
    auto* percent = control<ui::ComboBox>(QStringLiteral("chance_percent"));
    for (int tenth = 1; tenth <= 10; ++tenth) percent->addItem(QString::number(tenth * 10) + QLatin1Char('%'));
}

bool ChanceWindow::headerComplete(const char* badTotal)
{
    if (db::trimBlanks(boxText(QStringLiteral("chance_title"))).isEmpty()) {
        ui::msgBox(QStringLiteral("机会概述不能为空"));
        return false;
    }
    if (db::trimBlanks(boxText(QStringLiteral("chance_connect"))).isEmpty()) {
        ui::msgBox(QStringLiteral("机会联系人不能为空"));
        return false;
    }
    const QString total = db::trimBlanks(boxText(QStringLiteral("totalMx")));
    if (total.isEmpty() || total == QLatin1String("0") || !linerows::isNumber(total)) {
        ui::msgBox(QString::fromUtf8(badTotal));
        return false;
    }
    const QString badDate = datecheck::refusal(QStringLiteral("预计销售日"), boxText(QStringLiteral("salesdate")));
    if (!badDate.isEmpty()) {
        ui::msgBox(badDate);
        return false;
    }
    return true;
}

bool ChanceWindow::boxesFit(bool isNew) const
{
    std::vector<columnrules::Box> boxes = checkedBoxes(QStringLiteral("chance"), kHeader);
    if (isNew)
        for (const columnrules::Box& box : checkedBoxes(QStringLiteral("chance"), kFourthField)) boxes.push_back(box);
    for (const columnrules::Box& box : quotationlines::checkedBoxes(QStringLiteral("chanceMX"), lines()))
        boxes.push_back(box);
    return fit(boxes);
}

void ChanceWindow::writeChance(db::Recordset& row, bool isNew, const QString& lineKey) const
{
    auto text = [this](const char* box) { return boxText(QString::fromLatin1(box)); };
    rowwriting::write(row, kHeader, text);
    // A cleared expected sale date is cleared in the header as in the lines
    // written from the same box.
    if (db::trimBlanks(text("salesdate")).isEmpty()) row.setField(QStringLiteral("salesdate"), db::Variant::null());
    row.setField(QStringLiteral("chance_GK"), ticked(QStringLiteral("GK")) ? QStringLiteral("1") : QStringLiteral("0"));
    if (!lineKey.isEmpty()) row.setField(QStringLiteral("indexflag"), lineKey);
    if (isNew) {
        rowwriting::write(row, kFourthField, text);
        row.setField(QStringLiteral("createtime"), db::locale::shortDate(db::locale::now().date()));
        row.setField(QStringLiteral("chance_CZZ"), Mymode::OperatorName);
    }
}

std::vector<quotationlines::Line> ChanceWindow::lines() const
{
    return quotationrows::linesOf(*rows_);
}

} // namespace pipeline
