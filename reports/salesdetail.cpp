#include "reports/salesdetail.h"

#include "common/database.h"
#include "common/sqltext.h"
#include "platform/db/locale.h"
#include "platform/db/rowwalk.h"
#include "reports/daterange.h"
#include "reports/fixedpoint.h"

#include <algorithm>
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

// A date cell's text as field().toText() gives it. The stored form
// "yyyy-MM-dd HH:mm:ss" is written out from its digits on a day when the
// clock does not change (so every time of it is a local time of its own, as
// the date value would give it); each day is looked at once. Any other cell
// is read as a date value.
class DateTexts {
public:
    QString of(const db::RowWalk& walk, int index)
    {
        if (walk.isStoredText(index)) {
            const QByteArrayView stored = walk.text(index);
            if (const auto day = db::locale::storedDay(stored)) {
                if (stored.first(10) != QByteArrayView(lastDay_)) {
                    lastDay_ = stored.first(10).toByteArray();
                    dayText_ = steadyDayText(*day);
                }
                if (dayText_) return timeOfDay(*dayText_, stored.sliced(11));
            }
        }
        return walk.field(index).toText();
    }

private:
    static std::optional<QString> steadyDayText(const QDate& day)
    {
        const QDateTime first = db::locale::localDateTime(day, QTime(0, 0));
        const QDateTime last = db::locale::localDateTime(day, QTime(23, 59, 59));
        if (first.time() != QTime(0, 0) || last.time() != QTime(23, 59, 59) || first.offsetFromUtc() != last.offsetFromUtc())
            return std::nullopt;
        return db::locale::shortDate(day);
    }
    // "yyyy-M-d H:mm:ss" from the day's text and "HH:mm:ss"; midnight shows the day alone.
    static QString timeOfDay(const QString& day, QByteArrayView time)
    {
        if (time == QByteArrayView("00:00:00")) return day;
        QString text;
        text.reserve(day.size() + 9);
        text += day;
        text += QLatin1Char(' ');
        text += QLatin1StringView(time.sliced(time[0] == '0' ? 1 : 0));
        return text;
    }

    QByteArray lastDay_;
    std::optional<QString> dayText_;
};

} // namespace

template <class MakeText>
std::uint32_t ColumnTexts::place(QByteArrayView key, MakeText text)
{
    const std::string_view wanted(key.data(), static_cast<std::size_t>(key.size()));
    if (!ends_.empty() && wanted == lastKey_) return lastPlace_;
    lastKey_ = wanted;
    if (inRuns_) return lastPlace_ = add(text());
    const auto [place, isNew] = places_.place(wanted);
    if (isNew) add(text());
    return lastPlace_ = place;
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
    reports::KeyPlaces customerPlaces;   // by the id's bytes
    reports::KeyPlaces keyPlaces;        // NOCASE: ASCII letters folded
    {
        std::optional<std::int64_t> lastCustomer;   // so do they share their customer
        std::uint32_t lastCustomerPlace = 0;
        std::string key;
        std::optional<std::string> lastKey;   // an order's lines mostly come one after another
        std::uint32_t lastPlace = 0;
        DateTexts dates;
        db::RowWalk lines(*connection, QString::fromUtf8(kLineSelect) + dateConditions(filters) + productCondition(filters)
                                           + QString::fromUtf8(kListOrder));
        const auto cell = [&](ColumnTexts& column, int index) {
            return column.place(lines.storedKey(index), [&] { return lines.field(index).toText(); });
        };
        const auto amountCell = [&](ColumnTexts& column, std::vector<std::optional<db::Currency>>& values, int index) {
            const std::uint32_t place = cell(column, index);
            if (place == values.size()) values.push_back(fixedpoint::amount(lines.field(index)));
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
                lastPlace = keyPlaces.place(key).first;
            }
            const std::int64_t id = customer.toLong();
            if (id != lastCustomer) {
                lastCustomer = id;
                lastCustomerPlace = customerPlaces.place(std::string_view(reinterpret_cast<const char*>(&id), sizeof id)).first;
            }
            rows_.push_back({dates_.place(lines.storedKey(2), [&] { return dates.of(lines, 2); }), lastPlace,
                             lastCustomerPlace, cell(products_, 3), cell(prices_, 4), amountCell(quantities_, quantityValues_, 5),
                             amountCell(subtotals_, subtotalValues_, 6)});
        }
    }

    // Their customers: those the customer filter keeps. A few are read by
    // their ids, many in one pass over every customer.
    const auto idAt = [&](std::uint32_t place) {
        std::int64_t id = 0;
        std::memcpy(&id, customerPlaces.key(place).data(), sizeof id);
        return id;
    };
    std::vector<std::uint32_t> names(customerPlaces.size(), kNone);   // by customer place
    if (customerPlaces.size() != 0) {
        QString sql = QString::fromUtf8(kCustomerSelect) + customerCondition(filters);
        if (customerPlaces.size() <= kReadByKey) {
            QStringList ids;
            for (std::uint32_t place = 0; place < customerPlaces.size(); ++place) ids << QString::number(idAt(place));
            sql += QStringLiteral(" and b.id in (") + ids.join(QLatin1Char(',')) + QLatin1Char(')');
        }
        db::RowWalk customers(*connection, sql);
        while (customers.next()) {
            const std::int64_t id = customers.field(0).toLong();
            if (const auto place = customerPlaces.find(std::string_view(reinterpret_cast<const char*>(&id), sizeof id)))
                names[*place] = customers_.add(customers.field(1).toText());
        }
    }

    // Their orders, first to last by id: a line shows once per order of its key.
    struct Order {
        std::uint32_t number;
        std::uint32_t next = kNoOrder;
    };
    std::vector<Order> orders;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> keyOrders(keyPlaces.size(), {kNoOrder, kNoOrder});   // first, last
    if (keyPlaces.size() != 0) {
        QString sql = QString::fromUtf8(kOrderSelect);
        if (keyPlaces.size() <= kReadByKey) {
            QStringList quoted;
            for (std::uint32_t place = 0; place < keyPlaces.size(); ++place) {
                const std::string_view key = keyPlaces.key(place);
                quoted << sqltext::quoted(QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size())));
            }
            sql += QStringLiteral(" where c.indexflag in (") + quoted.join(QLatin1Char(',')) + QLatin1Char(')');
        }
        db::RowWalk headers(*connection, sql + QStringLiteral(" order by c.id"));
        std::string key;
        while (headers.next()) {
            const QByteArrayView raw = headers.text(0);
            if (raw.isNull()) continue;
            foldKey(raw, key);
            const auto place = keyPlaces.find(key);
            if (!place) continue;   // no line of the list's
            auto& [first, last] = keyOrders[*place];
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
