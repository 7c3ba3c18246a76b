#include "platform/db/jetfunctions.h"

#include "platform/db/locale.h"
#include "platform/db/numbertext.h"
#include "platform/db/variant.h"

#include <QString>
#include <cmath>
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
    sqlite3_result_error(context, "Type mismatch", -1);
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
    if (std::fabs(rounded) >= 9.2e18) return sqlite3_result_error(context, "Overflow", -1);
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
        if (!number || *number < 1) return sqlite3_result_error(context, "Invalid procedure call", -1);
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
        sqlite3_result_error(context, "Invalid procedure call", -1);
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
    if (*start < 1) return sqlite3_result_error(context, "Invalid procedure call", -1);
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
    {"instr", 2, instrFunction, true},
    {"instr", 3, instrFunction, true},
    {"year", 1, datePartFunction<0>, true},
    {"month", 1, datePartFunction<1>, true},
    {"day", 1, datePartFunction<2>, true},
    {"now", 0, nowFunction, false},
    {"date", 0, dateFunction, false},
    {"iif", 3, iifFunction, true},
    {"len", 1, lenFunction, true},
    {"jet_left", 2, leftFunction, true},
    {"jet_right", 2, rightFunction, true},
    {"mid", 2, midFunction, true},
    {"mid", 3, midFunction, true},
    {"ucase", 1, ucaseFunction, true},
    {"lcase", 1, lcaseFunction, true},
    {"val", 1, valFunction, true},
    {"jet_isnull", 1, isnullFunction, true},
};

} // namespace

void registerJetFunctions(sqlite3* handle)
{
    for (const Definition& definition : kDefinitions) {
        const int flags = SQLITE_UTF8 | (definition.deterministic ? SQLITE_DETERMINISTIC : 0);
        sqlite3_create_function_v2(handle, definition.name, definition.argumentCount, flags, nullptr,
                                   definition.function, nullptr, nullptr, nullptr);
    }
}

} // namespace db
