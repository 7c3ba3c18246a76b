// Incoming-call timings at 10,000, 100,000 and 1,000,000 customers (one
// contact each) and as many call-log rows, of which 1,000 calls are today's:
// the caller match with the call kept (the tick, then the reader thread's
// answer shown, pop-ups off), the pop-up customer card shown and painted
// after the event enters the box (the poll period adds at most its 20 ms),
// the day list's reload, and a call until today's list shows it. Each
// figure is printed with a plain-SQLite baseline measured in the same run,
// alternated with ours: the same statements on the same files (the main
// file and the number-area database beside the program), on handles opened
// as the layer opens its own and kept open as the layer keeps them, cells
// read with their own types.
#include "bench/callprogram.h"
#include "callerid/gtmain.h"
#include "callerid/windows.h"
#include "common/callersearch.h"
#include "common/database.h"
#include "common/fileupgrade.h"
#include "common/firststart.h"
#include "common/mymode.h"
#include "common/schema.h"
#include "customers/windows.h"
#include "platform/gxbox/simulatedbox.h"
#include "platform/ui/desktop.h"
#include "platform/ui/windows.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QWindow>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <sqlite3.h>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kTodaysCalls = 1000;   // a busy day's end

double millisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Runs the event loop until `done` holds.
void runUntil(const std::function<bool()>& done)
{
    while (!done()) {
        QCoreApplication::processEvents();
        if (!done()) std::this_thread::yield();
    }
}

