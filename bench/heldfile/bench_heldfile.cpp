// A shop's calls while another workstation writes to the shared data file,
// driven through the real call monitor: the monitor loads on the simulated
// box with a HALVEX_CIDBOX script, its poll timer takes the events, and a
// thread of this program appends to the script what a caller does (rings,
// gives the caller ID, is answered, hangs up), one call every interval. With
// pop-ups and recording on, every pop-up (the caller's card, the
// unknown-caller window or the busy notice) is closed as soon as it shows.
// Meanwhile other processes, started from this program, reach the same file
// through plain SQLite, waiting for it as a workstation of this program waits:
//
//   held:      one write transaction held 12 s, short transactions back to
//              back for 25 s, one held 20 s;
//   exclusive: the file held exclusively (BEGIN EXCLUSIVE, as a save's commit
//              or a compacting tool holds it) 12 s, short transactions back
//              to back for 10 s, held exclusively 20 s;
//   report:    one process keeps a read transaction (a long report) 15 s
//              while another saves orders back to back beside it: the save
//              waiting to commit keeps every new reader out;
//   orders:    two processes saving orders back to back, for the whole run.
//
// Printed per workload: calls logged, with their contact (the known callers),
// with their recording; pop-up delay (caller-ID line written to the window
// shown) median, p95 and worst; the longest the window thread did not run
// its timers (goal: 0.1 s); the most calls waiting to be logged at once and
// how long after the last call the last one was logged.
//
//   bench_heldfile             20,000 customers, 45 calls every 2 s; goals: every
//                              call logged with its contact and recording,
//                              median < 0.2 s, worst < 1 s, the window thread
//                              held at most 0.1 s
//   bench_heldfile --short     2,000 customers, 8 calls every 0.5 s, the
//                              other workstation's phases a tenth as long;
//                              checks only that every call was logged whole
//   --customers N --calls N --interval S --scale F   any other size
//
// Exit status 0 when every call was logged with its contact and recording
// (and, without --short, the delays met their goals).
#include "bench/callprogram.h"
#include "callerid/gtmain.h"
#include "callerid/windows.h"
#include "common/database.h"
#include "common/fileupgrade.h"
#include "common/firststart.h"
#include "common/mymode.h"
#include "common/sqltext.h"
#include "customers/windows.h"
#include "platform/db/busyhandler.h"
#include "platform/ui/desktop.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/waitcursor.h"
#include "platform/ui/windows.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <sqlite3.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double secondsBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double>(to - from).count();
}

// ---- The other workstation: plain SQLite on the file, phase by phase ----

