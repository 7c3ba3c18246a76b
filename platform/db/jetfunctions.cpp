#include "platform/db/jetfunctions.h"

#include "platform/db/columns.h"
#include "platform/db/jetformat.h"
#include "platform/db/locale.h"
#include "platform/db/textorder.h"
#include "platform/db/numbertext.h"
#include "platform/db/variant.h"

#include <QString>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <string_view>

namespace db {

namespace {

bool isNull(sqlite3_value* value)
{
    return sqlite3_value_type(value) == SQLITE_NULL;
}

QString textOf(sqlite3_value* value)
{
    switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER: return QString::number(sqlite3_value_int64(value));
    case SQLITE_FLOAT: return numbertext::format(sqlite3_value_double(value));
    default:
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(value)), sqlite3_value_bytes(value));
    }
}

void resultText(sqlite3_context* context, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    sqlite3_result_text(context, bytes.constData(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
}

void typeMismatch(sqlite3_context* context)
{
    sqlite3_result_error(context, "类型不匹配", -1);
}

std::optional<double> numberOf(sqlite3_value* value)
{
    switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER: return static_cast<double>(sqlite3_value_int64(value));
    case SQLITE_FLOAT: return sqlite3_value_double(value);
    case SQLITE_TEXT: return numbertext::parse(textOf(value));
    default: return std::nullopt;
    }
}

std::optional<QDateTime> dateOf(sqlite3_value* value)
{
    switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        try {
            return Variant(sqlite3_value_double(value)).toDate();
        } catch (const std::exception&) {
            return std::nullopt;
        }
    case SQLITE_TEXT: return locale::parseDate(textOf(value));
    default: return std::nullopt;
    }
}

// cstr: numbers in the system's text form; a stored date/time as the general date.
void cstrFunction(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (isNull(argv[0])) return sqlite3_result_null(context);
    QString text = textOf(argv[0]);
    if (sqlite3_value_type(argv[0]) == SQLITE_TEXT && text.size() == 19)
        if (auto when = locale::parseDate(text); when && locale::storageText(*when) == text)
            text = locale::generalDate(*when);
    resultText(context, text);
}

// cint / clng: whole number, halves to the even one; no 16-bit limit.
void cintFunction(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (isNull(argv[0])) return sqlite3_result_null(context);
    if (sqlite3_value_type(argv[0]) == SQLITE_INTEGER) return sqlite3_result_int64(context, sqlite3_value_int64(argv[0]));
    const auto number = numberOf(argv[0]);
    if (!number) return typeMismatch(context);
    const double rounded = numbertext::roundTiesEven(*number);
    if (std::fabs(rounded) >= 9.2e18) return sqlite3_result_error(context, "溢出", -1);
    sqlite3_result_int64(context, static_cast<sqlite3_int64>(rounded));
}

void cdblFunction(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (isNull(argv[0])) return sqlite3_result_null(context);
    const auto number = numberOf(argv[0]);
    if (!number) return typeMismatch(context);
    sqlite3_result_double(context, *number);
}