// Runs the event loop for that long.
void runFor(int milliseconds)
{
    const auto start = std::chrono::steady_clock::now();
    while (millisecondsSince(start) < milliseconds) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

// Until the call-log writer and the monitor's reader have nothing left to do.
void settle(callerid::GtMain* monitor)
{
    for (int quiet = 0; quiet < 2;) {
        QCoreApplication::processEvents();
        quiet = monitor->writer().idle() && monitor->readsAnswered() ? quiet + 1 : 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

double median(std::vector<double> values)
{
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The program: its folder, the windows, the call monitor on the simulated box.
class Program {
public:
    static Program& instance()
    {
        static Program program;
        return program;
    }
    callerid::GtMain* monitor() const { return monitor_; }
    QString folder(const QString& name) const { return dir_.filePath(name); }

private:
    Program()
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "bench_callerid";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance()) new QApplication(argc, argv);
        startCallProgram(dir_.path());
        gxbox::SimulatedBox::instance().configure({1});
        monitor_ = ui::Windows::get<callerid::GtMain>(QStringLiteral("GtMain"));
    }

    QTemporaryDir dir_;
    callerid::GtMain* monitor_ = nullptr;
};

// One main database of the given size, made as a first start makes it.
class CallDatabase {
public:
    static CallDatabase& of(int customers)
    {
        static std::map<int, std::unique_ptr<CallDatabase>> made;
        auto& database = made[customers];
        if (!database) database.reset(new CallDatabase(customers));
        return *database;
    }
    // The program works on this database from now on.
    void use(const char* isPop) const
    {
        Mymode::ConnectString = database::connectStringFor(folder_);
        database::openMain()->execute(
            QStringLiteral("update DriveInfo set isPop='%1', RecordFlag='0', OutLine=''").arg(QLatin1String(isPop)));
    }
    std::string file() const { return QDir(folder_).filePath(QStringLiteral("hvcrm.hvd")).toStdString(); }
    static std::string areaFile() { return Program::instance().folder(QStringLiteral("MobilDB.mdb")).toStdString(); }
    // The condition the layer sends for the rows of `table` holding the
    // numbers whole, the list of numbers left as "(?)".
    std::string holdingCondition(const char* table) const
    {
        db::Connection connection;
        connection.open(database::connectStringFor(folder_));
        return QString(callersearch::holding(connection, QLatin1String(table), {QStringLiteral("0")}))
            .replace(QStringLiteral("('0')"), QStringLiteral("(?)"))
            .toStdString();
    }
    int customers() const { return customers_; }
    // A contact's number to call with, a different one each time.
    QByteArray contactNumber(int i) const { return contactNumbers_.at(i % contactNumbers_.size()); }

private:
    explicit CallDatabase(int customers) : customers_(customers)
    {
        Program::instance();
        folder_ = Program::instance().folder(QStringLiteral("data%1").arg(customers));
        const QString path = QDir(folder_).filePath(QStringLiteral("hvcrm.hvd"));
        db::createDatabase(path, schema::mainDatabase());
        db::Connection connection;
        connection.open(database::connectStringFor(folder_));
        const QString rows = QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < %1) ");
        // Numbers as a shop's customers have them: a few area codes and
        // carrier prefixes, the rest of the digits at random.
        connection.execute(QStringLiteral("insert into company (company_name, company_tel, company_mobil, KH_CZZ) ") + rows
                               .arg(customers)
                           + QStringLiteral("select '客户' || i, '0' || (755 + i % 7) || '-' || printf('%08d', abs(random()) % 100000000), "
                                            "'13' || (i % 10) || printf('%08d', abs(random()) % 100000000), 'system' from n"));
        connection.execute(QStringLiteral("insert into KH_LXR (companyid, Connect_name, tel, mobil) ") + rows.arg(customers)
                           + QStringLiteral("select i, '联系人' || i, '0' || (755 + i % 7) || '-' || printf('%08d', abs(random()) % 100000000), "
                                            "'15' || (i % 10) || printf('%08d', abs(random()) % 100000000) from n"));
        // Earlier years: 2020 to 2025, seven calls in ten from a contact.
        connection.execute(QStringLiteral("insert into Hv_Cidlist (DateTime, CallerID, UserNO, CidName) ")
                           + rows.arg(customers - kTodaysCalls)
                           + QStringLiteral("select printf('%04d-%02d-%02d %02d:%02d:00', 2020 + i / 200000, 1 + (i / 16000) % 12, "
                                            "1 + (i / 1440) % 28, (i / 60) % 24, i % 60), "
                                            "case when i % 10 < 7 then (select mobil from KH_LXR where id = 1 + i % %1) "
                                            "else '137' || printf('%08d', abs(random()) % 100000000) end, "
                                            "case when i % 10 < 7 then '联系人' || (1 + i % %1) end, 'system' from n")
                                 .arg(customers));
        // Today's calls: seven in ten from a customer's mobile, some of them twice.
        connection.execute(QStringLiteral("insert into Hv_Cidlist (DateTime, CallerID, CidName) ") + rows.arg(kTodaysCalls)
                           + QStringLiteral("select now(), case when i % 10 < 7 then (select company_mobil from company where "
                                            "id = 1 + ((i % 120) * 7919) % %1) else '136' || printf('%08d', abs(random()) % 100000000) end, "
                                            "'system' from n")
                                 .arg(customers));
        db::Recordset contacts;
        contacts.open(QStringLiteral("select top 1000 mobil from KH_LXR order by id"), connection);
        for (; !contacts.eof(); contacts.moveNext()) contactNumbers_ << contacts.field(0).toText().toLatin1();
        connection.close();
        // The file is brought up to this build's indexes as the program does when it opens it.
        fileupgrade::upgrade(database::connectStringFor(folder_));
    }

    int customers_;
    QString folder_;
    QList<QByteArray> contactNumbers_;
};

// A plain SQLite handle opened as the layer opens its handles.
class PlainHandle {
public:
    explicit PlainHandle(const std::string& file)
    {
        sqlite3_open_v2(file.c_str(), &handle_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
        sqlite3_busy_timeout(handle_, 8000);
        sqlite3_exec(handle_, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
    }
    ~PlainHandle() { sqlite3_close_v2(handle_); }
    PlainHandle(const PlainHandle&) = delete;
    PlainHandle& operator=(const PlainHandle&) = delete;

    // Runs the statement with text parameters and reads every cell with its own type.
    std::vector<std::vector<std::string>> rows(const std::string& sql, const std::vector<std::string>& texts = {})
    {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(handle_, sql.c_str(), -1, &statement, nullptr);
        for (size_t i = 0; i < texts.size(); ++i)
            sqlite3_bind_text(statement, static_cast<int>(i + 1), texts[i].c_str(), -1, SQLITE_TRANSIENT);
        std::vector<std::vector<std::string>> result;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            std::vector<std::string> row;
            for (int c = 0; c < sqlite3_column_count(statement); ++c) {
                switch (sqlite3_column_type(statement, c)) {
                case SQLITE_INTEGER: row.push_back(std::to_string(sqlite3_column_int64(statement, c))); break;
                case SQLITE_FLOAT: row.push_back(std::to_string(sqlite3_column_double(statement, c))); break;
                case SQLITE_NULL: row.emplace_back(); break;
                default: row.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(statement, c)));
                }
            }
            result.push_back(std::move(row));
        }
        sqlite3_finalize(statement);
        return result;
    }

private:
    sqlite3* handle_ = nullptr;
};

