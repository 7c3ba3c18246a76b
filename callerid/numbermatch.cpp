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
    if (stored.trimmed() == number) return 0;
    int best = 3;
    for (qsizetype at = stored.indexOf(number); at >= 0; at = stored.indexOf(number, at + 1)) {
        const qsizetype after = at + number.size();
        const bool digitFollows = after < stored.size() && stored.at(after).isDigit();
        best = std::min(best, digitFollows ? 2 : 1);
    }
    return best;
}

} // namespace

QString containsCondition(const QStringList& columns, const QString& number)
{
    QStringList tests;
    for (const QString& column : columns)
        tests << QStringLiteral("instr(") + column + QLatin1Char(',') + sqltext::quoted(number) + QStringLiteral(")>0");
    return tests.join(QStringLiteral(" or "));
}

std::optional<int> moveToBest(db::Recordset& rows, const QStringList& columns, const QString& number)
{
    if (rows.eof() && rows.bof()) return std::nullopt;
    std::optional<int> bestRow;
    std::tuple<int, std::int64_t> bestKey{std::numeric_limits<int>::max(), 0};
    rows.moveFirst();
    for (; !rows.eof(); rows.moveNext()) {
        int rowRank = 3;
        for (const QString& column : columns) rowRank = std::min(rowRank, rank(rows.field(column).toText(), number));
        const db::Variant id = rows.field(QStringLiteral("id"));
        const std::tuple<int, std::int64_t> key{rowRank, id.isNullOrEmpty() ? 0 : id.toLong()};
        if (!bestRow || key < bestKey) {
            bestKey = key;
            bestRow = rows.absolutePosition();
        }
    }
    if (bestRow) rows.setAbsolutePosition(*bestRow);
    return bestRow;
}

} // namespace numbermatch
