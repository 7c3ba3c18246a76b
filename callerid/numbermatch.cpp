#include "callerid/numbermatch.h"

#include "common/sqltext.h"

#include <limits>
#include <tuple>

namespace numbermatch {

namespace {

// 0: the stored number equals the caller's; 1: it holds the caller's number
// not followed by a digit; 2: it holds it only inside a longer run of digits;
// 3: not at all.
int rank(const QString& stored, const QString& number)
{
    if (number.isEmpty()) return 3;
    if (stored.trimmed().compare(number, Qt::CaseInsensitive) == 0) return 0;
    int best = 3;
    for (qsizetype at = stored.indexOf(number, 0, Qt::CaseInsensitive); at >= 0;
         at = stored.indexOf(number, at + 1, Qt::CaseInsensitive)) {
        const qsizetype after = at + number.size();
        const bool digitFollows = after < stored.size() && stored.at(after).isDigit();
        best = std::min(best, digitFollows ? 2 : 1);
    }
    return best;
}

// "instr(a,'N')>0 or instr(b,'N')>0 ...": the number quoted.
QString containsCondition(const QStringList& columns, const QString& number)
{
    QStringList tests;
    for (const QString& column : columns)
        tests << QStringLiteral("instr(") + column + QLatin1Char(',') + sqltext::quoted(number) + QStringLiteral(")>0");
    return tests.join(QStringLiteral(" or "));
}

} // namespace

std::optional<std::int64_t> bestId(db::Connection& connection, const QString& table, const QStringList& columns,
                                   const QString& number)
{
    // Only the id and the number columns: the scan reads the numbers' index.
    db::Recordset rows;
    rows.open(QStringLiteral("select id,") + columns.join(QLatin1Char(',')) + QStringLiteral(" from ") + table
                  + QStringLiteral(" where ") + containsCondition(columns, number),
              connection);
    std::optional<std::int64_t> best;
    std::tuple<int, std::int64_t> bestKey{std::numeric_limits<int>::max(), 0};
    for (; !rows.eof(); rows.moveNext()) {
        int rowRank = 3;
        for (const QString& column : columns) rowRank = std::min(rowRank, rank(rows.field(column).toText(), number));
        const std::int64_t id = rows.field(QStringLiteral("id")).toLong();
        const std::tuple<int, std::int64_t> key{rowRank, id};
        if (!best || key < bestKey) {
            bestKey = key;
            best = id;
        }
    }
    return best;
}

} // namespace numbermatch
