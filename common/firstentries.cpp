#include "common/firstentries.h"

#include "common/sqltext.h"

namespace firstentries {
namespace {

struct List {
    const char* table;                       // its text column is named like the table
    std::initializer_list<const char*> entries;
};

const List kLists[] = {
    {"servertype", {"咨询", "售后维修", "投诉", "退换货"}},
    {"regarding", {"电话联系", "上门拜访", "发送资料", "会议"}},
    {"programstate", {"初步接触", "需求确认", "方案报价", "商务谈判", "成交"}},
    {"invoice", {"普通发票", "增值税专用发票"}},
    {"moneytype", {"人民币", "美元", "港币", "台币", "欧元"}},
    {"client_type", {"普通客户", "重要客户", "批发客户"}},
    {"clientsource", {"电话咨询", "朋友介绍", "网络", "广告"}},
    {"industry", {"个人", "商业零售", "制造业", "服务业"}},
};

} // namespace

QStringList statements()
{
    QStringList inserts;
    for (const List& list : kLists) {
        const QString table = QString::fromLatin1(list.table);
        for (const char* entry : list.entries)
            inserts << QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (") + table
                           + QStringLiteral(") VALUES (") + sqltext::quoted(QString::fromUtf8(entry))
                           + QLatin1Char(')');
    }
    return inserts;
}

} // namespace firstentries
