#include "platform/db/jetrewrite.h"

#include "platform/db/error.h"
#include "platform/db/locale.h"
#include "platform/db/textorder.h"
#include "platform/db/variant.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace db::jetsql {

namespace {

using detail::FieldType;

enum class Kind { Blank, Word, Number, String, Name, Op, Open, Close, Comma, Dot, Other };

struct Token {
    Kind kind;
    QString text;
    QString collation = {};   // " COLLATE ..." the rewrite names after the token
};

bool isWordStart(QChar c)
{
    return c.isLetter() || c == QLatin1Char('_') || c.unicode() >= 0x80;
}

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c.unicode() >= 0x80;
}

std::vector<Token> tokenize(const QString& sql)
{
    std::vector<Token> tokens;
    qsizetype i = 0;
    const qsizetype n = sql.size();
    auto take = [&](Kind kind, qsizetype end) {
        tokens.push_back({kind, sql.mid(i, end - i)});
        i = end;
    };
    while (i < n) {
        const QChar c = sql[i];
        qsizetype j = i + 1;
        if (c.isSpace()) {
            while (j < n && sql[j].isSpace()) ++j;
            take(Kind::Blank, j);
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('[')) {
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            while (j < n) {
                if (sql[j] == close) {
                    if (close != QLatin1Char(']') && j + 1 < n && sql[j + 1] == close) {
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                ++j;
            }
            take(c == QLatin1Char('\'') ? Kind::String : Kind::Name, j);
        } else if (c.isDigit() || (c == QLatin1Char('.') && j < n && sql[j].isDigit())) {
            while (j < n && (sql[j].isDigit() || sql[j] == QLatin1Char('.'))) ++j;
            if (j < n && (sql[j] == QLatin1Char('e') || sql[j] == QLatin1Char('E'))) {
                qsizetype k = j + 1;
                if (k < n && (sql[k] == QLatin1Char('+') || sql[k] == QLatin1Char('-'))) ++k;
                if (k < n && sql[k].isDigit()) {
                    while (k < n && sql[k].isDigit()) ++k;
                    j = k;
                }
            }
            while (j < n && isWordChar(sql[j])) ++j;   // 12abc stays one token
            take(Kind::Number, j);
        } else if (isWordStart(c)) {
            while (j < n && isWordChar(sql[j])) ++j;
            take(Kind::Word, j);
        } else if (c == QLatin1Char('(')) {
            take(Kind::Open, j);
        } else if (c == QLatin1Char(')')) {
            take(Kind::Close, j);
        } else if (c == QLatin1Char(',')) {
            take(Kind::Comma, j);
        } else if (c == QLatin1Char('.')) {
            take(Kind::Dot, j);
        } else if (QStringLiteral("<>=!|+-*/%").contains(c)) {
            static const QStringList pairs{QStringLiteral("<="), QStringLiteral(">="), QStringLiteral("<>"),
                                           QStringLiteral("!="), QStringLiteral("=="), QStringLiteral("||")};
            if (j < n && pairs.contains(sql.mid(i, 2))) ++j;
            take(Kind::Op, j);
        } else {
            take(Kind::Other, j);
        }
    }
    return tokens;
}

// The text of tokens [from, to); without the collations the rewrite names
// when `collations` is false.
QString joined(const std::vector<Token>& tokens, std::size_t from, std::size_t to, bool collations = true)
{
    QString text;
    for (std::size_t i = from; i < to; ++i) {
        text += tokens[i].text;
        if (collations) text += tokens[i].collation;
    }
    return text;
}

bool isWord(const Token& token, const char* word)
{
    return token.kind == Kind::Word && token.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

bool isComparison(const Token& token)
{
    static const QStringList ops{QStringLiteral("="), QStringLiteral("=="), QStringLiteral("<"), QStringLiteral(">"),
                                 QStringLiteral("<="), QStringLiteral(">="), QStringLiteral("<>"), QStringLiteral("!=")};
    return token.kind == Kind::Op && ops.contains(token.text);
}

bool isArithmetic(const Token& token)
{
    return token.kind == Kind::Op && !isComparison(token);
}

// Keywords that end an operand of the concatenation operator.
bool isClauseWord(const Token& token)
{
    static const QStringList words{
        QStringLiteral("and"), QStringLiteral("or"), QStringLiteral("not"), QStringLiteral("select"),
        QStringLiteral("where"), QStringLiteral("on"), QStringLiteral("set"), QStringLiteral("values"),
        QStringLiteral("when"), QStringLiteral("then"), QStringLiteral("else"), QStringLiteral("case"),
        QStringLiteral("end"), QStringLiteral("by"), QStringLiteral("having"), QStringLiteral("like"),
        QStringLiteral("is"), QStringLiteral("in"), QStringLiteral("between"), QStringLiteral("from"),
        QStringLiteral("as"), QStringLiteral("order"), QStringLiteral("group"), QStringLiteral("union"),
        QStringLiteral("into"), QStringLiteral("limit"), QStringLiteral("escape"), QStringLiteral("asc"),
        QStringLiteral("desc"), QStringLiteral("join"), QStringLiteral("distinct"), QStringLiteral("all")};
    return token.kind == Kind::Word && words.contains(token.text.toLower());
}

QString bareName(const Token& token)
{
    if (token.kind == Kind::Name) return token.text.mid(1, token.text.size() - 2).toLower();
    return token.text.toLower();
}

class Rewriter {
public:
    Rewriter(const QString& sql, const Schema& schema) : t_(tokenize(sql)), schema_(schema)
    {
        for (const Token& token : t_)
            if ((token.kind == Kind::Word || token.kind == Kind::Name) && schema_.contains(bareName(token)))
                tables_ << bareName(token);
        tables_.removeDuplicates();
    }

    Rewritten run()
    {
        Rewritten result;
        if (!tables_.isEmpty()) {
            insertValues();
            comparisons();
            aggregates();
            result.outputTypes = outputTypes();
            textOrder();
        }
        concatenations();
        ownFunctionNames();
        result.sql = joined(t_, 0, t_.size());
        return result;
    }

private:
    std::vector<Token> t_;
    const Schema& schema_;
    QStringList tables_;   // the schema's tables the statement names

    // ---- navigation ----
    std::optional<std::size_t> next(std::size_t i) const
    {
        for (std::size_t j = i + 1; j < t_.size(); ++j)
            if (t_[j].kind != Kind::Blank) return j;
        return std::nullopt;
    }
    std::optional<std::size_t> prev(std::size_t i) const
    {
        for (std::size_t j = i; j-- > 0;)
            if (t_[j].kind != Kind::Blank) return j;
        return std::nullopt;
    }
    bool isNameToken(std::size_t i) const { return t_[i].kind == Kind::Word || t_[i].kind == Kind::Name; }

    // The type of a column the statement's tables declare; Untyped when none
    // does or they disagree.
    FieldType typeOf(const QString& name) const
    {
        std::optional<FieldType> found;
        for (const QString& table : tables_) {
            const auto it = schema_[table].types.constFind(name);
            if (it == schema_[table].types.constEnd()) continue;
            if (found && *found != *it) return FieldType::Untyped;
            found = *it;
        }
        return found.value_or(FieldType::Untyped);
    }

    // A column reference ("col", "[col]", "a.col") ending at token `last`:
    // its first token and type.
    std::optional<std::pair<std::size_t, FieldType>> columnEndingAt(std::size_t last) const
    {
        if (!isNameToken(last)) return std::nullopt;
        if (auto after = next(last); after && (t_[*after].kind == Kind::Open || t_[*after].kind == Kind::Dot))
            return std::nullopt;
        std::size_t first = last;
        if (last >= 2 && t_[last - 1].kind == Kind::Dot && isNameToken(last - 2)) first = last - 2;
        const FieldType type = typeOf(bareName(t_[last]));
        if (type == FieldType::Untyped) return std::nullopt;
        return std::make_pair(first, type);
    }
    // A column reference starting at token `first`: its last token and type.
    std::optional<std::pair<std::size_t, FieldType>> columnStartingAt(std::size_t first) const
    {
        if (!isNameToken(first)) return std::nullopt;
        std::size_t last = first;
        if (first + 2 < t_.size() && t_[first + 1].kind == Kind::Dot && isNameToken(first + 2)) last = first + 2;
        if (auto column = columnEndingAt(last); column && column->first == first) return std::make_pair(last, column->second);
        return std::nullopt;
    }

    // A literal starting at `first` (a number with an optional sign, or a
    // quoted text): its last token.
    std::optional<std::size_t> literalAt(std::size_t first) const
    {
        std::size_t last = first;
        if (t_[first].kind == Kind::Op && (t_[first].text == QLatin1String("-") || t_[first].text == QLatin1String("+"))) {
            const auto number = next(first);
            if (!number || t_[*number].kind != Kind::Number) return std::nullopt;
            last = *number;
        } else if (t_[first].kind != Kind::Number && t_[first].kind != Kind::String) {
            return std::nullopt;
        }
        if (auto after = next(last); after && (isArithmetic(t_[*after]) || t_[*after].kind == Kind::Dot)) return std::nullopt;
        return last;
    }

    // The literal [first, last] written for a date column as the stored date
    // text; a text that is no date stays as it is.
    void makeDateLiteral(std::size_t first, std::size_t last)
    {
        std::optional<QDateTime> when;
        if (t_[last].kind == Kind::String) {
            QString text = t_[last].text.mid(1, t_[last].text.size() - 2);
            when = locale::parseDate(text.replace(QStringLiteral("''"), QStringLiteral("'")));
        } else {
            bool ok = false;
            const double serial = joined(t_, first, last + 1).remove(QLatin1Char(' ')).toDouble(&ok);
            if (ok) {
                try {
                    when = Variant(serial).toDate();
                } catch (const std::exception&) {
                }
            }
        }
        if (!when) return;
        for (std::size_t i = first; i < last; ++i) t_[i] = {Kind::Blank, QString()};
        t_[last] = {Kind::String, QLatin1Char('\'') + locale::storageText(*when) + QLatin1Char('\'')};
    }

    // A quoted text written into a text column must fit it, as the recordset
    // requires of the values it writes.
    void checkLength(const QString& column, int length, std::size_t literal) const
    {
        if (length <= 0 || t_[literal].kind != Kind::String) return;
        const QString text = t_[literal].text.mid(1, t_[literal].text.size() - 2).replace(QStringLiteral("''"), QStringLiteral("'"));
        if (text.size() > length)
            throw Error(QStringLiteral("字段 %1 最多只能容纳 %2 个字符").arg(column).arg(length));
    }

    // insert into T [(c1, c2)] values (v1, v2)[, (...)]: date columns given
    // a literal take it as a date.
    void insertValues()
    {
        const auto first = next(static_cast<std::size_t>(-1));
        if (!first || !isWord(t_[*first], "insert")) return;
        auto at = next(*first);
        if (!at || !isWord(t_[*at], "into")) return;
        const auto table = next(*at);
        if (!table || !isNameToken(*table) || !schema_.contains(bareName(t_[*table]))) return;
        const TableColumns& columns = schema_[bareName(t_[*table])];
        QStringList names = columns.order;
        at = next(*table);
        if (at && t_[*at].kind == Kind::Open) {
            names.clear();
            for (at = next(*at); at && t_[*at].kind != Kind::Close; at = next(*at))
                if (isNameToken(*at)) names << bareName(t_[*at]);
            if (at) at = next(*at);
        }
        if (!at || !isWord(t_[*at], "values")) return;
        for (at = next(*at); at && t_[*at].kind == Kind::Open;) {
            int position = 0;
            std::size_t itemStart = *at + 1;
            int depth = 0;
            std::size_t i = *at + 1;
            for (; i < t_.size(); ++i) {
                const Kind kind = t_[i].kind;
                if (kind == Kind::Open) ++depth;
                if (depth == 0 && (kind == Kind::Comma || kind == Kind::Close)) {
                    valueItem(itemStart, i, position < names.size() ? names[position] : QString(), columns);
                    ++position;
                    itemStart = i + 1;
                    if (kind == Kind::Close) break;
                }
                if (kind == Kind::Close) --depth;
            }
            at = next(i);
            if (at && t_[*at].kind == Kind::Comma) at = next(*at);
        }
    }
    void valueItem(std::size_t from, std::size_t to, const QString& column, const TableColumns& columns)
    {
        auto first = next(from - 1);
        if (!first || *first >= to) return;
        const auto last = literalAt(*first);
        if (!last || next(*last).value_or(t_.size()) != to) return;
        checkLength(column, columns.lengths.value(column), *last);
        if (columns.types.value(column) == FieldType::Date) makeDateLiteral(*first, *last);
    }

    // col <op> literal, literal <op> col, col [not] between a and b,
    // col [not] in (a, b), col [not] like pattern.
    void comparisons()
    {
        for (std::size_t i = 0; i < t_.size(); ++i) {
            if (isComparison(t_[i])) {
                comparison(i);
            } else if (isWord(t_[i], "like")) {
                like(i);
            } else if (isWord(t_[i], "between") || isWord(t_[i], "in")) {
                range(i);
            }
        }
    }
    // The date column whose reference ends just before operator token `op`
    // (a "not" in between allowed); nothing when it is part of an expression.
    std::optional<std::pair<std::size_t, std::size_t>> dateColumnBefore(std::size_t op) const
    {
        auto last = prev(op);
        if (last && isWord(t_[*last], "not")) last = prev(*last);
        if (!last) return std::nullopt;
        const auto column = columnEndingAt(*last);
        if (!column || column->second != FieldType::Date) return std::nullopt;
        if (auto before = prev(column->first); before && t_[*before].kind == Kind::Op) return std::nullopt;
        return std::make_pair(column->first, *last);
    }
    void comparison(std::size_t op)
    {
        assignment(op);
        if (dateColumnBefore(op)) {
            if (auto first = next(op))
                if (auto last = literalAt(*first)) makeDateLiteral(*first, *last);
            return;
        }
        const auto column = next(op);
        if (!column) return;
        const auto ref = columnStartingAt(*column);
        if (!ref || ref->second != FieldType::Date) return;
        if (auto after = next(ref->first); after && t_[*after].kind == Kind::Op) return;
        const auto last = prev(op);
        if (!last || (t_[*last].kind != Kind::Number && t_[*last].kind != Kind::String)) return;
        if (auto before = prev(*last); before && t_[*before].kind == Kind::Op) return;
        makeDateLiteral(*last, *last);
    }
    // update T set col = 'text': the text must fit the column.
    void assignment(std::size_t op)
    {
        const auto first = next(static_cast<std::size_t>(-1));
        if (!first || !isWord(t_[*first], "update") || t_[op].text != QLatin1String("=")) return;
        const auto table = next(*first);
        if (!table || !isNameToken(*table) || !schema_.contains(bareName(t_[*table]))) return;
        int depth = 0;
        bool inSet = false;
        for (std::size_t i = *table; i < op; ++i) {
            if (t_[i].kind == Kind::Open) ++depth;
            if (t_[i].kind == Kind::Close) --depth;
            if (depth == 0 && isWord(t_[i], "set")) inSet = true;
            if (depth == 0 && isWord(t_[i], "where")) return;
        }
        const auto last = prev(op);
        const auto value = next(op);
        if (!inSet || depth != 0 || !last || !value || !isNameToken(*last)) return;
        const auto end = literalAt(*value);
        if (!end) return;
        const QString column = bareName(t_[*last]);
        checkLength(column, schema_[bareName(t_[*table])].lengths.value(column), *end);
    }

    void like(std::size_t op)
    {
        const auto column = dateColumnBefore(op);
        if (!column) return;
        t_[column->first].text.prepend(QStringLiteral("jet_datetext("));
        auto last = column->second;
        if (isWord(t_[last], "not")) last = *prev(last);
        t_[last].text.append(QLatin1Char(')'));
        // A date written between "#" is matched as the date's text, as Jet
        // turns it into text for the comparison.
        const auto pattern = next(op);
        if (!pattern || t_[*pattern].kind != Kind::String) return;
        const QString text = t_[*pattern].text.mid(1, t_[*pattern].text.size() - 2);
        if (const auto when = locale::parseDate(text); when && locale::storageText(*when) == text)
            t_[*pattern].text = QLatin1Char('\'') + locale::generalDate(*when) + QLatin1Char('\'');
    }
    void range(std::size_t op)
    {
        if (!dateColumnBefore(op)) return;
        auto at = next(op);
        if (!at) return;
        const bool list = t_[*at].kind == Kind::Open;   // in (a, b, ...); otherwise between a and b
        if (list) at = next(*at);
        for (int bound = 0; at; ++bound) {
            const auto last = literalAt(*at);
            if (!last) return;
            makeDateLiteral(*at, *last);
            const auto after = next(*last);
            if (!after || (!list && bound == 1)) return;
            if (list ? t_[*after].kind != Kind::Comma : !isWord(t_[*after], "and")) return;
            at = next(*after);
        }
    }

    // sum/avg of a currency column add in ten-thousandths.
    void aggregates()
    {
        for (std::size_t i = 0; i + 1 < t_.size(); ++i) {
            if (!isWord(t_[i], "sum") && !isWord(t_[i], "avg")) continue;
            const auto open = next(i);
            if (!open || t_[*open].kind != Kind::Open) continue;
            const auto first = next(*open);
            if (!first) continue;
            const auto column = columnStartingAt(*first);
            if (!column || column->second != FieldType::Currency) continue;
            const auto close = next(column->first);
            if (!close || t_[*close].kind != Kind::Close) continue;
            t_[i].text = isWord(t_[i], "sum") ? QStringLiteral("jet_cursum") : QStringLiteral("jet_curavg");
        }
    }

    // The result columns of the first select that are typed aggregates.
    QHash<QString, FieldType> outputTypes() const
    {
        QHash<QString, FieldType> types;
        std::size_t i = 0;
        while (i < t_.size() && !isWord(t_[i], "select")) ++i;
        if (i == t_.size()) return types;
        std::size_t itemStart = i + 1;
        int depth = 0;
        for (++i; i <= t_.size(); ++i) {
            const bool end = i == t_.size() || (depth == 0 && (isWord(t_[i], "from") || isWord(t_[i], "into")));
            if (end || (depth == 0 && t_[i].kind == Kind::Comma)) {
                selectItem(itemStart, i, types);
                itemStart = i + 1;
                if (end) break;
                continue;
            }
            if (t_[i].kind == Kind::Open) ++depth;
            if (t_[i].kind == Kind::Close) --depth;
        }
        return types;
    }
    void selectItem(std::size_t from, std::size_t to, QHash<QString, FieldType>& types) const
    {
        std::vector<std::size_t> parts;   // significant tokens of the item
        for (std::size_t i = from; i < to; ++i)
            if (t_[i].kind != Kind::Blank) parts.push_back(i);
        if (parts.size() < 4) return;
        std::size_t exprEnd = parts.size();
        QString alias;
        if (parts.size() >= 2 && isNameToken(parts.back()) && t_[parts[parts.size() - 2]].kind != Kind::Dot) {
            if (isWord(t_[parts[parts.size() - 2]], "as")) {
                alias = bareName(t_[parts.back()]);
                exprEnd = parts.size() - 2;
            } else if (t_[parts[parts.size() - 2]].kind == Kind::Close) {
                alias = bareName(t_[parts.back()]);
                exprEnd = parts.size() - 1;
            }
        }
        if (exprEnd < 4 || t_[parts[1]].kind != Kind::Open || t_[parts[exprEnd - 1]].kind != Kind::Close) return;
        const auto column = columnStartingAt(parts[2]);
        if (!column || next(column->first) != parts[exprEnd - 1]) return;
        const QString function = t_[parts[0]].text.toLower();
        FieldType type = FieldType::Untyped;
        if (function == QLatin1String("jet_cursum") || function == QLatin1String("jet_curavg")) type = FieldType::Currency;
        if ((function == QLatin1String("max") || function == QLatin1String("min"))
            && (column->second == FieldType::Date || column->second == FieldType::Currency))
            type = column->second;
        if (type == FieldType::Untyped) return;
        if (alias.isEmpty()) alias = joined(t_, parts[0], parts[exprEnd - 1] + 1).toLower();
        types.insert(alias, type);
    }

    // ---- text order ----
    // Where a result depends on the order of texts, a text column is compared
    // in the collation of textorder.h: the terms of ORDER BY and GROUP BY (a
    // column, or a select item's alias or number standing for one), the column
    // of min()/max(), and a column on either side of <, >, <=, >= or before
    // BETWEEN. Equality, IN and LIKE keep the column's own collation.
    void textOrder()
    {
        std::vector<std::size_t> marks;   // tokens after which the collation is named
        for (std::size_t i = 0; i < t_.size(); ++i) {
            if (isWord(t_[i], "by")) {
                const auto before = prev(i);
                if (before && (isWord(t_[*before], "order") || isWord(t_[*before], "group"))) orderTerms(i, marks);
            } else if (isWord(t_[i], "min") || isWord(t_[i], "max")) {
                extremeOf(i, marks);
            } else if (isOrdering(t_[i])) {
                if (auto column = textColumnBefore(i)) marks.push_back(*column);
                else if (auto column = textColumnAfter(i)) marks.push_back(*column);
            } else if (isWord(t_[i], "between")) {
                auto last = prev(i);
                if (last && isWord(t_[*last], "not")) last = prev(*last);
                if (!last) continue;
                if (auto column = textColumnBefore(*last + 1)) marks.push_back(*column);
            }
        }
        std::sort(marks.begin(), marks.end());
        marks.erase(std::unique(marks.begin(), marks.end()), marks.end());
        for (const std::size_t mark : marks) t_[mark].collation = QStringLiteral(" COLLATE ") + QLatin1String(kTextOrder);
    }
    static bool isOrdering(const Token& token)
    {
        return token.kind == Kind::Op
            && (token.text == QLatin1String("<") || token.text == QLatin1String(">") || token.text == QLatin1String("<=")
                || token.text == QLatin1String(">="));
    }
    bool isTextColumnEndingAt(std::size_t last) const
    {
        const auto column = columnEndingAt(last);
        return column && column->second == FieldType::Text;
    }
    // The last token of a text column written just before token `op`, not as
    // part of a longer expression.
    std::optional<std::size_t> textColumnBefore(std::size_t op) const
    {
        const auto last = prev(op);
        if (!last || !isTextColumnEndingAt(*last)) return std::nullopt;
        if (auto before = prev(columnEndingAt(*last)->first); before && t_[*before].kind == Kind::Op) return std::nullopt;
        return last;
    }
    // The same for a text column written just after `op`.
    std::optional<std::size_t> textColumnAfter(std::size_t op) const
    {
        const auto first = next(op);
        if (!first) return std::nullopt;
        const auto column = columnStartingAt(*first);
        if (!column || column->second != FieldType::Text) return std::nullopt;
        if (auto after = next(column->first); after && t_[*after].kind == Kind::Op) return std::nullopt;
        return column->first;
    }
    // min(col) / max(col) of a text column.
    void extremeOf(std::size_t function, std::vector<std::size_t>& marks) const
    {
        const auto open = next(function);
        if (!open || t_[*open].kind != Kind::Open) return;
        const auto first = next(*open);
        if (!first) return;
        const auto column = columnStartingAt(*first);
        if (!column || column->second != FieldType::Text) return;
        const auto close = next(column->first);
        if (close && t_[*close].kind == Kind::Close) marks.push_back(column->first);
    }
    // The terms of the ORDER BY or GROUP BY whose "by" is token `by`.
    void orderTerms(std::size_t by, std::vector<std::size_t>& marks) const
    {
        static const QStringList ends{QStringLiteral("limit"), QStringLiteral("having"), QStringLiteral("union"),
                                      QStringLiteral("intersect"), QStringLiteral("except"), QStringLiteral("order"),
                                      QStringLiteral("offset"), QStringLiteral("window")};
        std::vector<std::size_t> term;   // the significant tokens of the current term
        int depth = 0;
        for (std::size_t i = by + 1; i <= t_.size(); ++i) {
            const bool atEnd = i == t_.size()
                || (depth == 0 && (t_[i].kind == Kind::Close || t_[i].kind == Kind::Other
                                   || (t_[i].kind == Kind::Word && ends.contains(t_[i].text.toLower()))));
            if (atEnd || (depth == 0 && t_[i].kind == Kind::Comma)) {
                orderTerm(by, term, marks);
                term.clear();
                if (atEnd) return;
                continue;
            }
            if (t_[i].kind == Kind::Open) ++depth;
            if (t_[i].kind == Kind::Close) --depth;
            if (t_[i].kind != Kind::Blank) term.push_back(i);
        }
    }
    void orderTerm(std::size_t by, std::vector<std::size_t> term, std::vector<std::size_t>& marks) const
    {
        if (!term.empty() && (isWord(t_[term.back()], "asc") || isWord(t_[term.back()], "desc"))) term.pop_back();
        if (term.empty()) return;
        if (isTextColumnEndingAt(term.back()) && columnEndingAt(term.back())->first == term.front()) {
            marks.push_back(term.back());
            return;
        }
        if (term.size() != 1) return;
        // A select item's alias or number: the item must be a text column.
        const std::vector<SelectItem> items = selectItemsBefore(by);
        const Token& token = t_[term.front()];
        for (std::size_t n = 0; n < items.size(); ++n) {
            const bool named = isNameToken(term.front()) && !items[n].alias.isEmpty() && bareName(token) == items[n].alias;
            const bool numbered = token.kind == Kind::Number && token.text.toUInt() == n + 1;
            if ((named || numbered) && items[n].text) {
                marks.push_back(term.front());
                return;
            }
        }
    }
    struct SelectItem {
        QString alias;   // lower case; empty when the item has none
        bool text;       // the item is a text column
    };
    // The result columns of the select that the clause at token `clause`
    // belongs to (the nearest select before it at the same depth).
    std::vector<SelectItem> selectItemsBefore(std::size_t clause) const
    {
        int depth = 0;
        std::size_t select = clause;
        for (;;) {
            if (select == 0) return {};
            --select;
            if (t_[select].kind == Kind::Close) ++depth;
            if (t_[select].kind == Kind::Open && --depth < 0) return {};
            if (depth == 0 && isWord(t_[select], "select")) break;
        }
        std::vector<SelectItem> items;
        std::vector<std::size_t> parts;
        depth = 0;
        for (std::size_t i = select + 1; i < clause; ++i) {
            const bool end = depth == 0 && (isWord(t_[i], "from") || t_[i].kind == Kind::Comma);
            if (end) {
                items.push_back(selectItem(parts));
                parts.clear();
                if (isWord(t_[i], "from")) break;
                continue;
            }
            if (t_[i].kind == Kind::Open) ++depth;
            if (t_[i].kind == Kind::Close) --depth;
            if (t_[i].kind != Kind::Blank && !isWord(t_[i], "distinct") && !isWord(t_[i], "all")) parts.push_back(i);
        }
        return items;
    }
    SelectItem selectItem(std::vector<std::size_t> parts) const
    {
        SelectItem item{QString(), false};
        if (parts.size() >= 2 && isNameToken(parts.back()) && t_[parts[parts.size() - 2]].kind != Kind::Dot) {
            item.alias = bareName(t_[parts.back()]);
            parts.pop_back();
            if (isWord(t_[parts.back()], "as")) parts.pop_back();
        }
        if (!parts.empty() && isTextColumnEndingAt(parts.back()))
            item.text = columnEndingAt(parts.back())->first == parts.front();
        return item;
    }

    // a || b || c -> jet_concat(a, b, c): Jet's & binds more loosely than
    // arithmetic and more tightly than comparisons, and passes over Null.
    void concatenations()
    {
        for (;;) {
            std::size_t op = 0;
            while (op < t_.size() && !(t_[op].kind == Kind::Op && t_[op].text == QLatin1String("||"))) ++op;
            if (op == t_.size()) return;
            const std::size_t first = operandBound(op, -1);
            const std::size_t last = operandBound(op, +1);
            std::vector<Token> replacement{{Kind::Word, QStringLiteral("jet_concat")}, {Kind::Open, QStringLiteral("(")}};
            int depth = 0;
            for (std::size_t i = first; i <= last; ++i) {
                if (t_[i].kind == Kind::Open) ++depth;
                if (t_[i].kind == Kind::Close) --depth;
                if (depth == 0 && t_[i].kind == Kind::Op && t_[i].text == QLatin1String("||"))
                    replacement.push_back({Kind::Comma, QStringLiteral(",")});
                else
                    replacement.push_back(t_[i]);
            }
            replacement.push_back({Kind::Close, QStringLiteral(")")});
            // Blanks around the operands stay outside the call.
            std::size_t from = first, to = last;
            while (from < to && replacement[2].kind == Kind::Blank) {
                replacement.erase(replacement.begin() + 2);
                ++from;
            }
            while (to > from && replacement[replacement.size() - 2].kind == Kind::Blank) {
                replacement.erase(replacement.end() - 2);
                --to;
            }
            t_.erase(t_.begin() + static_cast<std::ptrdiff_t>(from), t_.begin() + static_cast<std::ptrdiff_t>(to) + 1);
            t_.insert(t_.begin() + static_cast<std::ptrdiff_t>(from), replacement.begin(), replacement.end());
        }
    }

    // ---- the Jet functions that share a name with one of SQLite's ----
    // InStr, IIf, Format and Date() are called by the names the layer gives
    // them (jetfunctions.h), so that SQLite's own functions of those names
    // stay what every other tool of the file knows. SQLite names a result
    // column without an alias by its text: one that calls such a function,
    // or names the text order, is given the name it has without them.
    void ownFunctionNames()
    {
        std::vector<std::size_t> renamed;   // the calls, and the tokens naming a collation
        for (std::size_t i = 0; i < t_.size(); ++i)
            if (isOwnFunctionCall(i) || !t_[i].collation.isEmpty()) renamed.push_back(i);
        if (renamed.empty()) return;
        std::vector<std::pair<std::size_t, QString>> aliases;   // token after which, alias
        for (std::size_t i = 0; i < t_.size(); ++i)
            if (isWord(t_[i], "select")) unnamedItemsHolding(i, renamed, aliases);
        for (const std::size_t i : renamed)
            if (t_[i].collation.isEmpty()) t_[i].text = QStringLiteral("jet_") + t_[i].text.toLower();
        std::sort(aliases.begin(), aliases.end());
        for (auto it = aliases.rbegin(); it != aliases.rend(); ++it) {
            QString name = it->second;
            name.replace(QLatin1Char('"'), QStringLiteral("\"\""));
            t_.insert(t_.begin() + static_cast<std::ptrdiff_t>(it->first) + 1,
                      Token{Kind::Name, QStringLiteral(" AS \"") + name + QLatin1Char('"')});
        }
    }
    // instr( iif( format( date(): a call, not a table named so.
    bool isOwnFunctionCall(std::size_t i) const
    {
        if (t_[i].kind != Kind::Word) return false;
        const QString name = t_[i].text.toLower();
        const bool date = name == QLatin1String("date");
        if (!date && name != QLatin1String("instr") && name != QLatin1String("iif") && name != QLatin1String("format"))
            return false;
        const auto open = next(i);
        if (!open || t_[*open].kind != Kind::Open) return false;
        if (date) {   // SQLite's date(value) is no Jet function and stays SQLite's
            const auto close = next(*open);
            if (!close || t_[*close].kind != Kind::Close) return false;
        }
        const auto before = prev(i);
        return !before
            || !(t_[*before].kind == Kind::Dot || isWord(t_[*before], "into") || isWord(t_[*before], "from")
                 || isWord(t_[*before], "join") || isWord(t_[*before], "table") || isWord(t_[*before], "update"));
    }
    // The result columns of the select at token `select` that have no alias
    // and hold one of the `renamed` tokens: the last token of each and the
    // name its text gives it without the renaming.
    void unnamedItemsHolding(std::size_t select, const std::vector<std::size_t>& renamed,
                             std::vector<std::pair<std::size_t, QString>>& aliases) const
    {
        static const QStringList ends{QStringLiteral("from"),  QStringLiteral("into"),      QStringLiteral("where"),
                                      QStringLiteral("group"), QStringLiteral("having"),    QStringLiteral("order"),
                                      QStringLiteral("limit"), QStringLiteral("union"),     QStringLiteral("intersect"),
                                      QStringLiteral("except"), QStringLiteral("window")};
        std::vector<std::size_t> parts;   // significant tokens of the current item
        int depth = 0;
        for (std::size_t i = select + 1; i <= t_.size(); ++i) {
            const bool atEnd = i == t_.size()
                || (depth == 0 && (t_[i].kind == Kind::Close || t_[i].text == QLatin1String(";")
                                   || (t_[i].kind == Kind::Word && ends.contains(t_[i].text.toLower()))));
            if (atEnd || (depth == 0 && t_[i].kind == Kind::Comma)) {
                if (!parts.empty() && !hasAlias(parts)
                    && std::any_of(renamed.begin(), renamed.end(),
                                   [&](std::size_t at) { return at >= parts.front() && at <= parts.back(); }))
                    aliases.emplace_back(parts.back(), joined(t_, parts.front(), parts.back() + 1, false));
                parts.clear();
                if (atEnd) return;
                continue;
            }
            if (t_[i].kind == Kind::Open) ++depth;
            if (t_[i].kind == Kind::Close) --depth;
            const bool leading = parts.empty() && (isWord(t_[i], "distinct") || isWord(t_[i], "all"));
            if (t_[i].kind != Kind::Blank && !leading) parts.push_back(i);
        }
    }
    // Whether a result column's tokens end in an alias ("... as x", "f(a) x").
    bool hasAlias(const std::vector<std::size_t>& parts) const
    {
        static const QStringList closingWords{QStringLiteral("end"), QStringLiteral("null"), QStringLiteral("true"),
                                              QStringLiteral("false"), QStringLiteral("current_date"),
                                              QStringLiteral("current_time"), QStringLiteral("current_timestamp")};
        if (parts.size() < 2 || !isNameToken(parts.back())) return false;
        if (t_[parts.back()].kind == Kind::Word && closingWords.contains(t_[parts.back()].text.toLower())) return false;
        const Token& before = t_[parts[parts.size() - 2]];
        if (isWord(before, "as")) return true;
        switch (before.kind) {
        case Kind::Close:
        case Kind::Name:
        case Kind::String:
        case Kind::Number: return true;
        case Kind::Word: return !isClauseWord(before) && !isWord(before, "collate") && !isWord(before, "else")
                             && !isWord(before, "glob") && !isWord(before, "match") && !isWord(before, "regexp");
        default: return false;
        }
    }

    // The outermost token of the concatenation around `op` in `direction`.
    std::size_t operandBound(std::size_t op, int direction) const
    {
        std::size_t i = op;
        std::size_t bound = op;
        int depth = 0;
        for (;;) {
            if (direction < 0 ? i == 0 : i + 1 >= t_.size()) return bound;
            i += direction;
            const Token& token = t_[i];
            const Kind opening = direction < 0 ? Kind::Close : Kind::Open;
            const Kind closing = direction < 0 ? Kind::Open : Kind::Close;
            if (token.kind == opening) ++depth;
            else if (token.kind == closing) {
                if (depth == 0) return bound;
                --depth;
            } else if (depth == 0 && (token.kind == Kind::Comma || isComparison(token) || isClauseWord(token)
                                      || token.kind == Kind::Other)) {
                return bound;
            }
            bound = i;
        }
    }
};

} // namespace

Rewritten rewrite(const QString& sql, const Schema& schema)
{
    return Rewriter(sql, schema).run();
}

} // namespace db::jetsql