// instr([start,] searched, sought): 1-based position, 0 when absent; an empty
// searched text gives 0, an empty sought text gives the start. Compares text
// without regard to case, as the database compares text.
// The UTF-16 position (1-based) of a text that holds no letter, looked for in
// the UTF-8 bytes directly: such a text has no case, and a caller's number is
// looked for in every stored number of a large table this way. Nothing when
// the fast way does not apply.
std::optional<qint64> caselessBytePosition(sqlite3_value* searched, sqlite3_value* sought)
{
    if (sqlite3_value_type(searched) != SQLITE_TEXT || sqlite3_value_type(sought) != SQLITE_TEXT) return std::nullopt;
    const auto* needle = reinterpret_cast<const char*>(sqlite3_value_text(sought));
    const int needleBytes = sqlite3_value_bytes(sought);
    if (needleBytes == 0) return std::nullopt;
    for (int i = 0; i < needleBytes; ++i) {
        const auto c = static_cast<unsigned char>(needle[i]);
        if (c >= 0x80 || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return std::nullopt;
    }
    const auto* haystack = reinterpret_cast<const char*>(sqlite3_value_text(searched));
    const std::string_view text(haystack, static_cast<size_t>(sqlite3_value_bytes(searched)));
    const size_t at = text.find(std::string_view(needle, static_cast<size_t>(needleBytes)));
    if (at == std::string_view::npos) return 0;
    qint64 position = 1;
    for (size_t i = 0; i < at; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if ((c & 0xC0) != 0x80) ++position;   // a character starts here
        if (c >= 0xF0) ++position;            // outside the basic plane: two UTF-16 units
    }
    return position;
}

void instrFunction(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (argc == 2) {
        if (const auto position = caselessBytePosition(argv[0], argv[1])) return sqlite3_result_int64(context, *position);
    }
    int start = 1;
    if (argc == 3) {
        if (isNull(argv[0])) return sqlite3_result_null(context);
        const auto number = numberOf(argv[0]);
        if (!number || *number < 1) return sqlite3_result_error(context, "无效的过程调用", -1);
        start = static_cast<int>(numbertext::roundTiesEven(*number));
    }
    sqlite3_value* searched = argv[argc - 2];
    sqlite3_value* sought = argv[argc - 1];
    if (isNull(searched) || isNull(sought)) return sqlite3_result_null(context);
    const QString haystack = textOf(searched);
    const QString needle = textOf(sought);
    if (haystack.isEmpty() || start > haystack.size()) return sqlite3_result_int(context, 0);
    if (needle.isEmpty()) return sqlite3_result_int(context, start);
    sqlite3_result_int64(context, haystack.indexOf(needle, start - 1, Qt::CaseInsensitive) + 1);
}

// Year, Month, Day. A value that is no date gives Null rather than failing
// the whole query: one mistyped row must not hide every other row.
template <int Part>
void datePartFunction(sqlite3_context* context, int, sqlite3_value** argv)
{
    const auto when = dateOf(argv[0]);
    if (!when) return sqlite3_result_null(context);
    const QDate date = when->date();
    sqlite3_result_int(context, Part == 0 ? date.year() : Part == 1 ? date.month() : date.day());
}

void nowFunction(sqlite3_context* context, int, sqlite3_value**)
{
    resultText(context, locale::storageText(locale::now()));
}

void dateFunction(sqlite3_context* context, int, sqlite3_value**)
{
    resultText(context, locale::storageText(QDateTime(locale::now().date(), QTime(0, 0))));
}

// iif(condition, whenTrue, whenFalse): a Null condition counts as false.
void iifFunction(sqlite3_context* context, int, sqlite3_value** argv)
{
    bool condition = false;
    if (!isNull(argv[0])) {
        const auto number = numberOf(argv[0]);
        if (!number) return typeMismatch(context);
        condition = *number != 0;
    }
    sqlite3_result_value(context, condition ? argv[1] : argv[2]);
}

void lenFunction(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (isNull(argv[0])) return sqlite3_result_null(context);
    sqlite3_result_int64(context, textOf(argv[0]).size());
}

std::optional<qsizetype> countOf(sqlite3_context* context, sqlite3_value* value)
{
    const auto number = numberOf(value);
    if (!number || *number < 0) {
        sqlite3_result_error(context, "无效的过程调用", -1);
        return std::nullopt;
    }
    return static_cast<qsizetype>(numbertext::roundTiesEven(*number));
}

void leftFunction(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (isNull(argv[0])) return sqlite3_result_null(context);
    if (auto count = countOf(context, argv[1])) resultText(context, textOf(argv[0]).left(*count));
}

void rightFunction(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (isNull(argv[0])) return sqlite3_result_null(context);
    if (auto count = countOf(context, argv[1])) resultText(context, textOf(argv[0]).right(*count));
}

// mid(text, start[, length]), start counted from 1.
void midFunction(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (isNull(argv[0])) return sqlite3_result_null(context);
    const auto start = countOf(context, argv[1]);
    if (!start) return;
    if (*start < 1) return sqlite3_result_error(context, "无效的过程调用", -1);
    const QString text = textOf(argv[0]);
    if (argc == 2) return resultText(context, text.mid(*start - 1));
    if (auto length = countOf(context, argv[2])) resultText(context, text.mid(*start - 1, *length));
}

void ucaseFunction(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (isNull(argv[0])) return sqlite3_result_null(context);
    resultText(context, textOf(argv[0]).toUpper());
}

void lcaseFunction(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (isNull(argv[0])) return sqlite3_result_null(context);
    resultText(context, textOf(argv[0]).toLower());
}

void valFunction(sqlite3_context* context, int, sqlite3_value** argv)
{
    switch (sqlite3_value_type(argv[0])) {
    case SQLITE_NULL: return sqlite3_result_null(context);
    case SQLITE_INTEGER:
    case SQLITE_FLOAT: return sqlite3_result_value(context, argv[0]);
    default: sqlite3_result_double(context, val(textOf(argv[0])));
    }
}

void isnullFunction(sqlite3_context* context, int, sqlite3_value** argv)
{
    sqlite3_result_int(context, isNull(argv[0]) ? 1 : 0);
}

// format(value[, pattern]): Jet's Format for the date and number patterns the
// system writes; any other pattern is an error, never a printf result.
void formatFunction(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (isNull(argv[0])) return sqlite3_result_null(context);
    const QString pattern = argc > 1 && !isNull(argv[1]) ? textOf(argv[1]) : QString();
    Variant value;
    switch (sqlite3_value_type(argv[0])) {
    case SQLITE_INTEGER: value = Variant(static_cast<std::int64_t>(sqlite3_value_int64(argv[0]))); break;
    case SQLITE_FLOAT: value = Variant(sqlite3_value_double(argv[0])); break;
    default: {
        const QString text = textOf(argv[0]);
        if (const auto when = locale::parseDate(text)) value = Variant(*when);
        else if (const auto number = numbertext::parse(text)) value = Variant(*number);
        else value = Variant(text);
    }
    }
    const auto text = jetformat::format(value, pattern);
    if (!text) {
        const QByteArray message = QStringLiteral("格式 \"%1\" 不受支持").arg(pattern).toUtf8();
        return sqlite3_result_error(context, message.constData(), static_cast<int>(message.size()));
    }
    resultText(context, *text);
}

// a & b & ...: Null operands count as empty text; Null only when every one is.
void concatFunction(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    QString text;
    bool any = false;
    for (int i = 0; i < argc; ++i) {
        if (isNull(argv[i])) continue;
        any = true;
        text += textOf(argv[i]);
    }
    if (!any) return sqlite3_result_null(context);
    resultText(context, text);
}

// A date/time value as the system shows it ("2024-3-5", "2024-3-5 8:05:00"),
// for pattern matching on a date column.
void datetextFunction(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (isNull(argv[0])) return sqlite3_result_null(context);
    if (const auto when = dateOf(argv[0])) return resultText(context, locale::generalDate(*when));
    resultText(context, textOf(argv[0]));
}

// ---- sums of currency, in ten-thousandths -----------------------------------

struct CurrencySum {
    __int128 ticks;
    std::int64_t count;
    bool failed;
};

// The engine's aggregate memory (zeroed when first asked for) is aligned to
// 8 bytes only, less than __int128 needs: the sum is copied out and back in.
CurrencySum sumIn(const void* memory)
{
    CurrencySum sum;
    std::memcpy(&sum, memory, sizeof sum);
    return sum;
}

std::optional<Currency> currencyOf(sqlite3_value* value)
{
    switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER: return detail::currencyOfStored(static_cast<std::int64_t>(sqlite3_value_int64(value)));
    case SQLITE_FLOAT: return detail::currencyOfStored(sqlite3_value_double(value));
    case SQLITE_TEXT:
        if (auto ticks = numbertext::parseTicks(textOf(value))) return Currency::fromTicks(*ticks);
        return std::nullopt;
    default: return std::nullopt;
    }
}

