#include "bench/benchfigures.h"

#include <QFile>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace benchfigures {

sqlite3* openPlain(const QString& file)
{
    sqlite3* handle = nullptr;
    sqlite3_open_v2(QFile::encodeName(file).constData(), &handle, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    sqlite3_busy_timeout(handle, 8000);
    sqlite3_exec(handle, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
    return handle;
}

int readTyped(sqlite3_stmt* statement)
{
    // Each cell taken as its storage class gives it, and folded into a sum
    // that is kept nowhere: the least any reader of the rows can do.
    std::uint64_t sum = 0;
    const int columns = sqlite3_column_count(statement);
    int rows = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        for (int i = 0; i < columns; ++i) {
            switch (sqlite3_column_type(statement, i)) {
            case SQLITE_INTEGER: sum += static_cast<std::uint64_t>(sqlite3_column_int64(statement, i)); break;
            case SQLITE_FLOAT: sum += static_cast<std::uint64_t>(sqlite3_column_double(statement, i)); break;
            case SQLITE_TEXT:
            case SQLITE_BLOB: {
                const auto* bytes = static_cast<const unsigned char*>(sqlite3_column_blob(statement, i));
                const int size = sqlite3_column_bytes(statement, i);
                sum += static_cast<std::uint64_t>(size) + (size > 0 ? bytes[0] + bytes[size - 1] : 0);
                break;
            }
            default: break;
            }
        }
        ++rows;
    }
    benchmark::DoNotOptimize(sum);
    return rows;
}

int readTyped(sqlite3* handle, const char* sql)
{
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(handle, sql, -1, &statement, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", sql, sqlite3_errmsg(handle));
        std::abort();
    }
    const int rows = readTyped(statement);
    sqlite3_finalize(statement);
    return rows;
}

namespace {
double statusMiB(const char* key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(key, 0) == 0) return std::stod(line.substr(std::string(key).size())) / 1024.0;
    return 0;
}
} // namespace

double residentMiB()
{
    return statusMiB("VmRSS:");
}

double peakMiB()
{
    return statusMiB("VmHWM:");
}

void resetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

void RatioReporter::ReportRuns(const std::vector<Run>& runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs)
        if (run.run_type == Run::RT_Iteration)
            milliseconds_[run.benchmark_name()] = run.GetAdjustedRealTime();   // the benchmarks report in ms
}

void RatioReporter::Finalize()
{
    ConsoleReporter::Finalize();
    std::printf("\n%-44s %12s %12s %8s\n", "road / size", "ours ms", "sqlite ms", "ratio");
    for (const auto& [name, ours] : milliseconds_) {
        const std::size_t slash = name.find('/');
        const std::string road = name.substr(0, slash);
        if (road.size() > 6 && road.compare(road.size() - 6, 6, "Sqlite") == 0) continue;
        const std::string rest = slash == std::string::npos ? std::string() : name.substr(slash);
        const auto baseline = milliseconds_.find(road + "Sqlite" + rest);
        if (baseline == milliseconds_.end() || baseline->second <= 0) continue;
        std::printf("%-44s %12.2f %12.2f %8.2f\n", name.c_str(), ours, baseline->second, ours / baseline->second);
    }
}

} // namespace benchfigures
