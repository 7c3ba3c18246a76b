#include "platform/db/textorder.h"

#include <QCollator>
#include <QLocale>
#include <QString>

namespace db {

namespace {

int compareTexts(void* collator, int sizeA, const void* a, int sizeB, const void* b)
{
    const QString left = QString::fromUtf8(static_cast<const char*>(a), sizeA);
    const QString right = QString::fromUtf8(static_cast<const char*>(b), sizeB);
    const int order = static_cast<QCollator*>(collator)->compare(left, right);
    if (order != 0) return order;
    // Texts the collation ranks alike (other widths, accents) stay apart.
    return left.compare(right, Qt::CaseInsensitive);
}

void destroyCollator(void* collator)
{
    delete static_cast<QCollator*>(collator);
}

} // namespace

void registerTextOrder(sqlite3* handle)
{
    auto* collator = new QCollator(QLocale(QLocale::Chinese, QLocale::China));
    collator->setCaseSensitivity(Qt::CaseInsensitive);
    collator->setNumericMode(false);
    sqlite3_create_collation_v2(handle, "NOCASE", SQLITE_UTF8, collator, compareTexts, destroyCollator);
}

} // namespace db