// The number's last six characters as one phrase, as the call handling asks the index.
std::string phrase(const std::string& number)
{
    return '"' + number.substr(number.size() > 6 ? number.size() - 6 : 0) + '"';
}

// Every "(?)" of the condition replaced by the list.
std::string withList(std::string condition, const std::string& list)
{
    for (size_t at = condition.find("(?)"); at != std::string::npos; at = condition.find("(?)", at + list.size()))
        condition.replace(at, 3, list);
    return condition;
}

// The plain handles of one benchmark: the main file and the number-area database.
struct PlainFiles {
    PlainHandle main;
    PlainHandle area;
    std::string contactsHolding;   // the contacts holding the number whole, "?" its place
    explicit PlainFiles(const CallDatabase& data)
        : main(data.file()), area(CallDatabase::areaFile()), contactsHolding(data.holdingCondition("KH_LXR"))
    {
    }
};

// The caller match and the call-log row in plain SQLite: the options, the
// contacts holding the number whole or else those the number index names,
// the matched contact, the number's area, the new row.
std::string plainMatchAndLog(PlainFiles& files, const std::string& number)
{
    files.main.rows("select OutLine, isPop, RecordFlag from DriveInfo");
    std::string contactId;
    const auto whole = files.main.rows("select id, tel, fax, mobil, hometel from KH_LXR where "
                                           + withList(files.contactsHolding, "(?)"),
                                       {number});
    for (const auto& row : whole)
        if (contactId.empty() || std::stoll(row[0]) < std::stoll(contactId)) contactId = row[0];
    if (contactId.empty()) {
        const auto candidates = files.main.rows(
            "select id, tel, fax, mobil, hometel from KH_LXR where id in "
            "(select rowid from KH_LXR_numbertext where KH_LXR_numbertext match ?)",
            {phrase(number)});
        for (const auto& row : candidates)
            for (size_t c = 1; c < row.size() && contactId.empty(); ++c)
                if (row[c].find(number) != std::string::npos) contactId = row[0];
    }
    std::string name;
    std::string companyId;
    if (!contactId.empty()) {
        const auto contact = files.main.rows("select Connect_name, companyid, * from KH_LXR where id=?", {contactId});
        if (!contact.empty()) name = contact[0][0], companyId = contact[0][1];
    }
    const auto area = files.area.rows("select area, t from list where num=?", {number.substr(0, 7)});
    files.main.rows("insert into Hv_Cidlist (DateTime, CallerID, UserNO, CidName, CIDarea) "
                    "values (datetime('now'), ?, nullif(?, ''), 'system', ?)",
                    {number, name, area.empty() ? std::string() : area[0][0] + "--" + area[0][1]});
    return companyId;
}

struct Figures {
    std::vector<double> ours;
    std::vector<double> baseline;
};

void report(benchmark::State& state, const Figures& figures)
{
    const double ours = median(figures.ours);
    const double baseline = median(figures.baseline);
    state.counters["ours_ms"] = ours;
    state.counters["plain_ms"] = baseline;
    state.counters["ratio"] = baseline > 0 ? ours / baseline : 0;
}

