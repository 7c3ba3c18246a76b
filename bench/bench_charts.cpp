// The composition analysis by customer, from its run button to its chart
// drawn, at 1,000 to 100,000 customers with sales. The floor beside it is the
// least the chart can cost: the same sums read by plain SQL, every label
// measured for the slot width, and the bars and labels in view painted.
#include "bench/benchfigures.h"
#include "bench/shopprogram.h"
#include "platform/ui/chart.h"
#include "platform/ui/controls.h"
#include "platform/ui/tabcontrol.h"
#include "platform/ui/datepicker.h"
#include "platform/ui/windows.h"
#include "reports/windows.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

const char* const kCustomerSums =
    "select b.company_name,x.amount,x.unpaid from (select companyid,sum(totlemoney) as amount,"
    "sum(totlemoney-receivemoney) as unpaid from sales where salesdate>='2009-06-15' and salesdate<'2009-06-16' "
    "group by companyid) x left join company b on b.id=x.companyid order by x.companyid";

void settle(ui::Chart* chart)
{
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    chart->viewport()->repaint();
}

// 销售构成分析, by customer, over the day of the orders: the run button
// clicked, the chart tab shown and the chart painted.
void BM_CompositionChart(benchmark::State& state)
{
    shopprogram::use(static_cast<int>(state.range(0)));
    reports::defineWindows();
    ui::Form* window = ui::Windows::open(QStringLiteral("AnalySalesGc"));
    window->show();
    window->control<ui::OptionButton>(QStringLiteral("Option1(1)"))->setValue(true);
    for (const char* picker : {"text1", "text2"})
        window->control<ui::DatePicker>(QString::fromLatin1(picker))->setValue(shopprogram::kOrderDay);
    auto* run = window->control<ui::CommandButton>(QStringLiteral("command3"));
    auto* tabs = window->control<ui::TabControl>(QStringLiteral("SSTab1"));
    auto* chart = window->control<ui::Chart>(QStringLiteral("MSChart1"));
    for (auto _ : state) {
        state.PauseTiming();
        tabs->setTab(0);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        run->click();
        settle(chart);
    }
    state.counters["rows"] = chart->rowCount();
    ui::Windows::unloadAll();
}
BENCHMARK(BM_CompositionChart)->Arg(1'000)->Arg(5'000)->Arg(10'000)->Arg(20'000)->Arg(100'000)->Unit(benchmark::kMillisecond)->Iterations(3);

// The query alone, every cell read with its own type.
void BM_CompositionQuerySqlite(benchmark::State& state)
{
    shopprogram::use(static_cast<int>(state.range(0)));
    sqlite3* handle = benchfigures::openPlain(shopprogram::dataFile());
    int rows = 0;
    for (auto _ : state) {
        rows = benchfigures::readTyped(handle, kCustomerSums);
    }
    sqlite3_close_v2(handle);
    state.counters["rows"] = rows;
}
BENCHMARK(BM_CompositionQuerySqlite)->Arg(1'000)->Arg(5'000)->Arg(10'000)->Arg(20'000)->Arg(100'000)->Unit(benchmark::kMillisecond)->Iterations(3);

// The floor: the query, its names and amounts kept, every name measured,
// and a chart's view of bars and upright labels painted.
void BM_CompositionChartSqlite(benchmark::State& state)
{
    shopprogram::use(static_cast<int>(state.range(0)));
    sqlite3* handle = benchfigures::openPlain(shopprogram::dataFile());
    QWidget host;
    const QFont font = host.font();
    const QFontMetricsF metrics(font);
    QImage view(800, 420, QImage::Format_RGB32);
    size_t rows = 0;
    for (auto _ : state) {
        std::vector<std::pair<QString, double>> sums;
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(handle, kCustomerSums, -1, &statement, nullptr);
        while (sqlite3_step(statement) == SQLITE_ROW)
            sums.emplace_back(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0))),
                              sqlite3_column_double(statement, 1));
        sqlite3_finalize(statement);
        double longest = 0;
        double high = 1;
        for (const auto& [name, amount] : sums) {
            longest = std::max(longest, metrics.horizontalAdvance(name));
            high = std::max(high, amount);
        }
        const double slot = 2 * metrics.height();
        QPainter painter(&view);
        painter.fillRect(view.rect(), Qt::white);
        painter.setFont(font);
        for (size_t i = 0; i < sums.size() && (i + 1) * slot < view.width(); ++i) {
            const double x = i * slot;
            painter.fillRect(QRectF(x + slot / 4, 300 - 280 * sums[i].second / high, slot / 2, 280 * sums[i].second / high),
                             ui::Chart::seriesColor());
            painter.save();
            painter.translate(x + slot / 2, 304);
            painter.rotate(-90);
            painter.drawText(QRectF(-110, -metrics.height() / 2, 110, metrics.height()), Qt::AlignRight | Qt::AlignVCenter,
                             metrics.elidedText(sums[i].first, Qt::ElideRight, 110));
            painter.restore();
        }
        benchmark::DoNotOptimize(longest);
        rows = sums.size();
    }
    sqlite3_close_v2(handle);
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_CompositionChartSqlite)->Arg(1'000)->Arg(5'000)->Arg(10'000)->Arg(20'000)->Arg(100'000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
