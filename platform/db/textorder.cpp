#include "platform/db/textorder.h"

#include <QString>
#include <cstring>
#include <unicode/ucol.h>

namespace db {

namespace {

int compareTexts(void* collator, int sizeA, const void* a, int sizeB, const void* b)
{
    if (sizeA == sizeB && std::memcmp(a, b, static_cast<std::size_t>(sizeA)) == 0) return 0;
    UErrorCode status = U_ZERO_ERROR;
    const UCollationResult order = ucol_strcollUTF8(static_cast<UCollator*>(collator), static_cast<const char*>(a), sizeA,
                                                    static_cast<const char*>(b), sizeB, &status);
    if (U_SUCCESS(status) && order != UCOL_EQUAL) return order;
    // Texts the collation ranks alike (other widths, ignorable marks) stay apart.
    const QString left = QString::fromUtf8(static_cast<const char*>(a), sizeA);
    const QString right = QString::fromUtf8(static_cast<const char*>(b), sizeB);
    return left.compare(right, Qt::CaseInsensitive);
}

void destroyCollator(void* collator)
{
    ucol_close(static_cast<UCollator*>(collator));
}

} // namespace

void registerTextOrder(sqlite3* handle)
{
    // Chinese by pinyin, with the Latin script placed before the Han script.
    UErrorCode status = U_ZERO_ERROR;
    UCollator* collator = ucol_open("zh@colReorder=latn-hani", &status);
    if (U_FAILURE(status)) {
        ucol_close(collator);
        return;   // without the collation a statement naming it fails with SQLite's message
    }
    ucol_setStrength(collator, UCOL_SECONDARY);   // letter case ignored
    sqlite3_create_collation_v2(handle, kTextOrder, SQLITE_UTF8, collator, compareTexts, destroyCollator);
}

} // namespace db