void currencyStep(sqlite3_context* context, int, sqlite3_value** argv)
{
    void* memory = sqlite3_aggregate_context(context, sizeof(CurrencySum));
    if (!memory || isNull(argv[0])) return;
    CurrencySum sum = sumIn(memory);
    if (const auto amount = currencyOf(argv[0])) {
        sum.ticks += amount->ticks();
        ++sum.count;
    } else {
        sum.failed = true;
    }
    std::memcpy(memory, &sum, sizeof sum);
}

void finishCurrency(sqlite3_context* context, bool average)
{
    const void* memory = sqlite3_aggregate_context(context, 0);
    if (!memory) return sqlite3_result_null(context);
    const CurrencySum sum = sumIn(memory);
    if (sum.failed) return typeMismatch(context);
    if (sum.count == 0) return sqlite3_result_null(context);
    __int128 ticks = sum.ticks;
    if (average) {
        // halves to even, as Jet rounds currency
        __int128 quotient = ticks / sum.count;
        __int128 remainder = ticks % sum.count;
        if (remainder < 0) {
            quotient -= 1;
            remainder += sum.count;
        }
        if (remainder * 2 > sum.count || (remainder * 2 == sum.count && quotient % 2 != 0)) quotient += 1;
        ticks = quotient;
    }
    if (ticks > std::numeric_limits<std::int64_t>::max() || ticks < std::numeric_limits<std::int64_t>::min())
        return sqlite3_result_error(context, "溢出", -1);
    detail::resultCurrency(context, Currency::fromTicks(static_cast<std::int64_t>(ticks)));
}

