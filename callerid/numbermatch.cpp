#include "callerid/numbermatch.h"

#include "common/callersearch.h"
#include "common/sqltext.h"

#include <tuple>

namespace numbermatch {

namespace {

constexpr int kNoMatch = 3;

// 0: the stored number equals the caller's; 1: it holds the caller's number
// not followed by a digit; 2: it holds it only inside a longer run of digits;
// 3: not at all.
int rank(const QString& stored, const QString& number)
{
    if (number.isEmpty()) return kNoMatch;
    if (stored.trimmed().compare(number, Qt::CaseInsensitive) == 0) return 0;
    int best = kNoMatch;
    for (qsizetype at = stored.indexOf(number, 0, Qt::CaseInsensitive); at >= 0;
         at = stored.indexOf(number, at + 1, Qt::CaseInsensitive)) {
        const qsizetype after = at + number.size();
        const bool digitFollows = after < stored.size() && stored.at(after).isDigit();
        best = std::min(best, digitFollows ? 2 : 1);
    }
    return best;
}

// "instr(a,'N')>0 or instr(b,'N')>0 ...": every number quoted, every column read.
QString scanCondition(const QStringList& columns, const QStringList& numbers)
{
    QStringList tests;
    for (const QString& number : numbers)
        for (const QString& column : columns)
            tests << QStringLiteral("instr(") + column + QLatin1Char(',') + sqltext::quoted(number)
                    + QStringLiteral(")>0");
    return tests.join(QStringLiteral(" or "));
}

} // namespace

QHash<QString, std::int64_t> bestIds(db::Connection& connection, const QString& table, const QStringList& columns,
                                     const QStringList& numbers)
{
    QHash<QString, std::int64_t> best;
    if (numbers.isEmpty()) return best;
    const QString select = QStringLiteral("select id,") + columns.join(QLatin1Char(',')) + QStringLiteral(" from ")
        + table + QStringLiteral(" where ");
    // The number index names the rows that may hold a number. Numbers it
    // cannot answer for, and a file without it (one the program could not
    // add it to), are looked for in every row.
    db::Recordset rows;
    const QString indexed = callersearch::candidates(table, numbers);
    bool opened = false;
    if (!indexed.isEmpty()) {
        try {
            rows.open(select + indexed, connection);
            opened = true;
        } catch (const db::Error&) {
        }
    }
    if (!opened) rows.open(select + scanCondition(columns, numbers), connection);
    QHash<QString, std::tuple<int, std::int64_t>> bestKeys;
    QStringList stored;
    for (; !rows.eof(); rows.moveNext()) {
        stored.clear();
        for (const QString& column : columns) stored << rows.field(column).toText();
        const std::int64_t id = rows.field(QStringLiteral("id")).toLong();
        for (const QString& number : numbers) {
            int rowRank = kNoMatch;
            for (const QString& text : stored) rowRank = std::min(rowRank, rank(text, number));
            if (rowRank == kNoMatch) continue;
            const std::tuple<int, std::int64_t> key{rowRank, id};
            const auto known = bestKeys.constFind(number);
            if (known != bestKeys.constEnd() && !(key < *known)) continue;
            bestKeys.insert(number, key);
            best.insert(number, id);
        }
    }
    return best;
}

std::optional<std::int64_t> bestId(db::Connection& connection, const QString& table, const QStringList& columns,
                                   const QString& number)
{
    const QHash<QString, std::int64_t> best = bestIds(connection, table, columns, {number});
    const auto found = best.constFind(number);
    if (found == best.constEnd()) return std::nullopt;
    return *found;
}

} // namespace numbermatch
