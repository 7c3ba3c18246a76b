#include "callerid/daycalls.h"

#include "common/callersearch.h"
#include "common/sqltext.h"
#include "platform/db/rowwalk.h"

namespace callerid {

namespace {

// More customers added since the last lookup than this are not ranked one
// by one against the known numbers: the numbers are looked up again instead.
constexpr std::int64_t kFewCustomers = 50;

const QStringList kCompanyNumbers = {QStringLiteral("company_tel"), QStringLiteral("company_fax"),
                                     QStringLiteral("company_mobil")};

// The calls from the start of the day up to, not including, the start of the next.
QString dayCondition(const QDate& day)
{
    return QStringLiteral("datetime>=") + sqltext::dateLiteral(day) + QStringLiteral(" and datetime<")
        + sqltext::dateLiteral(day.addDays(1));
}

std::int64_t newestCustomer(db::Connection& connection)
{
    db::Recordset newest;
    newest.open(QStringLiteral("select max(id) from company"), connection, db::CursorType::ForwardOnly);
    return newest.eof() || newest.field(0).isNullOrEmpty() ? 0 : newest.field(0).toLong();
}

} // namespace

std::vector<DayCall> DayCalls::load(db::Connection& connection, const QString& dataFile, const QDate& day)
{
    forget();
    return refresh(connection, dataFile, day);
}

std::vector<DayCall> DayCalls::refresh(db::Connection& connection, const QString& dataFile, const QDate& day)
{
    if (day != day_ || dataFile != file_) forget();
    if (!day.isValid()) return {};
    std::vector<DayCall> calls = callsOf(connection, day);
    // A number that calls again is looked up again, so that a change to
    // which customer holds it shows with its call.
    QSet<QString> numbers;
    std::int64_t newestCall = lastCallId_;
    for (const DayCall& call : calls) {
        const QString number = call.callerId.trimmed();
        if (call.id > lastCallId_ || !customers_.contains(NumberKey(number))) numbers.insert(number);
        newestCall = std::max(newestCall, call.id);
    }
    try {
        lookUp(connection, numbers);
        nameCustomers(connection, calls);
    } catch (const db::Error&) {
        forget();
        throw;
    }
    lastCallId_ = newestCall;
    day_ = day;
    file_ = dataFile;
    return calls;
}

// The day's calls, newest first, each time shown as stored, made once per
// stored value.
std::vector<DayCall> DayCalls::callsOf(db::Connection& connection, const QDate& day)
{
    db::RowWalk rows(connection, QStringLiteral("select id,CallerID,DateTime,UserNO,CidName,WavFile from Hv_Cidlist where ")
                                     + dayCondition(day) + QStringLiteral(" order by datetime desc"));
    std::vector<DayCall> calls;
    while (rows.next()) {
        const QByteArray stored = rows.storedKey(2).toByteArray();
        auto time = times_.constFind(stored);
        if (time == times_.constEnd()) {
            const db::Variant when = rows.field(2);
            time = times_.insert(stored, when.isNullOrEmpty() ? QString()
                                                               : when.toDate().toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")));
        }
        calls.push_back({rows.field(0).toLong(), rows.field(1).toText(), *time, rows.field(3).toText(),
                         rows.field(4).toText(), rows.field(5).toText()});
    }
    return calls;
}

void DayCalls::forget()
{
    times_.clear();
    day_ = {};
    file_.clear();
    lastCallId_ = 0;
    lastCustomerId_ = 0;
    customers_.clear();
}

// The numbers are looked for in every customer; the others already looked
// up are brought up to date (all of them looked up again when many
// customers were added since).
void DayCalls::lookUp(db::Connection& connection, QSet<QString> numbers)
{
    const std::int64_t newest = newestCustomer(connection);
    if (newest - lastCustomerId_ > kFewCustomers)
        for (auto key = customers_.keyBegin(); key != customers_.keyEnd(); ++key) numbers.insert(key->number());
    else
        bringUpToDate(connection, numbers, newest);
    const QHash<QString, numbermatch::Match> found =
        numbermatch::bestMatches(connection, QStringLiteral("company"), kCompanyNumbers, numbers.values());
    for (const QString& number : std::as_const(numbers)) {
        const auto match = found.constFind(number);
        customers_.insert(NumberKey(number),
                          match == found.constEnd() ? std::nullopt : std::optional<numbermatch::Match>(*match));
    }
    lastCustomerId_ = std::max(lastCustomerId_, newest);
}

// The known numbers not among `numbers`: a customer found for one is read
// again, and one that no longer holds it as well puts the number among
// `numbers`, to be looked up in full; the customers added since, and for a
// number not held whole yet the customers now holding it whole, may hold it
// better. (A customer changed to hold a number only inside a longer one
// shows from the number's next call, or the day's buttons.)
void DayCalls::bringUpToDate(db::Connection& connection, QSet<QString>& numbers, std::int64_t newest)
{
    QStringList known;
    QHash<QString, numbermatch::Match> best;
    QStringList foundIn;
    for (auto customer = customers_.cbegin(); customer != customers_.cend(); ++customer) {
        const QString number = customer.key().number();
        if (numbers.contains(number)) continue;
        known << number;
        if (!customer.value()) continue;
        best.insert(number, *customer.value());
        foundIn << QString::number(std::get<1>(*customer.value()));
    }
    if (known.isEmpty()) return;
    const QString table = QStringLiteral("company");
    if (!foundIn.isEmpty()) {
        QHash<QString, numbermatch::Match> now;
        foundIn.removeDuplicates();
        numbermatch::addRows(connection, table, kCompanyNumbers,
                             QStringLiteral("id in (") + foundIn.join(QLatin1Char(',')) + QLatin1Char(')'), best.keys(),
                             now);
        for (auto match = best.cbegin(); match != best.cend(); ++match)
            if (now.value(match.key()) != match.value()) numbers.insert(match.key());
    }
    QStringList current;
    QStringList notHeldWhole;   // a customer holding one of these whole would hold it better
    for (const QString& number : std::as_const(known)) {
        if (numbers.contains(number)) continue;
        current << number;
        const auto match = best.constFind(number);
        if (match == best.constEnd() || std::get<0>(*match) != 0) notHeldWhole << number;
    }
    if (newest > lastCustomerId_)
        numbermatch::addRows(connection, table, kCompanyNumbers, QStringLiteral("id>") + QString::number(lastCustomerId_),
                             current, best);
    numbermatch::addRows(connection, table, kCompanyNumbers, callersearch::holding(connection, table, notHeldWhole),
                         notHeldWhole, best);
    for (const QString& number : std::as_const(current)) {
        const auto match = best.constFind(number);
        customers_.insert(NumberKey(number),
                          match == best.constEnd() ? std::nullopt : std::optional<numbermatch::Match>(*match));
    }
}

// The names as stored now; a customer removed since names no call.
void DayCalls::nameCustomers(db::Connection& connection, std::vector<DayCall>& calls) const
{
    QSet<std::int64_t> ids;
    for (const DayCall& call : calls)
        if (const auto match = customers_.value(NumberKey(call.callerId.trimmed()))) ids.insert(std::get<1>(*match));
    if (ids.isEmpty()) return;
    QStringList idTexts;
    for (const std::int64_t id : std::as_const(ids)) idTexts << QString::number(id);
    db::Recordset company;
    company.open(QStringLiteral("select id,company_name from company where id in (") + idTexts.join(QLatin1Char(','))
                     + QLatin1Char(')'),
                 connection, db::CursorType::ForwardOnly);
    QHash<std::int64_t, QString> names;
    for (; !company.eof(); company.moveNext()) names.insert(company.field(0).toLong(), company.field(1).toText());
    for (DayCall& call : calls) {
        const auto match = customers_.value(NumberKey(call.callerId.trimmed()));
        if (!match) continue;
        const auto name = names.constFind(std::get<1>(*match));
        if (name != names.constEnd()) call.customer = *name;
    }
}

} // namespace callerid
