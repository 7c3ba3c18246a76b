// Quick search: narrows the current view's list to the records whose chosen
// column meets one condition, within the operator's record scope.
#include "mainwin/frmmain.h"

#include "common/database.h"
#include "common/mymode.h"
#include "common/recordscope.h"
#include "common/sqltext.h"
#include "platform/db/locale.h"
#include "platform/db/variant.h"
#include "platform/ui/msgbox.h"

#include <optional>
#include <span>

namespace mainwin {
namespace {

enum class Kind { Text, Date, Amount };

struct SearchField {
    const char* caption;
    const char* column;   // as the condition writes it
    Kind kind;
};

constexpr SearchField kCustomerFields[] = {
    {"客户名称", "company_name", Kind::Text},
    {"客户地址", "company_address", Kind::Text},
    {"联系人", "company_connect", Kind::Text},
    {"电话", "company_tel", Kind::Text},
    {"传真", "company_fax", Kind::Text},
    {"手机", "company_mobil", Kind::Text},
    {"email", "company_mail", Kind::Text},
    {"http", "company_http", Kind::Text},
    {"积分", "company_area", Kind::Text},
    {"客户分类", "company_client_type", Kind::Text},
    {"客户行业", "company_industry", Kind::Text},
    {"客户来源", "company_clientsource", Kind::Text},
    {"客户状态", "company_client_status", Kind::Text},
    {"客户描述", "company_description", Kind::Text},
    {"创建时间", "company_createtime", Kind::Date},
    {"客户编号", "company_dute", Kind::Text},
    {"开户银行", "company_khyh", Kind::Text},
    {"银行帐号", "company_yhzh", Kind::Text},
    {"自定义字段1", "company_field1", Kind::Text},
    {"自定义字段2", "company_field2", Kind::Text},
    {"自定义字段3", "company_field3", Kind::Text},
    {"自定义字段4", "company_field4", Kind::Text},
    {"操作者", "KH_CZZ", Kind::Text},
};

constexpr SearchField kContactFields[] = {
    {"姓名", "b.Connect_name", Kind::Text},
    {"单位", "company_name", Kind::Text},
    {"客户编号", "b.Connect_dute", Kind::Text},
    {"地址", "b.address", Kind::Text},
    {"电话", "b.tel", Kind::Text},
    {"传真", "b.fax", Kind::Text},
    {"手机", "b.mobil", Kind::Text},
    {"email", "b.email", Kind::Text},
    {"家庭电话", "b.hometel", Kind::Text},
    {"VIP卡", "b.postcode", Kind::Text},
    {"爱好", "b.ah", Kind::Text},
    {"自定义字段1", "b.field1", Kind::Text},
    {"自定义字段2", "b.field2", Kind::Text},
    {"自定义字段3", "b.field3", Kind::Text},
    {"自定义字段4", "b.field4", Kind::Text},
    {"操作者", "b.LXR_CZZ", Kind::Text},
    {"描述", "b.description", Kind::Text},
};

constexpr SearchField kActivityFields[] = {
    {"活动概述", "b.ActionTitle", Kind::Text},
    {"相关客户", "a.company_name", Kind::Text},
    {"联系人", "b.Action_Connect", Kind::Text},
    {"活动类型", "b.ActionType", Kind::Text},
    {"开始时间", "b.BeginTime", Kind::Date},
    {"结束时间", "b.EndTime", Kind::Date},
    {"优先级", "b.action_Class", Kind::Text},
    {"自定义字段1", "b.field1", Kind::Text},
    {"自定义字段2", "b.field2", Kind::Text},
    {"自定义字段3", "b.field3", Kind::Text},
    {"自定义字段4", "b.field4", Kind::Text},
    {"操作者", "b.action_CZZ", Kind::Text},
    {"活动细节", "b.Action_Discription", Kind::Text},
};

constexpr SearchField kOpportunityFields[] = {
    {"概述", "b.chance_title", Kind::Text},
    {"报价单号", "b.Chance_No", Kind::Text},
    {"相关客户", "a.company_name", Kind::Text},
    {"联系人", "b.chance_connect", Kind::Text},
    {"成功概率", "b.chance_percent", Kind::Text},
    {"流程状态", "b.chance_status", Kind::Text},
    {"竞争对手", "b.competiter", Kind::Text},
    {"总金额", "b.totalmoney", Kind::Amount},
    {"预售日期", "b.salesdate", Kind::Date},
    {"是否结束", "b.over", Kind::Text},
    {"机会内容", "b.description", Kind::Text},
    {"自定义字段1", "b.field1", Kind::Text},
    {"自定义字段2", "b.field2", Kind::Text},
    {"自定义字段3", "b.field3", Kind::Text},
    {"自定义字段4", "b.field4", Kind::Text},
    {"操作者", "b.chance_CZZ", Kind::Text},
};

constexpr SearchField kSalesOrderFields[] = {
    {"销售概述", "b.sales_title", Kind::Text},
    {"相关客户", "a.company_name", Kind::Text},
    {"相关联系人", "b.sales_connect", Kind::Text},
    {"合同号", "b.orderno", Kind::Text},
    {"发票类型", "b.invoicetype", Kind::Text},
    {"订单金额", "b.totlemoney", Kind::Amount},
    {"销售日期", "b.salesdate", Kind::Date},
    {"合同内容", "b.description", Kind::Text},
    {"自定义字段1", "b.field1", Kind::Text},
    {"自定义字段2", "b.field2", Kind::Text},
    {"自定义字段3", "b.field3", Kind::Text},
    {"自定义字段4", "b.field4", Kind::Text},
    {"操作者", "b.sal_CZZ", Kind::Text},
};

constexpr SearchField kServiceFields[] = {
    {"服务概述", "b.service_title", Kind::Text},
    {"相关客户", "a.company_name", Kind::Text},
    {"相关联系人", "b.service_connect", Kind::Text},
    {"相关产品", "b.service_product", Kind::Text},
    {"服务类型", "b.service_type", Kind::Text},
    {"反馈日期", "b.service_Begintime", Kind::Date},
    {"是否完成", "b.service_end", Kind::Text},
    {"完成日期", "b.service_endtime", Kind::Date},
    {"反馈内容", "b.description", Kind::Text},
    {"自定义字段1", "b.field1", Kind::Text},
    {"自定义字段2", "b.field2", Kind::Text},
    {"自定义字段3", "b.field3", Kind::Text},
    {"自定义字段4", "b.field4", Kind::Text},
    {"操作者", "b.service_CZZ", Kind::Text},
};

std::span<const SearchField> fieldsOf(View view)
{
    switch (view) {
    case View::Customers: return kCustomerFields;
    case View::Contacts: return kContactFields;
    case View::Activities: return kActivityFields;
    case View::Opportunities: return kOpportunityFields;
    case View::SalesOrders: return kSalesOrderFields;
    case View::ServiceRecords: return kServiceFields;
    }
    return {};
}

// Captions are compared exactly, letter case included.
std::optional<SearchField> fieldOf(View view, const QString& caption)
{
    for (const SearchField& field : fieldsOf(view))
        if (caption == QString::fromUtf8(field.caption)) return field;
    return std::nullopt;
}

QString sqlOperator(const QString& caption)
{
    static const char* const table[][2] = {
        {"包含", "like"}, {"不包含", "not like"}, {"等于", "="}, {"不等于", "<>"},
        {"从...开始", ">="}, {"以...结束", "<="},
    };
    for (const auto& row : table)
        if (caption == QString::fromUtf8(row[0])) return QString::fromLatin1(row[1]);
    return QString();
}

bool isPattern(const QString& op)
{
    return op == QLatin1String("like") || op == QLatin1String("not like");
}

// A text column is compared with the value itself; only the two pattern
// operators look for the value anywhere in the text.
QString textCondition(const QString& column, const QString& op, const QString& value)
{
    return QStringLiteral(" and ") + column + QLatin1Char(' ') + op + QLatin1Char(' ')
        + (isPattern(op) ? sqltext::containing(value) : sqltext::quoted(value));
}

// The value is known to be a date. A sale date "equal" to a day covers the
// whole day, whatever the time of the sale.
QString dateCondition(View view, const QString& column, const QString& op, const QString& value)
{
    if (view == View::SalesOrders && op == QLatin1String("=")) {
        const QDateTime nextDay = db::locale::parseDate(value)->addDays(1);
        QString range = QStringLiteral(" and b.salesdate >= #") + value + QLatin1Char('#');
        // The last calendar day has no next day: its range is open-ended.
        if (nextDay.isValid() && nextDay.date().year() <= 9999)
            range += QStringLiteral(" and b.salesdate < # ") + db::locale::generalDate(nextDay) + QLatin1Char('#');
        return range;
    }
    return QStringLiteral(" and ") + column + QLatin1Char(' ') + op + QStringLiteral(" #") + value
        + QLatin1Char('#');
}

// The stored amount is compared as a number, whatever its size. A pattern
// without wildcards matches the equal amount only.
QString amountCondition(const QString& column, const QString& op, db::Currency amount)
{
    QString comparison = op;
    if (op == QLatin1String("like")) comparison = QStringLiteral("=");
    if (op == QLatin1String("not like")) comparison = QStringLiteral("<>");
    const QString number = amount.toString();
    return QStringLiteral(" and ") + column + QLatin1Char(' ') + comparison + QLatin1Char(' ') + number;
}

// No SQL text can hold a NUL character: the statement would end there.
const char* const kNulText = "查询内容含有空字符，无法查询";

} // namespace

void FrmMain::command2_Click()
{
    const QString fieldCaption = ComboSearch->text();
    const QString op = sqlOperator(Combo2->text());
    const QString value = db::trimBlanks(text1->text());
    if (value.isEmpty() || fieldCaption.isEmpty()) {
        ui::msgBox(QStringLiteral("查询条件不足！"));
        return;
    }
    const std::optional<View> view = currentView();
    if (!view) return;
    // Without an operator, or with a caption the view has no column for,
    // there is no condition to search by.
    const std::optional<SearchField> field = fieldOf(*view, fieldCaption);
    if (op.isEmpty() || !field) {
        ui::msgBox(QStringLiteral("查询条件不足！"));
        return;
    }
    if (value.contains(QChar(0))) {
        ui::msgBox(QString::fromUtf8(kNulText));
        return;
    }

    const ViewInfo& info = viewInfo(*view);
    QString sql = selectList(*view)
        + (info.related ? recordscope::joinedFilterClause(*info.related) : recordscope::customerFilterClause());
    const QString column = QString::fromLatin1(field->column);
    switch (field->kind) {
    case Kind::Text:
        sql += textCondition(column, op, value);
        break;
    case Kind::Date:
        // A value that is no date gets a message and the whole list.
        if (db::isDate(value))
            sql += dateCondition(*view, column, op, value);
        else
            ui::msgBox(QStringLiteral("请填入正确的日期格式"));
        break;
    case Kind::Amount: {
        // A number no amount can hold (1e30) is refused like any non-number.
        std::optional<db::Currency> amount;
        if (db::isNumeric(value)) database::guarded([&] { amount = db::Variant(value).toCurrency(); });
        if (!amount) {
            ui::msgBox(QStringLiteral("金额不是一个数值"));
            return;
        }
        sql += amountCondition(column, op, *amount);
        break;
    }
    }
    sql += info.related ? QStringLiteral(" order by b.id desc") : QStringLiteral(" order by id desc");

    // A search that cannot be read leaves the list it searched, and CustListSql.
    if (bindList(*view, sql) && *view == View::Customers) Mymode::CustListSql = sql;
}

// Enter in the value box runs the search.
void FrmMain::text1_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 13) command2_Click();
}

} // namespace mainwin
