#include "mainwin/views.h"

#include "common/relatedlists.h"

#include <array>

namespace mainwin {
namespace {

using recordscope::Related;

struct Column {
    const char* item;      // the select item, with its table alias where the query joins
    const char* caption;
    double width;          // twips
};

struct Heading {
    const char* caption;
    double width;          // twips
};

// The grid field of a select item is the column name without its table alias.
ui::GridColumn gridColumn(const QString& item, const Heading& heading)
{
    const QString field = item.mid(item.indexOf(QLatin1Char('.')) + 1);
    return ui::GridColumn{QString::fromUtf8(heading.caption), heading.width, field};
}

ViewInfo makeView(View view, const char* key, const QStringList& items, const std::vector<Heading>& headings,
                  std::optional<Related> related, std::initializer_list<const char*> captions)
{
    ViewInfo info{view, QString::fromLatin1(key), items, {}, related, {}};
    for (int i = 0; i < items.size(); ++i) info.columns.push_back(gridColumn(items[i], headings[i]));
    for (const char* caption : captions) info.switchCaptions << QString::fromUtf8(caption);
    return info;
}

template <std::size_t N>
ViewInfo makeView(View view, const char* key, const std::array<Column, N>& columns,
                  std::optional<Related> related, std::initializer_list<const char*> captions)
{
    QStringList items;
    std::vector<Heading> headings;
    for (const Column& column : columns) {
        items << QString::fromUtf8(column.item);
        headings.push_back({column.caption, column.width});
    }
    return makeView(view, key, items, headings, related, captions);
}

// Select items held elsewhere, with their headings in the same order.
template <std::size_t N>
ViewInfo makeView(View view, const char* key, const QStringList& items, const std::array<Heading, N>& headings,
                  std::optional<Related> related, std::initializer_list<const char*> captions)
{
    return makeView(view, key, items, std::vector<Heading>(headings.begin(), headings.end()), related, captions);
}

constexpr std::array<Column, 25> kCustomerColumns{{
    {"id", "id", 0},
    {"company_name", "客户名称", 3000},
    {"company_address", "客户地址", 3000},
    {"company_connect", "联系人", 1000},
    {"company_dute", "客户编号", 1000},
    {"company_tel", "电话", 1500},
    {"company_fax", "传真", 1500},
    {"company_mail", "邮箱", 1500},
    {"company_mobil", "手机", 1200},
    {"company_http", "网址", 1500},
    {"company_postcode", "VIP卡", 1000},
    {"company_createtime", "创建时间", 1000},
    {"company_area", "积分", 1000},
    {"company_client_type", "客户分类", 1000},
    {"company_clientsource", "客户来源", 1000},
    {"company_industry", "所属行业", 1000},
    {"company_client_status", "客户状态", 1000},
    {"company_description", "简介", 3000},
    {"company_khyh", "开户银行", 1500},
    {"company_yhzh", "银行帐号", 1500},
    {"company_YJ", "押金", 1500},
    {"company_QK", "欠款", 1500},
    {"company_ZJE", "总金额", 1500},
    {"company_ZSL", "总数量", 1500},
    {"KH_CZZ", "操作者", 800},
}};

constexpr std::array<Column, 18> kContactColumns{{
    {"b.id", "id", 0},
    {"b.Connect_name", "姓名", 1000},
    {"b.Connect_dute", "客户编号", 1000},
    {"a.company_name", "单位名称", 3000},
    {"b.tel", "电话", 1000},
    {"b.fax", "传真", 1000},
    {"b.email", "Email", 2000},
    {"b.mobil", "手机", 1500},
    {"b.hometel", "家庭电话", 1200},
    {"b.ah", "爱好", 1500},
    {"b.address", "地址", 3000},
    {"b.description", "描述", 3000},
    {"b.postcode", "VIP卡", 3000},
    {"b.field1", "自定义字段1", 1500},
    {"b.field2", "自定义字段2", 1500},
    {"b.field3", "自定义字段3", 1500},
    {"b.field4", "自定义字段4", 1500},
    {"b.LXR_CZZ", "操作者", 800},
}};

// The activity and service lists' select items are the ones the new-record
// windows refresh with; these are their grid headings in the same order.
constexpr std::array<Heading, 14> kActivityHeadings{{
    {"id", 0},
    {"时间", 1000},
    {"活动概述", 3000},
    {"单位名称", 3000},
    {"活动类型", 1000},
    {"联系人", 1000},
    {"活动描述", 3000},
    {"状态", 1500},
    {"结速时间", 1200},
    {"自定义字段1", 1500},
    {"自定义字段2", 1500},
    {"自定义字段3", 1500},
    {"自定义字段4", 1500},
    {"操作者", 800},
}};

constexpr std::array<Column, 19> kOpportunityColumns{{
    {"b.id", "id", 0},
    {"b.createtime", "创建时间", 1000},
    {"b.Chance_No", "报价编号", 1000},
    {"b.chance_title", "机会概述", 1500},
    {"a.company_name", "单位名称", 3000},
    {"b.chance_connect", "联系人", 1000},
    {"b.chance_percent", "成功根率", 1000},
    {"b.totalmoney", "总金额", 1000},
    {"b.chance_status", "流程状态", 1500},
    {"b.description", "相关描述", 1500},
    {"b.competiter", "竞争对手", 1500},
    {"b.invoicetype", "发票", 1500},
    {"b.salesdate", "预售时间", 1500},
    {"b.over", "机会装态", 1000},
    {"b.field1", "自定义字段1", 1500},
    {"b.field2", "自定义字段2", 1500},
    {"b.field3", "自定义字段3", 1500},
    {"b.field4", "自定义字段4", 1500},
    {"b.chance_CZZ", "操作者", 1500},
}};

constexpr std::array<Column, 11> kSalesOrderColumns{{
    {"b.id", "id", 0},
    {"b.salesdate", "销售日期", 1500},
    {"b.orderno", "流水号", 1300},
    {"a.company_address", "客户地址", 2000},
    {"b.sales_connect", "联系人", 1000},
    {"b.totlemoney", "总金额", 1000},
    {"b.receivemoney", "收款金额", 1000},
    {"b.invoicetype", "发票", 1000},
    {"b.description", "备注", 1500},
    {"b.Createtime", "创建时间", 1000},
    {"b.sal_CZZ", "操作者", 800},
}};

constexpr std::array<Heading, 15> kServiceHeadings{{
    {"id", 0},
    {"反馈日期", 1000},
    {"服务概述", 1500},
    {"单位名称", 3000},
    {"反馈人", 1000},
    {"服务类型", 1000},
    {"相关产品", 1000},
    {"状态", 1000},
    {"结束时间", 1000},
    {"相关内容", 1000},
    {"自定义字段1", 1500},
    {"自定义字段2", 1500},
    {"自定义字段3", 1500},
    {"自定义字段4", 1500},
    {"操作者", 800},
}};

const std::array<ViewInfo, 6>& views()
{
    static const std::array<ViewInfo, 6> all{
        makeView(View::Customers, "CustList", kCustomerColumns, std::nullopt,
                 {"客户名称", "联系人", "客户编号", "客户地址", "电话", "传真", "手机", "email", "http",
                  "客户分类", "客户行业", "客户状态", "客户来源", "开户银行", "银行帐号", "积分", "创建时间",
                  "客户描述", "操作者"}),
        makeView(View::Contacts, "ConnectList", kContactColumns, Related::Contacts,
                 {"姓名", "客户编号", "单位", "地址", "电话", "传真", "手机", "email", "家庭电话", "VIP卡",
                  "爱好", "描述", "自定义字段1", "自定义字段2", "自定义字段3", "自定义字段4", "操作者"}),
        makeView(View::Activities, "ActionList", relatedlists::activityItems(), kActivityHeadings, Related::Activities,
                 {"活动概述", "相关客户", "联系人", "活动类型", "开始时间", "结束时间", "优先级", "活动细节",
                  "自定义字段1", "自定义字段2", "自定义字段3", "自定义字段4", "操作者"}),
        makeView(View::Opportunities, "ChanceList", kOpportunityColumns, Related::Opportunities,
                 {"概述", "相关客户", "联系人", "报价单号", "成功概率", "流程状态", "竞争对手", "总金额",
                  "预售日期", "是否结束", "机会内容", "自定义字段1", "自定义字段2", "自定义字段3",
                  "自定义字段4", "操作者"}),
        makeView(View::SalesOrders, "SalesList", kSalesOrderColumns, Related::SalesOrders,
                 {"销售概述", "相关客户", "相关联系人", "合同号", "发票类型", "订单金额", "销售日期", "合同内容",
                  "自定义字段1", "自定义字段2", "自定义字段3", "自定义字段4", "操作者"}),
        makeView(View::ServiceRecords, "ServiceList", relatedlists::serviceItems(), kServiceHeadings, Related::ServiceRecords,
                 {"服务概述", "相关客户", "相关联系人", "相关产品", "服务类型", "反馈日期", "是否完成",
                  "完成日期", "反馈内容", "自定义字段1", "自定义字段2", "自定义字段3", "自定义字段4",
                  "操作者"}),
    };
    return all;
}

} // namespace

const ViewInfo& viewInfo(View view)
{
    return views()[static_cast<std::size_t>(view)];
}

std::optional<View> viewOfKey(const QString& key)
{
    for (const ViewInfo& info : views())
        if (info.key == key) return info.view;
    return std::nullopt;
}

QString selectList(View view)
{
    // The customer list's select list is the one the new-customer window refreshes with.
    if (view == View::Customers) return recordscope::customerSelectList();
    return QStringLiteral("select ") + viewInfo(view).selectItems.join(QLatin1Char(','));
}

QString listQuery(View view)
{
    const ViewInfo& info = viewInfo(view);
    return selectList(view)
        + (info.related ? recordscope::joinedClause(*info.related) : recordscope::customerClause());
}

QString countText(View view, int rows)
{
    // The contact list counts without the leading words.
    const QString count = QString::number(rows) + QStringLiteral(" 条记录");
    return view == View::Contacts ? count : QStringLiteral("显示共 ") + count;
}

} // namespace mainwin
