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

ListRows::ListRows(const Filters& filters)
{
    database::guarded([&] {
        auto lines = database::query(QString::fromUtf8(kListSelect) + conditions(filters));
        const int count = lines->recordCount();
        for (int row = 0; row < count; ++row) {
            if (auto num = fixedpoint::amount(lines->value(row, 5))) quantity_ = quantity_ + *num;
            if (auto subtotal = fixedpoint::amount(lines->value(row, 6))) total_ = total_ + *subtotal;
        }
        lines_ = std::move(lines);
        lineCount_ = static_cast<std::size_t>(count);
    });
}

QStringList ListRows::operator[](std::size_t row) const
{
    const QString number = QString::number(row + 1);
    if (row >= lineCount_)
        return {number, QString(), QString(), QString(), QString(), QString::fromUtf8(kTotalCaption), quantity_.toString(),
                total_.toString()};
    QStringList cells{number};
    for (int column = 0; column < 7; ++column) cells << lines_->value(static_cast<int>(row), column).toText();
    return cells;
}

ListRows listRows(const Filters& filters)
{
    return ListRows(filters);
}

reportexport::Query exportQuery(const Filters& filters)
{
    return {QString::fromUtf8(kExportSelect) + conditions(filters), {}};
}

} // namespace salesdetail