// One caller ID of a contact, pop-ups off: the tick keeps the call, the
// reader matches the caller and the answer is shown (the writer logs the row
// meanwhile; today's list follows it, outside the measure).
void BM_MatchAndLogCaller(benchmark::State& state)
{
    const CallDatabase& data = CallDatabase::of(static_cast<int>(state.range(0)));
    data.use("0");
    PlainFiles files(data);
    callerid::GtMain* monitor = Program::instance().monitor();
    Figures figures;
    int i = 0;
    for (auto _ : state) {
        const QByteArray number = data.contactNumber(i++);
        auto start = std::chrono::steady_clock::now();
        gxbox::SimulatedBox::instance().push({gxevent::FskCallerId, 0, number});
        monitor->PollBoxEvents();
        runUntil([monitor] { return monitor->callersPending() == 0; });
        figures.ours.push_back(millisecondsSince(start));
        state.PauseTiming();
        settle(monitor);
        start = std::chrono::steady_clock::now();
        plainMatchAndLog(files, number.toStdString());
        figures.baseline.push_back(millisecondsSince(start));
        state.ResumeTiming();
    }
    report(state, figures);
}
BENCHMARK(BM_MatchAndLogCaller)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(20);

// When the caller's card is shown (its show event: loaded, with its tabs)
// and when it has painted (its window exposed, which Qt paints in the same
// step), after `start`.
class CardWatch : public QObject {
public:
    CardWatch() { qApp->installEventFilter(this); }
    ~CardWatch() override { qApp->removeEventFilter(this); }
    void reset(std::chrono::steady_clock::time_point start)
    {
        start_ = start;
        card_ = nullptr;
        shownMs_ = 0;
    }
    double shownMs() const { return shownMs_; }
    bool painted() const { return card_ && card_->windowHandle() && card_->windowHandle()->isExposed(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* form = qobject_cast<ui::Form*>(watched);
        if (event->type() == QEvent::Show && form && form->kind() == QLatin1String("frmCustDetail") && !card_) {
            shownMs_ = millisecondsSince(start_);
            card_ = form;
        }
        return false;
    }

private:
    std::chrono::steady_clock::time_point start_;
    QPointer<ui::Form> card_;
    double shownMs_ = 0;
};

// Pop-ups on: from the event to the customer card shown with its tabs, and
// to its first paint. Between calls the line is quiet for a moment, as a
// shop's lines are, so the monitor makes the next card ahead. The baseline
// adds to the match and the row the card's reads: the customer, its
// contacts and the rows of each tab.
void BM_CardShownAfterTheEvent(benchmark::State& state)
{
    const CallDatabase& data = CallDatabase::of(static_cast<int>(state.range(0)));
    data.use("1");
    PlainFiles files(data);
    callerid::GtMain* monitor = Program::instance().monitor();
    CardWatch card;
    Figures figures;
    std::vector<double> painted;
    int i = 0;
    for (auto _ : state) {
        const QByteArray number = data.contactNumber(500 + i++);
        auto start = std::chrono::steady_clock::now();
        card.reset(start);
        gxbox::SimulatedBox::instance().push({gxevent::FskCallerId, 0, number});
        monitor->PollBoxEvents();
        runUntil([&card] { return card.painted(); });
        painted.push_back(millisecondsSince(start));
        figures.ours.push_back(card.shownMs());
        state.PauseTiming();
        settle(monitor);
        runFor(callerid::GtMain::kPrepareCardMs + 50);
        for (ui::Form* form : ui::Windows::all())
            if (form->kind() == QLatin1String("frmCustDetail")) ui::Windows::unload(form);
        start = std::chrono::steady_clock::now();
        {
            PlainHandle& handle = files.main;
            const std::string company = plainMatchAndLog(files, number.toStdString());
            handle.rows("select * from company where id=?", {company});
            const auto contacts = handle.rows("select tel, fax, mobil, hometel, * from KH_LXR where companyid=?", {company});
            for (const char* table : {"KH_ACT", "KH_LXR", "chance", "sales", "SalesMX", "service"})
                handle.rows(std::string("select * from ") + table + " where companyid=? order by id desc", {company});
            std::string numbers;
            for (const auto& contact : contacts) numbers += contact[0] + contact[1] + contact[2] + contact[3];
            handle.rows("select ID,DateTime,CallerID,UserNO,Contant,WavFile from Hv_Cidlist where instr(?,CallerID) "
                        "order by id desc",
                        {numbers});
        }
        figures.baseline.push_back(millisecondsSince(start));
        state.ResumeTiming();
    }
    report(state, figures);
    state.counters["painted_ms"] = median(painted);
}
BENCHMARK(BM_CardShownAfterTheEvent)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(10);

// The day's calls read in plain SQLite, newest first.
std::vector<std::vector<std::string>> plainDayCalls(PlainHandle& handle)
{
    const QDate today = QDate::currentDate();
    return handle.rows("select * from Hv_Cidlist where datetime>=? and datetime<? order by datetime desc",
                       {today.toString(Qt::ISODate).toStdString(), today.addDays(1).toString(Qt::ISODate).toStdString()});
}

// The customer of each number in plain SQLite: those holding a number
// whole, then those the number index names for the other numbers.
std::map<std::string, std::string> plainCustomersOf(PlainHandle& handle, const std::string& customersHolding,
                                                    const std::vector<std::string>& numbers)
{
    std::string list;
    for (const std::string& number : numbers) list += (list.empty() ? "('" : "','") + number;
    std::map<std::string, std::string> customerOf;
    for (const auto& company : handle.rows("select id, company_tel, company_fax, company_mobil from company where "
                                           + withList(customersHolding, list + "')")))
        for (size_t c = 1; c < company.size(); ++c)
            if (std::find(numbers.begin(), numbers.end(), company[c]) != numbers.end()
                && (!customerOf.count(company[c]) || std::stoll(company[0]) < std::stoll(customerOf[company[c]])))
                customerOf[company[c]] = company[0];
    std::string query;
    for (const std::string& number : numbers)
        if (!customerOf.count(number)) query += (query.empty() ? "" : " OR ") + phrase(number);
    if (!query.empty())
        for (const auto& company : handle.rows("select id, company_tel, company_fax, company_mobil from company where id in "
                                               "(select rowid from company_numbertext where company_numbertext match ?)",
                                               {query}))
            for (const std::string& number : numbers)
                for (size_t c = 1; c < company.size(); ++c)
                    if (!customerOf.count(number) && company[c].find(number) != std::string::npos)
                        customerOf[number] = company[0];
    return customerOf;
}

// The names of the customers found.
void plainNames(PlainHandle& handle, const std::map<std::string, std::string>& customerOf)
{
    std::string ids;
    for (const auto& [number, id] : customerOf) ids += (ids.empty() ? "" : ",") + id;
    handle.rows("select id, company_name from company where id in (" + ids + ")");
}

// The distinct numbers of the day's calls.
std::vector<std::string> plainDayNumbers(PlainHandle& handle)
{
    std::vector<std::string> numbers;
    for (const auto& call : plainDayCalls(handle))
        if (!call[2].empty() && std::find(numbers.begin(), numbers.end(), call[2]) == numbers.end())
            numbers.push_back(call[2]);
    return numbers;
}

// Today's list after a call in plain SQLite, as the monitor brings it up to
// date: the day's calls; the newest customer; the customers found for the
// numbers listed before, read again for those numbers; the customers holding
// whole a number none held whole; the customers of the numbers new to the
// list; their names. `known` is the numbers listed before with their
// customer ("" none), kept from call to call as the monitor keeps it.
void plainDayListAfterACall(PlainHandle& handle, const std::string& customersHolding,
                            std::map<std::string, std::string>& known)
{
    std::vector<std::string> fresh;
    for (const std::string& number : plainDayNumbers(handle))
        if (!known.count(number)) fresh.push_back(number);
    handle.rows("select max(id) from company");
    std::string foundIn;
    std::string notHeldWhole;
    for (const auto& [number, id] : known) {
        if (!id.empty()) foundIn += (foundIn.empty() ? "" : ",") + id;
        else notHeldWhole += (notHeldWhole.empty() ? "('" : "','") + number;
    }
    if (!foundIn.empty())
        handle.rows("select id, company_tel, company_fax, company_mobil from company where id in (" + foundIn + ")");
    if (!notHeldWhole.empty())
        handle.rows("select id, company_tel, company_fax, company_mobil from company where "
                    + withList(customersHolding, notHeldWhole + "')"));
    const std::map<std::string, std::string> found = plainCustomersOf(handle, customersHolding, fresh);
    for (const std::string& number : fresh) known[number] = found.count(number) ? found.at(number) : std::string();
    std::map<std::string, std::string> customerOf;
    for (const auto& [number, id] : known)
        if (!id.empty()) customerOf[number] = id;
    plainNames(handle, customerOf);
}

// Today's list of a busy day read again whole and shown, as the day's button
// does and as the list is read after each call.
void BM_DayListReload(benchmark::State& state)
{
    const CallDatabase& data = CallDatabase::of(static_cast<int>(state.range(0)));
    data.use("0");
    PlainHandle handle(data.file());
    const std::string customersHolding = data.holdingCondition("company");
    callerid::GtMain* monitor = Program::instance().monitor();
    settle(monitor);
    Figures figures;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        monitor->image12_Click();
        runUntil([monitor] { return monitor->readsAnswered(); });
        figures.ours.push_back(millisecondsSince(start));
        state.PauseTiming();
        start = std::chrono::steady_clock::now();
        plainNames(handle, plainCustomersOf(handle, customersHolding, plainDayNumbers(handle)));
        figures.baseline.push_back(millisecondsSince(start));
        state.ResumeTiming();
    }
    report(state, figures);
    state.counters["calls"] = kTodaysCalls;
}
BENCHMARK(BM_DayListReload)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(10);

