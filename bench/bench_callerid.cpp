// Incoming-call timings on 100,000 customers with one contact each and a day
// of a few dozen calls: matching a caller and writing the call-log row, the
// customer card shown after the event enters the box (one tick; the poll
// period adds at most its 20 ms), and reloading the day's list.
#include "callerid/gtmain.h"
#include "callerid/windows.h"
#include "common/database.h"
#include "common/firststart.h"
#include "common/mymode.h"
#include "customers/windows.h"
#include "platform/gxbox/simulatedbox.h"
#include "platform/ui/desktop.h"
#include "platform/ui/windows.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kCustomers = 100'000;

class CallerIdBench {
public:
    static CallerIdBench& instance()
    {
        static CallerIdBench bench;
        return bench;
    }
    callerid::GtMain* monitor() const { return monitor_; }
    void settings(const char* isPop)
    {
        database::openMain()->execute(QStringLiteral("update DriveInfo set isPop='%1', RecordFlag='0'").arg(QLatin1String(isPop)));
    }

private:
    CallerIdBench()
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "bench_callerid";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance()) new QApplication(argc, argv);
        ui::setProgramFolderForTests(dir_.path());
        firststart::ensureDatabases();
        Mymode::ConnectString = database::localConnectString();
        Mymode::OperatorName = QStringLiteral("system");
        Mymode::UserRights = QStringLiteral("per=1;Uright=1;b_work=1;");
        customers::defineWindows();
        callerid::defineWindows();
        auto connection = database::openMain();
        connection->execute(QStringLiteral(
            "insert into company (company_name, company_tel, company_mobil, KH_CZZ) "
            "with recursive n(i) as (select 1 union all select i + 1 from n where i < %1) "
            "select '客户' || i, '0755-' || (20000000 + i), '139' || (10000000 + i), 'system' from n").arg(kCustomers));
        connection->execute(QStringLiteral(
            "insert into KH_LXR (companyid, Connect_name, tel, mobil) "
            "with recursive n(i) as (select 1 union all select i + 1 from n where i < %1) "
            "select i, '联系人' || i, '0755-' || (20000000 + i), '138' || (10000000 + i) from n").arg(kCustomers));
        for (int i = 0; i < 40; ++i)
            connection->execute(QStringLiteral("insert into Hv_Cidlist (DateTime, CallerID, CidName) values (now(), '1381%1', 'system')")
                                    .arg(1000000 + i));
        gxbox::SimulatedBox::instance().configure({1});
        monitor_ = ui::Windows::get<callerid::GtMain>(QStringLiteral("GtMain"));
    }

    QTemporaryDir dir_;
    callerid::GtMain* monitor_ = nullptr;
};

// One tick with one caller ID, pop-ups off: the match and the call-log row
// (today's list is filled after the tick).
void BM_MatchAndLogCaller(benchmark::State& state)
{
    CallerIdBench& bench = CallerIdBench::instance();
    bench.settings("0");
    int i = 0;
    for (auto _ : state) {
        const QByteArray number = QByteArray::number(13810050000LL + (i++ % 1000));
        gxbox::SimulatedBox::instance().push({gxevent::FskCallerId, 0, number});
        bench.monitor()->PollBoxEvents();
    }
}
BENCHMARK(BM_MatchAndLogCaller)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_CardShownAfterTheEvent(benchmark::State& state)
{
    CallerIdBench& bench = CallerIdBench::instance();
    bench.settings("1");
    int i = 0;
    for (auto _ : state) {
        const QByteArray number = QByteArray::number(13810060000LL + (i++ % 1000));
        gxbox::SimulatedBox::instance().push({gxevent::FskCallerId, 0, number});
        bench.monitor()->PollBoxEvents();
        state.PauseTiming();
        for (ui::Form* form : ui::Windows::all())
            if (form->kind() == QLatin1String("frmCustDetail")) ui::Windows::unload(form);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CardShownAfterTheEvent)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_DayListReload(benchmark::State& state)
{
    CallerIdBench& bench = CallerIdBench::instance();
    for (auto _ : state) bench.monitor()->image12_Click();
}
BENCHMARK(BM_DayListReload)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace
