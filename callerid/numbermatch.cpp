#include "callerid/numbermatch.h"

#include "common/callersearch.h"
#include "common/sqltext.h"

#include <algorithm>
#include <vector>

namespace numbermatch {

namespace {

constexpr int kNoMatch = 3;

// 0: the stored number equals the caller's; 1: it holds the caller's number
// not followed by a digit; 2: it holds it only inside a longer run of digits;
// 3: not at all.
// A number without letters has no case: it is looked for as it is, which
// is many times faster, and one row is ranked against hundreds of numbers.
int rank(const QString& stored, const QString& number, Qt::CaseSensitivity sensitivity)
{
    if (number.isEmpty() || stored.size() < number.size()) return kNoMatch;
    if (stored.trimmed().compare(number, sensitivity) == 0) return 0;
    int best = kNoMatch;
    for (qsizetype at = stored.indexOf(number, 0, sensitivity); at >= 0; at = stored.indexOf(number, at + 1, sensitivity)) {
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

// Ranks each row against each number, keeping per number its best row so far.
void rankRows(db::Recordset& rows, const QStringList& columns, const QStringList& numbers, QHash<QString, Match>& best)
{
    std::vector<Qt::CaseSensitivity> sensitivity;
    for (const QString& number : numbers)
        sensitivity.push_back(std::any_of(number.begin(), number.end(), [](QChar c) { return c.isLetter(); })
                                  ? Qt::CaseInsensitive
                                  : Qt::CaseSensitive);
    QStringList stored;
    for (; !rows.eof(); rows.moveNext()) {
        stored.clear();
        for (const QString& column : columns) stored << rows.field(column).toText();
        const std::int64_t id = rows.field(QStringLiteral("id")).toLong();
        for (qsizetype n = 0; n < numbers.size(); ++n) {
            const QString& number = numbers.at(n);
            int rowRank = kNoMatch;
            for (const QString& text : stored) rowRank = std::min(rowRank, rank(text, number, sensitivity[n]));
            if (rowRank == kNoMatch) continue;
            const Match key{rowRank, id};
            const auto known = best.constFind(number);
            if (known == best.constEnd() || key < *known) best.insert(number, key);
        }
    }
}

QString selectRows(const QString& table, const QStringList& columns)
{
    return QStringLiteral("select id,") + columns.join(QLatin1Char(',')) + QStringLiteral(" from ") + table
        + QStringLiteral(" where ");
}

} // namespace

QHash<QString, Match> bestMatches(db::Connection& connection, const QString& table, const QStringList& columns,
                                  const QStringList& numbers)
{
    QHash<QString, Match> best;
    if (numbers.isEmpty()) return {};
    const QString select = selectRows(table, columns);
    // A number stored whole is found from the indexes of the stored numbers at
    // once: those rows are every row that holds it exactly, so the best of
    // them is the best of all.
    QStringList rest;
    const QString held = callersearch::holding(connection, table, numbers);
    if (!held.isEmpty()) {
        QStringList whole;
        for (const QString& number : numbers)
            if (callersearch::heldWhole(number)) whole << number;
        db::Recordset rows;
        rows.open(select + held, connection);
        rankRows(rows, columns, whole, best);
    }
    for (const QString& number : numbers) {
        const auto found = best.constFind(number);
        if (found == best.constEnd() || std::get<0>(*found) != 0) rest << number;
    }
    // The number index names the rows that may hold the others. Numbers it
    // cannot answer for, and a file without it (one the program could not
    // add it to), are looked for in every row.
    if (!rest.isEmpty()) {
        db::Recordset rows;
        const QString indexed = callersearch::candidates(table, rest);
        bool opened = false;
        if (!indexed.isEmpty()) {
            try {
                rows.open(select + indexed, connection);
                opened = true;
            } catch (const db::Error&) {
            }
        }
        if (!opened) rows.open(select + scanCondition(columns, rest), connection);
        rankRows(rows, columns, rest, best);
    }
    return best;
}

void addRows(db::Connection& connection, const QString& table, const QStringList& columns, const QString& condition,
             const QStringList& numbers, QHash<QString, Match>& best)
{
    if (numbers.isEmpty() || condition.isEmpty()) return;
    db::Recordset rows;
    rows.open(selectRows(table, columns) + condition, connection);
    rankRows(rows, columns, numbers, best);
}

std::optional<std::int64_t> bestId(db::Connection& connection, const QString& table, const QStringList& columns,
                                   const QString& number)
{
    const QHash<QString, Match> best = bestMatches(connection, table, columns, {number});
    const auto found = best.constFind(number);
    if (found == best.constEnd()) return std::nullopt;
    return std::get<1>(*found);
}

} // namespace numbermatch
