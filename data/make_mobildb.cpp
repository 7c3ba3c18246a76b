// Builds the read-only number-area database MobilDB.mdb (an SQLite file, as
// every database of the program) from the repository's data files:
//   list(num, area, t)  from mobile-blocks.csv.gz, indexed on num
//   ybqh(qh, sm, dq)    from landline-areas.csv
// Usage: make_mobildb <mobile-blocks.csv.gz> <landline-areas.csv> <output file>
#include <sqlite3.h>
#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> fields(const std::string& line)
{
    std::vector<std::string> parts;
    std::string part;
    for (char c : line) {
        if (c == ',') {
            parts.push_back(part);
            part.clear();
        } else if (c != '\r') {
            part += c;
        }
    }
    parts.push_back(part);
    return parts;
}

bool exec(sqlite3* db, const char* sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) == SQLITE_OK) return true;
    std::fprintf(stderr, "make_mobildb: %s\n", error ? error : "error");
    sqlite3_free(error);
    return false;
}

// Inserts each three-field line after the header; false on a short line or a failed insert.
template <class NextLine>
bool load(sqlite3* db, const char* insert, NextLine nextLine, long& rows)
{
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, insert, -1, &statement, nullptr) != SQLITE_OK) return false;
    std::string line;
    bool header = true;
    bool ok = true;
    while (ok && nextLine(line)) {
        if (header || line.empty()) {
            header = false;
            continue;
        }
        const std::vector<std::string> f = fields(line);
        if (f.size() != 3) {
            std::fprintf(stderr, "make_mobildb: bad line: %s\n", line.c_str());
            ok = false;
            break;
        }
        for (int i = 0; i < 3; ++i) sqlite3_bind_text(statement, i + 1, f[i].c_str(), -1, SQLITE_TRANSIENT);
        ok = sqlite3_step(statement) == SQLITE_DONE;
        sqlite3_reset(statement);
        ++rows;
    }
    sqlite3_finalize(statement);
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_mobildb <mobile-blocks.csv.gz> <landline-areas.csv> <output>\n");
        return 2;
    }
    const std::string output = argv[3];
    const std::string partial = output + ".part";
    std::remove(partial.c_str());

    sqlite3* db = nullptr;
    if (sqlite3_open(partial.c_str(), &db) != SQLITE_OK) return 1;
    bool ok = exec(db, "PRAGMA journal_mode=OFF; BEGIN;"
                       "CREATE TABLE list (num VARCHAR(7), area VARCHAR(50), t VARCHAR(50));"
                       "CREATE TABLE ybqh (qh VARCHAR(10), sm VARCHAR(50), dq VARCHAR(50));");

    long mobileRows = 0;
    gzFile mobile = gzopen(argv[1], "rb");
    ok = ok && mobile;
    if (ok) {
        char buffer[1024];
        ok = load(db, "INSERT INTO list (num, area, t) VALUES (?, ?, ?)", [&](std::string& line) {
            if (!gzgets(mobile, buffer, sizeof buffer)) return false;
            line = buffer;
            while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
            return true;
        }, mobileRows);
    }
    if (mobile) gzclose(mobile);

    long areaRows = 0;
    std::ifstream landline(argv[2]);
    ok = ok && landline.good()
        && load(db, "INSERT INTO ybqh (qh, sm, dq) VALUES (?, ?, ?)",
                [&](std::string& line) { return static_cast<bool>(std::getline(landline, line)); }, areaRows);
    ok = ok && exec(db, "CREATE INDEX list_num ON list (num); COMMIT;");
    sqlite3_close(db);

    if (!ok || std::rename(partial.c_str(), output.c_str()) != 0) {
        std::remove(partial.c_str());
        std::fprintf(stderr, "make_mobildb: %s not written\n", output.c_str());
        return 1;
    }
    std::printf("make_mobildb: %ld number blocks, %ld area codes\n", mobileRows, areaRows);
    return 0;
}
