#include "callerid/daycalls.h"

#include "common/database.h"
#include "common/mymode.h"
#include "common/sqltext.h"

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

std::vector<DayCall> callsOf(db::Connection& connection, const QDate& day)
{
    db::Recordset rows;
    rows.open(QStringLiteral("select id,CallerID,DateTime,UserNO,CidName,WavFile from Hv_Cidlist where ")
                  + dayCondition(day) + QStringLiteral(" order by datetime desc"),
              connection, db::CursorType::ForwardOnly);
    std::vector<DayCall> calls;
    for (; !rows.eof(); rows.moveNext())
        calls.push_back({rows.field(0).toLong(), rows.field(1).toText(), rows.field(2), rows.field(3).toText(),
                         rows.field(4).toText(), rows.field(5).toText()});
    return calls;
}

std::int64_t newestCustomer(db::Connection& connection)
{
    db::Recordset newest;
    newest.open(QStringLiteral("select max(id) from company"), connection, db::CursorType::ForwardOnly);
    return newest.eof() || newest.field(0).isNullOrEmpty() ? 0 : newest.field(0).toLong();
}

} // namespace

void DayCalls::load(const QDate& day)
{
    forget();
    refresh(day);
}

void DayCalls::refresh(const QDate& day)
{
    if (day != day_ || Mymode::ConnectString != file_) forget();
    calls_.clear();
    if (!day.isValid()) return;
    auto connection = database::openMain();
    calls_ = callsOf(*connection, day);
    // A number is looked up again when it calls again: its own row shows its
    // customer as stored now.
    QSet<QString> numbers;
    std::int64_t newestCall = lastCallId_;
    for (const DayCall& call : calls_) {
        const QString number = call.callerId.trimmed();
        if (call.id > lastCallId_ || !lookedUp_.contains(number)) numbers.insert(number);
        newestCall = std::max(newestCall, call.id);
    }
    try {
        lookUp(*connection, numbers);
    } catch (const db::Error&) {
        forget();
        throw;
    }
    lastCallId_ = newestCall;
    day_ = day;
    file_ = Mymode::ConnectString;
}

std::optional<QString> DayCalls::customerOf(const QString& number) const
{
    const auto match = matches_.constFind(number.trimmed());
    if (match == matches_.constEnd()) return std::nullopt;
    const auto name = names_.constFind(std::get<1>(*match));
    if (name == names_.constEnd()) return std::nullopt;
    return *name;
}

void DayCalls::forget()
{
    day_ = {};
    file_.clear();
    lastCallId_ = 0;
    lastCustomerId_ = 0;
    lookedUp_.clear();
    matches_.clear();
    names_.clear();
}

// The numbers are looked for in every customer, the others already looked
// up only in the customers added since (all of them again when many were).
// The names of the customers found are read again.
void DayCalls::lookUp(db::Connection& connection, QSet<QString> numbers)
{
    const std::int64_t newest = newestCustomer(connection);
    if (newest - lastCustomerId_ > kFewCustomers) numbers.unite(lookedUp_);
    QStringList known;
    for (const QString& number : std::as_const(lookedUp_))
        if (!numbers.contains(number)) known << number;
    if (newest > lastCustomerId_)
        numbermatch::addRowsAfter(connection, QStringLiteral("company"), kCompanyNumbers, lastCustomerId_, known, matches_);
    for (const QString& number : std::as_const(numbers)) matches_.remove(number);
    const QHash<QString, numbermatch::Match> found =
        numbermatch::bestMatches(connection, QStringLiteral("company"), kCompanyNumbers, numbers.values());
    matches_.insert(found);
    lookedUp_.unite(numbers);
    lastCustomerId_ = std::max(lastCustomerId_, newest);

    QSet<std::int64_t> ids;
    for (auto match = matches_.cbegin(); match != matches_.cend(); ++match) {
        const std::int64_t id = std::get<1>(match.value());
        if (found.contains(match.key()) || !names_.contains(id)) ids.insert(id);
    }
    if (ids.isEmpty()) return;
    QStringList idTexts;
    for (const std::int64_t id : std::as_const(ids)) idTexts << QString::number(id);
    db::Recordset company;
    company.open(QStringLiteral("select id,company_name from company where id in (") + idTexts.join(QLatin1Char(','))
                     + QLatin1Char(')'),
                 connection, db::CursorType::ForwardOnly);
    for (; !company.eof(); company.moveNext()) names_.insert(company.field(0).toLong(), company.field(1).toText());
}

} // namespace callerid
