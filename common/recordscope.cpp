#include "common/recordscope.h"

#include "common/mymode.h"
#include "common/sqltext.h"

namespace recordscope {
namespace {

const QString kAll = QStringLiteral("Uright=1;");
const QString kOwnAndPublic = QStringLiteral("Uright=2;");
const QString kOwn = QStringLiteral("Uright=3;");

// The operator name as an SQL text value.
QString me()
{
    return sqltext::quoted(Mymode::OperatorName);
}

// The table, owner and public words of a related table as the clauses write them.
struct Words {
    QString table;
    QString owner;
    QString isPublic;
};

Words wordsOf(Related table)
{
    switch (table) {
    case Related::Contacts:
        return {QStringLiteral("KH_LXR"), QStringLiteral("LXR_CZZ"), QStringLiteral("LXR_GK")};
    case Related::Activities:
        return {QStringLiteral("KH_ACT"), QStringLiteral("action_CZZ"), QStringLiteral("public")};
    case Related::Opportunities:
        return {QStringLiteral("Chance"), QStringLiteral("Chance_CZZ"), QStringLiteral("Chance_GK")};
    case Related::SalesOrders:
        return {QStringLiteral("Sales"), QStringLiteral("Sal_CZZ"), QStringLiteral("Sal_GK")};
    case Related::ServiceRecords:
        return {QStringLiteral("Service"), QStringLiteral("service_CZZ"), QStringLiteral("service_GK")};
    }
    return {};
}

// The joined clause without its ordering; each scope the rights string holds
// appends its part, so a rights string without a scope yields no table part
// and the query fails instead of showing records the operator may not see.
QString joinedUnordered(Related table)
{
    const Words w = wordsOf(table);
    const QString from = QStringLiteral(" from company a,") + w.table + QStringLiteral(" b where ");
    QString clause;
    if (Mymode::hasRight(kAll))
        clause += from + QStringLiteral("a.id=b.companyid");
    if (Mymode::hasRight(kOwnAndPublic))
        clause += from + QStringLiteral("(b.") + w.owner + QLatin1Char('=') + me() + QStringLiteral(" or b.")
            + w.isPublic + QStringLiteral("='1') and  a.id=b.companyid");
    if (Mymode::hasRight(kOwn))
        clause += from + QStringLiteral("b.") + w.owner + QLatin1Char('=') + me()
            + QStringLiteral(" and a.id=b.companyid");
    return clause;
}

// The customer table part of each scope the rights string holds, each ending
// in a blank and `ending`.
QString customerScoped(const QString& ending)
{
    QString clause;
    if (Mymode::hasRight(kAll))
        clause += QStringLiteral(" from company ") + ending;
    if (Mymode::hasRight(kOwnAndPublic))
        clause += QStringLiteral(" from company where KH_CZZ=") + me() + QStringLiteral(" or KH_GK='1' ") + ending;
    if (Mymode::hasRight(kOwn))
        clause += QStringLiteral(" from company where KH_CZZ=") + me() + QStringLiteral(" ") + ending;
    return clause;
}

} // namespace

QString customerSelectList()
{
    return QStringLiteral(
        "select id,company_name,company_address,company_connect,company_dute,company_tel,company_fax,company_mail,"
        "company_mobil,company_http,company_postcode,company_createtime,company_area,company_client_type,"
        "company_clientsource,company_industry,company_client_status,company_description,company_khyh,company_yhzh,"
        "company_YJ,company_QK,company_ZJE,company_ZSL,KH_CZZ");
}

QString customerClause()
{
    return customerScoped(QStringLiteral("order by id desc"));
}

QString customerUnorderedClause()
{
    return customerScoped(QString());
}

QString customerFilterClause()
{
    QString clause;
    if (Mymode::hasRight(kAll))
        clause += QStringLiteral(" from company where 1=1");
    if (Mymode::hasRight(kOwnAndPublic))
        clause += QStringLiteral(" from company where (KH_CZZ=") + me() + QStringLiteral(" or KH_GK='1') ");
    if (Mymode::hasRight(kOwn))
        clause += QStringLiteral(" from company where KH_CZZ=") + me() + QStringLiteral(" ");
    return clause;
}

QString joinedClause(Related table)
{
    const QString unordered = joinedUnordered(table);
    return unordered.isEmpty() ? unordered : unordered + QStringLiteral(" order by b.id desc");
}

QString joinedFilterClause(Related table)
{
    return joinedUnordered(table);
}

QString customerCondition()
{
    if (Mymode::hasRight(kAll))
        return QString();
    if (Mymode::hasRight(kOwnAndPublic))
        return QStringLiteral("(KH_CZZ=") + me() + QStringLiteral(" or KH_GK='1')");
    if (Mymode::hasRight(kOwn))
        return QStringLiteral("KH_CZZ=") + me();
    return QStringLiteral("1=0");
}

QString joinedCondition(Related table)
{
    const Words w = wordsOf(table);
    if (Mymode::hasRight(kAll))
        return QString();
    if (Mymode::hasRight(kOwnAndPublic))
        return QStringLiteral("(b.") + w.owner + QLatin1Char('=') + me() + QStringLiteral(" or b.") + w.isPublic
            + QStringLiteral("='1')");
    if (Mymode::hasRight(kOwn))
        return QStringLiteral("b.") + w.owner + QLatin1Char('=') + me();
    return QStringLiteral("1=0");
}

} // namespace recordscope