// A call from a stranger late in a busy day, pop-ups off: from the event to
// today's list showing the call, each row with the customer holding its
// number now. The baseline is the same work in plain SQLite: the match and
// the row, then the list brought up to date as the monitor does it.
void BM_CallWithTodaysList(benchmark::State& state)
{
    const CallDatabase& data = CallDatabase::of(static_cast<int>(state.range(0)));
    data.use("0");
    PlainFiles files(data);
    const std::string customersHolding = data.holdingCondition("company");
    callerid::GtMain* monitor = Program::instance().monitor();
    monitor->image12_Click();
    settle(monitor);
    auto* list = monitor->control<ui::ListView>(QStringLiteral("ListView3"));
    std::map<std::string, std::string> known = plainCustomersOf(files.main, customersHolding, plainDayNumbers(files.main));
    for (const std::string& number : plainDayNumbers(files.main)) known.try_emplace(number);
    Figures figures;
    int i = 0;
    for (auto _ : state) {
        const QByteArray number = "139" + QByteArray::number(10'000'000 + (i++ * 7'368'787) % 90'000'000);
        auto start = std::chrono::steady_clock::now();
        gxbox::SimulatedBox::instance().push({gxevent::FskCallerId, 0, number});
        monitor->PollBoxEvents();
        runUntil([&] { return list->itemCount() > 0 && list->text(0, 1) == QLatin1String(number); });
        figures.ours.push_back(millisecondsSince(start));
        state.PauseTiming();
        settle(monitor);
        start = std::chrono::steady_clock::now();
        plainMatchAndLog(files, number.toStdString());
        plainDayListAfterACall(files.main, customersHolding, known);
        figures.baseline.push_back(millisecondsSince(start));
        state.ResumeTiming();
    }
    report(state, figures);
}
BENCHMARK(BM_CallWithTodaysList)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace
