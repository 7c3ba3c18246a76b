#include "reports/salesdetail.h"

#include "common/database.h"
#include "common/sqltext.h"
#include "platform/db/rowwalk.h"
#include "reports/daterange.h"
#include "reports/fixedpoint.h"

#include <QHash>
#include <algorithm>

namespace salesdetail {

namespace {

// Each row's key and the figures the total row adds up, in the list's order.
const char* const kKeySelect =
    "select a.id,c.id,a.num,a.unitprice from SalesMX a,company b,sales c where b.ID=a.companyid and c.indexflag=a.indexflag";
// A page of rows by their lines' ids ("...)" closes the list).
const char* const kPageSelect =
    "select a.id,c.id,a.salesdate,c.orderno,b.company_name,a.productname,a.price,a.num,a.unitprice "
    "from SalesMX a,company b,sales c where b.ID=a.companyid and c.indexflag=a.indexflag and a.id in (";
constexpr std::size_t kPageRows = 100;
constexpr std::size_t kPagesKept = 3;
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
    auto connection = database::openMain();
    db::RowWalk lines(*connection, QString::fromUtf8(kKeySelect) + conditions(filters));
    while (lines.next()) {
        keys_.push_back({lines.field(0).toLong(), lines.field(1).toLong()});
        if (auto num = fixedpoint::amount(lines.field(2))) quantity_ = quantity_ + *num;
        if (auto subtotal = fixedpoint::amount(lines.field(3))) total_ = total_ + *subtotal;
    }
}

const ListRows::Page* ListRows::page(std::size_t row) const
{
    const std::size_t first = row - row % kPageRows;
    const auto kept = std::find_if(pages_.begin(), pages_.end(), [&](const Page& p) { return p.first == first; });
    if (kept != pages_.end()) return &*kept;
    Page read{first, std::vector<QStringList>(std::min(kPageRows, keys_.size() - first))};
    QHash<std::pair<std::int64_t, std::int64_t>, std::size_t> places;
    QStringList ids;
    for (std::size_t i = 0; i < read.rows.size(); ++i) {
        const Key& key = keys_[first + i];
        places.insert({key.line, key.order}, i);
        ids << QString::number(key.line);
    }
    const bool done = database::guarded([&] {
        auto lines = database::query(QString::fromUtf8(kPageSelect) + ids.join(QLatin1Char(',')) + QLatin1Char(')'));
        for (; !lines->eof(); lines->moveNext()) {
            const auto place = places.constFind({lines->field(0).toLong(), lines->field(1).toLong()});
            if (place == places.constEnd()) continue;
            QStringList& cells = read.rows[*place];
            for (int column = 2; column < 9; ++column) cells << lines->field(column).toText();
        }
    });
    if (!done) return nullptr;
    if (pages_.size() == kPagesKept) pages_.erase(pages_.begin());
    pages_.push_back(std::move(read));
    return &pages_.back();
}

QStringList ListRows::operator[](std::size_t row) const
{
    const QString number = QString::number(row + 1);
    if (row >= keys_.size())
        return {number, QString(), QString(), QString(), QString(), QString::fromUtf8(kTotalCaption), quantity_.toString(),
                total_.toString()};
    QStringList cells{number};
    if (const Page* kept = page(row)) cells << kept->rows[row - kept->first];
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
