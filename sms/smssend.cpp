#include "sms/smssend.h"

#include "common/database.h"
#include "common/displaywidth.h"
#include "common/gridbinding.h"
#include "common/recordscope.h"
#include "common/skin.h"
#include "common/smsoutbox.h"
#include "common/sqltext.h"
#include "platform/db/locale.h"
#include "platform/ui/desktop.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windows.h"

namespace sms {

namespace {

const char* const kNoNumbersText = "发送手机号不能为空";
const char* const kNoContentText = "发送内容不能为空";
const char* const kBadTimeText = "定时发送时间非法";
const char* const kQueuedText = "信息已发送到短讯列队！";
const char* const kNotQueuedText = "信息未能发送到短讯列队！";
const char* const kTooLittleToSearchText = "查询条件不足";
const char* const kNoteText =
    "注：在左边客户的记录上双击，客户的手机号会自动提到右边的手机号里，群发时，手机号之间用 ; 分隔，"
    "内容汉字不超过50字，英文不超过110字。";
const char* const kGridTip = "双击记录把手机号加入右边的手机柩中";
const char* const kCountCaption = "字数：";

// The content box takes at most this many characters.
constexpr int kContentLimit = 140;
// The note's font size.
constexpr double kNotePoints = 8.25;
// The schedule box's font size: a time with two-digit month, day and hour is
// read whole in the box's design width (12 points here runs past it).
constexpr double kSchedulePoints = 9;
// "定时发送" proposes now plus this many minutes.
constexpr int kScheduleLeadMinutes = 10;
// The grid column that ">>" and the double-click take: the mobile number.
constexpr int kMobileColumn = 2;

// The grid's columns; column 0, the hidden key, shows the customer id.
const std::vector<ui::GridColumn>& gridColumns()
{
    static const std::vector<ui::GridColumn> columns{
        {QStringLiteral("id"), 0, QStringLiteral("id")},
        {QStringLiteral("客户名称"), 2000, QStringLiteral("company_name")},
        {QStringLiteral("手机"), 1200, QStringLiteral("company_mobil")},
        {QStringLiteral("联系人"), 1000, QStringLiteral("company_connect")},
        {QStringLiteral("客户编号"), 1000, QStringLiteral("company_dute")},
        {QStringLiteral("电话"), 1500, QStringLiteral("company_tel")},
        {QStringLiteral("传真"), 1500, QStringLiteral("company_fax")},
        {QStringLiteral("邮箱"), 1500, QStringLiteral("company_mail")},
        {QStringLiteral("客户地址"), 2000, QStringLiteral("company_address")},
        {QStringLiteral("网址"), 1500, QStringLiteral("company_http")},
        {QStringLiteral("VIP卡"), 1000, QStringLiteral("company_postcode")},
        {QStringLiteral("创建时间"), 1000, QStringLiteral("company_createtime")},
        {QStringLiteral("积分"), 1000, QStringLiteral("company_area")},
        {QStringLiteral("客户分类"), 1000, QStringLiteral("company_client_type")},
        {QStringLiteral("客户来源"), 1000, QStringLiteral("company_clientsource")},
        {QStringLiteral("所属行业"), 1000, QStringLiteral("company_industry")},
        {QStringLiteral("客户状态"), 1000, QStringLiteral("company_client_status")},
        {QStringLiteral("简介"), 3000, QStringLiteral("company_description")},
        {QStringLiteral("开户银行"), 1500, QStringLiteral("company_khyh")},
        {QStringLiteral("银行帐号"), 1500, QStringLiteral("company_yhzh")},
        {QStringLiteral("操作者"), 800, QStringLiteral("KH_CZZ")},
    };
    return columns;
}

struct SearchField {
    const char* caption;
    const char* column;
};

// The search fields: the first 19 are listed in Combo1, the custom fields are
// recognised when typed.
constexpr SearchField kSearchFields[] = {
    {"客户名称", "company_name"},         {"联系人", "company_connect"},
    {"客户编号", "company_dute"},         {"客户地址", "company_address"},
    {"电话", "company_tel"},              {"传真", "company_fax"},
    {"手机", "company_mobil"},            {"email", "company_mail"},
    {"http", "company_http"},             {"客户分类", "company_client_type"},
    {"客户行业", "company_industry"},     {"客户状态", "company_client_status"},
    {"客户来源", "company_clientsource"}, {"开户银行", "company_khyh"},
    {"银行帐号", "company_yhzh"},         {"积分", "company_area"},
    {"创建时间", "company_createtime"},   {"客户描述", "company_description"},
    {"操作者", "KH_CZZ"},
    {"自定义字段1", "company_field1"},    {"自定义字段2", "company_field2"},
    {"自定义字段3", "company_field3"},    {"自定义字段4", "company_field4"},
};
constexpr int kListedSearchFields = 19;

// The column of a search caption, compared exactly; empty for any other text,
// which makes the query fail.
QString columnOf(const QString& caption)
{
    for (const SearchField& field : kSearchFields)
        if (caption == QString::fromUtf8(field.caption)) return QString::fromLatin1(field.column);
    return QString();
}

// " and <column> like '%text%'": the search text as typed, quoted.
QString searchCondition(const QString& caption, const QString& text)
{
    return QStringLiteral(" and ") + columnOf(caption) + QStringLiteral(" like ") + sqltext::containing(text);
}

QFont fontOf(const char* family, double points)
{
    QFont font(QString::fromUtf8(family));
    font.setPointSizeF(points);
    return font;
}

} // namespace

SMSsend::SMSsend() : ui::Form(QStringLiteral("SMSsend"))
{
    setCaption(QStringLiteral("发送短讯"));
    setSizeTwips(10290, 8250);

    Combo1 = addComboBox(QStringLiteral("Combo1"), ui::ComboBox::Editable, 240, 240, 1335, 300);
    Text4 = addTextBox(QStringLiteral("Text4"), 2160, 240, 1095, 375);
    auto* command5 = addPictureButton(QStringLiteral("command5"), ui::programPath(QStringLiteral("bmp/findsmall.bmp")),
                                      3480, 240, 360, 360);
    DataGrid1 = addDataGrid(QStringLiteral("DataGrid1"), 120, 720, 4815, 6855);
    DataGrid1->setAllowUpdate(false);
    DataGrid1->setToolTipText(QString::fromUtf8(kGridTip));
    DataGrid1->setFont(fontOf("MS Sans Serif", 8.25));
    auto* command4 = addCommandButton(QStringLiteral("Command4"), QStringLiteral(">>"), 5040, 1080, 735, 375);
    Check1 = addCheckBox(QStringLiteral("Check1"), QStringLiteral("全选"), 5040, 1800, 735, 255);

    addLabel(QStringLiteral("Label1"), QStringLiteral("手机号："), 5880, 240, 1095, 255);
    text1 = addTextArea(QStringLiteral("text1"), 5880, 480, 4095, 2295);
    text1->setFont(fontOf("MS Sans Serif", 12));
    text1->setBreakAnywhere();
    // The note's three lines at 9 points stand taller here than the box the
    // content caption ends; a step smaller they are read whole.
    addLabel(QStringLiteral("Label4"), QString::fromUtf8(kNoteText), 5880, 2880, 4215, 615)
        ->setFont(fontOf("宋体", kNotePoints));
    addLabel(QStringLiteral("Label2"), QStringLiteral("发送内容"), 5880, 3480, 855, 375);
    Label3 = addLabel(QStringLiteral("Label3"), QString::fromUtf8(kCountCaption), 8280, 3480, 1815, 255);
    text2 = addTextArea(QStringLiteral("text2"), 5880, 3840, 4095, 1335);
    text2->setFont(fontOf("宋体", 10.5));
    text2->setMaxLength(kContentLimit);
    for (ui::TextArea* box : {text1, text2}) box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto* frame1 = addFrame(QStringLiteral("Frame1"), QStringLiteral("发送选项"), 5880, 5400, 4215, 1695);
    Option1 = addOptionButton(QStringLiteral("Option1"), QStringLiteral("立即发送"), 240, 480, 1095, 255, frame1);
    Option2 = addOptionButton(QStringLiteral("Option2"), QStringLiteral("定时发送"), 240, 1200, 1095, 255, frame1);
    Text3 = addTextBox(QStringLiteral("Text3"), 1320, 1080, 2295, 375, frame1);
    Text3->setFont(fontOf("MS Sans Serif", kSchedulePoints));
    Option1->setValue(true);

    auto* command1 = addPictureButton(QStringLiteral("command1"), ui::programPath(QStringLiteral("bmp/send.bmp")),
                                      6360, 7200, 735, 330);
    auto* command3 = addPictureButton(QStringLiteral("command3"), ui::programPath(QStringLiteral("bmp/clear.bmp")),
                                      7560, 7200, 735, 330);
    auto* command2 = addPictureButton(QStringLiteral("command2"), ui::programPath(QStringLiteral("bmp/close.bmp")),
                                      8640, 7200, 735, 330);

    command5->onClick = [this] { command5_Click(); };
    Check1->onClick = [this] { Check1_Click(); };
    command4->onClick = [this] { Command4_Click(); };
    DataGrid1->onDblClick = [this] { DataGrid1_DblClick(); };
    Option1->onClick = [this] { Option1_Click(); };
    Option2->onClick = [this] { Option2_Click(); };
    text2->onChange = [this] { text2_Change(); };
    command1->onClick = [this] { command1_Click(); };
    command3->onClick = [this] { command3_Click(); };
    command2->onClick = [this] { command2_Click(); };
}

void SMSsend::Form_Load()
{
    Text3->setVisible(false);
    Combo1->clear();
    Combo1->setText(QString());
    for (int i = 0; i < kListedSearchFields; ++i) Combo1->addItem(QString::fromUtf8(kSearchFields[i].caption));
    CompanyList();
}

void SMSsend::Form_Paint()
{
    skin::paint(this);
}

void SMSsend::CompanyList()
{
    DataGridFresh(gridbinding::selectList(gridColumns()) + recordscope::customerClause());
}

void SMSsend::DataGridFresh(const QString& sqlstr)
{
    gridbinding::Options options;
    options.emptyColumnAt = -2;
    options.reportFailure = true;
    gridbinding::bind(DataGrid1, sqlstr, gridColumns(), options);
}

int SMSsend::CheckStringLength(const QString& txt) const
{
    return ::CheckStringLength(txt);
}

// The search takes the field caption as shown and the text as typed, untrimmed.
void SMSsend::command5_Click()
{
    if (Combo1->text().isEmpty() || db::trimBlanks(Text4->text()).isEmpty()) {
        ui::msgBox(QString::fromUtf8(kTooLittleToSearchText));
        return;
    }
    DataGridFresh(gridbinding::selectList(gridColumns()) + recordscope::customerFilterClause()
                  + searchCondition(Combo1->text(), Text4->text()) + QStringLiteral(" order by id desc"));
}

// Appends the mobile number of every customer that the scope and the search
// boxes select now (not the rows the grid shows), each followed by ";".
void SMSsend::Check1_Click()
{
    if (Check1->value() != 1) return;
    QString sql = QStringLiteral("select company_mobil") + recordscope::customerFilterClause();
    if (!Combo1->text().isEmpty() && !db::trimBlanks(Text4->text()).isEmpty())
        sql += searchCondition(Combo1->text(), Text4->text());
    QString numbers;
    // Numbers that cannot be read are not added, not even those read before the failure.
    const bool read = database::read([&] {
        auto rows = database::query(sql, db::LockType::Optimistic);
        for (; !rows->eof(); rows->moveNext()) {
            const QString mobile = rows->field(0).toText();
            if (!db::trimBlanks(mobile).isEmpty()) numbers += mobile + QLatin1Char(';');
        }
    });
    if (read && !numbers.isEmpty()) text1->setText(text1->text() + numbers);
}

// Appends the current row's mobile number, after ";" unless the box is blank
// or ends with ",".
void SMSsend::Command4_Click()
{
    const int row = DataGrid1->currentRow();
    if (row < 0) return;
    const QString mobile = DataGrid1->cellText(row, kMobileColumn);
    if (mobile.isEmpty()) return;
    const QString held = db::trimBlanks(text1->text());
    if (held.isEmpty() || held.endsWith(QLatin1Char(',')))
        text1->setText(text1->text() + mobile);
    else
        text1->setText(text1->text() + QLatin1Char(';') + mobile);
}

void SMSsend::DataGrid1_DblClick()
{
    Command4_Click();
}

void SMSsend::Option1_Click()
{
    if (!Option1->value()) return;
    Option2->setValue(false);
    Text3->setVisible(false);
}

// Every choice of timed sending proposes a fresh time, replacing what was typed.
void SMSsend::Option2_Click()
{
    Option1->setValue(false);
    if (!Option2->value()) return;
    Text3->setEnabled(true);
    Text3->setVisible(true);
    Text3->setText(db::locale::generalDate(db::locale::now().addSecs(kScheduleLeadMinutes * 60)));
}

void SMSsend::text2_Change()
{
    Label3->setCaption(QString::fromUtf8(kCountCaption) + QString::number(CheckStringLength(text2->text())));
}

// Queues the message as one outbox row; every box keeps its text, so the
// message can be queued again or changed for other numbers.
void SMSsend::command1_Click()
{
    if (db::trimBlanks(text1->text()).isEmpty()) {
        ui::msgBox(QString::fromUtf8(kNoNumbersText));
        return;
    }
    if (db::trimBlanks(text2->text()).isEmpty()) {
        ui::msgBox(QString::fromUtf8(kNoContentText));
        return;
    }
    smsoutbox::Message message;
    if (Option2->value()) {
        // A date, a date with a time, or a time alone, which means today.
        message.sendAt = db::locale::parseDate(Text3->text());
        if (!message.sendAt)
            if (const std::optional<QTime> time = db::locale::parseTime(Text3->text()))
                message.sendAt = QDateTime(db::locale::now().date(), *time);
        if (!message.sendAt) {
            ui::msgBox(QString::fromUtf8(kBadTimeText));
            return;
        }
    }
    message.numbers = db::trimBlanks(text1->text()).replace(QStringLiteral("，"), QStringLiteral(","));
    message.content = text2->text();
    if (smsoutbox::queue(message))
        ui::msgBox(QString::fromUtf8(kQueuedText));
    else
        ui::msgBox(QString::fromUtf8(kNotQueuedText));
}

void SMSsend::command3_Click()
{
    text1->setText(QString());
    text2->setText(QString());
}

void SMSsend::command2_Click()
{
    ui::Windows::unload(this);
}

} // namespace sms
