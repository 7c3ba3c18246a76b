#include "reports/salesdetail.h"

#include "common/database.h"
#include "common/sqltext.h"
#include "reports/daterange.h"
#include "reports/fixedpoint.h"

namespace salesdetail {

namespace {

const char* const kListSelect =
    "select a.salesdate,c.orderno,b.company_name,a.productname,a.price,a.num,a.unitprice "
    "from SalesMX a,company b,sales c where b.ID=a.companyid and c.indexflag=a.indexflag";
const char* const kExportSelect =
    "select cstr(c.orderno),cstr(a.salesdate),b.company_name,a.productname,cstr(a.price),cstr(a.num),"
    "cstr(a.unitprice) from SalesMX a,company b,sales c where b.id=a.companyid and c.indexflag=a.indexflag";
const char* const kTotalCaption = "  总计:";

// The filters in their order; lines of one moment keep the order they were entered in, newest first.
QString conditions(const Filters& filters)
{
    QString sql = daterange::startCondition(QStringLiteral("a.salesdate"), filters.start)
        + daterange::endCondition(QStringLiteral("a.salesdate"), filters.end);
    if (!filters.product.isEmpty() && filters.product != allProducts())
        sql += QStringLiteral(" and  a.productname = ") + sqltext::quoted(filters.product);
    if (!filters.customer.isEmpty())
        sql += QStringLiteral(" and b.company_name like ") + sqltext::containing(filters.customer);
    return sql + QStringLiteral(" order by a.salesdate desc, a.id desc");
}

} // namespace

QString allProducts()
{
    return QStringLiteral("全部");
}

std::vector<QStringList> listRows(const Filters& filters)
{
    std::vector<QStringList> rows;
    db::Currency quantity;
    db::Currency total;
    database::guarded([&] {
        auto lines = database::query(QString::fromUtf8(kListSelect) + conditions(filters));
        rows.reserve(static_cast<size_t>(lines->recordCount()) + 1);
        for (; !lines->eof(); lines->moveNext()) {
            QStringList cells{QString::number(rows.size() + 1)};
            for (int column = 0; column < 7; ++column) cells << lines->field(column).toText();
            rows.push_back(cells);
            if (auto num = fixedpoint::amount(lines->field(5))) quantity = quantity + *num;
            if (auto subtotal = fixedpoint::amount(lines->field(6))) total = total + *subtotal;
        }
    });
    rows.push_back({QString::number(rows.size() + 1), QString(), QString(), QString(), QString(),
                    QString::fromUtf8(kTotalCaption), quantity.toString(), total.toString()});
    return rows;
}

reportexport::Query exportQuery(const Filters& filters)
{
    return {QString::fromUtf8(kExportSelect) + conditions(filters), {}};
}

} // namespace salesdetail
