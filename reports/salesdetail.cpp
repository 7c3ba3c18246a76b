#include "reports/salesdetail.h"

#include "common/database.h"
#include "common/sqltext.h"
#include "platform/db/rowwalk.h"
#include "reports/daterange.h"
#include "reports/fixedpoint.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace salesdetail {

namespace {

// The customers the list may show, the orders, and the lines in the list's
// order (joined here: see ListRows).
const char* const kCustomerSelect = "select b.id,b.company_name from company b where 0=0";
const char* const kOrderSelect = "select c.indexflag,c.orderno from sales c";
// Up to so many customers or orders are read by their keys; more are read in
// one pass over the table, which costs less than looking each one up.
constexpr std::size_t kReadByKey = 500;
const char* const kLineSelect =
    "select a.companyid,a.indexflag,a.salesdate,a.productname,a.price,a.num,a.unitprice from SalesMX a where 0=0";
const char* const kExportSelect =
    "select cstr(c.orderno),cstr(a.salesdate),b.company_name,a.productname,cstr(a.price),cstr(a.num),"
    "cstr(a.unitprice) from SalesMX a,company b,sales c where b.id=a.companyid and c.indexflag=a.indexflag";
const char* const kTotalCaption = "  总计:";

QString dateConditions(const Filters& filters)
{
    return daterange::startCondition(QStringLiteral("a.salesdate"), filters.start)
        + daterange::endCondition(QStringLiteral("a.salesdate"), filters.end);
}

QString productCondition(const Filters& filters)
{
    if (filters.product.isEmpty() || filters.product == allProducts()) return {};
    return QStringLiteral(" and  a.productname = ") + sqltext::quoted(filters.product);
}

QString customerCondition(const Filters& filters)
{
    if (filters.customer.isEmpty()) return {};
    return QStringLiteral(" and b.company_name like ") + sqltext::containing(filters.customer);
}

// Lines of one moment keep the order they were entered in, newest first.
const char* const kListOrder = " order by a.salesdate desc, a.id desc";

constexpr std::uint32_t kNoOrder = 0xffffffffu;
constexpr std::uint32_t kNone = 0xffffffffu;   // a customer the list does not show

// The line key as the key columns compare it (NOCASE: ASCII letters folded).
void foldKey(QByteArrayView raw, std::string& into)
{
    into.resize(static_cast<std::size_t>(raw.size()));
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        into[static_cast<std::size_t>(i)] = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
}

// The key a cell is kept under among its column's texts: its kind, then its
// value as stored (text) or as read (a number: no text is made for it).
class CellKey {
public:
    QByteArrayView ofText(QByteArrayView raw)
    {
        if (raw.isNull()) return QByteArrayView("N", 1);
        bytes_.resize(1 + raw.size());
        bytes_[0] = 'S';
        std::memcpy(bytes_.data() + 1, raw.data(), static_cast<std::size_t>(raw.size()));
        return bytes_;
    }
    QByteArrayView ofValue(const db::Variant& value)
    {
        switch (value.type()) {
        case db::Variant::Type::Long: return binary('L', value.toLong());
        case db::Variant::Type::Currency: return binary('C', value.toCurrency().ticks());
        case db::Variant::Type::Double: return binary('D', std::bit_cast<std::int64_t>(value.toDouble()));
        case db::Variant::Type::Null: return QByteArrayView("N", 1);
        case db::Variant::Type::Empty: return QByteArrayView("E", 1);
        default: break;
        }
        bytes_ = 'T' + value.toText().toUtf8();
        return bytes_;
    }

private:
    QByteArrayView binary(char kind, std::int64_t bits)
    {
        bytes_.resize(1 + sizeof bits);
        bytes_[0] = kind;
        std::memcpy(bytes_.data() + 1, &bits, sizeof bits);
        return bytes_;
    }
    QByteArray bytes_;
};

} // namespace

