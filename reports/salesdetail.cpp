#include "reports/salesdetail.h"

#include "common/database.h"
#include "common/sqltext.h"
#include "platform/db/rowwalk.h"
#include "reports/daterange.h"
#include "reports/fixedpoint.h"

#include <bit>
#include <cstring>

namespace salesdetail {

namespace {

// The customers the list may show, the orders, and the lines in the list's
// order (joined here: see ListRows).
const char* const kCustomerSelect = "select b.id,b.company_name from company b where 0=0";
const char* const kOrderSelect = "select c.indexflag,c.orderno from sales c order by c.id";
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
constexpr std::uint32_t kNoCustomer = 0xffffffffu;

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
    // customers, the orders and the lines (it waits for this read instead,
    // as it waits for any query). A read takes no lock before its first row,
    // and ends with the connection.
    connection->execute(QStringLiteral("BEGIN"));

    QHash<std::int64_t, std::uint32_t> customerById;
    {
        db::RowWalk customers(*connection, QString::fromUtf8(kCustomerSelect) + customerCondition(filters));
        while (customers.next())
            customerById.insert(customers.field(0).toLong(), customers_.add(customers.field(1).toText()));
    }

    // Each line key's orders, first to last by id: a line shows once per order of its key.
    struct Order {
        std::uint32_t number;
        std::uint32_t next = kNoOrder;
    };
    std::vector<Order> orders;
    TextKeyed<std::pair<std::uint32_t, std::uint32_t>> ordersByKey;   // the first and the last
    std::string key;
    {
        db::RowWalk headers(*connection, QString::fromUtf8(kOrderSelect));
        while (headers.next()) {
            const QByteArrayView raw = headers.text(0);
            if (raw.isNull()) continue;   // a Null key matches no line
            foldKey(raw, key);
            const auto at = static_cast<std::uint32_t>(orders.size());
            orders.push_back({orders_.add(headers.field(1).toText())});
            auto chain = ordersByKey.find(key);
            if (chain == ordersByKey.end()) {
                ordersByKey.emplace(key, std::pair{at, at});
            } else {
                orders[chain->second.second].next = at;
                chain->second.second = at;
            }
        }
    }

    db::RowWalk lines(*connection, QString::fromUtf8(kLineSelect) + dateConditions(filters) + productCondition(filters)
                                       + QString::fromUtf8(kListOrder));
    CellKey cellKey;
    db::Variant lastCustomer;
    std::uint32_t customerPlace = kNoCustomer;
    std::optional<std::string> lastKey;
    std::uint32_t firstOrder = kNoOrder;
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
        // Only a whole number stored as one matches a customer's id.
        const db::Variant customer = lines.field(0);
        if (customer != lastCustomer) {   // so do an order's lines share their customer
            lastCustomer = customer;
            const auto named = customer.type() == db::Variant::Type::Long ? customerById.constFind(customer.toLong())
                                                                           : customerById.constEnd();
            customerPlace = named == customerById.constEnd() ? kNoCustomer : *named;
        }
        if (customerPlace == kNoCustomer) continue;
        const QByteArrayView rawKey = lines.text(1);
        if (rawKey.isNull()) continue;
        foldKey(rawKey, key);
        if (key != lastKey) {   // an order's lines mostly come one after another
            lastKey = key;
            const auto chain = ordersByKey.find(key);
            firstOrder = chain == ordersByKey.end() ? kNoOrder : chain->second.first;
        }
        if (firstOrder == kNoOrder) continue;
        const Row row{textCell(dates_, 2), 0, customerPlace, textCell(products_, 3), numberCell(prices_, lines.field(4)),
                      amountCell(quantities_, quantityValues_, 5), amountCell(subtotals_, subtotalValues_, 6)};
        for (std::uint32_t order = firstOrder; order != kNoOrder; order = orders[order].next) {
            rows_.push_back(row);
            rows_.back().order = orders[order].number;
            if (const auto& num = quantityValues_[row.quantity]) quantity_ = quantity_ + *num;
            if (const auto& subtotal = subtotalValues_[row.subtotal]) total_ = total_ + *subtotal;
        }
    }
    connection->commitTrans();
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
