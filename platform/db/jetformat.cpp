#include "platform/db/jetformat.h"

#include "platform/db/locale.h"

#include <cmath>
#include <limits>
#include <vector>

namespace db::jetformat {

namespace {

std::optional<QString> namedPattern(const QString& name)
{
    const QString lower = name.trimmed().toLower();
    if (lower == QLatin1String("short date")) return QStringLiteral("yyyy-m-d");
    if (lower == QLatin1String("short time")) return QStringLiteral("hh:nn");
    if (lower == QLatin1String("long time")) return QStringLiteral("h:nn:ss");
    if (lower == QLatin1String("fixed")) return QStringLiteral("0.00");
    if (lower == QLatin1String("standard")) return QStringLiteral("#,##0.00");
    if (lower == QLatin1String("percent")) return QStringLiteral("0.00%");
    return std::nullopt;
}

bool isDateLiteral(QChar c)
{
    return QStringLiteral("-/:. 年月日时分秒").contains(c);
}

std::optional<QString> formatDate(const QDateTime& when, const QString& pattern)
{
    struct Part {
        QChar letter;
        int count;
    };
    std::vector<Part> parts;   // letter '\0' with count 0: a literal in `literals`
    QStringList literals;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i].toLower();
        if (QStringLiteral("ymdhns").contains(c)) {
            qsizetype j = i;
            while (j < pattern.size() && pattern[j].toLower() == c) ++j;
            const int count = static_cast<int>(j - i);
            const bool allowed = c == QLatin1Char('y') ? (count == 2 || count == 4) : count <= 2;
            if (!allowed) return std::nullopt;
            parts.push_back({c, count});
            literals << QString();
            i = j;
        } else if (isDateLiteral(pattern[i])) {
            parts.push_back({QChar(), 0});
            literals << (pattern[i] == QLatin1Char('/') ? QStringLiteral("-") : QString(pattern[i]));
            ++i;
        } else {
            return std::nullopt;
        }
    }
    // "m" means minutes right after an hour or right before seconds.
    auto neighbour = [&](std::size_t from, int step) -> QChar {
        for (auto k = static_cast<std::ptrdiff_t>(from) + step; k >= 0 && k < static_cast<std::ptrdiff_t>(parts.size()); k += step)
            if (parts[k].count > 0) return parts[k].letter;
        return QChar();
    };
    QString text;
    for (std::size_t k = 0; k < parts.size(); ++k) {
        const Part& part = parts[k];
        if (part.count == 0) {
            text += literals[static_cast<qsizetype>(k)];
            continue;
        }
        int value = 0;
        switch (part.letter.unicode()) {
        case 'y': value = part.count == 2 ? when.date().year() % 100 : when.date().year(); break;
        case 'm':
            value = neighbour(k, -1) == QLatin1Char('h') || neighbour(k, +1) == QLatin1Char('s') ? when.time().minute()
                                                                                                 : when.date().month();
            break;
        case 'd': value = when.date().day(); break;
        case 'h': value = when.time().hour(); break;
        case 'n': value = when.time().minute(); break;
        case 's': value = when.time().second(); break;
        }
        const int width = part.letter == QLatin1Char('y') ? part.count : part.count == 2 ? 2 : 1;
        text += QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
    }
    return text;
}

std::optional<QString> formatNumber(double value, const QString& pattern)
{
    QString body = pattern;
    const bool percent = body.endsWith(QLatin1Char('%'));
    if (percent) {
        body.chop(1);
        value *= 100;
    }
    const qsizetype point = body.indexOf(QLatin1Char('.'));
    const QString whole = point < 0 ? body : body.left(point);
    const QString fraction = point < 0 ? QString() : body.mid(point + 1);
    for (const QChar c : whole)
        if (c != QLatin1Char('0') && c != QLatin1Char('#') && c != QLatin1Char(',')) return std::nullopt;
    for (const QChar c : fraction)
        if (c != QLatin1Char('0') && c != QLatin1Char('#')) return std::nullopt;
    const int minWhole = static_cast<int>(whole.count(QLatin1Char('0')));
    const int minFraction = static_cast<int>(fraction.count(QLatin1Char('0')));
    const int maxFraction = static_cast<int>(fraction.size());
    const bool grouped = whole.contains(QLatin1Char(','));

    // Halves away from zero, as Format rounds.
    const double scale = std::pow(10.0, maxFraction);
    const double rounded = std::round(std::fabs(value) * scale * (1 + 4 * std::numeric_limits<double>::epsilon())) / scale;
    QString digits = QString::number(rounded, 'f', maxFraction);
    QString wholeDigits = maxFraction > 0 ? digits.left(digits.indexOf(QLatin1Char('.'))) : digits;
    QString fractionDigits = maxFraction > 0 ? digits.mid(digits.indexOf(QLatin1Char('.')) + 1) : QString();
    while (fractionDigits.size() > minFraction && fractionDigits.endsWith(QLatin1Char('0'))) fractionDigits.chop(1);
    if (wholeDigits == QLatin1String("0") && minWhole == 0) wholeDigits.clear();
    while (wholeDigits.size() < minWhole) wholeDigits.prepend(QLatin1Char('0'));
    if (grouped)
        for (qsizetype at = wholeDigits.size() - 3; at > 0; at -= 3) wholeDigits.insert(at, QLatin1Char(','));
    QString text = wholeDigits;
    if (point >= 0) text += QLatin1Char('.') + fractionDigits;
    if (value < 0 && rounded != 0) text.prepend(QLatin1Char('-'));
    if (percent) text += QLatin1Char('%');
    return text;
}

bool isNumberPattern(const QString& pattern)
{
    return pattern.contains(QLatin1Char('0')) || pattern.contains(QLatin1Char('#'));
}

} // namespace

std::optional<QString> format(const Variant& value, const QString& given)
{
    if (value.isNullOrEmpty()) return QString();
    if (given.isEmpty()) return value.toText();
    const QString lower = given.trimmed().toLower();
    if (lower == QLatin1String("general date")) {
        if (value.type() == Variant::Type::Text) return value.toText();
        return locale::generalDate(value.toDate());
    }
    if (lower == QLatin1String("general number")) {
        if (value.type() == Variant::Type::Text || value.type() == Variant::Type::Date) return value.toText();
        return Variant(value.toDouble()).toText();
    }
    const QString pattern = namedPattern(given).value_or(given);
    const bool number = isNumberPattern(pattern);
    if (!(number ? formatNumber(0, pattern) : formatDate(QDateTime(QDate(2000, 1, 1), QTime(0, 0)), pattern)))
        return std::nullopt;
    // Format leaves text that is no number or date as it is.
    if (value.type() == Variant::Type::Text) return value.toText();
    try {
        if (number) return formatNumber(value.toDouble(), pattern);
        return formatDate(value.toDate(), pattern);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

} // namespace db::jetformat
