// The SMS compose window's number box filled from the customer list, at
// 10,000 / 20,000 / 100,000 customers with mobile numbers: 全选 clicked to the
// box filled and painted, and ">>" once the box holds every number. The floor
// beside each is the read of every customer's mobile number in plain SQLite.
#include "bench/benchfigures.h"
#include "bench/shopprogram.h"
#include "platform/ui/controls.h"
#include "platform/ui/datagrid.h"
#include "platform/ui/windows.h"
#include "sms/windows.h"

#include <QApplication>
#include <QTest>
#include <benchmark/benchmark.h>

namespace {

struct Compose {
    ui::Form* window;
    ui::TextArea* numbers;
    ui::CheckBox* selectAll;

    explicit Compose(benchmark::State& state)
    {
        shopprogram::use(static_cast<int>(state.range(0)));
        sms::defineWindows();
        window = ui::Windows::open(QStringLiteral("SMSsend"));
        window->show();
        numbers = window->control<ui::TextArea>(QStringLiteral("text1"));
        selectAll = window->control<ui::CheckBox>(QStringLiteral("Check1"));
        QCoreApplication::processEvents();
    }
    ~Compose() { ui::Windows::unloadAll(); }

    // A click on 全选, as the operator gives it.
    void clickSelectAll() { QTest::mouseClick(selectAll, Qt::LeftButton, {}, QPoint(4, selectAll->height() / 2)); }
    void painted()
    {
        QCoreApplication::processEvents();
        numbers->viewport()->repaint();
    }
};

void BM_SelectAll(benchmark::State& state)
{
    Compose compose(state);
    for (auto _ : state) {
        state.PauseTiming();
        compose.numbers->setText(QString());
        if (compose.selectAll->value() == 1) compose.clickSelectAll();   // clears it
        QCoreApplication::processEvents();
        state.ResumeTiming();
        compose.clickSelectAll();
        compose.painted();
    }
    state.counters["chars"] = static_cast<double>(compose.numbers->text().size());
}
BENCHMARK(BM_SelectAll)->Arg(10'000)->Arg(20'000)->Arg(100'000)->Unit(benchmark::kMillisecond)->Iterations(3);

// ">>" on the first customer's row once 全选 has filled the box.
void BM_AppendAfterSelectAll(benchmark::State& state)
{
    Compose compose(state);
    compose.clickSelectAll();
    const QString all = compose.numbers->text();
    auto* grid = compose.window->control<ui::DataGrid>(QStringLiteral("DataGrid1"));
    grid->setCurrentRow(0);
    auto* append = compose.window->control<ui::CommandButton>(QStringLiteral("Command4"));
    for (auto _ : state) {
        state.PauseTiming();
        compose.numbers->setText(all);
        compose.painted();
        state.ResumeTiming();
        QTest::mouseClick(append, Qt::LeftButton);
        compose.painted();
    }
    state.counters["chars"] = static_cast<double>(compose.numbers->text().size());
}
BENCHMARK(BM_AppendAfterSelectAll)->Arg(10'000)->Arg(20'000)->Arg(100'000)->Unit(benchmark::kMillisecond)->Iterations(3);

// Every customer's mobile number read, each cell with its own type.
void readMobiles(benchmark::State& state)
{
    shopprogram::use(static_cast<int>(state.range(0)));
    sqlite3* handle = benchfigures::openPlain(shopprogram::dataFile());
    int rows = 0;
    for (auto _ : state) {
        rows = benchfigures::readTyped(handle, "select company_mobil from company");
    }
    sqlite3_close_v2(handle);
    state.counters["rows"] = rows;
}
void BM_SelectAllSqlite(benchmark::State& state) { readMobiles(state); }
void BM_AppendAfterSelectAllSqlite(benchmark::State& state) { readMobiles(state); }
BENCHMARK(BM_SelectAllSqlite)->Arg(10'000)->Arg(20'000)->Arg(100'000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_AppendAfterSelectAllSqlite)->Arg(10'000)->Arg(20'000)->Arg(100'000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