void currencySumFinal(sqlite3_context* context)
{
    finishCurrency(context, false);
}

void currencyAverageFinal(sqlite3_context* context)
{
    finishCurrency(context, true);
}

struct Definition {
    const char* name;
    int argumentCount;
    void (*function)(sqlite3_context*, int, sqlite3_value**);
    bool deterministic;
};

const Definition kDefinitions[] = {
    {"cstr", 1, cstrFunction, true},
    {"cint", 1, cintFunction, true},
    {"clng", 1, cintFunction, true},
    {"cdbl", 1, cdblFunction, true},
    {"jet_instr", 2, instrFunction, true},
    {"jet_instr", 3, instrFunction, true},
    {"year", 1, datePartFunction<0>, true},
    {"month", 1, datePartFunction<1>, true},
    {"day", 1, datePartFunction<2>, true},
    {"now", 0, nowFunction, false},
    {"jet_date", 0, dateFunction, false},
    {"jet_iif", 3, iifFunction, true},
    {"len", 1, lenFunction, true},
    {"jet_left", 2, leftFunction, true},
    {"jet_right", 2, rightFunction, true},
    {"mid", 2, midFunction, true},
    {"mid", 3, midFunction, true},
    {"ucase", 1, ucaseFunction, true},
    {"lcase", 1, lcaseFunction, true},
    {"val", 1, valFunction, true},
    {"jet_isnull", 1, isnullFunction, true},
    {"jet_concat", -1, concatFunction, true},
    {"jet_datetext", 1, datetextFunction, true},
    {"jet_format", 1, formatFunction, true},
    {"jet_format", 2, formatFunction, true},
};

} // namespace

void registerJetFunctions(sqlite3* handle)
{
    for (const Definition& definition : kDefinitions) {
        const int flags = SQLITE_UTF8 | (definition.deterministic ? SQLITE_DETERMINISTIC : 0);
        sqlite3_create_function_v2(handle, definition.name, definition.argumentCount, flags, nullptr,
                                   definition.function, nullptr, nullptr, nullptr);
    }
    sqlite3_create_function_v2(handle, "jet_cursum", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, nullptr,
                               currencyStep, currencySumFinal, nullptr);
    sqlite3_create_function_v2(handle, "jet_curavg", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, nullptr,
                               currencyStep, currencyAverageFinal, nullptr);
    registerTextOrder(handle);
}

} // namespace db