bool run(sqlite3* handle, const char* sql)
{
    return sqlite3_exec(handle, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

// "hold:S" keeps one write transaction S seconds; "exclusive:S" keeps the
// file exclusively S seconds; "read:S" keeps a read transaction S seconds;
// "pause:S" waits S seconds; "short:S" writes in short transactions back to
// back for S seconds; "orders:S" saves orders (header, three lines, stock and
// the customer's balances) back to back.
int otherWorkstation(const char* file, int phaseCount, char** phases)
{
    sqlite3* handle = nullptr;
    if (sqlite3_open_v2(file, &handle, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) return 2;
    // It waits for the file as another workstation of this program does.
    db::busywait::install(handle);
    run(handle, "PRAGMA journal_mode=DELETE");
    std::mt19937 random(static_cast<unsigned>(getpid()));
    int written = 0;
    int refused = 0;
    for (int p = 0; p < phaseCount; ++p) {
        const QString phase = QString::fromLatin1(phases[p]);
        const QString kind = phase.section(QLatin1Char(':'), 0, 0);
        const double seconds = phase.section(QLatin1Char(':'), 1, 1).toDouble();
        const auto end = Clock::now() + std::chrono::duration<double>(seconds);
        if (kind == QLatin1String("pause")) {
            std::this_thread::sleep_until(end);
            continue;
        }
        if (kind == QLatin1String("read")) {
            if (run(handle, "BEGIN") && run(handle, "SELECT count(*) FROM company")) std::this_thread::sleep_until(end);
            run(handle, "COMMIT");
            continue;
        }
        if (kind == QLatin1String("hold") || kind == QLatin1String("exclusive")) {
            const char* begin = kind == QLatin1String("hold") ? "BEGIN IMMEDIATE" : "BEGIN EXCLUSIVE";
            if (!run(handle, begin) || !run(handle, "UPDATE JSQ SET LSH=LSH+1")) {
                ++refused;
                run(handle, "ROLLBACK");
                continue;
            }
            std::this_thread::sleep_until(end);
            written += run(handle, "COMMIT") ? 1 : (++refused, 0);
            continue;
        }
        while (Clock::now() < end) {
            bool ok = run(handle, "BEGIN IMMEDIATE");
            if (kind == QLatin1String("short")) {
                ok = ok && run(handle, "UPDATE JSQ SET LSH=LSH+1");
            } else {
                const int customer = 1 + static_cast<int>(random() % 1000);
                const int product = 1 + static_cast<int>(random() % 20);
                const QByteArray order =
                    QStringLiteral("INSERT INTO sales (companyid, orderno, salesdate, totlemoney, receivemoney, indexflag, "
                                   "sal_CZZ, sal_gk, TotalNum) VALUES (%1, 'SH-%2', datetime('now'), 30, 0, 'i%2', 'other', '1', 3);")
                        .arg(customer)
                        .arg(written)
                        .toUtf8();
                ok = ok && run(handle, order.constData());
                for (int line = 0; line < 3 && ok; ++line)
                    ok = run(handle, QStringLiteral("INSERT INTO SalesMX (productname, companyid, price, zk, num, unitprice, "
                                                    "salesdate, indexflag) VALUES ('产品%1', %2, 10, 100, 1, 10, "
                                                    "datetime('now'), 'i%3')")
                                         .arg(product)
                                         .arg(customer)
                                         .arg(written)
                                         .toUtf8()
                                         .constData());
                ok = ok && run(handle, QStringLiteral("UPDATE product SET KCL=KCL-3 WHERE id=%1").arg(product).toUtf8().constData());
                ok = ok && run(handle, QStringLiteral("UPDATE company SET company_zje=company_zje+30, company_QK=company_QK+30, "
                                                      "company_Zsl=company_Zsl+3 WHERE id=%1")
                                           .arg(customer)
                                           .toUtf8()
                                           .constData());
            }
            if (ok && run(handle, "COMMIT")) {
                ++written;
            } else {
                ++refused;
                run(handle, "ROLLBACK");
            }
        }
    }
    std::printf("  other workstation %d: %d transactions, %d refused\n", static_cast<int>(getpid()), written, refused);
    sqlite3_close(handle);
    return 0;
}

// ---- The shop ----

struct Options {
    int customers = 20000;
    int calls = 45;
    double interval = 2.0;
    double scale = 1.0;        // of the other workstation's phases
    bool checkGoals = true;
};

struct Call {
    QByteArray number;
    QString contact;           // empty: a caller no contact has
    Clock::time_point written; // the caller-ID line appended to the script
};

class Shop {
public:
    explicit Shop(const Options& options) : options_(options)
    {
        QDir().mkpath(dir_.filePath(QStringLiteral("WavFile")));
        startCallProgram(dir_.path());
        fill();
        script_ = dir_.filePath(QStringLiteral("box.txt"));
        QFile(script_).open(QIODevice::WriteOnly);
        qputenv("HALVEX_CIDBOX", QFile::encodeName(script_));
    }

    QString dataFile() const { return dir_.filePath(QStringLiteral("hvcrm/hvcrm.hvd")); }

    // One workload: the calls, with the other workstations' processes running.
    bool workload(const char* name, const QList<QStringList>& others)
    {
        std::printf("%s\n", name);
        std::fflush(stdout);
        database::openMain()->execute(QStringLiteral("delete from Hv_Cidlist"));
        QDir(dir_.filePath(QStringLiteral("WavFile"))).removeRecursively();
        QDir().mkpath(dir_.filePath(QStringLiteral("WavFile")));
        std::vector<Call> calls = makeCalls();

        auto* monitor = ui::Windows::get<callerid::GtMain>(QStringLiteral("GtMain"));
        shown_.clear();
        messages_.clear();
        QApplication::instance()->installEventFilter(&closer_);

        // The window thread's timers: the longest gap between two ticks.
        double longestHeld = 0;
        int mostWaiting = 0;
        auto lastBeat = Clock::now();
        QTimer heartbeat;
        QObject::connect(&heartbeat, &QTimer::timeout, [&] {
            const auto now = Clock::now();
            longestHeld = std::max(longestHeld, secondsBetween(lastBeat, now));
            lastBeat = now;
            mostWaiting = std::max(mostWaiting, monitor->waitingCalls());
        });
        heartbeat.start(5);

        std::vector<std::unique_ptr<QProcess>> processes;
        const auto start = Clock::now();
        std::thread caller([&] { ring(calls, start); });
        QTimer::singleShot(static_cast<int>(options_.interval * 500), [&] {
            for (const QStringList& phases : others) {
                auto process = std::make_unique<QProcess>();
                process->setProcessChannelMode(QProcess::ForwardedChannels);
                process->start(QCoreApplication::applicationFilePath(),
                               QStringList{QStringLiteral("--workstation"), dataFile()} + phases);
                processes.push_back(std::move(process));
            }
        });

        // Until the calls are made, the other workstations have ended and
        // nothing waits to be logged.
        const auto lastCall = start + std::chrono::duration_cast<Clock::duration>(
                                          std::chrono::duration<double>(options_.interval * (options_.calls - 1)));
        Clock::time_point allLogged{};
        QElapsedTimer limit;
        limit.start();
        while (limit.elapsed() < (options_.calls * options_.interval + 120) * 1000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            const bool othersDone = processes.size() == others.size()
                && std::all_of(processes.begin(), processes.end(),
                               [](const auto& process) { return process->state() == QProcess::NotRunning; });
            if (Clock::now() > lastCall + std::chrono::milliseconds(static_cast<int>(options_.interval * 1000)) && othersDone
                && monitor->writer().idle() && monitor->waitingCalls() == 0) {
                allLogged = Clock::now();
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        caller.join();
        heartbeat.stop();
        QApplication::instance()->removeEventFilter(&closer_);
        ui::Windows::unloadAll();
        return report(calls, longestHeld, mostWaiting, allLogged == Clock::time_point{} ? -1 : secondsBetween(lastCall, allLogged));
    }

private:
    // Customers with a contact each, the contact's mobile number the one they call from.
    void fill()
    {
        auto connection = database::openMain();
        const QString rows = QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < %1) ")
                                 .arg(options_.customers);
        connection->execute(QStringLiteral("insert into company (company_name, company_tel, company_mobil, KH_CZZ, "
                                           "company_zje, company_QK, company_Zsl) ")
                            + rows
                            + QStringLiteral("select '客户' || i, '0' || (755 + i % 7) || '-' || (81000000 + i), "
                                             "'133' || (10000000 + i), 'system', 0, 0, 0 from n"));
        connection->execute(QStringLiteral("insert into KH_LXR (companyid, Connect_name, tel, mobil) ") + rows
                            + QStringLiteral("select i, '联系人' || i, '0' || (755 + i % 7) || '-' || (82000000 + i), "
                                             "'139' || (10000000 + i) from n"));
        connection->execute(QStringLiteral("insert into product (product, price, KCL) with recursive n(i) as "
                                           "(select 1 union all select i + 1 from n where i < 20) "
                                           "select '产品' || i, 10, 100000 from n"));
        connection->execute(QStringLiteral("update DriveInfo set isPop='1', RecordFlag='1', OutLine=''"));
        connection->close();
        fileupgrade::upgrade(Mymode::ConnectString);
    }

    // Seven callers in ten are contacts, each call from a number of its own.
    std::vector<Call> makeCalls()
    {
        std::vector<Call> calls;
        for (int i = 0; i < options_.calls; ++i) {
            const int contact = 1 + static_cast<int>(random_() % options_.customers);
            if (i % 10 < 7)
                calls.push_back({QByteArray::number(1391000000LL * 10 + contact), QStringLiteral("联系人%1").arg(contact), {}});
            else
                calls.push_back({"136" + QByteArray::number(10000000 + ++strangers_), QString(), {}});
        }
        return calls;
    }

    void append(const QByteArray& lines)
    {
        QFile file(script_);
        file.open(QIODevice::Append);
        file.write(lines);
    }

    // Each call rings, gives its number and is answered at its time, and
    // hangs up before the next.
    void ring(std::vector<Call>& calls, Clock::time_point start)
    {
        for (size_t i = 0; i < calls.size(); ++i) {
            std::this_thread::sleep_until(start + std::chrono::duration<double>(options_.interval * i));
            calls[i].written = Clock::now();
            append("0 ring\n0 cid " + calls[i].number + "\n0 offhook\n");
            std::this_thread::sleep_until(start + std::chrono::duration<double>(options_.interval * (i + 0.7)));
            append("0 hangup\n");
        }
    }

    bool report(const std::vector<Call>& calls, double longestHeld, int mostWaiting, double lastLoggedAfter)
    {
        int logged = 0;
        int known = 0;
        int withContact = 0;
        int withRecording = 0;
        for (const Call& call : calls) {
            auto row = database::query(QStringLiteral("select UserNO, WavFile from Hv_Cidlist where CallerID=")
                                       + sqltext::quoted(QString::fromLatin1(call.number)));
            known += !call.contact.isEmpty();
            if (row->eof()) continue;
            ++logged;
            if (!call.contact.isEmpty() && row->field(0).toText() == call.contact) ++withContact;
            const QString wav = row->field(1).toText();
            if (!wav.isEmpty() && QFile::exists(dir_.filePath(QStringLiteral("WavFile/") + wav))) ++withRecording;
        }
        const auto rows = static_cast<int>(database::query(QStringLiteral("select count(*) from Hv_Cidlist"))->field(0).toLong());

        // Each call's delay: its caller-ID line to the first pop-up shown after it.
        std::vector<double> delays;
        int notices = 0;
        for (size_t i = 0; i < calls.size(); ++i) {
            const auto next = i + 1 < calls.size() ? calls[i + 1].written : Clock::time_point::max();
            for (const auto& [when, kind] : shown_) {
                if (when < calls[i].written || when >= next) continue;
                delays.push_back(secondsBetween(calls[i].written, when));
                notices += kind == QLatin1String("GtBusyNo");
                break;
            }
        }
        std::sort(delays.begin(), delays.end());
        const auto at = [&](double share) {
            return delays.empty() ? -1.0 : delays[std::min(delays.size() - 1, static_cast<size_t>(share * delays.size()))];
        };
        const int total = static_cast<int>(calls.size());
        std::printf("  calls logged          %d/%d (rows in the call log: %d)\n", logged, total, rows);
        std::printf("  with their contact    %d/%d known callers\n", withContact, known);
        std::printf("  with their recording  %d/%d\n", withRecording, total);
        std::printf("  pop-ups shown         %d/%d (%d of them the busy notice)\n", static_cast<int>(delays.size()), total,
                    notices);
        std::printf("  pop-up delay          median %.3f s, p95 %.3f s, worst %.3f s\n", at(0.5), at(0.95),
                    delays.empty() ? -1.0 : delays.back());
        std::printf("  window thread held    at most %.3f s at a time\n", longestHeld);
        std::printf("  calls waiting         at most %d at once; the last logged %.1f s after the last call\n", mostWaiting,
                    lastLoggedAfter);
        // A message box in a call's handling would stop the poll tick until the operator answered it.
        std::printf("  message boxes         %d\n", static_cast<int>(messages_.shown().size()));
        for (const ui::Message& message : messages_.shown()) std::printf("    %s\n", qPrintable(message.text));
        const bool whole = logged == total && rows == total && withContact == known && withRecording == total
            && messages_.shown().empty();
        const bool fast =
            static_cast<int>(delays.size()) == total && at(0.5) < 0.2 && delays.back() < 1.0 && longestHeld <= 0.1;
        std::printf("  %s%s\n\n", whole ? "every call logged with its contact and recording" : "CALLS MISSING",
                    options_.checkGoals ? (fast ? "; delays within the goals" : "; DELAYS OVER THE GOALS") : "");
        std::fflush(stdout);
        return whole && (!options_.checkGoals || fast);
    }

    // Closes every pop-up as it shows, noting when.
    class Closer : public QObject {
    public:
        explicit Closer(std::vector<std::pair<Clock::time_point, QString>>& shown) : shown_(shown) {}
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (event->type() != QEvent::Show) return false;
            auto* form = qobject_cast<ui::Form*>(watched);
            if (!form || !QStringList{"frmCustDetail", "GtNewNo", "GtBusyNo"}.contains(form->kind())) return false;
            shown_.emplace_back(Clock::now(), form->kind());
            QPointer<ui::Form> pointer(form);
            QTimer::singleShot(0, [pointer] {
                if (pointer) ui::Windows::unload(pointer.data());
            });
            return false;
        }

    private:
        std::vector<std::pair<Clock::time_point, QString>>& shown_;
    };

    Options options_;
    // Boxes are answered at once and counted, rather than waiting for an operator.
    ui::ScriptedMessages messages_;
    QTemporaryDir dir_{QDir::currentPath() + QStringLiteral("/bench_heldfile-XXXXXX")};
    QString script_;
    std::mt19937 random_{45};
    int strangers_ = 0;
    std::vector<std::pair<Clock::time_point, QString>> shown_;
    Closer closer_{shown_};
};

QString phase(const char* kind, double seconds)
{
    return QStringLiteral("%1:%2").arg(QLatin1String(kind)).arg(seconds);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && std::string(argv[1]) == "--workstation") return otherWorkstation(argv[2], argc - 3, argv + 3);

    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ui::showWaitsForTheDataFile();
    Options options;
    const QStringList arguments = app.arguments();
    for (int i = 1; i < arguments.size(); ++i) {
        const QString argument = arguments[i];
        const QString value = i + 1 < arguments.size() ? arguments[i + 1] : QString();
        if (argument == QLatin1String("--short")) {
            options = {2000, 8, 0.5, 0.1, false};
        } else if (argument == QLatin1String("--customers")) {
            options.customers = value.toInt(), ++i;
        } else if (argument == QLatin1String("--calls")) {
            options.calls = value.toInt(), ++i;
        } else if (argument == QLatin1String("--interval")) {
            options.interval = value.toDouble(), ++i;
        } else if (argument == QLatin1String("--scale")) {
            options.scale = value.toDouble(), ++i;
        } else {
            std::fprintf(stderr, "usage: bench_heldfile [--short] [--customers N] [--calls N] [--interval S] [--scale F]\n");
            return 2;
        }
    }
    std::printf("%d customers with a contact each; %d calls, one every %.1f s; pop-ups and recording on, "
                "every pop-up closed as it shows\n\n",
                options.customers, options.calls, options.interval);
    Shop shop(options);
    const double s = options.scale;
    const double run = options.calls * options.interval;
    bool sound = shop.workload("Another workstation: one write held 12 s, short writes back to back 25 s, one held 20 s",
                               {{phase("hold", 12 * s), phase("short", 25 * s), phase("hold", 20 * s)}});
    sound = shop.workload("Another workstation: the file held exclusively 12 s, short writes back to back 10 s, "
                          "held exclusively 20 s",
                          {{phase("exclusive", 12 * s), phase("short", 10 * s), phase("exclusive", 20 * s)}})
        && sound;
    sound = shop.workload("A long report (a read kept 15 s) with orders saved back to back beside it",
                          {{phase("read", 15 * s)}, {phase("pause", 1 * s), phase("orders", 15 * s)}})
        && sound;
    sound = shop.workload("Two workstations saving orders back to back", {{phase("orders", run)}, {phase("orders", run)}})
        && sound;
    return sound ? 0 : 1;
}
