#include "common/relatedlists.h"

#include "common/recordscope.h"

namespace relatedlists {

const QStringList& activityItems()
{
    static const QStringList items{
        QStringLiteral("b.id"),           QStringLiteral("b.BeginTime"),     QStringLiteral("b.ActionTitle"),
        QStringLiteral("a.company_name"), QStringLiteral("b.ActionType"),    QStringLiteral("b.Action_Connect"),
        QStringLiteral("b.Action_Discription"), QStringLiteral("b.action_Class"), QStringLiteral("b.EndTime"),
        QStringLiteral("b.field1"),       QStringLiteral("b.field2"),        QStringLiteral("b.field3"),
        QStringLiteral("b.field4"),       QStringLiteral("b.action_CZZ")};
    return items;
}

const QStringList& serviceItems()
{
    static const QStringList items{
        QStringLiteral("b.id"),              QStringLiteral("b.service_Begintime"), QStringLiteral("b.service_title"),
        QStringLiteral("a.company_name"),    QStringLiteral("b.service_connect"),   QStringLiteral("b.service_type"),
        QStringLiteral("b.service_product"), QStringLiteral("b.service_end"),       QStringLiteral("b.service_endtime"),
        QStringLiteral("b.description"),     QStringLiteral("b.field1"),            QStringLiteral("b.field2"),
        QStringLiteral("b.field3"),          QStringLiteral("b.field4"),            QStringLiteral("b.service_CZZ")};
    return items;
}

QString activityList()
{
    return QStringLiteral("select ") + activityItems().join(QLatin1Char(','))
        + recordscope::joinedClause(recordscope::Related::Activities);
}

QString serviceList()
{
    return QStringLiteral("select ") + serviceItems().join(QLatin1Char(','))
        + recordscope::joinedClause(recordscope::Related::ServiceRecords);
}

} // namespace relatedlists
