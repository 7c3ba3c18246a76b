#include "platform/db/jetsql.h"

#include "platform/db/error.h"
#include "platform/db/locale.h"

#include <QRegularExpression>
#include <vector>

namespace db::jetsql {

namespace {

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c.unicode() >= 0x80;
}

// Index just past a quoted run starting at `from` (quote `close` ends it; a
// doubled quote stays inside). Unterminated runs end with the text.
qsizetype skipQuoted(const QString& sql, qsizetype from, QChar close)
{
    qsizetype i = from + 1;
    while (i < sql.size()) {
        if (sql[i] == close) {
            if (close != QLatin1Char(']') && i + 1 < sql.size() && sql[i + 1] == close) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return i;
}

qsizetype skipBlanks(const QString& sql, qsizetype from)
{
    while (from < sql.size() && sql[from].isSpace()) ++from;
    return from;
}

qsizetype wordEnd(const QString& sql, qsizetype from)
{
    while (from < sql.size() && isWordChar(sql[from])) ++from;
    return from;
}

QString dateLiteral(const QString& inside)
{
    const auto when = locale::parseDate(inside);
    if (!when) throw Error(QStringLiteral("Invalid date literal: #%1#").arg(inside));
    return QLatin1Char('\'') + locale::storageText(*when) + QLatin1Char('\'');
}

// The text with every quoted run (of the given opening characters) replaced
// by "x"s of the same length, so that words can be searched outside them.
QString maskedQuotes(const QString& sql, const QString& openings)
{
    QString masked = sql;
    for (qsizetype i = 0; i < masked.size();) {
        const QChar c = masked[i];
        if (openings.contains(c)) {
            const qsizetype end = skipQuoted(sql, i, c == QLatin1Char('[') ? QLatin1Char(']') : c);
            for (qsizetype j = i; j < end; ++j) masked[j] = QLatin1Char('x');
            i = end;
        } else {
            ++i;
        }
    }
    return masked;
}

struct PendingLimit {
    int depth;
    QString count;
};

} // namespace

namespace {

QString translateDialect(const QString& sql)
{
    QString out;
    out.reserve(sql.size() + 16);
    std::vector<PendingLimit> limits;
    int depth = 0;
    auto closeLimits = [&](int atDepth) {
        while (!limits.empty() && limits.back().depth == atDepth) {
            out += QLatin1String(" LIMIT ") + limits.back().count;
            limits.pop_back();
        }
    };

    qsizetype i = 0;
    while (i < sql.size()) {
        const QChar c = sql[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('[')) {
            const qsizetype end = skipQuoted(sql, i, c == QLatin1Char('[') ? QLatin1Char(']') : c);
            out += QStringView(sql).mid(i, end - i);
            i = end;
        } else if (c == QLatin1Char('#')) {
            const qsizetype close = sql.indexOf(QLatin1Char('#'), i + 1);
            if (close < 0) throw Error(QStringLiteral("Unclosed date literal in: %1").arg(sql));
            out += dateLiteral(sql.mid(i + 1, close - i - 1));
            i = close + 1;
        } else if (c == QLatin1Char('&')) {
            out += QLatin1String("||");
            ++i;
        } else if (c == QLatin1Char('(')) {
            ++depth;
            out += c;
            ++i;
        } else if (c == QLatin1Char(')')) {
            closeLimits(depth);
            --depth;
            out += c;
            ++i;
        } else if (c == QLatin1Char(';')) {
            closeLimits(depth);
            out += c;
            ++i;
        } else if (isWordChar(c) && !(i > 0 && isWordChar(sql[i - 1]))) {
            const qsizetype end = wordEnd(sql, i);
            const QString word = sql.mid(i, end - i);
            const QString lower = word.toLower();
            out += word;
            i = end;
            if (lower == QLatin1String("select")) {
                // [distinct|all] top N
                qsizetype next = skipBlanks(sql, i);
                qsizetype nextEnd = wordEnd(sql, next);
                QString nextWord = sql.mid(next, nextEnd - next).toLower();
                if (nextWord == QLatin1String("distinct") || nextWord == QLatin1String("all")) {
                    out += QStringView(sql).mid(i, nextEnd - i);
                    i = nextEnd;
                    next = skipBlanks(sql, i);
                    nextEnd = wordEnd(sql, next);
                    nextWord = sql.mid(next, nextEnd - next).toLower();
                }
                if (nextWord == QLatin1String("top")) {
                    const qsizetype countStart = skipBlanks(sql, nextEnd);
                    qsizetype countEnd = countStart;
                    while (countEnd < sql.size() && sql[countEnd].isDigit()) ++countEnd;
                    if (countEnd > countStart && (countEnd == sql.size() || !isWordChar(sql[countEnd]))) {
                        limits.push_back({depth, sql.mid(countStart, countEnd - countStart)});
                        i = countEnd;
                    }
                }
            } else if (lower == QLatin1String("left") || lower == QLatin1String("right")
                       || lower == QLatin1String("isnull")) {
                const qsizetype next = skipBlanks(sql, i);
                if (next < sql.size() && sql[next] == QLatin1Char('(')) out.insert(out.size() - word.size(), QLatin1String("jet_"));
            }
        } else {
            out += c;
            ++i;
        }
    }
    closeLimits(depth);
    while (!limits.empty()) closeLimits(limits.back().depth);   // unbalanced parentheses
    return out;
}

} // namespace

QString translate(const QString& sql)
{
    return rewrite(translateDialect(sql), Schema()).sql;
}

Rewritten translate(const QString& sql, const Schema& schema)
{
    return rewrite(translateDialect(sql), schema);
}

std::optional<ExcelTarget> excelTarget(const QString& sql)
{
    // "into [" outside quoted texts; inside the brackets every character up
    // to "].[" is the target's own (a path may hold quotes and brackets).
    qsizetype i = 0;
    while (i < sql.size()) {
        const QChar c = sql[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            i = skipQuoted(sql, i, c);
            continue;
        }
        if (c == QLatin1Char('[')) {
            i = skipQuoted(sql, i, QLatin1Char(']'));
            continue;
        }
        if (!isWordChar(c) || (i > 0 && isWordChar(sql[i - 1]))) {
            ++i;
            continue;
        }
        const qsizetype end = wordEnd(sql, i);
        const qsizetype open = skipBlanks(sql, end);
        if (sql.mid(i, end - i).compare(QLatin1String("into"), Qt::CaseInsensitive) != 0 || open >= sql.size()
            || sql[open] != QLatin1Char('[')) {
            i = end;
            continue;
        }
        static const QRegularExpression separator(QStringLiteral("\\]\\s*\\.\\s*\\["));
        const QRegularExpressionMatch dot = separator.match(sql, open + 1);
        if (!dot.hasMatch()) return std::nullopt;
        const qsizetype sheetEnd = sql.indexOf(QLatin1Char(']'), dot.capturedEnd(0));
        if (sheetEnd < 0) return std::nullopt;
        const QString target = sql.mid(open + 1, dot.capturedStart(0) - open - 1);
        if (!target.section(QLatin1Char(';'), 0, 0).contains(QLatin1String("excel"), Qt::CaseInsensitive))
            return std::nullopt;
        ExcelTarget result;
        // DATABASE= runs to the end of the target: the path may hold ";".
        static const QRegularExpression database(QStringLiteral(";\\s*database\\s*="),
                                                 QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch path = database.match(target);
        if (!path.hasMatch()) return std::nullopt;
        result.path = target.mid(path.capturedEnd(0)).trimmed();
        if (result.path.isEmpty()) return std::nullopt;
        result.sheet = sql.mid(dot.capturedEnd(0), sheetEnd - dot.capturedEnd(0));
        result.select = sql.left(i) + QLatin1Char(' ') + sql.mid(sheetEnd + 1);
        return result;
    }
    return std::nullopt;
}

std::optional<QString> withRowKey(const QString& sql)
{
    const QString masked = maskedQuotes(sql, QStringLiteral("'\"["));
    static const QRegularExpression leadingSelect(QStringLiteral("^\\s*select\\b"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression grouping(
        QStringLiteral("\\b(distinct|group|having|union|intersect|except)\\b"), QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch select = leadingSelect.match(masked);
    if (!select.hasMatch() || grouping.match(masked).hasMatch()) return std::nullopt;
    return sql.left(select.capturedEnd(0)) + QLatin1String(" rowid AS \"~rowid\",") + sql.mid(select.capturedEnd(0));
}

bool isTableName(const QString& source)
{
    static const QRegularExpression name(QStringLiteral("^\\s*(\\[[^\\]]+\\]|[\\w\\x{80}-\\x{FFFF}]+)\\s*$"));
    return name.match(source).hasMatch();
}

} // namespace db::jetsql
