#include "customers/relatedtabs.h"

#include "common/gridbinding.h"
#include "common/sqltext.h"

namespace relatedtabs {

namespace {

// What a tab of a customer's own records reads after its columns' fields,
// the customer's id coming between the two texts.
struct TabSource {
    const char* fromWhere;
    const char* order;
};

const TabSource kSources[] = {
    {" from KH_ACT where companyid = ", " order by id desc"},
    {" from KH_LXR where companyid = ", "  order by id desc"},
    {" from chance where companyid = ", "  order by id desc"},
    {" from sales where companyid = ", "  order by id desc"},
    {" from SalesMX where companyid = ", "  order by id desc"},
    {" from service where companyid = ", "  order by id desc"},
};

ui::GridColumn column(const char* caption, double width, const char* field)
{
    return {QString::fromUtf8(caption), width, QString::fromLatin1(field)};
}

std::vector<TabInfo> makeTabs()
{
    const ui::GridColumn key = column("id", 0, "id");
    return {
        {QStringLiteral("相关交往"),
         {key, column("活动时间", 1000, "BeginTime"), column("活动概述", 2000, "ActionTitle"),
          column("活动类型", 1000, "ActionType"), column("联系人", 1000, "Action_Connect"),
          column("细节", 3000, "Action_Discription")}},
        {QStringLiteral("相关联系人"),
         {key, column("姓名", 800, "Connect_name"), column("客户编号", 1000, "Connect_dute"),
          column("电话", 1500, "tel"), column("手机", 1500, "mobil"), column("Email", 2000, "email")}},
        {QStringLiteral("销售报价"),
         {key, column("创建时间", 1000, "createtime"), column("机会概述", 2000, "chance_title"),
          column("成功概率", 500, "chance_percent"), column("总金额", 1000, "totalmoney"),
          column("状态", 1000, "chance_status"), column("细节", 2000, "description")}},
        {QStringLiteral("销售记录"),
         {key, column("销售时间", 1000, "salesdate"), column("合同号", 1000, "orderno"),
          column("销售概述", 2000, "sales_title"), column("总金额", 1000, "totlemoney"),
          column("已收金额", 1000, "receivemoney"), column("细节", 3000, "description")},
         4},
        {QStringLiteral("销售明细"),
         {key, column("销售日期", 1000, "salesdate"), column("产品", 2000, "productname"),
          column("单价", 1000, "price"), column("数量", 1000, "num"), column("折扣", 1000, "zk"),
          column("小计", 1000, "unitprice")},
         6},
        {QStringLiteral("相关服务"),
         {key, column("反馈时间", 1000, "service_Begintime"), column("服务概述", 2000, "service_title"),
          column("服务类型", 1000, "service_type"), column("结束服务", 1000, "service_end"),
          column("结束时间", 3000, "service_endtime"), column("细节", 3000, "description")}},
        {QStringLiteral("来电记录"),
         {key, column("来电时间", 2000, "DateTime"), column("来电号码", 1500, "CallerID"),
          column("对方姓名", 800, "UserNO"), column("来电内容", 3000, "Contant"),
          column("录音文件", 1500, "WavFile")}},
    };
}

} // namespace

const TabInfo& info(int tab)
{
    static const std::vector<TabInfo> tabs = makeTabs();
    return tabs.at(static_cast<size_t>(tab));
}

QString query(int tab, std::int32_t customerId, const QString& contactNumbers)
{
    if (tab == Calls) {
        // A call is listed when its number occurs in the list of the contacts'
        // numbers; without any contact number there is nothing to match.
        const QString match = contactNumbers.isEmpty()
            ? QStringLiteral("1=0")
            : QStringLiteral("instr(") + sqltext::quoted(contactNumbers) + QStringLiteral(",CallerID)");
        return QStringLiteral("select ID,DateTime,CallerID,UserNO,Contant,WavFile from Hv_Cidlist where ") + match
            + QStringLiteral(" order by id desc");
    }
    const TabSource& source = kSources[tab];
    return gridbinding::selectList(info(tab).columns) + QString::fromLatin1(source.fromWhere)
        + QString::number(customerId) + QString::fromLatin1(source.order);
}

QString contactsQuery(std::int32_t customerId)
{
    return QStringLiteral("select * from KH_LXR where companyid = ") + QString::number(customerId);
}

QString callNumbers(db::Recordset& contacts)
{
    QString numbers;
    for (; !contacts.eof(); contacts.moveNext()) {
        for (const char* column : {"tel", "fax", "mobil", "hometel"}) {
            const QString number = contacts.field(QString::fromLatin1(column)).toText();
            if (!number.isEmpty()) numbers += number + QLatin1Char('*');
        }
    }
    return numbers;
}

} // namespace relatedtabs
