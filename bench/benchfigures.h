#pragma once
// What the benchmarks of this folder share: a plain SQLite handle opened as
// the database layer opens its own, the memory figures of the process, and a
// reporter that prints each of our figures beside its plain-SQLite baseline.
#include <QString>
#include <benchmark/benchmark.h>
#include <map>
#include <sqlite3.h>
#include <string>

namespace benchfigures {

// Opened read-write without the engine's mutex, with a rollback journal and
// the layer's busy wait, as every connection of the system is.
sqlite3* openPlain(const QString& file);

// Every cell of the statement's rows read with its own type and kept nowhere; returns the rows.
int readTyped(sqlite3_stmt* statement);
// The query prepared on the handle and its rows read as readTyped reads them; returns the rows.
int readTyped(sqlite3* handle, const char* sql);

// Resident and peak resident memory of the process, in MiB; resetPeak() starts a new peak.
double residentMiB();
double peakMiB();
void resetPeak();

// Prints, after the usual output, a table of every benchmark "BM_X/size" that
// has a baseline "BM_XSqlite/size": ours, the baseline, and the ratio.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    std::map<std::string, double> milliseconds_;
};

} // namespace benchfigures