template <class MakeText>
std::uint32_t ColumnTexts::place(QByteArrayView key, MakeText text)
{
    const std::string_view wanted(key.data(), static_cast<std::size_t>(key.size()));
    if (!ends_.empty() && wanted == lastKey_) return lastPlace_;
    lastKey_ = wanted;
    if (inRuns_) return lastPlace_ = add(text());
    const auto found = places_.find(wanted);
    if (found != places_.end()) return lastPlace_ = found->second;
    lastPlace_ = add(text());
    places_.emplace(lastKey_, lastPlace_);
    return lastPlace_;
}

std::uint32_t ColumnTexts::add(const QString& text)
{
    chars_ += text;
    ends_.push_back(chars_.size());
    return static_cast<std::uint32_t>(ends_.size() - 1);
}

QString ColumnTexts::text(std::uint32_t place) const
{
    const qsizetype start = place == 0 ? 0 : ends_[place - 1];
    return chars_.mid(start, ends_[place] - start);
}

QString allProducts()
{
    return QStringLiteral("全部");
}

ListRows::ListRows(const Filters& filters)
{
    auto connection = database::openMain();
    // One read of the file: no save of another workstation lands between the
    // lines, their customers and their orders (it waits for this read
    // instead, as it waits for any query). A read takes no lock before its
    // first row, and ends with the connection.
    connection->execute(QStringLiteral("BEGIN"));

    // The lines in the list's order; until their customers and orders are
    // read, a row holds its customer's place among the distinct customer ids
    // and its line key's place among the distinct keys.
    std::unordered_map<std::int64_t, std::uint32_t> customerPlaces;
    std::vector<std::int64_t> customerIds;   // by place
    TextKeyed<std::uint32_t> keyPlaces;      // NOCASE: ASCII letters folded
    {
        std::optional<std::int64_t> lastCustomer;   // so do they share their customer
        std::uint32_t lastCustomerPlace = 0;
        std::string key;
        std::optional<std::string> lastKey;   // an order's lines mostly come one after another
        std::uint32_t lastPlace = 0;
        CellKey cellKey;
        db::RowWalk lines(*connection, QString::fromUtf8(kLineSelect) + dateConditions(filters) + productCondition(filters)
                                           + QString::fromUtf8(kListOrder));
        const auto textCell = [&](ColumnTexts& column, int index) {
            return column.place(cellKey.ofText(lines.text(index)), [&] { return lines.field(index).toText(); });
        };
        const auto numberCell = [&](ColumnTexts& column, const db::Variant& value) {
            return column.place(cellKey.ofValue(value), [&] { return value.toText(); });
        };
        const auto amountCell = [&](ColumnTexts& column, std::vector<std::optional<db::Currency>>& values, int index) {
            const db::Variant value = lines.field(index);
            const std::uint32_t place = numberCell(column, value);
            if (place == values.size()) values.push_back(fixedpoint::amount(value));
            return place;
        };
        while (lines.next()) {
            // Only a whole number stored as one matches a customer's id; a Null key matches no order.
            const db::Variant customer = lines.field(0);
            const QByteArrayView rawKey = lines.text(1);
            if (customer.type() != db::Variant::Type::Long || rawKey.isNull()) continue;
            foldKey(rawKey, key);
            if (key != lastKey) {
                lastKey = key;
                lastPlace = keyPlaces.try_emplace(key, static_cast<std::uint32_t>(keyPlaces.size())).first->second;
            }
            const std::int64_t id = customer.toLong();
            if (id != lastCustomer) {
                lastCustomer = id;
                lastCustomerPlace = customerPlaces.try_emplace(id, static_cast<std::uint32_t>(customerIds.size())).first->second;
                if (lastCustomerPlace == customerIds.size()) customerIds.push_back(id);
            }
            rows_.push_back({textCell(dates_, 2), lastPlace, lastCustomerPlace, textCell(products_, 3),
                             numberCell(prices_, lines.field(4)), amountCell(quantities_, quantityValues_, 5),
                             amountCell(subtotals_, subtotalValues_, 6)});
        }
    }

    // Their customers: those the customer filter keeps. A few are read by
    // their ids, many in one pass over every customer.
    std::vector<std::uint32_t> names(customerIds.size(), kNone);   // by customer place
    if (!customerIds.empty()) {
        QString sql = QString::fromUtf8(kCustomerSelect) + customerCondition(filters);
        if (customerIds.size() <= kReadByKey) {
            QStringList ids;
            for (std::int64_t id : customerIds) ids << QString::number(id);
            sql += QStringLiteral(" and b.id in (") + ids.join(QLatin1Char(',')) + QLatin1Char(')');
        }
        db::RowWalk customers(*connection, sql);
        while (customers.next()) {
            const auto place = customerPlaces.find(customers.field(0).toLong());
            if (place != customerPlaces.end()) names[place->second] = customers_.add(customers.field(1).toText());
        }
    }

    // Their orders, first to last by id: a line shows once per order of its key.
    struct Order {
        std::uint32_t number;
        std::uint32_t next = kNoOrder;
    };
    std::vector<Order> orders;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> keyOrders(keyPlaces.size(), {kNoOrder, kNoOrder});   // first, last
    if (!keyPlaces.empty()) {
        QString sql = QString::fromUtf8(kOrderSelect);
        if (keyPlaces.size() <= kReadByKey) {
            QStringList quoted;
            for (const auto& [key, place] : keyPlaces)
                quoted << sqltext::quoted(QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size())));
            sql += QStringLiteral(" where c.indexflag in (") + quoted.join(QLatin1Char(',')) + QLatin1Char(')');
        }
        db::RowWalk headers(*connection, sql + QStringLiteral(" order by c.id"));
        std::string key;
        while (headers.next()) {
            const QByteArrayView raw = headers.text(0);
            if (raw.isNull()) continue;
            foldKey(raw, key);
            const auto place = keyPlaces.find(key);
            if (place == keyPlaces.end()) continue;   // no line of the list's
            auto& [first, last] = keyOrders[place->second];
            const auto at = static_cast<std::uint32_t>(orders.size());
            orders.push_back({orders_.add(headers.field(1).toText())});
            if (first == kNoOrder) first = at;
            else orders[last].next = at;
            last = at;
        }
    }
    connection->commitTrans();

    // Each line with its customer and its orders; a line key that several
    // orders share gives the line a row per order.
    const bool shared = std::any_of(keyOrders.begin(), keyOrders.end(), [&](const auto& chain) {
        return chain.first != kNoOrder && orders[chain.first].next != kNoOrder;
    });
    std::vector<Row> expanded;
    std::size_t kept = 0;
    for (std::size_t line = 0; line < rows_.size(); ++line) {
        Row row = rows_[line];
        const std::uint32_t name = names[row.customer];
        const std::uint32_t firstOrder = keyOrders[row.order].first;
        if (name == kNone || firstOrder == kNoOrder) continue;
        row.customer = name;
        for (std::uint32_t order = firstOrder; order != kNoOrder; order = orders[order].next) {
            row.order = orders[order].number;
            if (shared) expanded.push_back(row);
            else rows_[kept++] = row;
            if (const auto& num = quantityValues_[row.quantity]) quantity_ = quantity_ + *num;
            if (const auto& subtotal = subtotalValues_[row.subtotal]) total_ = total_ + *subtotal;
        }
    }
    if (shared) rows_ = std::move(expanded);
    else rows_.resize(kept);
}

QStringList ListRows::operator[](std::size_t row) const
{
    const QString number = QString::number(row + 1);
    if (row >= rows_.size())
        return {number, QString(), QString(), QString(), QString(), QString::fromUtf8(kTotalCaption), quantity_.toString(),
                total_.toString()};
    const Row& cells = rows_[row];
    return {number,
            dates_.text(cells.date),
            orders_.text(cells.order),
            customers_.text(cells.customer),
            products_.text(cells.product),
            prices_.text(cells.price),
            quantities_.text(cells.quantity),
            subtotals_.text(cells.subtotal)};
}

ListRows listRows(const Filters& filters)
{
    return ListRows(filters);
}

reportexport::Query exportQuery(const Filters& filters)
{
    return {QString::fromUtf8(kExportSelect) + dateConditions(filters) + productCondition(filters)
                + customerCondition(filters) + QString::fromUtf8(kListOrder),
            {}};
}

} // namespace salesdetail
